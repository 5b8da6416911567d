// Records exchanged by address (or by value) with the station library "QxWLAPI.dll".
// Shared by the program and the stand-in library: the layouts are the library's, so every
// size and offset below binds. Plain structs of fixed-width fields (ULONG and LONG are 32-bit
// on every Windows target), no pointers, identical in 32- and 64-bit builds.
#pragma once
#include <windows.h>
#include <ntddndis.h>  // the published NDIS 802.11 records: SSID, BSSID list

#include <cstddef>
#include <cstdint>

static_assert(sizeof(ULONG) == 4 && sizeof(LONG) == 4 && sizeof(UCHAR) == 1, "fixed-width fields");

// ---------------------------------------------------------------------------------------------
// Published NDIS 802.11 records (from the platform header), with the layout this program relies on.

constexpr ULONG kSsidMaxLength = 32;          // NDIS_802_11_SSID.Ssid; no terminator at full length
constexpr ULONG kNdisWlanBssidFixedBytes = 116;  // NDIS_WLAN_BSSID_EX up to its information elements

static_assert(sizeof(NDIS_802_11_SSID) == 36);
static_assert(offsetof(NDIS_802_11_SSID, Ssid) == 4);
static_assert(sizeof(NDIS_802_11_CONFIGURATION) == 32);
static_assert(offsetof(NDIS_802_11_CONFIGURATION, DSConfig) == 12);  // centre frequency in kHz
static_assert(offsetof(NDIS_WLAN_BSSID_EX, Length) == 0);
static_assert(offsetof(NDIS_WLAN_BSSID_EX, MacAddress) == 4);
static_assert(offsetof(NDIS_WLAN_BSSID_EX, Ssid) == 12);
static_assert(offsetof(NDIS_WLAN_BSSID_EX, Privacy) == 48);
static_assert(offsetof(NDIS_WLAN_BSSID_EX, Rssi) == 52);
static_assert(offsetof(NDIS_WLAN_BSSID_EX, NetworkTypeInUse) == 56);
static_assert(offsetof(NDIS_WLAN_BSSID_EX, Configuration) == 60);
static_assert(offsetof(NDIS_WLAN_BSSID_EX, InfrastructureMode) == 92);
static_assert(offsetof(NDIS_WLAN_BSSID_EX, SupportedRates) == 96);
static_assert(offsetof(NDIS_WLAN_BSSID_EX, IELength) == 112);
static_assert(offsetof(NDIS_WLAN_BSSID_EX, IEs) == kNdisWlanBssidFixedBytes);
static_assert(sizeof(NDIS_802_11_NETWORK_TYPE) == 4 && sizeof(NDIS_802_11_NETWORK_INFRASTRUCTURE) == 4);
static_assert(offsetof(NDIS_802_11_BSSID_LIST_EX, NumberOfItems) == 0);
static_assert(offsetof(NDIS_802_11_BSSID_LIST_EX, Bssid) == 4);

// ---------------------------------------------------------------------------------------------
// Bit fields of 32-bit words are read and written with masks, never with C bit fields.

constexpr ULONG BitField(ULONG word, unsigned shift, unsigned width)
{
    return (word >> shift) & ((width >= 32) ? 0xFFFFFFFFu : ((1u << width) - 1u));
}
constexpr ULONG WithBitField(ULONG word, unsigned shift, unsigned width, ULONG value)
{
    const ULONG mask = ((width >= 32) ? 0xFFFFFFFFu : ((1u << width) - 1u)) << shift;
    return (word & ~mask) | ((value << shift) & mask);
}

// One named field of a 32-bit word.
struct WordField {
    unsigned shift, width;
    const char* name;
};
constexpr ULONG GetBits(ULONG word, WordField f) { return BitField(word, f.shift, f.width); }
constexpr ULONG SetBits(ULONG word, WordField f, ULONG value) { return WithBitField(word, f.shift, f.width, value); }

