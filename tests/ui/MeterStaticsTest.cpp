#include <gtest/gtest.h>
#include "framework/Afx.h"
#include "ui/CFloatStatic.h"
#include "ui/CPictureStatic.h"
#include "ui/CProcessStatic.h"
#include "ui/CSignalStatic.h"
#include "ControlsHost.h"
#include "WindowCapture.h"

namespace {
constexpr COLORREF kLit = RGB(0, 200, 0), kUnlit = RGB(160, 160, 160);
constexpr UINT kMeterBar = 0x65, kMeterBackground = 0x66, kRatePicture = 103;
constexpr UINT kHelpNormal = 1033, kHelpHover = 1032;

class Meters : public ::testing::Test {
protected:
    void SetUp() override
    {
        skin = ::LoadLibraryA("KelvoIMG.dll");
        ASSERT_NE(nullptr, skin);
        ASSERT_TRUE(host.Open());
    }
    void TearDown() override
    {
        host.DestroyWindow();
        ::FreeLibrary(skin);
    }
    // The colour at the middle of bar i of the signal static.
    COLORREF BarColour(const WindowCapture& shot, CSignalStatic& signal, int bar)
    {
        const CRect r = host.RectOf(IDC_UI_SIGNAL);
        return shot.At(r.left + signal.BarLeft(bar) + signal.GetBarSize().cx / 2, r.top + signal.GetBarSize().cy / 2);
    }
    int LitBars(CSignalStatic& signal)
    {
        WindowCapture shot(host.m_hWnd);
        int lit = 0;
        for (int i = 0; i < CSignalStatic::kBars; ++i) {
            const COLORREF c = BarColour(shot, signal, i);
            EXPECT_TRUE(c == kLit || c == kUnlit) << "bar " << i;
            if (c == kLit) ++lit;
        }
        return lit;
    }

    HMODULE skin = nullptr;
    ControlsHost host;
};
}  // namespace

TEST_F(Meters, SignalShowsItsLevelAsLitBarsModuloEleven)
{
    CSignalStatic signal;
    ASSERT_TRUE(host.Bind(signal, IDC_UI_SIGNAL));
    ASSERT_TRUE(signal.LoadBitmaps(IDB_UI_SIGNAL_LIT, IDB_UI_SIGNAL_UNLIT, nullptr));
    EXPECT_EQ(0, LitBars(signal));
    signal.SetLevel(4);
    EXPECT_EQ(4, LitBars(signal));
    signal.SetLevel(10);
    EXPECT_EQ(10, LitBars(signal));
    signal.SetLevel(11);
    EXPECT_EQ(0, LitBars(signal));
    signal.SetLevel(15);
    EXPECT_EQ(4, LitBars(signal));
}

TEST_F(Meters, SignalRepaintsOnlyWhenTheLevelChanges)
{
    CSignalStatic signal;
    ASSERT_TRUE(host.Bind(signal, IDC_UI_SIGNAL));
    ASSERT_TRUE(signal.LoadBitmaps(IDB_UI_SIGNAL_LIT, IDB_UI_SIGNAL_UNLIT, nullptr));
    signal.SetLevel(3);
    signal.ValidateRect(nullptr);
    signal.SetLevel(3);
    EXPECT_FALSE(::GetUpdateRect(signal.m_hWnd, nullptr, FALSE));
    signal.SetLevel(5);
    EXPECT_TRUE(::GetUpdateRect(signal.m_hWnd, nullptr, FALSE));
}

TEST_F(Meters, SignalBarsSpreadOverTheWidthAndTakeTheirOffsets)
{
    CSignalStatic signal;
    ASSERT_TRUE(host.Bind(signal, IDC_UI_SIGNAL));
    ASSERT_TRUE(signal.LoadBitmaps(IDB_UI_SIGNAL_LIT, IDB_UI_SIGNAL_UNLIT, nullptr));
    signal.Relayout();
    const int width = host.RectOf(IDC_UI_SIGNAL).Width();
    EXPECT_EQ(0, signal.BarLeft(0));
    const int lastRight = signal.BarLeft(9) + signal.GetBarSize().cx;
    EXPECT_LE(lastRight, width);
    EXPECT_GT(lastRight, width * 9 / 10);  // the spacing narrows a little after bars 2 and 4
    signal.SetBarOffset(9, 2);
    EXPECT_EQ(lastRight + 2, signal.BarLeft(9) + signal.GetBarSize().cx);
    signal.SetBarOffset(10, 50);  // no such bar
}

TEST_F(Meters, SignalWithAMissingBitmapPaintsAsAPlainStatic)
{
    CSignalStatic signal;
    ASSERT_TRUE(host.Bind(signal, IDC_UI_SIGNAL));
    EXPECT_FALSE(signal.LoadBitmaps(IDB_UI_SIGNAL_LIT, 4711, nullptr));
    signal.SetLevel(5);
    WindowCapture shot(host.m_hWnd);
    EXPECT_EQ(0, shot.Count(kLit, host.RectOf(IDC_UI_SIGNAL)));
}

