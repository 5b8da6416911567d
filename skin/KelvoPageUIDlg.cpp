#include "skin/KelvoPageUIDlg.h"
#include "base/DebugLog.h"
#include "core/hidedlg/HideDlg.h"
#include "base/LanguageTable.h"
#include "base/StartupTimeline.h"
#include "core/ProductMessageBox.h"
#include "core/QXWLLIB.h"
#include "core/QxUI2008App.h"
#include "skin/KelvoPageAboutDlg.h"
#include "skin/KelvoPageAdapterDlg.h"
#include "skin/KelvoPageLinkInfoDlg.h"
#include "skin/KelvoPageProfileCtrlDlg.h"
#include "skin/KelvoPageProfileDlg.h"
#include "skin/KelvoPageSecurityConfirmDlg.h"
#include "skin/KelvoPageSecurityPeapDlg.h"
#include "skin/KelvoPageSecurityPskDlg.h"
#include "skin/KelvoPageSecuritySercaDlg.h"
#include "skin/KelvoPageSecuritySetOKDlg.h"
#include "skin/KelvoPageSecurityTlsDlg.h"
#include "skin/KelvoPageSecurityTtlsDlg.h"
#include "skin/KelvoPageSecurityTypeDlg.h"
#include "skin/KelvoPageSecurityWepDlg.h"
#include "skin/KelvoPageSiteSurveyDlg.h"
#include "skin/KelvoPageWirelessSettingDlg.h"
#include "skin/KelvoPageWpsAuthenDlg.h"
#include "skin/KelvoPageWpsLinkStatusDlg.h"
#include "skin/KelvoPageWpsListViewDlg.h"
#include "skin/SkinResourceScope.h"
#include "softap/AccessControlPage.h"
#include "softap/AuthSecuDlg.h"
#include "softap/ConfigPage.h"
#include "softap/ExtAPMACTableDlg.h"
#include "softap/KelvoPageApConfigDlg.h"
#include "softap/KelvoPageApConfigXPVistaDlg.h"
#include "softap/KelvoPageApLinkInfoDlg.h"
#include "softap/KelvoPageApMacFilter.h"
#include "softap/MacTablePage.h"
#include "softap/PageExtAPDlg.h"
#include "station/CAPDetailInfoDlg.h"
#include "station/CAddBlockAckDlg.h"
#include "station/CAuthenStatusDlg.h"
#include "station/CDeleteBlockAckDlg.h"
#include "station/CHiddenSsidDlg.h"
#include "station/CInvalidIDPW.h"
#include "station/CLinkStatusDlg.h"
#include "station/CPage80211nSettingDlg.h"
#include "station/CPageWPSProfile.h"
#include "station/CProfileEditorDlg.h"
#include "station/CSecurityEditorDlg.h"
#include "station/PeapSettingDlg.h"
#include "ui/DialogTab.h"
#include "ui/DpiLayout.h"
#include "wifidirect/KelvoPageP2PConnectMethod.h"
#include "wifidirect/KelvoPageP2PConnectMethodII.h"
#include "wifidirect/KelvoPageP2PLinkStatus.h"
#include "wifidirect/KelvoPageWlanP2PDlg.h"
#include "wifidirect/KelvoPageWlanP2PSecurityPskDlg.h"
#include "wifidirect/KelvoPageWlanP2PSettingChannelDlg.h"
#include "wifidirect/KelvoPageWlanP2PSettingNameDlg.h"
#include "ui/LogFont.h"

#include <shellapi.h>

#include <algorithm>
#include <iterator>
#include <span>
#include <utility>

int G_bIsAdmin = 0;

namespace {
TokenGroupsQuery g_tokenGroupsQuery;

constexpr int kAppIconId = 128;
constexpr UINT kModeButtonNormal = 12345, kModeButtonSelected = 12346;
constexpr UINT kHelpNormal = 1033, kHelpHover = 1032, kAboutNormal = 1007, kAboutHover = 1006;
constexpr COLORREF kModeTextColor = 0x5E1B33;
constexpr COLORREF kFooterColor = 0x4F4F4F;
constexpr int kDesktopTopGap = 10;
constexpr char kHelpWindowClass[] = "HH Parent";
constexpr char kHelpWindowCaption[] = "KPL4471";
constexpr char kWiFiDirectTabText[] = "WLAN P2P";
constexpr char kDpiFileStation[] = "_dpiFileStation";
constexpr char kDpiFileSoftAP[] = "_dpiFileSoftAP";

// The strip bitmaps of the skin library, loaded once per process and shared by every window.
enum Strip { kStripLinkInfo, kStripSiteSurvey, kStripProfile, kStripAdapter, kStripWiFiDirect, kStripApLink,
             kStripApConfig, kStripApMacFilter, kStripWizard, kStripWps, kStrips };
constexpr UINT kStripIds[kStrips] = {1003, 1005, 1004, 1001, 1066, 12347, 12349, 12348, 1060, 7000};
struct StripCache {
    HMODULE module = nullptr;
    HBITMAP bitmaps[kStrips] = {};
    bool patched[kStrips] = {};
};
StripCache g_strips;

// Each strip is loaded when first shown: a whole-window bitmap costs more to load than the
// window takes to create, and most sessions never show most of them.
HBITMAP StripBitmap(Strip strip)
{
    if (g_strips.module != G_hKelvoImg) {
        g_strips = StripCache{};
        g_strips.module = G_hKelvoImg;
    }
    if (!g_strips.bitmaps[strip] && G_hKelvoImg)
        g_strips.bitmaps[strip] = ::LoadBitmapA(G_hKelvoImg, MAKEINTRESOURCEA(kStripIds[strip]));
    return g_strips.bitmaps[strip];
}

BOOL QueryProcessTokenGroups(void* buffer, DWORD size, DWORD* needed)
{
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token)) return FALSE;
    const BOOL ok = ::GetTokenInformation(token, TokenGroups, buffer, size, needed);
    const DWORD error = ::GetLastError();
    ::CloseHandle(token);
    ::SetLastError(error);
    return ok;
}

// A bare file name of the help type: no folder, no drive, nothing the shell would run.
bool IsHelpFileName(const CString& name)
{
    static constexpr char kHelpExtension[] = ".chm";
    constexpr int kExtensionChars = sizeof kHelpExtension - 1;
    if (name.GetLength() <= kExtensionChars) return false;
    for (int i = 0; i < name.GetLength(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (c < 0x20 || strchr("\\/:*?\"<>|", c)) return false;
    }
    return name.Right(kExtensionChars).CompareNoCase(kHelpExtension) == 0;
}

CRect ItemRectInClient(const CWnd& parent, UINT id)
{
    CRect r;
    if (HWND item = ::GetDlgItem(parent.m_hWnd, static_cast<int>(id))) {
        ::GetWindowRect(item, &r);
        ::MapWindowPoints(nullptr, parent.m_hWnd, reinterpret_cast<POINT*>(&r), 2);
    }
    return r;
}

template <typename Dialog>
void DeleteDialog(Dialog*& dlg)
{
    if (dlg && dlg->IsWindow()) dlg->DestroyWindow();
    delete dlg;
    dlg = nullptr;
}

#define REGISTER_PAGE(tab, member, Class, templateId)                                 \
    do {                                                                              \
        CDialog* registered = nullptr;                                                \
        (tab).RegisterPage(&registered, (templateId), RUNTIME_CLASS(Class));          \
        (member) = static_cast<Class*>(registered);                                   \
    } while (0)
}  // namespace

