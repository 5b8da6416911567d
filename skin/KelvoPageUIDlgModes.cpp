// The main window's mode buttons: the adapter changes between station and access point through
// the hidden dialog, and only once it has changed are the mode stored and the page set rebuilt.
#include "base/DebugLog.h"
#include "base/LanguageTable.h"
#include "core/ProductMessageBox.h"
#include "core/QXWLLIB.h"
#include "core/hidedlg/HideDlg.h"
#include "skin/KelvoPageProfileDlg.h"
#include "skin/KelvoPageUIDlg.h"
#include "skin/KelvoPageWpsLinkStatusDlg.h"
#include "softap/KelvoPageApConfigDlg.h"
#include "softap/KelvoPageApConfigXPVistaDlg.h"
#include "station/PeapSettingDlg.h"
#include "ui/DialogTab.h"
#include "ui/DpiLayout.h"
#include "wifidirect/AdvancedWiFiDirect.h"
#include "wifidirect/KelvoPageWlanP2PDlg.h"

namespace {
constexpr char kWiFiDirectTabText[] = "WLAN P2P";
constexpr char kDpiFileStation[] = "_dpiFileStation";
constexpr char kDpiFileSoftAP[] = "_dpiFileSoftAP";
constexpr char kNoContainerText[] = "Error";
constexpr char kPromptOpenText[] = "Answer or cancel the one-time password prompt before the mode is changed.";
constexpr char kWpsRunningText[] = "Wait until the WPS run has ended before the mode is changed.";

// The operation-mode record's first word, written once the adapter has changed.
void StoreOperationMode(CHideDlg& hide, ULONG mode)
{
    hide.m_Data.nOpMode = mode;
    if (!hide.m_DataFile.WriteDataFile(&hide.m_Data, sizeof hide.m_Data))
        DebugLog(1, "[QxUI] the operation mode %lu could not be written to %s\n", mode, hide.m_DataFile.Path().GetString());
}

bool IsVisible(const CWnd* wnd)
{
    return wnd && wnd->m_hWnd && ::IsWindow(wnd->m_hWnd) && ::IsWindowVisible(wnd->m_hWnd);
}
}  // namespace

// A switch would destroy the prompt a loop waits on, or pull the adapter from under a WPS
// exchange: the user ends them first.
static bool RefuseSwitchWhileBusy(CKelvoPageUIDlg& main)
{
    // The password prompt is the user's to answer: a switch would destroy it under its loop.
    const CPeapSettingDlg* prompt = main.m_pPeapSettingDlg;
    if (IsVisible(prompt) || (prompt && prompt->IsLoopRunning())) {
        ShowProductMessageBox(kPromptOpenText);
        return true;
    }
    if (G_bWpsRunning) {
        ShowProductMessageBox(kWpsRunningText);
        return true;
    }
    return false;
}

void CKelvoPageUIDlg::OnSwitchToApMode()
{
    if (m_bSoftAPMode == 1 || !G_pHideDlg) return;
    if (RefuseSwitchWhileBusy(*this)) return;
    CHideDlg& hide = *G_pHideDlg;
    if (IsHostedVariant()) {
        hide.OnTraySwitchAPClientMode();
        if (QXWLAPI.QXWL_QueryOPMode() != OP_MODE_APCLIENT) {
            DebugLog(3, "[QxUI] OnSwitchToApMode: the hosted network did not start, the station pages stay\n");
            return;
        }
        StoreOperationMode(hide, OP_MODE_APCLIENT);
    } else {
        // The hidden dialog has told the user why when it refuses (radio off, another user, ...).
        if (!hide.OnTraySwitchApMode()) {
            DebugLog(3, "[QxUI] OnSwitchToApMode: the adapter stays in station mode\n");
            return;
        }
        hide.KillAllTimer();
        if (!hide.LoadApApi()) return;  // the hidden dialog has gone back to station mode and ends
        StoreOperationMode(hide, OP_MODE_AP);
    }
    SwitchPageSet(1);
    ShowLinkInfoTab();
    m_btnApMode.SetHighlight(1);
    m_btnStationMode.SetHighlight(0);
    m_tabSiteSurvey.EnableWindow(TRUE);
    m_tabProfile.EnableWindow(IsHostedVariant() ? FALSE : TRUE);
}

void CKelvoPageUIDlg::OnSwitchToStationMode()
{
    if (m_bSoftAPMode == 0 || !G_pHideDlg) return;
    if (RefuseSwitchWhileBusy(*this)) return;
    CHideDlg& hide = *G_pHideDlg;
    if (IsHostedVariant()) {
        hide.OnTraySwitchSTAMode();
        if (QXWLAPI.QXWL_QueryOPMode() != OP_MODE_STATION) {
            DebugLog(3, "[QxUI] OnSwitchToStationMode: the adapter did not leave the hosted network\n");
            return;
        }
    } else {
        if (!hide.LeaveApMode()) {
            DebugLog(3, "[QxUI] OnSwitchToStationMode: the adapter stays in access-point mode\n");
            return;
        }
        hide.KillApModeTimers();
        if (!hide.ReloadStationApi()) return;  // the hidden dialog ends
    }
    StoreOperationMode(hide, OP_MODE_STATION);
    SwitchPageSet(0);
    m_tabWiFiDirect.EnableWindow(TRUE);
    m_tabWiFiDirect.ShowWindow(SW_SHOW);
    ShowLinkInfoTab();
    m_btnStationMode.SetHighlight(1);
    m_btnApMode.SetHighlight(0);
}