// `CCX2_CONTROL`: one u32 word.
using CCX2_CONTROL = ULONG;
namespace ccx2 {
using Field = WordField;
constexpr Field Enable{0, 1, "Enable"};
constexpr Field CCKMEnable{1, 1, "CCKMEnable"};
constexpr Field RMEnable{2, 1, "RMEnable"};
constexpr Field DCRMEnable{3, 1, "DCRMEnable"};
constexpr Field CACEnable{4, 1, "CACEnable"};
constexpr Field FastRoamEnable{5, 1, "FastRoamEnable"};
constexpr Field NetworkEAP{6, 1, "NetworkEAP"};
constexpr Field RotateProfile{7, 1, "RotateProfile"};
constexpr Field dBmToRoam{8, 8, "dBmToRoam"};
constexpr Field TuLimit{16, 10, "TuLimit"};
constexpr Field MFP{26, 1, "MFP"};
constexpr Field RFRoamEnable{27, 1, "RFRoamEnable"};
constexpr Field VoiceRate{28, 1, "VoiceRate"};
constexpr Field kAll[] = {Enable, CCKMEnable, RMEnable, DCRMEnable, CACEnable, FastRoamEnable, NetworkEAP,
                          RotateProfile, dBmToRoam, TuLimit, MFP, RFRoamEnable, VoiceRate};
}  // namespace ccx2

// `TRANSMIT_SETTING`: one u32 word.
using TRANSMIT_SETTING = ULONG;
namespace transmit_setting {
using Field = WordField;
constexpr Field PhyMode{0, 4, "PhyMode"};
constexpr Field MCS{4, 7, "MCS"};
constexpr Field BW{11, 1, "BW"};
constexpr Field ShortGI{12, 1, "ShortGI"};
constexpr Field STBC{13, 1, "STBC"};
constexpr Field TRANSNO{14, 2, "TRANSNO"};
constexpr Field HTMODE{16, 1, "HTMODE"};
constexpr Field EXTCHA{17, 2, "EXTCHA"};
constexpr Field LEGACYMODE{19, 2, "LEGACYMODE"};
constexpr Field kAll[] = {PhyMode, MCS, BW, ShortGI, STBC, TRANSNO, HTMODE, EXTCHA, LEGACYMODE};
}  // namespace transmit_setting

// `PROF_SSO`: bits of WLANPROFILE.ssoInfo.
namespace prof_sso {
constexpr ULONG bUseSSO = 1u << 0;
constexpr ULONG bAllowMachine = 1u << 1;
constexpr ULONG nLogon = 1u << 2;
}  // namespace prof_sso

// Codes of WLANPROFILE.enumAuthenMode (NDIS 802.11 numbering, extended).
enum : ULONG {
    AUTH_OPEN = 0, AUTH_SHARED = 1, AUTH_WPA = 3, AUTH_WPA_PSK = 4, AUTH_WPA_NONE = 5, AUTH_WPA2 = 6,
    AUTH_WPA2_PSK = 7, AUTH_WAPI_PSK = 10, AUTH_WAPI_CERT = 11, AUTH_CCKM = 13, AUTH_CODE_14 = 14,
};
// Codes of WLANPROFILE.enumEncryStatus (NDIS 802.11 numbering, extended).
enum : ULONG {
    ENCRY_WEP = 0, ENCRY_NONE = 1, ENCRY_WEP_KEY_ABSENT = 2, ENCRY_WEP_NOT_SUPPORTED = 3, ENCRY_TKIP = 4,
    ENCRY_TKIP_KEY_ABSENT = 5, ENCRY_AES = 6, ENCRY_AES_KEY_ABSENT = 7, ENCRY_SMS4 = 9, ENCRY_TKIP_MFP = 10,
    ENCRY_AES_MFP = 11,
};
// Codes of WLANPROFILE.enumAuthenProtocol (EAP method).
enum : ULONG { EAPMETHOD_PEAP = 0, EAPMETHOD_TLS = 1, EAPMETHOD_TTLS = 2, EAPMETHOD_FAST = 3, EAPMETHOD_MD5 = 4, EAPMETHOD_LEAP = 5 };
// WLANPROFILE.enumTunnel and enumProvisioningTunnel: inner methods as EAP type numbers.
enum : ULONG {
    TUNNEL_EAP_MD5 = 4, RS_TunnelGTC = 6, TUNNEL_TLS = 13, TUNNEL_MSCHAPV2 = 26, TUNNEL_MSCHAP = 71,
    TUNNEL_CHAP = 72, TUNNEL_PAP = 73,
};
// WLANPROFILE.enumNetworkType.
enum : ULONG { NETWORK_ADHOC = 0, NETWORK_INFRASTRUCTURE = 1 };

// ---------------------------------------------------------------------------------------------
// Records of the station library.

// `VN_802_11_TX_RATES`: a length byte, then up to 27 rates.
struct VN_802_11_TX_RATES {
    UCHAR SupRateLen;
    UCHAR SupRate[27];
};
constexpr ULONG kMaxSupRates = 27;
static_assert(sizeof(VN_802_11_TX_RATES) == 28);

