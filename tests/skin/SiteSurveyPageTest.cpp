// The site-survey page on the stand-in station library: what the list shows for each kind of
// network, how Connect prepares the connection for open, hidden and protected networks, and
// how bad scan answers are survived.
#include "MainWindowFixture.h"
#include "skin/KelvoPageProfileDlg.h"
#include "contract/StationContract.h"
#include "skin/KelvoPageLinkInfoDlg.h"
#include "skin/KelvoPageSecurityTypeDlg.h"
#include "skin/KelvoPageSiteSurveyDlg.h"
#include "station/CHiddenSsidDlg.h"
#include "station/CPage8021XDlg.h"
#include "station/CPageAuthEncryDlg.h"
#include "station/CPageClientCertificationDlg.h"
#include "station/CPageNamePasswordDlg.h"
#include "station/CPageServerCertificationDlg.h"
#include "station/CSecurityEditorDlg.h"
#include "ui/DialogTab.h"

#include <algorithm>
#include <cstring>
#include <string>

using testing_support::LogCapture;
using testing_support::MessageBoxCapture;
using testing_support::PumpFor;
using testing_support::PumpUntil;

namespace {

constexpr char kEverySecurity[] =
    "[Network1]\nSsid=wpa2-lower\nSecurity=WPA2-PSK\nKey=lowercase1\nRssi=-91\nChannel=11\n"
    "[Network2]\nSsid=Open-Net\nSecurity=Open\nRssi=-50\nChannel=1\n"
    "[Network3]\nSsid=Wep-Net\nSecurity=WEP\nKey=12345\nRssi=-51\nChannel=6\n"
    "[Network4]\nSsid=Shared-Net\nSecurity=Shared\nKey=12345\nRssi=-80\nChannel=36\n"
    "[Network5]\nSsid=Wpa-Net\nSecurity=WPA\nRssi=-81\nChannel=2\n"
    "[Network6]\nSsid=WpaPsk-Net\nSecurity=WPA-PSK\nKey=password1\nRssi=-90\nChannel=3\n"
    "[Network7]\nSsid=Wpa2-Net\nSecurity=WPA2\nRssi=-70\nChannel=4\n"
    "[Network8]\nSsid=WapiPsk-Net\nSecurity=WAPI-PSK\nKey=password1\nRssi=-60\nChannel=5\n"
    "[Network9]\nSsid=WapiCert-Net\nSecurity=WAPI-Cert\nRssi=-60\nChannel=7\n"
    "[Network10]\nSsid=Adhoc-Open\nMode=Adhoc\nSecurity=Open\nRssi=-60\nChannel=8\n"
    "[Network11]\nSsid=Adhoc-Wep\nMode=Adhoc\nSecurity=WEP\nKey=12345\nRssi=-60\nChannel=9\n";

// Two networks named "Cafe", a hidden one, and two that come and go between scans.
constexpr char kCafeStreet[] =
    "[Network1]\nSsid=Cafe\nBssid=00:1A:2B:00:00:01\nChannel=1\nSecurity=Open\nRssi=-50\n"
    "[Network2]\nSsid=Cafe\nBssid=00:1A:2B:00:00:02\nChannel=11\nSecurity=WPA2-PSK\nKey=espresso12\nRssi=-60\n"
    "[Network3]\nSsid=Secret\nHidden=1\nBssid=00:1A:2B:00:00:03\nChannel=6\nSecurity=Open\n"
    "[Network4]\nSsid=Drifter\nBssid=00:1A:2B:00:00:04\nAppearAfterScans=1\n"
    "[Network5]\nSsid=Leaver\nBssid=00:1A:2B:00:00:05\nLeaveAfterScans=1\n";

// A world of n open networks "Net-0000" on; their names come in a shuffled order.
std::string ManyNetworks(int n)
{
    std::string world;
    for (int i = 0; i < n; ++i) {
        char section[160];
        snprintf(section, sizeof section, "[Network%d]\nSsid=Net-%04d\nBssid=02:00:00:00:%02X:%02X\nChannel=%d\n", i,
                 (i * 7919) % n, i >> 8, i & 0xFF, 1 + i % 11);
        world += section;
    }
    return world;
}

class SiteSurveyTest : public station_dialogs_test::StationDialogsTest {
protected:
    void SetUp() override
    {
        StationDialogsTest::SetUp();
        m_savedSkin = G_hKelvoImg;
        G_hKelvoImg = ::LoadLibraryA((testing_support::BinFolder() + "KelvoIMG.dll").c_str());
        ASSERT_NE(nullptr, G_hKelvoImg);
        G_bIsAdmin = 1;
        G_LangTable.IDS_VAL_DISABLE = "Disabled";
        G_LangTable.IDS_HIDDENSSID = "Hidden SSID";
        G_LangTable.IDS_VAL_SEARCHING = "Searching...";
        G_LangTable.IDS_NOSELECTEDITEM = "Please select an item first.";
        G_LangTable.IDS_VAL_INFRA = "Infrastructure";
        G_bCreateDefaultProfile = 0;  // no default profile at start-up
        ASSERT_TRUE(mainWindow.Create());
        app.m_pMainWnd = &mainWindow;
        Watch(ACTION_INSERT_EXEC);
    }
    void TearDown() override
    {
        app.m_pMainWnd = &front;
        mainWindow.DestroyWindow();
        ::FreeLibrary(G_hKelvoImg);
        G_hKelvoImg = m_savedSkin;
        StationDialogsTest::TearDown();
    }

