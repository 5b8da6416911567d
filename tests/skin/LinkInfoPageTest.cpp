// The link information page: every field of a connected 802.11n link, a legacy link and an
// adapter without a link; throughput across counter wraps and resets; totals against their
// baseline; the bars; the trend chart.
#include "MainWindowFixture.h"
#include "core/QXWLLIB.h"
#include "skin/KelvoPageDataRateDlg.h"
#include "skin/KelvoPageLinkInfoDlg.h"
#include "skin/KelvoPageProfileDlg.h"

#include <cstring>
#include <string>

using skin_test::MainWindowTest;

namespace {
// The link the fake library reports; the totals pass gets only the totals.
WLAN_STATUS g_link{};
ULONGLONG g_txTotal = 0;
ULONGLONG g_rxTotal = 0;
int g_totalsQueries = 0;
std::string g_profileRead;
WLANPROFILE g_storedProfile{};

LONG WINAPI FakeQueryStatus(WLAN_STATUS* status, WLAN_STATUS_QUERY query)
{
    if (query.bTotals && !query.bLink && !query.bAssociation && !query.bSignal && !query.bAddress) {
        ++g_totalsQueries;
        status->status = g_link.status;
        status->xmitOkLow = static_cast<ULONG>(g_txTotal);
        status->xmitOkHigh = static_cast<ULONG>(g_txTotal >> 32);
        status->rcvTotalLow = static_cast<ULONG>(g_rxTotal);
        status->rcvTotalHigh = static_cast<ULONG>(g_rxTotal >> 32);
        status->rcvOk = static_cast<ULONG>(g_rxTotal);  // the 32-bit counter beside it
        return 1;
    }
    if (query.bLink && query.bAssociation && query.bSignal && query.bAddress && !query.bTotals) *status = g_link;
    return 1;
}

LONG WINAPI FakeReadProfile(WLANPROFILE* profile, LPCSTR name)
{
    g_profileRead = name;
    *profile = g_storedProfile;
    return 1;
}

void SetSsid(WLAN_STATUS& s, const char* ssid)
{
    s.Ssid.SsidLength = static_cast<ULONG>(strlen(ssid));
    memcpy(s.Ssid.Ssid, ssid, s.Ssid.SsidLength);
}

class LinkInfoPageTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        // Each value its own text, so that a check names the one shown.
        G_LangTable.IDS_VAL_INFRA = "Infrastructure";
        G_LangTable.IDS_VAL_ADHOC = "Ad hoc";
        G_LangTable.IDS_VAL_OPEN = "Open System";
        G_LangTable.IDS_VAL_SHARE = "Shared Key";
        G_LangTable.IDS_VAL_DISABLE = "Disabled";
        G_LangTable.IDS_LAB_DATARATE_TITLE = "Data Rate";
        g_link = WLAN_STATUS{};
        g_txTotal = 0;
        g_rxTotal = 0;
        g_totalsQueries = 0;
        g_profileRead.clear();
        g_storedProfile = WLANPROFILE{};
        QXWLAPI.QXWL_QueryWLANStatus = FakeQueryStatus;
        QXWLAPI.QXWL_ReadProfileData = FakeReadProfile;
        page = mainWindow.m_pPageLinkInfoDlg;
        ASSERT_NE(nullptr, page);
        ASSERT_TRUE(page->m_hWnd);
        page->SendMessage(WM_SHOWWINDOW, TRUE, 0);  // the page as it is shown: first passes ahead
    }
    // A 40 MHz 802.11n link on channel 6, WPA2-PSK with AES.
    static void ConnectN()
    {
        g_link.status = QxStatus_Connected;
        SetSsid(g_link, "Quixen-N300");
        const UCHAR bssid[6] = {0x00, 0x1A, 0x2B, 0xC3, 0xD4, 0xE5};
        memcpy(g_link.Bssid, bssid, 6);
        g_link.networkType = 1;
        g_link.rssi0 = -48;
        g_link.signal0 = 87;
        g_link.frequency = 2437000;
        g_link.authMode = 7;
        g_link.encryStatus = 6;
        g_link.linkQuality = 76;
        g_link.txRateMbps = 300.0;
        g_link.rxRateMbps = 270.0;
    }
    std::string Text(UINT id) const
    {
        char text[256] = {};
        ::GetDlgItemTextA(page->m_hWnd, static_cast<int>(id), text, sizeof text);
        return text;
    }
    int SignalSteps() const { return page->m_barSignal.GetPercent() / 10; }
    int QualitySteps() const { return page->m_barQuality.GetPercent() / 10; }

    CKelvoPageLinkInfoDlg* page = nullptr;
};