// `VN_802_11_STA_CONFIG`
struct VN_802_11_STA_CONFIG {
    ULONG EnableTxBurst;
    ULONG EnableTurboRate;
    ULONG UseBGProtection;
    ULONG UseShortSlotTime;
    ULONG AdhocMode;
    ULONG HwRadioStatus;
    ULONG Reserved;
    ULONG SystemErrorBitmap;
};
static_assert(sizeof(VN_802_11_STA_CONFIG) == 32);
static_assert(offsetof(VN_802_11_STA_CONFIG, HwRadioStatus) == 20);

// `VN_BLOB_KEY`: a certificate blob.
struct VN_BLOB_KEY {
    ULONG BlobLength;
    UCHAR BlobData[152];
};
constexpr ULONG kBlobDataBytes = 152;
static_assert(sizeof(VN_BLOB_KEY) == 156);

// `CERT_INFO`: one certificate of a store as QXWL_EnumCert describes it. The blob belongs to
// the library's array until QXWL_FreeCertArray. The blob address is the one pointer in these
// records: 4 bytes at 1028 in the 32-bit build, 8 in a 64-bit build, the record 1040 bytes in
// both. In a namespace of its own: the platform's crypto header has a record of the same name.
namespace qxwl {
#pragma pack(push, 4)
struct CERT_INFO {
    char szIssuedTo[256];
    char szIssuedBy[256];
    char szExpiration[256];  // year, month and day separated by "/"
    char szFriendlyName[256];
    ULONG BlobLength;        // 0: no certificate
    BYTE* pBlob;
    BYTE Reserved[12 - sizeof(BYTE*)];
};
#pragma pack(pop)
static_assert(sizeof(CERT_INFO) == 1040);
static_assert(offsetof(CERT_INFO, szExpiration) == 512);
static_assert(offsetof(CERT_INFO, BlobLength) == 1024);
static_assert(offsetof(CERT_INFO, pBlob) == 1028);
}  // namespace qxwl
constexpr char kCertStoreUser[] = "MY";
constexpr char kCertStoreRoot[] = "ROOT";

constexpr ULONG kEapFastBlobBytes = 3000;
constexpr size_t kProfileNameBytes = 128;  // strProfileName, and every profile-name buffer of the library
constexpr int kPacListMax = 50;  // the most PAC entries QXWL_WritePACList stores with one profile

