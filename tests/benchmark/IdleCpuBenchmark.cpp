// Idle CPU of the real program linked to the 802.11n network, measured from outside: open on the
// link information page (its two-second poll running), then hidden in the tray, beside a bare
// Win32 dialog program over the same time. Prints process CPU time per minute of each and what
// one refresh of the page costs; asserts none.
//   idle_cpu_benchmark [seconds]   (60 by default: a minute each)
#include "support/FakeNotificationArea.h"
#include "support/TestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <string>

using namespace testing_support;

namespace {
constexpr DWORD kDefaultSeconds = 60;
constexpr DWORD kTimeoutMs = 30000;
constexpr DWORD kSettleMs = 3000;        // start-up work and the first polls are not idle time
constexpr double kPageRefreshMs = 2000;  // the link page's poll
constexpr UINT kTrayNotify = WM_USER + 100;
constexpr int kLinkSsid = 1112;
constexpr double kMsPer100ns = 1e-4;

ULONGLONG Ticks(const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

// User plus kernel time of the process so far, in ms; negative when it cannot be read.
double CpuMs(DWORD pid)
{
    HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, pid);
    if (!process) return -1;
    FILETIME created, exited, kernel, user;
    const BOOL ok = ::GetProcessTimes(process, &created, &exited, &kernel, &user);
    ::CloseHandle(process);
    return ok ? static_cast<double>(Ticks(kernel) + Ticks(user)) * kMsPer100ns : -1;
}

// CPU ms the process spends over `seconds` while this thread keeps answering the tray.
double Measure(DWORD pid, DWORD seconds)
{
    PumpFor(kSettleMs);
    const double start = CpuMs(pid);
    PumpFor(seconds * 1000);
    const double end = CpuMs(pid);
    return start < 0 || end < 0 ? -1 : end - start;
}

BOOL CALLBACK FindSsid(HWND child, LPARAM lParam)
{
    if (::GetDlgCtrlID(child) != kLinkSsid || !::IsWindowVisible(child)) return TRUE;
    *reinterpret_cast<HWND*>(lParam) = child;
    return FALSE;
}

std::string LinkedSsid(HWND main)
{
    HWND ssid = nullptr;
    ::EnumChildWindows(main, FindSsid, reinterpret_cast<LPARAM>(&ssid));
    char text[64] = "";
    if (ssid) ::GetWindowTextA(ssid, text, sizeof text);
    return text;
}

void Report(const char* what, double ms, DWORD seconds)
{
    if (ms < 0) std::printf("%-40s not measured\n", what);
    else std::printf("%-40s %8.1f ms CPU per minute (%.1f ms in %lu s)\n", what, ms * 60.0 / seconds, ms,
                     static_cast<unsigned long>(seconds));
}
}  // namespace

int main(int argc, char** argv)
{
    const DWORD seconds = argc > 1 && std::atoi(argv[1]) > 0 ? static_cast<DWORD>(std::atoi(argv[1])) : kDefaultSeconds;
    const std::string world = BinFolder() + "QxSimWorld.ini";
    ForgetProfileStore();
    ScopedFile worldFile(world, "[World]\nOsCode=12\nConnectDelayMs=200\n"
                                "[Profile1]\nName=Fast\nSsid=Quixen-N300\nSecurity=WPA2-PSK\nKey=quixen300\nActive=1\n");
    double open = -1, tray = -1, bare = -1;
    {
        FakeNotificationArea area;
        ChildProcess program(ProgramCommand(), BinFolder());
        char title[256] = "";
        ::GetPrivateProfileStringA("Strings", "IDS_QUIXEN_CONFIG_TITLE", "", title, sizeof title,
                                   (BinFolder() + "Languages\\Lang.ini").c_str());
        HWND main = WaitForWindow("#32770", title, program.Id(), kTimeoutMs);
        HWND hidden = WaitForWindow("#32770", "Quixen Utility", program.Id(), kTimeoutMs);
        if (!main || !hidden || !PumpUntil([&] { return LinkedSsid(main) == "Quixen-N300"; }, kTimeoutMs)) {
            std::printf("the program did not show the link to Quixen-N300\n");
            return 1;
        }
        open = Measure(program.Id(), seconds);
        ::SendMessageA(main, WM_CLOSE, 0, 0);
        tray = Measure(program.Id(), seconds);
        // Back on the page, so the run ends as it started.
        ::PostMessageA(hidden, kTrayNotify, 0, WM_LBUTTONDBLCLK);
        PumpFor(500);
    }
    {
        ChildProcess program("\"" + BinFolder() + "bare_dialog.exe\"", BinFolder());
        if (!WaitForWindow("#32770", "Bare Dialog", program.Id(), kTimeoutMs)) {
            std::printf("the bare dialog did not show\n");
            return 1;
        }
        bare = Measure(program.Id(), seconds);
    }
    ForgetProfileStore();

    Report("open on the link page, linked:", open, seconds);
    Report("hidden in the tray, linked:", tray, seconds);
    Report("bare Win32 dialog program:", bare, seconds);
    if (open >= 0 && tray >= 0) {
        const double refreshes = seconds * 1000.0 / kPageRefreshMs;
        // Process times advance in clock ticks (10 ms or more): a difference within one tick says
        // only that a refresh costs less than a tick spread over the refreshes.
        if (open - tray > 0)
            std::printf("one link-page refresh (open minus tray):  %8.3f ms CPU over %.0f refreshes\n",
                        (open - tray) / refreshes, refreshes);
        else
            std::printf("one link-page refresh: below the resolution (open %.1f ms, tray %.1f ms, %.0f refreshes)\n",
                        open, tray, refreshes);
    }
    return 0;
}
