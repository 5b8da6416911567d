// The hidden dialog's operation-mode switches: station, soft-AP, station plus hosted network and
// station plus Wi-Fi Direct group owner, the loading of either library, and the mode-swap program.
#include "base/DebugLog.h"
#include "core/hidedlg/HideDlg.h"
#include "base/IniFile.h"
#include "base/LanguageTable.h"
#include "core/ProductMessageBox.h"
#include "core/QXAPLIB.h"
#include "core/QXWLLIB.h"
#include "contract/StationContract.h"
#include "res/resource.h"
#include "wifidirect/AdvancedWiFiDirect.h"

#include <new>

namespace {
constexpr char kSoftApLibrary[] = "QxAPAPI.dll";
constexpr char kQxSwapProgram[] = "QxSwap.exe";
// The device id of the system's virtual Wi-Fi miniport, which carries the hosted network.
constexpr char kVirtualMiniportId[] = "{5D624F94-8850-40C3-A3FA-A4FD2080BAF3}\\VWIFIMP";
constexpr char kGoStartFailText[] = "Start Wi-Fi Direct concurrent GO Fail";
constexpr UINT kApCheckCardTimerMs = 2000;
constexpr int kInitStateWaits = 5;
constexpr DWORD kInitStateWaitMs = 1000;
constexpr int kIsZeroConfigOwned = 2;  // QXWL_IsZeroConfig: the system's service owns the adapter
constexpr int kNetworkTypeAdhoc = 0;   // Ndis802_11IBSS
constexpr UINT_PTR kApModeTimers[] = {1, 2, 3, 4};
constexpr size_t kBaseNameBytes = 128;
}  // namespace

void CHideDlg::EnsureWiFiDirectEngine()
{
    if (m_pWiFiDirect || !m_pQxUI || !m_pQxUI->Window().IsWindow()) return;
    // The page gets its window when first shown; the engine needs it now.
    const HWND page = m_pQxUI->WiFiDirectPageWindow(TRUE);
    if (!page || !::IsWindow(page)) return;
    m_pWiFiDirect = new (std::nothrow) CAdvancedWiFiDirect;
    if (m_pWiFiDirect) m_pWiFiDirect->SetHwnd(page);
}

void CHideDlg::DisableWiFiDirectInEngine(LPCSTR noEngineFormat, int level, bool namesMainWindow)
{
    if (m_pWiFiDirect) {
        m_pWiFiDirect->EnableOrDisableWiFiDirect(FALSE, FALSE, FALSE, FALSE);
        return;
    }
    // The page pointer is logged as the engine's host (0 when there is none).
    const int page = m_pQxUI && m_pQxUI->HasWiFiDirectPage() ? 1 : 0;
    if (namesMainWindow) DebugLog(level, noEngineFormat, m_pQxUI ? 1 : 0, page);
    else DebugLog(level, noEngineFormat, page);
}

void CHideDlg::OnTraySwitchSTAMode()
{
    const LONG mode = QXWLAPI.QXWL_QueryOPMode();
    if (mode == OP_MODE_STA_WIFI_DIRECT) {
        DebugLog(4, "[QxUI] OP_MODE_STA_WIFI_DIRECT: QXWLAPI.QXWL_StopWifiDirectGO()\n");
        QXWLAPI.QXWL_StopWifiDirectGO();
    } else if (mode == OP_MODE_APCLIENT) {
        DebugLog(4, "[QxUI] QXWL_HostedNetworkStopUsing() \n");
        QXWLAPI.QXWL_HostedNetworkStopUsing();
    }
    if (QXWLAPI.QXWL_DisableDhcpServer) {
        DebugLog(3, "[QxUI] call QXWL_DisableDhcpServer()\n");
        QXWLAPI.QXWL_DisableDhcpServer();
    }
    ULONG wifiDirect = 0;
    QXWLAPI.QXWL_ReadWifiDirectFlag(&wifiDirect);
    if (wifiDirect && mode == OP_MODE_STA_WIFI_DIRECT) {
        DisableWiFiDirectInEngine(
            "[QxUI] CHideDlg::OnTraySwitchSTAMode: FormAdvanced = %d; FormAdvanced->FrameAdvancedWiFiDirect = %d!!\n", 1,
            true);
    } else {
        DebugLog(3,
                 "[QxUI] CHideDlg::OnTraySwitchSTAMode: bWiFiDirect = %d; ulOpMode = %d!!Dont call "
                 "EnableOrDisableWiFiDirect(FALSE, FALSE, FALSE, FALSE)\n",
                 wifiDirect, mode);
    }
    WriteOpMode(OP_MODE_STATION, "CHideDlg::OnTraySwitchSTAMode");
    EnsureWiFiDirectEngine();
    m_bHideAPButton = TRUE;
}

