#include "tests/station/StationFixture.h"
#include "core/StationRecordDumps.h"

#include <cstring>

using namespace station_test;

namespace {
size_t CountStartingWith(const std::vector<std::string>& lines, const std::string& prefix)
{
    return std::count_if(lines.begin(), lines.end(),
                         [&](const std::string& line) { return line.compare(0, prefix.size(), prefix) == 0; });
}
}  // namespace

TEST(StationRecordDumps, AreWrittenAtLevelFourBetweenTheirBracketLines)
{
    LogCapture log;
    WLANPROFILE profile = {};
    QXWLAPI.nDebugMode = 3;
    DumpWlanProfile(profile);
    EXPECT_TRUE(log.Lines().empty());

    QXWLAPI.nDebugMode = 4;
    DumpWlanProfile(profile);
    const std::vector<std::string>& lines = log.Lines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ("[QxUI] --> DumpWlanProfile\n", lines[0]);
    EXPECT_EQ("[QxUI] struct WLANPROFILE:\n", lines[1]);
    EXPECT_EQ("[QxUI] \tbBssid = 0\n", lines[2]);
    EXPECT_EQ("[QxUI] <-- DumpWlanProfile\n", lines.back());
    EXPECT_TRUE(log.Contains("[QxUI] --> DumpCCX2Ctrl\n"));  // the CCX word goes through its own dump
}

TEST(StationRecordDumps, WriteNoSecret)
{
    WLANPROFILE profile = {};
    strcpy(profile.WEPKey1, "wep-secret-1");
    strcpy(profile.WEPKey4, "wep-secret-4");
    strcpy(profile.chPskKey, "psk-secret");
    strcpy(profile.chPassword, "password-secret");
    strcpy(profile.chPin, "pin-secret");
    strcpy(profile.chID, "alice");
    WPS_MODE mode = {};
    memcpy(mode.PIN, "76543210", 8);
    WPS_PROFILE wps = {};
    wps.ProfileCnt = 1;
    wps.Profile[0].KeyLength = 4;
    memcpy(wps.Profile[0].Key, "\xAB\xCD\xEF\x12", 4);

    LogCapture log;
    DumpWlanProfile(profile);
    DumpWPSMode(mode);
    DumpWPSProfile(wps);
    for (const char* secret : {"wep-secret", "psk-secret", "password-secret", "pin-secret", "76543210", "0xAB", "Key["})
        EXPECT_FALSE(log.Contains(secret)) << secret;
    EXPECT_TRUE(log.Contains("[QxUI] \tchID = alice\n"));
    EXPECT_TRUE(log.Contains("[QxUI] \tKeyLength = 4\n"));
}

TEST(StationRecordDumps, ClampCountsAndLengthsToTheRecord)
{
    WLANPROFILE profile = {};
    profile.arySupDesRates.SupRateLen = 200;
    profile.CA_cert.BlobLength = 1000;
    profile.dwLenEapFastConfigBlob = 100000;
    WPS_PROFILE wps = {};
    wps.ProfileCnt = 9;
    wps.Profile[0].KeyLength = 200;

    LogCapture log;
    DumpWlanProfile(profile);
    EXPECT_EQ(27u, CountStartingWith(log.Lines(), "[QxUI] \t\tSupRate["));
    EXPECT_EQ(152u, CountStartingWith(log.Lines(), "[QxUI] \t\tBlobData["));  // the user certificate's length is 0
    EXPECT_EQ(3000u, CountStartingWith(log.Lines(), "[QxUI] \t\tpEapFastConfigBlob["));
    log.Clear();
    DumpWPSProfile(wps);
    EXPECT_TRUE(log.Contains("[QxUI] \tProfileCnt = 9\n"));
    EXPECT_EQ(8u, CountStartingWith(log.Lines(), "[QxUI] \t\tProfile["));
    EXPECT_TRUE(log.Contains("[QxUI] \tKeyLength = 64\n"));
}

TEST(StationRecordDumps, FullLengthSsidIsReadByItsLength)
{
    WPS_CREDENTIAL credential = {};
    credential.SSID.SsidLength = 32;
    memset(credential.SSID.Ssid, 'S', 32);
    credential.AuthType = 0x20;  // the bytes after the SSID are not part of it
    LogCapture log;
    DumpOneWPSProfile(credential);
    EXPECT_TRUE(log.Contains("[QxUI] \tSSID = " + std::string(32, 'S') + "\n"));
}

TEST(StationRecordDumps, TransmitSettingIsWrittenFieldByField)
{
    ADVANCE_CONFIG_DATA config = {};
    config.TransmitSetting = SetBits(SetBits(0, transmit_setting::MCS, 7), transmit_setting::LEGACYMODE, 3);
    LogCapture log;
    DumpAdvanceCfg(config);
    EXPECT_TRUE(log.Contains("[QxUI] \tTRANSMIT_SETTING TransmitSetting:\n"));
    EXPECT_TRUE(log.Contains("[QxUI] \t\tMCS = 7\n"));
    EXPECT_TRUE(log.Contains("[QxUI] \t\tLEGACYMODE = 3\n"));
    EXPECT_TRUE(log.Contains("[QxUI] \t\tBW = 0\n"));
}
