// The profile page of the main window: the profiles the station library keeps, the one in use
// marked, and Add, Edit, Delete and Apply. Adding and editing go through the main window's
// hidden profile editor; applying queues a profile action in the hidden main dialog.
#pragma once
#include "framework/Afx.h"
#include "contract/StationRecords.h"
#include "res/StationPagesResource.h"
#include "skin/PageListEntries.h"
#include "skin/SkinTitleBands.h"
#include "ui/CQuickList.h"

#include <vector>

// The SSID that stands for any network in a profile (and marks the access point's factory
// record): fixed, exactly 24 characters.
inline constexpr char kAnyNetworkSsid[] = "*Quixen*Any*Network*SSID";
static_assert(sizeof kAnyNetworkSsid - 1 == 24);
bool IsAnyNetworkSsid(const NDIS_802_11_SSID& ssid);

// 1 until the first start-up has had its chance to create the default profile; the profile
// editor sets it again when it declined to store a profile (it is the editor's retry flag).
extern int G_bProfileRetry;
inline int& G_bCreateDefaultProfile = G_bProfileRetry;

class CKelvoPageProfileDlg : public CDialog {
    DECLARE_DYNCREATE(CKelvoPageProfileDlg)
public:
    enum { IDD = IDD_KELVO_PROFILE };
    // "Add", "Edit", "Delete" and "Apply": the buttons that change the adapter's configuration.
    static constexpr UINT kConfigButtonIds[] = {IDC_PROFILE_ADD, IDC_PROFILE_EDIT, IDC_PROFILE_DELETE, IDC_PROFILE_APPLY};
    static constexpr UINT_PTR TIMER_PROFILE_REFRESH = 2;
    static constexpr UINT kProfileRefreshMs = 3000;
    static constexpr COLORREF kMarkedRowBack = 0xF7F5EA;
    CKelvoPageProfileDlg() : CDialog(IDD) {}

    // Rebuilds the list from the stored profiles; with bSelectFirst the first row is selected.
    void RebuildProfileList(BOOL bSelectFirst);
    // The same with the first row selected (the main window's profile-list-changed request).
    void ReloadProfileList() { RebuildProfileList(TRUE); }
    // Start-up and page-set rebuild: reconnects the active profile, or creates the default
    // profile through the profile editor when the library holds none at the first start.
    void ReloadActiveProfile();
    // Applies the profile of that row: the library's current setting, then a profile action.
    void ConnectProfile(int row);
    // Connects the first listed profile of that name; nothing when none is listed.
    void ConnectProfileByName(const CString& name);
    // Queues the active profile as the page's pending action (0: without the advanced settings).
    void SyncActiveProfile(int bSetAdvance);
    // Resolves a profile whose SSID is the any-network placeholder to the first network of the
    // scan list (NDIS_802_11_BSSID_LIST_EX of listBytes) that fits its type and security.
    static bool ResolveAnyProfile(WLANPROFILE& profile, const void* list, size_t listBytes);
    static CString AuthModeText(const WLANPROFILE& profile);
    // The first free name and number for a new profile.
    CString NextProfileName() const;
    CString NextProfileIdText() const;
    // The text of a cell of the list (column 1 the name, 2 the SSID); empty when there is no such cell.
    CString GetListText(int row, int column) const;
    int GetRowCount() const { return static_cast<int>(m_entries.size()); }
    int GetMarkedRow() const { return m_nMarkedRow; }
    // The main window's word on Add, Edit, Delete and Apply (the system service took or gave
    // back the adapter): off turns them off; on gives each what the page's own rules allow.
    void EnableConfigButtons(BOOL bAllowed);
    void OnTimer(UINT_PTR nIDEvent);

    // The pending connect action, taken by the hidden main dialog on ACTION_INSERT_EXEC.
    ULONG m_nActionType = 0;
    void* m_pActionRecord = nullptr;

    int m_bActiveProfile = 0;       // 1 when the listed active profile is the one in use
    int m_bSiteSurveyConnect = 0;   // set to 1 by a site-survey connect
    CString m_strProfile;           // the name of the active profile
    CString m_strAppliedName;       // the name last applied from this page
    CString m_strAppliedSsid;       // the SSID text of the row last applied
    int m_bConnectPending = 0;      // 1 after an apply until a later step clears it

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override {}
    void OnCancel() override {}
    void OnAdd();
    void OnEdit();
    void OnDelete();
    void OnApply();
    void OnListItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    LRESULT OnGetItemData(WPARAM wParam, LPARAM lParam);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    // The row "Apply" and "Delete" act on: the selected one, or the only one; -1 after telling
    // the user that nothing is selected.
    int ChosenRow();
    int SelectedRow() const;
    // Whether the user may change profiles at all (an administrator, or standard users allowed).
    static bool MayChangeProfiles();
    static bool ServiceBlocksChanges();
    void EnableButton(UINT id, BOOL enable);
    void CheckSsoProfile();
    void MarkRow(int row);
    void ShowDetails(int row);
    CWnd* Owner() const;
    CString ReadActiveName();

    CQuickList m_list;
    CImageList m_images;
    CFont m_titleFont, m_labelFont;
    CSkinTitleBands m_titleBands{IDC_PROFILE_LIST_TITLE, IDC_PROFILE_INFO_TITLE};
    std::vector<ProfileListEntry> m_entries;  // index: profile number; texts: name, SSID shown, SSID; values: secured, network type
    int m_nActiveRow = -1;
    int m_nMarkedRow = -1;
    BOOL m_bConfigAllowed = TRUE;  // the main window's word, kept for every later rebuild
    WLANPROFILE m_Profile = {};  // the record of the pending action
};
