#include "program/ProgramWindows.h"
#include "support/ServiceControl.h"
#include "support/TestSupport.h"

#include <shlobj.h>

#include <functional>

namespace program_windows {
namespace {
struct Search {
    DWORD pid;
    int controlId;
    bool visible;
    HWND found;
};

BOOL CALLBACK Match(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<Search*>(lParam);
    if (search->pid) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(window, &pid);
        if (pid != search->pid) return TRUE;
    }
    if (search->visible && !::IsWindowVisible(window)) return TRUE;
    if (!::GetDlgItem(window, search->controlId)) return TRUE;
    search->found = window;
    return FALSE;
}
}  // namespace

HWND WindowWith(HWND parent, DWORD pid, int controlId, bool visible)
{
    Search search{parent ? 0 : pid, controlId, visible, nullptr};
    if (parent) ::EnumChildWindows(parent, Match, reinterpret_cast<LPARAM>(&search));
    else ::EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindowWith(HWND parent, DWORD pid, int controlId, DWORD timeoutMs)
{
    HWND found = nullptr;
    testing_support::PumpUntil([&] { return (found = WindowWith(parent, pid, controlId)) != nullptr; }, timeoutMs);
    return found;
}

namespace {
struct ControlSearch {
    int id;
    bool visible;
    HWND found;
};

BOOL CALLBACK MatchControl(HWND child, LPARAM lParam)
{
    auto* search = reinterpret_cast<ControlSearch*>(lParam);
    if (::GetDlgCtrlID(child) != search->id || (search->visible && !::IsWindowVisible(child))) return TRUE;
    search->found = child;
    return FALSE;
}

constexpr char kHiddenCaption[] = "Quixen Utility";
constexpr WPARAM kTrayExit = 32961;  // the tray menu's Exit
}  // namespace

std::string DataFolder()
{
    char documents[MAX_PATH] = {};
    ::SHGetSpecialFolderPathA(nullptr, documents, CSIDL_COMMON_DOCUMENTS, FALSE);
    return std::string(documents) + "\\Kelvo4471_F7284002-4AEB-4653-B388-54344DC694ED\\";
}

void SendAndWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 5000, &result);
}

HWND FindControl(HWND parent, int id, bool visible)
{
    ControlSearch search{id, visible, nullptr};
    if (parent) ::EnumChildWindows(parent, MatchControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForMainWindow(DWORD pid, HWND* hidden, DWORD timeoutMs)
{
    using namespace testing_support;
    HWND main = WaitForWindow("#32770", EnglishText("IDS_QUIXEN_CONFIG_TITLE").c_str(), pid, timeoutMs);
    if (hidden) {
        *hidden = WaitForWindow("#32770", kHiddenCaption, pid, timeoutMs);
        if (!*hidden) return nullptr;
    }
    if (!main || !PumpUntil([&] { return ::IsWindowVisible(main) != FALSE; }, timeoutMs)) return nullptr;
    return main;
}

bool ExitFromTray(testing_support::ChildProcess& program, DWORD timeoutMs)
{
    using namespace testing_support;
    HWND hidden = WaitForWindow("#32770", kHiddenCaption, program.Id(), timeoutMs);
    if (!hidden) return false;
    ::PostMessageA(hidden, WM_COMMAND, kTrayExit, 0);
    return PumpUntil([&] { return program.WaitForExit(0); }, timeoutMs);
}

HWND OpenMessageBox(DWORD pid)
{
    for (HWND window = nullptr; (window = ::FindWindowExA(nullptr, window, "#32770", nullptr)) != nullptr;) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner == pid && ::GetDlgItem(window, kMessageBoxTextId)) return window;
    }
    return nullptr;
}

