// The peer list of the Block-Ack dialogs: the driver's peers, the associated access point first.
#pragma once
#include "framework/Afx.h"
#include "base/StationLibraryView.h"
#include "contract/StationRecords.h"

#include <array>
#include <vector>

using MacAddress = std::array<UCHAR, 6>;

// The driver's Block-Ack peers in its order (at most what the 324-byte answer holds), none when
// the query fails.
std::vector<MacAddress> QueryBlockAckPeers();
// Refills the list with the peers as "%02X-%02X-%02X-%02X-%02X-%02X"; when connected with the
// radio on and the access point is a peer, its first occurrence comes first. All-zero addresses
// are left out. Row 0 is selected when there is one.
void RefreshBssidList(CListCtrl& list);
// Removes every "-", zeroes the six bytes and decodes the first 12 characters as hex pairs.
void MacTextToBytes(UCHAR* mac, LPCSTR text);
// The selected row of a single-selection list, -1 when none.
int GetSelectedRow(CListCtrl& list);

constexpr ULONG kPeerListBytes = 324;
constexpr size_t kPeerEntryBytes = 10;
constexpr size_t kMaxPeers = (kPeerListBytes - sizeof(ULONG)) / kPeerEntryBytes;
static_assert(kMaxPeers == 32);
// The peer-list OIDs: operating-system code 10 and above, and below.
constexpr ULONG OID_BA_PEER_LIST_VISTA = 0xFF0C0029;
constexpr ULONG OID_BA_PEER_LIST_XP = 0x0D71010B;
