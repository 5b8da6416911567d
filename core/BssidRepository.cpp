#include "core/BssidRepository.h"
#include "base/DebugLog.h"
#include "contract/StationContract.h"

#include <algorithm>
#include <bitset>
#include <cstring>
#include <vector>

namespace {
constexpr char kCaller[] = "UpdateRepositBssidList";
constexpr ULONG kListHeaderBytes = offsetof(NDIS_802_11_BSSID_LIST_EX, Bssid);
constexpr ULONG kMaxChannels = 64;          // the channel array handed to QXWL_GetAvailableChannels
constexpr ULONG kInfrastructureNetwork = 1;  // its first argument
constexpr size_t kChannelNumbers = 256;

ULONGLONG StampValue(const FILETIME& ft)
{
    return (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

FILETIME StampTime(ULONGLONG value)
{
    return FILETIME{static_cast<DWORD>(value), static_cast<DWORD>(value >> 32)};
}

ULONGLONG MacKey(const NDIS_WLAN_BSSID_EX& entry)
{
    ULONGLONG key = 0;
    std::memcpy(&key, entry.MacAddress, sizeof entry.MacAddress);
    return key;
}

// The merged list being built: whole entries, at most the capacity and kRepositStampCount.
class MergedList {
public:
    explicit MergedList(ULONG capacity) : m_capacity(capacity), m_bytes(kListHeaderBytes, 0) { m_bytes.reserve(capacity); }

    bool Full() const { return m_stamps.size() >= kRepositStampCount; }
    // Appends the entry unless it does not fit; false then (logged).
    bool Append(const NDIS_WLAN_BSSID_EX& entry, ULONGLONG stamp)
    {
        if (entry.Length > m_capacity - m_bytes.size()) {
            DebugLog(1, "[QxUI] Update Bssid List might reach buffer limit(%d bytes)! Stop adding new Bssid\n",
                     static_cast<int>(m_capacity));
            return false;
        }
        const BYTE* bytes = reinterpret_cast<const BYTE*>(&entry);
        m_bytes.insert(m_bytes.end(), bytes, bytes + entry.Length);
        m_stamps.push_back(stamp);
        return true;
    }
    // Writes the count word and moves the list into the repository with its stamps.
    void StoreIn(REPOSIT_BSSID_LIST& repository)
    {
        const ULONG count = static_cast<ULONG>(m_stamps.size());
        std::memcpy(m_bytes.data(), &count, sizeof count);
        std::memcpy(repository.pBssidList, m_bytes.data(), m_bytes.size());
        for (size_t i = 0; i < m_stamps.size(); ++i) repository.ftLastSeen[i] = StampTime(m_stamps[i]);
    }
    // The whole entries that fit into a buffer of `bytes`, behind their count.
    void CopyTo(void* list, ULONG bytes) const
    {
        if (bytes < kListHeaderBytes) return;
        ULONG size = kListHeaderBytes;
        ULONG count = 0;
        while (count < m_stamps.size()) {
            ULONG length = 0;
            std::memcpy(&length, m_bytes.data() + size, sizeof length);
            if (length > bytes - size) break;
            size += length;
            ++count;
        }
        if (count < m_stamps.size())
            DebugLog(1, "[QxUI] %s: %u of %u merged entries fit the caller's %u bytes\n", kCaller, count,
                     static_cast<unsigned>(m_stamps.size()), bytes);
        std::memcpy(static_cast<BYTE*>(list) + kListHeaderBytes, m_bytes.data() + kListHeaderBytes,
                    size - kListHeaderBytes);
        std::memcpy(list, &count, sizeof count);
    }

private:
    const ULONG m_capacity;
    std::vector<BYTE> m_bytes;  // the list so far, its count word first
    std::vector<ULONGLONG> m_stamps;
};
}  // namespace

void MergeRepositBssidList(REPOSIT_BSSID_LIST& repository, void* list, ULONG listBytes, const BssidMergeInput& input)
{
    if (!repository.pBssidList || repository.nBufferSize < kListHeaderBytes) {
        DebugLog(1, "[QxUI] %s: no repository\n", kCaller);
        return;
    }
    ULONG announced = 0;
    if (list && listBytes >= kListHeaderBytes) std::memcpy(&announced, list, sizeof announced);

    const BssidListView fresh(list, list ? listBytes : 0, kCaller);
    MergedList merged(repository.nBufferSize);
    std::vector<ULONGLONG> freshMacs;
    freshMacs.reserve(fresh.Count());
    for (size_t i = 0; i < fresh.Count() && !merged.Full(); ++i) {
        const NDIS_WLAN_BSSID_EX& entry = fresh[i];
        DebugLog(3, "[QxUI] UpdateRepositBssidList:listTempRepositBssid.pBssidList->Bssid[%d]->Ssid.Ssid = %s",
                 static_cast<int>(i), SsidToText(entry.Ssid).c_str());
        DebugLog(3, "[QxUI] UpdateRepositBssidList:listTempRepositBssid.pBssidList->Bssid[%d] = %d",
                 static_cast<int>(i), static_cast<int>(entry.Length));
        if (merged.Append(entry, input.now)) freshMacs.push_back(MacKey(entry));
    }
    if (fresh.Count() > kRepositStampCount)
        DebugLog(1, "[QxUI] %s: %u fresh entries, only %d are kept\n", kCaller, static_cast<unsigned>(fresh.Count()),
                 kRepositStampCount);

    if (input.replace) {
        // Repository-time mode: the fresh list replaces the repository, the caller's list stays.
        std::memset(repository.pBssidList, 0, repository.nBufferSize);
        merged.StoreIn(repository);
        return;
    }

    std::bitset<kChannelNumbers> allowed;
    const ULONG channelCount = std::min(input.channelCount, kMaxChannels);
    for (ULONG i = 0; input.channels && i < channelCount; ++i) allowed.set(input.channels[i]);
    std::sort(freshMacs.begin(), freshMacs.end());

    // Only the entries that have a stamp count; the view already stops at a bad Length.
    const BssidListView old(repository.pBssidList, repository.nBufferSize, kCaller);
    const size_t oldCount = std::min<size_t>(old.Count(), kRepositStampCount);
    for (size_t j = 0; j < oldCount && !merged.Full(); ++j) {
        const NDIS_WLAN_BSSID_EX& entry = old[j];
        if (std::binary_search(freshMacs.begin(), freshMacs.end(), MacKey(entry))) continue;
        // Unsigned: a stamp ahead of now (the clock was set back) counts as expired too.
        const ULONGLONG stamp = StampValue(repository.ftLastSeen[j]);
        if (input.now - stamp >= kRepositRetention) continue;
        const LONG channel = input.frequencyToChannel ? input.frequencyToChannel(entry.Configuration.DSConfig) : -1;
        if (channel < 0 || static_cast<size_t>(channel) >= kChannelNumbers || !allowed.test(channel)) continue;
        merged.Append(entry, stamp);
    }
    if (merged.Full() && old.Count() > 0)
        DebugLog(3, "[QxUI] %s: the merged list holds %d entries, older ones are dropped\n", kCaller, kRepositStampCount);

    merged.StoreIn(repository);
    if (announced > 0) merged.CopyTo(list, listBytes);
}

void QXWLLIB::UpdateRepositBssidList(void* list, ULONG listBytes)
{
    if (!listRepositBssid.pBssidList) {
        DebugLog(1, "[QxUI] %s: the station library is not loaded\n", kCaller);
        return;
    }
    ULONG wirelessMode = 0;
    IsSuccess(QXWL_QueryWirelessMode(&wirelessMode), "QXWL_QueryWirelessMode", kCaller);
    ULONG adhocMode = 0;
    QXWL_ConvertPhyModeToAdHocMode(wirelessMode, &adhocMode);
    UCHAR channels[kMaxChannels] = {};
    ULONG channelCount = 0;
    if (!IsSuccess(QXWL_GetAvailableChannels(kInfrastructureNetwork, wirelessMode, adhocMode, channels,
                                                 &channelCount, 0),
                   "QXWL_GetAvailableChannels", kCaller)) {
        channelCount = 0;  // no channel known to be allowed: nothing absent is retained
    } else if (channelCount > kMaxChannels) {
        DebugLog(1, "[QxUI] %s: QXWL_GetAvailableChannels() gave %u channels, %u are read\n", kCaller, channelCount,
                 kMaxChannels);
    }

    SYSTEMTIME now;
    ::GetSystemTime(&now);
    FILETIME stamp{};
    ::SystemTimeToFileTime(&now, &stamp);

    BssidMergeInput input;
    input.now = StampValue(stamp);
    input.replace = QXWL_CheckBssidRepositTime() != 0;
    input.channels = channels;
    input.channelCount = channelCount;
    input.frequencyToChannel = QXWL_FrequencyToChannel;
    MergeRepositBssidList(listRepositBssid, list, listBytes, input);
}
