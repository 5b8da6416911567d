#include "skin/KelvoPageWpsPinApDlg.h"
#include "base/DebugLog.h"

INT_PTR CKelvoPageWpsPinApDlg::DoModal()
{
    DebugLog(1, "[QxUI] CKelvoPageWpsPinApDlg is not built yet\n");
    return 1;
}
