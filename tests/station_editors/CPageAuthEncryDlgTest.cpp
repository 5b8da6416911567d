// The authentication and encryption page: choice rules, menu greying, key checks and presets.
#include "../station_dialogs/StationDialogsFixture.h"
#include "station/CPageAuthEncryDlg.h"

using station_dialogs_test::StationDialogsTest;

namespace {
// Stands in for the editor around the page: records what the page asks of its tabs.
class FakeHost : public CSecurityPageHost {
public:
    bool GetSystemNetworkType(ULONG* type) override
    {
        if (!hasSystemPage) return false;
        *type = systemNetworkType;
        return true;
    }
    void Enable8021XTab(BOOL bEnable) override { tab8021X = bEnable != 0; }
    void EnableWapiTab(BOOL bEnable) override { tabWapi = bEnable != 0; }
    void ClickAuthTab() override { ++authTabClicks; }
    int GetEapMethod() override { return eapMethod; }
    void SetEapMethod(int method) override
    {
        eapMethod = method;
        ++eapMethodResets;
    }

    bool hasSystemPage = false;
    ULONG systemNetworkType = NETWORK_INFRASTRUCTURE;
    bool tab8021X = false;
    bool tabWapi = false;
    int authTabClicks = 0;
    int eapMethod = EAPMETHOD_PEAP;
    int eapMethodResets = 0;
};

constexpr LONG kXpOsCode = 8, kVistaOsCode = 12;

class AuthEncryPageTest : public StationDialogsTest {
protected:
    void SetUp() override
    {
        StationDialogsTest::SetUp();
        savedShowPassword = QXWLAPI.ShowPassword;
        savedWapi = QXWLAPI.SupportWAPI;
        front.ShowWindow(SW_SHOW);
    }
    void TearDown() override
    {
        page.DestroyWindow();
        QXWLAPI.ShowPassword = savedShowPassword;
        QXWLAPI.SupportWAPI = savedWapi;
        StationDialogsTest::TearDown();
    }
    void Open(LONG osCode, int hostFlag = CPageAuthEncryDlg::kHostSecurityEditor)
    {
        ASSERT_TRUE(sim.Set("OsCode", osCode));
        page.SetHost(&host, hostFlag);
        ASSERT_TRUE(page.Create(CPageAuthEncryDlg::IDD, &front));
    }
    HWND Item(int id) { return ::GetDlgItem(page.GetSafeHwnd(), id); }
    void Type(int id, const char* text) { ::SetWindowTextA(Item(id), text); }
    CString Text(int id)
    {
        char buffer[256] = {};
        ::GetWindowTextA(Item(id), buffer, sizeof(buffer));
        return buffer;
    }
    bool Enabled(int id) { return ::IsWindowEnabled(Item(id)) != FALSE; }
    bool Visible(int id) { return (::GetWindowLongA(Item(id), GWL_STYLE) & WS_VISIBLE) != 0; }
    void Command(UINT id) { page.SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    // The menu's item state after the page greyed it.
    UINT MenuState(UINT menuId, UINT message, UINT command)
    {
        HMENU menu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(menuId));
        HMENU popup = ::GetSubMenu(menu, 0);
        page.SendMessage(message, reinterpret_cast<WPARAM>(popup), 0);
        const UINT state = ::GetMenuState(popup, command, MF_BYCOMMAND);
        ::DestroyMenu(menu);
        return state;
    }
    bool Greyed(UINT state) { return (state & MF_GRAYED) != 0; }
    void OpenWithWep(LONG osCode)
    {
        Open(osCode);
        page.OnAuthOpen();
        page.OnEncryWep();
        page.SetKeyFormat(0, KEYFMT_HEX);
    }

    FakeHost host;
    CPageAuthEncryDlg page;
    int savedShowPassword = 0;
    int savedWapi = 0;
};
}  // namespace

// --- Key checks --------------------------------------------------------------------------------

