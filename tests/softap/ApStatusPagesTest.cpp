// The access point's status and MAC filter pages inside the main window in access-point mode,
// against the stand-in soft-AP library.
#include "skin/MainWindowFixture.h"
#include "core/QXAPLIB.h"
#include "framework/MessageBox.h"
#include "softap/AccessControlPage.h"
#include "softap/ConfigPage.h"
#include "softap/KelvoPageApLinkInfoDlg.h"
#include "softap/KelvoPageApMacFilter.h"
#include "softap/SoftApSim.h"

#include <cctype>
#include <string>
#include <vector>

namespace {

class ApStatusPages : public skin_test::MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ASSERT_TRUE(ap.Reset("[World]\nOpMode=1\n"));
        ASSERT_TRUE(QXAPAPI.LoadApi(softap_test::SoftApSim::LibraryPath().c_str()));
        ASSERT_EQ(1, QXAPAPI.QXAP_InitAPSettings());
        G_nSoftApMode = 0;
        G_LangTable.IDS_VAL_DISABLE = "Disabled";
        G_LangTable.IDS_VAL_CONTRY_MBPS = "Mbps";
        AfxSetMessageBoxHook([this](const MessageBoxRequest& r) { return boxes.emplace_back(r.text.GetString()), IDOK; });
        mainWindow.DestroyWindow();
        hide.m_nOpMode = OP_MODE_AP;
        hide.m_pQxUI = &mainWindow;
        ASSERT_TRUE(mainWindow.Create());
    }
    void TearDown() override
    {
        AfxSetMessageBoxHook(nullptr);
        hide.m_pQxUI = nullptr;
        MainWindowTest::TearDown();
    }
    CKelvoPageApLinkInfoDlg& Refreshed()
    {
        mainWindow.ShowLinkInfoTab();
        Press(*mainWindow.m_pPageApLinkInfoDlg, IDC_KAPLINK_REFRESH);
        return *mainWindow.m_pPageApLinkInfoDlg;
    }
    static std::string Text(CWnd& page, int id)
    {
        char text[128] = {};
        ::GetDlgItemTextA(page.m_hWnd, id, text, sizeof text);
        return text;
    }
    static void Press(CWnd& page, int id)
    {
        page.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(page.m_hWnd, id)));
    }
    static void StoreConfig(const char* ssid, ULONG auth, ULONG encryption)
    {
        AP_CONFIG_DATA c{};
        QXAPAPI.QXAP_ReadConfigData(&c);
        c.Ssid.SsidLength = static_cast<ULONG>(strlen(ssid));
        memcpy(c.Ssid.Ssid, ssid, c.Ssid.SsidLength);
        c.enumAuthenMode = auth;
        c.enumEncryStatus = encryption;
        QXAPAPI.QXAP_WriteandSetConfigData(c, AP_ADVANCE_DATA{});
    }
    // The list as the library keeps it (12 upper-case digits each), or stores it afresh and
    // has the classic page read it.
    static std::vector<std::string> StoredList()
    {
        char text[1024] = {};
        QXAPAPI.QXAP_ReadAccessList(text);
        std::vector<std::string> out;
        for (const char* p = text; *p; p += strlen(p) + 1) {
            out.emplace_back(p);
            for (char& c : out.back()) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
        }
        return out;
    }
    void StoreList(const std::vector<std::string>& macs, ULONG policy)
    {
        std::string text;
        for (const std::string& m : macs) text += m + '\0';
        QXAPAPI.QXAP_WriteAccessPolicy(policy);
        QXAPAPI.QXAP_WriteAccessList(text.data(), static_cast<ULONG>(text.size() + 1));
        mainWindow.EnsurePage(mainWindow.m_pAccessControlPage);
        mainWindow.m_pAccessControlPage->LoadConfig();
    }
    size_t CountCalls(const std::string& prefix)
    {
        size_t n = 0;
        for (const std::string& line : ap.Journal()) n += line.rfind(prefix, 0) == 0;
        return n;
    }

    softap_test::SoftApSim ap;
    std::vector<std::string> boxes;
};

