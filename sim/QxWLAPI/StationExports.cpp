// The entry points that the simulated world answers: adapter, driver, radio, scan, link,
// profiles and the settings the program reads back.
#include "sim/QxWLAPI/Exports.h"
#include "sim/QxWLAPI/SimApi.h"
#include "sim/QxWLAPI/IeParser.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

using namespace sim;

namespace sim {

SimWorld& Enter(const std::string& journalLine)
{
    SimWorld& world = SimWorld::Get();
    world.Touch();
    world.Note(journalLine);
    return world;
}

void PutText(char* out, size_t capacity, const std::string& text)
{
    if (!out || capacity == 0) return;
    bool misbehave;
    {
        auto guard = SimWorld::Get().Lock();
        misbehave = (SimWorld::Get().Misbehave & SIM_MISBEHAVE_UNTERMINATED) != 0;
    }
    if (misbehave) {
        memset(out, 'X', capacity);
        memcpy(out, text.data(), std::min(text.size(), capacity));
        return;
    }
    const size_t length = std::min(text.size(), capacity - 1);
    memcpy(out, text.data(), length);
    out[length] = '\0';
}

}  // namespace sim

namespace {

constexpr size_t kAdapterNameBytes = sizeof(ADAPTER_ENTRY::chName);
constexpr ULONG kAdapterCountOverBy = 3;
constexpr size_t kMaxChannels = 64;
constexpr UCHAR kMacAddress[6] = {0x00, 0x1A, 0x2B, 0x44, 0x71, 0xA0};
constexpr char kDriverDescription[] = "Kelvo 802.11n USB Wireless LAN Card";
constexpr char kDriverName[] = "kelvo4471.sys";
constexpr char kNetCfgInstanceId[] = "{6E4F7A10-4471-4C2B-9D7E-2B1A00004471}";
constexpr ULONG kDeviceModel = 5;  // an 802.11n model
constexpr size_t kCredentialBytes = 128;  // identity, password and domain buffers
constexpr LONG kChannels5GHz[] = {36, 40, 44, 48, 52, 56, 60, 64, 100, 104, 108, 112,
                                  116, 120, 124, 128, 132, 136, 140, 149, 153, 157, 161, 165};
// The Block-Ack peer list: a u32 count, then 10-byte entries beginning with the MAC address.
constexpr ULONG OID_BA_PEERS_VISTA = 0xFF0C0029, OID_BA_PEERS_XP = 0x0D71010B;
constexpr ULONG OID_BA_DELETE_VISTA = 0xFF8C0027, OID_BA_DELETE_XP = 0x0DF1013A;
// The link's transmit-setting word and the third antenna's signal-to-noise ratio (u32 each).
constexpr ULONG OID_TX_SETTING_VISTA = 0xFF0C0021, OID_TX_SETTING_XP = 0x0D71011C, OID_SNR2 = 0x0D7101C0;
constexpr ULONG kSnr2 = 25;
constexpr size_t kPeerEntryBytes = 10;
constexpr UCHAR kMadeUpPeer[6] = {0x02, 0x00, 0x00, 0x4B, 0x41, 0x00};  // last byte: the peer's number

BOOL AnswerPeerList(SimWorld& w, BYTE* buffer, ULONG length, ULONG* written)
{
    auto guard = w.Lock();
    if (w.Model.Settings.BlockAckPeersFail || length < sizeof(ULONG)) return FALSE;
    std::vector<std::array<UCHAR, 6>> peers;
    if (w.Model.Settings.BlockAckPeers < 0) {
        for (const SimNetwork& n : w.Visible)
            if (n.HT) peers.push_back({n.Bssid[0], n.Bssid[1], n.Bssid[2], n.Bssid[3], n.Bssid[4], n.Bssid[5]});
    } else {
        for (LONG i = 0; i < w.Model.Settings.BlockAckPeers; ++i) {
            std::array<UCHAR, 6> mac;
            memcpy(mac.data(), kMadeUpPeer, mac.size());
            mac[5] = static_cast<UCHAR>(i);
            peers.push_back(mac);
        }
    }
    const ULONG count = static_cast<ULONG>(peers.size());
    memset(buffer, 0, length);
    memcpy(buffer, &count, sizeof count);  // the driver's count, even when the buffer holds fewer
    size_t at = sizeof count;
    for (const auto& mac : peers) {
        if (at + kPeerEntryBytes > length) break;
        memcpy(buffer + at, mac.data(), mac.size());
        at += kPeerEntryBytes;
    }
    if (written) *written = static_cast<ULONG>(at);
    return TRUE;
}

std::string Hex(const UCHAR* bytes, size_t count)
{
    std::string text;
    for (size_t i = 0; i < count; ++i) text += Format(i ? ":%02X" : "%02X", bytes[i]);
    return text;
}

std::string Text(const char* field, size_t capacity)
{
    return field ? std::string(field, strnlen(field, capacity)) : std::string();
}

bool BandHas24(LONG mode) { return mode != 2 && mode != 8; }
bool BandHas5(LONG mode) { return mode == 2 || mode == 3 || mode == 5 || mode == 6 || mode == 8; }

void FillAdapter(ADAPTER_ENTRY& entry, const SimAdapter& a)
{
    memset(&entry, 0, sizeof entry);
    PutText(entry.chName, sizeof entry.chName, a.Name);
    PutText(entry.chDeviceID, sizeof entry.chDeviceID, a.DeviceID);
    PutText(entry.chText128, sizeof entry.chText128, a.Description);
    PutText(entry.chText392, sizeof entry.chText392, a.Text392);
    PutText(entry.chSoftApName, sizeof entry.chSoftApName, a.SoftApName);
    PutText(entry.chDeviceName, sizeof entry.chDeviceName, a.DeviceName);
    PutText(entry.chText776, sizeof entry.chText776, a.Location);
    PutText(entry.chText1032, sizeof entry.chText1032, a.Manufacturer);
    entry.nKind = a.Kind;
}

// A value the program stored (or the driver holds), handed back to the caller.
template <typename T>
LONG ReadStored(const std::string& journalLine, T* out, T SimWorld::*stored)
{
    SimWorld& w = Enter(journalLine);
    if (!out) return QXWL_ERROR_FAILURE;
    auto guard = w.Lock();
    *out = w.*stored;
    return QXWL_ERROR_SUCCESS;
}

template <typename T>
LONG WriteStored(const std::string& journalLine, const T& value, T SimWorld::*stored)
{
    SimWorld& w = Enter(journalLine);
    auto guard = w.Lock();
    w.*stored = value;
    return QXWL_ERROR_SUCCESS;
}

// A fixed text of the adapter into the caller's buffer of `size` bytes.
LONG AnswerText(const std::string& journalLine, LPSTR out, ULONG size, const char* text)
{
    Enter(journalLine);
    if (!out || size == 0) return QXWL_ERROR_FAILURE;
    PutText(out, size, text);
    return QXWL_ERROR_SUCCESS;
}

// The hardware and software radio switches, 1 for on.
LONG AnswerRadioState(const std::string& journalLine, ULONG* hwRadio, ULONG* swRadio)
{
    SimWorld& w = Enter(journalLine);
    auto guard = w.Lock();
    if (hwRadio) *hwRadio = w.Model.Settings.HwRadio ? 1 : 0;
    if (swRadio) *swRadio = w.Model.Settings.SwRadio ? 1 : 0;
    return QXWL_ERROR_SUCCESS;
}

// The connect request of an SSID or BSSID connect: the security settings in force.
void ConnectWith(SimWorld& w, const ConnectRequest& request)
{
    Effects effects;
    {
        const SimWorld::Change change(w, effects);
        if (w.AdapterUsable() && w.RadioOn())
            w.LinkState.Connect(request, w.Visible, w.Model.Settings, effects);
    }
    w.Fire(effects);
}

void DropLink(SimWorld& w, ULONG linkState)
{
    Effects effects;
    {
        const SimWorld::Change change(w, effects);
        w.LinkState.Drop(linkState, effects);
    }
    w.Fire(effects);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Start-up, adapters and the driver

namespace {
constexpr LONG kWpsPollsInProgress = 2;
constexpr ULONG kWpsStatusIdle = 0;
constexpr ULONG kWpsStatusInProgress = 1;
constexpr ULONG kWpsStatusSuccess = 15;
constexpr ULONG kWpsStatusNoRegistrar = 260;
constexpr ULONG kWpsStatusFlagBits = 0x10000000;  // not part of the code: the low 28 bits are
constexpr ULONG kWscAuthOpen = 0x0001;
constexpr ULONG kWscAuthWpa2Psk = 0x0020;
constexpr ULONG kWscEncrNone = 0x0001;
constexpr ULONG kWscEncrAes = 0x0008;
}  // namespace

LONG WINAPI QXWL_Initial(LPCSTR vendor, HWND notifyWindow)
{
    SimWorld& w = Enter(Format("QXWL_Initial(%s)", vendor ? vendor : "(null)"));
    Effects effects;
    {
        const SimWorld::Change change(w, effects);
        w.NotifyWindow = notifyWindow;
        w.Rescan(effects);
    }
    w.Fire(effects);
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_DeInitial(void)
{
    SimWorld& w = Enter("QXWL_DeInitial()");
    DropLink(w, LINK_STATE_DOWN);
    auto guard = w.Lock();
    ++w.Session;
    w.NotifyWindow = nullptr;
    w.AuthCallback = nullptr;
    w.SelectedAdapter.clear();
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_Release(void)
{
    SimWorld& w = Enter("QXWL_Release()");
    DropLink(w, LINK_STATE_DOWN);
    auto guard = w.Lock();
    w.SelectedAdapter.clear();
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_GetWinOS(void)
{
    SimWorld& w = Enter("QXWL_GetWinOS()");
    auto guard = w.Lock();
    return w.Model.Settings.OsCode;
}

LONG WINAPI QXWL_GetAvailableAdapters(BYTE* list, LONG capacity)
{
    SimWorld& w = Enter(Format("QXWL_GetAvailableAdapters(%d)", static_cast<int>(capacity)));
    if (!list || capacity < 0) return QXWL_ERROR_FAILURE;
    std::vector<SimAdapter> adapters;
    ULONG misbehave;
    {
        auto guard = w.Lock();
        if (w.AdapterUsable()) adapters = w.Model.Adapters;
        misbehave = w.Misbehave;
        const ULONG count = static_cast<ULONG>(adapters.size());
        if (count > static_cast<ULONG>(capacity)) {
            memcpy(list, &count, sizeof count);
            // A card plugged in between the two calls of the too-small protocol.
            if (!w.AdaptersGrown && w.Model.Settings.GrowAdaptersAfterTooSmall > 0) {
                w.AdaptersGrown = true;
                for (LONG i = 0; i < w.Model.Settings.GrowAdaptersAfterTooSmall; ++i) {
                    SimAdapter extra = w.Model.Adapters.empty() ? SimAdapter() : w.Model.Adapters.front();
                    extra.Name += Format(" #%d", static_cast<int>(w.Model.Adapters.size() + 1));
                    w.Model.Adapters.push_back(extra);
                }
            }
            return QXWL_ERROR_BUFFER_TOO_SMALL;
        }
    }
    ULONG count = static_cast<ULONG>(adapters.size());
    for (ULONG i = 0; i < count; ++i) {
        ADAPTER_ENTRY entry;
        FillAdapter(entry, adapters[i]);
        memcpy(list + kAdapterListHeaderBytes + i * sizeof(ADAPTER_ENTRY), &entry, sizeof entry);
    }
    if (misbehave & SIM_MISBEHAVE_COUNT_OVER) count = static_cast<ULONG>(capacity) + kAdapterCountOverBy;
    memcpy(list, &count, sizeof count);
    return static_cast<LONG>(count);
}

LONG WINAPI QXWL_AdapterSelect(const ADAPTER_ENTRY* adapter, QXWL_AUTH_CALLBACK onAuthStatus, HWND notifyWindow)
{
    const std::string name = adapter ? Text(adapter->chName, sizeof adapter->chName) : std::string();
    SimWorld& w = Enter(Format("QXWL_AdapterSelect(%s)", name.c_str()));
    Effects effects;
    LONG result;
    {
        const SimWorld::Change change(w, effects);
        const bool known = std::any_of(w.Model.Adapters.begin(), w.Model.Adapters.end(),
                                       [&](const SimAdapter& a) { return a.Name.substr(0, kAdapterNameBytes - 1) == name; });
        result = (known && w.AdapterUsable()) ? w.Model.Settings.AdapterSelectResult : QXWL_ERROR_FAILURE;
        if (result == QXWL_ERROR_SUCCESS) {
            w.SelectedAdapter = name;
            w.AuthCallback = onAuthStatus;
            if (notifyWindow) w.NotifyWindow = notifyWindow;
            w.Rescan(effects);
        }
    }
    w.Fire(effects);
    return result;
}

BOOL WINAPI QXWL_IsDeviceExist(LPCSTR adapterName)
{
    const std::string name = adapterName ? adapterName : "";
    SimWorld& w = Enter(Format("QXWL_IsDeviceExist(%s)", name.c_str()));
    auto guard = w.Lock();
    if (!w.AdapterUsable()) return FALSE;
    return std::any_of(w.Model.Adapters.begin(), w.Model.Adapters.end(),
                       [&](const SimAdapter& a) { return a.Name.substr(0, kAdapterNameBytes - 1) == name; });
}

LONG WINAPI QXWL_QueryInitState(BOOL* initialized)
{
    SimWorld& w = Enter("QXWL_QueryInitState()");
    if (!initialized) return QXWL_ERROR_FAILURE;
    auto guard = w.Lock();
    LONG& notReady = w.Model.Settings.InitNotReadyPolls;
    *initialized = notReady > 0 ? FALSE : TRUE;
    if (notReady > 0) --notReady;
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_QueryOPMode(void)
{
    SimWorld& w = Enter("QXWL_QueryOPMode()");
    auto guard = w.Lock();
    return w.Model.Settings.OpMode;
}

LONG WINAPI QXWL_ReadOpMode(void)
{
    SimWorld& w = Enter("QXWL_ReadOpMode()");
    auto guard = w.Lock();
    return w.Model.Settings.StoredOpMode;
}

BOOL WINAPI QXWL_SetAndWriteOPMode(ULONG opMode)
{
    SimWorld& w = Enter(Format("QXWL_SetAndWriteOPMode(%u)", opMode));
    auto guard = w.Lock();
    if (w.Model.Settings.SetOpModeFails) return FALSE;
    w.Model.Settings.OpMode = static_cast<LONG>(opMode);
    w.Model.Settings.StoredOpMode = static_cast<LONG>(opMode);
    return TRUE;
}

#define SIM_SETTING_ANSWER(ret, name, key)   \
    ret WINAPI name(void)                    \
    {                                        \
        SimWorld& w = Enter(#name "()");     \
        auto guard = w.Lock();               \
        return static_cast<ret>(w.Model.Settings.key); \
    }
SIM_SETTING_ANSWER(LONG, QXWL_IsZeroConfig, ZeroConfig)
SIM_SETTING_ANSWER(BOOL, QXWL_IsWpaCapable, WpaCapable)
SIM_SETTING_ANSWER(BOOL, QXWL_DetectUserAdmin, UserAdmin)
SIM_SETTING_ANSWER(BOOL, QXWL_DetectMoreThanOneUser, MoreThanOneUser)
SIM_SETTING_ANSWER(BOOL, QXWL_CheckMSConfigService, MSConfigService)
SIM_SETTING_ANSWER(BOOL, QXWL_CheckBssidRepositTime, BssidRepositTime)
SIM_SETTING_ANSWER(BOOL, QXWL_Is80211NSupport, Supports11n)
SIM_SETTING_ANSWER(BOOL, QXWL_Is80211ASupport, Supports11a)
SIM_SETTING_ANSWER(BOOL, QXWL_IsWow64, Wow64)

// The single-sign-on record: u32, u32 enabled, u32, then the mode as text (1040 bytes in all).
LONG WINAPI QXWL_ReadSSOStatus(BYTE* status)
{
    constexpr size_t kSsoStatusBytes = 1040, kSsoEnabledAt = 4, kSsoModeAt = 12;
    SimWorld& w = Enter("QXWL_ReadSSOStatus()");
    if (!status) return QXWL_ERROR_FAILURE;
    auto guard = w.Lock();
    memset(status, 0, kSsoStatusBytes);
    const ULONG enabled = static_cast<ULONG>(w.Model.Settings.SsoEnabled);
    memcpy(status + kSsoEnabledAt, &enabled, sizeof enabled);
    const std::string mode = std::to_string(w.Model.Settings.SsoMode);
    memcpy(status + kSsoModeAt, mode.data(), mode.size());
    return QXWL_ERROR_SUCCESS;
}
SIM_SETTING_ANSWER(BOOL, QXWL_CheckIfAllowBW40InBGBand, Supports11n)
SIM_SETTING_ANSWER(BOOL, QXWL_CheckIfAllowBW40InABand, Supports11n)
#undef SIM_SETTING_ANSWER

// ---------------------------------------------------------------------------------------------
// Radio

BOOL WINAPI QXWL_ReadRadioStatus(void)
{
    SimWorld& w = Enter("QXWL_ReadRadioStatus()");
    auto guard = w.Lock();
    return w.Model.Settings.SwRadio ? TRUE : FALSE;
}

LONG WINAPI QXWL_SetAndWriteRadioState(BOOL on)
{
    SimWorld& w = Enter(Format("QXWL_SetAndWriteRadioState(%d)", on ? 1 : 0));
    w.SetValue("SwRadio", on ? 1 : 0);
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_QueryHWAndSWRadioState(ULONG* hwRadio, ULONG* swRadio)
{
    return AnswerRadioState("QXWL_QueryHWAndSWRadioState()", hwRadio, swRadio);
}

LONG WINAPI QXWL_WlanQueryRadioState(ULONG* hwRadio, ULONG* swRadio)
{
    return AnswerRadioState("QXWL_WlanQueryRadioState()", hwRadio, swRadio);
}

// ---------------------------------------------------------------------------------------------
// Scanning

LONG WINAPI QXWL_SiteSurveyScan(QXWL_SCAN_CALLBACK onScanDone)
{
    SimWorld& w = Enter("QXWL_SiteSurveyScan()");
    auto guard = w.Lock();
    if (!w.AdapterUsable()) return QXWL_ERROR_FAILURE;
    w.StartScan(onScanDone);
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_SiteSurveyQuery(NDIS_802_11_BSSID_LIST_EX* list, ULONG* size)
{
    SimWorld& w = Enter(Format("QXWL_SiteSurveyQuery(%u)", size ? *size : 0));
    if (!size) return QXWL_ERROR_FAILURE;
    auto guard = w.Lock();
    const std::vector<BYTE>& bytes = w.Scan.Bytes();
    const ULONG needed = static_cast<ULONG>(bytes.size());
    if (!list || *size < needed) {
        if (list && *size >= sizeof(ULONG)) list->NumberOfItems = 0;  // a caller that ignores -10 sees no list
        *size = needed;
        if (w.Misbehave & SIM_MISBEHAVE_LIST_GROWS) {
            // A network comes into range before the caller asks again with the size it was told.
            SimNetwork late;
            late.Ssid = Format("Quixen-Late-%u", static_cast<unsigned>(w.Visible.size()));
            const UCHAR bssid[6] = {0x02, 0x00, 0x4C, 0x41, 0x54, static_cast<UCHAR>(w.Visible.size())};
            memcpy(late.Bssid, bssid, sizeof bssid);
            w.Visible.push_back(late);
            w.Scan.Rebuild(w.Visible, w.Misbehave);
        }
        return QXWL_ERROR_BUFFER_TOO_SMALL;
    }
    memcpy(list, bytes.data(), needed);
    *size = needed;
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_FlushBSSIDList(void)
{
    SimWorld& w = Enter("QXWL_FlushBSSIDList()");
    auto guard = w.Lock();
    w.Visible.clear();
    w.Scan.Rebuild(w.Visible, w.Misbehave);
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_ParseInfoElement(const NDIS_WLAN_BSSID_EX* entry, IE_PARSE_RESULT* result)
{
    Enter("QXWL_ParseInfoElement()");
    if (!entry || !result) return QXWL_ERROR_FAILURE;
    memset(result, 0, sizeof *result);
    if (entry->Length < kNdisWlanBssidFixedBytes || entry->IELength > entry->Length - kNdisWlanBssidFixedBytes)
        return QXWL_ERROR_FAILURE;
    const BYTE* ies = reinterpret_cast<const BYTE*>(entry) + kNdisWlanBssidFixedBytes;
    ParseInformationElements(*entry, ies, entry->IELength, *result);
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_FrequencyToChannel(ULONG frequencyKHz)
{
    Enter(Format("QXWL_FrequencyToChannel(%u)", frequencyKHz));
    return FrequencyKHzToChannel(frequencyKHz);
}

LONG WINAPI QXWL_ChannelToFrequency(LONG channel)
{
    Enter(Format("QXWL_ChannelToFrequency(%d)", static_cast<int>(channel)));
    return static_cast<LONG>(ChannelToFrequencyKHz(channel));
}

LONG WINAPI QXWL_RssiToPercent(LONG rssi)
{
    Enter(Format("QXWL_RssiToPercent(%d)", static_cast<int>(rssi)));
    return RssiToPercent(rssi);
}

LONG WINAPI QXWL_QueryWirelessMode(ULONG* wirelessMode)
{
    SimWorld& w = Enter("QXWL_QueryWirelessMode()");
    if (!wirelessMode) return QXWL_ERROR_FAILURE;
    auto guard = w.Lock();
    *wirelessMode = static_cast<ULONG>(w.Model.Settings.WirelessMode);
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_ConvertPhyModeToAdHocMode(ULONG phyMode, ULONG* adhocMode)
{
    Enter(Format("QXWL_ConvertPhyModeToAdHocMode(%u)", phyMode));
    if (!adhocMode) return QXWL_ERROR_FAILURE;
    *adhocMode = phyMode;
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_GetAvailableChannels(ULONG networkType, ULONG wirelessMode, ULONG adhocMode, UCHAR* channels,
                                      ULONG* count, ULONG flag)
{
    SimWorld& w = Enter(Format("QXWL_GetAvailableChannels(%u, %u, %u, %u)", networkType, wirelessMode, adhocMode, flag));
    if (!channels || !count) return QXWL_ERROR_FAILURE;
    auto guard = w.Lock();
    std::vector<LONG> list;
    const LONG mode = static_cast<LONG>(wirelessMode);
    if (BandHas24(mode)) {
        const LONG region = w.Model.Settings.CountryRegion;
        const LONG last = region == 5 ? 14 : region == 1 ? 13 : 11;
        for (LONG c = 1; c <= last; ++c) list.push_back(c);
    }
    if (BandHas5(mode) && w.Model.Settings.Supports11a) list.insert(list.end(), std::begin(kChannels5GHz), std::end(kChannels5GHz));
    const size_t n = std::min(list.size(), kMaxChannels);
    for (size_t i = 0; i < n; ++i) channels[i] = static_cast<UCHAR>(list[i]);
    *count = static_cast<ULONG>(n);
    return QXWL_ERROR_SUCCESS;
}

// ---------------------------------------------------------------------------------------------
// Link

LONG WINAPI QXWL_QueryWLANStatus(WLAN_STATUS* status, WLAN_STATUS_QUERY query)
{
    SimWorld& w = Enter(Format("QXWL_QueryWLANStatus(%u, %u, %u, %u, %u)", query.bLink, query.bAssociation,
                               query.bSignal, query.bAddress, query.bTotals));
    if (!status) return QXWL_ERROR_FAILURE;
    auto guard = w.Lock();
    w.LinkState.Fill(*status, query);
    if (query.bAssociation && (w.Misbehave & SIM_MISBEHAVE_SSID_TOO_LONG)) status->Ssid.SsidLength = 40;
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_SetWLANProfile(const WLANPROFILE* profile)
{
    if (!profile) {
        Enter("QXWL_SetWLANProfile(null)");
        return QXWL_ERROR_FAILURE;
    }
    const ConnectRequest request = RequestFromProfile(*profile);
    SimWorld& w = Enter(Format("QXWL_SetWLANProfile(%s, ssid=%s, auth=%u, encry=%u, 8021x=%u)",
                               Text(profile->strProfileName, sizeof profile->strProfileName).c_str(),
                               request.Ssid.c_str(), profile->enumAuthenMode, profile->enumEncryStatus,
                               profile->b8021X));
    {
        auto guard = w.Lock();
        w.CurrentSetting = request;
        const std::string name = Text(profile->strProfileName, sizeof profile->strProfileName);
        if (!name.empty() && _stricmp(name.c_str(), w.Profiles.ActiveName().c_str()) != 0) {
            const ProfileStore before = w.Profiles;
            w.Profiles.SetActive(name);
            w.CommitProfiles(before);
        }
    }
    ConnectWith(w, request);
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_SetSSID(NDIS_802_11_SSID ssid)
{
    const std::string text = SsidText(ssid);
    SimWorld& w = Enter(Format("QXWL_SetSSID(%s)", text.c_str()));
    ConnectRequest request;
    {
        auto guard = w.Lock();
        request = w.CurrentSetting;
    }
    request.Ssid = text;
    request.ByBssid = false;
    ConnectWith(w, request);
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_SetBSSID(const UCHAR* bssid)
{
    if (!bssid) {
        Enter("QXWL_SetBSSID(null)");
        return QXWL_ERROR_FAILURE;
    }
    SimWorld& w = Enter(Format("QXWL_SetBSSID(%s)", Hex(bssid, 6).c_str()));
    ConnectRequest request;
    {
        auto guard = w.Lock();
        request = w.CurrentSetting;
    }
    request.ByBssid = true;
    memcpy(request.Bssid, bssid, sizeof request.Bssid);
    ConnectWith(w, request);
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_SetAuthMode(ULONG authMode)
{
    SimWorld& w = Enter(Format("QXWL_SetAuthMode(%u)", authMode));
    auto guard = w.Lock();
    w.CurrentSetting.AuthMode = authMode;
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_SetWEPKey(const WLANPROFILE* profile)
{
    SimWorld& w = Enter("QXWL_SetWEPKey()");
    if (!profile) return QXWL_ERROR_FAILURE;
    const ConnectRequest fromProfile = RequestFromProfile(*profile);
    auto guard = w.Lock();
    w.CurrentSetting.WepKey = fromProfile.WepKey;
    w.CurrentSetting.Encryption = ENCRY_WEP;
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_Disassociate(void)
{
    DropLink(Enter("QXWL_Disassociate()"), LINK_STATE_DOWN);
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_WlanDisconnect(void)
{
    DropLink(Enter("QXWL_WlanDisconnect()"), LINK_STATE_DOWN);
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_StopAuth(void)
{
    SimWorld& w = Enter("QXWL_StopAuth()");
    auto guard = w.Lock();
    w.LinkState.StopAuthentication();
    return QXWL_ERROR_SUCCESS;
}

// The supplicant's account for the next 802.1X authentication. The journal names the
// identity and the domain; a password shows only as whether one was given.
LONG WINAPI QXWL_WriteIDnPasswd(LPCSTR identity, LPCSTR password)
{
    const std::string id = identity ? Text(identity, kCredentialBytes) : "";
    const std::string secret = password ? Text(password, kCredentialBytes) : "";
    Enter(Format("QXWL_WriteIDnPasswd(%s, %s)", id.c_str(), secret.empty() ? "no password" : "password"));
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_WriteDomainName(LPCSTR domain)
{
    Enter(Format("QXWL_WriteDomainName(%s)", domain ? Text(domain, kCredentialBytes).c_str() : ""));
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_QueryPrivateMsg(ULONG* message)
{
    SimWorld& w = Enter("QXWL_QueryPrivateMsg()");
    if (!message) return QXWL_ERROR_FAILURE;
    auto guard = w.Lock();
    *message = w.LinkState.PrivateMessage();
    return QXWL_ERROR_SUCCESS;
}

BOOL WINAPI QXWL_OIDQueryInfo(ULONG oid, BYTE* buffer, ULONG length, ULONG* written)
{
    SimWorld& w = Enter(Format("QXWL_OIDQueryInfo(0x%08X, %u)", oid, length));
    if (written) *written = 0;
    if ((oid == OID_BA_PEERS_VISTA || oid == OID_BA_PEERS_XP) && buffer) return AnswerPeerList(w, buffer, length, written);
    if ((oid == OID_TX_SETTING_VISTA || oid == OID_TX_SETTING_XP || oid == OID_SNR2) && buffer && length >= sizeof(ULONG)) {
        auto guard = w.Lock();
        if (!w.LinkState.Connected()) return FALSE;
        WLAN_STATUS status = {};
        w.LinkState.Fill(status, WLAN_STATUS_QUERY{1, 0, 0, 0, 0});
        const ULONG word = oid == OID_SNR2 ? kSnr2 : status.htTransmitSetting;
        memcpy(buffer, &word, sizeof word);
        if (written) *written = sizeof word;
        return TRUE;
    }
    if (oid != OID_GEN_LINK_SPEED || !buffer || length < sizeof(ULONG)) return FALSE;
    auto guard = w.Lock();
    if (!w.LinkState.Connected()) return FALSE;
    WLAN_STATUS status = {};
    w.LinkState.Fill(status, WLAN_STATUS_QUERY{1, 0, 0, 0, 0});
    const ULONG speed = static_cast<ULONG>(status.txRateMbps * 10000);  // units of 100 bit/s
    memcpy(buffer, &speed, sizeof speed);
    if (written) *written = sizeof speed;
    return TRUE;
}

LONG WINAPI QXWL_OIDSetInfo(ULONG oid, const BYTE* buffer, ULONG length)
{
    std::string bytes = buffer ? Hex(buffer, std::min<ULONG>(length, 16)) : std::string("null");
    SimWorld& w = Enter(Format("QXWL_OIDSetInfo(0x%08X, %u, %s)", oid, length, bytes.c_str()));
    auto guard = w.Lock();
    const bool blockAck = oid == OID_BA_DELETE_VISTA || oid == OID_BA_DELETE_XP;
    return blockAck && w.Model.Settings.BlockAckRequestFails ? QXWL_ERROR_FAILURE : QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_AddIMMEBA(BA_REQUEST request)
{
    SimWorld& w = Enter(Format("QXWL_AddIMMEBA(%s)", Hex(reinterpret_cast<const UCHAR*>(&request), sizeof request).c_str()));
    auto guard = w.Lock();
    return w.Model.Settings.BlockAckRequestFails ? QXWL_ERROR_FAILURE : QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_WriteAckPolicy(ULONG acBE, ULONG acBK, ULONG acVI, ULONG acVO)
{
    Enter(Format("QXWL_WriteAckPolicy(%u, %u, %u, %u)", acBE, acBK, acVI, acVO));
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_SetAckPolicy(ULONG acBE, ULONG acBK, ULONG acVI, ULONG acVO)
{
    Enter(Format("QXWL_SetAckPolicy(%u, %u, %u, %u)", acBE, acBK, acVI, acVO));
    return QXWL_ERROR_SUCCESS;
}

// ---------------------------------------------------------------------------------------------
// Profiles

LONG WINAPI QXWL_ReadProfileList(WLANPROFILE* profiles, ULONG* count)
{
    SimWorld& w = Enter(Format("QXWL_ReadProfileList(%u)", count ? *count : 0));
    if (!count) return QXWL_ERROR_FAILURE;
    auto guard = w.Lock();
    const std::vector<WLANPROFILE>& all = w.Profiles.All();
    const ULONG n = static_cast<ULONG>(all.size());
    if (!profiles) {
        *count = n;
        return QXWL_ERROR_SUCCESS;
    }
    if (*count < n) {
        *count = n;
        return QXWL_ERROR_BUFFER_TOO_SMALL;
    }
    const ULONG capacity = *count;
    std::copy(all.begin(), all.end(), profiles);
    *count = (w.Misbehave & SIM_MISBEHAVE_COUNT_OVER) ? capacity + kAdapterCountOverBy : n;
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_ReadProfileData(WLANPROFILE* profile, LPCSTR profileName)
{
    const std::string name = Text(profileName, kProfileNameBytes);
    SimWorld& w = Enter(Format("QXWL_ReadProfileData(%s)", name.c_str()));
    if (!profile) return QXWL_ERROR_FAILURE;
    auto guard = w.Lock();
    const WLANPROFILE* stored = w.Profiles.Find(name);
    if (!stored) return QXWL_ERROR_FAILURE;
    *profile = *stored;
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_WriteProfile(LPCSTR storedName, const WLANPROFILE* profile)
{
    const std::string name = Text(storedName, kProfileNameBytes);
    SimWorld& w = Enter(Format("QXWL_WriteProfile(%s, %s)", name.c_str(),
                               profile ? Text(profile->strProfileName, sizeof profile->strProfileName).c_str() : ""));
    if (!profile) return QXWL_ERROR_FAILURE;
    auto guard = w.Lock();
    const ProfileStore before = w.Profiles;
    w.Profiles.Write(name, *profile);
    return w.CommitProfiles(before) ? QXWL_ERROR_SUCCESS : QXWL_ERROR_FAILURE;
}

LONG WINAPI QXWL_DeleteProfile(LPCSTR profileName, BOOL disconnect)
{
    const std::string name = Text(profileName, kProfileNameBytes);
    SimWorld& w = Enter(Format("QXWL_DeleteProfile(%s, %d)", name.c_str(), disconnect ? 1 : 0));
    {
        auto guard = w.Lock();
        const ProfileStore before = w.Profiles;
        if (!w.Profiles.Delete(name)) return QXWL_ERROR_FAILURE;
        w.Profiles.SetPacList(name, {});
        if (!w.CommitProfiles(before)) return QXWL_ERROR_FAILURE;
    }
    if (disconnect) DropLink(w, LINK_STATE_DOWN);
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_ReadActiveProfileName(LPSTR profileName)
{
    SimWorld& w = Enter("QXWL_ReadActiveProfileName()");
    if (!profileName) return QXWL_ERROR_FAILURE;
    std::string active;
    {
        auto guard = w.Lock();
        active = w.Profiles.ActiveName();
    }
    PutText(profileName, kProfileNameBytes, active);
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_CopyProfileToCurrentSetting(LPCSTR profileName)
{
    const std::string name = Text(profileName, kProfileNameBytes);
    SimWorld& w = Enter(Format("QXWL_CopyProfileToCurrentSetting(%s)", name.c_str()));
    auto guard = w.Lock();
    const WLANPROFILE* stored = w.Profiles.Find(name);
    if (!stored) return QXWL_ERROR_FAILURE;
    const ProfileStore before = w.Profiles;
    w.Profiles.SetActive(name);
    if (!w.CommitProfiles(before)) return QXWL_ERROR_FAILURE;
    w.CurrentSetting = RequestFromProfile(*stored);
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_ResetToDefaultConnecctionSetting(void)
{
    SimWorld& w = Enter("QXWL_ResetToDefaultConnecctionSetting()");
    auto guard = w.Lock();
    w.CurrentSetting = ConnectRequest();
    const ProfileStore before = w.Profiles;
    w.Profiles.SetActive("");
    return w.CommitProfiles(before) ? QXWL_ERROR_SUCCESS : QXWL_ERROR_FAILURE;
}

// PAC lists: count x 516-byte entries per profile name; the count first (null array), then the
// entries into room for *count, or -10 with the count needed.
LONG WINAPI QXWL_ReadPACList(ULONG* count, BYTE* pacs, LPCSTR profileName)
{
    const std::string name = Text(profileName, kProfileNameBytes);
    SimWorld& w = Enter(Format("QXWL_ReadPACList(%u, %s)", count ? *count : 0, name.c_str()));
    if (!count) return QXWL_ERROR_FAILURE;
    auto guard = w.Lock();
    const std::vector<ProfileStore::PacEntry>& list = w.Profiles.PacList(name);
    const ULONG n = static_cast<ULONG>(list.size());
    if (!pacs) {
        *count = n;
        return QXWL_ERROR_SUCCESS;
    }
    if (*count < n) {
        *count = n;
        return QXWL_ERROR_BUFFER_TOO_SMALL;
    }
    for (ULONG i = 0; i < n; ++i) memcpy(pacs + i * ProfileStore::kPacEntryBytes, list[i].data(), ProfileStore::kPacEntryBytes);
    *count = n;
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_WritePACList(ULONG count, const BYTE* pacs, LPCSTR profileName)
{
    const std::string name = Text(profileName, kProfileNameBytes);
    SimWorld& w = Enter(Format("QXWL_WritePACList(%u, %s)", count, name.c_str()));
    if ((count && !pacs) || count > static_cast<ULONG>(kPacListMax)) return QXWL_ERROR_FAILURE;
    std::vector<ProfileStore::PacEntry> entries(count);
    for (ULONG i = 0; i < count; ++i) memcpy(entries[i].data(), pacs + i * ProfileStore::kPacEntryBytes, ProfileStore::kPacEntryBytes);
    auto guard = w.Lock();
    const ProfileStore before = w.Profiles;
    w.Profiles.SetPacList(name, std::move(entries));
    return w.CommitProfiles(before) ? QXWL_ERROR_SUCCESS : QXWL_ERROR_FAILURE;
}

LONG WINAPI QXWL_CheckDuplicatedProfileName(LPCSTR profileName)
{
    const std::string name = Text(profileName, kProfileNameBytes);
    SimWorld& w = Enter(Format("QXWL_CheckDuplicatedProfileName(%s)", name.c_str()));
    constexpr LONG kDuplicatedName = -16;
    auto guard = w.Lock();
    return w.Profiles.Find(name) ? kDuplicatedName : QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_IsDuplicateProfileID(ULONG profileId)
{
    SimWorld& w = Enter(Format("QXWL_IsDuplicateProfileID(%u)", profileId));
    constexpr LONG kTaken = 0, kOverflow = 3;
    constexpr ULONG kMaxProfileId = 9999;
    if (profileId > kMaxProfileId) return kOverflow;
    auto guard = w.Lock();
    for (const WLANPROFILE& p : w.Profiles.All())
        if (p.nProfileID == profileId) return kTaken;
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_GetNextProfileID(LPSTR profileId)
{
    SimWorld& w = Enter("QXWL_GetNextProfileID()");
    if (!profileId) return QXWL_ERROR_FAILURE;
    ULONG next;
    {
        auto guard = w.Lock();
        next = w.Profiles.NextId();
    }
    PutText(profileId, kProfileNameBytes, Format("%u", next));
    return QXWL_ERROR_SUCCESS;
}

// ---------------------------------------------------------------------------------------------
// Settings the program reads back

LONG WINAPI QXWL_ReadAdvanceCfgData(ADVANCE_CONFIG_DATA* config)
{
    return ReadStored("QXWL_ReadAdvanceCfgData()", config, &SimWorld::Advance);
}

LONG WINAPI QXWL_WriteAdvanceCfgData(ADVANCE_CONFIG_DATA config)
{
    return WriteStored(Format("QXWL_WriteAdvanceCfgData(mode=%d, tx=0x%X)", static_cast<int>(config.WirelessMode),
                              config.TransmitSetting),
                       config, &SimWorld::Advance);
}

BOOL WINAPI QXWL_ReadConfigData(ADVANCE_CONFIG_DATA* config)
{
    return ReadStored("QXWL_ReadConfigData()", config, &SimWorld::Advance) == QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_SetAdvanceSetting(ADVANCE_OID setting)
{
    Enter(Format("QXWL_SetAdvanceSetting(phy=%u, ht=%u, bw=%u, mcs=%u)", setting.PhyMode, setting.HtMode, setting.BW,
                 setting.MCS));
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_QuerySTAConfig(VN_802_11_STA_CONFIG* config)
{
    return ReadStored("QXWL_QuerySTAConfig()", config, &SimWorld::StaConfig);
}

LONG WINAPI QXWL_ReadCCX2Cont(CCX2_CONTROL* control)
{
    return ReadStored("QXWL_ReadCCX2Cont()", control, &SimWorld::Ccx);
}

BOOL WINAPI QXWL_QueryCCXInfo(CCX2_CONTROL* control)
{
    return ReadStored("QXWL_QueryCCXInfo()", control, &SimWorld::Ccx) == QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_SetCCXInfo(ULONG enable, CCX2_CONTROL control)
{
    return WriteStored(Format("QXWL_SetCCXInfo(%u, 0x%X)", enable, control), control, &SimWorld::Ccx);
}

LONG WINAPI QXWL_WriteRegValue(LPCSTR valueName, ULONG type, const BYTE* data, ULONG length)
{
    const std::string name = valueName ? valueName : "";
    std::string shown;
    if (type == REG_SZ && data) shown = std::string(reinterpret_cast<const char*>(data), strnlen(reinterpret_cast<const char*>(data), length));
    else if (type == REG_DWORD && data && length >= sizeof(DWORD)) {
        DWORD value;
        memcpy(&value, data, sizeof value);
        shown = Format("0x%X", value);
    }
    SimWorld& w = Enter(Format("QXWL_WriteRegValue(%s, %u, %s, %u)", name.c_str(), type, shown.c_str(), length));
    auto guard = w.Lock();
    w.RegistryValues[name] = data ? std::vector<BYTE>(data, data + length) : std::vector<BYTE>();
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_ReadPSMode(ULONG* psMode)
{
    return ReadStored("QXWL_ReadPSMode()", psMode, &SimWorld::PsMode);
}

LONG WINAPI QXWL_QueryCountryRegion(ULONG* region11BG, ULONG* region11A, ULONG* regionExtra)
{
    SimWorld& w = Enter("QXWL_QueryCountryRegion()");
    auto guard = w.Lock();
    if (region11BG) *region11BG = static_cast<ULONG>(w.Model.Settings.CountryRegion);
    if (region11A) *region11A = 0;
    if (regionExtra) *regionExtra = 0;
    return QXWL_ERROR_SUCCESS;
}

// ---------------------------------------------------------------------------------------------
// The adapter's identity

LONG WINAPI QXWL_ReadDriverDesc(LPSTR description, ULONG size)
{
    return AnswerText(Format("QXWL_ReadDriverDesc(%u)", size), description, size, kDriverDescription);
}

LONG WINAPI QXWL_ReadDriverName(LPSTR name, ULONG size)
{
    return AnswerText(Format("QXWL_ReadDriverName(%u)", size), name, size, kDriverName);
}

LONG WINAPI QXWL_ReadNetCfgInstanceID(LPSTR instanceId, ULONG size)
{
    return AnswerText(Format("QXWL_ReadNetCfgInstanceID(%u)", size), instanceId, size, kNetCfgInstanceId);
}

LONG WINAPI QXWL_QueryMacAddrs(UCHAR* mac)
{
    Enter("QXWL_QueryMacAddrs()");
    if (!mac) return QXWL_ERROR_FAILURE;
    memcpy(mac, kMacAddress, sizeof kMacAddress);
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_QueryCurrAddress(UCHAR* mac)
{
    Enter("QXWL_QueryCurrAddress()");
    if (!mac) return QXWL_ERROR_FAILURE;
    memcpy(mac, kMacAddress, sizeof kMacAddress);
    return QXWL_ERROR_SUCCESS;
}

BOOL WINAPI QXWL_GetCurrentDeviceModel(ULONG* model)
{
    Enter("QXWL_GetCurrentDeviceModel()");
    if (!model) return FALSE;
    *model = kDeviceModel;
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// WPS and the hosted network: what is stored; the runs themselves come with their pages.

LONG WINAPI QXWL_WriteWPSFlag(BOOL flag)
{
    return WriteStored(Format("QXWL_WriteWPSFlag(%d)", flag ? 1 : 0), flag ? TRUE : FALSE, &SimWorld::WpsFlag);
}

LONG WINAPI QXWL_ReadWPSFlag(BOOL* flag)
{
    return ReadStored("QXWL_ReadWPSFlag()", flag, &SimWorld::WpsFlag);
}

LONG WINAPI QXWL_WriteWPSProfile(WPS_MODE mode, WPS_PROFILE profile)
{
    SimWorld& w = Enter(Format("QXWL_WriteWPSProfile(0x%X, %u)", mode.WpsMode, profile.ProfileCnt));
    auto guard = w.Lock();
    w.WpsMode = mode;
    w.WpsProfile = profile;
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_ReadWPSProfile(WPS_MODE* mode, WPS_PROFILE* profile)
{
    SimWorld& w = Enter("QXWL_ReadWPSProfile()");
    auto guard = w.Lock();
    if (mode) *mode = w.WpsMode;
    if (profile) *profile = w.WpsProfile;
    return QXWL_ERROR_SUCCESS;
}

BOOL WINAPI QXWL_QueryWPSHwPbc(void)
{
    SimWorld& w = Enter("QXWL_QueryWPSHwPbc()");
    auto guard = w.Lock();
    if (w.Model.Settings.WpsHwPbcPresses <= 0) return FALSE;
    --w.Model.Settings.WpsHwPbcPresses;
    w.WpsRunning = true;
    w.WpsPollsLeft = kWpsPollsInProgress;
    return TRUE;
}

namespace {
// The network a push-button run registers with: the first one in range that offers WPS.
const SimNetwork* FirstWpsNetwork(const SimWorld& w)
{
    for (const SimNetwork& n : w.Visible)
        if (n.WPS) return &n;
    return nullptr;
}
}  // namespace

// Starts the exchange the mode asks for against the networks of the last scan.
LONG WINAPI QXWL_SetWPSMode(WPS_MODE mode)
{
    const std::string pin(mode.PIN, strnlen(mode.PIN, sizeof mode.PIN));
    SimWorld& w = Enter(Format("QXWL_SetWPSMode(0x%X, %s, %s, %u)", mode.WpsMode, SsidText(mode.WpsSSID).c_str(),
                               pin.c_str(), mode.ConfigMode));
    auto guard = w.Lock();
    // A Wi-Fi Direct negotiation in progress takes the mode for its own exchange with the peer.
    if (WifiDirectTakesWpsMode(w, mode)) return QXWL_ERROR_SUCCESS;
    w.WpsRunning = false;
    w.WpsWithGroup = false;
    w.Wps.Start(mode, w.Visible, ::GetTickCount64());
    return QXWL_ERROR_SUCCESS;
}

// The credential a registrar run hands to the access point.
LONG WINAPI QXWL_SetWPSProfile(WPS_PROFILE profile)
{
    SimWorld& w = Enter(Format("QXWL_SetWPSProfile(%u)", profile.ProfileCnt));
    auto guard = w.Lock();
    w.WpsSentProfile = profile;
    return QXWL_ERROR_SUCCESS;
}

// Ends the exchange; the status reads idle again.
LONG WINAPI QXWL_WPSDisconnect(void)
{
    SimWorld& w = Enter("QXWL_WPSDisconnect()");
    auto guard = w.Lock();
    w.Wps.Stop();
    w.WpsRunning = false;
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_QueryWPSAPChannel(UCHAR* channel)
{
    SimWorld& w = Enter("QXWL_QueryWPSAPChannel()");
    if (!channel) return QXWL_ERROR_FAILURE;
    auto guard = w.Lock();
    if (const UCHAR group = WifiDirectWpsChannel(w)) *channel = group;
    else *channel = w.Wps.HasPeer() ? static_cast<UCHAR>(w.Wps.Peer().Channel) : 0;
    return QXWL_ERROR_SUCCESS;
}

namespace {
// A registrar run that succeeded: the access point takes the first credential offered.
void AdoptOfferedCredential(SimWorld& w)
{
    if (w.WpsSentProfile.ProfileCnt == 0) return;
    const WPS_CREDENTIAL& offered = w.WpsSentProfile.Profile[0];
    const SimNetwork& peer = w.Wps.Peer();
    for (std::vector<SimNetwork>* list : {&w.Model.Networks, &w.Visible})
        for (SimNetwork& n : *list)
            if (memcmp(n.Bssid, peer.Bssid, sizeof n.Bssid) == 0) ApplyWscCredential(offered, n);
}
}  // namespace

// An exchange started by QXWL_SetWPSMode walks its steps (sim/QxWLAPI/WpsRegistrar.h); a
// hardware push-button run is in progress for a few polls, then succeeds with the registrar's
// credential, or "no registrar" when none is in range. The high bits carry flags.
LONG WINAPI QXWL_QueryWPSStatus(ULONG* statusCode)
{
    SimWorld& w = Enter("QXWL_QueryWPSStatus()");
    if (!statusCode) return QXWL_ERROR_FAILURE;
    auto guard = w.Lock();
    if (w.Wps.Active() || w.Wps.Mode().WpsMode != 0) {
        const bool wasActive = w.Wps.Active();
        *statusCode = w.Wps.Poll(::GetTickCount64(), w.Model.Settings.WpsStepMs, w.Model.Settings.WpsTimeoutMs);
        if (wasActive && w.Wps.Succeeded() && w.Wps.Registrar()) AdoptOfferedCredential(w);
        return QXWL_ERROR_SUCCESS;
    }
    ULONG code = kWpsStatusIdle;
    if (w.WpsRunning) {
        if (w.WpsPollsLeft > 0) {
            --w.WpsPollsLeft;
            code = kWpsStatusInProgress;
        } else {
            w.WpsRunning = false;
            code = FirstWpsNetwork(w) ? kWpsStatusSuccess : kWpsStatusNoRegistrar;
        }
    }
    *statusCode = code | kWpsStatusFlagBits;
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_QueryWPSProfile(WPS_PROFILE* profile)
{
    SimWorld& w = Enter("QXWL_QueryWPSProfile()");
    if (!profile) return QXWL_ERROR_FAILURE;
    memset(profile, 0, sizeof *profile);
    auto guard = w.Lock();
    // After an exchange started by the program only its access point's credential counts.
    SimNetwork adopted;
    const SimNetwork* n = nullptr;
    if (w.Wps.Mode().WpsMode != 0) {
        if (!w.Wps.Succeeded()) return QXWL_ERROR_SUCCESS;
        adopted = w.Wps.Peer();
        for (const SimNetwork& each : w.Model.Networks)
            if (memcmp(each.Bssid, adopted.Bssid, sizeof each.Bssid) == 0) adopted = each;
        n = &adopted;
    } else {
        n = FirstWpsNetwork(w);
    }
    if (!n) return QXWL_ERROR_SUCCESS;
    profile->ProfileCnt = 1;
    WPS_CREDENTIAL& c = profile->Profile[0];
    c.SSID.SsidLength = static_cast<ULONG>(std::min<size_t>(n->Ssid.size(), kSsidMaxLength));
    memcpy(c.SSID.Ssid, n->Ssid.data(), c.SSID.SsidLength);
    c.AuthType = WscAuthOf(*n);
    c.EncrType = WscEncrOf(*n);
    c.KeyLength = static_cast<ULONG>(std::min<size_t>(n->Key.size(), kWpsKeyMaxBytes));
    memcpy(c.Key, n->Key.data(), c.KeyLength);
    memcpy(c.MacAddr, n->Bssid, sizeof c.MacAddr);
    return QXWL_ERROR_SUCCESS;
}

// Connects with a WPS credential as with a profile of its SSID, security and key.
LONG WINAPI QXWL_ConnectWPSProfile(const WPS_CREDENTIAL* credential)
{
    if (!credential) {
        Enter("QXWL_ConnectWPSProfile(null)");
        return QXWL_ERROR_FAILURE;
    }
    ConnectRequest request;
    request.Ssid = SsidText(credential->SSID);
    const bool secured = credential->AuthType == kWscAuthWpa2Psk;
    request.AuthMode = secured ? AUTH_WPA2_PSK : AUTH_OPEN;
    request.Encryption = secured ? ENCRY_AES : ENCRY_NONE;
    request.PassPhrase.assign(reinterpret_cast<const char*>(credential->Key),
                              std::min<ULONG>(credential->KeyLength, kWpsKeyMaxBytes));
    SimWorld& w = Enter(Format("QXWL_ConnectWPSProfile(%s)", request.Ssid.c_str()));
    {
        auto guard = w.Lock();
        w.CurrentSetting = request;
    }
    ConnectWith(w, request);
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_QueryWPSVersion(ULONG* version)
{
    SimWorld& w = Enter("QXWL_QueryWPSVersion()");
    if (!version) return QXWL_ERROR_FAILURE;
    auto guard = w.Lock();
    *version = static_cast<ULONG>(w.Model.Settings.WpsVersion);
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_ReadExtAPConfig(EXTAP_CONFIG* config)
{
    return ReadStored("QXWL_ReadExtAPConfig()", config, &SimWorld::ExtAp);
}

LONG WINAPI QXWL_WriteExtAPConfig(EXTAP_CONFIG config)
{
    // What the record holds, for tests that can only read the journal.
    Enter(Format("SIM hosted configuration %s key %s peers %lu",
                 std::string(reinterpret_cast<const char*>(config.Ssid), std::min<ULONG>(config.SsidLength, sizeof config.Ssid)).c_str(),
                 std::string(reinterpret_cast<const char*>(config.Key), std::min<ULONG>(config.KeyLength, sizeof config.Key)).c_str(),
                 config.MaxPeers));
    return WriteStored(Format("QXWL_WriteExtAPConfig(%u)", config.SsidLength), config, &SimWorld::ExtAp);
}

LONG WINAPI QXWL_InitWifiDirect(HANDLE statusEvent)
{
    SimWorld& w = Enter(statusEvent ? "QXWL_InitWifiDirect(event)" : "QXWL_InitWifiDirect(null)");
    w.TakeWifiDirectEvent(statusEvent);
    return statusEvent ? QXWL_ERROR_SUCCESS : QXWL_ERROR_FAILURE;
}

LONG WINAPI QXWL_StartWifiDirectGO(void)
{
    SimWorld& w = Enter("QXWL_StartWifiDirectGO()");
    auto guard = w.Lock();
    return w.Model.Settings.StartWifiDirectGOFails ? QXWL_ERROR_FAILURE : QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_HostedNetworkSetup(EXTAP_CONFIG config)
{
    SimWorld& w = Enter(Format("QXWL_HostedNetworkSetup(%s)",
                               std::string(reinterpret_cast<const char*>(config.Ssid),
                                           std::min<ULONG>(config.SsidLength, sizeof config.Ssid)).c_str()));
    auto guard = w.Lock();
    return w.Model.Settings.HostedNetworkSetupFails ? QXWL_ERROR_FAILURE : QXWL_ERROR_SUCCESS;
}

// The hosted network runs once it has a configuration with an SSID; its channel is the stored
// one when that is a 2.4 GHz channel, else 6.
LONG WINAPI QXWL_HostedNetworkQueryStatus(HOSTEDNETWORK_STATUS* status)
{
    SimWorld& w = Enter("QXWL_HostedNetworkQueryStatus()");
    if (!status) return QXWL_ERROR_FAILURE;
    auto guard = w.Lock();
    *status = {};
    if (w.ExtAp.SsidLength == 0) return QXWL_ERROR_SUCCESS;
    status->State = 1;
    const UCHAR bssid[6] = {0x02, 0x4B, 0x45, 0x4C, 0x56, 0x4F};
    memcpy(status->Bssid, bssid, sizeof bssid);
    status->Channel = w.ExtAp.Channel >= 1 && w.ExtAp.Channel <= 14 ? w.ExtAp.Channel : 6;
    const LONG count = std::clamp<LONG>(w.Model.Settings.HostedStations, 0, HOSTEDNETWORK_STATUS::kMaxStations);
    status->StationCount = static_cast<ULONG>(count);
    for (LONG i = 0; i < count; ++i) {
        HOSTEDNETWORK_STATION& station = status->Stations[i];
        station.Mac[0] = 0x02;
        station.Mac[5] = static_cast<UCHAR>(i + 1);
        station.AuthState = i >= count - w.Model.Settings.HostedUnauthenticated ? 0 : 1;
    }
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_RunOnceInitConfigTool(ULONG* select)
{
    SimWorld& w = Enter("QXWL_RunOnceInitConfigTool()");
    auto guard = w.Lock();
    if (select) *select = static_cast<ULONG>(w.Model.Settings.ConfigToolSelect);
    return w.Model.Settings.ConfigToolResult;
}

LONG WINAPI QXWL_ReadWifiDirectFlag(ULONG* enable)
{
    return ReadStored("QXWL_ReadWifiDirectFlag()", enable, &SimWorld::WifiDirectFlag);
}

LONG WINAPI QXWL_WriteWifiDirectFlag(BOOL enable)
{
    return WriteStored(Format("QXWL_WriteWifiDirectFlag(%d)", enable ? 1 : 0), enable ? 1ul : 0ul,
                       &SimWorld::WifiDirectFlag);
}

// ---------------------------------------------------------------------------------------------
// Conversions

ULONG WINAPI QXWL_ConvertWpsConfigMethodToWpsCapabilityMap(USHORT configMethods, ULONG own)
{
    Enter(Format("QXWL_ConvertWpsConfigMethodToWpsCapabilityMap(0x%X, %u)", configMethods, own));
    constexpr USHORT kDisplay = 0x0008, kPushButton = 0x0080, kKeypad = 0x0100;
    ULONG map = 0;
    if (own) {
        // This device's methods are the control word's three bits: push button, display, keypad.
        if (configMethods & 0x1) map |= 1u << 29;
        if (configMethods & 0x2) map |= 1u << 31;  // it shows a PIN: the registrar's
        if (configMethods & 0x4) map |= 1u << 30;  // it takes a PIN the user enters
        return map;
    }
    if (configMethods & kPushButton) map |= 1u << 29;
    if (configMethods & kDisplay) map |= 1u << 30;  // a PIN the user reads from the device
    if (configMethods & kKeypad) map |= 1u << 31;   // a PIN the device takes from the registrar
    return map;
}

LONG WINAPI QXWL_IPDataToStr(const UCHAR* ip, LPSTR text, ULONG size)
{
    Enter("QXWL_IPDataToStr()");
    if (!ip || !text || size == 0) return QXWL_ERROR_FAILURE;
    snprintf(text, size, "%u.%u.%u.%u", ip[0], ip[1], ip[2], ip[3]);
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_StrToIPData(LPCSTR text, UCHAR* ip)
{
    Enter(Format("QXWL_StrToIPData(%s)", text ? text : ""));
    unsigned parts[4];
    char tail;
    if (!text || !ip || sscanf(text, "%u.%u.%u.%u%c", &parts[0], &parts[1], &parts[2], &parts[3], &tail) != 4)
        return QXWL_ERROR_FAILURE;
    for (int i = 0; i < 4; ++i) {
        if (parts[i] > 255) return QXWL_ERROR_FAILURE;
        ip[i] = static_cast<UCHAR>(parts[i]);
    }
    return QXWL_ERROR_SUCCESS;
}

// Not an entry point of the maker's library: the simulated machine's network adapters, which
// the program takes in place of the device tree when the library offers them.
extern "C" __attribute__((dllexport)) LONG WINAPI QXSIM_GetNetDevices(NET_DEVICE_ENTRY* entries, ULONG* count)
{
    SimWorld& w = Enter(Format("QXSIM_GetNetDevices(%lu)", count ? *count : 0));
    auto guard = w.Lock();
    std::vector<NET_DEVICE_ENTRY> all;
    if (w.AdapterUsable())
        for (const SimAdapter& a : w.Model.Adapters) all.push_back(OwnAdapterEntry(a.Name, a.Description, a.DeviceID));
    for (size_t i = 0; i < w.Model.NetDevices.size(); ++i) all.push_back(NetDeviceEntry(w.Model.NetDevices[i], i));
    return HandOutNetDevices(all, entries, count);
}