// `WLANPROFILE`: the connection profile.
struct WLANPROFILE {
    ULONG bBssid;  // 1 = connect to BSSID only
    NDIS_802_11_SSID SSID;
    UCHAR BSSID[6];
    UCHAR Reserved42[2];
    ULONG enumNetworkType;
    ULONG enumPreamType;  // 0 long, 2 auto
    LONG lRtsThre;
    LONG lFragThre;
    ULONG enumAuthenMode;
    ULONG enumEncryStatus;
    LONG lTxPower;  // index 0-6
    char WEPKey1[64];
    ULONG WEPKey1Type;
    char WEPKey2[64];
    ULONG WEPKey2Type;
    char WEPKey3[64];
    ULONG WEPKey3Type;
    char WEPKey4[64];
    ULONG WEPKey4Type;
    ULONG wepDefaultKey;
    ULONG enumPSMode;
    ULONG bACCam;
    LONG lFreq;  // channel
    ULONG bDisassociate;
    ULONG bUseDiagnostic;
    ULONG Reserved372;
    ULONG bSetAdvance;
    ULONG bSetOidFromProfilePageSetting;
    UCHAR aryRates[8];
    VN_802_11_TX_RATES arySupDesRates;
    VN_802_11_STA_CONFIG configSta;
    CCX2_CONTROL ccx2Control;
    ULONG nCountryRegion;
    ULONG b8021X;
    ULONG enumAuthenProtocol;
    ULONG enumTunnel;
    ULONG enumProvisioningTunnel;
    ULONG nSessionResumption;
    ULONG bClientCert;
    ULONG bClientCertInSmartCard;
    ULONG bServerCert;
    ULONG bPAC;
    ULONG bProvision;
    char chPACfilepath[256];
    ULONG bIntermediateCert;
    ULONG nServerNameRule;
    char chID[128];
    char chPassword[128];
    char chServerName[128];
    char chDomainName[128];
    char chPskKey[64];  // pass phrase or hex key
    ULONG nIDModeIndex;
    ULONG nPskKeyLen;
    ULONG nPskKeyType;
    ULONG nPasswordMode;
    VN_BLOB_KEY CA_cert;
    VN_BLOB_KEY user_cert;
    UCHAR pEapFastConfigBlob[kEapFastBlobBytes];  // inline, despite its name
    ULONG dwLenEapFastConfigBlob;
    ULONG ssoInfo;  // prof_sso bits
    char chUserCertPath[256];
    char chASCertPath[256];
    char chPin[128];
    ULONG bIsWPS;
    ULONG bUseFragThre;
    ULONG bUseRTSThre;
    char strProfileName[kProfileNameBytes];
    ULONG nProfileID;
    ULONG bCacheUserInfo;
    UCHAR Reserved5464[520];
};
static_assert(sizeof(WLANPROFILE) == 5984);
static_assert(offsetof(WLANPROFILE, SSID) == 4);
static_assert(offsetof(WLANPROFILE, BSSID) == 40);
static_assert(offsetof(WLANPROFILE, enumNetworkType) == 48);
static_assert(offsetof(WLANPROFILE, enumPreamType) == 52);
static_assert(offsetof(WLANPROFILE, lRtsThre) == 56);
static_assert(offsetof(WLANPROFILE, lFragThre) == 60);
static_assert(offsetof(WLANPROFILE, enumAuthenMode) == 64);
static_assert(offsetof(WLANPROFILE, enumEncryStatus) == 68);
static_assert(offsetof(WLANPROFILE, lTxPower) == 72);
static_assert(offsetof(WLANPROFILE, WEPKey1) == 76);
static_assert(offsetof(WLANPROFILE, WEPKey1Type) == 140);
static_assert(offsetof(WLANPROFILE, WEPKey2) == 144);
static_assert(offsetof(WLANPROFILE, WEPKey2Type) == 208);
static_assert(offsetof(WLANPROFILE, WEPKey3) == 212);
static_assert(offsetof(WLANPROFILE, WEPKey3Type) == 276);
static_assert(offsetof(WLANPROFILE, WEPKey4) == 280);
static_assert(offsetof(WLANPROFILE, WEPKey4Type) == 344);
static_assert(offsetof(WLANPROFILE, wepDefaultKey) == 348);
static_assert(offsetof(WLANPROFILE, enumPSMode) == 352);
static_assert(offsetof(WLANPROFILE, bACCam) == 356);
static_assert(offsetof(WLANPROFILE, lFreq) == 360);
static_assert(offsetof(WLANPROFILE, bDisassociate) == 364);
static_assert(offsetof(WLANPROFILE, bUseDiagnostic) == 368);
static_assert(offsetof(WLANPROFILE, bSetAdvance) == 376);
static_assert(offsetof(WLANPROFILE, bSetOidFromProfilePageSetting) == 380);
static_assert(offsetof(WLANPROFILE, aryRates) == 384);
static_assert(offsetof(WLANPROFILE, arySupDesRates) == 392);
static_assert(offsetof(WLANPROFILE, configSta) == 420);
static_assert(offsetof(WLANPROFILE, ccx2Control) == 452);
static_assert(offsetof(WLANPROFILE, nCountryRegion) == 456);
static_assert(offsetof(WLANPROFILE, b8021X) == 460);
static_assert(offsetof(WLANPROFILE, enumAuthenProtocol) == 464);
static_assert(offsetof(WLANPROFILE, enumTunnel) == 468);
static_assert(offsetof(WLANPROFILE, enumProvisioningTunnel) == 472);
static_assert(offsetof(WLANPROFILE, nSessionResumption) == 476);
static_assert(offsetof(WLANPROFILE, bClientCert) == 480);
static_assert(offsetof(WLANPROFILE, bClientCertInSmartCard) == 484);
static_assert(offsetof(WLANPROFILE, bServerCert) == 488);
static_assert(offsetof(WLANPROFILE, bPAC) == 492);
static_assert(offsetof(WLANPROFILE, bProvision) == 496);
static_assert(offsetof(WLANPROFILE, chPACfilepath) == 500);
static_assert(offsetof(WLANPROFILE, bIntermediateCert) == 756);
static_assert(offsetof(WLANPROFILE, nServerNameRule) == 760);
static_assert(offsetof(WLANPROFILE, chID) == 764);
static_assert(offsetof(WLANPROFILE, chPassword) == 892);
static_assert(offsetof(WLANPROFILE, chServerName) == 1020);
static_assert(offsetof(WLANPROFILE, chDomainName) == 1148);
static_assert(offsetof(WLANPROFILE, chPskKey) == 1276);
static_assert(offsetof(WLANPROFILE, nIDModeIndex) == 1340);
static_assert(offsetof(WLANPROFILE, nPskKeyLen) == 1344);
static_assert(offsetof(WLANPROFILE, nPskKeyType) == 1348);
static_assert(offsetof(WLANPROFILE, nPasswordMode) == 1352);
static_assert(offsetof(WLANPROFILE, CA_cert) == 1356);
static_assert(offsetof(WLANPROFILE, user_cert) == 1512);
static_assert(offsetof(WLANPROFILE, pEapFastConfigBlob) == 1668);
static_assert(offsetof(WLANPROFILE, dwLenEapFastConfigBlob) == 4668);
static_assert(offsetof(WLANPROFILE, ssoInfo) == 4672);
static_assert(offsetof(WLANPROFILE, chUserCertPath) == 4676);
static_assert(offsetof(WLANPROFILE, chASCertPath) == 4932);
static_assert(offsetof(WLANPROFILE, chPin) == 5188);
static_assert(offsetof(WLANPROFILE, bIsWPS) == 5316);
static_assert(offsetof(WLANPROFILE, bUseFragThre) == 5320);
static_assert(offsetof(WLANPROFILE, bUseRTSThre) == 5324);
static_assert(offsetof(WLANPROFILE, strProfileName) == 5328);
static_assert(offsetof(WLANPROFILE, nProfileID) == 5456);
static_assert(offsetof(WLANPROFILE, bCacheUserInfo) == 5460);
static_assert(offsetof(WLANPROFILE, Reserved5464) == 5464);

