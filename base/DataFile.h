// A small binary file of the utility in its data folder under the common documents folder.
#pragma once
#include "framework/Afx.h"

class CDataFile {
public:
    virtual ~CDataFile() = default;

    // Sets the data folder and the file path (folder, backslash, file name) and creates the
    // folder with any missing parents: ERROR_SUCCESS when created, ERROR_ALREADY_EXISTS when
    // present, another error code when it cannot be made.
    int CreateUserDataFolder(LPCSTR fileName);
    // Points the object at fileName inside folder (no folder is created).
    void SetPath(LPCSTR folder, LPCSTR fileName);

    // Replaces the file by the buffer as a whole: written to a temporary file beside it, then
    // moved over it. 1 on success; 0 on any failure, the old file then left as it was.
    int WriteDataFile(const void* buffer, DWORD size);
    // Reads the file into the buffer, never more than size bytes: the bytes read, 0 when the
    // file cannot be opened. A longer file is read only up to size (logged).
    DWORD ReadDataFile(void* buffer, DWORD size);

    const CString& Folder() const { return m_strFolder; }
    const CString& Path() const { return m_strPath; }

    static constexpr DWORD kChunkBytes = 2048;
    // The data folder's name under the common documents folder.
    static constexpr char kFolderName[] = "Kelvo4471_F7284002-4AEB-4653-B388-54344DC694ED";

protected:
    // Writes one chunk: true when all of it was written.
    virtual bool WriteChunk(HANDLE file, const BYTE* data, DWORD size);

private:
    CString m_strFolder;
    CString m_strPath;
};

// The file names of the two data files.
inline constexpr char kDataFileName[] = "BinaryReg.Orz";    // operation mode and zero-configuration flag
inline constexpr char kDataFile2Name[] = "BinaryReg2.Orz";  // the soft-AP bridge word
