#include <gtest/gtest.h>
#include "framework/Afx.h"
#include "ui/CSeparator.h"
#include "ControlsHost.h"
#include "WindowCapture.h"

TEST(Separator, CaptionsArePaddedOnTheSidesThatTouchTheLine)
{
    EXPECT_STREQ("  Transmit  ", CSeparator::PaddedCaption("Transmit", SS_CENTER));
    EXPECT_STREQ("  Transmit", CSeparator::PaddedCaption("Transmit", SS_RIGHT));
    EXPECT_STREQ("Transmit  ", CSeparator::PaddedCaption("Transmit", SS_LEFT));
}

TEST(Separator, AWideSeparatorIsAnEtchedLineUnderItsCaption)
{
    ControlsHost host;
    CSeparator line;
    ASSERT_TRUE(host.Open(&line, IDC_UI_SEPARATOR));
    WindowCapture shot(host.m_hWnd);
    const CRect r = host.RectOf(IDC_UI_SEPARATOR);
    const int y = r.top + r.Height() / 2 - 1;
    EXPECT_EQ(::GetSysColor(COLOR_3DSHADOW), shot.At(r.left + 1, y));
    EXPECT_EQ(::GetSysColor(COLOR_3DHILIGHT), shot.At(r.left + 1, y + 1));
    EXPECT_EQ(::GetSysColor(COLOR_3DSHADOW), shot.At(r.right - 2, y));
    // The centred caption covers the middle of the line.
    const int covered = shot.CountOther(::GetSysColor(COLOR_3DSHADOW), CRect(r.left, y, r.right, y + 1));
    EXPECT_GT(covered, 20);
    EXPECT_EQ(::GetSysColor(COLOR_3DSHADOW), shot.At(r.left + r.Width() / 5, y));
}

TEST(Separator, ATallSeparatorIsAVerticalLine)
{
    ControlsHost host;
    CSeparator line;
    ASSERT_TRUE(host.Open(&line, IDC_UI_VSEPARATOR));
    WindowCapture shot(host.m_hWnd);
    const CRect r = host.RectOf(IDC_UI_VSEPARATOR);
    const int x = r.left + r.Width() / 2 - 1;
    EXPECT_EQ(r.Height(), shot.Count(::GetSysColor(COLOR_3DSHADOW), CRect(x, r.top, x + 1, r.bottom)));
    EXPECT_EQ(r.Height(), shot.Count(::GetSysColor(COLOR_3DHILIGHT), CRect(x + 1, r.top, x + 2, r.bottom)));
}
