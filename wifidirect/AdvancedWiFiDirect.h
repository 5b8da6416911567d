// The Wi-Fi Direct engine: owned by the hidden main dialog, its pages live in the skinned main
// window. This is what the core calls; the engine's own behaviour grows behind it.
#pragma once
#include <windows.h>

// Answers to a pending Wi-Fi Direct connection request.
enum P2P_REQUEST_ANSWER : LONG {
    P2P_REQUEST_CANCEL = -1,
    P2P_REQUEST_GO_ON = 0,
    P2P_REQUEST_WAITING = 1,
    P2P_REQUEST_DONE = 2,
};

class CAdvancedWiFiDirect {
public:
    CAdvancedWiFiDirect() = default;
    CAdvancedWiFiDirect(const CAdvancedWiFiDirect&) = delete;
    CAdvancedWiFiDirect& operator=(const CAdvancedWiFiDirect&) = delete;
    virtual ~CAdvancedWiFiDirect() = default;

    // The window of the main window's Wi-Fi Direct page, which receives the engine's notifications.
    virtual void SetHwnd(HWND hWnd) { m_hWnd = hWnd; }
    HWND GetHwnd() const { return m_hWnd; }
    // Switches Wi-Fi Direct on or off in the station library.
    virtual void EnableOrDisableWiFiDirect(BOOL bEnable, BOOL bStationSide, BOOL bGroupOwner, BOOL bForceOff);
    // Reads the engine's new status after the driver signalled a change.
    virtual void GetWiFiDirectWpseStatus();

private:
    HWND m_hWnd = nullptr;
};

// The answer to a pending connection request (shared with the engine's worker).
void SetP2PRequestAnswer(LONG answer);
LONG GetP2PRequestAnswer();