TEST_F(AuthEncryPageTest, AnEmptyDefaultKeyFailsButAnEmptyOtherKeyPasses)
{
    OpenWithWep(kXpOsCode);
    page.m_nDefaultKey = 1;
    page.FillControls();
    Type(IDC_AUTH_KEY1_EDIT, "");
    Type(IDC_AUTH_KEY2_EDIT, "");
    EXPECT_FALSE(page.ValidateSettings());
    Type(IDC_AUTH_KEY2_EDIT, "0123456789");
    EXPECT_TRUE(page.ValidateSettings());
    EXPECT_EQ(2, host.authTabClicks);  // the page came to the front for each check
}

TEST_F(AuthEncryPageTest, WepKeysNeedTheirFormatsLengthsAndDigits)
{
    OpenWithWep(kXpOsCode);
    for (const char* bad : {"012345678", "0123456789ABCDEF0123456789A", "012345678G"}) {
        Type(IDC_AUTH_KEY1_EDIT, bad);
        EXPECT_FALSE(page.ValidateSettings()) << bad;
    }
    Type(IDC_AUTH_KEY1_EDIT, "0123456789abcdef0123456789");
    EXPECT_TRUE(page.ValidateSettings());
    page.SetKeyFormat(0, KEYFMT_ASCII);
    EXPECT_EQ(13, ::SendMessageA(Item(IDC_AUTH_KEY1_EDIT), EM_GETLIMITTEXT, 0, 0));
    Type(IDC_AUTH_KEY1_EDIT, "abcdef");
    EXPECT_FALSE(page.ValidateSettings());
    Type(IDC_AUTH_KEY1_EDIT, "abc d");
    EXPECT_TRUE(page.ValidateSettings());
    // Another key with a bad text fails even when it is not the default one.
    Type(IDC_AUTH_KEY3_EDIT, "12");
    EXPECT_FALSE(page.ValidateSettings());
}

TEST_F(AuthEncryPageTest, WepKeysAreNotCheckedBehindAnEapMethodOtherThanMd5)
{
    OpenWithWep(kXpOsCode);
    Type(IDC_AUTH_KEY1_EDIT, "");
    page.CheckDlgButton(IDC_AUTH_8021X, BST_CHECKED);
    host.eapMethod = EAPMETHOD_TLS;
    EXPECT_TRUE(page.ValidateSettings());
    host.eapMethod = EAPMETHOD_MD5;
    EXPECT_FALSE(page.ValidateSettings());
}

TEST_F(AuthEncryPageTest, WpaKeysArePassphrasesOrSixtyFourHexDigits)
{
    Open(kXpOsCode);
    page.OnAuthWpaPsk();
    const CString hex64('a', 64);
    CString bad64 = hex64;
    bad64.SetAt(10, 'x');
    struct Case {
        CString key;
        bool passes;
    };
    for (const Case& c : {Case{CString('x', 7), false}, Case{CString('x', 8), true}, Case{CString('#', 63), true},
                          Case{hex64, true}, Case{bad64, false}}) {
        Type(IDC_AUTH_PSK_EDIT, c.key);
        EXPECT_EQ(c.passes, page.ValidateSettings() != FALSE) << c.key.GetLength();
    }
    EXPECT_EQ(::GetFocus(), Item(IDC_AUTH_PSK_EDIT));
}

TEST_F(AuthEncryPageTest, WapiHexKeysNeedAnEvenNumberOfHexDigits)
{
    QXWLAPI.SupportWAPI = 1;
    Open(kXpOsCode);
    page.OnAuthWapiPsk();
    page.SetPskFormat(KEYFMT_HEX);
    Type(IDC_AUTH_PSK_EDIT, "0123456");
    EXPECT_FALSE(page.ValidateSettings());
    Type(IDC_AUTH_PSK_EDIT, "012345678");
    EXPECT_FALSE(page.ValidateSettings());
    Type(IDC_AUTH_PSK_EDIT, "0123456789");
    EXPECT_TRUE(page.ValidateSettings());
    page.SetPskFormat(KEYFMT_ASCII);
    Type(IDC_AUTH_PSK_EDIT, "not hex!!");
    EXPECT_TRUE(page.ValidateSettings());
}

