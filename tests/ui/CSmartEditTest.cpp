#include <gtest/gtest.h>
#include "framework/Afx.h"
#include "ui/CLinkSlider.h"
#include "ui/CSmartEdit.h"
#include "ControlsHost.h"

namespace {
class CountingEdit : public CSmartEdit {
public:
    int refused = 0;

protected:
    void OnBadInput() override { ++refused; }
};

class FilteredEdit : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Open(&edit, IDC_UI_EDIT)); }
    CString Type(const char* keys)
    {
        edit.SetWindowText("");
        for (const char* k = keys; *k; ++k) edit.SendMessage(WM_CHAR, static_cast<BYTE>(*k), 1);
        return edit.GetWindowText();
    }

    ControlsHost host;
    CountingEdit edit;
};
}  // namespace

TEST_F(FilteredEdit, DigitsOnlyRefusesALetterAndKeepsBackspace)
{
    edit.SetParseType(CSmartEdit::kDigits);
    EXPECT_STREQ("12", Type("1a2"));
    EXPECT_EQ(1, edit.refused);
    EXPECT_STREQ("1", Type("12\b"));
    EXPECT_EQ(1, edit.refused);
}

TEST_F(FilteredEdit, EachClassLetsItsOwnCharactersThrough)
{
    edit.SetParseType(CSmartEdit::kHex);
    EXPECT_STREQ("0aF9e", Type("0aF9eg-"));
    edit.SetParseType(CSmartEdit::kFloat);
    EXPECT_STREQ("-1.5E3", Type("-1.5E3x_"));
    edit.SetParseType(CSmartEdit::kUnderscore | CSmartEdit::kLetters);
    EXPECT_STREQ("my_net", Type("my_net!"));
    edit.SetParseType(CSmartEdit::kOtherChars);
    EXPECT_STREQ("!_#", Type("a!_#1"));
    EXPECT_EQ(7, edit.refused);
}

TEST_F(FilteredEdit, ARangeBelowZeroAcceptsTheMinusSignAndDigits)
{
    edit.SetRange(-10, 10, 1, 5);
    EXPECT_EQ(CSmartEdit::kDigits | CSmartEdit::kSignedInt, edit.GetParseType());
    EXPECT_STREQ("-7", Type("-7.a"));
    edit.SetRange(0, 10, 1, 5);
    EXPECT_STREQ("7", Type("-7"));
}

TEST_F(FilteredEdit, ValuesOutsideTheRangeAreRefused)
{
    edit.SetRange(-10, 10, 1, 5);
    EXPECT_TRUE(edit.SetValue(-10));
    EXPECT_STREQ("-10", edit.GetWindowText());
    EXPECT_FALSE(edit.SetValue(11));
    EXPECT_STREQ("-10", edit.GetWindowText());
}

TEST_F(FilteredEdit, ATiedSliderWritesItsPositionIntoTheEdit)
{
    CLinkSlider slider;
    ASSERT_TRUE(host.Bind(slider, IDC_UI_SLIDER));
    ASSERT_TRUE(edit.AttachSlider(&host, IDC_UI_SLIDER));
    EXPECT_EQ(&edit, slider.GetEdit());
    edit.SetRange(0, 64, 2, 8);
    EXPECT_EQ(64, slider.GetRangeMax());
    EXPECT_EQ(8, static_cast<int>(slider.SendMessage(TBM_GETPAGESIZE)));

    slider.SetPos(20);
    host.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_LINEDOWN, 0), reinterpret_cast<LPARAM>(slider.m_hWnd));
    EXPECT_STREQ("20", edit.GetWindowText());
    host.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 33), reinterpret_cast<LPARAM>(slider.m_hWnd));
    EXPECT_STREQ("33", edit.GetWindowText());
    EXPECT_EQ(33, slider.GetLastPos());
    // The end of a drag changes nothing; dragging back to the last number written shows it over a typed one.
    edit.SetWindowText("12");
    host.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), reinterpret_cast<LPARAM>(slider.m_hWnd));
    EXPECT_STREQ("12", edit.GetWindowText());
    host.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, 33), reinterpret_cast<LPARAM>(slider.m_hWnd));
    EXPECT_STREQ("33", edit.GetWindowText());
    // End and Home on the slider, again after a number typed in between (the page moves the slider to it).
    slider.SendMessage(WM_KEYDOWN, VK_END, 1);
    EXPECT_STREQ("64", edit.GetWindowText());
    Type("50");
    slider.SetPos(50);
    slider.SendMessage(WM_KEYDOWN, VK_END, 1);
    EXPECT_STREQ("64", edit.GetWindowText());
    slider.SendMessage(WM_KEYDOWN, VK_HOME, 1);
    EXPECT_STREQ("0", edit.GetWindowText());
    Type("7");
    slider.SetPos(7);
    slider.SendMessage(WM_KEYDOWN, VK_HOME, 1);
    EXPECT_STREQ("0", edit.GetWindowText());
    slider.SetPos(40);
    host.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 40), reinterpret_cast<LPARAM>(slider.m_hWnd));
    EXPECT_STREQ("40", edit.GetWindowText());
}

TEST_F(FilteredEdit, AnIdThatIsNoLinkedSliderTiesNothing)
{
    EXPECT_FALSE(edit.AttachSlider(&host, IDC_UI_LABEL));
    EXPECT_EQ(nullptr, edit.GetSlider());
}
