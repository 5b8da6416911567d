// Suspend and resume by operating-system code, and the two driver messages of the 802.1X
// callback.
#include "FlowSupport.h"
#include "core/QXAPLIB.h"
#include "softap/SoftApSim.h"

using namespace hidedlg_testing;

namespace {
class Power : public FlowFixture {
protected:
    void Broadcast(WPARAM event) { dlg->SendMessage(WM_POWERBROADCAST, event); }
    // Whether the timer was running (killing it tells, and ends it).
    bool Running(UINT_PTR id) { return ::KillTimer(dlg->m_hWnd, id) != FALSE; }
};
}  // namespace

TEST_F(Power, SuspendReleasesTheAdapterAndStopsThePollingTimersOnly)
{
    Start("[World]\nOsCode=10\n");
    sim.ClearJournal();
    Broadcast(PBT_APMSUSPEND);
    EXPECT_TRUE(Called("QXWL_Release"));
    EXPECT_FALSE(Running(TIMER_HIDE_DLG_RADIO));
    EXPECT_FALSE(Running(TIMER_HIDE_DLG_WPS_HW_PBC));
    EXPECT_TRUE(Running(TIMER_HIDE_DLG_SESSION_ID));
    EXPECT_TRUE(Running(TIMER_HIDE_DLG_CHECKINI_DEBUGMODE));
}

TEST_F(Power, SuspendKeepsTheAdapterOfALibraryWithoutWpaSupport)
{
    Start("[World]\nOsCode=10\nWpaCapable=0\n");
    sim.ClearJournal();
    Broadcast(PBT_APMSUSPEND);
    EXPECT_FALSE(Called("QXWL_Release"));
}

TEST_F(Power, ResumeOnXpRearmsTheChecksTheReconnectAndTheScanTable)
{
    CHideDlg& d = Start("[World]\nOsCode=8\n");
    Broadcast(PBT_APMSUSPEND);
    d.m_bWepErrorDetect = TRUE;
    Broadcast(PBT_APMRESUMEAUTOMATIC);
    EXPECT_TRUE(Running(TIMER_HIDE_DLG_CHECK_CARD));
    EXPECT_TRUE(Running(TIMER_HIDE_DLG_WEP_ERROR));
    EXPECT_TRUE(Running(TIMER_HIDE_DLG_RESUME_CONNECT));
    EXPECT_TRUE(Running(TIMER_HIDE_DLG_SCANTABLE));
    EXPECT_TRUE(Running(TIMER_HIDE_DLG_RADIO));
    EXPECT_TRUE(Running(TIMER_HIDE_DLG_WPS_HW_PBC));
    EXPECT_FALSE(Running(TIMER_HIDE_DLG_RESCAN));
    EXPECT_FALSE(Running(TIMER_HIDE_DLG_CHECK_INI_AFTER_RESUME));
}

TEST_F(Power, ResumeOnXpWithTheMainWindowAliveConnectsAtTheFirstResumeTick)
{
    CHideDlg& d = Start("[World]\nOsCode=8\n");
    ASSERT_NE(nullptr, d.m_pQxUI);
    Connect(Profile("Quixen-WPA2", AUTH_WPA2_PSK, ENCRY_AES, "quixen2024"));
    Broadcast(PBT_APMSUSPEND);
    Broadcast(PBT_APMRESUMEAUTOMATIC);
    sim.ClearJournal();
    Tick(TIMER_HIDE_DLG_RESUME_CONNECT);
    EXPECT_TRUE(Called("QXWL_SetWLANProfile(Quixen-WPA2"));
}

TEST_F(Power, ResumeOnXpWithNoProfileInForceLeavesALinkMadeMeanwhileAlone)
{
    CHideDlg& d = Start("[World]\nOsCode=8\n");
    ASSERT_TRUE(HoldsNoProfile(*d.m_pProfData));  // no active stored profile, nothing connected since
    Broadcast(PBT_APMSUSPEND);
    Broadcast(PBT_APMRESUMEAUTOMATIC);
    const WLANPROFILE open = Profile("Quixen-Open", AUTH_OPEN, ENCRY_NONE);
    QXWLAPI.QXWL_SetWLANProfile(&open);  // a link made by a WPS run or another program
    sim.ClearJournal();
    Tick(TIMER_HIDE_DLG_RESUME_CONNECT);
    EXPECT_FALSE(Called("QXWL_StopAuth"));
    EXPECT_FALSE(Called("QXWL_SetWLANProfile"));
    EXPECT_FALSE(Running(TIMER_HIDE_DLG_RESUME_CONNECT));  // a second later there is none either
}

TEST_F(Power, ResumeOnXpWhileTheServiceOwnsTheAdapterDoesNotReconnect)
{
    Start("[World]\nOsCode=8\nZeroConfig=2\n");
    Broadcast(PBT_APMSUSPEND);
    Broadcast(PBT_APMRESUMEAUTOMATIC);
    EXPECT_FALSE(Running(TIMER_HIDE_DLG_RESUME_CONNECT));
    EXPECT_FALSE(Running(TIMER_HIDE_DLG_WEP_ERROR));
    EXPECT_TRUE(Running(TIMER_HIDE_DLG_SCANTABLE));
}

