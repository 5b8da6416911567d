// Files beside a stand-in library: the folder it was loaded from, whole-file reads.
#pragma once
#include <windows.h>

#include <string>

namespace sim {

// The folder of the module that holds this code, with its closing backslash.
std::string ModuleFolder();
// The world file: the path in the environment variable when set, else fileName in ModuleFolder().
std::string WorldFilePath(const char* environmentVariable, const char* fileName);
// False when the file cannot be opened; it may be shared with a writer.
bool ReadWholeFile(const std::string& path, std::string& text);

}  // namespace sim