    // Opens the tab (its scans run at once in the test world) and waits for the list.
    CKelvoPageSiteSurveyDlg& Open(const char* world = nullptr)
    {
        if (world) {
            EXPECT_TRUE(sim.Load(world));
        }
        mainWindow.ShowSiteSurveyTab();
        Settle();
        return *mainWindow.m_pPageSiteSurveyDlg;
    }
    void Rescan()
    {
        ClickButton(*mainWindow.m_pPageSiteSurveyDlg, IDC_SURVEY_RESCAN);
        Settle();
    }
    void Settle()
    {
        sim.WaitIdle();
        PumpUntil([this] { return mainWindow.m_pPageSiteSurveyDlg->m_bScanDone == 1; }, 5000);
        PumpFor(50);
    }
    CString Cell(int row, int column) { return Survey().m_list.GetCellData(row, column).m_strText; }
    std::vector<std::string> Column(int column)
    {
        std::vector<std::string> texts;
        for (int row = 0; row < Survey().m_list.GetItemCount(); ++row) texts.emplace_back(Cell(row, column).GetString());
        return texts;
    }
    int RowOf(const char* ssid, BYTE lastMacByte = 0)
    {
        const auto& entries = Survey().m_Entries;
        for (size_t i = 0; i < entries.size(); ++i)
            if (entries[i].strSsid == ssid && (!lastMacByte || entries[i].Bssid[5] == lastMacByte)) return static_cast<int>(i);
        return -1;
    }
    void Select(int row)
    {
        ASSERT_GE(row, 0);
        const UINT state = LVIS_SELECTED | LVIS_FOCUSED;
        Survey().m_list.SetItemState(row, state, state);
    }
    void Connect() { ClickButton(Survey(), IDC_SURVEY_CONNECT); }
    CKelvoPageSiteSurveyDlg& Survey() { return *mainWindow.m_pPageSiteSurveyDlg; }
    const WLANPROFILE& Record() { return *static_cast<const WLANPROFILE*>(Survey().m_pActionRecord); }
    int ConnectRequests() { return static_cast<int>(front.reports.size()); }
    static bool Visible(const CWnd* wnd) { return wnd && wnd->m_hWnd && ::IsWindowVisible(wnd->m_hWnd); }
    static std::string SsidOf(const WLANPROFILE& p) { return std::string(reinterpret_cast<const char*>(p.SSID.Ssid), p.SSID.SsidLength); }

    CKelvoPageUIDlg mainWindow{&front};
    HMODULE m_savedSkin = nullptr;
};

}  // namespace