namespace {
constexpr char kImageOptionsKey[] =
    "Software\\Microsoft\\Windows NT\\CurrentVersion\\Image File Execution Options\\KPL4471.exe";
constexpr DWORD kHeapFreeCheckFlag = 0x20;  // FLG_HEAP_ENABLE_FREE_CHECK
// Where the environment block keeps the global flag.
constexpr size_t kPebGlobalFlagOffset = sizeof(void*) == 8 ? 0xBC : 0x68;
}  // namespace

HeapFreeChecking::HeapFreeChecking()
{
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kImageOptionsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    ::RegSetValueExA(key, "GlobalFlag", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&kHeapFreeCheckFlag), sizeof kHeapFreeCheckFlag);
    ::RegCloseKey(key);
}

HeapFreeChecking::~HeapFreeChecking()
{
    ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, kImageOptionsKey);
}

bool HeapFreeChecking::IsOn(DWORD pid)
{
    struct BasicInformation {
        LONG_PTR exitStatus;
        BYTE* peb;
        ULONG_PTR affinity, priority, pid, parentPid;
    };
    using QueryProcess = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    const auto query = reinterpret_cast<QueryProcess>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!query || !process) return false;
    BasicInformation info{};
    DWORD flags = 0;
    const bool read = query(process, 0, &info, sizeof info, nullptr) == 0 && info.peb &&
                      ::ReadProcessMemory(process, info.peb + kPebGlobalFlagOffset, &flags, sizeof flags, nullptr);
    ::CloseHandle(process);
    return read && (flags & kHeapFreeCheckFlag) != 0;
}

