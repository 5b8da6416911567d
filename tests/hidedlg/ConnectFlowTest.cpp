// Whole connect flows against the simulated world: the queue, the polling timer and the tray.
#include "FlowSupport.h"
#include "contract/StationContract.h"
#include "skin/KelvoPageUIDlg.h"
#include "skin/KelvoPageWpsLinkStatusDlg.h"

using namespace hidedlg_testing;

namespace {
class ConnectFlow : public FlowFixture {};

const char kActiveCafe[] =
    "[World]\nOsCode=12\n[Network1]\nSsid=Cafe\nSecurity=WPA2-PSK\nKey=espresso12\n"
    "[Profile1]\nName=Cafe\nSsid=Cafe\nSecurity=WPA2-PSK\nKey=espresso12\nActive=1\n";
}  // namespace

TEST_F(ConnectFlow, OpenNetworkLinksAndTheTooltipNamesIt)
{
    Start("");
    Connect(Profile("Quixen-Open", AUTH_OPEN, ENCRY_NONE));
    Tick(TIMER_HIDE_DLG_RADIO);
    EXPECT_TRUE(TrayShowsLinkTo("Quixen-Open"));
}

TEST_F(ConnectFlow, TheStartUpReconnectWithNoActiveProfileLeavesALinkMadeMeanwhile)
{
    Start("");
    Connect(Profile("Quixen-Open", AUTH_OPEN, ENCRY_NONE));
    sim.ClearJournal();
    Tick(TIMER_HIDE_DLG_RECONNECT);
    EXPECT_TRUE(sim.JournalLines("QXWL_SetWLANProfile(").empty());
    Tick(TIMER_HIDE_DLG_RADIO);
    EXPECT_TRUE(TrayShowsLinkTo("Quixen-Open"));
}

TEST_F(ConnectFlow, WepNetworkWithItsKeyLinks)
{
    Start("");
    Connect(Profile("Quixen-WEP", AUTH_OPEN, ENCRY_WEP, "12345"));
    Tick(TIMER_HIDE_DLG_RADIO);
    EXPECT_TRUE(TrayShowsLinkTo("Quixen-WEP"));
}

TEST_F(ConnectFlow, Wpa2PersonalLinksWithTheRightPassPhraseOnly)
{
    Start("");
    Connect(Profile("Quixen-WPA2", AUTH_WPA2_PSK, ENCRY_AES, "wrong-phrase"));
    Tick(TIMER_HIDE_DLG_RADIO);
    EXPECT_EQ(static_cast<UINT>(IDI_TRAY_LOST), tray.back().icon);

    Connect(Profile("Quixen-WPA2", AUTH_WPA2_PSK, ENCRY_AES, "quixen2024"));
    Tick(TIMER_HIDE_DLG_RADIO);
    EXPECT_TRUE(TrayShowsLinkTo("Quixen-WPA2"));
}

TEST_F(ConnectFlow, EnterpriseNetworkAuthenticatesAndTheStatusWindowFollowsEachStep)
{
    CHideDlg& d = Start("");
    ASSERT_NE(nullptr, d.m_pQxUI);
    MessageRecorder status;
    CKelvoPageUIDlg::From(d.m_pQxUI)->m_hAuthenStatusWnd = status.Handle();
    Connect(EnterpriseProfile("Quixen-Corp", "user", "password"));
    Tick(TIMER_HIDE_DLG_RADIO);
    EXPECT_TRUE(TrayShowsLinkTo("Quixen-Corp"));
    std::vector<std::string> lines;
    for (const auto& s : status.seen) lines.push_back(s.text);
    const std::vector<std::string> expected = {"Starting network connection...", "Network is connecting...",
                                               "PEAP Authenticating ...", "Wireless client is authenticated."};
    EXPECT_EQ(expected, lines);
}

TEST_F(ConnectFlow, RadioSwitchedOffLosesTheLinkAndSwitchedOnReconnectsTheActiveProfile)
{
    CHideDlg& d = Start(kActiveCafe);
    d.InitCard_SetOidFromReg(FALSE, TRUE);
    Tick(TIMER_HIDE_DLG_RADIO);
    ASSERT_TRUE(TrayShowsLinkTo("Cafe"));

    sim.Set("HwRadio", 0);
    Tick(TIMER_HIDE_DLG_RADIO);
    EXPECT_EQ(static_cast<UINT>(IDI_TRAY_LOST), tray.back().icon);
    EXPECT_TRUE(d.m_bHwRadioOff);

    sim.Set("HwRadio", 1);
    Settle();  // the library's MSG_TURN_ON_RADIO arms the reconnect timer
    sim.ClearJournal();
    Tick(TIMER_HIDE_DLG_RECONNECT);
    EXPECT_TRUE(Called("QXWL_SetWLANProfile(Cafe"));
    Tick(TIMER_HIDE_DLG_RADIO);
    EXPECT_TRUE(TrayShowsLinkTo("Cafe"));
}

