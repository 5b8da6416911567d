// The WPS pages on the main window against the stand-in's access points: the status poll's
// tips and progress, the access-point walk, time limit, stop and cancel, the PIN rules, the
// registrar's credential and the security page's edit reaching the run.
#include "MainWindowFixture.h"
#include "base/SecureRandom.h"
#include "core/QXWLLIB.h"
#include "skin/KelvoPageAdapterDlg.h"
#include "skin/KelvoPageWpsAuthenDlg.h"
#include "skin/KelvoPageWpsLinkStatusDlg.h"
#include "skin/KelvoPageWpsListViewDlg.h"
#include "skin/KelvoPageWpsPBCDlg.h"
#include "skin/KelvoPageWpsPinApDlg.h"
#include "skin/KelvoPageWpsPinDeviceDlg.h"
#include "skin/WpsHelpers.h"
#include "station/CPageWPSProfile.h"
#include "station/ProfileCodes.h"
#include "ui/DialogTab.h"

#include <algorithm>
#include <cstring>
#include <string>

using skin_test::MainWindowTest;
using testing_support::MessageBoxCapture;

namespace {

constexpr ULONG kPbc = 0x10000000;

class WpsPagesTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        G_nWpsMethod = 0;
        G_nWpsConfigMode = 0;
        G_bWpsRunning = 0;
        G_nWpsPin = 0;
        G_LangTable.IDS_VAL_WPS_STATUS_PBC = "PBC - ";
        G_LangTable.IDS_VAL_WPS_STATUS_PIN = "PIN - ";
        CString CLanguageTable::*tips[] = {&CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_03, &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_13,
                                           &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_29, &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_30,
                                           &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_33, &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_34,
                                           &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_43, &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_00};
        for (auto tip : tips) G_LangTable.*tip = TipName(tip);
        G_LangTable.IDS_RESCANNING = "rescanning";
        G_LangTable.IDS_MSG_PINCODE_INVALID = "The PIN must have eight digits.";
        G_LangTable.IDS_MSG_PINCODE_ERROR = "The PIN's checksum is wrong.";
        G_LangTable.IDS_NOSELECTEDITEM = "Please select an item first.";
        G_LangTable.IDS_MSG_WPS_PROFILE_CONFIGED = "Configure the access point?";
        G_LangTable.IDS_MSG_PREKEY_ERROR = "The key is not valid.";
    }
    static CString TipName(CString CLanguageTable::*tip)
    {
        // Each tip reads as its own key, so a test sees which one was chosen.
        static const std::pair<CString CLanguageTable::*, const char*> names[] = {
            {&CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_03, "tip03"}, {&CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_13, "tip13"},
            {&CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_29, "tip29"}, {&CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_30, "tip30"},
            {&CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_33, "tip33"}, {&CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_34, "tip34"},
            {&CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_43, "tip43"}, {&CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_00, "tip00"}};
        for (const auto& n : names)
            if (n.first == tip) return n.second;
        return "";
    }
    // The link-status page with a window, after a scan of the world the test set up.
    CKelvoPageWpsLinkStatusDlg& Link()
    {
        CKelvoPageWpsLinkStatusDlg* link = mainWindow.m_pPageWpsLinkStatusDlg;
        EXPECT_TRUE(link);
        QXWLAPI.QXWL_SiteSurveyScan(nullptr);
        EXPECT_TRUE(sim.WaitIdle(testing_support::kWaitBoundMs));
        if (!link->m_hWnd) {
            EXPECT_TRUE(mainWindow.EnsurePage(link));
        }
        link->ReadScanResults();
        return *link;
    }
    static CString Text(const CWnd& page, UINT id)
    {
        char text[256] = {};
        ::GetDlgItemTextA(page.m_hWnd, static_cast<int>(id), text, sizeof text);
        return text;
    }
    static int Progress(const CWnd& page)
    {
        return static_cast<int>(::SendDlgItemMessageA(page.m_hWnd, IDC_WPSLINK_PROGRESS, PBM_GETPOS, 0, 0));
    }
    // Polls the stand-in through the page's 200 ms timer until the run leaves the progress steps.
    void PollUntilDone(CKelvoPageWpsLinkStatusDlg& link, int maxPolls = 40)
    {
        for (int i = 0; i < maxPolls && G_nWpsMethod != 0 && Progress(link) != 0; ++i)
            link.OnTimer(CKelvoPageWpsLinkStatusDlg::TIMER_WPS_STATUS);
    }
    std::string LastSetMode() { auto lines = Calls("QXWL_SetWPSMode"); return lines.empty() ? "" : lines.back(); }
};

