#include "core/hidedlg/HideDlg.h"
#include "base/DebugLog.h"
#include "base/IniFile.h"
#include "base/LanguageTable.h"
#include "core/QXWLLIB.h"
#include "base/SecurityNames.h"
#include "base/SharedEvent.h"
#include "base/StartupTimeline.h"
#include "core/SelCardDlg.h"
#include "contract/StationContract.h"
#include "core/StationHelpers.h"
#include "base/SystemHelpers.h"
#include "res/resource.h"
#include "ui/DesktopMetrics.h"
#include "ui/DpiHook.h"
#include "wifidirect/AdvancedWiFiDirect.h"

#include <cstring>
#include <new>
#include <vector>

CHideDlg* G_pHideDlg = nullptr;
int G_nOSVersion = 0;
int G_bNoDpiHook = 0;
int G_bHideTabIcon = 0;
HANDLE G_hShowUIEvent = nullptr;
volatile LONG G_bExitProgram = 0;
volatile LONG G_bReConnect = 0;
WLANPROFILE* G_pProfileBuffer = nullptr;
BYTE* G_pAuthRecord = nullptr;
char G_szText256[256];
char G_szText128[128];

namespace {
constexpr char kShowUIEvent[] = "ShowUIEvent";
constexpr char kHideDlgCaption[] = "Quixen Utility";
constexpr char kStationLibrary[] = "QxWLAPI.dll";
constexpr int kInitStateRetries = 5;
constexpr DWORD kInitStateWaitMs = 1000;
constexpr size_t kWiFiDirectConfigBytes = 1464;
constexpr size_t kWiFiDirectConfigModeOffset = 164;
constexpr ULONG kWiFiDirectConfigIcsOn = 11;
constexpr ULONG kWiFiDirectConfigIcsOff = 12;
constexpr size_t kProgramNameBytes = 128;
}  // namespace

// The 802.1X status callback: runs on the library's thread.
void WINAPI rsCallBackFunc(UCHAR status, void* data, char* reply);

BEGIN_MESSAGE_MAP(CHideDlg, CDialog)
    ON_WM_PAINT()
    ON_WM_DESTROY()
    ON_WM_TIMER()
    ON_MESSAGE(MSG_TRAY_NOTIFY, OnTrayNotify)
    ON_MESSAGE(MSG_TURN_ON_RADIO, OnTurnOnRadio)
    ON_MESSAGE(MSG_TURN_OFF_RADIO, OnTurnOffRadio)
    ON_MESSAGE(MSG_RECONNECT, OnReconnectMessage)
    ON_MESSAGE(MSG_SCAN_LIST_CHANGED, OnScanListChanged)
    ON_MESSAGE(MSG_AUTH_STATUS_EVENT, OnAuthStatusEvent)
    ON_MESSAGE(MSG_AUTH_REQUEST, OnAuthRequest)
    ON_MESSAGE(MSG_PRIVATE_DRIVER_EVENT, OnPrivateDriverEvent)
    ON_MESSAGE(MSG_MEDIA_CONNECT, OnNdisStatusMediaConnectMessage)
    ON_COMMAND(ID_TRAY_LAUNCH, OnTrayLaunch)
    ON_COMMAND(ID_TRAY_EXIT, OnTrayExit)
    ON_COMMAND(ID_TRAY_EXIT_SHORT, OnTrayExit)
    ON_COMMAND(ID_TRAY_EXIT_RETRY, OnTrayExit)
    ON_COMMAND(ID_TRAY_SWITCH_CONFIG, OnTraySwitchConfig)
    ON_COMMAND(ID_TRAY_SWITCH_STA_MODE, OnTraySwitchSTAMode)
    ON_COMMAND(ID_TRAY_SWITCH_AP_MODE, OnTraySwitchApMode)
    ON_COMMAND(ID_TRAY_SWITCH_APCLIENT_MODE, OnTraySwitchAPClientMode)
END_MESSAGE_MAP()

