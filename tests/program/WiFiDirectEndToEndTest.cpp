// The real program's Wi-Fi Direct tab as a user meets it, on a world with two peers: switched
// on through the name page, a scan lists both, a push-button connection to one runs its
// progress to the end and the more-information dialog names the group, Disconnect ends it, a
// PIN connection uses the PIN the page shows, and Exit with the more-information dialog open ends
// the program. A peer that asks to connect is answered from the prompt, or turned away with Cancel.
#include <gtest/gtest.h>
#include "support/FakeNotificationArea.h"
#include "support/TestSupport.h"
#include "program/ApModeFixture.h"
#include "program/WiFiDirectDriving.h"

#include <commctrl.h>

#include <string>
#include <vector>

using namespace testing_support;

namespace {
using namespace wifidirect_driving;

// The page's text for a connection that made it (the English file may leave it to the page).
std::string SuccessText()
{
    const std::string text = EnglishText("IDS_WIFI_DIRECT_SUCCESSFUL");
    return text.empty() ? "Connected successfully" : text;  // the page's own text, a full stop may follow
}

// A text of the language file's Wi-Fi Direct section.
std::string WiFiDirectText(const char* key)
{
    char text[256] = "";
    ::GetPrivateProfileStringA("StringForWifiDirect", key, "", text, sizeof text, (BinFolder() + "Languages\\Lang.ini").c_str());
    return text;
}

class WiFiDirectEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ForgetProfileStore();
        ::DeleteFileA(journal.c_str());
        UseWorld("[Peer1]\nName=Camera\nAddress=02:50:32:50:00:01\nIntent=15\nAccept=PBC\n"
                 "[Peer2]\nName=Printer\nAddress=02:50:32:50:00:02\nIntent=0\nAccept=Any\n");
    }
    void UseWorld(const std::string& peers)
    {
        ScopedFile(worldFile, "[World]\nOsCode=12\nSystemProfiles=Home,Office\nJournal=" + journal + "\n" + peers).Keep();
    }
    void TearDown() override
    {
        if (HasFailure()) printf("Journal:\n%s\n", ReadWholeFile(journal).c_str());
        ::DeleteFileA(worldFile.c_str());
        ::DeleteFileA(journal.c_str());
        ForgetProfileStore();
    }
    bool JournalHas(const std::string& text, size_t from = 0) { return ReadWholeFile(journal).find(text, from) != std::string::npos; }
    bool WaitJournal(const std::string& text, size_t from = 0, DWORD timeoutMs = kTimeoutMs)
    {
        return PumpUntil([&] { return JournalHas(text, from); }, timeoutMs);
    }
    // Connect method, preferred channel, then the link status until the display ends.
    std::string ConnectTo(HWND main, RemoteList& rows, const char* peer, bool pinShown, std::string* pin)
    {
        const int row = rows.Find(peer, kSearchedColumns);
        EXPECT_GE(row, 0) << peer;
        rows.Select(row);
        EXPECT_TRUE(PressSeen(Visible(main, kConnect)));
        HWND next = WaitVisible(main, kMethodNext);
        EXPECT_TRUE(next);
        if (pinShown && next) {
            // The page's own controls: the classic dialogs below the visible area reuse ids.
            HWND page = ::GetParent(next);
            EXPECT_TRUE(PressSeen(::GetDlgItem(page, kMethodPinShown)));
            PumpUntil([&] { return WindowText(::GetDlgItem(page, kMethodPin)).size() == 8; }, kTimeoutMs);
            *pin = WindowText(::GetDlgItem(page, kMethodPin));
        }
        EXPECT_TRUE(PressSeen(next));
        return ChannelThenLinkText(main);
    }
    // The preferred-channel page's Next, then the link-status page's text once its display ends.
    std::string ChannelThenLinkText(HWND main)
    {
        HWND channelNext = WaitChannelNext(main);
        EXPECT_TRUE(channelNext);
        EXPECT_TRUE(PressSeen(channelNext));
        EXPECT_TRUE(WaitVisible(main, kLinkExit));
        return LinkTextWhenDone(main);
    }

    // The program up, on its Wi-Fi Direct tab, switched on through the name page.
    HWND StartAndSwitchOn(ChildProcess& program)
    {
        HWND main = WaitForWindow("#32770", EnglishText("IDS_QUIXEN_CONFIG_TITLE").c_str(), program.Id(), kTimeoutMs);
        EXPECT_TRUE(main);
        if (!main || !PumpUntil([&] { return ::IsWindowVisible(main) != FALSE; }, kTimeoutMs)) return nullptr;
        EXPECT_TRUE(WaitStartUpReconnect(journal)) << ReadWholeFile(journal);
        EXPECT_TRUE(ClickSeen(::GetDlgItem(main, kTabWiFiDirect)));

        // Switching on asks for the device name first; after it Wi-Fi Direct is on.
        HWND enable = WaitVisible(main, kEnable);
        EXPECT_TRUE(enable);
        if (!enable) return nullptr;
        EXPECT_TRUE(PressSeen(enable));
        HWND name = WaitVisible(main, kSettingEdit);
        EXPECT_TRUE(name);
        if (!name) return nullptr;
        ::SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("E2E-Desk"));
        EXPECT_TRUE(PressSeen(Visible(main, kSettingNext)));
        EXPECT_TRUE(WaitJournal("QXWL_SetWifiDirectWpseConfig(1)"));
        EXPECT_TRUE(JournalHas("QXWL_WriteWiFiDirectDeviceName"));
        return main;
    }
    // Scan, then the peer's row chosen and Connect pressed: the connect-method page, or null.
    HWND OpenMethodPageFor(HWND main, const char* peer)
    {
        HWND scan = WaitUsable(main, kScan);
        if (!scan) return nullptr;
        EXPECT_TRUE(PressSeen(scan));
        HWND list = WaitVisible(main, kDeviceList);
        if (!list) return nullptr;
        RemoteList rows(list);
        if (!PumpUntil([&] { return rows.Find(peer, kSearchedColumns) >= 0; }, kTimeoutMs)) return nullptr;
        EXPECT_TRUE(UserCanSee(list));
        rows.Select(rows.Find(peer, kSearchedColumns));
        EXPECT_TRUE(PressSeen(Visible(main, kConnect)));
        HWND next = WaitVisible(main, kMethodNext);
        return next ? ::GetParent(next) : nullptr;
    }
    // From the channel page on: its Next, the link page showing the PIN while it runs, and success.
    void ExpectPinRunSucceeds(HWND main, const std::string& pin)
    {
        HWND channelNext = WaitChannelNext(main);
        ASSERT_TRUE(channelNext);
        EXPECT_TRUE(PressSeen(channelNext));
        ASSERT_TRUE(WaitVisible(main, kLinkExit));
        std::string running;
        EXPECT_TRUE(PumpUntil([&] { return (running = WindowText(Visible(main, kLinkText))).find("PIN: " + pin) != std::string::npos; },
                              kTimeoutMs))
            << running << " / " << pin;
        const std::string result = LinkTextWhenDone(main);
        EXPECT_EQ(0u, result.rfind(SuccessText(), 0)) << result;
    }
    // The rest of the journal's last line that starts with prefix, or empty.
    std::string LastLine(const std::string& prefix)
    {
        const std::string all = ReadWholeFile(journal);
        const size_t at = all.rfind(prefix);
        if (at == std::string::npos) return std::string();
        const size_t end = all.find_first_of("\r\n", at);
        return all.substr(at + prefix.size(), (end == std::string::npos ? all.size() : end) - at - prefix.size());
    }
    // The journal's last account of the system's wireless profiles, or empty.
    std::string SystemProfiles() { return LastLine("SystemProfiles: "); }
    // The connect-method page once it prompts for a peer's request, or null.
    HWND WaitForPrompt(HWND main)
    {
        HWND next = WaitVisible(main, kMethodNext);
        return next ? ::GetParent(next) : nullptr;
    }

    std::string worldFile = BinFolder() + "QxSimWorld.ini";
    std::string journal = BinFolder() + "WiFiDirectJournal.txt";
};
}  // namespace