TEST_F(Meters, ProcessMeterTakesItsBackgroundsSizeAndShowsThePercentage)
{
    CProcessStatic meter;
    ASSERT_TRUE(host.Bind(meter, IDC_UI_PROCESS));
    EXPECT_FALSE(meter.LoadBitmaps(kMeterBar, kMeterBackground, nullptr));
    ASSERT_TRUE(meter.LoadBitmaps(kMeterBar, kMeterBackground, skin));
    const CRect r = host.RectOf(IDC_UI_PROCESS);
    EXPECT_EQ(200, r.Width());
    EXPECT_EQ(16, r.Height());

    meter.SetPercent(150, 1);
    EXPECT_EQ(49, meter.GetPercent());
    EXPECT_EQ((200 - 6) * 49 / 100, meter.BarWidth());
    WindowCapture shot(host.m_hWnd);
    const int mid = r.top + 8;
    const COLORREF background = shot.At(r.left + 150, mid);
    EXPECT_NE(background, shot.At(r.left + 4 + 10, mid));
    EXPECT_EQ(background, shot.At(r.left + 4 + meter.BarWidth() + 2, mid));
    EXPECT_GT(shot.Count(RGB(0, 0, 0), r), 0);  // the "49%" text

    meter.SetPercent(0, 1);
    WindowCapture empty(host.m_hWnd);
    EXPECT_EQ(0, empty.Count(RGB(0, 0, 0), r));
}

TEST_F(Meters, RateMarkerClimbsOneSixthOfTheHeightPerDecade)
{
    CPictureStatic picture;
    ASSERT_TRUE(host.Bind(picture, IDC_UI_PICTURE));
    ASSERT_TRUE(picture.LoadBitmap(kRatePicture, skin));
    const int h = host.RectOf(IDC_UI_PICTURE).Height();
    picture.SetRateLevel(0.5);
    EXPECT_EQ(h - 1, picture.GetMarker());
    picture.SetRateLevel(1.0);
    EXPECT_EQ(h - 1, picture.GetMarker());
    picture.SetRateLevel(1000.0);
    EXPECT_EQ(h - h / 2 - 1, picture.GetMarker());
    picture.SetRateLevel(1.0e9);  // above the top decade: the top line
    EXPECT_EQ(0, picture.GetMarker());
}

TEST_F(Meters, RateChartScrollsOnePointATickNewestOnTheRight)
{
    CPictureStatic picture;
    ASSERT_TRUE(host.Bind(picture, IDC_UI_PICTURE));
    ASSERT_TRUE(picture.LoadBitmap(kRatePicture, skin));
    const CRect r = host.RectOf(IDC_UI_PICTURE);
    const POINT* points = picture.GetPoints();
    EXPECT_EQ(r.Width() - 1, points[0].x);
    EXPECT_EQ(0, points[CPictureStatic::kPoints].x);
    for (int i = 1; i <= CPictureStatic::kPoints; ++i) EXPECT_LE(points[i].x, points[i - 1].x);

    picture.SetRateLevel(1000.0);
    const int marker = picture.GetMarker();
    picture.Tick();
    picture.Tick();
    EXPECT_EQ(marker, points[0].y);
    EXPECT_EQ(marker, points[2].y);
    EXPECT_EQ(r.Height() - 1, points[3].y);

    WindowCapture shot(host.m_hWnd);
    EXPECT_EQ(RGB(255, 255, 255), shot.At(r.left + points[1].x, r.top + marker));
    EXPECT_EQ(RGB(255, 255, 255), shot.At(r.left + points[40].x, r.top + r.Height() - 1));
}

TEST_F(Meters, FloatPictureChangesUnderTheMouseAndBackWhenItLeaves)
{
    CFloatStatic help;
    ASSERT_TRUE(host.Bind(help, IDC_UI_FLOAT));
    EXPECT_TRUE(help.GetStyle() & SS_NOTIFY);
    ASSERT_TRUE(help.LoadBitmaps(kHelpNormal, kHelpHover, skin));
    help.SizeToBitmap();
    const CRect r = host.RectOf(IDC_UI_FLOAT);
    EXPECT_EQ(22, r.Width());
    const CPoint centre = r.CenterPoint();
    WindowCapture normal(host.m_hWnd);

    help.EnableHover(true);
    help.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(CFloatStatic::kHover, help.GetPicture());
    WindowCapture hover(host.m_hWnd);
    EXPECT_NE(normal.At(centre), hover.At(centre));

    help.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(CFloatStatic::kNormal, help.GetPicture());
    help.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    ::SetCursorPos(r.right + 200, r.bottom + 200);
    help.SendMessage(WM_TIMER, CFloatStatic::kLeaveTimerId);
    EXPECT_EQ(CFloatStatic::kNormal, help.GetPicture());
}
