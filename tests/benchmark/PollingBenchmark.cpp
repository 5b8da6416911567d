// CPU cost of the hidden dialog's polling in station mode against the simulated world: one
// polling pass, and a minute of idle running with a connected link, beside a minute of a
// minimal Win32 program (a window and its message loop) measured the same way. Reports times;
// asserts none. POLLING_BENCHMARK_SECONDS shortens the minute.
#include "base/DataFile.h"
#include "core/hidedlg/HideDlg.h"
#include "base/LanguageTable.h"
#include "core/QXWLLIB.h"
#include "res/resource.h"
#include "support/StationSim.h"
#include "support/TestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {
constexpr int kPasses = 1000;
constexpr DWORD kDefaultSeconds = 60;
constexpr double kMsPer100ns = 1e-4;
constexpr char kMinimalSwitch[] = "--minimal";

DWORD RunSeconds()
{
    const char* text = std::getenv("POLLING_BENCHMARK_SECONDS");
    const int seconds = text ? std::atoi(text) : 0;
    return seconds > 0 ? static_cast<DWORD>(seconds) : kDefaultSeconds;
}

ULONGLONG Ticks(const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

// User plus kernel time of a process, in ms.
double CpuMs(HANDLE process)
{
    FILETIME created, exited, kernel, user;
    ::GetProcessTimes(process, &created, &exited, &kernel, &user);
    return static_cast<double>(Ticks(kernel) + Ticks(user)) * kMsPer100ns;
}

// Runs the thread's message loop for `ms`.
void RunLoop(DWORD ms)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        const DWORD elapsed = ::GetTickCount() - start;
        if (elapsed >= ms) break;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - elapsed, QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

// The minimal program: one window and its message loop, for the given time. Answers the CPU
// time of the loop alone in ms (its start-up under the loader is not part of the comparison).
int RunMinimalProgram()
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "MinimalWin32Program";
    ::RegisterClassA(&wc);
    HWND window = ::CreateWindowExA(0, wc.lpszClassName, "Minimal", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                                    nullptr, wc.hInstance, nullptr);
    const double start = CpuMs(::GetCurrentProcess());
    RunLoop(RunSeconds() * 1000);
    const double spent = CpuMs(::GetCurrentProcess()) - start;
    ::DestroyWindow(window);
    return static_cast<int>(spent + 0.5);
}

double MinimalProgramMinuteMs()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, sizeof path);
    std::string command = std::string("\"") + path + "\" " + kMinimalSwitch;
    STARTUPINFOA si{sizeof si};
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
    ::WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD loopMs = 0;
    ::GetExitCodeProcess(pi.hProcess, &loopMs);
    const double ms = static_cast<double>(loopMs);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    return ms;
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], kMinimalSwitch) == 0) return RunMinimalProgram();

    testing_support::StationSim sim;
    if (!sim.Loaded() || !sim.Reset("")) {
        printf("the stand-in station library is missing\n");
        return 1;
    }
    testing_support::MessageBoxCapture boxes;
    CWinApp app{"KPL4471"};
    auto dlg = std::make_unique<CHideDlg>(nullptr);
    app.m_pMainWnd = dlg.get();
    if (!dlg->Create(IDD_HIDE_DIALOG)) {
        printf("the hidden dialog did not start\n");
        return 1;
    }
    // A connected link to the open network.
    WLANPROFILE open{};
    const char ssid[] = "Quixen-Open";
    open.SSID.SsidLength = sizeof ssid - 1;
    std::memcpy(open.SSID.Ssid, ssid, sizeof ssid - 1);
    open.enumNetworkType = 1;
    open.enumAuthenMode = AUTH_OPEN;
    open.enumEncryStatus = ENCRY_NONE;
    dlg->InsertAndExec(actionTypeProfile, &open);
    sim.WaitIdle();
    RunLoop(200);

    HANDLE self = ::GetCurrentProcess();
    const double before = CpuMs(self);
    for (int i = 0; i < kPasses; ++i) dlg->SendMessage(WM_TIMER, TIMER_HIDE_DLG_RADIO);
    const double perPass = (CpuMs(self) - before) / kPasses;

    const DWORD seconds = RunSeconds();
    const double idleStart = CpuMs(self);
    RunLoop(seconds * 1000);
    const double idle = CpuMs(self) - idleStart;
    const double minimal = MinimalProgramMinuteMs();

    printf("one idle polling pass (linked, %d passes):       %8.3f ms CPU\n", kPasses, perPass);
    printf("%lu s of idle running, linked, all timers:        %8.1f ms CPU\n", seconds, idle);
    printf("%lu s of a minimal Win32 program:                  %8.1f ms CPU\n", seconds, minimal);
    dlg->DestroyWindow();
    dlg.reset();
    QXWLAPI.Release();
    return 0;
}
