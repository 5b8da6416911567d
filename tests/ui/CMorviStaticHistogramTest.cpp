#include <gtest/gtest.h>
#include "framework/Afx.h"
#include "ui/CMorviStaticHistogram.h"
#include "ControlsHost.h"
#include "WindowCapture.h"

namespace {
constexpr COLORREF kBar = RGB(0, 255, 0), kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255);
constexpr int kLabelWidth = 50;

class Histogram : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.Open(&graph, IDC_UI_HISTOGRAM));
        graph.SetLabelWidth(kLabelWidth);
        graph.SetGridRows(2);
        graph.SetLabel(0, "Max");
        graph.SetLabel(1, "10.0");
        graph.SetBarColor(kBar);
        graph.SetRangeMax(100.0);
        area = host.RectOf(IDC_UI_HISTOGRAM);
        usable = area.Height() - 2;
    }
    // The height of the bar column that starts at x (host coordinates).
    int BarHeightAt(const WindowCapture& shot, int x)
    {
        return shot.Count(kBar, CRect(x, area.top, x + 1, area.bottom));
    }

    ControlsHost host;
    CMorviStaticHistogram graph;
    CRect area;
    int usable = 0;
};
}  // namespace

TEST_F(Histogram, NewBarsComeInBesideTheLabelsAndOlderOnesMoveAway)
{
    graph.AddValue(50.0);
    WindowCapture first(host.m_hWnd);
    const int start = area.left + kLabelWidth;
    EXPECT_EQ(50 * usable / 100, BarHeightAt(first, start));
    EXPECT_EQ(50 * usable / 100, BarHeightAt(first, start + 1));
    EXPECT_EQ(0, BarHeightAt(first, start + 2));

    graph.AddValue(100.0);
    WindowCapture second(host.m_hWnd);
    EXPECT_EQ(usable, BarHeightAt(second, start));
    EXPECT_EQ(50 * usable / 100, BarHeightAt(second, start + 2));
    EXPECT_EQ(kBlack, second.At(start + 2, area.top + 1));
}

TEST_F(Histogram, TheLabelColumnIsBlackWithWhiteTexts)
{
    WindowCapture shot(host.m_hWnd);
    const CRect labels(area.left, area.top, area.left + kLabelWidth, area.bottom);
    EXPECT_GT(shot.Count(kWhite, labels), 0);
    EXPECT_GT(shot.Count(kBlack, labels), labels.Width() * labels.Height() / 2);
}

TEST_F(Histogram, ValuesAboveTheRangeFillTheHeightAndNegativeOnesShowNothing)
{
    graph.AddValue(-20.0);
    graph.AddValue(250.0);
    WindowCapture shot(host.m_hWnd);
    const int start = area.left + kLabelWidth;
    EXPECT_EQ(usable, BarHeightAt(shot, start));
    EXPECT_EQ(0, BarHeightAt(shot, start + 2));
}

TEST_F(Histogram, AZeroRangePaintsTheGraphBlack)
{
    graph.AddValue(50.0);
    graph.SetRangeMax(0.0);
    WindowCapture shot(host.m_hWnd);
    const CRect plot(area.left + kLabelWidth, area.top, area.right, area.bottom);
    EXPECT_EQ(0, shot.CountOther(kBlack, plot));
}

TEST_F(Histogram, DirectionZeroBringsTheNewestBarInAtTheRightEdge)
{
    graph.SetDirection(0);
    graph.AddValue(100.0);
    graph.AddValue(30.0);
    WindowCapture shot(host.m_hWnd);
    EXPECT_EQ(30 * usable / 100, BarHeightAt(shot, area.right - 1));
    EXPECT_EQ(usable, BarHeightAt(shot, area.right - 3));
}

TEST_F(Histogram, LabelsOnTheRightLeaveTheLeftToTheGraph)
{
    graph.SetLabelSide(0);
    graph.AddValue(100.0);
    WindowCapture shot(host.m_hWnd);
    EXPECT_EQ(usable, BarHeightAt(shot, area.left));
    EXPECT_GT(shot.Count(kWhite, CRect(area.right - kLabelWidth, area.top, area.right, area.bottom)), 0);
}

TEST_F(Histogram, TheOldestValueIsOverwrittenOnceTheBufferIsFull)
{
    CMorviStaticHistogram wide;
    const int capacity = wide.GetCapacity();
    ASSERT_EQ(::GetSystemMetrics(SM_CXSCREEN), capacity);
    ASSERT_TRUE(wide.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 2 * capacity + 4, 40), &host, 9999));
    wide.SetRangeMax(100.0);
    wide.SetBarColor(kBar);
    const int height = 40 - 2;
    wide.AddValue(90.0);
    for (int i = 1; i < capacity; ++i) wide.AddValue(10.0);
    WindowCapture full(wide.m_hWnd);
    const int oldestX = (capacity - 1) * 2;
    EXPECT_EQ(90 * height / 100, full.Count(kBar, CRect(oldestX, 0, oldestX + 1, 40)));
    wide.AddValue(10.0);
    WindowCapture after(wide.m_hWnd);
    EXPECT_EQ(0, after.Count(kBar, CRect(0, 0, after.Width(), 40 - 1 - 10 * height / 100)));
}

TEST_F(Histogram, ClearingEmptiesTheGraph)
{
    graph.AddValue(80.0);
    graph.ClearValues();
    WindowCapture shot(host.m_hWnd);
    EXPECT_EQ(0, shot.Count(kBar, area));
}
