// Reading the settings file that bears the program's name, and INI files beside the program.
// Every read opens the file anew; nothing is cached and nothing is ever written.
#pragma once
#include "framework/Afx.h"

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
