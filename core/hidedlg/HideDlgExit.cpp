// The tray's exit, the hidden dialog's window going away and the object's end.
#include "base/DebugLog.h"
#include "core/hidedlg/HideDlg.h"
#include "base/LanguageTable.h"
#include "base/MainWindowClosing.h"
#include "core/QXAPLIB.h"
#include "core/QXWLLIB.h"
#include "res/resource.h"
#include "wifidirect/AdvancedWiFiDirect.h"

namespace {
constexpr int kHelpCloseAttempts = 15;
constexpr DWORD kHelpCloseWaitMs = 250;
constexpr int kApDhcpFromOsCode = 7;
constexpr char kProgramWindowTitle[] = "KPL4471";
constexpr char kTrayWindowClass[] = "Shell_TrayWnd";
constexpr char kTrayToolbarClass[] = "ToolbarWindow32";
constexpr int kClassNameChars = 64;
constexpr int kWiFiDirectWaiterStop = 1;

void PostClose(const char* title)
{
    if (HWND window = ::FindWindowA(nullptr, title)) ::PostMessageA(window, WM_CLOSE, 0, 0);
}
}  // namespace

void CHideDlg::OnTrayExit()
{
    DebugLog(3, "[QxUI] --> CHideDlg::OnTrayExit\n");
    if (m_bDialogRunning) {
        DebugLog(3, "[QxUI] m_bDialogRunning is TRUE\n");
        DebugLog(3, "[QxUI] <-- CHideDlg::OnTrayExit\n");
        return;
    }
    SetP2PRequestAnswer(P2P_REQUEST_CANCEL);
    // Nothing goes while a modal loop runs above this dialog's own: a message box, a dialog or a
    // prompt, and the handler under it. They end as cancelled, and the command comes back.
    if (!CModalLoopRegistry::RequestTeardown(m_hWnd, m_hWnd, WM_COMMAND, ID_TRAY_EXIT_RETRY, 0)) {
        DebugLog(3, "[QxUI] a modal loop runs: it is ended first, the exit comes back after it\n");
        DebugLog(3, "[QxUI] <-- CHideDlg::OnTrayExit\n");
        return;
    }
    DestroyMainWindow();

    DebugLog(3, "[QxUI] call DeleteTaskBar()\n");
    for (const char* title : kHelpWindowTitles) PostClose(title);
    PostClose(kProgramWindowTitle);
    DeleteTaskBar();
    KillAllTimer();

    HIDE_DLG_DATA record{};
    record.nOpMode = static_cast<ULONG>(m_nOpMode);
    record.bZeroConfig = (m_nOpMode != OP_MODE_AP && QXWLAPI.QXWL_IsZeroConfig() == 2) ? 1 : 0;
    if (!m_DataFile.WriteDataFile(&record, sizeof record))
        DebugLog(1, "[QxUI] WriteDataFile(%s) failed\n", m_DataFile.Path().GetString());

    if (m_nOpMode == OP_MODE_AP) LeaveApMode();
    if (record.bZeroConfig == 0) OnTraySwitchZeroConfig();
    EndDialog(1);
    DebugLog(3, "[QxUI] <-- CHideDlg::OnTrayExit\n");
}

void CHideDlg::DestroyMainWindow()
{
    if (!m_pQxUI) return;
    if (m_pQxUI->Window().IsWindow()) {
        G_bMainWindowClosing = TRUE;
        m_pQxUI->ClosePages();
        m_pQxUI->Window().DestroyWindow();
    }
    delete m_pQxUI;
    m_pQxUI = nullptr;
    KillTimer(TIMER_HIDE_DLG_MAIN_WINDOW);
}

void CHideDlg::OnDestroy()
{
    G_hHideDlgWnd = nullptr;
    delete m_pWiFiDirect;
    m_pWiFiDirect = nullptr;
    // The workers that call the libraries end before the libraries are let go.
    CreateEventAndStartThread(kWiFiDirectWaiterStop);
    JoinDhcpThread();

    if (m_nOpMode == OP_MODE_AP && G_nSoftApMode == 0) DestroySoftAp();
    else DestroyStation();

    StopShowUIEventWaiter();
    CDialog::OnDestroy();
}