// What the stand-in's networks never announce: mixed masks, CCKM by system, every cipher.
TEST(SurveyRules, MixedMasksCckmAndCipherTexts)
{
    EXPECT_EQ(SURVEY_AUTH_WPA2, AuthBitsToProfileAuth(IE_AUTH_WPA | IE_AUTH_WPA2));
    EXPECT_EQ(SURVEY_AUTH_WPA2_PSK, AuthBitsToProfileAuth(IE_AUTH_WPA_PSK | IE_AUTH_WPA2_PSK));
    EXPECT_EQ(SURVEY_AUTH_WPA_NONE, AuthBitsToProfileAuth(IE_AUTH_WPA_NONE));
    // Any other mix reads as the strongest method it offers, a pre-shared key before a server;
    // none reads "WEP".
    const struct {
        ULONG bits;
        const char* text;
    } mixes[] = {{IE_AUTH_WPA_PSK | IE_AUTH_WPA2, "WPA2"},
                 {IE_AUTH_WPA2 | IE_AUTH_WPA2_PSK, "WPA2-PSK"},
                 {IE_AUTH_WPA | IE_AUTH_WPA_PSK, "WPA-PSK"},
                 {IE_AUTH_WPA | IE_AUTH_WPA2_PSK, "WPA2-PSK"},
                 {IE_AUTH_WPA | IE_AUTH_WPA_PSK | IE_AUTH_WPA2 | IE_AUTH_WPA2_PSK, "WPA2"},  // the WPA+WPA2 pair first
                 {IE_AUTH_WPA | IE_AUTH_WPA_NONE, "WPA"},
                 {IE_AUTH_WAPI_PSK | IE_AUTH_WAPI_CERT, "WAPI-PSK"}};
    for (const auto& mix : mixes)
        EXPECT_STREQ(mix.text, SurveySecurityText(AuthBitsToProfileAuth(mix.bits), true)) << mix.bits;
    EXPECT_STREQ("WEP", SurveySecurityText(AuthBitsToProfileAuth(0), true));  // only the privacy bit
    IE_PARSE_RESULT cckm{};
    cckm.bCckm = 1;
    cckm.authMask = IE_AUTH_WPA2;
    EXPECT_EQ(SURVEY_AUTH_CCKM, SurveyAuthCode(cckm, 10));
    EXPECT_EQ(SURVEY_AUTH_WPA2, SurveyAuthCode(cckm, 9));
    EXPECT_STREQ("NONE", CipherBitsText(0));
    EXPECT_STREQ("WEP+TKIP+AES+SMS4", CipherBitsText(0x0F));
}

TEST_F(SiteSurveyTest, ListsEveryKindOfNetworkInNameOrderWithSecuritySignalAndImage)
{
    Open(kEverySecurity);
    ASSERT_EQ(1, Survey().m_bScanDone);
    // Byte order: capitals before lower case.
    const std::vector<std::string> names = {"Adhoc-Open", "Adhoc-Wep", "Open-Net", "Shared-Net", "WapiCert-Net", "WapiPsk-Net",
                                            "Wep-Net",    "Wpa-Net",   "Wpa2-Net", "WpaPsk-Net", "wpa2-lower"};
    EXPECT_EQ(names, Column(CKelvoPageSiteSurveyDlg::kColumnSsid));
    std::vector<std::string> security;
    for (const auto& e : Survey().m_Entries) security.emplace_back(e.strSecurity.GetString());
    EXPECT_EQ((std::vector<std::string>{"Disabled", "WEP", "Disabled", "WEP", "WAPI-CA", "WAPI-PSK", "WEP", "WPA", "WPA2",
                                        "WPA-PSK", "WPA2-PSK"}),
              security);
    // Signal at the edges of the two slopes; channels as numbers, 5 GHz included.
    const auto signal = [this](const char* ssid) { return std::string(Cell(RowOf(ssid), 3).GetString()); };
    EXPECT_EQ("100%", signal("Open-Net"));
    EXPECT_EQ("99%", signal("Wep-Net"));
    EXPECT_EQ("24%", signal("Shared-Net"));
    EXPECT_EQ("23%", signal("Wpa-Net"));
    EXPECT_EQ("0%", signal("WpaPsk-Net"));
    EXPECT_EQ("0%", signal("wpa2-lower"));
    EXPECT_STREQ("36", Cell(RowOf("Shared-Net"), 2));
    // Images: infrastructure open 0 and secured 1, ad hoc open 2 and secured 3.
    const auto image = [this](const char* ssid) { return Survey().m_list.GetCellData(RowOf(ssid), 0).m_nImage; };
    EXPECT_EQ(0, image("Open-Net"));
    EXPECT_EQ(1, image("Wpa2-Net"));
    EXPECT_EQ(2, image("Adhoc-Open"));
    EXPECT_EQ(3, image("Adhoc-Wep"));
    EXPECT_EQ(1u, Survey().m_Entries[RowOf("WapiPsk-Net")].nWapiKind);
    EXPECT_EQ(2u, Survey().m_Entries[RowOf("WapiCert-Net")].nWapiKind);
}

