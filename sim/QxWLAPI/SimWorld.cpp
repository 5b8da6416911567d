#include "sim/QxWLAPI/SimWorld.h"
#include "contract/WiFiDirectRecords.h"
#include "contract/StationContract.h"
#include "sim/QxWLAPI/SimApi.h"
#include "sim/QxWLAPI/StoreFile.h"
#include "sim/QxWLAPI/WorldText.h"
#include "sim/common/ModuleFiles.h"

#include <algorithm>
#include <cstring>

namespace sim {
namespace {
constexpr ULONGLONG kWorldFileCheckMs = 250;
constexpr DWORD kResetWaitMs = 5000;  // for a callback still running in the program

bool SameScan(const std::vector<SimNetwork>& a, const std::vector<SimNetwork>& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const SimNetwork& x = a[i];
        const SimNetwork& y = b[i];
        if (memcmp(x.Bssid, y.Bssid, 6) != 0 || x.Ssid != y.Ssid || x.Channel != y.Channel || x.Rssi != y.Rssi ||
            x.AuthMode != y.AuthMode || x.Encryption != y.Encryption || x.Hidden != y.Hidden || x.HT != y.HT ||
            x.HT40 != y.HT40 || x.WPS != y.WPS || x.WpsPbc != y.WpsPbc || x.WpsConfigured != y.WpsConfigured ||
            x.Adhoc != y.Adhoc)
            return false;
    }
    return true;
}

// The timings of a test: every step happens as soon as the library's thread gets to it.
void UseTestTimings(WorldSettings& s)
{
    s.ScanDelayMs = 0;
    s.ConnectDelayMs = 0;
    s.HandshakeTimeoutMs = 0;
    s.WpsStepMs = 0;
}
}  // namespace

std::string SsidText(const NDIS_802_11_SSID& ssid)
{
    const char* text = reinterpret_cast<const char*>(ssid.Ssid);
    return std::string(text, strnlen(text, std::min<ULONG>(ssid.SsidLength, kSsidMaxLength)));
}

SimWorld& SimWorld::Get()
{
    static SimWorld world;
    return world;
}

SimWorld::SimWorld()
    : LinkState([this](DWORD delayMs, std::function<void(Effects&)> step) { Schedule(delayMs, std::move(step)); })
{
    Effects ignored;
    ApplyWorld(DefaultWorld(), true, ignored);
    ResetDriverState();
    m_worldFile = WorldFilePath(kSimWorldFileVariable, kSimWorldFileName);
    ReloadWorldFile(ignored);
    // What the library stored in an earlier run outlives the world's description of it.
    m_storeFile = WorldFilePath(kStoreFileVariable, kStoreFileName);
    LoadStore();
}

bool SimWorld::LoadStore()
{
    std::string bytes, payload, error;
    if (m_storeFile.empty() || !ReadWholeFile(m_storeFile, bytes)) return false;
    if (!UnframeStore(bytes, payload, error) || !Profiles.Restore(payload, error)) {
        // A store that is not whole is left alone: the profiles are what they were.
        Note("SIM profile store " + m_storeFile + " not read: " + error);
        return false;
    }
    return true;
}

bool SimWorld::UseStoreFile(const std::string& path)
{
    auto guard = Lock();
    m_storeFile = path;
    return LoadStore();
}

bool SimWorld::CommitProfiles(const ProfileStore& before, bool programChange)
{
    if (programChange && Model.Settings.ProfileStoreRefuses) {
        Note("SIM profile store refuses the change");
        Profiles = before;
        return false;
    }
    if (m_storeFile.empty()) return true;
    const size_t failAfter = (Misbehave & SIM_MISBEHAVE_STORE_DISK_FULL) ? 16 : std::string::npos;
    std::string error;
    if (SaveStoreFile(m_storeFile, FrameStore(Profiles.Serialize()), failAfter, error)) return true;
    Note("SIM profile store " + m_storeFile + " not written: " + error);
    Profiles = before;
    return false;
}

void SimWorld::ResetDriverState()
{
    Advance = {};
    Advance.WirelessMode = Model.Settings.WirelessMode;
    StaConfig = {};
    StaConfig.HwRadioStatus = Model.Settings.HwRadio ? 1 : 0;
    Ccx = 0;
    PsMode = 0;
    WpsFlag = FALSE;
    WpsMode = {};
    WpsProfile = {};
    Wps.Stop();
    WpsSentProfile = {};
    WpsWithGroup = false;
    WifiDirectFlag = 0;
    WifiDirectStatus.clear();
    WifiDirectDeviceName = "Quixen-PC";
    WifiDirectNegotiating = -1;
    WifiDirectOwner = false;
    WifiDirectGroupPeer = -1;
    WifiDirectPinShownBy = -1;
    WifiDirectGroupKey.clear();
    WifiDirectProfiles.clear();
    WifiDirectActiveProfile.clear();
    ExtAp = {};
    if (WifiDirectEvent) ::CloseHandle(WifiDirectEvent);
    WifiDirectEvent = nullptr;
    RegistryValues.clear();
    CurrentSetting = ConnectRequest();
    SelectedAdapter.clear();
    AdaptersGrown = false;
}

