// The main window between its station and access-point page sets: which pages and classic
// dialogs exist after each switch, and the mode buttons' refusals, which leave the adapter,
// the stored mode and the pages alone.
#include "skin/MainWindowFixture.h"
#include "core/QXAPLIB.h"
#include "framework/MessageBox.h"
#include "skin/KelvoPageLinkInfoDlg.h"
#include "skin/KelvoPageWpsLinkStatusDlg.h"
#include "softap/ExtAPMACTableDlg.h"
#include "softap/KelvoPageApLinkInfoDlg.h"
#include "softap/PageExtAPDlg.h"
#include "softap/BridgeBinding.h"
#include "softap/ConfigPage.h"
#include "softap/KelvoPageApConfigXPVistaDlg.h"
#include "softap/SoftApSim.h"
#include "station/CPage80211nSettingDlg.h"
#include "support/TestSupport.h"
#include "skin/KelvoPageSiteSurveyDlg.h"
#include "station/PeapSettingDlg.h"

#include <functional>
#include <string>
#include <vector>

namespace {

// One step taken from inside a modal loop, as a user's click arrives while the loop waits; a
// loop that never ends is stopped after a while by a quit, which the caller then removes.
std::function<void()> g_stepInLoop;
void CALLBACK TakeStepInLoop(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    if (auto step = std::move(g_stepInLoop)) step();
}
void CALLBACK StopStuckLoop(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    ::PostQuitMessage(0);
}
int RunPromptLoopWith(CPeapSettingDlg& prompt, std::function<void()> step)
{
    constexpr UINT kStepMs = 20, kStuckMs = 5000;
    g_stepInLoop = std::move(step);
    ::SetTimer(nullptr, 0, kStepMs, TakeStepInLoop);
    const UINT_PTR stuck = ::SetTimer(nullptr, 0, kStuckMs, StopStuckLoop);
    const int result = prompt.RunModalLoop(MLF_SHOWONIDLE);
    ::KillTimer(nullptr, stuck);
    MSG quit;
    ::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    return result;
}

class ApPageSetSwitch : public skin_test::MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ASSERT_TRUE(ap.Reset());
        ASSERT_TRUE(QXAPAPI.LoadApi(softap_test::SoftApSim::LibraryPath().c_str()));
        G_nSoftApMode = 0;
        G_LangTable.IDS_AP_MAC_FILTER = "MAC Filter";
        G_LangTable.IDS_LAB_PROFILE_BTN = "Profile";
        hide.m_pQxUI = &mainWindow;
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        hide.m_DataFile.SetPath(temp, "ApPageSetSwitch.Orz");
        ::DeleteFileA(hide.m_DataFile.Path());
        AfxSetMessageBoxHook([this](const MessageBoxRequest& r) { return boxes.emplace_back(r.text.GetString()), IDOK; });
    }
    void TearDown() override
    {
        AfxSetMessageBoxHook(nullptr);
        G_bWpsRunning = 0;
        ::DeleteFileA(hide.m_DataFile.Path());
        hide.m_pQxUI = nullptr;
        MainWindowTest::TearDown();
    }
    bool ModeStored() { return ::GetFileAttributesA(hide.m_DataFile.Path()) != INVALID_FILE_ATTRIBUTES; }
    void ExpectStationSet()
    {
        EXPECT_EQ(0, mainWindow.m_bSoftAPMode);
        EXPECT_TRUE(Visible(mainWindow.m_pPageLinkInfoDlg));
        EXPECT_TRUE(mainWindow.m_pPageSiteSurveyDlg && mainWindow.m_pPageProfileDlg && mainWindow.m_pPageWlanP2PDlg);
        EXPECT_TRUE(mainWindow.m_pLinkStatusDlg && mainWindow.m_pProfileEditorDlg && mainWindow.m_pPage80211nSettingDlg);
        EXPECT_FALSE(mainWindow.m_pPageApLinkInfoDlg || mainWindow.m_pPageApMacFilter || mainWindow.m_pApClassicTab);
        EXPECT_TRUE(mainWindow.m_tabWiFiDirect.IsWindowEnabled());
    }

    softap_test::SoftApSim ap;
    std::vector<std::string> boxes;
};

