// The simulated world behind the stand-in library: the world description, the adapter's
// driver state, the scan list, the link, the stored profiles, the journal and the library's
// own thread. One instance per loaded library; entry points and SIM_ functions take its lock.
#pragma once
#include "contract/StationContract.h"
#include "sim/common/CallJournal.h"
#include "sim/QxWLAPI/Link.h"
#include "sim/QxWLAPI/ProfileStore.h"
#include "sim/QxWLAPI/ScanTable.h"
#include "sim/QxWLAPI/Scheduler.h"
#include "sim/QxWLAPI/WpsRegistrar.h"
#include "sim/QxWLAPI/WorldModel.h"

#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace sim {

class SimWorld {
public:
    static SimWorld& Get();

    std::unique_lock<std::mutex> Lock() { return std::unique_lock<std::mutex>(m_lock); }
    // A change of the world under its lock. As it ends, still under the lock, its 802.1X codes
    // go to the library's thread: a step the change scheduled may run as soon as the lock is
    // free, and its codes must reach the program after these. Fire the rest afterwards.
    class Change {
    public:
        Change(SimWorld& world, Effects& effects) : m_world(world), m_effects(effects), m_guard(world.Lock()) {}
        ~Change() { m_world.HandOverAuthCodes(m_effects); }
        Change(const Change&) = delete;
        Change& operator=(const Change&) = delete;

    private:
        SimWorld& m_world;
        Effects& m_effects;
        std::unique_lock<std::mutex> m_guard;
    };
    // Posts the messages and runs the callbacks of `effects`; call without the lock.
    void Fire(const Effects& effects);
    // Runs step under the lock on the library's thread after delayMs, then fires its effects.
    void Schedule(DWORD delayMs, std::function<void(Effects&)> step);
    void Note(const std::string& line) { m_journal.Add(line); }
    // Re-reads the world file when it changed (checked at most every few hundred milliseconds).
    void Touch();

    // Test interface (each takes the lock).
    void Reset();
    bool LoadText(const std::string& text, std::string& error);
    bool UseWorldFile(const std::string& path);
    bool SetValue(const std::string& key, LONG value);
    bool GetValue(const std::string& key, LONG& value);
    void SetMisbehave(ULONG flags);
    bool PostNotification(UINT message);
    bool FireAuthStatus(UCHAR code);
    // Sets the Wi-Fi Direct status event, as the driver does on a status change.
    bool SignalWifiDirectEvent();
    // Keeps a handle of its own to the event (replacing an earlier one); null forgets it.
    void TakeWifiDirectEvent(HANDLE event);
    bool WaitIdle(DWORD timeoutMs) { return m_events.WaitIdle(timeoutMs); }
    // Keeps the profiles in the file at path from now on, taking what it holds when it holds a
    // whole store; an empty path keeps them in memory only. False when nothing was taken.
    bool UseStoreFile(const std::string& path);

    // Under the lock: writes the profiles to the store file (when there is one). A store that
    // could not be written is journalled and the profiles go back to `before`, so what the
    // program is told it stored is what the file holds. A store that refuses changes
    // (ProfileStoreRefuses) does the same for the program's changes, not for the world file's.
    bool CommitProfiles(const ProfileStore& before, bool programChange = true);
    std::string JournalText() const { return m_journal.Text(); }
    void ClearJournal() { m_journal.Clear(); }

    // Everything below is read and written under the lock.
    bool RadioOn() const { return Model.Settings.HwRadio && Model.Settings.SwRadio; }
    bool AdapterUsable() const { return Model.Settings.DevicePresent != 0; }
    // Scans again; queues MSG_SCAN_LIST_CHANGED when the list differs from the last one.
    void Rescan(Effects& effects);
    // Starts a scan that completes (and calls onDone on the library's thread) after the scan delay.
    void StartScan(QXWL_SCAN_CALLBACK onDone);
    // Applies changed settings' side effects: radio messages, a lost link, a new scan.
    void SettingsChanged(const WorldSettings& before, Effects& effects);