TEST_F(WiFiDirectEndToEnd, SwitchOnScanConnectShowDisconnectConnectByPinThenExitWithMoreInformationOpen)
{
    FakeNotificationArea tray;
    ChildProcess program(ProgramCommand(), BinFolder());
    HWND main = StartAndSwitchOn(program);
    ASSERT_TRUE(main);

    // Scan lists both peers.
    HWND scan = WaitUsable(main, kScan);
    ASSERT_TRUE(scan);
    EXPECT_TRUE(PressSeen(scan));
    HWND list = WaitVisible(main, kDeviceList);
    ASSERT_TRUE(list);
    RemoteList rows(list);
    ASSERT_TRUE(PumpUntil([&] { return rows.Find("Camera", kSearchedColumns) >= 0 && rows.Find("Printer", kSearchedColumns) >= 0; }, kTimeoutMs));
    EXPECT_EQ(2, rows.Count());

    // Push button to the camera: progress to the end, then success, and the group by name.
    size_t from = ReadWholeFile(journal).size();
    const std::string result = ConnectTo(main, rows, "Camera", false, nullptr);
    EXPECT_TRUE(JournalHas("QXWL_SetWifiDirectWpseConfig(3)", from));
    EXPECT_TRUE(JournalHas("QXWL_SetWPSMode(0x20000000", from));
    EXPECT_EQ(0u, result.rfind(SuccessText(), 0)) << result << "\n" << ReadWholeFile(journal).substr(from);
    EXPECT_TRUE(PressSeen(Visible(main, kLinkExit)));
    ASSERT_TRUE(WaitVisible(main, kMoreInfo));
    EXPECT_TRUE(PressSeen(Visible(main, kMoreInfo)));
    HWND info = WaitForWindow("#32770", "More Information", program.Id(), kTimeoutMs);
    ASSERT_TRUE(info);
    std::string group;
    EXPECT_TRUE(PumpUntil([&] { return (group = WindowText(::GetDlgItem(info, kInfoGroup))).rfind("DIRECT-", 0) == 0; },
                          kTimeoutMs))
        << group;
    EXPECT_TRUE(PressSeen(::GetDlgItem(info, kInfoClose)));
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(info); }, kTimeoutMs));

    // Disconnect (the list's menu command) ends it; the user's profiles are all still there.
    from = ReadWholeFile(journal).size();
    ::PostMessageA(::GetParent(list), WM_COMMAND, MAKEWPARAM(kDisconnect, 0), 0);
    EXPECT_TRUE(WaitJournal("QXWL_SetWifiDirectWpseConfig(6)", from));
    EXPECT_TRUE(PumpUntil([&] { return SystemProfiles() == "Home,Office"; }, kTimeoutMs)) << SystemProfiles();
    EXPECT_FALSE(JournalHas("QXWL_WlanDeleteAllWindowsProfiles"));
    EXPECT_FALSE(JournalHas("QXWL_DeleteProfile("));
    EXPECT_NE(std::string::npos, ReadWholeFile(BinFolder() + "QxWLProfiles.dat").find("Default"));

    // A PIN connection with the PIN the page shows, after a fresh scan.
    PumpUntil([&] { return ::IsWindowEnabled(scan) != FALSE; }, kTimeoutMs);
    EXPECT_TRUE(PressSeen(scan));
    ASSERT_TRUE(PumpUntil([&] { return rows.Find("Printer", kSearchedColumns) >= 0; }, kTimeoutMs));
    from = ReadWholeFile(journal).size();
    std::string pin;
    const std::string pinResult = ConnectTo(main, rows, "Printer", true, &pin);
    ASSERT_EQ(8u, pin.size());
    EXPECT_TRUE(JournalHas("QXWL_SetWifiDirectWpseConfig(3)", from));
    EXPECT_EQ(0u, pinResult.rfind(SuccessText(), 0)) << pinResult;
    EXPECT_TRUE(JournalHas("QXWL_SetWPSMode(0x80000000", from));
    EXPECT_TRUE(PressSeen(Visible(main, kLinkExit)));

    // Exit with More Information open closes it and ends the program: a new start works.
    EXPECT_TRUE(PressSeen(WaitUsable(main, kMoreInfo)));
    info = WaitForWindow("#32770", "More Information", program.Id(), kTimeoutMs);
    ASSERT_TRUE(info && program_windows::WaitUntilSeen(info));
    EXPECT_FALSE(::IsWindowEnabled(main));  // the dialog holds the whole window, not only its page
    ASSERT_TRUE(program_windows::ExitFromTray(program));
    ChildProcess again(ProgramCommand(), BinFolder());
    EXPECT_TRUE(WaitForMainWindow(again.Id()));
    EXPECT_TRUE(program_windows::ExitFromTray(again));
}

