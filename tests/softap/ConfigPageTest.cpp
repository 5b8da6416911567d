// The access point's configuration page against the stand-in: the fall-back to the default file,
// the region and channel tables, the extension-channel rules, the HT word both ways and the
// checks of APPLY.
#include "softap/ApPagesFixture.h"
#include "softap/AuthSecuDlg.h"

namespace {

using ap_pages_test::ApPagesTest;
using testing_support::MessageBoxCapture;

class ConfigPageTest : public ApPagesTest {};

AP_CONFIG_DATA Record24(const char* ssid, LONG channel)
{
    AP_CONFIG_DATA c{};
    c.Ssid.SsidLength = static_cast<ULONG>(strlen(ssid));
    memcpy(c.Ssid.Ssid, ssid, c.Ssid.SsidLength);
    c.PhyMode = CConfigPage::kMode24GN;
    c.lFreq = static_cast<ULONG>(QXAPAPI.QXAP_ChannelToFrequency(channel));
    c.nBeaconPeriod = 100;
    c.lRtsThre = 2347;
    c.lFragThre = 2346;
    c.nGroupRekeyInterval = 60;
    c.nIdleTime = 300;
    return c;
}

TEST_F(ConfigPageTest, AnEmptyLibraryRecordTakesTheDefaultFileAndIsAppliedOnlyOnce)
{
    AP_CONFIG_DATA file = Record24("FromFile", 11);
    ASSERT_EQ(1, AccessApDefaultSetting(&file, sizeof file, 1));
    ASSERT_TRUE(sim.Set("StoredConfig", 1));
    sim.ClearJournal();
    {
        auto page = Make<CConfigPage>();
        EXPECT_EQ("FromFile", Text(*page, IDC_APCFG_SSID));
        EXPECT_EQ("11", Text(*page, IDC_APCFG_CHANNEL));
    }
    EXPECT_EQ(std::vector<std::string>{"QXAP_WriteandSetConfigData(FromFile)"}, Calls("QXAP_WriteandSetConfigData"));
    // A second page falls back again but does not apply again.
    ASSERT_TRUE(sim.Set("StoredConfig", 2));
    sim.ClearJournal();
    auto again = Make<CConfigPage>();
    EXPECT_EQ("FromFile", Text(*again, IDC_APCFG_SSID));
    EXPECT_EQ(2, G_nApDefaultFallbackCount);
    EXPECT_TRUE(Calls("QXAP_WriteandSetConfigData").empty());
}

TEST_F(ConfigPageTest, WithoutADefaultFileAnEmptyRecordTakesThePageDefaultsAndTheFirstApplyPasses)
{
    ASSERT_TRUE(sim.Set("StoredConfig", 1));
    sim.ClearJournal();
    MessageBoxCapture boxes;
    auto page = Make<CConfigPage>();
    auto security = std::make_unique<CAuthSecuDlg>();
    security->m_pConfigPage = page.get();
    ASSERT_TRUE(security->Create(CAuthSecuDlg::IDD, &front));
    EXPECT_EQ(0u, boxes.Count()) << (boxes.Count() ? boxes.Boxes()[0].text.GetString() : "");
    EXPECT_EQ("Kelvo_WLAN", Text(*page, IDC_APCFG_SSID));
    EXPECT_EQ("100", Text(*page, IDC_APCFG_BEACON));
    EXPECT_EQ("300", Text(*page, IDC_APCFG_IDLE));
    EXPECT_EQ("60", Text(*security, IDC_APSEC_REKEY));
    EXPECT_EQ(0, G_nApDefaultFallbackCount);
    EXPECT_TRUE(Calls("QXAP_WriteandSetConfigData").empty()) << "nothing is applied by itself";

    Click(*page, IDC_APCFG_APPLY);
    EXPECT_EQ(0u, boxes.Count());
    const AP_CONFIG_DATA stored = Stored();
    EXPECT_EQ("Kelvo_WLAN", std::string(reinterpret_cast<const char*>(stored.Ssid.Ssid), stored.Ssid.SsidLength));
    EXPECT_EQ(100u, stored.nBeaconPeriod);
    EXPECT_EQ(300u, stored.nIdleTime);
    EXPECT_EQ(60u, stored.nGroupRekeyInterval);
    EXPECT_EQ(1u, stored.enumEncryStatus);
    security->DestroyWindow();
}

TEST_F(ConfigPageTest, ARecordValueThePageWouldRefuseTakesThePageDefault)
{
    AP_CONFIG_DATA c = Record24("Lab", 6);
    c.nBeaconPeriod = 0;
    c.nIdleTime = 5000;
    c.nGroupRekeyInterval = 2;
    Store(c);
    MessageBoxCapture boxes;
    auto page = Make<CConfigPage>();
    EXPECT_EQ("100", Text(*page, IDC_APCFG_BEACON));
    EXPECT_EQ("300", Text(*page, IDC_APCFG_IDLE));
    Click(*page, IDC_APCFG_APPLY);
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_EQ(60u, Stored().nGroupRekeyInterval);
}

TEST_F(ConfigPageTest, OnlyTheLibrarysOwnSuffixIsHiddenFromTheSsid)
{
    for (const auto& [stored, shown] : std::vector<std::pair<const char*, const char*>>{
             {"Kelvo_WLAN-3F", "Kelvo_WLAN"}, {"Lab-A1", "Lab-A1"}, {"Kelvo_WLAN-3G", "Kelvo_WLAN-3G"}, {"AB-1", "AB-1"}}) {
        Store(Record24(stored, 6));
        auto page = Make<CConfigPage>();
        EXPECT_EQ(shown, Text(*page, IDC_APCFG_SSID)) << stored;
    }
}

TEST_F(ConfigPageTest, FiveGhzRegionTablesFollowTheModelAndTheReducedSet)
{
    EXPECT_TRUE(CConfigPage::FiveGhzRegionTexts(9, FALSE).empty());
    const auto model1 = CConfigPage::FiveGhzRegionTexts(1, TRUE);
    ASSERT_EQ(8u, model1.size());  // regions 0-7
    EXPECT_EQ(CString("1: CH36, 40, 44, 48"), model1[1]);
    const auto model3 = CConfigPage::FiveGhzRegionTexts(3, TRUE);
    ASSERT_EQ(11u, model3.size());
    EXPECT_EQ(CString("8: No Channel Support"), model3[8]);
    EXPECT_EQ(CString("10: CH34, 36, 38, 40, 42, 44, 46, 48"), model3[10]);
    const auto model5 = CConfigPage::FiveGhzRegionTexts(5, FALSE);
    ASSERT_EQ(17u, model5.size());
    EXPECT_EQ(CString("9: CH36, 40, 44, 48, 52, 56, 60, 64, 100, 104, 108, 112, 116, 132, 136, 140, 149, 153, 157, 161, 165"),
              model5[9]);
    EXPECT_EQ(CString("15: CH149, 153, 157, 161, 165, 169, 173"), model5[15]);
}

TEST_F(ConfigPageTest, TheRegionWordLimitsTheComboAndTheLibrarysOwnListComesLast)
{
    ASSERT_TRUE(sim.Load("[World]\nMaxRegion24=5\nCustom24=11\nMaxRegion5=0\nCustom5=1\n"));
    auto page = Make<CConfigPage>();
    const auto regions = Entries(*page, IDC_APCFG_REGION_BG);
    ASSERT_EQ(7u, regions.size());
    EXPECT_EQ("5: CH1-14", regions[5]);
    EXPECT_EQ("30: CH1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11", regions[6]);
    EXPECT_EQ(30u, ::SendDlgItemMessageA(page->m_hWnd, IDC_APCFG_REGION_BG, CB_GETITEMDATA, 6, 0));
    // Byte 3 at 0: every 5 GHz text, with the custom one last.
    const auto fives = Entries(*page, IDC_APCFG_REGION_A);
    ASSERT_EQ(18u, fives.size());
    EXPECT_EQ("30:CH36, 40, 44, 48", fives.back());
}

TEST_F(ConfigPageTest, ExtensionChannelsPairWithinTheListAndAcross5GhzPairs)
{
    Store(Record24("Lab", 6));
    auto page = Make<CConfigPage>();
    EXPECT_EQ((std::vector<std::string>{"2", "10"}), Entries(*page, IDC_APCFG_EXTCHA));
    // Channel 14 of region 5 has no partner and turns 40 MHz off.
    Choose(*page, IDC_APCFG_REGION_BG, "5: CH1-14");
    Choose(*page, IDC_APCFG_CHANNEL, "14");
    EXPECT_EQ(std::vector<std::string>{"none"}, Entries(*page, IDC_APCFG_EXTCHA));
    EXPECT_EQ(static_cast<UINT>(BST_UNCHECKED), page->IsDlgButtonChecked(IDC_APCFG_ALLOW_BW40));
    EXPECT_EQ(0, CConfigPage::FiveGhzExtensionPartner(140));
    EXPECT_EQ(0, CConfigPage::FiveGhzExtensionPartner(165));
    EXPECT_EQ(153, CConfigPage::FiveGhzExtensionPartner(149));
    EXPECT_EQ(124, CConfigPage::FiveGhzExtensionPartner(128));
}

TEST_F(ConfigPageTest, TheHtWordSurvivesALoadAndApplyAndKeepsTheBridgeWord)
{
    AP_CONFIG_DATA c = Record24("Lab", 6);
    c.bAllowBW40 = 1;
    ApHtSetting ht;
    ht.PhyMode = CConfigPage::kMode24GN;
    ht.Mcs = 7;
    ht.Bw = 1;
    ht.ShortGI = 1;
    ht.Stbc = 0;
    ht.TransNo = 2;
    ht.HtMode = 1;
    ht.ExtCha = 1;  // above: 10
    ht.Bridge = 0x155;
    c.HT_PhyMode = ht.Pack();
    EXPECT_EQ(0x155u << 21 | 1u << 17 | 1u << 16 | 2u << 14 | 1u << 12 | 1u << 11 | 7u << 4 | 9u, c.HT_PhyMode);
    Store(c);
    auto page = Make<CConfigPage>();
    EXPECT_EQ("10", Text(*page, IDC_APCFG_EXTCHA));
    EXPECT_EQ("7", Text(*page, IDC_APCFG_MCS));
    Click(*page, IDC_APCFG_APPLY);
    const AP_CONFIG_DATA stored = Stored();
    EXPECT_EQ(c.HT_PhyMode, stored.HT_PhyMode);
    EXPECT_EQ(1u, stored.bAllowBW40);
    EXPECT_EQ(c.lFreq, stored.lFreq);
}

TEST_F(ConfigPageTest, McsEntriesAreWrittenAsAutomaticOrTheirNumber)
{
    Store(Record24("Lab", 6));
    auto page = Make<CConfigPage>();
    Choose(*page, IDC_APCFG_MCS, "Auto");
    Click(*page, IDC_APCFG_APPLY);
    EXPECT_EQ(33u, ApHtSetting::Unpack(Stored().HT_PhyMode).Mcs);
    // A forced short guard interval keeps the rate automatic.
    Choose(*page, IDC_APCFG_MCS, "Force Short GI");
    Click(*page, IDC_APCFG_APPLY);
    const ApHtSetting forced = ApHtSetting::Unpack(Stored().HT_PhyMode);
    EXPECT_EQ(33u, forced.Mcs);
    EXPECT_EQ(1u, forced.ShortGI);
    Choose(*page, IDC_APCFG_MCS, "15");
    Click(*page, IDC_APCFG_APPLY);
    EXPECT_EQ(15u, ApHtSetting::Unpack(Stored().HT_PhyMode).Mcs);
}

TEST_F(ConfigPageTest, FiveGhzWithout11nWritesNoBgProtectionAndNoHtWord)
{
    ASSERT_TRUE(sim.Set("Supports11n", 0));
    AP_CONFIG_DATA c = Record24("Lab5", 36);
    c.PhyMode = CConfigPage::kMode5G;
    c.nBGProtection = 1;
    c.HT_PhyMode = ApHtSetting{9, 7, 1, 1, 1, 2, 1, 1, 0}.Pack();
    Store(c);
    auto page = Make<CConfigPage>();
    EXPECT_EQ("5 GHz", Text(*page, IDC_APCFG_MODE));
    Click(*page, IDC_APCFG_APPLY);
    const AP_CONFIG_DATA stored = Stored();
    EXPECT_EQ(CConfigPage::kMode5G, stored.PhyMode);
    EXPECT_EQ(0u, stored.nBGProtection);
    EXPECT_EQ(0u, stored.HT_PhyMode);
    EXPECT_EQ(0u, stored.bAllowBW40);
}

TEST_F(ConfigPageTest, ApplyRefusesEachBadFieldWithItsMessageAndWritesNothing)
{
    Store(Record24("Lab", 6));
    auto page = Make<CConfigPage>();
    const struct {
        int id;
        const char* value;
        const char* message;
    } cases[] = {{IDC_APCFG_BEACON, "19", "beacon"}, {IDC_APCFG_BEACON, "1001", "beacon"}, {IDC_APCFG_BEACON, "1a", "beacon"},
                 {IDC_APCFG_BEACON, "", "beacon"},   {IDC_APCFG_IDLE, "59", "idle"},       {IDC_APCFG_IDLE, "3601", "idle"},
                 {IDC_APCFG_IDLE, "-60", "idle"},    {IDC_APCFG_SSID, "", "ssid"}};
    for (const auto& bad : cases) {
        page->SetDlgItemText(IDC_APCFG_BEACON, "20");
        page->SetDlgItemText(IDC_APCFG_IDLE, "3600");
        page->SetDlgItemText(IDC_APCFG_SSID, "Lab");
        page->SetDlgItemText(bad.id, bad.value);
        sim.ClearJournal();
        MessageBoxCapture boxes;
        Click(*page, IDC_APCFG_APPLY);
        ASSERT_EQ(1u, boxes.Count()) << bad.value;
        EXPECT_EQ(CString(bad.message), boxes.Boxes()[0].text);
        EXPECT_EQ(CString("AP config"), boxes.Boxes()[0].caption);
        EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes.Boxes()[0].type & MB_ICONMASK);
        EXPECT_TRUE(Calls("QXAP_WriteandSetConfigData").empty()) << bad.value;
    }
    // The limits themselves pass.
    MessageBoxCapture none;
    page->SetDlgItemText(IDC_APCFG_SSID, "Edge");
    Click(*page, IDC_APCFG_APPLY);
    EXPECT_EQ(0u, none.Count());
    EXPECT_EQ(20u, Stored().nBeaconPeriod);
    EXPECT_EQ(3600u, Stored().nIdleTime);
}

