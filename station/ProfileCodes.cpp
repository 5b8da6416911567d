#include "station/ProfileCodes.h"
#include "base/LanguageTable.h"
#include "base/TextChecks.h"

#include <cstring>

namespace {
constexpr ULONG kAuthCodes[kAuthIndexCount] = {
    AUTH_OPEN, AUTH_SHARED, AUTH_OPEN, AUTH_WPA, AUTH_WPA_PSK, AUTH_WPA2, AUTH_WPA2_PSK, AUTH_WPA_NONE,
    AUTH_WAPI_PSK, AUTH_WAPI_CERT, AUTH_CCKM, AUTH_CODE_14,
};
constexpr ULONG kEncryCodes[kEncryIndexCount] = {
    ENCRY_NONE, ENCRY_WEP, ENCRY_TKIP, ENCRY_AES, ENCRY_SMS4, ENCRY_TKIP_MFP, ENCRY_AES_MFP,
};
constexpr ULONG kPeapInner[] = {TUNNEL_MSCHAPV2, TUNNEL_TLS, RS_TunnelGTC};
constexpr ULONG kTtlsInner[] = {TUNNEL_CHAP, TUNNEL_MSCHAP, TUNNEL_MSCHAPV2, TUNNEL_PAP, TUNNEL_EAP_MD5};
constexpr ULONG kProvisioningInner[] = {TUNNEL_MSCHAPV2, TUNNEL_TLS, RS_TunnelGTC};
constexpr int kProvisioningGtc = 2, kProvisioningSmartCard = 1, kProvisioningDefault = 0;
constexpr ULONG kPreambleAuto = 2, kPreambleLong = 0;
constexpr int kPreambleIndexAuto = 0, kPreambleIndexLong = 1;

template <size_t N>
ULONG Lookup(const ULONG (&table)[N], int index)
{
    return index >= 0 && static_cast<size_t>(index) < N ? table[index] : table[0];
}
}  // namespace

ULONG AuthIndexToCode(int index)
{
    return Lookup(kAuthCodes, index);
}

int AuthCodeToIndex(ULONG code)
{
    // Index 2 shares code 0 with Open; reading back always gives Open.
    for (int index = 0; index < kAuthIndexCount; ++index)
        if (index != AUTHIDX_RESERVED2 && kAuthCodes[index] == code)
            return index;
    return AUTHIDX_OPEN;
}

ULONG EncryIndexToCode(int index)
{
    return Lookup(kEncryCodes, index);
}

bool EncryCodeToIndex(ULONG code, int* index)
{
    for (int i = 0; i < kEncryIndexCount; ++i)
        if (kEncryCodes[i] == code) {
            *index = i;
            return true;
        }
    return false;
}

ULONG PeapInnerToEapType(int index)
{
    return Lookup(kPeapInner, index);
}

ULONG TtlsInnerToEapType(int index)
{
    return Lookup(kTtlsInner, index);
}

ULONG ProvisioningToEapType(int index)
{
    return Lookup(kProvisioningInner, index);
}

int ProvisioningIndexFromCaption(const CString& caption)
{
    if (caption == G_LangTable.IDS_8021X_PEAP_TUNNEL_TLS_GTC)
        return kProvisioningGtc;
    if (caption == G_LangTable.IDS_8021X_PEAP_TUNNEL_TLS_SMART_CARD)
        return kProvisioningSmartCard;
    return kProvisioningDefault;
}

ULONG PreambleIndexToCode(int index)
{
    return index == kPreambleIndexLong ? kPreambleLong : kPreambleAuto;
}

int PreambleCodeToIndex(ULONG code)
{
    return code == kPreambleLong ? kPreambleIndexLong : kPreambleIndexAuto;
}

int PowerSaveCodeToIndex(ULONG code)
{
    return code >= 1 ? 1 : 0;
}

ULONG WepKeyToBytes(const CString& text, int format, BYTE (&out)[kWepKeyBytes])
{
    std::memset(out, 0, sizeof(out));
    constexpr int kMaxKeyBytes = kWepKeyBytes - 1;  // room for the terminator
    const int length = text.GetLength();
    int bytes = 0;
    if (format == KEYFMT_HEX) {
        bytes = length / 2 < kMaxKeyBytes ? length / 2 : kMaxKeyBytes;
        HexTextToBytes(text, out, bytes);
    } else {
        bytes = length < kMaxKeyBytes ? length : kMaxKeyBytes;
        std::memcpy(out, static_cast<LPCSTR>(text), static_cast<size_t>(bytes));
    }
    return static_cast<ULONG>(bytes);
}