// --- Choice rules ------------------------------------------------------------------------------

TEST_F(AuthEncryPageTest, ChoosingKeyThreeOnNewerSystemsEmptiesTheOtherKeys)
{
    OpenWithWep(kVistaOsCode);
    page.m_nDefaultKey = 0;
    page.FillControls();
    for (int id : {IDC_AUTH_KEY1_EDIT, IDC_AUTH_KEY2_EDIT, IDC_AUTH_KEY3_EDIT, IDC_AUTH_KEY4_EDIT}) Type(id, "12345");
    page.CheckRadioButton(IDC_AUTH_KEY1_RADIO, IDC_AUTH_KEY4_RADIO, IDC_AUTH_KEY3_RADIO);
    page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_AUTH_KEY3_RADIO, BN_CLICKED), reinterpret_cast<LPARAM>(Item(IDC_AUTH_KEY3_RADIO)));
    EXPECT_EQ(2, page.m_nDefaultKey);
    EXPECT_STREQ("", Text(IDC_AUTH_KEY1_EDIT));
    EXPECT_STREQ("", Text(IDC_AUTH_KEY2_EDIT));
    EXPECT_STREQ("12345", Text(IDC_AUTH_KEY3_EDIT));
    EXPECT_STREQ("", Text(IDC_AUTH_KEY4_EDIT));
    EXPECT_FALSE(Enabled(IDC_AUTH_KEY1_EDIT));
    EXPECT_TRUE(Enabled(IDC_AUTH_KEY3_EDIT));
}

TEST_F(AuthEncryPageTest, EnterpriseWpaMovesTheEapMethodOffMd5AndEnablesTheTab)
{
    Open(kXpOsCode);
    host.eapMethod = EAPMETHOD_MD5;
    Command(ID_AUTH_WPA2);
    EXPECT_EQ(EAPMETHOD_PEAP, host.eapMethod);
    EXPECT_EQ(1, page.m_b8021X);
    EXPECT_FALSE(Visible(IDC_AUTH_8021X));
    EXPECT_TRUE(host.tab8021X);
    EXPECT_EQ(ENCRIDX_WEP == page.m_nEncryIndex, false);
    host.eapMethod = EAPMETHOD_TLS;
    Command(ID_AUTH_WPA);
    EXPECT_EQ(1, host.eapMethodResets);  // only MD5-Challenge is moved
    EXPECT_EQ(ENCRIDX_TKIP, page.m_nEncryIndex);
}

TEST_F(AuthEncryPageTest, PskMethodsForceTheirCipherAndClearTheDot1X)
{
    Open(kVistaOsCode);
    page.m_b8021X = 1;
    page.FillControls();
    page.OnEncryWep();
    Command(ID_AUTH_WPA2PSK);
    EXPECT_EQ(ENCRIDX_TKIP, page.m_nEncryIndex);
    EXPECT_EQ(0, page.m_b8021X);
    EXPECT_FALSE(host.tab8021X);
    EXPECT_TRUE(Enabled(IDC_AUTH_PSK_EDIT));
    EXPECT_FALSE(Enabled(IDC_AUTH_KEY1_EDIT));
    EXPECT_FALSE(Visible(IDC_AUTH_BTN_PSKFMT));
}

TEST_F(AuthEncryPageTest, WapiCertificateTurnsTheWapiTabOnAndTheDot1XTabOff)
{
    QXWLAPI.SupportWAPI = 1;
    Open(kXpOsCode);
    Command(ID_AUTH_WAPICA);
    EXPECT_EQ(ENCRIDX_SMS4, page.m_nEncryIndex);
    EXPECT_TRUE(host.tabWapi);
    EXPECT_FALSE(host.tab8021X);
    Command(ID_AUTH_WAPIPSK);
    EXPECT_FALSE(host.tabWapi);
    EXPECT_TRUE(Visible(IDC_AUTH_BTN_PSKFMT));
}

