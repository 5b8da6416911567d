// The connect queue's merging and decisions, the WPS rotation and the card settings.
#include "FlowSupport.h"
#include "station/PeapSettingDlg.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

using namespace hidedlg_testing;

namespace {
WPS_CREDENTIAL Credential(const std::string& ssid)
{
    WPS_CREDENTIAL c{};
    c.SSID.SsidLength = static_cast<ULONG>(ssid.size());
    memcpy(c.SSID.Ssid, ssid.data(), ssid.size());
    return c;
}

class Queue : public FlowFixture {};
}  // namespace

TEST(ActionQueueMerge, ScansCollapseIntoOneAtTheTail)
{
    CActionQueue q;
    WLANPROFILE p{};
    q.Merge(actionTypeBssidListScan, nullptr);
    q.Merge(actionTypeProfile, &p);
    q.Merge(actionTypeBssidListScan, nullptr);
    ASSERT_EQ(2, q.GetSize());
    EXPECT_EQ(static_cast<ULONG>(actionTypeProfile), q[0].type);
    EXPECT_EQ(static_cast<ULONG>(actionTypeBssidListScan), q[1].type);
}

TEST(ActionQueueMerge, NewProfileTakesThePlaceOfTheNewestPendingOneAndDropsTheRest)
{
    CActionQueue q;
    WLANPROFILE older{}, newer{};
    newer.nProfileID = 7;
    const WPS_CREDENTIAL wps = Credential("W");
    q.Merge(actionTypeProfile, &older);
    q.Merge(actionTypeBssidListScan, nullptr);
    q.Merge(actionTypeProfile, &older);  // a second entry only through a scan in between: none
    q.Merge(actionTypeWPSProfile, &wps);
    q.Merge(actionTypeProfile, &newer);
    ASSERT_EQ(2, q.GetSize());
    ASSERT_EQ(static_cast<ULONG>(actionTypeProfile), q[0].type);
    EXPECT_EQ(static_cast<ULONG>(actionTypeBssidListScan), q[1].type);
    EXPECT_EQ(7u, reinterpret_cast<const WLANPROFILE*>(q[0].data)->nProfileID);
}

TEST(ActionQueueMerge, TheQueueKeepsItsOwnCopyOfTheRecord)
{
    CActionQueue q;
    {
        NDIS_802_11_SSID ssid{3, "abc"};
        q.Merge(actionTypeSsid, &ssid);
        ssid.SsidLength = 0;
    }
    EXPECT_EQ(3u, reinterpret_cast<const NDIS_802_11_SSID*>(q[0].data)->SsidLength);
    static_assert(sizeof(_ACTION_DATA::data) == sizeof(void*));
}

TEST_F(Queue, AScanIntoAnEmptyQueueRunsAtOnceAndSoDoesAConnectBehindALeftoverScan)
{
    CHideDlg& d = Start("");
    EXPECT_TRUE(d.InsertAction(actionTypeBssidListScan, nullptr));
    d.ActionExec();
    EXPECT_EQ(0, d.aryActionData.GetSize());
    const WLANPROFILE p = Profile("Quixen-Open", AUTH_OPEN, ENCRY_NONE);
    d.aryActionData.Merge(actionTypeBssidListScan, nullptr);  // only a running scan holds a connect back
    EXPECT_TRUE(d.InsertAction(actionTypeProfile, &p));
    d.aryActionData.Clear();
}

TEST_F(Queue, NoInsertRunsWhileThePeapPromptIsVisible)
{
    CHideDlg& d = Start("");
    CPeapSettingDlg prompt;
    prompt.Create(CKelvoPageUIDlg::From(d.m_pQxUI));
    prompt.ShowWindow(SW_SHOW);
    CKelvoPageUIDlg::From(d.m_pQxUI)->m_pPeapSettingDlg = &prompt;
    EXPECT_FALSE(d.InsertAction(actionTypeBssidListScan, nullptr));
    CKelvoPageUIDlg::From(d.m_pQxUI)->m_pPeapSettingDlg = nullptr;
    d.aryActionData.Clear();
}

TEST_F(Queue, ProfileWithTheRadioOffIsDroppedUnsent)
{
    CHideDlg& d = Start("[World]\nSwRadio=0\n");
    sim.ClearJournal();
    Connect(Profile("Quixen-Open", AUTH_OPEN, ENCRY_NONE));
    EXPECT_FALSE(Called("QXWL_SetWLANProfile"));
    EXPECT_EQ(0, d.aryActionData.GetSize());
}

