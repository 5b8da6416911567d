#include "contract/StationContract.h"
#include "base/DebugLog.h"

#include <algorithm>
#include <cstring>

void LogNotSuccess(LPCSTR entryPoint, LONG status, LPCSTR caller)
{
    DebugLog(1, "[QxUI] %s: %s() return not QXWL_ERROR_SUCCESS (%d)\n", caller ? caller : "", entryPoint,
             static_cast<int>(status));
}

bool IsSuccess(LONG status, LPCSTR entryPoint, LPCSTR caller)
{
    if (status == QXWL_ERROR_SUCCESS) return true;
    LogNotSuccess(entryPoint, status, caller);
    return false;
}

LONG RunTooSmallProtocol(std::vector<BYTE>& buffer, ULONG firstBytes, const ListQuery& query, LPCSTR entryPoint,
                         LPCSTR caller)
{
    buffer.assign(firstBytes, 0);
    ULONG needed = 0;
    LONG status = query(buffer.data(), firstBytes, needed);
    if (status != QXWL_ERROR_BUFFER_TOO_SMALL) return status;

    if (needed <= firstBytes || needed > kMaxListBytes) {
        DebugLog(1, "[QxUI] %s: %s() asked for %u bytes after %u, refused\n", caller, entryPoint, needed, firstBytes);
        buffer.assign(firstBytes, 0);
        return status;
    }
    buffer.assign(needed, 0);
    ULONG neededAgain = 0;
    status = query(buffer.data(), needed, neededAgain);
    if (status == QXWL_ERROR_BUFFER_TOO_SMALL)
        DebugLog(1, "[QxUI] %s: %s() still too small with %u bytes (now %u)\n", caller, entryPoint, needed,
                 neededAgain);
    return status;
}

bool ReadAdapterList(PFN_QXWL_GetAvailableAdapters query, std::vector<ADAPTER_ENTRY>& adapters, LPCSTR caller)
{
    static constexpr char kName[] = "QXWL_GetAvailableAdapters";
    adapters.clear();
    std::vector<BYTE> buffer;
    const ListQuery call = [query](BYTE* list, ULONG capacityBytes, ULONG& neededBytes) {
        const LONG capacity = static_cast<LONG>((capacityBytes - kAdapterListHeaderBytes) / sizeof(ADAPTER_ENTRY));
        const LONG result = query(list, capacity);
        if (result == QXWL_ERROR_BUFFER_TOO_SMALL) {
            ULONG count = 0;
            memcpy(&count, list, sizeof count);
            const unsigned long long bytes = kAdapterListHeaderBytes + 1ull * count * sizeof(ADAPTER_ENTRY);
            neededBytes = bytes > kMaxListBytes ? kMaxListBytes + 1 : static_cast<ULONG>(bytes);
        }
        return result;
    };
    const ULONG firstBytes = kAdapterListHeaderBytes + kFirstAdapterCapacity * sizeof(ADAPTER_ENTRY);
    const LONG result = RunTooSmallProtocol(buffer, firstBytes, call, kName, caller);
    if (result < 0) {
        LogNotSuccess(kName, result, caller);
        return false;
    }
    const size_t capacity = (buffer.size() - kAdapterListHeaderBytes) / sizeof(ADAPTER_ENTRY);
    ULONG count = 0;
    memcpy(&count, buffer.data(), sizeof count);
    if (count != static_cast<ULONG>(result))
        DebugLog(1, "[QxUI] %s: %s() returned %d but its list holds %u\n", caller, kName, static_cast<int>(result),
                 count);
    size_t usable = std::min<size_t>(count, static_cast<size_t>(result));
    if (usable > capacity) {
        DebugLog(1, "[QxUI] %s: %s() claims %u adapters in room for %u, clamped\n", caller, kName,
                 static_cast<unsigned>(usable), static_cast<unsigned>(capacity));
        usable = capacity;
    }
    adapters.resize(usable);
    if (usable) memcpy(adapters.data(), buffer.data() + kAdapterListHeaderBytes, usable * sizeof(ADAPTER_ENTRY));
    for (ADAPTER_ENTRY& entry : adapters) {
        // Every text field ends inside its field, whatever the library wrote.
        entry.chName[sizeof entry.chName - 1] = '\0';
        entry.chDeviceID[sizeof entry.chDeviceID - 1] = '\0';
        entry.chText128[sizeof entry.chText128 - 1] = '\0';
        entry.chText392[sizeof entry.chText392 - 1] = '\0';
        entry.chSoftApName[sizeof entry.chSoftApName - 1] = '\0';
        entry.chDeviceName[sizeof entry.chDeviceName - 1] = '\0';
        entry.chText776[sizeof entry.chText776 - 1] = '\0';
        entry.chText1032[sizeof entry.chText1032 - 1] = '\0';
    }
    return true;
}

