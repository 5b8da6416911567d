// The link status page against the stand-in's links, and its throughput and rate rules.
#include "StationDialogsFixture.h"
#include "core/BssidRepository.h"
#include "contract/StationContract.h"
#include "station/CLinkStatusDlg.h"

#include <cstring>
#include <string>
#include <vector>

using station_dialogs_test::StationDialogsTest;

namespace {
class LinkStatusTest : public StationDialogsTest {
protected:
    void SetUp() override
    {
        StationDialogsTest::SetUp();
        G_LangTable.IDS_INFRA = "Infrastructure";
        G_LangTable.IDS_DRIVER_NOTOK = "Driver not ready";
        G_LangTable.IDS_DISCONNECTED = "Disconnected";
        G_LangTable.IDS_RADIOOFF = "Radio off";
        G_LangTable.IDS_PROF_TX_POWER = "Tx Power";
        G_LangTable.IDS_LINK_TRANSMIT = "Transmit";
        G_LangTable.IDS_LINK_RECEIVE = "Receive";
        G_LangTable.IDS_LINK_TXRATE = "Link Speed";
        G_LangTable.IDS_LINK_THROUGHT = "Throughput";
        front.ShowWindow(SW_SHOW);
        ASSERT_TRUE(page.Create(CLinkStatusDlg::IDD, &front));
        page.ShowWindow(SW_SHOW);
    }
    void TearDown() override
    {
        page.DestroyWindow();
        StationDialogsTest::TearDown();
    }
    void Connect(const char* ssid, ULONG auth, const char* key)
    {
        WLANPROFILE p = {};
        p.SSID.SsidLength = static_cast<ULONG>(strlen(ssid));
        memcpy(p.SSID.Ssid, ssid, p.SSID.SsidLength);
        p.enumNetworkType = NETWORK_INFRASTRUCTURE;
        p.enumAuthenMode = auth;
        p.enumEncryStatus = ENCRY_AES;
        strcpy(p.chPskKey, key);
        QXWLAPI.QXWL_SetWLANProfile(&p);
        EXPECT_TRUE(sim.WaitIdle(testing_support::kWaitBoundMs));
    }
    // The text the tooltip gets for the status line, asked the way the thread's tooltip asks.
    std::string StatusLineTip(UINT code)
    {
        HWND line = ::GetDlgItem(page.GetSafeHwnd(), IDC_LINK_STATUS_LINE);
        if (code == TTN_NEEDTEXTW) {
            NMTTDISPINFOW info = {};
            info.hdr = {page.GetSafeHwnd(), reinterpret_cast<UINT_PTR>(line), code};
            info.uFlags = TTF_IDISHWND;
            page.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
            char text[80] = {};
            ::WideCharToMultiByte(CP_ACP, 0, info.szText, -1, text, sizeof text, nullptr, nullptr);
            return text;
        }
        NMTTDISPINFOA info = {};
        info.hdr = {page.GetSafeHwnd(), reinterpret_cast<UINT_PTR>(line), code};
        info.uFlags = TTF_IDISHWND;
        page.SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        return info.szText;
    }
    std::string ItemText(int id)
    {
        char text[64] = {};
        ::GetDlgItemTextA(page.GetSafeHwnd(), id, text, sizeof text);
        return text;
    }
    CLinkStatusDlg page;
};
}  // namespace

TEST_F(LinkStatusTest, CaptionsTheTransmitAndReceiveColumnsFromTheLanguageTable)
{
    EXPECT_EQ("Transmit", ItemText(IDC_LINK_SEP_TX));
    EXPECT_EQ("Receive", ItemText(IDC_LINK_SEP_RX));
    for (int id : {IDC_LINK_LBL_TXRATE, IDC_LINK_LBL_RXRATE}) EXPECT_EQ("Link Speed", ItemText(id));
    for (int id : {IDC_LINK_LBL_TXTHROUGHPUT, IDC_LINK_LBL_RXTHROUGHPUT}) EXPECT_EQ("Throughput", ItemText(id));
}

TEST_F(LinkStatusTest, StatusLineTipNamesTheWholeNetworkAndItsAccessPoint)
{
    EXPECT_EQ("", StatusLineTip(TTN_NEEDTEXTA));  // not connected: no text
    Connect("Quixen-WPA2", AUTH_WPA2_PSK, "quixen2024");
    page.Refresh();
    // The status line cuts the name; its tip does not.
    const std::string tip = StatusLineTip(TTN_NEEDTEXTA);
    EXPECT_EQ(0u, tip.find("Quixen-WPA2 <--> 00-1A-2B-44-71-"));
    EXPECT_EQ(34u, tip.size());
    EXPECT_EQ(tip, StatusLineTip(TTN_NEEDTEXTW));
}

