// The file in which the station library keeps its profiles beside itself, so that they outlive
// the program. A save never leaves a half-written store behind: the bytes go to a new file
// first, which then replaces the old one in one step; a crash or a full disk before that step
// leaves the previous store as it was.
#pragma once
#include <windows.h>

#include <string>

namespace sim {

// The store beside the library, unless the environment names another file.
inline constexpr char kStoreFileName[] = "QxWLProfiles.dat";
inline constexpr char kStoreFileVariable[] = "QXSIM_STORE";
// Where a save writes before it replaces the store.
std::string StoreTempPath(const std::string& path);

// Writes bytes as the new store at path. With failAfter below bytes.size(), the write stops
// after that many bytes, as on a full disk. False (and why, in error) when the store at path
// was not replaced; it is then exactly what it was before.
bool SaveStoreFile(const std::string& path, const std::string& bytes, size_t failAfter, std::string& error);

// The store's bytes: framed with a magic word, version, length and checksum, so that a torn or
// foreign file is recognised and refused as a whole.
std::string FrameStore(const std::string& payload);
// The payload of a framed store; false (and why) when the frame is not whole.
bool UnframeStore(const std::string& bytes, std::string& payload, std::string& error);

}  // namespace sim
