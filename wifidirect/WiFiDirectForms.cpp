#include "wifidirect/WiFiDirectForms.h"
#include "base/DebugLog.h"

void CWiFiDirectSetting::FormShow(int action, LPCSTR pageName)
{
    m_nAction = action;
    // The wizard's pages come with their own work: nothing is shown or applied here.
    DebugLog(3, "[QxUI] CWiFiDirectSetting::FormShow(%d, %s): the settings wizard is not built yet\n", action,
             pageName ? pageName : "");
}

void CWiFiDirectSetting::BtnWiFiDirectNextClick()
{
    DebugLog(3, "[QxUI] CWiFiDirectSetting::BtnWiFiDirectNextClick: the settings wizard is not built yet\n");
}

int CWiFiDirectSetting::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != TIMER_WIFIDIRECT_SETTING) return -1;
    EnableDisableTimer(FALSE);
    Hide();
    return 1;
}

void CWiFiDirectSetting::Hide()
{
    EnableDisableTimer(FALSE);
    CBCBBasicForm::Hide();
}

int CWiFiDirectProfile::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != TIMER_WIFIDIRECT_PROFILE) return -1;
    DebugLog(3, "[QxUI] CWiFiDirectProfile: the profile status check is not built yet\n");
    return 1;
}

void CWiFiDirectProfile::Hide()
{
    EnableDisableTimer(FALSE);
    CBCBBasicForm::Hide();
}

void CProgressMsg::EnableDisableTimer(BOOL enable, UINT intervalMs)
{
    m_bTimerRunning = enable == 1 && m_hWnd;
    SwitchHostTimer(TIMER_WIFIDIRECT_PROGRESS_MSG, intervalMs, enable);
}

void CProgressMsg::Show()
{
    CBCBBasicForm::Show();
    Closed = FALSE;
    m_nTick = 0;
    const UINT step = m_dwDuration / kTicks;
    EnableDisableTimer(TRUE, step ? step : 1);
}

void CProgressMsg::Hide()
{
    EnableDisableTimer(FALSE, 0);
    CBCBBasicForm::Hide();
}

int CProgressMsg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != TIMER_WIFIDIRECT_PROGRESS_MSG) return -1;
    ++m_nTick;
    // A reported success runs the rest of the display quickly.
    if (m_bSuccess && m_nTick < kTicks) EnableDisableTimer(TRUE, kSuccessTickMs);
    if (m_nTick >= kTicks) Hide();
    return 1;
}

int CWiFiDirectMediaSharing::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != TIMER_WIFIDIRECT_MEDIA_SHARING) return -1;
    EnableDisableTimer(FALSE);
    DebugLog(3, "[QxUI] CWiFiDirectMediaSharing: the media service check is not built yet\n");
    return 1;
}

void CWiFiDirectMediaSharing::Hide()
{
    EnableDisableTimer(FALSE);
    CBCBBasicForm::Hide();
}