constexpr UINT kAllValues[] = {IDC_LINKINFO_PROFILE, IDC_LINKINFO_SSID,    IDC_LINKINFO_APMAC,   IDC_LINKINFO_NETTYPE,
                               IDC_LINKINFO_TXSPEED, IDC_LINKINFO_RXSPEED, IDC_LINKINFO_SECURITY, IDC_LINKINFO_CHANNEL,
                               IDC_LINKINFO_TXRATE,  IDC_LINKINFO_RXRATE,  IDC_LINKINFO_AUTH,    IDC_LINKINFO_NETMODE,
                               IDC_LINKINFO_TOTALTX, IDC_LINKINFO_TOTALRX, IDC_LINKINFO_QUALITY};
}  // namespace

TEST_F(LinkInfoPageTest, ConnectedNLinkFillsEveryFieldAndRatesAppearFromTheSecondPass)
{
    mainWindow.m_pPageProfileDlg->m_bActiveProfile = 1;
    mainWindow.m_pPageProfileDlg->m_strProfile = "Home";
    ConnectN();
    g_link.txBytes = 1000;
    g_link.rxBytes = 5000;
    g_txTotal = 0x1'0000'0100ULL;  // above 32 bits
    g_rxTotal = 900;
    page->RefreshLinkInfo();

    EXPECT_EQ("Home", Text(IDC_LINKINFO_PROFILE));
    EXPECT_EQ("Quixen-N300", Text(IDC_LINKINFO_SSID));
    EXPECT_EQ("00:1A:2B:C3:D4:E5", Text(IDC_LINKINFO_APMAC));
    EXPECT_EQ(std::string(G_LangTable.IDS_VAL_INFRA), Text(IDC_LINKINFO_NETTYPE));
    EXPECT_EQ("300.0 Mbps", Text(IDC_LINKINFO_TXSPEED));
    EXPECT_EQ("270.0 Mbps", Text(IDC_LINKINFO_RXSPEED));
    EXPECT_EQ("WPA2-PSK", Text(IDC_LINKINFO_SECURITY));
    EXPECT_EQ("6", Text(IDC_LINKINFO_CHANNEL));
    EXPECT_EQ(std::string(G_LangTable.IDS_VAL_OPEN), Text(IDC_LINKINFO_AUTH));
    EXPECT_EQ("N", Text(IDC_LINKINFO_NETMODE));
    EXPECT_EQ("76%", Text(IDC_LINKINFO_QUALITY));
    EXPECT_EQ(7, QualitySteps());
    EXPECT_EQ(8, SignalSteps());
    // The first pass after showing: no rates yet, totals at their baseline.
    EXPECT_EQ("", Text(IDC_LINKINFO_TXRATE));
    EXPECT_EQ("", Text(IDC_LINKINFO_RXRATE));
    EXPECT_EQ("0", Text(IDC_LINKINFO_TOTALTX));
    EXPECT_EQ("0", Text(IDC_LINKINFO_TOTALRX));

    g_link.txBytes += 2'000'000;
    g_link.rxBytes += 100'000;
    g_txTotal += 0x1'0000'0000ULL + 5;  // the high word counts
    g_rxTotal += 42;
    page->RefreshLinkInfo();
    EXPECT_EQ("8 Mbps", Text(IDC_LINKINFO_TXRATE));
    EXPECT_EQ("400 Kbps", Text(IDC_LINKINFO_RXRATE));
    EXPECT_EQ("4294967301", Text(IDC_LINKINFO_TOTALTX));
    EXPECT_EQ("42", Text(IDC_LINKINFO_TOTALRX));
    EXPECT_EQ(2, g_totalsQueries);
}

