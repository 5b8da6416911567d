#include <gtest/gtest.h>
#include "base/IniFile.h"
#include "core/QXAPLIB.h"
#include "core/QXWLLIB.h"
#include "support/ScopedFolder.h"
#include "support/TestSupport.h"

using testing_support::OwnIniPath;
using testing_support::ScopedFile;


// QXWLLIB is not copyable; read into the global object and inspect it instead.
class StationSettings : public ::testing::Test {
protected:
    void Read(const std::string& ini)
    {
        ScopedFile file(OwnIniPath(), ini);
        QXWLAPI.ReadSettings();
    }
};

TEST_F(StationSettings, WithoutAFileEveryKeyTakesItsDefault)
{
    ::DeleteFileA(OwnIniPath().c_str());
    QXWLAPI.ReadSettings();
    EXPECT_EQ(1, QXWLAPI.SupportWAPI);
    EXPECT_EQ(0, QXWLAPI.ShowPassword);
    EXPECT_EQ(1, QXWLAPI.ActiveProfileIcon);
    EXPECT_EQ(1, QXWLAPI.CompanyWebSiteLink);
    EXPECT_EQ(60, QXWLAPI.RetryConnectTimer);
    EXPECT_EQ(0, QXWLAPI.nDebugMode);
    EXPECT_EQ(0, QXWLAPI.ProhibitTKIPonHT);
    EXPECT_EQ(0, QXWLAPI.ProhibitWEPonHT);
    EXPECT_EQ(1, QXWLAPI.SupportWiFiDirect);
    EXPECT_EQ(1, QXWLAPI.SupportAdvanceSettings);
    EXPECT_EQ(0, QXWLAPI.GetWPSstatus);
    EXPECT_STREQ("ApUI", QXWLAPI.SoftAP_UIName);
    EXPECT_STREQ("Quixen Wireless", QXWLAPI.ShortCut_FolderName);
    EXPECT_STREQ("Quixen Wireless Utility", QXWLAPI.ShortCut_IconName);
    EXPECT_STREQ(kDefaultCompanyWebSite, QXWLAPI.CompanyWebSite);
    EXPECT_EQ(1, QXWLAPI.PersistentConnect);
    EXPECT_EQ(0, QXWLAPI.PEAP);
    EXPECT_EQ(1, QXWLAPI.EAP_FAST);
    EXPECT_EQ(1, QXWLAPI.LEAP);
    EXPECT_EQ(0, QXWLAPI.Open_None);
    EXPECT_EQ(1, QXWLAPI.Open_WEP);
    EXPECT_EQ(1, QXWLAPI.WPA2_PSK);
}

TEST_F(StationSettings, EqualsOneAndNotZeroTestsAreExact)
{
    Read("[AuthEncry]\nSupportWAPI=yes\nShowPassword=yes\n[Advance]\nSupportCCX=01\nTxBurst=1\n"
         "[About]\nCompanyWebSiteLink=0\n[PersistentConnect]\nPEAP=no\nLEAP=0\n");
    EXPECT_EQ(1, QXWLAPI.SupportWAPI);       // only "0" turns it off
    EXPECT_EQ(0, QXWLAPI.ShowPassword);      // only "1" turns it on
    EXPECT_EQ(0, QXWLAPI.SupportCCX);        // "01" is not "1"
    EXPECT_EQ(1, QXWLAPI.TxBurst);
    EXPECT_EQ(0, QXWLAPI.CompanyWebSiteLink);
    EXPECT_EQ(1, QXWLAPI.PEAP);
    EXPECT_EQ(0, QXWLAPI.LEAP);
}

