#include "skin/KelvoPageSecuritySercaDlg.h"
#include "base/LanguageTable.h"
#include "core/ProductMessageBox.h"
#include "skin/SecurityWizard.h"
#include "station/ProfileCodes.h"

IMPLEMENT_DYNCREATE(CKelvoPageSecuritySercaDlg, CDialog)

void CKelvoPageSecuritySercaDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_WIZSERCA_ISSUER, m_comboIssuer);
}

void CKelvoPageSecuritySercaDlg::SetUpPage()
{
    SetText(IDC_WIZARD_TITLE, G_LangTable.IDS_LAB_SERVCA_SET_PAGE);
    SetLabels({IDC_WIZSERCA_ISSUER_LABEL, IDC_WIZSERCA_SERVER_LABEL});
    SetText(IDC_WIZSERCA_ISSUER_LABEL, G_LangTable.IDS_LAB_CAISSUER);
    SetText(IDC_WIZSERCA_SERVER_LABEL, G_LangTable.IDS_LAB_SERVERNAME);
    LimitEdit(IDC_WIZSERCA_SERVER, kServerNameMaxChars);
}

void CKelvoPageSecuritySercaDlg::OnShowPage()
{
    TakeRoadFlags();
    const WizardEditor e = GetWizardEditor(bUseProfileEditor != 0);
    SetDlgItemText(IDC_WIZSERCA_SERVER, WizardServerName(e));
    m_comboIssuer.ResetContent();
    int selected = -1;
    for (const CString& name : WizardCertificateAuthorities(e, &selected)) m_comboIssuer.AddString(name);
    m_comboIssuer.SetCurSel(selected);
}

void CKelvoPageSecuritySercaDlg::OnNext()
{
    GetDlgItemText(IDC_WIZSERCA_SERVER, m_strServerName);
    if (m_strServerName.IsEmpty()) {
        ShowProductMessageBox(G_LangTable.IDS_MSG_SERVNAME_EMPTY);
        return;
    }
    const int issuer = m_comboIssuer.GetCurSel();
    if (issuer < 0 || issuer >= m_comboIssuer.GetCount()) {
        ShowProductMessageBox(G_LangTable.IDS_MSG_SERVCA_EMPTY);
        return;
    }
    WizardSetServerCa(GetWizardEditor(bUseProfileEditor != 0), m_strServerName, issuer);
    WizardForward(*this, WizardStep::Confirm);
}