TEST_F(SiteSurveyTest, SearchingRowWhileScanningThenDetailsAndHeaderSortOnceFinished)
{
    Open();
    sim.Set("ScanDelayMs", 200);
    ClickButton(Survey(), IDC_SURVEY_RESCAN);
    EXPECT_EQ(1, Survey().m_list.GetItemCount());
    EXPECT_STREQ("Searching...", Cell(0, 1));
    Survey().SortByColumn(1);  // ignored during a scan
    EXPECT_EQ(0, Survey().m_bSortAscending);
    Settle();
    ASSERT_EQ(6, Survey().m_list.GetItemCount());  // the default world, its hidden network included

    Select(RowOf("Quixen-WPA2"));
    CString type, channel, security, mac, time;
    Survey().GetDlgItemText(IDC_SURVEY_NETTYPE, type);
    Survey().GetDlgItemText(IDC_SURVEY_CHANNEL, channel);
    Survey().GetDlgItemText(IDC_SURVEY_SECURITY, security);
    Survey().GetDlgItemText(IDC_SURVEY_MAC, mac);
    Survey().GetDlgItemText(IDC_SURVEY_TIME, time);
    EXPECT_STREQ("Infrastructure", type);
    EXPECT_STREQ("11", channel);
    EXPECT_STREQ("WPA2-PSK", security);
    EXPECT_EQ(17, mac.GetLength());
    EXPECT_EQ(2, std::count(time.GetString(), time.GetString() + time.GetLength(), ':'));

    // One toggle for all columns: descending first, then ascending whichever column.
    Survey().SortByColumn(3);
    std::vector<ULONG> signals;
    for (const auto& e : Survey().m_Entries) signals.push_back(e.nSignal);
    EXPECT_TRUE(std::is_sorted(signals.rbegin(), signals.rend()));
    Survey().SortByColumn(2);
    std::vector<long> channels;
    for (const auto& e : Survey().m_Entries) channels.push_back(atol(e.strChannel.GetString()));
    EXPECT_TRUE(std::is_sorted(channels.begin(), channels.end()));
    Survey().SortByColumn(0);  // the image column does not sort
    EXPECT_EQ(0, Survey().m_bSortAscending);
}

TEST_F(SiteSurveyTest, HiddenAndSameNameNetworksAreListedAndNetworksComeAndGoWithTheRepository)
{
    Open(kCafeStreet);
    EXPECT_NE(-1, RowOf("Cafe", 0x01));
    EXPECT_NE(-1, RowOf("Cafe", 0x02));
    const int hidden = RowOf("");
    ASSERT_NE(-1, hidden);
    EXPECT_STREQ("Hidden SSID", Cell(hidden, 1));
    EXPECT_EQ(-1, RowOf("Drifter"));
    EXPECT_NE(-1, RowOf("Leaver"));

    Rescan();  // Drifter arrives; Leaver has left but was seen moments ago
    EXPECT_NE(-1, RowOf("Drifter"));
    EXPECT_NE(-1, RowOf("Leaver"));

    // 16 seconds later nothing has seen Leaver again.
    REPOSIT_BSSID_LIST& repository = QXWLAPI.listRepositBssid;
    for (FILETIME& stamp : repository.ftLastSeen) {
        ULARGE_INTEGER t{{stamp.dwLowDateTime, stamp.dwHighDateTime}};
        if (t.QuadPart) t.QuadPart -= 160000000ull;
        stamp = {t.LowPart, t.HighPart};
    }
    Rescan();
    EXPECT_EQ(-1, RowOf("Leaver"));
    EXPECT_NE(-1, RowOf("Drifter"));
    EXPECT_EQ(4u, Survey().m_Entries.size());
}