// A peer that asks to connect once Wi-Fi Direct is on: the request reaches the program through
// the driver's status blocks, the program prompts with the connect-method page in its incoming
// form, and the user's answer leads to the connection.
namespace {
class WiFiDirectIncomingEndToEnd : public WiFiDirectEndToEnd {
protected:
    void SetUp() override
    {
        WiFiDirectEndToEnd::SetUp();
        UseWorld("[Peer1]\nName=Laptop\nAddress=02:50:32:50:00:09\nIntent=0\nAccept=Any\nInvites=1\n");
    }
    // The prompt as a request shows it: push button preselected (the peer offers it), the other
    // methods not to be chosen, no way back to an own connection, the peer named.
    void ExpectIncomingForm(HWND prompt)
    {
        EXPECT_EQ("[Laptop]", WindowText(::GetDlgItem(prompt, kMethodPeer)));
        EXPECT_EQ(BST_CHECKED, ::SendMessageA(::GetDlgItem(prompt, kMethodPushButton), BM_GETCHECK, 0, 0));
        EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(prompt, kMethodPushButton)));
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(prompt, kMethodPinShown)));
        EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(prompt, kMethodPinEntered)));
        EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(prompt, kMethodBack)));
    }
};
}  // namespace

TEST_F(WiFiDirectIncomingEndToEnd, RequestAnsweredByPushButtonConnects)
{
    FakeNotificationArea tray;
    ChildProcess program(ProgramCommand(), BinFolder());
    HWND main = StartAndSwitchOn(program);
    ASSERT_TRUE(main);
    const size_t asked = ReadWholeFile(journal).size();
    HWND prompt = WaitForPrompt(main);
    ASSERT_TRUE(prompt) << ReadWholeFile(journal);
    ExpectIncomingForm(prompt);
    // Nothing goes to the peer before the user answers.
    EXPECT_FALSE(JournalHas("QXWL_SetWifiDirectWpseConfig(3)", asked));

    EXPECT_TRUE(PressSeen(::GetDlgItem(prompt, kMethodNext)));
    const std::string result = ChannelThenLinkText(main);
    EXPECT_EQ(0u, result.rfind(SuccessText(), 0)) << result << "\n" << ReadWholeFile(journal).substr(asked);
    EXPECT_TRUE(JournalHas("QXWL_SetWifiDirectWpseConfig(3)", asked));
    EXPECT_TRUE(JournalHas("QXWL_SetWPSMode(0x20000000", asked));
    EXPECT_TRUE(JournalHas("QXWL_ConnectWPSProfileWithWifiDirectWpse(", asked));

    // Back on the main page, the status says connected.
    EXPECT_TRUE(PressSeen(Visible(main, kLinkExit)));
    const std::string connected = WiFiDirectText("IDS_WIFI_DIRECT_ASSOCIATED");
    std::string state;
    EXPECT_TRUE(PumpUntil([&] { return (state = WindowText(Visible(main, kStateText))) == connected; }, kTimeoutMs)) << state;
}

