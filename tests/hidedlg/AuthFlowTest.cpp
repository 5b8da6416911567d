// The 802.1X status callback against the simulated world: rejections, time-outs, the status
// ring and the password prompts.
#include "FlowSupport.h"
#include "core/AuthCallback.h"
#include "station/CInvalidIDPW.h"
#include "station/PeapSettingDlg.h"

#include <string>
#include <thread>

using namespace hidedlg_testing;

namespace {
class AuthFlow : public FlowFixture {
protected:
    // The active stored profile of the corporate network with this password.
    static std::string StoredCorp(const std::string& password)
    {
        return "[Profile1]\nName=Quixen-Corp\nSsid=Quixen-Corp\nSecurity=WPA2\nActive=1\nIdentity=user\nPassword=" +
               password + "\n";
    }
    CPeapSettingDlg& AddPrompt(CHideDlg& d)
    {
        prompt.Create(CKelvoPageUIDlg::From(d.m_pQxUI));
        CKelvoPageUIDlg::From(d.m_pQxUI)->m_pPeapSettingDlg = &prompt;
        return prompt;
    }
    void TearDown() override
    {
        if (m_answerTimer) ::KillTimer(nullptr, m_answerTimer);
        if (dlg && dlg->m_pQxUI) CKelvoPageUIDlg::From(dlg->m_pQxUI)->m_pPeapSettingDlg = nullptr;
        prompt.DestroyWindow();
        G_nPromptCounter = kPromptCounterShow;
        FlowFixture::TearDown();
    }
    // Runs the callback on a thread of its own, as the library does, while this thread pumps.
    std::string CallBack(UCHAR code)
    {
        char reply[kAuthReplyBytes] = {};
        bool done = false;
        std::thread library([&] {
            rsCallBackFunc(code, nullptr, reply);
            done = true;
        });
        PumpUntil([&] { return done; }, kWaitBoundMs);
        library.join();
        return reply;
    }
    // The hidden dialog before Vista on a network whose server takes each one-time password once,
    // with the user typing that token each time the prompt shows; answers the token profile. The
    // network's access points are 02:00:00:00:00:01, ...:02 and so on.
    WLANPROFILE StartOnTokenNetwork(const char* method, ULONG protocol, const std::string& worldKeys = "",
                                    int accessPoints = 1)
    {
        std::string world = "[World]\nOsCode=9\n" + worldKeys;
        for (int i = 1; i <= accessPoints; ++i)
            world += "[Network" + std::to_string(i) + "]\nSsid=Token\nBssid=02:00:00:00:00:0" + std::to_string(i) +
                     "\nSecurity=WPA2\nEapMethod=" + method +
                     "\nTunnel=GTC\nIdentity=alice\nPassword=739104\nOneTimePassword=1\n";
        AddPrompt(Start(world));
        sim.ClearJournal();
        s_prompt = &prompt;
        m_answerTimer = ::SetTimer(nullptr, 0, 0, AnswerIfShown);
        WLANPROFILE token = EnterpriseProfile("Token", "alice", "");
        token.enumAuthenProtocol = protocol;
        token.enumTunnel = RS_TunnelGTC;
        token.nPasswordMode = 0;
        return token;
    }
    static void CALLBACK AnswerIfShown(HWND, UINT, UINT_PTR, DWORD)
    {
        if (s_prompt->IsWindowVisible() && s_prompt->IsLoopRunning()) s_prompt->PostConfirm("alice", "739104");
    }
    static inline CPeapSettingDlg* s_prompt = nullptr;
    UINT_PTR m_answerTimer = 0;
    CPeapSettingDlg prompt;
};
}  // namespace

TEST_F(AuthFlow, RejectedIdentityAsksTheMainWindowForTheReLoginDialog)
{
    CHideDlg& d = Start(StoredCorp("typo"));
    ASSERT_NE(nullptr, d.m_pQxUI);
    Settle();  // the start-up's own reconnect of the active profile is rejected first
    MainWindowTap tap(CKelvoPageUIDlg::From(d.m_pQxUI)->m_hWnd);
    Connect(EnterpriseProfile("Quixen-Corp", "user", "typo"));
    ASSERT_EQ(1u, tap.seen.size());
    EXPECT_EQ(static_cast<UINT>(MSG_INVALID_IDPW_DLG), tap.seen[0].message);
    EXPECT_EQ(8u, tap.seen[0].wParam);
    ASSERT_NE(nullptr, CKelvoPageUIDlg::From(d.m_pQxUI)->m_pInvalidIDPW);
    EXPECT_EQ(1u, CKelvoPageUIDlg::From(d.m_pQxUI)->m_pInvalidIDPW->m_bRejected);  // rejected, not timed out
    EXPECT_EQ(0, G_bReConnect);
    EXPECT_EQ(1, G_nPromptCounter);
    EXPECT_TRUE(Called("QXWL_Disassociate()"));
    ::InterlockedExchange(&G_bReConnect, TRUE);
}

