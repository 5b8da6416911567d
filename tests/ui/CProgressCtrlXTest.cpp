#include <gtest/gtest.h>
#include "framework/Afx.h"
#include "ui/CProgressCtrlX.h"
#include "ControlsHost.h"
#include "DibCanvas.h"
#include "WindowCapture.h"

namespace {
constexpr COLORREF kBar = RGB(0, 0, 200), kWhite = RGB(255, 255, 255);
constexpr COLORREF kMagenta = RGB(255, 0, 255), kBlue = RGB(0, 0, 255);

class ProgressTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.Open(&bar, IDC_UI_PROGRESS));
        bar.SendMessage(PBM_SETBARCOLOR, 0, kBar);
        bar.SendMessage(CCM_SETBKCOLOR, 0, kWhite);
    }
    // The bar's pixels in the middle row of the control.
    int FilledWidth()
    {
        WindowCapture shot(host.m_hWnd);
        const CRect r = host.RectOf(IDC_UI_PROGRESS);
        const int mid = (r.top + r.bottom) / 2;
        return shot.Count(kBar, CRect(r.left, mid, r.right, mid + 1));
    }
    int Width() { return host.RectOf(IDC_UI_PROGRESS).Width(); }

    ControlsHost host;
    CProgressCtrlX bar;
};
}  // namespace

TEST_F(ProgressTest, BarIsEmptyAtZeroHalfAtTheMiddleAndFullAtTheTop)
{
    bar.SetRange(0, 100);
    bar.SetPos(0);
    EXPECT_EQ(0, FilledWidth());
    bar.SetPos(50);
    EXPECT_EQ(Width() / 2, FilledWidth());
    bar.SetPos(100);
    EXPECT_EQ(Width(), FilledWidth());
}

TEST_F(ProgressTest, AnEmptyRangeDrawsNoBarAndNoText)
{
    bar.SetText("%d%%", PBS_X_SHOW_PERCENT);
    bar.SetRange(5, 5);
    bar.SetPos(5);
    WindowCapture shot(host.m_hWnd);
    EXPECT_EQ(0, shot.CountOther(kWhite, host.RectOf(IDC_UI_PROGRESS)));
    EXPECT_EQ(0, bar.GetValue());
}

TEST_F(ProgressTest, RangeChangeClampsThePositionAndRangesAreSorted)
{
    bar.SetRange(0, 200);
    bar.SetPos(150);
    bar.SetRange(100, 0);
    int lower = -1, upper = -1;
    bar.GetRange(lower, upper);
    EXPECT_EQ(0, lower);
    EXPECT_EQ(100, upper);
    EXPECT_EQ(100, bar.GetPos());
    bar.SetPos(-20);
    EXPECT_EQ(0, bar.GetPos());
}

TEST_F(ProgressTest, MessagesAnswerAsTheProgressBarProtocolSays)
{
    EXPECT_EQ(MAKELRESULT(0, 100), bar.SendMessage(PBM_SETRANGE, 0, MAKELPARAM(10, 60)));
    EXPECT_EQ(MAKELRESULT(10, 60), bar.SendMessage(PBM_SETRANGE32, 0, 80));
    PBRANGE range{};
    EXPECT_EQ(0, bar.SendMessage(PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range)));
    EXPECT_EQ(80, bar.SendMessage(PBM_GETRANGE, FALSE, 0));
    EXPECT_EQ(80, range.iHigh);
    EXPECT_EQ(10, bar.SendMessage(PBM_SETPOS, 30));  // the first range moved it to 10
    EXPECT_EQ(30, bar.SendMessage(PBM_DELTAPOS, 5));
    EXPECT_EQ(10, bar.SendMessage(PBM_SETSTEP, 20));
    EXPECT_EQ(35, bar.SendMessage(PBM_STEPIT));
    EXPECT_EQ(55, bar.SendMessage(PBM_GETPOS));
    EXPECT_EQ(static_cast<LRESULT>(CLR_DEFAULT), bar.SendMessage(PBM_SETBARCOLOR, 0, kBar));
    EXPECT_EQ(static_cast<LRESULT>(CLR_DEFAULT), bar.SendMessage(CCM_SETBKCOLOR, 0, kWhite));
}

TEST_F(ProgressTest, BarColourWithoutASecondColourIsOneColour)
{
    bar.SendMessage(PBM_SETBARCOLOR, 0, RGB(10, 20, 30));
    EXPECT_EQ(2, bar.GetColorCount());
    EXPECT_EQ(bar.GetColor(0), bar.GetColor(1));
    bar.SendMessage(PBM_SETBARCOLOR, RGB(1, 2, 3), RGB(10, 20, 30));
    EXPECT_EQ(RGB(10, 20, 30), bar.GetColor(0));
    EXPECT_EQ(RGB(1, 2, 3), bar.GetColor(1));
}

TEST_F(ProgressTest, TextShowsThePercentageOrThePosition)
{
    bar.SetRange(0, 200);
    bar.SetPos(37);
    bar.SetText("%d%%", PBS_X_SHOW_PERCENT);
    EXPECT_STREQ("18%", bar.FormatText(bar.GetValue()));
    bar.SetText("Quality %d%%", PBS_X_SHOW_PERCENT);
    EXPECT_STREQ("Quality 18%", bar.FormatText(bar.GetValue()));
    bar.SetText("%d", PBS_X_SHOW_POSITION);
    EXPECT_STREQ("37", bar.FormatText(bar.GetValue()));
    bar.SetWindowText("");
    EXPECT_STREQ("37", bar.FormatText(bar.GetValue()));
    // A text that is not a format of one number is shown as it stands.
    bar.SetWindowText("%s of %d");
    EXPECT_STREQ("%s of %d", bar.FormatText(bar.GetValue()));
}

