// The skinned main window: a row of tab statics over one page container, mode, help, about and
// More buttons, a footer line, and the classic dialogs kept as hidden children below the
// visible area. Created modeless by the hidden main dialog, owned by it, hidden on close.
// Pages and classic dialogs are built at start-up but get their windows when first shown.
#pragma once
#include "framework/Afx.h"
#include "core/IMainWindow.h"
#include "res/resource.h"
#include "skin/MainWindowMessages.h"
#include "ui/ButtonST.h"
#include "ui/CBitmapRadioButton.h"
#include "ui/CFingerStatic.h"
#include "ui/CFloatStatic.h"
#include "ui/CTransparentStatic.h"

#include <functional>
#include <vector>

class CDialogTab;
class CKelvoPageProfileCtrlDlg;
class CKelvoPageProfileDlg;
class CKelvoPageSecurityConfirmDlg;
class CKelvoPageSecurityPeapDlg;
class CKelvoPageSecurityPskDlg;
class CKelvoPageSecuritySercaDlg;
class CKelvoPageSecuritySetOKDlg;
class CKelvoPageSecurityTlsDlg;
class CKelvoPageSecurityTtlsDlg;
class CKelvoPageSecurityTypeDlg;
class CKelvoPageSecurityWepDlg;
class CKelvoPageSiteSurveyDlg;
class CKelvoPageWirelessSettingDlg;
class CKelvoPageWpsLinkStatusDlg;
class CKelvoPageWpsListViewDlg;
class CKelvoPageAdapterDlg;
class CKelvoPageWpsAuthenDlg;
class CKelvoPageLinkInfoDlg;
class CKelvoPageAboutDlg;
class CKelvoPageWlanP2PDlg;
class CKelvoPageP2PConnectMethod;
class CKelvoPageP2PConnectMethodII;
class CKelvoPageWlanP2PSecurityPskDlg;
class CKelvoPageWlanP2PSettingNameDlg;
class CKelvoPageWlanP2PSettingChannelDlg;
class CKelvoPageP2PLinkStatus;
class CKelvoPageApConfigDlg;
class CKelvoPageApConfigXPVistaDlg;
class CKelvoPageApLinkInfoDlg;
class CKelvoPageApMacFilter;
class CAccessControlPage;
class CAuthSecuDlg;
class CMacTablePage;
class CConfigPage;
class CPageExtAPDlg;
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

// 1 when the user belongs to the Administrators group; written only by IsCurrentUserAdmin.
extern int G_bIsAdmin;

// Reads the process token's group list (TOKEN_GROUPS) into the buffer, as GetTokenInformation
// does: FALSE with the last error and the size needed when it fails. Tests replace it to run
// with and without the Administrators group; an empty function restores the real token.
using TokenGroupsQuery = std::function<BOOL(void* buffer, DWORD size, DWORD* needed)>;
void SetTokenGroupsQuery(TokenGroupsQuery query);

class CKelvoPageUIDlg : public CDialog, public IMainWindow {
public:
    enum { IDD = IDD_KELVO_PAGE_UI };
    // Classic dialog numbers of ShowClassicDialog.
    enum ClassicDialog {
        kLinkStatus = 0, kApDetail = 1, kAddBlockAck = 2, kDeleteBlockAck = 3, kProfileEditor = 4,
        kHiddenSsid = 5, kSecurityEditor = 6, kPeapSetting = 7, kAuthenStatus = 8, kWpsProfile = 9,
        kInvalidIdPw = 10, kExtApMacTable = 11, kClassicDialogs = 12
    };
    static constexpr COLORREF kTabTextSelected = RGB(255, 255, 255);
    static constexpr COLORREF kTabText = 0x796450;
    static constexpr int kTemplateWidthDlu = 500, kTemplateHeightDlu = 400;  // the full window

    explicit CKelvoPageUIDlg(CWnd* pOwner);
    ~CKelvoPageUIDlg() override;

    // Creates the window modeless from its template, owned by the owner given at construction.
    BOOL Create() override;

