#include "base/IniFile.h"

#include <cctype>
#include <climits>
#include <cstring>
#include <string>

namespace {
constexpr int kIniValueChars = 256;  // the read buffer: at most 255 characters and the NUL

// The rules of the reads below, whether a key is read alone or with its section.
int IsExactly1(const CString& value) { return value == "1" ? 1 : 0; }
int IsNotExactly0(const CString& value) { return value == "0" ? 0 : 1; }
int IntegerOr(const CString& text, int defaultValue) { return text.IsEmpty() ? defaultValue : ParseIniInteger(text); }

CString SettingsFilePath(LPCSTR ext)
{
    CString path = ProgramPath();
    int dot = path.ReverseFind('.');
    int slash = path.ReverseFind('\\');
    if (dot > slash) path = path.Left(dot + 1);
    else path += ".";
    return path + ext;
}
}  // namespace

CString ProgramPath()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

CString ProgramFolder()
{
    CString path = ProgramPath();
    return path.Left(path.ReverseFind('\\') + 1);
}

LPSTR GetIniString(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR out, LPCSTR ext)
{
    char buf[kIniValueChars] = "";
    ::GetPrivateProfileStringA(section, key, defaultValue, buf, sizeof buf, SettingsFilePath(ext));
    lstrcpynA(out, buf, kIniValueChars);
    return out;
}

CString ReadModuleIniString(LPCSTR section, LPCSTR key, LPCSTR defaultValue)
{
    char buf[kIniValueChars];
    return GetIniString(section, key, defaultValue, buf, "ini");
}

int ParseIniInteger(LPCSTR text)
{
    const char* p = text;
    while (*p == ' ' || *p == '\t') ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = (*p++ == '-');
    long long value = 0;
    while (isdigit(static_cast<unsigned char>(*p))) {
        value = value * 10 + (*p++ - '0');
        if (value > INT_MAX) { value = static_cast<long long>(INT_MAX) + (negative ? 1 : 0); break; }
    }
    return static_cast<int>(negative ? -value : value);
}

int ReadIniInt(LPCSTR section, LPCSTR key, int defaultValue)
{
    return IntegerOr(ReadModuleIniString(section, key, ""), defaultValue);
}

CString ReadIniStringInExeDir(LPCSTR section, LPCSTR key, LPCSTR fileName)
{
    char buf[kIniValueChars] = "";
    ::GetPrivateProfileStringA(section, key, "", buf, sizeof buf, ProgramFolder() + fileName);
    return buf;
}

int ReadIniFlagEquals1(LPCSTR section, LPCSTR key, LPCSTR defaultValue)
{
    return IsExactly1(ReadModuleIniString(section, key, defaultValue));
}

int ReadIniFlagNot0(LPCSTR section, LPCSTR key, LPCSTR defaultValue)
{
    return IsNotExactly0(ReadModuleIniString(section, key, defaultValue));
}

namespace {
constexpr DWORD kFirstSectionBytes = 32 * 1024;
constexpr DWORD kLargestSectionBytes = 4 * 1024 * 1024;

CString TrimmedValue(const char* begin, const char* end)
{
    while (begin < end && (*begin == ' ' || *begin == '\t')) ++begin;
    while (end > begin && (end[-1] == ' ' || end[-1] == '\t' || end[-1] == '\r')) --end;
    // One pair of matching quotes goes, double or single, as the profile functions take it.
    if (end - begin >= 2 && (*begin == '"' || *begin == '\'') && end[-1] == *begin) {
        ++begin;
        --end;
    }
    return CString(std::string(begin, end));
}
}  // namespace

bool IniSection::Load(LPCSTR file, LPCSTR section)
{
    m_entries.clear();
    std::vector<char> buf(kFirstSectionBytes);
    DWORD got;
    // The call answers size - 2 when the section did not fit.
    while ((got = ::GetPrivateProfileSectionA(section, buf.data(), static_cast<DWORD>(buf.size()), file)) ==
               buf.size() - 2 &&
           buf.size() < kLargestSectionBytes)
        buf.resize(buf.size() * 2);
    if (got == 0) return false;
    for (const char* line = buf.data(); *line && line < buf.data() + got; line += strlen(line) + 1) {
        const char* eq = strchr(line, '=');
        if (!eq) continue;
        CString key = TrimmedValue(line, eq);
        if (key.IsEmpty()) continue;
        m_entries.emplace(key.MakeUpper().str(), TrimmedValue(eq + 1, eq + strlen(eq)));  // the first one stays
    }
    return true;
}

const CString* IniSection::Find(LPCSTR key) const
{
    CString upper(key);
    auto it = m_entries.find(upper.MakeUpper().str());
    return it == m_entries.end() ? nullptr : &it->second;
}

IniFileSections IniFileSections::OfSettingsFile()
{
    return IniFileSections(SettingsFilePath("ini"));
}

const IniSection& IniFileSections::Section(LPCSTR section) const
{
    CString name(section);
    auto [it, added] = m_sections.try_emplace(name.MakeUpper().str());
    if (added) it->second.Load(m_path, section);
    return it->second;
}

CString IniFileSections::String(LPCSTR section, LPCSTR key, LPCSTR defaultValue) const
{
    const CString* value = Section(section).Find(key);
    return (value ? *value : CString(defaultValue ? defaultValue : "")).Left(kIniValueChars - 1);
}

int IniFileSections::FlagEquals1(LPCSTR section, LPCSTR key, LPCSTR defaultValue) const
{
    return IsExactly1(String(section, key, defaultValue));
}

int IniFileSections::FlagNot0(LPCSTR section, LPCSTR key, LPCSTR defaultValue) const
{
    return IsNotExactly0(String(section, key, defaultValue));
}

int IniFileSections::Int(LPCSTR section, LPCSTR key, int defaultValue) const
{
    return IntegerOr(String(section, key, ""), defaultValue);
}