// `ADVANCE_CONFIG_DATA` (also the 40-byte configuration record of QXWL_ReadConfigData).
struct ADVANCE_CONFIG_DATA {
    LONG BGProtection;
    CCX2_CONTROL CCX2Control;
    LONG CountryRegion;
    LONG CountryRegionABand;
    LONG ShowAuthStatus;
    TRANSMIT_SETTING TransmitSetting;
    LONG TransRate;
    LONG TXBurst;
    LONG WirelessMode;
    LONG EnableTcpWindowSize;
};
static_assert(sizeof(ADVANCE_CONFIG_DATA) == 40);
static_assert(offsetof(ADVANCE_CONFIG_DATA, CCX2Control) == 4);
static_assert(offsetof(ADVANCE_CONFIG_DATA, CountryRegion) == 8);
static_assert(offsetof(ADVANCE_CONFIG_DATA, CountryRegionABand) == 12);
static_assert(offsetof(ADVANCE_CONFIG_DATA, ShowAuthStatus) == 16);
static_assert(offsetof(ADVANCE_CONFIG_DATA, TransmitSetting) == 20);
static_assert(offsetof(ADVANCE_CONFIG_DATA, TransRate) == 24);
static_assert(offsetof(ADVANCE_CONFIG_DATA, TXBurst) == 28);
static_assert(offsetof(ADVANCE_CONFIG_DATA, WirelessMode) == 32);
static_assert(offsetof(ADVANCE_CONFIG_DATA, EnableTcpWindowSize) == 36);

// `ADVANCE_OID`: the advanced settings the card initialisation sets (passed by value).
struct ADVANCE_OID {
    ULONG PhyMode;
    UCHAR TransmitNo;  // bytes 4-10: the OID_SET_HT_PHYMODE phyMode part
    UCHAR HtMode;
    UCHAR ExtOffset;
    UCHAR MCS;
    UCHAR BW;
    UCHAR STBC;
    UCHAR SHORTGI;
    UCHAR Reserved11;
    LONG nBGProtection;
    ULONG bTXBurst;
    ULONG CountryRegIndex11BG;
    ULONG CountryRegIndex11A;
    ULONG VNphyMode;
    ULONG nTXRate;
};
static_assert(sizeof(ADVANCE_OID) == 36);
static_assert(offsetof(ADVANCE_OID, TransmitNo) == 4);
static_assert(offsetof(ADVANCE_OID, SHORTGI) == 10);
static_assert(offsetof(ADVANCE_OID, nBGProtection) == 12);
static_assert(offsetof(ADVANCE_OID, bTXBurst) == 16);
static_assert(offsetof(ADVANCE_OID, CountryRegIndex11BG) == 20);
static_assert(offsetof(ADVANCE_OID, CountryRegIndex11A) == 24);
static_assert(offsetof(ADVANCE_OID, VNphyMode) == 28);
static_assert(offsetof(ADVANCE_OID, nTXRate) == 32);