    // The main window object while one exists (its window may already be gone), else null.
    static CKelvoPageUIDlg* GetLive();
    // The main window behind the core's view of it (the hidden dialog's m_pQxUI).
    static CKelvoPageUIDlg* From(IMainWindow* pWindow) { return static_cast<CKelvoPageUIDlg*>(pWindow); }

    // The core's view (IMainWindow); the rest of it is declared with the members it reaches.
    CWnd& Window() override { return *this; }
    int SoftApFlag() const override { return m_bSoftAPMode; }
    void RefreshSurveyList() override;
    bool ClickRescan() override;
    bool PendingAction(WPARAM sender, ULONG& type, const void*& record) override;
    void ForwardScanListChanged(WPARAM wParam, LPARAM lParam) override;
    CWnd* ConnectDialog() override { return m_pConnectDlg; }
    bool HasProfilePage() const override { return m_pPageProfileDlg != nullptr; }
    void SyncActiveProfile(int nIndex) override;
    ProfileMarks ActiveProfileMarks() override;
    bool HasWiFiDirectPage() const override { return m_pPageWlanP2PDlg != nullptr; }
    HWND WiFiDirectPageWindow(BOOL bCreate) override;
    bool WiFiDirectConnecting() const override;
    IPeapPrompt* PeapPrompt(BOOL bCreate) override;
    IReloginDialog* ReloginDialog() override;

    // Shows classic dialog n after hiding all; 0 or a number outside 1-11 shows the link status
    // (nothing happens when it is already visible).
    void ShowClassicDialog(int n);
    void HideClassicDialogs();
    // The classic dialogs that wait for the user's own typing or choice (Block-Ack, hidden
    // network name, one-time password, re-login): shown over the page area, where they are seen.
    static bool WaitsForTheUser(int n);
    // The classic dialog of that number with its window created now if it had none; null when
    // it does not exist or its window cannot be created.
    CWnd* EnsureClassicDialog(int n);
    // The classic dialog object of that number (its window may not exist yet).
    CWnd* ClassicDialog(int n) const;
    // Creates a page's window now if it has none (a registered page of either container).
    BOOL EnsurePage(CDialog* pPage);

    // Also recolours the tab captions: a strip that marks no tab (the wizard's, WPS's) shows
    // every caption in the plain colour, since white vanishes on its light tabs.
    void SetTabStripBitmap(HBITMAP hBitmap);
    // The skin's strip bitmap of that resource number, shared with the window's own (null for a
    // number that is not a strip).
    static HBITMAP StripBitmapOf(UINT id);
    // Paints into a child window's device context the part of the current strip that lies
    // behind the rectangle (in the child's client coordinates), as the window shows it; FALSE
    // without a strip.
    BOOL PaintStripBehind(HWND child, HDC dc, const RECT& rect);
    void ShowLinkInfoTab();
    void ShowSiteSurveyTab();
    void ShowProfileTab();
    void ShowAdapterTab();
    void ShowWiFiDirectTab();
    // A page of the Wi-Fi Direct road under the Wi-Fi Direct strip; the back stack is kept.
    void ShowWiFiDirectPage(CDialog* page);
    // The link information, site survey, profile and adapter tabs.
    void EnableStationTabs(BOOL bEnable);

    // Enables or disables the controls that change the adapter's configuration; a page created
    // later takes the state when its window is made.
    void EnablePageControls(BOOL bEnable) override;
    static void IsCurrentUserAdmin();

    void OnSwitchToApMode();
    void OnSwitchToStationMode();
    // Rebuilds the page set; asked for while a modal loop runs above the hidden dialog's own,
    // it ends that loop as cancelled and comes back (MSG_SWITCH_PAGE_SET) once it has returned.
    void SwitchPageSet(int nMode);

    // Closes the page containers and destroys the pages; runs before the window is destroyed.
    void ClosePages() override;
    // The authentication-status window, for the status lines the hidden dialog posts; null
    // while there is none.
    HWND AuthenStatusWindow() override;
    HWND m_hAuthenStatusWnd = nullptr;  // when set, takes the status lines in place of m_pAuthenStatusDlg