TEST_F(ApPageSetSwitch, EachSwitchReplacesTheWholeSetAndASecondOneDoesNothing)
{
    mainWindow.SwitchPageSet(1);
    EXPECT_EQ(1, mainWindow.m_bSoftAPMode);
    EXPECT_TRUE(Visible(mainWindow.m_pPageApLinkInfoDlg));
    EXPECT_TRUE(mainWindow.m_pPageApConfigXPVistaDlg && mainWindow.m_pPageApMacFilter && !mainWindow.m_pPageApConfigDlg);
    EXPECT_TRUE(mainWindow.m_pAccessControlPage && mainWindow.m_pConfigPage && mainWindow.m_pAuthSecuDlg &&
                mainWindow.m_pMacTablePage);
    EXPECT_FALSE(mainWindow.m_pPageSiteSurveyDlg || mainWindow.m_pPageLinkInfoDlg || mainWindow.m_pPageWlanP2PDlg);
    for (int n = 0; n < CKelvoPageUIDlg::kClassicDialogs; ++n) EXPECT_EQ(nullptr, mainWindow.ClassicDialog(n)) << n;
    EXPECT_EQ(nullptr, mainWindow.m_pPage80211nSettingDlg);
    EXPECT_EQ("MAC Filter", std::string(mainWindow.m_tabProfile.GetText()));
    EXPECT_TRUE(mainWindow.m_tabProfile.IsWindowEnabled());
    EXPECT_FALSE(mainWindow.m_tabAdapter.IsWindowEnabled() || mainWindow.m_tabWiFiDirect.IsWindowEnabled());
    EXPECT_TRUE(mainWindow.IsWindowEnabled());

    CKelvoPageApLinkInfoDlg* link = mainWindow.m_pPageApLinkInfoDlg;
    mainWindow.SwitchPageSet(1);
    EXPECT_EQ(link, mainWindow.m_pPageApLinkInfoDlg) << "no rebuild for the set already shown";

    mainWindow.SwitchPageSet(0);
    ExpectStationSet();
    EXPECT_EQ("Profile", std::string(mainWindow.m_tabProfile.GetText()));
}

TEST_F(ApPageSetSwitch, ASwitchAskedUnderARunningModalLoopEndsItAndComesOnceItHasReturned)
{
    CKelvoPageLinkInfoDlg* const linkPage = mainWindow.m_pPageLinkInfoDlg;
    int ends = 0;
    {
        const CModalLoopRegistry::Entry chart(nullptr, [&] { ++ends; });
        mainWindow.SwitchPageSet(1);
        EXPECT_EQ(1, ends);
        // The pages, one of which runs the loop, are still there.
        EXPECT_EQ(0, mainWindow.m_bSoftAPMode);
        EXPECT_EQ(linkPage, mainWindow.m_pPageLinkInfoDlg);
        EXPECT_TRUE(testing_support::PumpPending());
        EXPECT_EQ(0, mainWindow.m_bSoftAPMode) << "not while the loop runs";
    }
    EXPECT_TRUE(testing_support::PumpPending());
    EXPECT_EQ(1, mainWindow.m_bSoftAPMode);
    EXPECT_TRUE(Visible(mainWindow.m_pPageApLinkInfoDlg));
    EXPECT_FALSE(CModalLoopRegistry::TeardownWaits());
}

TEST_F(ApPageSetSwitch, TheHostedNetworkHasNoMacFilterTabAndItsOwnDialogs)
{
    const int savedOs = G_nOSVersion;
    G_nOSVersion = kOsWin7;
    G_nSoftApMode = 1;
    mainWindow.SwitchPageSet(1);
    EXPECT_TRUE(mainWindow.m_pPageApConfigDlg && !mainWindow.m_pPageApConfigXPVistaDlg && !mainWindow.m_pAccessControlPage);
    EXPECT_NE(nullptr, mainWindow.m_pPageExtAPDlg);
    EXPECT_TRUE(Visible(mainWindow.m_pExtAPMACTableDlg));
    EXPECT_EQ("", std::string(mainWindow.m_tabProfile.GetText()));
    EXPECT_FALSE(mainWindow.m_tabProfile.IsWindowEnabled());
    mainWindow.SwitchPageSet(0);
    EXPECT_EQ(nullptr, mainWindow.m_pPageExtAPDlg);
    G_nOSVersion = savedOs;
    G_nSoftApMode = 0;
}