// `WPS_MODE` (passed by value to QXWL_SetWPSMode and QXWL_WriteWPSProfile).
struct WPS_MODE {
    ULONG WpsMode;
    char PIN[8];  // eight digits, no terminator
    NDIS_802_11_SSID WpsSSID;
    UCHAR Bssid[6];
    UCHAR Channel;
    UCHAR ConfigMode;
};
static_assert(sizeof(WPS_MODE) == 56);
static_assert(offsetof(WPS_MODE, PIN) == 4);
static_assert(offsetof(WPS_MODE, WpsSSID) == 12);
static_assert(offsetof(WPS_MODE, Bssid) == 48);
static_assert(offsetof(WPS_MODE, Channel) == 54);
static_assert(offsetof(WPS_MODE, ConfigMode) == 55);

// `WPS_CREDENTIAL`: AuthType and EncrType carry Wi-Fi Simple Configuration bits.
constexpr ULONG kWpsKeyMaxBytes = 64;
struct WPS_CREDENTIAL {
    NDIS_802_11_SSID SSID;
    ULONG AuthType;
    ULONG EncrType;
    ULONG KeyIndex;
    ULONG KeyLength;  // at most 64
    UCHAR Key[kWpsKeyMaxBytes];
    UCHAR MacAddr[6];
    UCHAR Reserved122[2];
};
static_assert(sizeof(WPS_CREDENTIAL) == 124);
static_assert(offsetof(WPS_CREDENTIAL, AuthType) == 36);
static_assert(offsetof(WPS_CREDENTIAL, EncrType) == 40);
static_assert(offsetof(WPS_CREDENTIAL, KeyIndex) == 44);
static_assert(offsetof(WPS_CREDENTIAL, KeyLength) == 48);
static_assert(offsetof(WPS_CREDENTIAL, Key) == 52);
static_assert(offsetof(WPS_CREDENTIAL, MacAddr) == 116);

// `WPS_PROFILE`: a count and up to eight credentials (passed by value to QXWL_SetWPSProfile
// and QXWL_WriteWPSProfile).
constexpr ULONG kWpsMaxCredentials = 8;
struct WPS_PROFILE {
    ULONG ProfileCnt;  // at most 8
    WPS_CREDENTIAL Profile[kWpsMaxCredentials];
};
static_assert(sizeof(WPS_PROFILE) == 996);
static_assert(offsetof(WPS_PROFILE, Profile) == 4);

// `ADAPTER_ENTRY`: one adapter of QXWL_GetAvailableAdapters (a u32 count, then the entries).
// Each text is NUL-terminated and starts at its offset; the bytes after 1292 are the library's.
struct ADAPTER_ENTRY {
    char chName[64];          // the adapter's name
    char chDeviceID[64];      // passed on to the mode-swap program
    char chText128[264];
    char chText392[64];
    char chSoftApName[64];    // the name the soft-AP pages pass on
    char chDeviceName[256];   // the device the diagnostics library opens
    char chText776[256];      // third descriptive text of the adapter selection
    char chText1032[256];     // fourth descriptive text
    ULONG nKind;              // 0 to 3 are the basic kinds
    UCHAR Reserved1292[8];
};
static_assert(sizeof(ADAPTER_ENTRY) == 1300);
static_assert(offsetof(ADAPTER_ENTRY, chDeviceID) == 64);
static_assert(offsetof(ADAPTER_ENTRY, chText128) == 128);
static_assert(offsetof(ADAPTER_ENTRY, chText392) == 392);
static_assert(offsetof(ADAPTER_ENTRY, chSoftApName) == 456);
static_assert(offsetof(ADAPTER_ENTRY, chDeviceName) == 520);
static_assert(offsetof(ADAPTER_ENTRY, chText776) == 776);
static_assert(offsetof(ADAPTER_ENTRY, chText1032) == 1032);
static_assert(offsetof(ADAPTER_ENTRY, nKind) == 1288);
constexpr size_t kAdapterListHeaderBytes = sizeof(ULONG);  // the count word before the entries

