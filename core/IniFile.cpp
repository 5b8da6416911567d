#include "core/IniFile.h"

#include <cctype>
#include <climits>
#include <cstring>

namespace {
constexpr int kIniValueChars = 256;  // the read buffer: at most 255 characters and the NUL

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
    CString text = ReadModuleIniString(section, key, "");
    return text.IsEmpty() ? defaultValue : ParseIniInteger(text);
}

CString ReadIniStringInExeDir(LPCSTR section, LPCSTR key, LPCSTR fileName)
{
    char buf[kIniValueChars] = "";
    ::GetPrivateProfileStringA(section, key, "", buf, sizeof buf, ProgramFolder() + fileName);
    return buf;
}

int ReadIniFlagEquals1(LPCSTR section, LPCSTR key, LPCSTR defaultValue)
{
    return ReadModuleIniString(section, key, defaultValue) == "1" ? 1 : 0;
}

int ReadIniFlagNot0(LPCSTR section, LPCSTR key, LPCSTR defaultValue)
{
    return ReadModuleIniString(section, key, defaultValue) == "0" ? 0 : 1;
}
