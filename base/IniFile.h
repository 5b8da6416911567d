// Reading the settings file that bears the program's name, and INI files beside the program.
// Every read opens the file anew; nothing is cached and nothing is ever written.
#pragma once
#include "framework/Afx.h"

#include <string>
#include <unordered_map>

// The program's own full path (the module file name of the running program).
CString ProgramPath();
// The program's folder, with its trailing backslash.
CString ProgramFolder();

// Reads [section] key of the file named like the program with extension ext into out
// (at most 255 characters; out must hold 256). Answers out.
LPSTR GetIniString(LPCSTR section, LPCSTR key, LPCSTR defaultValue, LPSTR out, LPCSTR ext);
CString ReadModuleIniString(LPCSTR section, LPCSTR key, LPCSTR defaultValue);
// Integer rule: leading blanks, an optional sign, then digits (0 when there are none);
// an empty or missing value gives defaultValue.
int ReadIniInt(LPCSTR section, LPCSTR key, int defaultValue);
// [section] key of the file of that name in the program's folder; empty when missing.
CString ReadIniStringInExeDir(LPCSTR section, LPCSTR key, LPCSTR fileName);

// The two switch tests: "=1" is on only for exactly "1"; "!0" is on for anything but exactly "0".
int ReadIniFlagEquals1(LPCSTR section, LPCSTR key, LPCSTR defaultValue);
int ReadIniFlagNot0(LPCSTR section, LPCSTR key, LPCSTR defaultValue);
// The decimal rule on a text (atoi's).
int ParseIniInteger(LPCSTR text);

// One section of an INI file read at once: looking its keys up costs no further file reads.
// Values come as GetPrivateProfileStringA gives them: blanks around them trimmed, one pair of
// enclosing quotes removed, the first of repeated keys winning, keys compared without case.
class IniSection {
public:
    // False when the file or the section is missing (every look-up then misses).
    bool Load(LPCSTR file, LPCSTR section);
    // The value of key, or null when the section has no such key.
    const CString* Find(LPCSTR key) const;
    size_t Size() const { return m_entries.size(); }

private:
    std::unordered_map<std::string, CString> m_entries;  // by upper-case key
};
