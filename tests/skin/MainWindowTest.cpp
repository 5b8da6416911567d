// The main window: its pages registered by class and created when first shown, the classic
// dialogs below the visible area, the administrator test, close, help and More.
#include "MainWindowFixture.h"
#include "skin/KelvoPageLinkInfoDlg.h"
#include "station/CPage80211nSettingDlg.h"
#include "skin/KelvoPageAdapterDlg.h"
#include "skin/KelvoPageProfileCtrlDlg.h"
#include "skin/KelvoPageSecurityConfirmDlg.h"
#include "skin/KelvoPageSecurityPeapDlg.h"
#include "skin/KelvoPageSecurityPskDlg.h"
#include "skin/KelvoPageSecuritySercaDlg.h"
#include "skin/KelvoPageSecuritySetOKDlg.h"
#include "skin/KelvoPageSecurityTlsDlg.h"
#include "skin/KelvoPageSecurityTtlsDlg.h"
#include "skin/KelvoPageSecurityTypeDlg.h"
#include "skin/KelvoPageSecurityWepDlg.h"
#include "skin/KelvoPageWirelessSettingDlg.h"
#include "skin/KelvoPageWpsLinkStatusDlg.h"
#include "skin/KelvoPageWpsListViewDlg.h"
#include "wifidirect/KelvoPageP2PConnectMethod.h"
#include "wifidirect/KelvoPageP2PLinkStatus.h"
#include "wifidirect/KelvoPageWlanP2PSecurityPskDlg.h"
#include "wifidirect/KelvoPageWlanP2PSettingChannelDlg.h"
#include "wifidirect/KelvoPageWlanP2PSettingNameDlg.h"
#include "skin/KelvoPageProfileDlg.h"
#include "skin/KelvoPageSiteSurveyDlg.h"
#include "skin/KelvoPageWpsAuthenDlg.h"
#include "station/CAddBlockAckDlg.h"
#include "station/CLinkStatusDlg.h"
#include "station/PeapSettingDlg.h"
#include "skin/KelvoPageAboutDlg.h"
#include "wifidirect/KelvoPageP2PConnectMethodII.h"
#include "wifidirect/KelvoPageWlanP2PDlg.h"

#include <memory>
#include <utility>

using skin_test::MainWindowTest;
using skin_test::MemoryTemplate;

namespace {
// The token's groups as GetTokenInformation gives them: a TOKEN_GROUPS of the given SIDs, with
// the SIDs copied behind the array so that the pointers stay inside the caller's buffer.
class FakeTokenGroups {
public:
    // manyGroups: more groups than a 1024-byte buffer holds, the administrators last.
    FakeTokenGroups(bool withAdministrators, bool manyGroups)
    {
        SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
        PSID sid = nullptr;
        for (DWORD i = 0; i < (manyGroups ? 60u : 1u); ++i) {
            ::AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_USERS + i, 0, 0, 0, 0, 0, 0,
                                       &sid);
            m_sids.push_back(sid);
        }
        if (withAdministrators) {
            ::AllocateAndInitializeSid(&nt, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0, &sid);
            m_sids.push_back(sid);
        }
    }
    ~FakeTokenGroups()
    {
        for (PSID sid : m_sids) ::FreeSid(sid);
    }
    DWORD Size() const
    {
        DWORD size = sizeof(TOKEN_GROUPS) + sizeof(SID_AND_ATTRIBUTES) * m_sids.size();
        for (PSID sid : m_sids) size += ::GetLengthSid(sid);
        return size;
    }
    // Answers as the system does: ERROR_INSUFFICIENT_BUFFER and the size needed when too small.
    BOOL Query(void* buffer, DWORD size, DWORD* needed)
    {
        ++calls;
        *needed = Size();
        if (size < Size()) {
            ::SetLastError(ERROR_INSUFFICIENT_BUFFER);
            return FALSE;
        }
        auto* groups = static_cast<TOKEN_GROUPS*>(buffer);
        groups->GroupCount = static_cast<DWORD>(m_sids.size());
        BYTE* next = reinterpret_cast<BYTE*>(&groups->Groups[m_sids.size()]);
        for (size_t i = 0; i < m_sids.size(); ++i) {
            const DWORD length = ::GetLengthSid(m_sids[i]);
            ::CopySid(length, next, m_sids[i]);
            groups->Groups[i] = {next, SE_GROUP_ENABLED};
            next += length;
        }
        return TRUE;
    }
    int calls = 0;

private:
    std::vector<PSID> m_sids;
};
}  // namespace

