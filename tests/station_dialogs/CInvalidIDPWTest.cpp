// The re-login dialog: message and fields by failure and method, and what OK writes.
#include "StationDialogsFixture.h"
#include "station/CInvalidIDPW.h"
#include "skin/KelvoPageUIDlg.h"

#include <cstring>

using station_dialogs_test::StationDialogsTest;

namespace {
class InvalidIDPWTest : public StationDialogsTest {
protected:
    void SetUp() override
    {
        StationDialogsTest::SetUp();
        Watch(MSG_AUTHEN_STATUS_DLG);
        Watch(MSG_INVALID_IDPW_DLG);
        front.ShowWindow(SW_SHOW);
        G_LangTable.IDS_INVALID_IDPW = "Identity rejected";
        G_LangTable.IDS_TLS_TIMEOUT = "TLS timed out";
        G_LangTable.IDS_LEAP_TIMEOUT = "LEAP timed out";
        ASSERT_TRUE(dlg.Create(CInvalidIDPW::IDD, &front));
    }
    void TearDown() override
    {
        dlg.DestroyWindow();
        StationDialogsTest::TearDown();
    }
    WLANPROFILE& Profile() { return *hide.m_pProfData; }
    void Open(ULONG rejected, ULONG protocol)
    {
        Profile().enumAuthenProtocol = protocol;
        dlg.Ask(Profile(), rejected);  // as the re-login worker fills it
        dlg.ShowWindow(SW_HIDE);
        dlg.ShowWindow(SW_SHOW);
    }
    bool Shown(int id) { return ::IsWindowVisible(::GetDlgItem(dlg.GetSafeHwnd(), id)) != FALSE; }
    void Click(int id) { ClickButton(dlg, id); }
    void Type(int id, const char* text) { ::SetDlgItemTextA(dlg.GetSafeHwnd(), id, text); }

    CInvalidIDPW dlg;
};
}  // namespace

TEST_F(InvalidIDPWTest, ATimeOutShowsTheMethodsMessageAndNoFields)
{
    front.ShowWindow(SW_SHOW);
    Open(0, EAPMETHOD_TLS);
    EXPECT_STREQ("TLS timed out", dlg.m_strMessage);
    EXPECT_FALSE(Shown(IDC_RELOGIN_IDENTITY));
    EXPECT_FALSE(Shown(IDC_RELOGIN_PASSWORD));
    EXPECT_FALSE(Shown(IDC_RELOGIN_DOMAIN));
    EXPECT_FALSE(Shown(IDC_RELOGIN_IDENTITY_LABEL));
}

TEST_F(InvalidIDPWTest, OkAfterATimeOutRetriesWithTheAccountInForce)
{
    testing_support::MessageBoxCapture boxes;
    strcpy(Profile().chID, "user");
    strcpy(Profile().chPassword, "password");
    Open(0, EAPMETHOD_PEAP);
    Click(IDC_CLASSIC_OK);
    EXPECT_EQ(0u, boxes.Count());  // no demand for fields the user cannot see
    EXPECT_EQ(1u, Calls("QXWL_WriteIDnPasswd(user, password)").size());
    EXPECT_EQ(1u, Calls("QXWL_SetWLANProfile").size());
    EXPECT_STREQ("password", Profile().chPassword);
}

TEST_F(InvalidIDPWTest, AskedAgainWhileItShowsItTakesTheNewFailureAndProfile)
{
    Open(0, EAPMETHOD_TLS);  // a time-out: no fields
    WLANPROFILE other = Profile();
    strcpy(other.strProfileName, "Other");
    other.enumAuthenProtocol = EAPMETHOD_LEAP;
    dlg.Ask(other, 1);  // as a rejection of another profile asks while the dialog shows
    EXPECT_STREQ("Identity rejected", dlg.m_strMessage);
    EXPECT_TRUE(Shown(IDC_RELOGIN_DOMAIN));
}

TEST_F(InvalidIDPWTest, ARejectionShowsTheFieldsTheMethodNeeds)
{
    front.ShowWindow(SW_SHOW);
    Open(1, EAPMETHOD_LEAP);
    EXPECT_STREQ("Identity rejected", dlg.m_strMessage);
    EXPECT_TRUE(Shown(IDC_RELOGIN_IDENTITY));
    EXPECT_TRUE(Shown(IDC_RELOGIN_PASSWORD));
    EXPECT_TRUE(Shown(IDC_RELOGIN_DOMAIN));
    Open(1, EAPMETHOD_TLS);
    EXPECT_TRUE(Shown(IDC_RELOGIN_IDENTITY));
    EXPECT_FALSE(Shown(IDC_RELOGIN_PASSWORD));
    EXPECT_FALSE(Shown(IDC_RELOGIN_DOMAIN));
    Open(1, EAPMETHOD_PEAP);
    EXPECT_TRUE(Shown(IDC_RELOGIN_PASSWORD));
    EXPECT_FALSE(Shown(IDC_RELOGIN_DOMAIN));
}

TEST_F(InvalidIDPWTest, ShowsTheCardAndActiveProfileNames)
{
    Open(1, EAPMETHOD_PEAP);
    EXPECT_FALSE(dlg.m_strCardName.IsEmpty());
    EXPECT_EQ(1u, Calls("QXWL_ReadActiveProfileName").size());
}

