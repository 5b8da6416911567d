// The real program, started under Wine as a user would start it.
#include <gtest/gtest.h>
#include "base/StartupTimeline.h"
#include "program/ProgramWindows.h"
#include "support/FakeNotificationArea.h"
#include "support/TestSupport.h"

#include <shlobj.h>
#include <algorithm>
#include <string>
#include <vector>

using namespace testing_support;

namespace {
constexpr DWORD kStartTimeoutMs = 20000;
constexpr char kCaption[] = "Quixen Utility";

std::string DesktopLogPath()
{
    char desktop[MAX_PATH] = "";
    ::SHGetSpecialFolderPathA(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, FALSE);
    return std::string(desktop) + "\\KPL4471.LOG";
}

// Whether the program writes its log file for this command line (it is running when the window is up).
bool CreatesLogFile(const std::string& arguments)
{
    ::DeleteFileA(DesktopLogPath().c_str());
    ChildProcess program(ProgramCommand(arguments), BinFolder());
    EXPECT_TRUE(WaitForWindow("#32770", kCaption, program.Id(), kStartTimeoutMs)) << "for" << arguments;
    program.Kill();
    bool exists = FileExists(DesktopLogPath());
    ::DeleteFileA(DesktopLogPath().c_str());
    return exists;
}
}  // namespace

TEST(SingleInstance, SecondStartSignalsTheRunningCopyAndQuitsWithoutAWindow)
{
    // This test plays the running copy: it holds the mutex and waits on the event.
    HANDLE mutex = ::CreateMutexA(nullptr, FALSE, "VN38");
    HANDLE showEvent = ::CreateEventA(nullptr, FALSE, FALSE, "ShowUIEvent");
    ASSERT_TRUE(mutex && showEvent);

    ChildProcess second(ProgramCommand(), BinFolder());
    ASSERT_TRUE(second.Started());
    DWORD code = 0;
    EXPECT_TRUE(second.WaitForExit(kStartTimeoutMs, &code));
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(showEvent, 0));
    EXPECT_EQ(nullptr, WaitForWindow(nullptr, nullptr, second.Id(), 0));

    ::CloseHandle(showEvent);
    ::CloseHandle(mutex);
}

TEST(SingleInstance, RealSecondCopyLeavesOneRunningCopy)
{
    ChildProcess first(ProgramCommand(), BinFolder());
    ASSERT_TRUE(WaitForWindow("#32770", kCaption, first.Id(), kStartTimeoutMs));

    ChildProcess second(ProgramCommand(), BinFolder());
    EXPECT_TRUE(second.WaitForExit(kStartTimeoutMs));
    EXPECT_EQ(1, CountTopLevelWindows(kCaption));
    EXPECT_FALSE(first.WaitForExit(0));
}

TEST(StartUp, HiddenDialogNeverShows)
{
    const std::string journal = BinFolder() + "StartUpJournal.txt";
    ::DeleteFileA(journal.c_str());
    ScopedFile world(BinFolder() + "QxSimWorld.ini", "[World]\nJournal=" + journal + "\n");
    ChildProcess program(ProgramCommand(), BinFolder());
    HWND hidden = WaitForWindow("#32770", kCaption, program.Id(), kStartTimeoutMs);
    ASSERT_TRUE(hidden);
    // Its first paint, which hides it, comes before any tick of its timers: two status polls on,
    // it is still hidden.
    ASSERT_TRUE(program_windows::WaitForStatusPolls(journal, 0, 2)) << ReadWholeFile(journal);
    EXPECT_FALSE(::IsWindowVisible(hidden));
    program.Kill();
    ::DeleteFileA(journal.c_str());
}

TEST(StartUp, MissingSkinLibraryShowsOneMessageAndEnds)
{
    // A program folder without "KelvoIMG.dll".
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "kpl_noskin\\";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(::CopyFileA((BinFolder() + "KPL4471.exe").c_str(), (folder + "KPL4471.exe").c_str(), FALSE));

    ChildProcess program("\"" + folder + "KPL4471.exe\"", folder);
    HWND box = WaitForWindow("#32770", "KPL4471", program.Id(), kStartTimeoutMs);
    ASSERT_TRUE(box);
    char text[128] = "";
    ::GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    EXPECT_STREQ("Error,Img Dll do not be found", text);
    EXPECT_EQ(0, CountTopLevelWindows(kCaption));
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(program.WaitForExit(kStartTimeoutMs));
    EXPECT_EQ(0, CountTopLevelWindows(kCaption));

    ::DeleteFileA((folder + "KPL4471.exe").c_str());
    ::RemoveDirectoryA(folder.c_str());
}

TEST(DebugSwitch, OnlyAWholeCommandLineOfMinusDOpensTheLogFile)
{
    EXPECT_TRUE(CreatesLogFile(" -d"));
    EXPECT_TRUE(CreatesLogFile(" -D"));
    EXPECT_FALSE(CreatesLogFile(" -d x"));
    EXPECT_FALSE(CreatesLogFile("  -d"));  // a leading blank after the separating one
    EXPECT_FALSE(CreatesLogFile(" /d"));
    EXPECT_FALSE(CreatesLogFile(""));
}

