// The real program's security wizard over the editors, as a user meets it: a client certificate
// whose blob holds zero bytes reaches the authentication server whole, a profile the library's
// store refuses is told in a box the user can see, with the summary left to try again, and a
// profile added after an abandoned edit takes nothing of the edited one.
#include <gtest/gtest.h>
#include "program/WizardDriver.h"

#include <memory>
#include <string>

using namespace testing_support;
using namespace wizard_driver;
using program_windows::UserCanSee;
using program_windows::WaitUntilSeen;

namespace {
constexpr int kTypeWpa2Psk = 3, kTypeWpa2 = 5;
constexpr int kEapTypeList = 1513, kEapTypeTls = 0;
constexpr int kTlsCertificate = 1517;
constexpr int kConfirmSecurity = 1517;  // only the summary has both this and its name
constexpr int kProfileEdit = 1134, kCtrlExit = 1408;

class EditorsEndToEnd : public ::testing::Test {
protected:
    void TearDown() override
    {
        program.reset();
        ::DeleteFileA(worldFile.c_str());
        ::DeleteFileA(journal.c_str());
        ForgetProfileStore();
    }
    void Start(const std::string& world)
    {
        ForgetProfileStore();
        ::DeleteFileA(journal.c_str());
        ScopedFile(worldFile, "[World]\nOsCode=12\nJournal=" + journal + "\n" + world).Keep();
        program = std::make_unique<ChildProcess>("\"" + BinFolder() + "KPL4471.exe\"", BinFolder());
        main = WaitForWindow("#32770", EnglishText("IDS_QUIXEN_CONFIG_TITLE").c_str(), program->Id(), kTimeoutMs);
        ASSERT_TRUE(main);
        ASSERT_TRUE(WaitUntilSeen(main));
    }
    // The control of that id once a person could see it; null when that never happens.
    HWND Seen(int id)
    {
        HWND control = WaitControl(main, id);
        return control && WaitUntilSeen(control) ? control : nullptr;
    }
    bool JournalHas(const std::string& text)
    {
        return PumpUntil([&] { return ReadWholeFile(journal).find(text) != std::string::npos; }, kTimeoutMs);
    }
    // What the program shows at the top level, for a failure's message: captions and texts.
    std::string TopLevelWindows()
    {
        TopLevel found{program ? program->Id() : 0, ""};
        ::EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&found));
        return found.text;
    }
    struct TopLevel {
        DWORD pid;
        std::string text;
    };
    static BOOL CALLBACK CollectTopLevel(HWND window, LPARAM lParam)
    {
        auto* found = reinterpret_cast<TopLevel*>(lParam);
        DWORD pid = 0;
        ::GetWindowThreadProcessId(window, &pid);
        if (pid == found->pid && ::IsWindowVisible(window))
            found->text += "[" + program_windows::Text(window) + "] " + program_windows::ItemText(window, 0xFFFF) + "\n";
        return TRUE;
    }
    bool SummaryShows()
    {
        HWND name = Control(main, kConfirmName);
        return name && ::GetDlgItem(::GetParent(name), kConfirmSecurity) && UserCanSee(name);
    }
    // The profile list's Add, then the profile control page and the wizard as a user fills
    // them for a pre-shared key profile, up to the summary.
    void AddWpa2PersonalUpToTheSummary(const char* name, const char* ssid, const char* key)
    {
        ASSERT_TRUE(AddProfileFromList(main));
        ASSERT_TRUE(Seen(kCtrlName));
        ASSERT_TRUE(Type(main, kCtrlName, name));
        ASSERT_TRUE(Type(main, kCtrlSsid, ssid));
        ASSERT_TRUE(Seen(kCtrlInfra));
        ASSERT_TRUE(Press(main, kCtrlInfra));
        ASSERT_TRUE(Press(main, kCtrlNext));
        ASSERT_TRUE(Seen(kTypeList));
        ASSERT_TRUE(Choose(main, kTypeList, kTypeWpa2Psk));
        ASSERT_TRUE(Press(main, kWizardNext));
        ASSERT_TRUE(Seen(kPskKey));
        ASSERT_TRUE(Type(main, kPskKey, key));
        ASSERT_TRUE(Press(main, kWizardNext));
        ASSERT_TRUE(PumpUntil([&] { return SummaryShows(); }, kTimeoutMs));
    }

    std::string worldFile = BinFolder() + "QxSimWorld.ini";
    std::string journal = BinFolder() + "EditorsJournal.txt";
    std::unique_ptr<ChildProcess> program;
    HWND main = nullptr;
};
}  // namespace

