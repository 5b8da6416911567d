#include "core/StationHelpers.h"
#include "base/DebugLog.h"
#include "core/QXWLLIB.h"
#include "contract/StationContract.h"

namespace {
constexpr UINT kScanMsPerChannel = 150;
constexpr ULONG kMaxChannels = 64;           // the channel array handed to QXWL_GetAvailableChannels
constexpr ULONG kInfrastructureNetwork = 1;  // its first argument
constexpr ULONG kLastBasicKind = 3;
}  // namespace

UINT SetTimerForScanByChnList(ULONG wirelessMode)
{
    ULONG adhocMode = 0;
    QXWLAPI.QXWL_ConvertPhyModeToAdHocMode(wirelessMode, &adhocMode);
    UCHAR channels[kMaxChannels] = {};
    ULONG count = 0;
    if (!IsSuccess(QXWLAPI.QXWL_GetAvailableChannels(kInfrastructureNetwork, wirelessMode, adhocMode, channels, &count, 0),
                   "QXWL_GetAvailableChannels", "SetTimerForScanByChnList"))
        count = 0;
    if (count > kMaxChannels) count = kMaxChannels;
    return static_cast<UINT>(count) * kScanMsPerChannel;
}

BOOL IsOpModeOutsideBasic()
{
    return QXWLAPI.m_AdapterEntry.nKind > kLastBasicKind;
}

UINT EnableDHCPThread(LPVOID pParam)
{
    DebugLog(3, "[QxUI] --> EnableDHCPThread\n");
    auto* flag = static_cast<volatile LONG*>(pParam);
    auto cancelled = [flag] { return flag && *flag == kDhcpThreadCancelled; };
    if (cancelled()) {
        DebugLog(3, "[QxUI] EnableDHCPThread is cancelled\n");
    } else if (QXWLAPI.QXWL_IsEnableICS) {
        const BOOL ics = QXWLAPI.QXWL_IsEnableICS();
        DebugLog(3, "[QxUI] ICS is %s, call QXWL_EnableDhcpServer()\n", ics ? "enabled" : "disabled");
        if (QXWLAPI.QXWL_EnableDhcpServer && !cancelled()) {
            const LONG result = QXWLAPI.QXWL_EnableDhcpServer(ics);
            DebugLog(3, "[QxUI] EnableDHCPThread <-- %d = QXWL_EnableDhcpServer(%d) \n", static_cast<int>(result),
                     static_cast<int>(ics));
        }
    }
    if (flag) ::InterlockedExchange(flag, 0);
    DebugLog(3, "[QxUI] <-- EnableDHCPThread\n");
    return 0;
}
