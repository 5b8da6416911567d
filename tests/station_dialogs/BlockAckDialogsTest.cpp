// The Block-Ack dialogs: the peer list, the request each sends and how a failure is reported.
#include "StationDialogsFixture.h"
#include "station/BlockAckPeerList.h"
#include "station/CAddBlockAckDlg.h"
#include "station/CDeleteBlockAckDlg.h"
#include "skin/KelvoPageUIDlg.h"

#include <cstring>

using station_dialogs_test::StationDialogsTest;

namespace {
constexpr char kCorp[] = "00-1A-2B-44-71-04";
constexpr char kN300[] = "00-1A-2B-44-71-06";

template <typename Dialog>
class BlockAckTest : public StationDialogsTest {
protected:
    void SetUp() override
    {
        StationDialogsTest::SetUp();
        Watch(MSG_ADD_BA_DLG);
        Watch(MSG_DELETE_BA_DLG);
        front.ShowWindow(SW_SHOW);
        ASSERT_TRUE(dlg.Create(Dialog::IDD, &front));
    }
    void TearDown() override
    {
        dlg.DestroyWindow();
        StationDialogsTest::TearDown();
    }
    void Open()
    {
        dlg.ShowWindow(SW_HIDE);
        sim.ClearJournal();
        dlg.ShowWindow(SW_SHOW);
    }
    CListCtrl& List() { return *static_cast<CListCtrl*>(dlg.GetDlgItem(IDC_BA_BSSID_LIST)); }
    std::vector<std::string> Rows()
    {
        std::vector<std::string> rows;
        for (int i = 0; i < List().GetItemCount(); ++i) rows.push_back(List().GetItemText(i, 0).GetString());
        return rows;
    }
    void Click(int id) { ClickButton(dlg, id); }
    void SelectTid(int tid) { ::SendDlgItemMessageA(dlg.GetSafeHwnd(), IDC_BA_TID_COMBO, CB_SETCURSEL, tid, 0); }
    void ConnectN300()
    {
        WLANPROFILE p = {};
        const char ssid[] = "Quixen-N300";
        p.SSID.SsidLength = sizeof ssid - 1;
        memcpy(p.SSID.Ssid, ssid, sizeof ssid - 1);
        p.enumAuthenMode = AUTH_WPA2_PSK;
        p.enumEncryStatus = ENCRY_AES;
        p.enumNetworkType = NETWORK_INFRASTRUCTURE;
        strcpy(p.chPskKey, "quixen300");
        QXWLAPI.QXWL_SetWLANProfile(&p);
        EXPECT_TRUE(sim.WaitIdle(testing_support::kWaitBoundMs));
    }
    Dialog dlg;
};

using AddBlockAckTest = BlockAckTest<CAddBlockAckDlg>;
using DeleteBlockAckTest = BlockAckTest<CDeleteBlockAckDlg>;
}  // namespace

TEST_F(AddBlockAckTest, ListsTheDriversPeersInOrderAndSelectsTheFirst)
{
    Open();
    EXPECT_EQ((std::vector<std::string>{kCorp, kN300}), Rows());
    EXPECT_EQ(0, GetSelectedRow(List()));
    EXPECT_EQ(1u, Calls("QXWL_OIDQueryInfo(0xFF0C0029, 324)").size());
}

TEST_F(AddBlockAckTest, PutsTheAssociatedAccessPointFirst)
{
    ConnectN300();
    Open();
    EXPECT_EQ((std::vector<std::string>{kN300, kCorp}), Rows());
    EXPECT_EQ(0, GetSelectedRow(List()));
}

TEST_F(AddBlockAckTest, ListsNoMorePeersThanTheAnswerHolds)
{
    ASSERT_TRUE(sim.Set("BlockAckPeers", 40));
    sim.Set("OsCode", 9);
    Open();
    EXPECT_EQ(32u, Rows().size());
    EXPECT_EQ(1u, Calls("QXWL_OIDQueryInfo(0x0D71010B, 324)").size());
}

TEST_F(AddBlockAckTest, AFailingPeerQueryLeavesTheListEmptyAndConfirmIsRefused)
{
    G_LangTable.IDS_ADD_BLOCKACK_BSSID_ERR_MSG = "no peer chosen";
    testing_support::MessageBoxCapture boxes;
    sim.Set("BlockAckPeersFail", 1);
    Open();
    EXPECT_TRUE(Rows().empty());
    Click(IDC_CLASSIC_OK);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ(G_LangTable.IDS_ADD_BLOCKACK_BSSID_ERR_MSG, boxes.Boxes()[0].text);
    EXPECT_TRUE(Calls("QXWL_AddIMMEBA").empty());
    EXPECT_TRUE(front.reports.empty());
}

TEST_F(AddBlockAckTest, ConfirmSendsTheRequestAsOriginatorOrRecipient)
{
    dlg.m_bOriginator = 1;
    Open();
    SelectTid(5);
    ::SetDlgItemTextA(dlg.GetSafeHwnd(), IDC_BA_WINDOW_SIZE, "64");
    Click(IDC_CLASSIC_OK);
    EXPECT_EQ(1u, Calls("QXWL_AddIMMEBA(00:00:1A:2B:44:71:04:05:40:00:00:00:00:00)").size());
    ASSERT_EQ(1u, front.reports.size());
    EXPECT_EQ(static_cast<UINT>(MSG_ADD_BA_DLG), front.reports[0].message);
    EXPECT_EQ(0u, front.reports[0].wParam);

    dlg.m_bOriginator = 0;
    Open();
    Click(IDC_CLASSIC_OK);
    EXPECT_EQ(1u, Calls("QXWL_AddIMMEBA(01:00:1A:2B:44:71:04:05:40:00:00:00:00:00)").size());
}