TEST_F(MainWindowTest, RegistersEveryPageByClassAndCreatesOnlyWhatItShows)
{
    CDialog* pages[] = {
        static_cast<CDialog*>(mainWindow.m_pPageProfileCtrlDlg), static_cast<CDialog*>(mainWindow.m_pPageProfileDlg),
        static_cast<CDialog*>(mainWindow.m_pPageSecurityConfirmDlg), static_cast<CDialog*>(mainWindow.m_pPageSecurityPeapDlg),
        static_cast<CDialog*>(mainWindow.m_pPageSecurityPskDlg), static_cast<CDialog*>(mainWindow.m_pPageSecuritySercaDlg),
        static_cast<CDialog*>(mainWindow.m_pPageSecuritySetOKDlg), static_cast<CDialog*>(mainWindow.m_pPageSecurityTlsDlg),
        static_cast<CDialog*>(mainWindow.m_pPageSecurityTtlsDlg), static_cast<CDialog*>(mainWindow.m_pPageSecurityTypeDlg),
        static_cast<CDialog*>(mainWindow.m_pPageSecurityWepDlg), static_cast<CDialog*>(mainWindow.m_pPageSiteSurveyDlg),
        static_cast<CDialog*>(mainWindow.m_pPageWirelessSettingDlg), static_cast<CDialog*>(mainWindow.m_pPageWpsLinkStatusDlg),
        static_cast<CDialog*>(mainWindow.m_pPageWpsListViewDlg), static_cast<CDialog*>(mainWindow.m_pPageWpsAuthenDlg),
        static_cast<CDialog*>(mainWindow.m_pPageAdapterDlg), static_cast<CDialog*>(mainWindow.m_pPageLinkInfoDlg),
        static_cast<CDialog*>(mainWindow.m_pPageWlanP2PDlg), static_cast<CDialog*>(mainWindow.m_pPageP2PConnectMethod),
        static_cast<CDialog*>(mainWindow.m_pPageP2PConnectMethodII), static_cast<CDialog*>(mainWindow.m_pPageWlanP2PSecurityPskDlg),
        static_cast<CDialog*>(mainWindow.m_pPageWlanP2PSettingNameDlg), static_cast<CDialog*>(mainWindow.m_pPageWlanP2PSettingChannelDlg),
        static_cast<CDialog*>(mainWindow.m_pPageP2PLinkStatus)};
    // Only the first page shown (link information) has a window when the main window is up;
    // the WPS run page, which watches the hardware button, and the hidden 802.11n settings come
    // at the first idle moment, unasked.
    for (CDialog* page : pages) {
        ASSERT_NE(nullptr, page);
        if (page != static_cast<CDialog*>(mainWindow.m_pPageLinkInfoDlg)) {
            EXPECT_FALSE(HasWindow(page));
        }
    }
    EXPECT_TRUE(Visible(mainWindow.m_pPageLinkInfoDlg));
    ASSERT_NE(nullptr, mainWindow.m_pPage80211nSettingDlg);
    EXPECT_FALSE(HasWindow(mainWindow.m_pPage80211nSettingDlg));
    EXPECT_TRUE(testing_support::PumpUntil(
        [&] { return HasWindow(mainWindow.m_pPageWpsLinkStatusDlg) && HasWindow(mainWindow.m_pPage80211nSettingDlg); },
        testing_support::kWaitBoundMs));
    EXPECT_FALSE(Visible(mainWindow.m_pPageWpsLinkStatusDlg));
    EXPECT_FALSE(Visible(mainWindow.m_pPage80211nSettingDlg));
    for (CDialog* page : pages) {
        if (page != static_cast<CDialog*>(mainWindow.m_pPageLinkInfoDlg) &&
            page != static_cast<CDialog*>(mainWindow.m_pPageWpsLinkStatusDlg)) {
            EXPECT_FALSE(HasWindow(page));
        }
    }
    // Built by their run-time classes, each the class its pointer names.
    EXPECT_TRUE(static_cast<CObject*>(mainWindow.m_pPageP2PConnectMethodII)->IsKindOf(RUNTIME_CLASS(CKelvoPageP2PConnectMethodII)));
    EXPECT_TRUE(static_cast<CObject*>(mainWindow.m_pPageWpsAuthenDlg)->IsKindOf(RUNTIME_CLASS(CKelvoPageWpsAuthenDlg)));
    EXPECT_EQ(nullptr, mainWindow.m_pPageApLinkInfoDlg);
    // Classic dialogs: objects now, windows later.
    for (int n = 0; n < CKelvoPageUIDlg::kClassicDialogs; ++n) {
        ASSERT_NE(nullptr, mainWindow.ClassicDialog(n)) << n;
        EXPECT_FALSE(HasWindow(mainWindow.ClassicDialog(n))) << n;
    }

    // The first show creates the page's window in the page area, as a child of the window.
    mainWindow.ShowWiFiDirectTab();
    CKelvoPageWlanP2PDlg* p2p = mainWindow.m_pPageWlanP2PDlg;
    ASSERT_TRUE(HasWindow(p2p));
    EXPECT_TRUE(Visible(p2p));
    EXPECT_EQ(mainWindow.m_hWnd, ::GetParent(p2p->m_hWnd));
    CRect page, area;
    p2p->GetWindowRect(&page);
    mainWindow.GetDlgItem(IDC_KELVO_PAGE_AREA)->GetWindowRect(&area);
    EXPECT_EQ(area, page);
    const HWND first = p2p->m_hWnd;
    mainWindow.ShowLinkInfoTab();
    mainWindow.ShowWiFiDirectTab();
    EXPECT_EQ(first, p2p->m_hWnd);  // created once
}

