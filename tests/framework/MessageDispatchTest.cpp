#include <gtest/gtest.h>
#include "framework/Afx.h"
#include "support/TestSupport.h"

#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {
constexpr UINT WM_TEST_MAPPED = WM_APP + 10;
constexpr UINT WM_TEST_UNMAPPED = WM_APP + 11;
constexpr UINT WM_TEST_DEFAULT = WM_APP + 12;
constexpr UINT WM_TEST_THROW = WM_APP + 13;
constexpr UINT kButtonId = 501;

std::vector<std::string> g_trace;

class ReflectingButton : public CButton {
public:
    bool m_takeClicks = true;
protected:
    BOOL OnClicked()
    {
        g_trace.push_back("button:reflected");
        return m_takeClicks;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ReflectingButton, CButton)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

class TracingWnd : public CWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= WM_APP) g_trace.push_back("WindowProc");
        return CWnd::WindowProc(message, wParam, lParam);
    }
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message >= WM_APP) g_trace.push_back("DefWindowProc");
        if (message == WM_TEST_DEFAULT) return 77;
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
    ReflectingButton m_button;

protected:
    LRESULT OnMapped(WPARAM wParam, LPARAM)
    {
        g_trace.push_back("map");
        return static_cast<LRESULT>(wParam) * 2;
    }
    LRESULT OnDefaulting(WPARAM, LPARAM)
    {
        g_trace.push_back("map");
        return Default() + 1;
    }
    LRESULT OnThrowing(WPARAM, LPARAM) { throw std::runtime_error("handler failed"); }
    void OnButton() { g_trace.push_back("parent:clicked"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(TracingWnd, CWnd)
    ON_MESSAGE(WM_TEST_MAPPED, OnMapped)
    ON_MESSAGE(WM_TEST_DEFAULT, OnDefaulting)
    ON_MESSAGE(WM_TEST_THROW, OnThrowing)
    ON_BN_CLICKED(kButtonId, OnButton)
END_MESSAGE_MAP()

class MessageDispatch : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_trace.clear();
        ASSERT_TRUE(wnd.CreateEx(0, nullptr, "dispatch", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 100), nullptr, 0));
        ASSERT_TRUE(wnd.m_button.Create("Press", WS_VISIBLE | BS_PUSHBUTTON, CRect(5, 5, 80, 30), &wnd, kButtonId));
        g_trace.clear();
    }
    TracingWnd wnd;
};
}  // namespace

TEST_F(MessageDispatch, WindowProcThenMapThenDefaultProcedure)
{
    EXPECT_EQ(42, wnd.SendMessage(WM_TEST_MAPPED, 21));
    EXPECT_EQ((std::vector<std::string>{"WindowProc", "map"}), g_trace);

    g_trace.clear();
    wnd.SendMessage(WM_TEST_UNMAPPED);
    EXPECT_EQ((std::vector<std::string>{"WindowProc", "DefWindowProc"}), g_trace);
}

TEST_F(MessageDispatch, HandlerFallsThroughToTheVirtualDefaultProcedure)
{
    EXPECT_EQ(78, wnd.SendMessage(WM_TEST_DEFAULT));
    EXPECT_EQ((std::vector<std::string>{"WindowProc", "map", "DefWindowProc"}), g_trace);
}

TEST_F(MessageDispatch, ControlNotificationReachesTheControlBeforeItsParent)
{
    wnd.m_button.m_takeClicks = true;
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(kButtonId, BN_CLICKED), reinterpret_cast<LPARAM>(wnd.m_button.m_hWnd));
    EXPECT_EQ((std::vector<std::string>{"button:reflected"}), g_trace);

    g_trace.clear();
    wnd.m_button.m_takeClicks = false;
    wnd.m_button.SendMessage(BM_CLICK);
    EXPECT_EQ((std::vector<std::string>{"button:reflected", "parent:clicked"}), g_trace);
}

TEST_F(MessageDispatch, ExceptionInAHandlerStopsAtTheWindowProcedure)
{
    EXPECT_NO_THROW(wnd.SendMessage(WM_TEST_THROW));
    EXPECT_TRUE(wnd.IsWindow());
}

TEST_F(MessageDispatch, ObjectIsFoundFromItsHandleUntilDestroyed)
{
    HWND h = wnd.m_hWnd;
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(h));
    EXPECT_EQ(&wnd.m_button, CWnd::FromHandlePermanent(wnd.m_button.m_hWnd));
    wnd.DestroyWindow();
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(nullptr, wnd.m_button.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(h));
}

TEST_F(MessageDispatch, ObjectIsFoundFromAnotherThreadAndForgottenWhenItGoesWhileMerelyAttached)
{
    CWnd* found = nullptr;
    std::thread([&] { found = CWnd::FromHandlePermanent(wnd.m_hWnd); }).join();
    EXPECT_EQ(&wnd, found);

    // A window whose procedure is not the framework's: only the object knows the binding.
    HWND plain = ::CreateWindowExA(0, "STATIC", "plain", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    auto* attached = new CWnd;
    ASSERT_TRUE(attached->Attach(plain));
    EXPECT_EQ(attached, CWnd::FromHandlePermanent(plain));
    EXPECT_EQ(plain, attached->Detach());
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(plain));
    ASSERT_TRUE(attached->Attach(plain));
    delete attached;  // takes its window along
    EXPECT_FALSE(::IsWindow(plain));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(plain));
}
