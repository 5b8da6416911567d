// The 802.11n settings page's Block-Ack buttons, ack-policy boxes and control states.
#include "StationDialogsFixture.h"
#include "station/CPage80211nSettingDlg.h"
#include "skin/KelvoPageUIDlg.h"

using station_dialogs_test::StationDialogsTest;

namespace {
class Page80211nSettingTest : public StationDialogsTest {
protected:
    void SetUp() override
    {
        StationDialogsTest::SetUp();
        Watch(MSG_ADD_BA_DLG);
        Watch(MSG_DELETE_BA_DLG);
        ASSERT_TRUE(page.Create(CPage80211nSettingDlg::IDD, &front));
    }
    void TearDown() override
    {
        page.DestroyWindow();
        StationDialogsTest::TearDown();
    }
    void Click(int id) { ClickButton(page, id); }
    void Check(int id, bool on)
    {
        ::CheckDlgButton(page.GetSafeHwnd(), id, on ? BST_CHECKED : BST_UNCHECKED);
        Click(id);
    }
    bool Enabled(int id) { return ::IsWindowEnabled(::GetDlgItem(page.GetSafeHwnd(), id)) != FALSE; }
    CPage80211nSettingDlg page;
};
const int kBlockAckButtons[] = {IDC_11N_ORI_ADD, IDC_11N_ORI_DEL, IDC_11N_ORI_DEL_ALL,
                                IDC_11N_REC_ADD, IDC_11N_REC_DEL, IDC_11N_REC_DEL_ALL};
}  // namespace

TEST_F(Page80211nSettingTest, EachBlockAckButtonAsksForItsDialogVariant)
{
    Check(IDC_11N_MPDU_AGGREGATION, true);
    for (int id : kBlockAckButtons) Click(id);
    ASSERT_EQ(6u, front.reports.size());
    const UINT messages[] = {MSG_ADD_BA_DLG, MSG_DELETE_BA_DLG, MSG_DELETE_BA_DLG,
                             MSG_ADD_BA_DLG, MSG_DELETE_BA_DLG, MSG_DELETE_BA_DLG};
    const LPARAM variants[] = {1, 1, 2, 0, 3, 4};
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(messages[i], front.reports[i].message) << i;
        EXPECT_EQ(3u, front.reports[i].wParam) << i;
        EXPECT_EQ(variants[i], front.reports[i].lParam) << i;
    }
}

TEST_F(Page80211nSettingTest, AutoModeDisablesTheBlockAckButtonsAndManualEnablesThem)
{
    Check(IDC_11N_MPDU_AGGREGATION, true);
    Check(IDC_11N_AGG_AUTO, true);
    ::CheckDlgButton(page.GetSafeHwnd(), IDC_11N_AGG_MANUAL, BST_UNCHECKED);
    Click(IDC_11N_AGG_AUTO);
    for (int id : kBlockAckButtons) EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_TRUE(Enabled(IDC_11N_MPDU_DENSITY));
    ::CheckDlgButton(page.GetSafeHwnd(), IDC_11N_AGG_AUTO, BST_UNCHECKED);
    Check(IDC_11N_AGG_MANUAL, true);
    for (int id : kBlockAckButtons) EXPECT_TRUE(Enabled(id)) << id;
}

TEST_F(Page80211nSettingTest, UncheckingAggregationDisablesEveryAggregationControl)
{
    Check(IDC_11N_MPDU_AGGREGATION, false);
    for (int id : kBlockAckButtons) EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_FALSE(Enabled(IDC_11N_MPDU_DENSITY));
    EXPECT_FALSE(Enabled(IDC_11N_AGG_MANUAL));
    EXPECT_FALSE(Enabled(IDC_11N_AGG_AUTO));
}

TEST_F(Page80211nSettingTest, AmsduLengthFollowsTheAmsduBox)
{
    Check(IDC_11N_AMSDU, true);
    EXPECT_TRUE(Enabled(IDC_11N_AMSDU_3839));
    EXPECT_TRUE(Enabled(IDC_11N_AMSDU_7935));
    Check(IDC_11N_AMSDU, false);
    EXPECT_FALSE(Enabled(IDC_11N_AMSDU_3839));
    EXPECT_FALSE(Enabled(IDC_11N_AMSDU_7935));
}

TEST_F(Page80211nSettingTest, AckPolicyIsStoredThenApplied)
{
    Check(IDC_11N_ACK_VI, true);
    const auto calls = Calls("QXWL_");
    ASSERT_EQ(2u, calls.size());
    EXPECT_EQ("QXWL_WriteAckPolicy(0, 0, 1, 0)", calls[0]);
    EXPECT_EQ("QXWL_SetAckPolicy(0, 0, 1, 0)", calls[1]);
}

TEST_F(Page80211nSettingTest, AckPolicyIsAppliedWithoutTheStoringEntryPoint)
{
    const auto write = QXWLAPI.QXWL_WriteAckPolicy;
    QXWLAPI.QXWL_WriteAckPolicy = nullptr;
    Check(IDC_11N_ACK_BE, true);
    QXWLAPI.QXWL_WriteAckPolicy = write;
    EXPECT_TRUE(Calls("QXWL_WriteAckPolicy").empty());
    EXPECT_EQ(1u, Calls("QXWL_SetAckPolicy(1, 0, 0, 0)").size());
}

TEST(BaTidRow, KeepsItsFiveArgumentsInOrder)
{
    const UCHAR mac[6] = {1, 2, 3, 4, 5, 6};
    const BA_TID_ROW row(mac, 7, 0x1234, 0x5678, 0x9ABC, 1);
    EXPECT_EQ(0, memcmp(mac, row.PeerMac, 6));
    EXPECT_EQ(7, row.TID);
    EXPECT_EQ(0x1234, row.Value1);
    EXPECT_EQ(0x5678, row.Value2);
    EXPECT_EQ(0x9ABC, row.Word);
    EXPECT_EQ(1u, row.bTidSet);
}
