#include <gtest/gtest.h>
#include "framework/Afx.h"
#include "ui/CTransparentStatic.h"
#include "ControlsHost.h"
#include "WindowCapture.h"

#include <string>

namespace {
CRect UpdateRect(CWnd& wnd)
{
    CRect r;
    ::GetUpdateRect(wnd.m_hWnd, &r, FALSE);
    return r;
}

std::string ToolTipText(CTransparentStatic& label)
{
    return ToolTipText(label.GetToolTip(), label.m_hWnd);
}
}  // namespace

TEST(SkinText, ANewTextRepaintsTheSkinBehindItOnce)
{
    ControlsHost host;
    CTransparentStatic label;
    ASSERT_TRUE(host.Open(&label, IDC_UI_LABEL));
    host.ValidateRect(nullptr);
    label.SetSkinText("Connected");
    EXPECT_EQ(host.RectOf(IDC_UI_LABEL), UpdateRect(host));
    EXPECT_STREQ("Connected", label.GetWindowText());
    host.ValidateRect(nullptr);
    label.SetSkinText("Connected");
    EXPECT_TRUE(UpdateRect(host).IsRectEmpty());
}

TEST(SkinText, ALongTextIsCutWithAnEllipsisAndShownWholeInTheTip)
{
    ControlsHost host;
    CTransparentStatic label;
    label.EnableToolTip(20);
    ASSERT_TRUE(host.Open(&label, IDC_UI_LABEL));
    label.SetSkinText("ABCDEFGHIJKLMNOPQRSTUVWXY");
    EXPECT_STREQ("ABCDEFGHIJKLMNOPQRST...", label.GetWindowText());
    EXPECT_EQ("ABCDEFGHIJKLMNOPQRSTUVWXY", ToolTipText(label));
    label.SetSkinText("Short name");
    EXPECT_STREQ("Short name", label.GetWindowText());
    EXPECT_EQ("", ToolTipText(label));
    EXPECT_TRUE(label.GetStyle() & SS_NOTIFY);
}

TEST(SkinText, TheCutNeverSplitsADoubleByteCharacter)
{
    const UINT kChineseCodePage = 936;
    // Eighteen single bytes, then two double-byte characters: the cut at 20 falls between them.
    const std::string text = "abcdefghijklmnopqr" "\xC4\xE3\xBA\xC3";
    EXPECT_EQ(20, CTransparentStatic::CutLength(text.c_str(), 20, kChineseCodePage));
    // Nineteen single bytes: the character that starts at 19 is kept whole.
    const std::string longer = "abcdefghijklmnopqrs" "\xC4\xE3" "x";
    EXPECT_EQ(21, CTransparentStatic::CutLength(longer.c_str(), 20, kChineseCodePage));
    EXPECT_EQ(3, CTransparentStatic::CutLength("abc", 5, kChineseCodePage));
}

TEST(SkinText, ABackgroundColourIsPaintedAndTheAncestorsAreLeftAlone)
{
    ControlsHost host;
    CTransparentStatic label;
    ASSERT_TRUE(host.Open(&label, IDC_UI_LABEL));
    label.SetBackColor(RGB(250, 250, 200));
    host.ValidateRect(nullptr);
    label.SetSkinText("Channel 6");
    EXPECT_TRUE(UpdateRect(host).IsRectEmpty());
    WindowCapture shot(host.m_hWnd);
    EXPECT_GT(shot.Count(RGB(250, 250, 200), host.RectOf(IDC_UI_LABEL)), 0);
}

TEST(SkinText, WithoutABackgroundTheParentShowsThroughTheText)
{
    ControlsHost host;
    CTransparentStatic label;
    ASSERT_TRUE(host.Open(&label, IDC_UI_LABEL));
    label.SetTextFont(RGB(200, 0, 0), nullptr);
    label.SetSkinText("Signal");
    WindowCapture shot(host.m_hWnd);
    const CRect r = host.RectOf(IDC_UI_LABEL);
    EXPECT_GT(shot.Count(RGB(200, 0, 0), r), 0);
    EXPECT_GT(shot.Count(::GetSysColor(COLOR_BTNFACE), r), r.Width() * r.Height() / 2);
}

TEST(SkinText, FontsAreArialUnlessTheCallerGivesOne)
{
    ControlsHost host;
    CTransparentStatic label;
    ASSERT_TRUE(host.Open(&label, IDC_UI_LABEL));
    EXPECT_STREQ("Arial", FontOf(label).lfFaceName);
    EXPECT_EQ(12, FontOf(label).lfHeight);
    label.SetTextFont(0, nullptr);
    EXPECT_EQ(14, FontOf(label).lfHeight);
    EXPECT_EQ(600, FontOf(label).lfWeight);
    LOGFONTA tahoma{};
    tahoma.lfHeight = -11;
    tahoma.lfWeight = 800;
    lstrcpyA(tahoma.lfFaceName, "Tahoma");
    label.SetTextFont(0, &tahoma);
    EXPECT_STREQ("Tahoma", FontOf(label).lfFaceName);
    EXPECT_EQ(-11, tahoma.lfHeight);
}
