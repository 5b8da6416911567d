#include "skin/SurveyListEntry.h"
#include "base/StationLibraryView.h"
#include "base/LanguageTable.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace {
constexpr ULONG kNdisOfdm24 = 3;
constexpr BYTE kOfdmBasic6 = 0x8C, kOfdmBasic9 = 0x92, kOfdmBasic12 = 0x98;
}  // namespace

int AuthBitsToProfileAuth(ULONG bits)
{
    if (bits == IE_AUTH_WPA_NONE) return SURVEY_AUTH_WPA_NONE;
    if (bits == IE_AUTH_WPA || bits == IE_AUTH_WPA_PSK) return static_cast<int>(bits);
    if (bits == IE_AUTH_WPA2) return SURVEY_AUTH_WPA2;
    if ((bits & IE_AUTH_WPA) && (bits & IE_AUTH_WPA2)) return SURVEY_AUTH_WPA2;
    if (bits == IE_AUTH_WPA2_PSK || bits == IE_AUTH_WPA2_NONE) return SURVEY_AUTH_WPA2_PSK;
    if ((bits & IE_AUTH_WPA_PSK) && (bits & IE_AUTH_WPA2_PSK)) return SURVEY_AUTH_WPA2_PSK;
    if (bits == IE_AUTH_WAPI_PSK) return SURVEY_AUTH_WAPI_PSK;
    if (bits == IE_AUTH_WAPI_CERT) return SURVEY_AUTH_WAPI_CERT;
    // Any other mix (WPA2 with WPA2-PSK, WPA-PSK with WPA2, ...) is shown by the strongest
    // method it offers, a key before a server: a secured network must not read "WEP".
    static constexpr struct {
        ULONG bits;
        int code;
    } kStrongestFirst[] = {
        {IE_AUTH_WPA2_PSK | IE_AUTH_WPA2_NONE, SURVEY_AUTH_WPA2_PSK}, {IE_AUTH_WPA2, SURVEY_AUTH_WPA2},
        {IE_AUTH_WPA_PSK, SURVEY_AUTH_WPA_PSK}, {IE_AUTH_WPA, SURVEY_AUTH_WPA}, {IE_AUTH_WPA_NONE, SURVEY_AUTH_WPA_NONE},
        {IE_AUTH_WAPI_PSK, SURVEY_AUTH_WAPI_PSK}, {IE_AUTH_WAPI_CERT, SURVEY_AUTH_WAPI_CERT},
    };
    for (const auto& method : kStrongestFirst)
        if (bits & method.bits) return method.code;
    return SURVEY_AUTH_NONE;
}

int SurveyAuthCode(const IE_PARSE_RESULT& parsed, LONG osCode)
{
    if (parsed.bCckm && osCode >= kVistaOsCode) return SURVEY_AUTH_CCKM;
    return AuthBitsToProfileAuth(parsed.authMask);
}

CString SurveySecurityText(int code, bool secured)
{
    switch (code) {
    case SURVEY_AUTH_WPA: return "WPA";
    case SURVEY_AUTH_WPA_PSK:
    case SURVEY_AUTH_WPA_NONE: return "WPA-PSK";
    case SURVEY_AUTH_WPA2: return "WPA2";
    case SURVEY_AUTH_WPA2_PSK: return "WPA2-PSK";
    case SURVEY_AUTH_WAPI_PSK: return "WAPI-PSK";
    case SURVEY_AUTH_WAPI_CERT: return "WAPI-CA";  // a WAPI certificate network, not WPA
    default: return secured ? CString("WEP") : G_LangTable.IDS_VAL_DISABLE;
    }
}

CString CipherBitsText(ULONG cipherBits)
{
    static constexpr struct {
        ULONG bit;
        const char* name;
    } kCiphers[] = {{IE_CIPHER_WEP, "WEP+"}, {IE_CIPHER_TKIP, "TKIP+"}, {IE_CIPHER_AES, "AES+"}, {IE_CIPHER_SMS4, "SMS4+"}};
    CString text;
    for (const auto& cipher : kCiphers)
        if (cipherBits & cipher.bit) text += cipher.name;
    if (text.IsEmpty()) return "NONE";
    return text.Left(text.GetLength() - 1);
}

bool IsSecuredRecord(const NDIS_WLAN_BSSID_EX& record, const IE_PARSE_RESULT& parsed)
{
    return record.Privacy != 0 || parsed.authMask != 0 || parsed.cipherMask != 0;
}

ULONG HasOfdmBasicRate(const NDIS_WLAN_BSSID_EX& record)
{
    if (record.NetworkTypeInUse != kNdisOfdm24) return 0;
    for (BYTE rate : record.SupportedRates)
        if (rate == kOfdmBasic6 || rate == kOfdmBasic9 || rate >= kOfdmBasic12) return 1;
    return 0;
}

ULONG WapiKind(ULONG authBits)
{
    if (authBits & IE_AUTH_WAPI_PSK) return 1;
    if (authBits & IE_AUTH_WAPI_CERT) return 2;
    return 0;
}

std::vector<size_t> OrderBySsid(const std::vector<CString>& ssids)
{
    std::vector<size_t> order(ssids.size());
    std::iota(order.begin(), order.end(), size_t{0});
    // Byte order, as the names are raw SSID bytes.
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return strcmp(ssids[a].GetString(), ssids[b].GetString()) < 0;
    });
    return order;
}
