// The real program in access-point mode on the soft-AP library: a pre-shared key that is too
// short is refused on the skinned configuration page, and nothing reaches the library.
#include <gtest/gtest.h>
#include "support/FakeNotificationArea.h"
#include "support/TestSupport.h"

#include <string>

using namespace testing_support;

namespace {
constexpr DWORD kTimeoutMs = 20000;
constexpr int kTabConfiguration = 8005;
constexpr int kSecurityType = 2720, kPreSharedKey = 2739, kSave = 2740;
constexpr int kWpa2Psk = 3;
constexpr int kMessageBoxText = 0xFFFF;

struct ControlSearch {
    int id;
    HWND found;
};

BOOL CALLBACK FindVisibleControl(HWND child, LPARAM lParam)
{
    auto* search = reinterpret_cast<ControlSearch*>(lParam);
    if (::GetDlgCtrlID(child) == search->id && ::IsWindowVisible(child)) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

HWND VisibleControl(HWND main, int id)
{
    ControlSearch search{id, nullptr};
    ::EnumChildWindows(main, FindVisibleControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

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
    std::string command = "\"";
    command += BinFolder();
    command += "KPL4471.exe\"";
    ChildProcess program(command, BinFolder());
    HWND main = WaitForWindow("#32770", EnglishText("IDS_QUIXEN_CONFIG_TITLE").c_str(), program.Id(), kTimeoutMs);
    ASSERT_TRUE(main);
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(main) != FALSE; }, kTimeoutMs));

    HWND tab = ::GetDlgItem(main, kTabConfiguration);
    ::PostMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::PostMessageA(tab, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    HWND security = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (security = VisibleControl(main, kSecurityType)) != nullptr; }, kTimeoutMs));
    HWND page = ::GetParent(security);
    ::SendMessageA(security, CB_SETCURSEL, kWpa2Psk, 0);
    ::SendMessageA(page, WM_COMMAND, MAKEWPARAM(kSecurityType, CBN_SELCHANGE), reinterpret_cast<LPARAM>(security));
    HWND psk = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (psk = VisibleControl(main, kPreSharedKey)) != nullptr; }, kTimeoutMs));
    ::SendMessageA(psk, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("short"));
    HWND save = ::GetDlgItem(page, kSave);
    ASSERT_TRUE(::IsWindowEnabled(save));
    // The library's journal is live: start-up's calls are in it.
    const std::string before = ReadWholeFile(journal);
    ASSERT_NE(before.find("QXAP_"), std::string::npos);
    const size_t journalBefore = before.size();
    ::PostMessageA(page, WM_COMMAND, MAKEWPARAM(kSave, BN_CLICKED), reinterpret_cast<LPARAM>(save));

    HWND box = WaitForWindow("#32770", "KPL4471", program.Id(), kTimeoutMs);
    ASSERT_TRUE(box);
    char text[256] = "";
    ::GetDlgItemTextA(box, kMessageBoxText, text, sizeof text);
    EXPECT_EQ(EnglishText("IDS_MSG_PREKEY_ERROR"), text);
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    PumpFor(500);
    const std::string calls = ReadWholeFile(journal).substr(journalBefore);
    EXPECT_EQ(calls.find("QXAP_WriteandSetConfigData"), std::string::npos) << calls;
}
