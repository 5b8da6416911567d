// Hands the adapter to the system's wireless configuration service ("WZCSVC", XP family) and
// takes it back: the service's state and start type, and its per-adapter "ControlFlags".
#include "base/DebugLog.h"
#include "core/hidedlg/HideDlg.h"
#include "core/QXWLLIB.h"
#include "contract/StationContract.h"
#include "wifidirect/AdvancedWiFiDirect.h"

#include <cstddef>
#include <memory>
#include <type_traits>

namespace {
constexpr char kZeroConfigService[] = "WZCSVC";
constexpr char kWlanService[] = "Wlansvc";
constexpr char kInterfacesKey[] = "SOFTWARE\\Microsoft\\WZCSVC\\Parameters\\Interfaces\\";
constexpr char kControlFlagsValue[] = "ControlFlags";
constexpr DWORD kControlFlagsServiceConfigures = 0x8000;  // the service configures this adapter
constexpr ULONG kInstanceIdBytes = 256;
constexpr int kWow64KeyFromOsCode = 8;
constexpr DWORD kZeroConfigStartSettleMs = 100;
constexpr DWORD kServiceStopWaitMs = 10000;
constexpr DWORD kServiceStopPollMs = 50;

constexpr char kNetworkTypeValue[] = "NetworkType";
constexpr char kNetworkTypeInfrastructure[] = "1";
constexpr ULONG kRegistryText = 1;  // REG_SZ, as the library's registry writer numbers it
constexpr ULONG kOidInfrastructureMode = 0x0D810108;
constexpr ULONG kInfrastructureMode = 1;
constexpr ULONG kOidSetHtPhyMode = 0x0DF1013B;
// The HT phy record is the leading part of ADVANCE_OID, up to the protection word.
constexpr ULONG kHtPhyModeBytes = offsetof(ADVANCE_OID, nBGProtection);
static_assert(kHtPhyModeBytes == 12);
constexpr UCHAR kHtPhyModeBandwidth = 1;

struct ServiceHandleCloser {
    void operator()(SC_HANDLE handle) const { ::CloseServiceHandle(handle); }
};
using ServiceHandle = std::unique_ptr<std::remove_pointer_t<SC_HANDLE>, ServiceHandleCloser>;

// The zero-configuration service with full access, or null (logged).
ServiceHandle OpenZeroConfigService(ServiceHandle& manager)
{
    manager.reset(::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
    if (!manager) {
        DebugLog(1, "[QxUI] OpenSCManager failed, GetLastError() = %d\n", ::GetLastError());
        return nullptr;
    }
    ServiceHandle service(::OpenServiceA(manager.get(), kZeroConfigService, SERVICE_ALL_ACCESS));
    if (!service) DebugLog(3, "[QxUI] OpenService \"%s\" failed, GetLastError() = %d\n", kZeroConfigService, ::GetLastError());
    return service;
}

bool QueryState(SC_HANDLE service, DWORD& state)
{
    SERVICE_STATUS status{};
    if (!::QueryServiceStatus(service, &status)) return false;
    state = status.dwCurrentState;
    return true;
}

void ChangeStartType(SC_HANDLE service, DWORD startType)
{
    if (::ChangeServiceConfigA(service, SERVICE_NO_CHANGE, startType, SERVICE_NO_CHANGE, nullptr, nullptr, nullptr,
                               nullptr, nullptr, nullptr, nullptr))
        DebugLog(3, "[QxUI] ChangeServiceConfig SUCCESS\n");
    else
        DebugLog(3, "[QxUI] ChangeServiceConfig FAILED\n");
}

// A service told to stop cannot be started again until its process has ended.
void WaitWhileStopPending(SC_HANDLE service, DWORD& state)
{
    for (DWORD waited = 0; state == SERVICE_STOP_PENDING && waited < kServiceStopWaitMs; waited += kServiceStopPollMs) {
        ::Sleep(kServiceStopPollMs);
        if (!QueryState(service, state)) return;
    }
}

bool IsRunningOrStarting(DWORD state) { return state == SERVICE_RUNNING || state == SERVICE_START_PENDING; }
}  // namespace

void CHideDlg::OnTraySwitchConfig()
{
    if (!IsXpZeroConfigOs(G_nOSVersion)) return;
    const bool mainWindowAlive = m_pQxUI && m_pQxUI->Window().IsWindow();
    if (QXWLAPI.QXWL_IsZeroConfig() == 2) {
        if (mainWindowAlive) m_pQxUI->EnablePageControls(TRUE);
        OnTraySwitchQxconfig();
    } else {
        if (mainWindowAlive) m_pQxUI->EnablePageControls(FALSE);
        OnTraySwitchZeroConfig();
    }
}

void CHideDlg::OnTraySwitchZeroConfig()
{
    SetP2PRequestAnswer(P2P_REQUEST_CANCEL);
    DebugLog(3, "[QxUI] --> CHideDlg::OnTraySwitchZeroConfig\n");
    DebugLog(3, "[QxUI] call QXWL_StopAuth()\n");
    m_Data.bZeroConfig = 1;
    QXWLAPI.QXWL_StopAuth();

    if (G_nOSVersion < kOsVista) {
        LONG result = QXWLAPI.QXWL_WriteRegValue(kNetworkTypeValue, kRegistryText,
                                                 reinterpret_cast<const BYTE*>(kNetworkTypeInfrastructure),
                                                 sizeof kNetworkTypeInfrastructure - 1);
        DebugLog(3, "[QxUI] Write %s registry value as %s, return %d\n", kNetworkTypeValue, kNetworkTypeInfrastructure,
                 result);
        const ULONG mode = kInfrastructureMode;
        result = QXWLAPI.QXWL_OIDSetInfo(kOidInfrastructureMode, reinterpret_cast<const BYTE*>(&mode), sizeof mode);
        DebugLog(3, "[QxUI] Set VN_OID_802_11_INFRASTRUCTURE_MODE as %d, return %d\n", mode, result);

        ADVANCE_CONFIG_DATA config{};
        if (QXWLAPI.QXWL_ReadConfigData(&config)) {
            DebugLog(3, "[QxUI] QXWL_ReadConfigData() return TRUE\n");
            namespace ts = transmit_setting;
            const ULONG word = config.TransmitSetting;
            ADVANCE_OID phy{};
            phy.PhyMode = GetBits(word, ts::PhyMode);
            phy.TransmitNo = static_cast<UCHAR>(GetBits(word, ts::TRANSNO));
            phy.HtMode = static_cast<UCHAR>(GetBits(word, ts::HTMODE));
            phy.ExtOffset = static_cast<UCHAR>(GetBits(word, ts::EXTCHA));
            phy.MCS = static_cast<UCHAR>(GetBits(word, ts::MCS));
            phy.BW = kHtPhyModeBandwidth;
            phy.STBC = static_cast<UCHAR>(GetBits(word, ts::STBC));
            phy.SHORTGI = static_cast<UCHAR>(GetBits(word, ts::ShortGI));
            result = QXWLAPI.QXWL_OIDSetInfo(kOidSetHtPhyMode, reinterpret_cast<const BYTE*>(&phy), kHtPhyModeBytes);
            DebugLog(3, "[QxUI] Set VN_OID_802_11_INFRASTRUCTURE_MODE, return %d\n", result);
        }
    }

    if (QXWLAPI.IsWpaCapable()) {
        DebugLog(3, "[QxUI] call QXWL_Release()\n");
        QXWLAPI.QXWL_Release();
    }
    StartXpZeroConfig(TRUE);
    DebugLog(3, "[QxUI] call Sleep(100) after start ZeroConfig\n");
    ::Sleep(kZeroConfigStartSettleMs);
    QXWLAPI.QXWL_IsZeroConfig();
    DebugLog(3, "[QxUI] <-- CHideDlg::OnTraySwitchZeroConfig\n");
}

void CHideDlg::OnTraySwitchQxconfig()
{
    DebugLog(3, "[QxUI] --> CHideDlg::OnTraySwitchQxconfig\n");
    m_Data.bZeroConfig = 0;
    StopXpZeroConfig(TRUE);
    if (QXWLAPI.IsWpaCapable() == 0) {
        DebugLog(3, "[QxUI] call QXWL_AdapterSelect()\n");
        if (QXWLAPI.QXWL_AdapterSelect(&QXWLAPI.m_AdapterEntry, rsCallBackFunc, m_hWnd) != QXWL_ERROR_SUCCESS)
            DebugLog(1, "[QxUI] QXWL_AdapterSelect() return not QXWL_ERROR_SUCCESS\n");
    }
    InitCard();
    if (G_nOSVersion < kOsVista && QXWLAPI.QXWL_IsZeroConfig() != 2) {
        DebugLog(3, "[QxUI] call InitCard_SetOidFromReg(), bSetAdvance = TRUE, bConnect = TRUE\n");
        InitCard_SetOidFromReg(TRUE, TRUE);
    }
    DebugLog(3, "[QxUI] <-- CHideDlg::OnTraySwitchQxconfig\n");
}

// The service exists on the XP family only; elsewhere there is nothing to stop or start.
void CHideDlg::StopXpZeroConfig(BOOL bDemandStart)
{
    DebugLog(3, "[QxUI] --> CHideDlg::StopXpZeroConfig\n");
    ServiceHandle manager;
    ServiceHandle service = IsXpZeroConfigOs(G_nOSVersion) ? OpenZeroConfigService(manager) : nullptr;
    if (service) {
        DWORD state = 0;
        if (QueryState(service.get(), state) && state != SERVICE_STOPPED) {
            SERVICE_STATUS status{};
            if (!::ControlService(service.get(), SERVICE_CONTROL_STOP, &status))
                DebugLog(1, "[QxUI] ControlService(SERVICE_CONTROL_STOP) failed, GetLastError() = %d\n", ::GetLastError());
        }
        if (bDemandStart) ChangeStartType(service.get(), SERVICE_DEMAND_START);
    }
    DebugLog(3, "[QxUI] <-- CHideDlg::StopXpZeroConfig\n");
}

void CHideDlg::StartXpZeroConfig(BOOL bEnable)
{
    DebugLog(3, "[QxUI] --> CHideDlg::StartXpZeroConfig\n");
    if (!IsXpZeroConfigOs(G_nOSVersion)) {
        DebugLog(3, "[QxUI] <-- CHideDlg::StartXpZeroConfig\n");
        return;
    }
    char instanceId[kInstanceIdBytes] = {};
    const LONG idRead = QXWLAPI.QXWL_ReadNetCfgInstanceID(instanceId, sizeof instanceId);
    instanceId[sizeof instanceId - 1] = '\0';
    // An empty id would name the parent of every adapter's key.
    const bool haveId = idRead == QXWL_ERROR_SUCCESS && instanceId[0] != '\0';
    if (!haveId) DebugLog(1, "[QxUI] QXWL_ReadNetCfgInstanceID() return %d\n", idRead);
    ServiceHandle manager;
    ServiceHandle service = haveId ? OpenZeroConfigService(manager) : nullptr;
    DWORD state = 0;
    if (!service || !QueryState(service.get(), state)) {
        DebugLog(3, "[QxUI] <-- CHideDlg::StartXpZeroConfig\n");
        return;
    }

    CString keyPath = CString(kInterfacesKey) + instanceId;
    REGSAM access = KEY_ALL_ACCESS;
    if (G_nOSVersion >= kWow64KeyFromOsCode && QXWLAPI.QXWL_IsWow64()) access |= KEY_WOW64_64KEY;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, access, &key) != ERROR_SUCCESS) {
        DebugLog(3, "[QxUI] RegOpenKeyEx '%s' failed\n", keyPath.GetString());
        key = nullptr;
    }
    DWORD flags = 0;
    DWORD type = 0;
    DWORD size = sizeof flags;
    const LONG query = key ? ::RegQueryValueExA(key, kControlFlagsValue, nullptr, &type,
                                                reinterpret_cast<BYTE*>(&flags), &size)
                           : ERROR_INVALID_HANDLE;
    const bool readFlags = query == ERROR_SUCCESS && type == REG_DWORD && size == sizeof flags;
    if (key && !readFlags) DebugLog(3, "[QxUI] RegQueryValueEx '%s' failed\n", kControlFlagsValue);
    // A missing value is an empty flag word and is written; one of another kind is left as it
    // is rather than replaced by a word we could not read.
    const bool haveFlags = readFlags || query == ERROR_FILE_NOT_FOUND;
    const bool configures = (flags & kControlFlagsServiceConfigures) != 0;
    if (haveFlags && (bEnable ? !configures : configures)) {
        // The service reads the flags when it starts: it must not run while they change.
        if (IsRunningOrStarting(state)) StopXpZeroConfig(FALSE);
        flags = bEnable ? (flags | kControlFlagsServiceConfigures) : (flags & ~kControlFlagsServiceConfigures);
        if (::RegSetValueExA(key, kControlFlagsValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&flags),
                             sizeof flags) != ERROR_SUCCESS)
            DebugLog(3, "[QxUI] RegSetValueEx REGSTR_CONTROL_FLAGS failed\n");
    }
    if (key) ::RegCloseKey(key);

    if (QueryState(service.get(), state)) {
        WaitWhileStopPending(service.get(), state);
        if (!IsRunningOrStarting(state) && !::StartServiceA(service.get(), 0, nullptr))
            DebugLog(1, "[QxUI] StartService \"%s\" failed, GetLastError() = %d\n", kZeroConfigService, ::GetLastError());
    }
    ChangeStartType(service.get(), SERVICE_AUTO_START);
    DebugLog(3, "[QxUI] <-- CHideDlg::StartXpZeroConfig\n");
}

BOOL CHideDlg::IsWlansvcRunning()
{
    ServiceHandle manager(::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ENUMERATE_SERVICE));
    if (!manager) return FALSE;
    ServiceHandle service(::OpenServiceA(manager.get(), kWlanService, SERVICE_QUERY_STATUS));
    DWORD state = 0;
    return service && QueryState(service.get(), state) && state == SERVICE_RUNNING;
}
