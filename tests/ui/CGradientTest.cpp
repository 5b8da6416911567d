#include <gtest/gtest.h>
#include "framework/Afx.h"
#include "ui/CGradient.h"
#include "DibCanvas.h"

#include <climits>
#include <set>

namespace {
// Opens the band building to the tests.
class Bands : public CGradient {
public:
    CGradBandArray Make(int length, int start, int end, int offset = 0, int maxSteps = INT_MAX)
    {
        CGradBandArray bands;
        MakeRotatedBands(bands, length, start, end, offset, maxSteps);
        return bands;
    }
    HPALETTE Palette() const { return static_cast<HPALETTE>(m_palette.m_hObject); }
};

int TotalLength(const CGradBandArray& bands)
{
    int total = 0;
    for (const CGradBand& band : bands) total += band.length;
    return total;
}

COLORREF ColorAt(const CGradBandArray& bands, int pos)
{
    for (const CGradBand& band : bands) {
        if (pos < band.length) return band.color;
        pos -= band.length;
    }
    return CLR_INVALID;
}
}  // namespace

TEST(GradientBands, OneBandPerColourStepOverTheLength)
{
    Bands g;
    g.SetColors(2, RGB(0, 0, 0), RGB(0, 0, 10));
    const auto bands = g.Make(100, 0, 100);
    ASSERT_EQ(10, bands.GetSize());
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(10, bands[i].length);
        EXPECT_EQ(RGB(0, 0, i), bands[i].color);
    }
}

