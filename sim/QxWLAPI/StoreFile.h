// The file in which the station library keeps its profiles beside itself, so that they outlive
// the program; SaveStoreFile writes it, never leaving a half-written store behind.
#pragma once
#include "sim/common/ModuleFiles.h"

#include <windows.h>

#include <string>

namespace sim {

// The store beside the library, unless the environment names another file.
inline constexpr char kStoreFileName[] = "QxWLProfiles.dat";
inline constexpr char kStoreFileVariable[] = "QXSIM_STORE";
// The store's bytes: framed with a magic word, version, length and checksum, so that a torn or
// foreign file is recognised and refused as a whole.
std::string FrameStore(const std::string& payload);
// The payload of a framed store; false (and why) when the frame is not whole.
bool UnframeStore(const std::string& bytes, std::string& payload, std::string& error);

}  // namespace sim
