// The real program in access-point mode, driven through its skinned configuration pages as a user
// drives them: each choice SAVE takes reaches the simulated access point (the band, there after a
// restart too; mixed WPA/WPA2; WPA2 with TKIP and AES), a choice the adapter does not allow is
// refused with a message, the first run with an empty record opens quietly and saves, the bridge
// companion gets the contract's command and a silent binding is told, leaving the mode unbinds from
// any tab, and the hosted network refuses a long SSID.
#include <gtest/gtest.h>
#include "contract/SoftApRecords.h"
#include "program/ApModeFixture.h"
#include "program/ProgramWindows.h"
#include "support/FakeNotificationArea.h"
#include "support/TestSupport.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace testing_support;
using namespace program_windows;

namespace {
constexpr DWORD kTimeoutMs = 20000;
constexpr int kTabLink = 8004, kTabConfiguration = 8005;
constexpr int kSsid = 2704, kMode = 2708, kChannel = 2711, kPower = 2714, kBridge = 2715, kBridgeAdapter = 2717;
constexpr int kSecurityType = 2720, kKey = 2733, kEncryption = 2736, kPsk = 2739, kSave = 2740;
constexpr int kStationSsid = 1112;
constexpr char kProductCaption[] = "KPL4471";
constexpr char kHiddenCaption[] = "Quixen Utility";
constexpr char kOwnAdapter[] = "Kelvo Wireless LAN Card";

// What a user does on the program's windows, each control checked to be in sight first.
class UserOfProgram : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (program) ExitFromTray(*program);
    }
    void Start()
    {
        program = std::make_unique<ChildProcess>(ProgramCommand(), BinFolder());
        main = WaitForMainWindow(program->Id());
        ASSERT_TRUE(main);
    }
    void Restart()
    {
        ASSERT_TRUE(ExitFromTray(*program));
        program.reset();
        Start();
    }
    // A tab's click; the skinned page it shows, found by one of its controls once it is in sight.
    HWND OpenTab(int tab, int controlId)
    {
        HWND tabControl = ::GetDlgItem(main, tab);
        EXPECT_TRUE(UserCanSee(tabControl));
        Click(tabControl);
        HWND control = nullptr;
        PumpUntil([&] { return (control = FindControl(main, controlId)) && UserCanSee(control); }, kTimeoutMs);
        // The click's work is done once the program answers again.
        SendAndWait(main, WM_NULL, 0, 0);
        return control ? ::GetParent(control) : nullptr;
    }
    static HWND Seen(HWND page, int id)
    {
        HWND control = ::GetDlgItem(page, id);
        EXPECT_TRUE(UserCanSee(control)) << "control " << id;
        return control;
    }
    static void Type(HWND page, int id, const std::string& text)
    {
        ::SendMessageA(Seen(page, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    static bool Choose(HWND page, int id, const std::string& text) { return ChooseComboText(Seen(page, id), text); }
    static void Press(HWND page, int id)
    {
        Seen(page, id);
        PressButton(page, id);
    }
    static void Check(HWND page, int id)
    {
        HWND box = Seen(page, id);
        Click(box);
        EXPECT_TRUE(PumpUntil([&] { return ::SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }, kTimeoutMs));
    }
    // The message box that comes up, answered with OK once it is in sight; its text, empty when
    // none came.
    std::string Answer()
    {
        HWND box = nullptr;
        if (!PumpUntil([&] { return (box = OpenMessageBox(program->Id())) != nullptr; }, kTimeoutMs)) return "";
        EXPECT_TRUE(WaitUntilSeen(box, kTimeoutMs)) << "a box nobody could see";
        char text[512] = "";
        ::GetDlgItemTextA(box, kMessageBoxTextId, text, sizeof text);
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(PumpUntil([&] { return !::IsWindow(box); }, kTimeoutMs));
        return text;
    }
    bool NoBoxUp() { return OpenMessageBox(program->Id()) == nullptr; }

    FakeNotificationArea tray;
    std::unique_ptr<ChildProcess> program;
    HWND main = nullptr;
};

// Vista, started in access-point mode on the soft-AP library, whose stored configuration lives in
// a file as a real library keeps it across runs.
class SoftApPages : public UserOfProgram {
protected:
    void SetUp() override
    {
        ForgetProfileStore();
        for (const std::string& file : {journal, store, bridgeLog}) ::DeleteFileA(file.c_str());
        ScopedFile(stationWorld, "[World]\nOsCode=10\nOpMode=1\n").Keep();
        ApWorld("");
    }
    void TearDown() override
    {
        UserOfProgram::TearDown();
        for (const std::string& file : {stationWorld, apWorld, bridgeWorld, journal, store, bridgeLog})
            ::DeleteFileA(file.c_str());
        ForgetProfileStore();
    }
    void ApWorld(const std::string& extra)
    {
        ScopedFile(apWorld, "[World]\nJournal=" + journal + "\nStore=" + store + "\n" + extra +
                                "[NetAdapter1]\nName=Office Ethernet\nKind=PCI\n[NetAdapter2]\nName=Travel Dongle\nKind=USB\n")
            .Keep();
    }
    void BridgeWorld(const std::string& keys) { ScopedFile(bridgeWorld, "[Bind]\r\n" + keys).Keep(); }
    std::string Journal() const { return ReadWholeFile(journal); }
    bool Stored(const std::string& line, size_t from = 0) const { return Journal().find(line, from) != std::string::npos; }
    HWND ConfigurationPage() { return OpenTab(kTabConfiguration, kSsid); }

    std::string stationWorld = BinFolder() + "QxSimWorld.ini";
    std::string apWorld = BinFolder() + "QxSimAp.ini";
    std::string bridgeWorld = BinFolder() + "VarodiVevoviWorld.ini";
    std::string journal = BinFolder() + "SkinnedApJournal.txt";
    std::string store = BinFolder() + "SkinnedApStore.bin";
    std::string bridgeLog = BinFolder() + "VarodiVevovi.log";

private:
    SavedFiles m_data{DataFolder() + "BinaryReg.Orz", DataFolder() + "BinaryReg2.Orz", BinFolder() + "ApDefaultSetting.dat"};
};

// A stored WPA record "Mixed-AP" on channel 6 with the key "mixed-secret".
AP_CONFIG_DATA WpaRecord(ULONG auth, ULONG encryption)
{
    AP_CONFIG_DATA c{};
    const char ssid[] = "Mixed-AP", psk[] = "mixed-secret";
    c.Ssid.SsidLength = sizeof ssid - 1;
    memcpy(c.Ssid.Ssid, ssid, c.Ssid.SsidLength);
    c.PhyMode = 9;
    c.lFreq = 2437000;  // channel 6
    c.nBeaconPeriod = 100;
    c.lRtsThre = 2347;
    c.lFragThre = 2346;
    c.bTxBurst = c.bShortSlot = 1;
    c.enumAuthenMode = auth;
    c.enumEncryStatus = encryption;
    c.nPskKeyLen = sizeof psk - 1;
    memcpy(c.chPskKey, psk, c.nPskKeyLen);
    c.nGroupRekeyInterval = 60;
    c.nIdleTime = 300;
    return c;
}
}  // namespace

TEST_F(SoftApPages, FiveGigahertzIsSavedAndInForceAfterARestart)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    HWND page = ConfigurationPage();
    ASSERT_TRUE(page);
    EXPECT_EQ(EnglishText("IDS_PHY_24G"), ItemText(page, kMode));
    EXPECT_NE(ComboEntries(::GetDlgItem(page, kPower)).size(), 9u);

    // The band brings its own channels and rates with it, before anything is saved.
    ASSERT_TRUE(Choose(page, kMode, EnglishText("IDS_PHY_5G")));
    const std::vector<std::string> channels = ComboEntries(::GetDlgItem(page, kChannel));
    ASSERT_FALSE(channels.empty());
    EXPECT_EQ("36", channels.front());
    EXPECT_EQ(9u, ComboEntries(::GetDlgItem(page, kPower)).size()) << "Auto and the eight OFDM rates";
    ASSERT_TRUE(Choose(page, kChannel, "149"));
    Press(page, kSave);
    // 802.11a/n is wireless mode 8.
    ASSERT_TRUE(PumpUntil([&] { return Stored("SIM stored Kelvo_WLAN channel 149 auth 7 encryption 6 key 12345678 mode 8"); },
                          kTimeoutMs))
        << Journal();
    SendAndWait(main, WM_NULL, 0, 0);
    EXPECT_TRUE(NoBoxUp());

    ASSERT_NO_FATAL_FAILURE(Restart());
    page = ConfigurationPage();
    ASSERT_TRUE(page);
    EXPECT_EQ(EnglishText("IDS_PHY_5G"), ItemText(page, kMode));
    EXPECT_EQ("149", ItemText(page, kChannel));
}

