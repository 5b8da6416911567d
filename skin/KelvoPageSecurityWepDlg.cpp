#include "skin/KelvoPageSecurityWepDlg.h"
#include "base/LanguageTable.h"
#include "base/TextChecks.h"
#include "core/ProductMessageBox.h"
#include "skin/SecurityWizard.h"
#include "station/CPageAuthEncryDlg.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CKelvoPageSecurityWepDlg, CDialog)

namespace {
constexpr int kKeyChars64 = 10, kKeyChars128 = 26, kAscii64 = 5, kAscii128 = 13;
constexpr int kInitialKeyLimit = 64;
constexpr int kKeys = 4;
}  // namespace

BEGIN_MESSAGE_MAP(CKelvoPageSecurityWepDlg, CKelvoWizardPage)
    ON_EN_CHANGE(IDC_WIZWEP_PASSPHRASE, OnPassPhraseChanged)
    ON_CBN_SELCHANGE(IDC_WIZWEP_LENGTH, OnLengthChanged)
    ON_CBN_SELCHANGE(IDC_WIZWEP_TXKEY, OnTxKeyChanged)
END_MESSAGE_MAP()

void CKelvoPageSecurityWepDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_WIZWEP_LENGTH, m_comboLength);
    DDX_Control(pDX, IDC_WIZWEP_AUTH, m_comboAuth);
    DDX_Control(pDX, IDC_WIZWEP_TXKEY, m_comboTxKey);
}

void CKelvoPageSecurityWepDlg::SetUpPage()
{
    SetLabels({IDC_WIZWEP_LENGTH_LABEL, IDC_WIZWEP_AUTH_LABEL, IDC_WIZWEP_PASSPHRASE_LABEL, IDC_WIZWEP_TXKEY_LABEL,
               IDC_WIZWEP_KEY_LABEL});
    SetText(IDC_WIZWEP_LENGTH_LABEL, G_LangTable.IDS_LAB_WEP);
    SetText(IDC_WIZWEP_AUTH_LABEL, G_LangTable.IDS_LAB_AUTHENTICATION);
    SetText(IDC_WIZWEP_PASSPHRASE_LABEL, G_LangTable.IDS_LAB_PASSPHRASE);
    SetText(IDC_WIZWEP_TXKEY_LABEL, G_LangTable.IDS_LAB_TRANS_KEY);
    m_comboLength.AddString("64 bits");
    m_comboLength.AddString("128 bits");
    SendDlgItemMessage(IDC_WIZWEP_KEY, EM_LIMITTEXT, kInitialKeyLimit, 0);
}

const CString* CKelvoPageSecurityWepDlg::KeyError(int lengthEntry, const CString& key)
{
    CString upper = key;
    upper.MakeUpper();
    const int length = key.GetLength();
    const bool hex = IsHexString(upper) != 0;
    if (lengthEntry == kLength64) {
        if (length == kAscii64) return nullptr;
        if (length == kKeyChars64) return hex ? nullptr : &G_LangTable.IDS_MSG_WEPKEY_ERROR1;
        return &G_LangTable.IDS_MSG_WEPKEY_ERROR2;
    }
    if (length == kAscii128) return nullptr;
    if (length == kKeyChars128) return hex ? nullptr : &G_LangTable.IDS_MSG_WEPKEY_ERROR3;
    return &G_LangTable.IDS_MSG_WEPKEY_ERROR4;
}

void CKelvoPageSecurityWepDlg::OnShowPage()
{
    TakeRoadFlags();
    const WizardEditor e = GetWizardEditor(bUseProfileEditor != 0);
    m_bFilling = 1;
    m_comboAuth.ResetContent();
    m_comboAuth.AddString(G_LangTable.IDS_VAL_OPEN);
    if (!bAdhoc) m_comboAuth.AddString(G_LangTable.IDS_VAL_SHARE);
    m_comboTxKey.ResetContent();
    for (int k = 1; k <= (bAdhoc ? 1 : kKeys); ++k) {
        CString number;
        number.Format("%d", k);
        m_comboTxKey.AddString(number);
    }
    SetDlgItemText(IDC_WIZWEP_PASSPHRASE, "");
    m_bGenerated = 0;
    GetDlgItem(IDC_WIZWEP_KEY)->EnableWindow(TRUE);
    int key = 0;
    int auth = kAuthOpen;
    CString text;
    if (e.auth) {
        if (!bAdhoc) {
            key = e.auth->m_nDefaultKey >= 0 && e.auth->m_nDefaultKey < kKeys ? e.auth->m_nDefaultKey : 0;
            auth = e.auth->m_nAuthIndex == AUTHIDX_OPEN && e.auth->m_nEncryIndex == ENCRIDX_WEP ? kAuthOpen : kAuthShared;
        }
        text = e.auth->m_strWepKey[key];
    }
    m_comboTxKey.SetCurSel(key);
    m_comboAuth.SetCurSel(auth);
    const int length = text.GetLength();
    m_comboLength.SetCurSel(length == kAscii64 || length == kKeyChars64 ? kLength64 : kLength128);
    LimitKey();
    SetDlgItemText(IDC_WIZWEP_KEY, text);
    m_strKey = text;
    ShowKeyLabel();
    m_bFilling = 0;
}

