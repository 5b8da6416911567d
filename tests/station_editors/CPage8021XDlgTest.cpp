// The 802.1X page with its five child pages, placed in a host as the editors place it: method
// menus, the tabs each method shows, validation, loading a stored profile and the certificate
// lists of the stand-in's stores.
#include "../station_dialogs/StationDialogsFixture.h"
#include "station/CPage8021XDlg.h"
#include "station/CPageAuthEncryDlg.h"
#include "station/CPageClientCertificationDlg.h"
#include "station/CPageEAPFastDlg.h"
#include "station/CPageNamePasswordDlg.h"
#include "station/CPageProfileSSODlg.h"
#include "station/CPageServerCertificationDlg.h"
#include "ui/TabDialog.h"

#include <cstring>

using station_dialogs_test::StationDialogsTest;
using testing_support::MessageBoxCapture;

namespace {
constexpr LONG kXpOsCode = 8, kVistaOsCode = 12;

class FakeEditor : public C8021XPageHost {
public:
    const Dot1XStoredSettings* GetStored8021XSettings() override { return &stored; }
    CPageAuthEncryDlg* GetAuthPage() override { return &auth; }
    CString GetProfileName() override { return "Office"; }
    Dot1XStoredSettings stored;
    CPageAuthEncryDlg auth;  // only its model is read
};

class Page8021XTest : public StationDialogsTest {
protected:
    void SetUp() override
    {
        StationDialogsTest::SetUp();
        G_LangTable.IDS_CERT_NOT_IN_STORE = "Stored certificate (not in this store)";
        // The validation messages, each its own text, so that a check names the one shown.
        G_LangTable.IDS_IDREQUIRED = "A name is required here.";
        G_LangTable.IDS_PWDREQUIRED = "A password is required here.";
        G_LangTable.IDS_CHECKRULE4 = "MD5-Challenge needs a password.";
        G_LangTable.IDS_CHECKRULE5 = "Please choose a client certificate.";
        G_LangTable.IDS_CHECKRULE7 = "The server name must contain a dot inside it.";
        G_LangTable.IDS_SERVER_NAME_REQUIRED = "A server name is required.";
        G_LangTable.IDS_ERROR_CERT_INVALID_EXPDAT = "The certificate has expired.";
        savedEnhancement = QXWLAPI.EAPFastEnhancement;
        QXWLAPI.EAPFastEnhancement = 0;
        front.ShowWindow(SW_SHOW);
    }
    void TearDown() override
    {
        page.DestroyWindow();
        QXWLAPI.EAPFastEnhancement = savedEnhancement;
        StationDialogsTest::TearDown();
    }
    void Open(LONG osCode, int inProfileEditor = 0)
    {
        ASSERT_TRUE(sim.Set("OsCode", osCode));
        page.SetHost(&editor);
        page.bInProfileEditor = inProfileEditor;
        ASSERT_TRUE(page.Create(CPage8021XDlg::IDD, &front));
        page.ShowWindow(SW_SHOW);
    }
    bool TabShown(int tab) { return (page.GetTabButton(tab)->GetStyle() & WS_VISIBLE) != 0; }
    UINT MenuState(UINT menuId, UINT message, UINT command)
    {
        HMENU menu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(menuId));
        HMENU popup = ::GetSubMenu(menu, 0);
        page.SendMessage(message, reinterpret_cast<WPARAM>(popup), 0);
        const UINT state = ::GetMenuState(popup, command, MF_BYCOMMAND);
        ::DestroyMenu(menu);
        return state;
    }
    static bool Greyed(UINT state) { return (state & MF_GRAYED) != 0; }
    CPageNamePasswordDlg& Identity() { return *page.m_pPageNamePassword; }
    CPageClientCertificationDlg& Client() { return *page.m_pPageClientCert; }
    CPageServerCertificationDlg& Server() { return *page.m_pPageServerCert; }
    // Enters identity and password as a user types them.
    void Enter(const char* identity, const char* password)
    {
        Identity().SetDlgItemText(IDC_NAMEPW_IDENTITY, identity);
        Identity().SetDlgItemText(IDC_NAMEPW_PASSWORD, password);
    }
    void UseServerName(int rule, const char* name)
    {
        Server().bUseServerCert = 1;
        Server().nServerNameRule = rule;
        Server().strServerName = name;
        Server().EnableControls();
    }
    // The one message a failed validation showed ("" when it passed without one).
    CString ValidationMessage()
    {
        MessageBoxCapture boxes;
        const BOOL ok = page.ValidateSettings();
        EXPECT_EQ(ok ? 0u : 1u, boxes.Count());
        return boxes.Count() ? boxes.Boxes()[0].text : CString();
    }
    static VN_BLOB_KEY BlobOf(const qxwl::CERT_INFO& cert)
    {
        VN_BLOB_KEY blob = {};
        blob.BlobLength = cert.BlobLength;
        std::memcpy(blob.BlobData, cert.pBlob, cert.BlobLength);
        return blob;
    }

