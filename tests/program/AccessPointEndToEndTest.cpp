// The real program in access-point mode, both variants, driven through its windows. The hosted
// network of Windows 7 (switch file set): it starts in station mode, its access-point button
// starts the hosted network, the skinned page saves SSID and WPA2 pass phrase through the library,
// bridges, and refuses a bad key, and the hosted network the driver keeps running outlives the
// program.
// The soft-AP library (Vista): the skinned page saves SSID, WPA2-PSK and channel through the
// classic pages, a SAVE a classic page refuses leaves nothing behind, the bridge box lists the
// machine's adapters that can be bridged, and a binding the companion program fails is told.
#include <gtest/gtest.h>
#include "program/ApModeFixture.h"
#include "program/ProgramWindows.h"
#include "softap/BridgeStandIn.h"
#include "support/FakeNotificationArea.h"
#include "support/TestSupport.h"

#include <shlobj.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using namespace testing_support;
using namespace program_windows;

namespace {
constexpr DWORD kTimeoutMs = 20000;
constexpr int kApModeButton = 8012;
constexpr int kTabConfiguration = 8005, kTabThird = 8006;
constexpr int kStationSsid = 1112, kApLinkSsid = 2752;
constexpr int kSsid = 2704, kChannel = 2711, kBridge = 2715, kBridgeAdapter = 2717, kSecurityType = 2720;
constexpr int kPreSharedKey = 2739, kSave = 2740, kCancel = 2741;
constexpr int kMessageBoxText = 0xFFFF;
constexpr char kOwnAdapter[] = "Kelvo Wireless LAN Card";
// The configuration page lists the machine's adapters each time it loads.
constexpr char kAdapterListLine[] = "QXSIM_GetNetDevices(";

// Selects the entry whose text is `wanted` in the page's drop-down list, as the user picks it.
bool ChooseText(HWND page, int id, const std::string& wanted)
{
    return ChooseComboText(::GetDlgItem(page, id), wanted);
}

void Type(HWND page, int id, const char* text)
{
    ::SendMessageA(::GetDlgItem(page, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

bool Checked(HWND page, int id)
{
    return ::SendMessageA(::GetDlgItem(page, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

HWND Control(HWND main, int id)
{
    HWND page = WaitForWindowWith(main, 0, id, kTimeoutMs);
    return page ? ::GetDlgItem(page, id) : nullptr;
}

// Dismisses the message box of that caption once a person could see it, and answers its text
// once it has gone; empty when none came.
std::string Answer(const ChildProcess& program, const std::string& caption)
{
    HWND box = WaitForWindow("#32770", caption.c_str(), program.Id(), kTimeoutMs);
    if (!box) return "";
    EXPECT_TRUE(WaitUntilSeen(box)) << DescribePlace(box);
    char text[256] = "";
    ::GetDlgItemTextA(box, kMessageBoxText, text, sizeof text);
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(box); }, kTimeoutMs));
    return text;
}

class HostedNetworkEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ForgetProfileStore();
        ScopedFile(switchFile, "[Config]\r\nIDS_SOFTAP_MODE=1\r\n").Keep();
        for (const std::string& file : {journal, swapLog, bridgeLog}) ::DeleteFileA(file.c_str());
        WriteWorld(0);
    }
    void TearDown() override
    {
        for (const std::string& file : {world, journal, swapLog, bridgeLog}) ::DeleteFileA(file.c_str());
        ForgetProfileStore();
    }
    // Windows 7; the driver in the given operation mode, as it was left; three more network
    // adapters in the machine, of which only the wired one can be bridged.
    void WriteWorld(int driverMode)
    {
        const std::string mode = std::to_string(driverMode);
        ScopedFile(world, "[World]\nOsCode=12\nOpMode=" + mode + "\nStoredOpMode=" + mode + "\nJournal=" + journal +
                              "\n[NetAdapter1]\nName=Office Ethernet\nKind=PCI\n"
                              "[NetAdapter2]\nName=Phone Tether\nKind=Bluetooth\n"
                              "[NetAdapter3]\nName=Hosted Miniport\nKind=Virtual\n")
            .Keep();
    }
    bool Journalled(const std::string& line, size_t from = 0) const
    {
        return ReadWholeFile(journal).find(line, from) != std::string::npos;
    }
    // The mode the program last gave the driver; -1 when it gave none.
    int LastModeSet() const
    {
        const std::string calls = ReadWholeFile(journal);
        const size_t at = calls.rfind("QXWL_SetAndWriteOPMode(");
        return at == std::string::npos ? -1 : atoi(calls.c_str() + at + strlen("QXWL_SetAndWriteOPMode("));
    }
    // The first word of the operation-mode record; -1 without a whole record.
    int StoredMode() const
    {
        const std::string bytes = ReadWholeFile(dataFile);
        return bytes.size() == 8 ? static_cast<unsigned char>(bytes[0]) : -1;
    }
    // The access-point button, as an administrator presses it; the hosted link page then shows.
    static bool StartHostedNetwork(HWND main)
    {
        PressButton(main, kApModeButton);
        return PumpUntil([&] { return WindowWith(main, 0, kApLinkSsid) != nullptr; }, kTimeoutMs);
    }

    std::string world = BinFolder() + "QxSimWorld.ini";
    std::string journal = BinFolder() + "HostedJournal.txt";
    std::string switchFile = BinFolder() + "SoftApConfig.ini";
    std::string swapLog = BinFolder() + "QxSwap.log";
    std::string bridgeLog = BinFolder() + "VarodiVevovi.log";
    std::string dataFile = DataFolder() + "BinaryReg.Orz";

private:
    SavedFiles m_data{dataFile, switchFile};
};

class SoftApSaveEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        ForgetProfileStore();
        for (const std::string& file : {journal, bridgeLog}) ::DeleteFileA(file.c_str());
        // Vista, started in access-point mode; five more network adapters in the machine.
        ScopedFile(stationWorld, "[World]\nOsCode=10\nOpMode=1\n").Keep();
        ScopedFile(apWorld, "[World]\nJournal=" + journal +
                                "\n[NetAdapter1]\nName=Office Ethernet\nKind=PCI\n"
                                "[NetAdapter2]\nName=Phone Tether\nKind=Bluetooth\n"
                                "[NetAdapter3]\nName=Broken NIC\nKind=PCI\nProblem=1\n"
                                "[NetAdapter4]\nName=Travel Dongle\nKind=USB\n"
                                "[NetAdapter5]\nName=Unseen NIC\nKind=PCI\nHidden=1\n")
            .Keep();
        ScopedFile(bridgeWorld, "[Bind]\r\nSucceeds=0\r\nHoldMs=1500\r\n").Keep();
    }
    void TearDown() override
    {
        for (const std::string& file : {stationWorld, apWorld, bridgeWorld, journal, bridgeLog}) ::DeleteFileA(file.c_str());
        ForgetProfileStore();
    }
    // The skinned configuration page, shown from its tab.
    static HWND ConfigurationPage(const ChildProcess& program)
    {
        HWND main = WaitForMainWindow(program.Id());
        if (!main) return nullptr;
        Click(::GetDlgItem(main, kTabConfiguration));
        return WaitForWindowWith(main, 0, kSsid, kTimeoutMs);
    }
    std::string JournalFrom(size_t from) const
    {
        const std::string calls = ReadWholeFile(journal);
        return from < calls.size() ? calls.substr(from) : "";
    }

