#include <gtest/gtest.h>
#include "core/QXWLLIB.h"
#include "contract/StationContract.h"
#include "core/StationHelpers.h"
#include "support/LogCapture.h"

#include <vector>

namespace {
ULONG g_channelCount = 0;
LONG g_channelStatus = QXWL_ERROR_SUCCESS;
std::vector<ULONG> g_modes;  // the modes the library was asked about
BOOL g_ics = FALSE;
std::vector<BOOL> g_dhcpCalls;

LONG WINAPI ConvertPhyModeToAdHocMode(ULONG mode, ULONG* adhoc)
{
    *adhoc = mode + 100;
    return QXWL_ERROR_SUCCESS;
}
LONG WINAPI GetAvailableChannels(ULONG, ULONG mode, ULONG adhoc, UCHAR*, ULONG* count, ULONG)
{
    g_modes = {mode, adhoc};
    *count = g_channelCount;
    return g_channelStatus;
}
BOOL WINAPI IsEnableICS() { return g_ics; }
LONG WINAPI EnableDhcpServer(BOOL ics)
{
    g_dhcpCalls.push_back(ics);
    return QXWL_ERROR_SUCCESS;
}

class StationHelpers : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_channelCount = 0;
        g_channelStatus = QXWL_ERROR_SUCCESS;
        g_dhcpCalls.clear();
        QXWLAPI.QXWL_ConvertPhyModeToAdHocMode = ConvertPhyModeToAdHocMode;
        QXWLAPI.QXWL_GetAvailableChannels = GetAvailableChannels;
    }
    void TearDown() override
    {
        QXWLAPI.QXWL_ConvertPhyModeToAdHocMode = nullptr;
        QXWLAPI.QXWL_GetAvailableChannels = nullptr;
        QXWLAPI.QXWL_IsEnableICS = nullptr;
        QXWLAPI.QXWL_EnableDhcpServer = nullptr;
        QXWLAPI.m_AdapterEntry = {};
    }
};
}  // namespace

TEST_F(StationHelpers, RescanPeriodIs150MsForEachChannelOfTheMode)
{
    g_channelCount = 13;
    EXPECT_EQ(1950u, SetTimerForScanByChnList(9));
    EXPECT_EQ((std::vector<ULONG>{9, 109}), g_modes);
    g_channelCount = 5000;  // more than the channel array holds
    EXPECT_EQ(64u * 150, SetTimerForScanByChnList(9));
    g_channelStatus = QXWL_ERROR_FAILURE;
    testing_support::LogCapture log(1);
    EXPECT_EQ(0u, SetTimerForScanByChnList(9));
    EXPECT_TRUE(log.Contains("SetTimerForScanByChnList"));
}

TEST_F(StationHelpers, OnlyTheFourBasicAdapterKindsAreInside)
{
    for (ULONG kind : {0UL, 1UL, 2UL, 3UL}) {
        QXWLAPI.m_AdapterEntry.nKind = kind;
        EXPECT_FALSE(IsOpModeOutsideBasic()) << kind;
    }
    for (ULONG kind : {4UL, 0x80000000UL, 0xFFFFFFFFUL}) {
        QXWLAPI.m_AdapterEntry.nKind = kind;
        EXPECT_TRUE(IsOpModeOutsideBasic()) << kind;
    }
}

TEST_F(StationHelpers, DhcpWorkerPassesTheSharingStateAndClearsTheRunningFlag)
{
    QXWLAPI.QXWL_IsEnableICS = IsEnableICS;
    QXWLAPI.QXWL_EnableDhcpServer = EnableDhcpServer;
    g_ics = TRUE;
    volatile LONG running = 1;
    testing_support::LogCapture log(3);
    EXPECT_EQ(0u, EnableDHCPThread(const_cast<LONG*>(&running)));
    EXPECT_EQ((std::vector<BOOL>{TRUE}), g_dhcpCalls);
    EXPECT_EQ(0, running);
    EXPECT_TRUE(log.Contains("ICS is enabled, call QXWL_EnableDhcpServer()"));
    EXPECT_TRUE(log.Contains("EnableDHCPThread <-- 1 = QXWL_EnableDhcpServer(1)"));

    g_ics = FALSE;
    EnableDHCPThread(nullptr);  // started without a flag by the Wi-Fi Direct engine
    EXPECT_EQ((std::vector<BOOL>{TRUE, FALSE}), g_dhcpCalls);
}

TEST_F(StationHelpers, DhcpWorkerSkipsWhatTheLibraryLacks)
{
    volatile LONG running = 1;
    EnableDHCPThread(const_cast<LONG*>(&running));
    EXPECT_EQ(0, running);
    QXWLAPI.QXWL_IsEnableICS = IsEnableICS;
    EnableDHCPThread(nullptr);
    EXPECT_TRUE(g_dhcpCalls.empty());
}
