// The real program's Wi-Fi Direct tab as a user meets it, on a world with two peers: switched
// on through the name page, a scan lists both, a push-button connection to one runs its
// progress to the end and the more-information dialog names the group, Disconnect ends it, a
// PIN connection uses the PIN the page shows.
#include <gtest/gtest.h>
#include "support/FakeNotificationArea.h"
#include "support/TestSupport.h"

#include <commctrl.h>

#include <string>
#include <vector>

using namespace testing_support;

namespace {
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
    HWND found;
};

BOOL CALLBACK FindVisible(HWND child, LPARAM lParam)
{
    auto* search = reinterpret_cast<ControlSearch*>(lParam);
    if (::GetDlgCtrlID(child) == search->id && ::IsWindowVisible(child) && ::IsWindowVisible(::GetParent(child))) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

// The visible control of that id on a visible page of the window, or null.
HWND Visible(HWND main, int id)
{
    ControlSearch search{id, nullptr};
    ::EnumChildWindows(main, FindVisible, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitVisible(HWND main, int id, DWORD timeoutMs = kTimeoutMs)
{
    HWND found = nullptr;
    PumpUntil([&] { return (found = Visible(main, id)) != nullptr; }, timeoutMs);
    return found;
}

// A user's press of a button (or tick of a box) of the other process.
void Press(HWND control)
{
    ::PostMessageA(control, BM_CLICK, 0, 0);
}

std::string WindowText(HWND control)
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

// The page's text for a connection that made it (the English file may leave it to the page).
std::string SuccessText()
{
    const std::string text = EnglishText("IDS_WIFI_DIRECT_SUCCESSFUL");
    return text.empty() ? "Connected successfully" : text;  // the page's own text, a full stop may follow
}

class WiFiDirectEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ForgetProfileStore();
        ::DeleteFileA(journal.c_str());
        ScopedFile(worldFile, "[World]\nOsCode=12\nJournal=" + journal +
                                  "\n[Peer1]\nName=Camera\nAddress=02:50:32:50:00:01\nIntent=15\nAccept=PBC\n"
                                  "[Peer2]\nName=Printer\nAddress=02:50:32:50:00:02\nIntent=0\nAccept=Any\n")
            .Keep();
    }
    void TearDown() override
    {
        ::DeleteFileA(worldFile.c_str());
        ::DeleteFileA(journal.c_str());
        ForgetProfileStore();
    }
    bool JournalHas(const std::string& text, size_t from = 0) { return ReadWholeFile(journal).find(text, from) != std::string::npos; }
    bool WaitJournal(const std::string& text, size_t from = 0, DWORD timeoutMs = kTimeoutMs)
    {
        return PumpUntil([&] { return JournalHas(text, from); }, timeoutMs);
    }
    // Connect method, preferred channel, then the link status until the display ends.
    std::string ConnectTo(HWND main, RemoteList& rows, const char* peer, bool pinShown, std::string* pin)
    {
        const int row = rows.Find(peer);
        EXPECT_GE(row, 0) << peer;
        rows.Select(row);
        Press(Visible(main, kConnect));
        HWND next = WaitVisible(main, kMethodNext);
        EXPECT_TRUE(next);
        if (pinShown && next) {
            // The page's own controls: the classic dialogs below the visible area reuse ids.
            HWND page = ::GetParent(next);
            Press(::GetDlgItem(page, kMethodPinShown));
            PumpUntil([&] { return WindowText(::GetDlgItem(page, kMethodPin)).size() == 8; }, kTimeoutMs);
            *pin = WindowText(::GetDlgItem(page, kMethodPin));
        }
        Press(next);
        HWND channelNext = nullptr;
        PumpUntil([&] { return (channelNext = Visible(main, kSettingNext)) != nullptr && Visible(main, 1511); }, kTimeoutMs);
        EXPECT_TRUE(channelNext);
        Press(channelNext);
        EXPECT_TRUE(WaitVisible(main, kLinkExit));
        std::string text;
        PumpUntil([&] {
            text = WindowText(Visible(main, kLinkText));
            return !text.empty() && text.find('%') == std::string::npos;
        }, kConnectMs);
        return text;
    }

    std::string worldFile = BinFolder() + "QxSimWorld.ini";
    std::string journal = BinFolder() + "WiFiDirectJournal.txt";
};
}  // namespace

