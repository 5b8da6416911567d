// The main window's prompts as a user meets them in the real program: each comes where it can be
// seen, takes its answer there and refuses what a profile cannot hold; the one-time password
// prompt, closed by another request, no longer holds the program back.
#include <gtest/gtest.h>
#include "program/WizardDriver.h"
#include "support/FakeNotificationArea.h"

#include <string>

using namespace testing_support;
using namespace wizard_driver;
using program_windows::ExitFromTray;
using program_windows::FindControl;
using program_windows::UserCanSee;
using program_windows::PressButton;

namespace {
constexpr int kMessageBoxText = 0xFFFF;
constexpr int kPromptOk = 1331, kPromptCancel = 1372;
constexpr int kPromptIdentity = 2403, kPromptPassword = 2405;
constexpr int kReloginIdentity = 1036, kReloginPassword = 1037;
constexpr int kApModeButton = 8012, kStationModeButton = 8013;
constexpr int kApSsid = 2752;       // the access-point status page
constexpr int kStationSsid = 1112;  // the link information page

class PromptsEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ForgetProfileStore();
        ::DeleteFileA(journal.c_str());
    }
    void TearDown() override
    {
        program.reset();
        ::DeleteFileA(worldFile.c_str());
        ::DeleteFileA(journal.c_str());
        ForgetProfileStore();
    }
    // The world, then the program started on it with its main window up.
    void Start(const std::string& worldKeys, const std::string& sections = "")
    {
        ScopedFile(worldFile, "[World]\nJournal=" + journal + "\n" + worldKeys + sections).Keep();
        program = std::make_unique<ChildProcess>(ProgramCommand(), BinFolder());
        main = program_windows::WaitForMainWindow(program->Id());
        ASSERT_TRUE(main);
    }
    size_t JournalSize() { return ReadWholeFile(journal).size(); }
    bool Journalled(const std::string& text, size_t from = 0)
    {
        return PumpUntil([&] { return ReadWholeFile(journal).find(text, from) != std::string::npos; }, kTimeoutMs);
    }
    // The control of that id once a person can see it.
    HWND SeenControl(int id)
    {
        HWND control = nullptr;
        PumpUntil([&] { return (control = FindControl(main, id)) && UserCanSee(control); }, kTimeoutMs);
        return control;
    }
    // A prompt is seen whole: the dialog, the entry and both buttons.
    static void ExpectSeenWithItsButtons(HWND entry)
    {
        HWND prompt = ::GetParent(entry);
        for (HWND window : {prompt, entry, ::GetDlgItem(prompt, kPromptOk), ::GetDlgItem(prompt, kPromptCancel)}) {
            std::string why;
            EXPECT_TRUE(UserCanSee(window, &why)) << ::GetDlgCtrlID(window) << ": " << why;
        }
    }
    // A button pressed without waiting for it: what it opens may be a message box.
    static void PressLater(HWND dialog, int id) { ::PostMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
    // The program's message box, seen, answered with OK; its text, empty when none came.
    std::string AnswerBox()
    {
        HWND box = WaitForWindow("#32770", "KPL4471", program->Id(), kTimeoutMs);
        if (!box) return "";
        std::string why;
        PumpUntil([&] { return UserCanSee(box); }, kTimeoutMs);  // a box is made, then shown
        EXPECT_TRUE(UserCanSee(box, &why)) << why;
        char text[256] = "";
        ::GetDlgItemTextA(box, kMessageBoxText, text, sizeof text);
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        PumpUntil([&] { return !::IsWindow(box); }, kTimeoutMs);
        return text;
    }

    std::string worldFile = BinFolder() + "QxSimWorld.ini";
    std::string journal = BinFolder() + "PromptsJournal.txt";
    std::unique_ptr<ChildProcess> program;
    HWND main = nullptr;
};
}  // namespace

TEST_F(PromptsEndToEnd, TheHiddenNetworksNamePromptIsSeenAndRefusesANameNoSsidHolds)
{
    FakeNotificationArea tray;
    Start("OsCode=12\n");
    ASSERT_TRUE(ConnectFromSurvey(main, EnglishText("IDS_HIDDENSSID"), journal));
    HWND name = SeenControl(kHiddenSsidEdit);
    ASSERT_TRUE(name);
    ExpectSeenWithItsButtons(name);

    const size_t before = JournalSize();
    const std::string tooLong(33, 'n');
    ::SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(tooLong.c_str()));  // pasted
    PressLater(::GetParent(name), kPromptOk);
    EXPECT_EQ("Enter no more than 32 characters.", AnswerBox());
    // The prompt stays for the user to correct; nothing was asked of the network, not even after
    // the program's next status poll.
    EXPECT_TRUE(UserCanSee(name));
    EXPECT_TRUE(program_windows::WaitForStatusPolls(journal, JournalSize()));
    EXPECT_EQ(std::string::npos, ReadWholeFile(journal).find("ssid=" + tooLong.substr(0, 32), before));

    SendAndWait(::GetDlgItem(::GetParent(name), kPromptCancel), BM_CLICK, 0, 0);
    EXPECT_FALSE(::IsWindowVisible(name));
    EXPECT_TRUE(ExitFromTray(*program));
}