TEST_F(MainWindowTest, ResourceModuleIsTheSkinLibraryOnlyWhileRegistering)
{
    const HINSTANCE before = AfxGetResourceHandle();
    CKelvoPageUIDlg second(nullptr);
    ASSERT_TRUE(second.Create());
    EXPECT_EQ(before, AfxGetResourceHandle());
    second.ShowWiFiDirectTab();  // a page created late
    EXPECT_EQ(before, AfxGetResourceHandle());
    second.DestroyWindow();
}

TEST_F(MainWindowTest, ClassicDialogsRestBelowTheWindowAndPromptsComeOverThePageArea)
{
    CRect window, area, page, more;
    mainWindow.GetWindowRect(&window);
    mainWindow.GetDlgItem(IDC_KELVO_CLASSIC_AREA)->GetWindowRect(&area);
    mainWindow.GetDlgItem(IDC_KELVO_PAGE_AREA)->GetWindowRect(&page);
    mainWindow.GetDlgItem(IDC_KELVO_MORE)->GetWindowRect(&more);
    CRect client;
    mainWindow.GetClientRect(&client);
    ::MapWindowPoints(mainWindow.m_hWnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    EXPECT_EQ(more.bottom, client.bottom);  // the compact window's client area ends at the More button
    for (UINT id : {IDC_KELVO_HELP, IDC_KELVO_ABOUT, IDC_KELVO_AP_MODE, IDC_KELVO_STATION_MODE}) {
        CRect button;
        mainWindow.GetDlgItem(id)->GetWindowRect(&button);
        EXPECT_LE(button.bottom, client.bottom) << id << ": the bottom row is whole";
    }
    EXPECT_GE(area.top, client.bottom);
    EXPECT_FALSE(Visible(&mainWindow.m_btnMore));
    // The dialogs the pages fill and read stay in the classic-dialog area, out of sight.
    for (int n : {1, 4, 6, 9}) {
        mainWindow.ShowClassicDialog(n);
        CWnd* dlg = mainWindow.ClassicDialog(n);
        ASSERT_TRUE(HasWindow(dlg)) << n;
        EXPECT_FALSE(CKelvoPageUIDlg::WaitsForTheUser(n)) << n;
        CRect r;
        dlg->GetWindowRect(&r);
        EXPECT_EQ(CRect(window.left + (area.left - window.left), area.top, area.right, area.bottom), r) << n;
        EXPECT_EQ(std::vector<int>{n}, VisibleClassic());
    }
    // A dialog that waits for the user's typing or choice comes over the page area, in front of
    // the page, and goes back to rest with the others once another dialog takes its place.
    mainWindow.ShowSiteSurveyTab();
    for (int n : {2, 3, 5, 7, 10}) {
        mainWindow.ShowClassicDialog(n);
        CWnd* dlg = mainWindow.ClassicDialog(n);
        ASSERT_TRUE(HasWindow(dlg)) << n;
        EXPECT_TRUE(CKelvoPageUIDlg::WaitsForTheUser(n)) << n;
        CRect r;
        dlg->GetWindowRect(&r);
        EXPECT_EQ(page, r) << n;
        EXPECT_EQ(std::vector<int>{n}, VisibleClassic());
        POINT centre = r.CenterPoint();
        ::ScreenToClient(mainWindow.m_hWnd, &centre);
        EXPECT_EQ(dlg->m_hWnd, ::ChildWindowFromPointEx(mainWindow.m_hWnd, centre, CWP_SKIPINVISIBLE)) << n;  // in front
        mainWindow.ShowClassicDialog(0);
        EXPECT_FALSE(Visible(dlg)) << n;
        dlg->GetWindowRect(&r);
        EXPECT_EQ(area.top, r.top) << n;
        EXPECT_EQ(area.Height(), r.Height()) << n;
    }
}

TEST_F(MainWindowTest, APromptBringsUpTheHiddenOrMinimisedWindow)
{
    mainWindow.ShowWindow(SW_HIDE);
    mainWindow.ShowClassicDialog(CKelvoPageUIDlg::kInvalidIdPw);
    EXPECT_TRUE(Visible(&mainWindow));
    mainWindow.ShowClassicDialog(0);
    mainWindow.ShowWindow(SW_MINIMIZE);
    mainWindow.ShowClassicDialog(CKelvoPageUIDlg::kHiddenSsid);
    EXPECT_FALSE(mainWindow.IsIconic());
    EXPECT_TRUE(Visible(mainWindow.ClassicDialog(CKelvoPageUIDlg::kHiddenSsid)));
}

TEST_F(MainWindowTest, ShowClassicDialogFallsBackToLinkStatusAndLeavesAVisibleOneAlone)
{
    mainWindow.ShowClassicDialog(42);
    EXPECT_EQ(std::vector<int>{0}, VisibleClassic());
    mainWindow.ShowClassicDialog(-1);
    EXPECT_EQ(std::vector<int>{0}, VisibleClassic());
    // With the link status visible, 0 changes nobody's visibility, not even a stray dialog's.
    mainWindow.ShowClassicDialog(2);
    mainWindow.ShowClassicDialog(0);
    mainWindow.m_pAddBlockAckDlg->ShowWindow(SW_SHOW);
    mainWindow.ShowClassicDialog(0);
    EXPECT_EQ((std::vector<int>{0, 2}), VisibleClassic());
    mainWindow.ShowClassicDialog(2);
    EXPECT_EQ(std::vector<int>{2}, VisibleClassic());
}

TEST_F(MainWindowTest, APromptAskedForAgainWhileItWaitsKeepsItsLoopAndWhatIsTyped)
{
    // A second request of the library while the password prompt waits: the user's answer still
    // ends the loop, which was not cancelled on the way.
    auto* prompt = static_cast<CPeapSettingDlg*>(mainWindow.EnsureClassicDialog(CKelvoPageUIDlg::kPeapSetting));
    ASSERT_TRUE(HasWindow(prompt));
    mainWindow.PostMessage(MSG_PEAP_SETTING_DLG, 8, 0);
    mainWindow.PostMessage(MSG_PEAP_SETTING_DLG, 8, 0);
    prompt->PostConfirm("user", "token");
    EXPECT_EQ(IDOK, prompt->RunModalLoop(MLF_SHOWONIDLE));

    // The name and re-login prompts keep what the user typed.
    using Prompt = std::pair<int, int>;  // the dialog's number and its first entry
    for (auto [n, edit] :
         {Prompt{CKelvoPageUIDlg::kHiddenSsid, IDC_HIDDEN_SSID_EDIT}, Prompt{CKelvoPageUIDlg::kInvalidIdPw, IDC_RELOGIN_IDENTITY}}) {
        mainWindow.ShowClassicDialog(n);
        CWnd* dlg = mainWindow.ClassicDialog(n);
        ASSERT_TRUE(HasWindow(dlg)) << n;
        dlg->SetDlgItemText(edit, "typed");
        mainWindow.ShowClassicDialog(n);
        CString text;
        dlg->GetDlgItemText(edit, text);
        EXPECT_STREQ("typed", text) << n;
    }
}

TEST_F(MainWindowTest, AdministratorsGroupDecidesTheModeButtons)
{
    struct Case {
        bool admin;
        bool manyGroups;
        int expected;
        int calls;
    } const cases[] = {{true, false, 1, 1}, {true, true, 1, 2}, {false, false, 0, 1}, {false, true, 0, 2}};
    for (const Case& c : cases) {
        FakeTokenGroups groups(c.admin, c.manyGroups);
        SetTokenGroupsQuery([&](void* b, DWORD s, DWORD* n) { return groups.Query(b, s, n); });
        CKelvoPageUIDlg window(nullptr);
        ASSERT_TRUE(window.Create());
        EXPECT_EQ(c.expected, G_bIsAdmin);
        EXPECT_EQ(c.calls, groups.calls);
        EXPECT_EQ(c.expected == 1, Visible(&window.m_btnApMode));
        EXPECT_EQ(c.expected == 1, Visible(&window.m_btnStationMode));
        window.DestroyWindow();
    }
    // A token that cannot be read leaves the flag 0.
    SetTokenGroupsQuery([](void*, DWORD, DWORD*) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    });
    G_bIsAdmin = 1;
    CKelvoPageUIDlg::IsCurrentUserAdmin();
    G_bIsAdmin = 0;
    CKelvoPageUIDlg window(nullptr);
    ASSERT_TRUE(window.Create());
    EXPECT_EQ(0, G_bIsAdmin);
    window.DestroyWindow();
}