TEST_F(InvalidIDPWTest, RefusesAnEmptyIdentityOrPassword)
{
    testing_support::MessageBoxCapture boxes;
    Open(1, EAPMETHOD_PEAP);
    Click(IDC_CLASSIC_OK);
    Type(IDC_RELOGIN_IDENTITY, "user");
    Click(IDC_CLASSIC_OK);
    ASSERT_EQ(2u, boxes.Count());
    EXPECT_STREQ("Must input Identity", boxes.Boxes()[0].text);
    EXPECT_STREQ("Must input Password", boxes.Boxes()[1].text);
    EXPECT_TRUE(Calls("QXWL_SetWLANProfile").empty());
    EXPECT_TRUE(front.reports.empty());
}

TEST_F(InvalidIDPWTest, AnEntryLongerThanTheProfileKeepsIsRefusedNotCut)
{
    testing_support::MessageBoxCapture boxes;
    G_LangTable.IDS_ENTRY_TOO_LONG = "Longer than %d characters.";
    G_LangTable.IDS_DOMAIN_NAME = "Domain Name";
    Open(1, EAPMETHOD_FAST);
    const std::string most(sizeof Profile().chID - 1, 'x');
    for (int id : {IDC_RELOGIN_IDENTITY, IDC_RELOGIN_PASSWORD, IDC_RELOGIN_DOMAIN}) {
        EXPECT_EQ(static_cast<LRESULT>(most.size()), ::SendDlgItemMessageA(dlg.GetSafeHwnd(), id, EM_GETLIMITTEXT, 0, 0));
        Type(id, (most + "y").c_str());  // pasted past the limit
        Click(IDC_CLASSIC_OK);
        Type(id, most.c_str());
    }
    ASSERT_EQ(3u, boxes.Count());
    EXPECT_STREQ("Domain Name: Longer than 127 characters.", boxes.Boxes()[2].text);
    EXPECT_TRUE(Calls("QXWL_SetWLANProfile").empty());
    Click(IDC_CLASSIC_OK);
    EXPECT_EQ(most, Profile().chDomainName);
}

TEST_F(InvalidIDPWTest, AcceptsAnEmptyPasswordOnATlsProfile)
{
    testing_support::MessageBoxCapture boxes;
    Open(1, EAPMETHOD_TLS);
    Type(IDC_RELOGIN_IDENTITY, "user");
    Click(IDC_CLASSIC_OK);
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_EQ(1u, Calls("QXWL_SetWLANProfile").size());
}

TEST_F(InvalidIDPWTest, OkWritesTheCredentialsIntoLibraryAndProfileAndConnects)
{
    Profile().b8021X = 1;
    Profile().enumAuthenMode = AUTH_WPA2;
    ::InterlockedExchange(&G_bReConnect, 0);
    Open(1, EAPMETHOD_FAST);
    Type(IDC_RELOGIN_IDENTITY, "user");
    Type(IDC_RELOGIN_PASSWORD, "password");
    Type(IDC_RELOGIN_DOMAIN, "CORP");
    Click(IDC_CLASSIC_OK);
    EXPECT_STREQ("user", Profile().chID);
    EXPECT_STREQ("password", Profile().chPassword);
    EXPECT_STREQ("CORP", Profile().chDomainName);
    EXPECT_EQ(1, G_bReConnect);
    EXPECT_EQ(1u, Calls("QXWL_WriteIDnPasswd").size());
    EXPECT_EQ(1u, Calls("QXWL_WriteDomainName").size());
    EXPECT_EQ(1u, Calls("QXWL_SetWLANProfile").size());
    ASSERT_EQ(1u, front.reports.size());
    EXPECT_EQ(static_cast<UINT>(MSG_AUTHEN_STATUS_DLG), front.reports[0].message);
    EXPECT_EQ(CInvalidIDPW::kReloginWpaOrPlain, front.reports[0].wParam);
}

TEST_F(InvalidIDPWTest, OkOnAnEnterprise8021XModeReportsTheOtherRelogin)
{
    Profile().b8021X = 1;
    Profile().enumAuthenMode = AUTH_OPEN;
    Open(1, EAPMETHOD_PEAP);
    Type(IDC_RELOGIN_IDENTITY, "user");
    Type(IDC_RELOGIN_PASSWORD, "password");
    Click(IDC_CLASSIC_OK);
    ASSERT_EQ(1u, front.reports.size());
    EXPECT_EQ(CInvalidIDPW::kReloginOther, front.reports[0].wParam);
}

TEST_F(InvalidIDPWTest, CancelStopsReconnectingAndAsksToHide)
{
    ::InterlockedExchange(&G_bReConnect, 1);
    Open(1, EAPMETHOD_PEAP);
    Click(IDC_CLASSIC_CANCEL);
    EXPECT_EQ(0, G_bReConnect);
    ASSERT_EQ(1u, front.reports.size());
    EXPECT_EQ(static_cast<UINT>(MSG_INVALID_IDPW_DLG), front.reports[0].message);
    EXPECT_EQ(0u, front.reports[0].wParam);
    EXPECT_TRUE(Calls("QXWL_SetWLANProfile").empty());
}
