// Measurements of the real program, each beside a bare Win32 dialog program in the same run:
// the time from process start to the tray icon and to the main window shown and painted (the
// bare program: to its dialog shown, and shown and painted), and the time from a tray
// double-click to the main window shown and painted (the bare program: from a show request to
// its hidden dialog shown and painted). Prints medians and their ratios, then the start-up's
// steps as the program times them itself with the debug switch.
#include "base/StartupTimeline.h"
#include "support/FakeNotificationArea.h"
#include "support/TestSupport.h"

#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

using namespace testing_support;

namespace {
constexpr int kRuns = 7;
constexpr int kShowsPerRun = 3;
constexpr int kTimelineRuns = 5;
constexpr DWORD kTimeoutMs = 30000;
constexpr DWORD kPollMs = 1;
constexpr UINT kTrayNotify = WM_USER + 100;  // the hidden main dialog's tray callback message
constexpr char kLastStep[] = "first poll done";

double Median(std::vector<double> v)
{
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

class Stopwatch {
public:
    Stopwatch() { ::QueryPerformanceFrequency(&m_freq); ::QueryPerformanceCounter(&m_start); }
    double Ms() const
    {
        LARGE_INTEGER now;
        ::QueryPerformanceCounter(&now);
        return static_cast<double>(now.QuadPart - m_start.QuadPart) * 1000.0 / static_cast<double>(m_freq.QuadPart);
    }
private:
    LARGE_INTEGER m_freq{}, m_start{};
};

BOOL CALLBACK FindPending(HWND child, LPARAM pending)
{
    if (::IsWindowVisible(child) && ::GetUpdateRect(child, nullptr, FALSE)) *reinterpret_cast<bool*>(pending) = true;
    return TRUE;
}

// Shown, and neither the window nor any visible child still waits for its paint.
bool ShownAndPainted(HWND window)
{
    if (!window || !::IsWindowVisible(window) || ::GetUpdateRect(window, nullptr, FALSE)) return false;
    bool pending = false;
    ::EnumChildWindows(window, FindPending, reinterpret_cast<LPARAM>(&pending));
    return !pending;
}

// Dispatches this thread's messages and checks done() every millisecond, for at most timeoutMs.
template <typename Done>
bool PollUntil(Done done, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
        if (done()) return true;
        if (::GetTickCount() - start >= timeoutMs) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMs, QS_ALLINPUT);
    }
}

std::string MainWindowCaption()
{
    return EnglishText("IDS_QUIXEN_CONFIG_TITLE");
}

BOOL CALLBACK CountVisible(HWND child, LPARAM count)
{
    if (::IsWindowVisible(child)) ++*reinterpret_cast<int*>(count);
    return TRUE;
}

int VisibleDescendants(HWND window)
{
    int count = 0;
    ::EnumChildWindows(window, CountVisible, reinterpret_cast<LPARAM>(&count));
    return count;
}

std::string BareCommand(const char* arguments, int children)
{
    return "\"" + BinFolder() + "bare_dialog.exe\" " + arguments + " children " + std::to_string(children);
}

struct Times {
    std::vector<double> first, second;  // two moments of one kind of run
};

// The program from its start to its tray icon (first) and to its main window shown and
// painted (second); answers the number of visible windows in that main window.
int MeasureProgramStart(Times& times)
{
    FakeNotificationArea area;
    const std::string caption = MainWindowCaption();
    Stopwatch watch;
    ChildProcess program(ProgramCommand(), BinFolder());
    double tray = -1, painted = -1;
    HWND main = nullptr;
    const bool done = PollUntil([&] {
        if (tray < 0 && area.Requests() > 0) tray = watch.Ms();
        if (!main) main = WaitForWindow("#32770", caption.c_str(), program.Id(), 0);
        if (painted < 0 && ShownAndPainted(main)) painted = watch.Ms();
        return tray >= 0 && painted >= 0;
    }, kTimeoutMs);
    if (!done) return std::printf("the program added no tray icon or showed no main window\n"), -1;
    times.first.push_back(tray);
    times.second.push_back(painted);
    return VisibleDescendants(main);
}

// The bare dialog from its start to shown (first) and to shown and painted (second).
bool MeasureBareStart(int children, Times& times)
{
    Stopwatch watch;
    ChildProcess program(BareCommand("", children), BinFolder());
    double shown = -1, painted = -1;
    HWND dialog = nullptr;
    const bool done = PollUntil([&] {
        if (!dialog) dialog = WaitForWindow("#32770", "Bare Dialog", program.Id(), 0);
        if (shown < 0 && dialog && ::IsWindowVisible(dialog)) shown = watch.Ms();
        if (painted < 0 && ShownAndPainted(dialog)) painted = watch.Ms();
        return shown >= 0 && painted >= 0;
    }, kTimeoutMs);
    if (!done) return std::printf("the bare dialog did not show\n"), false;
    times.first.push_back(shown);
    times.second.push_back(painted);
    return true;
}

bool MeasureProgramShows(std::vector<double>& shows)
{
    FakeNotificationArea area;
    ChildProcess program(ProgramCommand(), BinFolder());
    HWND main = WaitForWindow("#32770", MainWindowCaption().c_str(), program.Id(), kTimeoutMs);
    HWND hidden = WaitForWindow("#32770", "Quixen Utility", program.Id(), kTimeoutMs);
    // The adapter counts as present from the first polling tick on.
    if (!main || !hidden || !PumpUntil([&] { return area.Requests() >= 3; }, kTimeoutMs))
        return std::printf("the program's main window did not come up\n"), false;
    for (int i = 0; i < kShowsPerRun; ++i) {
        ::SendMessageA(main, WM_CLOSE, 0, 0);
        PumpFor(300);
        Stopwatch watch;
        ::PostMessageA(hidden, kTrayNotify, 0, WM_LBUTTONDBLCLK);
        if (!PollUntil([&] { return ShownAndPainted(main); }, kTimeoutMs))
            return std::printf("a double-click did not show the main window\n"), false;
        shows.push_back(watch.Ms());
    }
    return true;
}

