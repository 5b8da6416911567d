// The real program's profile editor driven through its windows: Add on the profile list opens
// it, a WPA2-PSK profile is built on its pages and saved, and the library's store holds it; a
// PEAP profile saved the same way connects when it is applied.
#include <gtest/gtest.h>
#include "support/TestSupport.h"

#include <commctrl.h>

#include <string>
#include <vector>

using namespace testing_support;

namespace {
constexpr DWORD kTimeoutMs = 20000;
constexpr WPARAM kTrayExit = 32961;  // the tray menu's Exit
constexpr int kTabProfile = 8006, kProfileList = 1024, kProfileAdd = 1133;
constexpr int kEditorOk = 1331, kEditorCancel = 1372;
constexpr int kSysProfileName = 2451, kSysSsid = 2453, kAuthPskEdit = 1403;
constexpr WPARAM kAuthWpa2Psk = 32815, kEncryAes = 32825;
constexpr WPARAM kAuthWpa2 = 32814;
constexpr int kProfileApply = 1136, kEditorTab8021X = 1384, kIdentityEdit = 1322, kPasswordEdit = 1324;

// The window that holds the first descendant with the given id.
struct Search {
    int id;
    HWND found;
};
BOOL CALLBACK FindOwnerOf(HWND child, LPARAM lParam)
{
    auto* search = reinterpret_cast<Search*>(lParam);
    if (::GetDlgCtrlID(child) == search->id) {
        search->found = ::GetParent(child);
        return FALSE;
    }
    return TRUE;
}
HWND ParentOfItem(HWND main, int id)
{
    Search search{id, nullptr};
    ::EnumChildWindows(main, FindOwnerOf, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct ListSearch {
    HWND main;
    HWND list;
};
// The profile list: on a visible page of the main window.
BOOL CALLBACK FindList(HWND child, LPARAM lParam)
{
    auto* search = reinterpret_cast<ListSearch*>(lParam);
    HWND page = ::GetAncestor(child, GA_PARENT);
    if (page && ::GetAncestor(page, GA_PARENT) == search->main && ::GetDlgCtrlID(child) == kProfileList &&
        ::IsWindowVisible(page)) {
        search->list = child;
        return FALSE;
    }
    return TRUE;
}

// The rows of a list view of another process, and a click on one: the list takes its item
// records by address, so they go through memory in that process.
class RemoteRows {
public:
    explicit RemoteRows(HWND list) : m_list(list)
    {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(list, &pid);
        m_process = ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (m_process) m_remote = static_cast<BYTE*>(::VirtualAllocEx(m_process, nullptr, kBytes, MEM_COMMIT, PAGE_READWRITE));
    }
    ~RemoteRows()
    {
        if (m_remote) ::VirtualFreeEx(m_process, m_remote, 0, MEM_RELEASE);
        if (m_process) ::CloseHandle(m_process);
    }
    RemoteRows(const RemoteRows&) = delete;
    RemoteRows& operator=(const RemoteRows&) = delete;
    bool Usable() const { return m_remote != nullptr; }
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
    // The first row with this text in any of its first columns; -1 when none.
    int Find(const std::string& text)
    {
        const int rows = static_cast<int>(::SendMessageA(m_list, LVM_GETITEMCOUNT, 0, 0));
        for (int row = 0; row < rows; ++row)
            for (int column = 0; column < kColumns; ++column)
                if (Text(row, column) == text) return row;
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
    static constexpr int kColumns = 4;
    HWND m_list;
    HANDLE m_process = nullptr;
    BYTE* m_remote = nullptr;
};

class ProfileEditorEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ForgetProfileStore();
        ScopedFile(worldFile, "[World]\nOsCode=12\n"
                              "[Network1]\nSsid=Quixen-WPA2\nSecurity=WPA2-PSK\nKey=quixen2024\n"
                              "[Profile1]\nName=Home\nSsid=Quixen-Open\nSecurity=Open\n").Keep();
    }
    void TearDown() override
    {
        ::DeleteFileA(worldFile.c_str());
        ForgetProfileStore();
    }
    std::string worldFile = BinFolder() + "QxSimWorld.ini";
    std::string store = BinFolder() + "QxWLProfiles.dat";
};
}  // namespace

TEST_F(ProfileEditorEndToEnd, AWpa2PersonalProfileAddedThroughTheEditorIsStored)
{
    ChildProcess program(ProgramCommand(), BinFolder());
    HWND main = WaitForWindow("#32770", EnglishText("IDS_QUIXEN_CONFIG_TITLE").c_str(), program.Id(), kTimeoutMs);
    HWND hidden = WaitForWindow("#32770", "Quixen Utility", program.Id(), kTimeoutMs);
    ASSERT_NE(nullptr, main);
    ASSERT_NE(nullptr, hidden);
    PumpUntil([&] { return ::IsWindowVisible(main) != FALSE; }, kTimeoutMs);
    HWND tab = ::GetDlgItem(main, kTabProfile);
    ::PostMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::PostMessageA(tab, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ListSearch search{main, nullptr};
    ASSERT_TRUE(PumpUntil([&] {
        ::EnumChildWindows(main, FindList, reinterpret_cast<LPARAM>(&search));
        return search.list != nullptr;
    }, kTimeoutMs));
    HWND list = search.list;
    HWND page = ::GetParent(list);
    ASSERT_TRUE(PumpUntil([&] { return ::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) >= 1; }, kTimeoutMs));
    const LRESULT rows = ::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0);

