// The scan list the library reports: an NDIS_802_11_BSSID_LIST_EX of the visible networks, each
// entry with real information elements (SSID, rates, DS parameter, RSN or WPA, WPS, HT).
#pragma once
#include "sim/QxWLAPI/WorldModel.h"

#include <vector>

namespace sim {

class ScanTable {
public:
    // misbehave: the SIM_MISBEHAVE_ flags that bend the list (entry lengths, count, SSID length).
    void Rebuild(const std::vector<SimNetwork>& visible, ULONG misbehave);
    const std::vector<BYTE>& Bytes() const { return m_bytes; }

    static std::vector<BYTE> InformationElements(const SimNetwork& network);

private:
    static void AppendEntry(std::vector<BYTE>& out, const SimNetwork& network, bool ssidTooLong);
    std::vector<BYTE> m_bytes = std::vector<BYTE>(sizeof(ULONG), 0);
};

}  // namespace sim