TEST_F(AuthEncryPageTest, SharedNeverStaysWithoutEncryption)
{
    Open(kXpOsCode);
    page.OnEncryAes();
    Command(ID_AUTH_SHARED);
    EXPECT_EQ(ENCRIDX_WEP, page.m_nEncryIndex);
    EXPECT_TRUE(Enabled(IDC_AUTH_KEY1_EDIT));
    EXPECT_FALSE(Visible(IDC_AUTH_8021X));
    Command(ID_AUTH_OPEN);
    Command(ID_ENCRY_NONE);
    EXPECT_FALSE(Enabled(IDC_AUTH_KEY1_EDIT));
}

TEST_F(AuthEncryPageTest, OlderSystemsMarkWpaCaptionsAsCckmCapable)
{
    G_LangTable.IDS_WPA = "WPA";
    Open(kXpOsCode);
    Command(ID_AUTH_WPA);
    EXPECT_STREQ("WPA(CCKM capable)", Text(IDC_AUTH_BTN_AUTH));
    page.DestroyWindow();
    Open(kVistaOsCode);
    Command(ID_AUTH_WPA);
    EXPECT_STREQ("WPA", Text(IDC_AUTH_BTN_AUTH));
}

TEST_F(AuthEncryPageTest, KeysStayMaskedWhileShowingPasswordsIsSwitchedOff)
{
    QXWLAPI.ShowPassword = 0;
    Open(kXpOsCode);
    page.ShowWindow(SW_SHOW);
    page.CheckDlgButton(IDC_AUTH_SHOWPW, BST_CHECKED);
    page.OnShowPassword();
    EXPECT_FALSE(Visible(IDC_AUTH_SHOWPW));
    EXPECT_EQ('*', ::SendMessageA(Item(IDC_AUTH_KEY2_EDIT), EM_GETPASSWORDCHAR, 0, 0));
    EXPECT_EQ('*', ::SendMessageA(Item(IDC_AUTH_PSK_EDIT), EM_GETPASSWORDCHAR, 0, 0));
    page.DestroyWindow();
    QXWLAPI.ShowPassword = 1;
    Open(kXpOsCode);
    page.ShowWindow(SW_SHOW);
    page.CheckDlgButton(IDC_AUTH_SHOWPW, BST_CHECKED);
    page.OnShowPassword();
    EXPECT_EQ(0, ::SendMessageA(Item(IDC_AUTH_KEY2_EDIT), EM_GETPASSWORDCHAR, 0, 0));
}

// --- Menus -------------------------------------------------------------------------------------

TEST_F(AuthEncryPageTest, AdhocOnNewerSystemsOffersOnlyOpenAndWpaNone)
{
    Open(kVistaOsCode);
    page.m_nNetworkType = NETWORK_ADHOC;
    EXPECT_TRUE(Greyed(MenuState(IDR_MENU_AUTH_VISTA, MSG_AUTH_MENU_POPUP, ID_AUTH_WPA)));
    EXPECT_TRUE(Greyed(MenuState(IDR_MENU_AUTH_VISTA, MSG_AUTH_MENU_POPUP, ID_AUTH_SHARED)));
    EXPECT_TRUE(Greyed(MenuState(IDR_MENU_AUTH_VISTA, MSG_AUTH_MENU_POPUP, ID_AUTH_CCKM)));
    EXPECT_FALSE(Greyed(MenuState(IDR_MENU_AUTH_VISTA, MSG_AUTH_MENU_POPUP, ID_AUTH_OPEN)));
    page.m_nNetworkType = NETWORK_INFRASTRUCTURE;
    EXPECT_FALSE(Greyed(MenuState(IDR_MENU_AUTH_VISTA, MSG_AUTH_MENU_POPUP, ID_AUTH_WPA)));
}

TEST_F(AuthEncryPageTest, WithoutAWpaSupplicantOlderSystemsGreyEveryWpaMethod)
{
    ASSERT_TRUE(sim.Set("WpaCapable", 0));
    Open(kXpOsCode);
    for (UINT command : {ID_AUTH_WPA, ID_AUTH_WPAPSK, ID_AUTH_WPANONE})
        EXPECT_TRUE(Greyed(MenuState(IDR_MENU_AUTH_XP, MSG_AUTH_MENU_POPUP, command))) << command;
    EXPECT_FALSE(Greyed(MenuState(IDR_MENU_AUTH_XP, MSG_AUTH_MENU_POPUP, ID_AUTH_SHARED)));
}