TEST_F(ApStatusPages, OnlyTheLibrarysGeneratedSuffixIsStrippedFromTheSsid)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Kelvo_WLAN-3F", "Kelvo_WLAN"}, {"Kelvo_WLAN-a0", "Kelvo_WLAN"},  {"Office-AB", "Office-AB"},
        {"Kelvo_WLAN-3G", "Kelvo_WLAN-3G"}, {"Kelvo_WLAN-3FF", "Kelvo_WLAN-3FF"}, {"-AB", "-AB"}};
    for (const auto& [ssid, shown] : cases)
        EXPECT_EQ(shown, std::string(CKelvoPageApLinkInfoDlg::DisplaySsid(ssid))) << ssid;

    // A user's SSID ending in a dash and two hex digits shows whole, and showing writes nothing.
    StoreConfig("Home-1f", 7, 6);
    ap.ClearJournal();
    CKelvoPageApLinkInfoDlg& page = Refreshed();
    EXPECT_EQ("Home-1f", Text(page, IDC_KAPLINK_SSID));
    EXPECT_EQ(0u, CountCalls("QXAP_WriteandSetConfigData"));
}

TEST_F(ApStatusPages, EverySecurityTheDialogOffersHasItsName)
{
    const struct {
        ULONG auth, encryption;
        const char* name;
    } cases[] = {{0, 1, "Disabled"}, {0, 0, "WEP"},      {1, 0, "WEP"},      {4, 4, "WPA-PSK"},
                 {4, 6, "WPA-PSK"},  {7, 6, "WPA2-PSK"}, {7, 8, "WPA2-PSK"}, {9, 8, "WPA-PSK/WPA2-PSK"}, {3, 4, "Unknown"}};
    for (const auto& c : cases)
        EXPECT_EQ(c.name, std::string(CKelvoPageApLinkInfoDlg::SecurityText(c.auth, c.encryption))) << c.auth;

    StoreConfig("Lab", 9, 8);
    CKelvoPageApLinkInfoDlg& page = Refreshed();
    EXPECT_EQ("WPA-PSK/WPA2-PSK", Text(page, IDC_KAPLINK_SECURITY));
    EXPECT_EQ("00:1A:2B:44:71:A0", Text(page, IDC_KAPLINK_MAC));
    EXPECT_EQ("6", Text(page, IDC_KAPLINK_CHANNEL));
}

TEST_F(ApStatusPages, AnEmptyRecordShowsTheDefaultsTheConfigurationPageOffers)
{
    ASSERT_TRUE(ap.Set("StoredConfig", 1));
    CKelvoPageApLinkInfoDlg& page = Refreshed();
    ASSERT_TRUE(mainWindow.EnsurePage(mainWindow.m_pConfigPage));
    EXPECT_EQ("Kelvo_WLAN", Text(page, IDC_KAPLINK_SSID));
    EXPECT_EQ(std::string(mainWindow.m_pConfigPage->m_strChannel), Text(page, IDC_KAPLINK_CHANNEL));
    EXPECT_EQ("Disabled", Text(page, IDC_KAPLINK_SECURITY)) << "no security, as the configuration page offers";
}

TEST_F(ApStatusPages, TheRateIsTheDriversAndNoneWhenItsQueryFails)
{
    ASSERT_TRUE(ap.Set("LinkSpeed", 1300000));
    EXPECT_EQ("130 Mbps", Text(Refreshed(), IDC_KAPLINK_RATE));
    ASSERT_TRUE(ap.Set("LinkSpeedFails", 1));
    EXPECT_EQ("", Text(Refreshed(), IDC_KAPLINK_RATE)) << "no rate is invented";
}

