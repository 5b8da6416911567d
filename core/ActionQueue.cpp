#include "core/ActionQueue.h"
#include "core/OneTimeAnswer.h"
#include <cstring>
#include <new>

size_t ActionRecordBytes(ULONG type)
{
    switch (type) {
    case actionTypeProfile: return sizeof(WLANPROFILE);
    case actionTypeSsid: return sizeof(NDIS_802_11_SSID);
    case actionTypeBssid: return kBssidBytes;
    case actionTypeWPSProfile: return sizeof(WPS_CREDENTIAL);
    case actionTypeWiFiDirectProfile: return sizeof(WIFIDIRECT_ACTION_RECORD);
    default: return 0;
    }
}

void CActionQueue::Release(_ACTION_DATA& item)
{
    delete[] reinterpret_cast<BYTE*>(item.data);
    item.data = 0;
}

bool CActionQueue::Merge(ULONG type, const void* record)
{
    _ACTION_DATA fresh{type, 0};
    const size_t bytes = ActionRecordBytes(type);
    if (bytes && record) {
        BYTE* copy = new (std::nothrow) BYTE[bytes];
        if (!copy) return false;
        std::memcpy(copy, record, bytes);
        fresh.data = reinterpret_cast<ULONG_PTR>(copy);
    }
    bool placed = false;
    for (size_t i = m_items.size(); i-- > 0;) {
        _ACTION_DATA& item = m_items[i];
        const bool sameScan = type == actionTypeBssidListScan && item.type == actionTypeBssidListScan;
        const bool sameGroup = IsProfileGroup(type) && IsProfileGroup(item.type);
        if (sameGroup && !placed) {
            Release(item);
            item = fresh;
            placed = true;
        } else if (sameScan || sameGroup) {
            Release(item);
            m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
    if (!placed) m_items.push_back(fresh);
    return true;
}

void CActionQueue::RemoveHead()
{
    if (m_items.empty()) return;
    Release(m_items.front());
    m_items.erase(m_items.begin());
}

std::unique_ptr<BYTE[]> CActionQueue::TakeHead(ULONG& type)
{
    if (m_items.empty()) return nullptr;
    type = m_items.front().type;
    std::unique_ptr<BYTE[]> record(reinterpret_cast<BYTE*>(m_items.front().data));
    m_items.erase(m_items.begin());
    return record;
}

void CActionQueue::RemoveConnectOf(const WLANPROFILE& profile)
{
    for (size_t i = m_items.size(); i-- > 0;) {
        if (m_items[i].type != actionTypeProfile || !m_items[i].data ||
            !IsSameChoice(*reinterpret_cast<const WLANPROFILE*>(m_items[i].data), profile))
            continue;
        Release(m_items[i]);
        m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(i));
    }
}

void CActionQueue::Clear()
{
    for (_ACTION_DATA& item : m_items) Release(item);
    m_items.clear();
}