void SimWorld::ApplyWorld(const sim::World& world, bool takeProfiles, Effects& effects)
{
    const WorldSettings before = Model.Settings;
    const std::vector<StoredProfile> profiles = world.Profiles;
    // The system keeps its profiles until the description of them changes.
    if (takeProfiles || world.SystemProfiles != Model.SystemProfiles) SystemProfiles = world.SystemProfiles;
    Model = world;
    m_journal.SetFile(Model.JournalFile);
    if (takeProfiles) {
        const ProfileStore before = Profiles;
        Profiles.Load(profiles);
        CommitProfiles(before, false);
    }
    SettingsChanged(before, effects);
}

void SimWorld::Fire(const Effects& effects)
{
    HWND window;
    {
        auto guard = Lock();
        window = NotifyWindow;
    }
    for (const std::string& line : effects.Journal) m_journal.Add(line);
    for (UINT message : effects.Messages)
        if (window) PostMessageA(window, message, 0, 0);
    QueueAuthCallbacks(effects.AuthCodes);
}

void SimWorld::HandOverAuthCodes(Effects& effects)
{
    QueueAuthCallbacks(effects.AuthCodes);
    effects.AuthCodes.clear();
}

void SimWorld::QueueAuthCallbacks(const std::vector<UCHAR>& codes)
{
    if (codes.empty()) return;
    // The callback always runs on the library's own thread, whoever caused the event.
    m_events.After(0, [this, codes] {
        for (UCHAR code : codes) {
            QXWL_AUTH_CALLBACK callback;
            {
                auto guard = Lock();
                callback = AuthCallback;
            }
            if (!callback) return;
            memset(m_reply, 0, sizeof m_reply);
            callback(code, nullptr, m_reply);
        }
    });
}

void SimWorld::Schedule(DWORD delayMs, std::function<void(Effects&)> step)
{
    m_events.After(delayMs, [this, step = std::move(step)] {
        Effects effects;
        {
            const Change change(*this, effects);
            step(effects);
        }
        Fire(effects);
    });
}

void SimWorld::Rescan(Effects& effects)
{
    std::vector<SimNetwork> now;
    if (AdapterUsable() && RadioOn())
        for (const SimNetwork& n : Model.Networks)
            if (n.InRangeAtScan(ScansDone)) now.push_back(n);
    const bool changed = !SameScan(now, Visible);
    Visible = std::move(now);
    Scan.Rebuild(Visible, Misbehave);
    if (changed) effects.Messages.push_back(MSG_SCAN_LIST_CHANGED);
    LinkState.CheckStillVisible(Visible, LINK_STATE_DOWN, effects);
}

void SimWorld::StartScan(QXWL_SCAN_CALLBACK onDone)
{
    const ULONG session = Session;
    Schedule(static_cast<DWORD>(std::max(0L, Model.Settings.ScanDelayMs)), [this, onDone, session](Effects& effects) {
        if (session != Session) return;
        ++ScansDone;
        Rescan(effects);
        if (onDone) {
            // The callback runs after the lock is given up, like every call into the program.
            m_events.After(0, [onDone] { onDone(); });
        }
    });
}

void SimWorld::SettingsChanged(const WorldSettings& before, Effects& effects)
{
    const WorldSettings& now = Model.Settings;
    const bool radioWasOn = before.HwRadio && before.SwRadio;
    if (radioWasOn != RadioOn()) effects.Messages.push_back(RadioOn() ? MSG_TURN_ON_RADIO : MSG_TURN_OFF_RADIO);
    StaConfig.HwRadioStatus = now.HwRadio ? 1 : 0;
    Advance.WirelessMode = now.WirelessMode;
    if (!AdapterUsable()) LinkState.Drop(LINK_STATE_DOWN, effects);
    else if (!now.HwRadio) LinkState.Drop(LINK_STATE_HW_RADIO_OFF, effects);
    else if (!now.SwRadio) LinkState.Drop(LINK_STATE_SW_RADIO_OFF, effects);
    Rescan(effects);
}

void SimWorld::Reset()
{
    m_events.Cancel();
    m_events.WaitIdle(kResetWaitMs);
    auto guard = Lock();
    m_worldFile.clear();
    m_worldFileSeen = false;
    m_storeFile.clear();
    Misbehave = 0;
    ScansDone = 0;
    ++Session;
    NotifyWindow = nullptr;
    AuthCallback = nullptr;
    Effects ignored;
    LinkState.Drop(LINK_STATE_DOWN, ignored);
    sim::World world = DefaultWorld();
    UseTestTimings(world.Settings);
    ApplyWorld(world, true, ignored);
    Visible.clear();
    Rescan(ignored);
    ResetDriverState();
    m_journal.Clear();
}

