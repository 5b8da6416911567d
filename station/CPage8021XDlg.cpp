#include "station/CPage8021XDlg.h"
#include "base/DebugLog.h"

void CPage8021XDlg::ResetToDefaults()
{
    DebugLog(3, "[QxUI] CPage8021XDlg::ResetToDefaults is not built yet\n");
}

void CPage8021XDlg::LoadSettings()
{
    DebugLog(3, "[QxUI] CPage8021XDlg::LoadSettings is not built yet\n");
}
