// The real program's site survey as a user meets it: the tab lists the networks of the default
// world, and choosing one and pressing Connect brings its link up.
#include <gtest/gtest.h>
#include "program/ProgramWindows.h"
#include "program/WizardDriver.h"
#include "support/FakeNotificationArea.h"
#include "support/TestSupport.h"

#include <cstdio>
#include <string>
#include <vector>

using namespace testing_support;
using namespace program_windows;

namespace {
constexpr DWORD kTimeoutMs = 20000;
constexpr int kSsidColumn = 1;
constexpr char kStartUpReconnect[] = "QXWL_SetWLANProfile(Default,";  // of the default profile, 4 s after start
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
    ChildProcess program(ProgramCommand(), BinFolder());
    HWND main = WaitForMainWindow(program.Id());
    ASSERT_TRUE(main);
    // The start-up's own reconnect would replace an earlier choice.
    ASSERT_NE(std::string::npos, WaitForJournal(journal, kStartUpReconnect)) << ReadWholeFile(journal);

    // The tab's scan ends with the six networks in name order, the hidden one by its placeholder.
    const size_t journalBefore = ReadWholeFile(journal).size();
    HWND list = wizard_driver::OpenSurvey(main, journal, journalBefore);
    ASSERT_TRUE(list);
    RemoteList rows(list);
    ASSERT_TRUE(rows.Usable());
    EXPECT_EQ((std::vector<std::string>{EnglishText("IDS_HIDDENSSID"), "Quixen-Corp", "Quixen-N300", "Quixen-Open",
                                        "Quixen-WEP", "Quixen-WPA2"}),
              rows.Column(kSsidColumn));

    ASSERT_TRUE(wizard_driver::ConnectInSurvey(main, list, "Quixen-Open", journal, journalBefore));
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