TEST_F(Queue, WiFiDirectCredentialIsConnectedFromTheQueuesCopyAndOnlyWithTheRadioOn)
{
    CHideDlg& d = Start("");
    WIFIDIRECT_ACTION_RECORD r{};
    r.Channel = 11;
    r.Credential = Credential("DIRECT-q1");
    ASSERT_TRUE(d.InsertAction(actionTypeWiFiDirectProfile, &r));
    r.Channel = 0;  // the caller's record may go away: the queue holds its own copy
    EXPECT_EQ(11, reinterpret_cast<const WIFIDIRECT_ACTION_RECORD*>(d.aryActionData[0].data)->Channel);
    sim.ClearJournal();
    d.ActionExec();
    EXPECT_TRUE(Called("QXWL_ConnectWPSProfileWithWifiDirectWpse"));
    EXPECT_EQ(0, d.aryActionData.GetSize());

    sim.Set("SwRadio", 0);
    sim.ClearJournal();
    d.InsertAndExec(actionTypeWiFiDirectProfile, &r);
    EXPECT_FALSE(Called("QXWL_ConnectWPSProfileWithWifiDirectWpse"));
    EXPECT_EQ(0, d.aryActionData.GetSize());
}

TEST_F(Queue, VistaPassesManagementFrameProtectionThroughAndOnlyTellsTheCcxWord)
{
    Start("[World]\nOsCode=12\n");
    const CCX2_CONTROL stored = 0x5;  // CCX on, CCKM: no protection bit
    QXWLAPI.QXWL_SetCCXInfo(1, stored);
    sim.ClearJournal();
    Connect(Profile("Quixen-WPA2", AUTH_WPA2_PSK, ENCRY_AES_MFP, "quixen2024"));
    EXPECT_TRUE(Called("QXWL_SetWLANProfile(Quixen-WPA2, ssid=Quixen-WPA2, auth=7, encry=11"));
    EXPECT_FALSE(Called("QXWL_WriteRegValue(CCX2Control"));
    // The driver is told the stored word as it stands, after the profile.
    const auto told = sim.JournalLines("QXWL_SetCCXInfo(");
    ASSERT_EQ(1u, told.size());
    EXPECT_EQ("QXWL_SetCCXInfo(1, 0x5)", told[0]);
}

TEST_F(Queue, RotationWalksTheStoredCredentialsInTurn)
{
    CHideDlg& d = Start("");
    WPS_MODE mode{};
    WPS_PROFILE stored{};
    stored.ProfileCnt = 3;
    stored.Profile[0] = Credential("A");
    stored.Profile[1] = Credential("B");
    stored.Profile[2] = Credential("C");
    QXWLAPI.QXWL_WriteWPSProfile(mode, stored);
    G_nWpsNextIndex = G_nWpsCurrentIndex = 0;
    sim.ClearJournal();
    for (int i = 0; i < 4; ++i) d.ConnectWpsProfile();
    std::vector<std::string> used;
    for (const std::string& line : sim.JournalLines("QXWL_ConnectWPSProfile(")) used.push_back(line);
    const std::vector<std::string> expected = {"QXWL_ConnectWPSProfile(A)", "QXWL_ConnectWPSProfile(B)",
                                               "QXWL_ConnectWPSProfile(C)", "QXWL_ConnectWPSProfile(A)"};
    EXPECT_EQ(expected, used);
}

TEST(CardSettings, LegacyModeTwoSendsNoFortyMegahertzWhateverTheBitsSay)
{
    ADVANCE_CONFIG_DATA config{};
    config.TransmitSetting = (2u << 19) | (1u << 16) | (1u << 11) | (9u << 4) | 3u;
    config.TransRate = 11;
    const ADVANCE_OID oid = CHideDlg::BuildAdvanceOid(config);
    EXPECT_EQ(0, oid.BW);
    EXPECT_EQ(2, oid.HtMode);
    EXPECT_EQ(9, oid.MCS);
    EXPECT_EQ(3u, oid.PhyMode);
    EXPECT_EQ(11u, oid.nTXRate);
}

TEST_F(Queue, CardSettingsDoNothingWhileReconnectIsOff)
{
    CHideDlg& d = Start("");
    ::InterlockedExchange(&G_bReConnect, FALSE);
    sim.ClearJournal();
    d.InitCard_SetOidFromReg(TRUE, TRUE);
    ::InterlockedExchange(&G_bReConnect, TRUE);
    EXPECT_TRUE(sim.Journal().empty());
}

