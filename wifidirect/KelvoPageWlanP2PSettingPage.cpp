#include "wifidirect/KelvoPageWlanP2PSettingPage.h"
#include "skin/KelvoPageUIDlg.h"
#include "ui/DialogTab.h"
#include "wifidirect/KelvoPageP2PConnectMethod.h"
#include "wifidirect/KelvoPageWlanP2PDlg.h"

// Exit leaves the Wi-Fi Direct setting, not the security wizard.
BEGIN_MESSAGE_MAP(CKelvoPageWlanP2PSettingPage, CKelvoWizardPage)
    ON_BN_CLICKED(IDC_WIZARD_EXIT, OnExitPressed)
END_MESSAGE_MAP()

void CKelvoPageWlanP2PSettingPage::SetUpRow(const CString& title, LPCSTR titleFallback, const CString& label,
                                            LPCSTR labelFallback, bool keepEdit, int limit)
{
    SetDlgItemText(IDC_WIZARD_TITLE, title.IsEmpty() ? CString(titleFallback) : title);
    const UINT shownLabel = keepEdit ? IDC_WIZPSK_KEY_LABEL : IDC_WIZPSK_CIPHER_LABEL;
    SetDlgItemText(static_cast<int>(shownLabel), label.IsEmpty() ? CString(labelFallback) : label);
    SetLabels({shownLabel});
    const UINT hidden[2] = {keepEdit ? UINT(IDC_WIZPSK_CIPHER_LABEL) : UINT(IDC_WIZPSK_KEY_LABEL),
                            keepEdit ? UINT(IDC_WIZPSK_CIPHER) : UINT(IDC_WIZPSK_KEY)};
    for (UINT id : hidden)
        if (CWnd* w = GetDlgItem(static_cast<int>(id))) w->ShowWindow(SW_HIDE);
    if (keepEdit) {
        // The edit row moves up by the distance between the two rows' labels.
        CWnd* upper = GetDlgItem(IDC_WIZPSK_CIPHER_LABEL);
        CWnd* lower = GetDlgItem(IDC_WIZPSK_KEY_LABEL);
        if (upper && lower) {
            CRect a, b;
            upper->GetWindowRect(&a);
            lower->GetWindowRect(&b);
            const int dy = b.top - a.top;
            for (UINT id : {UINT(IDC_WIZPSK_KEY_LABEL), UINT(IDC_WIZPSK_KEY)})
                if (CWnd* w = GetDlgItem(static_cast<int>(id))) {
                    CRect r;
                    w->GetWindowRect(&r);
                    ScreenToClient(&r);
                    r.OffsetRect(0, -dy);
                    w->MoveWindow(&r);
                }
        }
        if (auto* edit = static_cast<CEdit*>(GetDlgItem(IDC_WIZPSK_KEY))) edit->LimitText(limit);
    }
}

void CKelvoPageWlanP2PSettingPage::OnBtnBack()
{
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    if (!main || !main->m_pPageTab) return;
    if (CDialog* previous = main->m_pPageTab->PopPageHistory()) main->ShowWiFiDirectPage(previous);
}

void CKelvoPageWlanP2PSettingPage::FinishToFirstPage(bool notify)
{
    ReturnToFirstWiFiDirectPage();
    if (!notify) return;
    if (CKelvoPageWlanP2PDlg* page = WiFiDirectMainPage(); page && page->m_hWnd) page->SendMessage(MSG_P2P_SETTING_DONE, 0, 0);
}

void CKelvoPageWlanP2PSettingPage::OnBtnExit()
{
    FinishToFirstPage(true);
}