TEST_F(SiteSurveyTest, ConnectToAnOpenNetworkSendsItsOwnRecordAtOnceAndShowsTheLinkTab)
{
    Open(kCafeStreet);
    MessageBoxCapture boxes;
    Connect();
    ASSERT_EQ(1u, boxes.Count());  // nothing selected
    EXPECT_STREQ("Please select an item first.", boxes.Boxes()[0].text);
    EXPECT_EQ(0, ConnectRequests());

    Select(RowOf("Cafe", 0x01));
    Connect();
    ASSERT_EQ(1, ConnectRequests());
    EXPECT_EQ(SEND_BY_SITESURVEY_DLG, front.reports[0].wParam);
    EXPECT_EQ(1u, Survey().m_nActionType);
    const WLANPROFILE& p = Record();
    EXPECT_EQ(AUTH_OPEN, p.enumAuthenMode);
    EXPECT_EQ(ENCRY_NONE, p.enumEncryStatus);
    EXPECT_EQ("Cafe", SsidOf(p));
    EXPECT_EQ(1u, p.bBssid);
    EXPECT_EQ(0x01, p.BSSID[5]);
    EXPECT_EQ(2412000, p.lFreq);
    EXPECT_EQ(1u, p.enumNetworkType);
    EXPECT_EQ(1u, p.bDisassociate);
    EXPECT_EQ(2347, p.lRtsThre);
    EXPECT_EQ(2346, p.lFragThre);
    EXPECT_EQ(2u, p.enumPreamType);
    EXPECT_EQ(0u, p.b8021X);
    EXPECT_TRUE(Visible(mainWindow.m_pPageLinkInfoDlg));
    EXPECT_EQ(1u, Calls("QXWL_ResetToDefaultConnecctionSetting").size());

    // The network comes up: the 30-second timer marks its row, not the other "Cafe".
    ASSERT_EQ(QXWL_ERROR_SUCCESS, QXWLAPI.QXWL_SetWLANProfile(&p));
    sim.WaitIdle();
    Survey().SendMessage(WM_TIMER, CKelvoPageSiteSurveyDlg::TIMER_SITESURVEY_RESCAN, 0);
    EXPECT_EQ(1u, Survey().m_Entries[RowOf("Cafe", 0x01)].bConnected);
    EXPECT_EQ(0u, Survey().m_Entries[RowOf("Cafe", 0x02)].bConnected);
    EXPECT_EQ(CKelvoPageSiteSurveyDlg::kConnectedRowBack, Survey().m_list.GetCellData(RowOf("Cafe", 0x01), 1).m_crBack);
}

TEST_F(SiteSurveyTest, ConnectToAHiddenNetworkAsksItsNameAndSendsTheTypedName)
{
    Open(kCafeStreet);
    Select(RowOf(""));
    Connect();
    EXPECT_EQ(0, ConnectRequests());
    EXPECT_EQ(1, Survey().m_bHidden);
    EXPECT_TRUE(Visible(mainWindow.ClassicDialog(CKelvoPageUIDlg::kHiddenSsid)));

    mainWindow.m_pHiddenSsidDlg->m_strSSID = "Secret";
    mainWindow.SendMessage(MSG_HIDDEN_SSID_DLG, 0, 1);
    ASSERT_EQ(1, ConnectRequests());
    const WLANPROFILE& p = Record();
    EXPECT_EQ("Secret", SsidOf(p));
    EXPECT_EQ(0u, p.bBssid);  // found by the typed name
    EXPECT_EQ(AUTH_OPEN, p.enumAuthenMode);
    ASSERT_EQ(QXWL_ERROR_SUCCESS, QXWLAPI.QXWL_SetWLANProfile(&p));
    sim.WaitIdle();
    WLAN_STATUS status{};
    QXWLAPI.QXWL_QueryWLANStatus(&status, WLAN_STATUS_QUERY{1, 1, 0, 0, 0});
    EXPECT_EQ(3u, status.status);
}