    FakeEditor editor;
    CPage8021XDlg page;
    int savedEnhancement = 0;
};
}  // namespace

// --- Menus -----------------------------------------------------------------------------------

TEST_F(Page8021XTest, WithoutTheEapHostLeapFastAndTokenCardAreGreyed)
{
    ASSERT_TRUE(sim.Set("EapHost", 0));
    Open(kVistaOsCode);
    EXPECT_FALSE(Greyed(MenuState(IDR_MENU_EAP_VISTA, MSG_EAP_MENU_POPUP, ID_EAP_PEAP)));
    EXPECT_FALSE(Greyed(MenuState(IDR_MENU_EAP_VISTA, MSG_EAP_MENU_POPUP, ID_EAP_TLS)));
    EXPECT_TRUE(Greyed(MenuState(IDR_MENU_EAP_VISTA, MSG_EAP_MENU_POPUP, ID_EAP_LEAP)));
    EXPECT_TRUE(Greyed(MenuState(IDR_MENU_EAP_VISTA, MSG_EAP_MENU_POPUP, ID_EAP_FAST)));
    EXPECT_TRUE(Greyed(MenuState(IDR_MENU_PEAP_TUNNEL, MSG_TUNNEL_MENU_POPUP, ID_TUNNEL_GTC)));

    ASSERT_TRUE(sim.Set("EapHost", 1));
    EXPECT_FALSE(Greyed(MenuState(IDR_MENU_EAP_VISTA, MSG_EAP_MENU_POPUP, ID_EAP_LEAP)));
    EXPECT_FALSE(Greyed(MenuState(IDR_MENU_PEAP_TUNNEL, MSG_TUNNEL_MENU_POPUP, ID_TUNNEL_GTC)));
}

TEST_F(Page8021XTest, TheXpLineNeverGreysLeapOrFastAndMd5FollowsTheAuthenticationPageAtEachShowing)
{
    ASSERT_TRUE(sim.Set("EapHost", 0));
    editor.auth.m_b8021X = 1;
    editor.auth.m_nAuthIndex = AUTHIDX_WPA;
    editor.auth.m_nEncryIndex = ENCRIDX_TKIP;
    Open(kXpOsCode);
    EXPECT_FALSE(Greyed(MenuState(IDR_MENU_EAP_XP, MSG_EAP_MENU_POPUP, ID_EAP_LEAP)));
    EXPECT_TRUE(Greyed(MenuState(IDR_MENU_EAP_XP, MSG_EAP_MENU_POPUP, ID_EAP_MD5)));

    editor.auth.m_nEncryIndex = ENCRIDX_WEP;
    page.ShowWindow(SW_HIDE);
    page.ShowWindow(SW_SHOW);
    EXPECT_FALSE(Greyed(MenuState(IDR_MENU_EAP_XP, MSG_EAP_MENU_POPUP, ID_EAP_MD5)));

    editor.auth.m_b8021X = 0;  // WEP alone is not enough
    page.ShowWindow(SW_HIDE);
    page.ShowWindow(SW_SHOW);
    EXPECT_TRUE(Greyed(MenuState(IDR_MENU_EAP_XP, MSG_EAP_MENU_POPUP, ID_EAP_MD5)));
}

// --- Tabs per method -------------------------------------------------------------------------