TEST_F(AuthFlow, RejectionWithADifferentStoredPasswordConnectsTheStoredProfileWithoutAPrompt)
{
    CHideDlg& d = Start(StoredCorp("password"));
    MainWindowTap tap(CKelvoPageUIDlg::From(d.m_pQxUI)->m_hWnd);
    sim.ClearJournal();
    Connect(EnterpriseProfile("Quixen-Corp", "user", "oldpass"));
    EXPECT_TRUE(tap.seen.empty());
    EXPECT_EQ(2u, sim.JournalLines("QXWL_SetWLANProfile(Quixen-Corp").size());
    EXPECT_STREQ("password", d.m_pProfData->chPassword);
    ::InterlockedExchange(&G_bReConnect, TRUE);
}

TEST_F(AuthFlow, RejectionOfABssidBoundProfileOnlyWritesTheStatusLine)
{
    CHideDlg& d = Start(StoredCorp("x"));
    MainWindowTap tap(CKelvoPageUIDlg::From(d.m_pQxUI)->m_hWnd);
    MessageRecorder status;
    CKelvoPageUIDlg::From(d.m_pQxUI)->m_hAuthenStatusWnd = status.Handle();
    d.m_pProfData->bBssid = 1;
    sim.FireAuthStatus(RS_CBS_AU_STATUS_CLIENT_IDENTITY_REJECTED);
    Settle();
    EXPECT_TRUE(tap.seen.empty());
    EXPECT_FALSE(Called("QXWL_Disassociate"));
    ASSERT_FALSE(status.seen.empty());
    EXPECT_EQ("Authentication failed - Identity or password is invalid.", status.seen.back().text);
}

TEST_F(AuthFlow, AuthenticatingLineNamesTheMethodOfTheProfileInUse)
{
    CHideDlg& d = Start("");
    MessageRecorder status;
    CKelvoPageUIDlg::From(d.m_pQxUI)->m_hAuthenStatusWnd = status.Handle();
    d.m_pProfData->enumAuthenProtocol = EAPMETHOD_TTLS;
    d.SendMessage(MSG_AUTH_STATUS_EVENT, RS_CBS_AU_STATUS_AUTHENTICATING);
    d.m_pProfData->enumAuthenProtocol = 42;
    d.SendMessage(MSG_AUTH_STATUS_EVENT, RS_CBS_AU_STATUS_AUTHENTICATING);
    EXPECT_TRUE(PumpPending());
    ASSERT_EQ(2u, status.seen.size());
    EXPECT_EQ("TTLS Authenticating ...", status.seen[0].text);
    EXPECT_EQ("Authenticating ...", status.seen[1].text);
}

TEST_F(AuthFlow, CancelledChangePasswordKeepsTheProfileAndAnswersTheOldPassword)
{
    CHideDlg& d = Start("");
    AddPrompt(d).PostCancel();
    lstrcpyA(d.m_pProfData->chPassword, "oldpass");
    EXPECT_EQ("oldpass", CallBack(RS_CBS_CHANGE_PASSWORD_REQUEST));
    EXPECT_STREQ("oldpass", d.m_pProfData->chPassword);
    EXPECT_FALSE(Called("QXWL_WriteIDnPasswd"));
    ::InterlockedExchange(&G_bReConnect, TRUE);
}

TEST_F(AuthFlow, ConfirmedChangePasswordStoresAndAnswersTheNewOne)
{
    CHideDlg& d = Start("");
    AddPrompt(d).PostConfirm("user", "newpass");
    lstrcpyA(d.m_pProfData->chPassword, "oldpass");
    d.m_pProfData->enumAuthenProtocol = EAPMETHOD_TTLS;
    EXPECT_EQ("newpass", CallBack(RS_CBS_CHANGE_PASSWORD_REQUEST));
    char caption[64] = {};
    ::GetWindowTextA(prompt.m_hWnd, caption, sizeof caption);
    EXPECT_STREQ("Enter your new password", caption);  // the texts of the profile in force
    EXPECT_STREQ("newpass", d.m_pProfData->chPassword);
    EXPECT_TRUE(Called("QXWL_WriteIDnPasswd"));
    EXPECT_EQ(1, G_bReConnect);
}

