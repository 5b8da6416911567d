#include "station/BlockAckPeerList.h"
#include "core/QXWLLIB.h"

#include <algorithm>
#include <cstdlib>

namespace {
constexpr int kMacTextDigits = 12;

bool IsZero(const MacAddress& mac)
{
    return std::all_of(mac.begin(), mac.end(), [](UCHAR b) { return b == 0; });
}

// The associated access point's address when connected with the radio on, else all zero.
MacAddress CurrentBssid()
{
    MacAddress current = {};
    WLAN_STATUS status = {};
    QXWLAPI.QXWL_QueryWLANStatus(&status, WLAN_STATUS_QUERY{0, 1, 0, 0, 0});
    if (status.status == QxStatus_Connected && QXWLAPI.QXWL_ReadRadioStatus())
        std::copy(std::begin(status.Bssid), std::end(status.Bssid), current.begin());
    return current;
}
}  // namespace

std::vector<MacAddress> QueryBlockAckPeers()
{
    std::vector<MacAddress> peers;
    BYTE buffer[kPeerListBytes] = {};
    ULONG written = 0;
    const ULONG oid = QXWLAPI.WinOS() >= kVistaOsCode ? OID_BA_PEER_LIST_VISTA : OID_BA_PEER_LIST_XP;
    if (!QXWLAPI.QXWL_OIDQueryInfo(oid, buffer, sizeof buffer, &written))
        return peers;
    ULONG count = 0;
    memcpy(&count, buffer, sizeof count);
    count = std::min<ULONG>(count, kMaxPeers);  // the driver may count more than the buffer holds
    for (ULONG i = 0; i < count; ++i) {
        MacAddress mac;
        memcpy(mac.data(), buffer + sizeof(ULONG) + i * kPeerEntryBytes, mac.size());
        peers.push_back(mac);
    }
    return peers;
}

void RefreshBssidList(CListCtrl& list)
{
    const MacAddress current = CurrentBssid();
    list.DeleteAllItems();
    std::vector<MacAddress> peers = QueryBlockAckPeers();
    if (!IsZero(current)) {
        const auto at = std::find(peers.begin(), peers.end(), current);
        if (at != peers.end())
            std::rotate(peers.begin(), at, at + 1);
    }
    int row = 0;
    for (const MacAddress& mac : peers) {
        if (IsZero(mac))
            continue;
        CString text;
        text.Format("%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
        list.InsertItem(row++, text);
    }
    if (row > 0)
        list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void MacTextToBytes(UCHAR* mac, LPCSTR text)
{
    CString digits = text ? text : "";
    digits.Replace("-", "");
    memset(mac, 0, 6);
    const int usable = std::min<int>(digits.GetLength(), kMacTextDigits);
    for (int i = 0; 2 * i + 1 < usable; ++i) {
        const char pair[3] = {digits[2 * i], digits[2 * i + 1], '\0'};
        mac[i] = static_cast<UCHAR>(strtoul(pair, nullptr, 16));
    }
}

int GetSelectedRow(CListCtrl& list)
{
    return list.GetNextItem(-1, LVNI_SELECTED);
}
