// The real program's WPS runs driven through its windows: the adapter page's method buttons,
// the push-button and PIN dialogs, the access-point list and the run page, against the
// stand-in's access points in the world file; its journal shows what the library was asked.
#include <gtest/gtest.h>
#include "program/ProgramWindows.h"
#include "support/TestSupport.h"

#include <commctrl.h>

#include <memory>
#include <string>

using namespace testing_support;
using namespace program_windows;

namespace {
constexpr DWORD kTimeoutMs = 20000;
constexpr int kPageArea = 8002, kTabAdapter = 8007;
constexpr int kAdapterWps = 1212, kAdapterPbc = 1213, kAdapterPinAp = 1215;
constexpr int kDialogStart = 1742, kPinApEdit = 1752;
constexpr int kRunStatus = 1602, kRunSsid = 1607, kRunCancel = 1611;
constexpr int kWpsList = 1621, kWpsListNext = 1502, kWpsListSsid = 1;

struct ControlSearch {
    HWND main;
    RECT pageArea;
    int id;
    HWND found;
};

// A control of that id on a visible page of the main window's page area. The classic dialogs
// below it (the link status among them) reuse the pages' control ids.
BOOL CALLBACK FindOnVisiblePage(HWND child, LPARAM lParam)
{
    auto* search = reinterpret_cast<ControlSearch*>(lParam);
    HWND page = ::GetAncestor(child, GA_PARENT);
    RECT pageRect{};
    if (::GetDlgCtrlID(child) == search->id && page && ::IsWindowVisible(page) && ::IsWindowVisible(child) &&
        ::GetAncestor(page, GA_PARENT) == search->main && ::GetWindowRect(page, &pageRect) &&
        ::PtInRect(&search->pageArea, POINT{pageRect.left, pageRect.top})) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

std::string WindowText(HWND wnd)
{
    char text[512] = {};
    if (wnd) ::SendMessageTimeoutA(wnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 2000, nullptr);
    return text;
}

class WpsEndToEnd : public ::testing::Test {
protected:
    void TearDown() override
    {
        ::DeleteFileA(worldFile.c_str());
        ::DeleteFileA(journalFile.c_str());
        ForgetProfileStore();
    }
    // The program on the world; the first lines of extraWorld go to its [World] section.
    void StartProgram(const std::string& extraWorld = "", int stepMs = 30)
    {
        ForgetProfileStore();
        ::DeleteFileA(journalFile.c_str());
        ScopedFile(worldFile, "[World]\nOsCode=12\nScanDelayMs=100\nWpsStepMs=" + std::to_string(stepMs) + "\nJournal=" + journalFile +
                                  "\n" + extraWorld).Keep();
        program = std::make_unique<ChildProcess>(ProgramCommand(), BinFolder());
        main = WaitForMainWindow(program->Id());
        ASSERT_TRUE(main);
    }
    void Start(const std::string& extraWorld = "", int stepMs = 30)
    {
        StartProgram(extraWorld, stepMs);
        Click(::GetDlgItem(main, kTabAdapter));
        HWND wps = Control(kAdapterWps);
        ASSERT_NE(nullptr, wps);
        ::SendMessageA(wps, BM_CLICK, 0, 0);  // WPS on: the method buttons come alive
    }
    HWND Control(int id, DWORD timeoutMs = kTimeoutMs)
    {
        ControlSearch search{main, {}, id, nullptr};
        ::GetWindowRect(::GetDlgItem(main, kPageArea), &search.pageArea);
        PumpUntil([&] {
            ::EnumChildWindows(main, FindOnVisiblePage, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        }, timeoutMs);
        return search.found;
    }
    // Clicks a method button; the dialog it opens, found by its caption once a person could see
    // it: its loop shows it once it has set itself up, and would overwrite entries made before.
    HWND OpenDialog(int methodId)
    {
        HWND button = Control(methodId);
        if (!button) return nullptr;
        ::PostMessageA(button, BM_CLICK, 0, 0);
        HWND dialog = WaitForWindow("#32770", "WPS", program->Id(), kTimeoutMs);
        return dialog && WaitUntilSeen(dialog) ? dialog : nullptr;
    }
    bool StatusShows(const char* key)
    {
        const std::string expected = EnglishText(key);
        return PumpUntil([&] { return WindowText(Control(kRunStatus, 200)).find(expected) != std::string::npos; }, kTimeoutMs);
    }
    // The PIN dialog filled and started, then the one listed access point chosen.
    void RunPin(const char* pin)
    {
        HWND dialog = OpenDialog(kAdapterPinAp);
        ASSERT_NE(nullptr, dialog);
        ::SendMessageA(::GetDlgItem(dialog, kPinApEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(pin));
        ::PostMessageA(::GetDlgItem(dialog, kDialogStart), BM_CLICK, 0, 0);
        HWND list = Control(kWpsList);
        ASSERT_NE(nullptr, list);
        // The searching row, then (after the world's short scan) the one WPS access point alone.
        RemoteList rows(list);
        ASSERT_TRUE(PumpUntil([&] { return rows.Count() == 1 && rows.Text(0, kWpsListSsid) == "Quixen-WPA2"; }, kTimeoutMs))
            << rows.Count() << " rows";
        ::SetForegroundWindow(main);
        ::PostMessageA(list, WM_KEYDOWN, VK_HOME, 0);
        ::PostMessageA(list, WM_KEYUP, VK_HOME, 0);
        ASSERT_TRUE(PumpUntil([&] { return rows.Selected() == 0; }, kTimeoutMs));
        ::PostMessageA(Control(kWpsListNext), BM_CLICK, 0, 0);
    }
    std::string Journal() { return ReadWholeFile(journalFile); }
    void Exit()
    {
        EXPECT_TRUE(ExitFromTray(*program));
    }

    std::string worldFile = BinFolder() + "QxSimWorld.ini";
    std::string journalFile = BinFolder() + "WpsJournal.txt";
    std::unique_ptr<ChildProcess> program;
    HWND main = nullptr;
};
}  // namespace

TEST_F(WpsEndToEnd, PushButtonRunReceivesTheAccessPointsSettings)
{
    Start();
    HWND dialog = OpenDialog(kAdapterPbc);
    ASSERT_NE(nullptr, dialog);
    ::PostMessageA(::GetDlgItem(dialog, kDialogStart), BM_CLICK, 0, 0);
    EXPECT_TRUE(StatusShows("IDS_VAL_WPS_STATUS_TIPS_29"));
    EXPECT_TRUE(PumpUntil([&] { return WindowText(Control(kRunSsid, 200)) == "Quixen-WPA2"; }, kTimeoutMs));
    const std::string journal = Journal();
    EXPECT_NE(std::string::npos, journal.find("QXWL_SetWPSMode(0x20000000"));
    EXPECT_NE(std::string::npos, journal.find("QXWL_WriteWPSProfile(0x0, 1)"));
    // Saved through the profile editor as "WPS_Profile_<n>".
    EXPECT_NE(std::string::npos, journal.find("QXWL_WriteProfile(WPS_Profile_0")) << journal;
    Exit();
}

TEST_F(WpsEndToEnd, HardwareButtonPressedRightAfterStartShowsThePushButtonRun)
{
    StartProgram("WpsHwPbcPresses=1\n");
    // No WPS page was opened: the press alone brings the run page up and the run to its end.
    HWND status = Control(kRunStatus);
    ASSERT_NE(nullptr, status);
    EXPECT_TRUE(WaitUntilSeen(status));
    EXPECT_TRUE(StatusShows("IDS_VAL_WPS_STATUS_TIPS_29"));
    EXPECT_TRUE(PumpUntil([&] { return WindowText(Control(kRunSsid, 200)) == "Quixen-WPA2"; }, kTimeoutMs));
    EXPECT_NE(std::string::npos, Journal().find("QXWL_SetWPSMode(0x20000000")) << Journal();
    Exit();
}

TEST_F(WpsEndToEnd, PinRunSucceedsWithTheAccessPointsPinAndSaysSoWithAWrongOne)
{
    Start();
    RunPin("12345670");
    EXPECT_TRUE(StatusShows("IDS_VAL_WPS_STATUS_TIPS_29"));
    EXPECT_NE(std::string::npos, Journal().find("QXWL_SetWPSMode(0x10000000, Quixen-WPA2, 12345670, 1)"));
    Exit();

    Start();
    RunPin("49226874");  // a valid PIN, but not this access point's
    EXPECT_TRUE(StatusShows("IDS_VAL_WPS_STATUS_TIPS_30"));
    Exit();
}

TEST_F(WpsEndToEnd, SecondPushButtonAccessPointGivesTheOverlapMessage)
{
    Start("[Network1]\nSsid=Quixen-WPA2\nSecurity=WPA2-PSK\nKey=quixen2024\nWPS=1\nWpsPbc=1\n"
          "[Network2]\nSsid=Neighbour\nChannel=6\nSecurity=WPA2-PSK\nKey=neighbour1\nWPS=1\nWpsPbc=1\n");
    HWND dialog = OpenDialog(kAdapterPbc);
    ASSERT_NE(nullptr, dialog);
    ::PostMessageA(::GetDlgItem(dialog, kDialogStart), BM_CLICK, 0, 0);
    EXPECT_TRUE(StatusShows("IDS_VAL_WPS_STATUS_TIPS_34"));
    Exit();
}

TEST_F(WpsEndToEnd, CancelMidRunStopsItAndLeavesNoWpsModeSet)
{
    Start("", 2000);  // slow steps: the run is still going when Cancel comes
    HWND dialog = OpenDialog(kAdapterPbc);
    ASSERT_NE(nullptr, dialog);
    ::PostMessageA(::GetDlgItem(dialog, kDialogStart), BM_CLICK, 0, 0);
    EXPECT_TRUE(StatusShows("IDS_VAL_WPS_STATUS_TIPS_03"));
    HWND cancel = Control(kRunCancel);
    ASSERT_NE(nullptr, cancel);
    ::PostMessageA(cancel, BM_CLICK, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return Control(kAdapterPbc, 200) != nullptr; }, kTimeoutMs));  // back on the adapter page
    const std::string journal = Journal();
    const size_t mode = journal.rfind("QXWL_SetWPSMode(");
    const size_t stop = journal.rfind("QXWL_WPSDisconnect()");
    ASSERT_NE(std::string::npos, mode);
    ASSERT_NE(std::string::npos, stop);
    EXPECT_LT(mode, stop);
    EXPECT_EQ(std::string::npos, journal.find("QXWL_SetWPSMode(", stop));
    EXPECT_EQ(std::string::npos, journal.find("QXWL_WriteWPSFlag(1)", journal.rfind("QXWL_WriteWPSFlag(0)")));
    Exit();
}