namespace {
RECT ScreenRect()
{
    const int x = ::GetSystemMetrics(SM_XVIRTUALSCREEN), y = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    return RECT{x, y, x + ::GetSystemMetrics(SM_CXVIRTUALSCREEN), y + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

// The client area of a window in screen coordinates.
RECT ClientOnScreen(HWND window)
{
    RECT client{};
    ::GetClientRect(window, &client);
    ::MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return client;
}

std::string RectText(const RECT& r)
{
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

struct SeenSearch {
    int id;
    HWND found;
};

BOOL CALLBACK MatchSeen(HWND child, LPARAM lParam)
{
    auto* search = reinterpret_cast<SeenSearch*>(lParam);
    if (::GetDlgCtrlID(child) != search->id || !UserCanSee(child)) return TRUE;
    search->found = child;
    return FALSE;
}
}  // namespace

bool UserCanSee(HWND window, std::string* why)
{
    std::string reason;
    if (!window || !::IsWindow(window)) {
        reason = "no window";
    } else if (!::IsWindowVisible(window)) {
        reason = "the window or one of its parents is hidden";
    } else if (::IsIconic(::GetAncestor(window, GA_ROOT))) {
        reason = "its top-level window is minimised";
    } else {
        RECT rect{}, seen = ScreenRect(), inside{};
        ::GetWindowRect(window, &rect);
        // A child shows only within its parents' client areas, the top-level window within the screen.
        for (HWND child = window; ::GetWindowLongA(child, GWL_STYLE) & WS_CHILD;) {
            HWND parent = ::GetParent(child);
            if (!parent) break;
            const RECT client = ClientOnScreen(parent);
            ::IntersectRect(&seen, &seen, &client);
            child = parent;
        }
        if (::IsRectEmpty(&rect)) reason = "it has no size";
        else if (!::IntersectRect(&inside, &rect, &seen) || !::EqualRect(&inside, &rect))
            reason = "its rectangle " + RectText(rect) + " is not inside the visible part " + RectText(seen);
    }
    if (why) *why = reason;
    return reason.empty();
}

HWND WaitForSeenControl(HWND parent, int id, DWORD timeoutMs)
{
    SeenSearch search{id, nullptr};
    testing_support::PumpUntil([&] {
        search.found = nullptr;
        if (parent) ::EnumChildWindows(parent, MatchSeen, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    }, timeoutMs);
    return search.found;
}

std::string DescribePlace(HWND window)
{
    if (!window || !::IsWindow(window)) return "no window";
    RECT r{};
    ::GetWindowRect(window, &r);
    std::string text = "window " + RectText(r) + (::IsWindowVisible(window) ? " shown" : " not shown");
    for (HWND above = ::GetAncestor(window, GA_PARENT); above && above != ::GetDesktopWindow();
         above = ::GetAncestor(above, GA_PARENT))
        text += ", inside client " + RectText(ClientOnScreen(above)) + (::IsWindowVisible(above) ? "" : " not shown");
    return text + ", screen " + RectText(ScreenRect());
}

std::string Text(HWND window)
{
    // Asked of the control itself: across processes the platform answers an edit control's
    // window text from its creation, not what the edit holds.
    char text[256] = "";
    DWORD_PTR copied = 0;
    if (window)
        ::SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                              &copied);
    text[sizeof text - 1] = '\0';
    return text;
}

bool WaitUntilSeen(HWND window, DWORD timeoutMs)
{
    return testing_support::PumpUntil([&] { return UserCanSee(window); }, timeoutMs);
}

std::string ItemText(HWND dialog, int id)
{
    return Text(::GetDlgItem(dialog, id));
}

void Click(HWND control)
{
    ::PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

void PressButton(HWND dialog, int id)
{
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

namespace {
bool ChooseCombo(HWND combo, const std::function<bool(int)>& matches)
{
    const int count = combo ? static_cast<int>(::SendMessageA(combo, CB_GETCOUNT, 0, 0)) : 0;
    for (int i = 0; i < count; ++i) {
        if (!matches(i)) continue;
        ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
        DWORD_PTR result = 0;
        ::SendMessageTimeoutA(::GetParent(combo), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(combo), CBN_SELCHANGE),
                              reinterpret_cast<LPARAM>(combo), SMTO_ABORTIFHUNG, 5000, &result);
        return true;
    }
    return false;
}
}  // namespace

bool ChooseComboText(HWND combo, const std::string& text)
{
    // The entry's text is read through the selection: the list's own texts stay in its process.
    const int was = combo ? static_cast<int>(::SendMessageA(combo, CB_GETCURSEL, 0, 0)) : CB_ERR;
    const bool found = ChooseCombo(combo, [&](int i) {
        ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
        return Text(combo) == text;
    });
    if (!found && combo) ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(was), 0);
    return found;
}

bool ChooseComboData(HWND combo, LPARAM data)
{
    return ChooseCombo(combo, [&](int i) { return ::SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0) == data; });
}

std::vector<std::string> ComboEntries(HWND combo)
{
    std::vector<std::string> entries;
    const LRESULT selected = ::SendMessageA(combo, CB_GETCURSEL, 0, 0);
    const LRESULT count = ::SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
        entries.push_back(Text(combo));
    }
    ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    return entries;
}

std::string ApText(const char* key, const char* section)
{
    char text[512] = "";
    ::GetPrivateProfileStringA(section, key, "", text, sizeof text,
                               (testing_support::BinFolder() + "Languages\\Lang.ini").c_str());
    return text;
}

int ItemCount(HWND list)
{
    return list ? static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)) : -1;
}

bool SetServiceRunning(const char* name, bool running)
{
    using namespace testing_support;
    ServiceHandle manager(::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT));
    if (!manager) return false;
    ServiceHandle service(::OpenServiceA(manager.get(), name, SERVICE_START | SERVICE_STOP | SERVICE_QUERY_STATUS));
    if (!service) return false;
    // A start or stop that finds the service already there fails; the state is what counts.
    if (running) ::StartServiceA(service.get(), 0, nullptr);
    else StopServiceAndWait(service.get());
    return WaitForServiceState(service.get(), running ? SERVICE_RUNNING : SERVICE_STOPPED);
}

