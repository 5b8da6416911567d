#include "wifidirect/KelvoPageWlanP2PSecurityPskDlg.h"
#include "base/LanguageTable.h"
#include "core/ProductMessageBox.h"
#include "wifidirect/KelvoPageP2PConnectMethod.h"
#include "wifidirect/KelvoPageWlanP2PDlg.h"

IMPLEMENT_DYNCREATE(CKelvoPageWlanP2PSecurityPskDlg, CDialog)

void CKelvoPageWlanP2PSecurityPskDlg::SetUpPage()
{
    SetUpRow(G_LangTable.IDS_LAB_SECSET_PAGE, "Security Settings", G_LangTable.IDS_LAB_PRE_KEY, "Pre-shared Key", true, kMaxKey);
    if (auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_WIZPSK_CIPHER))) {
        combo->ResetContent();
        combo->AddString("AES");
        combo->SetCurSel(0);
    }
}

void CKelvoPageWlanP2PSecurityPskDlg::OnShowPage()
{
    CKelvoPageWlanP2PDlg* page = WiFiDirectMainPage();
    m_strKey = page ? page->m_strKey : CString();
    SetDlgItemText(IDC_WIZPSK_KEY, m_strKey);
}

bool CKelvoPageWlanP2PSecurityPskDlg::OnBtnNext()
{
    GetDlgItemText(IDC_WIZPSK_KEY, m_strKey);
    if (m_strKey.GetLength() < kMinKey || m_strKey.GetLength() > kMaxKey) {
        ShowProductMessageBox(G_LangTable.IDS_MSG_PREKEY_ERROR.IsEmpty() ? "The key must have 8 to 64 characters."
                                                                         : G_LangTable.IDS_MSG_PREKEY_ERROR.GetString());
        return false;
    }
    if (auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_WIZPSK_CIPHER))) m_nSelection = combo->GetCurSel();
    if (CKelvoPageWlanP2PDlg* page = WiFiDirectMainPage()) page->m_strKey = m_strKey;
    FinishToFirstPage(true);
    return true;
}