    std::string stationWorld = BinFolder() + "QxSimWorld.ini";
    std::string apWorld = BinFolder() + "QxSimAp.ini";
    std::string bridgeWorld = BinFolder() + "VarodiVevoviWorld.ini";
    std::string journal = BinFolder() + "SoftApSaveJournal.txt";
    std::string bridgeLog = BinFolder() + "VarodiVevovi.log";

private:
    SavedFiles m_data{DataFolder() + "BinaryReg.Orz", DataFolder() + "BinaryReg2.Orz"};
};
}  // namespace

TEST_F(HostedNetworkEndToEnd, SkinnedPageSavesSsidAndPassPhraseAndRefusesABadKey)
{
    FakeNotificationArea tray;
    ChildProcess program(ProgramCommand(), BinFolder());
    HWND main = WaitForMainWindow(program.Id());
    ASSERT_TRUE(main);
    ASSERT_TRUE(Control(main, kStationSsid)) << "starts in station mode";
    const size_t switched = ReadWholeFile(journal).size();
    ASSERT_TRUE(StartHostedNetwork(main));
    EXPECT_EQ(2, LastModeSet());
    EXPECT_TRUE(PumpUntil([] { return ReadWholeFile(BinFolder() + "QxSwap.log").find(" ON ") != std::string::npos; },
                          kTimeoutMs));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(main, kTabThird))) << "no MAC filter on the hosted network";

    Click(::GetDlgItem(main, kTabConfiguration));
    HWND psk = Control(main, kPreSharedKey);
    ASSERT_TRUE(psk);
    HWND page = ::GetParent(psk);
    // The page reloads itself once, 1.5 s after the switch: entries wait for that reload, which
    // comes beside the load of its showing.
    ASSERT_TRUE(WaitForTicks(journal, kAdapterListLine, switched, 2)) << ReadWholeFile(journal).substr(switched);
    EXPECT_EQ("WPA2-PSK", ItemText(page, kSecurityType));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(page, kSecurityType)));
    // The machine's adapters: neither the Bluetooth nor the virtual one, nor the utility's own.
    EXPECT_EQ(std::vector<std::string>{"Office Ethernet"}, ComboEntries(::GetDlgItem(page, kBridgeAdapter)));

    Type(page, kSsid, "Garden-Hosted");
    Type(page, kPreSharedKey, "short");
    const size_t before = ReadWholeFile(journal).size();
    PressButton(page, kSave);
    EXPECT_EQ(EnglishText("IDS_MSG_PREKEY_ERROR"), Answer(program, "KPL4471"));
    // Nothing reached the library, not by the program's next status poll either.
    EXPECT_TRUE(WaitForStatusPolls(journal, ReadWholeFile(journal).size()));
    EXPECT_FALSE(Journalled("QXWL_WriteExtAPConfig", before));
    EXPECT_FALSE(Journalled("QXWL_HostedNetworkSetup", before));

    Type(page, kPreSharedKey, "garden-party-24");
    Click(::GetDlgItem(page, kBridge));
    ASSERT_TRUE(PumpUntil([&] { return Checked(page, kBridge); }, kTimeoutMs));
    PressButton(page, kSave);
    // A hosted network never configured before takes the default peer count.
    EXPECT_TRUE(PumpUntil([&] { return Journalled("QXWL_HostedNetworkSetup(Garden-Hosted)", before); }, kTimeoutMs));
    EXPECT_TRUE(Journalled("SIM hosted configuration Garden-Hosted key garden-party-24 peers 20", before));
    // Bridged with the address of the hosted network the SAVE brought up.
    const std::string command = " BINDWIN7+02:4B:45:4C:56:4F+Office Ethernet+" +
                                std::to_string(reinterpret_cast<UINT_PTR>(page)) + "+\r\n";
    EXPECT_TRUE(PumpUntil([&] { return ReadWholeFile(bridgeLog).find(command) != std::string::npos; }, kTimeoutMs))
        << ReadWholeFile(bridgeLog);
    // No refusal: the bridge program has ended, the page's waiter has read its answer and posted
    // it, and a status poll later no box has come.
    EXPECT_TRUE(PumpUntil(softap_test::BridgeProgramDone, kTimeoutMs));
    EXPECT_TRUE(WaitForStatusPolls(journal, ReadWholeFile(journal).size()));
    EXPECT_EQ(nullptr, WaitForWindow("#32770", "KPL4471", program.Id(), 0)) << "no refusal";
    EXPECT_TRUE(ExitFromTray(program));
}