TEST_F(WiFiDirectIncomingEndToEnd, RequestCancelledConnectsNothing)
{
    FakeNotificationArea tray;
    ChildProcess program(ProgramCommand(), BinFolder());
    HWND main = StartAndSwitchOn(program);
    ASSERT_TRUE(main);
    const size_t asked = ReadWholeFile(journal).size();
    HWND prompt = WaitForPrompt(main);
    ASSERT_TRUE(prompt) << ReadWholeFile(journal);
    ExpectIncomingForm(prompt);

    EXPECT_TRUE(PressSeen(::GetDlgItem(prompt, kMethodCancel)));
    // Back on the main page, which still works; the request's window passes without a connection.
    HWND scan = WaitVisible(main, kScan);
    ASSERT_TRUE(scan);
    EXPECT_FALSE(::IsWindowVisible(prompt));
    // Through three of the program's status polls: a cancelled request starts nothing later.
    EXPECT_TRUE(program_windows::WaitForStatusPolls(journal, ReadWholeFile(journal).size(), 3));
    EXPECT_FALSE(JournalHas("QXWL_SetWifiDirectWpseConfig(3)", asked));
    EXPECT_FALSE(JournalHas("QXWL_SetWPSMode(", asked));
    EXPECT_FALSE(JournalHas("QXWL_ConnectWPSProfileWithWifiDirectWpse(", asked));
    EXPECT_EQ(WiFiDirectText("IDS_WIFI_DIRECT_NO_ASSOCIATED"), WindowText(Visible(main, kStateText)));
    EXPECT_EQ(nullptr, Visible(main, kLinkExit));
}

