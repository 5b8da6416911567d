#include "skin/KelvoPageSecurityTtlsDlg.h"
#include "base/LanguageTable.h"
#include "core/ProductMessageBox.h"
#include "skin/SecurityWizard.h"
#include "station/ProfileCodes.h"

IMPLEMENT_DYNCREATE(CKelvoPageSecurityTtlsDlg, CDialog)

namespace {
constexpr LPCSTR kProtocols[] = {"CHAP", "MSCHAP", "MSCHAP-V2", "PAP"};
constexpr int kProtocolCount = 4;
}  // namespace

BEGIN_MESSAGE_MAP(CKelvoPageSecurityTtlsDlg, CKelvoWizardPage)
    ON_CBN_SELCHANGE(IDC_WIZEAP_TYPE, OnTypeChanged)
END_MESSAGE_MAP()

void CKelvoPageSecurityTtlsDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_WIZEAP_CIPHER, m_comboCipher);
    DDX_Control(pDX, IDC_WIZEAP_TYPE, m_comboType);
    DDX_Control(pDX, IDC_WIZTTLS_PROTOCOL, m_comboProtocol);
}

void CKelvoPageSecurityTtlsDlg::SetUpPage()
{
    SetLabels({IDC_WIZEAP_CIPHER_LABEL, IDC_WIZEAP_TYPE_LABEL, IDC_WIZEAP_LOGIN_LABEL, IDC_WIZTTLS_PASSWORD_LABEL,
               IDC_WIZTTLS_PROTOCOL_LABEL});
    SetText(IDC_WIZEAP_CIPHER_LABEL, G_LangTable.IDS_LAB_ENC_TYPE);
    SetText(IDC_WIZEAP_TYPE_LABEL, G_LangTable.IDS_LAB_EAPTYPE);
    SetText(IDC_WIZEAP_LOGIN_LABEL, G_LangTable.IDS_LAB_LOGINNAME);
    SetText(IDC_WIZTTLS_PASSWORD_LABEL, G_LangTable.IDS_LAB_PASSWORD);
    SetText(IDC_WIZTTLS_PROTOCOL_LABEL, G_LangTable.IDS_LAB_TTLS_PROTOCOL);
    if (CWnd* box = GetDlgItem(IDC_WIZEAP_VALIDATE)) {
        box->EnableWindow(FALSE);
        box->ShowWindow(SW_HIDE);
    }
    for (LPCSTR name : kProtocols) m_comboProtocol.AddString(name);
    LimitEdit(IDC_WIZEAP_LOGIN, kIdentityMaxChars);
    LimitEdit(IDC_WIZTTLS_PASSWORD, kPasswordMaxChars);
}

void CKelvoPageSecurityTtlsDlg::OnShowPage()
{
    TakeRoadFlags();
    const WizardEditor e = GetWizardEditor(bUseProfileEditor != 0);
    WizardFillEapCipherList(m_comboCipher, e);
    WizardFillEapTypeList(m_comboType, WIZEAP_TTLS);
    if (WizardEapMethodOf(e) != WIZEAP_TTLS) WizardSelectEapMethod(e, WIZEAP_TTLS);
    const int inner = WizardTtlsInnerOf(e);
    m_comboProtocol.SetCurSel(inner >= 1 && inner <= 3 ? inner : 0);
    SetDlgItemText(IDC_WIZEAP_LOGIN, WizardIdentity(e));
    SetDlgItemText(IDC_WIZTTLS_PASSWORD, WizardPassword(e));
    // The box is never shown here: it carries the editor's choice through Next unchanged, so
    // that a profile made in the wizard does not lose its server validation unseen.
    CheckDlgButton(IDC_WIZEAP_VALIDATE, WizardUsesServerCertificate(e) ? BST_CHECKED : BST_UNCHECKED);
}

void CKelvoPageSecurityTtlsDlg::OnTypeChanged()
{
    const int method = WizardEapMethodOfText(SelectedText(m_comboType));
    if (method >= 0 && method != WIZEAP_TTLS) WizardSwitch(PageOfEapMethod(method));
}

void CKelvoPageSecurityTtlsDlg::OnNext()
{
    GetDlgItemText(IDC_WIZEAP_LOGIN, m_strLogin);
    GetDlgItemText(IDC_WIZTTLS_PASSWORD, m_strPassword);
    if (m_strLogin.IsEmpty()) {
        ShowProductMessageBox(G_LangTable.IDS_MSG_LOGINNAME_EMPTY);
        return;
    }
    if (m_strPassword.IsEmpty()) {
        ShowProductMessageBox(G_LangTable.IDS_MSG_PASSWORD_EMPTY);
        return;
    }
    const WizardEditor e = GetWizardEditor(bUseProfileEditor != 0);
    WizardSetUseServerCertificate(e, IsDlgButtonChecked(IDC_WIZEAP_VALIDATE) == BST_CHECKED);
    WizardWriteEapCipher(m_comboCipher, e);
    if (WizardEapMethodOf(e) != WIZEAP_TTLS) WizardSelectEapMethod(e, WIZEAP_TTLS);
    const CString protocol = SelectedText(m_comboProtocol);
    for (int i = 0; i < kProtocolCount; ++i)
        if (protocol == kProtocols[i]) WizardSelectTtlsInner(e, i);
    WizardSetIdentity(e, m_strLogin);
    WizardSetPassword(e, m_strPassword);
    WizardForward(*this, WizardStep::Confirm);
}