TEST_F(Queue, CardSettingsWithoutAdvanceQueueTheActiveProfileWithoutIt)
{
    CHideDlg& d = Start("[Network1]\nSsid=Cafe\nSecurity=Open\n[Profile1]\nName=Cafe\nSsid=Cafe\nSecurity=Open\nActive=1\n");
    sim.ClearJournal();
    d.InitCard_SetOidFromReg(FALSE, TRUE);
    EXPECT_FALSE(Called("QXWL_SetAdvanceSetting"));
    EXPECT_TRUE(Called("QXWL_SetWLANProfile(Cafe"));
    EXPECT_EQ(0u, d.m_pProfData->bSetAdvance);
}

TEST_F(Queue, WpsFlagWithNoCredentialQueuesNothing)
{
    CHideDlg& d = Start("");
    QXWLAPI.QXWL_WriteWPSFlag(TRUE);
    sim.ClearJournal();
    d.InitCard_SetOidFromReg(TRUE, TRUE);
    EXPECT_FALSE(Called("QXWL_SetWLANProfile"));
    EXPECT_FALSE(Called("QXWL_ConnectWPSProfile"));
}

TEST_F(Queue, LinkToAnotherAccessPointThanTheBoundOneCountsAsUnlinked)
{
    CHideDlg& d = Start("");
    Connect(Profile("Quixen-Open", AUTH_OPEN, ENCRY_NONE));
    d.m_pProfData->bBssid = 1;
    memset(d.m_pProfData->BSSID, 0x42, sizeof d.m_pProfData->BSSID);
    d.m_nUnlinkedTicks = 0;
    Tick(TIMER_HIDE_DLG_RADIO);
    Tick(TIMER_HIDE_DLG_RADIO);
    EXPECT_EQ(2, d.m_nUnlinkedTicks);
}

namespace {
// Before Vista, on a network whose server takes the token typed into the program's own prompt;
// every profile sent is kept with the account it went out with.
class TokenQueue : public FlowFixture {
protected:
    void SetUp() override
    {
        FlowFixture::SetUp();
        Start("[World]\nOsCode=5\n"
              "[Network1]\nSsid=Quixen-Corp\nSecurity=WPA2\nEapMethod=PEAP\nIdentity=user\nPassword=123456\n");
        // Only the test's actions in the queue: on a slow machine the unlinked ticks' rescans and
        // retries would queue their own, which the system's service owning the card stops.
        sim.Set("ZeroConfig", 2);
        prompt.Create(CKelvoPageUIDlg::From(dlg->m_pQxUI));
        CKelvoPageUIDlg::From(dlg->m_pQxUI)->m_pPeapSettingDlg = &prompt;
        G_nPromptCounter = kPromptCounterShow;
        token.enumTunnel = RS_TunnelGTC;
        token.nPasswordMode = 0;
        sent.clear();
        real = std::exchange(QXWLAPI.QXWL_SetWLANProfile, &Record);
    }
    void TearDown() override
    {
        during.reset();
        CKelvoPageUIDlg::From(dlg->m_pQxUI)->m_pPeapSettingDlg = nullptr;
        ::InterlockedExchange(&G_bReConnect, TRUE);
        FlowFixture::TearDown();
    }
    // What the user and the program do while the prompt of the next connect waits.
    void DuringThePrompt(std::function<void()> action) { during = std::make_unique<RunFromTheLoop>(std::move(action), 200); }
    static LONG WINAPI Record(const WLANPROFILE* p)
    {
        sent.push_back(std::string(p->strProfileName) + " " + p->chID + "/" + p->chPassword);
        return real(p);
    }
    CPeapSettingDlg prompt;
    WLANPROFILE token = EnterpriseProfile("Quixen-Corp", "user", "");
    std::unique_ptr<RunFromTheLoop> during;
    static inline PFN_QXWL_SetWLANProfile real = nullptr;
    static inline std::vector<std::string> sent;
};
}  // namespace

TEST_F(TokenQueue, ProfileQueuedWhileThePromptIsOpenConnectsAfterThePromptedOneWithItsOwnAccount)
{
    const WLANPROFILE staff = EnterpriseProfile("Quixen-Staff", "bob", "secret");
    bool queuedDuringPrompt = false;
    DuringThePrompt([&] {
        queuedDuringPrompt = prompt.IsWindowVisible() != FALSE;
        dlg->InsertAndExec(actionTypeProfile, &staff);  // a page's connect while the user types
        prompt.PostConfirm("user", "123456");
    });
    Connect(token);
    EXPECT_TRUE(queuedDuringPrompt);
    const std::vector<std::string> expected = {"Quixen-Corp user/123456", "Quixen-Staff bob/secret"};
    EXPECT_EQ(expected, sent);
    EXPECT_STREQ("bob", dlg->m_pProfData->chID);  // the record in force keeps its account too
    EXPECT_EQ(0, dlg->aryActionData.GetSize());
}

