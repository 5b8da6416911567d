// The base of the Wi-Fi Direct forms: plain objects, not windows, whose timers run on a host
// window (the main Wi-Fi Direct page) that offers them every timer id it does not own.
#pragma once
#include <windows.h>

class CBCBBasicForm {
public:
    CBCBBasicForm() = default;
    CBCBBasicForm(const CBCBBasicForm&) = delete;
    CBCBBasicForm& operator=(const CBCBBasicForm&) = delete;

    BOOL Closed = TRUE;
    BOOL Visible = FALSE;
    HWND m_hWnd = nullptr;

    virtual void Reset() {}
    virtual void Show() { Visible = TRUE; }
    virtual void Hide()
    {
        Visible = FALSE;
        Closed = TRUE;
    }
    virtual void SetHwnd(HWND hWnd) { m_hWnd = hWnd; }
    virtual void OnEnterPage() {}
    virtual bool OnLeavePage() { return true; }
    // 1 when the timer is this form's and was handled, -1 when it is not this form's.
    virtual int OnTimer(UINT_PTR nIDEvent) { return -1; }
    virtual ~CBCBBasicForm() = default;

protected:
    // Starts (restarting when it runs) or stops one window timer on the host window; nothing
    // runs while there is no host window.
    void SwitchHostTimer(UINT_PTR id, UINT intervalMs, BOOL enable) const;
    // A running timer goes with a new host: stopped on the old one while it lives, started on
    // the new one (none: it stays stopped).
    static void MoveHostTimer(HWND from, HWND to, UINT_PTR id, UINT intervalMs);
};

// The fixed order in which the host page offers a timer id to the forms: the first form that
// does not answer -1 took it. Null entries are skipped. Answers -1 when none took it.
int RouteFormTimer(CBCBBasicForm* const* forms, int count, UINT_PTR nIDEvent);
