// The hidden dialog's notification-area icon, its menu and the opening of the main window.
#include "base/DebugLog.h"
#include "core/hidedlg/HideDlg.h"
#include "core/QXAPLIB.h"
#include "base/LanguageTable.h"
#include "core/QXWLLIB.h"
#include "contract/StationContract.h"
#include "base/MainWindowClosing.h"
#include "base/TrayIcon.h"
#include "res/resource.h"
#include "ui/DmMenu.h"
#include "wifidirect/AdvancedWiFiDirect.h"

namespace {
constexpr size_t kActiveProfileNameBytes = 128;

NOTIFYICONDATAA MakeTrayRecord(HWND hWnd, HICON icon, const CString& tip)
{
    NOTIFYICONDATAA nid{};
    nid.cbSize = kNotifyIconRecordBytes;
    nid.hWnd = hWnd;
    nid.uID = kTrayIconId;
    nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    nid.uCallbackMessage = MSG_TRAY_NOTIFY;
    nid.hIcon = icon;
    lstrcpynA(nid.szTip, tip, kTrayTipChars);  // longer texts are cut
    return nid;
}

// A language text formatted with at most one text argument, without ever using the text as a
// format: "%%" gives "%", the first "%s" takes the argument as it is, anything else stays.
CString ExpandLanguageText(const CString& text, const CString& argument = CString())
{
    CString out;
    bool argumentUsed = false;
    for (int i = 0; i < text.GetLength(); ++i) {
        char ch = text[i];
        if (ch == '%' && text[i + 1] == '%') {
            out += '%';
            ++i;
        } else if (ch == '%' && text[i + 1] == 's' && !argumentUsed) {
            out += argument;
            argumentUsed = true;
            ++i;
        } else {
            out += ch;
        }
    }
    return out;
}

// The notification area shows "&&&" as one "&". The tip is cut to its room, never inside one
// of those groups.
CString TrayTipText(const CString& text)
{
    CString escaped = text;
    escaped.Replace("&", "&&&");
    int room = static_cast<int>(kTrayTipChars) - 1;
    if (escaped.GetLength() <= room) return escaped;
    int cut = room;
    while (cut > 0 && escaped[cut - 1] == '&') --cut;
    int ampersands = room - cut;
    return escaped.Left(cut + ampersands - ampersands % 3);
}

}  // namespace

// Shared: the same handle for every call, so the polling timer's refreshes leak nothing.
HICON LoadTrayIcon(UINT id)
{
    return static_cast<HICON>(::LoadImageA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(id), IMAGE_ICON,
                                           ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON),
                                           LR_SHARED));
}


void CHideDlg::SetTaskBar()
{
    DebugLog(3, "[QxUI] --> CHideDlg::SetTaskBar\n");
    UINT icon;
    CString text;
    if (m_bDeviceExist) {
        DebugLog(3, "[QxUI] Set icon LOST\n");
        icon = IDI_TRAY_LOST;
        text = G_LangTable.IDS_QUIXEN_LOST;
    } else {
        DebugLog(3, "[QxUI] Set icon NOTEXIST\n");
        icon = IDI_TRAY_NOT_EXIST;
        text = G_LangTable.IDS_QUIXEN_NOTEXIST;
    }
    NOTIFYICONDATAA nid = MakeTrayRecord(m_hWnd, LoadTrayIcon(icon), TrayTipText(ExpandLanguageText(text)));
    TrayNotifyIcon(NIM_ADD, &nid);
    DebugLog(3, "[QxUI] <-- CHideDlg::SetTaskBar\n");
}

UINT CHideDlg::AdjustIconForMode(UINT nIconId)
{
    if (nIconId == IDI_TRAY_NOT_EXIST) return nIconId;
    if (m_nOpMode == OP_MODE_AP) return IDI_TRAY_SOFTAP;
    if (G_nOSVersion >= kOsWin7) {
        const int stored = QXWLAPI.QXWL_ReadOpMode();
        const int driver = QXWLAPI.QXWL_QueryOPMode();
        const bool hosted = stored == OP_MODE_AP || stored == OP_MODE_APCLIENT;
        const int wanted = hosted ? OP_MODE_APCLIENT : OP_MODE_STATION;
        // A stored 3 starts as a station; a group owner the driver runs for it stays.
        const bool groupOwnerRuns = stored == OP_MODE_STA_WIFI_DIRECT && driver == OP_MODE_STA_WIFI_DIRECT;
        if (wanted != driver && !groupOwnerRuns) QXWLAPI.QXWL_SetAndWriteOPMode(wanted);
        return hosted ? IDI_TRAY_SOFTAP : nIconId;
    }
    return QXWLAPI.QXWL_QueryOPMode() != 0 ? IDI_TRAY_SOFTAP : nIconId;
}