TEST_F(SoftApPages, MixedWpaAndWpa2AndBothCiphersStayMixedThroughASave)
{
    const struct {
        ULONG auth, encryption;
        const char *security, *cipher;
    } records[] = {{9, 6, "WPA-PSK/WPA2-PSK", "AES"}, {7, 8, "WPA2-PSK", "TKIP+AES"}};
    for (const auto& r : records) {
        if (program) {
            ASSERT_TRUE(ExitFromTray(*program));
        }
        const AP_CONFIG_DATA mixed = WpaRecord(r.auth, r.encryption);
        ScopedFile(store, std::string(reinterpret_cast<const char*>(&mixed), sizeof mixed)).Keep();
        ASSERT_NO_FATAL_FAILURE(Start());
        HWND page = ConfigurationPage();
        ASSERT_TRUE(page);
        EXPECT_EQ(r.security, ItemText(page, kSecurityType));
        EXPECT_EQ(r.cipher, ItemText(page, kEncryption));
        EXPECT_EQ("mixed-secret", ItemText(page, kPsk));
        Type(page, kSsid, "Mixed-Renamed");
        Press(page, kSave);
        const std::string line = "SIM stored Mixed-Renamed channel 6 auth " + std::to_string(r.auth) + " encryption " +
                                 std::to_string(r.encryption) + " key mixed-secret";
        EXPECT_TRUE(PumpUntil([&] { return Stored(line); }, kTimeoutMs)) << Journal();
    }
}