TEST_F(LinkStatusTest, ShowsAConnectedWpa2Link)
{
    Connect("Quixen-WPA2", AUTH_WPA2_PSK, "quixen2024");
    page.Refresh();
    // Without the access point's address a name of more than ten characters is cut to ten.
    EXPECT_EQ(0, page.m_strStatus.Find("Quixen-WPA.. <--> 00-1A-2B-44-71-"));
    EXPECT_EQ(35, page.m_strStatus.GetLength());  // no trailing blank
    EXPECT_STREQ("WPA2-PSK", page.m_strAuth);
    EXPECT_STREQ("AES", page.m_strEncry);
    EXPECT_STREQ("Infrastructure", page.m_strNetworkType);
    EXPECT_STREQ("192.168.3.100", page.m_strIp);
    EXPECT_STREQ("255.255.255.0", page.m_strMask);
    EXPECT_STREQ("192.168.3.1", page.m_strGateway);
    EXPECT_NE(-1, page.m_strChannel.Find(" <--> "));
    EXPECT_NE(-1, page.m_strExtraInfo.Find(" [Tx Power:100%]"));
    EXPECT_STREQ("n/a", page.m_strSnr0);  // not an 802.11n link
}

TEST_F(LinkStatusTest, ShowsAFortyMegahertzShortGuardLink)
{
    Connect("Quixen-N300", AUTH_WPA2_PSK, "quixen300");
    page.Refresh();
    EXPECT_STREQ("40", page.m_strBandwidth);
    EXPECT_STREQ("short", page.m_strGuardInterval);
    EXPECT_STREQ("15", page.m_strMcs);
    EXPECT_STREQ("300.0 Mbps", page.m_strTxRate);
    EXPECT_STREQ("31", page.m_strSnr0);
    EXPECT_STREQ("25", page.m_strSnr2);
}

TEST_F(LinkStatusTest, AnHtLinkToAKnownAccessPointShowsItsCentralChannel)
{
    G_LangTable.IDS_LINKSTATUS_CENTRAL_CHANNEL = "Central channel";
    Connect("Quixen-N300", AUTH_WPA2_PSK, "quixen300");
    page.Refresh();
    EXPECT_EQ(-1, page.m_strChannel.Find("Central channel"));  // not seen in a scan yet

    QXWLAPI.QXWL_SiteSurveyScan(nullptr);
    EXPECT_TRUE(sim.WaitIdle(testing_support::kWaitBoundMs));
    std::vector<BYTE> list;
    ASSERT_TRUE(ReadSiteSurveyList(QXWLAPI.QXWL_SiteSurveyQuery, list, "test"));
    QXWLAPI.UpdateRepositBssidList(list.data(), static_cast<ULONG>(list.size()));
    page.Refresh();
    EXPECT_NE(-1, page.m_strChannel.Find(" <--> "));
    EXPECT_NE(-1, page.m_strChannel.Find("; Central channel : "));
}

TEST_F(LinkStatusTest, ShowsTheDisconnectedAdapterPerSystem)
{
    // A link status of 0 reads as a driver that is not ready.
    page.Refresh();
    EXPECT_STREQ("Driver not ready", page.m_strStatus);
    EXPECT_TRUE(page.m_strAuth.IsEmpty());
    EXPECT_STREQ("n/a", page.m_strSnr2);
    sim.Set("MSConfigService", 0);
    page.Refresh();
    EXPECT_STREQ("AutoConfig service is disable", page.m_strStatus);
    sim.Set("OsCode", 9);
    page.Refresh();
    EXPECT_STREQ("Driver not ready", page.m_strStatus);
}

TEST(LinkThroughput, CountsBackwardsCountersAsZeroAndFormatsKbpsBelowOneMbps)
{
    EXPECT_DOUBLE_EQ(0.0, CLinkStatusDlg::ThroughputMbps(1000, 999));
    EXPECT_DOUBLE_EQ(1.0, CLinkStatusDlg::ThroughputMbps(0, 250000));
    EXPECT_DOUBLE_EQ(1.0, CLinkStatusDlg::ThroughputMbps(0xFFFFFFFFu - 250000, 0xFFFFFFFFu));
    EXPECT_STREQ("999.500 Kbps", CLinkStatusDlg::ThroughputText(0.9995));
    EXPECT_STREQ("1.000 Mbps", CLinkStatusDlg::ThroughputText(1.0));
}

TEST_F(LinkStatusTest, RatesOfTheTransmitSettingWord)
{
    EXPECT_DOUBLE_EQ(0.0, page.RateOfTransmitSetting((1u << 14) | 9));   // OFDM MCS 9
    EXPECT_DOUBLE_EQ(5.5, page.RateOfTransmitSetting(10));               // CCK MCS 10
    EXPECT_DOUBLE_EQ(54.0, page.RateOfTransmitSetting((1u << 14) | 7));
    EXPECT_DOUBLE_EQ(72.2, page.RateOfTransmitSetting((2u << 14) | (1u << 8) | 7));
    EXPECT_DOUBLE_EQ(0.0, page.RateOfTransmitSetting((3u << 14) | 40));
}