CString CHideDlg::CurrentNetworkName()
{
    if (m_nOpMode == OP_MODE_AP) return CString();
    WLAN_STATUS status{};
    QXWLAPI.QXWL_QueryWLANStatus(&status, WLAN_STATUS_QUERY{0, 1, 0, 0, 0});
    return SsidToText(status.Ssid).c_str();
}

CString CHideDlg::TrayTooltip(UINT nIconId, const CString& networkName)
{
    switch (nIconId) {
    case IDI_TRAY_LINKED: return ExpandLanguageText(G_LangTable.IDS_QUIXEN_GOOD, networkName);
    case IDI_TRAY_LOST: return ExpandLanguageText(G_LangTable.IDS_QUIXEN_LOST);
    case IDI_TRAY_NORMAL: return ExpandLanguageText(G_LangTable.IDS_QUIXEN_NORMAL, networkName);
    case IDI_TRAY_WEAK: return ExpandLanguageText(G_LangTable.IDS_QUIXEN_WEAK, networkName);
    case IDI_TRAY_WEP_ERROR: return ExpandLanguageText(G_LangTable.IDS_QUIXEN_WEP_ERROR, G_LangTable.IDS_WEPERROR);
    case IDI_TRAY_NOT_EXIST: return ExpandLanguageText(G_LangTable.IDS_QUIXEN_NOTEXIST);
    default: return CString();  // the access-point modes
    }
}

BOOL CHideDlg::ModifyTaskBar(UINT nIconId)
{
    const UINT icon = AdjustIconForMode(nIconId);
    const CString name = CurrentNetworkName();
    const CString tip = TrayTooltip(icon, name);
    NOTIFYICONDATAA nid = MakeTrayRecord(m_hWnd, LoadTrayIcon(icon), TrayTipText(tip));
    if (icon == IDI_TRAY_NOT_EXIST) return TrayNotifyIcon(NIM_DELETE, &nid);

    DebugLog(5, "[QxUI] Connect status : %s\n", nid.szTip);
    BOOL result = TrayNotifyIcon(NIM_MODIFY, &nid);
    if (!result) {
        TrayNotifyIcon(NIM_DELETE, &nid);
        result = TrayNotifyIcon(NIM_ADD, &nid);
    }
    return result;
}

void CHideDlg::UpdateConnectedTrayIcon()
{
    WLAN_STATUS status{};
    QXWLAPI.QXWL_QueryWLANStatus(&status, WLAN_STATUS_QUERY{0, 0, 1, 0, 0});
    QXWLAPI.QXWL_RssiToPercent(status.rssi0);
    ModifyTaskBar(IDI_TRAY_LINKED);
}

void CHideDlg::DeleteTaskBar()
{
    NOTIFYICONDATAA nid = MakeTrayRecord(m_hWnd, nullptr, CString());
    TrayNotifyIcon(NIM_DELETE, &nid);
}

LRESULT CHideDlg::OnTrayNotify(WPARAM, LPARAM lParam)
{
    if (m_bDialogRunning) return 0;
    switch (static_cast<UINT>(lParam)) {
    case WM_LBUTTONDBLCLK:
        if (IsAdapterPresentForMode()) ShowConfigUI();
        break;
    case WM_RBUTTONDOWN:
        ShowTrayMenu();
        break;
    default:
        break;
    }
    return 0;
}

void CHideDlg::OnTrayLaunch()
{
    const BOOL present = IsApSideRunning() ? m_bApDeviceExist : m_bDeviceExist;
    if (!m_bDialogRunning && present && IsAdapterPresentForMode()) ShowConfigUI();
}

