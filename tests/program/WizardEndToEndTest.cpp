// The real program's security wizard as a user meets it on the default world: protected
// networks chosen in the survey are joined through the wizard's pages, a wrong pass phrase
// never counts as a link, and the hidden network is reached through the name prompt.
#include <gtest/gtest.h>
#include "program/WizardDriver.h"
#include "support/FakeNotificationArea.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>

using namespace testing_support;
using namespace wizard_driver;

namespace {
constexpr LONG kStartUpReconnectMs = 5000;
constexpr int kLinkStatusLine = 1212;
constexpr int kTypeWpa2Psk = 3, kTypeWpa2 = 5;
constexpr int kHiddenOk = 1331;

class WizardEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ForgetProfileStore();
        ::DeleteFileA(journal.c_str());
        ScopedFile(worldFile, "[World]\nOsCode=12\nJournal=" + journal + "\n").Keep();
        const DWORD started = ::GetTickCount();
        program = std::make_unique<ChildProcess>("\"" + BinFolder() + "KPL4471.exe\"", BinFolder());
        main = WaitForWindow("#32770", EnglishText("IDS_QUIXEN_CONFIG_TITLE").c_str(), program->Id(), kTimeoutMs);
        ASSERT_TRUE(main);
        ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(main) != FALSE; }, kTimeoutMs));
        // The start-up's own reconnect would replace an earlier choice.
        PumpFor(std::max<LONG>(0, kStartUpReconnectMs - static_cast<LONG>(::GetTickCount() - started)));
    }
    void TearDown() override
    {
        program.reset();
        ::DeleteFileA(worldFile.c_str());
        ::DeleteFileA(journal.c_str());
        ForgetProfileStore();
    }
    bool JournalHas(const std::string& text, size_t from, DWORD timeoutMs = kTimeoutMs)
    {
        return PumpUntil([&] { return ReadWholeFile(journal).find(text, from) != std::string::npos; }, timeoutMs);
    }
    bool LinkedTo(const std::string& shownName, DWORD timeoutMs)
    {
        return PumpUntil([&] {
            char text[128] = "";
            if (HWND line = Control(main, kLinkStatusLine, false)) ::GetWindowTextA(line, text, sizeof text);
            return std::string(text).rfind(shownName + " <-->", 0) == 0;
        }, timeoutMs);
    }
    // From the security-type page: the type chosen, then the pre-shared key page and Save.
    void SavePsk(int type, const char* key)
    {
        ASSERT_TRUE(WaitControl(main, kTypeList));
        Choose(main, kTypeList, type);
        ASSERT_TRUE(Press(main, kWizardNext));
        ASSERT_TRUE(Type(main, kPskKey, key));
        ASSERT_TRUE(Press(main, kWizardNext));
        ASSERT_TRUE(WaitControl(main, kConfirmName));
        ASSERT_TRUE(Press(main, kWizardNext));  // Save
    }
    size_t JournalSize() { return ReadWholeFile(journal).size(); }
    static std::string Printable(const std::string& bytes)
    {
        std::string text;
        for (char c : bytes)
            if (c >= 32 && c < 127) text += c;
            else if (!text.empty() && text.back() != ' ') text += ' ';
        return text;
    }

    std::string worldFile = BinFolder() + "QxSimWorld.ini";
    std::string journal = BinFolder() + "WizardJournal.txt";
    std::unique_ptr<ChildProcess> program;
    HWND main = nullptr;
};
}  // namespace

TEST_F(WizardEndToEnd, PreSharedKeyRoadFailsWithAWrongPassPhraseAndLinksWithTheRightOne)
{
    FakeNotificationArea tray;
    ASSERT_TRUE(ConnectFromSurvey(main, "Quixen-WPA2"));
    size_t before = JournalSize();
    SavePsk(kTypeWpa2Psk, "wrongpass1");
    EXPECT_TRUE(JournalHas("ssid=Quixen-WPA2", before));
    EXPECT_FALSE(LinkedTo("Quixen-WPA..", 8000));
    char good[128] = "";
    snprintf(good, sizeof good, EnglishText("IDS_QUIXEN_GOOD").c_str(), "Quixen-WPA2");
    EXPECT_FALSE(tray.WaitForTip(NIM_MODIFY, good, 1000));

    ASSERT_TRUE(ConnectFromSurvey(main, "Quixen-WPA2"));
    before = JournalSize();
    SavePsk(kTypeWpa2Psk, "quixen2024");
    EXPECT_TRUE(JournalHas("ssid=Quixen-WPA2", before));
    EXPECT_TRUE(LinkedTo("Quixen-WPA..", kTimeoutMs));
    if (HasFailure()) printf("Calls:\n%s\n", ReadWholeFile(journal).substr(before).c_str());
}