// The roads of a request and of the user's own connection: what goes out goes to the peer the
// user answered or picked, with the PIN the user saw or typed, and a refusal ends the attempt.
namespace {
class WiFiDirectRoadsEndToEnd : public WiFiDirectEndToEnd {
protected:
    // The last connection the stand-in's peers saw: "to <address> by <method> PIN <pin>".
    std::string LastConnection() { return LastLine("SIM Wi-Fi Direct connection to "); }
    size_t Count(const std::string& text, size_t from)
    {
        const std::string all = ReadWholeFile(journal);
        size_t n = 0;
        for (size_t at = all.find(text, from); at != std::string::npos; at = all.find(text, at + 1)) ++n;
        return n;
    }
};
}  // namespace

TEST_F(WiFiDirectRoadsEndToEnd, APromptLeftByTheTabIsCancelledAndTheUsersConnectionGoesToTheirPeer)
{
    UseWorld("[Peer1]\nName=Laptop\nAddress=02:50:32:50:00:09\nIntent=0\nInvites=1\n"
             "[Peer2]\nName=Printer\nAddress=02:50:32:50:00:02\nIntent=0\n");
    FakeNotificationArea tray;
    ChildProcess program(ProgramCommand(), BinFolder());
    HWND main = StartAndSwitchOn(program);
    ASSERT_TRUE(main);
    HWND prompt = WaitForPrompt(main);
    ASSERT_TRUE(prompt);
    EXPECT_EQ("[Laptop]", WindowText(::GetDlgItem(prompt, kMethodPeer)));

    // The user goes back to the list by the tab instead of answering.
    EXPECT_TRUE(ClickSeen(::GetDlgItem(main, kTabWiFiDirect)));
    ASSERT_TRUE(PumpUntil([&] { return !::IsWindowVisible(prompt); }, kTimeoutMs));
    const size_t from = ReadWholeFile(journal).size();
    HWND method = OpenMethodPageFor(main, "Printer");
    ASSERT_TRUE(method);
    EXPECT_EQ("[Printer]", WindowText(::GetDlgItem(method, kMethodPeer)));
    EXPECT_TRUE(PressSeen(::GetDlgItem(method, kMethodNext)));
    const std::string result = ChannelThenLinkText(main);
    EXPECT_EQ(0u, result.rfind(SuccessText(), 0)) << result;
    EXPECT_EQ(1u, Count("QXWL_SetWifiDirectWpseConfig(3)", from));
    EXPECT_EQ(0u, LastConnection().rfind("02:50:32:50:00:02 by 0x20000000", 0)) << LastConnection();
    EXPECT_FALSE(JournalHas("connection to 02:50:32:50:00:09"));
}

