#include <gtest/gtest.h>
#include "framework/Afx.h"
#include "support/TestSupport.h"
#include "ui/ControlCanvas.h"
#include "ui/ControlsForm.h"
#include "ui/FloatButton.h"

using testing_support::ControlCanvas;
using testing_support::ControlsForm;
using testing_support::PrintClient;

namespace {
constexpr UINT kSkinCancelHover = 1020;
constexpr UINT kSkinCancelNormal = 1021;

// The face colours of the two test bitmaps (a green face, bright for hover, dark otherwise).
bool HoverGreen(COLORREF c) { return GetGValue(c) >= 165 && GetRValue(c) <= 110 && GetBValue(c) <= 110; }
bool NormalGreen(COLORREF c) { return GetGValue(c) >= 105 && GetGValue(c) <= 155 && GetRValue(c) <= 75; }

class FloatButton : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_form.Open());
        ASSERT_TRUE(m_button.SubclassDlgItem(IDC_TEST_FLOAT, &m_form));
    }
    void TearDown() override { m_form.DestroyWindow(); }

    // What the button is asked to draw when it is pressed or released.
    std::unique_ptr<ControlCanvas> DrawSelectionChange(bool pressed)
    {
        CRect client;
        m_button.GetClientRect(&client);
        auto canvas = std::make_unique<ControlCanvas>(client.Width(), client.Height());
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_BUTTON;
        dis.CtlID = IDC_TEST_FLOAT;
        dis.itemAction = ODA_SELECT;
        dis.itemState = pressed ? ODS_SELECTED : 0;
        dis.hwndItem = m_button.m_hWnd;
        dis.hDC = canvas->Dc();
        dis.rcItem = client;
        m_form.SendMessage(WM_DRAWITEM, IDC_TEST_FLOAT, reinterpret_cast<LPARAM>(&dis));
        return canvas;
    }

    ControlsForm m_form;
    CFloatButton m_button;
};
}  // namespace

TEST_F(FloatButton, TakesTheSizeOfTheSkinLibrarysBitmaps)
{
    HMODULE skin = ::LoadLibraryA("KelvoIMG.dll");
    ASSERT_NE(nullptr, skin);
    ASSERT_TRUE(m_button.LoadBitmaps(kSkinCancelHover, kSkinCancelNormal, skin));
    CRect window;
    m_button.GetWindowRect(&window);
    EXPECT_EQ(CSize(75, 23), window.Size());
    EXPECT_EQ(static_cast<DWORD>(BS_OWNERDRAW), m_button.GetStyle() & BS_TYPEMASK);

    m_button.SetWindowPos(HWND{}, 0, 0, 10, 10, SWP_NOMOVE | SWP_NOZORDER);
    m_button.SizeToBitmap();
    m_button.GetWindowRect(&window);
    EXPECT_EQ(CSize(75, 23), window.Size());
}

TEST_F(FloatButton, MissingSecondBitmapLeavesTheButtonWithoutImages)
{
    ASSERT_TRUE(m_button.LoadBitmaps(IDB_TEST_HOVER, IDB_TEST_NORMAL, nullptr));
    EXPECT_FALSE(m_button.LoadBitmaps(IDB_TEST_HOVER, 4711, nullptr));
    EXPECT_FALSE(m_button.HasBitmaps());
    // Still drawn by its owner, which draws nothing now.
    auto canvas = PrintClient(m_button);
    EXPECT_EQ(canvas->Width() * canvas->Height(), canvas->Count(testing_support::kCanvasFill));
}

TEST_F(FloatButton, MovingTheMouseInAndOutSwapsTheBitmapsOnce)
{
    ASSERT_TRUE(m_button.LoadBitmaps(IDB_TEST_HOVER, IDB_TEST_NORMAL, nullptr));
    auto normal = PrintClient(m_button);
    EXPECT_EQ(0, normal->CountIf(HoverGreen));
    EXPECT_GT(normal->CountIf(NormalGreen), 100);
    m_button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(m_button.IsHot());
    auto hot = PrintClient(m_button);
    EXPECT_GT(hot->CountIf(HoverGreen), 100);
    EXPECT_EQ(0, hot->CountIf(NormalGreen));
    // Hot, the picture moves up-left by the inset: the last column and row keep the canvas.
    EXPECT_EQ(testing_support::kCanvasFill, hot->Pixel(hot->Width() - 1, 5));
    m_button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(6, 6));
    EXPECT_TRUE(PrintClient(m_button)->SameAs(*hot));
    m_button.SendMessage(WM_MOUSELEAVE);
    EXPECT_FALSE(m_button.IsHot());
    EXPECT_TRUE(PrintClient(m_button)->SameAs(*normal));
}

TEST_F(FloatButton, PressShiftsThePictureDownRightAndTheReleasePutsItBack)
{
    ASSERT_TRUE(m_button.LoadBitmaps(IDB_TEST_HOVER, IDB_TEST_NORMAL, nullptr));
    auto pressed = DrawSelectionChange(true);
    EXPECT_EQ(testing_support::kCanvasFill, pressed->Pixel(0, 5));
    EXPECT_EQ(testing_support::kCanvasFill, pressed->Pixel(5, 0));
    EXPECT_EQ(RGB(255, 255, 255), pressed->Pixel(1, 1));  // the bitmap's white top-left corner, moved
    // Space let go: a selection change without the selected state.
    EXPECT_TRUE(DrawSelectionChange(false)->SameAs(*PrintClient(m_button)));
}

TEST_F(FloatButton, FocusModeDrawsAFrameInsteadOfMoving)
{
    ASSERT_TRUE(m_button.LoadBitmaps(IDB_TEST_HOVER, IDB_TEST_NORMAL, nullptr, CFloatButton::kModeFocusPressed));
    auto pressed = DrawSelectionChange(true);
    EXPECT_EQ(testing_support::kCanvasFill, pressed->Pixel(0, 0));
    // The dotted focus rectangle one pixel inside alternates along its edge.
    EXPECT_NE(pressed->Pixel(3, 1), pressed->Pixel(4, 1));
}

TEST_F(FloatButton, CaptionModeShowsTheTextInsteadOfTheBitmaps)
{
    ASSERT_TRUE(m_button.LoadBitmaps(IDB_TEST_HOVER, IDB_TEST_NORMAL, nullptr));
    m_button.SetWindowPos(HWND{}, 0, 0, 120, 60, SWP_NOMOVE | SWP_NOZORDER);
    m_button.SetWindowText("OK");
    m_button.SetCaptionMode(TRUE, RGB(0, 255, 0));
    auto canvas = PrintClient(m_button);
    EXPECT_GT(canvas->Count(RGB(0, 255, 0)), 5);
    EXPECT_EQ(0, canvas->Count(RGB(255, 255, 255)));
}
