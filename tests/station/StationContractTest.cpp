#include "tests/station/StationFixture.h"

#include <cstring>

using namespace station_test;

namespace {
std::string Networks(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "[Network" + std::to_string(i) + "]\nSsid=Net" + std::to_string(i) + "\nChannel=" +
                std::to_string(1 + i % 11) + "\nSecurity=WPA2-PSK\nHT=1\nWPS=1\n";
    return text;
}

std::string Adapters(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i) text += "[Adapter" + std::to_string(i) + "]\nName=Card " + std::to_string(i) + "\n";
    return text;
}

class TooSmallProtocol : public StationTest {};
class BadLibraryAnswers : public StationTest {};
}  // namespace

TEST(StationContract, FailuresAreLoggedWithStatusEntryPointAndCaller)
{
    LogCapture log;
    EXPECT_TRUE(IsSuccess(QXWL_ERROR_SUCCESS, "QXWL_SetSSID", "CHideDlg::ActionExec"));
    EXPECT_TRUE(log.Lines().empty());
    EXPECT_FALSE(IsSuccess(-10, "QXWL_SetSSID", "CHideDlg::ActionExec"));
    ASSERT_EQ(1u, log.Lines().size());
    EXPECT_EQ("[QxUI] CHideDlg::ActionExec: QXWL_SetSSID() return not QXWL_ERROR_SUCCESS (-10)\n", log.Lines()[0]);
}

TEST_F(TooSmallProtocol, AdapterListThatFitsTakesOneCall)
{
    std::vector<ADAPTER_ENTRY> adapters;
    ASSERT_TRUE(ReadAdapterList(lib->QXWL_GetAvailableAdapters, adapters, "test"));
    ASSERT_EQ(1u, adapters.size());
    EXPECT_STREQ("Kelvo 802.11n USB Wireless LAN Card", adapters[0].chName);
    EXPECT_EQ(1u, sim.JournalLines("QXWL_GetAvailableAdapters").size());
}

TEST_F(TooSmallProtocol, LongerAdapterListIsFetchedOnceMoreAtTheCountAskedFor)
{
    ASSERT_TRUE(sim.Load(Adapters(3)));
    std::vector<ADAPTER_ENTRY> adapters;
    ASSERT_TRUE(ReadAdapterList(lib->QXWL_GetAvailableAdapters, adapters, "test"));
    ASSERT_EQ(3u, adapters.size());
    EXPECT_STREQ("Card 2", adapters[2].chName);
    EXPECT_EQ((std::vector<std::string>{"QXWL_GetAvailableAdapters(1)", "QXWL_GetAvailableAdapters(3)"}),
              sim.JournalLines("QXWL_GetAvailableAdapters"));
}

TEST_F(TooSmallProtocol, NoAdapterIsAnEmptyList)
{
    ASSERT_TRUE(sim.Set("DevicePresent", 0));
    std::vector<ADAPTER_ENTRY> adapters(2);
    EXPECT_TRUE(ReadAdapterList(lib->QXWL_GetAvailableAdapters, adapters, "test"));
    EXPECT_TRUE(adapters.empty());
}

TEST_F(TooSmallProtocol, AdapterListThatGrowsBetweenTheCallsIsRefusedAndLogged)
{
    ASSERT_TRUE(sim.Load(Adapters(2) + "[World]\nGrowAdaptersAfterTooSmall=2\n"));
    LogCapture log;
    std::vector<ADAPTER_ENTRY> adapters;
    EXPECT_FALSE(ReadAdapterList(lib->QXWL_GetAvailableAdapters, adapters, "CHideDlg::DetectAdapter"));
    EXPECT_TRUE(adapters.empty());
    EXPECT_TRUE(log.Contains("still too small"));
    EXPECT_TRUE(log.Contains("QXWL_GetAvailableAdapters() return not QXWL_ERROR_SUCCESS (-10)"));
    // The next detection sees the grown list whole.
    EXPECT_TRUE(ReadAdapterList(lib->QXWL_GetAvailableAdapters, adapters, "CHideDlg::DetectAdapter"));
    EXPECT_EQ(4u, adapters.size());
}

TEST_F(TooSmallProtocol, ScanListLargerThanTheFirstBufferIsFetchedOnceMoreAtTheSizeAskedFor)
{
    ASSERT_TRUE(sim.Load(Networks(150)));
    std::vector<BYTE> list;
    ASSERT_TRUE(ReadSiteSurveyList(lib->QXWL_SiteSurveyQuery, list, "test"));
    EXPECT_GT(list.size(), kSiteSurveyBufferBytes);
    BssidListView view(list.data(), list.size(), "test");
    EXPECT_EQ(150u, view.Count());
    EXPECT_EQ(0u, view.Refused());
    const std::vector<std::string> calls = sim.JournalLines("QXWL_SiteSurveyQuery");
    ASSERT_EQ(2u, calls.size());
    EXPECT_EQ("QXWL_SiteSurveyQuery(15364)", calls[0]);
    EXPECT_EQ("QXWL_SiteSurveyQuery(" + std::to_string(list.size()) + ")", calls[1]);
}

TEST_F(TooSmallProtocol, ProfileListIsCountedFirstThenRead)
{
    ASSERT_TRUE(sim.Load("[Profile1]\nName=Home\nSsid=Home\n[Profile2]\nName=Work\nSsid=Work\n"));
    std::vector<WLANPROFILE> profiles;
    ASSERT_TRUE(ReadProfileList(lib->QXWL_ReadProfileList, profiles, "test"));
    ASSERT_EQ(2u, profiles.size());
    EXPECT_STREQ("Work", profiles[1].strProfileName);
    EXPECT_EQ((std::vector<std::string>{"QXWL_ReadProfileList(0)", "QXWL_ReadProfileList(2)"}),
              sim.JournalLines("QXWL_ReadProfileList"));
}