TEST_F(SiteSurveyTest, AHiddenNetworkNameLongerThanAnSsidIsRefusedAndNothingConnects)
{
    Open(kCafeStreet);
    Select(RowOf(""));
    Connect();
    CHiddenSsidDlg& prompt = *mainWindow.m_pHiddenSsidDlg;
    MessageBoxCapture boxes;
    // Pasted, not typed: the edit's own limit does not hold the text back.
    for (int length : {33, 200, 5000}) {
        ::SetDlgItemTextA(prompt.m_hWnd, IDC_HIDDEN_SSID_EDIT, std::string(static_cast<size_t>(length), 'n').c_str());
        ClickButton(prompt, IDC_CLASSIC_OK);
    }
    ASSERT_EQ(3u, boxes.Count());
    EXPECT_STREQ("Enter no more than 32 characters.", boxes.Boxes()[0].text);
    EXPECT_EQ(0, ConnectRequests());
    EXPECT_TRUE(Visible(&prompt));  // the user corrects the name there

    const std::string whole(32, 'n');
    ::SetDlgItemTextA(prompt.m_hWnd, IDC_HIDDEN_SSID_EDIT, whole.c_str());
    ClickButton(prompt, IDC_CLASSIC_OK);
    ASSERT_EQ(1, ConnectRequests());
    EXPECT_EQ(whole, SsidOf(Record()));
}

TEST_F(SiteSurveyTest, ConnectToAProtectedNetworkTakesTheSecurityRoadAndBuildsTheRecordFromTheEditor)
{
    Open(kCafeStreet);
    // The second "Cafe", not the first of that name.
    Select(RowOf("Cafe", 0x02));
    Connect();
    EXPECT_EQ(0, ConnectRequests());
    ASSERT_NE(nullptr, Survey().ChosenEntry());
    EXPECT_EQ(0x02, Survey().ChosenEntry()->MacAddress[5]);
    EXPECT_EQ(1, Survey().m_bSecured);
    EXPECT_STREQ("AES", Survey().m_strCipherText);
    EXPECT_EQ(SURVEY_AUTH_WPA2_PSK, Survey().m_nPendingAuth);
    EXPECT_TRUE(Visible(mainWindow.ClassicDialog(CKelvoPageUIDlg::kSecurityEditor)));
    EXPECT_TRUE(Visible(mainWindow.m_pPageSecurityTypeDlg));
    EXPECT_EQ(1, mainWindow.m_pPageTab->GetHistoryCount());

    // The editor's OK: WPA2-PSK with AES and the pass phrase.
    SURVEY_EDITOR_COPY& copy = Survey().m_EditorCopy;
    copy.nAuthIndex = AUTHIDX_WPA2_PSK;
    copy.nEncryIndex = ENCRIDX_AES;
    copy.strPassPhrase = "espresso12";
    Survey().ConnectSelected();
    ASSERT_EQ(1, ConnectRequests());
    const WLANPROFILE& p = Record();
    EXPECT_EQ(AUTH_WPA2_PSK, p.enumAuthenMode);
    EXPECT_EQ(ENCRY_AES, p.enumEncryStatus);
    EXPECT_STREQ("espresso12", p.chPskKey);
    EXPECT_EQ(10u, p.nPskKeyLen);
    EXPECT_EQ(0x02, p.BSSID[5]);
    EXPECT_EQ(2462000, p.lFreq);
    ASSERT_EQ(QXWL_ERROR_SUCCESS, QXWLAPI.QXWL_SetWLANProfile(&p));
    sim.WaitIdle();
    WLAN_STATUS status{};
    QXWLAPI.QXWL_QueryWLANStatus(&status, WLAN_STATUS_QUERY{1, 1, 0, 0, 0});
    EXPECT_EQ(3u, status.status);

    // Menus no step names never leak the list's own numbering into the record.
    Survey().ResetEditorCopy();
    Survey().ConnectSelected();
    EXPECT_EQ(AUTH_OPEN, Record().enumAuthenMode);
    EXPECT_EQ(ENCRY_NONE, Record().enumEncryStatus);
}

