// The real program's main window as a user meets it: opened by the start-up, a second start and
// a tray double-click, its tab row switching pages, and closed into the tray.
#include <gtest/gtest.h>
#include "program/ProgramWindows.h"
#include "support/FakeNotificationArea.h"
#include "support/TestSupport.h"

#include <string>

using namespace testing_support;
using namespace program_windows;

namespace {
constexpr DWORD kTimeoutMs = 20000;
constexpr UINT kTrayNotify = WM_USER + 100;  // the hidden main dialog's tray callback message
// Tab statics of the main window.
constexpr int kTabLinkInfo = 8004, kTabSiteSurvey = 8005, kTabProfile = 8006, kTabAdapter = 8007;
// One control each page template alone carries.
constexpr int kLinkInfoSsidLabel = 1102, kSurveyRescan = 1015, kProfileList = 1024;

// The page of the main window that carries that control, or null while it has no window.
HWND PageWith(HWND main, int controlId)
{
    return WindowWith(main, 0, controlId, false);
}

bool PageShown(HWND main, int controlId)
{
    HWND page = PageWith(main, controlId);
    return page && ::IsWindowVisible(page);
}

// A user's click on a tab label.
void ClickTab(HWND main, int tabId)
{
    HWND tab = ::GetDlgItem(main, tabId);
    ::PostMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::PostMessageA(tab, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

class MainWindowEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ForgetProfileStore();
        ScopedFile(worldFile, "[World]\nOsCode=12\n").Keep();
    }
    void TearDown() override
    {
        ::DeleteFileA(worldFile.c_str());
        ForgetProfileStore();
    }
    std::string worldFile = BinFolder() + "QxSimWorld.ini";
};
}  // namespace

TEST_F(MainWindowEndToEnd, OpenedFromEveryRoadSwitchedByItsTabsAndClosedIntoTheTray)
{
    FakeNotificationArea tray;
    ChildProcess program(ProgramCommand(), BinFolder());
    HWND hidden = nullptr;
    HWND main = WaitForMainWindow(program.Id(), &hidden);
    ASSERT_TRUE(main);
    // The adapter counts as present from the first polling tick on.
    ASSERT_TRUE(PumpUntil([&] { return tray.Requests() >= 3; }, kTimeoutMs));

    // The start shows the link information; each tab shows its own page and hides the others.
    EXPECT_TRUE(PumpUntil([&] { return PageShown(main, kLinkInfoSsidLabel); }, kTimeoutMs));
    ClickTab(main, kTabSiteSurvey);
    EXPECT_TRUE(PumpUntil([&] { return PageShown(main, kSurveyRescan); }, kTimeoutMs));
    // Seen from another process, the new page may show a moment before the old one goes.
    EXPECT_TRUE(PumpUntil([&] { return !PageShown(main, kLinkInfoSsidLabel); }, kTimeoutMs));
    ClickTab(main, kTabProfile);
    EXPECT_TRUE(PumpUntil([&] { return PageShown(main, kProfileList); }, kTimeoutMs));
    EXPECT_TRUE(PumpUntil([&] { return !PageShown(main, kSurveyRescan); }, kTimeoutMs));
    ClickTab(main, kTabAdapter);
    EXPECT_TRUE(PumpUntil([&] { return !PageShown(main, kProfileList); }, kTimeoutMs));
    ClickTab(main, kTabLinkInfo);
    EXPECT_TRUE(PumpUntil([&] { return PageShown(main, kLinkInfoSsidLabel); }, kTimeoutMs));

    // Closing hides the window; the program stays in the tray, and a double-click brings it back.
    ::SendMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindowVisible(main));
    EXPECT_TRUE(::IsWindow(hidden));
    ::PostMessageA(hidden, kTrayNotify, 0, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(PumpUntil([&] { return ::IsWindowVisible(main) != FALSE; }, kTimeoutMs));

    // A further start of the program shows the same window and ends.
    ::SendMessageA(main, WM_CLOSE, 0, 0);
    ASSERT_FALSE(::IsWindowVisible(main));
    ChildProcess again(ProgramCommand(), BinFolder());
    EXPECT_TRUE(again.WaitForExit(kTimeoutMs));
    EXPECT_TRUE(PumpUntil([&] { return ::IsWindowVisible(main) != FALSE; }, kTimeoutMs));
    EXPECT_EQ(1, CountTopLevelWindows(EnglishText("IDS_QUIXEN_CONFIG_TITLE").c_str()));
}
