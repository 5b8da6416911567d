// The real program in access-point mode on the soft-AP library: a pre-shared key that is too
// short is refused on the skinned configuration page, and nothing reaches the library.
#include <gtest/gtest.h>
#include "program/ProgramWindows.h"
#include "support/FakeNotificationArea.h"
#include "support/TestSupport.h"

#include <string>

using namespace testing_support;
using namespace program_windows;

namespace {
constexpr DWORD kTimeoutMs = 20000;
constexpr int kTabConfiguration = 8005;
constexpr int kSecurityType = 2720, kPreSharedKey = 2739, kSave = 2740;
constexpr int kWpa2Psk = 3;
constexpr int kMessageBoxText = 0xFFFF;

class ApConfigEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ForgetProfileStore();
        ::DeleteFileA(journal.c_str());
        ScopedFile(stationWorld, "[World]\nOsCode=10\nOpMode=1\n").Keep();
        ScopedFile(apWorld, "[World]\nJournal=" + journal + "\n").Keep();
    }
    void TearDown() override
    {
        for (const std::string& file : {stationWorld, apWorld, journal}) ::DeleteFileA(file.c_str());
        ForgetProfileStore();
    }
    std::string stationWorld = BinFolder() + "QxSimWorld.ini";
    std::string apWorld = BinFolder() + "QxSimAp.ini";
    std::string journal = BinFolder() + "ApConfigJournal.txt";
};
}  // namespace

TEST_F(ApConfigEndToEnd, SoftApPageRefusesAShortKeyAndWritesNothing)
{
    FakeNotificationArea tray;
    ChildProcess program(ProgramCommand(), BinFolder());
    HWND main = WaitForMainWindow(program.Id());
    ASSERT_TRUE(main);

    Click(::GetDlgItem(main, kTabConfiguration));
    HWND security = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (security = FindControl(main, kSecurityType)) != nullptr; }, kTimeoutMs));
    HWND page = ::GetParent(security);
    ::SendMessageA(security, CB_SETCURSEL, kWpa2Psk, 0);
    ::SendMessageA(page, WM_COMMAND, MAKEWPARAM(kSecurityType, CBN_SELCHANGE), reinterpret_cast<LPARAM>(security));
    HWND psk = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (psk = FindControl(main, kPreSharedKey)) != nullptr; }, kTimeoutMs));
    ::SendMessageA(psk, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("short"));
    HWND save = ::GetDlgItem(page, kSave);
    ASSERT_TRUE(::IsWindowEnabled(save));
    // The library's journal is live: start-up's calls are in it.
    const std::string before = ReadWholeFile(journal);
    ASSERT_NE(before.find("QXAP_"), std::string::npos);
    const size_t journalBefore = before.size();
    PressButton(page, kSave);

    HWND box = WaitForWindow("#32770", "KPL4471", program.Id(), kTimeoutMs);
    ASSERT_TRUE(box);
    ASSERT_TRUE(WaitUntilSeen(box)) << DescribePlace(box);
    char text[256] = "";
    ::GetDlgItemTextA(box, kMessageBoxText, text, sizeof text);
    EXPECT_EQ(EnglishText("IDS_MSG_PREKEY_ERROR"), text);
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(box); }, kTimeoutMs));
    // Nothing reaches the library once the box is answered, by the program's next poll of the
    // access point either.
    EXPECT_TRUE(WaitForTicks(journal, kApPollLine, ReadWholeFile(journal).size()));
    const std::string calls = ReadWholeFile(journal).substr(journalBefore);
    EXPECT_EQ(calls.find("QXAP_WriteandSetConfigData"), std::string::npos) << calls;
}
