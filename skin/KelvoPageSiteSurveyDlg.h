// The site-survey page of the main window: what the hidden main dialog uses of it.
#pragma once
#include "framework/Afx.h"
#include "contract/StationRecords.h"

class CKelvoPageSiteSurveyDlg : public CDialog {
public:
    // Refreshes the visible network list from the station library.
    void RefreshSurveyList();

    // A BM_CLICK sent to it starts a survey as a user's click does.
    CButton m_btnRescan;

    // The pending connect action, taken by the hidden main dialog on ACTION_INSERT_EXEC:
    // the action type and its record (the WLANPROFILE built by the page's connect).
    ULONG m_nActionType = 0;
    void* m_pActionRecord = nullptr;

    // The name of the network being connected to; for a network that does not broadcast its
    // name, the main window copies in what the user typed into the hidden-network prompt.
    NDIS_802_11_SSID m_PendingSsid = {};
};
