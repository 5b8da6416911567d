// Reading the settings file that bears the program's name, and INI files beside the program.
// The reads of one key open the file anew; the section readers below read a section at once
// for as long as they live. Nothing is ever written.
#pragma once
#include "framework/Afx.h"

#include <string>
#include <unordered_map>
#include <utility>

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

// The keys of one INI file as the reads above answer them, each section read with one call the
// first time one of its keys is asked for: a loader that reads dozens of keys opens the file
// once per section, not once per key. Reads the file as it is while the object lives.
class IniFileSections {
public:
    explicit IniFileSections(CString path) : m_path(std::move(path)) {}
    // The settings file that bears the program's name.
    static IniFileSections OfSettingsFile();

    // As GetIniString: the value (at most 255 characters), or defaultValue when the key is missing.
    CString String(LPCSTR section, LPCSTR key, LPCSTR defaultValue) const;
    int FlagEquals1(LPCSTR section, LPCSTR key, LPCSTR defaultValue) const;
    int FlagNot0(LPCSTR section, LPCSTR key, LPCSTR defaultValue) const;
    int Int(LPCSTR section, LPCSTR key, int defaultValue) const;

private:
    const IniSection& Section(LPCSTR section) const;

    CString m_path;
    mutable std::unordered_map<std::string, IniSection> m_sections;  // by upper-case name
};
