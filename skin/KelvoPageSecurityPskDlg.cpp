#include "skin/KelvoPageSecurityPskDlg.h"
#include "base/StationLibraryView.h"
#include "base/LanguageTable.h"
#include "base/TextChecks.h"
#include "core/ProductMessageBox.h"
#include "core/QXWLLIB.h"
#include "skin/SecurityWizard.h"
#include "station/CPageAuthEncryDlg.h"

IMPLEMENT_DYNCREATE(CKelvoPageSecurityPskDlg, CDialog)

namespace {
constexpr int kAesIndex = 1;

LONG OsCode()
{
    return QXWLAPI.QXWL_GetWinOS ? QXWLAPI.WinOS() : 0;
}
}  // namespace

void CKelvoPageSecurityPskDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_WIZPSK_CIPHER, m_comboCipher);
}

void CKelvoPageSecurityPskDlg::SetUpPage()
{
    SetLabels({IDC_WIZPSK_CIPHER_LABEL, IDC_WIZPSK_KEY_LABEL});
    SetText(IDC_WIZPSK_CIPHER_LABEL, G_LangTable.IDS_LAB_ENC_TYPE);
    SetText(IDC_WIZPSK_KEY_LABEL, G_LangTable.IDS_LAB_PRE_KEY);
    LimitEdit(IDC_WIZPSK_KEY, kKeyMax);
}

bool CKelvoPageSecurityPskDlg::IsValidKey(const CString& key)
{
    const int length = key.GetLength();
    if (length < kKeyMin || length > kKeyMax) return false;
    return length < kKeyMax || IsHexString(key);
}

void CKelvoPageSecurityPskDlg::OnShowPage()
{
    TakeRoadFlags();
    const WizardEditor e = GetWizardEditor(bUseProfileEditor != 0);
    m_comboCipher.ResetContent();
    const bool aesOnly = bAdhoc && OsCode() >= kVistaOsCode;
    if (!aesOnly) m_comboCipher.AddString("TKIP");
    m_comboCipher.AddString("AES");
    int pick = 0;
    if (!aesOnly && !bAdhoc && e.auth && e.auth->m_nEncryIndex == ENCRIDX_AES) pick = kAesIndex;
    m_comboCipher.SetCurSel(pick);
    SetDlgItemText(IDC_WIZPSK_KEY, e.auth ? e.auth->m_strPsk : CString());
}

void CKelvoPageSecurityPskDlg::OnNext()
{
    GetDlgItemText(IDC_WIZPSK_KEY, m_strKey);
    if (!IsValidKey(m_strKey)) {
        ShowProductMessageBox(G_LangTable.IDS_MSG_PREKEY_ERROR);
        return;
    }
    const WizardEditor e = GetWizardEditor(bUseProfileEditor != 0);
    if (CPageAuthEncryDlg* auth = e.auth) {
        const bool aes = SelectedText(m_comboCipher) == "AES";
        if (OsCode() >= kVistaOsCode && bAdhoc) auth->OnEncryAes();
        else if (aes) auth->OnEncryAes();
        else auth->OnEncryTkip();
        auth->m_strPsk = m_strKey;
        auth->FillControls();
    }
    WizardForward(*this, WizardStep::Confirm);
}
