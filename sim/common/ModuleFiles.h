// Files beside a stand-in library: the folder it was loaded from, whole-file reads, and the store
// files in which a library keeps what it was given across runs.
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

// Where a save writes before it replaces the store.
std::string StoreTempPath(const std::string& path);
// Writes bytes as the new store at path: to a new file first, which then replaces the old one in
// one step, so that a crash or a full disk never leaves half a store. With failAfter below
// bytes.size(), the write stops after that many bytes, as on a full disk. False (and why, in
// error) when the store at path was not replaced; it is then exactly what it was before.
bool SaveStoreFile(const std::string& path, const std::string& bytes, size_t failAfter, std::string& error);

}  // namespace sim
