// The profile editor: a hidden classic dialog of the main window with the system-configuration,
// authentication and 802.1X pages. What the main window calls of it is here; the editor and
// its pages come later (until then its page pointers stay null).
#pragma once
#include "station/CClassicDlg.h"
#include "res/StationPagesResource.h"

class CPageSystemConfigDlg;
class CPageAuthEncryDlg;
class CPage8021XDlg;

class CProfileEditorDlg : public CClassicDlg {
public:
    enum { IDD = IDD_PROFILE_EDITOR };
    explicit CProfileEditorDlg(CWnd* pParent = nullptr) : CClassicDlg(IDD, pParent) {}
    ~CProfileEditorDlg() override;

    // Reads the stored profile of that name into the pages; FALSE when nothing was loaded.
    BOOL LoadProfile(const CString& strProfileName);
    // Validates and stores the profile of the pages (the profile pages call it, as a click on OK).
    void OnOK() override;
    // Frees the profile buffer kept from an earlier load.
    void FreeProfileBuffer();

    CPageSystemConfigDlg* m_pPageSystemConfig = nullptr;
    CPageAuthEncryDlg* m_pPageAuthEncry = nullptr;
    CPage8021XDlg* m_pPage8021X = nullptr;

    int m_bNewProfile = 0;       // 1 while it creates a profile
    int m_bEditing = 0;          // 1 while it edits a stored one
    int m_bAuthPageLoaded = 0;   // the authentication page holds the settings it was preset with
    int m_bAuthPageLoading = 0;  // the authentication page is being loaded from a stored profile
    BYTE* m_pProfileBuffer = nullptr;
};
