// The default-setting file beside the program: only a whole record is taken or stored.
#include <gtest/gtest.h>
#include "softap/AccessApDefaultSetting.h"
#include "support/TestSupport.h"

#include <cstring>
#include <string>

namespace {

class ApDefaultSettingFile : public ::testing::Test {
protected:
    void SetUp() override { Remove(); }
    void TearDown() override { Remove(); }
    static void Remove()
    {
        ::DeleteFileA(ApDefaultSettingPath());
        ::RemoveDirectoryA(ApDefaultSettingPath() + ".new");
    }
    static AP_CONFIG_DATA Record(const char* ssid)
    {
        AP_CONFIG_DATA c{};
        c.Ssid.SsidLength = static_cast<ULONG>(strlen(ssid));
        memcpy(c.Ssid.Ssid, ssid, c.Ssid.SsidLength);
        c.nGroupRekeyInterval = 60;
        c.nIdleTime = 300;
        return c;
    }
};

TEST_F(ApDefaultSettingFile, LivesBesideTheProgramAndReadsBackWhatWasWritten)
{
    EXPECT_EQ(testing_support::BinFolder() + "ApDefaultSetting.dat", std::string(ApDefaultSettingPath()));
    AP_CONFIG_DATA written = Record("Shipped");
    ASSERT_EQ(1, AccessApDefaultSetting(&written, sizeof written, 1));
    EXPECT_EQ(sizeof(AP_CONFIG_DATA), testing_support::ReadWholeFile(std::string(ApDefaultSettingPath())).size());
    AP_CONFIG_DATA read{};
    ASSERT_EQ(1, AccessApDefaultSetting(&read, sizeof read, 0));
    EXPECT_EQ(0, memcmp(&written, &read, sizeof read));
}

TEST_F(ApDefaultSettingFile, AMissingShortOrLongFileIsNeverTakenAndLeavesTheRecord)
{
    AP_CONFIG_DATA config = Record("Library");
    const AP_CONFIG_DATA before = config;
    EXPECT_EQ(0, AccessApDefaultSetting(&config, sizeof config, 0));
    const std::string whole(sizeof(AP_CONFIG_DATA), 'x');
    for (const std::string& content : {whole.substr(0, 100), whole + "y"}) {
        testing_support::ScopedFile file(std::string(ApDefaultSettingPath()), content);
        EXPECT_EQ(0, AccessApDefaultSetting(&config, sizeof config, 0)) << content.size();
        EXPECT_EQ(0, memcmp(&before, &config, sizeof config)) << "a cut file mixed into the record";
    }
}

TEST_F(ApDefaultSettingFile, AFailedWriteKeepsTheStoredRecord)
{
    AP_CONFIG_DATA stored = Record("Stored");
    ASSERT_EQ(1, AccessApDefaultSetting(&stored, sizeof stored, 1));
    // The new file cannot be made: the old record must still be there, whole.
    ASSERT_TRUE(::CreateDirectoryA(ApDefaultSettingPath() + ".new", nullptr));
    AP_CONFIG_DATA other = Record("Other");
    EXPECT_EQ(0, AccessApDefaultSetting(&other, sizeof other, 1));
    AP_CONFIG_DATA read{};
    ASSERT_EQ(1, AccessApDefaultSetting(&read, sizeof read, 0));
    EXPECT_EQ(0, memcmp(&stored, &read, sizeof read));
}

TEST_F(ApDefaultSettingFile, OnlyAnEmptyOrPlaceholderRecordIsReplaced)
{
    AP_CONFIG_DATA file = Record("FromFile");
    ASSERT_EQ(1, AccessApDefaultSetting(&file, sizeof file, 1));
    AP_CONFIG_DATA named = Record("Mine");
    EXPECT_FALSE(LoadApDefaultSetting(named));
    AP_CONFIG_DATA rekeyOnly{};
    rekeyOnly.nGroupRekeyInterval = 60;  // an empty SSID alone does not make the record empty
    EXPECT_FALSE(LoadApDefaultSetting(rekeyOnly));
    AP_CONFIG_DATA empty{};
    EXPECT_TRUE(LoadApDefaultSetting(empty));
    EXPECT_EQ(0, memcmp(&file, &empty, sizeof empty));
    AP_CONFIG_DATA placeholder = Record(kApPlaceholderSsid);
    EXPECT_TRUE(LoadApDefaultSetting(placeholder));
    // A file whose SSID length does not fit its field is not a configuration.
    AP_CONFIG_DATA bad = Record("x");
    bad.Ssid.SsidLength = 200;
    ASSERT_EQ(1, AccessApDefaultSetting(&bad, sizeof bad, 1));
    AP_CONFIG_DATA again{};
    EXPECT_FALSE(LoadApDefaultSetting(again));
}

}  // namespace