TEST_F(LinkInfoPageTest, ShowingThePageAgainRestartsTotalsAndRates)
{
    ConnectN();
    g_txTotal = 100;
    page->RefreshLinkInfo();
    g_txTotal = 700;
    g_link.txBytes = 500'000;
    page->RefreshLinkInfo();
    EXPECT_EQ("600", Text(IDC_LINKINFO_TOTALTX));

    page->SendMessage(WM_SHOWWINDOW, FALSE, 0);
    page->SendMessage(WM_SHOWWINDOW, TRUE, 0);
    g_txTotal = 1000;
    g_link.txBytes = 900'000;
    page->RefreshLinkInfo();
    EXPECT_EQ("0", Text(IDC_LINKINFO_TOTALTX));
}

TEST_F(LinkInfoPageTest, LegacyLinksShowTheirModeLetterAndSecurity)
{
    ConnectN();
    g_link.authMode = 1;  // shared key
    g_link.encryStatus = 0;
    g_link.txRateMbps = 11.0;
    g_link.rxRateMbps = 5.5;
    page->RefreshLinkInfo();
    EXPECT_EQ("B", Text(IDC_LINKINFO_NETMODE));
    EXPECT_EQ("WEP", Text(IDC_LINKINFO_SECURITY));
    EXPECT_EQ(std::string(G_LangTable.IDS_VAL_SHARE), Text(IDC_LINKINFO_AUTH));
    EXPECT_EQ("", g_profileRead);  // the mode names it: no profile read

    g_link.txRateMbps = g_link.rxRateMbps = 54.0;
    g_link.authMode = 0;  // open, no encryption
    g_link.encryStatus = 1;
    page->RefreshLinkInfo();
    EXPECT_EQ("G", Text(IDC_LINKINFO_NETMODE));
    EXPECT_EQ(std::string(G_LangTable.IDS_VAL_DISABLE), Text(IDC_LINKINFO_SECURITY));

    g_link.txRateMbps = 150.0;
    page->RefreshLinkInfo();
    EXPECT_EQ("N", Text(IDC_LINKINFO_NETMODE));

    g_link.frequency = 5180000;  // channel 36: "A" whatever the speeds
    g_link.txRateMbps = g_link.rxRateMbps = 6.0;
    page->RefreshLinkInfo();
    EXPECT_EQ("36", Text(IDC_LINKINFO_CHANNEL));
    EXPECT_EQ("A", Text(IDC_LINKINFO_NETMODE));

    g_link.frequency = 0;  // no frequency: no channel, and the speeds decide
    page->RefreshLinkInfo();
    EXPECT_EQ("", Text(IDC_LINKINFO_CHANNEL));
    EXPECT_EQ("B", Text(IDC_LINKINFO_NETMODE));
}

TEST_F(LinkInfoPageTest, OpenWepLinkTakesItsSecurityFromTheActiveProfile)
{
    ConnectN();
    g_link.authMode = 0;
    g_link.encryStatus = 0;  // WEP enabled
    page->RefreshLinkInfo();
    EXPECT_EQ("WEP", Text(IDC_LINKINFO_SECURITY));  // no profile
    EXPECT_EQ("", g_profileRead);

    mainWindow.m_pPageProfileDlg->m_bActiveProfile = 1;
    mainWindow.m_pPageProfileDlg->m_strProfile = "Office";
    g_storedProfile.enumAuthenMode = 0;
    g_storedProfile.enumEncryStatus = 0;
    g_storedProfile.b8021X = 1;
    page->RefreshLinkInfo();
    EXPECT_EQ("Office", g_profileRead);
    EXPECT_EQ("WEP 802.1X", Text(IDC_LINKINFO_SECURITY));

    // The profile list no longer reports an active profile: back to the plain text.
    mainWindow.m_pPageProfileDlg->m_bActiveProfile = 0;
    g_profileRead.clear();
    page->RefreshLinkInfo();
    EXPECT_EQ("", Text(IDC_LINKINFO_PROFILE));
    EXPECT_EQ("WEP", Text(IDC_LINKINFO_SECURITY));
    EXPECT_EQ("", g_profileRead);
}

