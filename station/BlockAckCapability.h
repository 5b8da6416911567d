// The Block-Ack capability as the station library takes it (an 8-byte record and a packed
// 32-bit word) and the Block-Ack agreement table it reports.
#pragma once
#include "contract/StationRecords.h"
#include "station/CPage80211nSettingDlg.h"

#include <array>
#include <vector>

// `BA_CAPABILITY`: passed to QXWL_SetBACap as two 32-bit words, bytes 0-3 then 4-7.
struct BA_CAPABILITY {
    UCHAR ValueB;
    UCHAR ValueA;
    UCHAR MpduAggregation;      // 1 on, 2 off
    UCHAR MpduDensity;          // 0 to 7
    UCHAR AmsduEnabled;         // 0/1
    UCHAR AmsduSize;            // 0 = 3839, 1 = 7935
    UCHAR MimoPowerSave;        // 0 static, 1 dynamic, 3 SM enable
    UCHAR AutoMpduAggregation;  // 0/1
};
static_assert(sizeof(BA_CAPABILITY) == 8);
static_assert(offsetof(BA_CAPABILITY, MpduAggregation) == 2);
static_assert(offsetof(BA_CAPABILITY, AutoMpduAggregation) == 7);

constexpr UCHAR kBaAggregationOn = 1, kBaAggregationOff = 2;
constexpr UCHAR kMimoStatic = 0, kMimoDynamic = 1, kMimoSmEnable = 3;

// The capability word of QXWL_WriteBACap and QXWL_ReadBACap; bits 26-31 are 0.
ULONG PackBaCapability(const BA_CAPABILITY& cap);
BA_CAPABILITY UnpackBaCapability(ULONG word);

// `BA_ENTRY`: one agreement peer of the table.
constexpr int kBaTids = 8;
struct BA_ENTRY {
    UCHAR PeerMac[6];
    UCHAR TidBitmap;              // bit n: an agreement for TID n
    UCHAR Reserved7;
    UCHAR TidValue8[kBaTids];     // shown in the TID columns
    USHORT TidValue16[kBaTids];
    UCHAR Reserved32[16];
};
static_assert(sizeof(BA_ENTRY) == 48);
static_assert(offsetof(BA_ENTRY, TidBitmap) == 6);
static_assert(offsetof(BA_ENTRY, TidValue8) == 8);
static_assert(offsetof(BA_ENTRY, TidValue16) == 16);

// `BA_TABLE`: filled by QXWL_QueryBATable.
constexpr int kBaEntriesPerSide = 32;
struct BA_TABLE {
    BA_ENTRY Originator[kBaEntriesPerSide];
    BA_ENTRY Recipient[kBaEntriesPerSide];
    UCHAR OriginatorCount;
    UCHAR RecipientCount;
    UCHAR Reserved3074[2];
};
static_assert(sizeof(BA_TABLE) == 3076);
static_assert(offsetof(BA_TABLE, Recipient) == 1536);
static_assert(offsetof(BA_TABLE, OriginatorCount) == 3072);
static_assert(offsetof(BA_TABLE, RecipientCount) == 3073);

constexpr UCHAR kBaOriginator = 0, kBaRecipient = 1;
constexpr int kBaListColumns = 1 + kBaTids;  // the MAC, then TID 0 to 7
using BaListRow = std::array<CString, kBaListColumns>;
static_assert(kBaListColumns == CPage80211nSettingDlg::kBaColumns);

// One side of the table as list rows and per-TID records. Entries with an empty TID bitmap are
// skipped; the walk stops once `count` entries were taken. Answers whether it got that far (the
// list shows the rows only then).
bool BuildBaSide(const BA_ENTRY (&entries)[kBaEntriesPerSide], UCHAR count, UCHAR direction,
                 std::vector<BaListRow>& rows, std::vector<BA_TID_ROW>& records);
