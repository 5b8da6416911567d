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
