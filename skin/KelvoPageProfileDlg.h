// The profile page of the main window: what the hidden main dialog uses of it.
#pragma once
#include "framework/Afx.h"

class CKelvoPageProfileDlg : public CDialog {
public:
    // Brings the list in line with the profile in use (0: without the advanced settings).
    void SyncActiveProfile(int bSetAdvance);

    // The pending connect action, taken by the hidden main dialog on ACTION_INSERT_EXEC.
    ULONG m_nActionType = 0;
    void* m_pActionRecord = nullptr;

    int m_bActiveProfile = 0;       // 1 when the listed active profile is the one in use
    int m_bSiteSurveyConnect = 0;   // set to 1 by a site-survey connect
    CString m_strProfile;           // the name of the active profile
};