TEST_F(AuthFlow, PromptClosedWithoutOkConfirmsNothing)
{
    CHideDlg& d = Start("");
    AddPrompt(d);
    lstrcpyA(d.m_pProfData->chID, "user");
    lstrcpyA(d.m_pProfData->chPassword, "secret");
    ::PostMessageA(prompt.m_hWnd, WM_CLOSE, 0, 0);  // a STATIC child: WM_CLOSE destroys it
    EXPECT_EQ(2, d.PromptPeapPassword());
    EXPECT_STREQ("secret", d.m_pProfData->chPassword);
    ::InterlockedExchange(&G_bReConnect, TRUE);
}

TEST_F(AuthFlow, AfterATimeOutTheNextPromptUsesTheStoredCredentialsAndTheOneAfterAsks)
{
    CHideDlg& d = Start("");
    AddPrompt(d);
    G_nPromptCounter = 0;
    EXPECT_EQ(0, d.PromptPeapPassword());
    EXPECT_EQ(1, G_bReConnect);  // nothing was shown: the reconnect stays allowed
    prompt.PostConfirm("user", "typed");
    EXPECT_EQ(IDOK, d.PromptPeapPassword());
    EXPECT_STREQ("typed", d.m_pProfData->chPassword);
}

TEST_F(AuthFlow, AOneTimePasswordIsAskedOnceWhileItsLinkStandsAndAgainOnceTheLinkIsGone)
{
    const WLANPROFILE token = StartOnTokenNetwork("PEAP", EAPMETHOD_PEAP);
    Connect(token);
    Connect(token);  // again, as the start-up's card set-up does: the link the token made is kept
    EXPECT_EQ(1u, sim.JournalLines("QXWL_WriteIDnPasswd").size());
    EXPECT_EQ(1u, sim.JournalLines("QXWL_SetWLANProfile").size());

    QXWLAPI.QXWL_Disassociate();
    Settle();
    Connect(token);
    EXPECT_EQ(2u, sim.JournalLines("QXWL_WriteIDnPasswd").size());
}

TEST_F(AuthFlow, ATokenProfileEditedWhileItsLinkStandsConnectsWithTheEditAndANewToken)
{
    WLANPROFILE token = StartOnTokenNetwork("PEAP", EAPMETHOD_PEAP);
    ASSERT_EQ(QXWL_ERROR_SUCCESS, QXWLAPI.QXWL_WriteProfile(token.strProfileName, &token));
    Connect(token);
    strcpy(token.chServerName, "radius.example");
    ASSERT_EQ(QXWL_ERROR_SUCCESS, QXWLAPI.QXWL_WriteProfile(token.strProfileName, &token));
    Connect(token);
    EXPECT_EQ(2u, sim.JournalLines("QXWL_WriteIDnPasswd").size());
}

TEST_F(AuthFlow, ASurveyConnectToTheOtherAccessPointOfATokenNetworkIsSentWithANewToken)
{
    WLANPROFILE first = StartOnTokenNetwork("PEAP", EAPMETHOD_PEAP, "", 2);
    // As the site survey connects: no profile, bound to the chosen row's access point.
    first.strProfileName[0] = '\0';
    first.bBssid = 1;
    const UCHAR firstAccessPoint[] = {2, 0, 0, 0, 0, 1};
    memcpy(first.BSSID, firstAccessPoint, sizeof first.BSSID);
    WLANPROFILE second = first;
    second.BSSID[5] = 2;
    Connect(first);
    Connect(second);
    EXPECT_EQ(2u, sim.JournalLines("QXWL_SetWLANProfile").size());
    EXPECT_EQ(2u, sim.JournalLines("QXWL_WriteIDnPasswd").size());
}

TEST_F(AuthFlow, AnEapFastTokenWithSignOnPromptingIsAskedForOncePerConnect)
{
    Connect(StartOnTokenNetwork("FAST", EAPMETHOD_FAST, "SsoEnabled=1\nSsoMode=2\n"));
    EXPECT_EQ(1u, sim.JournalLines("QXWL_WriteIDnPasswd").size());
}

TEST_F(AuthFlow, PacAuthorityIdIsCutAndTerminated)
{
    Start("");
    std::string id(200, 'A');
    rsCallBackFunc(RS_CBS_FAST_PAC_AID_INFO, id.data(), nullptr);
    EXPECT_EQ(127u, strlen(G_szText128));
}
