// The Wi-Fi Direct engine against the stand-in's peers: the status blocks it reads (hostile ones
// included), the topology it builds, the events it acts on, and the connect, disconnect and
// sharing roads as the library's journal and the user see them.
#include "hidedlg/HideDlgFixture.h"
#include "wifidirect/AdvancedWiFiDirect.h"
#include "wifidirect/WiFiDirectNotices.h"
#include "contract/StationContract.h"
#include "contract/WiFiDirectRecords.h"

#include <algorithm>
#include <cstring>
#include <set>

namespace {
using namespace hidedlg_testing;

const char kPeers[] =
    "[Peer1]\nName=Camera\nAddress=02:50:32:50:00:01\nIntent=15\nAccept=PBC\n"
    "[Peer2]\nName=Printer\nAddress=02:50:32:50:00:02\nIntent=0\nAccept=Any\n"
    "[Peer3]\nName=Phone\nAddress=02:50:32:50:00:03\nRole=1\nAccept=None\n"
    "[Peer4]\nName=Tablet\nAddress=02:50:32:50:00:04\nOwner=02:50:32:50:00:03\n";
const UCHAR kCamera[6] = {0x02, 0x50, 0x32, 0x50, 0x00, 0x01};
const UCHAR kPrinter[6] = {0x02, 0x50, 0x32, 0x50, 0x00, 0x02};
const UCHAR kPhone[6] = {0x02, 0x50, 0x32, 0x50, 0x00, 0x03};
// The stand-in adapter's address, as this device's own.
const char kOwnAddress[] = "00-1A-2B-44-71-A0";
const UCHAR kOwn[6] = {0x00, 0x1A, 0x2B, 0x44, 0x71, 0xA0};

using Block = std::vector<BYTE>;

Block NewBlock(UCHAR event, UCHAR count)
{
    Block b(kWiFiDirectStatusBytes, 0);
    b[0] = event;
    b[kWdCountOffset] = count;
    return b;
}

void PutDiscovery(Block& b, size_t index, const UCHAR* mac, const char* name, UCHAR members, ULONG nameLength = 0)
{
    WIFIDIRECT_DISCOVERY_ENTRY e = {};
    e.chNoOfThisGroup = members;
    e.nRule = 2;
    std::memcpy(e.MacAddr, mac, 6);
    std::memcpy(e.chDeviceName, name, std::strlen(name));
    e.ulDeviceNameLength = nameLength ? nameLength : static_cast<ULONG>(std::strlen(name));
    std::memcpy(b.data() + kWdEntriesOffset + index * sizeof e, &e, sizeof e);
}

void PutGroup(Block& b, size_t index, const UCHAR* mac, const char* name, UCHAR role)
{
    WIFIDIRECT_GROUP_ENTRY e = {};
    e.nRule = role;
    std::memcpy(e.MacAddr, mac, 6);
    std::memcpy(e.chDeviceName, name, std::strlen(name));
    e.ulDeviceNameLength = static_cast<ULONG>(std::strlen(name));
    std::memcpy(b.data() + kWdEntriesOffset + index * sizeof e, &e, sizeof e);
}

// A peer's request to connect, as the driver's status block brings it.
Block RequestBlock(const char* name, const UCHAR* mac)
{
    Block b = NewBlock(WIFIDIRECTEVENT_POPUP_SETTING_WINDOWS, 0);
    std::memcpy(b.data() + kWdRequestNameOffset, name, std::strlen(name));
    b[kWdRequestNameLengthOffset] = static_cast<BYTE>(std::strlen(name));
    std::memcpy(b.data() + kWdRequestAddressOffset, mac, 6);
    return b;
}

std::string Name(const WIFIDIRECT_DEVICE_ENTRY& d)
{
    return std::string(reinterpret_cast<const char*>(d.chDeviceName), d.ulDeviceNameLength);
}

class WiFiDirectEngineTest : public HideDlgFixture {
protected:
    void SetUp() override
    {
        HideDlgFixture::SetUp();
        ::DeleteFileA((BinFolder() + "QxSwap.log").c_str());
        Start(std::string("[World]\nOsCode=12\n") + kPeers);
        host = ::CreateWindowExA(0, "STATIC", "host", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        engine = std::make_unique<CAdvancedWiFiDirect>();
        engine->SetHwnd(host);
        queue = reinterpret_cast<PFN_SIM_QueueWifiDirectStatus>(::GetProcAddress(sim.Module(), "SIM_QueueWifiDirectStatus"));
        ASSERT_NE(nullptr, queue);
        sim.ClearJournal();
    }
    void TearDown() override
    {
        engine.reset();
        ::DestroyWindow(host);
        ::DeleteFileA((BinFolder() + "QxSwap.log").c_str());
        HideDlgFixture::TearDown();
    }
    void SwitchOn()
    {
        engine->EnableOrDisableWiFiDirect(1, 1, 0, 1);
        ASSERT_TRUE(engine->m_bEnableWiFiDirect);
    }
    void Feed(const Block& b)
    {
        ASSERT_TRUE(queue(b.data(), static_cast<ULONG>(b.size())));
        engine->GetWiFiDirectWpseStatus();
    }
    // Reads every status block the stand-in holds.
    void Drain()
    {
        constexpr BYTE kNothingRead = 0xEE;
        for (int i = 0; i < 100; ++i) {
            engine->m_WiFiDirectStatus[0] = kNothingRead;
            engine->GetWiFiDirectWpseStatus();
            if (engine->m_WiFiDirectStatus[0] == kNothingRead) break;
        }
    }
    // The texts the engine left for the user, shown as the message loop shows them.
    void ShowNotices()
    {
        PumpUntil([] { return PendingWiFiDirectNotices() == 0; }, kWaitBoundMs);
        PumpPending();
    }
    // A connection as the settings wizard asks for it.
    void RequestConnection(const UCHAR* peer, ULONG wpsMethod, ULONG intent, const char* pin = "12345670")
    {
        WIFIDIRECT_WPSE_PROFILE config = {};
        config.ConfigMode = WIFIDIRECT_CONFIG_INVITE;
        config.WpsMethod = wpsMethod;
        std::memcpy(config.PIN, pin, 8);
        config.ulIntentIndex = intent;
        config.ulNumOfDeviceAddr = 1;
        std::memcpy(config.DeviceAddrs[0], peer, 6);
        ASSERT_EQ(QXWL_ERROR_SUCCESS, QXWLAPI.QXWL_SetWifiDirectWpseConfig(&config));
    }

    HWND host = nullptr;
    std::unique_ptr<CAdvancedWiFiDirect> engine;
    PFN_SIM_QueueWifiDirectStatus queue = nullptr;
};

TEST_F(WiFiDirectEngineTest, TimersRunOnlyForTheEngineIdsAndOnlyWithAHost)
{
    engine->EnableDisableTimer(8208, 1);
    engine->EnableDisableTimer(8214, 1);
    for (BOOL running : engine->m_bTimerRunning) EXPECT_FALSE(running);
    EXPECT_FALSE(::KillTimer(host, 8208));

    engine->EnableDisableTimer(TIMER_WIFIDIRECT_ONESHOT, 1);
    EXPECT_TRUE(engine->m_bTimerRunning[1]);
    EXPECT_EQ(1, engine->RouteTimer(TIMER_WIFIDIRECT_ONESHOT));  // the one-shot stops itself
    EXPECT_FALSE(engine->m_bTimerRunning[1]);
    EXPECT_FALSE(::KillTimer(host, TIMER_WIFIDIRECT_ONESHOT));
    EXPECT_EQ(-1, engine->RouteTimer(2100));  // left to the page's default handling

    // A dead or missing window is not taken as the host.
    engine->SetHwnd(nullptr);
    HWND dead = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    ::DestroyWindow(dead);
    engine->SetHwnd(dead);
    EXPECT_EQ(host, engine->m_hWnd);
    EXPECT_EQ(host, engine->m_pProgressMsg->m_hWnd);
}

TEST_F(WiFiDirectEngineTest, SwitchingOnTellsTheDriverAndOffResetsAllButTheAddress)
{
    sim.Set("WifiDirectIntent", 9);
    SwitchOn();
    EXPECT_EQ(kOwnAddress, std::string(engine->m_strMyMacAddress.GetString()));
    EXPECT_EQ("Quixen-PC", std::string(engine->m_strMyDeviceName.GetString()));
    EXPECT_EQ(9, engine->m_nDefaultIntentIndex);
    EXPECT_EQ(1u, sim.JournalLines("QXWL_SetWifiDirectWpseConfig(1)").size());
    EXPECT_EQ(1u, sim.JournalLines("QXWL_WriteWifiDirectFlag(1)").size());
    // The media server beside the program and its registered service.
    EXPECT_TRUE(engine->m_bMediaServerPresent);

    sim.ClearJournal();
    engine->DisableWiFiDirect();
    EXPECT_FALSE(engine->m_bEnableWiFiDirect);
    EXPECT_TRUE(engine->m_strMyDeviceName.IsEmpty());
    EXPECT_EQ("0.0.0.0", std::string(engine->m_strMyWiFiDirectIPAddress.GetString()));
    EXPECT_EQ(kOwnAddress, std::string(engine->m_strMyMacAddress.GetString()));
    EXPECT_EQ(1u, sim.JournalLines("QXWL_DisableWifiDirect").size());
    EXPECT_EQ(1u, sim.JournalLines("QXWL_WriteWifiDirectFlag(0)").size());

    // As a group owner the Wi-Fi Direct address differs from the station's in bit 0.
    sim.Set("OpMode", 3);
    SwitchOn();
    EXPECT_EQ("00-1A-2B-44-71-A1", std::string(engine->m_strMyMacAddress.GetString()));
}

TEST_F(WiFiDirectEngineTest, HostileCountsAndLengthsAreCutToTheBlock)
{
    SwitchOn();
    // 200 discovery entries claimed; the last entry that fits claims a group of 255 members.
    Block b = NewBlock(WIFIDIRECTEVENT_STATUS_UPDATE_DISCOVERY, 200);
    for (size_t i = 0; i < kWdMaxDiscoveryEntries; ++i) {
        UCHAR mac[6] = {0x02, 0, 0, 0, 0, static_cast<UCHAR>(i + 1)};
        PutDiscovery(b, i, mac, "Dev", i == 30 ? 255 : 1, i == 0 ? 0xFFFFFFFFu : 0);
    }
    Feed(b);
    ASSERT_EQ(31u, engine->m_vecTopology.size());
    EXPECT_EQ(32u, engine->m_vecTopology[0].Device.ulDeviceNameLength);
    const auto& last = engine->m_vecTopology.back();
    EXPECT_EQ(1u, last.Device.nNumOfSubMember);
    ASSERT_EQ(1u, last.vecSubDeviceList.size());
    EXPECT_EQ(3u, last.vecSubDeviceList[0].nRule);
    EXPECT_EQ(0, engine->m_nIndexInVecForDevice0);

    // 255 group entries claimed: only the 30 that fit are read.
    Block g = NewBlock(WIFIDIRECTEVENT_STATUS_GROUP_UPDATE, 255);
    for (size_t i = 0; i < kWdMaxGroupEntries; ++i) {
        UCHAR mac[6] = {0x02, 0, 0, 0, 1, static_cast<UCHAR>(i + 1)};
        PutGroup(g, i, mac, "Client", 2);
    }
    Feed(g);
    EXPECT_EQ(30, engine->m_nNumOfMyGroup);
    EXPECT_EQ(30u, engine->m_vecTopology.size());
}

TEST_F(WiFiDirectEngineTest, GroupUpdatesFollowTheRoles)
{
    SwitchOn();
    // Only this device: nothing listed, its role taken.
    Block alone = NewBlock(WIFIDIRECTEVENT_STATUS_GROUP_UPDATE, 1);
    PutGroup(alone, 0, kOwn, "Quixen-PC", 1);
    Feed(alone);
    EXPECT_TRUE(engine->m_vecTopology.empty());
    EXPECT_EQ(0, engine->m_nIndexInVecForDevice0);
    EXPECT_EQ(1u, engine->m_ulMyRule);

    // A foreign owner, then this device and two more clients: one item with two members.
    Block client = NewBlock(WIFIDIRECTEVENT_STATUS_GROUP_UPDATE, 4);
    PutGroup(client, 0, kPhone, "Phone", 1);
    PutGroup(client, 1, kCamera, "Camera", 2);
    PutGroup(client, 2, kOwn, "Quixen-PC", 2);
    PutGroup(client, 3, kPrinter, "Printer", 2);
    Feed(client);
    ASSERT_EQ(1u, engine->m_vecTopology.size());
    const auto& item = engine->m_vecTopology[0];
    EXPECT_EQ("Phone", Name(item.Device));
    EXPECT_EQ(1u, item.Device.bConnectToMe);
    ASSERT_EQ(2u, item.vecSubDeviceList.size());
    EXPECT_EQ("Printer", Name(item.vecSubDeviceList[1]));
    EXPECT_EQ(2u, engine->m_ulMyRule);
    EXPECT_EQ(-2, engine->m_nIndexInVecForDevice0);
}

TEST_F(WiFiDirectEngineTest, DiscoveryListsEachDeviceOnceAndAGroupUpdateClearsIt)
{
    SwitchOn();
    engine->OnScan();
    EXPECT_TRUE(engine->m_bTimerRunning[1]);
    Drain();
    Feed([] {
        Block b = NewBlock(WIFIDIRECTEVENT_STATUS_UPDATE_DISCOVERY, 1);
        PutDiscovery(b, 0, kCamera, "Camera", 1);
        return b;
    }());
    engine->OnScan();
    Drain();
    // Camera, Printer, Phone with its client Tablet: three items whatever the reports repeat.
    ASSERT_EQ(3u, engine->m_vecTopology.size());
    std::set<std::string> names;
    for (const auto& item : engine->m_vecTopology) names.insert(Name(item.Device));
    EXPECT_EQ((std::set<std::string>{"Camera", "Printer", "Phone"}), names);
    const auto phone = std::find_if(engine->m_vecTopology.begin(), engine->m_vecTopology.end(),
                                    [](const auto& i) { return Name(i.Device) == "Phone"; });
    ASSERT_EQ(1u, phone->vecSubDeviceList.size());
    EXPECT_EQ("Tablet", Name(phone->vecSubDeviceList[0]));
    EXPECT_EQ(3u, phone->vecSubDeviceList[0].nRule);
    EXPECT_EQ(-1, engine->m_nIndexInVecForDevice0);

    Feed(NewBlock(WIFIDIRECTEVENT_STATUS_GROUP_UPDATE, 0));
    EXPECT_TRUE(engine->m_vecTopology.empty());
}

TEST_F(WiFiDirectEngineTest, EventCodesDispatch)
{
    SwitchOn();
    struct Case {
        UCHAR code;
        const char* journal;  // a call the event must make; null for none
    } cases[] = {
        {WIFIDIRECTEVENT_DISABLE_DHCP_SERVER, "QXWL_DisableDhcpServer"},
        {WIFIDIRECTEVENT_PERSISTENT_CONNT_FAIL, "QXWL_DeleteWifiDirectWpsePerstEntry"},
        {WIFIDIRECTEVENT_DISCONNECT, "QXWL_WlanDisconnect"},
        {WIFIDIRECTEVENT_GEN_SEUDO_ADHOC_PROFILE, "QXWL_ChannelToFrequency"},
        {WIFIDIRECTEVENT_STATUS_GO_NEGO_DONE, "QXWL_SetWPSMode"},
    };
    for (const Case& c : cases) {
        sim.ClearJournal();
        Feed(NewBlock(c.code, 0));
        EXPECT_FALSE(sim.JournalLines(c.journal).empty()) << int(c.code);
    }
    // Unknown codes are traced only; a disconnect takes only the group's link, never the
    // user's other profiles.
    for (UCHAR code : {0, 18, 19, 23, 255}) Feed(NewBlock(code, 0));
    EXPECT_TRUE(sim.JournalLines("QXWL_WlanDeleteAllWindowsProfiles").empty());

    // Success without a progress form running changes nothing else; the certification flag is kept.
    Feed(NewBlock(WIFIDIRECTEVENT_PROGRESS_SUCCESS, 0));
    EXPECT_TRUE(engine->m_pProgressMsg->m_bSuccess);
    Feed(NewBlock(WIFIDIRECTEVENT_SIGMA_IS_ON, 0));
    EXPECT_EQ(1, QXWLAPI.bWiFiDirectSigmaTest);
    QXWLAPI.bWiFiDirectSigmaTest = 0;

    // The DHCP worker is restarted on the driver's request, and runs to its end.
    sim.ClearJournal();
    Feed(NewBlock(WIFIDIRECTEVENT_ENABLE_DHCP_SERVER, 0));
    EXPECT_TRUE(PumpUntil([&] { return Called("QXWL_EnableDhcpServer"); }, 5000));
}

TEST_F(WiFiDirectEngineTest, ErrorsReachTheUserOnlyWhileSwitchedOn)
{
    Block error = NewBlock(WIFIDIRECTEVENT_ERROR_CODE, 0);
    error[kWdErrorCodeOffset] = 31;
    Feed(error);  // the stored flag is off: traced only
    EXPECT_EQ(0u, boxes.Count());

    SwitchOn();
    Feed(error);
    // The box waits for the message loop: the event's handler is never held by it.
    EXPECT_EQ(0u, boxes.Count());
    ShowNotices();
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("Wi-Fi Direct Error Code : 0x1f", std::string(boxes.Boxes()[0].text.GetString()));

    // Error code 2 says what went wrong, with the driver's number after it.
    error[kWdErrorCodeOffset] = 2;
    error[kWdErrorValueOffset] = 17;
    Feed(error);
    Feed(error);
    ShowNotices();
    ASSERT_EQ(3u, boxes.Count());
    const std::string words = boxes.Boxes()[1].text.GetString();
    EXPECT_EQ(0u, words.find(G_LangTable.IDS_WIFI_DIRECT_ERR_DISMATCH_CHANNEL.GetString())) << words;
    EXPECT_NE(std::string::npos, words.find("(17)")) << words;
    EXPECT_EQ(words, std::string(boxes.Boxes()[2].text.GetString()));  // each one shown, in turn
}

TEST_F(WiFiDirectEngineTest, PushButtonConnectionFormsAGroupWithThePeerAsOwner)
{
    SwitchOn();
    RequestConnection(kCamera, 0, 3);  // push button; the camera's intent 15 wins
    Drain();
    const auto pushMode = sim.JournalLines("QXWL_SetWPSMode(0x0,");
    ASSERT_EQ(1u, pushMode.size());
    EXPECT_EQ(", 1)", pushMode[0].substr(pushMode[0].size() - 4)) << pushMode[0];
    EXPECT_EQ(1u, sim.JournalLines("QXWL_ConnectWPSProfileWithWifiDirectWpse").size());
    EXPECT_EQ("DIRECT-QxCamera", std::string(engine->m_strGroupSSID.GetString()));
    EXPECT_EQ("p2pQuixen88", std::string(engine->m_strMykey.GetString()));
    EXPECT_EQ(2u, engine->m_ulMyRule);
    EXPECT_TRUE(engine->m_bTimerRunning[4]);  // the connection check runs from now on
    ASSERT_EQ(1u, engine->m_vecTopology.size());
    EXPECT_EQ("Camera", Name(engine->m_vecTopology[0].Device));
    EXPECT_EQ(1u, engine->m_vecTopology[0].Device.bConnectToMe);

    // The address is set once, and not again while it stays.
    engine->GetAndSetMyIP();
    engine->GetAndSetMyIP();
    EXPECT_EQ("192.168.137.2", std::string(engine->m_strMyWiFiDirectIPAddress.GetString()));
    EXPECT_EQ(1u, sim.JournalLines("QXWL_SetWifiDirectIP").size());

    sim.ClearJournal();
    engine->OnDisconnect();
    EXPECT_EQ(1u, sim.JournalLines("QXWL_SetWifiDirectWpseConfig(6)").size());
    Drain();
    EXPECT_TRUE(engine->m_vecTopology.empty());
    EXPECT_TRUE(Called("QXWL_WlanDisconnect"));
}

TEST_F(WiFiDirectEngineTest, ConnectionsAndTheirEndKeepTheUsersProfiles)
{
    ASSERT_TRUE(sim.Load("[World]\nSystemProfiles=Home,Office\n[Profile1]\nName=HomeNet\nSsid=Home\n"));
    SwitchOn();
    const auto connectTo = [&](const UCHAR* mac, const char* name) {
        WIFIDIRECT_DEVICE_ENTRY& peer = engine->m_SeleteDeviceEntry;
        peer = {};
        std::memcpy(peer.MacAddr, mac, 6);
        std::memcpy(peer.chDeviceName, name, std::strlen(name));
        peer.ulDeviceNameLength = static_cast<ULONG>(std::strlen(name));
        peer.nRule = 2;
        peer.ConfigMethod = 0x0188;
        const P2P_CONNECT_RESULT result = engine->OnConnectDevice(
            [](void* p) {
                CWiFiDirectSetting& w = *static_cast<CAdvancedWiFiDirect*>(p)->m_pSetting;
                w.m_pWPS->rBtnPBCClick();
                for (int i = 0; i < 3 && w.Visible; ++i) w.BtnWiFiDirectNextClick();
            },
            engine.get());
        EXPECT_EQ(P2P_CONNECT_STARTED, result);
        Drain();
        EXPECT_TRUE(sim.WaitIdle());
        return std::string(engine->m_strGroupSSID.GetString());
    };
    const auto exists = [](const std::string& name) { return QXWLAPI.QXWL_WlanIsWindowsProfileExist(name.c_str()) != FALSE; };

    // Each connection leaves the system a profile of its group; its end takes that one away.
    for (const auto& [mac, name] : {std::pair{kPrinter, "Printer"}, std::pair{kCamera, "Camera"}}) {
        const std::string group = connectTo(mac, name);
        ASSERT_EQ(0u, group.rfind("DIRECT-", 0)) << group;
        EXPECT_TRUE(exists(group));
        engine->OnDisconnect();
        Drain();
        EXPECT_FALSE(exists(group));
    }

    EXPECT_TRUE(sim.JournalLines("QXWL_WlanDeleteAllWindowsProfiles").empty());
    EXPECT_TRUE(exists("Home"));
    EXPECT_TRUE(exists("Office"));
    const auto listed = sim.JournalLines("SystemProfiles: ");
    ASSERT_FALSE(listed.empty());
    EXPECT_EQ("SystemProfiles: Home,Office", listed.back());
    EXPECT_EQ(-16, QXWLAPI.QXWL_CheckDuplicatedProfileName("HomeNet"));  // the station's stored profile
}

TEST_F(WiFiDirectEngineTest, PinConnectionMakesUsOwnerAndRefusalsAreTold)
{
    SwitchOn();
    RequestConnection(kPrinter, kWdWpsMethodPinUser, 12, "87654321");
    Drain();
    const auto pinMode = sim.JournalLines("QXWL_SetWPSMode(0x40000000,");
    ASSERT_EQ(1u, pinMode.size());
    EXPECT_EQ(", 2)", pinMode[0].substr(pinMode[0].size() - 4)) << pinMode[0];
    EXPECT_EQ(1u, engine->m_ulMyRule);
    ASSERT_EQ(1u, engine->m_vecTopology.size());
    EXPECT_EQ("Printer", Name(engine->m_vecTopology[0].Device));
    EXPECT_TRUE(engine->m_vecTopology[0].vecSubDeviceList.empty());

    // A PIN to a push-button-only peer, and a peer that refuses: no WPS, the user is told.
    sim.ClearJournal();
    RequestConnection(kCamera, kWdWpsMethodPinUser, 3);
    Drain();
    RequestConnection(kPhone, 0, 3);
    Drain();
    ShowNotices();
    EXPECT_TRUE(sim.JournalLines("QXWL_SetWPSMode").empty());
    ASSERT_EQ(2u, boxes.Count());
    EXPECT_EQ(0, boxes.Boxes()[0].text.Find(G_LangTable.IDS_MSG_ERRCODE_NOCONFIGMETHOD));
    EXPECT_EQ(std::string(G_LangTable.IDS_MSG_ERRCODE_ERRCODE_REJECTBYUSER.GetString()),
              std::string(boxes.Boxes()[1].text.GetString()));
}

TEST_F(WiFiDirectEngineTest, ConnectRulesRefuseConnectedAndForeignClients)
{
    SwitchOn();
    // Each refusal says why, sends nothing and opens no wizard.
    struct Refusal {
        void (*set)(WIFIDIRECT_DEVICE_ENTRY&);
        P2P_CONNECT_RESULT result;
        const CString& text;
    } refusals[] = {
        {[](WIFIDIRECT_DEVICE_ENTRY& d) { d.bConnectToMe = 1; }, P2P_CONNECT_PEER_CONNECTED, G_LangTable.IDS_WIFI_DIRECT_ALREADY_CONNECT},
        {[](WIFIDIRECT_DEVICE_ENTRY& d) { d.nRule = 3; }, P2P_CONNECT_PEER_IN_GROUP, G_LangTable.IDS_WIFI_DIRECT_OTHER_GROUP_CLIENT},
        {[](WIFIDIRECT_DEVICE_ENTRY& d) { d.EntryStatus = 1; }, P2P_CONNECT_PEER_BUSY, G_LangTable.IDS_WIFI_DIRECT_PEER_BUSY},
    };
    for (const Refusal& r : refusals) {
        engine->m_SeleteDeviceEntry = {};
        engine->m_SeleteDeviceEntry.nRule = 2;
        r.set(engine->m_SeleteDeviceEntry);
        EXPECT_EQ(r.result, engine->OnConnectDevice());
        const CString text = CAdvancedWiFiDirect::ConnectRefusalText(r.result, "Printer");
        ASSERT_FALSE(r.text.IsEmpty());
        EXPECT_EQ(0, text.Find(r.text)) << text.GetString();
    }
    // A connected peer is named.
    EXPECT_NE(-1, CAdvancedWiFiDirect::ConnectRefusalText(P2P_CONNECT_PEER_CONNECTED, "Printer").Find("[Printer]"));
    // A group owner while this device owns a group of its own.
    engine->m_SeleteDeviceEntry = {};
    engine->m_SeleteDeviceEntry.nRule = 1;
    engine->m_ulMyRule = 1;
    EXPECT_EQ(P2P_CONNECT_OWNER_BUSY, engine->OnConnectDevice());
    EXPECT_EQ(G_LangTable.IDS_WIFI_DIRECT_ALREADY_GROUP_OWNER, CAdvancedWiFiDirect::ConnectRefusalText(P2P_CONNECT_OWNER_BUSY));
    engine->m_ulMyRule = 2;
    EXPECT_EQ(0, engine->m_pSetting->m_nAction);
    EXPECT_FALSE(engine->m_pProgressMsg->Visible);
    EXPECT_TRUE(sim.JournalLines("QXWL_SetWifiDirectWpseConfig(3)").empty());
    engine->m_SeleteDeviceEntry = {};

    // A callback that leaves the wizard unanswered starts no progress display.
    int called = 0;
    engine->m_SeleteDeviceEntry.nRule = 2;
    engine->OnConnectDevice([](void* p) { ++*static_cast<int*>(p); }, &called);
    EXPECT_EQ(ACTION_CONNECT, engine->m_pSetting->m_nAction);
    EXPECT_EQ(1, called);
    EXPECT_FALSE(engine->m_pProgressMsg->Visible);

    // One that walks the wizard to its end, as the main page does, applies and starts it.
    engine->OnConnectDevice(
        [](void* p) {
            CWiFiDirectSetting& w = *static_cast<CAdvancedWiFiDirect*>(p)->m_pSetting;
            w.m_pWPS->rBtnPBCClick();
            for (int i = 0; i < 3 && w.Visible; ++i) w.BtnWiFiDirectNextClick();
        },
        engine.get());
    EXPECT_FALSE(engine->m_pSetting->Visible);
    EXPECT_EQ(1u, sim.JournalLines("QXWL_SetWifiDirectWpseConfig(3)").size());
    EXPECT_TRUE(engine->m_pProgressMsg->Visible);
}

TEST_F(WiFiDirectEngineTest, ARequestDuringTheRoleBoxLeavesTheInvitationWithThePeerPicked)
{
    SwitchOn();
    SetP2PRequestAnswer(P2P_REQUEST_DONE);
    // This device is a client in a group: the printer picked on the list is invited after a box.
    engine->m_nNumOfMyGroup = 2;
    engine->m_ulMyRule = 2;
    engine->m_SeleteDeviceEntry = {};
    engine->m_SeleteDeviceEntry.nRule = 2;
    std::memcpy(engine->m_SeleteDeviceEntry.MacAddr, kPrinter, 6);
    int asked = 0;
    AfxSetMessageBoxHook([&](const MessageBoxRequest&) {
        if (++asked == 1) Feed(RequestBlock("Camera", kCamera));  // the camera asks while the box waits
        return IDOK;
    });
    EXPECT_EQ(P2P_CONNECT_INVITED, engine->OnConnectDevice());
    AfxSetMessageBoxHook(nullptr);
    EXPECT_EQ("Camera", Name(engine->m_SeleteDeviceEntry));  // the request was taken meanwhile
    EXPECT_EQ(1u, sim.JournalLines("SIM Wi-Fi Direct connection to 02:50:32:50:00:02 ").size());
}

TEST_F(WiFiDirectEngineTest, IncomingRequestsWithinTheirWindowAreOpenedOnce)
{
    sim.Load("[Peer1]\nName=Laptop\nAddress=02:50:32:50:00:09\nInvites=1\n");
    int opened = 0;
    engine->SetCallback([](void* p) { ++*static_cast<int*>(p); }, &opened);
    SwitchOn();  // the laptop asks at once
    Drain();
    EXPECT_EQ(1, opened);
    EXPECT_EQ("Laptop", Name(engine->m_SeleteDeviceEntry));
    EXPECT_EQ("02-50-32-50-00-09", std::string(engine->m_strConnectMac.GetString()));
    EXPECT_EQ(CAdvancedWiFiDirect::kRequestWindowSeconds, engine->m_nPopWiFiDirectSettingWindows);

    const UCHAR laptop[6] = {0x02, 0x50, 0x32, 0x50, 0x00, 0x09};
    Feed(RequestBlock("", laptop));
    for (int tick = 0; tick < 3; ++tick) engine->OnTimer(TIMER_POP_SETTING);
    EXPECT_EQ(1, opened);  // repeated within the window, and not opened later by the countdown

    Feed(RequestBlock("", kPrinter));
    EXPECT_EQ(2, opened);  // another peer: at once
}

TEST_F(WiFiDirectEngineTest, ARequestWhileOneWaitsLeavesThePeerAndTheWizardAlone)
{
    int opened = 0;
    engine->SetCallback([](void* p) { ++*static_cast<int*>(p); }, &opened);
    SwitchOn();
    Feed(RequestBlock("Printer", kPrinter));
    ASSERT_EQ(1, opened);
    // The prompt for the printer waits; the camera asks meanwhile.
    SetP2PRequestAnswer(P2P_REQUEST_WAITING);
    engine->m_pSetting->m_data_WIFIDIRECT_WPSE_Profile.ulOperatingChannel = 11;  // what the prompt's road set
    const Block camera = RequestBlock("Camera", kCamera);
    Feed(camera);
    EXPECT_EQ(1, opened);
    EXPECT_EQ("Printer", Name(engine->m_SeleteDeviceEntry));
    EXPECT_EQ(11u, engine->m_pSetting->m_data_WIFIDIRECT_WPSE_Profile.ulOperatingChannel);
    EXPECT_EQ(0, std::memcmp(engine->m_pSetting->m_data_WIFIDIRECT_WPSE_Profile.DeviceAddrs[0], kPrinter, 6));

    // Once the prompt is answered, the camera's next request is taken.
    SetP2PRequestAnswer(P2P_REQUEST_DONE);
    Feed(camera);
    EXPECT_EQ(2, opened);
    EXPECT_EQ("Camera", Name(engine->m_SeleteDeviceEntry));
}

TEST_F(WiFiDirectEngineTest, APeerAskingForOurPinIsShownThePinSent)
{
    SwitchOn();
    Feed(NewBlock(WIFIDIRECTEVENT_DISPLAY_PIN, 0));
    ASSERT_EQ(1u, sim.JournalLines("QXWL_SetWifiDirectWpseConfig(9)").size());
    const ULONG sent = engine->m_pSetting->m_ulWiFiDirectDefPin;
    ASSERT_NE(0u, sent);
    ShowNotices();
    ASSERT_EQ(1u, boxes.Count());
    char digits[16];
    std::snprintf(digits, sizeof digits, "%08lu", sent);
    const std::string shown = boxes.Boxes()[0].text.GetString();
    EXPECT_NE(std::string::npos, shown.find(digits)) << shown;
    EXPECT_EQ(0u, shown.find(G_LangTable.IDS_WIFI_DIRECT_SHOW_PIN.GetString())) << shown;
    // The next request for it shows the same PIN: the one the driver holds.
    Feed(NewBlock(WIFIDIRECTEVENT_DISPLAY_PIN, 0));
    ShowNotices();
    ASSERT_EQ(2u, boxes.Count());
    EXPECT_NE(std::string::npos, std::string(boxes.Boxes()[1].text.GetString()).find(digits));
}

TEST_F(WiFiDirectEngineTest, TimersFollowANewHostAndTheCheckStopsWhenSwitchedOff)
{
    SwitchOn();
    RequestConnection(kCamera, 0, 3);
    Drain();
    ASSERT_TRUE(engine->m_bTimerRunning[4]);
    // The page is made anew (a mode switch): the old window goes, a new one takes over.
    ::DestroyWindow(host);
    host = ::CreateWindowExA(0, "STATIC", "new host", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    engine->SetHwnd(host);
    EXPECT_TRUE(::KillTimer(host, TIMER_WIFIDIRECT_CONNECT_STATUS)) << "the connection check runs on the new page";
    ::SetTimer(host, TIMER_WIFIDIRECT_CONNECT_STATUS, 1000, nullptr);
    ASSERT_TRUE(sim.WaitIdle());  // the station joins the group
    engine->OnTimer(TIMER_WIFIDIRECT_CONNECT_STATUS);
    EXPECT_EQ(3, engine->m_ConnectStatus);
    EXPECT_EQ(G_LangTable.IDS_WIFI_DIRECT_ASSOCIATED, engine->m_strLinkStatusText);

    // Off: the check stops and no longer reads the station's link into the page.
    engine->EnableOrDisableWiFiDirect(0, 0, 0, 1);
    EXPECT_FALSE(engine->m_bTimerRunning[4]);
    EXPECT_FALSE(::KillTimer(host, TIMER_WIFIDIRECT_CONNECT_STATUS));
    EXPECT_EQ(G_LangTable.IDS_WIFI_DIRECT_NO_ASSOCIATED, engine->m_strLinkStatusText);
    EXPECT_EQ(2, engine->m_ConnectStatus);
}

TEST_F(WiFiDirectEngineTest, AStartUpWithWiFiDirectOnButNoNameAsksTheUserNothing)
{
    ASSERT_EQ(QXWL_ERROR_SUCCESS, QXWLAPI.QXWL_WriteWiFiDirectDeviceName(""));
    ASSERT_EQ(QXWL_ERROR_SUCCESS, QXWLAPI.QXWL_WriteWifiDirectFlag(TRUE));  // the control word's Enable bit
    engine->EnableOrDisableWiFiDirect(FALSE, TRUE, FALSE, FALSE);  // as the card's start-up does
    ShowNotices();
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_FALSE(engine->m_bEnableWiFiDirect);
    EXPECT_TRUE(sim.JournalLines("QXWL_SetWifiDirectWpseConfig(1)").empty());
    // Once a page gives the name, the same road switches on.
    engine->m_pSetting->m_pDeviceName->m_strDeviceName = "Desk";
    engine->EnableOrDisableWiFiDirect(FALSE, TRUE, FALSE, FALSE);
    EXPECT_EQ(1u, sim.JournalLines("QXWL_WriteWiFiDirectDeviceName(Desk)").size());
    EXPECT_EQ(0u, boxes.Count());
}

TEST_F(WiFiDirectEngineTest, ALibraryWithoutTheDhcpSwitchIsNeverCalledThroughIt)
{
    SwitchOn();
    const auto bound = QXWLAPI.QXWL_DisableDhcpServer;
    QXWLAPI.QXWL_DisableDhcpServer = nullptr;  // as after binding a library that lacks it
    Feed(NewBlock(WIFIDIRECTEVENT_DISABLE_DHCP_SERVER, 0));
    Feed(NewBlock(WIFIDIRECTEVENT_NO_CROSSCONNECTION, 0));
    EXPECT_TRUE(engine->m_bTimerRunning[0]);  // the sharing change went ahead
    engine->EnableOrDisableWiFiDirect(0, 0, 0, 1);  // the stored flag is on: the switch-off would stop the server
    QXWLAPI.QXWL_DisableDhcpServer = bound;
    EXPECT_TRUE(sim.JournalLines("QXWL_DisableDhcpServer").empty());
    EXPECT_FALSE(engine->m_bEnableWiFiDirect);
    EXPECT_TRUE(Called("QXWL_DisableWifiDirect"));
}

TEST_F(WiFiDirectEngineTest, SharingWaitsForTheFlipAndGivesUpWithAMessage)
{
    SwitchOn();
    engine->RunQxSwapToControlICS(true);
    ASSERT_TRUE(PumpUntil([] { return !ReadWholeFile(BinFolder() + "QxSwap.log").empty(); }, 10000));
    const std::string line = ReadWholeFile(BinFolder() + "QxSwap.log");
    EXPECT_EQ(0u, line.find("\"QxSwap.exe\" ON X X \""));
    EXPECT_NE(std::string::npos, line.find("\"{5D624F94-8850-40C3-A3FA-A4FD2080BAF3}\\VWIFIMP\""));
    engine->OnTimer(TIMER_WIFIDIRECT_ICS);
    EXPECT_FALSE(engine->m_bTimerRunning[0]);
    EXPECT_EQ(1u, sim.JournalLines("QXWL_SetWifiDirectWpseConfig(11)").size());

    // A switch that never flips the state: the wait ends and the user is told.
    sim.Set("IcsNeverFlips", 1);
    engine->RunQxSwapToControlICS(true);
    for (int tick = 0; tick < CAdvancedWiFiDirect::kIcsWaitTicks - 1; ++tick) engine->OnTimer(TIMER_WIFIDIRECT_ICS);
    EXPECT_TRUE(engine->m_bTimerRunning[0]);
    EXPECT_EQ(0u, boxes.Count());
    engine->OnTimer(TIMER_WIFIDIRECT_ICS);
    EXPECT_FALSE(engine->m_bTimerRunning[0]);
    ShowNotices();
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(G_LangTable.IDS_WIFI_DIRECT_SHARING_ON_FAILED, boxes.Boxes()[0].text);
    EXPECT_EQ(1u, sim.JournalLines("QXWL_SetWifiDirectWpseConfig(11)").size());
}

TEST_F(WiFiDirectEngineTest, ABurstOfEventsLeavesTheTopologyConsistent)
{
    SwitchOn();
    for (int round = 0; round < 40; ++round) {
        Block d = NewBlock(WIFIDIRECTEVENT_STATUS_UPDATE_DISCOVERY, 3);
        PutDiscovery(d, 0, kCamera, "Camera", 1);
        PutDiscovery(d, 1, kPhone, "Phone", 2);
        PutDiscovery(d, 2, kPrinter, "Printer", 1);
        ASSERT_TRUE(queue(d.data(), static_cast<ULONG>(d.size())));
        if (round % 10 == 9) {
            Block g = NewBlock(WIFIDIRECTEVENT_STATUS_GROUP_UPDATE, 2);
            PutGroup(g, 0, kOwn, "Quixen-PC", 1);
            PutGroup(g, 1, kCamera, "Camera", 2);
            ASSERT_TRUE(queue(g.data(), static_cast<ULONG>(g.size())));
        }
    }
    Drain();
    // The last report was a group update: this device owns a group with the camera in it.
    ASSERT_EQ(1u, engine->m_vecTopology.size());
    EXPECT_EQ("Camera", Name(engine->m_vecTopology[0].Device));
    EXPECT_EQ(1, engine->n1stOrderDeviceNum);
    EXPECT_EQ(1u, engine->m_ulMyRule);
    EXPECT_EQ(2, engine->m_nNumOfMyGroup);
}

}  // namespace
