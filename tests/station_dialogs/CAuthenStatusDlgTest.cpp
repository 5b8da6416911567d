// The authentication-status window: status texts handed over by the 802.1X callback.
#include "StationDialogsFixture.h"
#include "station/CAuthenStatusDlg.h"
#include "skin/KelvoPageUIDlg.h"

using station_dialogs_test::StationDialogsTest;

namespace {
CString StatusText(int i)
{
    CString s;
    s.Format("status %d", i);
    return s;
}

class AuthenStatusDlgTest : public StationDialogsTest {
protected:
    void SetUp() override
    {
        StationDialogsTest::SetUp();
        G_LangTable.IDS_STATIC_CARDNAME = "Card:";
        G_LangTable.IDS_STATIC_PROFILENAME = "Profile:";
        Watch(MSG_AUTHEN_STATUS_DLG);
        ASSERT_TRUE(dlg.Create(CAuthenStatusDlg::IDD, &front));
    }
    void TearDown() override
    {
        dlg.DestroyWindow();
        StationDialogsTest::TearDown();
    }
    BOOL Post(const char* text)
    {
        auto* record = new AUTH_STATUS_TEXT{text};
        if (::PostMessageA(dlg.GetSafeHwnd(), MSG_AUTH_STATUS_TEXT, 0, reinterpret_cast<LPARAM>(record)))
            return TRUE;
        delete record;
        return FALSE;
    }
    CAuthenStatusDlg dlg;
};
}  // namespace

TEST_F(AuthenStatusDlgTest, ListsEveryTextOfABurstInOrder)
{
    constexpr int kBurst = 50;
    for (int i = 0; i < kBurst; ++i)
        ASSERT_TRUE(Post(StatusText(i).GetString()));
    ASSERT_TRUE(testing_support::PumpPending());  // every posted text handled
    ASSERT_EQ(static_cast<size_t>(kBurst), dlg.GetEntries().size());
    for (int i = 0; i < kBurst; ++i)
        EXPECT_STREQ(StatusText(i), dlg.GetEntries()[i].strText) << i;
}

TEST_F(AuthenStatusDlgTest, StampsEachEntryWithTheTimeToTheMillisecond)
{
    ASSERT_TRUE(Post("Authenticating"));
    ASSERT_TRUE(Post(""));
    ASSERT_TRUE(testing_support::PumpPending());
    ASSERT_EQ(2u, dlg.GetEntries().size());
    const CString& time = dlg.GetEntries()[0].strTime;
    ASSERT_EQ(13, time.GetLength());  // "hh:mm:ss.mmm "
    EXPECT_EQ(':', time[2]);
    EXPECT_EQ('.', time[8]);
    EXPECT_EQ(' ', time[12]);
    EXPECT_STREQ("NULL STRING", dlg.GetEntries()[1].strText);
}

TEST_F(AuthenStatusDlgTest, SizesTheListToTheEntries)
{
    ASSERT_TRUE(Post("EAP success"));
    ASSERT_TRUE(testing_support::PumpPending());
    ASSERT_EQ(1, static_cast<CListCtrl*>(dlg.GetDlgItem(IDC_AUTH_STATUS_LIST))->GetItemCount());
}

TEST_F(AuthenStatusDlgTest, AnOkTextClearsTheListAndTellsTheOwner)
{
    ASSERT_TRUE(Post("one"));
    ASSERT_TRUE(Post("OK"));
    ASSERT_TRUE(Post("two"));
    ASSERT_TRUE(testing_support::PumpPending());
    ASSERT_EQ(1u, dlg.GetEntries().size());
    EXPECT_STREQ("two", dlg.GetEntries()[0].strText);
    ASSERT_EQ(1u, front.reports.size());
    EXPECT_EQ(3u, front.reports[0].wParam);
}

TEST_F(AuthenStatusDlgTest, ANullRecordAddsNothing)
{
    dlg.SendMessage(MSG_AUTH_STATUS_TEXT, 0, 0);
    EXPECT_TRUE(dlg.GetEntries().empty());
}

TEST_F(AuthenStatusDlgTest, ShowsTheCardAndActiveProfileNames)
{
    EXPECT_EQ(0, dlg.m_strCardName.Find(G_LangTable.IDS_STATIC_CARDNAME));
    EXPECT_GT(dlg.m_strCardName.GetLength(), G_LangTable.IDS_STATIC_CARDNAME.GetLength() + 1);
    EXPECT_EQ(0, dlg.m_strProfileName.Find(G_LangTable.IDS_STATIC_PROFILENAME));
}

TEST_F(AuthenStatusDlgTest, CancelStopsTheAuthenticationParksTheAdapterAndResets)
{
    ASSERT_TRUE(Post("Authenticating"));
    ASSERT_TRUE(testing_support::PumpPending());
    sim.ClearJournal();
    ClickButton(dlg, IDC_CLASSIC_CANCEL);
    EXPECT_TRUE(dlg.GetEntries().empty());
    ASSERT_EQ(1u, front.reports.size());
    EXPECT_EQ(2u, front.reports[0].wParam);
    EXPECT_EQ(1u, Calls("QXWL_StopAuth").size());
    EXPECT_EQ(1u, Calls("QXWL_Disassociate").size());
    EXPECT_EQ(1u, Calls("QXWL_SetSSID").size());
}

TEST_F(AuthenStatusDlgTest, OkTellsTheOwnerAndResets)
{
    ASSERT_TRUE(Post("Authenticating"));
    ASSERT_TRUE(testing_support::PumpPending());
    ClickButton(dlg, IDC_CLASSIC_OK);
    EXPECT_TRUE(dlg.GetEntries().empty());
    ASSERT_EQ(1u, front.reports.size());
    EXPECT_EQ(0u, front.reports[0].wParam);
    EXPECT_TRUE(Calls("QXWL_StopAuth").empty());
}

TEST_F(AuthenStatusDlgTest, OkAndCancelSitCentredAsAPairUnderTheList)
{
    auto rectOf = [&](int id) {
        RECT rc = {};
        ::GetWindowRect(::GetDlgItem(dlg.GetSafeHwnd(), id), &rc);
        return rc;
    };
    const RECT list = rectOf(IDC_AUTH_STATUS_LIST), ok = rectOf(IDC_CLASSIC_OK), cancel = rectOf(IDC_CLASSIC_CANCEL);
    EXPECT_LT(ok.right, cancel.left);
    EXPECT_NEAR((list.left + list.right) / 2.0, (ok.left + cancel.right) / 2.0, 1.0);
    EXPECT_GE(ok.top, list.bottom);
}

TEST_F(AuthenStatusDlgTest, TheListIsHeadedByACaptionedSeparator)
{
    HWND separator = ::GetDlgItem(dlg.GetSafeHwnd(), IDC_AUTH_SEPARATOR);
    EXPECT_NE(nullptr, dynamic_cast<CSeparator*>(CWnd::FromHandlePermanent(separator)));
    char text[64] = {};
    ::GetWindowTextA(separator, text, sizeof text);
    EXPECT_STREQ("Authentication Status List", text);
}
