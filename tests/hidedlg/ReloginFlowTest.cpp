// A rejected 802.1X account, corrected by the user in the re-login dialog, ends in a link.
#include "FlowSupport.h"
#include "core/AuthCallback.h"
#include "station/CAuthenStatusDlg.h"
#include "station/CInvalidIDPW.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace hidedlg_testing;

namespace {
// The corporate network accepts "user"/"password" only; the stored profile holds another account.
const char kStoredGuest[] =
    "[Profile1]\nName=Quixen-Corp\nSsid=Quixen-Corp\nSecurity=WPA2\nActive=1\nIdentity=guest\nPassword=guess\n";

class ReloginFlow : public FlowFixture {
protected:
    void TearDown() override
    {
        ::InterlockedExchange(&G_bReConnect, TRUE);
        FlowFixture::TearDown();
    }
    // Started with the stored account, without the start-up reconnect: four seconds after the
    // start it would connect the stored account again in the middle of a slow run.
    CHideDlg& StartWithStoredGuest()
    {
        CHideDlg& d = Start(kStoredGuest);
        d.KillTimer(TIMER_HIDE_DLG_RECONNECT);
        return d;
    }
    // Connects the stored guest account, which the server rejects: the re-login dialog once it
    // shows, else null.
    CInvalidIDPW* ReloginForRejectedGuest(CHideDlg& d)
    {
        CInvalidIDPW* relogin = d.m_pQxUI ? CKelvoPageUIDlg::From(d.m_pQxUI)->m_pInvalidIDPW : nullptr;
        if (!relogin) return nullptr;
        Connect(EnterpriseProfile("Quixen-Corp", "guest", "guess"));
        return PumpUntil([&] { return Shown(relogin); }, 30000) ? relogin : nullptr;
    }
    static void Type(CWnd& dlg, int id, const char* text) { ::SetDlgItemTextA(dlg.GetSafeHwnd(), id, text); }
    static void Click(CWnd& dlg, int id)
    {
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dlg.GetSafeHwnd(), id)));
    }
    static std::vector<std::string> Listed(const CAuthenStatusDlg& status)
    {
        std::vector<std::string> texts;
        for (const auto& entry : status.GetEntries()) texts.push_back(entry.strText.GetString());
        return texts;
    }
    // A PAC load the library asks for; answers the identity it is loaded with for a survey connection.
    static std::string LoadPac(CHideDlg& d)
    {
        auto request = std::make_shared<AUTH_REQUEST>();
        request->code = RS_CBS_FAST_LOAD_PAC;
        d.SendMessage(MSG_AUTH_REQUEST, 0, reinterpret_cast<LPARAM>(new std::shared_ptr<AUTH_REQUEST>(request)));
        return request->answered ? request->answer : "";
    }
    // Shown by its own style: the main window around it may be hidden.
    static bool Shown(const CWnd* dlg) { return (::GetWindowLongA(dlg->GetSafeHwnd(), GWL_STYLE) & WS_VISIBLE) != 0; }
    static std::string JoinLines(const std::vector<std::string>& lines)
    {
        std::string text;
        for (const std::string& line : lines) text += line + '\n';
        return text;
    }
    static bool Has(const std::vector<std::string>& texts, const std::string& text)
    {
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }
};
}  // namespace

TEST_F(ReloginFlow, RejectedIdentityIsCorrectedInTheReloginDialogAndTheConnectSucceeds)
{
    CHideDlg& d = StartWithStoredGuest();
    ASSERT_NE(nullptr, d.m_pQxUI);
    CInvalidIDPW* relogin = CKelvoPageUIDlg::From(d.m_pQxUI)->m_pInvalidIDPW;
    CAuthenStatusDlg* status = CKelvoPageUIDlg::From(d.m_pQxUI)->m_pAuthenStatusDlg;
    ASSERT_NE(nullptr, relogin);
    ASSERT_NE(nullptr, status);

    Connect(EnterpriseProfile("Quixen-Corp", "guest", "guess"));
    ASSERT_TRUE(PumpUntil([&] { return Shown(relogin); }, 30000));
    EXPECT_FALSE(G_LangTable.IDS_INVALID_IDPW.IsEmpty());
    EXPECT_STREQ(G_LangTable.IDS_INVALID_IDPW, relogin->m_strMessage);
    EXPECT_TRUE(Has(Listed(*status), "Authentication failed - Identity or password is invalid."));
    EXPECT_EQ(0, G_bReConnect);
    Tick(TIMER_HIDE_DLG_RADIO);
    EXPECT_FALSE(TrayShowsLinkTo("Quixen-Corp"));

    sim.ClearJournal();
    Type(*relogin, IDC_RELOGIN_IDENTITY, "user");
    Type(*relogin, IDC_RELOGIN_PASSWORD, "password");
    Click(*relogin, IDC_CLASSIC_OK);
    Settle();

    EXPECT_EQ(1u, sim.JournalLines("QXWL_WriteIDnPasswd(user, password)").size());
    EXPECT_EQ(1u, sim.JournalLines("QXWL_SetWLANProfile(Quixen-Corp").size());
    EXPECT_STREQ("user", d.m_pProfData->chID);
    EXPECT_STREQ("password", d.m_pProfData->chPassword);
    EXPECT_EQ(1, G_bReConnect);
    EXPECT_FALSE(Shown(relogin));

    // The status lines come from the library's thread; what it did since OK tells why one is missing.
    const bool authenticated = PumpUntil([&] {
        const std::vector<std::string> listed = Listed(*status);
        return !listed.empty() && listed.back() == "Wireless client is authenticated.";
    }, kWaitBoundMs);
    EXPECT_TRUE(authenticated) << JoinLines(Listed(*status)) << "\nlibrary calls since OK:\n" << JoinLines(sim.Journal());
    Tick(TIMER_HIDE_DLG_RADIO);
    EXPECT_TRUE(TrayShowsLinkTo("Quixen-Corp"));
}