TEST_F(SoftApPages, ACipherThe80211nAdapterBarsIsRefusedWithTheReason)
{
    ScopedFile settings(BinFolder() + "KPL4471.ini", "[Settings]\r\nProhibitTKIPonHT=1\r\nProhibitWEPonHT=1\r\n");
    ASSERT_NO_FATAL_FAILURE(Start());
    HWND page = ConfigurationPage();
    ASSERT_TRUE(page);
    // WPA-PSK comes with a cipher this adapter takes.
    ASSERT_TRUE(Choose(page, kSecurityType, "WPA-PSK"));
    EXPECT_EQ("AES", ItemText(page, kEncryption));

    const std::string reason = ApText("IDS_AP_SECURITY_NOT_WITH_11N");
    ASSERT_FALSE(reason.empty());
    const size_t before = Journal().size();
    ASSERT_TRUE(Choose(page, kEncryption, "TKIP"));
    Type(page, kPsk, "tkip-is-barred");
    Press(page, kSave);
    EXPECT_EQ(reason, Answer());

    ASSERT_TRUE(Choose(page, kSecurityType, "WEP"));
    Type(page, kKey, "abcde");
    Press(page, kSave);
    EXPECT_EQ(reason, Answer());
    SendAndWait(main, WM_NULL, 0, 0);
    EXPECT_FALSE(Stored("QXAP_WriteandSetConfigData", before)) << Journal().substr(before);
}