    int m_bSoftAPMode = 0;  // the access-point flag: 1 while the access-point pages show
    int m_bMore = 0;        // 1 while the window has its full size
    // Counts the editors' reports of a finished OK (the profile list changed, the security
    // editor's settings handed over): the wizard's Save tells success from a refused check by it.
    int m_nEditorOkReports = 0;
    // Counts the profile editor's refusals of a profile whose channel text is empty (it wrote
    // nothing): the wizard's Save tells the user why.
    int m_nEditorChannelRefusals = 0;

    // Station pages.
    CKelvoPageProfileCtrlDlg* m_pPageProfileCtrlDlg = nullptr;
    CKelvoPageProfileDlg* m_pPageProfileDlg = nullptr;
    CKelvoPageSecurityConfirmDlg* m_pPageSecurityConfirmDlg = nullptr;
    CKelvoPageSecurityPeapDlg* m_pPageSecurityPeapDlg = nullptr;
    CKelvoPageSecurityPskDlg* m_pPageSecurityPskDlg = nullptr;
    CKelvoPageSecuritySercaDlg* m_pPageSecuritySercaDlg = nullptr;
    CKelvoPageSecuritySetOKDlg* m_pPageSecuritySetOKDlg = nullptr;
    CKelvoPageSecurityTlsDlg* m_pPageSecurityTlsDlg = nullptr;
    CKelvoPageSecurityTtlsDlg* m_pPageSecurityTtlsDlg = nullptr;
    CKelvoPageSecurityTypeDlg* m_pPageSecurityTypeDlg = nullptr;
    CKelvoPageSecurityWepDlg* m_pPageSecurityWepDlg = nullptr;
    CKelvoPageSiteSurveyDlg* m_pPageSiteSurveyDlg = nullptr;
    CKelvoPageWirelessSettingDlg* m_pPageWirelessSettingDlg = nullptr;
    CKelvoPageWpsLinkStatusDlg* m_pPageWpsLinkStatusDlg = nullptr;
    CKelvoPageWpsListViewDlg* m_pPageWpsListViewDlg = nullptr;
    CKelvoPageAdapterDlg* m_pPageAdapterDlg = nullptr;
    CKelvoPageWpsAuthenDlg* m_pPageWpsAuthenDlg = nullptr;
    CKelvoPageLinkInfoDlg* m_pPageLinkInfoDlg = nullptr;
    CKelvoPageWlanP2PDlg* m_pPageWlanP2PDlg = nullptr;
    CKelvoPageP2PConnectMethod* m_pPageP2PConnectMethod = nullptr;
    CKelvoPageP2PConnectMethodII* m_pPageP2PConnectMethodII = nullptr;
    CKelvoPageWlanP2PSecurityPskDlg* m_pPageWlanP2PSecurityPskDlg = nullptr;
    CKelvoPageWlanP2PSettingNameDlg* m_pPageWlanP2PSettingNameDlg = nullptr;
    CKelvoPageWlanP2PSettingChannelDlg* m_pPageWlanP2PSettingChannelDlg = nullptr;
    CKelvoPageP2PLinkStatus* m_pPageP2PLinkStatus = nullptr;
    CDialog* m_pConnectDlg = nullptr;  // the site survey's connect dialog

    // Access-point pages.
    CKelvoPageApConfigDlg* m_pPageApConfigDlg = nullptr;
    CKelvoPageApConfigXPVistaDlg* m_pPageApConfigXPVistaDlg = nullptr;
    CKelvoPageApLinkInfoDlg* m_pPageApLinkInfoDlg = nullptr;
    CKelvoPageApMacFilter* m_pPageApMacFilter = nullptr;
    CAccessControlPage* m_pAccessControlPage = nullptr;
    CAuthSecuDlg* m_pAuthSecuDlg = nullptr;
    CMacTablePage* m_pMacTablePage = nullptr;
    CConfigPage* m_pConfigPage = nullptr;
    CPageExtAPDlg* m_pPageExtAPDlg = nullptr;