TEST_F(MainWindowTest, CloseHidesTheWindowAndKeepsItsPages)
{
    mainWindow.ShowWiFiDirectTab();
    mainWindow.SendMessage(WM_CLOSE);
    EXPECT_TRUE(mainWindow.IsWindow());
    EXPECT_FALSE(mainWindow.IsWindowVisible());
    EXPECT_TRUE(HasWindow(mainWindow.m_pPageWlanP2PDlg));
}

TEST_F(MainWindowTest, HelpWithoutViewerOrFileShowsOneMessageNamingTheFile)
{
    testing_support::MessageBoxCapture boxes;
    Click(IDC_KELVO_HELP, STN_CLICKED);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_NE(std::string::npos, std::string(boxes.Boxes()[0].text.GetString()).find("KPL-880Q.chm"));
}

TEST_F(MainWindowTest, HelpOpensOnlyAHelpFileBesideTheProgram)
{
    // Files that exist, so that only the name can be the reason for a refusal.
    testing_support::ScopedFile program(testing_support::BinFolder() + "HelpProbe.bat", "echo ran > HelpProbeRan.txt\r\n");
    testing_support::ScopedFile outside(testing_support::BinFolder() + "..\\HelpProbe.chm", "");
    for (const char* name : {"HelpProbe.bat", "..\\HelpProbe.chm", "C:\\windows\\notepad.exe", "cmd.exe /c x.chm",
                             "x.chm\r\n", "", ".chm"}) {
        G_LangTable.IDS_HELP_FILE = name;
        testing_support::MessageBoxCapture boxes;
        testing_support::LogCapture log;
        Click(IDC_KELVO_HELP, STN_CLICKED);
        EXPECT_EQ(1u, boxes.Count()) << name;
        EXPECT_TRUE(log.Contains("is not the name of a help file")) << name;
    }
    EXPECT_FALSE(testing_support::FileExists(testing_support::BinFolder() + "HelpProbeRan.txt"));
}