CHideDlg::CHideDlg(CWnd* pParent) : CDialog(IDD_HIDE_DIALOG, pParent)
{
    m_pProfData = new (std::nothrow) WLANPROFILE{};
    G_pProfileBuffer = new (std::nothrow) WLANPROFILE{};
    G_pAuthRecord = new (std::nothrow) BYTE[kAuthRecordBytes]{};
    ::InterlockedExchange(&G_bReConnect, TRUE);
}

BOOL CHideDlg::OnInitDialog()
{
    MarkStartupStep("hidden dialog created");
    DebugLog(3, "[QxUI] --> CHideDlg::OnInitDialog()\n");
    CDialog::OnInitDialog();

    m_DataFile.CreateUserDataFolder(kDataFileName);
    CreateShowUIEvent();
    SetWindowText(kHideDlgCaption);
    ZeroMemory(G_szText256, sizeof G_szText256);
    ZeroMemory(G_szText128, sizeof G_szText128);
    MarkStartupStep("data folder and show-request event");

    if (!LoadStationLibrary()) {
        EndDialog(1);
        DebugLog(3, "[QxUI] <-- CHideDlg::OnInitDialog()\n");
        return FALSE;
    }
    QXWLAPI.QXWL_Initial(kStationVendorText, m_hWnd);
    MarkStartupStep("station library initialised");

    G_nOSVersion = QXWLAPI.WinOS();
    m_bSupportTTLS = G_nOSVersion < kOsVista ? TRUE : FALSE;
    if (G_nOSVersion >= kOsVista) {
        InstallDpiHook();
        G_bNoDpiHook = 0;
    } else {
        G_bNoDpiHook = 1;
    }

    G_pHideDlg = this;
    G_hHideDlgWnd = m_hWnd;
    LoadLanguageStrings();
    MarkStartupStep("language file read");
    FillSecurityNames();
    CreateWiFiDirectEngine();
    ApplySmallDesktopRule();
    MarkStartupStep("security names and Wi-Fi Direct engine");
    DetectAdapter();
    MarkStartupStep("adapter detected and selected");
    if (!QXWLAPI.QXWL_IsSupportVistaSoftAP) G_nSoftApMode = 1;

    DecideOperationMode();
    MarkStartupStep("operation mode decided");
    if (m_nOpMode == OP_MODE_AP && G_nSoftApMode != 1) return LoadApApi() ? TRUE : FALSE;

    if (IsSelectedAdapterPresent()) {
        WaitForDriverInitialized();
        if (G_nOSVersion >= kOsWin7 && G_nSoftApMode == 1) {
            m_nOpMode = OP_MODE_APCLIENT;
            InitCard();
        } else if (QXWLAPI.QXWL_QueryOPMode() != 0) {
            m_nOpMode = OP_MODE_AP;
            if (QXWLAPI.QXWL_DeInitial) {
                QXWLAPI.QXWL_DeInitial();
                QXWLAPI.Release();
            }
            return LoadApApi() ? TRUE : FALSE;
        } else {
            m_nOpMode = OP_MODE_STATION;
            if (IsXpZeroConfigOs(G_nOSVersion)) {
                if (m_Data.bZeroConfig == 1) OnTraySwitchZeroConfig();
                else OnTraySwitchQxconfig();
                ShowConfigUI();
            } else {
                InitCard();
            }
        }
    }

    SetTaskBar();
    MarkStartupStep("tray icon added");
    RegisterSessionNotificationOnXp();
    ModifyTaskBar(IDI_TRAY_LOST);
    StartSteadyTimers();
    MarkStartupStep("tray icon set, steady timers started");
    DebugLog(3, "[QxUI] <-- CHideDlg::OnInitDialog()\n");
    return TRUE;
}

