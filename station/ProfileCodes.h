// The translation between the security pages' menu indexes and the codes of WLANPROFILE, the
// editors' 802.1X settings record, and the WEP key conversion both editors store. Every writer
// of a profile record uses these codes.
#pragma once
#include "framework/Afx.h"
#include "contract/StationRecords.h"

// Authentication menu indexes of the authentication page.
enum AuthIndex : int {
    AUTHIDX_OPEN = 0, AUTHIDX_SHARED = 1, AUTHIDX_RESERVED2 = 2, AUTHIDX_WPA = 3, AUTHIDX_WPA_PSK = 4,
    AUTHIDX_WPA2 = 5, AUTHIDX_WPA2_PSK = 6, AUTHIDX_WPA_NONE = 7, AUTHIDX_WAPI_PSK = 8, AUTHIDX_WAPI_CA = 9,
    AUTHIDX_CCKM = 10, AUTHIDX_RESERVED11 = 11,
};
constexpr int kAuthIndexCount = 12;
// Encryption menu indexes.
enum EncryIndex : int {
    ENCRIDX_NONE = 0, ENCRIDX_WEP = 1, ENCRIDX_TKIP = 2, ENCRIDX_AES = 3, ENCRIDX_SMS4 = 4,
    ENCRIDX_TKIP_MFP = 5, ENCRIDX_AES_MFP = 6,
};
constexpr int kEncryIndexCount = 7;
// Key formats, the same on the page and in the record.
enum : int { KEYFMT_HEX = 0, KEYFMT_ASCII = 1 };

ULONG AuthIndexToCode(int index);
// Codes without an index read back as Open.
int AuthCodeToIndex(ULONG code);
ULONG EncryIndexToCode(int index);
// False for the codes without an index (2, 3, 5, 7 and the rest): the caller keeps its index.
bool EncryCodeToIndex(ULONG code, int* index);

// Inner methods as EAP type numbers. An index outside the menu gives the first entry's number.
ULONG PeapInnerToEapType(int index);
ULONG TtlsInnerToEapType(int index);
ULONG ProvisioningToEapType(int index);
// The EAP-FAST provisioning index shown by the caption of the provisioning button.
int ProvisioningIndexFromCaption(const CString& caption);

// Preamble: page index 0 Auto, 1 Long; record 2 auto, 0 long.
ULONG PreambleIndexToCode(int index);
int PreambleCodeToIndex(ULONG code);
// Power save: written unchanged, read back capped at 1 (0 CAM, 1 PSM).
int PowerSaveCodeToIndex(ULONG code);

// The 802.1X settings of the editors, kept between the 802.1X pages and the record.
struct StringRecord7 {
    int nEapMethod = EAPMETHOD_PEAP;  // enumAuthenProtocol
    ULONG nPeapInner = TUNNEL_MSCHAPV2;
    ULONG nProvisioningInner = TUNNEL_MSCHAPV2;
    ULONG nTtlsInner = TUNNEL_MSCHAPV2;
    ULONG nSessionResumption = 0;
    CString strIdentity;
    CString strPassword;
    CString strText1;
    CString strText2;
    CString strDomain;
    ULONG nPasswordMode = 1;
    ULONG bClientCert = 0;
    ULONG bServerCert = 0;
    ULONG bPAC = 0;
    ULONG bProvision = 1;
    CString strPacFilePath;
    ULONG bIntermediateCert = 0;
    CString strServerName;

    // enumTunnel: the TTLS inner method with TTLS, the PEAP one otherwise.
    ULONG TunnelCode() const { return nEapMethod == EAPMETHOD_TTLS ? nTtlsInner : nPeapInner; }
};

// One entry of a PAC list as the library reads and writes it.
struct PAC_ENTRY {
    ULONG dwValue;
    char szText1[256];
    char szText2[256];
};
static_assert(sizeof(PAC_ENTRY) == 516);

// A profile name in the library's zero-filled 128-byte form (a longer name is cut).
struct ProfileNameBuffer {
    explicit ProfileNameBuffer(const CString& name) { ::lstrcpynA(text, name.GetString(), sizeof text); }
    char text[kProfileNameBytes] = {};
};

// The longest entries the record keeps: each text field holds its terminator too.
constexpr int kIdentityMaxChars = sizeof(WLANPROFILE::chID) - 1;
constexpr int kPasswordMaxChars = sizeof(WLANPROFILE::chPassword) - 1;
constexpr int kDomainMaxChars = sizeof(WLANPROFILE::chDomainName) - 1;
constexpr int kServerNameMaxChars = sizeof(WLANPROFILE::chServerName) - 1;
constexpr int kPacTextMaxChars = sizeof(PAC_ENTRY::szText2) - 1;

// A WEP key as stored: a hexadecimal key of n digits gives n/2 bytes, an ASCII key its
// characters, zero-terminated in the 14-byte buffer; an empty key gives 14 zero bytes. The
// result is the key's length in bytes; a key too long for the buffer is cut to 13 bytes.
constexpr int kWepKeyBytes = 14;
ULONG WepKeyToBytes(const CString& text, int format, BYTE (&out)[kWepKeyBytes]);