TEST_F(SoftApPages, TheFirstRunOnAnEmptyRecordOpensQuietlyAndItsFirstSaveIsStored)
{
    ApWorld("StoredConfig=1\n");
    ASSERT_NO_FATAL_FAILURE(Start());
    HWND page = ConfigurationPage();
    ASSERT_TRUE(page) << "a box held the page back: " << (OpenMessageBox(program->Id()) ? "yes" : "no");
    EXPECT_TRUE(NoBoxUp());
    EXPECT_EQ("Kelvo_WLAN", ItemText(page, kSsid));
    ASSERT_TRUE(Choose(page, kSecurityType, "WPA2-PSK"));
    Type(page, kPsk, "first-run-key");
    Press(page, kSave);
    EXPECT_TRUE(PumpUntil([&] { return Stored("SIM stored Kelvo_WLAN channel 1 auth 7 encryption 6 key first-run-key"); },
                          kTimeoutMs))
        << Journal();
    SendAndWait(main, WM_NULL, 0, 0);
    EXPECT_TRUE(NoBoxUp());
}

TEST_F(SoftApPages, TheCompanionGetsTheContractsCommandAndASilentBindingIsTold)
{
    // The companion program starts, never answers and ends.
    BridgeWorld("Answers=0\r\nHoldMs=300\r\n");
    ASSERT_NO_FATAL_FAILURE(Start());
    HWND page = ConfigurationPage();
    ASSERT_TRUE(page);
    Check(page, kBridge);
    ASSERT_TRUE(Choose(page, kBridgeAdapter, "Travel Dongle"));
    Press(page, kSave);
    EXPECT_EQ(ApText("IDS_AP_BIND_ERROR"), Answer());
    // Adapter names with blanks, unquoted: the fields as they are, each ended by '+'.
    const std::string command = " BIND+" + std::string(kOwnAdapter) + "+Travel Dongle+" +
                                std::to_string(reinterpret_cast<UINT_PTR>(page)) + "+\r\n";
    EXPECT_NE(std::string::npos, ReadWholeFile(bridgeLog).find(command)) << ReadWholeFile(bridgeLog);
}

namespace {
// Windows 7 with the hosted network; started in station mode, switched by the access-point button.
class HostedPages : public UserOfProgram {
protected:
    void SetUp() override
    {
        ForgetProfileStore();
        ScopedFile(switchFile, "[Config]\r\nIDS_SOFTAP_MODE=1\r\n").Keep();
        for (const std::string& file : {journal, bridgeLog}) ::DeleteFileA(file.c_str());
        World("");
    }
    void TearDown() override
    {
        UserOfProgram::TearDown();
        for (const std::string& file : {world, journal, bridgeLog}) ::DeleteFileA(file.c_str());
        ForgetProfileStore();
    }
    void World(const std::string& extra)
    {
        ScopedFile(world, "[World]\nOsCode=12\nJournal=" + journal + "\n" + extra +
                              "[NetAdapter1]\nName=Office Ethernet\nKind=PCI\n")
            .Keep();
    }
    bool Journalled(const std::string& line, size_t from = 0) const
    {
        return ReadWholeFile(journal).find(line, from) != std::string::npos;
    }
    HWND HostedConfigurationPage()
    {
        Seen(main, kApModeButton);
        PressButton(main, kApModeButton);
        if (!PumpUntil([&] { return ::IsWindowEnabled(::GetDlgItem(main, kTabConfiguration)) &&
                                    WindowWith(main, 0, kApLinkSsid) != nullptr; }, kTimeoutMs))
            return nullptr;
        return OpenTab(kTabConfiguration, kPsk);
    }
    static constexpr int kApModeButton = 8012, kApLinkSsid = 2752;

    std::string world = BinFolder() + "QxSimWorld.ini";
    std::string journal = BinFolder() + "HostedPagesJournal.txt";
    std::string switchFile = BinFolder() + "SoftApConfig.ini";
    std::string bridgeLog = BinFolder() + "VarodiVevovi.log";

private:
    SavedFiles m_data{DataFolder() + "BinaryReg.Orz", switchFile};
};
}  // namespace

