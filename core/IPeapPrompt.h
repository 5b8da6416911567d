// The one-time password prompt as the hidden dialog runs it: the main window makes and shows it
// (MSG_PEAP_SETTING_DLG, wParam 8), the hidden dialog fills it and waits for its answer.
#pragma once
#include "framework/Afx.h"
#include "contract/StationRecords.h"

class IPeapPrompt {
public:
    virtual CWnd& Window() = 0;
    // What it asks: the identity offered, the password field empty (or fixed: locked), and the
    // profile asked about (its method's texts).
    virtual void Ask(const CString& identity, ULONG bPasswordLocked, const WLANPROFILE& profile) = 0;
    // Waits for the answer: 1 OK, 2 cancelled or gone, -1 when the application quits.
    virtual int RunModalLoop(DWORD flags) = 0;
    // The entries of the answer, and the profile it was asked for.
    virtual CString Identity() const = 0;
    virtual CString Password() const = 0;
    virtual const WLANPROFILE& Profile() const = 0;

protected:
    ~IPeapPrompt() = default;
};
