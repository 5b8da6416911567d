#include "skin/WpsHelpers.h"
#include "base/DebugLog.h"
#include "base/SecureRandom.h"

#include <cstring>

namespace {
constexpr int kPinDigits = 8;
constexpr char kDefaultSsid[] = "Kelvo_WLAN";
constexpr ULONG kAuthWpa2Psk = 0x20, kEncrAes = 0x08;
constexpr ULONG kDefaultKeyIndex = 1;
constexpr size_t kDefaultKeyBytes = 32;  // written as 64 hexadecimal digits
}  // namespace

WpsPinCheck CheckWpsPinText(const CString& text, ULONG* pin)
{
    if (text.GetLength() != kPinDigits) return WpsPinCheck::kInvalid;
    ULONG value = 0;
    for (int i = 0; i < kPinDigits; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return WpsPinCheck::kInvalid;
        value = value * 10 + static_cast<ULONG>(c - '0');
    }
    if (value % 10 != WpsPinChecksum(value / 10)) return WpsPinCheck::kChecksumError;
    if (pin) *pin = value;
    return WpsPinCheck::kValid;
}

bool MakeDefaultRegistrarCredential(WPS_PROFILE& profile)
{
    memset(&profile, 0, sizeof profile);
    BYTE bytes[kDefaultKeyBytes] = {};
    if (!FillRandomBytes(bytes, sizeof bytes)) {
        DebugLog(1, "[QxUI] WPS: no random key for the registrar's credential\n");
        return false;
    }
    profile.ProfileCnt = 1;
    WPS_CREDENTIAL& c = profile.Profile[0];
    c.SSID.SsidLength = sizeof kDefaultSsid - 1;
    memcpy(c.SSID.Ssid, kDefaultSsid, c.SSID.SsidLength);
    c.AuthType = kAuthWpa2Psk;
    c.EncrType = kEncrAes;
    c.KeyIndex = kDefaultKeyIndex;
    c.KeyLength = kWpsKeyMaxBytes;
    static const char kHex[] = "0123456789ABCDEF";
    for (size_t i = 0; i < kDefaultKeyBytes; ++i) {
        c.Key[2 * i] = static_cast<UCHAR>(kHex[bytes[i] >> 4]);
        c.Key[2 * i + 1] = static_cast<UCHAR>(kHex[bytes[i] & 0xF]);
    }
    SecureZeroMemory(bytes, sizeof bytes);
    return true;
}