void CKelvoPageSecurityWepDlg::LimitKey()
{
    const int limit = m_comboLength.GetCurSel() == kLength64 ? kKeyChars64 : kKeyChars128;
    SendDlgItemMessage(IDC_WIZWEP_KEY, EM_LIMITTEXT, limit, 0);
}

void CKelvoPageSecurityWepDlg::ShowKeyLabel()
{
    CString label;
    label.Format("%s %d:", G_LangTable.IDS_LAB_KEY.GetString(), m_comboTxKey.GetCurSel() + 1);
    SetText(IDC_WIZWEP_KEY_LABEL, label);
}

void CKelvoPageSecurityWepDlg::MakeKeys()
{
    CString phrase;
    GetDlgItemText(IDC_WIZWEP_PASSPHRASE, phrase);
    CWnd* keyEdit = GetDlgItem(IDC_WIZWEP_KEY);
    if (phrase.IsEmpty()) {
        if (m_bGenerated) SetDlgItemText(IDC_WIZWEP_KEY, "");
        m_bGenerated = 0;
        keyEdit->EnableWindow(TRUE);
        return;
    }
    if (!WizardMakeWepKeys(phrase, m_comboLength.GetCurSel() == kLength128, m_strGenerated)) return;
    m_bGenerated = 1;
    const int key = std::max(0, m_comboTxKey.GetCurSel());
    m_bFilling = 1;
    SetDlgItemText(IDC_WIZWEP_KEY, m_strGenerated[key]);
    m_bFilling = 0;
    keyEdit->EnableWindow(FALSE);
}

void CKelvoPageSecurityWepDlg::OnPassPhraseChanged()
{
    if (!m_bFilling) MakeKeys();
}

void CKelvoPageSecurityWepDlg::OnLengthChanged()
{
    LimitKey();
    MakeKeys();
}

void CKelvoPageSecurityWepDlg::OnTxKeyChanged()
{
    MakeKeys();
    ShowKeyLabel();
}

void CKelvoPageSecurityWepDlg::WriteEditor()
{
    const WizardEditor e = GetWizardEditor(bUseProfileEditor != 0);
    CPageAuthEncryDlg* auth = e.auth;
    if (!auth) return;
    if (m_comboAuth.GetCurSel() == kAuthShared) auth->OnAuthShared();
    else auth->OnAuthOpen();
    auth->OnEncryWep();
    const int key = std::max(0, m_comboTxKey.GetCurSel());
    auth->m_nDefaultKey = key;
    auth->FillControls();
    auth->OnKeyIndex();
    const int length = m_strKey.GetLength();
    auth->SetKeyFormat(key, length == kAscii64 || length == kAscii128 ? KEYFMT_ASCII : KEYFMT_HEX);
    auth->m_strWepKey[key] = m_strKey;
    auth->FillControls();
    auth->UpdateData(TRUE);
}

void CKelvoPageSecurityWepDlg::OnNext()
{
    GetDlgItemText(IDC_WIZWEP_KEY, m_strKey);
    if (const CString* error = KeyError(m_comboLength.GetCurSel(), m_strKey)) {
        ShowProductMessageBox(*error);
        return;
    }
    WriteEditor();
    WizardForward(*this, WizardStep::Confirm);
}

void CKelvoPageSecurityWepDlg::OnBack()
{
    // Back keeps what the user typed, unchecked (the editor's own OK checks it before storing).
    GetDlgItemText(IDC_WIZWEP_KEY, m_strKey);
    WriteEditor();
    CKelvoWizardPage::OnBack();
}
