// Driving the real program's Wi-Fi Direct pages from another process, as a user would: the
// visible controls by id, presses, texts and the device list.
#pragma once
#include "program/ProgramWindows.h"
#include "support/TestSupport.h"

#include <commctrl.h>

#include <string>

namespace wifidirect_driving {
using namespace testing_support;

constexpr DWORD kTimeoutMs = 20000;
constexpr DWORD kConnectMs = 60000;  // a connection's display runs up to 50 seconds
constexpr int kTabWiFiDirect = 1672;
// Main page.
constexpr int kEnable = 1419, kScan = 1444, kConnect = 1445, kMoreInfo = 1443, kDeviceList = 1442, kDisconnect = 32894;
constexpr int kStateText = 1456;
constexpr int kNameColumn = 2;
// Setting pages (name, channel) and the connect-method and link-status pages.
constexpr int kSettingEdit = 1513, kSettingNext = 1502, kChannelCombo = 1511;
constexpr int kMethodNext = 1464, kMethodPushButton = 1460, kMethodPinShown = 1461, kMethodPinEntered = 1462, kMethodPin = 1463;
constexpr int kMethodPeer = 1469, kMethodBack = 1497, kMethodCancel = 1498;
constexpr int kLinkText = 1492, kLinkExit = 1500;
// More-information dialog.
constexpr int kInfoGroup = 1472, kInfoClose = 1488;

struct ControlSearch {
    int id;
    RECT area;  // the main window's rectangle: the classic dialogs below it reuse ids and are not seen
    HWND found;
};

inline BOOL CALLBACK FindVisible(HWND child, LPARAM lParam)
{
    auto* search = reinterpret_cast<ControlSearch*>(lParam);
    RECT rc{}, common{};
    ::GetWindowRect(child, &rc);
    if (::GetDlgCtrlID(child) == search->id && ::IsWindowVisible(child) && ::IsWindowVisible(::GetParent(child)) &&
        ::IntersectRect(&common, &rc, &search->area)) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

// The visible control of that id on a visible page of the window, or null.
inline HWND Visible(HWND main, int id)
{
    ControlSearch search{id, {}, nullptr};
    ::GetWindowRect(main, &search.area);
    ::EnumChildWindows(main, FindVisible, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

inline HWND WaitVisible(HWND main, int id, DWORD timeoutMs = kTimeoutMs)
{
    HWND found = nullptr;
    PumpUntil([&] { return (found = Visible(main, id)) != nullptr; }, timeoutMs);
    return found;
}

// The visible control of that id once it is enabled too, or null.
inline HWND WaitUsable(HWND main, int id, DWORD timeoutMs = kTimeoutMs)
{
    HWND control = WaitVisible(main, id, timeoutMs);
    return control && PumpUntil([&] { return ::IsWindowEnabled(control) != FALSE; }, timeoutMs) ? control : nullptr;
}

// The preferred-channel page's Next once that page shows (the name page shares its ids), or null.
inline HWND WaitChannelNext(HWND main, DWORD timeoutMs = kTimeoutMs)
{
    HWND next = nullptr;
    PumpUntil([&] { return (next = Visible(main, kSettingNext)) != nullptr && Visible(main, kChannelCombo); }, timeoutMs);
    return next && Visible(main, kChannelCombo) ? next : nullptr;
}

// The start-up reconnects the active profile (the default one a first start stores) four
// seconds after the hidden dialog's set-up; that connect would replace a Wi-Fi Direct group link
// made sooner, which no user is quick enough to make. Waits for its call in the station
// stand-in's journal (the file its world file names, removed before the start); false when it
// never came.
constexpr char kStartUpReconnectLine[] = "QXWL_SetWLANProfile(Default,";
inline bool WaitStartUpReconnect(const std::string& journal, DWORD timeoutMs = kTimeoutMs)
{
    return program_windows::WaitForJournal(journal, kStartUpReconnectLine, 0, timeoutMs) != std::string::npos;
}

// A user's press of a button (or tick of a box) of the other process.
inline void Press(HWND control)
{
    program_windows::SendAndWait(control, BM_CLICK, 0, 0);
}

// A user's press of a control a person could see; false (and no press) when it could not be seen.
inline bool PressSeen(HWND control)
{
    if (!program_windows::UserCanSee(control)) return false;
    Press(control);
    return true;
}

// A user's click on a tab of the main window (the tabs take mouse clicks, not button presses).
inline bool ClickSeen(HWND tab)
{
    if (!program_windows::UserCanSee(tab)) return false;
    ::PostMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::PostMessageA(tab, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    return true;
}

// The program's message box (caption "KPL4471") once a person could see it and its OK button.
inline HWND WaitForSeenBox(DWORD pid, DWORD timeoutMs = kTimeoutMs)
{
    HWND box = nullptr;
    PumpUntil([&] {
        box = WaitForWindow("#32770", "KPL4471", pid, 0);
        return box && program_windows::UserCanSee(box) && program_windows::UserCanSee(::GetDlgItem(box, IDOK));
    }, timeoutMs);
    return box && program_windows::UserCanSee(box) ? box : nullptr;
}
constexpr int kMessageBoxText = 0xFFFF;

inline std::string WindowText(HWND control)
{
    char text[256] = "";
    // Sent, not GetWindowText: an edit of another process keeps its text to itself.
    if (control) ::SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

// The link-status page's text once its display has ended (no percentage left).
inline std::string LinkTextWhenDone(HWND main, DWORD timeoutMs = kConnectMs)
{
    std::string text;
    PumpUntil([&] {
        text = WindowText(Visible(main, kLinkText));
        return !text.empty() && text.find('%') == std::string::npos;
    }, timeoutMs);
    return text;
}

// The device list of the other process; a peer is found by its name.
using program_windows::UserCanSee;
using program_windows::RemoteList;
using program_windows::WaitForMainWindow;
constexpr int kSearchedColumns = kNameColumn + 1;

}  // namespace wifidirect_driving
