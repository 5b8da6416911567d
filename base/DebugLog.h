// The program's trace: level-filtered lines to the debugger output, and the optional
// desktop log file "KPL4471.LOG".
#pragma once
#include <windows.h>
#include <functional>

constexpr int kDebugLineBytes = 512;  // a formatted line is cut to 511 characters

// Writes when level is not above the settings file's debug mode (signed comparison).
void DebugLog(int level, LPCSTR format, ...);
// Writes whenever the debug mode is not 0 (the soft-AP side's lines).
void DebugLogIfEnabled(LPCSTR format, ...);

// Opens or creates the desktop log file and writes its header: 1 when it could be opened.
int OpenDebugLogFile();
// Timestamped lines into the log file when it is on: 1, or 0 when it is off.
int DebugLogText(LPCSTR text);
int DebugLogValue(LPCSTR name, long value);
// The log file's full path ("" until OpenDebugLogFile ran).
LPCSTR DebugLogFilePath();

// Where debugger-output lines go (OutputDebugStringA unless a test replaces it).
using DebugOutputSink = std::function<void(LPCSTR line)>;
void SetDebugOutputSink(DebugOutputSink sink);
