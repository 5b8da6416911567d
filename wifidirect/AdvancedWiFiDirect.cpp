#include "wifidirect/AdvancedWiFiDirect.h"
#include "base/DebugLog.h"

namespace {
volatile LONG g_p2pRequestAnswer = P2P_REQUEST_GO_ON;
}

void CAdvancedWiFiDirect::EnableOrDisableWiFiDirect(BOOL bEnable, BOOL bStationSide, BOOL bGroupOwner, BOOL bForceOff)
{
    DebugLog(3, "[QxUI] CAdvancedWiFiDirect::EnableOrDisableWiFiDirect(%d, %d, %d, %d)\n", bEnable, bStationSide,
             bGroupOwner, bForceOff);
}

void CAdvancedWiFiDirect::GetWiFiDirectWpseStatus()
{
    DebugLog(3, "[QxUI] CAdvancedWiFiDirect::GetWiFiDirectWpseStatus is not built yet\n");
}

void SetP2PRequestAnswer(LONG answer)
{
    ::InterlockedExchange(&g_p2pRequestAnswer, answer);
}

LONG GetP2PRequestAnswer()
{
    return ::InterlockedCompareExchange(&g_p2pRequestAnswer, 0, 0);
}
