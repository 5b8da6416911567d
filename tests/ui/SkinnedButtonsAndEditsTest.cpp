#include <gtest/gtest.h>
#include "framework/Afx.h"
#include "ui/CBitmapRadioButton.h"
#include "ui/CFingerStatic.h"
#include "ui/CRadioButton.h"
#include "ui/CRussianFontComboBox.h"
#include "base/LanguageTable.h"
#include "ui/CTransparentEdit.h"
#include "ControlsHost.h"
#include "WindowCapture.h"

namespace {
constexpr UINT kNormalBitmap = 12345, kSelectedBitmap = 12346;

HBRUSH ColourAnswer(ControlsHost& host, CWnd& control, UINT message)
{
    CClientDC dc(&control);
    return reinterpret_cast<HBRUSH>(host.SendMessage(message, reinterpret_cast<WPARAM>(dc.m_hDC), reinterpret_cast<LPARAM>(control.m_hWnd)));
}

class SkinLibrary : public ::testing::Test {
protected:
    void SetUp() override { skin = ::LoadLibraryA("KelvoIMG.dll"); ASSERT_NE(nullptr, skin); }
    void TearDown() override { ::FreeLibrary(skin); }
    HMODULE skin = nullptr;
};
}  // namespace

TEST(TransparentEdit, AnswersItsBrushOrNoBackgroundAtAll)
{
    ControlsHost host;
    CTransparentEdit edit;
    ASSERT_TRUE(host.Open(&edit, IDC_UI_TRANSPARENT_EDIT));
    EXPECT_EQ(::GetStockObject(NULL_BRUSH), ColourAnswer(host, edit, WM_CTLCOLOREDIT));
    edit.SetBackColor(RGB(253, 253, 253));
    HBRUSH brush = ColourAnswer(host, edit, WM_CTLCOLOREDIT);
    LOGBRUSH lb{};
    ::GetObjectA(brush, sizeof lb, &lb);
    EXPECT_EQ(RGB(253, 253, 253), lb.lbColor);
}

TEST(RadioButton, TakesItsFontAndPaintsItsTextOnTheSkin)
{
    ControlsHost host;
    CRadioButton radio;
    ASSERT_TRUE(host.Open(&radio, IDC_UI_RADIO));
    EXPECT_STREQ("MS Sans Serif", FontOf(radio).lfFaceName);
    EXPECT_EQ(14, FontOf(radio).lfHeight);
    EXPECT_EQ(300, FontOf(radio).lfWeight);
    EXPECT_EQ(::GetStockObject(NULL_BRUSH), ColourAnswer(host, radio, WM_CTLCOLORSTATIC));
    radio.SetTextBackColor(RGB(252, 252, 252));
    EXPECT_NE(::GetStockObject(NULL_BRUSH), ColourAnswer(host, radio, WM_CTLCOLORSTATIC));
}

TEST_F(SkinLibrary, BitmapRadioButtonShowsItsStateAndItsTextBesideIt)
{
    ControlsHost host;
    CBitmapRadioButton button;
    ASSERT_TRUE(host.Open(&button, IDC_UI_BITMAP_RADIO));
    EXPECT_EQ(static_cast<DWORD>(BS_OWNERDRAW), button.GetStyle() & BS_TYPEMASK);
    ASSERT_TRUE(button.LoadBitmaps(kNormalBitmap, kSelectedBitmap, IDC_UI_RADIO_LABEL, skin));
    CRect r;
    button.GetClientRect(&r);
    EXPECT_EQ(28, r.Width());
    EXPECT_EQ(28, r.Height());
    CWnd* label = host.GetDlgItem(IDC_UI_RADIO_LABEL);
    ASSERT_NE(nullptr, label);
    EXPECT_EQ(host.RectOf(IDC_UI_BITMAP_RADIO).right + CBitmapRadioButton::kTextGap, host.RectOf(IDC_UI_RADIO_LABEL).left);
    EXPECT_STREQ("Tahoma", FontOf(*label).lfFaceName);
    EXPECT_EQ(800, FontOf(*label).lfWeight);
    button.SetText("Station");
    EXPECT_STREQ("Station", label->GetWindowText());

    const CRect face = host.RectOf(IDC_UI_BITMAP_RADIO);
    const CPoint centre = face.CenterPoint();
    WindowCapture normal(host.m_hWnd);
    button.SetHighlight(1);
    WindowCapture selected(host.m_hWnd);
    button.SetHighlight(2);
    WindowCapture neither(host.m_hWnd);
    EXPECT_NE(normal.At(centre), selected.At(centre));
    EXPECT_GT(GetBValue(selected.At(centre)), GetBValue(normal.At(centre)));
    EXPECT_NE(normal.At(centre), neither.At(centre));
    EXPECT_NE(selected.At(centre), neither.At(centre));

    button.SetSelected(false);
    EXPECT_FALSE(button.IsWindowVisible());
    button.SetSelected(true);
    EXPECT_TRUE(button.IsWindowVisible());
}

