#include "softap/AuthSecuDlg.h"

IMPLEMENT_DYNCREATE(CAuthSecuDlg, CDialog)

// ---- Called by the skinned configuration page; not built yet ----
#include "base/DebugLog.h"

void CAuthSecuDlg::OnSelchangeAuthMode()
{
    DebugLog(1, "[QxUI] CAuthSecuDlg::OnSelchangeAuthMode is not built yet\n");
}

BOOL CAuthSecuDlg::ValidateAndCopyBack()
{
    DebugLog(1, "[QxUI] CAuthSecuDlg::ValidateAndCopyBack is not built yet\n");
    return FALSE;
}