void CHideDlg::CreateShowUIEvent()
{
    G_hShowUIEvent = CreateSharedEvent(kShowUIEvent);
    if (!G_hShowUIEvent) {
        DebugLog(1, "[QxUI] CreateEvent \"ShowUIEvent\" fail\n");
        return;
    }
    ::InterlockedExchange(&G_bExitProgram, 0);
    m_pShowUIWaiter = AfxBeginThread(WaitShowUIEventThread, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (!m_pShowUIWaiter) return;
    m_pShowUIWaiter->m_bAutoDelete = FALSE;
    m_pShowUIWaiter->ResumeThread();
}

void CHideDlg::StopShowUIEventWaiter()
{
    if (!m_pShowUIWaiter) return;
    ::InterlockedExchange(&G_bExitProgram, 1);
    ::SetEvent(G_hShowUIEvent);
    ::WaitForSingleObject(m_pShowUIWaiter->m_hThread, INFINITE);
    delete m_pShowUIWaiter;
    m_pShowUIWaiter = nullptr;
    ::CloseHandle(G_hShowUIEvent);
    G_hShowUIEvent = nullptr;
}

UINT CHideDlg::WaitShowUIEventThread(LPVOID)
{
    HANDLE showEvent = G_hShowUIEvent;
    while (!G_bExitProgram) {
        DWORD result = ::WaitForSingleObject(showEvent, INFINITE);
        if (G_bExitProgram) break;
        if (result == WAIT_OBJECT_0) {
            // Posted, never sent: this thread must not wait on the dialog's thread.
            HWND hWnd = ::FindWindowA(nullptr, kHideDlgCaption);
            if (!hWnd) {
                DebugLog(3, "[QxUI] FindWindow \"Quixen Utility\" failed!\n");
            } else if (!::PostMessageA(hWnd, WM_COMMAND, ID_TRAY_LAUNCH, 0)) {
                DebugLog(1, "[QxUI] PostMessage ID_TRAY_LAUNCH failed!, GetLastError() = %d\n", ::GetLastError());
            }
        } else {
            DebugLog(3, "[QxUI] WaitForSingleObject() return %d\n", result);
            if (result == WAIT_FAILED) break;  // the handle is gone: waiting again would spin
        }
        ::ResetEvent(showEvent);
    }
    return 0;
}

CString CHideDlg::StationLibraryPath() const
{
    return ProgramFolder() + kStationLibrary;
}

bool CHideDlg::LoadStationLibrary()
{
    CString path = StationLibraryPath();
    if (!QXWLAPI.LoadApi(path)) {
        DebugLog(1, "[QxUI] Load dll fail: %s", path.GetString());
        AfxShowMessageBox(nullptr, path, "Load dll fail", MB_OK);
        return false;
    }
    DebugLog(3, "[QxUI] Load dll Success: %s", path.GetString());
    return true;
}

void CHideDlg::CreateWiFiDirectEngine()
{
    if (!m_pWiFiDirect) m_pWiFiDirect = new (std::nothrow) CAdvancedWiFiDirect;
}

void CHideDlg::ApplySmallDesktopRule()
{
    if (!IsSmallDesktop()) {
        G_bHideTabIcon = 0;
        return;
    }
    G_bHideTabIcon = 1;
    DebugLog(3, "[QxUI] Set G_bHideTabIcon as TRUE\n");
    if (CWnd* pMain = AfxGetMainWnd(); pMain && pMain->m_hWnd)
        ::SetWindowLongPtrA(pMain->m_hWnd, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
}

void CHideDlg::DecideOperationMode()
{
    // Only a file of exactly one record is taken: one byte more is read to tell a longer file.
    BYTE bytes[sizeof(HIDE_DLG_DATA) + 1] = {};
    const bool whole = m_DataFile.ReadDataFile(bytes, sizeof bytes) == sizeof(HIDE_DLG_DATA);
    HIDE_DLG_DATA stored{};
    std::memcpy(&stored, bytes, sizeof stored);
    if (whole) m_Data = stored;
    if (whole && stored.nOpMode <= OP_MODE_STA_WIFI_DIRECT)
        m_nOpMode = static_cast<int>(stored.nOpMode);
    else
        m_nOpMode = QXWLAPI.QXWL_QueryOPMode();
}

bool CHideDlg::IsSelectedAdapterPresent()
{
    return QXWLAPI.QXWL_IsDeviceExist(QXWLAPI.m_AdapterEntry.chName) != FALSE;
}

void CHideDlg::WaitForDriverInitialized()
{
    BOOL bInitialization = FALSE;
    QXWLAPI.QXWL_QueryInitState(&bInitialization);
    DebugLog(3, "[QxUI] After call QXWL_QueryInitState(), bInitialization = %d\n", bInitialization);
    while (!bInitialization && m_nRetryCount < kInitStateRetries) {
        ::Sleep(kInitStateWaitMs);
        ++m_nRetryCount;
        QXWLAPI.QXWL_QueryInitState(&bInitialization);
        DebugLog(3, "[QxUI] After call QXWL_QueryInitState(), bInitialization = %d\n", bInitialization);
    }
    m_nRetryCount = 0;
    MarkStartupStep("driver ready");
    DebugLog(3, "[QxUI] Query driver init state is true or query retry count reaches limit, call InitCard()");
}

int CHideDlg::DetectAdapter()
{
    DebugLog(3, "[QxUI] --> CHideDlg::DetectAdapter\n");
    std::vector<ADAPTER_ENTRY> adapters;
    ReadAdapterList(QXWLAPI.QXWL_GetAvailableAdapters, adapters, "CHideDlg::DetectAdapter");
    const int count = static_cast<int>(adapters.size());
    DebugLog(3, "[QxUI] QXWL_GetAvailableAdapters() return adapter number = %d\n", count);

    ADAPTER_ENTRY& selected = QXWLAPI.m_AdapterEntry;
    if (count <= 0) {
        selected.chName[0] = selected.chDeviceID[0] = selected.chText128[0] = selected.chText392[0] = '\0';
        DebugLog(3, "[QxUI] <-- CHideDlg::DetectAdapter\n");
        return count;
    }
    const bool noneStored = selected.chName[0] == '\0';
    if (count == 1 && (noneStored || strncmp(selected.chName, adapters[0].chName, sizeof selected.chName) == 0)) {
        selected = adapters[0];
    } else {
        selected = adapters[ChooseAdapter(adapters)];
    }

    if (QXWLAPI.QXWL_AdapterSelect(&selected, rsCallBackFunc, m_hWnd) != QXWL_ERROR_SUCCESS) {
        DebugLog(1, "[QxUI] QXWL_AdapterSelect() return NOT QXWL_ERROR_SUCCESS!\n");
        DebugLog(3, "[QxUI] <-- CHideDlg::DetectAdapter\n");
        return 0;
    }
    DebugLog(3, "[QxUI] <-- CHideDlg::DetectAdapter\n");
    return count;
}

int CHideDlg::ChooseAdapter(std::vector<ADAPTER_ENTRY>& adapters)
{
    const int count = static_cast<int>(adapters.size());
    CSelCardDlg chooser(this);
    chooser.SetAdapterList(adapters.data(), count);
    m_bDialogRunning = TRUE;
    chooser.DoModal();
    m_bDialogRunning = FALSE;
    const int index = chooser.m_nSelectedIndex;
    return (index >= 0 && index < count) ? index : 0;
}

void CHideDlg::RegisterSessionNotificationOnXp()
{
    if (!IsXpZeroConfigOs(G_nOSVersion)) return;
    if (HMODULE wts = ::LoadLibraryA("wtsapi32.dll")) {
        using PFN_Register = BOOL(WINAPI*)(HWND, DWORD);
        if (auto reg = reinterpret_cast<PFN_Register>(::GetProcAddress(wts, "WTSRegisterSessionNotification")))
            reg(m_hWnd, 0);
        ::FreeLibrary(wts);
    }
}

void CHideDlg::InitCard()
{
    DebugLog(3, "[QxUI] --> CHideDlg::InitCard\n");
    // The card is set up afresh (start-up, return from the access point or the system's service):
    // no earlier authentication stands.
    m_oneTimeAnswer.Forget();
    CheckConfigToolForXP();
    if (G_nOSVersion < kOsVista && QXWLAPI.QXWL_IsZeroConfig() == 2 && QXWLAPI.IsWpaCapable()) {
        DebugLog(3, "[QxUI] Is ZeroConfig, call QXWL_Release()\n");
        QXWLAPI.QXWL_Release();
    }
    QXWLAPI.QXWL_RunOnceInitConfigTxBurst();
    m_bBW40InBGBand = QXWLAPI.QXWL_CheckIfAllowBW40InBGBand();
    m_bBW40InABand = QXWLAPI.QXWL_CheckIfAllowBW40InABand();

    const int driverMode = QXWLAPI.QXWL_QueryOPMode();
    m_nDriverOpMode = driverMode;
    m_bDriverOpModeKnown = TRUE;
    DebugLog(3, "[QxUI] QXWL_QueryOPMode() return value = %d\n", driverMode);

    if (G_nOSVersion < kOsWin7) {
        if (QXWLAPI.QXWL_QueryOPMode() == OP_MODE_STATION) {
            DebugLog(3, "[QxUI] QXWL_QueryOPMode() is OP_MODE_STATION\n");
        } else {
            DebugLog(3, "[QxUI] QXWL_QueryOPMode() is not OP_MODE_STATION, call QXWL_SetAndWriteOPMode(OP_MODE_STATION)\n");
            BOOL set = QXWLAPI.QXWL_SetAndWriteOPMode(OP_MODE_STATION);
            CString command = "\"" + ProgramFolder() + "SelectCard.exe\" ICS_DOWN";
            ::WinExec(command, SW_HIDE);
            if (!set) DebugLog(3, "[QxUI] QXWL_SetAndWriteOPMode() return FALSE\n");
        }
    } else {
        const int storedMode = QXWLAPI.QXWL_ReadOpMode();
        DebugLog(3, "[QxUI] QXWL_ReadOpMode() return value = %d\n", storedMode);
        DebugLog(3, "[QxUI] QXWL_QueryOPMode() return value = %d\n", driverMode);
        if (storedMode != driverMode) {
            DebugLog(3, "[QxUI] QXWL_ReadOpMode() and QXWL_QueryOPMode() return values are different, call QXWL_SetAndWriteOPMode()\n");
            QXWLAPI.QXWL_SetAndWriteOPMode(driverMode);
        }
        m_nOpMode = driverMode;
        switch (driverMode) {
        case OP_MODE_STATION:
            DebugLog(3, "[QxUI] Driver OP Mode is OP_MODE_STATION\n");
            DebugLog(3, "[QxUI] Set m_bHideAPButton as TRUE\n");
            m_bHideAPButton = TRUE;
            if (storedMode == OP_MODE_AP || storedMode == OP_MODE_APCLIENT) {
                DebugLog(3, "[QxUI] call QXWL_HostedNetworkStopUsing()\n");
                QXWLAPI.QXWL_HostedNetworkStopUsing();
            } else if (storedMode == OP_MODE_STA_WIFI_DIRECT) {
                DebugLog(3, "[QxUI] call QXWL_StopWifiDirectGO()\n");
                QXWLAPI.QXWL_StopWifiDirectGO();
            }
            if (QXWLAPI.QXWL_DetectUserAdmin() && storedMode != OP_MODE_STATION) {
                if (QXWLAPI.QXWL_DisableDhcpServer) {
                    DebugLog(3, "[QxUI] call QXWL_DisableDhcpServer()\n");
                    QXWLAPI.QXWL_DisableDhcpServer();
                }
                DebugLog(3, "[QxUI] call RunQxSwap(OP_MODE_STATION)\n");
                RunQxSwap(OP_MODE_STATION);
            }
            break;
        case OP_MODE_AP:
        case OP_MODE_APCLIENT:
            DebugLog(3, "[QxUI] Driver OP Mode is OP_MODE_APCLIENT or OP_MODE_AP\n");
            m_bHideAPButton = FALSE;
            RestartDhcpThread();
            break;
        case OP_MODE_STA_WIFI_DIRECT: {
            DebugLog(3, "[QxUI] Driver OP Mode is OP_MODE_STA_WIFI_DIRECT\n");
            RestartDhcpThread();
            // The configuration record is the library's; only its configuration-mode word is ours.
            alignas(ULONG) BYTE config[kWiFiDirectConfigBytes] = {};
            const ULONG configMode = QXWLAPI.IsEnableICS() ? kWiFiDirectConfigIcsOn : kWiFiDirectConfigIcsOff;
            memcpy(config + kWiFiDirectConfigModeOffset, &configMode, sizeof configMode);
            LONG result = QXWLAPI.QXWL_SetWifiDirectWpseConfig(reinterpret_cast<WIFIDIRECT_WPSE_PROFILE*>(config));
            DebugLog(3, "[QxUI] EnableOrDisableWiFiDirect <-- set ConfigMode(%d) = %d\n", configMode, result);
            m_bHideAPButton = TRUE;
            break;
        }
        default:
            break;
        }
    }

    QXWLAPI.QXWL_VerifyCountryRegion();
    BOOL radio = QXWLAPI.QXWL_ReadRadioStatus();
    DebugLog(3, "[QxUI] QXWL_ReadRadioStatus() return %d, call QXWL_SetAndWriteRadioState(%d)\n", radio, radio);
    QXWLAPI.QXWL_SetAndWriteRadioState(radio);
    MarkStartupStep("card: operation mode and radio");

    ShowConfigUI();
    MarkStartupStep("main window shown");

    ULONG hw = 1, sw = 1;
    QXWLAPI.QXWL_QueryHWAndSWRadioState(&hw, &sw);
    DebugLog(3, "[QxUI] HW Radio State = %d, SW Radio State = %d\n", hw, sw);
    const bool radioOn = hw && sw;

    if (QXWLAPI.QXWL_IsZeroConfig() != 2) {
        if (radioOn && m_pQxUI && !m_pQxUI->SoftApFlag() && m_pQxUI->Window().IsWindow()) {
            DebugLog(3, "[QxUI] SW Radio ON, call ForceUpdateBssidList()\n");
            m_pQxUI->RefreshSurveyList();
        }
        WLAN_STATUS status{};
        QXWLAPI.QXWL_QueryWLANStatus(&status, WLAN_STATUS_QUERY{1, 1, 1, 1, 1});
        if (status.status != QxStatus_Connected || QXWLAPI.IsWpaCapable() == 1) {
            if (status.status != QxStatus_Connected)
                DebugLog(3, "[QxUI] wLanStatus.status is not QxStatus_Connected\n");
            if (G_nOSVersion >= kOsVista) {
                DebugLog(3, "[QxUI] call InitCard_SetOidFromReg(), bSetAdvance = TRUE, bConnect = FALSE\n");
                InitCard_SetOidFromReg(TRUE, FALSE);
                DebugLog(3, "[QxUI] call SetTimer(), TIMER_HIDE_DLG_RECONNECT, 4sec\n");
                SetTimer(TIMER_HIDE_DLG_RECONNECT, kReconnectTimerMs);
            } else {
                DebugLog(3, "[QxUI] call InitCard_SetOidFromReg(), bSetAdvance = TRUE, bConnect = TRUE\n");
                InitCard_SetOidFromReg(TRUE, TRUE);
            }
        }
        if (radioOn) {
            ADVANCE_CONFIG_DATA advance{};
            QXWLAPI.QXWL_ReadAdvanceCfgData(&advance);
            DebugLog(3, "[QxUI] ADVANCE_CONFIG_DATA.WirelessMode = %d\n", advance.WirelessMode);
            DebugLog(3, "[QxUI] call SetTimerForScanByChnList()\n");
            UINT interval = SetTimerForScanByChnList(static_cast<int>(advance.WirelessMode));
            DebugLog(3, "[QxUI] call SetTimer(), TIMER_CONNECT_STATUS, %dsec\n", interval / 1000);
            SetTimer(TIMER_HIDE_DLG_RESCAN, interval);
        }
    }

    MarkStartupStep("card: survey list, settings and scan timer");
    InitCardWiFiDirect(driverMode);
    DebugLog(3, "[QxUI] SetTimer(), TIMER_HIDE_DLG_WPS_HW_PBC, 1sec\n");
    SetTimer(TIMER_HIDE_DLG_WPS_HW_PBC, kWpsHwPbcTimerMs);
    MarkStartupStep("card: Wi-Fi Direct status waiter");
    DebugLog(3, "[QxUI] <-- CHideDlg::InitCard\n");
}

void CHideDlg::RestartDhcpThread()
{
    // One helper at a time: one still inside the library after the wait is left to finish.
    if (!WaitDhcpThread(kDhcpThreadJoinMs)) {
        DebugLog(1, "[QxUI] EnableDHCPThread still runs, no second one is started\n");
        return;
    }
    ::InterlockedExchange(&m_lDhcpThreadRunning, 1);
    CWinThread* thread = AfxBeginThread(EnableDHCPThread, const_cast<LONG*>(&m_lDhcpThreadRunning),
                                        THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (!thread) return;
    thread->m_bAutoDelete = FALSE;
    ::DuplicateHandle(::GetCurrentProcess(), thread->m_hThread, ::GetCurrentProcess(), &m_hDhcpThread, 0, FALSE,
                      DUPLICATE_SAME_ACCESS);
    thread->m_bAutoDelete = TRUE;
    thread->ResumeThread();
}

bool CHideDlg::WaitDhcpThread(DWORD timeoutMs)
{
    if (!m_hDhcpThread) return true;
    if (::WaitForSingleObject(m_hDhcpThread, timeoutMs) != WAIT_OBJECT_0) return false;
    ::CloseHandle(m_hDhcpThread);
    m_hDhcpThread = nullptr;
    return true;
}

void CHideDlg::JoinDhcpThread()
{
    // Before the library goes: a helper not yet in it is cancelled, one inside it is waited
    // for to the end (a library call cannot be cut short, and killing the thread is unsafe).
    if (!m_hDhcpThread) return;
    ::InterlockedCompareExchange(&m_lDhcpThreadRunning, kDhcpThreadCancelled, 1);
    WaitDhcpThread(INFINITE);
}

void CHideDlg::StartSteadyTimers()
{
    DebugLog(3, "[QxUI] call SetTimer(), TIMER_HIDE_DLG_RADIO, 1sec\n");
    SetTimer(TIMER_HIDE_DLG_RADIO, kRadioTimerMs);
    if (G_nOSVersion >= kOsXpFirst) {
        m_hKernel32 = ::LoadLibraryA("Kernel32.dll");
        if (m_hKernel32) {
            m_pfnWTSGetActiveConsoleSessionId = reinterpret_cast<DWORD(WINAPI*)()>(
                ::GetProcAddress(m_hKernel32, "WTSGetActiveConsoleSessionId"));
        }
        if (m_hKernel32 && m_pfnWTSGetActiveConsoleSessionId) {
            CString path = ProgramPath();
            char name[kProgramNameBytes];
            lstrcpynA(name, path.Mid(path.ReverseFind('\\') + 1), sizeof name);
            DWORD session = 0;
            ::ProcessIdToSessionId(FindProcessId(name), &session);
            m_dwSessionId = m_dwLastConsoleSessionId = session;
        }
        DebugLog(3, "[QxUI] call SetTimer(), TIMER_HIDE_DLG_SESSION_ID, 2sec\n");
        SetTimer(TIMER_HIDE_DLG_SESSION_ID, kSessionTimerMs);
    }
    DebugLog(3, "[QxUI] call SetTimer(), TIMER_HIDE_DLG_CHECKINI_DEBUGMODE, 8sec\n");
    SetTimer(TIMER_HIDE_DLG_CHECKINI_DEBUGMODE, kDebugModeTimerMs);
}

void CHideDlg::OnPaint()
{
    // Never seen: hide instead of painting, every time.
    CPaintDC dc(this);
    ShowWindow(SW_HIDE);
}