TEST_F(WiFiDirectRoadsEndToEnd, TheUsersPinRoadAsksThePeerForItsPinAndSendsItAsTyped)
{
    // The printer shows its PIN on its own screen only when asked for it, and takes no other.
    UseWorld("[Peer1]\nName=Printer\nAddress=02:50:32:50:00:02\nIntent=0\nShowsPin=1234\n");
    FakeNotificationArea tray;
    ChildProcess program(ProgramCommand(), BinFolder());
    HWND main = StartAndSwitchOn(program);
    ASSERT_TRUE(main);
    HWND method = OpenMethodPageFor(main, "Printer");
    ASSERT_TRUE(method);
    const size_t from = ReadWholeFile(journal).size();
    EXPECT_TRUE(PressSeen(::GetDlgItem(method, kMethodPinEntered)));
    EXPECT_TRUE(PressSeen(::GetDlgItem(method, kMethodNext)));  // asks the printer for its PIN
    HWND field = ::GetDlgItem(method, kMethodPin);
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowEnabled(field) != FALSE; }, kTimeoutMs));
    // What the user reads off the printer's screen.
    ASSERT_TRUE(WaitJournal("SIM Wi-Fi Direct peer 02:50:32:50:00:02 shows PIN 1234", from));
    ASSERT_TRUE(UserCanSee(field));
    ::SendMessageA(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("1234"));  // four digits, as WPS 2 allows
    EXPECT_TRUE(PressSeen(::GetDlgItem(method, kMethodNext)));

    ExpectPinRunSucceeds(main, "1234");
    EXPECT_EQ(2u, Count("QXWL_SetWifiDirectWpseConfig(3)", from));  // the request for the PIN, then the connection
    EXPECT_EQ("02:50:32:50:00:02 by 0x40000000 PIN 1234", LastConnection());
}

TEST_F(WiFiDirectRoadsEndToEnd, ARequestAnsweredWithThisDevicesPinShowsAndSendsThatPin)
{
    // The laptop takes a PIN by its keypad only: this device shows the PIN.
    UseWorld("[Peer1]\nName=Laptop\nAddress=02:50:32:50:00:09\nIntent=0\nInvites=1\nConfigMethods=0x0100\n");
    FakeNotificationArea tray;
    ChildProcess program(ProgramCommand(), BinFolder());
    HWND main = StartAndSwitchOn(program);
    ASSERT_TRUE(main);
    HWND prompt = WaitForPrompt(main);
    ASSERT_TRUE(prompt);
    HWND field = ::GetDlgItem(prompt, kMethodPin);
    std::string pin;
    ASSERT_TRUE(PumpUntil([&] { return (pin = WindowText(field)).size() == 8; }, kTimeoutMs)) << pin;
    EXPECT_TRUE(UserCanSee(field));
    EXPECT_EQ(BST_CHECKED, ::SendMessageA(::GetDlgItem(prompt, kMethodPinShown), BM_GETCHECK, 0, 0));
    EXPECT_TRUE(PressSeen(::GetDlgItem(prompt, kMethodNext)));
    ExpectPinRunSucceeds(main, pin);
    EXPECT_EQ("02:50:32:50:00:09 by 0x80000000 PIN " + pin, LastConnection());
}

