#include "skin/KelvoPageSecurityPeapDlg.h"
#include "base/LanguageTable.h"
#include "core/ProductMessageBox.h"
#include "skin/SecurityWizard.h"
#include "station/ProfileCodes.h"

IMPLEMENT_DYNCREATE(CKelvoPageSecurityPeapDlg, CDialog)

BEGIN_MESSAGE_MAP(CKelvoPageSecurityPeapDlg, CKelvoWizardPage)
    ON_CBN_SELCHANGE(IDC_WIZEAP_TYPE, OnTypeChanged)
    ON_CBN_SELCHANGE(IDC_WIZPEAP_INNER, OnInnerChanged)
END_MESSAGE_MAP()

void CKelvoPageSecurityPeapDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_WIZEAP_CIPHER, m_comboCipher);
    DDX_Control(pDX, IDC_WIZEAP_TYPE, m_comboType);
    DDX_Control(pDX, IDC_WIZPEAP_INNER, m_comboInner);
    DDX_Control(pDX, IDC_WIZPEAP_CERT, m_comboCert);
}

void CKelvoPageSecurityPeapDlg::SetUpPage()
{
    SetLabels({IDC_WIZEAP_CIPHER_LABEL, IDC_WIZEAP_TYPE_LABEL, IDC_WIZEAP_LOGIN_LABEL, IDC_WIZPEAP_SECRET_LABEL,
               IDC_WIZPEAP_INNER_LABEL});
    SetText(IDC_WIZEAP_CIPHER_LABEL, G_LangTable.IDS_LAB_ENC_TYPE);
    SetText(IDC_WIZEAP_TYPE_LABEL, G_LangTable.IDS_LAB_EAPTYPE);
    SetText(IDC_WIZEAP_LOGIN_LABEL, G_LangTable.IDS_LAB_LOGINNAME);
    SetText(IDC_WIZPEAP_INNER_LABEL, G_LangTable.IDS_LAB_PEAP_INEAP);
    m_comboInner.AddString("MS-CHAP2");
    m_comboInner.AddString("TLS");
    LimitEdit(IDC_WIZEAP_LOGIN, kIdentityMaxChars);
    LimitEdit(IDC_WIZPEAP_PASSWORD, kPasswordMaxChars);
}

void CKelvoPageSecurityPeapDlg::ShowLayout(int inner)
{
    const bool tls = inner == kInnerTls;
    GetDlgItem(IDC_WIZPEAP_PASSWORD)->ShowWindow(tls ? SW_HIDE : SW_SHOW);
    GetDlgItem(IDC_WIZPEAP_CERT)->ShowWindow(tls ? SW_SHOW : SW_HIDE);
    SetText(IDC_WIZPEAP_SECRET_LABEL, tls ? G_LangTable.IDS_LAB_CERTIFICATE : G_LangTable.IDS_LAB_PASSWORD);
}

void CKelvoPageSecurityPeapDlg::OnShowPage()
{
    TakeRoadFlags();
    const WizardEditor e = GetWizardEditor(bUseProfileEditor != 0);
    WizardFillEapCipherList(m_comboCipher, e);
    WizardFillEapTypeList(m_comboType, WIZEAP_PEAP);
    if (WizardEapMethodOf(e) != WIZEAP_PEAP) WizardSelectEapMethod(e, WIZEAP_PEAP);
    const int inner = WizardPeapInnerOf(e);
    if (inner == kInnerTls) {
        m_comboInner.SetCurSel(kInnerTls);
        WizardFillCertificateList(m_comboCert, e);
    } else {
        if (inner != kInnerMsChapV2) WizardSelectPeapInner(e, kInnerMsChapV2);
        m_comboInner.SetCurSel(kInnerMsChapV2);
        SetDlgItemText(IDC_WIZPEAP_PASSWORD, WizardPassword(e));
    }
    ShowLayout(m_comboInner.GetCurSel());
    SetDlgItemText(IDC_WIZEAP_LOGIN, WizardIdentity(e));
    CheckDlgButton(IDC_WIZEAP_VALIDATE, WizardUsesServerCertificate(e) ? BST_CHECKED : BST_UNCHECKED);
    GetDlgItemText(IDC_WIZEAP_LOGIN, m_strLogin);
    GetDlgItemText(IDC_WIZPEAP_PASSWORD, m_strPassword);
}

void CKelvoPageSecurityPeapDlg::OnTypeChanged()
{
    const int method = WizardEapMethodOfText(SelectedText(m_comboType));
    if (method >= 0 && method != WIZEAP_PEAP) WizardSwitch(PageOfEapMethod(method));
}

void CKelvoPageSecurityPeapDlg::OnInnerChanged()
{
    const WizardEditor e = GetWizardEditor(bUseProfileEditor != 0);
    // What the user typed so far goes with the switch.
    GetDlgItemText(IDC_WIZEAP_LOGIN, m_strLogin);
    if (GetDlgItem(IDC_WIZPEAP_PASSWORD)->IsWindowVisible()) GetDlgItemText(IDC_WIZPEAP_PASSWORD, m_strPassword);
    const int inner = m_comboInner.GetCurSel();
    if (inner == kInnerTls) {
        const int chosen = m_comboCert.GetCurSel();
        if (WizardPeapInnerOf(e) != kInnerTls) WizardSelectPeapInner(e, kInnerTls);
        WizardSetIdentity(e, m_strLogin);
        if (chosen >= 0) WizardSelectClientCertificate(e, chosen);
        WizardFillCertificateList(m_comboCert, e);
    } else {
        if (WizardPeapInnerOf(e) != kInnerMsChapV2) WizardSelectPeapInner(e, kInnerMsChapV2);
        WizardSetIdentity(e, m_strLogin);
        WizardSetPassword(e, m_strPassword);
        SetDlgItemText(IDC_WIZPEAP_PASSWORD, WizardPassword(e));
    }
    ShowLayout(inner);
    SetDlgItemText(IDC_WIZEAP_LOGIN, WizardIdentity(e));
}

void CKelvoPageSecurityPeapDlg::OnNext()
{
    GetDlgItemText(IDC_WIZEAP_LOGIN, m_strLogin);
    GetDlgItemText(IDC_WIZPEAP_PASSWORD, m_strPassword);
    const bool tls = m_comboInner.GetCurSel() == kInnerTls;
    if (m_strLogin.IsEmpty()) {
        ShowProductMessageBox(G_LangTable.IDS_MSG_LOGINNAME_EMPTY);
        return;
    }
    if (tls && m_comboCert.GetCurSel() < 0) {
        ShowProductMessageBox(G_LangTable.IDS_MSG_USERCA_EMPTY);
        return;
    }
    if (!tls && m_strPassword.IsEmpty()) {
        ShowProductMessageBox(G_LangTable.IDS_MSG_PASSWORD_EMPTY);
        return;
    }
    const WizardEditor e = GetWizardEditor(bUseProfileEditor != 0);
    const bool validate = IsDlgButtonChecked(IDC_WIZEAP_VALIDATE) == BST_CHECKED;
    WizardSetUseServerCertificate(e, validate);
    WizardWriteEapCipher(m_comboCipher, e);
    if (WizardEapMethodOf(e) != WIZEAP_PEAP) WizardSelectEapMethod(e, WIZEAP_PEAP);
    WizardSelectPeapInner(e, tls ? kInnerTls : kInnerMsChapV2);
    WizardSetIdentity(e, m_strLogin);
    if (tls) WizardSelectClientCertificate(e, m_comboCert.GetCurSel());
    else WizardSetPassword(e, m_strPassword);
    WizardForward(*this, RouteAfterPeap(validate));
}