TEST_F(Power, ResumeOnWindowsSevenRescansAndLooksAtAStoredHostedNetwork)
{
    Start("[World]\nOsCode=12\n");
    Broadcast(PBT_APMSUSPEND);
    sim.Set("StoredOpMode", OP_MODE_APCLIENT);
    sim.ClearJournal();
    Broadcast(PBT_APMRESUMEAUTOMATIC);
    EXPECT_TRUE(Running(TIMER_HIDE_DLG_RESCAN));
    EXPECT_FALSE(Running(TIMER_HIDE_DLG_SCANTABLE));
    EXPECT_FALSE(Running(TIMER_HIDE_DLG_RESUME_CONNECT));
    EXPECT_TRUE(Called("QXWL_DetectUserAdmin"));
}

TEST_F(Power, ResumeWithTheDriverNotReadyWaitsOnTimer13InsteadOfScanning)
{
    Start("[World]\nOsCode=10\n");
    Broadcast(PBT_APMSUSPEND);
    sim.Set("InitNotReadyPolls", 1);
    Broadcast(PBT_APMRESUMEAUTOMATIC);
    EXPECT_TRUE(Running(TIMER_HIDE_DLG_CHECK_INI_AFTER_RESUME));
    EXPECT_FALSE(Running(TIMER_HIDE_DLG_RESCAN));
    EXPECT_TRUE(Running(TIMER_HIDE_DLG_RADIO));
}

TEST_F(Power, InSoftApModeTheStationSideLeavesPowerEventsAloneOnlyWhileTheAccessPointSideRuns)
{
    CHideDlg& d = Start("[World]\nOsCode=10\n");
    d.m_nOpMode = OP_MODE_AP;  // without its library the station side polls, and goes on after a sleep
    Broadcast(PBT_APMSUSPEND);
    Broadcast(PBT_APMRESUMEAUTOMATIC);
    EXPECT_TRUE(Running(TIMER_HIDE_DLG_RADIO));

    softap_test::SoftApSim ap;
    ASSERT_TRUE(ap.Reset(""));
    ASSERT_TRUE(QXAPAPI.LoadApi(softap_test::SoftApSim::LibraryPath().c_str()));
    d.m_bApSideLoaded = TRUE;
    sim.ClearJournal();
    Broadcast(PBT_APMSUSPEND);
    EXPECT_FALSE(Called("QXWL_Release"));
    d.m_nOpMode = OP_MODE_STATION;
}

TEST_F(Power, PrivateDriverEventFollowsTheIcvErrorBit)
{
    CHideDlg& d = Start("[World]\nOsCode=8\n");
    Connect(Profile("Quixen-WEP", AUTH_OPEN, ENCRY_WEP, "54321"));
    d.SendMessage(MSG_PRIVATE_DRIVER_EVENT);
    EXPECT_TRUE(G_bWepError);
    Connect(Profile("Quixen-WEP", AUTH_OPEN, ENCRY_WEP, "12345"));
    d.SendMessage(MSG_PRIVATE_DRIVER_EVENT);
    EXPECT_FALSE(G_bWepError);
}

TEST_F(Power, MediaConnectSetsTheKeyOnlyForAStaticWepInfrastructureProfile)
{
    CHideDlg& d = Start("[World]\nOsCode=10\n");
    struct Case {
        ULONG networkType, encryption, ieee8021X;
        bool keySet;
    } cases[] = {
        {NETWORK_INFRASTRUCTURE, ENCRY_WEP, 0, true},
        {NETWORK_ADHOC, ENCRY_WEP, 0, false},
        {NETWORK_INFRASTRUCTURE, ENCRY_WEP, 1, false},
        {NETWORK_INFRASTRUCTURE, ENCRY_AES, 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.networkType << "/" << c.encryption << "/" << c.ieee8021X);
        *d.m_pProfData = Profile("Quixen-WEP", AUTH_OPEN, c.encryption, "12345");
        d.m_pProfData->enumNetworkType = c.networkType;
        d.m_pProfData->b8021X = c.ieee8021X;
        sim.ClearJournal();
        EXPECT_EQ(0, d.SendMessage(MSG_MEDIA_CONNECT));
        EXPECT_EQ(c.keySet, Called("QXWL_SetWEPKey"));
    }
}

// A station library without the WPA-capability query counts as having no supplicant of its own
// everywhere the program asks: nothing calls through the missing entry point.
TEST_F(Power, ALibraryWithoutTheWpaCapabilityQueryIsAskedNothingThroughIt)
{
    CHideDlg& d = Start("[World]\nOsCode=8\n");
    QXWLAPI.QXWL_IsWpaCapable = nullptr;
    sim.ClearJournal();
    Broadcast(PBT_APMSUSPEND);
    EXPECT_FALSE(Called("QXWL_Release"));
    Broadcast(PBT_APMRESUMEAUTOMATIC);
    for (UINT_PTR id : {TIMER_HIDE_DLG_CHECK_CARD, TIMER_HIDE_DLG_RESUME_CONNECT, TIMER_HIDE_DLG_XP_CONFIG,
                        TIMER_HIDE_DLG_RECONNECT, TIMER_HIDE_DLG_RETRY_CON})
        Tick(id);
    d.OnTraySwitchZeroConfig();
    d.OnTraySwitchQxconfig();
    EXPECT_TRUE(Called("QXWL_AdapterSelect"));  // taken back with no supplicant: selected afresh
}