TEST_F(StationSettings, PageSwitchesReadTwoAsOnOnlyWhereAnythingButZeroCounts)
{
    // "2" tells the two rules apart: on for anything but "0", off for anything but "1".
    Read("[AuthEncry]\nSupportWAPI=2\nShowPassword=2\nWPA2PSKForAdhocXP=1\n"
         "[Settings]\nProhibitWEPonHT=2\nProhibitTKIPonHT=1\n"
         "[Advance]\nEAPFastEnhancement=2\nACKPolicy_CoexMode_11nPage=1\nActiveProfileIcon=2\n"
         "[WiFiDirect]\nSupportAdvanceSettings=2\nUseDefaultRegPIN=7\n");
    EXPECT_EQ(1, QXWLAPI.SupportWAPI);
    EXPECT_EQ(0, QXWLAPI.ShowPassword);
    EXPECT_EQ(1, QXWLAPI.WPA2PSKForAdhocXP);
    EXPECT_EQ(0, QXWLAPI.ProhibitWEPonHT);
    EXPECT_EQ(1, QXWLAPI.ProhibitTKIPonHT);
    EXPECT_EQ(0, QXWLAPI.EAPFastEnhancement);
    EXPECT_EQ(1, QXWLAPI.ACKPolicy_CoexMode_11nPage);
    EXPECT_EQ(0, QXWLAPI.ActiveProfileIcon);
    EXPECT_EQ(0, QXWLAPI.SupportAdvanceSettings);
    EXPECT_EQ(7, QXWLAPI.UseDefaultRegPIN);

    Read("[AuthEncry]\nSupportWAPI=0\n");
    EXPECT_EQ(0, QXWLAPI.SupportWAPI);
    EXPECT_EQ(0, QXWLAPI.WPA2PSKForAdhocXP);
    EXPECT_EQ(0, QXWLAPI.EAPFastEnhancement);
    EXPECT_EQ(0, QXWLAPI.ACKPolicy_CoexMode_11nPage);
    EXPECT_EQ(0, QXWLAPI.UseDefaultRegPIN);
    EXPECT_EQ(0, QXWLAPI.bWiFiDirectSigmaTest);
}

TEST_F(StationSettings, RetryConnectTimerFallsBackToSixtyWhenNotPositive)
{
    for (const char* value : {"0", "-5", "abc", ""}) {
        Read(std::string("[Advance]\nRetryConnectTimer=") + value + "\n");
        EXPECT_EQ(60, QXWLAPI.RetryConnectTimer) << "value " << value;
    }
    Read("[Advance]\nRetryConnectTimer=30\n");
    EXPECT_EQ(30, QXWLAPI.RetryConnectTimer);
    Read("[Advance]\nRetryConnectTimer= 45s\n");
    EXPECT_EQ(45, QXWLAPI.RetryConnectTimer);
}

TEST_F(StationSettings, Select11nDialogTurnsOnRateAndHtSettings)
{
    Read("[Advance]\nSelect11nDialog=1\nTxRate=0\nHT Setting=0\n");
    EXPECT_EQ(1, QXWLAPI.TxRate);
    EXPECT_EQ(1, QXWLAPI.HTSetting);
    Read("[Advance]\nSelect11nDialog=0\nTxRate=1\nHT Setting=yes\n");
    EXPECT_EQ(1, QXWLAPI.TxRate);
    EXPECT_EQ(0, QXWLAPI.HTSetting);
}

TEST_F(StationSettings, DebugModeIsAWholeNumber)
{
    Read("[Settings]\nDebugMode=4\n");
    EXPECT_EQ(4, QXWLAPI.nDebugMode);
    Read("[Settings]\nDebugMode=-2\n");
    EXPECT_EQ(-2, QXWLAPI.nDebugMode);
    Read("[Settings]\nDebugMode=x\n");
    EXPECT_EQ(0, QXWLAPI.nDebugMode);
}

TEST_F(StationSettings, SigmaTestSetsBothTestFlags)
{
    Read("[WiFiDirect]\nWiFiDirectSigmaTest=1\nUseDefaultRegPIN=3\nSupportWiFiDirect=0\n");
    EXPECT_EQ(1, QXWLAPI.WiFiDirectSigmaTest);
    EXPECT_EQ(1, QXWLAPI.bWiFiDirectSigmaTest);
    EXPECT_EQ(3, QXWLAPI.UseDefaultRegPIN);
    EXPECT_EQ(0, QXWLAPI.SupportWiFiDirect);
    Read("[WiFiDirect]\nWiFiDirectSigmaTest=2\n");
    EXPECT_EQ(0, QXWLAPI.WiFiDirectSigmaTest);
    EXPECT_EQ(0, QXWLAPI.bWiFiDirectSigmaTest);
}

TEST_F(StationSettings, OverLongTextsAreCutToTheirBuffers)
{
    ScopedFile file(OwnIniPath(), "[Custom]\nSoftAP_UIName=" + std::string(300, 'n') + "\n");
    QXWLAPI.ReadSettings();
    EXPECT_EQ(127u, strlen(QXWLAPI.SoftAP_UIName));
    EXPECT_EQ(255, ReadModuleIniString("Custom", "SoftAP_UIName", "").GetLength());
}

