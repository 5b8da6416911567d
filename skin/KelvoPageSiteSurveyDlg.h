// The site-survey page of the main window: scans for networks, lists them with their security,
// channel and signal, shows the details of the chosen one and starts a connection to it
// (directly when open, through the hidden-name prompt or the security road otherwise).
#pragma once
#include "framework/Afx.h"
#include "contract/StationRecords.h"
#include "res/StationPagesResource.h"
#include "skin/SkinTitleBands.h"
#include "skin/SurveyListEntry.h"
#include "station/ProfileCodes.h"
#include "ui/CQuickList.h"

#include <vector>

// The security settings copied from the security editor into the pending connection.
struct SURVEY_EDITOR_COPY {
    static constexpr int kWepKeys = 4;
    int nAuthIndex = 0;
    int nEncryIndex = 0;
    int nDefaultKey = 0;
    int b8021X = 0;
    StringRecord7 Eap;
    VN_BLOB_KEY ClientCert = {};  // the two certificate blobs of the 802.1X settings
    VN_BLOB_KEY ServerCert = {};
    CString strCertificate[2];  // the editor's two certificate texts
    int nWepKeyIndex = 0;
    int nWepKeyLength = 0;
    int nWepKeyFormat = 0;
    int nWepDefaultKey = 0;
    CString strWepKey[kWepKeys];
    CString strPassPhrase;
    int nPassPhraseFormat = 0;
    // 802.1X words the record carries beside the editor's settings record.
    int nIdentityMode = 0;
    int nServerNameRule = 0;
    int bClientCertInSmartCard = 0;
    int bCacheUserInfo = 1;
};

// The scan-done flag the survey's scan callback sets on the library's thread; each list fill
// clears it.
extern volatile LONG G_bSurveyScanDone;

class CKelvoPageSiteSurveyDlg : public CDialog {
    DECLARE_DYNCREATE(CKelvoPageSiteSurveyDlg)
public:
    enum { IDD = IDD_KELVO_SITE_SURVEY };
    static constexpr UINT kConnectButtonId = IDC_SURVEY_CONNECT;
    static constexpr UINT_PTR TIMER_SITESURVEY_RESCAN = 20;
    static constexpr UINT kRescanTimerMs = 30000;  // marks the connected row; does not scan
    static constexpr UINT WM_SITESURVEY_CONNECT = WM_USER + 12;
    static constexpr size_t kScanBufferBytes = 65536;
    static constexpr COLORREF kConnectedRowBack = 0xF7F5EA;
    enum Column { kColumnIcon = 0, kColumnSsid = 1, kColumnChannel = 2, kColumnSignal = 3, kColumns = 4 };
    // Images of bitmap 314, 45 pixels each.
    enum Image { kImageInfraOpen = 0, kImageInfraSecured = 1, kImageAdhocOpen = 2, kImageAdhocSecured = 3 };
    // The row picture of a network: its kind and whether it is secured.
    static int ImageOf(const SURVEY_LIST_ENTRY& entry);

    CKelvoPageSiteSurveyDlg();
    ~CKelvoPageSiteSurveyDlg() override;

    // Reads the library's scan list (too-small protocol), merges it into the repository of
    // recently seen networks and fills the list from the repository.
    void RefreshSurveyList();
    // Rebuilds the rows from the repository, ordered by SSID, and marks the connected one.
    void FillSurveyList();
    // Starts a survey, as the "Rescan" button and the main window's tab do.
    void StartSurveyScan();
    // The scan-completion callback: runs on the station library's thread, only posts and flags.
    static void WINAPI OnSurveyScanDone();
    // The "Connect" button.
    void OnConnect();
    // Asks the owner for the security editor (MSG_SECURITY_EDITOR_DLG W 2, L 0).
    void FillSecurityEditor();
    // Asks the owner for the hidden-network prompt (MSG_HIDDEN_SSID_DLG W 2, L 0).
    void AskHiddenSsid();
    // Builds the profile record of the pending connection and hands it to the hidden dialog.
    void ConnectSelected();
    // Clears the settings copied from the security editor.
    void ResetEditorCopy();
    // Marks the row of the network in use (and clears every other mark).
    void MarkConnectedEntry();
    // Sorts by a column on a header click (column 0 does nothing).
    void SortByColumn(int column);
    // The chosen scan record, or null while none is chosen.
    const NDIS_WLAN_BSSID_EX* ChosenEntry() const;
    // The selected row, -1 when none.
    int SelectedRow() const;
    // Fills the five detail values from the selected row, or empties them.
    void ShowSelectedDetails();

    // A BM_CLICK sent to it starts a survey as a user's click does.
    CButton m_btnRescan;
    CQuickList m_list;
    CImageList m_images;

    int m_bScanDone = 0;  // the scan-finished flag: 0 while a scan runs
    int m_bSortAscending = 0;  // the header toggle: 0 sorts descending next
    SYSTEMTIME m_SurveyTime = {};
    std::vector<SURVEY_LIST_ENTRY> m_Entries;
    // The repository's copy the rows were made from (NDIS_802_11_BSSID_LIST_EX layout).
    BYTE* m_pScanBuffer = nullptr;

    // The pending connection.
    std::vector<BYTE> m_ChosenRecord;  // a copy of the chosen NDIS_WLAN_BSSID_EX
    WLANPROFILE m_Profile = {};
    int m_nPendingAuth = 0;
    int m_nPendingEncry = ENCRY_NONE;
    int m_nNetworkMode = 1;
    int m_bHidden = 0;
    int m_bSecured = 0;
    CString m_strCipherText;
    // The name of the network being connected to; for a network that does not broadcast its
    // name, the main window copies in what the user typed into the hidden-network prompt.
    NDIS_802_11_SSID m_PendingSsid = {};
    BYTE m_PendingBssid[6] = {};
    SURVEY_EDITOR_COPY m_EditorCopy;

    // The pending connect action, taken by the hidden main dialog on ACTION_INSERT_EXEC:
    // the action type and its record (the WLANPROFILE built by the page's connect).
    ULONG m_nActionType = 0;
    void* m_pActionRecord = nullptr;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override {}
    void OnCancel() override {}
    void OnTimer(UINT_PTR nIDEvent);
    void OnDestroy();
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    BOOL OnEraseBkgnd(CDC* pDC);
    LRESULT OnScanListChanged(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetItemData(WPARAM wParam, LPARAM lParam);
    LRESULT OnListClick(WPARAM wParam, LPARAM lParam);
    LRESULT OnSiteSurveyConnect(WPARAM wParam, LPARAM lParam);
    void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

private:
    void SetUpList();
    void SetUpTexts();
    void ShowRowCount();
    void SetDetails(const CString& type, const CString& channel, const CString& security, const CString& mac,
                    const CString& time);
    CWnd* Owner() const;
    // Fills the 802.1X and key parts of m_Profile from the editor copy.
    void ApplyEditorCopy();

    HGLOBAL m_hScanBuffer = nullptr;
    CFont m_titleFont, m_labelFont;
    CSkinTitleBands m_titleBands{IDC_SURVEY_NETLIST_TITLE, IDC_SURVEY_INFO_TITLE};
};
