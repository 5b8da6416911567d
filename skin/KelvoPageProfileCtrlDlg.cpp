#include "skin/KelvoPageProfileCtrlDlg.h"
#include "base/DebugLog.h"

IMPLEMENT_DYNCREATE(CKelvoPageProfileCtrlDlg, CDialog)

void CKelvoPageProfileCtrlDlg::RefreshScanList()
{
    DebugLog(3, "[QxUI] CKelvoPageProfileCtrlDlg::RefreshScanList is not built yet\n");
}