// `WLAN_STATUS`: the link status; the query's selectors choose which parts are filled.
struct WLAN_STATUS {
    ULONG status;        // 0 not connected, 2 disconnected, 3 connected
    ULONG linkState;     // link-state message code
    NDIS_802_11_SSID Ssid;
    UCHAR Bssid[6];      // all zero: no access point
    UCHAR Reserved50[2];
    ULONG networkType;
    LONG rssi0;          // dBm; -200 = antenna absent
    ULONG signal0;       // percent
    ULONG antenna1Present;
    LONG rssi1;
    ULONG signal1;
    ULONG antenna2Present;
    LONG rssi2;
    ULONG signal2;
    ULONG snr0;          // 0 or 44 = not available
    ULONG snr1;
    UCHAR Reserved96[20];
    ULONG frequency;     // kHz
    UCHAR Reserved120[16];
    ULONG authMode;      // WLANPROFILE numbering
    ULONG encryStatus;
    ULONG txRate;        // units of 500 kbit/s
    ULONG linkQuality;   // percent
    ULONG txBytes;       // wrapping
    ULONG rxBytes;
    ULONG centralChannel;
    UCHAR Reserved164[4];
    double txRateMbps;
    double rxRateMbps;
    UCHAR Reserved184[16];
    ULONG txPower;       // percent
    ULONG htTransmitSetting;  // MCS bits 0-6, BW bit 7, ShortGI bit 8, mode bits 14-15
    UCHAR Reserved208[8];
    ULONG xmitOkLow;     // 64-bit transmitted-packet counter, low then high word
    ULONG xmitOkHigh;
    UCHAR Reserved224[184];
    ULONG rcvTotalLow;   // 64-bit received total, low then high word
    ULONG rcvTotalHigh;
    ULONG rcvOk;         // received-packet counter (OID_GEN_RCV_OK)
    UCHAR Reserved420[8];
    UCHAR ipAddress[4];  // first byte first
    UCHAR ipMask[4];
    UCHAR ipGateway[4];
    UCHAR Reserved440[104];
};
static_assert(sizeof(WLAN_STATUS) == 544);
static_assert(offsetof(WLAN_STATUS, linkState) == 4);
static_assert(offsetof(WLAN_STATUS, Ssid) == 8);
static_assert(offsetof(WLAN_STATUS, Bssid) == 44);
static_assert(offsetof(WLAN_STATUS, networkType) == 52);
static_assert(offsetof(WLAN_STATUS, rssi0) == 56);
static_assert(offsetof(WLAN_STATUS, signal0) == 60);
static_assert(offsetof(WLAN_STATUS, antenna1Present) == 64);
static_assert(offsetof(WLAN_STATUS, rssi1) == 68);
static_assert(offsetof(WLAN_STATUS, signal1) == 72);
static_assert(offsetof(WLAN_STATUS, antenna2Present) == 76);
static_assert(offsetof(WLAN_STATUS, rssi2) == 80);
static_assert(offsetof(WLAN_STATUS, signal2) == 84);
static_assert(offsetof(WLAN_STATUS, snr0) == 88);
static_assert(offsetof(WLAN_STATUS, snr1) == 92);
static_assert(offsetof(WLAN_STATUS, frequency) == 116);
static_assert(offsetof(WLAN_STATUS, authMode) == 136);
static_assert(offsetof(WLAN_STATUS, encryStatus) == 140);
static_assert(offsetof(WLAN_STATUS, txRate) == 144);
static_assert(offsetof(WLAN_STATUS, linkQuality) == 148);
static_assert(offsetof(WLAN_STATUS, txBytes) == 152);
static_assert(offsetof(WLAN_STATUS, rxBytes) == 156);
static_assert(offsetof(WLAN_STATUS, centralChannel) == 160);
static_assert(offsetof(WLAN_STATUS, txRateMbps) == 168);
static_assert(offsetof(WLAN_STATUS, rxRateMbps) == 176);
static_assert(offsetof(WLAN_STATUS, txPower) == 200);
static_assert(offsetof(WLAN_STATUS, htTransmitSetting) == 204);
static_assert(offsetof(WLAN_STATUS, xmitOkLow) == 216);
static_assert(offsetof(WLAN_STATUS, xmitOkHigh) == 220);
static_assert(offsetof(WLAN_STATUS, rcvTotalLow) == 408);
static_assert(offsetof(WLAN_STATUS, rcvTotalHigh) == 412);
static_assert(offsetof(WLAN_STATUS, rcvOk) == 416);
static_assert(offsetof(WLAN_STATUS, ipAddress) == 428);
static_assert(offsetof(WLAN_STATUS, ipMask) == 432);
static_assert(offsetof(WLAN_STATUS, ipGateway) == 436);

constexpr ULONG kStatusNotConnected = 0;
constexpr ULONG kStatusDisconnected = 2;
constexpr ULONG QxStatus_Connected = 3;