TEST_F(ProgressTest, TextTakesTheBarColourOverTheFilledPartOnly)
{
    bar.SetTextColors(kMagenta, kBlue);
    bar.SetText("WWWWWWWWWWWWWWWWWWWWWWWWWWW", PBS_X_SHOW_POSITION);
    bar.ModifyStyle(PBS_X_TEXT_CENTER, PBS_X_TEXT_LEFT | PBS_X_TEXT_TOP | PBS_X_TEXT_BOTTOM);
    bar.SetRange(0, 100);
    bar.SetPos(40);
    WindowCapture shot(host.m_hWnd);
    const CRect r = host.RectOf(IDC_UI_PROGRESS);
    const int split = r.left + r.Width() * 40 / 100;
    EXPECT_GT(shot.Count(kMagenta, CRect(r.left, r.top, split, r.bottom)), 0);
    EXPECT_EQ(0, shot.Count(kMagenta, CRect(split, r.top, r.right, r.bottom)));
    EXPECT_GT(shot.Count(kBlue, CRect(split, r.top, r.right, r.bottom)), 0);
    EXPECT_EQ(0, shot.Count(kBlue, CRect(r.left, r.top, split, r.bottom)));
}

TEST_F(ProgressTest, WindowTextIsCopiedWithinTheCallersBuffer)
{
    bar.SetWindowText("Signal");
    EXPECT_EQ(6, bar.SendMessage(WM_GETTEXTLENGTH));
    char buffer[8] = "zzzzzzz";
    EXPECT_EQ(3, bar.SendMessage(WM_GETTEXT, 4, reinterpret_cast<LPARAM>(buffer)));
    EXPECT_STREQ("Sig", buffer);
    EXPECT_EQ('z', buffer[4]);
    HFONT font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    bar.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    EXPECT_EQ(reinterpret_cast<LRESULT>(font), bar.SendMessage(WM_GETFONT));
}

TEST_F(ProgressTest, VerticalBarFillsFromTheTopAndReversedFromTheBottom)
{
    CProgress progress;
    progress.SetColors(1, kBar);
    progress.SetBkColor(kWhite);
    progress.ModifyStyle(0, PBS_X_VERTICAL);
    progress.SetPos(25);
    DibCanvas canvas(10, 100);
    progress.Paint(canvas.DC(), canvas.Rect());
    EXPECT_EQ(kBar, canvas.At(5, 0));
    EXPECT_EQ(kWhite, canvas.At(5, 30));
    progress.ModifyStyle(0, PBS_X_REVERSE);
    progress.Paint(canvas.DC(), canvas.Rect());
    EXPECT_EQ(kBar, canvas.At(5, 99));
    EXPECT_EQ(kWhite, canvas.At(5, 0));
}

TEST_F(ProgressTest, SnakeRunsAlongAndWrapsFlippingItsDirection)
{
    bar.ModifyStyle(0, PBS_X_SNAKE);
    bar.SetRange(0, 100);
    bar.SetStep(10);
    for (int i = 0; i < 14; ++i) bar.StepIt();
    EXPECT_EQ(140, bar.GetPos());  // the head leaves the bar up to the snake's length
    EXPECT_EQ(100, bar.GetSnakeTail());
    EXPECT_FALSE(bar.GetStyle() & PBS_X_REVERSE);
    bar.StepIt();
    EXPECT_EQ(10, bar.GetPos());
    EXPECT_EQ(0, bar.GetSnakeTail());
    EXPECT_TRUE(bar.GetStyle() & PBS_X_REVERSE);
    for (int i = 0; i < 14; ++i) bar.StepIt();
    EXPECT_FALSE(bar.GetStyle() & PBS_X_REVERSE);
    // The snake shows from its tail to its head.
    bar.SetPos(70);
    WindowCapture shot(host.m_hWnd);
    const CRect r = host.RectOf(IDC_UI_PROGRESS);
    const int mid = (r.top + r.bottom) / 2;
    EXPECT_EQ(kWhite, shot.At(r.left + r.Width() * 20 / 100, mid));
    EXPECT_EQ(kBar, shot.At(r.left + r.Width() * 50 / 100, mid));
    EXPECT_EQ(kWhite, shot.At(r.left + r.Width() * 80 / 100, mid));
}

TEST_F(ProgressTest, TimersStepTheBarAndMoveTheGradient)
{
    bar.SetRange(0, 100);
    bar.SetStep(7);
    bar.SendMessage(WM_TIMER, CProgressCtrlX::kStepTimerId);
    EXPECT_EQ(7, bar.GetPos());
    bar.RestartControlTimer(55, 3);
    bar.SendMessage(WM_TIMER, CProgressCtrlX::kAnimationTimerId);
    bar.SendMessage(WM_TIMER, CProgressCtrlX::kAnimationTimerId);
    EXPECT_EQ(6, bar.GetAnimationPhase());
}

TEST_F(ProgressTest, TooltipFollowsThePosition)
{
    bar.SetText("%d%%", PBS_X_SHOW_PERCENT);
    bar.SetTooltipFormat("Link quality: %s");
    bar.SetPos(42);
    EXPECT_EQ("Link quality: 42%", ToolTipText(bar.GetTooltip(), bar.m_hWnd));
}