bool ReadSiteSurveyList(PFN_QXWL_SiteSurveyQuery query, std::vector<BYTE>& list, LPCSTR caller)
{
    static constexpr char kName[] = "QXWL_SiteSurveyQuery";
    ULONG used = 0;
    const ListQuery call = [query, &used](BYTE* buffer, ULONG capacityBytes, ULONG& neededBytes) {
        ULONG size = capacityBytes;
        const LONG result = query(reinterpret_cast<NDIS_802_11_BSSID_LIST_EX*>(buffer), &size);
        neededBytes = size;
        used = size;
        return result;
    };
    const LONG result = RunTooSmallProtocol(list, kSiteSurveyBufferBytes, call, kName, caller);
    if (!IsSuccess(result, kName, caller)) {
        list.assign(kSiteSurveyBufferBytes, 0);  // an empty list
        return false;
    }
    // The list is what the library says it wrote; the rest of the buffer is not part of it.
    if (used >= sizeof(ULONG) && used < list.size()) list.resize(used);
    return true;
}

bool ReadProfileList(PFN_QXWL_ReadProfileList query, std::vector<WLANPROFILE>& profiles, LPCSTR caller)
{
    static constexpr char kName[] = "QXWL_ReadProfileList";
    profiles.clear();
    ULONG count = 0;
    LONG result = query(nullptr, &count);
    if (result != QXWL_ERROR_SUCCESS && result != QXWL_ERROR_BUFFER_TOO_SMALL) {
        LogNotSuccess(kName, result, caller);
        return false;
    }
    if (count == 0) return true;
    if (1ull * count * sizeof(WLANPROFILE) > kMaxListBytes) {
        DebugLog(1, "[QxUI] %s: %s() claims %u profiles, refused\n", caller, kName, count);
        return false;
    }
    profiles.resize(count);
    ULONG stored = count;
    result = query(profiles.data(), &stored);
    if (!IsSuccess(result, kName, caller)) {
        profiles.clear();
        return false;
    }
    if (stored > count) {
        DebugLog(1, "[QxUI] %s: %s() claims %u profiles in room for %u, clamped\n", caller, kName, stored, count);
        stored = count;
    }
    profiles.resize(stored);
    return true;
}

BssidListView::BssidListView(const void* buffer, size_t size, LPCSTR caller)
{
    const BYTE* bytes = static_cast<const BYTE*>(buffer);
    if (!bytes || size < offsetof(NDIS_802_11_BSSID_LIST_EX, Bssid)) return;
    ULONG announced = 0;
    memcpy(&announced, bytes, sizeof announced);
    size_t offset = offsetof(NDIS_802_11_BSSID_LIST_EX, Bssid);
    for (ULONG i = 0; i < announced; ++i) {
        const size_t left = size - offset;
        if (left < kNdisWlanBssidFixedBytes) {
            DebugLog(1, "[QxUI] %s: scan list announces %u entries, entry %u lies past its end\n", caller, announced, i);
            m_refused = announced - i;
            break;
        }
        const auto* entry = reinterpret_cast<const NDIS_WLAN_BSSID_EX*>(bytes + offset);
        if (entry->Length < kNdisWlanBssidFixedBytes || entry->Length > left ||
            entry->IELength > entry->Length - kNdisWlanBssidFixedBytes) {
            DebugLog(1, "[QxUI] %s: scan list entry %u has Length %u and IELength %u in %u bytes left, refused\n",
                     caller, i, entry->Length, entry->IELength, static_cast<unsigned>(left));
            m_refused = announced - i;
            break;
        }
        if (entry->Ssid.SsidLength > kSsidMaxLength)
            DebugLog(1, "[QxUI] %s: scan list entry %u has SSID length %u, read as %u\n", caller, i,
                     entry->Ssid.SsidLength, kSsidMaxLength);
        m_entries.push_back(entry);
        offset += entry->Length;
    }
}

const BYTE* BssidListView::InformationElements(size_t i) const
{
    return reinterpret_cast<const BYTE*>(m_entries[i]) + kNdisWlanBssidFixedBytes;
}

std::string SsidToText(const NDIS_802_11_SSID& ssid)
{
    ULONG length = ssid.SsidLength;
    if (length > kSsidMaxLength) {
        DebugLog(1, "[QxUI] SSID length %u read as %u\n", length, kSsidMaxLength);
        length = kSsidMaxLength;
    }
    const char* text = reinterpret_cast<const char*>(ssid.Ssid);
    return std::string(text, strnlen(text, length));
}

std::string LibraryText(const char* buffer, size_t capacity, LPCSTR entryPoint)
{
    if (!buffer || capacity == 0) return std::string();
    const size_t length = strnlen(buffer, capacity);
    if (length == capacity)
        DebugLog(1, "[QxUI] %s() left its text unterminated in %u bytes\n", entryPoint, static_cast<unsigned>(capacity));
    return std::string(buffer, length);
}