    ::PostMessageA(::GetDlgItem(page, kProfileAdd), BM_CLICK, 0, 0);
    HWND editor = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        editor = ParentOfItem(main, kEditorCancel);
        return editor && ::IsWindowVisible(editor);
    }, kTimeoutMs));
    HWND system = ParentOfItem(editor, kSysSsid);
    HWND auth = ParentOfItem(editor, kAuthPskEdit);
    ASSERT_NE(nullptr, system);
    ASSERT_NE(nullptr, auth);

    ::SendMessageA(::GetDlgItem(system, kSysProfileName), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Quixen-WPA2"));
    ::SendMessageA(::GetDlgItem(system, kSysSsid), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Quixen-WPA2"));
    ::SendMessageA(auth, WM_COMMAND, kAuthWpa2Psk, 0);
    ::SendMessageA(auth, WM_COMMAND, kEncryAes, 0);
    ::SendMessageA(::GetDlgItem(auth, kAuthPskEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("quixen2024"));
    ::SendMessageA(::GetDlgItem(editor, kEditorOk), BM_CLICK, 0, 0);

    EXPECT_TRUE(PumpUntil([&] { return ::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) == rows + 1; }, kTimeoutMs));
    EXPECT_TRUE(PumpUntil([&] {
        const std::string bytes = FileExists(store) ? ReadWholeFile(store) : std::string();
        return bytes.find("Quixen-WPA2") != std::string::npos && bytes.find("quixen2024") != std::string::npos;
    }, kTimeoutMs));

    ::PostMessageA(hidden, WM_COMMAND, kTrayExit, 0);
    EXPECT_TRUE(PumpUntil([&] { return program.WaitForExit(0); }, kTimeoutMs));
}

TEST_F(ProfileEditorEndToEnd, APeapProfileSavedThroughTheEditorConnectsWhenApplied)
{
    const std::string journal = BinFolder() + "ProfileEditorJournal.txt";
    ::DeleteFileA(journal.c_str());
    ScopedFile(worldFile, "[World]\nOsCode=12\nJournal=" + journal + "\n"
                          "[Network1]\nSsid=Quixen-Corp\nSecurity=WPA2\nEapMethod=PEAP\nIdentity=user\nPassword=password\n"
                          "[Profile1]\nName=Home\nSsid=Quixen-Open\nSecurity=Open\n").Keep();
    ChildProcess program(ProgramCommand(), BinFolder());
    HWND main = WaitForWindow("#32770", EnglishText("IDS_QUIXEN_CONFIG_TITLE").c_str(), program.Id(), kTimeoutMs);
    HWND hidden = WaitForWindow("#32770", "Quixen Utility", program.Id(), kTimeoutMs);
    ASSERT_NE(nullptr, main);
    ASSERT_NE(nullptr, hidden);
    PumpUntil([&] { return ::IsWindowVisible(main) != FALSE; }, kTimeoutMs);
    HWND tab = ::GetDlgItem(main, kTabProfile);
    ::PostMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::PostMessageA(tab, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    ListSearch search{main, nullptr};
    ASSERT_TRUE(PumpUntil([&] {
        ::EnumChildWindows(main, FindList, reinterpret_cast<LPARAM>(&search));
        return search.list != nullptr;
    }, kTimeoutMs));
    HWND list = search.list;
    HWND page = ::GetParent(list);
    ASSERT_TRUE(PumpUntil([&] { return ::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) >= 1; }, kTimeoutMs));

    ::PostMessageA(::GetDlgItem(page, kProfileAdd), BM_CLICK, 0, 0);
    HWND editor = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        editor = ParentOfItem(main, kEditorCancel);
        return editor && ::IsWindowVisible(editor);
    }, kTimeoutMs));
    HWND system = ParentOfItem(editor, kSysSsid);
    HWND auth = ParentOfItem(editor, kAuthPskEdit);
    HWND identity = ParentOfItem(editor, kIdentityEdit);
    HWND tabs = ParentOfItem(editor, kEditorTab8021X);
    ASSERT_NE(nullptr, system);
    ASSERT_NE(nullptr, auth);
    ASSERT_NE(nullptr, identity);
    ASSERT_NE(nullptr, tabs);

    ::SendMessageA(::GetDlgItem(system, kSysProfileName), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Quixen-Corp"));
    ::SendMessageA(::GetDlgItem(system, kSysSsid), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Quixen-Corp"));
    ::SendMessageA(auth, WM_COMMAND, kAuthWpa2, 0);
    ::SendMessageA(auth, WM_COMMAND, kEncryAes, 0);
    // WPA2 opens the 802.1X tab; PEAP with MS-CHAP v2 is the page's first choice.
    HWND tab8021X = ::GetDlgItem(tabs, kEditorTab8021X);
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowEnabled(tab8021X) != FALSE; }, kTimeoutMs));
    ::SendMessageA(tab8021X, BM_CLICK, 0, 0);
    HWND identityEdit = ::GetDlgItem(identity, kIdentityEdit);
    HWND passwordEdit = ::GetDlgItem(identity, kPasswordEdit);
    EXPECT_TRUE(::IsWindowEnabled(identityEdit));
    EXPECT_TRUE(::IsWindowEnabled(passwordEdit));
    ::SendMessageA(identityEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("user"));
    ::SendMessageA(passwordEdit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("password"));
    ::SendMessageA(::GetDlgItem(editor, kEditorOk), BM_CLICK, 0, 0);

    RemoteRows rows(list);
    ASSERT_TRUE(rows.Usable());
    int row = -1;
    ASSERT_TRUE(PumpUntil([&] { return (row = rows.Find("Quixen-Corp")) >= 0; }, kTimeoutMs));
    rows.Select(row);
    ::PostMessageA(page, WM_COMMAND, MAKEWPARAM(kProfileApply, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(page, kProfileApply)));
    EXPECT_TRUE(PumpUntil([&] {
        return ReadWholeFile(journal).find("SIM link up Quixen-Corp") != std::string::npos;
    }, kTimeoutMs)) << ReadWholeFile(journal);

    ::PostMessageA(hidden, WM_COMMAND, kTrayExit, 0);
    EXPECT_TRUE(PumpUntil([&] { return program.WaitForExit(0); }, kTimeoutMs));
    ::DeleteFileA(journal.c_str());
}
