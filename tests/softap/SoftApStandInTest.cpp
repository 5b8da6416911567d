// The stand-in soft-AP library's access point, driven through the program's library object and
// observed through its SIM_ interface: adapters, stations that join and leave, the access-control
// list, the DHCP server, device removal, the stored configuration and the journal.
#include <gtest/gtest.h>
#include "core/QXAPLIB.h"
#include "contract/StationContract.h"
#include "softap/NetAdapterDevice.h"
#include "softap/SoftApSim.h"
#include "support/TestSupport.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using softap_test::SoftApSim;

constexpr char kPhone[] = "00:11:22:33:44:55";
constexpr char kLaptop[] = "00:11:22:33:44:66";

class SoftApStandIn : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sim.Loaded()) << SoftApSim::LibraryPath();
        ASSERT_TRUE(sim.Reset());
        ASSERT_TRUE(lib->LoadApi(SoftApSim::LibraryPath().c_str()));
    }

    // The hidden dialog's way into access-point mode: adapter, driver mode, set-up, DHCP.
    void StartAccessPoint()
    {
        ASSERT_EQ(QXWL_ERROR_SUCCESS, lib->QXAP_Initial("Quixen", nullptr));
        ASSERT_EQ(1, TakeFirstAdapter());
        ASSERT_TRUE(lib->QXAP_SetOPMode(1));
        ASSERT_EQ(QXWL_ERROR_SUCCESS, lib->QXAP_InitAPSettings());
        ASSERT_EQ(QXWL_ERROR_SUCCESS, lib->QXAP_EnableDhcpServer());
    }

    LONG TakeFirstAdapter()
    {
        std::vector<BYTE> list(kAdapterListHeaderBytes + sizeof(ADAPTER_ENTRY));
        const LONG count = lib->QXAP_GetAvailableAdapters(list.data(), 1);
        if (count >= 1) {
            memcpy(&lib->m_AdapterEntry, list.data() + kAdapterListHeaderBytes, sizeof(ADAPTER_ENTRY));
            lib->QXAP_AdapterSelect(&lib->m_AdapterEntry, 0, nullptr);
        }
        return count;
    }

    std::vector<std::string> TableAddresses()
    {
        VN_802_11_MAC_TABLE table = {};
        if ((lib->QXAP_QueryMacTable(&table) & 0xFF) == 0) return {};
        std::vector<std::string> macs;
        for (ULONG i = 0; i < table.Num && i < kApMacTableMaxEntries; ++i) {
            char text[18];
            const UCHAR* m = table.Entry[i].Addr;
            snprintf(text, sizeof text, "%02X:%02X:%02X:%02X:%02X:%02X", m[0], m[1], m[2], m[3], m[4], m[5]);
            macs.push_back(text);
        }
        return macs;
    }

    void ApplyAcl(ULONG policy, const std::vector<std::string>& macs)
    {
        AP_ACL_LIST acl = {};
        acl.Policy = policy;
        acl.Num = static_cast<ULONG>(macs.size());
        for (size_t i = 0; i < macs.size(); ++i)
            ASSERT_EQ(QXWL_ERROR_SUCCESS, lib->QXAP_ConvertMACStrToByte(macs[i].c_str(), acl.Entry[i].Addr));
        ASSERT_EQ(QXWL_ERROR_SUCCESS, lib->QXAP_Set80211ACL(&acl));
    }

    SoftApSim sim;
    std::unique_ptr<QXAPLIB> lib = std::make_unique<QXAPLIB>();
};

// --- Adapters and the driver ---------------------------------------------------------------

TEST_F(SoftApStandIn, AdapterListFollowsTheTooSmallProtocol)
{
    ASSERT_TRUE(sim.Load("[Adapter1]\nName=First Card\nDeviceID=USB\\VID_1\n[Adapter2]\nName=Second Card\n"));
    std::vector<BYTE> list(kAdapterListHeaderBytes + sizeof(ADAPTER_ENTRY));
    ASSERT_EQ(QXWL_ERROR_BUFFER_TOO_SMALL, lib->QXAP_GetAvailableAdapters(list.data(), 1));
    ULONG needed = 0;
    memcpy(&needed, list.data(), sizeof needed);
    ASSERT_EQ(2u, needed);
    list.resize(kAdapterListHeaderBytes + needed * sizeof(ADAPTER_ENTRY));
    ASSERT_EQ(2, lib->QXAP_GetAvailableAdapters(list.data(), static_cast<LONG>(needed)));
    const auto* entries = reinterpret_cast<const ADAPTER_ENTRY*>(list.data() + kAdapterListHeaderBytes);
    EXPECT_STREQ("First Card", entries[0].chName);
    EXPECT_STREQ("USB\\VID_1", entries[0].chDeviceID);
    EXPECT_STREQ("Second Card", entries[1].chName);
}

