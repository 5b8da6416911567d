// Suspend and resume, and the two driver messages the 802.1X callback passes on.
#include "base/DebugLog.h"
#include "core/hidedlg/HideDlg.h"
#include "core/QXWLLIB.h"
#include "core/StationHelpers.h"
#include "base/SystemHelpers.h"
#include "contract/StationContract.h"

namespace {
constexpr DWORD kResumeSettleMs = 1000;  // the adapter needs this long after a resume
constexpr UINT kCheckCardAfterResumeMs = 2000;
constexpr UINT kWepErrorAfterResumeMs = 10000;
constexpr ULONG kPrivateMsgWepError = 0x01;  // bit 0 of the first byte: ICV errors on the link
}  // namespace

LRESULT CHideDlg::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // As the polling timer: a soft-AP mode without its library (an adapter absent at start, an
    // older system) polls as a station, and a sleep must leave that polling running.
    if (IsApSideRunning()) return DefWindowProcAp(message, wParam, lParam);
    DebugLog(5, "[QxUI] --> CHideDlg::DefWindowProc\n");
    if (message == WM_POWERBROADCAST) {
        DebugLog(3, "[QxUI] Receive WM_POWERBROADCAST message\n");
        if (wParam == PBT_APMSUSPEND) OnPowerSuspend();
        else if (wParam == PBT_APMRESUMEAUTOMATIC) OnPowerResume();
    }
    DebugLog(5, "[QxUI] <-- CHideDlg::DefWindowProc\n");
    return CDialog::DefWindowProc(message, wParam, lParam);
}

void CHideDlg::OnPowerSuspend()
{
    DebugLog(3, "[QxUI] wParam: PBT_APMSUSPEND\n");
    if (QXWLAPI.IsWpaCapable()) {
        DebugLog(3, "[QxUI] call QXWL_Release()\n");
        QXWLAPI.QXWL_Release();
    }
    KillAllTimer();
    // The link ends with the sleep: the connect after the resume needs a new token.
    m_oneTimeAnswer.Forget();
}

void CHideDlg::OnPowerResume()
{
    DebugLog(3, "[QxUI] wParam: PBT_APMRESUMEAUTOMATIC\n");
    DebugLog(3, "[QxUI] DelayTime(1000) after computer resume!\n");
    BusyWaitMs(kResumeSettleMs);
    DebugLog(3, "[QxUI] call SetTimer(), TIMER_HIDE_DLG_CHECK_CARD, 2sec\n");
    SetTimer(TIMER_HIDE_DLG_CHECK_CARD, kCheckCardAfterResumeMs);
    if (G_nOSVersion < kOsVista) {
        if (m_bWepErrorDetect) {
            DebugLog(3, "[QxUI] call SetTimer(), TIMER_HIDE_DLG_WEP_ERROR, 10sec\n");
            SetTimer(TIMER_HIDE_DLG_WEP_ERROR, kWepErrorAfterResumeMs);
        }
        if (QXWLAPI.QXWL_IsZeroConfig() != 2) {
            DebugLog(3, "[QxUI] call SetTimer(), TIMER_HIDE_DLG_RESUME_CONNECT, 1sec\n");
            SetTimer(TIMER_HIDE_DLG_RESUME_CONNECT, kResumeConnectTimerMs);
        }
    }
    BOOL bInitialization = FALSE;
    QXWLAPI.QXWL_QueryInitState(&bInitialization);
    DebugLog(3, "[QxUI] After call QXWL_QueryInitState(), bInitialization = %d\n", bInitialization);
    if (bInitialization == 1) {
        StartScanTimerForWirelessMode();
    } else {
        // The polling timer goes on waiting for the driver (a few more checks, then the scan timer).
        DebugLog(3, "[QxUI] call SetTimer(), TIMER_HIDE_DLG_CHECK_INI_AFTER_RESUME, 1sec\n");
        m_nInitStateRetries = 0;
        SetTimer(TIMER_HIDE_DLG_CHECK_INI_AFTER_RESUME, kCheckIniAfterResumeFirstMs);
    }
    DebugLog(3, "[QxUI] call SetTimer(), TIMER_HIDE_DLG_RADIO, 1sec\n");
    SetTimer(TIMER_HIDE_DLG_RADIO, kRadioTimerMs);
    // The adapter's WPS button is watched again: the suspend stopped its timer with the others.
    DebugLog(3, "[QxUI] SetTimer(), TIMER_HIDE_DLG_WPS_HW_PBC, 1sec\n");
    SetTimer(TIMER_HIDE_DLG_WPS_HW_PBC, kWpsHwPbcTimerMs);
}

LRESULT CHideDlg::OnPrivateDriverEvent(WPARAM, LPARAM)
{
    ULONG message = 0;
    QXWLAPI.QXWL_QueryPrivateMsg(&message);
    G_bWepError = (message & kPrivateMsgWepError) ? TRUE : FALSE;
    return 0;
}

LRESULT CHideDlg::OnNdisStatusMediaConnectMessage(WPARAM, LPARAM)
{
    DebugLog(3, "[QxUI] --> CHideDlg::OnNdisStatusMediaConnectMessage\n");
    m_oneTimeAnswer.OnAuthStatus(RS_CBS_AU_STATUS_MEDIA_CONNECT);
    // Only a static WEP key of an infrastructure network is set again after the link comes up.
    if (m_pProfData && m_pProfData->enumNetworkType == NETWORK_INFRASTRUCTURE && m_pProfData->enumEncryStatus == ENCRY_WEP &&
        m_pProfData->b8021X == 0 && QXWLAPI.QXWL_SetWEPKey)
        QXWLAPI.QXWL_SetWEPKey(m_pProfData);
    DebugLog(3, "[QxUI] <-- CHideDlg::OnNdisStatusMediaConnectMessage\n");
    return 0;
}
