#include "base/DataFile.h"
#include "base/DebugLog.h"

#include <shlobj.h>

namespace {
constexpr char kTempSuffix[] = ".tmp";

struct FileHandle {
    explicit FileHandle(HANDLE h) : handle(h) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool Valid() const { return handle != INVALID_HANDLE_VALUE; }
    bool Close()
    {
        bool ok = true;
        if (Valid()) ok = ::CloseHandle(handle) != FALSE;
        handle = INVALID_HANDLE_VALUE;
        return ok;
    }
    HANDLE handle;
};
}  // namespace

int CDataFile::CreateUserDataFolder(LPCSTR fileName)
{
    char documents[MAX_PATH] = "";
    if (!::SHGetSpecialFolderPathA(nullptr, documents, CSIDL_COMMON_DOCUMENTS, FALSE) || !documents[0]) {
        // No path at all rather than one beside the drive's root: reads then find nothing, writes fail.
        DebugLog(1, "[QxUI] CreateUserDataFolder: SHGetSpecialFolderPath(CSIDL_COMMON_DOCUMENTS) fail\n");
        m_strFolder.Empty();
        m_strPath.Empty();
        return ERROR_PATH_NOT_FOUND;
    }
    SetPath(CString(documents) + "\\" + kFolderName, fileName);
    return ::SHCreateDirectoryExA(nullptr, m_strFolder, nullptr);
}

void CDataFile::SetPath(LPCSTR folder, LPCSTR fileName)
{
    m_strFolder = folder;
    m_strPath = m_strFolder + "\\" + fileName;
}

bool CDataFile::WriteChunk(HANDLE file, const BYTE* data, DWORD size)
{
    DWORD written = 0;
    return ::WriteFile(file, data, size, &written, nullptr) && written == size;
}

int CDataFile::WriteDataFile(const void* buffer, DWORD size)
{
    if (m_strPath.IsEmpty()) {
        DebugLog(1, "[QxUI] WriteDataFile: no data file path\n");
        return 0;
    }
    const CString tempPath = m_strPath + kTempSuffix;
    FileHandle file(::CreateFileA(tempPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        DebugLog(1, "[QxUI] WriteDataFile: cannot create %s, GetLastError() return %lu\n", tempPath.GetString(), ::GetLastError());
        return 0;
    }
    const BYTE* data = static_cast<const BYTE*>(buffer);
    bool ok = true;
    DWORD remaining = size;
    while (ok && remaining > 0) {
        DWORD chunk = remaining > kChunkBytes ? kChunkBytes : remaining;
        ok = WriteChunk(file.handle, data, chunk);
        data += chunk;
        remaining -= chunk;
    }
    ok = ok && ::FlushFileBuffers(file.handle);
    ok = file.Close() && ok;
    if (ok && !::MoveFileExA(tempPath, m_strPath, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DebugLog(1, "[QxUI] WriteDataFile: cannot replace %s, GetLastError() return %lu\n", m_strPath.GetString(), ::GetLastError());
        ok = false;
    }
    if (!ok) {
        DebugLog(1, "[QxUI] WriteDataFile: %s not written, the old file is kept\n", m_strPath.GetString());
        ::DeleteFileA(tempPath);
        return 0;
    }
    return 1;
}

DWORD CDataFile::ReadDataFile(void* buffer, DWORD size)
{
    FileHandle file(::CreateFileA(m_strPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return 0;
    BYTE* data = static_cast<BYTE*>(buffer);
    DWORD total = 0;
    while (total < size) {
        DWORD want = size - total > kChunkBytes ? kChunkBytes : size - total;
        DWORD got = 0;
        if (!::ReadFile(file.handle, data + total, want, &got, nullptr)) {
            DebugLog(1, "[QxUI] ReadDataFile: reading %s fails, GetLastError() return %lu\n", m_strPath.GetString(), ::GetLastError());
            break;
        }
        total += got;
        if (got < want) return total;
    }
    BYTE extra;
    DWORD got = 0;
    if (total == size && ::ReadFile(file.handle, &extra, 1, &got, nullptr) && got == 1)
        DebugLog(1, "[QxUI] ReadDataFile: %s holds more than %lu bytes, the rest is not read\n", m_strPath.GetString(), size);
    return total;
}
