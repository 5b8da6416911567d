// Every entry point of the station library, exported under its plain name with the
// prototype the program binds (contract/StationEntryPoints.h): a definition that strays from
// it does not compile.
#pragma once
#include "contract/StationEntryPoints.h"
#include "sim/common/CallJournal.h"
#include "sim/QxWLAPI/SimWorld.h"

#include <string>

#define SIM_DECLARE_EXPORT(ret, name, params) extern "C" __attribute__((dllexport)) ret WINAPI name params;
QXWL_ENTRY_POINTS(SIM_DECLARE_EXPORT)
#undef SIM_DECLARE_EXPORT

namespace sim {
// The start of every entry point: the world file is looked at, the call journalled.
SimWorld& Enter(const std::string& journalLine);
// A text answer into a buffer of `capacity` bytes: terminated, or (when the world misbehaves)
// filling the whole buffer without a terminator.
void PutText(char* out, size_t capacity, const std::string& text);
}  // namespace sim
