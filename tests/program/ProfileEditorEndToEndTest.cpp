// The real program's profile editor driven through its windows: Add on the profile list opens
// it, a WPA2-PSK profile is built on its pages and saved, and the library's store holds it; a
// PEAP profile saved the same way connects when it is applied.
#include <gtest/gtest.h>
#include "program/ProgramWindows.h"
#include "support/TestSupport.h"

#include <string>
#include <vector>

using namespace testing_support;
using namespace program_windows;

namespace {
constexpr DWORD kTimeoutMs = 20000;
constexpr int kTabProfile = 8006, kProfileList = 1024, kProfileAdd = 1133;
constexpr int kEditorOk = 1331, kEditorCancel = 1372;
constexpr int kSysProfileName = 2451, kSysSsid = 2453, kAuthPskEdit = 1403;
constexpr WPARAM kAuthWpa2Psk = 32815, kEncryAes = 32825;
constexpr WPARAM kAuthWpa2 = 32814;
constexpr int kProfileApply = 1136, kEditorTab8021X = 1384, kIdentityEdit = 1322, kPasswordEdit = 1324;

// The window that holds the first descendant with the given id.
HWND ParentOfItem(HWND main, int id)
{
    HWND item = FindControl(main, id, false);
    return item ? ::GetParent(item) : nullptr;
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
    HWND main = WaitForMainWindow(program.Id());
    ASSERT_NE(nullptr, main);
    Click(::GetDlgItem(main, kTabProfile));
    HWND list = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (list = FindControl(main, kProfileList)) != nullptr; }, kTimeoutMs));
    HWND page = ::GetParent(list);
    ASSERT_TRUE(PumpUntil([&] { return ItemCount(list) >= 1; }, kTimeoutMs));
    const int rows = ItemCount(list);

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

    EXPECT_TRUE(PumpUntil([&] { return ItemCount(list) == rows + 1; }, kTimeoutMs));
    EXPECT_TRUE(PumpUntil([&] {
        const std::string bytes = FileExists(store) ? ReadWholeFile(store) : std::string();
        return bytes.find("Quixen-WPA2") != std::string::npos && bytes.find("quixen2024") != std::string::npos;
    }, kTimeoutMs));

    EXPECT_TRUE(ExitFromTray(program));
}

TEST_F(ProfileEditorEndToEnd, APeapProfileSavedThroughTheEditorConnectsWhenApplied)
{
    const std::string journal = BinFolder() + "ProfileEditorJournal.txt";
    ::DeleteFileA(journal.c_str());
    ScopedFile(worldFile, "[World]\nOsCode=12\nJournal=" + journal + "\n"
                          "[Network1]\nSsid=Quixen-Corp\nSecurity=WPA2\nEapMethod=PEAP\nIdentity=user\nPassword=password\n"
                          "[Profile1]\nName=Home\nSsid=Quixen-Open\nSecurity=Open\n").Keep();
    ChildProcess program(ProgramCommand(), BinFolder());
    HWND main = WaitForMainWindow(program.Id());
    ASSERT_NE(nullptr, main);
    Click(::GetDlgItem(main, kTabProfile));
    HWND list = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (list = FindControl(main, kProfileList)) != nullptr; }, kTimeoutMs));
    HWND page = ::GetParent(list);
    ASSERT_TRUE(PumpUntil([&] { return ItemCount(list) >= 1; }, kTimeoutMs));

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

    RemoteList rows(list);
    ASSERT_TRUE(rows.Usable());
    int row = -1;
    ASSERT_TRUE(PumpUntil([&] { return (row = rows.Find("Quixen-Corp")) >= 0; }, kTimeoutMs));
    rows.Select(row);
    PressButton(page, kProfileApply);
    EXPECT_TRUE(PumpUntil([&] {
        return ReadWholeFile(journal).find("SIM link up Quixen-Corp") != std::string::npos;
    }, kTimeoutMs)) << ReadWholeFile(journal);

    EXPECT_TRUE(ExitFromTray(program));
    ::DeleteFileA(journal.c_str());
}
