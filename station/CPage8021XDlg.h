// The 802.1X page of the editors: EAP method, inner method and the identity, certificate and
// EAP-FAST sub-pages. What the main window calls of it is here; the page comes later.
#pragma once
#include "station/CClassicDlg.h"
#include "res/StationPagesResource.h"
#include "station/EditorSecurityModel.h"

class CPage8021XDlg : public CClassicDlg {
public:
    enum { IDD = IDD_PAGE_8021X };
    explicit CPage8021XDlg(CWnd* pParent = nullptr) : CClassicDlg(IDD, pParent) {}

    // Back to the defaults of a new profile.
    void ResetToDefaults();
    // Loads the page from the profile its editor just read.
    void LoadSettings();

    int m_bLoading = 0;  // 1 while its editor loads a stored profile into it

    // ---- Used by the profile and security editors (declared here until the page is built) ----
    // TRUE when the entries may be saved; otherwise one message and FALSE.
    BOOL ValidateSettings();
    // Copies the entries of the page's child pages (identity, certificates, EAP-FAST, single
    // sign-on) into the editor's model; the editor copies the method fields itself.
    void CollectInto(EditorSecurityModel& model);

    int bInProfileEditor = 0;
    int nEapMethod = 0;   // EAPMETHOD_ index
    int nPeapTunnel = 0;  // PEAP and EAP-FAST inner method index
    int nTtlsTunnel = 0;  // TTLS inner method index
    int bSessionResumption = 1;
};