bool SimWorld::LoadText(const std::string& text, std::string& error)
{
    WorldPatch patch;
    if (!ParseWorldText(text, patch, error)) return false;
    Effects effects;
    {
        const Change change(*this, effects);
        sim::World world = Model;
        ApplyWorldPatch(patch, world);
        ApplyWorld(world, patch.HasProfiles, effects);
    }
    Fire(effects);
    return true;
}

bool SimWorld::UseWorldFile(const std::string& path)
{
    Effects effects;
    {
        const Change change(*this, effects);
        m_worldFile = path;
        m_worldFileSeen = false;
        if (path.empty()) return true;
        ReloadWorldFile(effects);
    }
    Fire(effects);
    return m_worldFileSeen;
}

void SimWorld::ReloadWorldFile(Effects& effects)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (m_worldFile.empty() || !GetFileAttributesExA(m_worldFile.c_str(), GetFileExInfoStandard, &data)) {
        m_worldFileSeen = false;
        return;
    }
    const ULONGLONG size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    if (m_worldFileSeen && CompareFileTime(&data.ftLastWriteTime, &m_worldFileStamp) == 0 && size == m_worldFileSize)
        return;
    std::string text;
    if (!ReadWholeFile(m_worldFile, text)) return;
    WorldPatch patch;
    std::string error;
    if (!ParseWorldText(text, patch, error)) {
        Note("SIM world file " + m_worldFile + " not read: " + error);
        return;  // a file caught half-written is read again on its next change
    }
    m_worldFileSeen = true;
    m_worldFileStamp = data.ftLastWriteTime;
    m_worldFileSize = size;
    // The file describes the whole world: the built-in one with the file's changes.
    sim::World world = DefaultWorld();
    ApplyWorldPatch(patch, world);
    ApplyWorld(world, patch.HasProfiles, effects);
}

void SimWorld::Touch()
{
    Effects effects;
    {
        const Change change(*this, effects);
        if (m_worldFile.empty()) return;
        const ULONGLONG now = GetTickCount64();
        if (now < m_nextFileCheck) return;
        m_nextFileCheck = now + kWorldFileCheckMs;
        ReloadWorldFile(effects);
    }
    Fire(effects);
}

bool SimWorld::SetValue(const std::string& key, LONG value)
{
    const SettingKey* setting = FindSettingKey(key);
    if (!setting) return false;
    Effects effects;
    {
        const Change change(*this, effects);
        const WorldSettings before = Model.Settings;
        Model.Settings.*(setting->member) = value;
        SettingsChanged(before, effects);
    }
    Fire(effects);
    return true;
}

bool SimWorld::GetValue(const std::string& key, LONG& value)
{
    const SettingKey* setting = FindSettingKey(key);
    if (!setting) return false;
    auto guard = Lock();
    value = Model.Settings.*(setting->member);
    return true;
}

void SimWorld::SetMisbehave(ULONG flags)
{
    auto guard = Lock();
    Misbehave = flags;
    Scan.Rebuild(Visible, Misbehave);
}

bool SimWorld::PostNotification(UINT message)
{
    auto guard = Lock();
    return NotifyWindow && PostMessageA(NotifyWindow, message, 0, 0);
}

bool SimWorld::FireAuthStatus(UCHAR code)
{
    {
        auto guard = Lock();
        if (!AuthCallback) return false;
    }
    Schedule(0, [code](Effects& effects) { effects.AuthCodes.push_back(code); });
    return true;
}

}  // namespace sim

namespace sim {

void SimWorld::NoteSystemProfiles()
{
    std::string line = "SystemProfiles: ";
    for (size_t i = 0; i < SystemProfiles.size(); ++i) line += (i ? "," : "") + SystemProfiles[i];
    Note(line);
}

void SimWorld::QueueWifiDirectStatus(std::vector<BYTE> block)
{
    block.resize(kWiFiDirectStatusBytes);
    WifiDirectStatus.push_back(std::move(block));
    if (WifiDirectEvent) ::SetEvent(WifiDirectEvent);
}

bool SimWorld::SignalWifiDirectEvent()
{
    auto guard = Lock();
    return WifiDirectEvent && ::SetEvent(WifiDirectEvent);
}

void SimWorld::TakeWifiDirectEvent(HANDLE event)
{
    HANDLE own = nullptr;
    // A duplicate: the program closing its handle never leaves the library with a dead one.
    if (event) ::DuplicateHandle(::GetCurrentProcess(), event, ::GetCurrentProcess(), &own, 0, FALSE, DUPLICATE_SAME_ACCESS);
    auto guard = Lock();
    if (WifiDirectEvent) ::CloseHandle(WifiDirectEvent);
    WifiDirectEvent = own;
}

}  // namespace sim
