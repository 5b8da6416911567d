// The re-login dialog as the hidden dialog prepares it: the main window shows it
// (MSG_INVALID_IDPW_DLG, wParam 8) once the failed profile and the failure are set.
#pragma once
#include "framework/Afx.h"
#include "contract/StationRecords.h"

class IReloginDialog {
public:
    // The profile that failed, the dialog's own copy; null until one was set.
    virtual WLANPROFILE* GetProfile() = 0;
    // Asks about this profile's failure (rejected 1: the identity or password was rejected; 0: the
    // authentication timed out). Asked again while it shows, it refreshes only for a new question.
    virtual void Ask(const WLANPROFILE& profile, ULONG rejected) = 0;
    // The identity in the edit now, typed but not yet confirmed.
    virtual CString TypedIdentity() const = 0;
    // Whether the dialog shows now; once closed it keeps its last question and fields.
    virtual bool IsShown() const = 0;

protected:
    ~IReloginDialog() = default;
};
