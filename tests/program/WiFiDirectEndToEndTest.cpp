// The real program's Wi-Fi Direct tab as a user meets it, on a world with two peers: switched
// on through the name page, a scan lists both, a push-button connection to one runs its
// progress to the end and the more-information dialog names the group, Disconnect ends it, a
// PIN connection uses the PIN the page shows.
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

class WiFiDirectEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ForgetProfileStore();
        ::DeleteFileA(journal.c_str());
        ScopedFile(worldFile, "[World]\nOsCode=12\nJournal=" + journal +
                                  "\n[Peer1]\nName=Camera\nAddress=02:50:32:50:00:01\nIntent=15\nAccept=PBC\n"
                                  "[Peer2]\nName=Printer\nAddress=02:50:32:50:00:02\nIntent=0\nAccept=Any\n")
            .Keep();
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

    std::string worldFile = BinFolder() + "QxSimWorld.ini";
    std::string journal = BinFolder() + "WiFiDirectJournal.txt";
};
}  // namespace

TEST_F(WiFiDirectEndToEnd, SwitchOnScanConnectShowDisconnectThenConnectByPin)
{
    FakeNotificationArea tray;
    std::string command = "\"" + BinFolder() + "KPL4471.exe\"";
    ChildProcess program(command, BinFolder());
    HWND main = WaitForWindow("#32770", EnglishText("IDS_QUIXEN_CONFIG_TITLE").c_str(), program.Id(), kTimeoutMs);
    ASSERT_TRUE(main);
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(main) != FALSE; }, kTimeoutMs));
    // The start-up's reconnect of the default profile would replace a group link made sooner,
    // which no user is quick enough to make.
    WaitJournal("QXWL_SetWLANProfile(Default", 0, 10000);
    HWND tab = ::GetDlgItem(main, kTabWiFiDirect);
    ::PostMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::PostMessageA(tab, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));

    // Switching on asks for the device name first; after it Wi-Fi Direct is on.
    HWND enable = WaitVisible(main, kEnable);
    ASSERT_TRUE(enable);
    Press(enable);
    HWND name = WaitVisible(main, kSettingEdit);
    ASSERT_TRUE(name);
    ::SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("E2E-Desk"));
    Press(Visible(main, kSettingNext));
    ASSERT_TRUE(WaitJournal("QXWL_SetWifiDirectWpseConfig(1)"));
    EXPECT_TRUE(JournalHas("QXWL_WriteWiFiDirectDeviceName"));

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
