// Drives the real program's security wizard from another process, as a user would: tab clicks,
// a row chosen in a list, entries typed, list entries chosen and buttons pressed, each sent to
// the program's own controls.
#pragma once
#include "program/ProgramWindows.h"
#include "support/TestSupport.h"

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

namespace wizard_driver {

constexpr DWORD kTimeoutMs = 20000;
constexpr int kTabSiteSurvey = 8005, kTabProfile = 8006;
constexpr int kSurveyList = 1014, kSurveyConnect = 1016, kSsidColumn = 1;
constexpr int kWizardBack = 1501, kWizardNext = 1502, kWizardExit = 1503;
constexpr int kTypeList = 1511;            // the security-type page's list
constexpr int kPskKey = 1513;              // the pre-shared key page's key edit
constexpr int kEapLogin = 1515, kPeapPassword = 1517, kValidate = 1518;
constexpr int kConfirmName = 1511;         // the summary's network name
constexpr int kProfileList = 1024, kProfileAdd = 1133;
constexpr int kCtrlName = 1404, kCtrlSsid = 1405, kCtrlInfra = 1401, kCtrlAdhoc = 1402, kCtrlNext = 1407;
constexpr int kDoneNow = 1511, kDoneLater = 1512;
constexpr int kHiddenSsidEdit = 1245;      // the hidden-network prompt's name edit

struct Search {
    int id;
    bool visible;
    RECT area;  // the main window's rectangle: the classic dialogs below it do not count as seen
    HWND found;
};

inline BOOL CALLBACK FindChild(HWND child, LPARAM lParam)
{
    auto* search = reinterpret_cast<Search*>(lParam);
    if (::GetDlgCtrlID(child) != search->id) return TRUE;
    RECT rc{}, common{};
    ::GetWindowRect(child, &rc);
    if (!search->visible || (::IsWindowVisible(child) && ::IntersectRect(&common, &rc, &search->area))) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

// The first control of that id in the window; with visible, only one the user can see.
inline HWND Control(HWND main, int id, bool visible = true)
{
    Search search{id, visible, {}, nullptr};
    ::GetWindowRect(main, &search.area);
    ::EnumChildWindows(main, FindChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

inline HWND WaitControl(HWND main, int id)
{
    HWND found = nullptr;
    testing_support::PumpUntil([&] { return (found = Control(main, id)) != nullptr; }, kTimeoutMs);
    return found;
}

using program_windows::SendAndWait;

// A click of the button: it reports itself to its page.
inline bool Press(HWND main, int id)
{
    HWND button = WaitControl(main, id);
    if (!button) return false;
    SendAndWait(button, BM_CLICK, 0, 0);
    return true;
}

inline void ClickTab(HWND main, int id)
{
    HWND tab = ::GetDlgItem(main, id);
    SendAndWait(tab, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendAndWait(tab, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

inline bool Type(HWND main, int id, const char* text)
{
    HWND edit = WaitControl(main, id);
    return edit && ::SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

inline std::string Text(HWND main, int id)
{
    char text[256] = "";
    if (HWND control = Control(main, id)) ::SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

// Chooses entry n of a visible drop-down list, as the user's choice reports it.
inline bool Choose(HWND main, int id, int entry)
{
    HWND combo = WaitControl(main, id);
    if (!combo) return false;
    ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
    SendAndWait(::GetParent(combo), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    return true;
}

using program_windows::RemoteList;

// The profile tab, then its list page's Add. Control ids repeat from page to page (the link page
// has a static of the Add button's id), so the button is taken from the list's own page once the
// tab switch has shown it, never from whichever page was still showing.
inline bool AddProfileFromList(HWND main)
{
    ClickTab(main, kTabProfile);
    HWND list = WaitControl(main, kProfileList);
    HWND add = list ? ::GetDlgItem(::GetParent(list), kProfileAdd) : nullptr;
    if (!add) return false;
    SendAndWait(add, BM_CLICK, 0, 0);
    return true;
}

// The survey tab, its own scan over and the named network's row chosen; the list, or null. Each
// scan refills the list twice, for the library's list-changed notice and for its scan callback,
// and a refill clears the row a user chose. So the choice waits until the callback's query is in
// `journal` (the other refill is posted before it), and is posted itself, to come after both. With
// no journal, a choice may come before a late refill.
inline HWND ChooseInSurvey(HWND main, const std::string& ssid, const std::string& journal = "")
{
    using program_windows::WaitForJournal;
    const size_t from = journal.empty() ? 0 : testing_support::ReadWholeFile(journal).size();
    ClickTab(main, kTabSiteSurvey);
    if (!journal.empty()) {
        const size_t scan = WaitForJournal(journal, "QXWL_SiteSurveyScan()", from, kTimeoutMs);
        if (scan == std::string::npos || WaitForJournal(journal, "QXWL_SiteSurveyQuery(", scan, kTimeoutMs) == std::string::npos)
            return nullptr;
    }
    HWND list = WaitControl(main, kSurveyList);
    if (!list || !program_windows::WaitUntilSeen(list, kTimeoutMs)) return nullptr;
    RemoteList rows(list);
    const bool chosen = testing_support::PumpUntil([&] {
        const int row = rows.Find(ssid, kSsidColumn + 1);
        if (row < 0) return false;
        if (rows.Selected() == row) return true;
        rows.SelectInTurn(row);
        return false;
    }, kTimeoutMs);
    return chosen ? list : nullptr;
}

// The survey tab, the named network chosen there and Connect pressed.
inline bool ConnectFromSurvey(HWND main, const std::string& ssid, const std::string& journal = "")
{
    if (!ChooseInSurvey(main, ssid, journal)) return false;
    HWND connect = WaitControl(main, kSurveyConnect);
    return connect && program_windows::WaitUntilSeen(connect, kTimeoutMs) && Press(main, kSurveyConnect);
}

}  // namespace wizard_driver
