// The profile page of the main window: the stored profiles. What the hidden main dialog and the
// main window use of it is here; the list and its buttons come with the page's own work.
#pragma once
#include "framework/Afx.h"
#include "res/StationPagesResource.h"

class CKelvoPageProfileDlg : public CDialog {
    DECLARE_DYNCREATE(CKelvoPageProfileDlg)
public:
    enum { IDD = IDD_KELVO_PROFILE };
    // "Add", "Edit", "Delete" and "Apply": the buttons that change the adapter's configuration.
    static constexpr UINT kConfigButtonIds[] = {IDC_PROFILE_ADD, IDC_PROFILE_EDIT, IDC_PROFILE_DELETE, IDC_PROFILE_APPLY};
    CKelvoPageProfileDlg() : CDialog(IDD) {}

    // Brings the list in line with the profile in use (0: without the advanced settings).
    void SyncActiveProfile(int bSetAdvance);
    // Rebuilds the list from the stored profiles.
    void ReloadProfileList();
    // The first free name and number for a new profile; empty until the list is built.
    CString NextProfileName() const;
    CString NextProfileIdText() const;
    // The text of a cell of the list; empty when there is no such cell.
    CString GetListText(int row, int column) const;

    // The pending connect action, taken by the hidden main dialog on ACTION_INSERT_EXEC.
    ULONG m_nActionType = 0;
    void* m_pActionRecord = nullptr;

    int m_bActiveProfile = 0;       // 1 when the listed active profile is the one in use
    int m_bSiteSurveyConnect = 0;   // set to 1 by a site-survey connect
    CString m_strProfile;           // the name of the active profile

protected:
    void OnOK() override {}
    void OnCancel() override {}
};