TEST_F(SoftApStandIn, DriverModeFollowsSetOpModeUnlessTheDriverRefuses)
{
    EXPECT_EQ(0, lib->QXAP_QueryOPMode());
    EXPECT_TRUE(lib->QXAP_SetOPMode(1));
    EXPECT_EQ(1, lib->QXAP_QueryOPMode());
    ASSERT_TRUE(sim.Set("SetOpModeFails", 1));
    EXPECT_FALSE(lib->QXAP_SetOPMode(0));
    EXPECT_EQ(1, lib->QXAP_QueryOPMode());
}

TEST_F(SoftApStandIn, DriverReportsNotReadyForTheConfiguredPolls)
{
    ASSERT_TRUE(sim.Load("[World]\nInitNotReadyPolls=2\n"));
    ULONG state = 9;
    for (int poll = 0; poll < 2; ++poll) {
        ASSERT_EQ(QXWL_ERROR_SUCCESS, lib->QXAP_QueryInitialState(&state));
        EXPECT_EQ(0u, state);
    }
    ASSERT_EQ(QXWL_ERROR_SUCCESS, lib->QXAP_QueryInitialState(&state));
    EXPECT_EQ(1u, state);
}

// --- Stations ------------------------------------------------------------------------------

TEST_F(SoftApStandIn, StationsAssociateOnlyWhileTheAccessPointRuns)
{
    EXPECT_FALSE(sim.Join(kPhone));
    EXPECT_TRUE(TableAddresses().empty());
    StartAccessPoint();
    EXPECT_EQ(std::vector<std::string>{kPhone}, TableAddresses());
    EXPECT_TRUE(sim.Join(kLaptop));
    EXPECT_EQ(2, sim.Get("Associated"));
    EXPECT_TRUE(sim.Leave(kPhone));
    EXPECT_EQ(std::vector<std::string>{kLaptop}, TableAddresses());
    EXPECT_FALSE(sim.Leave(kPhone));
}

TEST_F(SoftApStandIn, StationsOfTheWorldTextJoinWhenTheAccessPointStarts)
{
    ASSERT_TRUE(sim.Load("[Station1]\nMac=00:11:22:33:44:55\nPowerSave=1\nTxRate=0x8087\n"));
    StartAccessPoint();
    VN_802_11_MAC_TABLE table = {};
    ASSERT_NE(0, lib->QXAP_QueryMacTable(&table) & 0xFF);
    ASSERT_EQ(1u, table.Num);
    EXPECT_EQ(1, table.Entry[0].Aid);
    EXPECT_EQ(1, table.Entry[0].Psm);
    EXPECT_EQ(0x8087, table.Entry[0].TxRate);
    VN_802_11_MAC_TABLE_NOT_11N small = {};
    ASSERT_NE(0, lib->QXAP_QueryMacTableNOT_11N(&small) & 0xFF);
    ASSERT_EQ(1u, small.Num);
    EXPECT_EQ(0x55, small.Entry[0].Addr[5]);
}

TEST_F(SoftApStandIn, LeavingAccessPointModeDropsEveryStation)
{
    StartAccessPoint();
    ASSERT_TRUE(sim.Join(kPhone));
    ASSERT_TRUE(lib->QXAP_SetOPMode(0));
    EXPECT_EQ(0, sim.Get("Associated"));
    EXPECT_EQ(0, sim.Get("DhcpRunning"));
    EXPECT_EQ(0, lib->QXAP_QueryMacTable(nullptr));
}

// --- Access control ------------------------------------------------------------------------

TEST_F(SoftApStandIn, AllowPolicyAdmitsOnlyListedStations)
{
    StartAccessPoint();
    ASSERT_TRUE(sim.Join(kPhone));
    ASSERT_TRUE(sim.Join(kLaptop));
    ApplyAcl(AP_ACL_POLICY_ALLOW, {"001122334466"});
    EXPECT_EQ(std::vector<std::string>{kLaptop}, TableAddresses());
    ApplyAcl(AP_ACL_POLICY_DISABLE, {});
    EXPECT_EQ(2u, TableAddresses().size());
}