TEST_F(Page8021XTest, XpMethodsShowTheirChildPages)
{
    Open(kXpOsCode);
    page.OnEapPeap();
    EXPECT_TRUE(TabShown(CPage8021XDlg::kTabClientCert));
    EXPECT_TRUE(TabShown(CPage8021XDlg::kTabServerCert));
    EXPECT_FALSE(TabShown(CPage8021XDlg::kTabEapFast));
    EXPECT_FALSE(TabShown(CPage8021XDlg::kTabSso));
    EXPECT_TRUE(Identity().IsWindowVisible());  // the identity tab is selected

    page.OnEapFast();  // without the enhancement: EAP-FAST only, Generic Token Card inside
    EXPECT_TRUE(TabShown(CPage8021XDlg::kTabEapFast));
    EXPECT_FALSE(TabShown(CPage8021XDlg::kTabClientCert));
    EXPECT_FALSE(TabShown(CPage8021XDlg::kTabServerCert));
    EXPECT_EQ(2, page.nPeapTunnel);

    page.OnEapMd5();
    EXPECT_FALSE(TabShown(CPage8021XDlg::kTabEapFast));
    EXPECT_FALSE(TabShown(CPage8021XDlg::kTabClientCert));
    EXPECT_FALSE(TabShown(CPage8021XDlg::kTabServerCert));
    EXPECT_FALSE(Identity().ItemVisible(IDC_NAMEPW_MODE_TOKEN));
    EXPECT_TRUE(Identity().ItemEnabled(IDC_NAMEPW_PASSWORD));

    page.OnEapTls();  // the certificate is required and cannot be switched off
    EXPECT_EQ(1, Client().bUseClientCert);
    EXPECT_FALSE(Client().ItemEnabled(IDC_CLICERT_USE));
    EXPECT_FALSE(Identity().ItemEnabled(IDC_NAMEPW_PASSWORD));
}

TEST_F(Page8021XTest, EapFastWithTheEapHostLeavesOnlySingleSignOnInTheProfileEditor)
{
    Open(kVistaOsCode, 1);
    page.OnEapFast();
    for (int tab = 0; tab < CPage8021XDlg::kTabSso; ++tab) EXPECT_FALSE(TabShown(tab)) << tab;
    EXPECT_TRUE(TabShown(CPage8021XDlg::kTabSso));
    EXPECT_TRUE(page.m_pPageSSO->IsWindowVisible());
    EXPECT_FALSE(Identity().IsWindowVisible());
    CRect sso, slot1;
    page.GetTabButton(CPage8021XDlg::kTabSso)->GetWindowRect(&sso);
    page.GetDlgItem(IDC_8021X_SLOT1)->GetWindowRect(&slot1);
    EXPECT_EQ(slot1.left, sso.left);

    page.OnEapPeap();  // back: identity first, single sign-on in slot 4
    EXPECT_TRUE(TabShown(CPage8021XDlg::kTabIdentity));
    EXPECT_TRUE(Identity().IsWindowVisible());
}

TEST_F(Page8021XTest, EapFastWithTheEapHostShowsNoTabInTheSecurityEditor)
{
    Open(kVistaOsCode, 0);
    page.OnEapFast();
    for (int tab = 0; tab < CPage8021XDlg::kTabCount; ++tab) EXPECT_FALSE(TabShown(tab)) << tab;
}

// --- Validation ------------------------------------------------------------------------------

TEST_F(Page8021XTest, XpValidationNamesTheFirstMissingField)
{
    Open(kXpOsCode);
    page.OnEapPeap();
    Enter("", "");
    EXPECT_EQ(G_LangTable.IDS_IDREQUIRED, ValidationMessage());
    Enter("alice", "");
    EXPECT_EQ(G_LangTable.IDS_PWDREQUIRED, ValidationMessage());
    Enter("alice", "secret");
    UseServerName(CPageServerCertificationDlg::kNameExact, "");
    EXPECT_EQ(G_LangTable.IDS_IDREQUIRED, ValidationMessage());  // the XP line's text for the server name
    UseServerName(CPageServerCertificationDlg::kNameExact, "radius");
    EXPECT_EQ(CString(), ValidationMessage());

    page.OnPeapTunnelTls();  // the certificate replaces the password
    Enter("alice", "");
    EXPECT_EQ(CString(), ValidationMessage());

    page.OnEapMd5();
    EXPECT_EQ(G_LangTable.IDS_CHECKRULE4, ValidationMessage());
}