TEST_F(EditorsEndToEnd, AClientCertificateWithZeroBytesAuthenticatesThroughTheWizard)
{
    // The server takes the first certificate of the user's store, byte for byte, and nothing else.
    // It answers at once, so the start-up's own reconnect of its default profile cannot come between.
    Start("ConnectDelayMs=0\n[Network1]\nSsid=Corp-TLS\nSecurity=WPA2\nEapMethod=TLS\nIdentity=alice\nClientCert=0\nChannel=6\n");
    ASSERT_TRUE(ConnectFromSurvey(main, "Corp-TLS", journal));
    ASSERT_TRUE(Seen(kTypeList)) << TopLevelWindows() << ReadWholeFile(journal);
    ASSERT_TRUE(Choose(main, kTypeList, kTypeWpa2));
    ASSERT_TRUE(Seen(kWizardNext));
    ASSERT_TRUE(Press(main, kWizardNext));
    ASSERT_TRUE(Seen(kEapTypeList));
    ASSERT_TRUE(Choose(main, kEapTypeList, kEapTypeTls));
    ASSERT_TRUE(Seen(kEapLogin));
    ASSERT_TRUE(Type(main, kEapLogin, "alice"));
    HWND certificates = Seen(kTlsCertificate);
    ASSERT_TRUE(certificates);
    ASSERT_GT(::SendMessageA(certificates, CB_GETCOUNT, 0, 0), 0);
    ASSERT_TRUE(Choose(main, kTlsCertificate, 0));
    ASSERT_TRUE(Press(main, kWizardNext));
    ASSERT_TRUE(PumpUntil([&] { return SummaryShows(); }, kTimeoutMs));
    ASSERT_TRUE(Press(main, kWizardNext));  // Save: the connection goes to the library
    EXPECT_TRUE(JournalHas("ssid=Corp-TLS"));
    EXPECT_TRUE(JournalHas("SIM link up Corp-TLS")) << ReadWholeFile(journal);
}

TEST_F(EditorsEndToEnd, AProfileTheStoreRefusesIsToldAndTheSummaryStays)
{
    // A stored profile of the world's own: the start-up has no default profile to store.
    Start("ProfileStoreRefuses=1\n[Network1]\nSsid=Quixen-WPA2\nSecurity=WPA2-PSK\nKey=quixen2024\n"
          "[Profile1]\nName=Home\nSsid=Quixen-WPA2\nSecurity=WPA2-PSK\nKey=quixen2024\n");
    ASSERT_NO_FATAL_FAILURE(AddWpa2PersonalUpToTheSummary("Travel", "Quixen-WPA2", "quixen2024"));

    // Save: the box opens a loop of its own, so the click is posted.
    HWND save = Seen(kWizardNext);
    ASSERT_TRUE(save);
    ::PostMessageA(save, BM_CLICK, 0, 0);
    HWND box = WaitForWindow("#32770", "KPL4471", program->Id(), kTimeoutMs);
    ASSERT_TRUE(box);
    ASSERT_TRUE(WaitUntilSeen(box));
    EXPECT_EQ(EnglishText("IDS_PROFILE_WRITE_FAILED"), program_windows::ItemText(box, 0xFFFF));
    HWND ok = ::GetDlgItem(box, IDOK);
    ASSERT_TRUE(ok);
    ASSERT_TRUE(UserCanSee(ok));
    ::PostMessageA(ok, BM_CLICK, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindow(box); }, kTimeoutMs));

    // Nothing was stored, and the user is still on the summary, not on the done page.
    EXPECT_TRUE(JournalHas("SIM profile store refuses the change"));
    EXPECT_TRUE(SummaryShows());
    HWND later = Control(main, kDoneLater);
    EXPECT_FALSE(later && !::GetDlgItem(::GetParent(later), kConfirmSecurity));  // the done page's button
    EXPECT_FALSE(FileExists(BinFolder() + "QxWLProfiles.dat") &&
                 ReadWholeFile(BinFolder() + "QxWLProfiles.dat").find("Travel") != std::string::npos);
}

TEST_F(EditorsEndToEnd, AProfileAddedAfterAnAbandonedEditTakesNothingOfTheEditedOne)
{
    Start("[Network1]\nSsid=Quixen-Open\nSecurity=Open\n[Network2]\nSsid=Quixen-WPA2\nSecurity=WPA2-PSK\nKey=quixen2024\n"
          "[Profile1]\nName=Home\nSsid=Quixen-Open\nSecurity=Open\nActive=1\n"
          "[Profile2]\nName=Corp\nSsid=Quixen-Corp\nSecurity=WPA2\nEapMethod=FAST\nIdentity=old-user\nPassword=old-password\n");

    // Edit on the enterprise profile, then Exit: the editor keeps what it loaded.
    ClickTab(main, kTabProfile);
    HWND list = Seen(kProfileList);
    ASSERT_TRUE(list);
    RemoteList rows(list);
    int row = -1;
    ASSERT_TRUE(rows.Usable() && PumpUntil([&] { return (row = rows.Find("Corp")) >= 0; }, kTimeoutMs));
    rows.Select(row);
    HWND edit = ::GetDlgItem(::GetParent(list), kProfileEdit);
    ASSERT_TRUE(edit && WaitUntilSeen(edit));
    SendAndWait(edit, BM_CLICK, 0, 0);
    ASSERT_TRUE(Seen(kCtrlName));
    ASSERT_EQ("Corp", Text(main, kCtrlName));
    ASSERT_TRUE(Seen(kCtrlExit) && Press(main, kCtrlExit));

    ASSERT_NO_FATAL_FAILURE(AddWpa2PersonalUpToTheSummary("Travel", "Quixen-WPA2", "quixen2024"));
    ASSERT_TRUE(Press(main, kWizardNext));  // Save
    // The store holds whole records: the edited profile's account is there once, in its own.
    const std::string store = BinFolder() + "QxWLProfiles.dat";
    ASSERT_TRUE(PumpUntil([&] { return program_windows::JournalCount(store, "Travel") > 0; }, kTimeoutMs))
        << ReadWholeFile(journal);
    for (const char* text : {"old-user", "old-password"}) EXPECT_EQ(1u, program_windows::JournalCount(store, text)) << text;
}