TEST_F(HostedNetworkEndToEnd, TheHostedNetworkTheDriverKeepsOutlivesTheProgram)
{
    FakeNotificationArea tray;
    {
        ChildProcess program(ProgramCommand(), BinFolder());
        HWND main = WaitForMainWindow(program.Id());
        ASSERT_TRUE(main);
        ASSERT_TRUE(StartHostedNetwork(main));
        ASSERT_TRUE(ExitFromTray(program));
    }
    // Ending the program leaves the hosted network up: the driver keeps the mode it was last given.
    EXPECT_FALSE(Journalled("QXWL_HostedNetworkStopUsing"));
    const int driverMode = LastModeSet();
    ASSERT_EQ(2, driverMode);
    WriteWorld(driverMode);
    for (const std::string& file : {journal, swapLog}) ::DeleteFileA(file.c_str());

    ChildProcess program(ProgramCommand(), BinFolder());
    HWND main = WaitForMainWindow(program.Id());
    ASSERT_TRUE(main);
    // The program takes the running hosted network as it is: nothing stops it, nothing swaps
    // the connection sharing off, and only the soft-AP mode brings the access-point pages up.
    ASSERT_TRUE(Control(main, kStationSsid));
    EXPECT_EQ(nullptr, WindowWith(main, 0, kApLinkSsid));
    EXPECT_FALSE(Journalled("QXWL_HostedNetworkStopUsing"));
    EXPECT_FALSE(Journalled("QXWL_SetAndWriteOPMode(0)"));
    EXPECT_FALSE(FileExists(swapLog)) << ReadWholeFile(swapLog);

    // The access-point button shows its pages without setting the hosted network up again.
    ASSERT_TRUE(StartHostedNetwork(main));
    EXPECT_FALSE(Journalled("QXWL_HostedNetworkSetup"));
    EXPECT_FALSE(Journalled("QXWL_HostedNetworkStopUsing"));
    ASSERT_TRUE(ExitFromTray(program));
    EXPECT_EQ(2, StoredMode()) << "the program ran with the hosted network throughout";
}

