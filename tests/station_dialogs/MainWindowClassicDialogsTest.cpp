// The main window shows its classic dialogs on the requests of the pages and hides them on
// the dialogs' reports.
#include "StationDialogsFixture.h"
#include "skin/KelvoPageProfileDlg.h"
#include "station/CAddBlockAckDlg.h"
#include "station/CDeleteBlockAckDlg.h"
#include "station/CHiddenSsidDlg.h"
#include "station/CInvalidIDPW.h"
#include "station/CLinkStatusDlg.h"
#include "skin/KelvoPageUIDlg.h"
#include "skin/KelvoPageSiteSurveyDlg.h"

#include <cstring>
#include <string>

using station_dialogs_test::StationDialogsTest;

namespace {
class MainWindowClassicTest : public StationDialogsTest {
protected:
    void SetUp() override
    {
        StationDialogsTest::SetUp();
        G_bCreateDefaultProfile = 0;  // no default profile at start-up
        ASSERT_TRUE(mainWindow.Create());
        mainWindow.ShowWindow(SW_SHOW);
        app.m_pMainWnd = &mainWindow;
    }
    void TearDown() override
    {
        app.m_pMainWnd = &front;
        mainWindow.DestroyWindow();
        StationDialogsTest::TearDown();
    }
    static bool Visible(CWnd* wnd) { return wnd && ::IsWindowVisible(wnd->GetSafeHwnd()); }
    CKelvoPageUIDlg mainWindow{nullptr};
};
}  // namespace

TEST_F(MainWindowClassicTest, CreatesItsClassicDialogsHiddenAsChildren)
{
    // Their windows are made on first use.
    for (int n : {CKelvoPageUIDlg::kAddBlockAck, CKelvoPageUIDlg::kDeleteBlockAck, CKelvoPageUIDlg::kHiddenSsid,
                  CKelvoPageUIDlg::kInvalidIdPw})
        ASSERT_NE(nullptr, mainWindow.EnsureClassicDialog(n));
    for (CWnd* dlg : std::initializer_list<CWnd*>{
             mainWindow.m_pAddBlockAckDlg, mainWindow.m_pDeleteBlockAckDlg,
             mainWindow.m_pHiddenSsidDlg, mainWindow.m_pInvalidIDPW}) {
        ASSERT_NE(nullptr, dlg);
        EXPECT_FALSE(Visible(dlg));
        EXPECT_EQ(mainWindow.GetSafeHwnd(), ::GetParent(dlg->GetSafeHwnd()));
    }
    EXPECT_NE(nullptr, mainWindow.m_pAPDetailInfoDlg);
    EXPECT_NE(nullptr, mainWindow.m_pAuthenStatusDlg);
}

TEST_F(MainWindowClassicTest, AddDialogOpensForTheDirectionAndClosesOnItsReport)
{
    mainWindow.SendMessage(MSG_ADD_BA_DLG, 3, 1);
    EXPECT_TRUE(Visible(mainWindow.m_pAddBlockAckDlg));
    EXPECT_EQ(1u, mainWindow.m_pAddBlockAckDlg->m_bOriginator);
    ClickButton(*mainWindow.m_pAddBlockAckDlg, IDC_CLASSIC_CANCEL);
    EXPECT_FALSE(Visible(mainWindow.m_pAddBlockAckDlg));
    mainWindow.SendMessage(MSG_ADD_BA_DLG, 3, 0);
    EXPECT_EQ(0u, mainWindow.m_pAddBlockAckDlg->m_bOriginator);
}

TEST_F(MainWindowClassicTest, DeleteDialogTakesItsVariant)
{
    mainWindow.SendMessage(MSG_DELETE_BA_DLG, 3, 4);
    EXPECT_TRUE(Visible(mainWindow.m_pDeleteBlockAckDlg));
    EXPECT_EQ(0u, mainWindow.m_pDeleteBlockAckDlg->m_bOriginator);
    EXPECT_EQ(1u, mainWindow.m_pDeleteBlockAckDlg->m_bAllTids);
    mainWindow.SendMessage(MSG_DELETE_BA_DLG, 0, 0);
    EXPECT_FALSE(Visible(mainWindow.m_pDeleteBlockAckDlg));
}

