// The 802.11n settings page: Block-Ack buttons, ack-policy boxes, control states, the stored capability and the agreement lists.
#include "StationDialogsFixture.h"
#include "station/CPage80211nSettingDlg.h"
#include "station/BlockAckCapability.h"
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
        sim.ClearJournal();
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
    void ClearAckPolicyBoxes()
    {
        for (int id : {IDC_11N_ACK_BE, IDC_11N_ACK_BK, IDC_11N_ACK_VI, IDC_11N_ACK_VO})
            ::CheckDlgButton(page.GetSafeHwnd(), id, BST_UNCHECKED);
    }
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

TEST_F(Page80211nSettingTest, PickingManualOrAutoSwitchesTheBlockAckButtonsAtOnce)
{
    Check(IDC_11N_MPDU_AGGREGATION, true);
    ASSERT_FALSE(Enabled(IDC_11N_ORI_ADD));  // a new page is in Auto mode
    ::CheckDlgButton(page.GetSafeHwnd(), IDC_11N_AGG_AUTO, BST_UNCHECKED);
    Check(IDC_11N_AGG_MANUAL, true);
    for (int id : kBlockAckButtons) EXPECT_TRUE(Enabled(id)) << id;
    ::CheckDlgButton(page.GetSafeHwnd(), IDC_11N_AGG_MANUAL, BST_UNCHECKED);
    Check(IDC_11N_AGG_AUTO, true);
    for (int id : kBlockAckButtons) EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_TRUE(Enabled(IDC_11N_MPDU_DENSITY));
    EXPECT_TRUE(Calls("QXWL_SetBACap").empty());  // nothing applied before APPLY
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
    ClearAckPolicyBoxes();
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
    ClearAckPolicyBoxes();
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

namespace {
ULONG g_storedCapability = 0;
ULONG g_setWords[2] = {};
ULONG g_writtenWord = 0;
std::string g_coexMode;
BA_TABLE g_table = {};
BOOL WINAPI ReadStoredCapability(ULONG* word)
{
    *word = g_storedCapability;
    return TRUE;
}
BOOL WINAPI ReadNoCapability(ULONG*) { return FALSE; }
LONG WINAPI CaptureSet(ULONG low, ULONG high)
{
    g_setWords[0] = low;
    g_setWords[1] = high;
    return 0;
}
LONG WINAPI CaptureWrite(ULONG word)
{
    g_writtenWord = word;
    return 0;
}
LONG WINAPI CaptureCoexMode(LPCSTR mode)
{
    g_coexMode = mode;
    return 0;
}
BOOL WINAPI ReadTable(BA_TABLE* table)
{
    *table = g_table;
    return TRUE;
}
BOOL WINAPI FailTable(BA_TABLE*) { return FALSE; }

// Swaps entry points of the station object for the test's own and puts them back.
class CapabilityPage : public Page80211nSettingTest {
protected:
    void SetUp() override
    {
        saved = QXWLAPI;
        Page80211nSettingTest::SetUp();
        QXWLAPI.QXWL_ReadBACap = ReadStoredCapability;
        QXWLAPI.QXWL_SetBACap = CaptureSet;
        QXWLAPI.QXWL_WriteBACap = CaptureWrite;
        QXWLAPI.QXWL_SetCoexMode = CaptureCoexMode;
        QXWLAPI.QXWL_QueryBATable = ReadTable;
    }
    void TearDown() override
    {
        page.ShowWindow(SW_HIDE);
        QXWLAPI.QXWL_ReadBACap = saved.QXWL_ReadBACap;
        QXWLAPI.QXWL_SetBACap = saved.QXWL_SetBACap;
        QXWLAPI.QXWL_WriteBACap = saved.QXWL_WriteBACap;
        QXWLAPI.QXWL_SetCoexMode = saved.QXWL_SetCoexMode;
        QXWLAPI.QXWL_QueryBATable = saved.QXWL_QueryBATable;
        Page80211nSettingTest::TearDown();
    }
    struct Saved {
        PFN_QXWL_ReadBACap QXWL_ReadBACap;
        PFN_QXWL_SetBACap QXWL_SetBACap;
        PFN_QXWL_WriteBACap QXWL_WriteBACap;
        PFN_QXWL_SetCoexMode QXWL_SetCoexMode;
        PFN_QXWL_QueryBATable QXWL_QueryBATable;
        Saved& operator=(const QXWLLIB& lib)
        {
            QXWL_ReadBACap = lib.QXWL_ReadBACap;
            QXWL_SetBACap = lib.QXWL_SetBACap;
            QXWL_WriteBACap = lib.QXWL_WriteBACap;
            QXWL_SetCoexMode = lib.QXWL_SetCoexMode;
            QXWL_QueryBATable = lib.QXWL_QueryBATable;
            return *this;
        }
    } saved{};
    bool Checked(int id) { return ::IsDlgButtonChecked(page.GetSafeHwnd(), id) == BST_CHECKED; }
    int ItemCount(int id) { return static_cast<int>(::SendDlgItemMessageA(page.GetSafeHwnd(), id, LVM_GETITEMCOUNT, 0, 0)); }
};
}  // namespace

TEST_F(CapabilityPage, ShowingLoadsTheStoredCapabilityAndApplyStoresTheSameWord)
{
    g_storedCapability = 0xEB2020;  // A-MSDU 7935, aggregation Auto with density 5, static SMPS
    page.ShowWindow(SW_SHOW);
    EXPECT_TRUE(Checked(IDC_11N_AMSDU_7935));
    EXPECT_TRUE(Checked(IDC_11N_AGG_AUTO));
    EXPECT_TRUE(Checked(IDC_11N_SM_STATIC));
    EXPECT_STREQ("5", page.m_strDensity.GetString());
    Click(IDC_11N_APPLY);
    EXPECT_EQ(0xEB2020u, g_writtenWord);
    EXPECT_EQ(0x05012020u, g_setWords[0]);  // value B, value A, aggregation on, density
    EXPECT_EQ(0x01000101u, g_setWords[1]);  // A-MSDU on, size 7935, static, automatic

    Check(IDC_11N_MPDU_AGGREGATION, false);
    Click(IDC_11N_APPLY);
    EXPECT_EQ(2u, (g_writtenWord >> 17) & 3);
}

TEST_F(CapabilityPage, AmsduOffKeepsTheSizeAndAFailedReadKeepsTheFields)
{
    g_storedCapability = 0xEB2020;
    page.ShowWindow(SW_SHOW);
    page.ShowWindow(SW_HIDE);
    g_storedCapability = 0xEB2020 & ~(1u << 22);  // A-MSDU off, size bit still set
    page.m_nAmsduSize = CPage80211nSettingDlg::kAmsdu3839;
    page.ShowWindow(SW_SHOW);
    EXPECT_EQ(0, page.m_bAmsdu);
    EXPECT_EQ(CPage80211nSettingDlg::kAmsdu3839, page.m_nAmsduSize);
    page.ShowWindow(SW_HIDE);
    QXWLAPI.QXWL_ReadBACap = ReadNoCapability;
    page.m_strDensity = "3";
    page.ShowWindow(SW_SHOW);
    EXPECT_STREQ("3", page.m_strDensity.GetString());
}

TEST_F(CapabilityPage, TheRefreshListsTheAgreementsAndAFailedQueryKeepsThem)
{
    g_table = {};
    g_table.Originator[1].PeerMac[5] = 0x11;
    g_table.Originator[1].TidBitmap = 0x01;
    g_table.OriginatorCount = 1;
    g_table.Recipient[0].TidBitmap = 0x02;
    g_table.RecipientCount = 2;  // more than the agreements: the list stays empty
    page.ShowWindow(SW_SHOW);
    page.SendMessage(WM_TIMER, CPage80211nSettingDlg::kRefreshTimer);
    EXPECT_EQ(1, ItemCount(IDC_11N_ORI_LIST));
    EXPECT_EQ(0, ItemCount(IDC_11N_REC_LIST));
    EXPECT_EQ(8u, page.GetOriginatorBaEntries().size());
    QXWLAPI.QXWL_QueryBATable = FailTable;
    page.SendMessage(WM_TIMER, CPage80211nSettingDlg::kRefreshTimer);
    EXPECT_EQ(1, ItemCount(IDC_11N_ORI_LIST));
}

TEST_F(CapabilityPage, TheChosenCoexistenceModeIsPassedAsWritten)
{
    HWND combo = ::GetDlgItem(page.GetSafeHwnd(), IDC_11N_TGN);
    EXPECT_EQ(13, ::SendMessageA(combo, CB_GETCOUNT, 0, 0));
    ::SendMessageA(combo, CB_SETCURSEL, 3, 0);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_11N_TGN, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ("Send 20/40 BSS COEX Mgmt \"20 BSS Width Request\"", g_coexMode);
}

TEST_F(Page80211nSettingTest, WithoutTheSettingsSwitchTheTestControlsAreHiddenButThePolicyIsStillRead)
{
    page.DestroyWindow();
    QXWLAPI.ACKPolicy_CoexMode_11nPage = 0;
    sim.ClearJournal();
    ASSERT_TRUE(page.Create(CPage80211nSettingDlg::IDD, &front));
    page.ShowWindow(SW_SHOW);
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(page.GetSafeHwnd(), IDC_11N_TGN)));
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(page.GetSafeHwnd(), IDC_11N_ACK_VO)));
    EXPECT_EQ(1u, Calls("QXWL_ReadAckPolicy").size());
    // The stand-in cannot read a policy: it is reset to every category on.
    EXPECT_EQ(1u, Calls("QXWL_WriteAckPolicy(1, 1, 1, 1)").size());
    EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(page.GetSafeHwnd(), IDC_11N_ACK_BK));
}