TEST_F(SiteSurveyTest, WepAndEnterpriseSettingsOfTheEditorReachTheRecord)
{
    Open();
    Select(RowOf("Quixen-WEP"));
    Connect();
    SURVEY_EDITOR_COPY& copy = Survey().m_EditorCopy;
    copy.nAuthIndex = AUTHIDX_OPEN;
    copy.nEncryIndex = ENCRIDX_WEP;
    copy.strWepKey[1] = "12345";
    copy.nWepKeyIndex = 1;
    copy.nWepKeyFormat = KEYFMT_ASCII;
    Survey().ConnectSelected();
    EXPECT_EQ(AUTH_OPEN, Record().enumAuthenMode);
    EXPECT_EQ(ENCRY_WEP, Record().enumEncryStatus);
    EXPECT_STREQ("12345", Record().WEPKey2);
    EXPECT_EQ(1u, Record().wepDefaultKey);

    Select(RowOf("Quixen-Corp"));
    Connect();
    copy = SURVEY_EDITOR_COPY{};
    copy.nAuthIndex = AUTHIDX_WPA2;
    copy.nEncryIndex = ENCRIDX_AES;
    copy.Eap.strIdentity = "user";
    copy.Eap.strPassword = "password";
    // A certificate is bytes: zero bytes and the full 152 reach the record as they are.
    copy.ServerCert.BlobLength = sizeof copy.ServerCert.BlobData;
    for (ULONG i = 0; i < copy.ServerCert.BlobLength; ++i) copy.ServerCert.BlobData[i] = static_cast<UCHAR>(i % 7 == 0 ? 0 : i);
    Survey().ConnectSelected();
    const WLANPROFILE& p = Record();
    EXPECT_EQ(1u, p.b8021X);
    EXPECT_EQ(AUTH_WPA2, p.enumAuthenMode);
    EXPECT_EQ(ENCRY_AES, p.enumEncryStatus);
    EXPECT_EQ(static_cast<ULONG>(EAPMETHOD_PEAP), p.enumAuthenProtocol);
    EXPECT_STREQ("user", p.chID);
    ASSERT_EQ(152u, p.CA_cert.BlobLength);
    EXPECT_EQ(0, memcmp(copy.ServerCert.BlobData, p.CA_cert.BlobData, 152));
}

TEST_F(SiteSurveyTest, EveryEnterpriseSettingOfTheSecurityEditorGoesIntoTheConnection)
{
    ASSERT_TRUE(sim.Set("OsCode", 8));
    Open();
    Select(RowOf("Quixen-Corp"));
    Connect();
    CSecurityEditorDlg& editor = *mainWindow.m_pSecurityEditorDlg;
    ASSERT_TRUE(Visible(&editor));
    // As the user leaves the editor's pages: PEAP with the machine's identity, no cached user
    // information, a smart-card certificate and a server name matched by its domain's end.
    CPage8021XDlg& page = *editor.m_pPage8021X;
    editor.m_pPageAuthEncry->OnAuthWpa2();
    editor.m_pPageAuthEncry->OnEncryAes();
    page.OnEapPeap();
    CPageNamePasswordDlg& id = *page.m_pPageNamePassword;
    id.strIdentity = "user";
    id.strPassword = "password";
    id.bCacheUserInfo = 0;
    id.UpdatePage(FALSE);
    id.SetIdentityMode(CPageNamePasswordDlg::kMachineIdentity);
    CPageClientCertificationDlg& client = *page.m_pPageClientCert;
    client.nCertSource = CPageClientCertificationDlg::kCertOnSmartCard;
    client.UpdateData(FALSE);
    CPageServerCertificationDlg& server = *page.m_pPageServerCert;
    server.nServerNameRule = CPageServerCertificationDlg::kNameDomainEnd;
    server.strServerName = "radius.corp";
    server.UpdateData(FALSE);
    editor.OnOK();

    ASSERT_EQ(1, ConnectRequests());
    const WLANPROFILE& p = Record();
    EXPECT_EQ(1u, p.b8021X);
    EXPECT_EQ(static_cast<ULONG>(EAPMETHOD_PEAP), p.enumAuthenProtocol);
    EXPECT_STREQ("radius.corp", p.chServerName);
    EXPECT_EQ(static_cast<ULONG>(CPageServerCertificationDlg::kNameDomainEnd), p.nServerNameRule);
    EXPECT_EQ(static_cast<ULONG>(CPageNamePasswordDlg::kMachineIdentity), p.nIDModeIndex);
    EXPECT_EQ(1u, p.bClientCertInSmartCard);
    EXPECT_EQ(0u, p.bCacheUserInfo);
}

