// Two measurements of the real program, each beside a bare Win32 dialog program in the same run:
// the time from process start to the tray icon (the bare program: to its dialog shown), and the
// time from a tray double-click to the main window shown and painted (the bare program: from a
// show request to its hidden dialog shown and painted). Prints medians and their ratios.
#include "support/FakeNotificationArea.h"
#include "support/TestSupport.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace testing_support;

namespace {
constexpr int kRuns = 7;
constexpr int kShowsPerRun = 3;
constexpr DWORD kTimeoutMs = 30000;
constexpr UINT kTrayNotify = WM_USER + 100;  // the hidden main dialog's tray callback message

double Median(std::vector<double> v)
{
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
    if (!::IsWindowVisible(window) || ::GetUpdateRect(window, nullptr, FALSE)) return false;
    bool pending = false;
    ::EnumChildWindows(window, FindPending, reinterpret_cast<LPARAM>(&pending));
    return !pending;
}

std::string Text(const char* key)
{
    char text[256] = "";
    ::GetPrivateProfileStringA("Strings", key, "", text, sizeof text, (BinFolder() + "Languages\\Lang.ini").c_str());
    return text;
}

bool MeasureStart(std::vector<double>& tray, std::vector<double>& bare)
{
    {
        FakeNotificationArea area;
        Stopwatch watch;
        ChildProcess program("\"" + BinFolder() + "KPL4471.exe\"", BinFolder());
        if (!area.WaitForRequest(NIM_ADD, kTimeoutMs)) return std::printf("the program added no tray icon\n"), false;
        tray.push_back(watch.Ms());
    }
    Stopwatch watch;
    ChildProcess program("\"" + BinFolder() + "bare_dialog.exe\"", BinFolder());
    HWND shown = nullptr;
    PumpUntil([&] {
        shown = WaitForWindow("#32770", "Bare Dialog", program.Id(), 0);
        return shown && ::IsWindowVisible(shown);
    }, kTimeoutMs);
    if (!shown) return std::printf("the bare dialog did not show\n"), false;
    bare.push_back(watch.Ms());
    return true;
}

bool MeasureShow(std::vector<double>& mainWindow, std::vector<double>& bare)
{
    {
        FakeNotificationArea area;
        ChildProcess program("\"" + BinFolder() + "KPL4471.exe\"", BinFolder());
        HWND main = WaitForWindow("#32770", Text("IDS_QUIXEN_CONFIG_TITLE").c_str(), program.Id(), kTimeoutMs);
        HWND hidden = WaitForWindow("#32770", "Quixen Utility", program.Id(), kTimeoutMs);
        // The adapter counts as present from the first polling tick on.
        if (!main || !hidden || !PumpUntil([&] { return area.Requests() >= 3; }, kTimeoutMs))
            return std::printf("the program's main window did not come up\n"), false;
        for (int i = 0; i < kShowsPerRun; ++i) {
            ::SendMessageA(main, WM_CLOSE, 0, 0);
            PumpFor(300);
            Stopwatch watch;
            ::PostMessageA(hidden, kTrayNotify, 0, WM_LBUTTONDBLCLK);
            if (!PumpUntil([&] { return ShownAndPainted(main); }, kTimeoutMs))
                return std::printf("a double-click did not show the main window\n"), false;
            mainWindow.push_back(watch.Ms());
        }
    }
    ChildProcess program("\"" + BinFolder() + "bare_dialog.exe\" hidden", BinFolder());
    HWND dialog = WaitForWindow("#32770", "Bare Dialog", program.Id(), kTimeoutMs);
    if (!dialog) return std::printf("the bare dialog was not created\n"), false;
    for (int i = 0; i < kShowsPerRun; ++i) {
        ::ShowWindow(dialog, SW_HIDE);
        PumpFor(300);
        Stopwatch watch;
        ::PostMessageA(dialog, WM_APP, 0, 0);
        if (!PumpUntil([&] { return ShownAndPainted(dialog); }, kTimeoutMs))
            return std::printf("the bare dialog did not show\n"), false;
        bare.push_back(watch.Ms());
    }
    return true;
}
}  // namespace

int main()
{
    // The default world, as a new user meets it.
    std::vector<double> tray, bareStart, shown, bareShown;
    for (int run = 0; run < kRuns; ++run) {
        if (!MeasureStart(tray, bareStart)) return 1;
        if (!MeasureShow(shown, bareShown)) return 1;
    }
    const double t = Median(tray), b = Median(bareStart), s = Median(shown), bs = Median(bareShown);
    std::printf("start to tray icon:              median %7.1f ms over %d runs\n", t, kRuns);
    std::printf("bare dialog started and shown:   median %7.1f ms over %d runs\n", b, kRuns);
    std::printf("start-up ratio: %.2f\n", t / b);
    std::printf("double-click to window painted:  median %7.1f ms over %d shows\n", s, kRuns * kShowsPerRun);
    std::printf("bare dialog shown and painted:   median %7.1f ms over %d shows\n", bs, kRuns * kShowsPerRun);
    std::printf("show ratio: %.2f\n", s / bs);
    return 0;
}
