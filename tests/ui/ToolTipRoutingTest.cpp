#include <gtest/gtest.h>
#include "framework/Afx.h"
#include "support/TestSupport.h"
#include "ControlsHost.h"

namespace {
std::vector<TOOLINFOA> Tools()
{
    std::vector<TOOLINFOA> tools;
    HWND tip = CWnd::GetThreadToolTip();
    if (!tip) return tools;
    const int count = static_cast<int>(::SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        TOOLINFOA ti{};
        ti.cbSize = sizeof ti;
        if (::SendMessageA(tip, TTM_ENUMTOOLSA, i, reinterpret_cast<LPARAM>(&ti))) tools.push_back(ti);
    }
    return tools;
}

// Refuses, as XP's common controls without a manifest for version 6 do, a tool description larger
// than the one they know.
class XpToolTip : public CToolTipCtrl {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        const bool takesATool = message == TTM_ADDTOOLA || message == TTM_DELTOOLA || message == TTM_UPDATETIPTEXTA;
        if (takesATool && reinterpret_cast<const TOOLINFOA*>(lParam)->cbSize > TTTOOLINFOA_V2_SIZE) return FALSE;
        return CToolTipCtrl::WindowProc(message, wParam, lParam);
    }
};

// The move is repeated while the tips answer otherwise: the platform may queue moves of its own.
void MoveMouseOver(CWnd& wnd, int x, int y, size_t expectedTools)
{
    testing_support::PostUntil(wnd.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(x, y),
                               [&] { return Tools().size() == expectedTools; });
}
}  // namespace

TEST(ToolTipRouting, AChildControlUnderTheMouseBecomesATipOfItsDialog)
{
    ControlsHost host;
    ASSERT_TRUE(host.Open());
    host.EnableToolTips(TRUE);
    CWnd* edit = host.GetDlgItem(IDC_UI_EDIT);
    MoveMouseOver(*edit, 3, 3, 1);
    auto tools = Tools();
    ASSERT_EQ(1u, tools.size());
    EXPECT_EQ(host.m_hWnd, tools[0].hwnd);
    EXPECT_EQ(reinterpret_cast<UINT_PTR>(edit->m_hWnd), tools[0].uId);
    EXPECT_TRUE(tools[0].uFlags & TTF_IDISHWND);

    // Over the dialog itself there is no tool; nor once the tips are switched off.
    MoveMouseOver(host, host.RectOf(IDC_UI_HISTOGRAM).right + 40, host.RectOf(IDC_UI_HISTOGRAM).bottom + 5, 0);
    EXPECT_TRUE(Tools().empty());
    MoveMouseOver(*edit, 3, 3, 1);
    EXPECT_EQ(1u, Tools().size());
    host.EnableToolTips(FALSE);
    EXPECT_TRUE(Tools().empty());
    MoveMouseOver(*edit, 3, 3, 0);
    EXPECT_TRUE(Tools().empty());
}

TEST(ToolTipRouting, WindowsWithoutTipsLeaveTheMouseAlone)
{
    ControlsHost host;
    ASSERT_TRUE(host.Open());
    HWND before = CWnd::GetThreadToolTip();
    const size_t tools = Tools().size();
    MoveMouseOver(*host.GetDlgItem(IDC_UI_EDIT), 3, 3, tools);
    EXPECT_EQ(before, CWnd::GetThreadToolTip());
    EXPECT_EQ(tools, Tools().size());
}

TEST(ToolTipRouting, AToolTipControlIsUnderstoodByXpsCommonControls)
{
    ControlsHost host;
    ASSERT_TRUE(host.Open());
    XpToolTip tip;
    ASSERT_TRUE(tip.Create(&host));
    CWnd* edit = host.GetDlgItem(IDC_UI_EDIT);
    ASSERT_TRUE(tip.AddTool(edit, "Typed here"));
    EXPECT_EQ(1, tip.GetToolCount());
    tip.UpdateTipText("Changed", edit);
    EXPECT_EQ("Changed", ToolTipText(tip, edit->m_hWnd));
    tip.DelTool(edit);
    EXPECT_EQ(0, tip.GetToolCount());
}
