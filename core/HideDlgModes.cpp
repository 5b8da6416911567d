// The hidden dialog's operation modes, the hand-over to the system's wireless service and the
// card settings, as far as start-up needs them. Each grows with its own flows.
#include "core/DebugLog.h"
#include "core/HideDlg.h"

void CHideDlg::LoadApApi()
{
    DebugLogIfEnabled("[ApUI][QxCfg] --> CHideDlg::LoadApApi\n");
}

void CHideDlg::CheckConfigToolForXP()
{
    DebugLog(3, "[QxUI] --> CHideDlg::CheckConfigToolForXP\n");
}

void CHideDlg::RunQxSwap(int nOpMode)
{
    DebugLog(3, "[QxUI] --> CHideDlg::RunQxSwap(%d)\n", nOpMode);
}

void CHideDlg::StartWiFiDirectStatusWaiter(int nDriverOpMode)
{
    DebugLog(3, "[QxUI] --> CHideDlg::StartWiFiDirectStatusWaiter(%d)\n", nDriverOpMode);
}

void CHideDlg::OnTraySwitchWiFiDirectConcurrentMode()
{
    DebugLog(3, "[QxUI] --> CHideDlg::OnTraySwitchWiFiDirectConcurrentMode\n");
}

void CHideDlg::OnTraySwitchSTAMode()
{
    DebugLog(3, "[QxUI] --> CHideDlg::OnTraySwitchSTAMode\n");
}