TEST(FingerStatic, ItsTextMovesIntoTheLowerPartOfTheFinger)
{
    ControlsHost host;
    CFingerStatic finger;
    ASSERT_TRUE(host.Open(&finger, IDC_UI_FINGER));
    EXPECT_STREQ("", finger.GetWindowText());
    EXPECT_STREQ("Finger", finger.GetText());
    CWnd* inner = finger.GetDlgItem(CFingerStatic::kInnerId);
    ASSERT_NE(nullptr, inner);
    EXPECT_STREQ("Finger", inner->GetWindowText());
    CRect whole, lower;
    finger.GetClientRect(&whole);
    inner->GetWindowRect(&lower);
    finger.ScreenToClient(&lower);
    EXPECT_EQ(whole.Height() * 5 / 9, lower.top);
    EXPECT_EQ(whole.bottom, lower.bottom);
    EXPECT_TRUE(finger.GetStyle() & SS_NOTIFY);
}

TEST(FingerStatic, AShortTextIsOneCentredLineALongOneWraps)
{
    ControlsHost host;
    CFingerStatic finger;
    ASSERT_TRUE(host.Open(&finger, IDC_UI_FINGER));
    finger.SetText("Site");
    EXPECT_TRUE(finger.GetInner().GetStyle() & SS_CENTERIMAGE);
    finger.SetText("Site survey of the networks in range");
    EXPECT_FALSE(finger.GetInner().GetStyle() & SS_CENTERIMAGE);
    EXPECT_STREQ("Site survey of the networks in range", finger.GetInner().GetWindowText());
}

TEST(FingerStatic, ColourAndFontReachTheInnerTextAndTheCursorIsAHand)
{
    ControlsHost host;
    CFingerStatic finger;
    ASSERT_TRUE(host.Open(&finger, IDC_UI_FINGER));
    host.ValidateRect(nullptr);
    finger.SetTextColor(RGB(0, 0, 160));
    EXPECT_EQ(RGB(0, 0, 160), finger.GetInner().GetTextColor());
    CRect update;
    EXPECT_TRUE(::GetUpdateRect(host.m_hWnd, &update, FALSE));
    EXPECT_EQ(host.RectOf(IDC_UI_FINGER), update);

    LOGFONTA lf{};
    lf.lfHeight = -12;
    lstrcpyA(lf.lfFaceName, "Tahoma");
    finger.SetTextFont(&lf);
    EXPECT_EQ(0x30, FontOf(finger.GetInner()).lfPitchAndFamily & 0xF0);
    EXPECT_EQ(0, lf.lfPitchAndFamily);
    EXPECT_TRUE(finger.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(finger.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
}

TEST(RussianFontComboBox, ARussianTableGivesTheComboItsCharacterSet)
{
    G_LangTable.IDS_UI_LANGUAGE = "Russian";
    G_LangTable.m_nCharSet = RUSSIAN_CHARSET;
    ControlsHost host;
    CRussianFontComboBox combo;
    const bool opened = host.Open(&combo, IDC_UI_COMBO);
    G_LangTable.IDS_UI_LANGUAGE.Empty();
    G_LangTable.m_nCharSet = 0;
    ASSERT_TRUE(opened);
    EXPECT_EQ(RUSSIAN_CHARSET, FontOf(combo).lfCharSet);

    ControlsHost english;
    CRussianFontComboBox plain;
    ASSERT_TRUE(english.Open(&plain, IDC_UI_COMBO));
    EXPECT_NE(RUSSIAN_CHARSET, FontOf(plain).lfCharSet);
}

TEST(RussianFontComboBox, TheListDropsDownAsWideAsItsWidestText)
{
    ControlsHost host;
    CRussianFontComboBox combo;
    ASSERT_TRUE(host.Open(&combo, IDC_UI_COMBO));
    combo.AddString("WPA2");
    combo.AddString("WPA2-PSK with a very long description");
    const int width = combo.DroppedWidth();
    CClientDC dc(&combo);
    HGDIOBJ old = dc.SelectObject(reinterpret_cast<HGDIOBJ>(combo.SendMessage(WM_GETFONT)));
    const int text = dc.GetTextExtent("WPA2-PSK with a very long description").cx;
    const int pad = dc.GetTextExtent("0").cx;
    dc.SelectObject(old);
    EXPECT_EQ(text + ::GetSystemMetrics(SM_CXVSCROLL) + pad, width);
    host.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_UI_COMBO, CBN_DROPDOWN), reinterpret_cast<LPARAM>(combo.m_hWnd));
    EXPECT_EQ(width, combo.GetDroppedWidth());
}