TEST_F(LinkInfoPageTest, WithoutALinkEveryValueSaysNotConnectedAndTheBarsAreDown)
{
    G_LangTable.IDS_VAL_NOT_CONNECTED = "Not connected";
    ConnectN();
    g_link.txBytes = 10;
    page->RefreshLinkInfo();
    page->RefreshLinkInfo();
    ASSERT_NE("", Text(IDC_LINKINFO_TXRATE));

    memset(g_link.Bssid, 0, sizeof g_link.Bssid);  // state 3 without an access point
    page->RefreshLinkInfo();
    for (UINT id : kAllValues) EXPECT_EQ("Not connected", Text(id)) << id;
    EXPECT_EQ(0, SignalSteps());
    EXPECT_EQ(0, QualitySteps());

    ConnectN();
    page->RefreshLinkInfo();
    g_link.status = kStatusDisconnected;
    page->RefreshLinkInfo();
    for (UINT id : kAllValues) EXPECT_EQ("Not connected", Text(id)) << id;
    EXPECT_EQ(0, SignalSteps());

    // Without the language text the page still says it in words.
    G_LangTable.IDS_VAL_NOT_CONNECTED.Empty();
    page->RefreshLinkInfo();
    EXPECT_EQ("Not connected", Text(IDC_LINKINFO_SSID));
}

TEST_F(LinkInfoPageTest, CountersThatWrapOrGoBackNeverShowANegativeOrAbsurdRate)
{
    ConnectN();
    g_link.txBytes = 0xFFFFF000u;
    g_link.rxBytes = 5'000'000;
    page->RefreshLinkInfo();
    g_link.txBytes = 0x00001000u;  // wrapped: 8192 bytes moved
    g_link.rxBytes = 1'000'000;    // went back (a driver restart)
    page->RefreshLinkInfo();
    EXPECT_EQ("33 Kbps", Text(IDC_LINKINFO_TXRATE));
    EXPECT_EQ("0 Kbps", Text(IDC_LINKINFO_RXRATE));
    // Counting on from the new value.
    g_link.rxBytes += 250'000;
    page->RefreshLinkInfo();
    EXPECT_EQ("1 Mbps", Text(IDC_LINKINFO_RXRATE));
}

TEST_F(LinkInfoPageTest, TotalsBelowTheirBaselineStartAgainFromZero)
{
    ConnectN();
    g_txTotal = 1'000'000;
    g_rxTotal = 2'000'000;
    page->RefreshLinkInfo();
    g_txTotal = 10;  // the driver's counters were reset
    g_rxTotal = 20;
    page->RefreshLinkInfo();
    EXPECT_EQ("0", Text(IDC_LINKINFO_TOTALTX));
    EXPECT_EQ("0", Text(IDC_LINKINFO_TOTALRX));
    g_txTotal = 15;
    g_rxTotal = 120;
    page->RefreshLinkInfo();
    EXPECT_EQ("5", Text(IDC_LINKINFO_TOTALTX));
    EXPECT_EQ("100", Text(IDC_LINKINFO_TOTALRX));
}

TEST_F(LinkInfoPageTest, TotalReceiveCountsOnPastFourGigabytes)
{
    ConnectN();
    g_rxTotal = 0xFFFFFF00ull;
    g_txTotal = 0xFFFFFF00ull;
    page->RefreshLinkInfo();
    // Both 64-bit totals cross 2^32; the 32-bit counter beside them wraps to a small number.
    g_rxTotal += 0x200;
    g_txTotal += 0x100;
    page->RefreshLinkInfo();
    EXPECT_EQ("512", Text(IDC_LINKINFO_TOTALRX));
    EXPECT_EQ("256", Text(IDC_LINKINFO_TOTALTX));
}

TEST_F(LinkInfoPageTest, BarsClampAndNoSignalEmptiesTheSignalBar)
{
    ConnectN();
    g_link.linkQuality = 130;
    g_link.signal0 = 250;
    page->RefreshLinkInfo();
    EXPECT_EQ("100%", Text(IDC_LINKINFO_QUALITY));
    EXPECT_EQ(10, QualitySteps());
    EXPECT_EQ(10, SignalSteps());

    g_link.rssi0 = CKelvoPageLinkInfoDlg::kNoSignalRssi;
    g_link.signal0 = 90;
    g_link.linkQuality = 9;
    page->RefreshLinkInfo();
    EXPECT_EQ(0, SignalSteps());
    EXPECT_EQ(0, QualitySteps());
    EXPECT_EQ("9%", Text(IDC_LINKINFO_QUALITY));
}

