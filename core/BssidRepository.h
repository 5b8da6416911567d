// The repository of recently seen networks: every fresh scan list is merged into the last
// merged list, so that an access point missing from one scan stays listed for a while.
#pragma once
#include "core/QXWLLIB.h"

// 15 seconds in FILETIME units (100 ns): how long an absent access point stays listed.
constexpr ULONGLONG kRepositRetention = 150000000;

// What a merge needs to know besides the two lists; QXWLLIB::UpdateRepositBssidList asks the library.
struct BssidMergeInput {
    ULONGLONG now = 0;                  // the stamp of this merge (FILETIME, UTC)
    bool replace = false;               // repository-time mode: replace, retain nothing
    const UCHAR* channels = nullptr;    // the channels the wireless mode allows now
    ULONG channelCount = 0;
    PFN_QXWL_FrequencyToChannel frequencyToChannel = nullptr;  // kHz to channel, -1 for none
};

// Merges the fresh scan list in `list` (a buffer of listBytes) into the repository. Fresh entries
// come first, in their order, stamped now; the repository's other entries follow in their order
// while they are younger than the retention and on an allowed channel. The merged list is at most
// the repository's size and kRepositStampCount entries. Unless in repository-time mode, when the
// fresh list announced entries, `list` receives the merged list: the whole entries that fit in
// listBytes, with its count set to them.
void MergeRepositBssidList(REPOSIT_BSSID_LIST& repository, void* list, ULONG listBytes, const BssidMergeInput& input);

// QXWLLIB::UpdateRepositBssidList (declared with the station object) is the same for the object:
// it asks the library for the allowed channels and the repository-time mode, takes the time and
// merges into its own repository.