TEST_F(Page8021XTest, TheDomainRuleWantsADotInsideTheServerName)
{
    Open(kXpOsCode);
    page.OnEapPeap();
    Enter("alice", "secret");
    for (const char* bad : {"radius", ".corp", "radius."}) {
        UseServerName(CPageServerCertificationDlg::kNameDomainEnd, bad);
        EXPECT_EQ(G_LangTable.IDS_CHECKRULE7, ValidationMessage()) << bad;
    }
    for (const char* good : {"radius.corp", "r.corp."}) {
        UseServerName(CPageServerCertificationDlg::kNameDomainEnd, good);
        EXPECT_EQ(CString(), ValidationMessage()) << good;
    }
}

TEST_F(Page8021XTest, EapHostValidationChecksServerNameAndCertificateExpiry)
{
    Open(kVistaOsCode);
    page.OnEapTls();
    Enter("alice", "");
    ASSERT_EQ(4, Client().Certificates().Count());
    UseServerName(CPageServerCertificationDlg::kNameExact, "");
    EXPECT_EQ(G_LangTable.IDS_SERVER_NAME_REQUIRED, ValidationMessage());
    UseServerName(CPageServerCertificationDlg::kNameExact, "radius");

    auto choose = [&](int row) {
        Client().Combo().SetCurSel(row);
        Client().OnSelectionChange();
    };
    choose(2);  // expired
    EXPECT_EQ(G_LangTable.IDS_ERROR_CERT_INVALID_EXPDAT, ValidationMessage());
    choose(3);  // expires today
    EXPECT_EQ(CString(), ValidationMessage());
}

TEST_F(Page8021XTest, ARequiredCertificateFromAnEmptyStoreBlocksSaving)
{
    ASSERT_TRUE(sim.Set("CertStores", 0));
    Open(kXpOsCode);
    page.OnEapTls();
    Enter("alice", "");
    EXPECT_EQ(0, Client().Combo().GetCount());
    EXPECT_EQ(G_LangTable.IDS_CHECKRULE5, ValidationMessage());

    // LEAP takes no certificate: the switch TLS left on is kept, and asks for nothing.
    Enter("alice", "secret");
    page.OnEapLeap();
    EXPECT_FALSE(TabShown(CPage8021XDlg::kTabClientCert));
    EXPECT_EQ(CString(), ValidationMessage());
    EXPECT_EQ(1, Client().bUseClientCert);
}

TEST_F(Page8021XTest, AServerCheckLeftOnIsAskedForOnlyByMethodsThatCheckTheServer)
{
    Open(kXpOsCode);
    page.OnEapPeap();
    Enter("alice", "secret");
    UseServerName(CPageServerCertificationDlg::kNameExact, "");
    EXPECT_EQ(G_LangTable.IDS_IDREQUIRED, ValidationMessage());
    for (void (CPage8021XDlg::*method)() : {&CPage8021XDlg::OnEapLeap, &CPage8021XDlg::OnEapMd5}) {
        (page.*method)();
        EXPECT_FALSE(TabShown(CPage8021XDlg::kTabServerCert));
        EXPECT_EQ(CString(), ValidationMessage()) << page.nEapMethod;
        EXPECT_EQ(1, Server().bUseServerCert);
    }
}

// --- Certificates ----------------------------------------------------------------------------

TEST_F(Page8021XTest, DuplicateClientTextsChooseTheFirstEntryButEachAuthorityRowItsOwn)
{
    Open(kXpOsCode);
    page.OnEapTls();
    const CCertificateList& certs = Client().Certificates();
    ASSERT_EQ(4, certs.Count());
    Client().Combo().SetCurSel(1);  // the second "alice", same four texts
    Client().OnSelectionChange();
    EXPECT_EQ(certs.At(0).pBlob, Client().certChosen.pBlob);

    Server().bUseServerCert = 1;
    Server().EnableControls();
    EXPECT_EQ(CString(CPageServerCertificationDlg::kAnyTrustedCa), Server().Combo().GetItemText(0, 0));
    EXPECT_EQ(0u, Server().certChosen.BlobLength);  // any trusted authority names none
    // Two authorities share a name; the row chosen names its own, not the first of that name.
    Server().Combo().SetCurSel(3);                  // the renewed "Quixen Root CA"
    Server().OnSelectionChange();
    EXPECT_EQ(Server().Certificates().At(2).pBlob, Server().certChosen.pBlob);
    Server().Combo().SetCurSel(1);
    Server().OnSelectionChange();
    EXPECT_EQ(Server().Certificates().At(0).pBlob, Server().certChosen.pBlob);
}

