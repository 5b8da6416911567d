// The real program's Wi-Fi Direct tab as a user meets it, on a world with two peers: switched
// on through the name page, a scan lists both, a push-button connection to one runs its
// progress to the end and the more-information dialog names the group, Disconnect ends it, a
// PIN connection uses the PIN the page shows. A peer that asks to connect is answered from the
// prompt, or turned away with Cancel.
#include <gtest/gtest.h>
#include "support/FakeNotificationArea.h"
#include "support/TestSupport.h"
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
        ScopedFile(worldFile, "[World]\nOsCode=12\nJournal=" + journal + "\n" + peers).Keep();
    }
    void TearDown() override
    {
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
        Press(Visible(main, kConnect));
        HWND next = WaitVisible(main, kMethodNext);
        EXPECT_TRUE(next);
        if (pinShown && next) {
            // The page's own controls: the classic dialogs below the visible area reuse ids.
            HWND page = ::GetParent(next);
            Press(::GetDlgItem(page, kMethodPinShown));
            PumpUntil([&] { return WindowText(::GetDlgItem(page, kMethodPin)).size() == 8; }, kTimeoutMs);
            *pin = WindowText(::GetDlgItem(page, kMethodPin));
        }
        Press(next);
        return ChannelThenLinkText(main);
    }
    // The preferred-channel page's Next, then the link-status page's text once its display ends.
    std::string ChannelThenLinkText(HWND main)
    {
        HWND channelNext = nullptr;
        PumpUntil([&] { return (channelNext = Visible(main, kSettingNext)) != nullptr && Visible(main, 1511); }, kTimeoutMs);
        EXPECT_TRUE(channelNext);
        Press(channelNext);
        EXPECT_TRUE(WaitVisible(main, kLinkExit));
        std::string text;
        PumpUntil([&] {
            text = WindowText(Visible(main, kLinkText));
            return !text.empty() && text.find('%') == std::string::npos;
        }, kConnectMs);
        return text;
    }

    // The program up, on its Wi-Fi Direct tab, switched on through the name page.
    HWND StartAndSwitchOn(ChildProcess& program)
    {
        HWND main = WaitForWindow("#32770", EnglishText("IDS_QUIXEN_CONFIG_TITLE").c_str(), program.Id(), kTimeoutMs);
        EXPECT_TRUE(main);
        if (!main || !PumpUntil([&] { return ::IsWindowVisible(main) != FALSE; }, kTimeoutMs)) return nullptr;
        // The start-up's reconnect of the default profile would replace a group link made sooner,
        // which no user is quick enough to make.
        WaitJournal("QXWL_SetWLANProfile(Default", 0, 10000);
        HWND tab = ::GetDlgItem(main, kTabWiFiDirect);
        ::PostMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        ::PostMessageA(tab, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));

        // Switching on asks for the device name first; after it Wi-Fi Direct is on.
        HWND enable = WaitVisible(main, kEnable);
        EXPECT_TRUE(enable);
        if (!enable) return nullptr;
        Press(enable);
        HWND name = WaitVisible(main, kSettingEdit);
        EXPECT_TRUE(name);
        if (!name) return nullptr;
        ::SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("E2E-Desk"));
        Press(Visible(main, kSettingNext));
        EXPECT_TRUE(WaitJournal("QXWL_SetWifiDirectWpseConfig(1)"));
        EXPECT_TRUE(JournalHas("QXWL_WriteWiFiDirectDeviceName"));
        return main;
    }
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

