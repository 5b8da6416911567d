#include "skin/KelvoPageSecurityTlsDlg.h"
#include "base/LanguageTable.h"
#include "core/ProductMessageBox.h"
#include "skin/SecurityWizard.h"
#include "station/ProfileCodes.h"

IMPLEMENT_DYNCREATE(CKelvoPageSecurityTlsDlg, CDialog)

BEGIN_MESSAGE_MAP(CKelvoPageSecurityTlsDlg, CKelvoWizardPage)
    ON_CBN_SELCHANGE(IDC_WIZEAP_TYPE, OnTypeChanged)
END_MESSAGE_MAP()

void CKelvoPageSecurityTlsDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_WIZEAP_CIPHER, m_comboCipher);
    DDX_Control(pDX, IDC_WIZEAP_TYPE, m_comboType);
    DDX_Control(pDX, IDC_WIZTLS_CERT, m_comboCert);
}

void CKelvoPageSecurityTlsDlg::SetUpPage()
{
    SetLabels({IDC_WIZEAP_CIPHER_LABEL, IDC_WIZEAP_TYPE_LABEL, IDC_WIZEAP_LOGIN_LABEL, IDC_WIZTLS_CERT_LABEL});
    SetText(IDC_WIZEAP_CIPHER_LABEL, G_LangTable.IDS_LAB_ENC_TYPE);
    SetText(IDC_WIZEAP_TYPE_LABEL, G_LangTable.IDS_LAB_EAPTYPE);
    SetText(IDC_WIZEAP_LOGIN_LABEL, G_LangTable.IDS_LAB_LOGINNAME);
    SetText(IDC_WIZTLS_CERT_LABEL, G_LangTable.IDS_LAB_CERTIFICATE);
    if (CWnd* box = GetDlgItem(IDC_WIZEAP_VALIDATE)) box->ShowWindow(SW_HIDE);
    LimitEdit(IDC_WIZEAP_LOGIN, kIdentityMaxChars);
}

void CKelvoPageSecurityTlsDlg::OnShowPage()
{
    TakeRoadFlags();
    const WizardEditor e = GetWizardEditor(bUseProfileEditor != 0);
    WizardFillEapCipherList(m_comboCipher, e);
    WizardFillEapTypeList(m_comboType, WIZEAP_TLS);
    SetDlgItemText(IDC_WIZEAP_LOGIN, WizardIdentity(e));
    if (WizardEapMethodOf(e) != WIZEAP_TLS) WizardSelectEapMethod(e, WIZEAP_TLS);
    WizardFillCertificateList(m_comboCert, e);
}

void CKelvoPageSecurityTlsDlg::OnTypeChanged()
{
    const int method = WizardEapMethodOfText(SelectedText(m_comboType));
    if (method >= 0 && method != WIZEAP_TLS) WizardSwitch(PageOfEapMethod(method));
}

void CKelvoPageSecurityTlsDlg::OnNext()
{
    GetDlgItemText(IDC_WIZEAP_LOGIN, m_strLogin);
    if (m_strLogin.IsEmpty()) {
        ShowProductMessageBox(G_LangTable.IDS_MSG_LOGINNAME_EMPTY);
        return;
    }
    const int cert = m_comboCert.GetCurSel();
    if (m_comboCert.GetCount() == 0 || cert < 0) {
        ShowProductMessageBox(G_LangTable.IDS_MSG_USERCA_EMPTY);
        return;
    }
    const WizardEditor e = GetWizardEditor(bUseProfileEditor != 0);
    WizardWriteEapCipher(m_comboCipher, e);
    WizardSetIdentity(e, m_strLogin);
    WizardSelectClientCertificate(e, cert);
    WizardForward(*this, WizardStep::Confirm);
}
