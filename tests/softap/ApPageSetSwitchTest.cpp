// The main window between its station and access-point page sets: which pages and classic
// dialogs exist after each switch, and the mode buttons' refusals, which leave the adapter,
// the stored mode and the pages alone.
#include "skin/MainWindowFixture.h"
#include "base/DataFile.h"
#include "core/QXAPLIB.h"
#include "framework/MessageBox.h"
#include "skin/KelvoPageLinkInfoDlg.h"
#include "skin/KelvoPageProfileDlg.h"
#include "skin/KelvoPageWpsLinkStatusDlg.h"
#include "softap/ExtAPMACTableDlg.h"
#include "softap/KelvoPageApConfigXPVistaDlg.h"
#include "softap/PageExtAPDlg.h"
#include "softap/KelvoPageApLinkInfoDlg.h"
#include "softap/SoftApSim.h"
#include "station/PeapSettingDlg.h"

#include <string>
#include <vector>

namespace {

class ApPageSetSwitch : public skin_test::MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ASSERT_TRUE(ap.Loaded());
        ASSERT_TRUE(ap.Reset());
        ASSERT_TRUE(QXAPAPI.LoadApi(softap_test::SoftApSim::LibraryPath().c_str()));
        G_nSoftApMode = 0;
        G_LangTable.IDS_AP_CONFIGURATION = "Configuration";
        G_LangTable.IDS_AP_MAC_FILTER = "MAC Filter";
        G_LangTable.IDS_LAB_PROFILE_BTN = "Profile";
        G_LangTable.IDS_LAB_ADAPTER_BTN = "Adapter";
        hide.m_pQxUI = &mainWindow;
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        hide.m_DataFile.SetPath(temp, "ApPageSetSwitch.Orz");
        ::DeleteFileA(hide.m_DataFile.Path());
        AfxSetMessageBoxHook([this](const MessageBoxRequest& r) {
            boxes.emplace_back(r.text.GetString());
            return IDOK;
        });
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
        EXPECT_NE(nullptr, mainWindow.m_pPageSiteSurveyDlg);
        EXPECT_NE(nullptr, mainWindow.m_pPageProfileDlg);
        EXPECT_NE(nullptr, mainWindow.m_pPageWlanP2PDlg);
        EXPECT_NE(nullptr, mainWindow.m_pLinkStatusDlg);
        EXPECT_NE(nullptr, mainWindow.m_pProfileEditorDlg);
        EXPECT_NE(nullptr, mainWindow.m_pPage80211nSettingDlg);
        EXPECT_EQ(nullptr, mainWindow.m_pPageApLinkInfoDlg);
        EXPECT_EQ(nullptr, mainWindow.m_pPageApMacFilter);
        EXPECT_EQ(nullptr, mainWindow.m_pAccessControlPage);
        EXPECT_EQ(nullptr, mainWindow.m_pApClassicTab);
        // The labels are the language's only once a switch has set them (start-up read none).
        if (!mainWindow.m_tabProfile.GetText().IsEmpty()) EXPECT_EQ("Profile", std::string(mainWindow.m_tabProfile.GetText()));
        EXPECT_TRUE(mainWindow.m_tabWiFiDirect.IsWindowEnabled());
    }
    std::vector<std::string> ModeWrites()
    {
        std::vector<std::string> out;
        for (const std::string& line : sim.JournalLines("QXWL_SetAndWriteOPMode")) out.push_back(line);
        return out;
    }

    softap_test::SoftApSim ap;
    std::vector<std::string> boxes;
};

TEST_F(ApPageSetSwitch, EachSwitchReplacesTheWholeSetAndASecondOneDoesNothing)
{
    ExpectStationSet();
    mainWindow.SwitchPageSet(1);
    EXPECT_EQ(1, mainWindow.m_bSoftAPMode);
    EXPECT_TRUE(Visible(mainWindow.m_pPageApLinkInfoDlg));
    EXPECT_NE(nullptr, mainWindow.m_pPageApConfigXPVistaDlg);
    EXPECT_EQ(nullptr, mainWindow.m_pPageApConfigDlg);
    EXPECT_NE(nullptr, mainWindow.m_pPageApMacFilter);
    EXPECT_NE(nullptr, mainWindow.m_pAccessControlPage);
    EXPECT_NE(nullptr, mainWindow.m_pConfigPage);
    EXPECT_NE(nullptr, mainWindow.m_pAuthSecuDlg);
    EXPECT_NE(nullptr, mainWindow.m_pMacTablePage);
    EXPECT_EQ(nullptr, mainWindow.m_pPageSiteSurveyDlg);
    EXPECT_EQ(nullptr, mainWindow.m_pPageLinkInfoDlg);
    EXPECT_EQ(nullptr, mainWindow.m_pPageWlanP2PDlg);
    for (int n = 0; n < CKelvoPageUIDlg::kClassicDialogs; ++n) EXPECT_EQ(nullptr, mainWindow.ClassicDialog(n)) << n;
    EXPECT_EQ(nullptr, mainWindow.m_pPage80211nSettingDlg);
    EXPECT_EQ("Configuration", std::string(mainWindow.m_tabSiteSurvey.GetText()));
    EXPECT_EQ("MAC Filter", std::string(mainWindow.m_tabProfile.GetText()));
    EXPECT_TRUE(mainWindow.m_tabProfile.IsWindowEnabled());
    EXPECT_FALSE(mainWindow.m_tabAdapter.IsWindowEnabled());
    EXPECT_FALSE(mainWindow.m_tabWiFiDirect.IsWindowEnabled());
    EXPECT_TRUE(mainWindow.IsWindowEnabled());

    CKelvoPageApLinkInfoDlg* link = mainWindow.m_pPageApLinkInfoDlg;
    mainWindow.SwitchPageSet(1);
    EXPECT_EQ(link, mainWindow.m_pPageApLinkInfoDlg) << "no rebuild for the set already shown";

    mainWindow.SwitchPageSet(0);
    ExpectStationSet();
    EXPECT_EQ("Profile", std::string(mainWindow.m_tabProfile.GetText()));
    EXPECT_EQ("Adapter", std::string(mainWindow.m_tabAdapter.GetText()));
}

