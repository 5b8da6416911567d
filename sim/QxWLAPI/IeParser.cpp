#include "sim/QxWLAPI/IeParser.h"

#include <cstdio>
#include <cstring>

namespace sim {
namespace {
constexpr BYTE kIeWapi = 68, kIeMobilityDomain = 54, kIeHtCapabilities = 45, kIeRsn = 48, kIeSecondaryChannelOffset = 62,
               kIeHtOperation = 61, kIeExtendedCapabilities = 127, kIeVendor = 221;
constexpr size_t kFixedFields = 12;  // timestamp, beacon interval, capabilities
constexpr BYTE kOuiIeee[3] = {0x00, 0x0F, 0xAC};
constexpr BYTE kOuiWfa[3] = {0x00, 0x50, 0xF2};
constexpr BYTE kOuiCisco[3] = {0x00, 0x40, 0x96};
constexpr BYTE kWfaTypeWpa = 1, kWfaTypeWps = 4;
constexpr BYTE kSuiteWep40 = 1, kSuiteTkip = 2, kSuiteCcmp = 4, kSuiteWep104 = 5;
constexpr BYTE kAkm8021X = 1, kAkmPsk = 2, kCiscoAkmCckm = 0;
constexpr USHORT kWpsVersion = 0x104A, kWpsState = 0x1044, kWpsConfigMethods = 0x1008,
                 kWpsDevicePasswordId = 0x1012, kWpsSelectedRegistrar = 0x1041, kWpsApSetupLocked = 0x1057,
                 kWpsUuidE = 0x1047, kWpsRfBands = 0x103C;

USHORT Le16(const BYTE* p) { return static_cast<USHORT>(p[0] | (p[1] << 8)); }
USHORT Be16(const BYTE* p) { return static_cast<USHORT>((p[0] << 8) | p[1]); }
ULONG Le32(const BYTE* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<ULONG>(p[3]) << 24); }
ULONG Bit(ULONG value, int bit) { return (value >> bit) & 1u; }

template <size_t N>
void Text(char (&dest)[N], const char* text)
{
    std::snprintf(dest, N, "%s", text);
}

ULONG CipherBit(BYTE suite)
{
    switch (suite) {
    case kSuiteWep40:
    case kSuiteWep104: return IE_CIPHER_WEP;
    case kSuiteTkip: return IE_CIPHER_TKIP;
    case kSuiteCcmp: return IE_CIPHER_AES;
    default: return 0;
    }
}

// RSN or WPA body: version, group suite, pairwise suites, AKM suites.
void ParseSecurity(const BYTE* body, size_t size, const BYTE (&oui)[3], bool rsn, IE_PARSE_RESULT& out)
{
    size_t at = 2;  // version
    if (at + 4 > size) return;
    out.cipherMask |= CipherBit(body[at + 3]);
    at += 4;
    if (at + 2 > size) return;
    const USHORT pairwise = Le16(body + at);
    at += 2;
    for (USHORT i = 0; i < pairwise && at + 4 <= size; ++i, at += 4)
        if (memcmp(body + at, oui, 3) == 0) out.cipherMask |= CipherBit(body[at + 3]);
    if (at + 2 > size) return;
    const USHORT akms = Le16(body + at);
    at += 2;
    for (USHORT i = 0; i < akms && at + 4 <= size; ++i, at += 4) {
        if (memcmp(body + at, kOuiCisco, 3) == 0 && body[at + 3] == kCiscoAkmCckm) out.bCckm = 1;
        if (memcmp(body + at, oui, 3) != 0) continue;
        if (body[at + 3] == kAkm8021X) out.authMask |= rsn ? IE_AUTH_WPA2 : IE_AUTH_WPA;
        if (body[at + 3] == kAkmPsk) out.authMask |= rsn ? IE_AUTH_WPA2_PSK : IE_AUTH_WPA_PSK;
    }
}

// WAPI body: version, AKM suites, unicast suites, multicast suite (OUI 00-14-72).
void ParseWapi(const BYTE* body, size_t size, IE_PARSE_RESULT& out)
{
    static constexpr BYTE kOuiWapi[3] = {0x00, 0x14, 0x72};
    static constexpr BYTE kAkmCert = 1, kAkmPskWapi = 2, kSuiteSms4 = 1;
    size_t at = 2;
    if (at + 2 > size) return;
    const USHORT akms = Le16(body + at);
    at += 2;
    for (USHORT i = 0; i < akms && at + 4 <= size; ++i, at += 4) {
        if (memcmp(body + at, kOuiWapi, 3) != 0) continue;
        if (body[at + 3] == kAkmCert) out.authMask |= IE_AUTH_WAPI_CERT;
        if (body[at + 3] == kAkmPskWapi) out.authMask |= IE_AUTH_WAPI_PSK;
    }
    if (at + 2 > size) return;
    const USHORT unicast = Le16(body + at);
    at += 2;
    for (USHORT i = 0; i < unicast && at + 4 <= size; ++i, at += 4)
        if (memcmp(body + at, kOuiWapi, 3) == 0 && body[at + 3] == kSuiteSms4) out.cipherMask |= IE_CIPHER_SMS4;
}

void ParseWps(const BYTE* body, size_t size, IE_PARSE_RESULT& out)
{
    for (size_t at = 0; at + 4 <= size;) {
        const USHORT type = Be16(body + at), length = Be16(body + at + 2);
        const BYTE* value = body + at + 4;
        if (at + 4 + length > size) break;
        char text[64] = {};
        switch (type) {
        case kWpsVersion:
            if (length >= 1) { std::snprintf(text, sizeof text, "%d.%d", value[0] >> 4, value[0] & 0xF); Text(out.wpsVersion, text); }
            break;
        case kWpsState:
            if (length >= 1) Text(out.wpsState, value[0] == 2 ? "Configured" : "Not Configured");
            break;
        case kWpsConfigMethods:
            if (length >= 2) { std::snprintf(text, sizeof text, "0x%04X", Be16(value)); Text(out.wpsConfigMethods, text); }
            break;
        case kWpsDevicePasswordId:
            // The defined identifiers (0 PIN to 5 registrar-specified) as the driver writes them;
            // 0x0004 is push button.
            if (length >= 2) {
                if (Be16(value) <= 5) { std::snprintf(text, sizeof text, "0x%04X", Be16(value)); Text(out.wpsDevicePasswordId, text); }
                else Text(out.wpsDevicePasswordId, "Unknown");
            }
            break;
        case kWpsSelectedRegistrar:
            if (length >= 1) Text(out.wpsSelectedRegistrar, value[0] ? "TRUE" : "FALSE");
            break;
        case kWpsApSetupLocked:
            if (length >= 1) Text(out.wpsApSetupLocked, value[0] ? "TRUE" : "FALSE");
            break;
        case kWpsUuidE:
            // The record's room holds the first seven bytes.
            for (USHORT i = 0; i < length && i < 7; ++i) std::snprintf(text + 2 * i, 3, "%02X", value[i]);
            Text(out.wpsUuidE, text);
            break;
        case kWpsRfBands:
            if (length >= 1) Text(out.wpsRfBands, value[0] == 1 ? "2.4" : value[0] == 2 ? "5" : "2+5");
            break;
        default: break;
        }
        at += 4 + length;
    }
}

void ParseHtCapabilities(const BYTE* body, size_t size, IE_PARSE_RESULT& out)
{
    out.bHT = 1;
    out.bHtCapability = 1;
    if (size < 26) return;
    const USHORT info = Le16(body);
    out.bLdpc = Bit(info, 0);
    out.supportedChannelWidth = static_cast<UCHAR>(Bit(info, 1));
    out.smPowerSave = static_cast<UCHAR>((info >> 2) & 3);
    out.bGreenfield = Bit(info, 4);
    out.bShortGi20 = Bit(info, 5);
    out.bShortGi40 = Bit(info, 6);
    out.bTxStbc = Bit(info, 7);
    out.rxStbc = static_cast<UCHAR>((info >> 8) & 3);
    out.bDelayedBlockAck = Bit(info, 10);
    out.maxAmsdu = static_cast<UCHAR>(Bit(info, 11));
    out.bMaxAmsduLength = Bit(info, 11);
    out.bDsssCck40 = Bit(info, 12);
    out.bDssCck40Info = Bit(info, 12);
    out.bPsmp = Bit(info, 13);
    out.bHtCapabilityPsmp = Bit(info, 13);
    out.bHtInfoPsmp = Bit(info, 13);
    out.bFortyMhzIntolerant = Bit(info, 14);
    out.bLsigTxopProtection = Bit(info, 15);
    out.maxRxAmpduFactor = static_cast<UCHAR>(body[2] & 3);
    out.minMpduStartSpacing = static_cast<UCHAR>((body[2] >> 2) & 7);
    const BYTE* mcs = body + 3;
    memcpy(out.mcsBitmap, mcs, 10);  // 77 receive MCS bits; the rest of the set is not a bitmap
    out.mcsBitmap[9] &= 0x1F;
    out.bTxMcsSetDefined = Bit(mcs[12], 0);
    out.bTxRxMcsSetNotEqual = Bit(mcs[12], 1);
    out.txMaxSpatialStreams = static_cast<UCHAR>((mcs[12] >> 2) & 3);
    out.bTxUnequalModulation = Bit(mcs[12], 4);
    const USHORT extended = Le16(body + 19);
    out.bHtcSupport = Bit(extended, 10);
    out.bRdResponder = Bit(extended, 11);
}

void ParseHtOperation(const BYTE* body, size_t size, IE_PARSE_RESULT& out)
{
    if (size < 22) return;
    out.primaryChannel = body[0];
    out.htInfoSecondaryOffset = static_cast<UCHAR>(body[1] & 3);
    out.staChannelWidth = static_cast<UCHAR>(Bit(body[1], 2));
    out.bHighThroughput = Bit(body[1], 2);
    out.bRifsMode = Bit(body[1], 3);
    out.bPsmpStasOnly = Bit(body[1], 4);
    out.serviceIntervalGranularity = static_cast<UCHAR>(body[1] >> 5);
    const USHORT op = Le16(body + 2), op2 = Le16(body + 4);
    out.operatingMode = static_cast<UCHAR>(op & 3);
    out.bNonGreenfieldPresent = Bit(op, 2);
    out.bTransmitBurstLimit = Bit(op, 3);
    out.bObssNonHtPresent = Bit(op, 4);
    out.bDualBeacon = Bit(op2, 6);
    out.bDualCtsProtection = Bit(op2, 7);
    out.bSecondaryBeacon = Bit(op2, 8);
    out.bLsigTxopFullSupport = Bit(op2, 9);
    out.bPcoActive = Bit(op2, 10);
    out.bPcoPhase = Bit(op2, 11);
    for (int i = 0; i < 4; ++i) {
        out.basicMcsSet[i] = Le32(body + 6 + 4 * i);
        if (out.basicMcsSet[i]) out.bBasicMcsSet = 1;
    }
}
}  // namespace

