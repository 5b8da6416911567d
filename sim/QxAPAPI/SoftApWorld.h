// The simulated access point behind the stand-in soft-AP library: the machine and driver
// settings, the adapters, the stored and applied configuration, the access-control list, the
// stations in range and associated, the DHCP server and the Windows profile. One instance per
// loaded library; entry points and SIM_ functions take its lock.
#pragma once
#include "contract/SoftApRecords.h"
#include "sim/common/CallJournal.h"
#include "sim/common/NetDevices.h"

#include <mutex>
#include <string>
#include <vector>

namespace simap {

struct Settings {
    LONG OsCode = 12;             // QXAP_GetWinOS
    LONG DevicePresent = 1;       // 0: the adapter was removed
    LONG OpMode = 0;              // the driver's operation mode: 0 station, 1 soft-AP
    LONG SetOpModeFails = 0;
    LONG InitNotReadyPolls = 0;   // QXAP_QueryInitialState answers "not ready" this many times
    LONG ZeroConfig = 0;          // QXAP_IsZeroConfig: the XP zero configuration runs
    LONG MoreThanOneProcess = 0;
    LONG UserAdmin = 1;
    LONG Supports11n = 1;
    LONG Supports11a = 1;
    LONG DeviceModel = 4;         // QXAP_GetCurrentDeviceModel: 2-3 without 802.11n tables, 4-8 with
    LONG Rssi = -45;              // QXAP_QuerySignalStrength, dBm
    LONG DriverAuthMode = -1;     // QXAP_QueryAuthMode; -1: the applied configuration's
    // Country regions: QXAP_QueryCountryRegion puts the highest accepted region of each band in
    // byte 2 (2.4 GHz) and byte 3 (5 GHz) of its word; QXAP_GetCountryChannel answers region 30
    // with channels 1 to Custom24 (0: no list of its own) and, with Custom5 on, 36 to 48.
    LONG MaxRegion24 = 7;
    LONG MaxRegion5 = 16;
    LONG Has24GHz = 1;
    LONG Custom24 = 0;
    LONG Custom5 = 0;
    LONG Ieee80211H = 0;          // QXAP_CheckIEEE80211H
    LONG Bw40Bands = 3;           // what QXAP_CheckAllowBW40ForBand leaves: bit 0 2.4 GHz, bit 1 5 GHz
    LONG SideBand = 1;            // QXAP_GetSideBandParaFromE2PROM_BG
    // Setting it replaces the stored configuration: 0 the factory one, 1 an empty record,
    // 2 the factory one under the library's placeholder SSID.
    LONG StoredConfig = 0;
    // OID_GEN_LINK_SPEED of the running access point, in units of 100 bit/s; the query fails
    // while the access point is down or when LinkSpeedFails is set.
    LONG LinkSpeed = 3000000;
    LONG LinkSpeedFails = 0;
};

struct Adapter {
    std::string Name;
    std::string DeviceID;
    std::string Description;
};

struct Station {
    UCHAR Mac[6] = {};
    bool PowerSave = false;
    USHORT TxRate = 0;
};

struct WorldText {
    std::vector<std::pair<std::string, LONG>> Settings;
    bool HasJournalFile = false;
    std::string JournalFile;
    bool HasStoreFile = false;
    std::string StoreFile;
    bool HasAdapters = false;
    std::vector<Adapter> Adapters;
    bool HasStations = false;
    std::vector<Station> Stations;
    bool HasNetDevices = false;
    std::vector<sim::NetDevice> NetDevices;
};
// False (with the faulty line in `error`) when a line, section, key or value is not understood.
bool ParseWorldText(const std::string& text, WorldText& out, std::string& error);
std::string MacText(const UCHAR* mac);

class SoftApWorld {
public:
    static SoftApWorld& Get();
    std::unique_lock<std::mutex> Lock() { return std::unique_lock<std::mutex>(m_lock); }
    // The start of every entry point: the world file is looked at, the call journalled.
    void Enter(const std::string& journalLine);

    // Test interface (each takes the lock).
    void Reset();
    bool LoadText(const std::string& text, std::string& error);
    bool UseWorldFile(const std::string& path);
    bool SetValue(const std::string& key, LONG value);
    bool GetValue(const std::string& key, LONG& value);
    bool StationJoin(const UCHAR (&mac)[6]);
    bool StationLeave(const UCHAR (&mac)[6]);
    std::string Lease(const UCHAR (&mac)[6]);
    std::string WindowsProfile();
    std::string JournalText() const { return m_journal.Text(); }
    void ClearJournal() { m_journal.Clear(); }
    // A line of the simulated access point's own, not a call.
    void Note(const std::string& line) { m_journal.Add(line); }
    // The stored configuration into the store file, when the world names one (under the lock).
    void SaveStore();

    // Everything below is read and written under the lock.
    // The access point beacons: the driver is in soft-AP mode, present and set up.
    bool Running() const { return S.DevicePresent && S.OpMode == 1 && Started; }
    bool Admits(const Station& station) const;
    // Associates the stations in range that may join and drops those that no longer may.
    void Refresh();

    Settings S;
    std::vector<Adapter> Adapters;
    std::vector<Station> InRange;
    std::vector<Station> Associated;
    std::vector<sim::NetDevice> NetDevices;  // the machine's other network adapters
    std::vector<std::string> LeaseOf;  // parallel to Associated: the leased address, or ""
    std::vector<std::string> Refused;  // stations in range the access list keeps out (MacText)
    AP_CONFIG_DATA Stored = {};        // QXAP_ReadConfigData / QXAP_WriteandSetConfigData
    AP_CONFIG_DATA Applied = {};       // what the driver runs
    AP_ADVANCE_DATA Advance = {};
    ULONG StoredPolicy = AP_ACL_POLICY_DISABLE;
    std::vector<std::string> StoredList;  // 12 hexadecimal digits each
    AP_ACL_LIST Acl = {};                 // applied by QXAP_Set80211ACL
    bool Started = false;                 // QXAP_InitAPSettings since the device came
    bool DhcpRunning = false;
    LONG NotReadyLeft = 0;
    std::string ProfileSsid;              // the Windows profile of the access point
    std::string SelectedAdapter;
    HWND NotifyWindow = nullptr;

private:
    SoftApWorld();
    void Apply(const WorldText& text);
    void ReplaceStored(LONG kind);
    void DeviceGone();
    void ReloadWorldFile();

    void LoadStore();

    std::mutex m_lock;
    sim::CallJournal m_journal;
    std::string m_storeFile;  // where the stored configuration outlives the process; "" for none
    std::string m_worldFile;
    FILETIME m_worldFileStamp = {};
    bool m_worldFileSeen = false;
    ULONGLONG m_nextFileCheck = 0;
};

// The factory configuration: SSID "Kelvo_WLAN", channel 6, 802.11b/g/n, WPA2-PSK.
AP_CONFIG_DATA DefaultConfig();
// The channels of a country region (30: the library's own list); count 0 for an unknown region.
ULONG RegionChannels(bool fiveGHz, ULONG region, const Settings& s, UCHAR (&channels)[32]);
ULONG ChannelToFrequencyKHz(LONG channel);
LONG FrequencyKHzToChannel(ULONG frequencyKHz);

}  // namespace simap
