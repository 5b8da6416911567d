// The hidden-network name prompt.
#include "StationDialogsFixture.h"
#include "station/CHiddenSsidDlg.h"
#include "skin/KelvoPageUIDlg.h"
#include "ui/CSmartEdit.h"

#include <string>

using station_dialogs_test::StationDialogsTest;

namespace {
class HiddenSsidDlgTest : public StationDialogsTest {
protected:
    void SetUp() override
    {
        StationDialogsTest::SetUp();
        G_LangTable.IDS_HIDDEN_TEXT = "Enter the name of the hidden network.";
        Watch(MSG_HIDDEN_SSID_DLG);
        front.ShowWindow(SW_SHOW);
        ASSERT_TRUE(dlg.Create(CHiddenSsidDlg::IDD, &front));
        dlg.ShowWindow(SW_SHOW);
    }
    void TearDown() override
    {
        dlg.DestroyWindow();
        StationDialogsTest::TearDown();
    }
    HWND Edit() { return ::GetDlgItem(dlg.GetSafeHwnd(), IDC_HIDDEN_SSID_EDIT); }
    void Type(const char* text) { ::SetWindowTextA(Edit(), text); }
    void Click(int id) { ClickButton(dlg, id); }
    CHiddenSsidDlg dlg;
};
}  // namespace

TEST_F(HiddenSsidDlgTest, AnEmptyNameIsRefusedWithThePrompt)
{
    testing_support::MessageBoxCapture boxes;
    Click(IDC_CLASSIC_OK);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ(G_LangTable.IDS_HIDDEN_TEXT, boxes.Boxes()[0].text);
    EXPECT_TRUE(front.reports.empty());
}

TEST_F(HiddenSsidDlgTest, ConfirmsAThirtyTwoCharacterNameOrBlanksUnchanged)
{
    const char name[] = "0123456789ABCDEF0123456789ABCDEF";
    Type(name);
    Click(IDC_CLASSIC_OK);
    EXPECT_STREQ(name, dlg.m_strSSID);
    ASSERT_EQ(1u, front.reports.size());
    EXPECT_EQ(0u, front.reports[0].wParam);
    EXPECT_EQ(1, front.reports[0].lParam);
    Type("   ");
    Click(IDC_CLASSIC_OK);
    EXPECT_STREQ("   ", dlg.m_strSSID);
    EXPECT_EQ(2u, front.reports.size());
}

TEST_F(HiddenSsidDlgTest, TheEditTakesNoMoreThanThirtyTwoCharacters)
{
    EXPECT_EQ(32, ::SendMessageA(Edit(), EM_GETLIMITTEXT, 0, 0));
}

TEST_F(HiddenSsidDlgTest, TheSkinnedEditRefusesNoCharacterANameMayHold)
{
    ASSERT_NE(nullptr, dynamic_cast<CSmartEdit*>(CWnd::FromHandlePermanent(Edit())));
    for (char c : std::string("Cafe_5G-2.4 #1!")) ::SendMessageA(Edit(), WM_CHAR, static_cast<BYTE>(c), 1);
    char text[64] = {};
    ::GetWindowTextA(Edit(), text, sizeof text);
    EXPECT_STREQ("Cafe_5G-2.4 #1!", text);
}

TEST_F(HiddenSsidDlgTest, CancelReportsWithoutAName)
{
    Click(IDC_CLASSIC_CANCEL);
    ASSERT_EQ(1u, front.reports.size());
    EXPECT_EQ(0, front.reports[0].lParam);
}

TEST_F(HiddenSsidDlgTest, EachShowingStartsEmptyWithTheFocus)
{
    Type("typed before");
    dlg.ShowWindow(SW_HIDE);
    dlg.ShowWindow(SW_SHOW);
    char text[64] = {};
    ::GetWindowTextA(Edit(), text, sizeof text);
    EXPECT_STREQ("", text);
    EXPECT_EQ(Edit(), ::GetFocus());
}

TEST_F(HiddenSsidDlgTest, EnterAndEscCloseNothing)
{
    EXPECT_EQ(1, dlg.SendMessage(WM_COMMAND, IDOK, 0));
    EXPECT_EQ(1, dlg.SendMessage(WM_COMMAND, IDCANCEL, 0));
    EXPECT_TRUE(front.reports.empty());
}
