// The companion-program stand-ins record how they were started: the whole command line, as the
// process received it, appended as one line to a log file in the program's own folder.
#pragma once
#include <windows.h>

#include <string>

namespace sim {

// The log's full path: the folder of the running program followed by fileName.
std::string FileBesideProgram(const char* fileName);
// Appends commandLine and a line end to the log; false when the file cannot be written.
bool AppendCommandLine(const char* fileName, const char* commandLine);

}  // namespace sim