TEST_F(WpsPagesTest, EveryStatusCodeShowsItsTipAndProgress)
{
    CKelvoPageWpsLinkStatusDlg& link = Link();
    struct Row { ULONG code; int progress; };
    // The progress steps of both exchanges; codes without a progress leave it as it was.
    const Row rows[] = {{2, 10}, {3, 15}, {4, 20}, {5, 25}, {6, 30}, {17, 35}, {18, 40}, {19, 45}, {20, 50},
                        {21, 60}, {22, 65}, {23, 70}, {24, 75}, {25, 80}, {26, 85}, {27, 90}, {34, 40},
                        {35, 45}, {36, 50}, {37, 60}, {38, 65}, {39, 70}, {40, 75}, {41, 80}, {42, 85}, {43, 90}};
    for (const Row& r : rows) {
        link.HandleStatus(r.code);
        EXPECT_EQ(r.progress, Progress(link)) << r.code;
    }
    link.HandleStatus(kPbc | 20);
    EXPECT_STREQ("PBC - tip13", Text(link, IDC_WPSLINK_STATUS));
    EXPECT_EQ(50, Progress(link));
    link.HandleStatus(39);
    EXPECT_STREQ("PIN - tip43", Text(link, IDC_WPSLINK_STATUS));
    link.HandleStatus(7);  // no progress of its own
    EXPECT_EQ(70, Progress(link));
    link.HandleStatus(kPbc | 0x101);
    EXPECT_STREQ("PBC - tip34", Text(link, IDC_WPSLINK_STATUS));
    link.HandleStatus(0x777);  // unknown: the prefix only, nothing else changes
    EXPECT_STREQ("PIN - ", Text(link, IDC_WPSLINK_STATUS));
    EXPECT_EQ(70, Progress(link));
    link.HandleStatus(0x201);  // a failure stops the page
    EXPECT_STREQ("PIN - tip30", Text(link, IDC_WPSLINK_STATUS));
    EXPECT_EQ(0, Progress(link));
}

TEST_F(WpsPagesTest, PushButtonRunSucceedsWithTheAccessPointsCredentialWithinTheTimeLimit)
{
    CKelvoPageWpsLinkStatusDlg& link = Link();
    link.nMethod = 0;
    link.ShowWindow(SW_SHOW);
    EXPECT_EQ(2, G_nWpsMethod);
    EXPECT_EQ(1, link.bTimeoutArmed);  // a push-button run ends at the time limit too
    EXPECT_EQ(1, G_bWpsRunning);
    EXPECT_FALSE(::IsWindowEnabled(mainWindow.m_tabProfile.m_hWnd));
    EXPECT_EQ("QXWL_SetWPSMode(0x20000000, , , 1)", LastSetMode());
    // The adapter is freed first without deleting the system's other profiles.
    EXPECT_TRUE(Calls("QXWL_WlanDeleteAllWindowsProfiles").empty());
    PollUntilDone(link);
    EXPECT_EQ(100, Progress(link));
    EXPECT_STREQ("PBC - tip29", Text(link, IDC_WPSLINK_STATUS));
    EXPECT_STREQ("Quixen-WPA2", Text(link, IDC_WPSLINK_SSID));
    EXPECT_STREQ("WPA2-PSK", Text(link, IDC_WPSLINK_SECURITY));
    EXPECT_EQ(0, link.bTimeoutArmed);
    WPS_MODE mode{};
    WPS_PROFILE stored{};
    QXWLAPI.QXWL_ReadWPSProfile(&mode, &stored);
    ASSERT_EQ(1u, stored.ProfileCnt);
    EXPECT_EQ(11, mode.Channel);
    EXPECT_EQ("quixen2024", std::string(reinterpret_cast<const char*>(stored.Profile[0].Key), stored.Profile[0].KeyLength));
    // The result check: while WPS holds the adapter, running until the link carries the
    // received settings.
    QXWLAPI.QXWL_WriteWPSFlag(TRUE);
    link.CheckResult();
    EXPECT_EQ(1, G_bWpsRunning);
    QXWLAPI.QXWL_ConnectWPSProfile(&stored.Profile[0]);
    EXPECT_TRUE(sim.WaitIdle(testing_support::kWaitBoundMs));
    link.CheckResult();
    EXPECT_EQ(0, G_bWpsRunning);
    link.ShowWindow(SW_HIDE);
    EXPECT_TRUE(::IsWindowEnabled(mainWindow.m_tabProfile.m_hWnd));
}