TEST_F(BadLibraryAnswers, ScanEntryOfLengthZeroEndsTheWalk)
{
    ASSERT_TRUE(sim.Load(Networks(4)));
    sim.Misbehave(SIM_MISBEHAVE_ENTRY_LENGTH_ZERO);
    LogCapture log;
    std::vector<BYTE> list;
    ASSERT_TRUE(ReadSiteSurveyList(lib->QXWL_SiteSurveyQuery, list, "test"));
    BssidListView view(list.data(), list.size(), "test");
    EXPECT_EQ(1u, view.Count());
    EXPECT_EQ(3u, view.Refused());
    EXPECT_TRUE(log.Contains("scan list entry 1 has Length 0"));
}

TEST_F(BadLibraryAnswers, ScanEntryRunningPastTheEndIsRefused)
{
    ASSERT_TRUE(sim.Load(Networks(3)));
    sim.Misbehave(SIM_MISBEHAVE_ENTRY_PAST_END);
    std::vector<BYTE> list;
    ASSERT_TRUE(ReadSiteSurveyList(lib->QXWL_SiteSurveyQuery, list, "test"));
    BssidListView view(list.data(), list.size(), "test");
    EXPECT_EQ(2u, view.Count());
    EXPECT_EQ(1u, view.Refused());
    for (size_t i = 0; i < view.Count(); ++i) EXPECT_LE(view[i].IELength + kNdisWlanBssidFixedBytes, view[i].Length);
}

TEST_F(BadLibraryAnswers, CountsLargerThanTheBufferAreClamped)
{
    ASSERT_TRUE(sim.Load(Networks(3) + Adapters(2) + "[Profile1]\nName=Home\n"));
    sim.Misbehave(SIM_MISBEHAVE_COUNT_OVER);
    LogCapture log;

    std::vector<BYTE> list;
    ASSERT_TRUE(ReadSiteSurveyList(lib->QXWL_SiteSurveyQuery, list, "test"));
    BssidListView view(list.data(), list.size(), "test");
    EXPECT_EQ(3u, view.Count());
    EXPECT_EQ(10u, view.Refused());

    std::vector<ADAPTER_ENTRY> adapters;
    ASSERT_TRUE(ReadAdapterList(lib->QXWL_GetAvailableAdapters, adapters, "test"));
    EXPECT_EQ(2u, adapters.size());
    EXPECT_TRUE(log.Contains("claims 5 adapters in room for 2, clamped"));

    std::vector<WLANPROFILE> profiles;
    ASSERT_TRUE(ReadProfileList(lib->QXWL_ReadProfileList, profiles, "test"));
    EXPECT_EQ(1u, profiles.size());
}

TEST_F(BadLibraryAnswers, SsidLongerThan32IsReadAs32)
{
    ASSERT_TRUE(sim.Load("[Network1]\nSsid=" + std::string(32, 'L') + "\nSecurity=Open\n"));
    sim.Misbehave(SIM_MISBEHAVE_SSID_TOO_LONG);
    LogCapture log;
    std::vector<BYTE> list;
    ASSERT_TRUE(ReadSiteSurveyList(lib->QXWL_SiteSurveyQuery, list, "test"));
    BssidListView view(list.data(), list.size(), "test");
    ASSERT_EQ(1u, view.Count());
    EXPECT_EQ(40u, view[0].Ssid.SsidLength);
    EXPECT_EQ(std::string(32, 'L'), SsidToText(view[0].Ssid));
    EXPECT_TRUE(log.Contains("SSID length 40 read as 32"));

    NDIS_802_11_SSID ssid = {};
    ssid.SsidLength = 32;
    memset(ssid.Ssid, 'L', 32);
    lib->QXWL_SetSSID(ssid);
    const WLAN_STATUS status = Status();
    EXPECT_EQ(QxStatus_Connected, status.status);
    EXPECT_EQ(std::string(32, 'L'), SsidToText(status.Ssid));
}

TEST_F(BadLibraryAnswers, UnterminatedTextsEndAtTheirBuffer)
{
    ASSERT_TRUE(sim.Load("[Profile1]\nName=Home\nActive=1\n"));
    sim.Misbehave(SIM_MISBEHAVE_UNTERMINATED);
    LogCapture log;
    struct {
        char name[kProfileNameBytes];
        char after[8] = "canary";
    } buffer;
    ASSERT_EQ(QXWL_ERROR_SUCCESS, lib->QXWL_ReadActiveProfileName(buffer.name));
    const std::string name = LibraryText(buffer.name, sizeof buffer.name, "QXWL_ReadActiveProfileName");
    EXPECT_EQ(kProfileNameBytes, name.size());
    EXPECT_EQ(0u, name.find("Home"));
    EXPECT_STREQ("canary", buffer.after);
    EXPECT_TRUE(log.Contains("QXWL_ReadActiveProfileName() left its text unterminated in 128 bytes"));

    std::vector<ADAPTER_ENTRY> adapters;
    ASSERT_TRUE(ReadAdapterList(lib->QXWL_GetAvailableAdapters, adapters, "test"));
    ASSERT_EQ(1u, adapters.size());
    EXPECT_EQ(63u, strlen(adapters[0].chName));  // ends inside its own field
}
