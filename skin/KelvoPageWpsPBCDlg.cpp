#include "skin/KelvoPageWpsPBCDlg.h"
#include "base/LanguageTable.h"
#include "skin/KelvoPageUIDlg.h"
#include "skin/KelvoPageWpsLinkStatusDlg.h"

BOOL CKelvoPageWpsPBCDlg::OnInitDialog()
{
    CWpsSkinDialog::OnInitDialog();
    SetDlgItemText(IDC_WPSPBC_TITLE, G_LangTable.IDS_LAB_WPS_PBC_TITLE);
    SetDlgItemText(IDC_WPSPBC_INFO, G_LangTable.IDS_LAB_WPS_PBC_INFO);
    return TRUE;
}

bool CKelvoPageWpsPBCDlg::OnStart()
{
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    if (main && main->m_pPageWpsLinkStatusDlg) main->m_pPageWpsLinkStatusDlg->bAutoSelect = 0;
    return true;
}