    // Classic dialogs, children of this window, shown one at a time below the visible area.
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
    CKelvoPageAboutDlg* m_pAboutDlg = nullptr;  // the about box while it runs (OnAbout's own)

    CDialogTab* m_pPageTab = nullptr;     // the station or access-point page container
    CDialogTab* m_pApClassicTab = nullptr;  // the classic access-point pages

    CFingerStatic m_tabLinkInfo, m_tabSiteSurvey, m_tabProfile, m_tabAdapter, m_tabWiFiDirect;
    CFloatStatic m_btnHelp, m_btnAbout;
    CButton m_btnMore;
    CTransparentStatic m_footer;
    CBitmapRadioButton m_btnApMode, m_btnStationMode;

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

    // The geometry: the full window, the compact window (ending at the More button's bottom).
    CRect m_rcFull, m_rcCompact, m_rcClient;
    HBITMAP TabStripBitmap() const { return m_hTabStrip; }

    // Registration and creation steps of the set-up, also used by the mode switch.
    void LoadSkinBitmaps();
    // Erases the third tab from a strip bitmap (hosted-network variant, where that tab is empty).
    void PatchTabStripBitmap(HBITMAP hBitmap);
    void InitFontsAndTabs();
    void RegisterStationPages();
    BOOL CreateClassicDialogs();
    // The windows that work unseen from the start (the WPS run page, the 802.11n settings),
    // made at the first idle moment after the window is shown.
    void CreateWatchersWhenIdle();
    void CreateWatchers();
    static constexpr UINT_PTR kCreateWatchersTimer = 1;
    void RegisterApPages();
    void RegisterSoftApClassicPages();
    BOOL CreateHostedNetworkDialogs();
    void OnWiFiDirectEvent();

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnOK() override {}
    void OnCancel() override {}
    void OnClose();
    void OnPaint();
    void OnTimer(UINT_PTR nIDEvent);
    BOOL OnEraseBkgnd(CDC* pDC);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnHelp();
    void OnAbout();
    void OnMore();
    LRESULT OnWiFiDirectEventMessage(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // The protocol's handlers (one per private message).
    void OnSiteSurveyDone();
    void OnProfileListChanged(WPARAM w);
    void OnAddBaDlg(WPARAM w, LPARAM l);
    void OnDeleteBaDlg(WPARAM w, LPARAM l);
    void OnProfileEditorDlg(WPARAM w, LPARAM l);
    void OnHiddenSsidDlg(WPARAM w, LPARAM l);
    void OnSecurityEditorDlg(WPARAM w, LPARAM l);
    void OnPeapSettingDlg(WPARAM w);
    void OnAuthenStatusDlg(WPARAM w, LPARAM l);
    void OnWpsProfileDlg(WPARAM w);
    void OnProfileConnect(WPARAM w);
    void CopySecurityEditorResult();

    bool IsHostedVariant() const;
    void SelectTab(CFingerStatic& selected);
    void ColourTabCaptions();
    // Station mode: the tab's strip and page, with an empty back stack.
    void ShowStationPage(int strip, CDialog* page);
    // The shared strip bitmap, loaded on first use (and patched for the hosted network).
    HBITMAP SkinStrip(int strip);
    void ApplyPageControlState(CDialog& page);
    void OnPageCreated(CDialog& page);
    void ComputeGeometry();
    void HideClassicDialogsBut(int keep);
    void PresentPrompt(CWnd& prompt);
    void DestroyClassicDialogs();
    CDialogTab* NewContainer();

    CWnd* m_pOwner;
    HICON m_hIcon = nullptr;
    HBITMAP m_hTabStrip = nullptr;  // the current strip (shared, never deleted here)
    CFingerStatic* m_pSelectedTab = &m_tabLinkInfo;
    // The current strip stretched to the client size, owned; rebuilt when either changes.
    HBITMAP ScaledStrip(HDC dc, CSize size);
    HBITMAP m_hScaledStrip = nullptr;
    HBITMAP m_hScaledFrom = nullptr;
    CSize m_scaledSize;
    int m_bPageControlsEnabled = 1;
    CString m_strDpiFile;
};
