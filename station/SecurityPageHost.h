// What the authentication page needs of the editor that hosts it: the editor's tab buttons,
// the 802.1X page's EAP method and, in the profile editor, the network type of the
// system-configuration page.
#pragma once
#include "framework/Afx.h"

class CSecurityPageHost {
public:
    virtual ~CSecurityPageHost() = default;
    // False when the host has no system-configuration page (the security editor).
    virtual bool GetSystemNetworkType(ULONG* networkType) = 0;
    virtual void Enable8021XTab(BOOL bEnable) = 0;
    virtual void EnableWapiTab(BOOL bEnable) = 0;
    // Brings the authentication page to the front as a click of its tab button does.
    virtual void ClickAuthTab() = 0;
    // The 802.1X page's EAP method index (EAPMETHOD_ codes).
    virtual int GetEapMethod() = 0;
    // Sets the 802.1X page's EAP method and lets the page re-apply it.
    virtual void SetEapMethod(int method) = 0;
};