TEST_F(SoftApStandIn, RejectPolicyTurnsListedStationsAway)
{
    StartAccessPoint();
    ApplyAcl(AP_ACL_POLICY_REJECT, {"001122334455"});
    EXPECT_FALSE(sim.Join(kPhone));
    EXPECT_TRUE(sim.Join(kLaptop));
    EXPECT_EQ(std::vector<std::string>{kLaptop}, TableAddresses());
}

TEST_F(SoftApStandIn, AccessPolicyAndListTextsReadBackAsWritten)
{
    const char list[] = "001122334455\0AABBCCDDEEFF\0";  // two texts and the closing empty one
    ASSERT_EQ(QXWL_ERROR_SUCCESS, lib->QXAP_WriteAccessPolicy(2));
    ASSERT_EQ(QXWL_ERROR_SUCCESS, lib->QXAP_WriteAccessList(list, 13 * 2 + 1));
    char policy[kApAccessTextBytes];
    ASSERT_EQ(QXWL_ERROR_SUCCESS, lib->QXAP_ReadAccessPolicy(policy));
    EXPECT_STREQ("2", policy);
    char read[kApAccessTextBytes];
    memset(read, 'x', sizeof read);
    ASSERT_EQ(QXWL_ERROR_SUCCESS, lib->QXAP_ReadAccessList(read));
    EXPECT_EQ(0, memcmp(list, read, sizeof list));
}

TEST_F(SoftApStandIn, AccessListRecordWithMoreThan32EntriesIsRefused)
{
    AP_ACL_LIST acl = {};
    acl.Policy = AP_ACL_POLICY_ALLOW;
    acl.Num = kApAclMaxEntries + 1;
    EXPECT_NE(QXWL_ERROR_SUCCESS, lib->QXAP_Set80211ACL(&acl));
    EXPECT_EQ(0, sim.Get("AclPolicy"));
}

// --- DHCP server ---------------------------------------------------------------------------

TEST_F(SoftApStandIn, DhcpServerLeasesDistinctAddressesAndStopsWithTheServer)
{
    StartAccessPoint();
    ASSERT_TRUE(sim.Join(kPhone));
    ASSERT_TRUE(sim.Join(kLaptop));
    const std::string phone = sim.Lease(kPhone);
    EXPECT_EQ("192.168.123.100", phone);
    EXPECT_EQ("192.168.123.101", sim.Lease(kLaptop));
    ASSERT_TRUE(sim.Leave(kPhone));
    ASSERT_TRUE(sim.Join(kPhone));
    EXPECT_EQ(phone, sim.Lease(kPhone));  // the freed address is handed out again
    ASSERT_EQ(QXWL_ERROR_SUCCESS, lib->QXAP_DisableDhcpServer());
    EXPECT_EQ("", sim.Lease(kLaptop));
    EXPECT_EQ(2, sim.Get("Associated"));
}

// --- Device removal ------------------------------------------------------------------------

TEST_F(SoftApStandIn, RemovedDeviceDropsStationsAndMustBeSetUpAgain)
{
    StartAccessPoint();
    ASSERT_TRUE(sim.Join(kPhone));
    ASSERT_TRUE(sim.Set("DevicePresent", 0));
    EXPECT_EQ(0, sim.Get("Associated"));
    EXPECT_FALSE(lib->QXAP_IsDeviceExist(lib->m_AdapterEntry.chName));
    ULONG state = 1;
    lib->QXAP_QueryInitialState(&state);
    EXPECT_EQ(0u, state);
    EXPECT_EQ(QXWL_ERROR_FAILURE, lib->QXAP_EnableDhcpServer());

    ASSERT_TRUE(sim.Set("DevicePresent", 1));
    EXPECT_TRUE(lib->QXAP_IsDeviceExist(lib->m_AdapterEntry.chName));
    EXPECT_EQ(0, sim.Get("Associated"));  // in range, but nothing beacons yet
    ASSERT_EQ(QXWL_ERROR_SUCCESS, lib->QXAP_InitAPSettings());
    ASSERT_EQ(QXWL_ERROR_SUCCESS, lib->QXAP_EnableDhcpServer());
    EXPECT_EQ(std::vector<std::string>{kPhone}, TableAddresses());
    EXPECT_FALSE(sim.Lease(kPhone).empty());
}

// --- Configuration, Windows profile, journal -----------------------------------------------