TEST_F(ConfigPageTest, ABandChangeKeepsWhatWasTypedRebuildsTheListsAndIsSaved)
{
    Store(Record24("Lab", 6));
    auto page = Make<CConfigPage>();
    EXPECT_EQ(13u, Entries(*page, IDC_APCFG_TXRATE).size());
    page->SetDlgItemText(IDC_APCFG_SSID, "Typed");
    page->SetDlgItemText(IDC_APCFG_BEACON, "200");
    page->CheckDlgButton(IDC_APCFG_HIDE_SSID, BST_CHECKED);
    Choose(*page, IDC_APCFG_MODE, "5 GHz");
    EXPECT_EQ("Typed", Text(*page, IDC_APCFG_SSID));
    EXPECT_EQ("200", Text(*page, IDC_APCFG_BEACON));
    EXPECT_EQ(static_cast<UINT>(BST_CHECKED), page->IsDlgButtonChecked(IDC_APCFG_HIDE_SSID));
    EXPECT_EQ("36", Entries(*page, IDC_APCFG_CHANNEL).front());
    EXPECT_EQ(9u, Entries(*page, IDC_APCFG_TXRATE).size()) << "no 802.11b rates on 5 GHz";

    // A value the page refuses keeps the band it had.
    page->SetDlgItemText(IDC_APCFG_BEACON, "5");
    {
        MessageBoxCapture boxes;
        Choose(*page, IDC_APCFG_MODE, "2.4 GHz");
        EXPECT_EQ(1u, boxes.Count());
    }
    EXPECT_EQ("5 GHz", Text(*page, IDC_APCFG_MODE));
    EXPECT_EQ("36", Entries(*page, IDC_APCFG_CHANNEL).front());

    page->SetDlgItemText(IDC_APCFG_BEACON, "200");
    Click(*page, IDC_APCFG_APPLY);
    const AP_CONFIG_DATA stored = Stored();
    EXPECT_EQ(CConfigPage::kMode5GN, stored.PhyMode);
    EXPECT_EQ(static_cast<ULONG>(QXAPAPI.QXAP_ChannelToFrequency(36)), stored.lFreq);
    EXPECT_EQ(200u, stored.nBeaconPeriod);
    EXPECT_EQ("Typed", std::string(reinterpret_cast<const char*>(stored.Ssid.Ssid), stored.Ssid.SsidLength));
}

