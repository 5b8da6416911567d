// The real program's profile list driven through its windows: the stored profiles listed, the
// one in use deleted after the confirmation, and what remains still there after a restart.
#include <gtest/gtest.h>
#include "support/TestSupport.h"

#include <commctrl.h>

#include <string>

using namespace testing_support;

namespace {
constexpr DWORD kTimeoutMs = 20000;
constexpr WPARAM kTrayExit = 32961;  // the tray menu's Exit
constexpr int kTabProfile = 8006, kProfileList = 1024, kProfileDelete = 1135;

struct ListSearch {
    HWND main;
    HWND list;
};

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

class ProfileListEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ForgetProfileStore();
        ScopedFile(worldFile, "[World]\nOsCode=12\n"
                              "[Profile1]\nName=Home\nSsid=Quixen-Open\nSecurity=Open\nActive=1\n"
                              "[Profile2]\nName=Cafe\nSsid=Cafe\nSecurity=Open\n").Keep();
    }
    void TearDown() override
    {
        ::DeleteFileA(worldFile.c_str());
        ForgetProfileStore();
    }
    // Starts the program and opens its profile list; the list control, or null.
    HWND OpenProfileList(ChildProcess& program, HWND& hidden)
    {
        HWND main = WaitForWindow("#32770", EnglishText("IDS_QUIXEN_CONFIG_TITLE").c_str(), program.Id(), kTimeoutMs);
        hidden = WaitForWindow("#32770", "Quixen Utility", program.Id(), kTimeoutMs);
        if (!main || !hidden) return nullptr;
        PumpUntil([&] { return ::IsWindowVisible(main) != FALSE; }, kTimeoutMs);
        HWND tab = ::GetDlgItem(main, kTabProfile);
        ::PostMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        ::PostMessageA(tab, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        ListSearch search{main, nullptr};
        PumpUntil([&] {
            ::EnumChildWindows(main, FindList, reinterpret_cast<LPARAM>(&search));
            return search.list != nullptr;
        }, kTimeoutMs);
        return search.list;
    }
    static int Rows(HWND list) { return static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }
    void Exit(ChildProcess& program, HWND hidden)
    {
        ::PostMessageA(hidden, WM_COMMAND, kTrayExit, 0);
        EXPECT_TRUE(PumpUntil([&] { return program.WaitForExit(0); }, kTimeoutMs));
    }

    std::string worldFile = BinFolder() + "QxSimWorld.ini";
    std::string store = BinFolder() + "QxWLProfiles.dat";
};
}  // namespace

TEST_F(ProfileListEndToEnd, DeletedAfterTheConfirmationAndTheRestKeptAcrossARestart)
{
    {
        ChildProcess program(ProgramCommand(), BinFolder());
        HWND hidden = nullptr;
        HWND list = OpenProfileList(program, hidden);
        ASSERT_NE(nullptr, list);
        ASSERT_TRUE(PumpUntil([&] { return Rows(list) == 2; }, kTimeoutMs));
        // The start reconnected the profile in use, so it is stored as the active one.
        EXPECT_TRUE(PumpUntil([&] { return FileExists(store); }, kTimeoutMs));

        // Row 0, "Home", is selected and in use: Delete asks first.
        ::PostMessageA(::GetDlgItem(::GetParent(list), kProfileDelete), BM_CLICK, 0, 0);
        HWND box = WaitForWindow("#32770", "KPL4471", program.Id(), kTimeoutMs);
        ASSERT_NE(nullptr, box);
        EXPECT_EQ(2, Rows(list));  // nothing deleted while the question is open
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(PumpUntil([&] { return Rows(list) == 1; }, kTimeoutMs));
        Exit(program, hidden);
    }
    // The world file still describes both profiles: the store the library kept wins.
    ChildProcess again(ProgramCommand(), BinFolder());
    HWND hidden = nullptr;
    HWND list = OpenProfileList(again, hidden);
    ASSERT_NE(nullptr, list);
    PumpUntil([&] { return Rows(list) == 1; }, 3000);
    EXPECT_EQ(1, Rows(list));
    Exit(again, hidden);
}