    World Model;  // the world as described
    ProfileStore Profiles;
    Link LinkState;
    ScanTable Scan;
    std::vector<SimNetwork> Visible;  // the networks of the last scan
    ULONG Misbehave = 0;
    ULONG ScansDone = 0;  // scans the program started that have completed
    HWND NotifyWindow = nullptr;
    QXWL_AUTH_CALLBACK AuthCallback = nullptr;
    std::string SelectedAdapter;
    bool AdaptersGrown = false;
    ULONG Session = 0;  // raised by QXWL_DeInitial: callbacks of an earlier session are not made
    ConnectRequest CurrentSetting;  // the security an SSID or BSSID connect uses
    ADVANCE_CONFIG_DATA Advance = {};
    VN_802_11_STA_CONFIG StaConfig = {};
    CCX2_CONTROL Ccx = 0;
    ULONG PsMode = 0;
    BOOL WpsFlag = FALSE;
    // A push-button run started by the hardware button: status polls still "in progress".
    bool WpsRunning = false;
    LONG WpsPollsLeft = 0;
    WPS_MODE WpsMode = {};
    WPS_PROFILE WpsProfile = {};
    // The exchange started by QXWL_SetWPSMode and the credential the program offers as registrar.
    WpsRegistrar Wps;
    WPS_PROFILE WpsSentProfile = {};
    // The WPS exchange last asked for is a Wi-Fi Direct peer's (from its negotiation on), not
    // an access point's: its channel is the group's.
    bool WpsWithGroup = false;
    ULONG WifiDirectFlag = 0;
    EXTAP_CONFIG ExtAp = {};
    // The library's own handle of the program's Wi-Fi Direct status event (QXWL_InitWifiDirect).
    HANDLE WifiDirectEvent = nullptr;
    // Wi-Fi Direct: the status blocks not yet read, this device's name, the peer a negotiation
    // runs with (-1 none) and whether this device owns the group, the group this device is in.
    std::deque<std::vector<BYTE>> WifiDirectStatus;
    std::string WifiDirectDeviceName = "Quixen-PC";
    LONG WifiDirectNegotiating = -1;
    bool WifiDirectOwner = false;
    LONG WifiDirectGroupPeer = -1;
    LONG WifiDirectPinShownBy = -1;  // the peer whose PIN is on its screen for our user to type
    std::string WifiDirectGroupKey;  // the pass phrase of the group the negotiation formed
    // The stored Wi-Fi Direct profiles (whole records, by name) and the active one's name.
    std::vector<std::vector<BYTE>> WifiDirectProfiles;
    std::string WifiDirectActiveProfile;
    // Queues a status block and sets the status event, as the driver does.
    void QueueWifiDirectStatus(std::vector<BYTE> block);
    std::map<std::string, std::vector<BYTE>> RegistryValues;
    // The system's wireless profiles as they are now; every change is journalled as a line
    // "SystemProfiles: <name>,<name>...".
    std::vector<std::string> SystemProfiles;
    void NoteSystemProfiles();

private:
    SimWorld();
    void ApplyWorld(const sim::World& world, bool takeProfiles, Effects& effects);
    void ResetDriverState();
    void ReloadWorldFile(Effects& effects);
    bool LoadStore();
    void HandOverAuthCodes(Effects& effects);
    void QueueAuthCallbacks(const std::vector<UCHAR>& codes);

    std::mutex m_lock;
    CallJournal m_journal;
    Scheduler m_events;
    std::string m_worldFile;
    std::string m_storeFile;  // empty: the profiles live in memory only
    FILETIME m_worldFileStamp = {};
    ULONGLONG m_worldFileSize = 0;
    bool m_worldFileSeen = false;
    ULONGLONG m_nextFileCheck = 0;
    char m_reply[kAuthReplyBytes] = {};  // the 802.1X callback's reply buffer, used on the library's thread
};

// Journal text of an SSID record, its length clamped to 32.
std::string SsidText(const NDIS_802_11_SSID& ssid);

}  // namespace sim

// Hands a WPS mode to the Wi-Fi Direct negotiation in progress; false when none is, and the
// station's own WPS exchange takes it.
bool WifiDirectTakesWpsMode(sim::SimWorld& w, const WPS_MODE& mode);
// Under the lock: a network joined through the system's wireless service keeps a profile of
// that name there (from operating-system code 10 on).
void AddSystemProfile(sim::SimWorld& w, const std::string& name);
// The group's channel while the WPS exchange last asked for is a Wi-Fi Direct peer's; 0 when it
// is the station's own with an access point.
UCHAR WifiDirectWpsChannel(const sim::SimWorld& w);