TEST_F(SoftApStandIn, StoredConfigurationStartsAsTheFactoryOneAndKeepsWhatIsWritten)
{
    AP_CONFIG_DATA config = {};
    ASSERT_EQ(QXWL_ERROR_SUCCESS, lib->QXAP_ReadConfigData(&config));
    EXPECT_EQ(std::string("Kelvo_WLAN"), std::string(reinterpret_cast<char*>(config.Ssid.Ssid), config.Ssid.SsidLength));
    EXPECT_EQ(6, lib->QXAP_FrequencyToChannel(config.lFreq));

    config.Ssid.SsidLength = 4;
    memcpy(config.Ssid.Ssid, "Cafe", 4);
    config.lFreq = static_cast<ULONG>(lib->QXAP_ChannelToFrequency(11));
    AP_ADVANCE_DATA advance = {};
    ASSERT_EQ(QXWL_ERROR_SUCCESS, lib->QXAP_WriteandSetConfigData(config, advance));
    AP_CONFIG_DATA read = {};
    ASSERT_EQ(QXWL_ERROR_SUCCESS, lib->QXAP_ReadConfigData(&read));
    EXPECT_EQ(0, memcmp(&config, &read, sizeof config));
    AP_CONFIG_DATA factory = {};
    ASSERT_EQ(QXWL_ERROR_SUCCESS, lib->QXAP_GetAPDefault(&factory));
    EXPECT_EQ(10u, factory.Ssid.SsidLength);
}

TEST_F(SoftApStandIn, WhatTheDriverRunsIsJournalledOnlyWhenItTakesTheConfiguration)
{
    AP_CONFIG_DATA config = {};
    lib->QXAP_ReadConfigData(&config);
    config.Ssid.SsidLength = 4;
    memcpy(config.Ssid.Ssid, "Cafe", 4);
    config.lFreq = static_cast<ULONG>(lib->QXAP_ChannelToFrequency(11));
    config.enumAuthenMode = 7;
    config.enumEncryStatus = 6;
    config.nPskKeyLen = 8;
    memcpy(config.chPskKey, "espresso-and-more", 17);
    const std::string runs = "SIM access point runs Cafe on channel 11, auth 7, encry 6, key espresso";
    const auto journalled = [&] {
        const std::vector<std::string> journal = sim.Journal();
        return std::count(journal.begin(), journal.end(), runs);
    };
    // Stored only: without the device the driver runs nothing new.
    ASSERT_TRUE(sim.Set("DevicePresent", 0));
    sim.ClearJournal();
    ASSERT_EQ(QXWL_ERROR_SUCCESS, lib->QXAP_WriteandSetConfigData(config, AP_ADVANCE_DATA{}));
    EXPECT_EQ(0, journalled());
    ASSERT_TRUE(sim.Set("DevicePresent", 1));
    ASSERT_EQ(QXWL_ERROR_SUCCESS, lib->QXAP_WriteandSetConfigData(config, AP_ADVANCE_DATA{}));
    EXPECT_EQ(1, journalled()) << "the key is cut to its length";
    const AP_ADVANCE_DATA advance{};
    ASSERT_EQ(QXWL_ERROR_SUCCESS, lib->QXAP_SetConfigData(&config, &advance));
    EXPECT_EQ(2, journalled());
}

TEST_F(SoftApStandIn, DriverAuthenticationModeDiffersFromTheStoredOneUntilApplied)
{
    AP_CONFIG_DATA config = {};
    lib->QXAP_ReadConfigData(&config);
    config.enumAuthenMode = 0;
    ASSERT_EQ(QXWL_ERROR_SUCCESS, lib->QXAP_WriteandSetConfigData(config, AP_ADVANCE_DATA{}));
    ASSERT_TRUE(sim.Set("DriverAuthMode", 4));
    EXPECT_NE(lib->QXAP_QueryAuthMode(), lib->QXAP_ReadAuthMode());
    ASSERT_TRUE(sim.Set("DriverAuthMode", -1));
    EXPECT_EQ(lib->QXAP_QueryAuthMode(), lib->QXAP_ReadAuthMode());
}

TEST_F(SoftApStandIn, WindowsProfileIsKeptUntilDeleted)
{
    ASSERT_EQ(QXWL_ERROR_SUCCESS, lib->QXAP_SetVistaWindowsProfile("Kelvo_WLAN", 10));
    EXPECT_EQ("Kelvo_WLAN", sim.WindowsProfile());
    ASSERT_EQ(QXWL_ERROR_SUCCESS, lib->QXAP_DeleteVistaWindowsProfile());
    EXPECT_EQ("", sim.WindowsProfile());
}

