#include "framework/CFile.h"

#include <string>

BOOL CFile::Open(LPCSTR path, UINT flags, CFileException* pError)
{
    Close();
    DWORD access = GENERIC_READ;
    if ((flags & 3) == modeWrite) access = GENERIC_WRITE;
    if ((flags & 3) == modeReadWrite) access = GENERIC_READ | GENERIC_WRITE;
    DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;
    switch (flags & 0x70) {
    case shareExclusive: share = 0; break;
    case shareDenyWrite: share = FILE_SHARE_READ; break;
    case shareDenyRead: share = FILE_SHARE_WRITE; break;
    default: break;
    }
    DWORD disposition = OPEN_EXISTING;
    if (flags & modeCreate) disposition = (flags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    HANDLE h = ::CreateFileA(path, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        m_lastError = ::GetLastError();
        if (pError) pError->m_lOsError = m_lastError;
        return FALSE;
    }
    m_hFile = h;
    m_path = path;
    return TRUE;
}

void CFile::Close()
{
    if (m_hFile) ::CloseHandle(m_hFile);
    m_hFile = nullptr;
}

UINT CFile::Read(void* buf, UINT count)
{
    DWORD done = 0;
    if (!m_hFile || !::ReadFile(m_hFile, buf, count, &done, nullptr)) {
        m_lastError = ::GetLastError();
        return 0;
    }
    return done;
}

BOOL CFile::Write(const void* buf, UINT count)
{
    DWORD done = 0;
    if (!m_hFile || !::WriteFile(m_hFile, buf, count, &done, nullptr) || done != count) {
        m_lastError = ::GetLastError();
        return FALSE;
    }
    return TRUE;
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from)
{
    LARGE_INTEGER distance, result{};
    distance.QuadPart = offset;
    if (!m_hFile || !::SetFilePointerEx(m_hFile, distance, &result, from)) return static_cast<ULONGLONG>(-1);
    return static_cast<ULONGLONG>(result.QuadPart);
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER size{};
    return (m_hFile && ::GetFileSizeEx(m_hFile, &size)) ? static_cast<ULONGLONG>(size.QuadPart) : 0;
}

BOOL CStdioFile::Open(LPCSTR path, UINT flags, CFileException* pError)
{
    m_text = !(flags & typeBinary);
    return CFile::Open(path, flags, pError);
}

BOOL CStdioFile::ReadString(CString& line)
{
    std::string text;
    char ch;
    bool any = false;
    while (Read(&ch, 1) == 1) {
        any = true;
        if (ch == '\n') break;
        text += ch;
    }
    if (!any) {
        line.Empty();
        return FALSE;
    }
    if (m_text && !text.empty() && text.back() == '\r') text.pop_back();
    line = text;
    return TRUE;
}

BOOL CStdioFile::WriteString(LPCSTR text)
{
    if (!text) return TRUE;
    if (!m_text) return Write(text, lstrlenA(text));
    std::string out;
    for (const char* p = text; *p; ++p) {
        if (*p == '\n') out += '\r';
        out += *p;
    }
    return Write(out.data(), static_cast<UINT>(out.size()));
}
