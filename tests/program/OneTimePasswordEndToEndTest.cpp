// The real program on a network whose authentication server asks for a one-time password: the
// main window shows its password prompt for the profile in use, and the password typed there
// is the one the connection authenticates with.
#include <gtest/gtest.h>
#include "program/ProgramWindows.h"
#include "support/FakeNotificationArea.h"
#include "support/TestSupport.h"

#include <string>

using namespace testing_support;
using namespace program_windows;

namespace {
constexpr DWORD kTimeoutMs = 20000;
constexpr int kPromptIdentity = 2403, kPromptPassword = 2405, kPromptOk = 1331;
constexpr LRESULT kCredentialChars = 127;  // what the profile record holds, without its terminator

class OneTimePasswordEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ForgetProfileStore();
        ::DeleteFileA(journal.c_str());
        // The prompt belongs to the systems before Vista, whose supplicant is the utility's own.
        ScopedFile(worldFile, "[World]\nOsCode=9\nConnectDelayMs=200\nJournal=" + journal + "\n"
                              "[Network1]\nSsid=Quixen-Token\nBssid=00:1A:2B:44:71:21\nChannel=6\nSecurity=WPA2\n"
                              "EapMethod=PEAP\nTunnel=GTC\nIdentity=alice\nPassword=739104\nOneTimePassword=1\n"
                              "[Profile1]\nName=Token\nSsid=Quixen-Token\nSecurity=WPA2\nEapMethod=PEAP\nTunnel=GTC\n"
                              "Identity=alice\nActive=1\n")
            .Keep();
    }
    void TearDown() override
    {
        ::DeleteFileA(worldFile.c_str());
        ::DeleteFileA(journal.c_str());
        ForgetProfileStore();
    }
    bool Journalled(const std::string& line) { return ReadWholeFile(journal).find(line) != std::string::npos; }

    std::string worldFile = BinFolder() + "QxSimWorld.ini";
    std::string journal = BinFolder() + "TokenJournal.txt";
};
}  // namespace

TEST_F(OneTimePasswordEndToEnd, PromptOfTheMainWindowTakesThePasswordAndTheLinkComesUp)
{
    FakeNotificationArea tray;
    ChildProcess program(ProgramCommand(), BinFolder());
    HWND main = WaitForWindow("#32770", EnglishText("IDS_QUIXEN_CONFIG_TITLE").c_str(), program.Id(), kTimeoutMs);
    ASSERT_TRUE(main);

    // The start-up's connect of the profile in use asks first, over the main window's page, and
    // brings that window up: a prompt in a hidden window, or below it, would wait unseen.
    HWND prompt = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        prompt = WindowWith(main, 0, kPromptPassword);
        return prompt && ItemText(prompt, kPromptIdentity) == "alice" && UserCanSee(prompt);
    }, kTimeoutMs)) << ReadWholeFile(journal);
    EXPECT_TRUE(::IsWindowVisible(main));
    EXPECT_EQ("", ItemText(prompt, kPromptPassword));
    // The keys the user types go to the empty password, not to the page beneath.
    EXPECT_EQ(::GetDlgItem(prompt, kPromptPassword), WaitForKeyboardFocus(main, ::GetDlgItem(prompt, kPromptPassword)));
    for (int id : {kPromptIdentity, kPromptPassword})
        EXPECT_EQ(kCredentialChars, ::SendMessageA(::GetDlgItem(prompt, id), EM_GETLIMITTEXT, 0, 0));
    // Nothing is sent to the network while the prompt waits, through two refreshes of the page below it.
    EXPECT_TRUE(WaitForTicks(journal, kLinkStatusRefreshLine, ReadWholeFile(journal).size(), 2));
    EXPECT_FALSE(Journalled("QXWL_SetWLANProfile(Token"));

    // Before Vista the start-up connects the profile more than once (its main window, then the
    // card set-up): those connects wait for the one answer and take it, and the token, spent
    // once the server accepts it, is asked for once.
    std::string why;
    EXPECT_TRUE(UserCanSee(::GetDlgItem(prompt, kPromptOk), &why)) << why;
    const size_t answered = ReadWholeFile(journal).size();
    ::SetDlgItemTextA(prompt, kPromptPassword, "739104");
    PressButton(prompt, kPromptOk);
    EXPECT_TRUE(PumpUntil([&] { return Journalled("SIM link up Quixen-Token"); }, kTimeoutMs))
        << ReadWholeFile(journal).substr(answered);
    // The link stays up and nothing asks again, two status polls later either.
    EXPECT_TRUE(WaitForStatusPolls(journal, ReadWholeFile(journal).size(), 2));
    EXPECT_FALSE(::IsWindowVisible(prompt));
    const std::string after = ReadWholeFile(journal).substr(answered);
    EXPECT_EQ(1u, JournalCount(journal, "QXWL_WriteIDnPasswd(alice, password)", answered)) << after;
    EXPECT_EQ(1u, JournalCount(journal, "QXWL_SetWLANProfile(Token", answered)) << after;
}