TEST_F(AuthEncryPageTest, OlderSystemsOfferWpa2FromCodeSix)
{
    Open(5);
    EXPECT_TRUE(Greyed(MenuState(IDR_MENU_AUTH_XP, MSG_AUTH_MENU_POPUP, ID_AUTH_WPA2)));
    ASSERT_TRUE(sim.Set("OsCode", 6));
    EXPECT_FALSE(Greyed(MenuState(IDR_MENU_AUTH_XP, MSG_AUTH_MENU_POPUP, ID_AUTH_WPA2PSK)));
    EXPECT_TRUE(Greyed(MenuState(IDR_MENU_AUTH_XP, MSG_AUTH_MENU_POPUP, ID_AUTH_WPANONE)));
}

TEST_F(AuthEncryPageTest, ManagementFrameProtectionIsOfferedOnlyWithWpa2)
{
    Open(kVistaOsCode);
    Command(ID_AUTH_WPA2);
    EXPECT_FALSE(Greyed(MenuState(IDR_MENU_ENCRY_VISTA, MSG_ENCRYPTION_MENU_POPUP, ID_ENCRY_AES_MFP)));
    EXPECT_TRUE(Greyed(MenuState(IDR_MENU_ENCRY_VISTA, MSG_ENCRYPTION_MENU_POPUP, ID_ENCRY_WEP)));
    Command(ID_AUTH_WPA);
    EXPECT_TRUE(Greyed(MenuState(IDR_MENU_ENCRY_VISTA, MSG_ENCRYPTION_MENU_POPUP, ID_ENCRY_TKIP_MFP)));
    EXPECT_FALSE(Greyed(MenuState(IDR_MENU_ENCRY_VISTA, MSG_ENCRYPTION_MENU_POPUP, ID_ENCRY_TKIP)));
    Command(ID_AUTH_CCKM);
    EXPECT_FALSE(Greyed(MenuState(IDR_MENU_ENCRY_VISTA, MSG_ENCRYPTION_MENU_POPUP, ID_ENCRY_WEP)));
    EXPECT_TRUE(Greyed(MenuState(IDR_MENU_ENCRY_VISTA, MSG_ENCRYPTION_MENU_POPUP, ID_ENCRY_NONE)));
}

TEST_F(AuthEncryPageTest, OlderAdhocNetworksMayProhibitWepAndTkip)
{
    const int wep = QXWLAPI.ProhibitWEPonHT, tkip = QXWLAPI.ProhibitTKIPonHT;
    QXWLAPI.ProhibitWEPonHT = 1;
    QXWLAPI.ProhibitTKIPonHT = 0;
    Open(kXpOsCode);
    page.m_nNetworkType = NETWORK_ADHOC;
    EXPECT_TRUE(Greyed(MenuState(IDR_MENU_ENCRY_XP, MSG_ENCRYPTION_MENU_POPUP, ID_ENCRY_WEP)));
    page.m_nAuthIndex = AUTHIDX_WPA_NONE;
    EXPECT_FALSE(Greyed(MenuState(IDR_MENU_ENCRY_XP, MSG_ENCRYPTION_MENU_POPUP, ID_ENCRY_TKIP)));
    page.m_nAuthIndex = AUTHIDX_WPA2_PSK;
    EXPECT_TRUE(Greyed(MenuState(IDR_MENU_ENCRY_XP, MSG_ENCRYPTION_MENU_POPUP, ID_ENCRY_TKIP)));
    QXWLAPI.ProhibitWEPonHT = wep;
    QXWLAPI.ProhibitTKIPonHT = tkip;
}

// --- Showing and presets -----------------------------------------------------------------------

