// The real program's site survey as a user meets it: the tab lists the networks of the default
// world, and choosing one and pressing Connect brings its link up.
#include <gtest/gtest.h>
#include "program/ProgramWindows.h"
#include "support/FakeNotificationArea.h"
#include "support/TestSupport.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace testing_support;
using namespace program_windows;

namespace {
constexpr DWORD kTimeoutMs = 20000;
constexpr int kTabSiteSurvey = 8005;
constexpr int kSurveyList = 1014, kSurveyConnect = 1016;
constexpr int kSsidColumn = 1;
constexpr LONG kStartUpReconnectMs = 5000;
constexpr int kLinkStatusLine = 1212;  // of the link-status dialog in the main window's classic area

class SiteSurveyEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ForgetProfileStore();
        ::DeleteFileA(journal.c_str());
        ScopedFile(worldFile, "[World]\nOsCode=12\nJournal=" + journal + "\n").Keep();
    }
    void TearDown() override
    {
        ::DeleteFileA(worldFile.c_str());
        ::DeleteFileA(journal.c_str());
        ForgetProfileStore();
    }
    std::string worldFile = BinFolder() + "QxSimWorld.ini";
    std::string journal = BinFolder() + "SurveyJournal.txt";
};
}  // namespace

TEST_F(SiteSurveyEndToEnd, ListsTheDefaultWorldAndConnectsTheChosenOpenNetwork)
{
    FakeNotificationArea tray;
    const DWORD started = ::GetTickCount();
    ChildProcess program(ProgramCommand(), BinFolder());
    HWND main = WaitForMainWindow(program.Id());
    ASSERT_TRUE(main);

    Click(::GetDlgItem(main, kTabSiteSurvey));
    HWND list = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (list = FindControl(main, kSurveyList)) != nullptr; }, kTimeoutMs));
    RemoteList rows(list);
    ASSERT_TRUE(rows.Usable());
    // The scan ends with the six networks in name order, the hidden one by its placeholder.
    ASSERT_TRUE(PumpUntil([&] { return rows.Count() == 6 && rows.Text(0, kSsidColumn) != EnglishText("IDS_VAL_SEARCHING"); },
                          kTimeoutMs));
    const std::vector<std::string> names = rows.Column(kSsidColumn);
    EXPECT_EQ((std::vector<std::string>{EnglishText("IDS_HIDDENSSID"), "Quixen-Corp", "Quixen-N300", "Quixen-Open",
                                        "Quixen-WEP", "Quixen-WPA2"}),
              names);

    // The start-up's own reconnect (4 seconds after start) would replace an earlier choice.
    PumpFor(std::max<LONG>(0, kStartUpReconnectMs - static_cast<LONG>(::GetTickCount() - started)));
    const size_t journalBefore = ReadWholeFile(journal).size();
    const int open = static_cast<int>(std::find(names.begin(), names.end(), "Quixen-Open") - names.begin());
    rows.Select(open);
    HWND page = ::GetParent(list);
    PressButton(page, kSurveyConnect);
    // The chosen network is asked for by its own record, and its link comes up: the link-status
    // line names it (cut to ten characters) beside its access point.
    EXPECT_TRUE(PumpUntil([&] {
        return ReadWholeFile(journal).find("ssid=Quixen-Open, auth=0, encry=1", journalBefore) != std::string::npos;
    }, kTimeoutMs));
    HWND statusLine = nullptr;
    EXPECT_TRUE(PumpUntil([&] {
        statusLine = statusLine ? statusLine : FindControl(main, kLinkStatusLine, false);
        char text[128] = "";
        if (statusLine) ::GetWindowTextA(statusLine, text, sizeof text);
        return std::string(text).rfind("Quixen-Ope.. <--> 00-1A-2B-44-71-01", 0) == 0;
    }, kTimeoutMs));
    // The tray tip names the network the program is linked to.
    char tip[128] = "";
    snprintf(tip, sizeof tip, EnglishText("IDS_QUIXEN_GOOD").c_str(), "Quixen-Open");
    EXPECT_TRUE(tray.WaitForTip(NIM_MODIFY, tip, kTimeoutMs)) << tip;
    if (HasFailure()) printf("Calls after Connect:\n%s\n", ReadWholeFile(journal).substr(journalBefore).c_str());
}