TEST_F(ConnectFlow, AdapterPulledDuringAConnectRemovesTheIconAndPutBackRestoresIt)
{
    CHideDlg& d = Start("");
    sim.Set("ConnectDelayMs", 300);
    const WLANPROFILE open = Profile("Quixen-Open", AUTH_OPEN, ENCRY_NONE);
    d.InsertAndExec(actionTypeProfile, &open);
    sim.Set("DevicePresent", 0);
    Tick(TIMER_HIDE_DLG_RADIO);
    EXPECT_EQ(static_cast<DWORD>(NIM_DELETE), tray.back().message);
    EXPECT_EQ(nullptr, d.m_pQxUI);
    EXPECT_EQ(0u, d.m_pProfData->SSID.SsidLength);  // the last profile is forgotten

    sim.Set("DevicePresent", 1);
    Tick(TIMER_HIDE_DLG_CHECK_CARD);
    EXPECT_TRUE(d.m_bDeviceExist);
    EXPECT_NE(nullptr, d.m_pQxUI);
    EXPECT_NE(static_cast<UINT>(IDI_TRAY_NOT_EXIST), tray.back().icon);
}

TEST_F(ConnectFlow, HardwarePushButtonRunStoresTheCredentialAndTheReconnectUsesIt)
{
    CHideDlg& d = Start("[World]\nWpsHwPbcPresses=1\n");
    // The hidden dialog's half of the press alone: the WPS page's own poll, which shows the page
    // and runs the exchange itself, is the skin tests' business.
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::From(d.m_pQxUI);
    if (CKelvoPageWpsLinkStatusDlg* page = main ? main->m_pPageWpsLinkStatusDlg : nullptr; page && page->m_hWnd)
        ::KillTimer(page->m_hWnd, CKelvoPageWpsLinkStatusDlg::TIMER_WPS_HW_BUTTON);
    EXPECT_FALSE(d.m_bHwPbcPressed);
    Tick(TIMER_HIDE_DLG_WPS_HW_PBC);
    EXPECT_TRUE(Called("QXWL_WriteWPSFlag(1)"));
    EXPECT_TRUE(d.m_bHwPbcPressed);  // the WPS page reads and clears it
    for (int i = 0; i < 4; ++i) Tick(TIMER_HIDE_DLG_WPS_STATUS);
    WPS_MODE mode{};
    WPS_PROFILE stored{};
    QXWLAPI.QXWL_ReadWPSProfile(&mode, &stored);
    ASSERT_EQ(1u, stored.ProfileCnt);
    EXPECT_EQ("Quixen-WPA2", std::string(reinterpret_cast<const char*>(stored.Profile[0].SSID.Ssid),
                                         stored.Profile[0].SSID.SsidLength));

    // The stored credential is what the next reconnect connects with.
    Tick(TIMER_HIDE_DLG_RECONNECT);
    EXPECT_TRUE(Called("QXWL_ConnectWPSProfile(Quixen-WPA2)"));
    Tick(TIMER_HIDE_DLG_RADIO);
    EXPECT_TRUE(TrayShowsLinkTo("Quixen-WPA2"));
}

namespace {
DWORD g_consoleSession = 0;
DWORD WINAPI ConsoleSession() { return g_consoleSession; }
LONG WINAPI UnreadableProfileList(WLANPROFILE*, ULONG*) { return QXWL_ERROR_FAILURE; }
}  // namespace

// Windows 7, a user who is no administrator: the return to the console checks the profile in force.
TEST_F(ConnectFlow, TheReturnToTheConsoleConnectsNoEmptyRecordAndKeepsAProfileItCannotCheck)
{
    CHideDlg& d = Start("[World]\nOsCode=12\nUserAdmin=0\n");
    d.m_pfnWTSGetActiveConsoleSessionId = ConsoleSession;
    d.m_dwLastConsoleSessionId = d.m_dwSessionId;
    const auto anotherUserTakesTheConsoleAndGivesItBack = [&] {
        g_consoleSession = d.m_dwSessionId + 1;
        Tick(TIMER_HIDE_DLG_SESSION_ID);
        g_consoleSession = d.m_dwSessionId;
        Tick(TIMER_HIDE_DLG_SESSION_ID);
    };
    const WLANPROFILE open = Profile("Quixen-Open", AUTH_OPEN, ENCRY_NONE);
    QXWLAPI.QXWL_SetWLANProfile(&open);  // a link made by another program: no profile in force
    sim.ClearJournal();
    anotherUserTakesTheConsoleAndGivesItBack();
    EXPECT_FALSE(Called("QXWL_StopAuth"));
    EXPECT_FALSE(Called("QXWL_SetWLANProfile"));

    Connect(Profile("Quixen-WPA2", AUTH_WPA2_PSK, ENCRY_AES, "quixen2024"));
    QXWLAPI.QXWL_ReadProfileList = UnreadableProfileList;
    sim.ClearJournal();
    anotherUserTakesTheConsoleAndGivesItBack();
    EXPECT_STREQ("Quixen-WPA2", d.m_pProfData->strProfileName);
    EXPECT_TRUE(Called("QXWL_SetWLANProfile(Quixen-WPA2"));
}
