// Brings the real program to one of its access-point pages for a screenshot, then waits:
//   ap_screens softap|hosted link|config|wep|filter|classic
// "classic" opens the configuration tab with the window grown to show the classic page below it.
// (run it through scripts/screenshot).
#include "program/ProgramWindows.h"
#include "support/TestSupport.h"

#include <memory>
#include <string>

using namespace testing_support;
using namespace program_windows;

namespace {
constexpr DWORD kTimeoutMs = 20000;
constexpr int kApModeButton = 8012;
constexpr int kClassicAreaPixels = 260;
constexpr int kClassicSsid = 2981;  // the hosted-network settings page
constexpr int kTabLink = 8004, kTabConfiguration = 8005, kTabFilter = 8006;
constexpr int kSecurityType = 2720, kApLinkSsid = 2752;
constexpr int kWep = 1;

void ClickTab(HWND main, int id)
{
    Click(::GetDlgItem(main, id));
}

// The stand-ins' world in the temporary folder, named to the program through the environment: the
// run is ended from outside, and would leave it beside the program.
void SetWorld(const char* variable, const char* fileName, const std::string& text)
{
    char folder[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + fileName;
    ScopedFile(path, text).Keep();
    ::SetEnvironmentVariableA(variable, path.c_str());
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    const std::string args = commandLine ? commandLine : "";
    const bool hosted = args.find("hosted") != std::string::npos;
    const std::string bin = BinFolder();
    // The switch files are read at start-up and put back once the program runs.
    const std::string shippedSwitch = ReadWholeFile(bin + "SoftApConfig.ini");
    std::unique_ptr<ScopedFile> settings;
    if (hosted) {
        ScopedFile(bin + "SoftApConfig.ini", "[Config]\r\nIDS_SOFTAP_MODE=1\r\n").Keep();
        SetWorld("QXSIM_WORLD", "ApScreensWorld.ini", "[World]\nOsCode=12\n[NetAdapter1]\nName=Office Ethernet\nKind=PCI\n");
        SetWorld("QXSIM_AP_WORLD", "ApScreensAp.ini", "[World]\n");
        settings = std::make_unique<ScopedFile>(bin + "KPL4471.ini", "[AuthEncry]\r\nShowPassword=1\r\n");
    } else {
        SetWorld("QXSIM_WORLD", "ApScreensWorld.ini", "[World]\nOsCode=10\nOpMode=1\n");
        SetWorld("QXSIM_AP_WORLD", "ApScreensAp.ini", "[World]\n[Station1]\nMac=00:11:22:33:44:55\nTxRate=0x8087\n"
                                                      "[NetAdapter1]\nName=Office Ethernet\nKind=PCI\n");
    }
    STARTUPINFOA startup = {sizeof startup};
    PROCESS_INFORMATION info = {};
    std::string command = "\"" + bin + "KPL4471.exe\"";
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, bin.c_str(), &startup, &info))
        return 1;
    HWND main = WaitForMainWindow(info.dwProcessId);
    settings.reset();
    ScopedFile(bin + "SoftApConfig.ini", shippedSwitch).Keep();
    if (!main) return 2;
    if (hosted) {
        PressButton(main, kApModeButton);
        PumpUntil([&] { return WindowWith(main, 0, kApLinkSsid) != nullptr; }, kTimeoutMs);
    }
    if (args.find("config") != std::string::npos || args.find("wep") != std::string::npos ||
        args.find("classic") != std::string::npos) {
        ClickTab(main, kTabConfiguration);
        HWND type = nullptr;
        PumpUntil([&] { return (type = FindControl(main, kSecurityType)) != nullptr; }, kTimeoutMs);
        if (type && args.find("wep") != std::string::npos) {
            ::SendMessageA(type, CB_SETCURSEL, kWep, 0);
            ::SendMessageA(::GetParent(type), WM_COMMAND, MAKEWPARAM(kSecurityType, CBN_SELCHANGE),
                           reinterpret_cast<LPARAM>(type));
        }
        if (args.find("classic") != std::string::npos) {
            // The window grown down to the classic area below its visible part.
            RECT rc{};
            ::GetWindowRect(main, &rc);
            ::SetWindowPos(main, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top + kClassicAreaPixels,
                           SWP_NOMOVE | SWP_NOZORDER);
            // The classic page is cut to the area's height: grown too, so that all of it shows.
            HWND ssid = nullptr;
            PumpUntil([&] { return (ssid = FindControl(main, kClassicSsid)) != nullptr; }, kTimeoutMs);
            if (HWND classic = ssid ? ::GetParent(ssid) : nullptr) {
                ::GetWindowRect(classic, &rc);
                ::SetWindowPos(classic, nullptr, 0, 0, rc.right - rc.left, kClassicAreaPixels + 40, SWP_NOMOVE | SWP_NOZORDER);
            }
        }
    } else if (args.find("filter") != std::string::npos) {
        ClickTab(main, kTabFilter);
    } else {
        ClickTab(main, kTabLink);
    }
    PumpFor(600000);
    return 0;
}