TEST_F(PromptsEndToEnd, TheReloginPromptIsSeenAndItsAccountConnects)
{
    FakeNotificationArea tray;
    // The stored account is refused by the corporate network's server.
    Start("OsCode=12\nConnectDelayMs=200\n", "[Profile1]\nName=Quixen-Corp\nSsid=Quixen-Corp\nSecurity=WPA2\n"
                                               "EapMethod=PEAP\nIdentity=guest\nPassword=guess\nActive=1\n");
    HWND identity = SeenControl(kReloginIdentity);
    ASSERT_TRUE(identity) << ReadWholeFile(journal);
    ExpectSeenWithItsButtons(identity);
    EXPECT_EQ(identity, program_windows::WaitForKeyboardFocus(main, identity));
    HWND prompt = ::GetParent(identity);
    ::SendMessageA(identity, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("user"));
    ::SendMessageA(::GetDlgItem(prompt, kReloginPassword), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("password"));
    SendAndWait(::GetDlgItem(prompt, kPromptOk), BM_CLICK, 0, 0);
    EXPECT_TRUE(Journalled("SIM link up Quixen-Corp")) << ReadWholeFile(journal);
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindowVisible(identity); }, kTimeoutMs));
    EXPECT_TRUE(ExitFromTray(*program));
}

TEST_F(PromptsEndToEnd, TheOneTimePasswordPromptClosedByTheSurveysConnectHoldsNothingBack)
{
    FakeNotificationArea tray;
    // The prompt belongs to the systems before Vista, whose supplicant is the utility's own.
    Start("OsCode=9\nConnectDelayMs=200\n",
          "[Network1]\nSsid=Quixen-Token\nBssid=00:1A:2B:44:71:21\nChannel=6\nSecurity=WPA2\nEapMethod=PEAP\n"
          "Tunnel=GTC\nIdentity=alice\nPassword=739104\nOneTimePassword=1\n"
          "[Network2]\nSsid=Quixen-Open\nBssid=00:1A:2B:44:71:22\nChannel=1\nSecurity=Open\n"
          "[Profile1]\nName=Token\nSsid=Quixen-Token\nSecurity=WPA2\nEapMethod=PEAP\nTunnel=GTC\nIdentity=alice\n"
          "Active=1\n");
    HWND password = SeenControl(kPromptPassword);
    ASSERT_TRUE(password) << ReadWholeFile(journal);
    ExpectSeenWithItsButtons(password);
    EXPECT_EQ("alice", program_windows::ItemText(::GetParent(password), kPromptIdentity));

    // The user would rather join the open network: the survey's Connect takes the prompt away.
    const size_t before = JournalSize();
    ASSERT_TRUE(ConnectFromSurvey(main, "Quixen-Open", journal));
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindowVisible(password); }, kTimeoutMs));
    EXPECT_TRUE(Journalled("SIM link up Quixen-Open", before)) << ReadWholeFile(journal).substr(before);

    // Nothing waits for the prompt any more: the modes switch there and back.
    PressButton(main, kApModeButton);
    EXPECT_TRUE(PumpUntil([&] { return program_windows::WindowWith(main, 0, kApSsid) != nullptr; }, kTimeoutMs));
    const size_t switched = JournalSize();
    PressButton(main, kStationModeButton);
    EXPECT_TRUE(PumpUntil([&] { return program_windows::WindowWith(main, 0, kStationSsid) != nullptr; }, kTimeoutMs));
    // Back in station mode the profile in use is connected again, and may ask again before it
    // goes to the library: in a window the user can use.
    HWND again = nullptr;
    bool asked = false;
    EXPECT_TRUE(PumpUntil([&] {
        asked = (again = FindControl(main, kPromptPassword)) && UserCanSee(again);
        return asked || ReadWholeFile(journal).find("ssid=Quixen-Token", switched) != std::string::npos;
    }, kTimeoutMs)) << ReadWholeFile(journal).substr(switched);
    if (asked) {
        EXPECT_TRUE(::IsWindowEnabled(main));
    }
    EXPECT_TRUE(ExitFromTray(*program));
}

TEST_F(PromptsEndToEnd, ExitWhileThePasswordPromptWaitsEndsTheProgramCleanly)
{
    FakeNotificationArea tray;
    Start("OsCode=9\nConnectDelayMs=200\n",
          "[Network1]\nSsid=Quixen-Token\nBssid=00:1A:2B:44:71:21\nChannel=6\nSecurity=WPA2\nEapMethod=PEAP\n"
          "Tunnel=GTC\nIdentity=alice\nPassword=739104\nOneTimePassword=1\n"
          "[Profile1]\nName=Token\nSsid=Quixen-Token\nSecurity=WPA2\nEapMethod=PEAP\nTunnel=GTC\nIdentity=alice\n"
          "Active=1\n");
    ASSERT_TRUE(SeenControl(kPromptPassword)) << ReadWholeFile(journal);
    DWORD exitCode = 1;
    ASSERT_TRUE(ExitFromTray(*program));
    ASSERT_TRUE(program->WaitForExit(0, &exitCode));
    EXPECT_EQ(0u, exitCode);
}

TEST_F(PromptsEndToEnd, TheProfilePagesRefuseAnSsidNoProfileHolds)
{
    FakeNotificationArea tray;
    Start("OsCode=12\n");
    ASSERT_TRUE(AddProfileFromList(main));
    HWND ssid = SeenControl(kCtrlSsid);
    ASSERT_TRUE(ssid);
    HWND page = ::GetParent(ssid);
    ::SendMessageA(::GetDlgItem(page, kCtrlName), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Travel"));
    ::SendMessageA(ssid, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(std::string(33, 's').c_str()));  // pasted
    PressLater(page, kCtrlNext);
    EXPECT_EQ(EnglishText("IDS_SSIDLENGTH"), AnswerBox());
    // The road stops on the page: no wizard, and the profile is nowhere stored.
    EXPECT_TRUE(UserCanSee(ssid));
    EXPECT_EQ(nullptr, Control(main, kTypeList));
    EXPECT_TRUE(ExitFromTray(*program));
    const std::string store = BinFolder() + "QxWLProfiles.dat";
    EXPECT_EQ(std::string::npos, (FileExists(store) ? ReadWholeFile(store) : std::string()).find("Travel"));
}
