// The 802.1X page of the editors: EAP method, inner method and the identity, certificate and
// EAP-FAST sub-pages. What the main window calls of it is here; the page comes later.
#pragma once
#include "station/CClassicDlg.h"
#include "res/StationPagesResource.h"

class CPage8021XDlg : public CClassicDlg {
public:
    enum { IDD = IDD_PAGE_8021X };
    explicit CPage8021XDlg(CWnd* pParent = nullptr) : CClassicDlg(IDD, pParent) {}

    // Back to the defaults of a new profile.
    void ResetToDefaults();
    // Loads the page from the profile its editor just read.
    void LoadSettings();

    int m_bLoading = 0;  // 1 while its editor loads a stored profile into it
};
