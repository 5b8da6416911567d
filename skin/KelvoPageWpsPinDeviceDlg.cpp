#include "skin/KelvoPageWpsPinDeviceDlg.h"
#include "base/DebugLog.h"
#include "base/LanguageTable.h"
#include "base/SecureRandom.h"
#include "skin/KelvoPageUIDlg.h"
#include "skin/KelvoPageWpsLinkStatusDlg.h"

BOOL CKelvoPageWpsPinDeviceDlg::OnInitDialog()
{
    CWpsSkinDialog::OnInitDialog();
    SetDlgItemText(IDC_PINDEV_TITLE, G_LangTable.IDS_LAB_WPS_DEVICE_USEPIN);
    SetDlgItemText(IDC_PINDEV_PIN_LABEL, G_LangTable.IDS_LAB_WPS_DEVICE_PIN);
    SetDlgItemText(IDC_PINDEV_INFO, G_LangTable.IDS_LAB_WPS_DEVICE_INFO);
    SetDlgItemText(IDC_PINDEV_AUTOSELECT, G_LangTable.IDS_LAB_WPS_DEVICE_AUTOSELECT);
    if (!GenerateWpsPin(&m_nPin)) {
        // No PIN to show: Start stays off rather than running with a PIN nobody chose.
        DebugLog(1, "[QxUI] CKelvoPageWpsPinDeviceDlg: no PIN drawn\n");
        if (CWnd* start = GetDlgItem(IDC_PINDEV_START)) start->EnableWindow(FALSE);
        return TRUE;
    }
    G_nWpsPin = m_nPin;
    m_strPin.Format("%08lu", m_nPin);
    SetDlgItemText(IDC_PINDEV_PIN, m_strPin);
    return TRUE;
}

bool CKelvoPageWpsPinDeviceDlg::OnStart()
{
    if (m_strPin.IsEmpty()) return false;
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    if (CKelvoPageWpsLinkStatusDlg* link = main ? main->m_pPageWpsLinkStatusDlg : nullptr) {
        link->strPin = m_strPin;
        link->nMethod = 2;
        link->bAutoSelect = IsDlgButtonChecked(IDC_PINDEV_AUTOSELECT) == BST_CHECKED ? 1 : 0;
    }
    return true;
}
