#include <gtest/gtest.h>
#include "framework/Afx.h"
#include "support/TestSupport.h"
#include "ui/ControlCanvas.h"
#include "ui/ControlsForm.h"
#include "ui/ShadeButtonST.h"

#include <cstdlib>

using testing_support::ControlCanvas;
using testing_support::ControlsForm;
using testing_support::PrintClient;

namespace {
constexpr COLORREF kHotTint = RGB(0xB4, 0xB4, 0xB4);
constexpr COLORREF kSelectedGreen = RGB(0, 255, 0);

class ShadeButton : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_form.Open(true));
        ASSERT_TRUE(m_button.SubclassDlgItem(IDC_TEST_SHADE, &m_form));
        m_button.SetWindowText("");
    }
    void TearDown() override { m_form.DestroyWindow(); }

    void TabShade(unsigned seed)
    {
        srand(seed);
        m_button.SetShade(CShadeButtonST::SHS_VBUMP, 8, 40, 5, 0, kHotTint, kSelectedGreen);
    }

    static int GreenDominated(const ControlCanvas& c)
    {
        return c.CountIf([](COLORREF p) { return GetGValue(p) > GetRValue(p) + 40 && GetGValue(p) > GetBValue(p) + 40; });
    }

    ControlsForm m_form;
    CShadeButtonST m_button;
};
}  // namespace

TEST_F(ShadeButton, SameSeedGivesTheSameFace)
{
    TabShade(7);
    auto first = PrintClient(m_button);
    TabShade(7);
    auto again = PrintClient(m_button);
    EXPECT_TRUE(first->SameAs(*again));
    TabShade(8);
    EXPECT_FALSE(PrintClient(m_button)->SameAs(*first));
    EXPECT_GT(first->DistinctColors(), 20);  // roughened by noise
}

TEST_F(ShadeButton, SelectedTabShowsTheSelectedColour)
{
    TabShade(1);
    auto plain = PrintClient(m_button);
    EXPECT_EQ(0, GreenDominated(*plain));
    m_button.SetSelected(TRUE);
    auto selected = PrintClient(m_button);
    EXPECT_GT(GreenDominated(*selected), selected->Width() * selected->Height() / 2);
}

TEST_F(ShadeButton, HotFaceIsTintedAndPressedHotFaceMovesDownRight)
{
    TabShade(1);
    m_button.SetAlwaysTrack(TRUE);
    auto plain = PrintClient(m_button);
    m_button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(4, 4));
    auto hot = PrintClient(m_button);
    EXPECT_FALSE(hot->SameAs(*plain));
    m_button.SendMessage(BM_SETSTATE, TRUE);
    auto pressed = PrintClient(m_button);
    // The face sits one pixel further right: its column 0 is now at column 1.
    for (int y = 2; y < 8; ++y) EXPECT_EQ(hot->Pixel(10, y), pressed->Pixel(11, y + 1)) << y;
}

TEST_F(ShadeButton, FullColouringGivesOneColourAndNoneKeepsTheShade)
{
    m_button.SetShade(CShadeButtonST::SHS_VGRADIENT, 8, 10, 100, RGB(10, 20, 30), 0, 0);
    auto single = PrintClient(m_button);
    EXPECT_EQ(single->Width() * single->Height(), single->Count(RGB(10, 20, 30)));

    // Granularity 0: no noise, so the bottom line is the shadow end and the top the light end.
    m_button.SetShade(CShadeButtonST::SHS_VGRADIENT, 0, 10, 0, 0, 0, 0);
    auto shade = PrintClient(m_button);
    const int bottom = shade->Height() - 1;
    EXPECT_TRUE(testing_support::Near(::GetSysColor(COLOR_BTNSHADOW), shade->Pixel(5, bottom), 3));
    RECT topRow{0, 0, shade->Width(), 1}, bottomRow{0, bottom, shade->Width(), bottom + 1};
    EXPECT_LE(shade->DistinctColors(&topRow), 2);
    EXPECT_LE(shade->DistinctColors(&bottomRow), 2);
    COLORREF top = shade->Pixel(5, 0);
    EXPECT_GT(GetRValue(top) + GetGValue(top) + GetBValue(top), GetRValue(shade->Pixel(5, bottom)) * 3);
}

TEST_F(ShadeButton, EveryPatternDiffersAndTinyButtonsGetAnEmptyFace)
{
    std::unique_ptr<ControlCanvas> previous;
    for (UINT type = CShadeButtonST::SHS_DIAGONAL; type <= CShadeButtonST::SHS_METAL; ++type) {
        srand(3);
        m_button.SetShade(type, 8, 10, 0, 0, 0, 0);
        auto face = PrintClient(m_button);
        EXPECT_EQ(0, face->Count(testing_support::kCanvasFill)) << type;
        if (previous) {
            EXPECT_FALSE(face->SameAs(*previous)) << type;
        }
        previous = std::move(face);
    }
    for (CSize size : {CSize(0, 0), CSize(1, 1), CSize(5, 1), CSize(40000, 2)}) {
        m_button.SetWindowPos(HWND{}, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        for (UINT type = 0; type <= 9; ++type) m_button.SetShade(type, 8, 10, 0, 0, 0, 0);
    }
    SUCCEED();
}