TEST_F(WpsPagesTest, ASuccessStaysOnThePageAfterTheSavedProfileClearsTheWpsFlag)
{
    CKelvoPageWpsLinkStatusDlg& link = Link();
    link.nMethod = 0;
    mainWindow.m_pPageTab->ShowPage(&link);
    PollUntilDone(link);
    ASSERT_EQ(100, Progress(link));
    // The saved profile's connect leaves WPS; then ten seconds of result checks.
    QXWLAPI.QXWL_WriteWPSFlag(FALSE);
    for (int i = 0; i < 5; ++i) link.OnTimer(CKelvoPageWpsLinkStatusDlg::TIMER_WPS_RESULT);
    EXPECT_EQ(0, G_bWpsRunning);  // over, even before the link is up: the mode buttons work again
    EXPECT_EQ(100, Progress(link));
    EXPECT_STREQ("PBC - tip29", Text(link, IDC_WPSLINK_STATUS));
    EXPECT_STREQ("Quixen-WPA2", Text(link, IDC_WPSLINK_SSID));
    EXPECT_STREQ("WPA2-PSK", Text(link, IDC_WPSLINK_SECURITY));
    EXPECT_TRUE(Visible(link.GetDlgItem(IDC_WPSLINK_SECURITY)));
}

TEST_F(WpsPagesTest, TheHardwareButtonStartsAPushButtonRunBeforeAnyWpsPageWasShown)
{
    CKelvoPageWpsLinkStatusDlg* link = mainWindow.m_pPageWpsLinkStatusDlg;
    ASSERT_NE(nullptr, link);
    // Made once the main window is up, unasked, hidden, its hardware-button poll running, and
    // cheaply: no scan table read until it is needed.
    ASSERT_TRUE(testing_support::PumpUntil([&] { return HasWindow(link); }, testing_support::kWaitBoundMs));
    EXPECT_FALSE(Visible(link));
    EXPECT_TRUE(Calls("QXWL_SiteSurveyQuery").empty());
    EXPECT_TRUE(::KillTimer(link->m_hWnd, CKelvoPageWpsLinkStatusDlg::TIMER_WPS_HW_BUTTON));
    EXPECT_TRUE(::IsWindowEnabled(mainWindow.m_tabProfile.m_hWnd));

    hide.m_bHwPbcPressed = TRUE;  // the hidden dialog saw the press
    link->SendMessage(WM_TIMER, CKelvoPageWpsLinkStatusDlg::TIMER_WPS_HW_BUTTON);
    EXPECT_FALSE(hide.m_bHwPbcPressed);
    EXPECT_TRUE(Visible(link));
    EXPECT_EQ(2, G_nWpsMethod);
    EXPECT_EQ("QXWL_SetWPSMode(0x20000000, , , 1)", LastSetMode());
    PollUntilDone(*link);
    EXPECT_EQ(100, Progress(*link));
    EXPECT_STREQ("Quixen-WPA2", Text(*link, IDC_WPSLINK_SSID));

    hide.m_bHwPbcPressed = TRUE;  // again, over the success: a run of its own, with its Cancel
    link->SendMessage(WM_TIMER, CKelvoPageWpsLinkStatusDlg::TIMER_WPS_HW_BUTTON);
    EXPECT_TRUE(Visible(link->GetDlgItem(IDC_WPSLINK_CANCEL)));
    EXPECT_FALSE(Visible(link->GetDlgItem(IDC_WPSLINK_SSID)));
}

