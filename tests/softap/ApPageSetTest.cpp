// The classic access-point pages inside the main window's page container: the configuration page
// hands its block to the security dialog and back, and one APPLY writes both and publishes the
// access point's profile.
#include "skin/MainWindowFixture.h"
#include "core/QXAPLIB.h"
#include "skin/KelvoPageUIDlg.h"
#include "softap/AuthSecuDlg.h"
#include "softap/MacTablePage.h"
#include "softap/ConfigPage.h"
#include "softap/SoftApSim.h"

namespace {

class ApPageSet : public skin_test::MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ASSERT_TRUE(ap.Loaded());
        ASSERT_TRUE(ap.Reset());
        ASSERT_TRUE(QXAPAPI.LoadApi(softap_test::SoftApSim::LibraryPath().c_str()));
        G_LangTable.IDS_PHY_24G = "2.4 GHz";
        G_LangTable.IDS_PHY_5G = "5 GHz";
        G_LangTable.IDS_AUTO = "Auto";
        G_LangTable.IDS_WPA2PSK = "WPA2-PSK";
        G_LangTable.IDS_AES = "AES";
        G_nApDefaultFallbackCount = 0;
        // The main window again, now in access-point mode.
        mainWindow.DestroyWindow();
        hide.m_nOpMode = OP_MODE_AP;
        hide.m_pQxUI = &mainWindow;
        ASSERT_TRUE(mainWindow.Create());
    }
    void TearDown() override
    {
        hide.m_pQxUI = nullptr;
        MainWindowTest::TearDown();
    }
    static void Press(CWnd& dlg, int id)
    {
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dlg.m_hWnd, id)));
    }
    static void Choose(CWnd& dlg, int id, LPCSTR text)
    {
        HWND combo = ::GetDlgItem(dlg.m_hWnd, id);
        ::SendMessageA(combo, CB_SETCURSEL, ::SendMessageA(combo, CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(text)), 0);
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    }
    softap_test::SoftApSim ap;
};

TEST_F(ApPageSet, ASecurityChosenInTheDialogIsAppliedWithTheConfiguration)
{
    mainWindow.ShowSiteSurveyTab();
    CConfigPage* page = mainWindow.m_pConfigPage;
    ASSERT_TRUE(Visible(page));
    char ssid[64] = {};
    ::GetDlgItemTextA(page->m_hWnd, IDC_APCFG_SSID, ssid, sizeof ssid);
    EXPECT_STREQ("Kelvo_WLAN", ssid);
    page->SetDlgItemText(IDC_APCFG_SSID, "Office");
    Choose(*page, IDC_APCFG_CHANNEL, "11");

    Press(*page, IDC_APCFG_SECURITY);
    CAuthSecuDlg* security = mainWindow.m_pAuthSecuDlg;
    ASSERT_TRUE(Visible(security));
    EXPECT_FALSE(Visible(page));
    Choose(*security, IDC_APSEC_AUTH, "WPA2-PSK");
    Choose(*security, IDC_APSEC_ENCRY, "AES");
    security->SetDlgItemText(IDC_APSEC_PSK, "officekey1");
    ap.ClearJournal();
    Press(*security, IDOK);
    EXPECT_TRUE(Visible(page));
    EXPECT_TRUE(ap.Journal().empty()) << "nothing reaches the library before APPLY";

    Press(*page, IDC_APCFG_APPLY);
    AP_CONFIG_DATA stored{};
    QXAPAPI.QXAP_ReadConfigData(&stored);
    EXPECT_EQ("Office", std::string(reinterpret_cast<const char*>(stored.Ssid.Ssid), stored.Ssid.SsidLength));
    EXPECT_EQ(static_cast<ULONG>(QXAPAPI.QXAP_ChannelToFrequency(11)), stored.lFreq);
    EXPECT_EQ(7u, stored.enumAuthenMode);
    EXPECT_EQ(6u, stored.enumEncryStatus);
    EXPECT_EQ("officekey1", std::string(reinterpret_cast<const char*>(stored.chPskKey), stored.nPskKeyLen));
    EXPECT_EQ("Office", ap.WindowsProfile());
}

TEST_F(ApPageSet, TheStationTableFillsWithinItsRefreshWhileTheLinkTabShows)
{
    ASSERT_TRUE(ap.Load("[World]\nOpMode=1\n"));
    ASSERT_EQ(1, QXAPAPI.QXAP_InitAPSettings());
    mainWindow.ShowLinkInfoTab();
    ASSERT_TRUE(Visible(mainWindow.m_pMacTablePage));
    ASSERT_TRUE(ap.Join("00:11:22:33:44:55"));
    ASSERT_TRUE(ap.Join("00:11:22:33:44:66"));
    CListCtrl& list = mainWindow.m_pMacTablePage->m_list;
    EXPECT_TRUE(testing_support::PumpUntil([&] { return list.GetItemCount() == 2; }, 3000));
}

}  // namespace