TEST_F(WiFiDirectEndToEnd, SwitchOnScanConnectShowDisconnectThenConnectByPin)
{
    FakeNotificationArea tray;
    std::string command = "\"" + BinFolder() + "KPL4471.exe\"";
    ChildProcess program(command, BinFolder());
    HWND main = WaitForWindow("#32770", EnglishText("IDS_QUIXEN_CONFIG_TITLE").c_str(), program.Id(), kTimeoutMs);
    ASSERT_TRUE(main);
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(main) != FALSE; }, kTimeoutMs));
    HWND tab = ::GetDlgItem(main, kTabWiFiDirect);
    ::PostMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::PostMessageA(tab, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));

    // Switching on asks for the device name first; after it Wi-Fi Direct is on.
    HWND enable = WaitVisible(main, kEnable);
    ASSERT_TRUE(enable);
    Press(enable);
    HWND name = WaitVisible(main, kSettingEdit);
    ASSERT_TRUE(name);
    ::SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("E2E-Desk"));
    Press(Visible(main, kSettingNext));
    ASSERT_TRUE(WaitJournal("QXWL_SetWifiDirectWpseConfig(1)"));
    EXPECT_TRUE(JournalHas("QXWL_WriteWiFiDirectDeviceName"));

    // Scan lists both peers.
    HWND scan = WaitVisible(main, kScan);
    ASSERT_TRUE(scan);
    PumpUntil([&] { return ::IsWindowEnabled(scan) != FALSE; }, kTimeoutMs);
    Press(scan);
    HWND list = WaitVisible(main, kDeviceList);
    ASSERT_TRUE(list);
    RemoteList rows(list);
    ASSERT_TRUE(PumpUntil([&] { return rows.Find("Camera") >= 0 && rows.Find("Printer") >= 0; }, kTimeoutMs));
    EXPECT_EQ(2, rows.Count());

    // Push button to the camera: progress to the end, then success, and the group by name.
    size_t from = ReadWholeFile(journal).size();
    const std::string result = ConnectTo(main, rows, "Camera", false, nullptr);
    EXPECT_TRUE(JournalHas("QXWL_SetWifiDirectWpseConfig(3)", from));
    EXPECT_TRUE(JournalHas("QXWL_SetWPSMode(0x20000000", from));
    EXPECT_EQ(0u, result.rfind(SuccessText(), 0)) << result << "\n" << ReadWholeFile(journal).substr(from);
    Press(Visible(main, kLinkExit));
    ASSERT_TRUE(WaitVisible(main, kMoreInfo));
    Press(Visible(main, kMoreInfo));
    HWND info = WaitForWindow("#32770", "More Information", program.Id(), kTimeoutMs);
    ASSERT_TRUE(info);
    std::string group;
    EXPECT_TRUE(PumpUntil([&] { return (group = WindowText(::GetDlgItem(info, kInfoGroup))).rfind("DIRECT-", 0) == 0; },
                          kTimeoutMs))
        << group;
    Press(::GetDlgItem(info, kInfoClose));
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(info); }, kTimeoutMs));

    // Disconnect (the list's menu command) ends it.
    from = ReadWholeFile(journal).size();
    ::PostMessageA(::GetParent(list), WM_COMMAND, MAKEWPARAM(kDisconnect, 0), 0);
    EXPECT_TRUE(WaitJournal("QXWL_SetWifiDirectWpseConfig(6)", from));

    // A PIN connection with the PIN the page shows, after a fresh scan.
    PumpUntil([&] { return ::IsWindowEnabled(scan) != FALSE; }, kTimeoutMs);
    Press(scan);
    ASSERT_TRUE(PumpUntil([&] { return rows.Find("Printer") >= 0; }, kTimeoutMs));
    from = ReadWholeFile(journal).size();
    std::string pin;
    const std::string pinResult = ConnectTo(main, rows, "Printer", true, &pin);
    ASSERT_EQ(8u, pin.size());
    EXPECT_TRUE(JournalHas("QXWL_SetWifiDirectWpseConfig(3)", from));
    EXPECT_EQ(0u, pinResult.rfind(SuccessText(), 0)) << pinResult;
    EXPECT_TRUE(JournalHas("QXWL_SetWPSMode(0x80000000", from));
    Press(Visible(main, kLinkExit));
    if (HasFailure()) printf("Journal:\n%s\n", ReadWholeFile(journal).c_str());
}