TEST_F(ReloginFlow, CancelledReloginLeavesTheAdapterUnlinkedAndStopsReconnecting)
{
    CHideDlg& d = StartWithStoredGuest();
    CInvalidIDPW* relogin = ReloginForRejectedGuest(d);
    ASSERT_NE(nullptr, relogin);

    sim.ClearJournal();
    Click(*relogin, IDC_CLASSIC_CANCEL);
    Settle();
    EXPECT_FALSE(Shown(relogin));
    EXPECT_TRUE(sim.JournalLines("QXWL_SetWLANProfile").empty());
    EXPECT_EQ(0, G_bReConnect);
    Tick(TIMER_HIDE_DLG_RADIO);
    EXPECT_FALSE(TrayShowsLinkTo("Quixen-Corp"));
}

TEST_F(ReloginFlow, AnotherConnectWhileTheDialogIsOpenKeepsTheCorrectedAccountOnTheFailedProfile)
{
    CHideDlg& d = StartWithStoredGuest();
    CInvalidIDPW* relogin = ReloginForRejectedGuest(d);
    ASSERT_NE(nullptr, relogin);

    // A page connects another network while the user types.
    Connect(Profile("Quixen-Open", AUTH_OPEN, ENCRY_NONE));
    ASSERT_EQ(0, memcmp(d.m_pProfData->SSID.Ssid, "Quixen-Open", 11));
    Type(*relogin, IDC_RELOGIN_IDENTITY, "user");

    // A PAC load asked for meanwhile is not the failed profile's: what is typed stays with its question.
    LoadPac(d);
    EXPECT_STREQ("", d.m_pProfData->chID);

    sim.ClearJournal();
    Type(*relogin, IDC_RELOGIN_PASSWORD, "password");
    Click(*relogin, IDC_CLASSIC_OK);
    Settle();
    const auto sent = sim.JournalLines("QXWL_SetWLANProfile(");
    ASSERT_EQ(1u, sent.size());
    EXPECT_EQ(0u, sent[0].find("QXWL_SetWLANProfile(Quixen-Corp")) << sent[0];
    EXPECT_STREQ("", d.m_pProfData->chPassword);  // the open network's record got no password
    EXPECT_EQ(0, memcmp(d.m_pProfData->SSID.Ssid, "Quixen-Open", 11));
}

TEST_F(ReloginFlow, AnIdentityTypedAndCancelledNeverReachesTheRecordThroughAPacLoad)
{
    CHideDlg& d = StartWithStoredGuest();
    CInvalidIDPW* relogin = ReloginForRejectedGuest(d);
    ASSERT_NE(nullptr, relogin);
    Type(*relogin, IDC_RELOGIN_IDENTITY, "half-typ");
    LoadPac(d);  // the shown dialog about this profile lends its profile's identity, not the text
    EXPECT_STREQ("guest", d.m_pProfData->chID);

    Click(*relogin, IDC_CLASSIC_CANCEL);
    Settle();
    EXPECT_STREQ("guest", d.m_pProfData->chID);
    LoadPac(d);  // the closed dialog keeps its text but answers no question now
    EXPECT_STREQ("guest", d.m_pProfData->chID);
    // An EAP-FAST survey connection of another network loads its PAC with its own account.
    WLANPROFILE fast = EnterpriseProfile("Quixen-Fast", "bob", "secret");
    fast.enumAuthenProtocol = EAPMETHOD_FAST;
    fast.bBssid = 1;
    *d.m_pProfData = fast;
    EXPECT_EQ("bob", LoadPac(d));
    EXPECT_STREQ("bob", d.m_pProfData->chID);
}