TEST_F(WpsPagesTest, TheHardwareButtonOverAPinRunStartsAPushButtonRunThatOutlivesThePinRunsTimers)
{
    ASSERT_TRUE(sim.Reset("[Network1]\nSsid=First\nWPS=1\nWpsPin=11111117\n"
                          "[Network2]\nSsid=Button\nChannel=6\nWPS=1\nWpsPbc=1\n"));
    CKelvoPageWpsLinkStatusDlg& link = Link();
    ASSERT_EQ(2u, link.aryWpsAp.size());
    G_nWpsPin = 12345670;  // no access point's: the PIN run would go on
    mainWindow.ShowAdapterTab();
    for (int walk : {1, 0}) {  // the automatic walk, then the access point's PIN on "First"
        link.nMethod = walk ? 2 : 1;
        link.bAutoSelect = walk;
        link.nApIndex = walk ? -1 : 0;
        mainWindow.m_pPageTab->ShowPage(&link);
        ASSERT_EQ("QXWL_SetWPSMode(0x10000000, First, 12345670, 1)", LastSetMode()) << walk;
        // The PIN run's next step and its time limit come due at once, as seconds later.
        if (walk) {
            ASSERT_TRUE(::SetTimer(link.m_hWnd, CKelvoPageWpsLinkStatusDlg::TIMER_WPS_AP_TIME, 1, nullptr));
        }
        ASSERT_TRUE(::SetTimer(link.m_hWnd, CKelvoPageWpsLinkStatusDlg::TIMER_WPS_LIMIT, 1, nullptr));
        sim.ClearJournal();
        hide.m_bHwPbcPressed = TRUE;
        link.SendMessage(WM_TIMER, CKelvoPageWpsLinkStatusDlg::TIMER_WPS_HW_BUTTON);
        EXPECT_EQ("QXWL_SetWPSMode(0x20000000, , , 1)", LastSetMode()) << walk;
        EXPECT_TRUE(Visible(link.GetDlgItem(IDC_WPSLINK_CANCEL))) << walk;
        EXPECT_FALSE(Visible(link.GetDlgItem(IDC_WPSLINK_PIN))) << walk;
        EXPECT_EQ(1, link.bTimeoutArmed) << walk;  // a limit of its own
        // The loop dispatches what came due before this later timer: the old run's step and limit.
        testing_support::RunFromTheLoop later([] {}, 50);
        ASSERT_TRUE(testing_support::PumpUntil([&] { return later.Ran(); }, testing_support::kWaitBoundMs));
        EXPECT_EQ(2, G_nWpsMethod) << walk;
        PollUntilDone(link);
        EXPECT_EQ(100, Progress(link)) << walk;  // its own credential ends it
        EXPECT_STREQ("Button", Text(link, IDC_WPSLINK_SSID)) << walk;
        EXPECT_EQ(1u, Calls("QXWL_SetWPSMode").size()) << walk;  // no PIN run came back
        EXPECT_TRUE(Calls("QXWL_WPSDisconnect").empty()) << walk;  // and no old limit ended it
        ClickButton(link, IDC_WPSLINK_EXIT);
    }
}

TEST_F(WpsPagesTest, AutomaticPinWalkSkipsPushButtonAccessPointsAndRescansAtTheEnd)
{
    ASSERT_TRUE(sim.Reset("[Network1]\nSsid=First\nWPS=1\nWpsPin=11111117\n"
                          "[Network2]\nSsid=Button\nChannel=6\nWPS=1\nWpsPbc=1\n"
                          "[Network3]\nSsid=Third\nChannel=11\nWPS=1\nWpsPin=22222224\n"));
    CKelvoPageWpsLinkStatusDlg& link = Link();
    ASSERT_EQ(3u, link.aryWpsAp.size());
    G_nWpsPin = 22222224;
    link.bAutoSelect = 1;
    link.nApIndex = -1;
    sim.ClearJournal();
    link.StartPinRun();
    EXPECT_EQ("QXWL_SetWPSMode(0x10000000, First, 22222224, 1)", LastSetMode());
    link.HandleStatus(0x104);  // the access point did not answer: the next one
    EXPECT_EQ("QXWL_SetWPSMode(0x10000000, Third, 22222224, 1)", LastSetMode());
    // The profile stored for the run names the access point it runs on, not the one before.
    WPS_MODE stored{};
    QXWLAPI.QXWL_ReadWPSProfile(&stored, nullptr);
    EXPECT_EQ(0, memcmp(stored.Bssid, link.aryWpsAp[2].Bssid, sizeof stored.Bssid));
    EXPECT_EQ(2u, Calls("QXWL_SetWPSMode").size());  // "Button" announces push button: never tried
    link.HandleStatus(0x104);
    EXPECT_EQ(-1, link.nApIndex);
    EXPECT_STREQ("rescanning", Text(link, IDC_WPSLINK_STATUS));
    EXPECT_EQ(2u, Calls("QXWL_SetWPSMode").size());
    // The walk's end starts a scan, and its result starts the walk again from the first access point.
    ASSERT_TRUE(sim.WaitIdle(testing_support::kWaitBoundMs));
    link.OnTimer(CKelvoPageWpsLinkStatusDlg::TIMER_WPS_HW_BUTTON);
    EXPECT_EQ("QXWL_SetWPSMode(0x10000000, First, 22222224, 1)", LastSetMode());
    // The access point's time runs out without a link: the next one.
    link.OnTimer(CKelvoPageWpsLinkStatusDlg::TIMER_WPS_AP_TIME);
    EXPECT_EQ("QXWL_SetWPSMode(0x10000000, Third, 22222224, 1)", LastSetMode());
    PollUntilDone(link);
    EXPECT_EQ(100, Progress(link));  // Third knows this PIN
}

