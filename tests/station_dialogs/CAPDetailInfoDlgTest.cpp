// The access-point details dialog and its 802.11n tab, from a scan entry with every element.
#include "StationDialogsFixture.h"
#include "station/CAPDetailInfoDlg.h"
#include "station/CAPDetailTabPages.h"
#include "station/CPage80211nDlg.h"
#include "skin/KelvoPageUIDlg.h"

#include <cstring>
#include <utility>

using station_dialogs_test::StationDialogsTest;

namespace {
using Bytes = std::vector<BYTE>;

void Element(Bytes& out, BYTE id, const Bytes& body)
{
    out.push_back(id);
    out.push_back(static_cast<BYTE>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
}
void Attribute(Bytes& out, USHORT type, const Bytes& value)
{
    out.insert(out.end(), {BYTE(type >> 8), BYTE(type), BYTE(value.size() >> 8), BYTE(value.size())});
    out.insert(out.end(), value.begin(), value.end());
}

struct EntryOptions {
    const char* ssid = "Quixen-Details-Network";  // 22 characters
    bool ht = true;
    bool ht40 = true;
    bool md = true;
    ULONG privacy = 1;
    bool rsn = true;
};

Bytes MakeEntry(const EntryOptions& o)
{
    Bytes ies(12, 0);  // timestamp, beacon interval, capabilities
    if (o.rsn)
        Element(ies, 48, {1, 0, 0x00, 0x0F, 0xAC, 2, 2, 0, 0x00, 0x0F, 0xAC, 4, 0x00, 0x0F, 0xAC, 2, 1, 0,
                          0x00, 0x0F, 0xAC, 2, 0, 0});
    Bytes wps = {0x00, 0x50, 0xF2, 0x04};
    Attribute(wps, 0x104A, {0x10});
    Attribute(wps, 0x1044, {0x02});
    Attribute(wps, 0x1057, {0x01});
    Attribute(wps, 0x1041, {0x01});
    Attribute(wps, 0x1012, {0x00, 0x04});
    Attribute(wps, 0x1008, {0x01, 0x88});
    Attribute(wps, 0x1047, {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0, 0, 0, 0, 0, 0, 0, 0, 0});
    Attribute(wps, 0x103C, {0x01});
    Element(ies, 221, wps);
    if (o.ht) {
        Bytes cap = {BYTE(0x6C | (o.ht40 ? 0x02 : 0)), 0x01, 0x17, 0xFF, 0xFF};
        cap.resize(26, 0);
        cap[3 + 12] = 0x01;  // Tx MCS set defined
        Element(ies, 45, cap);
        Bytes op(22, 0);
        op[0] = 6;
        op[1] = o.ht40 ? 0x05 : 0x00;
        op[6] = 0xFF;
        op[9] = 0x80;  // basic MCS set 0 with its top bit set
        Element(ies, 61, op);
        Element(ies, 62, {1});
    }
    if (o.md) Element(ies, 54, {'A', 'B', 0x01});

    NDIS_WLAN_BSSID_EX e = {};
    const ULONG length = (kNdisWlanBssidFixedBytes + static_cast<ULONG>(ies.size()) + 3) & ~3u;
    e.Length = length;
    const UCHAR mac[6] = {0x00, 0x1A, 0x2B, 0x44, 0x71, 0x0E};
    memcpy(e.MacAddress, mac, 6);
    e.Ssid.SsidLength = static_cast<ULONG>(strlen(o.ssid));
    memcpy(e.Ssid.Ssid, o.ssid, e.Ssid.SsidLength);
    e.Privacy = o.privacy;
    e.Rssi = -40;
    e.Configuration.BeaconPeriod = 100;
    e.Configuration.DSConfig = 2437000;
    e.InfrastructureMode = Ndis802_11Infrastructure;
    const UCHAR rates[] = {0x82, 0x84, 0x8B, 0x96, 0x0C, 0x12, 0x18, 0x24};
    memcpy(e.SupportedRates, rates, sizeof rates);
    e.IELength = static_cast<ULONG>(ies.size());
    Bytes out(length, 0);
    memcpy(out.data(), &e, kNdisWlanBssidFixedBytes);
    memcpy(out.data() + kNdisWlanBssidFixedBytes, ies.data(), ies.size());
    return out;
}

class APDetailInfoTest : public StationDialogsTest {
protected:
    void SetUp() override
    {
        StationDialogsTest::SetUp();
        Watch(MSG_APDETAIL_DLG);
        G_LangTable.IDS_SUPPORT_RATE = "Supported Rates";
        G_LangTable.IDS_11N_MAX_SUPPORT_RATE = "11n Max Rate";
        G_LangTable.IDS_INFRA = "Infrastructure";
        front.ShowWindow(SW_SHOW);
        ASSERT_TRUE(dlg.Create(CAPDetailInfoDlg::IDD, &front));
    }
    void TearDown() override
    {
        dlg.DestroyWindow();
        StationDialogsTest::TearDown();
    }
    void Show(const Bytes& entry)
    {
        ASSERT_TRUE(dlg.SetBssEntry(reinterpret_cast<const NDIS_WLAN_BSSID_EX*>(entry.data())));
        dlg.ShowWindow(SW_HIDE);
        dlg.ShowWindow(SW_SHOW);
    }
    CPageGeneralDlg& General() { return *dlg.GetGeneralPage(); }
    bool TabShown(int tab) { return (dlg.GetTabButton(tab)->GetStyle() & WS_VISIBLE) != 0; }
    CAPDetailInfoDlg dlg;
};
}  // namespace

TEST_F(APDetailInfoTest, ShowsEveryGeneralField)
{
    Show(MakeEntry({}));
    EXPECT_STREQ("Quixen-Details-Netwo..", General().m_strSSID);
    EXPECT_STREQ("00-1A-2B-44-71-0E", General().m_strMAC);
    EXPECT_STREQ("WPA2-PSK", General().m_strAuth);
    EXPECT_STREQ("TKIP+AES", General().m_strEncry);
    EXPECT_STREQ("6 <--> 2437 MHz", General().m_strChannel);
    EXPECT_STREQ("Infrastructure", General().m_strNetworkType);
    EXPECT_STREQ("100", General().m_strBeacon);
    EXPECT_STREQ("AB", General().m_strMDID);
    EXPECT_TRUE(General().GetDlgItem(IDC_GEN_MDID)->GetStyle() & WS_VISIBLE);
    EXPECT_STREQ("Supported Rates: 1, 2, 5.5, 6, 9, 11, 12, 18\n\n11n Max Rate: 300.0", General().m_strSupportRates);
    EXPECT_EQ(RGB(0, 255, 0), General().m_progressSignal.GetColor(0));
}

TEST_F(APDetailInfoTest, ShowsTheWpsAndCcxFields)
{
    Show(MakeEntry({}));
    const CPageWPSStatusDlg& wps = *dlg.GetWpsPage();
    EXPECT_STREQ("WPA2-PSK", wps.m_strAuth);
    EXPECT_STREQ("TKIP+AES", wps.m_strEncry);
    EXPECT_STREQ("0x0188", wps.m_strConfigMethods);
    EXPECT_STREQ("0x0004", wps.m_strDevicePasswordId);
    EXPECT_STREQ("TRUE", wps.m_strSelectedRegistrar);
    EXPECT_STREQ("Configured", wps.m_strState);
    EXPECT_STREQ("1.0", wps.m_strVersion);
    EXPECT_STREQ("TRUE", wps.m_strApSetupLocked);
    EXPECT_STREQ("123456789ABCDE", wps.m_strUuidE);
    EXPECT_STREQ("2.4", wps.m_strRfBands);
    EXPECT_STREQ("FALSE", dlg.GetCcxPage()->m_strCckm);
    EXPECT_FALSE(TabShown(CAPDetailInfoDlg::kTabCcx));
}

TEST_F(APDetailInfoTest, ListsTheHtFieldsOnItsTab)
{
    Show(MakeEntry({}));
    EXPECT_TRUE(TabShown(CAPDetailInfoDlg::kTab80211n));
    const auto& rows = dlg.Get80211nPage()->GetRows();
    ASSERT_EQ(64u, rows.size());
    EXPECT_EQ(1, rows[0].bHeader);
    EXPECT_STREQ("Secondary Channel Offset element", rows[0].strProperty);
    EXPECT_STREQ("", rows[0].strValue);
    EXPECT_STREQ("1", rows[1].strValue);
    EXPECT_STREQ("TRUE", rows[6].strValue);    // High Throughput
    EXPECT_STREQ("1", rows[10].strValue);      // Supported Channel Width Set
    EXPECT_STREQ("TRUE", rows[14].strValue);   // Short GI for 40 MHz
    EXPECT_STREQ("3", rows[26].strValue);      // Maximum Rx A-MPDU Factor
    EXPECT_STREQ("5", rows[27].strValue);      // Minimum MPDU Start Spacing
    EXPECT_STREQ("3", rows[37].strValue);      // the repeated pair
    EXPECT_STREQ("6", rows[43].strValue);      // Primary Channel
    EXPECT_STREQ("-2147483393", rows[60].strValue);  // Basic MCS Set 0, signed
    EXPECT_STREQ("Basic MCS Set 3", rows[63].strProperty);
    Show(MakeEntry({}));
    EXPECT_EQ(64u, dlg.Get80211nPage()->GetRows().size());
}

TEST_F(APDetailInfoTest, AnAccessPointWithoutHtShowsNotApplicableAndHidesTheTab)
{
    EntryOptions o;
    o.ht = false;
    o.md = false;
    Show(MakeEntry(o));
    EXPECT_FALSE(TabShown(CAPDetailInfoDlg::kTab80211n));
    EXPECT_FALSE(General().GetDlgItem(IDC_GEN_MDID)->GetStyle() & WS_VISIBLE);
    EXPECT_STREQ("Supported Rates: 1, 2, 5.5, 6, 9, 11, 12, 18", General().m_strSupportRates);
    const auto& rows = dlg.Get80211nPage()->GetRows();
    ASSERT_EQ(64u, rows.size());
    int na = 0;
    for (const auto& row : rows) na += row.strValue == "n/a" ? 1 : 0;
    EXPECT_EQ(CPage80211nDlg::kFieldCount, na);
}

TEST_F(APDetailInfoTest, OpenAndWepAccessPointsAndAShortName)
{
    EntryOptions o;
    o.rsn = false;
    o.ssid = "Quixen-Details-Netwo1";  // 21 characters
    Show(MakeEntry(o));
    EXPECT_STREQ("Open", General().m_strAuth);
    EXPECT_STREQ("WEP", General().m_strEncry);
    EXPECT_STREQ("Quixen-Details-Netwo1", General().m_strSSID);
    o.privacy = 0;
    Show(MakeEntry(o));
    EXPECT_STREQ("NONE", General().m_strEncry);
}

TEST_F(APDetailInfoTest, OlderSystemsTakeTheBeaconIntervalFromTheLibrary)
{
    sim.Set("OsCode", 9);
    Show(MakeEntry({}));
    EXPECT_STREQ("100", General().m_strBeacon);
    EXPECT_EQ(2u, Calls("QXWL_ParseInfoElement").size());
}

TEST_F(APDetailInfoTest, KeepsItsOwnCopyOfTheEntry)
{
    Bytes entry = MakeEntry({});
    ASSERT_TRUE(dlg.SetBssEntry(reinterpret_cast<const NDIS_WLAN_BSSID_EX*>(entry.data())));
    std::fill(entry.begin(), entry.end(), 0xEE);
    entry.clear();
    entry.shrink_to_fit();
    dlg.ShowWindow(SW_SHOW);
    EXPECT_STREQ("00-1A-2B-44-71-0E", General().m_strMAC);
}

TEST_F(APDetailInfoTest, RefusesAnEntryWhoseLengthDoesNotHoldItsElements)
{
    Bytes entry = MakeEntry({});
    reinterpret_cast<NDIS_WLAN_BSSID_EX*>(entry.data())->IELength = 5000;
    EXPECT_FALSE(dlg.SetBssEntry(reinterpret_cast<const NDIS_WLAN_BSSID_EX*>(entry.data())));
    EXPECT_EQ(nullptr, dlg.GetBssEntry());
}

TEST_F(APDetailInfoTest, CloseReportsToTheFrontWindow)
{
    ClickButton(dlg, IDC_CLASSIC_OK);
    ASSERT_EQ(1u, front.reports.size());
    EXPECT_EQ(static_cast<UINT>(MSG_APDETAIL_DLG), front.reports[0].message);
}

TEST_F(APDetailInfoTest, FormatsTheLargestHtRateOfTheBitmap)
{
    const UCHAR mcs[16] = {0xFF, 0xFF};
    CString text;
    dlg.FormatHtMaxRate(text, 1, 0, 1, mcs);
    EXPECT_STREQ("\n\n11n Max Rate: 300.0", text);
    dlg.FormatHtMaxRate(text, 0, 0, 1, mcs);
    EXPECT_STREQ("\n\n11n Max Rate: 130.0", text);
    const UCHAR none[16] = {};
    dlg.FormatHtMaxRate(text, 1, 1, 1, none);
    EXPECT_STREQ("\n\n11n Max Rate: ", text);
}

TEST_F(APDetailInfoTest, OnASmallDesktopAPressAnywhereDragsTheFrontWindow)
{
    Watch(WM_NCLBUTTONDOWN);
    G_bHideTabIcon = 0;
    dlg.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(front.reports.empty());
    G_bHideTabIcon = 1;
    dlg.SendMessage(WM_NCHITTEST, 0, MAKELPARAM(5, 5));
    G_bHideTabIcon = 0;
    ASSERT_EQ(1u, front.reports.size());
    EXPECT_EQ(static_cast<UINT>(WM_NCLBUTTONDOWN), front.reports.back().message);
    EXPECT_EQ(static_cast<WPARAM>(HTCAPTION), front.reports.back().wParam);
}

TEST(APDetailTexts, AuthenticationFollowsTheWholeMaskAndAddsCckmOnce)
{
    CString text;
    const std::pair<ULONG, const char*> known[] = {{0, "Open"}, {4, "WPA-NONE"}, {9, "WPA+WPA2"},
                                                   {18, "WPA-PSK+WPA2-PSK"}, {32, "WPA2-NONE"}, {128, "WAPI-CERT"}};
    for (const auto& [mask, expected] : known) {
        CAPDetailInfoDlg::FormatAuthentication(text, mask, 0);
        EXPECT_STREQ(expected, text) << mask;
    }
    // WPA and WPA-PSK together are no combination of the table: the text shown before stays.
    CAPDetailInfoDlg::FormatAuthentication(text, 16, 0);
    CAPDetailInfoDlg::FormatAuthentication(text, 3, 0);
    EXPECT_STREQ("WPA2-PSK", text);
    CAPDetailInfoDlg::FormatAuthentication(text, 8, 1);
    EXPECT_STREQ("WPA2+CCKM", text);
    CAPDetailInfoDlg::FormatAuthentication(text, 3, 1);
    EXPECT_STREQ("WPA2+CCKM", text);
    CAPDetailInfoDlg::FormatAuthentication(text, 3, 1);
    EXPECT_STREQ("WPA2+CCKM", text);
}

TEST(APDetailTexts, EncryptionJoinsTheCiphersOrFallsBackToThePrivacyBit)
{
    EXPECT_STREQ("TKIP+AES", CAPDetailInfoDlg::FormatEncryption(6, 0));
    EXPECT_STREQ("WEP+TKIP+AES+SMS", CAPDetailInfoDlg::FormatEncryption(15, 0));
    EXPECT_STREQ("SMS", CAPDetailInfoDlg::FormatEncryption(8, 1));
    EXPECT_STREQ("WEP", CAPDetailInfoDlg::FormatEncryption(0, 1));
    EXPECT_STREQ("NONE", CAPDetailInfoDlg::FormatEncryption(0, 0));
    EXPECT_STREQ("", CAPDetailInfoDlg::FormatEncryption(16, 1));  // no cipher the dialog knows
}

TEST(APDetailTexts, SsidIsCutOnlyAfterTwentyOneCharacters)
{
    EXPECT_STREQ("", CAPDetailInfoDlg::ShortenSsid(""));
    EXPECT_STREQ("123456789012345678901", CAPDetailInfoDlg::ShortenSsid("123456789012345678901"));
    EXPECT_STREQ("12345678901234567890..",
                 CAPDetailInfoDlg::ShortenSsid("12345678901234567890123456789012"));
}

TEST(APDetailTexts, SignalBarIsRedYellowOrGreenAndKeepsItsColoursAboveAHundred)
{
    const std::pair<int, COLORREF> cases[] = {{-1, RGB(255, 0, 0)},  {0, RGB(255, 0, 0)},    {34, RGB(255, 0, 0)},
                                              {35, 0x32E6FA},        {69, 0x32E6FA},         {70, RGB(0, 255, 0)},
                                              {100, RGB(0, 255, 0)}};
    for (const auto& [percent, expected] : cases) {
        COLORREF c = 0x123456;
        EXPECT_TRUE(CAPDetailInfoDlg::SignalBarColor(percent, &c)) << percent;
        EXPECT_EQ(expected, c) << percent;
    }
    COLORREF kept = 0x123456;
    EXPECT_FALSE(CAPDetailInfoDlg::SignalBarColor(101, &kept));
    EXPECT_EQ(0x123456u, kept);
}

TEST(APDetailTexts, SupportedRatesAscendWholeOrWithOneDecimalAndEndAtTheFirstZero)
{
    const UCHAR rates[16] = {0x24, 0x82, 0x8B, 0x0C, 0x82, 0x6C, 0, 0x16};
    EXPECT_STREQ("Rates: 1, 1, 5.5, 6, 18, 54", CAPDetailInfoDlg::FormatSupportedRates("Rates", rates, 16));
    // A byte that is only the basic-rate bit is a rate of 0 and ends the list as well.
    const UCHAR basicOnly[16] = {0x80, 0x82};
    EXPECT_STREQ("Rates", CAPDetailInfoDlg::FormatSupportedRates("Rates", basicOnly, 16));
    EXPECT_STREQ("Rates", CAPDetailInfoDlg::FormatSupportedRates("Rates", nullptr, 0));
    const UCHAR full[16] = {2, 4, 11, 22, 12, 18, 24, 36, 48, 72, 96, 108, 3, 5, 7, 9};
    EXPECT_STREQ("Rates: 1, 1.5, 2, 2.5, 3.5, 4.5, 5.5, 6, 9, 11, 12, 18, 24, 36, 48, 54",
                 CAPDetailInfoDlg::FormatSupportedRates("Rates", full, 16));
}
