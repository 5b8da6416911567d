// The station stand-in as a WPS access point: the status sequence after the mode is set, the
// PIN check, push-button overlap, time-out and the credential exchanged.
#include "tests/station/StationFixture.h"
#include "contract/WiFiDirectRecords.h"

#include <cstring>

using namespace station_test;

namespace {

constexpr ULONG kPbcBit = 0x10000000;

WPS_MODE Mode(ULONG wpsMode, const char* ssid = "", const char* pin = "", UCHAR configMode = 1)
{
    WPS_MODE m = {};
    m.WpsMode = wpsMode;
    m.WpsSSID.SsidLength = static_cast<ULONG>(strlen(ssid));
    memcpy(m.WpsSSID.Ssid, ssid, m.WpsSSID.SsidLength);
    memcpy(m.PIN, pin, std::min<size_t>(strlen(pin), sizeof m.PIN));
    m.ConfigMode = configMode;
    return m;
}

class WpsStandInTest : public StationTest {
protected:
    void Scan()
    {
        lib->QXWL_SiteSurveyScan(nullptr);
        sim.WaitIdle();
    }
    // Polls until a code outside the progress steps comes; the codes seen, flag bits kept.
    std::vector<ULONG> Run(const WPS_MODE& mode, size_t maxPolls = 60)
    {
        Scan();
        lib->QXWL_SetWPSMode(mode);
        std::vector<ULONG> codes;
        for (size_t i = 0; i < maxPolls; ++i) {
            ULONG status = 0;
            EXPECT_EQ(1, lib->QXWL_QueryWPSStatus(&status));
            codes.push_back(status);
            const ULONG code = status & 0x0FFFFFFF;
            if (code == 15 || code >= 0x100) break;
        }
        return codes;
    }
    static ULONG Last(const std::vector<ULONG>& codes) { return codes.empty() ? 0 : codes.back() & 0x0FFFFFFF; }
    // Polls until the status differs from `from`; the new status, or `from` when it stayed.
    ULONG PollUntilChanged(ULONG from)
    {
        const DWORD start = ::GetTickCount();
        ULONG status = from;
        while (status == from && ::GetTickCount() - start < testing_support::kWaitBoundMs) {
            ::Sleep(kPollGapMs);
            lib->QXWL_QueryWPSStatus(&status);
        }
        return status;
    }
    static constexpr DWORD kPollGapMs = 5;  // well below any step of the world's clock
};

TEST_F(WpsStandInTest, PushButtonWalksItsStepsToSuccessWithTheAccessPointsCredential)
{
    const auto codes = Run(Mode(0x20000000));
    const std::vector<ULONG> expected = {2, 3, 4, 5, 6, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 15};
    ASSERT_EQ(expected.size(), codes.size());
    for (size_t i = 0; i < codes.size(); ++i) EXPECT_EQ(expected[i] | kPbcBit, codes[i]) << i;
    WPS_PROFILE profile = {};
    lib->QXWL_QueryWPSProfile(&profile);
    ASSERT_EQ(1u, profile.ProfileCnt);
    const WPS_CREDENTIAL& c = profile.Profile[0];
    EXPECT_EQ("Quixen-WPA2", std::string(reinterpret_cast<const char*>(c.SSID.Ssid), c.SSID.SsidLength));
    EXPECT_EQ(0x20u, c.AuthType);
    EXPECT_EQ(0x08u, c.EncrType);
    EXPECT_EQ("quixen2024", std::string(reinterpret_cast<const char*>(c.Key), c.KeyLength));
    UCHAR channel = 0;
    lib->QXWL_QueryWPSAPChannel(&channel);
    EXPECT_EQ(11, channel);
}

TEST_F(WpsStandInTest, PinRunChecksThePinAgainstTheAccessPoints)
{
    const auto good = Run(Mode(0x10000000, "Quixen-WPA2", "12345670"));
    EXPECT_EQ(15u, Last(good));
    EXPECT_EQ(0u, good.front() & kPbcBit);
    EXPECT_EQ(34u, good[5]);  // the PIN exchange's own steps
    EXPECT_EQ(43u, good[good.size() - 2]);

    const auto bad = Run(Mode(0x10000000, "Quixen-WPA2", "12345671"));
    EXPECT_EQ(0x201u, Last(bad));  // rejected PIN
    WPS_PROFILE profile = {};
    lib->QXWL_QueryWPSProfile(&profile);
    EXPECT_EQ(0u, profile.ProfileCnt);  // no credential after a refused PIN
}

TEST_F(WpsStandInTest, TwoAccessPointsInPushButtonModeOverlap)
{
    ASSERT_TRUE(sim.Reset("[Network1]\nSsid=A\nWPS=1\nWpsPbc=1\n[Network2]\nSsid=B\nChannel=6\nWPS=1\nWpsPbc=1\n"));
    EXPECT_EQ(0x101u, Last(Run(Mode(0x20000000))));
}

TEST_F(WpsStandInTest, RunNobodyAnswersSearchesUntilTheTimeOut)
{
    ASSERT_TRUE(sim.Reset("[World]\nWpsTimeoutMs=1000\n[Network1]\nSsid=A\nWPS=1\n"));
    Scan();
    lib->QXWL_SetWPSMode(Mode(0x20000000));  // nobody's button is pressed
    ULONG status = 0;
    lib->QXWL_QueryWPSStatus(&status);
    EXPECT_EQ(2u | kPbcBit, status);
    lib->QXWL_QueryWPSStatus(&status);
    EXPECT_EQ(2u | kPbcBit, status);  // polls alone do not end the search
    status = PollUntilChanged(status);
    EXPECT_EQ(0x204u | kPbcBit, status);
    // Disconnecting ends the run: the status reads idle again.
    lib->QXWL_WPSDisconnect();
    lib->QXWL_QueryWPSStatus(&status);
    EXPECT_EQ(0u, status & 0x0FFFFFFF);
}

TEST_F(WpsStandInTest, StepsFollowTheWorldsClock)
{
    ASSERT_TRUE(sim.Reset("[World]\nWpsStepMs=500\n"));
    Scan();
    lib->QXWL_SetWPSMode(Mode(0x20000000));
    ULONG first = 0, again = 0;
    lib->QXWL_QueryWPSStatus(&first);
    lib->QXWL_QueryWPSStatus(&again);
    EXPECT_EQ(2u | kPbcBit, first);
    EXPECT_EQ(first, again);  // polls faster than the clock do not advance the run
    // Many polls within each step, and the run still takes one step at a time.
    const ULONG second = PollUntilChanged(again);
    EXPECT_EQ(3u | kPbcBit, second);
    EXPECT_EQ(4u | kPbcBit, PollUntilChanged(second));
}

TEST_F(WpsStandInTest, RegistrarRunConfiguresTheAccessPointWithTheOfferedCredential)
{
    ASSERT_TRUE(sim.Reset("[Network1]\nSsid=Fresh\nBssid=00:11:22:33:44:55\nWPS=1\nWpsConfigured=0\nWpsPin=11111117\n"));
    WPS_PROFILE offered = {};
    offered.ProfileCnt = 1;
    WPS_CREDENTIAL& c = offered.Profile[0];
    c.SSID.SsidLength = 10;
    memcpy(c.SSID.Ssid, "Kelvo_WLAN", 10);
    c.AuthType = 0x20;
    c.EncrType = 0x08;
    c.KeyLength = 8;
    memcpy(c.Key, "newkey12", 8);
    lib->QXWL_SetWPSProfile(offered);
    EXPECT_EQ(15u, Last(Run(Mode(0x10000000, "Fresh", "11111117", 2))));
    WPS_PROFILE got = {};
    lib->QXWL_QueryWPSProfile(&got);
    EXPECT_EQ("Kelvo_WLAN", std::string(reinterpret_cast<const char*>(got.Profile[0].SSID.Ssid), got.Profile[0].SSID.SsidLength));
    EXPECT_EQ("newkey12", std::string(reinterpret_cast<const char*>(got.Profile[0].Key), got.Profile[0].KeyLength));
    // The access point now beacons the new name.
    Scan();
    NDIS_802_11_SSID ssid = {};
    ssid.SsidLength = 10;
    memcpy(ssid.Ssid, "Kelvo_WLAN", 10);
    WLANPROFILE p = {};
    p.SSID = ssid;
    p.enumAuthenMode = AUTH_WPA2_PSK;
    p.enumEncryStatus = ENCRY_AES;
    strcpy(p.chPskKey, "newkey12");
    p.enumNetworkType = NETWORK_INFRASTRUCTURE;
    lib->QXWL_SetWLANProfile(&p);
    EXPECT_EQ(3u, Status().status);
}

// One WPS engine, two roads: a station run started while a Wi-Fi Direct negotiation waits goes
// to the access points, only the mode naming the negotiated group finishes the negotiation, and
// neither changes the WPS mode the program stored.
TEST_F(WpsStandInTest, StationRunAndWiFiDirectNegotiationEachTakeOnlyTheirOwnMode)
{
    ASSERT_TRUE(sim.Reset("[Peer1]\nName=Camera\nIntent=15\nAccept=Any\n"));
    WPS_MODE stored = Mode(0x10000000, "Quixen-WPA2", "12345670");
    stored.Channel = 3;
    lib->QXWL_WriteWPSProfile(stored, WPS_PROFILE{});
    auto nextEvent = [&] {
        std::vector<BYTE> block(kWiFiDirectStatusBytes);
        return lib->QXWL_QueryWifiDirectStatus(block.data()) == 1 ? int(block[0]) : -1;
    };
    auto invite = std::make_unique<WIFIDIRECT_WPSE_PROFILE>();
    memset(invite.get(), 0, sizeof *invite);
    invite->ConfigMode = WIFIDIRECT_CONFIG_INVITE;
    invite->WpsMethod = 0x20000000;
    invite->ulNumOfDeviceAddr = 1;
    const UCHAR camera[6] = {0x02, 0x50, 0x32, 0x50, 0x00, 0x01};
    memcpy(invite->DeviceAddrs[0], camera, sizeof camera);
    lib->QXWL_SetWifiDirectWpseConfig(invite.get());
    ASSERT_EQ(int(WIFIDIRECTEVENT_STATUS_GO_NEGO_DONE), nextEvent());
    UCHAR channel = 0;
    lib->QXWL_QueryWPSAPChannel(&channel);
    EXPECT_EQ(6, channel);  // the group's

    EXPECT_EQ(15u, Last(Run(Mode(0x20000000))));
    EXPECT_EQ(-1, nextEvent());  // the negotiation still waits for its own mode
    lib->QXWL_QueryWPSAPChannel(&channel);
    EXPECT_EQ(11, channel);  // the access point's

    lib->QXWL_SetWPSMode(Mode(0x20000000, "DIRECT-QxCamera"));
    EXPECT_EQ(int(WIFIDIRECTEVENT_STATUS_WPS_DONE), nextEvent());
    ULONG status = 0;
    lib->QXWL_QueryWPSStatus(&status);
    EXPECT_EQ(15u, status & 0x0FFFFFFF);  // no station run started
    lib->QXWL_QueryWPSAPChannel(&channel);
    EXPECT_EQ(6, channel);
    WPS_MODE mode = {};
    lib->QXWL_ReadWPSProfile(&mode, nullptr);
    EXPECT_EQ(0x10000000u, mode.WpsMode);
    EXPECT_EQ(3, mode.Channel);
    EXPECT_EQ("Quixen-WPA2", std::string(reinterpret_cast<const char*>(mode.WpsSSID.Ssid), mode.WpsSSID.SsidLength));
}

}  // namespace
