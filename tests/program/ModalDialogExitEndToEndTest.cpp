// The real program leaving while a modal dialog of its main window is open: the trend chart, the
// about box and a WPS method dialog, each opened as a user opens it, then Exit from the tray or
// the adapter pulled out. The program ends (or drops its window) without a fault, which the
// exception trace of the run would show.
#include <gtest/gtest.h>
#include "program/ProgramWindows.h"
#include "support/TestSupport.h"

#include <memory>
#include <string>

using namespace testing_support;
using namespace program_windows;

namespace {
constexpr DWORD kTimeoutMs = 20000;
constexpr int kTabAdapter = 8007, kAboutButton = 8009;
constexpr int kTrendChart = 1144;
constexpr int kRateTransmit = 1722, kAboutDriver = 1704;
constexpr int kAdapterWps = 1212, kAdapterPbc = 1213, kWpsDialogStart = 1742;

class ModalDialogExit : public ::testing::Test {
protected:
    void SetUp() override
    {
        ForgetProfileStore();
        ScopedFile(worldFile, "[World]\nOsCode=12\n").Keep();
        program = std::make_unique<ChildProcess>(ProgramCommand(), BinFolder());
        main = WaitForMainWindow(program->Id());
        ASSERT_TRUE(main);
    }
    void TearDown() override
    {
        ::DeleteFileA(worldFile.c_str());
        ForgetProfileStore();
    }
    // A click on a control once a person could see it.
    void ClickSeen(HWND control)
    {
        ASSERT_TRUE(WaitUntilSeen(control)) << "control " << ::GetDlgCtrlID(control) << ": " << DescribePlace(control);
        Click(control);
    }
    // The top-level window of the program that carries the control, once a person could see it.
    HWND SeenDialogWith(int controlId)
    {
        HWND dialog = WaitForWindowWith(nullptr, program->Id(), controlId, kTimeoutMs);
        if (!dialog || !WaitUntilSeen(dialog)) return nullptr;
        return dialog;
    }
    HWND OpenTrendChart()
    {
        HWND button = WaitForSeenControl(main, kTrendChart);
        if (!button) return nullptr;
        Click(button);
        return SeenDialogWith(kRateTransmit);
    }
    void ExpectCleanEnd()
    {
        DWORD code = STILL_ACTIVE;
        EXPECT_TRUE(PumpUntil([&] { return program->WaitForExit(0, &code); }, kTimeoutMs));
        EXPECT_NE(STILL_ACTIVE, code);
    }

    std::string worldFile = BinFolder() + "QxSimWorld.ini";
    std::unique_ptr<ChildProcess> program;
    HWND main = nullptr;
};
}  // namespace

TEST_F(ModalDialogExit, TrayExitWithTheTrendChartOpenClosesItAndEnds)
{
    HWND chart = OpenTrendChart();
    ASSERT_TRUE(chart);
    EXPECT_TRUE(ExitFromTray(*program));
    EXPECT_FALSE(::IsWindow(chart));
    ExpectCleanEnd();
}

TEST_F(ModalDialogExit, TrayExitWithTheAboutBoxOpenClosesItAndEnds)
{
    ClickSeen(::GetDlgItem(main, kAboutButton));
    HWND about = SeenDialogWith(kAboutDriver);
    ASSERT_TRUE(about);
    EXPECT_TRUE(ExitFromTray(*program));
    ExpectCleanEnd();
}

TEST_F(ModalDialogExit, TrayExitWithAWpsDialogOpenClosesItAndEnds)
{
    ClickSeen(::GetDlgItem(main, kTabAdapter));
    HWND box = WaitForSeenControl(main, kAdapterWps);
    ASSERT_TRUE(box);
    ::SendMessageA(box, BM_CLICK, 0, 0);  // WPS on: the method buttons come alive
    HWND pushButton = ::GetDlgItem(::GetParent(box), kAdapterPbc);
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowEnabled(pushButton) != FALSE; }, kTimeoutMs));
    ASSERT_TRUE(WaitUntilSeen(pushButton));
    ::PostMessageA(pushButton, BM_CLICK, 0, 0);
    HWND dialog = SeenDialogWith(kWpsDialogStart);
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(ExitFromTray(*program));
    ExpectCleanEnd();
}

TEST_F(ModalDialogExit, AdapterPulledOutWithTheTrendChartOpenDropsTheWindowSafely)
{
    HWND chart = OpenTrendChart();
    ASSERT_TRUE(chart);
    ScopedFile(worldFile, "[World]\nOsCode=12\nDevicePresent=0\n").Keep();
    // The removal closes the chart first and takes the main window at a later poll.
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(chart) && !::IsWindow(main); }, kTimeoutMs));
    EXPECT_FALSE(program->WaitForExit(0));
    EXPECT_TRUE(ExitFromTray(*program));
    ExpectCleanEnd();
}