TEST(DebugSwitch, TheLogFileGetsTheStartUpStepsTimedInTheirOrderAfterTheFirstPoll)
{
    ::DeleteFileA(DesktopLogPath().c_str());
    ChildProcess program(ProgramCommand(" -d"), BinFolder());
    std::string log;
    ASSERT_TRUE(PumpUntil([&] {
        log = ReadWholeFile(DesktopLogPath());
        return log.find("first poll done") != std::string::npos;
    }, kStartTimeoutMs));
    program.Kill();
    ::DeleteFileA(DesktopLogPath().c_str());

    const std::vector<StartupStep> steps = ParseStartupTimeline(log);
    std::vector<std::string> names;
    for (const StartupStep& step : steps) names.push_back(step.name);
    // The loading of each library, the files, the windows and the first poll, in start-up order.
    const char* const expected[] = {"skin image library loaded", "hidden dialog created", "settings file read",
                                    "station library loaded",    "language file read",    "adapter detected and selected",
                                    "main window: created from its template", "main window shown", "tray icon added",
                                    "main window painted",       "first poll started",    "first poll done"};
    size_t at = 0;
    for (const char* name : expected) {
        auto found = std::find(names.begin() + static_cast<std::ptrdiff_t>(at), names.end(), name);
        ASSERT_NE(names.end(), found) << name << " missing or out of order";
        at = static_cast<size_t>(found - names.begin());
    }
    for (size_t i = 1; i < steps.size(); ++i) EXPECT_LE(steps[i - 1].atMs, steps[i].atMs) << steps[i].name;
    EXPECT_EQ("first poll done", names.back());
}

namespace {
// A program folder of its own holding the program, the skin library and, when given, stationLibrary
// copied in as "QxWLAPI.dll".
class BrokenStationLibrary : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + "kpl_badstation\\";
        ::CreateDirectoryA(folder.c_str(), nullptr);
        ASSERT_TRUE(Copy("KPL4471.exe", "KPL4471.exe"));
        ASSERT_TRUE(Copy("KelvoIMG.dll", "KelvoIMG.dll"));
    }
    void TearDown() override
    {
        for (const char* name : {"KPL4471.exe", "KelvoIMG.dll", "QxWLAPI.dll"})
            ::DeleteFileA((folder + name).c_str());
        ::RemoveDirectoryA(folder.c_str());
    }
    bool Copy(const char* from, const char* to)
    {
        return ::CopyFileA((BinFolder() + from).c_str(), (folder + to).c_str(), FALSE) != FALSE;
    }
    // The load fails: one box naming the library's path, then a clean end once it is answered.
    void ExpectLoadFailureBoxThenCleanEnd()
    {
        ChildProcess program("\"" + folder + "KPL4471.exe\"", folder);
        HWND box = WaitForWindow("#32770", "Load dll fail", program.Id(), kStartTimeoutMs);
        ASSERT_TRUE(box);
        char text[MAX_PATH] = "";
        ::GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        EXPECT_EQ(folder + "QxWLAPI.dll", text);
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        DWORD code = STILL_ACTIVE;
        EXPECT_TRUE(program.WaitForExit(kStartTimeoutMs, &code));
        EXPECT_NE(STILL_ACTIVE, code);
    }
    std::string folder;
};
}  // namespace

// Each run's output is checked for an exception Wine let pass (the trace of started programs).
TEST_F(BrokenStationLibrary, MissingLibraryShowsItsPathAndEndsWithoutAFault)
{
    ExpectLoadFailureBoxThenCleanEnd();
}

TEST_F(BrokenStationLibrary, FileOfRandomBytesShowsItsPathAndEndsWithoutAFault)
{
    std::string bytes(4096, '\0');
    unsigned seed = 12345;
    for (char& c : bytes) c = static_cast<char>((seed = seed * 1103515245u + 12345u) >> 16);
    bytes[0] = 'M';
    bytes[1] = 'Z';  // looks like an executable at first sight
    ScopedFile(folder + "QxWLAPI.dll", bytes).Keep();
    ExpectLoadFailureBoxThenCleanEnd();
}

TEST_F(BrokenStationLibrary, LibraryWithoutExportsRunsAndExitsWithoutAFault)
{
    // No QXWL_GetWinOS, QXWL_IsEnableICS nor any other entry point.
    ASSERT_TRUE(Copy("NoExportsLib.dll", "QxWLAPI.dll"));
    FakeNotificationArea tray;
    ChildProcess program("\"" + folder + "KPL4471.exe\"", folder);
    HWND hidden = WaitForWindow("#32770", kCaption, program.Id(), kStartTimeoutMs);
    ASSERT_TRUE(hidden);
    // A few ticks of its timers: each poll finds no adapter and takes the tray icon away.
    EXPECT_TRUE(PumpUntil([&] { return tray.Count(NIM_DELETE) >= 3; }, kStartTimeoutMs));
    constexpr WPARAM kTrayExit = 32961;
    ::PostMessageA(hidden, WM_COMMAND, kTrayExit, 0);
    EXPECT_TRUE(PumpUntil([&] { return program.WaitForExit(0); }, kStartTimeoutMs));
}
