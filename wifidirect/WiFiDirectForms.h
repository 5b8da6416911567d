// The engine's four sub-forms as far as the engine drives them: their timers, their show and
// hide, and the entry points the engine calls. What they display comes with their own pages.
#pragma once
#include "wifidirect/BCBBasicForm.h"
#include "framework/Afx.h"

class CAdvancedWiFiDirect;

constexpr UINT_PTR TIMER_WIFIDIRECT_PROFILE = 8219;
constexpr UINT_PTR TIMER_WIFIDIRECT_SETTING = 8224;
constexpr UINT_PTR TIMER_WIFIDIRECT_PROGRESS_MSG = 8229;
constexpr UINT_PTR TIMER_WIFIDIRECT_MEDIA_SHARING = 8234;

// Actions the settings wizard is opened for.
enum WIFIDIRECT_SETTING_ACTION {
    ACTION_ENABLE = 1,
    ACTION_CONNECT = 2,
    ACTION_DISPLAY_PIN = 4,
    ACTION_GET_CONNECT_REQUEST = 5,
    ACTION_WPS = 6,
};

class CWiFiDirectSetting : public CBCBBasicForm {
public:
    explicit CWiFiDirectSetting(CAdvancedWiFiDirect* owner) : m_pOwner(owner) {}
    static constexpr UINT kTimerMs = 120000;

    // Opens the wizard for an action; pageName names the page it starts from (may be empty).
    virtual void FormShow(int action, LPCSTR pageName = "");
    virtual void BtnWiFiDirectNextClick();
    void EnableDisableTimer(BOOL enable) { SwitchHostTimer(TIMER_WIFIDIRECT_SETTING, kTimerMs, enable); }
    int OnTimer(UINT_PTR nIDEvent) override;
    void Hide() override;

    CAdvancedWiFiDirect* m_pOwner;
    int m_nAction = 0;  // the action of the last FormShow
};

class CWiFiDirectProfile : public CBCBBasicForm {
public:
    CWiFiDirectProfile(CWiFiDirectSetting* setting, CAdvancedWiFiDirect* owner) : m_pSetting(setting), m_pOwner(owner) {}
    static constexpr UINT kTimerMs = 3000;
    void EnableDisableTimer(BOOL enable) { SwitchHostTimer(TIMER_WIFIDIRECT_PROFILE, kTimerMs, enable); }
    int OnTimer(UINT_PTR nIDEvent) override;
    void Hide() override;

    CWiFiDirectSetting* m_pSetting;
    CAdvancedWiFiDirect* m_pOwner;
};

class CProgressMsg : public CBCBBasicForm {
public:
    static constexpr int kTicks = 10;
    static constexpr UINT kSuccessTickMs = 100;
    void Show() override;
    void Hide() override;
    int OnTimer(UINT_PTR nIDEvent) override;
    void EnableDisableTimer(BOOL enable, UINT intervalMs);

    BOOL m_bSuccess = FALSE;
    DWORD m_dwDuration = 0;  // ms of the whole display
    BOOL m_bTimerRunning = FALSE;
    int m_nTick = 0;
};

class CWiFiDirectMediaSharing : public CBCBBasicForm {
public:
    static constexpr UINT kTimerMs = 1000;
    void EnableDisableTimer(BOOL enable) { SwitchHostTimer(TIMER_WIFIDIRECT_MEDIA_SHARING, kTimerMs, enable); }
    int OnTimer(UINT_PTR nIDEvent) override;
    void Hide() override;
};
