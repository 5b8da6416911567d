#include "skin/KelvoPageWpsPinDeviceDlg.h"
#include "base/DebugLog.h"

INT_PTR CKelvoPageWpsPinDeviceDlg::DoModal()
{
    DebugLog(1, "[QxUI] CKelvoPageWpsPinDeviceDlg is not built yet\n");
    return 1;
}