size_t WaitForJournal(const std::string& journal, const std::string& text, size_t from, DWORD timeoutMs)
{
    size_t at = std::string::npos;
    testing_support::PumpUntil([&] {
        return (at = testing_support::ReadWholeFile(journal).find(text, from)) != std::string::npos;
    }, timeoutMs);
    return at;
}

HWND WaitForKeyboardFocus(HWND window, HWND control, DWORD timeoutMs)
{
    HWND focus = nullptr;
    testing_support::PumpUntil([&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        focus = ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
        return focus == control;
    }, timeoutMs);
    return focus;
}

size_t JournalCount(const std::string& journal, const std::string& text, size_t from)
{
    const std::string calls = testing_support::ReadWholeFile(journal);
    size_t count = 0;
    for (size_t at = calls.find(text, from); at != std::string::npos; at = calls.find(text, at + 1)) ++count;
    return count;
}

bool WaitForTicks(const std::string& journal, const char* timerLine, size_t from, int ticks, DWORD timeoutMs)
{
    return testing_support::PumpUntil([&] {
        const std::string calls = testing_support::ReadWholeFile(journal);
        int seen = 0;
        for (size_t at = calls.find(timerLine, from); at != std::string::npos && seen < ticks; at = calls.find(timerLine, at + 1))
            ++seen;
        return seen >= ticks;
    }, timeoutMs);
}

namespace {
constexpr size_t kRemoteBytes = 4096;
constexpr int kRemoteTextChars = 256;
// A posted record must outlive the reads that follow it: it has a place of its own.
constexpr size_t kRemotePostedItem = kRemoteBytes / 2;
}  // namespace

RemoteList::RemoteList(HWND list) : m_list(list)
{
    DWORD pid = 0;
    ::GetWindowThreadProcessId(list, &pid);
    m_process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (m_process)
        m_remote = static_cast<BYTE*>(::VirtualAllocEx(m_process, nullptr, kRemoteBytes, MEM_COMMIT, PAGE_READWRITE));
}

RemoteList::~RemoteList()
{
    if (m_remote) ::VirtualFreeEx(m_process, m_remote, 0, MEM_RELEASE);
    if (m_process) ::CloseHandle(m_process);
}

std::string RemoteList::Text(int row, int column)
{
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iSubItem = column;
    item.pszText = reinterpret_cast<char*>(m_remote + sizeof item);
    item.cchTextMax = kRemoteTextChars;
    char text[kRemoteTextChars] = "";
    if (!m_remote || !::WriteProcessMemory(m_process, m_remote, &item, sizeof item, nullptr) ||
        !::WriteProcessMemory(m_process, m_remote + sizeof item, text, sizeof text, nullptr))
        return std::string();
    ::SendMessageA(m_list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(m_remote));
    ::ReadProcessMemory(m_process, m_remote + sizeof item, text, sizeof text, nullptr);
    text[kRemoteTextChars - 1] = '\0';
    return text;
}

std::vector<std::string> RemoteList::Column(int column)
{
    std::vector<std::string> texts;
    for (int row = 0; row < Count(); ++row) texts.push_back(Text(row, column));
    return texts;
}

int RemoteList::Find(const std::string& text, int columns)
{
    const int rows = Count();
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column)
            if (Text(row, column) == text) return row;
    return -1;
}

void RemoteList::Select(int row)
{
    if (!m_remote) return;
    LVITEMA item{};
    item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::WriteProcessMemory(m_process, m_remote, &item, sizeof item, nullptr);
    ::SendMessageA(m_list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(m_remote));
}

void RemoteList::SelectInTurn(int row)
{
    if (!m_remote) return;
    LVITEMA item{};
    item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::WriteProcessMemory(m_process, m_remote + kRemotePostedItem, &item, sizeof item, nullptr);
    ::PostMessageA(m_list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(m_remote + kRemotePostedItem));
}

int RemoteList::Selected() const
{
    return static_cast<int>(::SendMessageA(m_list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

}  // namespace program_windows
