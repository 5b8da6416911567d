// ANSI string with MFC's CString interface, kept in a std::string.
#pragma once
#include <windows.h>
#include <cstdarg>
#include <string>

class CString {
public:
    CString() = default;
    CString(const char* psz) : m_str(psz ? psz : "") {}
    CString(const char* pch, int nLength);  // takes at most nLength chars, stops at a NUL
    CString(char ch, int nRepeat = 1) : m_str(nRepeat > 0 ? nRepeat : 0, ch) {}
    CString(const std::string& s) : m_str(s) {}

    operator LPCSTR() const { return m_str.c_str(); }
    LPCSTR GetString() const { return m_str.c_str(); }
    const std::string& str() const { return m_str; }

    int GetLength() const { return static_cast<int>(m_str.size()); }
    BOOL IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    char GetAt(int i) const { return (i >= 0 && i < GetLength()) ? m_str[i] : '\0'; }
    char operator[](int i) const { return GetAt(i); }
    void SetAt(int i, char ch) { if (i >= 0 && i < GetLength()) m_str[i] = ch; }

    CString Left(int n) const;
    CString Right(int n) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;

    int Find(char ch, int start = 0) const;
    int Find(LPCSTR sub, int start = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(LPCSTR chars) const;

    int Replace(char from, char to);
    int Replace(LPCSTR from, LPCSTR to);
    int Remove(char ch);
    int Insert(int index, char ch);
    int Insert(int index, LPCSTR psz);
    int Delete(int index, int count = 1);
    CString& MakeUpper();
    CString& MakeLower();
    CString& Trim();
    CString& TrimLeft();
    CString& TrimRight();
    CString& TrimLeft(char ch);
    CString& TrimRight(char ch);

    int Compare(LPCSTR psz) const;
    int CompareNoCase(LPCSTR psz) const;

    void Format(LPCSTR fmt, ...);
    void FormatV(LPCSTR fmt, va_list args);
    void AppendFormat(LPCSTR fmt, ...);
    BOOL LoadString(UINT id);

    // The buffer holds at least nMinLength chars plus a NUL; ReleaseBuffer(-1) takes the length to the first NUL.
    LPSTR GetBuffer(int nMinLength = 0);
    LPSTR GetBufferSetLength(int nLength);
    void ReleaseBuffer(int nNewLength = -1);

    CString& operator=(LPCSTR psz) { m_str = psz ? psz : ""; return *this; }
    CString& operator=(char ch) { m_str.assign(1, ch); return *this; }
    CString& operator+=(const CString& s) { m_str += s.m_str; return *this; }
    CString& operator+=(LPCSTR psz) { if (psz) m_str += psz; return *this; }
    CString& operator+=(char ch) { m_str += ch; return *this; }

    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_str + b.m_str); }
    friend CString operator+(const CString& a, LPCSTR b) { return CString(a.m_str + (b ? b : "")); }
    friend CString operator+(LPCSTR a, const CString& b) { return CString(std::string(a ? a : "") + b.m_str); }
    friend CString operator+(const CString& a, char b) { return CString(a.m_str + b); }
    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CString& a, LPCSTR b) { return a.m_str == (b ? b : ""); }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, LPCSTR b) { return !(a == b); }
    friend bool operator<(const CString& a, const CString& b) { return a.m_str < b.m_str; }

private:
    std::string m_str;
};
