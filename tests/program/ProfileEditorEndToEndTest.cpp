// The real program's profile editor driven through its windows: Add on the profile list opens
// it, a WPA2-PSK profile is built on its pages and saved, and the library's store holds it.
#include <gtest/gtest.h>
#include "support/TestSupport.h"

#include <commctrl.h>

#include <string>

using namespace testing_support;

namespace {
constexpr DWORD kTimeoutMs = 20000;
constexpr WPARAM kTrayExit = 32961;  // the tray menu's Exit
constexpr int kTabProfile = 8006, kProfileList = 1024, kProfileAdd = 1133;
constexpr int kEditorOk = 1331, kEditorCancel = 1372;
constexpr int kSysProfileName = 2451, kSysSsid = 2453, kAuthPskEdit = 1403;
constexpr WPARAM kAuthWpa2Psk = 32815, kEncryAes = 32825;

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
