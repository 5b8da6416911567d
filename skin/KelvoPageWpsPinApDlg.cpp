#include "skin/KelvoPageWpsPinApDlg.h"
#include "base/LanguageTable.h"
#include "skin/KelvoPageUIDlg.h"
#include "skin/KelvoPageWpsLinkStatusDlg.h"
#include "skin/WpsHelpers.h"

namespace {
constexpr int kPinEditLimit = 8;
constexpr char kCaption[] = "WPS";
}  // namespace

BOOL CKelvoPageWpsPinApDlg::OnInitDialog()
{
    CWpsSkinDialog::OnInitDialog();
    SetDlgItemText(IDC_PINAP_TITLE, G_LangTable.IDS_LAB_WPS_PINAP_TITLE);
    SetDlgItemText(IDC_PINAP_FILLPIN, G_LangTable.IDS_LAB_WPS_PINAP_FILLPIN);
    SetDlgItemText(IDC_PINAP_INFO, G_LangTable.IDS_LAB_WPS_PINAP_INFO);
    // One more than a PIN holds, so that a longer entry is told rather than cut silently.
    SendDlgItemMessage(IDC_PINAP_PIN, EM_SETLIMITTEXT, kPinEditLimit + 1, 0);
    return TRUE;
}

bool CKelvoPageWpsPinApDlg::OnStart()
{
    CString text;
    GetDlgItemText(IDC_PINAP_PIN, text);
    ULONG pin = 0;
    switch (CheckWpsPinText(text, &pin)) {
    case WpsPinCheck::kInvalid:
        AfxShowMessageBox(m_hWnd, G_LangTable.IDS_MSG_PINCODE_INVALID, kCaption, MB_OK | MB_ICONEXCLAMATION);
        return false;
    case WpsPinCheck::kChecksumError:
        AfxShowMessageBox(m_hWnd, G_LangTable.IDS_MSG_PINCODE_ERROR, kCaption, MB_OK | MB_ICONEXCLAMATION);
        return false;
    case WpsPinCheck::kValid:
        break;
    }
    G_nWpsPin = pin;
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    if (CKelvoPageWpsLinkStatusDlg* link = main ? main->m_pPageWpsLinkStatusDlg : nullptr) {
        link->strPin = text;
        link->nMethod = 1;
        link->bAutoSelect = 0;
    }
    return true;
}