void CKelvoPageUIDlg::SwitchPageSet(int nMode)
{
    nMode = nMode ? 1 : 0;
    if (nMode == m_bSoftAPMode) return;
    if (!m_pPageTab) {
        ShowProductMessageBox(kNoContainerText);
        return;
    }
    // The pages go: never while a modal loop runs above the hidden dialog's own, with a handler
    // of theirs under it. The loop ends as cancelled, and the switch comes back.
    const HWND home = m_pOwner ? m_pOwner->GetSafeHwnd() : nullptr;
    if (!CModalLoopRegistry::RequestTeardown(home, m_hWnd, MSG_SWITCH_PAGE_SET, static_cast<WPARAM>(nMode), 0)) {
        DebugLog(3, "[QxUI] SwitchPageSet(%d): a modal loop runs, the switch comes back after it\n", nMode);
        return;
    }
    EnableWindow(FALSE);
    const bool hosted = IsHostedVariant();
    if (nMode == 1) {
        ClosePages();
        DestroyClassicDialogs();
        // The pages made from here on belong to the access-point set.
        m_bSoftAPMode = 1;
        m_tabSiteSurvey.SetText(G_LangTable.IDS_AP_CONFIGURATION);
        m_tabProfile.SetText(hosted ? CString() : G_LangTable.IDS_AP_MAC_FILTER);
        m_tabProfile.EnableWindow(hosted ? FALSE : TRUE);
        m_tabAdapter.SetText("");
        m_tabAdapter.EnableWindow(FALSE);
        m_tabWiFiDirect.SetText("");
        m_tabWiFiDirect.EnableWindow(FALSE);
        m_tabWiFiDirect.ShowWindow(SW_HIDE);
        RegisterApPages();
        if (hosted) CreateHostedNetworkDialogs();
        else RegisterSoftApClassicPages();
        ShowLinkInfoTab();
        // The configuration page re-binds the bridge once the adapter has settled.
        CDialog* config = hosted ? static_cast<CDialog*>(m_pPageApConfigDlg) : m_pPageApConfigXPVistaDlg;
        if (config && EnsurePage(config)) {
            if (hosted) m_pPageApConfigDlg->UnbindAndArmApply(1);
            else m_pPageApConfigXPVistaDlg->UnbindAndArmApply(1);
        }
    } else {
        // A binding must not outlive the access point, whichever page is shown: the page
        // decides from its stored bridge word, and is made for it when it never was.
        if (hosted && m_pPageApConfigDlg && EnsurePage(m_pPageApConfigDlg)) m_pPageApConfigDlg->UnbindAndArmApply(0);
        if (!hosted && m_pPageApConfigXPVistaDlg && EnsurePage(m_pPageApConfigXPVistaDlg))
            m_pPageApConfigXPVistaDlg->UnbindAndArmApply(0);
        ClosePages();
        DestroyClassicDialogs();
        m_bSoftAPMode = 0;
        RegisterStationPages();
        CreateClassicDialogs();
        m_tabSiteSurvey.SetText(G_LangTable.IDS_LAB_SITESURVEY_BTN);
        m_tabProfile.SetText(G_LangTable.IDS_LAB_PROFILE_BTN);
        m_tabAdapter.SetText(G_LangTable.IDS_LAB_ADAPTER_BTN);
        m_tabWiFiDirect.SetText(kWiFiDirectTabText);
        for (CFingerStatic* tab : {&m_tabProfile, &m_tabAdapter, &m_tabWiFiDirect}) tab->EnableWindow(TRUE);
        m_tabWiFiDirect.ShowWindow(SW_SHOW);
        ShowLinkInfoTab();
        // The Wi-Fi Direct engine runs its timers on the page's window, which is new now.
        if (G_pHideDlg && G_pHideDlg->m_pWiFiDirect && m_pPageWlanP2PDlg && EnsurePage(m_pPageWlanP2PDlg))
            G_pHideDlg->m_pWiFiDirect->SetHwnd(m_pPageWlanP2PDlg->m_hWnd);
    }
    m_strDpiFile = nMode ? kDpiFileSoftAP : kDpiFileStation;
    ApplyDpiLayout(this, m_strDpiFile);
    EnableWindow(TRUE);
    Invalidate(TRUE);
    // Last, with the window enabled again: the reconnect may ask for a password, and a prompt
    // in a disabled window could not be answered.
    if (nMode == 0 && m_pPageProfileDlg) m_pPageProfileDlg->ReloadActiveProfile();
}