TEST_F(WpsPagesTest, WrongPinFailsAndSaysSoAndTheTimeLimitStopsTheRun)
{
    CKelvoPageWpsLinkStatusDlg& link = Link();
    G_nWpsPin = 12345671;
    link.bAutoSelect = 0;
    link.nApIndex = -1;
    for (size_t i = 0; i < link.aryWpsAp.size(); ++i)
        if (link.aryWpsAp[i].strSsid == "Quixen-WPA2") link.nApIndex = static_cast<int>(i);
    link.StartPinRun();
    PollUntilDone(link);
    EXPECT_STREQ("PIN - tip30", Text(link, IDC_WPSLINK_STATUS));
    EXPECT_EQ(0, Progress(link));
    EXPECT_EQ(-1, link.nApIndex);
    // The run is still armed until the time limit ends it and frees the library's WPS state.
    EXPECT_EQ(1, link.bTimeoutArmed);
    sim.ClearJournal();
    link.OnTimer(CKelvoPageWpsLinkStatusDlg::TIMER_WPS_LIMIT);
    EXPECT_EQ(0, G_nWpsMethod);
    EXPECT_EQ(0, G_bWpsRunning);
    EXPECT_EQ(0, link.bTimeoutArmed);
    EXPECT_EQ(1u, Calls("QXWL_WPSDisconnect").size());
    EXPECT_EQ(1u, Calls("QXWL_WriteWPSFlag(0)").size());
}

TEST_F(WpsPagesTest, CancelStopsTheRunAtEveryStage)
{
    CKelvoPageWpsLinkStatusDlg& link = Link();
    mainWindow.ShowAdapterTab();
    for (int polls : {0, 3, 40}) {  // before any poll, mid-run, after success
        link.nMethod = 0;
        mainWindow.m_pPageTab->ShowPage(&link);
        for (int i = 0; i < polls && Progress(link) != 100; ++i) link.OnTimer(CKelvoPageWpsLinkStatusDlg::TIMER_WPS_STATUS);
        if (polls == 40) {
            EXPECT_EQ(100, Progress(link));
        }
        sim.ClearJournal();
        ClickButton(link, IDC_WPSLINK_CANCEL);
        EXPECT_EQ(0, G_nWpsMethod) << polls;
        EXPECT_EQ(0, G_bWpsRunning) << polls;
        EXPECT_EQ(0, link.bTimeoutArmed) << polls;
        EXPECT_EQ(1u, Calls("QXWL_WPSDisconnect").size()) << polls;
        EXPECT_FALSE(Visible(&link)) << polls;
        EXPECT_TRUE(Visible(mainWindow.m_pPageAdapterDlg)) << polls;
        ULONG status = 1;
        QXWLAPI.QXWL_QueryWPSStatus(&status);
        EXPECT_EQ(0u, status & 0x0FFFFFFF) << polls;  // no exchange left in the library
    }
}

TEST_F(WpsPagesTest, PinChecksumVectorsAndEntryChecks)
{
    ULONG pin = 0;
    // Published examples of the checksum rule, and one with a leading zero.
    for (const char* valid : {"12345670", "49226874", "01234565", "00000000"}) {
        EXPECT_EQ(WpsPinCheck::kValid, CheckWpsPinText(valid, &pin)) << valid;
        CString again;
        again.Format("%08lu", pin);
        EXPECT_STREQ(valid, again);
    }
    EXPECT_EQ(WpsPinCheck::kChecksumError, CheckWpsPinText("12345671", &pin));
    EXPECT_EQ(WpsPinCheck::kChecksumError, CheckWpsPinText("49226870", &pin));
    for (const char* invalid : {"1234567", "123456700", "1234", "", "1234567a", " 2345670", "-1234567"})
        EXPECT_EQ(WpsPinCheck::kInvalid, CheckWpsPinText(invalid, &pin)) << invalid;
}