TEST_F(LinkInfoPageTest, ThePollRunsOnlyWhileThePageIsVisible)
{
    // KillTimer tells whether the timer was running.
    const HWND wnd = page->m_hWnd;
    page->SendMessage(WM_SHOWWINDOW, FALSE, 0);
    EXPECT_FALSE(::KillTimer(wnd, CKelvoPageLinkInfoDlg::TIMER_LINKINFO_REFRESH));
    page->SendMessage(WM_SHOWWINDOW, TRUE, 0);
    EXPECT_TRUE(::KillTimer(wnd, CKelvoPageLinkInfoDlg::TIMER_LINKINFO_REFRESH));
    // The timer's message is one refresh pass.
    ConnectN();
    page->SendMessage(WM_TIMER, CKelvoPageLinkInfoDlg::TIMER_LINKINFO_REFRESH, 0);
    EXPECT_EQ("Quixen-N300", Text(IDC_LINKINFO_SSID));
}

namespace {
CKelvoPageLinkInfoDlg* g_chartPage = nullptr;
bool g_chartSeen = false;
CString g_chartTitle;
}  // namespace

TEST_F(LinkInfoPageTest, TrendChartRunsTheDataRateGraphFromTheSkinLibraryAndRestartsTheRates)
{
    ConnectN();
    page->RefreshLinkInfo();
    ASSERT_EQ(0u, page->m_bRateFirstPass);
    g_chartPage = page;
    g_chartSeen = false;
    HINSTANCE during = nullptr;
    const HINSTANCE before = AfxGetResourceHandle();
    AfxSetModalDialogHook([&](CDialog& dlg) {
        during = AfxGetResourceHandle();
        g_chartSeen = g_chartPage->DataRateDialog() == &dlg;
        char title[64] = {};
        ::GetDlgItemTextA(dlg.m_hWnd, IDC_DATARATE_TITLE, title, sizeof title);
        g_chartTitle = title;
        dlg.PostMessage(WM_CLOSE);
    });
    page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_LINKINFO_TREND_CHART, BN_CLICKED),
                      reinterpret_cast<LPARAM>(::GetDlgItem(page->m_hWnd, IDC_LINKINFO_TREND_CHART)));
    AfxSetModalDialogHook(nullptr);
    EXPECT_TRUE(g_chartSeen);
    EXPECT_EQ(G_hKelvoImg, during);
    EXPECT_EQ(before, AfxGetResourceHandle());
    EXPECT_STREQ(G_LangTable.IDS_LAB_DATARATE_TITLE, g_chartTitle);
    EXPECT_EQ(nullptr, page->DataRateDialog());
    EXPECT_EQ(1u, page->m_bRateFirstPass);
    EXPECT_TRUE(::KillTimer(page->m_hWnd, CKelvoPageLinkInfoDlg::TIMER_LINKINFO_REFRESH));
}

namespace {
class DataRatePageTest : public LinkInfoPageTest {
protected:
    void SetUp() override
    {
        LinkInfoPageTest::SetUp();
        ASSERT_TRUE(chart.Create(CKelvoPageDatarateDlg::IDD, nullptr));
    }
    void TearDown() override
    {
        chart.DestroyWindow();
        LinkInfoPageTest::TearDown();
    }
    std::string Value(UINT id) const
    {
        char text[64] = {};
        ::GetDlgItemTextA(chart.m_hWnd, static_cast<int>(id), text, sizeof text);
        return text;
    }
    // How far the marker stands above the bar's base line, in pixels.
    static int Height(CPictureStatic& bar)
    {
        CRect r;
        bar.GetClientRect(&r);
        return r.Height();
    }
    static int Rise(CPictureStatic& bar) { return Height(bar) - 1 - bar.GetMarker(); }

    CKelvoPageDatarateDlg chart;
};
}  // namespace

