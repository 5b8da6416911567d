// The Wi-Fi Direct records exchanged with the station library: the status block and its
// discovery and group entries, the configuration record, the control record and the IP record.
// Little-endian and packed, shared by the program and the stand-in.
#pragma once
#include "contract/StationRecords.h"

#include <cstddef>

// Event codes of the status block's first byte.
enum WIFIDIRECT_EVENT : UCHAR {
    WIFIDIRECTEVENT_DISCOVERY_START = 1,
    WIFIDIRECTEVENT_STATUS_UPDATE_DISCOVERY = 2,
    WIFIDIRECTEVENT_STATUS_GO_NEGO_DONE = 3,
    WIFIDIRECTEVENT_STATUS_WPS_FAIL = 4,
    WIFIDIRECTEVENT_STATUS_WPS_DONE = 5,
    WIFIDIRECTEVENT_STATUS_GROUP_UPDATE = 6,
    WIFIDIRECTEVENT_GEN_SEUDO_ADHOC_PROFILE = 7,
    WIFIDIRECTEVENT_ENABLE_DHCP_SERVER = 8,
    WIFIDIRECTEVENT_DISABLE_DHCP_SERVER = 9,
    WIFIDIRECTEVENT_DISCONNECT = 10,
    WIFIDIRECTEVENT_POPUP_SETTING_WINDOWS = 11,
    WIFIDIRECTEVENT_PERSISTENT_CONNT_FAIL = 12,
    WIFIDIRECTEVENT_DISPLAY_PIN = 13,
    WIFIDIRECTEVENT_SWITCH_OPMODE_CONCURRENT = 14,
    WIFIDIRECTEVENT_SWITCH_OPMODE_STA = 15,
    WIFIDIRECTEVENT_NO_CROSSCONNECTION = 16,
    WIFIDIRECTEVENT_SUPPORT_CROSSCONNECTION = 17,
    WIFIDIRECTEVENT_SIGMA_IS_ON = 20,
    WIFIDIRECTEVENT_ERROR_CODE = 21,
    WIFIDIRECTEVENT_PROGRESS_SUCCESS = 22,
};

#pragma pack(push, 1)
struct WIFIDIRECT_DEVICE_TYPE {
    USHORT CategoryID;
    ULONG OUI;
    USHORT SubCategoryID;
};
static_assert(sizeof(WIFIDIRECT_DEVICE_TYPE) == 8);

// One discovered device; an entry with chNoOfThisGroup k is followed by its k-1 group members.
struct WIFIDIRECT_DISCOVERY_ENTRY {
    UCHAR chNoOfThisGroup;
    UCHAR nRule;
    UCHAR WiFiDirectFlags;
    UCHAR Reserved3;
    USHORT ConfigMethod;
    UCHAR MacAddr[6];
    WIFIDIRECT_DEVICE_TYPE nPrimaryDeviceType;
    UCHAR chDeviceName[32];
    ULONG ulDeviceNameLength;
};
static_assert(sizeof(WIFIDIRECT_DISCOVERY_ENTRY) == 56);
static_assert(offsetof(WIFIDIRECT_DISCOVERY_ENTRY, nPrimaryDeviceType) == 12);
static_assert(offsetof(WIFIDIRECT_DISCOVERY_ENTRY, ulDeviceNameLength) == 52);

// One member of the group this device belongs to.
struct WIFIDIRECT_GROUP_ENTRY {
    UCHAR nRule;
    CHAR chDbm;
    UCHAR EntryStatus;
    UCHAR MacAddr[6];
    UCHAR IpAddrs[4];
    WIFIDIRECT_DEVICE_TYPE nPrimaryDeviceType;
    UCHAR chDeviceName[32];
    UCHAR Reserved53[3];
    ULONG ulDeviceNameLength;
};
static_assert(sizeof(WIFIDIRECT_GROUP_ENTRY) == 60);
static_assert(offsetof(WIFIDIRECT_GROUP_ENTRY, IpAddrs) == 9);
static_assert(offsetof(WIFIDIRECT_GROUP_ENTRY, ulDeviceNameLength) == 56);

// A device as the engine and its pages keep it.
struct WIFIDIRECT_DEVICE_ENTRY {
    ULONG bConnectToMe;
    UCHAR chDeviceName[32];
    ULONG ulDeviceNameLength;
    WIFIDIRECT_DEVICE_TYPE nPrimaryDeviceType;
    UCHAR MacAddr[6];
    ULONG nRule;
    USHORT ConfigMethod;
    UCHAR WiFiDirectFlags;
    UCHAR IpAddrs[4];
    CHAR chDbm;
    ULONG nNumOfSubMember;
    UCHAR EntryStatus;
};
static_assert(sizeof(WIFIDIRECT_DEVICE_ENTRY) == 71);
static_assert(offsetof(WIFIDIRECT_DEVICE_ENTRY, nRule) == 54);
static_assert(offsetof(WIFIDIRECT_DEVICE_ENTRY, EntryStatus) == 70);
#pragma pack(pop)