void CHideDlg::DestroySoftAp()
{
    if (!QXAPAPI.IsLoaded()) return;
    if (QXAPAPI.QXAP_GetWinOS() >= kApDhcpFromOsCode) QXAPAPI.QXAP_DisableDhcpServer();
    QXAPAPI.QXAP_DeInitial();
}

void CHideDlg::DestroyStation()
{
    DebugLog(3, "[QxUI] --> CHideDlg::OnDestroy\n");
    CloseHelpWindows(kHelpCloseAttempts);
    KillAllTimer();
    if (G_nOSVersion >= kOsVista && m_hKernel32) {
        ::FreeLibrary(m_hKernel32);
        m_hKernel32 = nullptr;
        m_pfnWTSGetActiveConsoleSessionId = nullptr;
    }
    // A library released earlier (soft-AP mode) only answers failure: nothing to hand back.
    const bool loaded = QXWLAPI.IsLoaded();
    if (loaded && QXWLAPI.QXWL_QueryOPMode && QXWLAPI.QXWL_QueryOPMode() == OP_MODE_STATION) {
        DebugLog(3, "[QxUI] call QXWL_BackupStationSetting()\n");
        QXWLAPI.QXWL_BackupStationSetting();
    }
    if (loaded && QXWLAPI.QXWL_GetWinOS && G_nOSVersion < kOsVista && QXWLAPI.QXWL_Release) {
        DebugLog(3, "[QxUI] call QXWL_Release()\n");
        QXWLAPI.QXWL_Release();
    }
    while (aryActionData.GetSize() > 0) aryActionData.RemoveHead();
    if (loaded && QXWLAPI.QXWL_DeInitial) {
        DebugLog(3, "[QxUI] call QXWL_DeInitial()\n");
        QXWLAPI.QXWL_DeInitial();
    }
    if (IsXpZeroConfigOs(G_nOSVersion)) {
        if (HMODULE wts = ::LoadLibraryA("wtsapi32.dll")) {
            using PFN_Unregister = BOOL(WINAPI*)(HWND);
            if (auto unregister = reinterpret_cast<PFN_Unregister>(::GetProcAddress(wts, "WTSUnRegisterSessionNotification")))
                unregister(m_hWnd);
            ::FreeLibrary(wts);
        }
    }
    QXWLAPI.Release();
    DebugLog(3, "[QxUI] <-- CHideDlg::OnDestroy\n");
}

void CHideDlg::CloseHelpWindows(int attempts)
{
    for (const char* title : kHelpWindowTitles) {
        for (int i = 0; i < attempts; ++i) {
            HWND help = ::FindWindowA(nullptr, title);
            if (!help) break;
            DebugLog(3, "[QxUI] PostMessage to close \"%s\" help file\n", title);
            ::PostMessageA(help, WM_CLOSE, 0, 0);
            ::Sleep(kHelpCloseWaitMs);
        }
    }
}

CHideDlg::~CHideDlg()
{
    // The window goes first, so that its shutdown runs while the object is still whole.
    if (IsWindow()) DestroyWindow();
    if (HWND tray = ::FindWindowA(kTrayWindowClass, nullptr)) ::EnumChildWindows(tray, EnumTrayToolbarProc, 0);
    StopShowUIEventWaiter();
    StopWiFiDirectWaiter();
    JoinDhcpThread();
    if (m_pQxUI) {
        m_pQxUI->Window().DestroyWindow();
        delete m_pQxUI;
        m_pQxUI = nullptr;
    }
    delete m_pWiFiDirect;
    m_pWiFiDirect = nullptr;
    delete m_pProfData;
    m_pProfData = nullptr;
    delete G_pProfileBuffer;
    G_pProfileBuffer = nullptr;
    delete[] G_pAuthRecord;
    G_pAuthRecord = nullptr;
    if (G_pHideDlg == this) G_pHideDlg = nullptr;
}

BOOL CALLBACK CHideDlg::EnumTrayToolbarProc(HWND hWnd, LPARAM)
{
    char className[kClassNameChars] = "";
    ::GetClassNameA(hWnd, className, kClassNameChars);
    if (lstrcmpA(className, kTrayToolbarClass) != 0) return TRUE;
    RECT client{};
    ::GetClientRect(hWnd, &client);
    for (LONG y = 1; y < client.right - client.left; ++y) ::PostMessageA(hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(1, y));
    return FALSE;
}