TEST_F(MainWindowClassicTest, ShowsOneClassicDialogAtATime)
{
    mainWindow.ShowClassicDialog(2);
    mainWindow.SendMessage(MSG_HIDDEN_SSID_DLG, 2, 0);
    EXPECT_TRUE(Visible(mainWindow.m_pHiddenSsidDlg));
    EXPECT_FALSE(Visible(mainWindow.m_pAddBlockAckDlg));
    mainWindow.SendMessage(MSG_HIDDEN_SSID_DLG, 0, 0);
    EXPECT_FALSE(Visible(mainWindow.m_pHiddenSsidDlg));
}

TEST_F(MainWindowClassicTest, ReloginDialogShowsOnRequestAndHidesOnCancel)
{
    mainWindow.SendMessage(MSG_INVALID_IDPW_DLG, 8, 0);
    ASSERT_TRUE(Visible(mainWindow.m_pInvalidIDPW));
    ClickButton(*mainWindow.m_pInvalidIDPW, IDC_CLASSIC_CANCEL);
    EXPECT_FALSE(Visible(mainWindow.m_pInvalidIDPW));
}

TEST_F(MainWindowClassicTest, ClosingTheAccessPointDetailsShowsTheLinkStatus)
{
    mainWindow.ShowClassicDialog(1);
    mainWindow.SendMessage(MSG_APDETAIL_DLG, 0, 0);
    EXPECT_TRUE(Visible(mainWindow.m_pLinkStatusDlg));
    mainWindow.ShowClassicDialog(2);
    EXPECT_FALSE(Visible(mainWindow.m_pLinkStatusDlg));
}

TEST_F(MainWindowClassicTest, ConfirmedHiddenNameGoesToTheSiteSurveyPageAndCancelLeavesIt)
{
    CKelvoPageSiteSurveyDlg survey;
    mainWindow.m_pPageSiteSurveyDlg = &survey;
    CHiddenSsidDlg& prompt = *mainWindow.m_pHiddenSsidDlg;
    auto confirm = [&](const char* name, int button) {
        mainWindow.SendMessage(MSG_HIDDEN_SSID_DLG, 2, 0);
        ::SetDlgItemTextA(prompt.GetSafeHwnd(), IDC_HIDDEN_SSID_EDIT, name);
        ClickButton(prompt, button);
    };
    auto pending = [&] {
        return std::string(reinterpret_cast<const char*>(survey.m_PendingSsid.Ssid), survey.m_PendingSsid.SsidLength);
    };

    confirm("Quixen-Hidden", IDC_CLASSIC_OK);
    EXPECT_EQ("Quixen-Hidden", pending());
    EXPECT_FALSE(Visible(&prompt));
    // A full-length name carries no terminator; nothing of the longer name before stays.
    const char full[] = "0123456789abcdef0123456789ABCDEF";
    confirm(full, IDC_CLASSIC_OK);
    EXPECT_EQ(32u, survey.m_PendingSsid.SsidLength);
    EXPECT_EQ(0, memcmp(full, survey.m_PendingSsid.Ssid, 32));
    confirm("Cafe", IDC_CLASSIC_OK);
    EXPECT_EQ("Cafe", pending());
    EXPECT_EQ(0, survey.m_PendingSsid.Ssid[4]);

    confirm("Other", IDC_CLASSIC_CANCEL);
    EXPECT_EQ("Cafe", pending());
    EXPECT_FALSE(Visible(&prompt));
    mainWindow.m_pPageSiteSurveyDlg = nullptr;
}

TEST_F(MainWindowClassicTest, AConfirmedReloginForAWpaProfileLeavesTheDialog)
{
    mainWindow.SendMessage(MSG_INVALID_IDPW_DLG, 8, 0);
    ASSERT_TRUE(Visible(mainWindow.m_pInvalidIDPW));
    mainWindow.SendMessage(MSG_AUTHEN_STATUS_DLG, CInvalidIDPW::kReloginWpaOrPlain, 0);
    EXPECT_FALSE(Visible(mainWindow.m_pInvalidIDPW));
}