TEST_F(Page8021XTest, AStoreThatGrowsBetweenTheTwoCallsIsReadWhole)
{
    ASSERT_TRUE(sim.Set("CertStoreGrows", 1));
    Open(kXpOsCode);
    page.OnEapTls();
    EXPECT_EQ(5, Client().Certificates().Count());
    EXPECT_EQ(5, Client().Combo().GetCount());
}

TEST_F(Page8021XTest, EveryCertificateArrayIsFreedExactlyOnce)
{
    Open(kXpOsCode);
    page.OnEapTls();
    Client().FillCertificateList();
    Server().bUseServerCert = 1;
    Server().EnableControls();
    Server().FillCaList();
    EXPECT_EQ(2, sim.Get("CertArraysOut"));  // the latest of each page
    Client().EnableControls(FALSE);          // disabling empties the combo but keeps the array
    EXPECT_EQ(0, Client().Combo().GetCount());
    EXPECT_EQ(2, sim.Get("CertArraysOut"));
    page.DestroyWindow();
    EXPECT_EQ(0, sim.Get("CertArraysOut"));
    EXPECT_EQ(0, sim.Get("CertFreeFaults"));
}

TEST_F(Page8021XTest, AnEmptyRootStoreLeavesOnlyAnyTrustedCa)
{
    ASSERT_TRUE(sim.Set("CertStores", 0));
    Open(kVistaOsCode);
    Server().bUseServerCert = 1;
    Server().EnableControls();
    EXPECT_EQ(1, Server().Combo().GetCount());
    EXPECT_FALSE(Server().ItemVisible(IDC_SRVCERT_DOMAIN));  // the name rule is not offered here
}

// --- Loading and resetting -------------------------------------------------------------------

TEST_F(Page8021XTest, AStoredTtlsProfileComesBackWithItsCertificatesFoundByBlob)
{
    Open(kXpOsCode);
    page.OnEapTls();  // enumerate once to learn the stand-in's blobs
    const VN_BLOB_KEY userBlob = BlobOf(Client().Certificates().At(1));  // the duplicate "alice"
    Server().bUseServerCert = 1;
    Server().EnableControls();
    const VN_BLOB_KEY caBlob = BlobOf(Server().Certificates().At(1));

    Dot1XStoredSettings& s = editor.stored;
    s.eap.nEapMethod = EAPMETHOD_TTLS;
    s.eap.nTtlsInner = TUNNEL_PAP;
    s.eap.nPeapInner = 999;  // not in the menu: the index stays
    s.eap.nSessionResumption = 0;
    s.eap.strIdentity = "bob";
    s.eap.strPassword = "pw";
    s.eap.bClientCert = 1;
    s.eap.bServerCert = 1;
    s.eap.strServerName = "radius.corp";
    s.nServerNameRule = 1;
    s.userCert = userBlob;
    s.caCert = caBlob;
    page.nPeapTunnel = 1;
    page.LoadSettings();

    EXPECT_EQ(EAPMETHOD_TTLS, page.nEapMethod);
    EXPECT_EQ(3, page.nTtlsTunnel);
    EXPECT_EQ(1, page.nPeapTunnel);
    EXPECT_EQ(0, page.bSessionResumption);
    EXPECT_EQ(CString("bob"), Identity().strIdentity);
    Identity().UpdatePage(TRUE);
    EXPECT_EQ(CString("pw"), Identity().strPassword);
    // The stored certificate itself, not the first one with the same texts.
    ASSERT_EQ(userBlob.BlobLength, Client().certChosen.BlobLength);
    EXPECT_EQ(0, std::memcmp(userBlob.BlobData, Client().certChosen.pBlob, userBlob.BlobLength));
    EXPECT_EQ(1, Server().nServerNameRule);
    EXPECT_EQ(2, Server().Combo().GetCurSel());
    EXPECT_EQ(CString("Corp Root CA"), CString(Server().certChosen.szIssuedTo));
}

