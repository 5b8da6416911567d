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

// True once every survey scan the journal shows after byte `from` has been answered: each scan's
// callback has the page query the library's list and fill its own. A refill clears the row a
// user chose, and so does the scan before it. The other refill a scan may bring, for the
// library's list-changed notice, is posted to the program before the callback's query runs.
inline bool SurveyScansAnswered(const std::string& journal, size_t from)
{
    // The answers are counted first: a scan journalled between the two reads only waits longer.
    const size_t queries = program_windows::JournalCount(journal, "QXWL_SiteSurveyQuery(", from);
    const size_t scans = program_windows::JournalCount(journal, "QXWL_SiteSurveyScan()", from);
    return scans > 0 && queries >= scans;
}

// The survey tab as a user opens it; its list once a person could see it and, with a journal,
// every scan since byte `from` of it (taken before the click) has been answered. Null when that
// does not come.
inline HWND OpenSurvey(HWND main, const std::string& journal = "", size_t from = 0)
{
    ClickTab(main, kTabSiteSurvey);
    if (!journal.empty() &&
        !testing_support::PumpUntil([&] { return SurveyScansAnswered(journal, from); }, kTimeoutMs))
        return nullptr;
    HWND list = WaitControl(main, kSurveyList);
    return list && program_windows::WaitUntilSeen(list, kTimeoutMs) ? list : nullptr;
}

// On the open survey: the named network's row chosen and Connect pressed, as a user does it. The
// choice is posted, to come after a refill already posted to the program. A scan may still clear
// it before Connect (the program rescans on its own a while after its start): Connect then says
// no network is chosen, and the user answers that and chooses again.
inline bool ConnectInSurvey(HWND main, HWND list, const std::string& ssid, const std::string& journal = "", size_t from = 0)
{
    constexpr int kAttempts = 3;
    HWND page = ::GetParent(list);
    HWND connect = ::GetDlgItem(page, kSurveyConnect);
    if (!connect) return false;
    DWORD pid = 0;
    ::GetWindowThreadProcessId(main, &pid);
    RemoteList rows(list);
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (!journal.empty() &&
            !testing_support::PumpUntil([&] { return SurveyScansAnswered(journal, from); }, kTimeoutMs))
            return false;
        const bool chosen = testing_support::PumpUntil([&] {
            const int row = rows.Find(ssid, kSsidColumn + 1);
            if (row < 0) return false;
            if (rows.Selected() == row) return true;
            rows.SelectInTurn(row);
            return false;
        }, kTimeoutMs);
        if (!chosen || !program_windows::WaitUntilSeen(connect, kTimeoutMs)) return false;
        ::PostMessageA(connect, BM_CLICK, 0, 0);
        // Connect's answer: the road it opens (another page, or the hidden network's name prompt)
        // or a box of the program's.
        HWND box = nullptr;
        if (!testing_support::PumpUntil([&] {
                box = testing_support::WaitForWindow("#32770", "KPL4471", pid, 0);
                return box || !::IsWindowVisible(page) || Control(main, kHiddenSsidEdit);
            }, kTimeoutMs))
            return false;
        if (!box) return true;
        if (!program_windows::WaitUntilSeen(box, kTimeoutMs) ||
            program_windows::ItemText(box, 0xFFFF) != testing_support::EnglishText("IDS_NOSELECTEDITEM"))
            return false;
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        if (!testing_support::PumpUntil([&] { return !::IsWindow(box); }, kTimeoutMs)) return false;
    }
    return false;
}

// The survey tab, the named network chosen there and Connect pressed (see OpenSurvey and
// ConnectInSurvey); with no journal, a choice may come before a refill of the list clears it.
inline bool ConnectFromSurvey(HWND main, const std::string& ssid, const std::string& journal = "")
{
    const size_t from = journal.empty() ? 0 : testing_support::ReadWholeFile(journal).size();
    HWND list = OpenSurvey(main, journal, from);
    return list && ConnectInSurvey(main, list, ssid, journal, from);
}

}  // namespace wizard_driver