TEST_F(ApPageSetSwitch, RefusalsLeaveTheAdapterTheStoredModeAndThePages)
{
    // Without a page container there is nothing to switch.
    CDialogTab* container = mainWindow.m_pPageTab;
    mainWindow.m_pPageTab = nullptr;
    mainWindow.SwitchPageSet(1);
    mainWindow.m_pPageTab = container;
    EXPECT_EQ(std::vector<std::string>{"Error"}, boxes);

    // An open one-time password prompt, then a WPS run, refuse before the adapter is touched.
    sim.ClearJournal();
    mainWindow.ShowClassicDialog(CKelvoPageUIDlg::kPeapSetting);
    Click(IDC_KELVO_AP_MODE);
    mainWindow.ShowClassicDialog(CKelvoPageUIDlg::kLinkStatus);
    G_bWpsRunning = 1;
    Click(IDC_KELVO_AP_MODE);
    G_bWpsRunning = 0;
    EXPECT_EQ(3u, boxes.size());
    EXPECT_TRUE(sim.JournalLines("QXWL_DetectMoreThanOneUser").empty());

    // The hidden dialog refuses: another user runs the utility.
    ASSERT_TRUE(sim.Set("MoreThanOneUser", 1));
    Click(IDC_KELVO_AP_MODE);
    EXPECT_EQ(4u, boxes.size()) << "the hidden dialog says why";
    EXPECT_TRUE(sim.JournalLines("QXWL_SetAndWriteOPMode").empty());
    EXPECT_FALSE(ModeStored());
    ExpectStationSet();

    // Back from the access point while another process holds the soft-AP library.
    mainWindow.SwitchPageSet(1);
    ASSERT_TRUE(ap.Set("MoreThanOneProcess", 1));
    ap.ClearJournal();
    Click(IDC_KELVO_STATION_MODE);
    EXPECT_EQ(5u, boxes.size());
    EXPECT_EQ(1, mainWindow.m_bSoftAPMode);
    EXPECT_TRUE(Visible(mainWindow.m_pPageApLinkInfoDlg));
    EXPECT_FALSE(ModeStored());
    for (const std::string& line : ap.Journal()) EXPECT_NE(0u, line.rfind("QXAP_SetOPMode", 0)) << line;
}

TEST_F(ApPageSetSwitch, LeavingTheAccessPointUnbindsAStoredBridgeFromAnyTab)
{
    const int savedAdmin = G_bIsAdmin, savedOs = G_nOSVersion;
    G_bIsAdmin = 1;
    G_nOSVersion = 8;  // the bridge word lives in the access point's HT word
    AP_CONFIG_DATA stored{};
    QXAPAPI.QXAP_ReadConfigData(&stored);
    stored.HT_PhyMode |= SoftApBridgeWord("Office LAN", true) << 21;
    QXAPAPI.QXAP_WriteandSetConfigData(stored, AP_ADVANCE_DATA{});
    const std::string log = testing_support::BinFolder() + "VarodiVevovi.log";
    ::DeleteFileA(log.c_str());

    mainWindow.SwitchPageSet(1);
    ASSERT_FALSE(Visible(mainWindow.m_pPageApConfigXPVistaDlg)) << "the link tab is shown, not the configuration";
    mainWindow.SwitchPageSet(0);
    EXPECT_TRUE(testing_support::PumpUntil(
        [&] { return testing_support::ReadWholeFile(log).find("UNBINDALL+") != std::string::npos; }, 10000));
    G_bIsAdmin = savedAdmin;
    G_nOSVersion = savedOs;
}