TEST_F(Page8021XTest, ATokenCardProfileKeepsItsPasswordModeAndPacList)
{
    Open(kXpOsCode);
    Dot1XStoredSettings& s = editor.stored;
    s.eap.nEapMethod = EAPMETHOD_PEAP;
    s.eap.nPeapInner = RS_TunnelGTC;
    s.eap.nPasswordMode = CPageNamePasswordDlg::kModeSoftToken;
    s.eap.bPAC = 0;
    PAC_ENTRY pac = {};
    pac.dwValue = 1;
    std::strcpy(pac.szText1, "a.pac");
    std::strcpy(pac.szText2, "C:\\pacs\\a.pac");
    s.pacList = {pac};
    page.LoadSettings();
    EXPECT_EQ(2, page.nPeapTunnel);
    EXPECT_EQ(CPageNamePasswordDlg::kModeSoftToken, Identity().nPasswordMode);
    EXPECT_EQ(BST_CHECKED, Identity().IsDlgButtonChecked(IDC_NAMEPW_MODE_TOKEN));
    ASSERT_EQ(1u, page.m_pPageEAPFast->m_pacList.size());
    EXPECT_EQ(CString("C:\\pacs\\a.pac"), page.m_pPageEAPFast->m_pacList[0].strFilePath);
    EXPECT_FALSE(page.m_pPageEAPFast->ItemEnabled(IDC_EAPFAST_IMPORT));

    // With a soft token the user name may stay empty.
    EXPECT_EQ(CString(), ValidationMessage());

    page.ResetToDefaults();
    EXPECT_EQ(EAPMETHOD_PEAP, page.nEapMethod);
    EXPECT_EQ(0, page.nPeapTunnel);
    EXPECT_EQ(CPageNamePasswordDlg::kModeStatic, Identity().nPasswordMode);
    EXPECT_EQ(1, page.bSessionResumption);
    EXPECT_EQ(1, page.m_pPageEAPFast->bUsePac);
}

// --- Identity --------------------------------------------------------------------------------

TEST_F(Page8021XTest, TheMachineIdentityUsesTheDnsDomainOrKeepsTheVariableText)
{
    char computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof computer;
    ASSERT_TRUE(::GetComputerNameA(computer, &size));
    Open(kXpOsCode);
    page.OnEapFast();
    page.m_pPageEAPFast->bAllowProvision = 1;
    auto chooseMachine = [&]() {
        ::SendMessageA(::GetDlgItem(Identity().GetSafeHwnd(), IDC_NAMEPW_ID_MODE), CB_SETCURSEL, 1, 0);
        Identity().SendMessage(WM_COMMAND, MAKEWPARAM(IDC_NAMEPW_ID_MODE, CBN_SELCHANGE),
                               reinterpret_cast<LPARAM>(::GetDlgItem(Identity().GetSafeHwnd(), IDC_NAMEPW_ID_MODE)));
    };

    ::SetEnvironmentVariableA("USERDNSDOMAIN", "corp.example");
    chooseMachine();
    EXPECT_EQ(CString("host/") + computer + ".corp.example", Identity().strIdentity);
    EXPECT_FALSE(Identity().ItemEnabled(IDC_NAMEPW_IDENTITY));
    EXPECT_FALSE(page.GetTabButton(CPage8021XDlg::kTabClientCert)->IsWindowEnabled());
    EXPECT_EQ(0, page.m_pPageEAPFast->bAllowProvision);

    ::SetEnvironmentVariableA("USERDNSDOMAIN", nullptr);
    chooseMachine();
    EXPECT_EQ(CString("host/") + computer + ".%USERDNSDOMAIN%", Identity().strIdentity);
}

TEST_F(Page8021XTest, SingleSignOnGreysItsOptionsButKeepsTheirValues)
{
    Open(kVistaOsCode, 1);
    CPageProfileSSODlg& sso = *page.m_pPageSSO;
    sso.bUseSso = 0;
    sso.bAllowMachineAuth = 1;
    sso.nLogonType = CPageProfileSSODlg::kPostLogon;
    page.ClickTab(CPage8021XDlg::kTabSso);
    EXPECT_FALSE(sso.ItemEnabled(IDC_SSO_MACHINE));
    EXPECT_FALSE(sso.ItemEnabled(IDC_SSO_POST_LOGON));
    sso.UpdateData(TRUE);
    EXPECT_EQ(1, sso.bAllowMachineAuth);
    EXPECT_EQ(CPageProfileSSODlg::kPostLogon, sso.nLogonType);
    sso.CheckDlgButton(IDC_SSO_ENABLE, BST_CHECKED);
    sso.OnEnableSso();
    EXPECT_TRUE(sso.ItemEnabled(IDC_SSO_MACHINE));
}

