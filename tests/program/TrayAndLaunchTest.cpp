// The real program under Wine: what a user sees of it from outside.
#include <gtest/gtest.h>
#include "support/FakeNotificationArea.h"
#include "support/TestSupport.h"

#include <mutex>
#include <string>
#include <vector>

using namespace testing_support;

namespace {
constexpr DWORD kStartTimeoutMs = 20000;
constexpr char kHiddenCaption[] = "Quixen Utility";

class RealProgram : public ::testing::Test {
protected:
    void SetUp() override { ForgetProfileStore(); }
    void TearDown() override
    {
        ::DeleteFileA(worldFile.c_str());
        ForgetProfileStore();
    }
    void World(const std::string& text) { ScopedFile(worldFile, text).Keep(); }
    std::string worldFile = BinFolder() + "QxSimWorld.ini";
};
}  // namespace

TEST_F(RealProgram, AnAdapterNotLinkedShowsTheLostIconsTooltip)
{
    FakeNotificationArea tray;
    ASSERT_TRUE(tray.Exists());
    World("[World]\nOsCode=12\n");
    ChildProcess program(ProgramCommand(), BinFolder());
    EXPECT_TRUE(tray.WaitForTip(NIM_ADD, EnglishText("IDS_QUIXEN_NOTEXIST"), kStartTimeoutMs));
    EXPECT_TRUE(tray.WaitForTip(NIM_MODIFY, EnglishText("IDS_QUIXEN_LOST"), kStartTimeoutMs));
}

TEST_F(RealProgram, SecondStartBringsTheMainWindowBack)
{
    FakeNotificationArea tray;
    World("[World]\nOsCode=12\n");
    const std::string title = EnglishText("IDS_QUIXEN_CONFIG_TITLE");
    ChildProcess first(ProgramCommand(), BinFolder());
    HWND main = WaitForWindow("#32770", title.c_str(), first.Id(), kStartTimeoutMs);
    ASSERT_TRUE(main);
    // Closing the main window only hides it.
    ::SendMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindowVisible(main));
    // The adapter counts as present from the first polling tick on, which refreshes the icon.
    ASSERT_TRUE(PumpUntil([&] { return tray.Requests() >= 3; }, kStartTimeoutMs));

    ChildProcess second(ProgramCommand(), BinFolder());
    EXPECT_TRUE(second.WaitForExit(kStartTimeoutMs));
    EXPECT_TRUE(PumpUntil([&] { return ::IsWindowVisible(main) != FALSE; }, kStartTimeoutMs));
    EXPECT_EQ(1, CountTopLevelWindows(kHiddenCaption));
}

TEST_F(RealProgram, MissingStationLibraryNamesItsPathAndEnds)
{
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "kpl_nostation\\";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    for (const char* file : {"KPL4471.exe", "KelvoIMG.dll"})
        ASSERT_TRUE(::CopyFileA((BinFolder() + file).c_str(), (folder + file).c_str(), FALSE));

    ChildProcess program("\"" + folder + "KPL4471.exe\"", folder);
    HWND box = WaitForWindow("#32770", "Load dll fail", program.Id(), kStartTimeoutMs);
    ASSERT_TRUE(box);
    char text[MAX_PATH] = "";
    ::GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    EXPECT_STREQ((folder + "QxWLAPI.dll").c_str(), text);
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(program.WaitForExit(kStartTimeoutMs));
    EXPECT_EQ(0, CountTopLevelWindows(kHiddenCaption));

    for (const char* file : {"KPL4471.exe", "KelvoIMG.dll"}) ::DeleteFileA((folder + file).c_str());
    ::RemoveDirectoryA(folder.c_str());
}

TEST_F(RealProgram, TrayExitEndsTheProgramAndTakesItsIconAway)
{
    FakeNotificationArea tray;
    ASSERT_TRUE(tray.Exists());
    World("[World]\nOsCode=12\n");
    ChildProcess program(ProgramCommand(), BinFolder());
    HWND hidden = WaitForWindow("#32770", kHiddenCaption, program.Id(), kStartTimeoutMs);
    ASSERT_TRUE(hidden);
    ASSERT_TRUE(tray.WaitForRequest(NIM_ADD, kStartTimeoutMs));

    constexpr WPARAM kTrayExit = 32961;
    ::PostMessageA(hidden, WM_COMMAND, kTrayExit, 0);
    DWORD exitCode = STILL_ACTIVE;
    // The program's tray requests are sent to this thread: it pumps while it waits.
    ASSERT_TRUE(PumpUntil([&] { return program.WaitForExit(0, &exitCode); }, kStartTimeoutMs));
    EXPECT_EQ(0u, exitCode);
    EXPECT_TRUE(tray.WaitForRequest(NIM_DELETE, kStartTimeoutMs));
    EXPECT_EQ(0, CountTopLevelWindows(kHiddenCaption));
}
