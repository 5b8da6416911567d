#include "framework/CString.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <vector>

CString::CString(const char* pch, int nLength)
{
    if (pch && nLength > 0)
        m_str.assign(pch, strnlen(pch, static_cast<size_t>(nLength)));
}

CString CString::Left(int n) const
{
    n = std::clamp(n, 0, GetLength());
    return CString(m_str.substr(0, n));
}

CString CString::Right(int n) const
{
    n = std::clamp(n, 0, GetLength());
    return CString(m_str.substr(m_str.size() - n));
}

CString CString::Mid(int first) const
{
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const
{
    first = std::clamp(first, 0, GetLength());
    count = std::clamp(count, 0, GetLength() - first);
    return CString(m_str.substr(first, count));
}

int CString::Find(char ch, int start) const
{
    if (start < 0 || start >= GetLength()) return -1;
    auto pos = m_str.find(ch, start);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(LPCSTR sub, int start) const
{
    if (!sub || start < 0 || start > GetLength()) return -1;
    auto pos = m_str.find(sub, start);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(char ch) const
{
    auto pos = m_str.rfind(ch);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::FindOneOf(LPCSTR chars) const
{
    if (!chars) return -1;
    auto pos = m_str.find_first_of(chars);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::Replace(char from, char to)
{
    int n = 0;
    for (auto& c : m_str)
        if (c == from) { c = to; ++n; }
    return n;
}

int CString::Replace(LPCSTR from, LPCSTR to)
{
    if (!from || !*from) return 0;
    const std::string f(from), t(to ? to : "");
    int n = 0;
    std::string out;
    size_t pos = 0, hit;
    while ((hit = m_str.find(f, pos)) != std::string::npos) {
        out.append(m_str, pos, hit - pos);
        out += t;
        pos = hit + f.size();
        ++n;
    }
    if (n) {
        out.append(m_str, pos, std::string::npos);
        m_str.swap(out);
    }
    return n;
}

int CString::Remove(char ch)
{
    auto before = m_str.size();
    m_str.erase(std::remove(m_str.begin(), m_str.end(), ch), m_str.end());
    return static_cast<int>(before - m_str.size());
}

int CString::Insert(int index, char ch)
{
    index = std::clamp(index, 0, GetLength());
    m_str.insert(m_str.begin() + index, ch);
    return GetLength();
}

int CString::Insert(int index, LPCSTR psz)
{
    index = std::clamp(index, 0, GetLength());
    if (psz) m_str.insert(index, psz);
    return GetLength();
}

int CString::Delete(int index, int count)
{
    if (index < 0) index = 0;
    if (index < GetLength() && count > 0)
        m_str.erase(index, std::min(count, GetLength() - index));
    return GetLength();
}

CString& CString::MakeUpper()
{
    for (auto& c : m_str) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return *this;
}

CString& CString::MakeLower()
{
    for (auto& c : m_str) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return *this;
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }

CString& CString::TrimLeft()
{
    size_t i = 0;
    while (i < m_str.size() && isspace(static_cast<unsigned char>(m_str[i]))) ++i;
    m_str.erase(0, i);
    return *this;
}

CString& CString::TrimRight()
{
    while (!m_str.empty() && isspace(static_cast<unsigned char>(m_str.back()))) m_str.pop_back();
    return *this;
}

CString& CString::TrimLeft(char ch)
{
    size_t i = 0;
    while (i < m_str.size() && m_str[i] == ch) ++i;
    m_str.erase(0, i);
    return *this;
}

CString& CString::TrimRight(char ch)
{
    while (!m_str.empty() && m_str.back() == ch) m_str.pop_back();
    return *this;
}

int CString::Compare(LPCSTR psz) const
{
    return strcmp(m_str.c_str(), psz ? psz : "");
}

int CString::CompareNoCase(LPCSTR psz) const
{
    return _stricmp(m_str.c_str(), psz ? psz : "");
}

void CString::FormatV(LPCSTR fmt, va_list args)
{
    if (!fmt) { m_str.clear(); return; }
    va_list copy;
    va_copy(copy, args);
    int n = vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    if (n < 0) { m_str.clear(); return; }
    std::vector<char> buf(static_cast<size_t>(n) + 1);
    vsnprintf(buf.data(), buf.size(), fmt, args);
    m_str.assign(buf.data(), static_cast<size_t>(n));
}

void CString::Format(LPCSTR fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    FormatV(fmt, args);
    va_end(args);
}

void CString::AppendFormat(LPCSTR fmt, ...)
{
    CString more;
    va_list args;
    va_start(args, fmt);
    more.FormatV(fmt, args);
    va_end(args);
    m_str += more.m_str;
}

BOOL CString::LoadString(UINT id)
{
    char buf[1024];
    int n = ::LoadStringA(GetModuleHandleA(nullptr), id, buf, sizeof buf);
    m_str.assign(buf, n > 0 ? n : 0);
    return n > 0;
}

LPSTR CString::GetBuffer(int nMinLength)
{
    if (nMinLength > GetLength()) m_str.resize(nMinLength);
    return m_str.data();
}

LPSTR CString::GetBufferSetLength(int nLength)
{
    m_str.resize(nLength > 0 ? nLength : 0);
    return m_str.data();
}

void CString::ReleaseBuffer(int nNewLength)
{
    if (nNewLength < 0)
        nNewLength = static_cast<int>(strnlen(m_str.c_str(), m_str.size()));
    m_str.resize(std::min<size_t>(nNewLength, m_str.size()));
}