TEST_F(WpsPagesTest, PinDialogsKeepABadPinOutAndHandTheirChoiceToTheRunPage)
{
    MessageBoxCapture boxes;
    CKelvoPageWpsLinkStatusDlg* link = mainWindow.m_pPageWpsLinkStatusDlg;
    link->nMethod = 0;
    link->bAutoSelect = 1;
    // Typed PINs: too short, wrong checksum, then the access point's with a leading zero.
    AfxSetModalDialogHook([](CDialog& dlg) {
        for (const char* pin : {"1234567", "01234566", "01234565"}) {
            ::SetDlgItemTextA(dlg.m_hWnd, IDC_PINAP_PIN, pin);
            dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PINAP_START, BN_CLICKED),
                            reinterpret_cast<LPARAM>(::GetDlgItem(dlg.m_hWnd, IDC_PINAP_START)));
        }
    });
    CKelvoPageWpsPinApDlg pinAp;
    EXPECT_EQ(0, pinAp.DoModal());
    ASSERT_EQ(2u, boxes.Count());
    EXPECT_STREQ(G_LangTable.IDS_MSG_PINCODE_INVALID, boxes.Boxes()[0].text);
    EXPECT_STREQ(G_LangTable.IDS_MSG_PINCODE_ERROR, boxes.Boxes()[1].text);
    EXPECT_STREQ("WPS", boxes.Boxes()[1].caption);
    EXPECT_EQ(1234565u, G_nWpsPin);
    EXPECT_STREQ("01234565", link->strPin);
    EXPECT_EQ(1, link->nMethod);
    EXPECT_EQ(0, link->bAutoSelect);
    // Stored with the credential, the PIN keeps its eight digits.
    link->WriteProfileToLibrary();
    WPS_MODE mode{};
    QXWLAPI.QXWL_ReadWPSProfile(&mode, nullptr);
    EXPECT_EQ("01234565", std::string(mode.PIN, sizeof mode.PIN));

    // This device's PIN: eight digits with its checksum; the box chooses the automatic walk.
    AfxSetModalDialogHook([](CDialog& dlg) {
        ::CheckDlgButton(dlg.m_hWnd, IDC_PINDEV_AUTOSELECT, BST_CHECKED);
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PINDEV_START, BN_CLICKED),
                        reinterpret_cast<LPARAM>(::GetDlgItem(dlg.m_hWnd, IDC_PINDEV_START)));
    });
    CKelvoPageWpsPinDeviceDlg pinDevice;
    EXPECT_EQ(0, pinDevice.DoModal());
    EXPECT_EQ(8, pinDevice.m_strPin.GetLength());
    EXPECT_EQ(G_nWpsPin % 10, WpsPinChecksum(G_nWpsPin / 10));
    EXPECT_EQ(2, link->nMethod);
    EXPECT_EQ(1, link->bAutoSelect);

    // Closed without Start: 1, and nothing handed on.
    AfxSetModalDialogHook([](CDialog& dlg) { dlg.PostMessage(WM_CLOSE); });
    link->bAutoSelect = 1;
    CKelvoPageWpsPBCDlg pbc;
    EXPECT_EQ(1, pbc.DoModal());
    EXPECT_EQ(1, link->bAutoSelect);
    AfxSetModalDialogHook(nullptr);
}

TEST_F(WpsPagesTest, RegistrarCredentialIsAFreshHexKeyEachTime)
{
    WPS_PROFILE a{}, b{};
    memset(&a, 0xCC, sizeof a);
    ASSERT_TRUE(MakeDefaultRegistrarCredential(a));
    ASSERT_TRUE(MakeDefaultRegistrarCredential(b));
    EXPECT_EQ(1u, a.ProfileCnt);
    const WPS_CREDENTIAL& c = a.Profile[0];
    EXPECT_EQ("Kelvo_WLAN", std::string(reinterpret_cast<const char*>(c.SSID.Ssid), c.SSID.SsidLength));
    EXPECT_EQ(0x20u, c.AuthType);
    EXPECT_EQ(0x08u, c.EncrType);
    EXPECT_EQ(1u, c.KeyIndex);
    ASSERT_EQ(64u, c.KeyLength);
    for (UCHAR k : c.Key) EXPECT_TRUE(isdigit(k) || (k >= 'A' && k <= 'F')) << int(k);
    EXPECT_NE(0, memcmp(a.Profile[0].Key, b.Profile[0].Key, 64));
    EXPECT_EQ(0u, a.Profile[1].KeyLength);  // the rest cleared
}