TEST_F(ApPageSetSwitch, TheStationSetMakesThe80211nPageHiddenWhichReadsTheAckPolicy)
{
    const auto madeHidden = [&] {
        CPage80211nSettingDlg* page = mainWindow.m_pPage80211nSettingDlg;
        return testing_support::PumpUntil([&] { return page && page->m_hWnd; }, testing_support::kWaitBoundMs) &&
               !page->IsWindowVisible();
    };
    EXPECT_TRUE(madeHidden());
    mainWindow.SwitchPageSet(1);
    sim.ClearJournal();
    mainWindow.SwitchPageSet(0);
    ASSERT_TRUE(madeHidden());
    // The stand-in cannot read the policy: it is reset to every category on.
    EXPECT_EQ(1u, sim.JournalLines("QXWL_ReadAckPolicy").size());
    EXPECT_FALSE(sim.JournalLines("QXWL_WriteAckPolicy").empty());
}

}  // namespace

TEST_F(ApPageSetSwitch, MoreStillChangesTheSizeAfterASwitch)
{
    CRect compact;
    mainWindow.GetWindowRect(&compact);
    mainWindow.SwitchPageSet(1);
    mainWindow.SwitchPageSet(0);
    CRect after;
    mainWindow.GetWindowRect(&after);
    EXPECT_EQ(compact.Size(), after.Size());
    Click(IDC_KELVO_MORE);
    CRect full, marker;
    mainWindow.GetWindowRect(&full);
    mainWindow.GetDlgItem(CKelvoPageUIDlg::kExpandedMarkerId)->GetWindowRect(&marker);
    EXPECT_GE(full.bottom, marker.bottom);  // the classic-dialog area is in view
    EXPECT_EQ(compact.TopLeft(), full.TopLeft());
    Click(IDC_KELVO_MORE);
    mainWindow.GetWindowRect(&after);
    EXPECT_EQ(compact.Size(), after.Size());
}

TEST_F(ApPageSetSwitch, APromptHiddenBySurveyConnectEndsItsLoopAndNoLongerHoldsTheModes)
{
    mainWindow.ShowSiteSurveyTab();
    CKelvoPageSiteSurveyDlg& survey = *mainWindow.m_pPageSiteSurveyDlg;
    sim.WaitIdle();
    ASSERT_TRUE(testing_support::PumpUntil([&] { return survey.m_bScanDone == 1 && !survey.m_Entries.empty(); }, 5000));
    survey.m_list.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    // The hidden dialog's request for the password, then its loop waiting for the answer.
    mainWindow.PostMessage(MSG_PEAP_SETTING_DLG, 8, 0);
    CPeapSettingDlg* prompt = mainWindow.m_pPeapSettingDlg;
    ASSERT_TRUE(mainWindow.EnsureClassicDialog(CKelvoPageUIDlg::kPeapSetting));
    bool refused = false;
    const int result = RunPromptLoopWith(*prompt, [&] {
        // While it waits, a mode switch is refused; the survey's Connect closes the prompt.
        Click(IDC_KELVO_AP_MODE);
        refused = boxes.size() == 1 && mainWindow.m_bSoftAPMode == 0;
        ClickButton(survey, IDC_SURVEY_CONNECT);
    });
    EXPECT_TRUE(refused);
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_FALSE(prompt->IsLoopRunning());
    EXPECT_FALSE(Visible(prompt));
    // Nothing waits any more: the buttons switch again (here the hidden dialog refuses, as
    // another user runs the utility, and says so itself).
    ASSERT_TRUE(sim.Set("MoreThanOneUser", 1));
    Click(IDC_KELVO_AP_MODE);
    ASSERT_EQ(2u, boxes.size());
    EXPECT_NE(boxes[0], boxes[1]);
    // A switch asked for from inside a waiting loop ends it as cancelled and comes once the loop
    // has returned: only then does the prompt go with the station pages.
    mainWindow.PostMessage(MSG_PEAP_SETTING_DLG, 8, 0);
    EXPECT_EQ(IDCANCEL, RunPromptLoopWith(*mainWindow.m_pPeapSettingDlg, [&] { mainWindow.SwitchPageSet(1); }));
    EXPECT_NE(nullptr, mainWindow.m_pPeapSettingDlg);
    EXPECT_TRUE(testing_support::PumpPending());
    EXPECT_EQ(nullptr, mainWindow.m_pPeapSettingDlg);
}