namespace {
// The stand-in's status with the counters and link state a test sets; the rest is the real link.
struct StatusOverride {
    static inline PFN_QXWL_QueryWLANStatus real = nullptr;
    static inline ULONG txBytes = 0, rxBytes = 0, linkState = 0;
    static inline bool disconnected = false;
    static LONG WINAPI Query(WLAN_STATUS* status, WLAN_STATUS_QUERY query)
    {
        const LONG result = real(status, query);
        status->txBytes = txBytes;
        status->rxBytes = rxBytes;
        status->linkState = linkState;
        if (disconnected) status->status = 0;
        return result;
    }
    static BOOL WINAPI FailCcxQuery(CCX2_CONTROL*) { return FALSE; }
};

class LinkStatusCounters : public LinkStatusTest {
protected:
    void SetUp() override
    {
        LinkStatusTest::SetUp();
        StatusOverride::real = QXWLAPI.QXWL_QueryWLANStatus;
        QXWLAPI.QXWL_QueryWLANStatus = &StatusOverride::Query;
        StatusOverride::txBytes = StatusOverride::rxBytes = 0;
        StatusOverride::linkState = LINK_STATE_UP;
        StatusOverride::disconnected = false;
        Connect("Quixen-WPA2", AUTH_WPA2_PSK, "quixen2024");
    }
    void TearDown() override
    {
        QXWLAPI.QXWL_QueryWLANStatus = StatusOverride::real;
        LinkStatusTest::TearDown();
    }
    // One refresh after the counters moved by this many bytes (250,000 bytes in 2 s: 1 Mbps).
    CString RefreshAfter(ULONG bytes, CLinkStatusDlg& on)
    {
        StatusOverride::txBytes += bytes;
        on.Refresh();
        return on.m_strTxThroughput;
    }
};
}  // namespace

TEST_F(LinkStatusCounters, ThroughputStartsAFreshBaselineAfterHideDisconnectAndANewPage)
{
    const char* kSpike = "2000.000 Mbps";  // 500,000,000 bytes taken as two seconds' worth
    RefreshAfter(0, page);  // the first refresh only takes the counters
    EXPECT_STREQ("1.000 Mbps", RefreshAfter(250000, page));

    // Minutes of traffic while hidden are not a spike of the first refresh after showing.
    page.ShowWindow(SW_HIDE);
    page.ShowWindow(SW_SHOW);
    EXPECT_STRNE(kSpike, RefreshAfter(500000000, page));
    EXPECT_STREQ("2.000 Mbps", RefreshAfter(500000, page));

    StatusOverride::disconnected = true;
    page.Refresh();
    StatusOverride::disconnected = false;
    EXPECT_STRNE(kSpike, RefreshAfter(500000000, page));
    EXPECT_STREQ("1.000 Mbps", RefreshAfter(250000, page));

    // A page made again does not take the old page's counters as its baseline.
    CLinkStatusDlg second;
    ASSERT_TRUE(second.Create(CLinkStatusDlg::IDD, &front));
    EXPECT_TRUE(RefreshAfter(500000000, second).IsEmpty());
    EXPECT_STREQ("1.000 Mbps", RefreshAfter(250000, second));
    second.DestroyWindow();
}

TEST_F(LinkStatusCounters, StatesWithoutAMessageKeepTheLastOneAndTheTransmitPowerOnce)
{
    StatusOverride::linkState = 12;
    for (int tick = 0; tick < 3; ++tick) page.Refresh();
    const CString extra = page.m_strExtraInfo;
    EXPECT_EQ(0, extra.Find(" [Tx Power:100%]")) << extra.GetString();
    EXPECT_EQ(-1, extra.Find("Tx Power", extra.Find("Tx Power") + 1)) << extra.GetString();
}

TEST_F(LinkStatusCounters, OlderSystemsMarkProtectedFramesFromTheWordEvenWhenTheSecondReadFails)
{
    sim.Set("OsCode", 9);
    CCX2_CONTROL mfp = 1u << 26;
    QXWLAPI.QXWL_SetCCXInfo(1, mfp);
    const PFN_QXWL_QueryCCXInfo query = QXWLAPI.QXWL_QueryCCXInfo;
    page.Refresh();
    EXPECT_STREQ("AES(MFP)", page.m_strEncry);
    QXWLAPI.QXWL_QueryCCXInfo = &StatusOverride::FailCcxQuery;
    page.Refresh();
    QXWLAPI.QXWL_QueryCCXInfo = query;
    EXPECT_STREQ("AES(MFP)", page.m_strEncry);
    EXPECT_STREQ("WPA2-PSK", page.m_strAuth);
}
