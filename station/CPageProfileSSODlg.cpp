#include "station/CPageProfileSSODlg.h"
#include "station/Dot1XButtons.h"
#include "base/LanguageTable.h"

BEGIN_MESSAGE_MAP(CPageProfileSSODlg, CDot1XChildPage)
    ON_WM_SHOWWINDOW()
    ON_BN_CLICKED(IDC_SSO_ENABLE, OnEnableSso)
END_MESSAGE_MAP()

void CPageProfileSSODlg::DoDataExchange(CDataExchange* pDX)
{
    CDot1XChildPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SSO_ENABLE, m_btnEnable);
    DDX_Control(pDX, IDC_SSO_MACHINE, m_btnMachine);
    DDX_Control(pDX, IDC_SSO_PRE_LOGON, m_btnPreLogon);
    DDX_Control(pDX, IDC_SSO_POST_LOGON, m_btnPostLogon);
    DDX_Control(pDX, IDC_SSO_LOGON_SEPARATOR, m_separator);
    DDX_Check(pDX, IDC_SSO_ENABLE, bUseSso);
    DDX_Check(pDX, IDC_SSO_MACHINE, bAllowMachineAuth);
    DDX_Radio(pDX, IDC_SSO_PRE_LOGON, nLogonType);
}

BOOL CPageProfileSSODlg::OnInitDialog()
{
    CDot1XChildPage::OnInitDialog();
    const struct {
        int id;
        CString CLanguageTable::*text;
    } texts[] = {
        {IDC_SSO_ENABLE_LABEL, &CLanguageTable::IDS_PROF_SSO_ENABLE_SSO},
        {IDC_SSO_MACHINE_LABEL, &CLanguageTable::IDS_PROF_SSO_ALLOW_MACHINE},
        {IDC_SSO_LOGON_SEPARATOR, &CLanguageTable::IDS_PROF_SSO_LOGON_TYPE},
        {IDC_SSO_PRE_LOGON_LABEL, &CLanguageTable::IDS_PROF_SSO_PRE_LOGON},
        {IDC_SSO_POST_LOGON_LABEL, &CLanguageTable::IDS_PROF_SSO_POST_LOGON},
    };
    for (const auto& t : texts) {
        SetDlgItemText(t.id, G_LangTable.*t.text);
        GetDlgItem(t.id)->SetFont(&m_font);
    }
    StyleCheckButton(m_btnEnable, false);
    StyleCheckButton(m_btnMachine, false);
    StyleCheckButton(m_btnPreLogon, true);
    StyleCheckButton(m_btnPostLogon, true);
    return TRUE;
}

void CPageProfileSSODlg::OnEnableSso()
{
    UpdateData(TRUE);
    // The dependent buttons keep their values while greyed; the profile still stores them.
    for (int id : {IDC_SSO_MACHINE, IDC_SSO_MACHINE_LABEL, IDC_SSO_PRE_LOGON, IDC_SSO_POST_LOGON})
        EnableItem(id, bUseSso == 1);
}

void CPageProfileSSODlg::OnShowWindow(BOOL bShow, UINT)
{
    Default();
    if (!bShow) return;
    UpdateData(FALSE);
    OnEnableSso();
}