TEST_F(AddBlockAckTest, RefusesASizeThatIsNotANumberOrOutsideOneToSixtyFourAndSendsNothing)
{
    G_LangTable.IDS_ADD_BLOCKACK_ORI_WM_SIZE_ERR_MSG = "originator 1 to 64";
    G_LangTable.IDS_ADD_BLOCKACK_REC_WM_SIZE_ERR_MSG = "recipient 1 to 64";
    testing_support::MessageBoxCapture boxes;
    Open();
    // Not a number first: the size kept from before (32) must not go out instead.
    for (const char* size : {"abc", "", "65", "0"}) {
        ::SetDlgItemTextA(dlg.GetSafeHwnd(), IDC_BA_WINDOW_SIZE, size);
        Click(IDC_CLASSIC_OK);
    }
    dlg.m_bOriginator = 1;
    ::SetDlgItemTextA(dlg.GetSafeHwnd(), IDC_BA_WINDOW_SIZE, "65");
    Click(IDC_CLASSIC_OK);
    ASSERT_EQ(5u, boxes.Count());
    EXPECT_STREQ("recipient 1 to 64", boxes.Boxes()[2].text);
    EXPECT_STREQ("originator 1 to 64", boxes.Boxes()[4].text);
    EXPECT_TRUE(Calls("QXWL_AddIMMEBA").empty());
    EXPECT_TRUE(front.reports.empty());  // the dialog stays for a size it can send
}

TEST_F(AddBlockAckTest, CancelOnlyReports)
{
    Open();
    Click(IDC_CLASSIC_CANCEL);
    EXPECT_TRUE(Calls("QXWL_AddIMMEBA").empty());
    ASSERT_EQ(1u, front.reports.size());
    EXPECT_EQ(0u, front.reports[0].wParam);
}

TEST_F(DeleteBlockAckTest, AllTidsVariantSendsTheFlagWithTheLastTid)
{
    dlg.SetVariant(1);
    Open();
    SelectTid(3);
    dlg.SetVariant(2);
    Open();
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(dlg.GetSafeHwnd(), IDC_BA_TID_COMBO)));
    Click(IDC_CLASSIC_OK);
    EXPECT_EQ(1u, Calls("QXWL_OIDSetInfo(0xFF8C0027, 14, 00:00:1A:2B:44:71:04:03:00:00:00:00:01:00)").size());
    ASSERT_EQ(1u, front.reports.size());
    EXPECT_EQ(static_cast<UINT>(MSG_DELETE_BA_DLG), front.reports[0].message);
}

TEST_F(DeleteBlockAckTest, RecipientVariantsShowTheTidChoiceAgain)
{
    dlg.SetVariant(4);
    Open();
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(dlg.GetSafeHwnd(), IDC_BA_TID_LABEL)));
    dlg.SetVariant(3);
    Open();
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(dlg.GetSafeHwnd(), IDC_BA_TID_COMBO)));
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(dlg.GetSafeHwnd(), IDC_BA_TID_LABEL)));
    sim.Set("OsCode", 9);
    Click(IDC_CLASSIC_OK);
    EXPECT_EQ(1u, Calls("QXWL_OIDSetInfo(0x0DF1013A, 14, 01:00:1A:2B:44:71:04:00:00:00:00:00:00:00)").size());
}

TEST_F(DeleteBlockAckTest, UnknownVariantLeavesTheFlags)
{
    dlg.SetVariant(2);
    dlg.SetVariant(7);
    EXPECT_EQ(1u, dlg.m_bOriginator);
    EXPECT_EQ(1u, dlg.m_bAllTids);
    EXPECT_EQ(0u, dlg.m_bTidChoice);
}

TEST_F(DeleteBlockAckTest, NoPeerIsRefused)
{
    testing_support::MessageBoxCapture boxes;
    sim.Set("BlockAckPeers", 0);
    Open();
    Click(IDC_CLASSIC_OK);
    EXPECT_EQ(1u, boxes.Count());
    EXPECT_TRUE(Calls("QXWL_OIDSetInfo").empty());
}

TEST(MacTextToBytes, DecodesTheFirstTwelveDigitsAndIgnoresDashes)
{
    UCHAR mac[6] = {9, 9, 9, 9, 9, 9};
    MacTextToBytes(mac, "00-1A-2B-44-71-0F-FF");
    const UCHAR expected[6] = {0x00, 0x1A, 0x2B, 0x44, 0x71, 0x0F};
    EXPECT_EQ(0, memcmp(expected, mac, 6));
    MacTextToBytes(mac, "AB-CD");
    const UCHAR shortText[6] = {0xAB, 0xCD, 0, 0, 0, 0};
    EXPECT_EQ(0, memcmp(shortText, mac, 6));
}

TEST_F(AddBlockAckTest, ALibraryFailureIsReportedAndTheDialogStays)
{
    testing_support::MessageBoxCapture boxes;
    sim.Set("BlockAckRequestFails", 1);
    Open();
    Click(IDC_CLASSIC_OK);
    EXPECT_EQ(1u, Calls("QXWL_AddIMMEBA").size());
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("The Block-Ack agreement could not be set up.", boxes.Boxes()[0].text);
    EXPECT_TRUE(front.reports.empty());
}

TEST_F(DeleteBlockAckTest, ALibraryFailureIsReportedAndTheDialogStays)
{
    testing_support::MessageBoxCapture boxes;
    sim.Set("BlockAckRequestFails", 1);
    dlg.SetVariant(1);
    Open();
    Click(IDC_CLASSIC_OK);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("The Block-Ack agreement could not be torn down.", boxes.Boxes()[0].text);
    EXPECT_TRUE(front.reports.empty());
}