TEST_F(ConfigPageTest, ARegionChangeThePageCannotSaveKeepsTheRegionsChannels)
{
    Store(Record24("Lab", 6));
    auto page = Make<CConfigPage>();
    page->SetDlgItemText(IDC_APCFG_BEACON, "5");
    MessageBoxCapture boxes;
    Choose(*page, IDC_APCFG_REGION_BG, "5: CH1-14");
    EXPECT_EQ(1u, boxes.Count());
    EXPECT_EQ("0: CH1-11", Text(*page, IDC_APCFG_REGION_BG));
    EXPECT_EQ("11", Entries(*page, IDC_APCFG_CHANNEL).back());
}

TEST_F(ConfigPageTest, AnAutomaticMcsShowsNoRateAFixedOneItsRate)
{
    Store(Record24("Lab", 6));  // 20 MHz, long guard interval
    auto page = Make<CConfigPage>();
    Choose(*page, IDC_APCFG_MCS, "Auto");
    EXPECT_EQ("Tx Rate: Not Available", Text(*page, IDC_APCFG_HT_TXRATE));
    Choose(*page, IDC_APCFG_MCS, "7");
    EXPECT_EQ("Tx Rate : 65.00 Mbps", Text(*page, IDC_APCFG_HT_TXRATE));
}

TEST_F(ConfigPageTest, UseMacAndCancelChangeOnlyThePage)
{
    Store(Record24("Lab", 6));
    auto page = Make<CConfigPage>();
    sim.ClearJournal();
    Click(*page, IDC_APCFG_USE_MAC);
    EXPECT_EQ("AP001A2B4471A0", Text(*page, IDC_APCFG_SSID));
    Click(*page, IDC_APCFG_CANCEL);
    EXPECT_EQ("Lab", Text(*page, IDC_APCFG_SSID));
    Click(*page, IDC_APCFG_DEFAULT);
    EXPECT_EQ("Kelvo_WLAN", Text(*page, IDC_APCFG_SSID));
    EXPECT_TRUE(Calls("QXAP_WriteandSetConfigData").empty());
}

}  // namespace