// --- Tab slots, kept choices, certificate texts ----------------------------------------------

TEST_F(Page8021XTest, OnTheXpLineEveryTabButtonSitsInItsSlotAboveTheChildPages)
{
    for (int enhancement : {0, 1}) {
        SCOPED_TRACE(enhancement);
        QXWLAPI.EAPFastEnhancement = enhancement;
        CPage8021XDlg xp;
        xp.SetHost(&editor);
        ASSERT_TRUE(sim.Set("OsCode", kXpOsCode));
        ASSERT_TRUE(xp.Create(CPage8021XDlg::IDD, &front));
        xp.ShowWindow(SW_SHOW);
        auto rectOf = [&](int tab) {
            CRect rc;
            xp.GetTabButton(tab)->GetWindowRect(&rc);
            return rc;
        };
        auto slot = [&](int id) {
            CRect rc;
            xp.GetDlgItem(id)->GetWindowRect(&rc);
            return rc;
        };
        CRect pages = slot(IDC_8021X_PAGE_AREA);
        const int fastSlot = enhancement ? IDC_8021X_SLOT4 : IDC_8021X_SLOT2;
        const int slots[CPage8021XDlg::kTabCount] = {IDC_8021X_SLOT1, fastSlot, IDC_8021X_SLOT2, IDC_8021X_SLOT3,
                                                     IDC_8021X_SLOT4};
        for (int method : {EAPMETHOD_PEAP, EAPMETHOD_TLS}) {
            xp.ApplyStoredMethod(method);
            for (int tab = 0; tab < CPage8021XDlg::kTabCount; ++tab) {
                if (!(xp.GetTabButton(tab)->GetStyle() & WS_VISIBLE)) continue;
                EXPECT_EQ(slot(slots[tab]), rectOf(tab)) << "method " << method << ", tab " << tab;
                EXPECT_LE(rectOf(tab).bottom, pages.top) << "method " << method << ", tab " << tab;
            }
        }
        // EAP-FAST: its tab second, beside the identity tab in the first slot.
        xp.OnEapFast();
        EXPECT_EQ(slot(IDC_8021X_SLOT1), rectOf(CPage8021XDlg::kTabIdentity));
        EXPECT_EQ(slot(IDC_8021X_SLOT2), rectOf(CPage8021XDlg::kTabEapFast));
        xp.DestroyWindow();
    }
}

TEST_F(Page8021XTest, ASmartCardCertificateThatIsNotInsertedStaysTheProfilesChoice)
{
    Open(kVistaOsCode);
    Dot1XStoredSettings& s = editor.stored;
    s.eap.nEapMethod = EAPMETHOD_TLS;
    s.eap.bClientCert = 1;
    s.eap.strIdentity = "alice";
    s.nSmartCard = 1;
    s.userCert.BlobLength = 5;
    std::memcpy(s.userCert.BlobData, "\x30\x00\x82\x00\x01", 5);  // on no certificate of the store
    page.LoadSettings();

    Client().UpdateData(TRUE);  // what every OK reads first
    EXPECT_EQ(CPageClientCertificationDlg::kCertOnSmartCard, Client().nCertSource);
    ASSERT_EQ(5u, Client().certChosen.BlobLength);
    EXPECT_EQ(0, std::memcmp(s.userCert.BlobData, Client().certChosen.pBlob, 5));
    // Shown as a row of its own, chosen, and no expiry date to refuse it by.
    const int row = Client().Combo().GetCurSel();
    ASSERT_GE(row, 0);
    EXPECT_EQ(G_LangTable.IDS_CERT_NOT_IN_STORE, Client().Combo().GetItemText(row, 0));
    EXPECT_EQ(CString(), ValidationMessage());

    // The user may still choose a certificate of the store instead.
    Client().Combo().SetCurSel(0);
    Client().OnSelectionChange();
    EXPECT_EQ(Client().Certificates().At(0).pBlob, Client().certChosen.pBlob);
}