TEST_F(MainWindowTest, HelpBringsAnOpenViewerToTheTopInsteadOfOpeningTheFile)
{
    WNDCLASSA cls{};
    cls.lpfnWndProc = ::DefWindowProcA;
    cls.hInstance = ::GetModuleHandleA(nullptr);
    cls.lpszClassName = "HH Parent";
    ::RegisterClassA(&cls);
    HWND viewer = ::CreateWindowA("HH Parent", "KPL4471", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                                  cls.hInstance, nullptr);
    ASSERT_NE(nullptr, viewer);
    testing_support::MessageBoxCapture boxes;
    Click(IDC_KELVO_HELP, STN_CLICKED);
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_TRUE(::IsWindowVisible(viewer));
    ::DestroyWindow(viewer);
}

TEST_F(MainWindowTest, MoreTogglesFullAndCompactSizeWithoutMoving)
{
    CRect compact;
    mainWindow.GetWindowRect(&compact);
    Click(IDC_KELVO_MORE);
    CRect full;
    mainWindow.GetWindowRect(&full);
    CRect marker;
    mainWindow.GetDlgItem(CKelvoPageUIDlg::kExpandedMarkerId)->GetWindowRect(&marker);
    EXPECT_EQ(compact.TopLeft(), full.TopLeft());
    EXPECT_GE(full.bottom, marker.bottom);  // the classic-dialog area is in view
    Click(IDC_KELVO_MORE);
    CRect again;
    mainWindow.GetWindowRect(&again);
    EXPECT_EQ(compact, again);
    EXPECT_FALSE(Visible(mainWindow.GetDlgItem(IDC_KELVO_MORE)));
}