BOOL CHideDlg::OnTraySwitchApMode()
{
    DebugLog(3, "[QxUI] --> CHideDlg::OnTraySwitchApMode\n");
    if (QXWLAPI.QXWL_DetectMoreThanOneUser()) {
        AfxShowMessageBox(m_hWnd, G_LangTable.IDS_UI_LOCKED, kProductName, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    if (!QXWLAPI.QXWL_ReadRadioStatus()) {
        if (m_pQxUI && m_pQxUI->Window().IsWindow()) m_pQxUI->Window().EnableWindow(FALSE);
        m_dlgMessage.m_strMessage = G_LangTable.IDS_INVAILDRADIOOFF;
        m_dlgMessage.DoModal();
        if (m_pQxUI && m_pQxUI->Window().IsWindow()) m_pQxUI->Window().EnableWindow(TRUE);
        return FALSE;
    }
    if (G_nOSVersion >= kOsVista) {
        if (!IsWlansvcRunning()) {
            ShowProductMessageBox(G_LangTable.IDS_TURNON_AUTOCONFIG);
            return FALSE;
        }
        DebugLog(3, "[QxUI] call QXWL_WlanDeleteAllWindowsProfiles()\n");
        QXWLAPI.QXWL_WlanDeleteAllWindowsProfiles();
    } else {
        DebugLog(3, "[QxUI] call QXWL_StopAuth()\n");
        QXWLAPI.QXWL_StopAuth();
        DebugLog(3, "[QxUI] call QXWL_Release()\n");
        QXWLAPI.QXWL_Release();
        StopXpZeroConfig(TRUE);
    }
    DebugLog(3, "[QxUI] call QXWL_BackupStationSetting()\n");
    QXWLAPI.QXWL_BackupStationSetting();
    QXWLAPI.QXWL_QueryOPMode();
    DebugLog(3, "[QxUI] call QXWL_SetAndWriteOPMode(%d)\n", OP_MODE_AP);
    QXWLAPI.QXWL_SetAndWriteOPMode(OP_MODE_AP);
    DebugLog(3, "[QxUI] <-- CHideDlg::OnTraySwitchApMode\n");
    return TRUE;
}

void CHideDlg::PrepareStationForSharedMode(LPCSTR noFlagLine, int noFlagLevel, LPCSTR deleteLine,
                                           LPCSTR noEngineFormat)
{
    WLAN_STATUS status{};
    QXWLAPI.QXWL_QueryWLANStatus(&status, WLAN_STATUS_QUERY{0, 1, 0, 0, 0});
    ULONG wifiDirect = 0;
    QXWLAPI.QXWL_ReadWifiDirectFlag(&wifiDirect);
    if (status.networkType != kNetworkTypeAdhoc && !wifiDirect) return;
    DebugLog(3, "[QxUI] wLanStatus.networkType is Ndis802_11IBSS, call QXWL_WlanDisconnect()\n");
    QXWLAPI.QXWL_WlanDisconnect();
    if (!wifiDirect && !QXWLAPI.WiFiDirectSigmaTest) {
        DebugLog(noFlagLevel, noFlagLine, wifiDirect);
        return;
    }
    DebugLogIfEnabled(deleteLine);
    QXWLAPI.QXWL_WlanDeleteAllWindowsProfiles();
    DisableWiFiDirectInEngine(noEngineFormat, 3, false);
}

void CHideDlg::OnTraySwitchAPClientMode()
{
    DebugLog(3, "[QxUI] --> TFormMain::OnTraySwitchAPClientMode\n");
    EnsureWiFiDirectEngine();
    ULONG target = OP_MODE_APCLIENT;
    const LONG mode = QXWLAPI.QXWL_QueryOPMode();
    if (mode == OP_MODE_STATION || mode == OP_MODE_STA_WIFI_DIRECT) {
        EXTAP_CONFIG config{};
        DebugLog(3, "[QxUI] call QXWL_ReadExtAPConfig()\n");
        QXWLAPI.QXWL_ReadExtAPConfig(&config);
        if (config.SsidLength == 0 || config.KeyLength == 0)
            DebugLog(3, "[QxUI] No data saved for ExtAP! Show SSID/PWD dialog\n");

        PrepareStationForSharedMode("[QxUI]  TFormMain::OnTraySwitchAPClientMode bWiFiDirect = %d!!\n", 3,
                                    "[QxUI]  TFormMain::OnTraySwitchAPClientMode call QXWL_WlanDeleteAllWindowsProfiles()\n",
                                    "[QxUI] TFormMain::OnTraySwitchAPClientMode FormAdvanced->FrameAdvanceWiFiDirect  = %d!!\n");
        // The DHCP entry point is optional (see the station switch); a library without it has no
        // server to stop.
        if (QXWLAPI.QXWL_DisableDhcpServer && QXWLAPI.QXWL_DetectUserAdmin()) {
            DebugLog(3, "[QxUI] TFormMain::OnTraySwitchAPClientMode --> QXWL_DisableDhcpServer()\n");
            QXWLAPI.QXWL_DisableDhcpServer();
        }
        if (QXWLAPI.QXWL_QueryOPMode() == OP_MODE_STA_WIFI_DIRECT) {
            DebugLog(3, "[QxUI] call QXWL_StopWifiDirectGO()\n");
            QXWLAPI.QXWL_StopWifiDirectGO();
        }

        DebugLog(3, "[QxUI] Switch to APClient mode, set m_bHideAPButton as FALSE\n");
        m_bHideAPButton = FALSE;
        config = {};
        const bool read = QXWLAPI.QXWL_ReadExtAPConfig(&config) == QXWL_ERROR_SUCCESS;
        if (read) DebugLog(3, "[QxUI] QXWL_ReadExtAPConfig() return QXWL_ERROR_SUCCESS\n");
        if (read && QXWLAPI.QXWL_HostedNetworkSetup(config) == QXWL_ERROR_SUCCESS) {
            RunQxSwap(OP_MODE_APCLIENT);
        } else if (read) {
            DebugLog(3, "[QxUI] QXWL_HostedNetworkSetup() return not QXWL_ERROR_SUCCESS, set m_bHideAPButton as TRUE\n");
            target = OP_MODE_STATION;
            m_bHideAPButton = TRUE;
            ShowProductMessageBox(G_LangTable.IDS_MSG_SWITCH_APCLIENT_MODE_FAIL);
        }
    }
    DebugLog(3, "[QxUI] call QXWL_SetAndWriteOPMode(%d)\n", target);
    WriteOpMode(target, "CHideDlg::OnTraySwitchAPClientMode");
    DebugLog(3, "[QxUI] <-- TFormMain::OnTraySwitchAPClientMode\n");
}

void CHideDlg::OnTraySwitchWiFiDirectConcurrentMode()
{
    DebugLog(3, "[QxUI] --> TFormMain::OnTraySwitchWiFiDirectConcurrentMode\n");
    ULONG target = OP_MODE_STA_WIFI_DIRECT;
    if (QXWLAPI.QXWL_QueryOPMode() == OP_MODE_APCLIENT) {
        DebugLog(3, "[QxUI] OnTraySwitchWiFiDirect(OP_MODE_APCLIENT) --> QXWL_HostedNetworkStopUsing \n");
        QXWLAPI.QXWL_HostedNetworkStopUsing();
    }
    PrepareStationForSharedMode("[QxUI]  CHideDlg::OnTraySwitchWiFiDirect bWiFiDirectFlag = FALSE!!\n", 1,
                                "[QxUI]  CHideDlg::OnTraySwitchWiFiDirect call QXWL_WlanDeleteAllWindowsProfiles()\n",
                                "[QxUI] CHideDlg::OnTraySwitchWiFiDirect FormAdvanced->FrameAdvanceWiFiDirect = %d!!\n");
    if (QXWLAPI.QXWL_DisableDhcpServer && QXWLAPI.QXWL_DetectUserAdmin()) {
        DebugLog(3, "[QxUI] CHideDlg::OnTraySwitchWiFiDirect --> QXWL_DisableDhcpServer()\n");
        QXWLAPI.QXWL_DisableDhcpServer();
    }
    DebugLog(3, "[QxUI] Switch to STA+WFD mode, set m_bHideAPButton as TRUE\n");
    m_bHideAPButton = TRUE;
    if (QXWLAPI.QXWL_StartWifiDirectGO() == QXWL_ERROR_SUCCESS) {
        DebugLog(3, "[QxUI] QXWLAPI.QXWL_StartWifiDirectGO() return QXWL_ERROR_SUCCESS\n");
    } else {
        DebugLog(3, "[QxUI] QXWLAPI.QXWL_StartWifiDirectGO() return not QXWL_ERROR_SUCCESS\n");
        target = OP_MODE_STATION;
        ShowProductMessageBox(kGoStartFailText);
    }
    const BOOL written = WriteOpMode(target, "CHideDlg::OnTraySwitchWiFiDirectConcurrentMode");
    DebugLog(3, "[QxUI] call QXWL_SetAndWriteOPMode(%d) = %d\n", target, written);
    OnTrayLaunch();
    DebugLog(3, "[QxUI] <-- TFormMain::OnTraySwitchWiFiDirectConcurrentMode\n");
}

BOOL CHideDlg::WriteOpMode(ULONG target, LPCSTR caller)
{
    const BOOL written = QXWLAPI.QXWL_SetAndWriteOPMode(target);
    m_nOpMode = IsSuccess(written, "QXWL_SetAndWriteOPMode", caller) ? static_cast<int>(target)
                                                                      : static_cast<int>(QXWLAPI.QXWL_QueryOPMode());
    return written;
}

BOOL CHideDlg::LeaveApMode()
{
    EnsureWiFiDirectEngine();
    if (QXAPAPI.QXAP_DetectMoreThanOneProcess()) {
        AfxShowMessageBox(m_hWnd, G_LangTable.IDS_UI_LOCKED, G_LangTable.IDS_APCONFIGMSG, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    QXAPAPI.QXAP_SetOPMode(OP_MODE_STATION);
    m_ulApOpMode = OP_MODE_STATION;
    QXAPAPI.QXAP_RestoreStationSetting();
    if (QXAPAPI.QXAP_GetWinOS() >= kOsVista) QXAPAPI.QXAP_DeleteVistaWindowsProfile();
    return TRUE;
}

CString CHideDlg::SoftApLibraryPath() const
{
    return ProgramFolder() + kSoftApLibrary;
}

int CHideDlg::LoadApApi()
{
    const CString path = SoftApLibraryPath();
    if (!QXAPAPI.LoadApi(path)) {
        DebugLogIfEnabled("[ApUI][QxCfg] Load QxAPAPI.dll fail: %s\n", path.GetString());
        AfxShowMessageBox(nullptr, path, "Load QxAPAPI.dll fail", MB_OK);
        RevertToStationAfterApLoadFailure();
        EndDialog(1);
        return 0;
    }
    m_nOpMode = OP_MODE_AP;
    m_bApSideLoaded = TRUE;
    QXAPAPI.QXAP_Initial(kStationVendorText, m_hWnd);
    DetectAdapterAp();
    m_bApDeviceExist = QXAPAPI.QXAP_IsDeviceExist(QXAPAPI.m_AdapterEntry.chName);
    m_ulApOpMode = static_cast<ULONG>(QXAPAPI.QXAP_QueryOPMode());
    if (m_bApDeviceExist) {
        InitCardAp(TRUE);
        SetTaskBar();
    }
    m_nApCheckCardTimer = SetTimer(TIMER_HIDE_DLG_CHECK_CARD, kApCheckCardTimerMs);
    return 1;
}

// Without the soft-AP library the driver must not stay in access-point mode: the station
// library (loaded again when start-up had let it go) takes it back to station mode.
void CHideDlg::RevertToStationAfterApLoadFailure()
{
    if (!QXWLAPI.IsLoaded()) QXWLAPI.LoadApi(StationLibraryPath());
    if (QXWLAPI.IsLoaded()) QXWLAPI.QXWL_SetAndWriteOPMode(OP_MODE_STATION);
    m_nOpMode = OP_MODE_STATION;
    // Stored as well, or every later start would take the access-point side again and end here.
    const HIDE_DLG_DATA record{OP_MODE_STATION, m_Data.bZeroConfig};
    if (!m_DataFile.WriteDataFile(&record, sizeof record))
        DebugLog(1, "[QxUI] WriteDataFile(%s) failed\n", m_DataFile.Path().GetString());
}

int CHideDlg::ReloadStationApi()
{
    const CString path = StationLibraryPath();
    if (!QXWLAPI.LoadApi(path)) {
        DebugLog(1, "[QxUI] Load dll fail: %s\n", path.GetString());
        AfxShowMessageBox(nullptr, path, "Load dll fail", MB_OK);
        EndDialog(1);
        return 0;
    }
    m_nOpMode = OP_MODE_STATION;
    QXWLAPI.QXWL_Initial(kStationVendorText, m_hWnd);
    DetectAdapter();
    if (IsSelectedAdapterPresent()) {
        BOOL initialized = FALSE;
        QXWLAPI.QXWL_QueryInitState(&initialized);
        for (int waits = 0; !initialized && waits < kInitStateWaits; ++waits) {
            ::Sleep(kInitStateWaitMs);
            ++m_nRetryCount;
            QXWLAPI.QXWL_QueryInitState(&initialized);
        }
        m_nRetryCount = 0;
        InitCard();
    }
    SetTaskBar();
    RegisterSessionNotificationOnXp();
    ModifyTaskBar(IDI_TRAY_LOST);
    SetTimer(TIMER_HIDE_DLG_RADIO, kRadioTimerMs);
    if (G_nOSVersion >= kOsVista) {
        if (!m_hKernel32) m_hKernel32 = ::LoadLibraryA("Kernel32.dll");
        if (m_hKernel32)
            m_pfnWTSGetActiveConsoleSessionId = reinterpret_cast<DWORD(WINAPI*)()>(
                ::GetProcAddress(m_hKernel32, "WTSGetActiveConsoleSessionId"));
        if (m_pfnWTSGetActiveConsoleSessionId)
            m_dwSessionId = m_dwLastConsoleSessionId = m_pfnWTSGetActiveConsoleSessionId();
    }
    SetTimer(TIMER_HIDE_DLG_SESSION_ID, kSessionTimerMs);
    return 1;
}

void CHideDlg::RunQxSwap(int nOpMode)
{
    DebugLog(3, "[QxUI] --> TFormMain::RunQxSwap\n");
    const char* switchWord = (nOpMode == OP_MODE_AP || nOpMode == OP_MODE_APCLIENT) ? "ON" : "OFF";
    const CString path = ProgramPath();
    CString baseName = path.Mid(path.ReverseFind('\\') + 1);
    if (int dot = baseName.ReverseFind('.'); dot >= 0) baseName = baseName.Left(dot);
    baseName = baseName.Left(static_cast<int>(kBaseNameBytes) - 1);

    // The mode-swap names are read from the settings file afresh: station mode never loads
    // the soft-AP library that keeps them.
    QXAPAPI.ReadIni();
    const bool hostedOnWin7 = G_nOSVersion >= kOsWin7 && nOpMode != OP_MODE_AP;
    const CString third = hostedOnWin7 ? baseName : QXAPAPI.UTILITY_FILE_NAME;
    const CString device = hostedOnWin7 ? CString(kVirtualMiniportId)
                                         : CString(QXWLAPI.m_AdapterEntry.chDeviceID);
    const CString* fields[] = {&baseName, &third, &QXAPAPI.SHORTCUT_FOLDER_NAME, &QXAPAPI.SHORTCUT_UI_NAME, &device};
    for (const CString* text : fields) {
        // A quote would end its field early and hand the program made-up arguments.
        if (text->Find('"') >= 0) {
            DebugLog(1, "[QxUI] RunQxSwap: a quote in \"%s\", QxSwap.exe not started\n", text->GetString());
            return;
        }
    }
    CString command;
    command.Format("\"%s%s\" %s %s %s \"%s\" \"%s\" \"%s\"", ProgramFolder().GetString(), kQxSwapProgram, switchWord,
                   baseName.GetString(), third.GetString(), QXAPAPI.SHORTCUT_FOLDER_NAME.GetString(),
                   QXAPAPI.SHORTCUT_UI_NAME.GetString(), device.GetString());
    ::WinExec(command, SW_MINIMIZE);
    DebugLog(3, "[QxUI] <-- CHideDlg::RunQxSwap\n");
}

void CHideDlg::CheckConfigToolForXP()
{
    DebugLog(3, "[QxUI] --> CHideDlg::CheckConfigToolForXP\n");
    if (G_nOSVersion < kOsXpFirst) return;
    // The switch below runs InitCard, which runs this check again: a library that keeps giving
    // the same answers would recurse without end, so the nested check does nothing.
    if (m_bCheckingConfigTool) return;
    m_bCheckingConfigTool = TRUE;
    ULONG select = 0;
    if (QXWLAPI.QXWL_RunOnceInitConfigTool(&select) != QXWL_ERROR_SUCCESS) {
        DebugLog(3, "[QxUI] QXWL_RunOnceInitConfigTool() return not QXWL_ERROR_SUCCESS\n");
        const bool serviceOwns = QXWLAPI.QXWL_IsZeroConfig() == kIsZeroConfigOwned;
        if (select == 0) {
            if (!serviceOwns) {
                DebugLog(3, "[QxUI] ConfigToolSelect is 0, call OnTraySwitchZeroConfig()\n");
                OnTraySwitchZeroConfig();
            }
        } else if (serviceOwns) {
            DebugLog(3, select == 1 ? "[QxUI] ConfigToolSelect is 1, call OnTraySwitchQxconfig()\n"
                                    : "[QxUI] ConfigToolSelect is neither 0 nor 1, call OnTraySwitchQxconfig()\n");
            OnTraySwitchQxconfig();
        }
    }
    m_bCheckingConfigTool = FALSE;
    DebugLog(3, "[QxUI] <-- CHideDlg::CheckConfigToolForXP\n");
}

BOOL CHideDlg::KillApModeTimers()
{
    for (UINT_PTR id : kApModeTimers) KillTimer(id);
    return TRUE;
}