TEST_F(ApStatusPages, StationsAreListedPerModelAndRefreshTakesTheNextTicksTurn)
{
    ASSERT_TRUE(ap.Join("00:11:22:33:44:55"));
    ASSERT_TRUE(ap.Join("00:11:22:33:44:66"));
    CKelvoPageApLinkInfoDlg& page = Refreshed();
    EXPECT_EQ((std::vector<CString>{"00:11:22:33:44:55", "00:11:22:33:44:66"}), page.m_vecStationMac);
    EXPECT_EQ(2, page.m_list.GetItemCount());

    ap.ClearJournal();
    page.SendMessage(WM_TIMER, CKelvoPageApLinkInfoDlg::TIMER_APLINKINFO_REFRESH);
    EXPECT_EQ(0u, CountCalls("QXAP_ReadConfigData")) << "the tick after Refresh is skipped";
    page.SendMessage(WM_TIMER, CKelvoPageApLinkInfoDlg::TIMER_APLINKINFO_REFRESH);
    EXPECT_EQ(1u, CountCalls("QXAP_ReadConfigData"));

    ASSERT_TRUE(ap.Set("DeviceModel", 9));
    EXPECT_TRUE(Refreshed().m_vecStationMac.empty()) << "no station table for this model";
    ASSERT_TRUE(ap.Set("DeviceModel", 3));
    EXPECT_EQ(2u, Refreshed().m_vecStationMac.size()) << "the table without 802.11n entries";
}

TEST_F(ApStatusPages, SaveKeepsTheStoredAddressesThePageHasNoEditFor)
{
    std::vector<std::string> stored;
    for (int i = 0; i < 20; ++i) stored.push_back("0011223344" + std::string(1, "12"[i / 10]) + std::to_string(i % 10));
    StoreList(stored, 2);
    mainWindow.ShowProfileTab();
    CKelvoPageApMacFilter& page = *mainWindow.m_pPageApMacFilter;
    EXPECT_EQ("00:11:22:33:44:10", Text(page, IDC_KAPMAC_EDIT_FIRST));
    EXPECT_EQ("00:11:22:33:44:25", Text(page, IDC_KAPMAC_EDIT_LAST));
    EXPECT_EQ(2, page.SendDlgItemMessage(IDC_KAPMAC_TYPE, CB_GETCURSEL));

    page.SetDlgItemText(IDC_KAPMAC_EDIT_FIRST, "aa:bb:cc:dd:ee:00");
    page.SetDlgItemText(IDC_KAPMAC_EDIT_FIRST + 1, "");
    Press(page, IDC_KAPMAC_SAVE);
    EXPECT_TRUE(boxes.empty());
    std::vector<std::string> expected = {"AABBCCDDEE00"};
    expected.insert(expected.end(), stored.begin() + 2, stored.end());
    EXPECT_EQ(expected, StoredList()) << "the four addresses beyond the sixteenth survive";
    EXPECT_EQ(2, ap.Get("AclPolicy"));
}

TEST_F(ApStatusPages, SaveRefusesAnyButColonPairsAndStoresNothing)
{
    StoreList({"001122334455"}, 1);
    mainWindow.ShowProfileTab();
    CKelvoPageApMacFilter& page = *mainWindow.m_pPageApMacFilter;
    page.SetDlgItemText(IDC_KAPMAC_EDIT_FIRST + 3, "00-11-22-33-44-77");
    ap.ClearJournal();
    Press(page, IDC_KAPMAC_SAVE);
    EXPECT_EQ(std::vector<std::string>{"ErrorInput"}, boxes);
    EXPECT_EQ(::GetDlgItem(page.m_hWnd, IDC_KAPMAC_EDIT_FIRST + 3), ::GetFocus());
    EXPECT_EQ(0u, CountCalls("QXAP_WriteAccessList"));

    page.SetDlgItemText(IDC_KAPMAC_EDIT_FIRST + 3, "00:11:22:33:44:7a");
    Press(page, IDC_KAPMAC_SAVE);
    EXPECT_EQ(1u, boxes.size());
    EXPECT_EQ((std::vector<std::string>{"001122334455", "00112233447A"}), StoredList());
    for (const char* bad : {"00:11:22:33:44:7", "00:11:22:33:44:7g", "0011:22:33:44:7a:", "00:11:22:33:44:7a "})
        EXPECT_FALSE(CKelvoPageApMacFilter::IsValidMacText(bad)) << bad;
}

}  // namespace