TEST_F(WiFiDirectRoadsEndToEnd, NoMethodInCommonEndsTheAttemptWithItsBox)
{
    // The printer takes a PIN only; the user chooses push button, as a new user would.
    UseWorld("[Peer1]\nName=Printer\nAddress=02:50:32:50:00:02\nIntent=0\nAccept=PIN\nConfigMethods=0x0108\n");
    FakeNotificationArea tray;
    ChildProcess program(ProgramCommand(), BinFolder());
    HWND main = StartAndSwitchOn(program);
    ASSERT_TRUE(main);
    HWND method = OpenMethodPageFor(main, "Printer");
    ASSERT_TRUE(method);
    EXPECT_TRUE(PressSeen(::GetDlgItem(method, kMethodNext)));
    HWND channelNext = WaitChannelNext(main);
    ASSERT_TRUE(channelNext);
    EXPECT_TRUE(PressSeen(channelNext));

    HWND box = WaitForSeenBox(program.Id());
    ASSERT_TRUE(box);
    char text[256] = "";
    ::GetDlgItemTextA(box, kMessageBoxText, text, sizeof text);
    EXPECT_EQ(0u, std::string(text).rfind("The devices have no configuration method in common.", 0)) << text;
    // Behind the box the attempt has already ended: no percentage runs on.
    const std::string behind = WindowText(Visible(main, kLinkText));
    EXPECT_EQ(std::string::npos, behind.find('%')) << behind;
    EXPECT_FALSE(behind.empty());
    EXPECT_TRUE(PressSeen(::GetDlgItem(box, IDOK)));
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(box); }, kTimeoutMs));
}

TEST_F(WiFiDirectRoadsEndToEnd, LeavingTheNamePageByBackOrByTheTabLeavesWiFiDirectOff)
{
    FakeNotificationArea tray;
    ChildProcess program(ProgramCommand(), BinFolder());
    HWND main = WaitForMainWindow(program.Id());
    ASSERT_TRUE(main);
    EXPECT_TRUE(ClickSeen(::GetDlgItem(main, kTabWiFiDirect)));
    HWND enable = WaitVisible(main, kEnable);
    ASSERT_TRUE(enable);
    constexpr int kSettingBack = 1501, kStationTab = 8005;  // the site survey
    for (const bool byTab : {false, true}) {
        EXPECT_TRUE(PressSeen(enable));
        ASSERT_TRUE(WaitVisible(main, kSettingEdit));
        if (byTab) EXPECT_TRUE(ClickSeen(::GetDlgItem(main, kTabWiFiDirect)));
        else EXPECT_TRUE(PressSeen(Visible(main, kSettingBack)));
        ASSERT_TRUE(PumpUntil([&] { return Visible(main, kEnable) != nullptr; }, kTimeoutMs));
        EXPECT_TRUE(PumpUntil([&] { return ::SendMessageA(enable, BM_GETCHECK, 0, 0) == BST_UNCHECKED; }, kTimeoutMs)) << byTab;
        EXPECT_FALSE(::IsWindowEnabled(Visible(main, kScan))) << byTab;
        EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(main, kStationTab))) << byTab;
    }
    EXPECT_FALSE(JournalHas("QXWL_SetWifiDirectWpseConfig(1)"));
}

