// The real program's profile list driven through its windows: the stored profiles listed, the
// one in use deleted after the confirmation, and what remains still there after a restart.
#include <gtest/gtest.h>
#include "program/ProgramWindows.h"
#include "support/TestSupport.h"

#include <string>

using namespace testing_support;
using namespace program_windows;

namespace {
constexpr DWORD kTimeoutMs = 20000;
constexpr int kTabProfile = 8006, kProfileList = 1024, kProfileDelete = 1135;

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
    static HWND OpenProfileList(ChildProcess& program)
    {
        HWND main = WaitForMainWindow(program.Id());
        if (!main) return nullptr;
        Click(::GetDlgItem(main, kTabProfile));
        HWND list = nullptr;
        PumpUntil([&] { return (list = FindControl(main, kProfileList)) != nullptr; }, kTimeoutMs);
        return list;
    }

    std::string worldFile = BinFolder() + "QxSimWorld.ini";
    std::string store = BinFolder() + "QxWLProfiles.dat";
};
}  // namespace

TEST_F(ProfileListEndToEnd, DeletedAfterTheConfirmationAndTheRestKeptAcrossARestart)
{
    {
        ChildProcess program(ProgramCommand(), BinFolder());
        HWND list = OpenProfileList(program);
        ASSERT_NE(nullptr, list);
        ASSERT_TRUE(PumpUntil([&] { return ItemCount(list) == 2; }, kTimeoutMs));
        // The start reconnected the profile in use, so it is stored as the active one.
        EXPECT_TRUE(PumpUntil([&] { return FileExists(store); }, kTimeoutMs));

        // Row 0, "Home", is selected and in use: Delete asks first.
        ::PostMessageA(::GetDlgItem(::GetParent(list), kProfileDelete), BM_CLICK, 0, 0);
        HWND box = WaitForWindow("#32770", "KPL4471", program.Id(), kTimeoutMs);
        ASSERT_NE(nullptr, box);
        EXPECT_EQ(2, ItemCount(list));  // nothing deleted while the question is open
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(PumpUntil([&] { return ItemCount(list) == 1; }, kTimeoutMs));
        EXPECT_TRUE(ExitFromTray(program));
    }
    // The world file still describes both profiles: the store the library kept wins.
    ChildProcess again(ProgramCommand(), BinFolder());
    HWND list = OpenProfileList(again);
    ASSERT_NE(nullptr, list);
    ASSERT_TRUE(PumpUntil([&] { return ItemCount(list) > 0; }, kTimeoutMs));
    EXPECT_EQ(1, ItemCount(list));
    EXPECT_TRUE(ExitFromTray(again));
}
