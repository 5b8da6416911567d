#include "softap/ConfigPage.h"

IMPLEMENT_DYNCREATE(CConfigPage, CDialog)

// ---- Called by the skinned configuration page; not built yet ----
#include "base/DebugLog.h"

BOOL CConfigPage::OnApply()
{
    DebugLog(1, "[QxUI] CConfigPage::OnApply is not built yet\n");
    return FALSE;
}

void CConfigPage::SetBridgeWord(ULONG)
{
    DebugLog(1, "[QxUI] CConfigPage::SetBridgeWord is not built yet\n");
}