TEST_F(Page8021XTest, AStoredAuthorityThatIsNotInTheStoreIsNotWeakenedToAnyTrustedCa)
{
    Open(kXpOsCode);
    Dot1XStoredSettings& s = editor.stored;
    s.eap.nEapMethod = EAPMETHOD_PEAP;
    s.eap.bServerCert = 1;
    s.eap.strServerName = "radius.corp";
    s.caCert.BlobLength = 3;
    std::memcpy(s.caCert.BlobData, "\xAB\x00\xCD", 3);
    page.LoadSettings();
    ASSERT_EQ(3u, Server().certChosen.BlobLength);
    EXPECT_EQ(0, std::memcmp(s.caCert.BlobData, Server().certChosen.pBlob, 3));
    EXPECT_EQ(G_LangTable.IDS_CERT_NOT_IN_STORE, Server().Combo().GetItemText(Server().Combo().GetCurSel(), 0));

    // A new profile starts from any trusted authority again.
    page.ResetToDefaults();
    EXPECT_EQ(0u, Server().certChosen.BlobLength);
}

TEST_F(Page8021XTest, ShowingThePageAgainKeepsTheCertificateAndSourceTheUserChose)
{
    Open(kVistaOsCode, 1);
    page.OnEapTls();
    Client().Combo().SetCurSel(3);  // "carol"
    Client().OnSelectionChange();
    Client().CheckRadioButton(IDC_CLICERT_MACHINE, IDC_CLICERT_SMARTCARD, IDC_CLICERT_SMARTCARD);  // clicked, not read yet
    const VN_BLOB_KEY carol = BlobOf(Client().Certificates().At(3));
    page.ShowWindow(SW_HIDE);
    page.ShowWindow(SW_SHOW);  // the editor's tab clicked away and back
    ASSERT_EQ(carol.BlobLength, Client().certChosen.BlobLength);
    EXPECT_EQ(0, std::memcmp(carol.BlobData, Client().certChosen.pBlob, carol.BlobLength));
    EXPECT_EQ(3, Client().Combo().GetCurSel());
    Client().UpdateData(TRUE);
    EXPECT_EQ(CPageClientCertificationDlg::kCertOnSmartCard, Client().nCertSource);
}

TEST_F(Page8021XTest, WithTheEapFastEnhancementAPeapProfileShowsOnlyItsOwnTabs)
{
    QXWLAPI.EAPFastEnhancement = 1;
    Open(kXpOsCode);
    Dot1XStoredSettings& s = editor.stored;
    s.eap.nEapMethod = EAPMETHOD_PEAP;
    s.eap.nProvisioningInner = TUNNEL_TLS;
    page.LoadSettings();
    EXPECT_FALSE(TabShown(CPage8021XDlg::kTabEapFast));
    EXPECT_TRUE(TabShown(CPage8021XDlg::kTabClientCert));
    EXPECT_TRUE(TabShown(CPage8021XDlg::kTabServerCert));
    EXPECT_TRUE(Identity().IsWindowVisible());
}

TEST_F(Page8021XTest, AnEmptyStoreClearsTheShownTextsAndLibraryTextsAreReadWithinTheirFields)
{
    Open(kXpOsCode);
    page.OnEapTls();
    ASSERT_EQ(CString("alice"), Client().strIssuedTo);
    ASSERT_TRUE(sim.Set("CertStores", 0));
    Client().FillCertificateList();
    EXPECT_EQ(0, Client().Combo().GetCount());
    for (int id : {IDC_CLICERT_ISSUEDTO, IDC_CLICERT_ISSUEDBY, IDC_CLICERT_EXPIRES, IDC_CLICERT_FRIENDLY}) {
        CString shown;
        Client().GetDlgItemText(id, shown);
        EXPECT_TRUE(shown.IsEmpty()) << id << ": " << shown.GetString();
    }
    EXPECT_EQ(0u, Client().certChosen.BlobLength);

    // Texts that fill all 256 bytes without a terminator end where their field ends.
    ASSERT_TRUE(sim.Set("CertStores", 1));
    sim.Misbehave(SIM_MISBEHAVE_UNTERMINATED);
    Client().FillCertificateList();
    Server().bUseServerCert = 1;
    Server().EnableControls();
    sim.Misbehave(0);
    ASSERT_EQ(4, Client().Combo().GetCount());
    for (int column = 0; column < 4; ++column)
        EXPECT_EQ(256, Client().Combo().GetItemText(0, column).GetLength()) << column;
    EXPECT_EQ(256, Server().Combo().GetItemText(1, 0).GetLength());
    Client().Combo().SetCurSel(2);
    Client().OnSelectionChange();
    EXPECT_EQ(Client().Certificates().At(2).pBlob, Client().certChosen.pBlob);
}