TEST_F(AuthEncryPageTest, APresetWpaBecomesOpenWhenShownOnANewerAdhocNetwork)
{
    Open(kVistaOsCode);
    page.m_nAuthIndex = AUTHIDX_WPA;
    page.m_nEncryIndex = ENCRIDX_TKIP;
    page.m_nNetworkType = NETWORK_ADHOC;
    page.ShowWindow(SW_SHOW);
    EXPECT_EQ(AUTHIDX_OPEN, page.m_nAuthIndex);
    EXPECT_EQ(ENCRIDX_NONE, page.m_nEncryIndex);
    EXPECT_FALSE(Visible(IDC_AUTH_8021X));
}

TEST_F(AuthEncryPageTest, TheProfileEditorsNetworkTypeDecidesWhenShown)
{
    host.hasSystemPage = true;
    host.systemNetworkType = NETWORK_ADHOC;
    Open(kXpOsCode, CPageAuthEncryDlg::kHostProfileEditor);
    page.m_nAuthIndex = AUTHIDX_SHARED;
    page.m_nEncryIndex = ENCRIDX_WEP;
    page.m_b8021X = 1;
    page.ShowWindow(SW_SHOW);
    EXPECT_EQ(NETWORK_ADHOC, page.m_nNetworkType);
    EXPECT_EQ(0, page.m_b8021X);
    EXPECT_EQ(AUTHIDX_OPEN, page.m_nAuthIndex);
    EXPECT_EQ(ENCRIDX_NONE, page.m_nEncryIndex);
}

TEST_F(AuthEncryPageTest, ApplyModelKeepsTheCallersKeysAndDot1XFlag)
{
    Open(kXpOsCode);
    page.m_nAuthIndex = AUTHIDX_OPEN;
    page.m_nEncryIndex = ENCRIDX_WEP;
    page.m_b8021X = 1;
    page.m_nKeyFormat[1] = KEYFMT_ASCII;
    page.m_strWepKey[1] = "abcde";
    page.m_strPsk = "passphrase";
    page.ApplyModel();
    EXPECT_STREQ("abcde", Text(IDC_AUTH_KEY2_EDIT));
    EXPECT_STREQ("passphrase", Text(IDC_AUTH_PSK_EDIT));
    EXPECT_EQ(BST_CHECKED, page.IsDlgButtonChecked(IDC_AUTH_8021X));
    EXPECT_TRUE(host.tab8021X);
    EXPECT_EQ(13, ::SendMessageA(Item(IDC_AUTH_KEY2_EDIT), EM_GETLIMITTEXT, 0, 0));
}

TEST_F(AuthEncryPageTest, ScanPresetsFollowTheSystemAndTheCipherText)
{
    G_LangTable.IDS_TKIP = "TKIP";
    G_LangTable.IDS_NONE = "NONE";
    Open(5);
    NDIS_WLAN_BSSID_EX entry{};
    entry.InfrastructureMode = Ndis802_11Infrastructure;
    page.PresetFromBss(&entry, 4, 1, "TKIP");
    EXPECT_EQ(AUTHIDX_WPA, page.m_nAuthIndex);
    EXPECT_EQ(ENCRIDX_TKIP, page.m_nEncryIndex);
    page.PresetFromBss(&entry, 5, 1, "AES");
    EXPECT_EQ(AUTHIDX_WPA_PSK, page.m_nAuthIndex);
    EXPECT_EQ(ENCRIDX_AES, page.m_nEncryIndex);
    page.PresetFromBss(&entry, 4, 0, "AES");
    EXPECT_EQ(AUTHIDX_OPEN, page.m_nAuthIndex);
    EXPECT_EQ(ENCRIDX_NONE, page.m_nEncryIndex);
    page.PresetFromBss(&entry, 0, 1, "NONE");
    EXPECT_EQ(ENCRIDX_WEP, page.m_nEncryIndex);
    page.PresetFromBssCipherText(&entry, 0, "NONE");
    EXPECT_EQ(ENCRIDX_NONE, page.m_nEncryIndex);
    EXPECT_EQ(KEYFMT_ASCII, page.m_nPskFormat);
}
