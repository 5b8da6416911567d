// Driving the real program's Wi-Fi Direct pages from another process, as a user would: the
// visible controls by id, presses, texts and the device list.
#pragma once
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
constexpr int kNameColumn = 2;
// Setting pages (name, channel) and the connect-method and link-status pages.
constexpr int kSettingEdit = 1513, kSettingNext = 1502;
constexpr int kMethodNext = 1464, kMethodPinShown = 1461, kMethodPin = 1463;
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

// The start-up reconnects the active profile (the default one a first start stores) four
// seconds after the hidden dialog's set-up, before the main window shows; that connect would
// replace a Wi-Fi Direct group link made sooner, which no user is quick enough to make. Call
// once the main window is visible.
inline void WaitStartUpReconnect()
{
    constexpr DWORD kStartUpReconnectMs = 4500;
    PumpFor(kStartUpReconnectMs);
}

// A user's press of a button (or tick of a box) of the other process.
inline void Press(HWND control)
{
    ::PostMessageA(control, BM_CLICK, 0, 0);
}

inline std::string WindowText(HWND control)
{
    char text[256] = "";
    // Sent, not GetWindowText: an edit of another process keeps its text to itself.
    if (control) ::SendMessageA(control, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

// The device list of the other process, read through memory in that process.
class RemoteList {
public:
    explicit RemoteList(HWND list) : m_list(list)
    {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(list, &pid);
        m_process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (m_process) m_remote = static_cast<BYTE*>(::VirtualAllocEx(m_process, nullptr, kBytes, MEM_COMMIT, PAGE_READWRITE));
    }
    ~RemoteList()
    {
        if (m_remote) ::VirtualFreeEx(m_process, m_remote, 0, MEM_RELEASE);
        if (m_process) ::CloseHandle(m_process);
    }
    int Count() const { return static_cast<int>(::SendMessageA(m_list, LVM_GETITEMCOUNT, 0, 0)); }
    std::string Text(int row, int column)
    {
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iSubItem = column;
        item.pszText = reinterpret_cast<char*>(m_remote + sizeof item);
        item.cchTextMax = kTextChars;
        char text[kTextChars] = "";
        if (!::WriteProcessMemory(m_process, m_remote, &item, sizeof item, nullptr) ||
            !::WriteProcessMemory(m_process, m_remote + sizeof item, text, sizeof text, nullptr))
            return std::string();
        ::SendMessageA(m_list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(m_remote));
        ::ReadProcessMemory(m_process, m_remote + sizeof item, text, sizeof text, nullptr);
        text[kTextChars - 1] = '\0';
        return text;
    }
    int Find(const std::string& name)
    {
        for (int row = 0; row < Count(); ++row)
            if (Text(row, kNameColumn) == name) return row;
        return -1;
    }
    void Select(int row)
    {
        LVITEMA item{};
        item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
        ::WriteProcessMemory(m_process, m_remote, &item, sizeof item, nullptr);
        ::SendMessageA(m_list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(m_remote));
    }

private:
    static constexpr size_t kBytes = 4096;
    static constexpr int kTextChars = 256;
    HWND m_list;
    HANDLE m_process = nullptr;
    BYTE* m_remote = nullptr;
};

}  // namespace wifidirect_driving