TEST_F(WpsPagesTest, ProfileNamesAndEditorSettingsOfACredential)
{
    std::vector<CString> names;
    for (int n = 0; n <= 5; ++n) {
        CString name;
        name.Format("WPS_Profile_%d", n);
        names.push_back(name);
    }
    EXPECT_STREQ("WPS_Profile_6", CKelvoPageWpsLinkStatusDlg::NextWpsProfileName(names, "Profile"));
    for (int n = 6; n <= 98; ++n) {
        CString name;
        name.Format("WPS_Profile_%d", n);
        names.push_back(name);
    }
    EXPECT_TRUE(CKelvoPageWpsLinkStatusDlg::NextWpsProfileName(names, "Profile").IsEmpty());

    WPS_CREDENTIAL mixed{};
    mixed.AuthType = 0x22;
    mixed.EncrType = 0x0C;
    mixed.KeyLength = 200;  // longer than the record: clamped
    memcpy(mixed.Key, "mixedpass", 9);
    const WPS_EDITOR_SETTINGS s = CKelvoPageWpsLinkStatusDlg::EditorSettingsOf(mixed);
    EXPECT_EQ(AUTHIDX_WPA_PSK, s.nAuthIndex);
    EXPECT_EQ(ENCRIDX_TKIP, s.nEncryIndex);
    EXPECT_STREQ("mixedpass", s.strPsk);

    WPS_CREDENTIAL wep{};
    wep.AuthType = 0x01;
    wep.EncrType = 0x02;
    wep.KeyIndex = 2;
    wep.KeyLength = 10;
    memcpy(wep.Key, "0a1b2c3d4e", 10);
    const WPS_EDITOR_SETTINGS w = CKelvoPageWpsLinkStatusDlg::EditorSettingsOf(wep);
    EXPECT_EQ(2, w.nWepKey);
    EXPECT_EQ(KEYFMT_HEX, w.nWepKeyFormat);
    EXPECT_EQ(" WEP", CKelvoPageWpsLinkStatusDlg::SecurityText(0x01, 0x02));
}

TEST_F(WpsPagesTest, ListPageNextChecksScanAndSelectionAndAsksInRegistrarMode)
{
    ASSERT_TRUE(sim.Reset("[Network1]\nSsid=Fresh\nWPS=1\nWpsConfigured=0\nWpsPin=11111117\n"));
    MessageBoxCapture boxes(IDCANCEL);
    CKelvoPageWpsListViewDlg* list = mainWindow.m_pPageWpsListViewDlg;
    ASSERT_TRUE(list);
    mainWindow.ShowAdapterTab();
    mainWindow.m_pPageTab->ShowPage(list);
    EXPECT_EQ(1, list->GetRowCount());  // searching
    list->OnNext();  // before the scan finished: nothing
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_TRUE(sim.WaitIdle(testing_support::kWaitBoundMs));
    ASSERT_TRUE(testing_support::PumpUntil([&] { return list->m_bScanDone != 0; }, testing_support::kWaitBoundMs));
    ASSERT_EQ(1, list->GetRowCount());
    EXPECT_STREQ("Fresh", list->GetRowText(0, 1));
    EXPECT_EQ(CKelvoPageWpsListViewDlg::kImageUnconfigured, list->GetRowImage(0));
    list->OnNext();  // no row selected
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ(G_LangTable.IDS_NOSELECTEDITEM, boxes.Boxes()[0].text);

    G_nWpsConfigMode = 1;
    list->SelectRow(0);
    list->OnNext();  // unconfigured access point in registrar mode: asked, Cancel stays
    EXPECT_EQ(2u, boxes.Count());
    EXPECT_TRUE(Visible(list));
    CKelvoPageWpsLinkStatusDlg* link = mainWindow.m_pPageWpsLinkStatusDlg;
    EXPECT_EQ(0, link->nApIndex);
    EXPECT_EQ(1, link->nMethod);
    EXPECT_EQ("Kelvo_WLAN", std::string(reinterpret_cast<const char*>(link->wpsProfile.Profile[0].SSID.Ssid), 10));
}