void SetTokenGroupsQuery(TokenGroupsQuery query)
{
    g_tokenGroupsQuery = std::move(query);
}

BEGIN_MESSAGE_MAP(CKelvoPageUIDlg, CDialog)
    ON_WM_CLOSE()
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_WM_ERASEBKGND()
    ON_WM_CTLCOLOR()
    ON_STN_CLICKED(IDC_KELVO_TAB_LINKINFO, ShowLinkInfoTab)
    ON_STN_CLICKED(IDC_KELVO_TAB_SITESURVEY, ShowSiteSurveyTab)
    ON_STN_CLICKED(IDC_KELVO_TAB_PROFILE, ShowProfileTab)
    ON_STN_CLICKED(IDC_KELVO_TAB_ADAPTER, ShowAdapterTab)
    ON_STN_CLICKED(IDC_KELVO_TAB_WIFIDIRECT, ShowWiFiDirectTab)
    ON_STN_CLICKED(IDC_KELVO_HELP, OnHelp)
    ON_STN_CLICKED(IDC_KELVO_ABOUT, OnAbout)
    ON_BN_CLICKED(IDC_KELVO_MORE, OnMore)
    ON_BN_CLICKED(IDC_KELVO_AP_MODE, OnSwitchToApMode)
    ON_BN_CLICKED(IDC_KELVO_STATION_MODE, OnSwitchToStationMode)
    ON_MESSAGE(MSG_WIFIDIRECT_EVENET, OnWiFiDirectEventMessage)
END_MESSAGE_MAP()

CKelvoPageUIDlg::CKelvoPageUIDlg(CWnd* pOwner) : CDialog(IDD, pOwner), m_pOwner(pOwner)
{
    SetLive(this);
    m_hIcon = ::LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(kAppIconId));
}

CKelvoPageUIDlg::~CKelvoPageUIDlg()
{
    if (IMainWindow::GetLive() == this) SetLive(nullptr);
    ClosePages();
    DestroyClassicDialogs();
    if (IsWindow()) DestroyWindow();
    if (m_hScaledStrip) ::DeleteObject(m_hScaledStrip);
}

BOOL CKelvoPageUIDlg::Create()
{
    return CDialog::Create(IDD, m_pOwner);
}

CKelvoPageUIDlg* CKelvoPageUIDlg::GetLive()
{
    return static_cast<CKelvoPageUIDlg*>(IMainWindow::GetLive());
}

void CKelvoPageUIDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_KELVO_MORE_LESS, m_btnMoreLess);
    DDX_Control(pDX, IDC_KELVO_TAB_LINKINFO, m_tabLinkInfo);
    DDX_Control(pDX, IDC_KELVO_TAB_SITESURVEY, m_tabSiteSurvey);
    DDX_Control(pDX, IDC_KELVO_TAB_PROFILE, m_tabProfile);
    DDX_Control(pDX, IDC_KELVO_TAB_ADAPTER, m_tabAdapter);
    DDX_Control(pDX, IDC_KELVO_TAB_WIFIDIRECT, m_tabWiFiDirect);
    DDX_Control(pDX, IDC_KELVO_HELP, m_btnHelp);
    DDX_Control(pDX, IDC_KELVO_ABOUT, m_btnAbout);
    DDX_Control(pDX, IDC_KELVO_MORE, m_btnMore);
    DDX_Control(pDX, IDC_KELVO_FOOTER, m_footer);
    DDX_Control(pDX, IDC_KELVO_AP_MODE, m_btnApMode);
    DDX_Control(pDX, IDC_KELVO_STATION_MODE, m_btnStationMode);
}

