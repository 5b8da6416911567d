#include <gtest/gtest.h>
#include "ui/CeXDib.h"
#include "ui/ControlCanvas.h"

using testing_support::ControlCanvas;

TEST(CeXDib, HeaderStrideAndPaletteFollowTheBitCount)
{
    CCeXDib dib;
    ASSERT_NE(nullptr, dib.Create(10, 3, 8));
    EXPECT_EQ(12u, dib.GetLineWidth());
    EXPECT_EQ(256, dib.GetNumColors());
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(dib.GetBits() - 256 * sizeof(RGBQUAD) - sizeof(BITMAPINFOHEADER));
    EXPECT_EQ(40u, header->biSize);
    EXPECT_EQ(36u, header->biSizeImage);
    dib.Create(10, 3, 4);
    EXPECT_EQ(8u, dib.GetLineWidth());
    EXPECT_EQ(16, dib.GetNumColors());
    dib.Create(33, 1, 1);
    EXPECT_EQ(8u, dib.GetLineWidth());
    EXPECT_EQ(2, dib.GetNumColors());
}

TEST(CeXDib, PixelsCountFromTheTopAndAreStoredBottomUp)
{
    CCeXDib dib;
    dib.Create(4, 3, 8);
    dib.SetPixelIndex(1, 0, 7);
    EXPECT_EQ(7, dib.GetRowFromBottom(2)[1]);
    EXPECT_EQ(7, dib.GetPixelIndex(1, 0));
    dib.SetPixelIndex(4, 0, 9);   // outside
    dib.SetPixelIndex(0, 3, 9);
    dib.SetPixelIndex(static_cast<DWORD>(-1), 1, 9);
    for (DWORD y = 0; y < 3; ++y)
        for (DWORD x = 0; x < 4; ++x) EXPECT_NE(9, dib.GetPixelIndex(x, y));
    dib.Create(5, 2, 4);
    dib.SetPixelIndex(3, 1, 0xA);
    dib.SetPixelIndex(2, 1, 0x5);
    EXPECT_EQ(0xA, dib.GetPixelIndex(3, 1));
    EXPECT_EQ(0x5, dib.GetPixelIndex(2, 1));
}

TEST(CeXDib, BlendPaletteMovesEveryEntryAndCapsAtAHundred)
{
    CCeXDib dib;
    dib.Create(2, 2, 8);
    dib.SetPaletteIndex(0, 100, 0, 200);
    dib.BlendPalette(RGB(200, 100, 0), 50);
    EXPECT_EQ(150, dib.GetPaletteIndex(0).rgbRed);
    EXPECT_EQ(50, dib.GetPaletteIndex(0).rgbGreen);
    EXPECT_EQ(100, dib.GetPaletteIndex(0).rgbBlue);
    dib.BlendPalette(RGB(1, 2, 3), 250);
    EXPECT_EQ(1, dib.GetPaletteIndex(0).rgbRed);
    EXPECT_EQ(3, dib.GetPaletteIndex(255).rgbBlue);
}

TEST(CeXDib, DrawShowsTheCurrentPixelsAndPalette)
{
    CCeXDib dib;
    dib.Create(3, 2, 8);
    dib.SetPaletteIndex(1, 255, 0, 0);
    dib.SetPaletteIndex(2, 0, 0, 255);
    dib.Clear(1);
    ControlCanvas canvas(6, 4);
    dib.Draw(canvas.Dc(), 1, 1);
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(1, 1));
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(3, 2));
    EXPECT_EQ(testing_support::kCanvasFill, canvas.Pixel(4, 1));
    // Changes after the first draw reach the cached section.
    dib.SetPixelIndex(0, 0, 2);
    dib.BlendPalette(RGB(0, 255, 0), 100);
    dib.Draw(canvas.Dc(), 1, 1);
    EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(1, 1));
    CCeXDib copy;
    copy.Clone(dib);
    EXPECT_EQ(2, copy.GetPixelIndex(0, 0));
    EXPECT_EQ(255, copy.GetPaletteIndex(1).rgbGreen);
}
