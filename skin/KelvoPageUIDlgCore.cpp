// The main window as the core sees it (IMainWindow): the pages and prompts the hidden dialog
// asks for, each answered from the window's own pointers.
#include "contract/StationContract.h"
#include "skin/KelvoPageProfileDlg.h"
#include "skin/KelvoPageSiteSurveyDlg.h"
#include "skin/KelvoPageUIDlg.h"
#include "station/CInvalidIDPW.h"
#include "station/PeapSettingDlg.h"
#include "wifidirect/KelvoPageWlanP2PDlg.h"

IMainWindow* NewMainWindow(CWnd* pOwner)
{
    return new CKelvoPageUIDlg(pOwner);
}

void CKelvoPageUIDlg::RefreshSurveyList()
{
    if (m_pPageSiteSurveyDlg) m_pPageSiteSurveyDlg->RefreshSurveyList();
}

bool CKelvoPageUIDlg::ClickRescan()
{
    if (!m_pPageSiteSurveyDlg || !m_pPageSiteSurveyDlg->m_btnRescan.IsWindow()) return false;
    m_pPageSiteSurveyDlg->m_btnRescan.SendMessage(BM_CLICK);
    return true;
}

bool CKelvoPageUIDlg::PendingAction(WPARAM sender, ULONG& type, const void*& record)
{
    if (sender == SEND_BY_SITESURVEY_DLG && m_pPageSiteSurveyDlg) {
        type = m_pPageSiteSurveyDlg->m_nActionType;
        record = m_pPageSiteSurveyDlg->m_pActionRecord;
        return true;
    }
    if (sender == SEND_BY_PROFILE_DLG && m_pPageProfileDlg) {
        type = m_pPageProfileDlg->m_nActionType;
        record = m_pPageProfileDlg->m_pActionRecord;
        return true;
    }
    return false;
}

void CKelvoPageUIDlg::ForwardScanListChanged(WPARAM wParam, LPARAM lParam)
{
    for (CWnd* page : {static_cast<CWnd*>(m_pPageProfileDlg), static_cast<CWnd*>(m_pPageSiteSurveyDlg)})
        if (page && page->IsWindow() && page->IsWindowVisible()) page->PostMessage(MSG_SCAN_LIST_CHANGED, wParam, lParam);
}

void CKelvoPageUIDlg::SyncActiveProfile(int nIndex)
{
    if (m_pPageProfileDlg) m_pPageProfileDlg->SyncActiveProfile(nIndex);
}

IMainWindow::ProfileMarks CKelvoPageUIDlg::ActiveProfileMarks()
{
    if (!m_pPageProfileDlg) return {};
    return {&m_pPageProfileDlg->m_bActiveProfile, &m_pPageProfileDlg->m_bSiteSurveyConnect, &m_pPageProfileDlg->m_strProfile};
}

HWND CKelvoPageUIDlg::WiFiDirectPageWindow(BOOL bCreate)
{
    if (!m_pPageWlanP2PDlg) return nullptr;
    // The page gets its window when first shown; the engine may need it before.
    if (bCreate) EnsurePage(m_pPageWlanP2PDlg);
    return m_pPageWlanP2PDlg->m_hWnd;
}

bool CKelvoPageUIDlg::WiFiDirectConnecting() const
{
    return m_pPageWlanP2PDlg && m_pPageWlanP2PDlg->IsWindow() && m_pPageWlanP2PDlg->m_bConnecting == 1;
}

IPeapPrompt* CKelvoPageUIDlg::PeapPrompt(BOOL bCreate)
{
    if (!m_pPeapSettingDlg) return nullptr;
    if (bCreate) EnsureClassicDialog(kPeapSetting);
    return m_pPeapSettingDlg;
}

IReloginDialog* CKelvoPageUIDlg::ReloginDialog()
{
    return m_pInvalidIDPW;
}
