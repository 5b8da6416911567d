#include "skin/KelvoPageSiteSurveyDlg.h"
#include "base/DebugLog.h"
#include "skin/MainWindowMessages.h"

IMPLEMENT_DYNCREATE(CKelvoPageSiteSurveyDlg, CDialog)

BEGIN_MESSAGE_MAP(CKelvoPageSiteSurveyDlg, CDialog)
    ON_BN_CLICKED(IDC_SURVEY_RESCAN, StartSurveyScan)
END_MESSAGE_MAP()

void CKelvoPageSiteSurveyDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SURVEY_RESCAN, m_btnRescan);
}

void CKelvoPageSiteSurveyDlg::RefreshSurveyList()
{
    // The list comes with the page's own work; until then there is nothing to refresh.
    DebugLog(3, "[QxUI] CKelvoPageSiteSurveyDlg::RefreshSurveyList is not built yet\n");
}

void CKelvoPageSiteSurveyDlg::StartSurveyScan()
{
    DebugLog(3, "[QxUI] CKelvoPageSiteSurveyDlg::StartSurveyScan is not built yet\n");
}

void CKelvoPageSiteSurveyDlg::FillSecurityEditor()
{
    CWnd* owner = m_hWnd ? GetParent() : nullptr;
    if (owner) owner->SendMessage(MSG_SECURITY_EDITOR_DLG, 2, 0);
    else DebugLog(3, "[QxUI] CKelvoPageSiteSurveyDlg::FillSecurityEditor: no owner window\n");
}

void CKelvoPageSiteSurveyDlg::ConnectSelected()
{
    // No action is queued: the profile record is not built yet.
    DebugLog(1, "[QxUI] CKelvoPageSiteSurveyDlg::ConnectSelected is not built yet\n");
}

void CKelvoPageSiteSurveyDlg::ResetEditorCopy()
{
    m_EditorCopy = SURVEY_EDITOR_COPY{};
}

const NDIS_WLAN_BSSID_EX* CKelvoPageSiteSurveyDlg::ChosenEntry() const
{
    if (m_ChosenRecord.size() < sizeof(NDIS_WLAN_BSSID_EX)) return nullptr;
    return reinterpret_cast<const NDIS_WLAN_BSSID_EX*>(m_ChosenRecord.data());
}
