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

#include <string>
#include <vector>

namespace {

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
    CPage80211nSettingDlg* page = mainWindow.m_pPage80211nSettingDlg;
    ASSERT_TRUE(page && page->m_hWnd);
    EXPECT_FALSE(page->IsWindowVisible());
    mainWindow.SwitchPageSet(1);
    sim.ClearJournal();
    mainWindow.SwitchPageSet(0);
    page = mainWindow.m_pPage80211nSettingDlg;
    ASSERT_TRUE(page && page->m_hWnd);
    EXPECT_FALSE(page->IsWindowVisible());
    // The stand-in cannot read the policy: it is reset to every category on.
    EXPECT_EQ(1u, sim.JournalLines("QXWL_ReadAckPolicy").size());
    EXPECT_FALSE(sim.JournalLines("QXWL_WriteAckPolicy").empty());
}

}  // namespace