TEST_F(DataRatePageTest, NumbersAppearFromTheSecondPassInKilobitsOnALogScale)
{
    EXPECT_TRUE(::KillTimer(chart.m_hWnd, CKelvoPageDatarateDlg::TIMER_DATARATE_REFRESH));
    ConnectN();
    g_link.txBytes = 7'000'000;
    g_link.rxBytes = 3;
    chart.Refresh();
    EXPECT_EQ("", Value(IDC_DATARATE_TX));
    EXPECT_EQ("", Value(IDC_DATARATE_RX));
    EXPECT_EQ(0, Rise(chart.m_barTransmit));

    g_link.txBytes += 125'000;  // 1000 kbit/s: three of six decades
    g_link.rxBytes += 124;      // below 1 kbit/s: the base line
    chart.Refresh();
    EXPECT_EQ("1000", Value(IDC_DATARATE_TX));
    EXPECT_EQ("0", Value(IDC_DATARATE_RX));
    EXPECT_NEAR(Height(chart.m_barTransmit) / 2, Rise(chart.m_barTransmit), 1);
    EXPECT_EQ(0, Rise(chart.m_barReceive));

    g_link.txBytes += CKelvoPageDatarateDlg::kMaxBytesPerSecond;  // the top of the scale
    g_link.rxBytes += 1250;                                        // 10 kbit/s: one decade
    chart.Refresh();
    EXPECT_EQ("1000000", Value(IDC_DATARATE_TX));
    EXPECT_EQ(Height(chart.m_barTransmit) - 1, Rise(chart.m_barTransmit));
    EXPECT_NEAR(Height(chart.m_barReceive) / 6, Rise(chart.m_barReceive), 1);
}

TEST_F(DataRatePageTest, ACounterThatWentBackShowsZeroAndAWrapShowsTheDifference)
{
    ConnectN();
    g_link.txBytes = 900'000;
    g_link.rxBytes = 0xFFFFFF00u;
    chart.Refresh();
    g_link.txBytes = 100;           // back
    g_link.rxBytes = 0x0000FF00u;   // across the wrap: 65536 bytes
    chart.Refresh();
    EXPECT_EQ("0", Value(IDC_DATARATE_TX));
    EXPECT_EQ("524", Value(IDC_DATARATE_RX));
}

TEST_F(DataRatePageTest, WhileTheLinkIsDownNothingChanges)
{
    ConnectN();
    g_link.txBytes = 1000;
    chart.Refresh();
    g_link.txBytes = 126'000;
    chart.Refresh();
    ASSERT_EQ("1000", Value(IDC_DATARATE_TX));
    g_link.status = kStatusNotConnected;
    g_link.txBytes = 5'000'000;
    chart.Refresh();
    EXPECT_EQ("1000", Value(IDC_DATARATE_TX));
    // Back up: the counters moved on while down, and the difference is taken from the last pass.
    g_link.status = QxStatus_Connected;
    chart.Refresh();
    EXPECT_EQ("38992", Value(IDC_DATARATE_TX));
}

TEST_F(DataRatePageTest, CloseButtonAndCloseRequestEndWithOne)
{
    CKelvoPageDatarateDlg byButton, byRequest;
    AfxSetModalDialogHook([](CDialog& dlg) {
        dlg.PostMessage(WM_COMMAND, MAKEWPARAM(IDC_DATARATE_CLOSE, BN_CLICKED),
                        reinterpret_cast<LPARAM>(::GetDlgItem(dlg.m_hWnd, IDC_DATARATE_CLOSE)));
    });
    EXPECT_EQ(1, byButton.DoModal());
    AfxSetModalDialogHook([](CDialog& dlg) { dlg.PostMessage(WM_CLOSE); });
    EXPECT_EQ(1, byRequest.DoModal());
    AfxSetModalDialogHook(nullptr);
}

TEST_F(LinkInfoPageTest, TheTrendChartIsARegisteredModalLoopAndThePagesEndEndsItWithoutDeletingIt)
{
    const int before = CModalLoopRegistry::Depth();
    int depthDuring = 0;
    CKelvoPageDatarateDlg* chart = nullptr;
    AfxSetModalDialogHook([&](CDialog& dlg) {
        depthDuring = CModalLoopRegistry::Depth();
        chart = static_cast<CKelvoPageDatarateDlg*>(&dlg);
        // The page's window goes while the chart's loop runs: the chart ends, the object stays
        // for the loop that still runs on it.
        page->DestroyWindow();
        EXPECT_EQ(chart, page->DataRateDialog());
    });
    page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_LINKINFO_TREND_CHART, BN_CLICKED),
                      reinterpret_cast<LPARAM>(::GetDlgItem(page->m_hWnd, IDC_LINKINFO_TREND_CHART)));
    AfxSetModalDialogHook(nullptr);
    ASSERT_NE(nullptr, chart);
    EXPECT_EQ(before + 1, depthDuring);
    EXPECT_EQ(nullptr, page->DataRateDialog());
    EXPECT_EQ(before, CModalLoopRegistry::Depth());
}