TEST_F(SoftApSaveEndToEnd, ARefusedSaveLeavesNothingBehindAndAGoodOneReachesTheLibrary)
{
    FakeNotificationArea tray;
    ChildProcess program(ProgramCommand(), BinFolder());
    HWND page = ConfigurationPage(program);
    ASSERT_TRUE(page);
    EXPECT_EQ("Kelvo_WLAN", ItemText(page, kSsid));

    // The configuration page refuses an empty SSID, after the security dialog took its part.
    Click(::GetDlgItem(page, kBridge));
    ASSERT_TRUE(PumpUntil([&] { return Checked(page, kBridge); }, kTimeoutMs));
    ASSERT_TRUE(ChooseText(page, kBridgeAdapter, "Travel Dongle"));
    Type(page, kSsid, "");
    ASSERT_TRUE(ChooseText(page, kSecurityType, "WPA2-PSK"));
    Type(page, kPreSharedKey, "meadow-lark-77");
    const size_t before = ReadWholeFile(journal).size();
    PressButton(page, kSave);
    EXPECT_EQ(EnglishText("IDS_ADHOCINPUTSSID"), Answer(program, ApText("IDS_APCONFIGMSG")));
    // Nothing reached the library, not by the program's next poll of the access point either.
    EXPECT_TRUE(WaitForTicks(journal, kApPollLine, ReadWholeFile(journal).size()));
    EXPECT_EQ(std::string::npos, JournalFrom(before).find("QXAP_WriteandSetConfigData")) << JournalFrom(before);
    // A companion program started by the SAVE may not have written its log yet, but it runs.
    EXPECT_FALSE(FileExists(bridgeLog) || softap_test::BridgeProgramRunning(program.Id())) << "nothing bound";
    // Reloaded from what is stored, the page shows no bridge: none was stored.
    PressButton(page, kCancel);
    ASSERT_TRUE(PumpUntil([&] { return ItemText(page, kSsid) == "Kelvo_WLAN"; }, kTimeoutMs));
    EXPECT_FALSE(Checked(page, kBridge));
    EXPECT_FALSE(FileExists(DataFolder() + "BinaryReg2.Orz"));

    Type(page, kSsid, "Meadow-AP");
    ASSERT_TRUE(ChooseText(page, kSecurityType, "WPA2-PSK"));
    Type(page, kPreSharedKey, "meadow-lark-77");
    ASSERT_TRUE(ChooseText(page, kChannel, "11"));
    PressButton(page, kSave);
    // WPA2-PSK is authentication mode 7 with AES (encryption status 6).
    EXPECT_TRUE(PumpUntil([&] {
        return JournalFrom(before).find("SIM stored Meadow-AP channel 11 auth 7 encryption 6 key meadow-lark-77") !=
               std::string::npos;
    }, kTimeoutMs)) << JournalFrom(before);
    // No box comes of it by the program's next poll of the access point.
    EXPECT_TRUE(WaitForTicks(journal, kApPollLine, ReadWholeFile(journal).size()));
    EXPECT_EQ(nullptr, WaitForWindow("#32770", ApText("IDS_APCONFIGMSG").c_str(), program.Id(), 0));
    EXPECT_EQ(nullptr, WaitForWindow("#32770", "KPL4471", program.Id(), 0));
    EXPECT_TRUE(ExitFromTray(program));
}

TEST_F(SoftApSaveEndToEnd, TheMachinesAdaptersAreOfferedAndAFailedBindingIsToldToTheUser)
{
    FakeNotificationArea tray;
    ChildProcess program(ProgramCommand(), BinFolder());
    HWND page = ConfigurationPage(program);
    ASSERT_TRUE(page);
    // Neither the Bluetooth, the faulty nor the hidden adapter, nor the access point's own.
    const std::vector<std::string> offered{"Office Ethernet", "Travel Dongle"};
    EXPECT_EQ(offered, ComboEntries(::GetDlgItem(page, kBridgeAdapter)));
    EXPECT_FALSE(Checked(page, kBridge));

    Click(::GetDlgItem(page, kBridge));
    ASSERT_TRUE(PumpUntil([&] { return Checked(page, kBridge); }, kTimeoutMs));
    ASSERT_TRUE(ChooseText(page, kBridgeAdapter, "Travel Dongle"));
    PressButton(page, kSave);
    const std::string command = " BIND+" + std::string(kOwnAdapter) + "+Travel Dongle+" +
                                std::to_string(reinterpret_cast<UINT_PTR>(page)) + "+\r\n";
    EXPECT_TRUE(PumpUntil([&] { return ReadWholeFile(bridgeLog).find(command) != std::string::npos; }, kTimeoutMs))
        << ReadWholeFile(bridgeLog);
    // The companion program answers that the binding failed.
    EXPECT_EQ(ApText("IDS_AP_BIND_ERROR"), Answer(program, "KPL4471"));
    EXPECT_TRUE(ExitFromTray(program));
}
