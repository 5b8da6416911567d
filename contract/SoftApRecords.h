// Records exchanged with the soft-AP library "QxAPAPI.dll" (little-endian, fixed-width fields;
// shared by the program and the stand-in library).
#pragma once
#include "contract/StationRecords.h"

#include <cstddef>

// `AP_CONFIG_DATA`: the access point's stored configuration; also the content of
// ".\ApDefaultSetting.dat".
struct AP_CONFIG_DATA {
    NDIS_802_11_SSID Ssid;     // SsidLength 0 = an empty record
    ULONG PhyMode;             // wireless mode code
    ULONG lFreq;               // kHz
    ULONG bAllowBW40;
    ULONG HT_PhyMode;          // TRANSMIT_SETTING bit field
    ULONG nTXRate;             // units of 500 kbit/s, 0 automatic
    ULONG nTxPower;
    ULONG nBGProtection;
    ULONG nCountryRegion;      // 2.4 GHz
    ULONG nCountryRegionABand; // 5 GHz
    ULONG nPreamble;
    ULONG nBeaconPeriod;       // ms
    ULONG lRtsThre;
    ULONG lFragThre;
    ULONG bTxBurst;
    ULONG bTurboRate;
    ULONG bNoForwarding;
    ULONG bHideSsid;
    ULONG bShortSlot;
    ULONG bAutoChannel;
    // The security block, 432 bytes from enumAuthenMode to the end of chWepKey.
    ULONG enumAuthenMode;
    ULONG enumEncryStatus;
    UCHAR chPskKey[64];        // not terminated
    ULONG nPskKeyLen;
    ULONG nGroupRekeyInterval;
    ULONG nGroupRekeyMethod;
    ULONG nRadiusPort;
    ULONG ulRadiusServer;
    char chRadiusKey[64];
    ULONG nWepDefaultKey;
    ULONG nWepKeyType[4];
    char chWepKey[4][64];
    ULONG nIdleTime;           // seconds
};
static_assert(sizeof(AP_CONFIG_DATA) == 548);
static_assert(offsetof(AP_CONFIG_DATA, PhyMode) == 36);
static_assert(offsetof(AP_CONFIG_DATA, lFreq) == 40);
static_assert(offsetof(AP_CONFIG_DATA, HT_PhyMode) == 48);
static_assert(offsetof(AP_CONFIG_DATA, nCountryRegion) == 64);
static_assert(offsetof(AP_CONFIG_DATA, bAutoChannel) == 108);
static_assert(offsetof(AP_CONFIG_DATA, enumAuthenMode) == 112);
static_assert(offsetof(AP_CONFIG_DATA, nPskKeyLen) == 184);
static_assert(offsetof(AP_CONFIG_DATA, nGroupRekeyInterval) == 188);
static_assert(offsetof(AP_CONFIG_DATA, chRadiusKey) == 204);
static_assert(offsetof(AP_CONFIG_DATA, nWepDefaultKey) == 268);
static_assert(offsetof(AP_CONFIG_DATA, nWepKeyType) == 272);
static_assert(offsetof(AP_CONFIG_DATA, chWepKey) == 288);
static_assert(offsetof(AP_CONFIG_DATA, nIdleTime) == 544);

// `AP_ADVANCE_DATA`: the second record of QXAP_WriteandSetConfigData and QXAP_SetConfigData.
struct AP_ADVANCE_DATA {
    ULONG bTxBurst;
    ULONG bTurboRate;
    ULONG bNoForwarding;
    ULONG bHideSsid;
    ULONG nBGProtection;
    ULONG bShortSlot;
    USHORT nIdleTime;
    UCHAR Reserved26[6];
    ULONG ulRadiusServer;
    ULONG nRadiusPort;
    char chRadiusKey[64];
    ULONG nGroupRekeyMethod;
    ULONG nGroupRekeyInterval;
};
static_assert(sizeof(AP_ADVANCE_DATA) == 112);
static_assert(offsetof(AP_ADVANCE_DATA, nIdleTime) == 24);
static_assert(offsetof(AP_ADVANCE_DATA, ulRadiusServer) == 32);
static_assert(offsetof(AP_ADVANCE_DATA, chRadiusKey) == 40);
static_assert(offsetof(AP_ADVANCE_DATA, nGroupRekeyMethod) == 104);

// The access-control policy: 0 off, 1 only the listed stations may join, 2 they may not.
enum : ULONG { AP_ACL_POLICY_DISABLE = 0, AP_ACL_POLICY_ALLOW = 1, AP_ACL_POLICY_REJECT = 2 };
constexpr int kApAclMaxEntries = 32;
// The texts of QXAP_ReadAccessPolicy / QXAP_ReadAccessList fill buffers of this size.
constexpr ULONG kApAccessTextBytes = 1024;
constexpr ULONG kApAccessListEntryChars = 12;  // hexadecimal digits of one address

struct AP_ACL_ENTRY {
    UCHAR Addr[6];
    UCHAR Reserved[2];
};
// `AP_ACL_LIST`: the record of QXAP_Set80211ACL.
struct AP_ACL_LIST {
    ULONG Policy;
    ULONG Num;
    AP_ACL_ENTRY Entry[kApAclMaxEntries];
};
static_assert(sizeof(AP_ACL_LIST) == 264);
static_assert(offsetof(AP_ACL_LIST, Entry) == 8);

constexpr int kApMacTableMaxEntries = 32;
// One associated station, 802.11n adapters: TxRate bits 0-6 MCS, 7 BW, 8 ShortGI, 9-10 STBC,
// 14-15 MODE (0 CCK, 1 OFDM, 2 and 3 HT).
struct VN_802_11_MAC_ENTRY {
    UCHAR Addr[6];
    UCHAR Aid;
    UCHAR Psm;  // non-zero: in power save
    USHORT TxRate;
};
static_assert(sizeof(VN_802_11_MAC_ENTRY) == 10);
struct VN_802_11_MAC_TABLE {
    ULONG Num;
    VN_802_11_MAC_ENTRY Entry[kApMacTableMaxEntries];
};
static_assert(sizeof(VN_802_11_MAC_TABLE) == 324);
static_assert(offsetof(VN_802_11_MAC_TABLE, Entry) == 4);

struct VN_802_11_MAC_ENTRY_NOT_11N {
    UCHAR Addr[6];
    UCHAR Aid;
    UCHAR Psm;
};
static_assert(sizeof(VN_802_11_MAC_ENTRY_NOT_11N) == 8);
struct VN_802_11_MAC_TABLE_NOT_11N {
    ULONG Num;
    VN_802_11_MAC_ENTRY_NOT_11N Entry[kApMacTableMaxEntries];
};
static_assert(sizeof(VN_802_11_MAC_TABLE_NOT_11N) == 260);
