// Files. Failures are answered (FALSE, 0) and kept in the error code; nothing throws.
#pragma once
#include "framework/CObject.h"
#include "framework/CString.h"
#include <windows.h>

class CFileException : public CObject {
public:
    DWORD m_lOsError = 0;
};

class CFile : public CObject {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000, modeWrite = 0x0001, modeReadWrite = 0x0002,
        shareDenyNone = 0x0040, shareDenyWrite = 0x0020, shareDenyRead = 0x0030, shareExclusive = 0x0010,
        modeNoTruncate = 0x2000, modeCreate = 0x1000, typeText = 0x4000, typeBinary = 0x8000,
    };
    enum SeekPosition { begin = 0, current = 1, end = 2 };

    CFile() = default;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    ~CFile() override { Close(); }

    virtual BOOL Open(LPCSTR path, UINT flags, CFileException* pError = nullptr);
    virtual void Close();
    UINT Read(void* buf, UINT count);
    BOOL Write(const void* buf, UINT count);
    ULONGLONG Seek(LONGLONG offset, UINT from);
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    ULONGLONG GetLength() const;
    BOOL Flush() { return m_hFile ? ::FlushFileBuffers(m_hFile) : FALSE; }
    BOOL IsOpen() const { return m_hFile != nullptr; }
    const CString& GetFilePath() const { return m_path; }
    DWORD LastError() const { return m_lastError; }

protected:
    HANDLE m_hFile = nullptr;
    CString m_path;
    DWORD m_lastError = 0;
};

// Line-oriented text: ReadString drops the line break; WriteString writes text as given
// ("\n" becomes "\r\n" in text mode).
class CStdioFile : public CFile {
public:
    BOOL Open(LPCSTR path, UINT flags, CFileException* pError = nullptr) override;
    BOOL ReadString(CString& line);
    BOOL WriteString(LPCSTR text);

private:
    bool m_text = true;
};
