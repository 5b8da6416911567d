#include <gtest/gtest.h>
#include "base/ControlHelpers.h"

namespace {
constexpr int kEditId = 1001;
constexpr int kComboId = 1002;

// A parent window with a border and a caption, so that client and window coordinates differ.
class ControlPlacement : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, "STATIC", "parent", WS_OVERLAPPEDWINDOW, 100, 100, 400, 300, nullptr, nullptr));
        ASSERT_TRUE(edit.CreateEx(0, "EDIT", "old", WS_CHILD | WS_BORDER, 10, 20, 80, 24, parent.m_hWnd,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId))));
        ASSERT_TRUE(combo.CreateEx(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST, 10, 60, 120, 200, parent.m_hWnd,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(kComboId))));
    }
    void TearDown() override { parent.DestroyWindow(); }

    CWnd parent;
    CWnd edit;
    CComboBox combo;
};
}  // namespace

TEST_F(ControlPlacement, RectangleIsTakenInTheParentsClientCoordinates)
{
    RECT r;
    ASSERT_TRUE(GetDlgItemRectInParent(&r, &parent, kEditId));
    EXPECT_EQ(10, r.left);
    EXPECT_EQ(20, r.top);
    EXPECT_EQ(90, r.right);
    EXPECT_EQ(44, r.bottom);

    DlgItemPosSize pos{};
    ASSERT_TRUE(GetDlgItemPosSize(&pos, &parent, kEditId));
    EXPECT_EQ(10, pos.left);
    EXPECT_EQ(20, pos.top);
    EXPECT_EQ(80, pos.width);
    EXPECT_EQ(24, pos.height);

    EXPECT_FALSE(GetDlgItemRectInParent(&r, &parent, 4242));
    EXPECT_TRUE(::IsRectEmpty(&r));
}

TEST_F(ControlPlacement, PlacingShowsTheControlAndSetsOnlyAGivenText)
{
    PlaceDlgItem(&edit, 30, 40, 100, 30);
    EXPECT_TRUE(edit.GetStyle() & WS_VISIBLE);
    EXPECT_STREQ("old", edit.GetWindowText());
    DlgItemPosSize pos{};
    GetDlgItemPosSize(&pos, &parent, kEditId);
    EXPECT_EQ(30, pos.left);
    EXPECT_EQ(100, pos.width);

    MoveDlgItemWithText(&edit, 5, 6, 50, 20, "new");
    EXPECT_STREQ("new", edit.GetWindowText());
    MoveDlgItemWithText(&edit, 5, 6, 50, 20, nullptr);
    EXPECT_STREQ("", edit.GetWindowText());
    PlaceDlgItem(nullptr, 0, 0, 1, 1, "nothing to place");
}

TEST_F(ControlPlacement, ShowingInPlaceKeepsTheRectangle)
{
    edit.ShowWindow(SW_HIDE);
    ShowDlgItemTextIfAny(&parent, &edit, nullptr);
    EXPECT_TRUE(edit.GetStyle() & WS_VISIBLE);
    EXPECT_STREQ("old", edit.GetWindowText());
    ShowDlgItemText(&parent, &edit, "shown");
    EXPECT_STREQ("shown", edit.GetWindowText());
    DlgItemPosSize pos{};
    GetDlgItemPosSize(&pos, &parent, kEditId);
    EXPECT_EQ(10, pos.left);
    EXPECT_EQ(20, pos.top);
    EXPECT_EQ(80, pos.width);

    SetDlgItemTextCString(&parent, CString("by id"), kEditId);
    EXPECT_STREQ("by id", edit.GetWindowText());
}

TEST_F(ControlPlacement, ComboEntriesAreFoundByTheirItemData)
{
    EXPECT_EQ(-1, FindComboItemByData(&combo, 0));
    EXPECT_EQ(0, AddComboItemWithData(&combo, "b", 20));
    AddComboItemWithData(&combo, "c", 30);
    AddComboItemWithData(&combo, "d", 20);
    EXPECT_EQ(0, FindComboItemByData(&combo, 20));
    EXPECT_EQ(1, FindComboItemByData(&combo, 30));
    EXPECT_EQ(-1, FindComboItemByData(&combo, 40));
    DWORD_PTR data = 0;
    EXPECT_EQ(30u, GetComboItemData(&combo, 1, &data));
    EXPECT_EQ(30u, data);
    EXPECT_EQ(static_cast<DWORD_PTR>(CB_ERR), GetComboItemData(&combo, 7));
    EXPECT_EQ(-1, FindComboItemByData(nullptr, 20));
}