void ParseInformationElements(const NDIS_WLAN_BSSID_EX& entry, const BYTE* ies, ULONG ieLength, IE_PARSE_RESULT& out)
{
    for (size_t at = kFixedFields; at + 2 <= ieLength;) {
        const BYTE id = ies[at], length = ies[at + 1];
        const BYTE* body = ies + at + 2;
        if (at + 2 + length > ieLength) break;
        switch (id) {
        case kIeRsn: ParseSecurity(body, length, kOuiIeee, true, out); break;
        case kIeWapi: ParseWapi(body, length, out); break;
        case kIeHtCapabilities: ParseHtCapabilities(body, length, out); break;
        case kIeHtOperation: ParseHtOperation(body, length, out); break;
        case kIeSecondaryChannelOffset: if (length >= 1) out.secondaryChannelOffset = body[0]; break;
        case kIeExtendedCapabilities: if (length >= 1) out.bHtInfoExchange = Bit(body[0], 0); break;
        case kIeMobilityDomain:
            if (length >= 2) {
                out.bMobilityDomainElement = 1;
                out.bMobilityDomain = 1;
                memcpy(out.mdid, body, 2);
            }
            break;
        case kIeVendor:
            if (length >= 4 && memcmp(body, kOuiWfa, 3) == 0 && body[3] == kWfaTypeWpa)
                ParseSecurity(body + 4, length - 4u, kOuiWfa, false, out);
            else if (length >= 4 && memcmp(body, kOuiWfa, 3) == 0 && body[3] == kWfaTypeWps)
                ParseWps(body + 4, length - 4u, out);
            break;
        default: break;
        }
        at += 2 + length;
    }
    out.beaconInterval = static_cast<USHORT>(entry.Configuration.BeaconPeriod);
}

}  // namespace sim