bool MeasureBareShows(int children, std::vector<double>& shows)
{
    ChildProcess program(BareCommand("hidden", children), BinFolder());
    HWND dialog = WaitForWindow("#32770", "Bare Dialog", program.Id(), kTimeoutMs);
    if (!dialog) return std::printf("the bare dialog was not created\n"), false;
    for (int i = 0; i < kShowsPerRun; ++i) {
        ::ShowWindow(dialog, SW_HIDE);
        PumpFor(300);
        Stopwatch watch;
        ::PostMessageA(dialog, WM_APP, 0, 0);
        if (!PollUntil([&] { return ShownAndPainted(dialog); }, kTimeoutMs))
            return std::printf("the bare dialog did not show\n"), false;
        shows.push_back(watch.Ms());
    }
    return true;
}

std::string DebugLogFile()
{
    char desktop[MAX_PATH] = "";
    ::SHGetSpecialFolderPathA(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, FALSE);
    return std::string(desktop) + "\\KPL4471.LOG";
}

// The program's own timeline of one start with the debug switch, up to its first poll.
bool ReadTimeline(std::vector<StartupStep>& steps)
{
    const std::string log = DebugLogFile();
    ::DeleteFileA(log.c_str());
    FakeNotificationArea area;
    ChildProcess program(ProgramCommand(" -d"), BinFolder());
    std::string text;
    const bool done = PumpUntil([&] {
        text = ReadWholeFile(log);
        return text.find(kLastStep) != std::string::npos;
    }, kTimeoutMs);
    if (!done) return std::printf("the program wrote no start-up timeline to %s\n", log.c_str()), false;
    steps = ParseStartupTimeline(text);
    return !steps.empty();
}

void PrintTimeline()
{
    std::vector<std::string> order;
    std::map<std::string, std::vector<double>> at, took;
    for (int run = 0; run < kTimelineRuns; ++run) {
        std::vector<StartupStep> steps;
        if (!ReadTimeline(steps)) return;
        double previous = 0;
        for (const StartupStep& step : steps) {
            if (!at.count(step.name)) order.push_back(step.name);
            at[step.name].push_back(step.atMs);
            took[step.name].push_back(step.atMs - previous);
            previous = step.atMs;
        }
    }
    std::printf("start-up steps with the debug switch, medians over %d runs (ms from process creation, ms of the step):\n",
                kTimelineRuns);
    for (const std::string& name : order)
        std::printf("  %-48s %8.1f %8.1f\n", name.c_str(), Median(at[name]), Median(took[name]));
}
}  // namespace

int main()
{
    // Every program runs as the user starts it, without the exception trace of the tests: the
    // trace writes a line for each setjmp of the image decoder, and the timeline's debug lines.
    _putenv("QX_CHILD_WINEDEBUG=-all");
    // The default world, as a new user meets it; the three programs take turns in every run.
    Times program, bare, bareWithChildren;
    std::vector<double> shows, bareShows, bareWithChildrenShows;
    int children = 0;
    for (int run = 0; run < kRuns; ++run) {
        children = MeasureProgramStart(program);
        if (children < 0 || !MeasureBareStart(0, bare) || !MeasureBareStart(children, bareWithChildren)) return 1;
        if (!MeasureProgramShows(shows) || !MeasureBareShows(0, bareShows) ||
            !MeasureBareShows(children, bareWithChildrenShows))
            return 1;
    }
    const double tray = Median(program.first), painted = Median(program.second);
    const double bareShown = Median(bare.first), barePainted = Median(bare.second);
    const double manyShown = Median(bareWithChildren.first), manyPainted = Median(bareWithChildren.second);
    const double show = Median(shows), bareShow = Median(bareShows), manyShow = Median(bareWithChildrenShows);
    std::printf("medians over %d runs (%d shows); the main window holds %d visible windows\n", kRuns,
                kRuns * kShowsPerRun, children);
    std::printf("start to tray icon:                              %7.1f ms\n", tray);
    std::printf("start to main window shown and painted:          %7.1f ms\n", painted);
    std::printf("bare dialog started and shown:                   %7.1f ms\n", bareShown);
    std::printf("bare dialog started, shown and painted:          %7.1f ms\n", barePainted);
    std::printf("bare dialog with %2d static texts, shown:         %7.1f ms\n", children, manyShown);
    std::printf("bare dialog with %2d static texts, painted:       %7.1f ms\n", children, manyPainted);
    std::printf("start-up ratio (tray icon / bare shown):         %.2f\n", tray / bareShown);
    std::printf("start-up ratio (window painted / bare painted):  %.2f\n", painted / barePainted);
    std::printf("  the same beside the bare dialog with as many windows: %.2f and %.2f\n", tray / manyShown,
                painted / manyPainted);
    std::printf("double-click to window painted:                  %7.1f ms\n", show);
    std::printf("bare dialog shown and painted:                   %7.1f ms\n", bareShow);
    std::printf("bare dialog with %2d static texts, shown and painted: %7.1f ms\n", children, manyShow);
    std::printf("show ratio: %.2f (beside the bare dialog with as many windows: %.2f)\n", show / bareShow,
                show / manyShow);
    PrintTimeline();
    return 0;
}
