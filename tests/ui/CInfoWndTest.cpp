#include <gtest/gtest.h>
#include "framework/Afx.h"
#include "ui/CSmartEdit.h"
#include "ControlsHost.h"
#include "WindowCapture.h"

namespace {
class InfoTip : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.Open(&edit, IDC_UI_EDIT));
        edit.SetFocus();
        ASSERT_EQ(edit.m_hWnd, ::GetFocus());
        tip = edit.GetInfoWnd();
        ASSERT_NE(nullptr, tip->m_hWnd);
    }
    CRect EditOnScreen()
    {
        CRect r;
        edit.GetWindowRect(&r);
        return r;
    }
    CRect TipOnScreen()
    {
        CRect r;
        tip->GetWindowRect(&r);
        return r;
    }

    ControlsHost host;
    CSmartEdit edit;
    CInfoWnd* tip = nullptr;
};
}  // namespace

TEST_F(InfoTip, ShowsAboveTheEditWithoutTakingTheFocus)
{
    tip->ShowInfo(&edit, "Digits only");
    ASSERT_TRUE(tip->IsWindowVisible());
    EXPECT_EQ(edit.m_hWnd, ::GetFocus());
    EXPECT_NE(tip->m_hWnd, ::GetActiveWindow());
    const CRect anchor = EditOnScreen(), shown = TipOnScreen();
    EXPECT_EQ(anchor.left - 3, shown.left);
    EXPECT_EQ(anchor.top - CInfoWnd::kGap - 1, shown.bottom);
    EXPECT_EQ(tip->GetShownRect().Width() + 3, shown.Width());
    EXPECT_TRUE(tip->GetExStyle() & WS_EX_TOPMOST);
    EXPECT_STREQ(" Digits only ", tip->GetText());
    EXPECT_EQ(host.m_hWnd, ::GetWindow(tip->m_hWnd, GW_OWNER));
}

TEST_F(InfoTip, PlacementFlagsPutItBelowRightOrLeftOfTheEdit)
{
    tip->SetPlacement(CInfoWnd::kBelow);
    tip->ShowInfo(&edit, "below");
    EXPECT_EQ(EditOnScreen().bottom + CInfoWnd::kGap - 1, TipOnScreen().top);
    tip->ShowWindow(SW_HIDE);
    tip->SetPlacement(CInfoWnd::kRight);
    tip->ShowInfo(&edit, "right");
    EXPECT_EQ(EditOnScreen().right + CInfoWnd::kGap - 3, TipOnScreen().left);
    EXPECT_EQ(EditOnScreen().top - 1, TipOnScreen().top);
    tip->ShowWindow(SW_HIDE);
    tip->SetPlacement(CInfoWnd::kLeft);
    tip->ShowInfo(&edit, "left");
    EXPECT_LT(TipOnScreen().left, EditOnScreen().left - CInfoWnd::kGap - 3);
}

TEST_F(InfoTip, AShownTipIsNotRestartedAndHidesWhenItsTimeIsUp)
{
    tip->ShowInfo(&edit, "first");
    tip->ShowInfo(&edit, "second");
    EXPECT_STREQ(" first ", tip->GetText());
    tip->SendMessage(WM_TIMER, CInfoWnd::kHideTimerId);
    EXPECT_FALSE(tip->IsWindowVisible());
    tip->ShowInfo(&edit, "again");
    tip->SendMessage(WM_LBUTTONUP, 0, 0);
    EXPECT_FALSE(tip->IsWindowVisible());
}

TEST_F(InfoTip, NothingShowsWhileNoWindowHasTheFocus)
{
    ::SetFocus(nullptr);
    tip->ShowInfo(&edit, "nobody listens");
    EXPECT_FALSE(tip->IsWindowVisible());
}

TEST_F(InfoTip, ItsTextIsDrawnOnTheTipColour)
{
    tip->ShowInfo(&edit, "WWWW");
    WindowCapture shot(tip->m_hWnd);
    EXPECT_GT(shot.Count(CSmartEdit::kInfoColor), shot.Width() * shot.Height() / 2);
    EXPECT_GT(shot.CountOther(CSmartEdit::kInfoColor, CRect(0, 0, shot.Width(), shot.Height())), 10);
}
