// The real program leaving while a modal loop of its user-interface thread runs: the trend chart,
// the about box and a WPS method dialog, the access-point switch's radio-off dialog, a box stacked
// on the WPS PIN dialog and a page's box in the middle of its SAVE, each opened as a user opens
// it, then Exit from the tray or the adapter pulled out. The program ends (or drops its window)
// without a fault, which the exception trace of the run would show; the cases of the boxes run
// with the heap's free checking on, so that an object freed under a running handler faults.
#include <gtest/gtest.h>
#include "program/ApModeFixture.h"
#include "program/ProgramWindows.h"
#include "support/TestSupport.h"

#include <memory>
#include <string>

using namespace testing_support;
using namespace program_windows;

namespace {
constexpr DWORD kTimeoutMs = 20000;
constexpr int kTabAdapter = 8007, kTabConfiguration = 8005, kAboutButton = 8009, kApModeButton = 8012;
constexpr int kTrendChart = 1144;
constexpr int kRateTransmit = 1722, kAboutDriver = 1704;
constexpr int kAdapterWps = 1212, kAdapterPbc = 1213, kAdapterPinAp = 1215;
constexpr int kWpsDialogStart = 1742, kPinApEdit = 1752;
constexpr int kRadioOffText = 1032;               // the message dialog's text
constexpr int kApSsid = 2704, kApSave = 2740;     // the skinned access-point configuration page
constexpr int kMessageBoxText = 0xFFFF;
constexpr char kStationWorld[] = "[World]\nOsCode=12\n";

struct BoxSearch {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK MatchBox(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<BoxSearch*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    char cls[32] = "";
    ::GetClassNameA(window, cls, sizeof cls);
    if (pid != search->pid || strcmp(cls, "#32770") != 0 || !::IsWindowVisible(window) ||
        !::GetDlgItem(window, kMessageBoxText))
        return TRUE;
    search->found = window;
    return FALSE;
}

class ModalDialogExit : public ::testing::Test {
protected:
    void SetUp() override { ForgetProfileStore(); }
    void TearDown() override
    {
        ::DeleteFileA(worldFile.c_str());
        ::DeleteFileA(apWorldFile.c_str());
        ForgetProfileStore();
    }
    void Start(const std::string& world = kStationWorld)
    {
        ScopedFile(worldFile, world).Keep();
        program = std::make_unique<ChildProcess>(ProgramCommand(), BinFolder());
        main = WaitForMainWindow(program->Id());
        ASSERT_TRUE(main);
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
    // The message box of the program that shows that text, once a person could see it.
    HWND SeenBoxSaying(const std::string& text)
    {
        BoxSearch search{program->Id(), nullptr};
        const bool shown = PumpUntil([&] {
            search.found = nullptr;
            ::EnumWindows(MatchBox, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        }, kTimeoutMs);
        if (!shown || !WaitUntilSeen(search.found)) return nullptr;
        char shownText[512] = "";
        ::GetDlgItemTextA(search.found, kMessageBoxText, shownText, sizeof shownText);
        EXPECT_EQ(text, shownText);
        return search.found;
    }
    HWND OpenTrendChart()
    {
        HWND button = WaitForSeenControl(main, kTrendChart);
        if (!button) return nullptr;
        Click(button);
        return SeenDialogWith(kRateTransmit);
    }
    // The adapter page's WPS switched on and one of its method buttons pressed.
    void PressWpsMethod(int methodId)
    {
        ClickSeen(::GetDlgItem(main, kTabAdapter));
        HWND box = WaitForSeenControl(main, kAdapterWps);
        ASSERT_TRUE(box);
        ::SendMessageA(box, BM_CLICK, 0, 0);  // WPS on: the method buttons come alive
        HWND method = ::GetDlgItem(::GetParent(box), methodId);
        ASSERT_TRUE(PumpUntil([&] { return ::IsWindowEnabled(method) != FALSE; }, kTimeoutMs));
        ASSERT_TRUE(WaitUntilSeen(method));
        ::PostMessageA(method, BM_CLICK, 0, 0);
    }
    // The WPS dialog for the access point's PIN, started with a PIN too short: its refusal box.
    HWND PinRefusalBox()
    {
        PressWpsMethod(kAdapterPinAp);
        HWND dialog = SeenDialogWith(kPinApEdit);
        if (!dialog) return nullptr;
        ::SendMessageA(::GetDlgItem(dialog, kPinApEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("1"));
        ::PostMessageA(::GetDlgItem(dialog, kWpsDialogStart), BM_CLICK, 0, 0);
        return SeenBoxSaying(EnglishText("IDS_MSG_PINCODE_INVALID"));
    }
    void ExpectCleanEnd()
    {
        DWORD code = STILL_ACTIVE;
        EXPECT_TRUE(PumpUntil([&] { return program->WaitForExit(0, &code); }, kTimeoutMs));
        EXPECT_NE(STILL_ACTIVE, code);
    }
    // Ended with code 0 and let the single-instance lock go; a new start on that world shows its
    // window and ends the same way.
    void ExpectEndedForGoodAndStartsAgain(const std::string& world = kStationWorld)
    {
        DWORD code = STILL_ACTIVE;
        ASSERT_TRUE(PumpUntil([&] { return program->WaitForExit(0, &code); }, kTimeoutMs));
        EXPECT_EQ(0u, code);
        HANDLE lock = ::OpenMutexA(SYNCHRONIZE, FALSE, "VN38");
        EXPECT_EQ(nullptr, lock) << "the single-instance lock is still held";
        if (lock) ::CloseHandle(lock);
        Start(world);
        EXPECT_TRUE(ExitFromTray(*program));
        ASSERT_TRUE(program->WaitForExit(kTimeoutMs, &code));
        EXPECT_EQ(0u, code);
    }

    std::string worldFile = BinFolder() + "QxSimWorld.ini";
    std::string apWorldFile = BinFolder() + "QxSimAp.ini";
    std::unique_ptr<ChildProcess> program;
    HWND main = nullptr;

private:
    SavedFiles m_data{DataFolder() + "BinaryReg.Orz"};  // the operation mode the program stores
};
}  // namespace

TEST_F(ModalDialogExit, TrayExitWithTheTrendChartOpenClosesItAndEnds)
{
    Start();
    HWND chart = OpenTrendChart();
    ASSERT_TRUE(chart);
    EXPECT_TRUE(ExitFromTray(*program));
    EXPECT_FALSE(::IsWindow(chart));
    ExpectCleanEnd();
}

TEST_F(ModalDialogExit, TrayExitWithTheAboutBoxOpenClosesItAndEnds)
{
    Start();
    ClickSeen(::GetDlgItem(main, kAboutButton));
    HWND about = SeenDialogWith(kAboutDriver);
    ASSERT_TRUE(about);
    EXPECT_TRUE(ExitFromTray(*program));
    ExpectCleanEnd();
}

TEST_F(ModalDialogExit, TrayExitWithAWpsDialogOpenClosesItAndEnds)
{
    Start();
    PressWpsMethod(kAdapterPbc);
    HWND dialog = SeenDialogWith(kWpsDialogStart);
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(ExitFromTray(*program));
    ExpectCleanEnd();
}

TEST_F(ModalDialogExit, AdapterPulledOutWithTheTrendChartOpenDropsTheWindowSafely)
{
    Start();
    HWND chart = OpenTrendChart();
    ASSERT_TRUE(chart);
    ScopedFile(worldFile, "[World]\nOsCode=12\nDevicePresent=0\n").Keep();
    // The removal ends the chart first and takes the main window once its loop has returned.
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(chart) && !::IsWindow(main); }, kTimeoutMs));
    EXPECT_FALSE(program->WaitForExit(0));
    EXPECT_TRUE(ExitFromTray(*program));
    ExpectCleanEnd();
}

TEST_F(ModalDialogExit, TrayExitUnderTheRadioOffDialogOfTheAccessPointSwitchEnds)
{
    HeapFreeChecking heap;
    Start("[World]\nOsCode=10\nSwRadio=0\n");
    ASSERT_TRUE(HeapFreeChecking::IsOn(program->Id()));
    ClickSeen(::GetDlgItem(main, kApModeButton));
    HWND dialog = SeenDialogWith(kRadioOffText);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(EnglishText("IDS_INVAILDRADIOOFF"), ItemText(dialog, kRadioOffText));
    EXPECT_TRUE(ExitFromTray(*program));
    ExpectEndedForGoodAndStartsAgain();
}

TEST_F(ModalDialogExit, TrayExitUnderTheBoxOfTheWpsPinDialogEnds)
{
    HeapFreeChecking heap;
    Start();
    ASSERT_TRUE(PinRefusalBox());
    EXPECT_TRUE(ExitFromTray(*program));
    ExpectEndedForGoodAndStartsAgain();
}

TEST_F(ModalDialogExit, TrayExitUnderTheAccessPointPagesRefusalInTheMiddleOfItsSaveEnds)
{
    HeapFreeChecking heap;
    const std::string world = "[World]\nOsCode=10\nOpMode=1\n";
    ScopedFile(apWorldFile, "[World]\n").Keep();
    Start(world);
    ClickSeen(::GetDlgItem(main, kTabConfiguration));
    HWND ssid = WaitForSeenControl(main, kApSsid);
    ASSERT_TRUE(ssid);
    ::SendMessageA(ssid, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
    PressButton(::GetParent(ssid), kApSave);
    ASSERT_TRUE(SeenBoxSaying(EnglishText("IDS_ADHOCINPUTSSID")));
    EXPECT_TRUE(ExitFromTray(*program));
    ExpectEndedForGoodAndStartsAgain(world);
}

TEST_F(ModalDialogExit, AdapterPulledOutUnderTheBoxOfTheWpsPinDialogDropsTheWindowAndExitEnds)
{
    HeapFreeChecking heap;
    Start();
    HWND box = PinRefusalBox();
    ASSERT_TRUE(box);
    ScopedFile(worldFile, "[World]\nOsCode=12\nDevicePresent=0\n").Keep();
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(box) && !::IsWindow(main); }, kTimeoutMs));
    EXPECT_FALSE(program->WaitForExit(0));
    ScopedFile(worldFile, kStationWorld).Keep();
    EXPECT_TRUE(ExitFromTray(*program));
    ExpectEndedForGoodAndStartsAgain();
}
