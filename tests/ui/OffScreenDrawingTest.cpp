#include <gtest/gtest.h>
#include "framework/Afx.h"
#include "ui/CMemDC.h"
#include "ui/CSelBkMode.h"
#include "ui/CSelFont.h"
#include "ui/CSelTextAlign.h"
#include "ui/CSelTextColor.h"
#include "DibCanvas.h"

TEST(MemDC, TheTargetSeesTheDrawingOnlyWhenTheContextGoes)
{
    DibCanvas target(40, 20);
    const CRect area(10, 5, 30, 15);
    {
        CMemDC dc(target.DC(), &area);
        ASSERT_TRUE(dc.IsOffScreen());
        dc.FillSolidRect(&area, RGB(255, 0, 0));
        EXPECT_EQ(RGB(255, 255, 255), target.At(15, 10));
    }
    EXPECT_EQ(RGB(255, 0, 0), target.At(15, 10));
    EXPECT_EQ(20 * 10, target.Count(RGB(255, 0, 0)));
}

TEST(MemDC, ItStartsFromTheTargetsPictureWhenAsked)
{
    DibCanvas target(40, 20);
    target.Fill(RGB(0, 128, 0));
    const CRect area(0, 0, 40, 20);
    {
        CMemDC dc(target.DC(), &area, true);
        dc.FillSolidRect(0, 0, 10, 20, RGB(0, 0, 255));
    }
    EXPECT_EQ(RGB(0, 128, 0), target.At(20, 10));
    EXPECT_EQ(RGB(0, 0, 255), target.At(5, 10));
    {
        CMemDC dc(target.DC(), &area, false);
        dc.FillSolidRect(0, 0, 10, 20, RGB(0, 0, 255));
    }
    EXPECT_NE(RGB(0, 128, 0), target.At(20, 10));
}

TEST(DcGuards, TheFirstSelectionIsWhatComesBack)
{
    DibCanvas canvas(4, 4);
    CDC* dc = canvas.DC();
    dc->SetTextColor(RGB(1, 2, 3));
    dc->SetBkMode(OPAQUE);
    dc->SetTextAlign(TA_LEFT | TA_TOP);
    HGDIOBJ font = ::GetCurrentObject(dc->m_hDC, OBJ_FONT);
    {
        CSelTextColor color(dc, RGB(9, 9, 9));
        color.Select(RGB(8, 8, 8));
        CSelBkMode mode(dc, TRANSPARENT);
        CSelTextAlign align(dc, TA_RIGHT);
        CSelFont selected(dc, static_cast<HFONT>(::GetStockObject(ANSI_VAR_FONT)));
        EXPECT_EQ(RGB(8, 8, 8), dc->GetTextColor());
        color.Restore();
        EXPECT_EQ(RGB(1, 2, 3), dc->GetTextColor());
        dc->SetTextColor(RGB(7, 7, 7));  // restored once: the guard has nothing more to put back
    }
    EXPECT_EQ(RGB(7, 7, 7), dc->GetTextColor());
    EXPECT_EQ(OPAQUE, dc->GetBkMode());
    EXPECT_EQ(static_cast<UINT>(TA_LEFT | TA_TOP), ::GetTextAlign(dc->m_hDC));
    EXPECT_EQ(font, ::GetCurrentObject(dc->m_hDC, OBJ_FONT));
}