void CHideDlg::ShowTrayMenu()
{
    DmMenuTexts texts;
    UINT menuId;
    if (G_nOSVersion < kOsVista && m_nOpMode == OP_MODE_STATION) {
        menuId = IDR_TRAY_MENU_XP;
        texts.SetAt(ID_TRAY_EXIT, G_LangTable.IDS_TRAY_EXIT);
        if (QXWLAPI.QXWL_IsZeroConfig() == 2)
            texts.SetAt(ID_TRAY_SWITCH_CONFIG, G_LangTable.IDS_TRAY_SWITCH_QXCONFIG);
        else if (G_nOSVersion >= kOsXpFirst)
            texts.SetAt(ID_TRAY_SWITCH_CONFIG, G_LangTable.IDS_TRAY_SWITCH_ZEROCONFIG);
    } else {
        menuId = IDR_TRAY_MENU;
        texts.SetAt(ID_TRAY_EXIT_SHORT, G_LangTable.IDS_TRAY_EXIT);
    }
    DmMenu menu;
    if (!menu.LoadMenuWithTexts(menuId, texts)) return;
    CMenu* popup = menu.GetSubMenu(0);
    if (!popup) return;
    POINT cursor{};
    ::GetCursorPos(&cursor);
    SetForegroundWindow();
    popup->TrackPopupMenu(TPM_RIGHTBUTTON, cursor.x, cursor.y, this);
}

void CHideDlg::ShowConfigUI()
{
    DebugLog(3, "[QxUI] --> ShowConfigUI\n");
    // A teardown waits for running modal loops to end: no window opens in the meantime.
    if (CModalLoopRegistry::TeardownWaits()) {
        DebugLog(3, "[QxUI] a teardown waits, the main window is not shown\n");
        DebugLog(3, "[QxUI] <-- ShowConfigUI\n");
        return;
    }
    if (m_nOpMode != OP_MODE_AP) CreateWiFiDirectEngine();

    if (m_pQxUI) {
        DebugLog(3, "[QxUI] m_pQxUI exists!\n");
        if (!m_pQxUI->Window().IsWindow()) {
            delete m_pQxUI;
            m_pQxUI = nullptr;
            G_bMainWindowClosing = FALSE;
            CreateMainWindow(false);
        }
    } else {
        DebugLog(3, "[QxUI] m_pQxUI is NULL, create it!\n");
        G_bMainWindowClosing = FALSE;
        CreateMainWindow(true);
    }

    ULONG hw = 1, sw = 1;
    if (m_nOpMode != OP_MODE_AP) {
        QXWLAPI.QXWL_QueryHWAndSWRadioState(&hw, &sw);
        if (!m_pWiFiDirect && m_pQxUI && m_pQxUI->Window().IsWindow() && m_pQxUI->HasWiFiDirectPage()) {
            CreateWiFiDirectEngine();
            if (m_pWiFiDirect) m_pWiFiDirect->SetHwnd(m_pQxUI->WiFiDirectPageWindow(FALSE));
        }
    }
    DebugLog(3, "[QxUI] HW Radio State = %d, SW Radio State = %d\n", hw, sw);

    if (G_nOSVersion >= kOsWin7 && m_nOpMode == OP_MODE_STATION && m_pQxUI && m_pQxUI->ClickRescan()) {
        char active[kActiveProfileNameBytes] = "";
        QXWLAPI.QXWL_ReadActiveProfileName(active);
        if (const IMainWindow::ProfileMarks marks = m_pQxUI->ActiveProfileMarks(); marks.pActiveProfile) {
            *marks.pProfile = LibraryText(active, sizeof active, "QXWL_ReadActiveProfileName").c_str();
            *marks.pActiveProfile = marks.pProfile->IsEmpty() ? 0 : 1;
            DebugLog(3, "[QxUI] m_pPageProfileDlg->m_bActiveProfile = %d, m_pPageProfileDlg->m_strProfile = %s\n",
                     *marks.pActiveProfile, marks.pProfile->GetString());
        }
    }

    if (m_pQxUI && m_pQxUI->Window().IsWindow()) {
        m_pQxUI->Window().ShowWindow(SW_SHOWNORMAL);
        m_pQxUI->Window().SetForegroundWindow();
    }
    DebugLog(3, "[QxUI] <-- ShowConfigUI\n");
}

void CHideDlg::CreateMainWindow(bool firstTime)
{
    m_pQxUI = NewMainWindow(this);
    if (!m_pQxUI->Create()) DebugLog(1, "[QxUI] ShowConfigUI: the main window could not be created\n");
    if (firstTime && G_nOSVersion < kOsVista) KillTimer(TIMER_HIDE_DLG_XP_CONFIG);
}

bool CHideDlg::IsAdapterPresentForMode()
{
    // In soft-AP mode the station library may have been released: the soft-AP library answers.
    if (IsApSideRunning()) return QXAPAPI.QXAP_IsDeviceExist(QXAPAPI.m_AdapterEntry.chName) != FALSE;
    return IsSelectedAdapterPresent();
}

bool CHideDlg::IsApSideRunning() const
{
    return m_nOpMode == OP_MODE_AP && m_bApSideLoaded && QXAPAPI.IsLoaded();
}