TEST_F(MainWindowTest, TabsSwitchSharedStripBitmaps)
{
    if (!::FindResourceA(G_hKelvoImg, MAKEINTRESOURCEA(1004), reinterpret_cast<LPCSTR>(RT_BITMAP)))
        GTEST_SKIP() << "the skin library has no strip bitmaps yet";
    mainWindow.ShowProfileTab();
    const HBITMAP profile = mainWindow.TabStripBitmap();
    mainWindow.ShowLinkInfoTab();
    const HBITMAP link = mainWindow.TabStripBitmap();
    ASSERT_NE(nullptr, profile);
    EXPECT_NE(profile, link);
    // A second window uses the very bitmaps the first loaded.
    CKelvoPageUIDlg second(nullptr);
    ASSERT_TRUE(second.Create());
    EXPECT_EQ(link, second.TabStripBitmap());
    second.ShowProfileTab();
    EXPECT_EQ(profile, second.TabStripBitmap());
    second.DestroyWindow();
}

TEST_F(MainWindowTest, PageControlsFollowTheSystemServiceAndThePagesOwnRules)
{
    G_bIsAdmin = 1;
    CKelvoPageProfileDlg* profile = mainWindow.m_pPageProfileDlg;
    GiveWindow(profile, MemoryTemplate{1133, 1134, 1135, 1136, 1200}, true);
    auto enabled = [&](int id) { return ::IsWindowEnabled(::GetDlgItem(profile->m_hWnd, id)) != FALSE; };
    mainWindow.EnablePageControls(FALSE);
    for (int id : {1133, 1134, 1135, 1136}) EXPECT_FALSE(enabled(id)) << id;
    EXPECT_TRUE(enabled(1200));  // not a configuration control
    // Given back, each button follows the page's own rules: with no profile there is nothing
    // to edit, delete or apply.
    mainWindow.EnablePageControls(TRUE);
    EXPECT_TRUE(enabled(1133));
    for (int id : {1134, 1135, 1136}) EXPECT_FALSE(enabled(id)) << id;
    ASSERT_TRUE(sim.Load("[Profile1]\nName=Home\nSsid=HomeNet\nSecurity=Open\n"));
    profile->ReloadProfileList();
    for (int id : {1133, 1134, 1135, 1136}) EXPECT_TRUE(enabled(id)) << id;
    // A rebuild keeps the main window's word.
    mainWindow.EnablePageControls(FALSE);
    profile->ReloadProfileList();
    for (int id : {1133, 1134, 1135, 1136}) EXPECT_FALSE(enabled(id)) << id;
}

