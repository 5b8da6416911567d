#include "skin/KelvoPageWpsListViewDlg.h"
#include "base/DebugLog.h"

IMPLEMENT_DYNCREATE(CKelvoPageWpsListViewDlg, CDialog)

void CKelvoPageWpsListViewDlg::RefreshWpsList()
{
    DebugLog(3, "[QxUI] CKelvoPageWpsListViewDlg::RefreshWpsList is not built yet\n");
}