BOOL CKelvoPageUIDlg::OnInitDialog()
{
    MarkStartupStep("main window: created from its template");
    CDialog::OnInitDialog();
    G_bIsAdmin = 0;
    IsCurrentUserAdmin();
    MarkStartupStep("main window: administrator check");

    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    if (CWnd* app = AfxGetMainWnd(); app && app != this && app->m_hWnd)
        app->SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    LoadSkinBitmaps();
    MarkStartupStep("main window: skin bitmaps");
    m_bSoftAPMode = (G_pHideDlg && G_pHideDlg->m_nOpMode == OP_MODE_AP) ? 1 : 0;
    InitFontsAndTabs();
    MarkStartupStep("main window: fonts, tabs, pages and first page");

    if (G_nOSVersion >= kOsXpFirst && G_nOSVersion <= kOsXpLast && !m_bSoftAPMode && QXWLAPI.QXWL_IsZeroConfig)
        EnablePageControls(QXWLAPI.QXWL_IsZeroConfig() != 2);

    m_strDpiFile = m_bSoftAPMode ? kDpiFileSoftAP : kDpiFileStation;
    ApplyDpiLayout(this, m_strDpiFile);
    GetClientRect(&m_rcClient);
    MarkStartupStep("main window: DPI layout");

    CRect window;
    GetWindowRect(&window);
    const int desktopWidth = ::GetSystemMetrics(SM_CXSCREEN);
    SetWindowPos(static_cast<HWND>(nullptr), (desktopWidth - window.Width()) / 2, kDesktopTopGap, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(SW_SHOW);

    m_btnMore.ShowWindow(SW_HIDE);
    if (!G_bIsAdmin) {
        m_btnApMode.ShowWindow(SW_HIDE);
        m_btnStationMode.ShowWindow(SW_HIDE);
    }
    if (m_bSoftAPMode) {
        m_tabWiFiDirect.EnableWindow(FALSE);
        m_tabWiFiDirect.ShowWindow(SW_HIDE);
    }
    return TRUE;
}

void CKelvoPageUIDlg::LoadSkinBitmaps()
{
    m_btnApMode.LoadBitmaps(kModeButtonNormal, kModeButtonSelected, 0, G_hKelvoImg);
    m_btnStationMode.LoadBitmaps(kModeButtonNormal, kModeButtonSelected, 0, G_hKelvoImg);
    SetTabStripBitmap(SkinStrip(kStripLinkInfo));
    m_btnHelp.LoadBitmaps(kHelpNormal, kHelpHover, G_hKelvoImg);
    m_btnHelp.EnableHover(true);
    m_btnAbout.LoadBitmaps(kAboutNormal, kAboutHover, G_hKelvoImg);
    m_btnAbout.EnableHover(true);
}

HBITMAP CKelvoPageUIDlg::SkinStrip(int strip)
{
    HBITMAP bitmap = StripBitmap(static_cast<Strip>(strip));
    // The hosted network of Windows 7 has no third tab: its two strips lose it once.
    const bool hostedStrip = strip == kStripApLink || strip == kStripApConfig;
    if (bitmap && hostedStrip && G_nOSVersion >= kOsWin7 && G_nSoftApMode == 1 && !g_strips.patched[strip]) {
        PatchTabStripBitmap(bitmap);
        g_strips.patched[strip] = true;
    }
    return bitmap;
}

void CKelvoPageUIDlg::PatchTabStripBitmap(HBITMAP hBitmap)
{
    BITMAP info{};
    if (!hBitmap || !::GetObjectA(hBitmap, sizeof info, &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return;
    CRect client;
    GetClientRect(&client);
    const CRect tab = ItemRectInClient(*this, IDC_KELVO_TAB_PROFILE);
    if (client.Width() <= 0 || client.Height() <= 0 || tab.IsRectEmpty()) return;
    // Window to bitmap coordinates: the strip is stretched over the whole client area.
    auto toX = [&](int x) { return MulDiv(x, info.bmWidth, client.Width()); };
    auto toY = [&](int y) { return MulDiv(y, info.bmHeight, client.Height()); };
    const int left = toX(tab.left), right = toX(tab.right);
    const int top = toY(tab.top + tab.Height() / 12), bottom = toY(tab.top + tab.Height() * 11 / 12);
    const int source = right + 1;
    if (source >= info.bmWidth || bottom <= top) return;
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(dc, hBitmap);
    for (int x = left; x <= right; ++x) ::BitBlt(dc, x, top, 1, bottom - top, dc, source, top, SRCCOPY);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
}

bool CKelvoPageUIDlg::IsHostedVariant() const
{
    return G_nOSVersion >= kOsWin7 && G_nSoftApMode == 1;
}

void CKelvoPageUIDlg::InitFontsAndTabs()
{
    SetWindowText(G_LangTable.IDS_QUIXEN_CONFIG_TITLE);

    const LOGFONTA modeFont = MakeLogFont("Tahoma", -11, 800);
    m_btnApMode.SetTextFont(kModeTextColor, &modeFont);
    m_btnStationMode.SetTextFont(kModeTextColor, &modeFont);
    m_btnApMode.SetText(G_LangTable.IDS_AP_AP_MODE);
    m_btnStationMode.SetText(G_LangTable.IDS_AP_STATION_MODE);
    if (!G_bIsAdmin) {
        m_btnApMode.SetSelected(false);
        m_btnStationMode.SetSelected(false);
        m_btnApMode.ShowWindow(SW_HIDE);
        m_btnStationMode.ShowWindow(SW_HIDE);
    }

    const LOGFONTA footerFont = MakeLogFont("Arial", 13, 300);
    m_footer.SetTextFont(kFooterColor, &footerFont);
    m_footer.SetSkinText(G_LangTable.IDS_LAB_COPYRIGHT);

    const LOGFONTA tabFont = MakeLogFont("Tahoma", 15, 700);
    for (CFingerStatic* tab : {&m_tabLinkInfo, &m_tabSiteSurvey, &m_tabProfile, &m_tabAdapter, &m_tabWiFiDirect})
        tab->SetTextFont(&tabFont);
    m_tabLinkInfo.SetText(G_LangTable.IDS_LAB_LINKINFO_BTN);

    if (!m_bSoftAPMode) {
        m_tabSiteSurvey.SetText(G_LangTable.IDS_LAB_SITESURVEY_BTN);
        m_tabProfile.SetText(G_LangTable.IDS_LAB_PROFILE_BTN);
        m_tabAdapter.SetText(G_LangTable.IDS_LAB_ADAPTER_BTN);
        m_tabWiFiDirect.SetText(kWiFiDirectTabText);
        RegisterStationPages();
        CreateClassicDialogs();
        SetTabStripBitmap(SkinStrip(kStripLinkInfo));
        if (m_pPageProfileDlg) m_pPageProfileDlg->ReloadActiveProfile();
        m_btnStationMode.SetHighlight(1);
        m_btnApMode.SetHighlight(0);
    } else {
        m_tabSiteSurvey.SetText(G_LangTable.IDS_AP_CONFIGURATION);
        if (IsHostedVariant()) {
            m_tabProfile.SetText("");
            m_tabProfile.EnableWindow(FALSE);
        } else {
            m_tabProfile.SetText(G_LangTable.IDS_AP_MAC_FILTER);
            m_tabProfile.EnableWindow(TRUE);
        }
        m_tabAdapter.SetText("");
        m_tabAdapter.EnableWindow(FALSE);
        RegisterApPages();
        if (IsHostedVariant()) CreateHostedNetworkDialogs();
        else RegisterSoftApClassicPages();
        SetTabStripBitmap(SkinStrip(kStripApLink));
        m_btnApMode.SetHighlight(1);
        m_btnStationMode.SetHighlight(0);
    }
    SelectTab(m_tabLinkInfo);
}

CDialogTab* CKelvoPageUIDlg::NewContainer()
{
    auto* tab = new CDialogTab;
    tab->SetHostWindow(this);
    const CRect area = ItemRectInClient(*this, IDC_KELVO_PAGE_AREA);
    tab->SetPageRect(area.left, area.top, area.right, area.bottom);
    tab->SetLateCreation(true);
    tab->SetPageCreatedHandler([this](CDialog& page) { OnPageCreated(page); });
    return tab;
}

void CKelvoPageUIDlg::RegisterStationPages()
{
    delete m_pPageTab;
    m_pPageTab = NewContainer();
    CDialogTab& tab = *m_pPageTab;
    {
        SkinResourceScope skin;
        REGISTER_PAGE(tab, m_pPageProfileDlg, CKelvoPageProfileDlg, 143);
        REGISTER_PAGE(tab, m_pPageProfileCtrlDlg, CKelvoPageProfileCtrlDlg, 3249);
        REGISTER_PAGE(tab, m_pPageSecurityConfirmDlg, CKelvoPageSecurityConfirmDlg, 3250);
        REGISTER_PAGE(tab, m_pPageSecurityPeapDlg, CKelvoPageSecurityPeapDlg, 3251);
        REGISTER_PAGE(tab, m_pPageSecurityPskDlg, CKelvoPageSecurityPskDlg, 3252);
        REGISTER_PAGE(tab, m_pPageSecuritySercaDlg, CKelvoPageSecuritySercaDlg, 3253);
        REGISTER_PAGE(tab, m_pPageSecuritySetOKDlg, CKelvoPageSecuritySetOKDlg, 3261);
        REGISTER_PAGE(tab, m_pPageSecurityTlsDlg, CKelvoPageSecurityTlsDlg, 3260);
        REGISTER_PAGE(tab, m_pPageSecurityTtlsDlg, CKelvoPageSecurityTtlsDlg, 3259);
        REGISTER_PAGE(tab, m_pPageSecurityTypeDlg, CKelvoPageSecurityTypeDlg, 3258);
        REGISTER_PAGE(tab, m_pPageSecurityWepDlg, CKelvoPageSecurityWepDlg, 3254);
        REGISTER_PAGE(tab, m_pPageSiteSurveyDlg, CKelvoPageSiteSurveyDlg, 144);
        REGISTER_PAGE(tab, m_pPageWirelessSettingDlg, CKelvoPageWirelessSettingDlg, 3257);
        REGISTER_PAGE(tab, m_pPageWpsLinkStatusDlg, CKelvoPageWpsLinkStatusDlg, 3262);
        REGISTER_PAGE(tab, m_pPageWpsListViewDlg, CKelvoPageWpsListViewDlg, 3264);
        REGISTER_PAGE(tab, m_pPageWpsAuthenDlg, CKelvoPageWpsAuthenDlg, 101);
        REGISTER_PAGE(tab, m_pPageAdapterDlg, CKelvoPageAdapterDlg, 3246);
        REGISTER_PAGE(tab, m_pPageLinkInfoDlg, CKelvoPageLinkInfoDlg, 308);
        REGISTER_PAGE(tab, m_pPageWlanP2PDlg, CKelvoPageWlanP2PDlg, 323);
        REGISTER_PAGE(tab, m_pPageWlanP2PSecurityPskDlg, CKelvoPageWlanP2PSecurityPskDlg, 3252);
        REGISTER_PAGE(tab, m_pPageWlanP2PSettingNameDlg, CKelvoPageWlanP2PSettingNameDlg, 3252);
        REGISTER_PAGE(tab, m_pPageWlanP2PSettingChannelDlg, CKelvoPageWlanP2PSettingChannelDlg, 3252);
        REGISTER_PAGE(tab, m_pPageP2PLinkStatus, CKelvoPageP2PLinkStatus, 326);
        REGISTER_PAGE(tab, m_pPageP2PConnectMethod, CKelvoPageP2PConnectMethod, 324);
        REGISTER_PAGE(tab, m_pPageP2PConnectMethodII, CKelvoPageP2PConnectMethodII, 324);
    }
    tab.ShowPage(m_pPageLinkInfoDlg);
    ComputeGeometry();
    CreateWatchersWhenIdle();
}

namespace {
template <typename Dialog>
bool CreateClassicWindow(Dialog* dlg, CWnd* parent, const CRect& area);
}  // namespace

void CKelvoPageUIDlg::CreateWatchersWhenIdle()
{
    // A timer message comes only once nothing else waits, the first paint included: the
    // window is on screen before these are made.
    if (m_hWnd) SetTimer(kCreateWatchersTimer, USER_TIMER_MINIMUM, nullptr);
}

void CKelvoPageUIDlg::CreateWatchers()
{
    if (m_bSoftAPMode) return;
    // The other pages get their windows when first shown; this one watches the adapter's
    // hardware WPS button and the result of a run from the start.
    EnsurePage(m_pPageWpsLinkStatusDlg);
    // No request ever shows this one by number: its window is made hidden so that its read of
    // the ack policy runs and it is there to be shown.
    CreateClassicWindow(m_pPage80211nSettingDlg, this, ItemRectInClient(*this, IDC_KELVO_CLASSIC_AREA));
}

void CKelvoPageUIDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kCreateWatchersTimer) return CDialog::OnTimer(nIDEvent);
    KillTimer(kCreateWatchersTimer);
    CreateWatchers();
}

void CKelvoPageUIDlg::ComputeGeometry()
{
    // The full size is the template's, whatever size the window has now: after a page-set
    // switch it is already compact.
    CRect window;
    GetWindowRect(&window);
    CRect full(0, 0, kTemplateWidthDlu, kTemplateHeightDlu);
    MapDialogRect(&full);
    const DWORD style = static_cast<DWORD>(GetWindowLongA(m_hWnd, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongA(m_hWnd, GWL_EXSTYLE));
    ::AdjustWindowRectEx(&full, style, FALSE, exStyle);
    m_rcFull = CRect(window.TopLeft(), full.Size());
    CRect more;
    if (CWnd* button = GetDlgItem(IDC_KELVO_MORE)) button->GetWindowRect(&more);
    m_rcCompact = m_rcFull;
    // The client area ends with the More button; the window's lower border comes below it, or
    // the bottom row of buttons would be cut by the border's height.
    CRect client;
    GetClientRect(&client);
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const int lowerBorder = window.bottom - client.bottom;
    if (!more.IsRectEmpty()) m_rcCompact.bottom = more.bottom + lowerBorder;
    m_bMore = 0;
    SetWindowPos(static_cast<HWND>(nullptr), 0, 0, m_rcCompact.Width(), m_rcCompact.Height(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CKelvoPageUIDlg::RegisterApPages()
{
    delete m_pPageTab;
    m_pPageTab = NewContainer();
    CDialogTab& tab = *m_pPageTab;
    {
        SkinResourceScope skin;
        if (IsHostedVariant()) REGISTER_PAGE(tab, m_pPageApConfigDlg, CKelvoPageApConfigDlg, 34517);
        else REGISTER_PAGE(tab, m_pPageApConfigXPVistaDlg, CKelvoPageApConfigXPVistaDlg, 34517);
        REGISTER_PAGE(tab, m_pPageApLinkInfoDlg, CKelvoPageApLinkInfoDlg, 34500);
        REGISTER_PAGE(tab, m_pPageApMacFilter, CKelvoPageApMacFilter, 34649);
    }
    tab.ShowPage(m_pPageApLinkInfoDlg);
    ComputeGeometry();
}

void CKelvoPageUIDlg::RegisterSoftApClassicPages()
{
    delete m_pApClassicTab;
    m_pApClassicTab = NewContainer();
    // The classic pages work behind the skinned ones, hidden below the visible area like the
    // other classic dialogs; over the page area they would cover the skinned pages.
    const CRect classic = ItemRectInClient(*this, IDC_KELVO_CLASSIC_AREA);
    m_pApClassicTab->SetPageRect(0, classic.top, classic.Width(), classic.bottom);
    CDialogTab& tab = *m_pApClassicTab;
    REGISTER_PAGE(tab, m_pMacTablePage, CMacTablePage, 1984);
    REGISTER_PAGE(tab, m_pConfigPage, CConfigPage, 1986);
    REGISTER_PAGE(tab, m_pAuthSecuDlg, CAuthSecuDlg, 1983);
    REGISTER_PAGE(tab, m_pAccessControlPage, CAccessControlPage, 1985);
}


BOOL CKelvoPageUIDlg::CreateClassicDialogs()
{
    // The objects are built now, in this order; each gets its window when first shown.
    m_pLinkStatusDlg = new CLinkStatusDlg(this);
    m_pProfileEditorDlg = new CProfileEditorDlg(this);
    m_pAPDetailInfoDlg = new CAPDetailInfoDlg(this);
    m_pAddBlockAckDlg = new CAddBlockAckDlg(this);
    m_pDeleteBlockAckDlg = new CDeleteBlockAckDlg(this);
    m_pHiddenSsidDlg = new CHiddenSsidDlg(this);
    m_pSecurityEditorDlg = new CSecurityEditorDlg(this);
    m_pAuthenStatusDlg = new CAuthenStatusDlg(this);
    m_pPageWPSProfile = new CPageWPSProfile(this);
    m_pInvalidIDPW = new CInvalidIDPW(this);
    m_pPeapSettingDlg = new CPeapSettingDlg(this);
    m_pExtAPMACTableDlg = new CExtAPMACTableDlg(this);
    m_pPage80211nSettingDlg = new CPage80211nSettingDlg(this);  // its window: CreateWatchers
    return TRUE;
}

BOOL CKelvoPageUIDlg::CreateHostedNetworkDialogs()
{
    if (!m_pExtAPMACTableDlg) m_pExtAPMACTableDlg = new CExtAPMACTableDlg(this);
    if (!m_pPageExtAPDlg) m_pPageExtAPDlg = new CPageExtAPDlg(this);
    if (!EnsureClassicDialog(kExtApMacTable)) return FALSE;
    m_pExtAPMACTableDlg->ShowWindow(SW_SHOW);
    return TRUE;
}

CWnd* CKelvoPageUIDlg::ClassicDialog(int n) const
{
    CWnd* const dialogs[kClassicDialogs] = {
        m_pLinkStatusDlg, m_pAPDetailInfoDlg, m_pAddBlockAckDlg,     m_pDeleteBlockAckDlg,
        m_pProfileEditorDlg, m_pHiddenSsidDlg, m_pSecurityEditorDlg, m_pPeapSettingDlg,
        m_pAuthenStatusDlg, m_pPageWPSProfile, m_pInvalidIDPW,       m_pExtAPMACTableDlg};
    return n >= 0 && n < kClassicDialogs ? dialogs[n] : nullptr;
}

namespace {
// Creates a classic dialog's window hidden at the top of the classic-dialog area.
template <typename Dialog>
bool CreateClassicWindow(Dialog* dlg, CWnd* parent, const CRect& area)
{
    if (!dlg) return false;
    if (dlg->m_hWnd) return true;
    if (!dlg->Create(Dialog::IDD, parent)) {
        DebugLog(1, "[QxUI] CKelvoPageUIDlg: classic dialog %u could not be created\n", static_cast<UINT>(Dialog::IDD));
        return false;
    }
    dlg->SetWindowPos(static_cast<const CWnd*>(nullptr), 0, area.top, area.Width(), area.Height(),
                      SWP_NOZORDER | SWP_HIDEWINDOW | SWP_NOACTIVATE);
    return true;
}
}  // namespace

CWnd* CKelvoPageUIDlg::EnsureClassicDialog(int n)
{
    if (!m_hWnd) return nullptr;
    const CRect area = ItemRectInClient(*this, IDC_KELVO_CLASSIC_AREA);
    bool ok = false;
    switch (n) {
    case kLinkStatus: ok = CreateClassicWindow(m_pLinkStatusDlg, this, area); break;
    case kApDetail: ok = CreateClassicWindow(m_pAPDetailInfoDlg, this, area); break;
    case kAddBlockAck: ok = CreateClassicWindow(m_pAddBlockAckDlg, this, area); break;
    case kDeleteBlockAck: ok = CreateClassicWindow(m_pDeleteBlockAckDlg, this, area); break;
    case kProfileEditor: ok = CreateClassicWindow(m_pProfileEditorDlg, this, area); break;
    case kHiddenSsid: ok = CreateClassicWindow(m_pHiddenSsidDlg, this, area); break;
    case kSecurityEditor: ok = CreateClassicWindow(m_pSecurityEditorDlg, this, area); break;
    case kPeapSetting: ok = CreateClassicWindow(m_pPeapSettingDlg, this, area); break;
    case kAuthenStatus: ok = CreateClassicWindow(m_pAuthenStatusDlg, this, area); break;
    case kWpsProfile: ok = CreateClassicWindow(m_pPageWPSProfile, this, area); break;
    case kInvalidIdPw: ok = CreateClassicWindow(m_pInvalidIDPW, this, area); break;
    case kExtApMacTable: ok = CreateClassicWindow(m_pExtAPMACTableDlg, this, area); break;
    default: break;
    }
    return ok ? ClassicDialog(n) : nullptr;
}

BOOL CKelvoPageUIDlg::EnsurePage(CDialog* pPage)
{
    if (!pPage) return FALSE;
    if (pPage->m_hWnd) return TRUE;
    for (CDialogTab* tab : {m_pPageTab, m_pApClassicTab})
        if (tab && tab->EnsurePage(pPage)) return TRUE;
    return FALSE;
}

bool CKelvoPageUIDlg::WaitsForTheUser(int n)
{
    return n == kAddBlockAck || n == kDeleteBlockAck || n == kHiddenSsid || n == kPeapSetting || n == kInvalidIdPw;
}

void CKelvoPageUIDlg::HideClassicDialogs()
{
    HideClassicDialogsBut(-1);
}

void CKelvoPageUIDlg::HideClassicDialogsBut(int keep)
{
    const CRect area = ItemRectInClient(*this, IDC_KELVO_CLASSIC_AREA);
    for (int n = 0; n < kClassicDialogs; ++n) {
        CWnd* dlg = ClassicDialog(n);
        if (n == keep || !dlg || !dlg->m_hWnd) continue;
        dlg->ShowWindow(SW_HIDE);
        // A prompt goes back to rest in the classic-dialog area with the others.
        if (WaitsForTheUser(n))
            dlg->SetWindowPos(static_cast<const CWnd*>(nullptr), 0, area.top, area.Width(), area.Height(),
                              SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

namespace {
// The prompts whose answer the user may be typing while they are asked for again (the
// one-time password's loop waits on its prompt): hidden on the way, one would count as closed
// by the user, and shown afresh it would forget what was typed.
bool KeptWhenAskedAgain(int n)
{
    return n == CKelvoPageUIDlg::kHiddenSsid || n == CKelvoPageUIDlg::kPeapSetting || n == CKelvoPageUIDlg::kInvalidIdPw;
}
}  // namespace

void CKelvoPageUIDlg::ShowClassicDialog(int n)
{
    if (n < 1 || n >= kClassicDialogs) n = kLinkStatus;
    if (n == kLinkStatus && m_pLinkStatusDlg && m_pLinkStatusDlg->m_hWnd && m_pLinkStatusDlg->IsWindowVisible())
        return;
    // Any other dialog asked for while shown is hidden and shown again, so that its show-time
    // reset runs: an editor left open by an abandoned edit must not hand its settings on.
    HideClassicDialogsBut(KeptWhenAskedAgain(n) ? n : -1);
    CWnd* dlg = EnsureClassicDialog(n);
    if (!dlg) {
        DebugLog(3, "[QxUI] ShowClassicDialog(%d): the dialog does not exist\n", n);
        return;
    }
    if (WaitsForTheUser(n)) return PresentPrompt(*dlg);
    dlg->ShowWindow(SW_SHOW);
    if (n == kLinkStatus) dlg->UpdateWindow();
}

void CKelvoPageUIDlg::PresentPrompt(CWnd& prompt)
{
    // The classic-dialog area lies below the compact window: a dialog waiting for the user's
    // answer is put over the page area instead, in front of the pages, until it is answered.
    const CRect page = ItemRectInClient(*this, IDC_KELVO_PAGE_AREA);
    prompt.SetWindowPos(HWND_TOP, page.left, page.top, page.Width(), page.Height(), SWP_NOACTIVATE);
    // A window still hidden (in the tray, or not yet shown by the start-up) or minimised would
    // leave the prompt waiting unseen.
    if (!IsWindowVisible() || IsIconic()) {
        ShowWindow(SW_SHOWNORMAL);
        SetForegroundWindow();
    }
    prompt.ShowWindow(SW_SHOW);
    prompt.UpdateWindow();
    // The prompt takes the keyboard, at its first empty entry: keys typed at once would otherwise
    // go to the page beneath it. A prompt asked for again keeps the entry the user is in.
    if (::IsChild(prompt.m_hWnd, ::GetFocus())) return;
    HWND first = nullptr;
    HWND entry = nullptr;
    for (HWND item = ::GetWindow(prompt.m_hWnd, GW_CHILD); item && !entry; item = ::GetWindow(item, GW_HWNDNEXT)) {
        if (!(::GetWindowLongA(item, GWL_STYLE) & WS_TABSTOP) || !::IsWindowVisible(item) || !::IsWindowEnabled(item))
            continue;
        if (!first) first = item;
        if ((::SendMessageA(item, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) && ::GetWindowTextLengthA(item) == 0)
            entry = item;
    }
    if (HWND focus = entry ? entry : first) prompt.SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focus), TRUE);
}

void CKelvoPageUIDlg::DestroyClassicDialogs()
{
    DeleteDialog(m_pLinkStatusDlg);
    DeleteDialog(m_pProfileEditorDlg);
    DeleteDialog(m_pAPDetailInfoDlg);
    DeleteDialog(m_pAddBlockAckDlg);
    DeleteDialog(m_pDeleteBlockAckDlg);
    DeleteDialog(m_pHiddenSsidDlg);
    DeleteDialog(m_pSecurityEditorDlg);
    DeleteDialog(m_pAuthenStatusDlg);
    DeleteDialog(m_pPageWPSProfile);
    DeleteDialog(m_pInvalidIDPW);
    DeleteDialog(m_pPeapSettingDlg);
    DeleteDialog(m_pExtAPMACTableDlg);
    DeleteDialog(m_pPage80211nSettingDlg);
    DeleteDialog(m_pPageExtAPDlg);
}

void CKelvoPageUIDlg::SetTabStripBitmap(HBITMAP hBitmap)
{
    // The strips are shared and live as long as the process: switching only changes the pointer.
    m_hTabStrip = hBitmap;
    ColourTabCaptions();
}

HBITMAP CKelvoPageUIDlg::StripBitmapOf(UINT id)
{
    const UINT* found = std::find(std::begin(kStripIds), std::end(kStripIds), id);
    return found == std::end(kStripIds) ? nullptr : StripBitmap(static_cast<Strip>(found - kStripIds));
}

void CKelvoPageUIDlg::ColourTabCaptions()
{
    // Only strips already loaded can be the current one: nothing is loaded here.
    const bool tabMarked = !m_hTabStrip || (m_hTabStrip != g_strips.bitmaps[kStripWizard] &&
                                            m_hTabStrip != g_strips.bitmaps[kStripWps]);
    for (CFingerStatic* tab : {&m_tabLinkInfo, &m_tabSiteSurvey, &m_tabProfile, &m_tabAdapter, &m_tabWiFiDirect}) {
        const COLORREF colour = tabMarked && tab == m_pSelectedTab ? kTabTextSelected : kTabText;
        if (tab->m_hWnd && tab->GetInner().GetTextColor() != colour) tab->SetTextColor(colour);
    }
}

void CKelvoPageUIDlg::SelectTab(CFingerStatic& selected)
{
    m_pSelectedTab = &selected;
    ColourTabCaptions();
    if (m_bSoftAPMode && m_tabWiFiDirect.m_hWnd) {
        m_tabWiFiDirect.EnableWindow(FALSE);
        m_tabWiFiDirect.ShowWindow(SW_HIDE);
    }
    if (m_hWnd) Invalidate(TRUE);
}

void CKelvoPageUIDlg::ShowStationPage(int strip, CDialog* page)
{
    // A tab starts its road afresh: the back stack of wizard pages is dropped.
    SetTabStripBitmap(SkinStrip(strip));
    if (m_pPageTab) {
        m_pPageTab->ShowPage(page);
        m_pPageTab->ResetPageHistory();
    }
}

void CKelvoPageUIDlg::ShowLinkInfoTab()
{
    if (!m_bSoftAPMode) {
        ShowStationPage(kStripLinkInfo, m_pPageLinkInfoDlg);
    } else {
        SetTabStripBitmap(SkinStrip(kStripApLink));
        if (m_pPageTab) m_pPageTab->ShowPage(m_pPageApLinkInfoDlg);
        if (IsHostedVariant()) {
            if (CWnd* table = EnsureClassicDialog(kExtApMacTable)) table->ShowWindow(SW_SHOW);
            if (m_pPageExtAPDlg && m_pPageExtAPDlg->m_hWnd) m_pPageExtAPDlg->ShowWindow(SW_HIDE);
        } else if (m_pApClassicTab) {
            m_pApClassicTab->ShowPage(m_pMacTablePage);
        }
    }
    SelectTab(m_tabLinkInfo);
}

void CKelvoPageUIDlg::ShowSiteSurveyTab()
{
    if (!m_bSoftAPMode) {
        // A page shown for the first time scans as its window is made: one scan, not two.
        const bool made = m_pPageSiteSurveyDlg && m_pPageSiteSurveyDlg->m_hWnd;
        ShowStationPage(kStripSiteSurvey, m_pPageSiteSurveyDlg);
        if (made) m_pPageSiteSurveyDlg->StartSurveyScan();
    } else {
        SetTabStripBitmap(SkinStrip(kStripApConfig));
        if (IsHostedVariant()) {
            if (m_pPageTab) m_pPageTab->ShowPage(m_pPageApConfigDlg);
            if (m_pExtAPMACTableDlg && m_pExtAPMACTableDlg->m_hWnd) m_pExtAPMACTableDlg->ShowWindow(SW_HIDE);
            if (m_pPageExtAPDlg) {
                if (!m_pPageExtAPDlg->m_hWnd && m_pPageExtAPDlg->Create(CPageExtAPDlg::IDD, this)) {
                    const CRect area = ItemRectInClient(*this, IDC_KELVO_CLASSIC_AREA);
                    m_pPageExtAPDlg->SetWindowPos(static_cast<HWND>(nullptr), 0, area.top, area.Width(),
                                                  area.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
                }
                if (m_pPageExtAPDlg->m_hWnd) m_pPageExtAPDlg->ShowWindow(SW_SHOW);
            }
        } else {
            if (m_pPageTab) m_pPageTab->ShowPage(m_pPageApConfigXPVistaDlg);
            if (m_pApClassicTab) m_pApClassicTab->ShowPage(m_pConfigPage);
        }
    }
    SelectTab(m_tabSiteSurvey);
}

void CKelvoPageUIDlg::ShowProfileTab()
{
    if (!m_bSoftAPMode) {
        ShowStationPage(kStripProfile, m_pPageProfileDlg);
    } else {
        SetTabStripBitmap(SkinStrip(kStripApMacFilter));
        if (m_pPageTab) m_pPageTab->ShowPage(m_pPageApMacFilter);
        if (m_pApClassicTab) m_pApClassicTab->ShowPage(m_pAccessControlPage);
    }
    SelectTab(m_tabProfile);
}

void CKelvoPageUIDlg::ShowAdapterTab()
{
    if (m_bSoftAPMode) return;  // disabled, empty label
    ShowStationPage(kStripAdapter, m_pPageAdapterDlg);
    SelectTab(m_tabAdapter);
}

void CKelvoPageUIDlg::ShowWiFiDirectTab()
{
    if (m_bSoftAPMode) return;
    ShowStationPage(kStripWiFiDirect, m_pPageWlanP2PDlg);
    SelectTab(m_tabWiFiDirect);
}

void CKelvoPageUIDlg::ShowWiFiDirectPage(CDialog* page)
{
    SetTabStripBitmap(SkinStrip(kStripWiFiDirect));
    if (m_pPageTab) m_pPageTab->ShowPage(page);
    if (m_hWnd) Invalidate(TRUE);
}

void CKelvoPageUIDlg::EnableStationTabs(BOOL bEnable)
{
    for (CFingerStatic* tab : {&m_tabLinkInfo, &m_tabSiteSurvey, &m_tabProfile, &m_tabAdapter})
        if (tab->m_hWnd) tab->EnableWindow(bEnable);
}

void CKelvoPageUIDlg::IsCurrentUserAdmin()
{
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    if (!::AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0,
                                    0, 0, 0, &administrators))
        return;
    const TokenGroupsQuery query = g_tokenGroupsQuery ? g_tokenGroupsQuery : TokenGroupsQuery(QueryProcessTokenGroups);
    std::vector<BYTE> buffer(1024);
    DWORD needed = 0;
    BOOL ok = query(buffer.data(), static_cast<DWORD>(buffer.size()), &needed);
    while (!ok && ::GetLastError() == ERROR_INSUFFICIENT_BUFFER && needed > buffer.size()) {
        buffer.assign(needed, 0);
        ok = query(buffer.data(), static_cast<DWORD>(buffer.size()), &needed);
    }
    if (ok) {
        const auto* groups = reinterpret_cast<const TOKEN_GROUPS*>(buffer.data());
        for (DWORD i = 0; i < groups->GroupCount; ++i) {
            if (groups->Groups[i].Sid && ::EqualSid(groups->Groups[i].Sid, administrators)) {
                G_bIsAdmin = 1;
                break;
            }
        }
    }
    ::FreeSid(administrators);
}

namespace {
struct PageControls {
    CDialog* page;
    const UINT* ids;
    size_t count;
};
}  // namespace

void CKelvoPageUIDlg::ApplyPageControlState(CDialog& page)
{
    static constexpr UINT kSurveyIds[] = {CKelvoPageSiteSurveyDlg::kConnectButtonId};
    static constexpr UINT kAdapterIds[] = {IDC_ADAPTER_WPS, IDC_ADAPTER_WPS_PBC, IDC_ADAPTER_WPS_PIN_DEVICE,
                                           IDC_ADAPTER_WPS_PIN_AP, IDC_ADAPTER_SAVE};
    static constexpr UINT kAdapterMethodIds[] = {IDC_ADAPTER_WPS_PBC, IDC_ADAPTER_WPS_PIN_DEVICE, IDC_ADAPTER_WPS_PIN_AP};
    static constexpr UINT kP2PIds[] = {CKelvoPageWlanP2PDlg::kConfigControlId};
    static constexpr UINT kApConfigIds[] = {IDC_KAPCFG_SAVE, IDC_KAPCFG_CANCEL};
    static constexpr UINT kApMacFilterIds[] = {IDC_KAPMAC_SAVE, IDC_KAPMAC_CANCEL};
    const PageControls station[] = {
        {m_pPageSiteSurveyDlg, kSurveyIds, std::size(kSurveyIds)},
        {m_pPageProfileDlg, CKelvoPageProfileDlg::kConfigButtonIds, std::size(CKelvoPageProfileDlg::kConfigButtonIds)},
        {m_pPageAdapterDlg, kAdapterIds, std::size(kAdapterIds)},
        {m_pPageWlanP2PDlg, kP2PIds, std::size(kP2PIds)},
    };
    const PageControls accessPoint[] = {
        {m_pPageApConfigDlg, kApConfigIds, std::size(kApConfigIds)},
        {m_pPageApMacFilter, kApMacFilterIds, std::size(kApMacFilterIds)},
        {m_pPageAdapterDlg, kAdapterMethodIds, std::size(kAdapterMethodIds)},
    };
    if (!page.m_hWnd) return;
    if (!m_bSoftAPMode && &page == m_pPageProfileDlg) {
        // Its buttons also follow its own rules (rows to act on, the right to change profiles).
        m_pPageProfileDlg->EnableConfigButtons(m_bPageControlsEnabled);
        return;
    }
    // Never enabled for a user who is not an administrator: the pages keep them off.
    const BOOL enable = m_bPageControlsEnabled && G_bIsAdmin;
    // The WPS method buttons follow their check box, whatever else allows them.
    const bool wpsTicked = ::IsDlgButtonChecked(page.m_hWnd, IDC_ADAPTER_WPS) == BST_CHECKED;
    auto isWpsMethod = [&](UINT id) {
        return &page == m_pPageAdapterDlg && std::find(std::begin(kAdapterMethodIds), std::end(kAdapterMethodIds), id) !=
                                                  std::end(kAdapterMethodIds);
    };
    for (const PageControls& entry : m_bSoftAPMode ? std::span<const PageControls>(accessPoint)
                                                   : std::span<const PageControls>(station)) {
        if (entry.page != &page) continue;
        for (size_t i = 0; i < entry.count; ++i)
            if (HWND item = ::GetDlgItem(page.m_hWnd, static_cast<int>(entry.ids[i])))
                ::EnableWindow(item, enable && (!isWpsMethod(entry.ids[i]) || wpsTicked));
    }
}

void CKelvoPageUIDlg::EnablePageControls(BOOL bEnable)
{
    m_bPageControlsEnabled = bEnable ? 1 : 0;
    for (CDialog* page : {static_cast<CDialog*>(m_pPageSiteSurveyDlg), static_cast<CDialog*>(m_pPageProfileDlg),
                          static_cast<CDialog*>(m_pPageAdapterDlg), static_cast<CDialog*>(m_pPageWlanP2PDlg),
                          static_cast<CDialog*>(m_pPageApConfigDlg), static_cast<CDialog*>(m_pPageApMacFilter)})
        if (page) ApplyPageControlState(*page);
}

void CKelvoPageUIDlg::OnPageCreated(CDialog& page)
{
    // A prompt shown over the page area must not be painted over by the page below it.
    page.ModifyStyle(0, WS_CLIPSIBLINGS);
    ApplyPageControlState(page);
    // The layout file covers the pages created so far: apply it again for this one.
    if (!m_strDpiFile.IsEmpty()) ApplyDpiLayout(this, m_strDpiFile);
}

void CKelvoPageUIDlg::OnHelp()
{
    if (HWND viewer = ::FindWindowA(kHelpWindowClass, kHelpWindowCaption)) {
        ::ShowWindow(viewer, SW_SHOWNORMAL);
        ::BringWindowToTop(viewer);
        return;
    }
    const CString& name = G_LangTable.IDS_HELP_FILE;
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    CString file(path);
    const int slash = file.ReverseFind('\\');
    file = file.Left(slash + 1) + name;
    // The shell opens whatever it is given: only a help file beside the program is, never a
    // path or a program that a language file names.
    const bool helpName = IsHelpFileName(name);
    if (!helpName) {
        DebugLog(1, "[QxUI] Help: \"%s\" is not the name of a help file\n", name.GetString());
        file = name;
    }
    // The help file is not shipped: say so once rather than let the shell fail silently.
    const bool present = helpName && ::GetFileAttributesA(file) != INVALID_FILE_ATTRIBUTES;
    if (present &&
        reinterpret_cast<INT_PTR>(::ShellExecuteA(m_hWnd, "open", file, nullptr, nullptr, SW_SHOWNORMAL)) > 32)
        return;
    DebugLog(1, "[QxUI] Help: cannot open \"%s\"\n", file.GetString());
    CString text;
    text.Format("The help file \"%s\" could not be opened.", file.GetString());
    ShowProductMessageBox(text);
}

void CKelvoPageUIDlg::OnAbout()
{
    if (m_pAboutDlg) return;  // already open
    CKelvoPageAboutDlg about(this);
    m_pAboutDlg = &about;
    if (DoModalSkinned(about) == -1)
        DebugLog(1, "[QxUI] The about dialog could not be created\n");
    m_pAboutDlg = nullptr;
}

void CKelvoPageUIDlg::OnMore()
{
    m_bMore = !m_bMore;
    const CRect& size = m_bMore ? m_rcFull : m_rcCompact;
    SetWindowPos(static_cast<HWND>(nullptr), 0, 0, size.Width(), size.Height(), SWP_NOMOVE | SWP_NOZORDER);
}

BOOL CKelvoPageUIDlg::OnEraseBkgnd(CDC*)
{
    return TRUE;  // OnPaint covers the whole client area
}

void CKelvoPageUIDlg::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    CRect client;
    GetClientRect(&client);
    if (::IsIconic(m_hWnd)) {
        ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
        const int cx = ::GetSystemMetrics(SM_CXICON), cy = ::GetSystemMetrics(SM_CYICON);
        if (m_hIcon) ::DrawIcon(dc, (client.Width() - cx + 1) / 2, (client.Height() - cy + 1) / 2, m_hIcon);
    } else {
        if (HBITMAP strip = ScaledStrip(dc, client.Size())) {
            HDC memory = ::CreateCompatibleDC(dc);
            HGDIOBJ old = ::SelectObject(memory, strip);
            const RECT& area = ps.rcPaint;
            ::BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, memory, area.left,
                     area.top, SRCCOPY);
            ::SelectObject(memory, old);
            ::DeleteDC(memory);
        } else {
            ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
        }
    }
    ::EndPaint(m_hWnd, &ps);
    MarkStartupStep("main window painted");
}

BOOL CKelvoPageUIDlg::PaintStripBehind(HWND child, HDC dc, const RECT& rect)
{
    if (!m_hWnd || !child || !dc) return FALSE;
    CRect client;
    GetClientRect(&client);
    HBITMAP strip = ScaledStrip(dc, client.Size());
    if (!strip) return FALSE;
    POINT origin{rect.left, rect.top};
    ::MapWindowPoints(child, m_hWnd, &origin, 1);
    HDC memory = ::CreateCompatibleDC(dc);
    HGDIOBJ old = ::SelectObject(memory, strip);
    ::BitBlt(dc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, memory, origin.x, origin.y, SRCCOPY);
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    return TRUE;
}

HBITMAP CKelvoPageUIDlg::ScaledStrip(HDC dc, CSize size)
{
    // Stretching the whole strip on every paint is what a show costs most: the strip is
    // stretched once per strip and window size, and painting copies from that.
    BITMAP info{};
    if (!m_hTabStrip || size.cx <= 0 || size.cy <= 0 || !::GetObjectA(m_hTabStrip, sizeof info, &info)) return nullptr;
    if (m_hScaledStrip && m_hScaledFrom == m_hTabStrip && m_scaledSize == size) return m_hScaledStrip;
    if (m_hScaledStrip) ::DeleteObject(m_hScaledStrip);
    m_hScaledStrip = ::CreateCompatibleBitmap(dc, size.cx, size.cy);
    m_hScaledFrom = m_hScaledStrip ? m_hTabStrip : nullptr;
    m_scaledSize = size;
    if (!m_hScaledStrip) return nullptr;
    HDC source = ::CreateCompatibleDC(dc), target = ::CreateCompatibleDC(dc);
    HGDIOBJ oldSource = ::SelectObject(source, m_hTabStrip), oldTarget = ::SelectObject(target, m_hScaledStrip);
    ::SetStretchBltMode(target, COLORONCOLOR);
    ::StretchBlt(target, 0, 0, size.cx, size.cy, source, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    ::SelectObject(source, oldSource);
    ::SelectObject(target, oldTarget);
    ::DeleteDC(source);
    ::DeleteDC(target);
    return m_hScaledStrip;
}

HBRUSH CKelvoPageUIDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    // The dialog itself is transparent: the strip painted in OnPaint shows through.
    if (nCtlColor == CTLCOLOR_DLG) return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);  // the skinned controls answer for themselves
}

void CKelvoPageUIDlg::OnClose()
{
    // Closing only hides the window; the tray or a second start shows it again.
    ShowWindow(SW_HIDE);
}

void CKelvoPageUIDlg::ClosePages()
{
    // The containers own the pages. Every pointer that designated one of them is cleared first:
    // a page that goes while shown (its hide handler) must not find one deleted before it.
    CDialogTab* const tabs[] = {std::exchange(m_pPageTab, nullptr), std::exchange(m_pApClassicTab, nullptr)};
    m_pPageProfileCtrlDlg = nullptr;
    m_pPageProfileDlg = nullptr;
    m_pPageSecurityConfirmDlg = nullptr;
    m_pPageSecurityPeapDlg = nullptr;
    m_pPageSecurityPskDlg = nullptr;
    m_pPageSecuritySercaDlg = nullptr;
    m_pPageSecuritySetOKDlg = nullptr;
    m_pPageSecurityTlsDlg = nullptr;
    m_pPageSecurityTtlsDlg = nullptr;
    m_pPageSecurityTypeDlg = nullptr;
    m_pPageSecurityWepDlg = nullptr;
    m_pPageSiteSurveyDlg = nullptr;
    m_pPageWirelessSettingDlg = nullptr;
    m_pPageWpsLinkStatusDlg = nullptr;
    m_pPageWpsListViewDlg = nullptr;
    m_pPageAdapterDlg = nullptr;
    m_pPageWpsAuthenDlg = nullptr;
    m_pPageLinkInfoDlg = nullptr;
    m_pPageWlanP2PDlg = nullptr;
    m_pPageP2PConnectMethod = nullptr;
    m_pPageP2PConnectMethodII = nullptr;
    m_pPageWlanP2PSecurityPskDlg = nullptr;
    m_pPageWlanP2PSettingNameDlg = nullptr;
    m_pPageWlanP2PSettingChannelDlg = nullptr;
    m_pPageP2PLinkStatus = nullptr;
    m_pPageApConfigDlg = nullptr;
    m_pPageApConfigXPVistaDlg = nullptr;
    m_pPageApLinkInfoDlg = nullptr;
    m_pPageApMacFilter = nullptr;
    m_pAccessControlPage = nullptr;
    m_pAuthSecuDlg = nullptr;
    m_pMacTablePage = nullptr;
    m_pConfigPage = nullptr;
    for (CDialogTab* tab : tabs) {
        if (!tab) continue;
        tab->RemoveAllPages();
        delete tab;
    }
}

HWND CKelvoPageUIDlg::AuthenStatusWindow()
{
    if (m_hAuthenStatusWnd) return ::IsWindow(m_hAuthenStatusWnd) ? m_hAuthenStatusWnd : nullptr;
    // The first status line creates the window (hidden) so that no line is lost.
    return EnsureClassicDialog(kAuthenStatus) ? m_pAuthenStatusDlg->m_hWnd : nullptr;
}