// The status block and the offsets of its event-dependent fields.
constexpr size_t kWiFiDirectStatusBytes = 1808;
constexpr size_t kWdEntriesOffset = 8;       // discovery or group entries
constexpr size_t kWdCountOffset = 4;         // u8 number of entries
constexpr size_t kWdMaxDiscoveryEntries = (kWiFiDirectStatusBytes - kWdEntriesOffset) / sizeof(WIFIDIRECT_DISCOVERY_ENTRY);
constexpr size_t kWdMaxGroupEntries = (kWiFiDirectStatusBytes - kWdEntriesOffset) / sizeof(WIFIDIRECT_GROUP_ENTRY);
static_assert(kWdMaxDiscoveryEntries == 32 && kWdMaxGroupEntries == 30);
// Event 3, negotiation done.
constexpr size_t kWdNegoConfigFlagOffset = 4;
constexpr size_t kWdNegoWpsModeOffset = 8;
constexpr size_t kWdNegoPinOffset = 12;
constexpr size_t kWdNegoSsidOffset = 20;
constexpr size_t kWdNegoBssidOffset = 136;
// Event 5, WPS done: channel at 4, own role at 9, the credential (a WPS_CREDENTIAL) from 16.
constexpr size_t kWdWpsChannelOffset = 4;
constexpr size_t kWdWpsRoleOffset = 9;
constexpr size_t kWdWpsCredentialOffset = 16;
constexpr size_t kWdWpsSsidLengthOffset = 16;
constexpr size_t kWdWpsSsidOffset = 20;
constexpr size_t kWdWpsKeyLengthOffset = 64;
constexpr size_t kWdWpsKeyOffset = 68;
static_assert(kWdWpsCredentialOffset + offsetof(WPS_CREDENTIAL, KeyLength) == kWdWpsKeyLengthOffset);
static_assert(kWdWpsCredentialOffset + offsetof(WPS_CREDENTIAL, Key) == kWdWpsKeyOffset);
// Event 7, pseudo profile.
constexpr size_t kWdPseudoChannelOffset = 4;
constexpr size_t kWdPseudoSsidOffset = 8;
// Event 11, incoming request.
constexpr size_t kWdRequestNameOffset = 4;
constexpr size_t kWdRequestNameLengthOffset = 36;
constexpr size_t kWdRequestAddressOffset = 40;
constexpr size_t kWdRequestConfigMethodOffset = 46;
// Event 12, persistent failure; event 21, error.
constexpr size_t kWdPersistentEntryOffset = 4;
constexpr size_t kWdErrorCodeOffset = 4;
constexpr size_t kWdErrorValueOffset = 8;
constexpr size_t kWdErrorConfigMethodOffset = 12;

// Configuration commands (ConfigMode) of the configuration record.
enum WIFIDIRECT_CONFIG_MODE : ULONG {
    WIFIDIRECT_CONFIG_ENABLE = 1,
    WIFIDIRECT_CONFIG_SCAN = 2,
    WIFIDIRECT_CONFIG_INVITE = 3,
    WIFIDIRECT_CONFIG_DISCONNECT = 6,
    WIFIDIRECT_CONFIG_GO_WPS = 9,
    WIFIDIRECT_CONFIG_ICS_ON = 11,
    WIFIDIRECT_CONFIG_ICS_OFF = 12,
    WIFIDIRECT_CONFIG_PASSPHRASE = 13,
};
// WPS methods that carry a PIN.
constexpr ULONG kWdWpsMethodPinA = 0x10000000;
constexpr ULONG kWdWpsMethodPinUser = 0x40000000;
constexpr ULONG kWdWpsMethodPinB = 0x80000000;
inline bool WpsMethodCarriesPin(ULONG method)
{
    return method == kWdWpsMethodPinA || method == kWdWpsMethodPinUser || method == kWdWpsMethodPinB;
}

constexpr int kWdMaxListedDevices = 30;
struct WIFIDIRECT_WPSE_PROFILE {
    char ProfileName[128];
    struct {
        UCHAR chString[32];
    } MyDeviceName;
    ULONG ulDeviceNameLength;
    ULONG ConfigMode;
    ULONG WpsMethod;
    char PIN[8];
    UCHAR Reserved180[4];
    ULONG ulIntentIndex;  // 16 = autonomous group owner
    UCHAR Reserved188[4];
    ULONG ulListenChannel;
    ULONG ulOperatingChannel;
    UCHAR Reserved200[8];
    NDIS_802_11_SSID SSID;
    ULONG KeyLength;
    UCHAR Key[64];
    UCHAR Reserved312[4];
    ULONG ulNumOfDeviceName;
    UCHAR DeviceNames[kWdMaxListedDevices][32];
    ULONG ulNumOfDeviceAddr;
    UCHAR DeviceAddrs[kWdMaxListedDevices][6];
};
static_assert(sizeof(WIFIDIRECT_WPSE_PROFILE) == 1464);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, ConfigMode) == 164);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, PIN) == 172);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, ulIntentIndex) == 184);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, ulOperatingChannel) == 196);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, SSID) == 208);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, KeyLength) == 244);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, ulNumOfDeviceName) == 316);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, ulNumOfDeviceAddr) == 1280);
static_assert(offsetof(WIFIDIRECT_WPSE_PROFILE, DeviceAddrs) == 1284);

// QXWL_ReadWifiDirectControl's record.
constexpr size_t kWdControlBytes = 40;
constexpr ULONG kWdControlEnable = 0x1;
inline ULONG WdControlIntent(ULONG word) { return (word >> 4) & 0xF; }
inline ULONG WdControlConfigMethods(ULONG word) { return (word >> 12) & 0x7; }
constexpr size_t kWdControlSsidLengthOffset = 4;
constexpr size_t kWdControlSsidOffset = 8;

// QXWL_GetWifiDirectIP's record.
constexpr size_t kWdIpRecordBytes = 32;
constexpr size_t kWdIpAddressOffset = 4;
constexpr size_t kWdIpMaskOffset = 8;
constexpr size_t kWdIpGatewayOffset = 12;
constexpr size_t kWdIpDhcpServerOffset = 16;

// QXWL_HostedNetworkQueryStatus's record, read by offset.
constexpr size_t kHostedStatusBytes = 640;
constexpr size_t kHostedStatusActiveOffset = 0;
constexpr size_t kHostedStatusPeersOffset = 36;
