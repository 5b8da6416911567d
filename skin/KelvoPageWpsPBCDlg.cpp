#include "skin/KelvoPageWpsPBCDlg.h"
#include "base/DebugLog.h"

INT_PTR CKelvoPageWpsPBCDlg::DoModal()
{
    DebugLog(1, "[QxUI] CKelvoPageWpsPBCDlg is not built yet\n");
    return 1;
}