TEST_F(StationSettings, EditsTakeEffectAtTheNextRead)
{
    Read("[Settings]\nDebugMode=1\n");
    EXPECT_EQ(1, QXWLAPI.nDebugMode);
    Read("[Settings]\nDebugMode=5\n");
    EXPECT_EQ(5, QXWLAPI.nDebugMode);
}

TEST_F(StationSettings, TheFileIsNeverWritten)
{
    const std::string ini = "[Advance]\nTxRate=1\n";
    ScopedFile file(OwnIniPath(), ini);
    QXWLAPI.ReadSettings();
    QXAPAPI.ReadIni();
    EXPECT_EQ(ini, testing_support::ReadWholeFile(OwnIniPath()));
}

TEST(MediaServerSettings, NamesComeFromTheirOwnFileWithDefaults)
{
    const std::string path = testing_support::BinFolder() + "QxMediaServer.ini";
    {
        ScopedFile none(path, "");
        QXWLAPI.ReadMediaServerIni();
        EXPECT_STREQ("QxMediaServer", QXWLAPI.m_strMediaServerName);
        EXPECT_STREQ("", QXWLAPI.m_strMediaServerFriendlyName);
    }
    ScopedFile file(path, "[Service]\nServiceName=MyMedia\n[Device]\nFriendlyName=Den PC\n");
    QXWLAPI.ReadMediaServerIni();
    EXPECT_STREQ("MyMedia", QXWLAPI.m_strMediaServerName);
    EXPECT_STREQ("Den PC", QXWLAPI.m_strMediaServerFriendlyName);
}

TEST(SoftApSettings, ProhibitFlagsAreOnWithoutAFileWhileTheStationOnesAreOff)
{
    ::DeleteFileA(OwnIniPath().c_str());
    QXAPAPI.ReadIni();
    QXWLAPI.ReadSettings();
    EXPECT_EQ(1, QXAPAPI.ProhibitTKIPonHT);
    EXPECT_EQ(1, QXAPAPI.ProhibitWEPonHT);
    EXPECT_EQ(0, QXWLAPI.ProhibitTKIPonHT);
    EXPECT_EQ(0, QXWLAPI.ProhibitWEPonHT);
    EXPECT_EQ(1, QXAPAPI.EnableCountryRegion);
    EXPECT_EQ(5, QXAPAPI.WaitforDriverInitialized);
    EXPECT_STREQ("QxUI", QXAPAPI.UTILITY_FILE_NAME);
    EXPECT_STREQ("Quixen Wireless", QXAPAPI.SHORTCUT_FOLDER_NAME);
}

TEST(SoftApSettings, AnyValueButZeroIsOnAndSelect11nDialogSkipsTheRateKeys)
{
    ScopedFile file(OwnIniPath(), "[AuthEncry]\nDisplayPassword=no\n[Advance]\nSelect11nDialog=2\nTxRate=0\n"
                                  "[Settings]\nProhibitTKIPonHT=1\nProhibitWEPonHT=0\n");
    QXAPAPI.ReadIni();
    EXPECT_EQ(1, QXAPAPI.DisplayPassword);
    EXPECT_EQ(1, QXAPAPI.Select11nDialog);
    EXPECT_EQ(1, QXAPAPI.TxRate);
    EXPECT_EQ(1, QXAPAPI.HTSetting);
    EXPECT_EQ(0, QXAPAPI.ProhibitTKIPonHT);
    EXPECT_EQ(1, QXAPAPI.ProhibitWEPonHT);
}

TEST(SoftApSettings, PageSwitchesAreOnForAnythingButZero)
{
    ScopedFile file(OwnIniPath(), "[CountryRegion]\nEnableCountryRegion=0\n[AuthEncry]\nShowPasswordCheckBox=2\n"
                                  "[Advance]\nBgProtection=x\nTxRate=0\nHT Setting=1\n");
    QXAPAPI.ReadIni();
    EXPECT_EQ(0, QXAPAPI.EnableCountryRegion);
    EXPECT_EQ(1, QXAPAPI.ShowPasswordCheckBox);
    EXPECT_EQ(1, QXAPAPI.BgProtection);
    EXPECT_EQ(0, QXAPAPI.Select11nDialog);
    EXPECT_EQ(0, QXAPAPI.TxRate);
    EXPECT_EQ(1, QXAPAPI.HTSetting);
}