TEST_F(WpsPagesTest, SecurityPageEditReachesTheAccessPointThroughTheRun)
{
    ASSERT_TRUE(sim.Reset("[Network1]\nSsid=Fresh\nBssid=00:11:22:33:44:55\nWPS=1\nWpsConfigured=0\nWpsPin=11111117\n"));
    MessageBoxCapture boxes(IDOK);
    CKelvoPageWpsLinkStatusDlg& link = Link();
    ASSERT_EQ(1u, link.aryWpsAp.size());
    CKelvoPageWpsListViewDlg* list = mainWindow.m_pPageWpsListViewDlg;
    mainWindow.ShowAdapterTab();
    mainWindow.m_pPageTab->ShowPage(list);
    ASSERT_TRUE(testing_support::PumpUntil([&] { return list->m_bScanDone != 0; }, testing_support::kWaitBoundMs));
    G_nWpsConfigMode = 1;
    G_nWpsPin = 11111117;
    G_bWpsPinFromAp = 1;  // the road of the access point's PIN: the credential dialog edits
    list->SelectRow(0);
    list->OnNext();  // OK: the security page
    CKelvoPageWpsAuthenDlg* auth = mainWindow.m_pPageWpsAuthenDlg;
    ASSERT_TRUE(Visible(auth));
    EXPECT_STREQ("Kelvo_WLAN", Text(*auth, IDC_WPSAUTH_SSID));  // the proposed credential, through the dialog
    EXPECT_EQ(2, static_cast<int>(::SendDlgItemMessageA(auth->m_hWnd, IDC_WPSAUTH_SECTYPE, CB_GETCURSEL, 0, 0)));

    ::SetDlgItemTextA(auth->m_hWnd, IDC_WPSAUTH_SSID, "HomeNet");
    ::SetDlgItemTextA(auth->m_hWnd, IDC_WPSAUTH_KEY, "short7!");
    EXPECT_FALSE(auth->OnNext());  // 7 characters refused
    std::string hex64(63, 'a');
    ::SetDlgItemTextA(auth->m_hWnd, IDC_WPSAUTH_KEY, (hex64 + "g").c_str());
    EXPECT_FALSE(auth->OnNext());  // 64 characters must be hexadecimal
    EXPECT_EQ(3u, boxes.Count());  // the question, then two refusals
    EXPECT_STREQ(G_LangTable.IDS_MSG_PREKEY_ERROR, boxes.Boxes().back().text);
    ::SendDlgItemMessageA(auth->m_hWnd, IDC_WPSAUTH_SECTYPE, CB_SETCURSEL, 1, 0);
    auth->OnSecurityTypeChanged();
    ::SetDlgItemTextA(auth->m_hWnd, IDC_WPSAUTH_KEY, "homepass");
    ASSERT_TRUE(auth->OnNext());
    ASSERT_TRUE(Visible(&link));
    EXPECT_EQ("QXWL_SetWPSMode(0x10000000, Fresh, 11111117, 2)", LastSetMode());
    PollUntilDone(link);
    EXPECT_EQ(100, Progress(link));
    // The access point took the edited settings: it now beacons them and takes the new key.
    QXWLAPI.QXWL_SiteSurveyScan(nullptr);
    EXPECT_TRUE(sim.WaitIdle(testing_support::kWaitBoundMs));
    WPS_PROFILE got{};
    QXWLAPI.QXWL_QueryWPSProfile(&got);
    G_bWpsPinFromAp = 0;
    EXPECT_EQ("HomeNet", std::string(reinterpret_cast<const char*>(got.Profile[0].SSID.Ssid), got.Profile[0].SSID.SsidLength));
    EXPECT_EQ(0x02u, got.Profile[0].AuthType);
    EXPECT_EQ("homepass", std::string(reinterpret_cast<const char*>(got.Profile[0].Key), got.Profile[0].KeyLength));
}

}  // namespace

TEST_F(WpsPagesTest, ListColumnWidthsOfTheLanguageFileOutsideTheListAreNotTaken)
{
    G_LangTable.IDS_LIST_DEPART_WPSVIEW = "5e9,0.3,0.3";
    CKelvoPageWpsListViewDlg* list = mainWindow.m_pPageWpsListViewDlg;
    ASSERT_TRUE(mainWindow.EnsurePage(list));
    HWND view = ::GetDlgItem(list->m_hWnd, IDC_WPSLIST_LIST);
    RECT client{};
    ::GetClientRect(view, &client);
    const int first = static_cast<int>(::SendMessageA(view, LVM_GETCOLUMNWIDTH, 0, 0));
    EXPECT_EQ(static_cast<int>(client.right * 0.24), first);  // the page's own share
    G_LangTable.IDS_LIST_DEPART_WPSVIEW.Empty();
}
