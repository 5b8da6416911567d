// The entry points of the soft-AP library, exported under their plain names with the prototypes
// the program binds (contract/SoftApEntryPoints.h): a definition that strays does not compile.
#include "contract/SoftApEntryPoints.h"
#include "contract/StationContract.h"
#include "sim/QxAPAPI/SoftApWorld.h"

#include <cstdio>
#include <cstring>
#include <string>

#define SIM_DECLARE_EXPORT(ret, name, params) extern "C" __attribute__((dllexport)) ret WINAPI name params;
QXAP_ENTRY_POINTS(SIM_DECLARE_EXPORT)
#undef SIM_DECLARE_EXPORT

using simap::SoftApWorld;
using sim::Format;

namespace {
constexpr UCHAR kOwnMac[6] = {0x00, 0x1A, 0x2B, 0x44, 0x71, 0xA0};
constexpr LONG kStrongRssi = -50;  // and above: 100 percent
constexpr LONG kWeakRssi = -100;   // and below: 0 percent
constexpr ULONG kAuthWpa2Psk = 7;  // QXAP_QueryAuthMode of a configuration without one

SoftApWorld& Enter(const std::string& line)
{
    SoftApWorld& world = SoftApWorld::Get();
    world.Enter(line);
    return world;
}

std::string SsidOf(const AP_CONFIG_DATA& config)
{
    const ULONG length = std::min<ULONG>(config.Ssid.SsidLength, kSsidMaxLength);
    return std::string(reinterpret_cast<const char*>(config.Ssid.Ssid), length);
}

// What the driver now runs, so that a test in another process can read it from the journal.
void NoteApplied(SoftApWorld& w, const AP_CONFIG_DATA& config)
{
    const ULONG keyLength = std::min<ULONG>(config.nPskKeyLen, sizeof config.chPskKey);
    w.Note(Format("SIM access point runs %s on channel %ld, auth %lu, encry %lu, key %s", SsidOf(config).c_str(),
                  simap::FrequencyKHzToChannel(config.lFreq), config.enumAuthenMode, config.enumEncryStatus,
                  std::string(reinterpret_cast<const char*>(config.chPskKey), keyLength).c_str()));
}

void Copy(char* out, size_t capacity, const std::string& text)
{
    if (out && capacity) lstrcpynA(out, text.c_str(), static_cast<int>(capacity));
}
}  // namespace

