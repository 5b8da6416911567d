// Finding and driving the real program's windows from the test process, as a user reaches them.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace program_windows {

constexpr DWORD kProgramTimeoutMs = testing_support::kWaitBoundMs;

// The program's data folder in the shared documents, with its closing backslash.
std::string DataFolder();

// A window of the process's own that carries a control of that id (a page, a classic dialog or a
// top-level box): searched among the children of `parent` (all levels), or among the top-level
// windows of process `pid` when parent is null. Only visible ones when `visible`.
HWND WindowWith(HWND parent, DWORD pid, int controlId, bool visible = true);
// Polls WindowWith for up to timeoutMs, pumping this thread's messages meanwhile.
HWND WaitForWindowWith(HWND parent, DWORD pid, int controlId, DWORD timeoutMs);
// The first control of that id among all descendants of parent (only a visible one when `visible`).
HWND FindControl(HWND parent, int id, bool visible = true);

// The started program's main window once it shows; null when it does not. Its hidden dialog (the
// tray's owner) goes to `hidden` when asked for, and must be there too.
HWND WaitForMainWindow(DWORD pid, HWND* hidden = nullptr, DWORD timeoutMs = kProgramTimeoutMs);
// Exit from the tray menu; true once the program has ended.
bool ExitFromTray(testing_support::ChildProcess& program, DWORD timeoutMs = kProgramTimeoutMs);

// While alive, the programs this test starts run with the heap's free checking on (the system's
// global flag for the program's image, which Wine honours): freed blocks are filled at once, so
// that an object used after it was deleted faults every time instead of by luck.
class HeapFreeChecking {
public:
    HeapFreeChecking();
    ~HeapFreeChecking();
    HeapFreeChecking(const HeapFreeChecking&) = delete;
    HeapFreeChecking& operator=(const HeapFreeChecking&) = delete;
    // True when the running process has the flag in its environment block.
    static bool IsOn(DWORD pid);
};

// A person could see the window before a test answers it: it and every window above it are
// shown, its top-level window is not minimised, and its whole rectangle lies inside every
// parent's client area and the screen (a control cut off by a dialog's edge, or a dialog below
// the visible part of its window, is not seen). `why` says what fails.
bool UserCanSee(HWND window, std::string* why = nullptr);
// Polls UserCanSee for up to timeoutMs, pumping this thread's messages meanwhile.
bool WaitUntilSeen(HWND window, DWORD timeoutMs = kProgramTimeoutMs);
// Where the window is and what clips it, for a failure message.
std::string DescribePlace(HWND window);
// The control of that id among the descendants of parent that a person could see, once there is
// one (hidden dialogs below the visible area reuse the pages' ids); null after timeoutMs.
HWND WaitForSeenControl(HWND parent, int id, DWORD timeoutMs = kProgramTimeoutMs);

// The control that takes the keys typed in the program's window (its thread's keyboard focus),
// once that is `control`; the focus found when it does not come within timeoutMs.
HWND WaitForKeyboardFocus(HWND window, HWND control, DWORD timeoutMs = kProgramTimeoutMs);

std::string Text(HWND window);
std::string ItemText(HWND dialog, int id);
// A user's click on a control: a press and release of the left button over it.
void Click(HWND control);
// Sends a message to the program and waits until it has been handled, so that the next step
// finds the page it led to; a box the handler opens (a modal loop) ends the wait after a while.
void SendAndWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// A button's click as the dialog's keyboard interface sends it.
void PressButton(HWND dialog, int id);
// A user's choice in a drop-down list, by the entry's text or by the value it carries; the
// dialog hears of it as of a choice made with the mouse. False when no entry matches.
bool ChooseComboText(HWND combo, const std::string& text);
bool ChooseComboData(HWND combo, LPARAM data);
// The entries of a drop-down list as the user sees them, one selection at a time.
std::vector<std::string> ComboEntries(HWND combo);
// A text of the program's English language file, from the access-point section unless named.
std::string ApText(const char* key, const char* section = "StringsApAdded");
// Rows of a list view; -1 without the list.
int ItemCount(HWND list);

// Starts or stops a registered service and waits until it is in that state.
bool SetServiceRunning(const char* name, bool running);

// The station stand-in's journal of the program's calls (the file its world file names): where
// text first shows at or after byte `from`, once it does; npos after timeoutMs.
size_t WaitForJournal(const std::string& journal, const std::string& text, size_t from = 0,
                      DWORD timeoutMs = kProgramTimeoutMs);
// How often text shows in the journal at or after byte `from`.
size_t JournalCount(const std::string& journal, const std::string& text, size_t from = 0);
// Journal lines of the program's timers: the hidden dialog's status poll, once a second while the
// program runs as a station and its start-up is over, and the link-status page's refresh, every
// two seconds while that page shows.
constexpr char kStatusPollLine[] = "QXWL_QueryWLANStatus(1, 1, 0, 0, 1)";
constexpr char kLinkStatusRefreshLine[] = "QXWL_QueryWLANStatus(1, 1, 1, 1, 0)";
// In the soft-AP stand-in's journal: the hidden dialog's poll of the access point, every two
// seconds while the program runs on the soft-AP library.
constexpr char kApPollLine[] = "QXAP_QueryAuthMode()";
// Waits until a timer's line has come `ticks` times after byte `from` of the journal. A thread
// takes its timers only once nothing posted to it waits, so by then the program has handled what
// was posted to it before: the tick that shows that something did not happen.
bool WaitForTicks(const std::string& journal, const char* timerLine, size_t from, int ticks = 1,
                  DWORD timeoutMs = kProgramTimeoutMs);
inline bool WaitForStatusPolls(const std::string& journal, size_t from, int ticks = 1, DWORD timeoutMs = kProgramTimeoutMs)
{
    return WaitForTicks(journal, kStatusPollLine, from, ticks, timeoutMs);
}

// A list view of another process, read and driven through memory in that process: the list
// takes its item records by address.
class RemoteList {
public:
    explicit RemoteList(HWND list);
    ~RemoteList();
    RemoteList(const RemoteList&) = delete;
    RemoteList& operator=(const RemoteList&) = delete;
    bool Usable() const { return m_remote != nullptr; }
    int Count() const { return ItemCount(m_list); }
    std::string Text(int row, int column);
    std::vector<std::string> Column(int column);
    // The first row with this text in any of its first `columns` columns; -1 when none.
    int Find(const std::string& text, int columns = 4);
    // A user's click on the row: it becomes the selected and focused one.
    void Select(int row);
    // The same, posted: the list takes it in turn, after what was posted to the program before (a
    // refill of the list that would clear it), as it takes a user's click. See Selected().
    void SelectInTurn(int row);
    // The selected row; -1 when none.
    int Selected() const;

private:
    HWND m_list;
    HANDLE m_process = nullptr;
    BYTE* m_remote = nullptr;
};

}  // namespace program_windows
