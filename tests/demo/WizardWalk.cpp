// Starts the real program and walks its security wizard to one page, so that a screenshot shows
// that page:  scripts/screenshot wizard_walk.exe shot.png PAGE
// PAGE: type, wep, psk, tls, ttls, peap, serca, confirm, done, wireless, control; and beside the
// wizard: adapter, wpspbc (the push-button dialog), wpsrun (a push-button run to its end), wpspin
// (the access point's PIN dialog), wpslist (the WPS access points), wpsauto (this device's PIN with
// the access point chosen automatically, run to its end), about, chart; the tabs
// linkinfo, survey, profile, p2p; hidden (the hidden-network name prompt).
#include "program/WizardDriver.h"

#include <cstring>
#include <string>

using namespace wizard_driver;
using testing_support::PumpFor;

namespace {
constexpr int kTypeWep = 1, kTypePsk = 3, kTypeWpa2 = 5;
constexpr int kEapTypeList = 1513;
constexpr int kEapTls = 0, kEapTtls = 2;

constexpr int kTabAdapter = 8007, kAboutButton = 8009, kTrendChart = 1144;
constexpr int kAdapterWps = 1212, kAdapterPbc = 1213, kAdapterPinDevice = 1214, kAdapterPinAp = 1215;
constexpr int kDialogStart = 1742, kPinApEdit = 1752, kPinDevicePin = 1762, kPinDeviceAuto = 1764;

std::string WorldFile()
{
    char folder[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + "WizardWalkWorld.ini";
}

// This device's PIN as its dialog shows it, entered at an access point of the world; then the
// automatic choice and Start.
bool StartAutomaticPin(HWND dialog)
{
    char pin[16] = {};
    // Another process's control: its text is asked for, GetWindowText would not reach it.
    ::SendMessageA(::GetDlgItem(dialog, kPinDevicePin), WM_GETTEXT, sizeof pin, reinterpret_cast<LPARAM>(pin));
    if (!*pin) return false;
    testing_support::ScopedFile(WorldFile(), std::string("[World]\nWpsStepMs=0\n[Network9]\nSsid=Quixen-Pin\nChannel=6\n"
                                             "Security=WPA2-PSK\nKey=pinkey2024\nWPS=1\nWpsPin=") + pin + "\n").Keep();
    PumpFor(1000);  // the library reads a changed world file within 250 ms
    ::SendMessageA(::GetDlgItem(dialog, kPinDeviceAuto), BM_SETCHECK, BST_CHECKED, 0);
    return ::PostMessageA(::GetDlgItem(dialog, kDialogStart), BM_CLICK, 0, 0) != FALSE;
}

// The adapter page with WPS ticked, then (when asked) one method's dialog and its Start.
bool WalkWps(HWND main, const std::string& page)
{
    ClickTab(main, kTabAdapter);
    if (!Press(main, kAdapterWps)) return false;
    if (page == "adapter") return true;
    const bool pin = page == "wpspin" || page == "wpslist";
    HWND method = WaitControl(main, pin ? kAdapterPinAp : page == "wpsauto" ? kAdapterPinDevice : kAdapterPbc);
    if (!method) return false;
    ::PostMessageA(method, BM_CLICK, 0, 0);
    HWND dialog = testing_support::WaitForWindow("#32770", "WPS", 0, kTimeoutMs);
    if (!dialog || page == "wpspbc" || page == "wpspin") return dialog != nullptr;
    if (page == "wpsauto") return StartAutomaticPin(dialog);
    if (pin) ::SendMessageA(::GetDlgItem(dialog, kPinApEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("12345670"));
    ::PostMessageA(::GetDlgItem(dialog, kDialogStart), BM_CLICK, 0, 0);
    return true;
}

constexpr int kTabLinkInfo = 8004, kTabWiFiDirect = 1672;

bool Walk(HWND main, const std::string& page)
{
    if (page == "adapter" || page.rfind("wps", 0) == 0) return WalkWps(main, page);
    const struct {
        const char* page;
        int tab;
    } tabs[] = {{"linkinfo", kTabLinkInfo}, {"survey", kTabSiteSurvey}, {"profile", kTabProfile}, {"p2p", kTabWiFiDirect}};
    for (const auto& t : tabs)
        if (page == t.page) {
            ClickTab(main, t.tab);
            return true;
        }
    if (page == "hidden") return ConnectFromSurvey(main, testing_support::EnglishText("IDS_HIDDENSSID"));
    if (page == "about") {
        ::PostMessageA(::GetDlgItem(main, kAboutButton), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        ::PostMessageA(::GetDlgItem(main, kAboutButton), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        return true;
    }
    if (page == "chart") {
        HWND button = WaitControl(main, kTrendChart);
        return button && ::PostMessageA(button, BM_CLICK, 0, 0);
    }
    if (page == "control" || page == "wireless" || page == "done") {
        if (!AddProfileFromList(main)) return false;
        PumpFor(500);
        if (page == "control") return true;
        Type(main, kCtrlName, "Travel");
        Type(main, kCtrlSsid, page == "done" ? "Quixen-Open" : "Party");
        Press(main, page == "done" ? kCtrlInfra : kCtrlAdhoc);
        PumpFor(300);
        Press(main, kCtrlNext);
        if (page == "wireless") return true;
        PumpFor(500);
        Choose(main, kTypeList, 0);
        Press(main, kWizardNext);
        PumpFor(500);
        return Press(main, kWizardNext);  // Save
    }
    if (!ConnectFromSurvey(main, page == "wep" ? "Quixen-WEP" : page == "psk" || page == "confirm" ? "Quixen-WPA2" : "Quixen-Corp"))
        return false;
    PumpFor(500);
    if (page == "type") return true;
    if (page == "wep") Choose(main, kTypeList, kTypeWep);
    else if (page == "psk" || page == "confirm") Choose(main, kTypeList, kTypePsk);
    else Choose(main, kTypeList, kTypeWpa2);
    PumpFor(300);
    Press(main, kWizardNext);
    PumpFor(500);
    if (page == "confirm") {
        Type(main, kPskKey, "quixen2024");
        return Press(main, kWizardNext);
    }
    if (page == "tls") return Choose(main, kEapTypeList, kEapTls);
    if (page == "ttls") return Choose(main, kEapTypeList, kEapTtls);
    if (page == "serca") {
        Type(main, kEapLogin, "user");
        Type(main, kPeapPassword, "password");
        ::SendMessageA(Control(main, kValidate), BM_SETCHECK, BST_CHECKED, 0);
        return Press(main, kWizardNext);
    }
    return true;
}
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    const std::string page = commandLine && *commandLine ? commandLine : "type";
    // TTLS is offered for a choice below operating-system code 10 only. The world file goes to
    // the temporary folder: the walk is ended from outside, and would leave it beside the program.
    if (page == "ttls" || page == "wpsauto") {
        const std::string world = WorldFile();
        testing_support::ScopedFile(world, page == "ttls" ? "[World]\nOsCode=7\n" : "[World]\n").Keep();
        ::SetEnvironmentVariableA("QXSIM_WORLD", world.c_str());
    }
    testing_support::ChildProcess program("\"" + testing_support::BinFolder() + "KPL4471.exe\"", testing_support::BinFolder());
    HWND main = testing_support::WaitForWindow("#32770", testing_support::EnglishText("IDS_QUIXEN_CONFIG_TITLE").c_str(),
                                              program.Id(), kTimeoutMs);
    if (!main) return 1;
    testing_support::PumpUntil([&] { return ::IsWindowVisible(main) != FALSE; }, kTimeoutMs);
    PumpFor(5000);  // past the start-up's own reconnect
    const int result = Walk(main, page) ? 0 : 2;
    PumpFor(60000);  // the screenshot is taken meanwhile
    return result;
}