TEST_F(WizardEndToEnd, PeapRoadAuthenticatesTheCorporateNetwork)
{
    ASSERT_TRUE(ConnectFromSurvey(main, "Quixen-Corp"));
    ASSERT_TRUE(WaitControl(main, kTypeList));
    Choose(main, kTypeList, kTypeWpa2);
    ASSERT_TRUE(Press(main, kWizardNext));
    ASSERT_TRUE(Type(main, kEapLogin, "user"));
    ASSERT_TRUE(Type(main, kPeapPassword, "password"));
    ::SendMessageA(Control(main, kValidate), BM_SETCHECK, BST_UNCHECKED, 0);
    const size_t before = JournalSize();
    ASSERT_TRUE(Press(main, kWizardNext));
    ASSERT_TRUE(WaitControl(main, kConfirmName));
    ASSERT_TRUE(Press(main, kWizardNext));  // Save
    EXPECT_TRUE(JournalHas("ssid=Quixen-Corp", before));
    EXPECT_TRUE(LinkedTo("Quixen-Cor..", kTimeoutMs));
    if (HasFailure()) printf("Calls:\n%s\n", ReadWholeFile(journal).substr(before).c_str());
}

TEST_F(WizardEndToEnd, HiddenNetworkThroughTheNamePromptAndTheWizard)
{
    ASSERT_TRUE(ConnectFromSurvey(main, EnglishText("IDS_HIDDENSSID")));
    HWND name = nullptr;
    // The prompt comes where the user sees it, its OK button with it.
    ASSERT_TRUE(PumpUntil([&] { return (name = Control(main, kHiddenSsidEdit)) && program_windows::UserCanSee(name); }, kTimeoutMs));
    ::SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Quixen-Hidden"));
    HWND ok = ::GetDlgItem(::GetParent(name), kHiddenOk);
    std::string why;
    ASSERT_TRUE(program_windows::UserCanSee(ok, &why)) << why;
    SendAndWait(ok, BM_CLICK, 0, 0);
    const size_t before = JournalSize();
    SavePsk(kTypeWpa2Psk, "hiddenpass");
    EXPECT_TRUE(JournalHas("ssid=Quixen-Hidden", before));
    EXPECT_TRUE(LinkedTo("Quixen-Hid..", kTimeoutMs));
    if (HasFailure()) printf("Calls:\n%s\n", ReadWholeFile(journal).substr(before).c_str());
}

TEST_F(WizardEndToEnd, ProfileRoadStoresTheProfileAndActivateLaterLeavesTheLinkAlone)
{
    const std::string store = BinFolder() + "QxWLProfiles.dat";
    char linkBefore[128] = "";
    if (HWND line = Control(main, kLinkStatusLine, false)) ::GetWindowTextA(line, linkBefore, sizeof linkBefore);
    const size_t before = JournalSize();
    // The list's own Add button, as a user clicks it.
    ASSERT_TRUE(AddProfileFromList(main));
    ASSERT_TRUE(Type(main, kCtrlName, "Travel"));
    ASSERT_TRUE(Type(main, kCtrlSsid, "Quixen-WPA2"));
    ASSERT_TRUE(Press(main, kCtrlInfra));
    PumpFor(300);
    ASSERT_TRUE(Press(main, kCtrlNext));
    SavePsk(kTypeWpa2Psk, "quixen2024");
    ASSERT_TRUE(Press(main, kDoneLater));
    EXPECT_TRUE(PumpUntil([&] {
        const std::string bytes = FileExists(store) ? ReadWholeFile(store) : std::string();
        return bytes.find("Travel") != std::string::npos && bytes.find("quixen2024") != std::string::npos;
    }, kTimeoutMs)) << Printable(FileExists(store) ? ReadWholeFile(store) : std::string());
    // Later: nothing joins the new network, and the link shown before is still shown.
    PumpFor(3000);
    EXPECT_EQ(std::string::npos, ReadWholeFile(journal).find("ssid=Quixen-WPA2", before)) << ReadWholeFile(journal).substr(before);
    char linkAfter[128] = "";
    if (HWND line = Control(main, kLinkStatusLine, false)) ::GetWindowTextA(line, linkAfter, sizeof linkAfter);
    EXPECT_STREQ(linkBefore, linkAfter);
}
