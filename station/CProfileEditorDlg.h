// The profile editor: a hidden classic dialog of the main window with the system-configuration,
// authentication and 802.1X pages on tabs (a fourth, WAPI tab has no page). The skinned pages
// fill its pages, load a stored profile into them and call its OK, which checks the entries and
// writes the profile through the station library.
#pragma once
#include "station/CClassicDlg.h"
#include "station/CPage8021XDlg.h"
#include "station/CPageSystemConfigDlg.h"
#include "station/EditorSecurityModel.h"
#include "station/SecurityPageHost.h"
#include "res/StationPagesResource.h"

class CPageAuthEncryDlg;
class CTabDialog;

// 1 once the editor declined to store a profile with no channel (the profile pages read and clear
// it); it starts at 1, which the profile page also reads as "create the default profile".
extern int G_bProfileRetry;

class CProfileEditorDlg : public CClassicDlg, public CSecurityPageHost, public ISystemConfigHost,
                          public C8021XPageHost {
public:
    enum { IDD = IDD_PROFILE_EDITOR };
    enum { kTabSystem, kTabAuth, kTab8021X, kTabWapi, kTabCount };
    static constexpr int kProfileNameMax = 32;
    static constexpr int kRtsMin = 0, kRtsMax = 2347, kFragMin = 256, kFragMax = 2346;

    explicit CProfileEditorDlg(CWnd* pParent = nullptr);
    ~CProfileEditorDlg() override;

    // Reads the stored profile of that name into the model and the pages' fields (the caller then
    // runs the pages' own entry points); FALSE when the library had no such profile.
    BOOL LoadProfile(const CString& strProfileName);
    // Validates and stores the profile of the pages (the profile pages call it, as a click on OK).
    void OnOK() override;
    void OnCancel() override;
    // Frees the profile buffer kept from an earlier load.
    void FreeProfileBuffer();
    // The record the pages and the model give, as it is written.
    void BuildProfileRecord(WLANPROFILE& record);
    // Back to the model of a new profile (each show runs it).
    void ResetModel();

    CShadeButtonST* GetTabButton(int tab) const { return tab >= 0 && tab < kTabCount ? m_pTabButtons[tab] : nullptr; }

    // What the pages ask of their editor.
    bool GetSystemNetworkType(ULONG* networkType) override;
    void Enable8021XTab(BOOL bEnable) override;
    void EnableWapiTab(BOOL bEnable) override;
    void ClickAuthTab() override;
    int GetEapMethod() override;
    void SetEapMethod(int method) override;
    const Dot1XStoredSettings* GetStored8021XSettings() override;
    CPageAuthEncryDlg* GetAuthPage() override { return m_pPageAuthEncry; }
    CString GetProfileName() override;
    void OnAdhocChosen() override;
    void OnPowerSaveClicked() override;

    CPageSystemConfigDlg* m_pPageSystemConfig = nullptr;
    CPageAuthEncryDlg* m_pPageAuthEncry = nullptr;
    CPage8021XDlg* m_pPage8021X = nullptr;

    EditorSecurityModel m_model;
    CString m_strProfileName;  // the name under which the edited profile is stored
    int m_nStoredProfileId = 1;

    int m_bNewProfile = 0;       // 1 while it creates a profile
    int m_bEditing = 0;          // 1 while it edits a stored one
    int m_bAuthPageLoaded = 0;   // the authentication page holds the settings it was preset with
    int m_bAuthPageLoading = 0;  // the authentication page is being loaded from a stored profile
    BYTE* m_pProfileBuffer = nullptr;
    Dot1XStoredSettings m_stored8021X;  // the model as the 802.1X page last loaded it

protected:
    BOOL OnInitDialog() override;
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnBtnOk() { OnOK(); }
    void OnBtnCancel() { OnCancel(); }
    DECLARE_MESSAGE_MAP()

private:
    BOOL CreatePages();
    // The checks of OK before anything is collected; false after a message.
    bool CheckSystemEntries();
    bool CheckNameAndId();
    bool Needs8021XCheck() const;
    // Whether OK takes the 802.1X page's settings into the model.
    bool Collects8021X() const;
    void CollectSecurity();
    void CollectEapSettings();
    enum class WriteResult { kNotStored, kStoredWithoutPacList, kStored };
    // Builds and writes the record (and an EAP-FAST profile's PAC list). A refused PAC list is
    // told here; a refused record is left to the caller to tell.
    WriteResult WriteProfile();
    // Puts a profile back in force after the reset that its refused rename brought.
    void RestoreActiveProfile(const CString& name);
    void LoadRecordIntoPages(const WLANPROFILE& record);
    bool Alive(const CWnd* wnd) const { return wnd && wnd->m_hWnd; }

    CTabDialog* m_pTabHost = nullptr;
    CShadeButtonST* m_pTabButtons[kTabCount] = {};
    CShadeButtonST m_btnOk;
    CShadeButtonST m_btnCancel;
};