TEST_F(SoftApStandIn, JournalRecordsEachCallWithItsArguments)
{
    sim.ClearJournal();
    StartAccessPoint();
    const std::vector<std::string> journal = sim.Journal();
    for (const char* line : {"QXAP_Initial(Quixen)", "QXAP_GetAvailableAdapters(1)", "QXAP_SetOPMode(1)",
                             "QXAP_InitAPSettings()", "QXAP_EnableDhcpServer()"})
        EXPECT_NE(journal.end(), std::find(journal.begin(), journal.end(), line)) << line;
    EXPECT_NE(journal.end(), std::find(journal.begin(), journal.end(), "QXAP_AdapterSelect(Kelvo Wireless LAN Card, 0)"));
}

TEST_F(SoftApStandIn, WorldTextWithAnUnreadableLineChangesNothing)
{
    EXPECT_FALSE(sim.Load("[World]\nOsCode=7\nNoSuchKey=1\n"));
    EXPECT_EQ(12, lib->QXAP_GetWinOS());
    EXPECT_FALSE(sim.Load("[Station1]\nMac=not-an-address\n"));
    EXPECT_TRUE(sim.Load("[World]\nOsCode=7\n"));
    EXPECT_EQ(7, lib->QXAP_GetWinOS());
}

TEST_F(SoftApStandIn, MachinesNetworkAdaptersComeAfterItsOwnAndMayOutgrowAFirstAsk)
{
    std::string text = "[Adapter1]\nName=Own Card\nDeviceID=USB\\VID_148F&PID_3572\\1.0\n";
    for (char n = '1'; n <= '8'; ++n) {
        const std::string number(1, n);
        text.append("[NetAdapter").append(number).append("]\nName=Wired ").append(number).append("\n");
    }
    text += "[NetAdapter9]\nName=Tether\nKind=Bluetooth\nProblem=1\nHidden=1\n";
    ASSERT_TRUE(sim.Load(text));
    std::vector<NetDeviceRecord> devices;
    ASSERT_TRUE(ReadLibraryNetDevices(lib->m_hQxAPAPI, devices));
    ASSERT_EQ(devices.size(), 10u);
    EXPECT_STREQ(devices[0].InstanceId, "Own Card");
    EXPECT_STREQ(devices[0].MatchingId, "usb\\vid_148f&pid_3572\\1.0");
    EXPECT_STREQ(devices[8].Name, "Wired 8");
    EXPECT_TRUE(IsBridgeableNetDevice(devices[8]));
    EXPECT_STRNE(devices[8].InstanceId, devices[7].InstanceId);
    const NetDeviceRecord& tether = devices[9];
    EXPECT_FALSE(IsBridgeableNetDevice(tether));
    EXPECT_EQ(tether.Status & 0x40000400u, 0x40000400u);
    // A kind the machine does not know is refused with its whole text.
    EXPECT_FALSE(sim.Load("[NetAdapter1]\nName=Odd\nKind=Infrared\n"));
    devices.clear();
    ASSERT_TRUE(ReadLibraryNetDevices(lib->m_hQxAPAPI, devices));
    EXPECT_EQ(devices.size(), 10u);
    // A library without the entry point lists nothing: the program walks the device tree.
    EXPECT_FALSE(ReadLibraryNetDevices(::GetModuleHandleA("kernel32.dll"), devices));
}

TEST_F(SoftApStandIn, WorldFileIsReadAndReadAgainWhenItChanges)
{
    char folder[MAX_PATH] = "";
    ASSERT_GT(::GetTempPathA(MAX_PATH, folder), 0u);
    const std::string path = std::string(folder) + "QxSimAp-" + std::to_string(::GetCurrentProcessId()) + ".ini";
    {
        testing_support::ScopedFile file(path, "[World]\nOsCode=9\n");
        ASSERT_TRUE(sim.UseWorldFile(path));
        EXPECT_EQ(9, lib->QXAP_GetWinOS());
        testing_support::ScopedFile changed(path, "[World]\nOsCode=8\nDevicePresent=1\n");
        // The file is looked at again a few hundred milliseconds later.
        EXPECT_TRUE(testing_support::PumpUntil([&] { return lib->QXAP_GetWinOS() == 8; },
                                               testing_support::kWaitBoundMs));
    }
    sim.UseWorldFile("");
}

}  // namespace
