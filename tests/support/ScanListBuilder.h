// Scan lists in the NDIS 802.11 layout, built the way the station library returns them.
#pragma once
#include "contract/StationRecords.h"

#include <cstring>
#include <string>
#include <vector>

namespace testing_support {

// Centre frequency in kHz of a 2.4 GHz (1-14) or 5 GHz channel, and back.
inline ULONG ChannelToKHz(int channel)
{
    if (channel == 14) return 2484000;
    return channel <= 13 ? static_cast<ULONG>(2407 + 5 * channel) * 1000 : static_cast<ULONG>(5000 + 5 * channel) * 1000;
}
inline LONG WINAPI KHzToChannel(ULONG kHz)
{
    const ULONG mHz = kHz / 1000;
    if (mHz == 2484) return 14;
    if (mHz >= 2412 && mHz <= 2472) return static_cast<LONG>((mHz - 2407) / 5);
    if (mHz >= 5000 && mHz <= 5900) return static_cast<LONG>((mHz - 5000) / 5);
    return -1;
}

struct Network {
    BYTE macTail;         // the last byte of the BSSID (the others are fixed)
    std::string ssid;
    int channel = 6;
    ULONG ieBytes = 0;    // information elements after the fixed part
    ULONG macHigh = 0;    // the BSSID's bytes 1 to 4, for lists of many networks
};

class ScanList {
public:
    ScanList& Add(const Network& n)
    {
        std::vector<BYTE> entry(kNdisWlanBssidFixedBytes + n.ieBytes, 0);
        auto* e = reinterpret_cast<NDIS_WLAN_BSSID_EX*>(entry.data());
        e->Length = static_cast<ULONG>(entry.size());
        e->MacAddress[0] = 0x00;
        std::memcpy(&e->MacAddress[1], &n.macHigh, 4);
        e->MacAddress[5] = n.macTail;
        e->Ssid.SsidLength = static_cast<ULONG>(n.ssid.size());
        std::memcpy(e->Ssid.Ssid, n.ssid.data(), n.ssid.size());
        e->Configuration.Length = sizeof e->Configuration;
        e->Configuration.DSConfig = ChannelToKHz(n.channel);
        e->InfrastructureMode = Ndis802_11Infrastructure;
        e->IELength = n.ieBytes;
        for (ULONG i = 0; i < n.ieBytes; ++i) entry[kNdisWlanBssidFixedBytes + i] = static_cast<BYTE>(i);
        m_entries.push_back(entry);
        return *this;
    }
    // The list in a buffer of `bytes` (its own size when 0); its count word says `announced`
    // (the number of entries when negative).
    std::vector<BYTE> Build(size_t bytes = 0, long long announced = -1) const
    {
        size_t size = sizeof(ULONG);
        for (const auto& e : m_entries) size += e.size();
        std::vector<BYTE> list(bytes ? bytes : size, 0);
        ULONG count = announced < 0 ? static_cast<ULONG>(m_entries.size()) : static_cast<ULONG>(announced);
        std::memcpy(list.data(), &count, sizeof count);
        size_t offset = sizeof(ULONG);
        for (const auto& e : m_entries) {
            if (offset + e.size() > list.size()) break;
            std::memcpy(list.data() + offset, e.data(), e.size());
            offset += e.size();
        }
        return list;
    }

private:
    std::vector<std::vector<BYTE>> m_entries;
};

// The BSSID tails of a list, in order, walked by the entries' lengths up to its count.
inline std::vector<int> MacTails(const void* list, size_t bytes)
{
    std::vector<int> tails;
    const BYTE* p = static_cast<const BYTE*>(list);
    ULONG count = 0;
    std::memcpy(&count, p, sizeof count);
    size_t offset = sizeof(ULONG);
    for (ULONG i = 0; i < count && offset + kNdisWlanBssidFixedBytes <= bytes; ++i) {
        const auto* e = reinterpret_cast<const NDIS_WLAN_BSSID_EX*>(p + offset);
        if (e->Length < kNdisWlanBssidFixedBytes || offset + e->Length > bytes) break;
        tails.push_back(e->MacAddress[5]);
        offset += e->Length;
    }
    return tails;
}

}  // namespace testing_support
