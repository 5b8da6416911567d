// The PEAP and one-time-password prompt, as far as the connect queue and the 802.1X callback
// use it: a hidden window of the skinned main window with the identity, the password and the
// profile to prompt for. Its own dialog (template, controls) comes with the station dialogs.
#pragma once
#include "framework/Afx.h"
#include "core/StationRecords.h"

class CPeapSettingDlg : public CWnd {
public:
    CPeapSettingDlg() = default;
    // Creates the prompt's window hidden, as a child of parent.
    BOOL Create(CWnd* pParent);
    // Runs a modal loop while the prompt is open. IDOK only when the user confirmed (the
    // identity and password then hold the entries); IDCANCEL (2) for a cancel or a prompt
    // closed any other way. Every caller passes mode 4.
    int RunModalLoop(DWORD mode);
    // The user's answer: confirm with these entries, or cancel. Ends a running modal loop; given
    // before the loop starts, it ends the loop as soon as it runs.
    void PostConfirm(const CString& identity, const CString& password);
    void PostCancel();

    CString m_strIdentity;
    CString m_strPassword;
    WLANPROFILE m_Profile = {};  // the profile to prompt for, filled by the caller

protected:
    LRESULT OnAnswer(WPARAM wParam, LPARAM lParam);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    CString m_strPendingIdentity;
    CString m_strPendingPassword;
    bool m_bInLoop = false;
    int m_nEarlyAnswer = 0;  // an answer that came before the loop ran
};
