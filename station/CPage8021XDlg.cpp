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

// ---- Used by the profile and security editors (defined here until the page is built) ----

BOOL CPage8021XDlg::ValidateSettings()
{
    // Nothing was checked: the editors must not store 802.1X settings on the strength of it.
    DebugLog(1, "[QxUI] CPage8021XDlg::ValidateSettings is not built yet\n");
    return FALSE;
}

void CPage8021XDlg::CollectInto(EditorSecurityModel&)
{
    DebugLog(1, "[QxUI] CPage8021XDlg::CollectInto is not built yet\n");
}
