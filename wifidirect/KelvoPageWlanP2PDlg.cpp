#include "wifidirect/KelvoPageWlanP2PDlg.h"
#include "core/hidedlg/HideDlg.h"
#include "wifidirect/AdvancedWiFiDirect.h"

IMPLEMENT_DYNCREATE(CKelvoPageWlanP2PDlg, CDialog)

BOOL CKelvoPageWlanP2PDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // The page is created when first shown, after the engine: the engine learns its window here.
    if (G_pHideDlg && G_pHideDlg->m_pWiFiDirect) G_pHideDlg->m_pWiFiDirect->SetHwnd(m_hWnd);
    return TRUE;
}