TEST_F(WiFiDirectEndToEnd, SwitchOnScanConnectShowDisconnectThenConnectByPin)
{
    FakeNotificationArea tray;
    ChildProcess program("\"" + BinFolder() + "KPL4471.exe\"", BinFolder());
    HWND main = StartAndSwitchOn(program);
    ASSERT_TRUE(main);

    // Scan lists both peers.
    HWND scan = WaitVisible(main, kScan);
    ASSERT_TRUE(scan);
    PumpUntil([&] { return ::IsWindowEnabled(scan) != FALSE; }, kTimeoutMs);
    Press(scan);
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
    Press(Visible(main, kLinkExit));
    ASSERT_TRUE(WaitVisible(main, kMoreInfo));
    Press(Visible(main, kMoreInfo));
    HWND info = WaitForWindow("#32770", "More Information", program.Id(), kTimeoutMs);
    ASSERT_TRUE(info);
    std::string group;
    EXPECT_TRUE(PumpUntil([&] { return (group = WindowText(::GetDlgItem(info, kInfoGroup))).rfind("DIRECT-", 0) == 0; },
                          kTimeoutMs))
        << group;
    Press(::GetDlgItem(info, kInfoClose));
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(info); }, kTimeoutMs));

    // Disconnect (the list's menu command) ends it.
    from = ReadWholeFile(journal).size();
    ::PostMessageA(::GetParent(list), WM_COMMAND, MAKEWPARAM(kDisconnect, 0), 0);
    EXPECT_TRUE(WaitJournal("QXWL_SetWifiDirectWpseConfig(6)", from));

    // A PIN connection with the PIN the page shows, after a fresh scan.
    PumpUntil([&] { return ::IsWindowEnabled(scan) != FALSE; }, kTimeoutMs);
    Press(scan);
    ASSERT_TRUE(PumpUntil([&] { return rows.Find("Printer", kSearchedColumns) >= 0; }, kTimeoutMs));
    from = ReadWholeFile(journal).size();
    std::string pin;
    const std::string pinResult = ConnectTo(main, rows, "Printer", true, &pin);
    ASSERT_EQ(8u, pin.size());
    EXPECT_TRUE(JournalHas("QXWL_SetWifiDirectWpseConfig(3)", from));
    EXPECT_EQ(0u, pinResult.rfind(SuccessText(), 0)) << pinResult;
    EXPECT_TRUE(JournalHas("QXWL_SetWPSMode(0x80000000", from));
    Press(Visible(main, kLinkExit));
    if (HasFailure()) printf("Journal:\n%s\n", ReadWholeFile(journal).c_str());
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
    ChildProcess program("\"" + BinFolder() + "KPL4471.exe\"", BinFolder());
    HWND main = StartAndSwitchOn(program);
    ASSERT_TRUE(main);
    const size_t asked = ReadWholeFile(journal).size();
    HWND prompt = WaitForPrompt(main);
    ASSERT_TRUE(prompt) << ReadWholeFile(journal);
    ExpectIncomingForm(prompt);
    // Nothing goes to the peer before the user answers.
    EXPECT_FALSE(JournalHas("QXWL_SetWifiDirectWpseConfig(3)", asked));

    Press(::GetDlgItem(prompt, kMethodNext));
    const std::string result = ChannelThenLinkText(main);
    EXPECT_EQ(0u, result.rfind(SuccessText(), 0)) << result << "\n" << ReadWholeFile(journal).substr(asked);
    EXPECT_TRUE(JournalHas("QXWL_SetWifiDirectWpseConfig(3)", asked));
    EXPECT_TRUE(JournalHas("QXWL_SetWPSMode(0x20000000", asked));
    EXPECT_TRUE(JournalHas("QXWL_ConnectWPSProfileWithWifiDirectWpse(", asked));

    // Back on the main page, the status says connected.
    Press(Visible(main, kLinkExit));
    const std::string connected = WiFiDirectText("IDS_WIFI_DIRECT_ASSOCIATED");
    std::string state;
    EXPECT_TRUE(PumpUntil([&] { return (state = WindowText(Visible(main, kStateText))) == connected; }, kTimeoutMs)) << state;
    if (HasFailure()) printf("Journal:\n%s\n", ReadWholeFile(journal).c_str());
}

TEST_F(WiFiDirectIncomingEndToEnd, RequestCancelledConnectsNothing)
{
    FakeNotificationArea tray;
    ChildProcess program("\"" + BinFolder() + "KPL4471.exe\"", BinFolder());
    HWND main = StartAndSwitchOn(program);
    ASSERT_TRUE(main);
    const size_t asked = ReadWholeFile(journal).size();
    HWND prompt = WaitForPrompt(main);
    ASSERT_TRUE(prompt) << ReadWholeFile(journal);
    ExpectIncomingForm(prompt);

    Press(::GetDlgItem(prompt, kMethodCancel));
    // Back on the main page, which still works; the request's window passes without a connection.
    HWND scan = WaitVisible(main, kScan);
    ASSERT_TRUE(scan);
    EXPECT_FALSE(::IsWindowVisible(prompt));
    PumpFor(3000);
    EXPECT_FALSE(JournalHas("QXWL_SetWifiDirectWpseConfig(3)", asked));
    EXPECT_FALSE(JournalHas("QXWL_SetWPSMode(", asked));
    EXPECT_FALSE(JournalHas("QXWL_ConnectWPSProfileWithWifiDirectWpse(", asked));
    EXPECT_EQ(WiFiDirectText("IDS_WIFI_DIRECT_NO_ASSOCIATED"), WindowText(Visible(main, kStateText)));
    EXPECT_EQ(nullptr, Visible(main, kLinkExit));
    if (HasFailure()) printf("Journal:\n%s\n", ReadWholeFile(journal).c_str());
}