TEST_F(SiteSurveyTest, ANetworkOfferingTwoMethodsReadsAsTheStrongestAndTheEditorFollows)
{
    Open("[Network1]\nSsid=Mixed\nBssid=00:1A:2B:00:00:07\nSecurity=WPA2\nAlsoPsk=1\n");
    ASSERT_NE(-1, RowOf("Mixed"));
    EXPECT_STREQ("WPA2-PSK", Survey().m_Entries[RowOf("Mixed")].strSecurity);
    Select(RowOf("Mixed"));
    Connect();
    EXPECT_EQ(SURVEY_AUTH_WPA2_PSK, Survey().m_nPendingAuth);
    ASSERT_TRUE(Visible(mainWindow.m_pSecurityEditorDlg));
    EXPECT_EQ(AUTHIDX_WPA2_PSK, mainWindow.m_pSecurityEditorDlg->m_pPageAuthEncry->m_nAuthIndex);
    EXPECT_EQ(ENCRIDX_AES, mainWindow.m_pSecurityEditorDlg->m_pPageAuthEncry->m_nEncryIndex);
}

TEST_F(SiteSurveyTest, TheFirstOpeningOfTheTabScansOnce)
{
    mainWindow.ShowSiteSurveyTab();
    Settle();
    EXPECT_EQ(1u, Calls("QXWL_SiteSurveyScan").size());
    mainWindow.ShowLinkInfoTab();
    mainWindow.ShowSiteSurveyTab();  // each later opening scans again
    Settle();
    EXPECT_EQ(2u, Calls("QXWL_SiteSurveyScan").size());
}

TEST_F(SiteSurveyTest, BadScanAnswersListWhatIsWholeAndAreLogged)
{
    const struct {
        ULONG flags;
        size_t rows;  // of the default world's six
        const char* logged;
    } cases[] = {
        {SIM_MISBEHAVE_ENTRY_LENGTH_ZERO, 1, "has Length 0"},
        {SIM_MISBEHAVE_ENTRY_PAST_END, 5, "refused"},
        {SIM_MISBEHAVE_COUNT_OVER, 6, "lies past its end"},
        {SIM_MISBEHAVE_SSID_TOO_LONG, 6, "SSID length 40"},
    };
    Open();
    for (const auto& c : cases) {
        QXWLAPI.Release();  // an empty repository: the list shows this answer only
        ASSERT_TRUE(QXWLAPI.LoadApi((testing_support::BinFolder() + "QxWLAPI.dll").c_str()));
        sim.Misbehave(c.flags);
        LogCapture log;
        Rescan();
        EXPECT_EQ(c.rows, Survey().m_Entries.size()) << c.flags;
        EXPECT_TRUE(log.Contains(c.logged)) << c.flags;
        for (const auto& e : Survey().m_Entries) EXPECT_LE(e.strSsid.GetLength(), 32) << c.flags;
        sim.Misbehave(0);
    }
    // A list that grows between the two calls (one too long for the first read): the networks
    // seen before stay listed.
    ASSERT_TRUE(sim.Load(ManyNetworks(120)));
    Rescan();
    const size_t seen = Survey().m_Entries.size();  // the 120 and the six seen moments ago
    ASSERT_EQ(126u, seen);
    sim.Misbehave(SIM_MISBEHAVE_LIST_GROWS);
    LogCapture log;
    Rescan();
    EXPECT_TRUE(log.Contains("still too small"));
    EXPECT_EQ(seen, Survey().m_Entries.size());
}

TEST_F(SiteSurveyTest, ACrowdedWorldListsEveryNetworkTheRepositoryHoldsInOrder)
{
    const std::string world = ManyNetworks(1000);
    Open(world.c_str());
    const REPOSIT_BSSID_LIST& repository = QXWLAPI.listRepositBssid;
    const BssidListView held(repository.pBssidList, repository.nBufferSize, "test");
    ASSERT_GT(held.Count(), 256u);  // more than one scan query of the first size carries
    ASSERT_EQ(held.Count(), Survey().m_Entries.size());
    EXPECT_EQ(static_cast<int>(held.Count()), Survey().m_list.GetItemCount());
    std::vector<std::string> names = Column(1);
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    for (size_t i = 0; i < held.Count(); ++i)
        EXPECT_NE(names.end(), std::find(names.begin(), names.end(), SsidToText(held[i].Ssid))) << i;
}
