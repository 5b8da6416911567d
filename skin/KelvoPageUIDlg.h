// The skinned main window: what the hidden main dialog, the classic dialogs and the shared
// helpers rely on. Created modeless by the hidden main dialog, owned by it, hidden on close.
#pragma once
#include "framework/Afx.h"
#include "res/resource.h"
#include "ui/ButtonST.h"

// Requests sent or posted to the main window (W = wParam, L = lParam).
constexpr UINT MSG_APDETAIL_DLG = WM_USER + 13;       // W 0: the access-point detail dialog closed
constexpr UINT MSG_ADD_BA_DLG = WM_USER + 14;         // W 3: show the add dialog (L 1 originator); W 0: closed
constexpr UINT MSG_DELETE_BA_DLG = WM_USER + 15;      // W 3: show the delete dialog (flags from L); W 0: closed
// The Wi-Fi Direct status changed (W 0, L 0). Shares its value with MSG_DELETE_BA_DLG; the
// main window runs both handlers for it.
constexpr UINT MSG_WIFIDIRECT_EVENET = WM_USER + 15;
constexpr UINT MSG_HIDDEN_SSID_DLG = WM_USER + 17;    // W 2: show the prompt; W 0: closed (L 1 OK, 0 Cancel)
constexpr UINT MSG_PEAP_SETTING_DLG = WM_USER + 19;   // W 8: show the PEAP prompt
constexpr UINT MSG_INVALID_IDPW_DLG = WM_USER + 20;   // W 8: show the re-login dialog; W 0: hide it
constexpr UINT MSG_AUTHEN_STATUS_DLG = WM_USER + 21;  // W 0, 2, 3 or 10 from the authentication-status window
// A page asks the hidden main dialog to queue and run its pending action; the main window
// forwards it unchanged. W names the sending page.
constexpr UINT ACTION_INSERT_EXEC = WM_USER + 160;
constexpr WPARAM SEND_BY_SITESURVEY_DLG = 2;
constexpr WPARAM SEND_BY_PROFILE_DLG = 6;

class CKelvoPageSiteSurveyDlg;
class CKelvoPageProfileDlg;
class CKelvoPageWlanP2PDlg;
class CLinkStatusDlg;
class CProfileEditorDlg;
class CAPDetailInfoDlg;
class CAddBlockAckDlg;
class CDeleteBlockAckDlg;
class CHiddenSsidDlg;
class CSecurityEditorDlg;
class CAuthenStatusDlg;
class CPageWPSProfile;
class CInvalidIDPW;
class CPeapSettingDlg;
class CExtAPMACTableDlg;
class CPage80211nSettingDlg;

class CKelvoPageUIDlg : public CDialog {
public:
    enum { IDD = IDD_KELVO_PAGE_UI };

    explicit CKelvoPageUIDlg(CWnd* pOwner);
    ~CKelvoPageUIDlg() override;

    // Creates the window modeless from its template, owned by the owner given at construction.
    BOOL Create();

    // The main window object while one exists (its window may already be gone), else null.
    static CKelvoPageUIDlg* GetLive();

    // Shows classic dialog n in place of the pages: 0 link status, 1 access-point details,
    // 2 add Block-Ack, 3 delete Block-Ack, 5 hidden network name.
    void ShowClassicDialog(int n);
    // Enables or disables the controls that change the adapter's configuration.
    void EnablePageControls(BOOL bEnable);
    // The first open one of the editor and status dialogs that must be closed (WM_CLOSE)
    // before the window may be destroyed; with the soft-AP pages only the last counts. Null when none.
    CWnd* GetOpenChildDialog() const;
    // The editor and status dialogs of that rule, each registered by whoever opens it (null
    // when none); open means alive and visible.
    static constexpr int kChildDialogs = 5;
    CWnd* m_pChildDialog[kChildDialogs] = {};
    // Closes the page container and destroys the pages; runs before the window is destroyed.
    void ClosePages();
    // The authentication-status window, for the status lines the hidden dialog posts; null
    // while there is none.
    HWND AuthenStatusWindow() const;
    HWND m_hAuthenStatusWnd = nullptr;  // when set, takes the status lines in place of m_pAuthenStatusDlg

    int m_bSoftAPMode = 0;  // 1 while the soft-AP pages show instead of the station pages

    CKelvoPageSiteSurveyDlg* m_pPageSiteSurveyDlg = nullptr;
    CKelvoPageProfileDlg* m_pPageProfileDlg = nullptr;
    CKelvoPageWlanP2PDlg* m_pPageWlanP2PDlg = nullptr;
    CDialog* m_pConnectDlg = nullptr;  // the site survey's connect dialog

    // Classic dialogs, children of this window, shown one at a time in place of the pages.
    CLinkStatusDlg* m_pLinkStatusDlg = nullptr;
    CProfileEditorDlg* m_pProfileEditorDlg = nullptr;
    CAPDetailInfoDlg* m_pAPDetailInfoDlg = nullptr;
    CAddBlockAckDlg* m_pAddBlockAckDlg = nullptr;
    CDeleteBlockAckDlg* m_pDeleteBlockAckDlg = nullptr;
    CHiddenSsidDlg* m_pHiddenSsidDlg = nullptr;
    CSecurityEditorDlg* m_pSecurityEditorDlg = nullptr;
    CAuthenStatusDlg* m_pAuthenStatusDlg = nullptr;
    CPageWPSProfile* m_pPageWPSProfile = nullptr;
    CInvalidIDPW* m_pInvalidIDPW = nullptr;
    CPeapSettingDlg* m_pPeapSettingDlg = nullptr;
    CExtAPMACTableDlg* m_pExtAPMACTableDlg = nullptr;
    CPage80211nSettingDlg* m_pPage80211nSettingDlg = nullptr;

    // The page switch: page windows by slot (0 the main page, 11 the extended access-point page).
    static constexpr int kPageSlots = 12;
    CWnd* m_pPageSlot[kPageSlots] = {};
    int m_nCurrentPage = 0;
    int m_bExpanded = 0;
    static constexpr int kExpandedMarkerId = IDC_KELVO_EXPANDED_MARKER;  // its bottom: the expanded height
    CButtonST m_btnMoreLess;       // shows icon IDI_LESS while the window is expanded
    CString m_strMoreLessTip;

    // Hides every page and shows page n (1 to 11), or the main page for 0 and numbers above 11.
    // Nothing happens for 0 while the main page is visible.
    void ShowPageByIndex(UINT n);
    // Brings the window to its expanded height and hides every page.
    void HideAllPages();

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override {}
    void OnCancel() override {}
    void OnClose();
    LRESULT OnActionInsertExec(WPARAM wParam, LPARAM lParam);
    LRESULT OnApDetailDlg(WPARAM wParam, LPARAM lParam);
    LRESULT OnAddBaDlg(WPARAM wParam, LPARAM lParam);
    LRESULT OnDeleteBaDlg(WPARAM wParam, LPARAM lParam);
    LRESULT OnHiddenSsidDlg(WPARAM wParam, LPARAM lParam);
    LRESULT OnInvalidIdpwDlg(WPARAM wParam, LPARAM lParam);
    LRESULT OnAuthenStatusDlg(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // Creates the classic dialogs hidden, as children over the page area.
    void CreateClassicDialogs();
    void DestroyClassicDialogs();
    void HideClassicDialogs();
    CWnd* m_pOwner;
};