TEST(IniInteger, DecimalRule)
{
    EXPECT_EQ(12, ParseIniInteger("  12abc"));
    EXPECT_EQ(-7, ParseIniInteger("-7"));
    EXPECT_EQ(7, ParseIniInteger("+7"));
    EXPECT_EQ(0, ParseIniInteger("abc"));
    EXPECT_EQ(0, ParseIniInteger("- 3"));
}

TEST(IniSectionReading, AnswersWhatAReadPerKeyWouldAnswer)
{
    const std::string path = testing_support::BinFolder() + "section_test.ini";
    ScopedFile file(path, "[Strings]\nPLAIN=Hello\n  SPACED  =   padded value   \nQUOTED=\"Status: \"\nSINGLE='Status: '\n"
                          "MIXED='half\"\nLONE='\nDUP=first\n"
                          "DUP=second\nlower=Case\nEMPTY=\n; a comment\nNOEQUALS\n[Other]\nPLAIN=elsewhere\n");
    IniSection section;
    ASSERT_TRUE(section.Load(path.c_str(), "Strings"));
    for (const char* key : {"PLAIN", "SPACED", "QUOTED", "SINGLE", "MIXED", "LONE", "DUP", "LOWER", "EMPTY"}) {
        char expected[256];
        ::GetPrivateProfileStringA("Strings", key, "<none>", expected, sizeof expected, path.c_str());
        const CString* got = section.Find(key);
        ASSERT_NE(nullptr, got) << key;
        EXPECT_STREQ(expected, *got) << key;
    }
    EXPECT_EQ(nullptr, section.Find("MISSING"));
    EXPECT_EQ(nullptr, section.Find("NOEQUALS"));
    IniSection absent;
    EXPECT_FALSE(absent.Load(path.c_str(), "Nowhere"));
    EXPECT_EQ(nullptr, absent.Find("PLAIN"));
}

// The settings file read a section at a time answers every key as one read per key would.
TEST(SettingsFileSections, AnswerEveryKeyAsTheProfileReadOfThatKeyWould)
{
    testing_support::ScopedFolder folder;
    const std::string path = folder.WithSlash() + "Sections.ini";
    const std::string longValue(300, 'v');
    ScopedFile file(path,
                    "[Advance]\r\n"
                    "TxRate=1\r\n"
                    "  Spaced Key  =  padded value  \r\n"
                    "Quoted=\"in quotes\"\r\n"
                    "Single='single'\r\n"
                    "Empty=\r\n"
                    "NoEquals\r\n"
                    "txrate=second\r\n"
                    "Long=" + longValue + "\r\n"
                    "; a comment=not a key\r\n"
                    "[settings]\r\n"
                    "DebugMode= 3x\r\n"
                    "[Advance]\r\n"
                    "Later=from the repeated section\r\n");
    const IniFileSections sections{CString(path.c_str())};
    struct Key {
        const char* section;
        const char* key;
    };
    const Key keys[] = {{"Advance", "TxRate"},  {"ADVANCE", "txRATE"},    {"Advance", "Spaced Key"},
                        {"Advance", "Quoted"},  {"Advance", "Single"},    {"Advance", "Empty"},
                        {"Advance", "NoEquals"}, {"Advance", "Long"},     {"Advance", "Missing"},
                        {"Settings", "DebugMode"}, {"Absent", "TxRate"},  {"Advance", "Later"}};
    for (const Key& k : keys) {
        char expected[256] = "";
        ::GetPrivateProfileStringA(k.section, k.key, "fallback", expected, sizeof expected, path.c_str());
        EXPECT_STREQ(expected, sections.String(k.section, k.key, "fallback")) << k.section << " / " << k.key;
    }
    EXPECT_EQ(1, sections.FlagEquals1("Advance", "TxRate", "0"));
    EXPECT_EQ(3, sections.Int("Settings", "DebugMode", 0));
    EXPECT_EQ(7, sections.Int("Settings", "Missing", 7));
    EXPECT_EQ(1, sections.FlagNot0("Absent", "Anything", "1"));
}