// Link-state message codes of WLAN_STATUS.linkState.
enum : ULONG {
    LINK_STATE_UP = 0, LINK_STATE_DOWN = 1, LINK_STATE_HW_RADIO_OFF = 2, LINK_STATE_SW_RADIO_OFF = 3,
    LINK_STATE_AUTH_FAIL = 4, LINK_STATE_AUTH_FAIL_KEYS = 5, LINK_STATE_ASSOC_FAIL = 6,
    LINK_STATE_EAP_MIC_FAILURE = 7, LINK_STATE_4WAY_TIMEOUT = 8, LINK_STATE_GROUP_KEY_TIMEOUT = 9,
    LINK_STATE_EAP_SUCCESS = 10,
};

// `WLAN_STATUS_QUERY`: five selectors passed by value. The status word is always filled.
struct WLAN_STATUS_QUERY {
    ULONG bLink;         // link state, frequency, rates, transmit power, HT word, byte counters
    ULONG bAssociation;  // SSID, BSSID, network type, authentication and encryption
    ULONG bSignal;       // RSSI and strength per antenna, SNR, link quality
    ULONG bAddress;      // IPv4 address, mask, gateway
    ULONG bTotals;       // packet totals (offsets 216, 220, 408, 412, 416)
};
static_assert(sizeof(WLAN_STATUS_QUERY) == 20);

// ---------------------------------------------------------------------------------------------
// Records passed by value whose fields other parts of the program fill.

// `EXTAP_CONFIG`: the hosted network's configuration.
struct EXTAP_CONFIG {
    ULONG SsidLength;  // at most 32
    UCHAR Ssid[32];
    ULONG Channel;     // or the bridge word
    UCHAR Key[64];
    ULONG KeyLength;   // at most 64
    ULONG MaxPeers;
    ULONG Reserved112;
    UCHAR IpAddress[4];  // most significant first
    UCHAR Reserved120[24];
};
static_assert(sizeof(EXTAP_CONFIG) == 144);
static_assert(offsetof(EXTAP_CONFIG, Channel) == 36);
static_assert(offsetof(EXTAP_CONFIG, Key) == 40);
static_assert(offsetof(EXTAP_CONFIG, KeyLength) == 104);
static_assert(offsetof(EXTAP_CONFIG, MaxPeers) == 108);
static_assert(offsetof(EXTAP_CONFIG, IpAddress) == 116);

// `HOSTEDNETWORK_STATUS`: the hosted network's state and its stations.
struct HOSTEDNETWORK_STATION {
    UCHAR Mac[6];
    UCHAR Reserved6[2];
    ULONG AuthState;  // 1 authenticated
};
static_assert(sizeof(HOSTEDNETWORK_STATION) == 12);
struct HOSTEDNETWORK_STATUS {
    static constexpr ULONG kMaxStations = 50;
    ULONG State;  // 1 the hosted network is up
    UCHAR Reserved4[16];
    UCHAR Bssid[6];
    UCHAR Reserved26[6];
    ULONG Channel;
    ULONG StationCount;  // may exceed kMaxStations: readers clamp
    HOSTEDNETWORK_STATION Stations[kMaxStations];
};
static_assert(sizeof(HOSTEDNETWORK_STATUS) == 640);
static_assert(offsetof(HOSTEDNETWORK_STATUS, Bssid) == 20);
static_assert(offsetof(HOSTEDNETWORK_STATUS, Channel) == 32);
static_assert(offsetof(HOSTEDNETWORK_STATUS, StationCount) == 36);
static_assert(offsetof(HOSTEDNETWORK_STATUS, Stations) == 40);

// `BA_REQUEST`: a Block-Ack request, byte-packed.
#pragma pack(push, 1)
struct BA_REQUEST {
    UCHAR Direction;  // 0 originator, 1 recipient
    UCHAR PeerMac[6];
    UCHAR TID;
    UCHAR WindowSize;
    UCHAR Reserved9;
    USHORT Reserved10;
    UCHAR AllTids;
    UCHAR Reserved13;
};
#pragma pack(pop)
static_assert(sizeof(BA_REQUEST) == 14);
static_assert(offsetof(BA_REQUEST, TID) == 7);
static_assert(offsetof(BA_REQUEST, Reserved10) == 10);
static_assert(offsetof(BA_REQUEST, AllTids) == 12);

// Records of the library that other parts of the program define.
struct IE_PARSE_RESULT;        // 384 bytes, QXWL_ParseInfoElement
struct WIFIDIRECT_WPSE_PROFILE;  // 1464 bytes, the Wi-Fi Direct configuration
struct BA_TABLE;               // 3076 bytes, QXWL_QueryBATable