// The Wi-Fi Direct page made anew by a switch to the access point and back: its connection
// check runs on the new page, so the status follows the next connection.
namespace {
class WiFiDirectModeSwitchEndToEnd : public program_windows::ApModeFixture {
protected:
    void SetUp() override
    {
        ApModeFixture::SetUp();
        ScopedFile(stationWorld, "[World]\nOsCode=10\nConnectDelayMs=200\nJournal=" + stationJournal + "\n"
                                 "[Profile1]\nName=Home\nSsid=Quixen-WPA2\nSecurity=WPA2-PSK\nKey=quixen2024\nActive=1\n"
                                 "[Peer1]\nName=Camera\nAddress=02:50:32:50:00:01\nIntent=15\nAccept=PBC\n")
            .Keep();
    }
    // Switched on through the name page, the camera connected by push button, back on the list:
    // true once the page's status says connected.
    bool ConnectCamera(HWND main)
    {
        EXPECT_TRUE(ClickSeen(::GetDlgItem(main, kTabWiFiDirect)));
        HWND enable = WaitVisible(main, kEnable);
        if (!enable) return false;
        EXPECT_TRUE(PressSeen(enable));
        HWND name = WaitVisible(main, kSettingEdit);
        if (!name) return false;
        EXPECT_TRUE(UserCanSee(name));
        ::SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("E2E-Desk"));
        EXPECT_TRUE(PressSeen(Visible(main, kSettingNext)));
        HWND scan = WaitUsable(main, kScan);
        if (!scan) return false;
        EXPECT_TRUE(PressSeen(scan));
        HWND list = WaitVisible(main, kDeviceList);
        if (!list) return false;
        RemoteList rows(list);
        if (!PumpUntil([&] { return rows.Find("Camera", kSearchedColumns) >= 0; }, kTimeoutMs)) return false;
        EXPECT_TRUE(UserCanSee(list));
        rows.Select(rows.Find("Camera", kSearchedColumns));
        EXPECT_TRUE(PressSeen(Visible(main, kConnect)));
        EXPECT_TRUE(PressSeen(WaitVisible(main, kMethodNext)));
        HWND channelNext = WaitChannelNext(main);
        if (!channelNext) return false;
        EXPECT_TRUE(PressSeen(channelNext));
        const std::string text = LinkTextWhenDone(main);
        EXPECT_EQ(0u, text.rfind(SuccessText(), 0)) << text;
        EXPECT_TRUE(PressSeen(Visible(main, kLinkExit)));
        const std::string connected = WiFiDirectText("IDS_WIFI_DIRECT_ASSOCIATED");
        return PumpUntil([&] { return WindowText(Visible(main, kStateText)) == connected; }, kTimeoutMs);
    }
};
}  // namespace

TEST_F(WiFiDirectModeSwitchEndToEnd, TheStatusFollowsTheLinkOnThePageMadeAnew)
{
    FakeNotificationArea tray;
    ChildProcess program(ProgramCommand(), BinFolder());
    HWND main = WaitForMainWindow(program.Id());
    ASSERT_TRUE(main);
    constexpr int kStationSsid = 1112;
    HWND ssid = Control(main, kStationSsid);
    ASSERT_TRUE(PumpUntil([&] { return program_windows::Text(ssid) == "Quixen-WPA2"; }, kTimeoutMs));
    ASSERT_TRUE(ConnectCamera(main));

    // To the access point and back: the Wi-Fi Direct page is made anew.
    ASSERT_TRUE(UserCanSee(::GetDlgItem(main, kApModeButton)));
    ASSERT_TRUE(SwitchToAccessPoint(main));
    ASSERT_TRUE(UserCanSee(::GetDlgItem(main, kStationModeButton)));
    program_windows::PressButton(main, kStationModeButton);
    // The station side may build its main window anew.
    ASSERT_TRUE(PumpUntil([&] {
        main = WaitForMainWindow(program.Id(), nullptr, 0);
        return main && program_windows::WindowWith(main, 0, kStationSsid) != nullptr && ::IsWindowEnabled(main);
    }, kTimeoutMs));

    EXPECT_TRUE(ConnectCamera(main)) << WindowText(Visible(main, kStateText));
    if (HasFailure()) printf("Journal:\n%s\n", ReadWholeFile(stationJournal).c_str());
}
