#include <gtest/gtest.h>
#include "framework/Afx.h"
#include "ui/ComboBoxSuper.h"

namespace {
// A parent that counts the item deletions reaching it.
class CountingParent : public CWnd {
public:
    int deletions = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_DELETEITEM) ++deletions;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class MultiColumnCombo : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP, CRect(0, 0, 300, 200), nullptr, 0));
        ASSERT_TRUE(combo.Create(WS_VISIBLE | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL,
                                 CRect(0, 0, 200, 150), &parent, 1244));
        combo.AddString("alpha");
        combo.AddString("beta");
    }

    void Draw(CDC& dc, int item, bool selected)
    {
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_COMBOBOX;
        dis.itemID = item;
        dis.itemState = selected ? ODS_SELECTED : 0;
        dis.hDC = dc.m_hDC;
        dis.rcItem = CRect(0, 0, 200, 20);
        dis.itemData = reinterpret_cast<ULONG_PTR>(combo.GetItemDataPtr(item));
        combo.DrawItem(&dis);
    }

    // Draws item 0 into a 200x20 bitmap and counts the pixels of exactly that colour.
    int PixelsOf(COLORREF color, bool selected)
    {
        HDC screen = ::GetDC(nullptr);
        CBitmap bmp;
        bmp.CreateCompatibleBitmap(screen, 200, 20);
        CDC dc;  // gone before the bitmap selected into it
        dc.CreateCompatibleDC(screen);
        ::ReleaseDC(nullptr, screen);
        dc.SelectObject(&bmp);
        dc.FillSolidRect(0, 0, 200, 20, RGB(255, 255, 255));
        dc.SetBkColor(RGB(255, 255, 255));
        if (CFont* font = combo.GetFont()) dc.SelectObject(font);
        Draw(dc, 0, selected);
        int n = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 200; ++x)
                if (dc.GetPixel(x, y) == color) ++n;
        return n;
    }

    CountingParent parent;
    CComboBoxSuper combo;
};

// GDI objects in use: the system's count where it answers, else (Wine's answers 0) those the
// framework's wrappers own, which counts an object deleted while still selected as Windows does.
long GdiObjectsInUse()
{
    const DWORD counted = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    return counted ? static_cast<long>(counted) : CGdiObject::OwnedCount();
}
}  // namespace

TEST_F(MultiColumnCombo, ColumnTextOfAnItemWithoutRecordIsEmptyAndCreatesTheRecord)
{
    EXPECT_EQ(nullptr, combo.GetItemDataPtr(1));
    EXPECT_STREQ("", combo.GetItemText(1, 2));
    EXPECT_NE(nullptr, combo.GetItemDataPtr(1));
    combo.SetItemText(1, 2, "ch 6");
    EXPECT_STREQ("ch 6", combo.GetItemText(1, 2));
    EXPECT_STREQ("beta", combo.GetItemText(1, 0));
    EXPECT_EQ(nullptr, combo.GetItemRecord(2));
}

TEST_F(MultiColumnCombo, WidthOfAColumnBeyondTheCountChangesNothing)
{
    combo.SetColumnCount(2);
    combo.SetColumnWidth(1, 80);
    combo.SetColumnWidth(2, 90);
    EXPECT_EQ(2, combo.GetColumnCount());
    EXPECT_EQ(50, combo.GetColumnWidth(0));
    EXPECT_EQ(80, combo.GetColumnWidth(1));
    EXPECT_EQ(0, combo.GetColumnWidth(2));
}

TEST_F(MultiColumnCombo, ZeroColourDrawsBlackUnselectedAndHighlightTextSelected)
{
    combo.SetColumnCount(1);
    combo.GetItemRecord(0);
    EXPECT_GT(PixelsOf(RGB(0, 0, 0), false), 0);
    EXPECT_EQ(0, PixelsOf(::GetSysColor(COLOR_HIGHLIGHT), false));
    EXPECT_GT(PixelsOf(::GetSysColor(COLOR_HIGHLIGHT), true), 0);
    EXPECT_GT(PixelsOf(::GetSysColor(COLOR_HIGHLIGHTTEXT), true), 0);
    EXPECT_EQ(0, PixelsOf(RGB(0, 0, 0), true));
    combo.SetItemColor(0, RGB(200, 0, 0));
    EXPECT_GT(PixelsOf(RGB(200, 0, 0), true), 0);
}

TEST_F(MultiColumnCombo, DeletingAnItemFreesItsRecordAndLeavesTheRest)
{
    combo.SetItemText(0, 1, "x");
    combo.SetItemText(1, 1, "y");
    combo.DeleteString(0);
    EXPECT_EQ(1, combo.GetCount());
    EXPECT_STREQ("y", combo.GetItemText(0, 1));
    // Each record is freed once: the deletion is not bounced back to the parent again.
    combo.ResetContent();
    EXPECT_EQ(2, parent.deletions);
}

TEST_F(MultiColumnCombo, DrawingColumnsAndBoldTextLeavesNoGdiObjectBehind)
{
    combo.SetColumnCount(2);
    combo.SetItemText(0, 1, "ch 6");
    combo.SetItemBold(1, TRUE);
    CClientDC screen(nullptr);
    CBitmap bmp;
    ASSERT_TRUE(bmp.CreateCompatibleBitmap(screen, 200, 20));
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(&screen));
    dc.SelectObject(&bmp);
    const long before = GdiObjectsInUse();
    for (int i = 0; i < 200; ++i) Draw(dc, i % 2, (i / 2) % 2 != 0);
    EXPECT_EQ(before, GdiObjectsInUse());
}