TEST_F(HostedPages, AnSsidLongerThanThirtyTwoIsRefusedNotCut)
{
    ASSERT_NO_FATAL_FAILURE(Start());
    HWND page = HostedConfigurationPage();
    ASSERT_TRUE(page);
    Type(page, kPsk, "garden-party-24");
    const size_t before = ReadWholeFile(journal).size();
    for (size_t length : {33u, 5000u}) {
        Type(page, kSsid, std::string(length, 'G'));
        Press(page, kSave);
        EXPECT_EQ("Enter no more than 32 characters.", Answer()) << length;
    }
    SendAndWait(main, WM_NULL, 0, 0);
    EXPECT_FALSE(Journalled("QXWL_WriteExtAPConfig", before));
    EXPECT_FALSE(Journalled("QXWL_HostedNetworkSetup", before));
    Type(page, kSsid, std::string(32, 'G'));
    Press(page, kSave);
    EXPECT_TRUE(PumpUntil([&] { return Journalled("QXWL_HostedNetworkSetup(" + std::string(32, 'G') + ")", before); },
                          kTimeoutMs));
}

// The station side's start-up and the way back from the access point, with the mode buttons.
class ModeSwitchBridge : public ApModeFixture {};

TEST_F(ModeSwitchBridge, LeavingTheAccessPointFromItsLinkTabUnbindsTheBridge)
{
    const std::string bridgeLog = BinFolder() + "VarodiVevovi.log";
    ::DeleteFileA(bridgeLog.c_str());
    SavedFiles bridgeWord{DataFolder() + "BinaryReg2.Orz"};  // Vista keeps the bridge word there
    ScopedFile bridgeWorld(BinFolder() + "VarodiVevoviWorld.ini", "[Bind]\r\nSucceeds=1\r\nHoldMs=300\r\n");
    WriteApWorld("[NetAdapter1]\nName=Office Ethernet\nKind=PCI\n");
    FakeNotificationArea tray;
    ChildProcess program(ProgramCommand(), BinFolder());
    HWND main = WaitForMainWindow(program.Id());
    ASSERT_TRUE(main);
    // The station side is up, with its hidden 802.11n page, which reads the ack policy.
    ASSERT_TRUE(Control(main, kStationSsid));
    EXPECT_TRUE(PumpUntil([&] { return ReadWholeFile(stationJournal).find("QXWL_ReadAckPolicy") != std::string::npos; },
                          kTimeoutMs));

    ASSERT_TRUE(SwitchToAccessPoint(main));
    Click(::GetDlgItem(main, kTabConfiguration));
    HWND bridge = Control(main, kBridge);
    ASSERT_TRUE(bridge && UserCanSee(bridge));
    HWND page = ::GetParent(bridge);
    Click(bridge);
    ASSERT_TRUE(PumpUntil([&] { return ::SendMessageA(bridge, BM_GETCHECK, 0, 0) == BST_CHECKED; }, kTimeoutMs));
    ASSERT_TRUE(UserCanSee(::GetDlgItem(page, kSave)));
    PressButton(page, kSave);
    ASSERT_TRUE(PumpUntil([&] { return ReadWholeFile(bridgeLog).find(" BIND+") != std::string::npos; }, kTimeoutMs));

    // Back to the station from the link tab: the configuration page is not in sight.
    ASSERT_TRUE(Control(main, kApSsid)) << "SAVE shows the link tab";
    HWND stationButton = ::GetDlgItem(main, kStationModeButton);
    ASSERT_TRUE(UserCanSee(stationButton));
    PressButton(main, kStationModeButton);
    EXPECT_TRUE(PumpUntil([&] { return ReadWholeFile(bridgeLog).find("UNBINDALL+") != std::string::npos; }, kTimeoutMs))
        << ReadWholeFile(bridgeLog);
    ASSERT_TRUE(Control(main, kStationSsid));
    EXPECT_TRUE(ExitFromTray(program));
}
