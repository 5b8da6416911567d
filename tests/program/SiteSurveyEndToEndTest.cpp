// The real program's site survey as a user meets it: the tab lists the networks of the default
// world, and choosing one and pressing Connect brings its link up.
#include <gtest/gtest.h>
#include "support/FakeNotificationArea.h"
#include "support/TestSupport.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace testing_support;

namespace {
constexpr DWORD kTimeoutMs = 20000;
constexpr int kTabSiteSurvey = 8005;
constexpr int kSurveyList = 1014, kSurveyConnect = 1016;
constexpr int kSsidColumn = 1;
constexpr LONG kStartUpReconnectMs = 5000;
constexpr int kLinkStatusLine = 1212;  // of the link-status dialog in the main window's classic area

struct ControlSearch {
    int id;
    bool visible;
    HWND found;
};

BOOL CALLBACK FindControl(HWND child, LPARAM lParam)
{
    auto* search = reinterpret_cast<ControlSearch*>(lParam);
    if (::GetDlgCtrlID(child) == search->id && (!search->visible || ::IsWindowVisible(child))) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

HWND Control(HWND main, int id, bool visible = true)
{
    ControlSearch search{id, visible, nullptr};
    ::EnumChildWindows(main, FindControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A list view of another process, read and driven through memory in that process: the list
// takes its item records by address.
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
    bool Usable() const { return m_remote != nullptr; }
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
    std::vector<std::string> Column(int column)
    {
        std::vector<std::string> texts;
        for (int row = 0; row < Count(); ++row) texts.push_back(Text(row, column));
        return texts;
    }
    // A user's click on the row: it becomes the selected and focused one.
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

class SiteSurveyEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ForgetProfileStore();
        ::DeleteFileA(journal.c_str());
        ScopedFile(worldFile, "[World]\nOsCode=12\nJournal=" + journal + "\n").Keep();
    }
    void TearDown() override
    {
        ::DeleteFileA(worldFile.c_str());
        ::DeleteFileA(journal.c_str());
        ForgetProfileStore();
    }
    std::string worldFile = BinFolder() + "QxSimWorld.ini";
    std::string journal = BinFolder() + "SurveyJournal.txt";
};
}  // namespace

TEST_F(SiteSurveyEndToEnd, ListsTheDefaultWorldAndConnectsTheChosenOpenNetwork)
{
    FakeNotificationArea tray;
    const DWORD started = ::GetTickCount();
    std::string command = "\"";
    command += BinFolder();
    command += "KPL4471.exe\"";
    ChildProcess program(command, BinFolder());
    HWND main = WaitForWindow("#32770", EnglishText("IDS_QUIXEN_CONFIG_TITLE").c_str(), program.Id(), kTimeoutMs);
    ASSERT_TRUE(main);
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(main) != FALSE; }, kTimeoutMs));

    HWND tab = ::GetDlgItem(main, kTabSiteSurvey);
    ::PostMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::PostMessageA(tab, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    HWND list = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (list = Control(main, kSurveyList)) != nullptr; }, kTimeoutMs));
    RemoteList rows(list);
    ASSERT_TRUE(rows.Usable());
    // The scan ends with the six networks in name order, the hidden one by its placeholder.
    ASSERT_TRUE(PumpUntil([&] { return rows.Count() == 6 && rows.Text(0, kSsidColumn) != EnglishText("IDS_VAL_SEARCHING"); },
                          kTimeoutMs));
    const std::vector<std::string> names = rows.Column(kSsidColumn);
    EXPECT_EQ((std::vector<std::string>{EnglishText("IDS_HIDDENSSID"), "Quixen-Corp", "Quixen-N300", "Quixen-Open",
                                        "Quixen-WEP", "Quixen-WPA2"}),
              names);

    // The start-up's own reconnect (4 seconds after start) would replace an earlier choice.
    PumpFor(std::max<LONG>(0, kStartUpReconnectMs - static_cast<LONG>(::GetTickCount() - started)));
    const size_t journalBefore = ReadWholeFile(journal).size();
    const int open = static_cast<int>(std::find(names.begin(), names.end(), "Quixen-Open") - names.begin());
    rows.Select(open);
    HWND page = ::GetParent(list);
    ::PostMessageA(page, WM_COMMAND, MAKEWPARAM(kSurveyConnect, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(page, kSurveyConnect)));
    // The chosen network is asked for by its own record, and its link comes up: the link-status
    // line names it (cut to ten characters) beside its access point.
    EXPECT_TRUE(PumpUntil([&] {
        return ReadWholeFile(journal).find("ssid=Quixen-Open, auth=0, encry=1", journalBefore) != std::string::npos;
    }, kTimeoutMs));
    HWND statusLine = nullptr;
    EXPECT_TRUE(PumpUntil([&] {
        statusLine = statusLine ? statusLine : Control(main, kLinkStatusLine, false);
        char text[128] = "";
        if (statusLine) ::GetWindowTextA(statusLine, text, sizeof text);
        return std::string(text).rfind("Quixen-Ope.. <--> 00-1A-2B-44-71-01", 0) == 0;
    }, kTimeoutMs));
    // The tray tip names the network the program is linked to.
    char tip[128] = "";
    snprintf(tip, sizeof tip, EnglishText("IDS_QUIXEN_GOOD").c_str(), "Quixen-Open");
    EXPECT_TRUE(tray.WaitForTip(NIM_MODIFY, tip, kTimeoutMs)) << tip;
    if (HasFailure()) printf("Calls after Connect:\n%s\n", ReadWholeFile(journal).substr(journalBefore).c_str());
}