LONG WINAPI QXAP_Initial(LPCSTR vendor, HWND notifyWindow)
{
    SoftApWorld& w = Enter(Format("QXAP_Initial(%s)", vendor ? vendor : "(null)"));
    auto guard = w.Lock();
    w.NotifyWindow = notifyWindow;
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXAP_DeInitial(void)
{
    SoftApWorld& w = Enter("QXAP_DeInitial()");
    auto guard = w.Lock();
    w.NotifyWindow = nullptr;
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXAP_GetWinOS(void)
{
    SoftApWorld& w = Enter("QXAP_GetWinOS()");
    auto guard = w.Lock();
    return w.S.OsCode;
}

BOOL WINAPI QXAP_IsFileExist(LPCSTR path)
{
    Enter(Format("QXAP_IsFileExist(%s)", path ? path : "(null)"));
    return path && GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

LONG WINAPI QXAP_FrequencyToChannel(ULONG frequencyKHz)
{
    Enter(Format("QXAP_FrequencyToChannel(%lu)", frequencyKHz));
    return simap::FrequencyKHzToChannel(frequencyKHz);
}

LONG WINAPI QXAP_ChannelToFrequency(LONG channel)
{
    Enter(Format("QXAP_ChannelToFrequency(%ld)", channel));
    return static_cast<LONG>(simap::ChannelToFrequencyKHz(channel));
}

LONG WINAPI QXAP_StrToIPData(LPCSTR text, UCHAR* ip)
{
    Enter(Format("QXAP_StrToIPData(%s)", text ? text : "(null)"));
    unsigned b[4];
    char extra;
    if (!text || !ip || sscanf(text, "%u.%u.%u.%u%c", &b[0], &b[1], &b[2], &b[3], &extra) != 4) return QXWL_ERROR_FAILURE;
    for (int i = 0; i < 4; ++i) {
        if (b[i] > 255) return QXWL_ERROR_FAILURE;
        ip[i] = static_cast<UCHAR>(b[i]);
    }
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXAP_IPDataToStr(const UCHAR* ip, LPSTR text, ULONG size)
{
    Enter("QXAP_IPDataToStr()");
    if (!ip || !text || size == 0) return QXWL_ERROR_FAILURE;
    Copy(text, size, Format("%u.%u.%u.%u", ip[0], ip[1], ip[2], ip[3]));
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXAP_GetAvailableAdapters(BYTE* list, LONG capacity)
{
    SoftApWorld& w = Enter(Format("QXAP_GetAvailableAdapters(%ld)", capacity));
    if (!list) return QXWL_ERROR_FAILURE;
    auto guard = w.Lock();
    const ULONG count = w.S.DevicePresent ? static_cast<ULONG>(w.Adapters.size()) : 0;
    memcpy(list, &count, sizeof count);
    if (static_cast<LONG>(count) > capacity) return QXWL_ERROR_BUFFER_TOO_SMALL;
    for (ULONG i = 0; i < count; ++i) {
        ADAPTER_ENTRY entry = {};
        Copy(entry.chName, sizeof entry.chName, w.Adapters[i].Name);
        Copy(entry.chDeviceID, sizeof entry.chDeviceID, w.Adapters[i].DeviceID);
        Copy(entry.chText128, sizeof entry.chText128, w.Adapters[i].Description);
        Copy(entry.chSoftApName, sizeof entry.chSoftApName, w.Adapters[i].Name);
        memcpy(list + kAdapterListHeaderBytes + i * sizeof(ADAPTER_ENTRY), &entry, sizeof entry);
    }
    return static_cast<LONG>(count);
}

LONG WINAPI QXAP_AdapterSelect(const ADAPTER_ENTRY* adapter, ULONG flags, HWND notifyWindow)
{
    const std::string name = adapter ? std::string(adapter->chName, strnlen(adapter->chName, sizeof adapter->chName)) : "";
    SoftApWorld& w = Enter(Format("QXAP_AdapterSelect(%s, %lu)", name.c_str(), flags));
    auto guard = w.Lock();
    for (const simap::Adapter& a : w.Adapters) {
        if (a.Name != name) continue;
        w.SelectedAdapter = name;
        if (notifyWindow) w.NotifyWindow = notifyWindow;
        return QXWL_ERROR_SUCCESS;
    }
    return QXWL_ERROR_FAILURE;
}

BOOL WINAPI QXAP_IsDeviceExist(LPCSTR adapterName)
{
    SoftApWorld& w = Enter(Format("QXAP_IsDeviceExist(%s)", adapterName ? adapterName : "(null)"));
    auto guard = w.Lock();
    if (!w.S.DevicePresent || !adapterName) return FALSE;
    for (const simap::Adapter& a : w.Adapters)
        if (a.Name == adapterName) return TRUE;
    return FALSE;
}

LONG WINAPI QXAP_GetMacAddrs(UCHAR* mac)
{
    Enter("QXAP_GetMacAddrs()");
    if (!mac) return QXWL_ERROR_FAILURE;
    memcpy(mac, kOwnMac, sizeof kOwnMac);
    return QXWL_ERROR_SUCCESS;
}

BOOL WINAPI QXAP_DetectUserAdmin(void)
{
    SoftApWorld& w = Enter("QXAP_DetectUserAdmin()");
    auto guard = w.Lock();
    return w.S.UserAdmin != 0;
}

BOOL WINAPI QXAP_DetectMoreThanOneProcess(void)
{
    SoftApWorld& w = Enter("QXAP_DetectMoreThanOneProcess()");
    auto guard = w.Lock();
    return w.S.MoreThanOneProcess != 0;
}

BOOL WINAPI QXAP_Is80211ASupport(void)
{
    SoftApWorld& w = Enter("QXAP_Is80211ASupport()");
    auto guard = w.Lock();
    return w.S.Supports11a != 0;
}

BOOL WINAPI QXAP_Is80211NSupport(void)
{
    SoftApWorld& w = Enter("QXAP_Is80211NSupport()");
    auto guard = w.Lock();
    return w.S.Supports11n != 0;
}

LONG WINAPI QXAP_QueryOPMode(void)
{
    SoftApWorld& w = Enter("QXAP_QueryOPMode()");
    auto guard = w.Lock();
    return w.S.OpMode;
}

BOOL WINAPI QXAP_SetOPMode(ULONG opMode)
{
    SoftApWorld& w = Enter(Format("QXAP_SetOPMode(%lu)", opMode));
    auto guard = w.Lock();
    if (w.S.SetOpModeFails || !w.S.DevicePresent) return FALSE;
    w.S.OpMode = static_cast<LONG>(opMode);
    if (opMode != 1) {
        // Back to station mode: the access point stops beaconing.
        w.Started = false;
        w.DhcpRunning = false;
    }
    w.Refresh();
    return TRUE;
}

LONG WINAPI QXAP_IsZeroConfig(void)
{
    SoftApWorld& w = Enter("QXAP_IsZeroConfig()");
    auto guard = w.Lock();
    return w.S.ZeroConfig;
}

LONG WINAPI QXAP_StopXpZeroConfig(void)
{
    SoftApWorld& w = Enter("QXAP_StopXpZeroConfig()");
    auto guard = w.Lock();
    w.S.ZeroConfig = 0;
    return QXWL_ERROR_SUCCESS;
}

BOOL WINAPI QXAP_GetCurrentDeviceModel(ULONG* model)
{
    SoftApWorld& w = Enter("QXAP_GetCurrentDeviceModel()");
    auto guard = w.Lock();
    if (!model || !w.S.DevicePresent) return FALSE;
    *model = static_cast<ULONG>(w.S.DeviceModel);
    return TRUE;
}

LONG WINAPI QXAP_QueryMacTable(VN_802_11_MAC_TABLE* table)
{
    SoftApWorld& w = Enter("QXAP_QueryMacTable()");
    if (!table) return QXWL_ERROR_FAILURE;
    auto guard = w.Lock();
    *table = {};
    if (!w.Running()) return QXWL_ERROR_FAILURE;
    for (size_t i = 0; i < w.Associated.size(); ++i) {
        VN_802_11_MAC_ENTRY& entry = table->Entry[table->Num++];
        memcpy(entry.Addr, w.Associated[i].Mac, 6);
        entry.Aid = static_cast<UCHAR>(i + 1);
        entry.Psm = w.Associated[i].PowerSave ? 1 : 0;
        entry.TxRate = w.Associated[i].TxRate;
    }
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXAP_QueryMacTableNOT_11N(VN_802_11_MAC_TABLE_NOT_11N* table)
{
    SoftApWorld& w = Enter("QXAP_QueryMacTableNOT_11N()");
    if (!table) return QXWL_ERROR_FAILURE;
    auto guard = w.Lock();
    *table = {};
    if (!w.Running()) return QXWL_ERROR_FAILURE;
    for (size_t i = 0; i < w.Associated.size(); ++i) {
        VN_802_11_MAC_ENTRY_NOT_11N& entry = table->Entry[table->Num++];
        memcpy(entry.Addr, w.Associated[i].Mac, 6);
        entry.Aid = static_cast<UCHAR>(i + 1);
        entry.Psm = w.Associated[i].PowerSave ? 1 : 0;
    }
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXAP_ReadAccessPolicy(LPSTR policy)
{
    SoftApWorld& w = Enter("QXAP_ReadAccessPolicy()");
    if (!policy) return QXWL_ERROR_FAILURE;
    auto guard = w.Lock();
    Copy(policy, kApAccessTextBytes, std::to_string(w.StoredPolicy));
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXAP_ReadAccessList(LPSTR list)
{
    SoftApWorld& w = Enter("QXAP_ReadAccessList()");
    if (!list) return QXWL_ERROR_FAILURE;
    auto guard = w.Lock();
    memset(list, 0, kApAccessTextBytes);
    size_t at = 0;
    for (const std::string& entry : w.StoredList) {
        if (at + entry.size() + 2 > kApAccessTextBytes) break;  // room for the closing empty text
        memcpy(list + at, entry.c_str(), entry.size() + 1);
        at += entry.size() + 1;
    }
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXAP_WriteAccessPolicy(ULONG policy)
{
    SoftApWorld& w = Enter(Format("QXAP_WriteAccessPolicy(%lu)", policy));
    auto guard = w.Lock();
    w.StoredPolicy = policy;
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXAP_WriteAccessList(LPCSTR list, ULONG length)
{
    SoftApWorld& w = Enter(Format("QXAP_WriteAccessList(%lu)", length));
    if (!list && length) return QXWL_ERROR_FAILURE;
    std::vector<std::string> entries;
    // Texts separated by one NUL, up to an empty text or the given length.
    for (ULONG at = 0; at < length && list[at] != '\0';) {
        const size_t n = strnlen(list + at, length - at);
        entries.emplace_back(list + at, n);
        at += static_cast<ULONG>(n) + 1;
    }
    auto guard = w.Lock();
    w.StoredList = std::move(entries);
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXAP_Set80211ACL(const AP_ACL_LIST* acl)
{
    SoftApWorld& w = Enter(acl ? Format("QXAP_Set80211ACL(%lu, %lu)", acl->Policy, acl->Num) : "QXAP_Set80211ACL(null)");
    if (!acl || acl->Num > static_cast<ULONG>(kApAclMaxEntries)) return QXWL_ERROR_FAILURE;
    auto guard = w.Lock();
    w.Acl = *acl;
    w.Refresh();
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXAP_ReadConfigData(AP_CONFIG_DATA* config)
{
    SoftApWorld& w = Enter("QXAP_ReadConfigData()");
    if (!config) return QXWL_ERROR_FAILURE;
    auto guard = w.Lock();
    *config = w.Stored;
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXAP_WriteandSetConfigData(AP_CONFIG_DATA config, AP_ADVANCE_DATA advance)
{
    SoftApWorld& w = Enter("QXAP_WriteandSetConfigData(" + SsidOf(config) + ")");
    // What the record holds, for tests that can only read the journal.
    const std::string key(reinterpret_cast<const char*>(config.chPskKey),
                          std::min<size_t>(config.nPskKeyLen, sizeof config.chPskKey));
    w.Enter(Format("SIM stored %s channel %ld auth %lu encryption %lu key %s mode %lu", SsidOf(config).c_str(),
                   simap::FrequencyKHzToChannel(config.lFreq), config.enumAuthenMode, config.enumEncryStatus,
                   key.c_str(), config.PhyMode));
    auto guard = w.Lock();
    w.Stored = config;
    w.SaveStore();
    w.Advance = advance;
    if (w.S.DevicePresent) {
        w.Applied = config;
        NoteApplied(w, config);
    }
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXAP_SetConfigData(const AP_CONFIG_DATA* config, const AP_ADVANCE_DATA* advance)
{
    SoftApWorld& w = Enter(config ? "QXAP_SetConfigData(" + SsidOf(*config) + ")" : "QXAP_SetConfigData(null)");
    if (!config || !advance) return QXWL_ERROR_FAILURE;
    auto guard = w.Lock();
    if (!w.S.DevicePresent) return QXWL_ERROR_FAILURE;
    w.Applied = *config;
    w.Advance = *advance;
    NoteApplied(w, *config);
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXAP_GetAPDefault(AP_CONFIG_DATA* config)
{
    Enter("QXAP_GetAPDefault()");
    if (!config) return QXWL_ERROR_FAILURE;
    *config = simap::DefaultConfig();
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXAP_QueryInitialState(ULONG* state)
{
    SoftApWorld& w = Enter("QXAP_QueryInitialState()");
    if (!state) return QXWL_ERROR_FAILURE;
    auto guard = w.Lock();
    if (!w.S.DevicePresent || w.NotReadyLeft > 0) {
        if (w.NotReadyLeft > 0) --w.NotReadyLeft;
        *state = 0;
    } else {
        *state = 1;
    }
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXAP_InitAPSettings(void)
{
    SoftApWorld& w = Enter("QXAP_InitAPSettings()");
    auto guard = w.Lock();
    if (!w.S.DevicePresent || w.S.OpMode != 1) return QXWL_ERROR_FAILURE;
    w.Started = true;
    w.Refresh();
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXAP_RestoreStationSetting(void)
{
    SoftApWorld& w = Enter("QXAP_RestoreStationSetting()");
    auto guard = w.Lock();
    w.Started = false;
    w.DhcpRunning = false;
    w.Refresh();
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXAP_QueryAuthMode(void)
{
    SoftApWorld& w = Enter("QXAP_QueryAuthMode()");
    auto guard = w.Lock();
    if (w.S.DriverAuthMode >= 0) return w.S.DriverAuthMode;
    return static_cast<LONG>(w.Applied.Ssid.SsidLength ? w.Applied.enumAuthenMode : kAuthWpa2Psk);
}

LONG WINAPI QXAP_ReadAuthMode(void)
{
    SoftApWorld& w = Enter("QXAP_ReadAuthMode()");
    auto guard = w.Lock();
    return static_cast<LONG>(w.Stored.Ssid.SsidLength ? w.Stored.enumAuthenMode : kAuthWpa2Psk);
}

LONG WINAPI QXAP_QuerySignalStrength(void)
{
    SoftApWorld& w = Enter("QXAP_QuerySignalStrength()");
    auto guard = w.Lock();
    return w.S.Rssi;
}

LONG WINAPI QXAP_ConvertRssiToSignalQuality(LONG rssi)
{
    Enter(Format("QXAP_ConvertRssiToSignalQuality(%ld)", rssi));
    if (rssi >= kStrongRssi) return 100;
    if (rssi <= kWeakRssi) return 0;
    return 2 * (rssi - kWeakRssi);
}

LONG WINAPI QXAP_ConvertMACStrToByte(LPCSTR text, UCHAR* mac)
{
    Enter(Format("QXAP_ConvertMACStrToByte(%s)", text ? text : "(null)"));
    if (!text || !mac) return QXWL_ERROR_FAILURE;
    for (int i = 0; i < 6; ++i) {
        unsigned byte;
        if (sscanf(text + 2 * i, "%2x", &byte) != 1) return QXWL_ERROR_FAILURE;
        mac[i] = static_cast<UCHAR>(byte);
    }
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXAP_SetVistaWindowsProfile(LPCSTR ssid, ULONG length)
{
    const std::string text = ssid ? std::string(ssid, strnlen(ssid, std::min<ULONG>(length, kSsidMaxLength))) : "";
    SoftApWorld& w = Enter(Format("QXAP_SetVistaWindowsProfile(%s, %lu)", text.c_str(), length));
    if (text.empty()) return QXWL_ERROR_FAILURE;
    auto guard = w.Lock();
    w.ProfileSsid = text;
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXAP_DeleteVistaWindowsProfile(void)
{
    SoftApWorld& w = Enter("QXAP_DeleteVistaWindowsProfile()");
    auto guard = w.Lock();
    w.ProfileSsid.clear();
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXAP_WlanDeleteAllQuixenWindowsProfiles(void)
{
    SoftApWorld& w = Enter("QXAP_WlanDeleteAllQuixenWindowsProfiles()");
    auto guard = w.Lock();
    w.ProfileSsid.clear();
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXAP_EnableDhcpServer(void)
{
    SoftApWorld& w = Enter("QXAP_EnableDhcpServer()");
    auto guard = w.Lock();
    if (!w.S.DevicePresent) return QXWL_ERROR_FAILURE;
    w.DhcpRunning = true;
    w.Refresh();
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXAP_DisableDhcpServer(void)
{
    SoftApWorld& w = Enter("QXAP_DisableDhcpServer()");
    auto guard = w.Lock();
    w.DhcpRunning = false;
    w.Refresh();
    return QXWL_ERROR_SUCCESS;
}

BOOL WINAPI QXAP_CheckIEEE80211H(void)
{
    SoftApWorld& w = Enter("QXAP_CheckIEEE80211H()");
    auto guard = w.Lock();
    return w.S.Ieee80211H != 0;
}

LONG WINAPI QXAP_QueryCountryRegion(ULONG* region, ULONG* has5GHz, ULONG* has24GHz)
{
    SoftApWorld& w = Enter("QXAP_QueryCountryRegion()");
    auto guard = w.Lock();
    if (region) *region = (static_cast<ULONG>(w.S.MaxRegion24 & 0xFF) << 16) | (static_cast<ULONG>(w.S.MaxRegion5 & 0xFF) << 24);
    if (has5GHz) *has5GHz = w.S.Supports11a ? 1 : 0;
    if (has24GHz) *has24GHz = w.S.Has24GHz ? 1 : 0;
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXAP_GetCountryChannel(UCHAR* channels5GHz, UCHAR* channels24GHz, ULONG* count24GHz, ULONG* count5GHz,
                                   ULONG region24GHz, ULONG region5GHz)
{
    SoftApWorld& w = Enter(Format("QXAP_GetCountryChannel(%lu, %lu)", region24GHz, region5GHz));
    auto guard = w.Lock();
    UCHAR list[32] = {};
    const ULONG n24 = simap::RegionChannels(false, region24GHz, w.S, list);
    if (channels24GHz) memcpy(channels24GHz, list, sizeof list);
    if (count24GHz) *count24GHz = w.S.Has24GHz ? n24 : 0;
    memset(list, 0, sizeof list);
    const ULONG n5 = simap::RegionChannels(true, region5GHz, w.S, list);
    if (channels5GHz) memcpy(channels5GHz, list, sizeof list);
    if (count5GHz) *count5GHz = w.S.Supports11a ? n5 : 0;
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXAP_GetSideBandParaFromE2PROM_BG(ULONG* flag)
{
    SoftApWorld& w = Enter("QXAP_GetSideBandParaFromE2PROM_BG()");
    auto guard = w.Lock();
    if (flag) *flag = static_cast<ULONG>(w.S.SideBand);
    return QXWL_ERROR_SUCCESS;
}

BOOL WINAPI QXAP_CheckAllowBW40ForBand(ULONG* bands)
{
    SoftApWorld& w = Enter("QXAP_CheckAllowBW40ForBand()");
    auto guard = w.Lock();
    if (!bands) return FALSE;
    *bands &= static_cast<ULONG>(w.S.Bw40Bands);
    return TRUE;
}

BOOL WINAPI QXAP_OIDQueryInfo(ULONG oid, BYTE* buffer, ULONG length, ULONG* written)
{
    SoftApWorld& w = Enter(Format("QXAP_OIDQueryInfo(0x%lx)", oid));
    constexpr ULONG kOidGenLinkSpeed = 0x00010107;
    if (written) *written = 0;
    if (buffer) memset(buffer, 0, length);
    auto guard = w.Lock();
    // Only the link speed is known; any other query fails as a driver without it would.
    if (oid != kOidGenLinkSpeed || !buffer || length < sizeof(ULONG) || !w.Running() || w.S.LinkSpeedFails) return FALSE;
    const ULONG speed = static_cast<ULONG>(w.S.LinkSpeed);
    memcpy(buffer, &speed, sizeof speed);
    if (written) *written = sizeof speed;
    return TRUE;
}

// Not an entry point of the maker's library: the simulated machine's network adapters, which
// the program takes in place of the device tree when the library offers them.
extern "C" __attribute__((dllexport)) LONG WINAPI QXSIM_GetNetDevices(NET_DEVICE_ENTRY* entries, ULONG* count)
{
    SoftApWorld& w = Enter(Format("QXSIM_GetNetDevices(%lu)", count ? *count : 0));
    auto guard = w.Lock();
    std::vector<NET_DEVICE_ENTRY> all;
    if (w.S.DevicePresent)
        for (const simap::Adapter& a : w.Adapters) all.push_back(sim::OwnAdapterEntry(a.Name, a.Description, a.DeviceID));
    for (size_t i = 0; i < w.NetDevices.size(); ++i) all.push_back(sim::NetDeviceEntry(w.NetDevices[i], i));
    return sim::HandOutNetDevices(all, entries, count);
}
