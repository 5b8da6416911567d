// The connect queue of the hidden dialog: scans and connect requests, merged so that at most
// one scan and one profile-group request (a profile or a WPS credential) wait at any time.
// Reached from the user-interface thread only: other threads post their requests to it.
#pragma once
#include "contract/StationRecords.h"
#include <cstddef>
#include <memory>
#include <vector>

enum ACTION_TYPE : ULONG {
    actionTypeBssidListScan = 0,
    actionTypeProfile = 1,        // WLANPROFILE
    actionTypeSsid = 2,           // NDIS_802_11_SSID
    actionTypeBssid = 3,          // 6 bytes
    actionTypeWPSProfile = 4,     // WPS_CREDENTIAL
    actionTypeWiFiDirectProfile = 5,  // WIFIDIRECT_ACTION_RECORD
};

// The Wi-Fi Direct connect record: the operating channel, then the credential at byte 4.
struct WIFIDIRECT_ACTION_RECORD {
    UCHAR Channel;
    UCHAR Reserved1[3];
    WPS_CREDENTIAL Credential;
};
static_assert(offsetof(WIFIDIRECT_ACTION_RECORD, Credential) == 4);
static_assert(sizeof(WIFIDIRECT_ACTION_RECORD) == 128);

constexpr size_t kBssidBytes = 6;

// One queue element. `data` points to the queue's own copy of the record; it is a
// pointer-sized word (64 bits in a 64-bit build), not the 32-bit word of a 32-bit build.
struct _ACTION_DATA {
    ULONG type;
    ULONG_PTR data;
};

// The record size of an action type; 0 for a scan and for unknown types.
size_t ActionRecordBytes(ULONG type);

class CActionQueue {
public:
    CActionQueue() = default;
    CActionQueue(const CActionQueue&) = delete;
    CActionQueue& operator=(const CActionQueue&) = delete;
    ~CActionQueue() { Clear(); }

    // Merges one action, copying its record: a scan replaces every pending scan by one at the
    // tail; a profile-group action takes the place of the newest pending one and drops the
    // older ones. False when the record could not be copied.
    bool Merge(ULONG type, const void* record);
    int GetSize() const { return static_cast<int>(m_items.size()); }
    const _ACTION_DATA& operator[](int i) const { return m_items[static_cast<size_t>(i)]; }
    // Removes the head and releases its record.
    void RemoveHead();
    // Removes the head and hands its record to the caller, so that it outlives later merges;
    // type is set to the head's type. Null (and the queue unchanged) when the queue is empty.
    std::unique_ptr<BYTE[]> TakeHead(ULONG& type);
    // Removes a pending connect that asks for the same choice as `profile` (IsSameChoice), if
    // any, and releases its record.
    void RemoveConnectOf(const WLANPROFILE& profile);
    void Clear();

private:
    static bool IsProfileGroup(ULONG type) { return type == actionTypeProfile || type == actionTypeWPSProfile; }
    static void Release(_ACTION_DATA& item);
    std::vector<_ACTION_DATA> m_items;  // index 0 = head, the next action to run
};