TEST_F(ApPageSetSwitch, TheHostedNetworkHasNoMacFilterTabAndItsOwnDialogs)
{
    const int savedOs = G_nOSVersion;
    G_nOSVersion = kOsWin7;
    G_nSoftApMode = 1;
    mainWindow.SwitchPageSet(1);
    EXPECT_NE(nullptr, mainWindow.m_pPageApConfigDlg);
    EXPECT_EQ(nullptr, mainWindow.m_pPageApConfigXPVistaDlg);
    EXPECT_EQ(nullptr, mainWindow.m_pAccessControlPage);
    EXPECT_NE(nullptr, mainWindow.m_pPageExtAPDlg);
    EXPECT_TRUE(Visible(mainWindow.m_pExtAPMACTableDlg));
    EXPECT_EQ("", std::string(mainWindow.m_tabProfile.GetText()));
    EXPECT_FALSE(mainWindow.m_tabProfile.IsWindowEnabled());
    mainWindow.SwitchPageSet(0);
    EXPECT_EQ(nullptr, mainWindow.m_pPageExtAPDlg);
    G_nOSVersion = savedOs;
    G_nSoftApMode = 0;
}

TEST_F(ApPageSetSwitch, WithoutAPageContainerNothingChanges)
{
    mainWindow.ClosePages();
    mainWindow.SwitchPageSet(1);
    EXPECT_EQ(std::vector<std::string>{"Error"}, boxes);
    EXPECT_EQ(0, mainWindow.m_bSoftAPMode);
    EXPECT_EQ(nullptr, mainWindow.m_pPageApLinkInfoDlg);
}

TEST_F(ApPageSetSwitch, AnOpenPromptOrWpsRunRefusesTheSwitchBeforeTheAdapterIsTouched)
{
    ASSERT_NE(nullptr, mainWindow.EnsureClassicDialog(CKelvoPageUIDlg::kPeapSetting));
    mainWindow.ShowClassicDialog(CKelvoPageUIDlg::kPeapSetting);
    sim.ClearJournal();
    Click(IDC_KELVO_AP_MODE);
    EXPECT_EQ(1u, boxes.size());
    EXPECT_TRUE(ModeWrites().empty());
    EXPECT_FALSE(ModeStored());
    ExpectStationSet();

    mainWindow.ShowClassicDialog(CKelvoPageUIDlg::kLinkStatus);
    G_bWpsRunning = 1;
    Click(IDC_KELVO_AP_MODE);
    EXPECT_EQ(2u, boxes.size());
    EXPECT_TRUE(ModeWrites().empty());
    EXPECT_FALSE(ModeStored());
    ExpectStationSet();
}

TEST_F(ApPageSetSwitch, ASwitchTheHiddenDialogRefusesStoresNoModeAndKeepsThePages)
{
    ASSERT_TRUE(sim.Set("MoreThanOneUser", 1));
    Click(IDC_KELVO_AP_MODE);
    EXPECT_EQ(1u, boxes.size()) << "the hidden dialog says why";
    EXPECT_TRUE(ModeWrites().empty());
    EXPECT_FALSE(ModeStored());
    ExpectStationSet();

    // Back from the access point while another process holds the soft-AP library.
    mainWindow.SwitchPageSet(1);
    ASSERT_TRUE(ap.Set("MoreThanOneProcess", 1));
    ap.ClearJournal();
    Click(IDC_KELVO_STATION_MODE);
    EXPECT_EQ(2u, boxes.size());
    EXPECT_EQ(1, mainWindow.m_bSoftAPMode);
    EXPECT_FALSE(ModeStored());
    for (const std::string& line : ap.Journal()) EXPECT_NE(0u, line.rfind("QXAP_SetOPMode", 0)) << line;
}

}  // namespace
