#include "sim/QxWLAPI/ScanTable.h"
#include "sim/QxWLAPI/SimApi.h"

#include <algorithm>
#include <cstring>

namespace sim {
namespace {

constexpr BYTE kIeWapi = 68, kIeSsid = 0, kIeRates = 1, kIeDsParameter = 3, kIeHtCapabilities = 45, kIeRsn = 48,
               kIeExtendedRates = 50, kIeHtOperation = 61, kIeVendor = 221;
constexpr BYTE kOuiIeee[3] = {0x00, 0x0F, 0xAC};
constexpr BYTE kOuiWfa[3] = {0x00, 0x50, 0xF2};
constexpr BYTE kWfaTypeWpa = 1, kWfaTypeWps = 4;
constexpr BYTE kSuiteTkip = 2, kSuiteCcmp = 4, kAkm8021X = 1, kAkmPsk = 2;
constexpr USHORT kCapEss = 1u << 0, kCapIbss = 1u << 1, kCapPrivacy = 1u << 4, kCapShortPreamble = 1u << 5,
                 kCapShortSlot = 1u << 10;
constexpr size_t kFixedIeBytes = 12;  // timestamp, beacon interval, capabilities
constexpr LONG kPastEndBytes = 4096;
constexpr ULONG kCountOverBy = 10;
constexpr ULONG kTooLongSsid = 40;

// Rates in 500 kbit/s units, basic rates with the top bit.
constexpr BYTE kRates24[] = {0x82, 0x84, 0x8B, 0x96, 0x0C, 0x12, 0x18, 0x24};
constexpr BYTE kExtendedRates24[] = {0x30, 0x48, 0x60, 0x6C};
constexpr BYTE kRates5[] = {0x8C, 0x12, 0x98, 0x24, 0xB0, 0x48, 0x60, 0x6C};

void Put(std::vector<BYTE>& out, const void* data, size_t size)
{
    const BYTE* bytes = static_cast<const BYTE*>(data);
    for (size_t i = 0; i < size; ++i) out.push_back(bytes[i]);
}
void PutSuite(std::vector<BYTE>& out, const BYTE (&oui)[3], BYTE type)
{
    Put(out, oui, sizeof oui);
    out.push_back(type);
}
void PutBE16(std::vector<BYTE>& out, USHORT value)
{
    out.push_back(static_cast<BYTE>(value >> 8));
    out.push_back(static_cast<BYTE>(value));
}
// A WPS attribute of one byte (big-endian type and length).
void PutAttribute(std::vector<BYTE>& out, USHORT type, BYTE value)
{
    PutBE16(out, type);
    PutBE16(out, 1);
    out.push_back(value);
}
void Put16(std::vector<BYTE>& out, USHORT value)
{
    out.push_back(static_cast<BYTE>(value));
    out.push_back(static_cast<BYTE>(value >> 8));
}
void Element(std::vector<BYTE>& out, BYTE id, const void* body, size_t size)
{
    out.push_back(id);
    out.push_back(static_cast<BYTE>(size));
    Put(out, body, size);
}
void Element(std::vector<BYTE>& out, BYTE id, const std::vector<BYTE>& body)
{
    Element(out, id, body.data(), body.size());
}

bool Is5GHz(const SimNetwork& n) { return n.Channel > 14; }

// RSN (IEEE OUI) or WPA (vendor element) body: version, group cipher, pairwise ciphers, AKMs.
std::vector<BYTE> SecurityBody(const SimNetwork& n, const BYTE (&oui)[3])
{
    std::vector<BYTE> body;
    const BYTE cipher = n.Encryption == ENCRY_TKIP ? kSuiteTkip : kSuiteCcmp;
    const BYTE akm = n.IsEnterprise() ? kAkm8021X : kAkmPsk;
    Put16(body, 1);  // version
    PutSuite(body, oui, cipher);  // group
    Put16(body, 1);
    PutSuite(body, oui, cipher);  // pairwise
    const bool both = n.IsEnterprise() && n.AlsoPsk;
    Put16(body, both ? 2 : 1);
    PutSuite(body, oui, akm);
    if (both) PutSuite(body, oui, kAkmPsk);
    return body;
}

// WAPI body: version 1, one AKM (1 certificate, 2 PSK), SMS4 unicast and multicast, capabilities.
std::vector<BYTE> WapiBody(const SimNetwork& n)
{
    static constexpr BYTE kOuiWapi[3] = {0x00, 0x14, 0x72};
    static constexpr BYTE kAkmCert = 1, kAkmPskWapi = 2, kSuiteSms4 = 1;
    std::vector<BYTE> body;
    Put16(body, 1);
    Put16(body, 1);
    PutSuite(body, kOuiWapi, n.AuthMode == AUTH_WAPI_CERT ? kAkmCert : kAkmPskWapi);
    Put16(body, 1);
    PutSuite(body, kOuiWapi, kSuiteSms4);
    PutSuite(body, kOuiWapi, kSuiteSms4);
    Put16(body, 0);
    return body;
}

std::vector<BYTE> WpsBody(const SimNetwork& n)
{
    std::vector<BYTE> body;
    PutSuite(body, kOuiWfa, kWfaTypeWps);
    PutAttribute(body, 0x104A, 0x10);  // version 1.0
    PutAttribute(body, 0x1044, n.WpsConfigured ? 0x02 : 0x01);
    PutBE16(body, 0x1012);  // device password id: push button or PIN
    PutBE16(body, 2);
    PutBE16(body, n.WpsPbc ? 0x0004 : 0x0000);
    PutBE16(body, 0x1047);             // UUID-E, made from the BSSID
    PutBE16(body, 16);
    for (int i = 0; i < 16; ++i) body.push_back(n.Bssid[i % 6] ^ static_cast<BYTE>(i));
    PutAttribute(body, 0x103C, Is5GHz(n) ? 0x02 : 0x01);  // RF band
    return body;
}

std::vector<BYTE> HtCapabilitiesBody(const SimNetwork& n)
{
    std::vector<BYTE> body;
    USHORT info = 0x016C;  // greenfield off, short GI 20/40, RX STBC 1
    if (n.HT40) info |= 0x0002;  // 20/40 MHz channel width
    Put16(body, info);
    body.push_back(0x17);  // A-MPDU: 64 KB, 8 us spacing
    BYTE mcs[16] = {0xFF, 0xFF};  // MCS 0-15
    Put(body, mcs, sizeof mcs);
    Put16(body, 0);                      // extended capabilities
    Put(body, "\0\0\0\0", 4);  // beamforming
    body.push_back(0);           // antenna selection
    return body;
}

std::vector<BYTE> HtOperationBody(const SimNetwork& n)
{
    std::vector<BYTE> body(22, 0);
    body[0] = static_cast<BYTE>(n.Channel);
    if (n.HT40) body[1] = 0x01 | 0x04;  // secondary channel above, any channel width
    return body;
}

}  // namespace

std::vector<BYTE> ScanTable::InformationElements(const SimNetwork& n)
{
    std::vector<BYTE> ies;
    Put(ies, "\0\0\0\0\0\0\0\0", 8);  // timestamp
    Put16(ies, static_cast<USHORT>(n.BeaconInterval));
    USHORT capabilities = (n.Adhoc ? kCapIbss : kCapEss) | kCapShortPreamble | kCapShortSlot;
    if (n.Encryption != ENCRY_NONE) capabilities |= kCapPrivacy;
    Put16(ies, capabilities);

    const size_t ssidLength = n.Hidden ? 0 : n.Ssid.size();
    Element(ies, kIeSsid, n.Ssid.data(), ssidLength);
    if (Is5GHz(n)) {
        Element(ies, kIeRates, kRates5, sizeof kRates5);
    } else {
        const BYTE channel = static_cast<BYTE>(n.Channel);
        Element(ies, kIeRates, kRates24, sizeof kRates24);
        Element(ies, kIeDsParameter, &channel, 1);
        Element(ies, kIeExtendedRates, kExtendedRates24, sizeof kExtendedRates24);
    }
    if (n.AuthMode == AUTH_WPA2 || n.AuthMode == AUTH_WPA2_PSK) {
        std::vector<BYTE> rsn = SecurityBody(n, kOuiIeee);
        Put16(rsn, 0);  // RSN capabilities
        Element(ies, kIeRsn, rsn);
    } else if (n.AuthMode == AUTH_WPA || n.AuthMode == AUTH_WPA_PSK) {
        std::vector<BYTE> wpa;
        PutSuite(wpa, kOuiWfa, kWfaTypeWpa);
        const std::vector<BYTE> body = SecurityBody(n, kOuiWfa);
        Put(wpa, body.data(), body.size());
        Element(ies, kIeVendor, wpa);
    } else if (n.AuthMode == AUTH_WAPI_PSK || n.AuthMode == AUTH_WAPI_CERT) {
        Element(ies, kIeWapi, WapiBody(n));
    }
    if (n.WPS) Element(ies, kIeVendor, WpsBody(n));
    if (n.HT) {
        Element(ies, kIeHtCapabilities, HtCapabilitiesBody(n));
        Element(ies, kIeHtOperation, HtOperationBody(n));
    }
    return ies;
}

void ScanTable::AppendEntry(std::vector<BYTE>& out, const SimNetwork& n, bool ssidTooLong)
{
    const std::vector<BYTE> ies = InformationElements(n);
    NDIS_WLAN_BSSID_EX entry = {};
    const ULONG length = (kNdisWlanBssidFixedBytes + static_cast<ULONG>(ies.size()) + 3) & ~3u;
    entry.Length = length;
    memcpy(entry.MacAddress, n.Bssid, sizeof entry.MacAddress);
    if (!n.Hidden) {
        entry.Ssid.SsidLength = static_cast<ULONG>(std::min<size_t>(n.Ssid.size(), kSsidMaxLength));
        memcpy(entry.Ssid.Ssid, n.Ssid.data(), entry.Ssid.SsidLength);
    }
    if (ssidTooLong) entry.Ssid.SsidLength = kTooLongSsid;
    entry.Privacy = n.Encryption != ENCRY_NONE ? 1 : 0;
    entry.Rssi = n.Rssi;
    entry.NetworkTypeInUse = Is5GHz(n) ? Ndis802_11OFDM5 : Ndis802_11OFDM24;
    entry.Configuration.Length = sizeof entry.Configuration;
    entry.Configuration.BeaconPeriod = n.BeaconInterval;
    entry.Configuration.DSConfig = n.FrequencyKHz();
    entry.Configuration.FHConfig.Length = sizeof entry.Configuration.FHConfig;
    entry.InfrastructureMode = n.Adhoc ? Ndis802_11IBSS : Ndis802_11Infrastructure;
    if (Is5GHz(n)) memcpy(entry.SupportedRates, kRates5, sizeof kRates5);
    else {
        memcpy(entry.SupportedRates, kRates24, sizeof kRates24);
        memcpy(entry.SupportedRates + sizeof kRates24, kExtendedRates24, sizeof kExtendedRates24);
    }
    entry.IELength = static_cast<ULONG>(ies.size());

    const size_t at = out.size();
    out.resize(at + length, 0);
    memcpy(out.data() + at, &entry, kNdisWlanBssidFixedBytes);
    memcpy(out.data() + at + kNdisWlanBssidFixedBytes, ies.data(), ies.size());
}

void ScanTable::Rebuild(const std::vector<SimNetwork>& visible, ULONG misbehave)
{
    m_bytes.assign(sizeof(ULONG), 0);
    std::vector<size_t> offsets;
    for (const SimNetwork& n : visible) {
        offsets.push_back(m_bytes.size());
        AppendEntry(m_bytes, n, (misbehave & SIM_MISBEHAVE_SSID_TOO_LONG) != 0);
    }
    ULONG announced = static_cast<ULONG>(visible.size());
    if (misbehave & SIM_MISBEHAVE_COUNT_OVER) announced += kCountOverBy;
    memcpy(m_bytes.data(), &announced, sizeof announced);
    auto setLength = [this](size_t at, ULONG length) { memcpy(m_bytes.data() + at, &length, sizeof length); };
    if ((misbehave & SIM_MISBEHAVE_ENTRY_LENGTH_ZERO) && !offsets.empty())
        setLength(offsets[std::min<size_t>(1, offsets.size() - 1)], 0);
    if ((misbehave & SIM_MISBEHAVE_ENTRY_PAST_END) && !offsets.empty()) {
        ULONG length;
        memcpy(&length, m_bytes.data() + offsets.back(), sizeof length);
        setLength(offsets.back(), length + kPastEndBytes);
    }
}

}  // namespace sim
