// The hidden dialog's polling timer: the tray follows the adapter and the link.
#include "core/DebugLog.h"
#include "core/HideDlg.h"
#include "core/IniFile.h"
#include "core/LanguageTable.h"
#include "core/MainWindowClosing.h"
#include "core/QXWLLIB.h"
#include "res/resource.h"
#include "skin/KelvoPageUIDlg.h"
#include "wifidirect/AdvancedWiFiDirect.h"

namespace {
constexpr UINT kCheckCardTimerMs = 2000;
constexpr UINT_PTR kLastKilledTimer = 16;  // KillAllTimer kills ids 0 to 16; 19 to 23 survive it
constexpr UINT_PTR kTimer18 = 18;
constexpr size_t kDebugModeTextBytes = 64;
const char* const kHelpWindowTitles[] = {"QXCONFIGENG", "QXCONFIGCHN", "HTML Help"};

bool IsAllZero(const UCHAR (&bytes)[6])
{
    for (UCHAR b : bytes)
        if (b) return false;
    return true;
}
}  // namespace

void CHideDlg::OnTimer(UINT_PTR nIDEvent)
{
    // In access-point mode the ticks belong to the access-point side.
    if ((m_nOpMode == OP_MODE_AP && G_nSoftApMode == 0) || m_Data.nOpMode == OP_MODE_AP) return;
    DebugLog(5, "[QxUI] --> CHideDlg::OnTimer\n");

    if (nIDEvent == TIMER_HIDE_DLG_CHECKINI_DEBUGMODE) {
        DebugLog(4, "[QxUI] TIMER_HIDE_DLG_CHECK_INI_AFTER_RESUME\n");
        char text[kDebugModeTextBytes];
        char value[256];
        lstrcpynA(text, GetIniString("Settings", "DebugMode", "0", value, "ini"), sizeof text);
        const int mode = ParseIniInteger(text);
        DebugLog(4, "[QxUI] Set QXWLAPI.nDebugMode as %d\n", mode);
        QXWLAPI.nDebugMode = mode;
    }
    if (m_bDialogRunning) {
        DebugLog(3, "[QxUI] m_bDialogRunning is TRUE, return!\n");
        DebugLog(5, "[QxUI] <-- CHideDlg::OnTimer\n");
        return;
    }

    WLAN_STATUS status{};
    QXWLAPI.QXWL_QueryWLANStatus(&status, WLAN_STATUS_QUERY{1, 1, 0, 0, 1});
    if (ProcDetectDeviceRemoval() == 2) return;

    const bool linked = status.linkState != 2 && status.status == QxStatus_Connected && !IsAllZero(status.Bssid);
    if (linked) {
        m_nUnlinkedTicks = 0;
        UpdateConnectedTrayIcon();
    } else {
        ModifyTaskBar(IDI_TRAY_LOST);
        ++m_nUnlinkedTicks;
    }
    DebugLog(5, "[QxUI] <-- CHideDlg::OnTimer\n");
}

int CHideDlg::ProcDetectDeviceRemoval()
{
    const char* name = QXWLAPI.m_AdapterEntry.chName;
    auto dropDeadMainWindow = [this] {
        if (m_pQxUI && !m_pQxUI->IsWindow()) {
            delete m_pQxUI;
            m_pQxUI = nullptr;
        }
    };
    if (QXWLAPI.QXWL_IsDeviceExist(name)) {
        m_bDeviceExist = QXWLAPI.QXWL_IsDeviceExist(name);
        if (!m_bDeviceExist) {
            QXWLAPI.QXWL_StopAuth();
            QXWLAPI.QXWL_Release();
        }
        dropDeadMainWindow();
        return 0;
    }

    DebugLog(4, "[QxUI] QXWL_IsDeviceExist() return FALSE\n");
    DebugLog(4, "[QxUI] Clear m_pProfData: the last profile content\n");
    if (m_pProfData) ZeroMemory(m_pProfData, sizeof *m_pProfData);
    KillTimer(TIMER_HIDE_DLG_CHECK_CARD);
    if (m_bWepErrorDetect) KillTimer(TIMER_HIDE_DLG_WEP_ERROR);
    DebugLog(4, "[QxUI] call QXWL_Release()\n");
    QXWLAPI.QXWL_Release();

    if (m_pQxUI) {
        if (m_pQxUI->IsWindow()) {
            if (CWnd* open = m_pQxUI->GetOpenChildDialog()) {
                open->SendMessage(WM_CLOSE);
                return 2;  // the removal goes on at the next tick
            }
            G_bMainWindowClosing = TRUE;
            m_pQxUI->ClosePages();
            m_pQxUI->DestroyWindow();
        }
        delete m_pQxUI;
        m_pQxUI = nullptr;
        KillTimer(kTimer18);
    }
    delete m_pWiFiDirect;
    m_pWiFiDirect = nullptr;

    if (m_dlgMessage.IsWindow()) {
        DebugLog(3, "[QxUI] m_dlgMessage.DestroyWindow()\n");
        m_dlgMessage.DestroyWindow();
    }
    for (const char* title : kHelpWindowTitles) {
        if (HWND help = ::FindWindowA(nullptr, title)) {
            DebugLog(3, "[QxUI] PostMessage to close \"%s\" help file\n", title);
            ::PostMessageA(help, WM_CLOSE, 0, 0);
        }
    }

    DetectAdapter();
    m_bDeviceExist = QXWLAPI.QXWL_IsDeviceExist(name);
    SetTimer(TIMER_HIDE_DLG_CHECK_CARD, kCheckCardTimerMs);
    if (m_bDeviceExist) {
        DebugLog(3, "[QxUI] QXWL_IsDeviceExist() return TRUE\n");
        DebugLog(3, "[QxUI] call ModifyTaskBar(IDI_LOST)\n");
        ModifyTaskBar(IDI_TRAY_LOST);
        if (m_Data.bZeroConfig == 1) OnTraySwitchZeroConfig();
        else OnTraySwitchQxconfig();
        ShowConfigUI();
        dropDeadMainWindow();
        return 0;
    }
    DebugLog(3, "[QxUI] QXWL_IsDeviceExist() return FALSE\n");
    DebugLog(3, "[QxUI] call ModifyTaskBar(IDI_NOTEXIST)\n");
    ModifyTaskBar(IDI_TRAY_NOT_EXIST);
    DebugLog(3, "[QxUI] call QXWL_Release()\n");
    QXWLAPI.QXWL_Release();
    return 2;
}

BOOL CHideDlg::KillAllTimer()
{
    for (UINT_PTR id = 0; id <= kLastKilledTimer; ++id) KillTimer(id);
    return TRUE;
}
