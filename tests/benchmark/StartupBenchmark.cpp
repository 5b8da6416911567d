// Time from process start to the tray icon of the real program, beside the time a bare Win32
// dialog program takes to show its window, in the same run. Prints medians and their ratio.
#include "support/FakeNotificationArea.h"
#include "support/TestSupport.h"

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace testing_support;

namespace {
constexpr int kRuns = 7;
constexpr DWORD kTimeoutMs = 30000;

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double Seconds(LARGE_INTEGER a, LARGE_INTEGER b, LARGE_INTEGER f)
{
    return static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}
}  // namespace

int main()
{
    LARGE_INTEGER freq;
    ::QueryPerformanceFrequency(&freq);
    std::vector<double> tray, bare;
    for (int run = 0; run < kRuns; ++run) {
        {
            FakeNotificationArea area;
            LARGE_INTEGER start, end;
            ::QueryPerformanceCounter(&start);
            ChildProcess program("\"" + BinFolder() + "KPL4471.exe\"", BinFolder());
            if (!area.WaitForRequest(NIM_ADD, kTimeoutMs)) {
                std::printf("the program added no tray icon\n");
                return 1;
            }
            ::QueryPerformanceCounter(&end);
            tray.push_back(Seconds(start, end, freq));
        }
        {
            LARGE_INTEGER start, end;
            ::QueryPerformanceCounter(&start);
            ChildProcess program("\"" + BinFolder() + "bare_dialog.exe\"", BinFolder());
            HWND shown = nullptr;
            PumpUntil([&] {
                shown = WaitForWindow("#32770", "Bare Dialog", program.Id(), 0);
                return shown && ::IsWindowVisible(shown);
            }, kTimeoutMs);
            ::QueryPerformanceCounter(&end);
            if (!shown) {
                std::printf("the bare dialog did not show\n");
                return 1;
            }
            bare.push_back(Seconds(start, end, freq));
        }
    }
    const double t = Median(tray) * 1000, b = Median(bare) * 1000;
    std::printf("start to tray icon: median %.1f ms over %d runs\n", t, kRuns);
    std::printf("bare dialog shown:  median %.1f ms over %d runs\n", b, kRuns);
    std::printf("ratio: %.2f\n", t / b);
    return 0;
}