TEST(GradientBands, StepsAreLimitedByTheLengthAndThePalette)
{
    Bands g;
    g.SetColors(2, RGB(0, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(50, g.Make(50, 0, 50).GetSize());
    g.SetColors(3, RGB(0, 0, 0), RGB(255, 255, 255), RGB(0, 0, 0));
    const auto bands = g.Make(1000, 0, 1000, 0, CGradient::kPaletteSteps);
    EXPECT_LE(bands.GetSize(), CGradient::kPaletteSteps);
    EXPECT_EQ(1000, TotalLength(bands));
}

TEST(GradientBands, OnlyThePartAskedForIsBuilt)
{
    Bands g;
    g.SetColors(2, RGB(0, 0, 0), RGB(0, 0, 100));
    const auto part = g.Make(100, 30, 60);
    EXPECT_EQ(30, TotalLength(part));
    EXPECT_EQ(RGB(0, 0, 30), ColorAt(part, 0));
    EXPECT_EQ(RGB(0, 0, 59), ColorAt(part, 29));
}

TEST(GradientBands, EqualSharesGiveEachSegmentItsPart)
{
    Bands g;
    g.SetColors(4, RGB(255, 0, 0), RGB(255, 255, 0), RGB(255, 255, 0), RGB(0, 255, 0));
    const auto bands = g.Make(300, 0, 300);
    EXPECT_EQ(300, TotalLength(bands));
    EXPECT_EQ(RGB(255, 0, 0), ColorAt(bands, 0));
    for (int pos = 100; pos < 200; pos += 10) EXPECT_EQ(RGB(255, 255, 0), ColorAt(bands, pos)) << pos;
    EXPECT_GT(GetGValue(ColorAt(bands, 299)), 250);
    EXPECT_LT(GetRValue(ColorAt(bands, 299)), 5);
}

TEST(GradientBands, AnOffsetBringsTheEndOfTheGradientToTheFront)
{
    Bands g;
    g.SetColors(2, RGB(0, 0, 0), RGB(0, 0, 100));
    const auto plain = g.Make(100, 0, 100);
    const auto shifted = g.Make(100, 0, 100, 25);
    EXPECT_EQ(100, TotalLength(shifted));
    EXPECT_EQ(ColorAt(plain, 75), ColorAt(shifted, 0));
    EXPECT_EQ(ColorAt(plain, 0), ColorAt(shifted, 25));
    EXPECT_EQ(ColorAt(plain, 74), ColorAt(shifted, 99));
    // A whole turn is no shift.
    EXPECT_EQ(ColorAt(plain, 10), ColorAt(g.Make(100, 0, 100, 200), 10));
}

TEST(GradientBands, ThePaletteIsBuiltOnlyWhenAskedForAndHoldsAtMost236Colours)
{
    Bands g;
    g.SetColors(2, RGB(0, 0, 0), RGB(255, 255, 255));
    g.CreatePalette();
    EXPECT_EQ(nullptr, g.Palette());
    g.SetCreatePalette(TRUE);
    g.CreatePalette();
    ASSERT_NE(nullptr, g.Palette());
    const UINT entries = ::GetPaletteEntries(g.Palette(), 0, 0, nullptr);
    EXPECT_GT(entries, 100u);
    EXPECT_LE(entries, static_cast<UINT>(CGradient::kPaletteSteps));
}

TEST(GradientDrawing, FollowsTheOrientation)
{
    CGradient g;
    g.SetColors(2, RGB(255, 0, 0), RGB(0, 0, 255));
    DibCanvas canvas(100, 10);
    g.Draw(canvas.DC(), canvas.Rect(), 0);
    EXPECT_EQ(RGB(255, 0, 0), canvas.At(0, 5));
    EXPECT_GT(GetBValue(canvas.At(99, 5)), 240);
    g.SetOrientation(CGradient::kRightToLeft);
    g.Draw(canvas.DC(), canvas.Rect(), 0);
    EXPECT_EQ(RGB(255, 0, 0), canvas.At(99, 5));
    g.SetOrientation(CGradient::kBottomToTop);
    DibCanvas tall(10, 100);
    g.Draw(tall.DC(), tall.Rect(), 0);
    EXPECT_EQ(RGB(255, 0, 0), tall.At(5, 99));
}

TEST(GradientDrawing, PaintsOnlyFromStartToEnd)
{
    CGradient g;
    g.SetColors(1, RGB(0, 128, 0));
    DibCanvas canvas(100, 10);
    g.Draw(canvas.DC(), canvas.Rect(), 20, 70);
    EXPECT_EQ(50 * 10, canvas.Count(RGB(0, 128, 0)));
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(19, 5));
    EXPECT_EQ(RGB(0, 128, 0), canvas.At(20, 5));
    EXPECT_EQ(RGB(255, 255, 255), canvas.At(70, 5));
}

TEST(GradientDrawing, ALowColourDisplayGetsTheFirstColourOnly)
{
    CGradient::SetDisplayCapsSource([](CDC*) { return CGradient::DisplayCaps{FALSE, 4}; });
    CGradient g;
    g.SetColors(2, RGB(255, 0, 0), RGB(0, 0, 255));
    DibCanvas canvas(64, 8, 4);
    g.Draw(canvas.DC(), canvas.Rect(), 0);
    CGradient::SetDisplayCapsSource(nullptr);
    EXPECT_EQ(64 * 8, canvas.Count(RGB(255, 0, 0)));
}

TEST(GradientDrawing, APaletteDisplayGetsAtMost236BandsFromThePalette)
{
    CGradient::SetDisplayCapsSource([](CDC*) { return CGradient::DisplayCaps{TRUE, 8}; });
    CGradient g;
    g.SetCreatePalette(TRUE);
    g.SetColors(2, RGB(0, 0, 0), RGB(255, 255, 255));
    DibCanvas canvas(600, 2);
    g.Draw(canvas.DC(), canvas.Rect(), 0);
    CGradient::SetDisplayCapsSource(nullptr);
    std::set<COLORREF> colors;
    for (int x = 0; x < 600; ++x) colors.insert(canvas.At(x, 0));
    EXPECT_GT(colors.size(), 100u);
    EXPECT_LE(colors.size(), static_cast<size_t>(CGradient::kPaletteSteps));
}

// On a true-colour display the gradient goes out as one picture: it must come out pixel for
// pixel as the fill of each band does (which an 8-bit display still gets), in every direction,
// for a part of the bar, a shifted gradient and a stretched one.
TEST(GradientDrawing, OnePictureComesOutAsTheFillOfEachBand)
{
    struct Case {
        int orientation;
        int start, end, offset;
        float stretch;
    };
    const Case cases[] = {{CGradient::kLeftToRight, 0, -1, 0, 1.0f},  {CGradient::kRightToLeft, 0, -1, 0, 1.0f},
                          {CGradient::kTopToBottom, 0, -1, 0, 1.0f},  {CGradient::kBottomToTop, 0, -1, 0, 1.0f},
                          {CGradient::kLeftToRight, 17, 83, 0, 1.0f}, {CGradient::kRightToLeft, 5, 60, 30, 1.0f},
                          {CGradient::kBottomToTop, 10, -1, 45, 1.0f}, {CGradient::kLeftToRight, 0, -1, 0, 1.7f}};
    for (const Case& c : cases) {
        const bool horizontal = c.orientation == CGradient::kLeftToRight || c.orientation == CGradient::kRightToLeft;
        const CRect area = horizontal ? CRect(3, 2, 123, 14) : CRect(2, 3, 14, 123);
        auto draw = [&](DibCanvas& canvas) {
            CGradient g;
            g.SetColors(4, RGB(255, 0, 0), RGB(255, 255, 0), RGB(255, 255, 0), RGB(0, 255, 0));
            g.SetOrientation(c.orientation);
            g.SetStretch(c.stretch);
            g.Draw(canvas.DC(), area, c.start, c.end, c.offset);
        };
        DibCanvas picture(130, 130);
        draw(picture);
        CGradient::SetDisplayCapsSource([](CDC*) { return CGradient::DisplayCaps{FALSE, 8}; });
        DibCanvas bands(130, 130);
        draw(bands);
        CGradient::SetDisplayCapsSource(nullptr);
        EXPECT_EQ(0, picture.Differing(bands)) << "orientation " << c.orientation << ", from " << c.start << " to " << c.end
                                << ", offset " << c.offset;
    }
}