TEST_F(MainWindowTest, APageCreatedLaterTakesTheRememberedControlState)
{
    mainWindow.EnablePageControls(FALSE);
    mainWindow.ShowSiteSurveyTab();
    CKelvoPageSiteSurveyDlg* survey = mainWindow.m_pPageSiteSurveyDlg;
    HWND connect = HasWindow(survey) ? ::GetDlgItem(survey->m_hWnd, CKelvoPageSiteSurveyDlg::kConnectButtonId) : nullptr;
    if (!connect) GTEST_SKIP() << "the site-survey page's template has no Connect button yet";
    EXPECT_FALSE(::IsWindowEnabled(connect));
}

TEST_F(MainWindowTest, ClosedPagesLeaveNoPointerBehind)
{
    mainWindow.ShowWiFiDirectTab();
    mainWindow.ClosePages();
    EXPECT_EQ(nullptr, mainWindow.m_pPageWlanP2PDlg);
    EXPECT_EQ(nullptr, mainWindow.m_pPageSiteSurveyDlg);
    // The tabs and the core's requests find nothing and do nothing.
    mainWindow.ShowWiFiDirectTab();
    mainWindow.ShowSiteSurveyTab();
    mainWindow.EnablePageControls(FALSE);
    EXPECT_TRUE(mainWindow.IsWindow());
}

TEST_F(MainWindowTest, AboutRunsModallyFromTheSkinLibraryAndItsCloseButtonEndsIt)
{
    const HINSTANCE before = AfxGetResourceHandle();
    HINSTANCE during = nullptr;
    CString caption;
    const int loopsBefore = CModalLoopRegistry::Depth();
    int depthDuring = 0;
    AfxSetModalDialogHook([&](CDialog& dlg) {
        during = AfxGetResourceHandle();
        caption = dlg.GetWindowText();
        // A modal loop the exit roads wait for.
        depthDuring = CModalLoopRegistry::Depth();
        dlg.PostMessage(WM_COMMAND, MAKEWPARAM(IDC_ABOUT_CLOSE, BN_CLICKED),
                        reinterpret_cast<LPARAM>(::GetDlgItem(dlg.m_hWnd, IDC_ABOUT_CLOSE)));
    });
    Click(IDC_KELVO_ABOUT, STN_CLICKED);
    AfxSetModalDialogHook(nullptr);
    EXPECT_EQ(loopsBefore + 1, depthDuring);
    EXPECT_EQ(loopsBefore, CModalLoopRegistry::Depth());
    EXPECT_EQ(G_hKelvoImg, during);
    EXPECT_STREQ("About", caption);
    EXPECT_EQ(before, AfxGetResourceHandle());
    EXPECT_EQ(nullptr, mainWindow.m_pAboutDlg);
}