TEST_F(TokenQueue, ACancelledPromptTakesTheConnectClickedAgainWithItAndTheNextConnectGoesOutAtOnce)
{
    DuringThePrompt([&] {
        dlg->InsertAndExec(actionTypeProfile, &token);  // Connect clicked again while the prompt waits
        dlg->RescanBssidList();  // the unlinked ticks' rescan while the user reads the prompt
        prompt.PostCancel();
    });
    Connect(token);
    // The rescan ran; a connect left behind would prompt again at the next insert.
    EXPECT_EQ(0, dlg->aryActionData.GetSize());
    EXPECT_TRUE(sent.empty());
    Connect(Profile("Quixen-Open", AUTH_OPEN, ENCRY_NONE));
    EXPECT_EQ(std::vector<std::string>{"Quixen-Open /"}, sent);
}

TEST_F(TokenQueue, ACancelledPromptLetsTheSameProfileWithOtherSettingsConnectAtOnce)
{
    // The profile edited while its prompt waited: the page connects it with its new settings.
    const WLANPROFILE edited = EnterpriseProfile("Quixen-Corp", "user", "123456");
    DuringThePrompt([&] {
        dlg->InsertAndExec(actionTypeProfile, &edited);
        prompt.PostCancel();
    });
    Connect(token);
    EXPECT_EQ(std::vector<std::string>{"Quixen-Corp user/123456"}, sent);
}

TEST_F(TokenQueue, ACancelledPromptLetsAnotherProfilesConnectGoOutAtOnce)
{
    const WLANPROFILE staff = EnterpriseProfile("Quixen-Staff", "bob", "secret");
    DuringThePrompt([&] {
        dlg->InsertAndExec(actionTypeProfile, &staff);
        prompt.PostCancel();
    });
    Connect(token);
    EXPECT_EQ(std::vector<std::string>{"Quixen-Staff bob/secret"}, sent);
}

TEST_F(TokenQueue, ATokenProfileLeftAheadOfAScanIsConnectedWhenAskedForAgain)
{
    dlg->aryActionData.Merge(actionTypeProfile, &token);
    dlg->aryActionData.Merge(actionTypeBssidListScan, nullptr);
    prompt.PostConfirm("user", "123456");
    Connect(token);
    EXPECT_EQ(std::vector<std::string>{"Quixen-Corp user/123456"}, sent);
    EXPECT_EQ(0, dlg->aryActionData.GetSize());
}

namespace {
// Fixed packet counters in every status that asks for the totals.
struct FixedCounters {
    static inline PFN_QXWL_QueryWLANStatus real = nullptr;
    static inline ULONG sent = 0, received = 0;
    static LONG WINAPI Query(WLAN_STATUS* status, WLAN_STATUS_QUERY query)
    {
        const LONG result = real(status, query);
        status->xmitOkLow = sent;
        status->rcvOk = received;
        return result;
    }
};
}  // namespace

TEST_F(Queue, WepConnectsClearTheIcvMarkAndSetTheBaselinesTheCheckComparesWith)
{
    CHideDlg& d = Start("[World]\nOsCode=5\n");
    FixedCounters::real = QXWLAPI.QXWL_QueryWLANStatus;
    QXWLAPI.QXWL_QueryWLANStatus = &FixedCounters::Query;
    FixedCounters::sent = 777;
    FixedCounters::received = 4242;
    G_bWepError = TRUE;  // left from the last link
    Connect(Profile("Quixen-WEP", AUTH_OPEN, ENCRY_WEP, "12345"));
    EXPECT_FALSE(G_bWepError);
    EXPECT_TRUE(d.m_bWepErrorDetect);
    EXPECT_EQ(777u, d.m_lWepOutP);
    EXPECT_EQ(4242u, d.m_lWepInP);

    // A connect by network name refreshes the same baselines while the check runs.
    G_bWepError = TRUE;
    FixedCounters::sent = 1000;
    FixedCounters::received = 5000;
    NDIS_802_11_SSID ssid{10, "Quixen-WEP"};
    d.InsertAndExec(actionTypeSsid, &ssid);
    QXWLAPI.QXWL_QueryWLANStatus = FixedCounters::real;
    EXPECT_FALSE(G_bWepError);
    EXPECT_EQ(1000u, d.m_lWepOutP);
    EXPECT_EQ(5000u, d.m_lWepInP);
}
