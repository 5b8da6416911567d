// The profile editor: its checks refuse with their own message and write nothing; a profile of
// each personal security kind is written as the code tables give it and survives a reload and
// a second save byte for byte, and so is each enterprise kind with the 802.1X page's entries;
// renames and the empty channel.
#include "../station_dialogs/StationDialogsFixture.h"
#include "station/CPage8021XDlg.h"
#include "station/CPageAuthEncryDlg.h"
#include "station/CPageClientCertificationDlg.h"
#include "station/CPageEAPFastDlg.h"
#include "station/CPageNamePasswordDlg.h"
#include "station/CPageProfileSSODlg.h"
#include "station/CPageServerCertificationDlg.h"
#include "station/CProfileEditorDlg.h"
#include "skin/MainWindowMessages.h"
#include "contract/StationContract.h"
#include "support/ScopedFolder.h"

#include <cstring>
#include <fstream>
#include <functional>

using station_dialogs_test::StationDialogsTest;

namespace {
constexpr LONG kXpOsCode = 8;

class ProfileEditorTest : public StationDialogsTest {
protected:
    void SetUp() override
    {
        StationDialogsTest::SetUp();
        // The refusals, each its own text, so that a check names the one shown.
        G_LangTable.IDS_INVALIDRTSTHRE = "The RTS threshold is out of range.";
        G_LangTable.IDS_INVALIDFRAGTHRE = "The fragment threshold is out of range.";
        G_LangTable.IDS_INPUTPROFILENAME = "Enter a profile name.";
        G_LangTable.IDS_PROFILENAMELENGTH = "The profile name is too long.";
        G_LangTable.IDS_ADHOCINPUTSSID = "Enter the SSID of the ad hoc network.";
        G_LangTable.IDS_DUPLIPROF = "A profile of that name exists.";
        G_LangTable.IDS_PROF_IDREQUIRED = "Enter a profile ID.";
        G_LangTable.IDS_DUPLIPROFID = "A profile with that ID exists.";
        G_LangTable.IDS_PROF_IDOVERFLOW = "The profile ID is too large.";
        G_LangTable.IDS_PROFILE_WRITE_FAILED = "The profile could not be stored.";
        G_LangTable.IDS_IDREQUIRED = "A name is required here.";
        G_LangTable.IDS_PWDREQUIRED = "A password is required here.";
        front.ShowWindow(SW_SHOW);
        Watch(MSG_PROFILE_EDITOR_DLG);
        Watch(MSG_PROFILE_LIST_CHANGED);
        ASSERT_TRUE(editor.Create(CProfileEditorDlg::IDD, &front));
        ASSERT_NE(nullptr, editor.m_pPageSystemConfig);
        G_bProfileRetry = 0;
    }
    void TearDown() override
    {
        editor.DestroyWindow();
        StationDialogsTest::TearDown();
    }
    CPageSystemConfigDlg& System() { return *editor.m_pPageSystemConfig; }
    CPageAuthEncryDlg& Auth() { return *editor.m_pPageAuthEncry; }
    void Reshow()
    {
        editor.ShowWindow(SW_HIDE);
        editor.ShowWindow(SW_SHOW);
    }
    // As the main window prepares an added profile.
    void StartNew(const char* name, const char* id, const char* ssid)
    {
        Reshow();
        System().LoadFromScanEntry(name, id);
        Auth().ResetToOpen();
        editor.m_pPage8021X->ResetToDefaults();
        editor.m_bNewProfile = 1;
        editor.m_bEditing = 0;
        ::SetWindowTextA(::GetDlgItem(System().GetSafeHwnd(), IDC_SYS_SSID), ssid);
    }
    // As the main window prepares the edit of a stored profile.
    void StartEdit(const char* name)
    {
        Reshow();
        System().m_strProfileName = name;
        System().m_strInitialProfileName = name;
        ASSERT_TRUE(editor.LoadProfile(name));
        System().LoadFromScanEntryEx();
        Auth().ApplyModel();
        editor.m_pPage8021X->LoadSettings();
        editor.m_bNewProfile = 0;
        editor.m_bEditing = 1;
        editor.FreeProfileBuffer();
    }
    void TypeSystem(int id, const char* text) { ::SetDlgItemTextA(System().GetSafeHwnd(), id, text); }
    bool Stored(const char* name, WLANPROFILE* record = nullptr)
    {
        WLANPROFILE scratch = {};
        char buffer[kProfileNameBytes] = {};
        strncpy(buffer, name, sizeof buffer - 1);
        return QXWLAPI.QXWL_ReadProfileData(record ? record : &scratch, buffer) == QXWL_ERROR_SUCCESS;
    }
    void SaveNewWpa2(const char* name, const char* id, const char* ssid = "Quixen-WPA2")
    {
        StartNew(name, id, ssid);
        Auth().OnAuthWpa2Psk();
        Auth().OnEncryAes();
        ::SetDlgItemTextA(Auth().GetSafeHwnd(), IDC_AUTH_PSK_EDIT, "quixen2024");
        editor.OnOK();
    }
    size_t Writes() { return Calls("QXWL_WriteProfile").size(); }
    // A new WPA2/AES profile of the 802.1X network with one EAP method chosen on its page.
    void StartNewEnterprise(const char* name, const char* id, void (CPage8021XDlg::*chooseMethod)())
    {
        StartNew(name, id, "Quixen-Corp");
        Auth().OnAuthWpa2();
        Auth().OnEncryAes();
        (editor.m_pPage8021X->*chooseMethod)();
    }
    // The entries of the PAC list the library keeps with that profile; -1 when it answers failure.
    int StoredPacCount(const char* name)
    {
        ULONG count = 0;
        char buffer[kProfileNameBytes] = {};
        strncpy(buffer, name, sizeof buffer - 1);
        return QXWLAPI.QXWL_ReadPACList(&count, nullptr, buffer) == QXWL_ERROR_SUCCESS ? static_cast<int>(count) : -1;
    }
    void TypeCredentials(const char* identity, const char* password)
    {
        editor.m_pPage8021X->m_pPageNamePassword->SetDlgItemText(IDC_NAMEPW_IDENTITY, identity);
        editor.m_pPage8021X->m_pPageNamePassword->SetDlgItemText(IDC_NAMEPW_PASSWORD, password);
    }

    CProfileEditorDlg editor{&front};
};

template <size_t N>
void Put(char (&field)[N], const char* text) { strncpy(field, text, N - 1); }

// The offset of the first byte in which two records differ, -1 when they are equal.
int FirstDifference(const WLANPROFILE& a, const WLANPROFILE& b)
{
    const auto* x = reinterpret_cast<const BYTE*>(&a);
    const auto* y = reinterpret_cast<const BYTE*>(&b);
    for (size_t i = 0; i < sizeof a; ++i)
        if (x[i] != y[i]) return static_cast<int>(i);
    return -1;
}
}  // namespace

TEST_F(ProfileEditorTest, Wpa2PersonalIsWrittenAsTheCodeTablesGiveIt)
{
    SaveNewWpa2("Home", "7");
    WLANPROFILE stored = {};
    ASSERT_TRUE(Stored("Home", &stored));

    WLANPROFILE expected = {};
    expected.SSID.SsidLength = 11;
    memcpy(expected.SSID.Ssid, "Quixen-WPA2", 11);
    expected.enumNetworkType = NETWORK_INFRASTRUCTURE;
    expected.enumPreamType = 2;
    expected.lRtsThre = 2347;
    expected.lFragThre = 2346;
    expected.enumAuthenMode = AUTH_WPA2_PSK;
    expected.enumEncryStatus = ENCRY_AES;
    expected.wepDefaultKey = 1;
    ULONG powerSave = 0;
    QXWLAPI.QXWL_ReadPSMode(&powerSave);
    expected.enumPSMode = powerSave;
    CString channel;
    System().GetDlgItemText(IDC_SYS_CHANNEL, channel);
    expected.lFreq = QXWLAPI.QXWL_ChannelToFrequency(atoi(channel));
    expected.enumTunnel = TUNNEL_MSCHAPV2;
    expected.enumProvisioningTunnel = TUNNEL_MSCHAPV2;
    expected.bProvision = 1;
    expected.nPasswordMode = 1;
    expected.bCacheUserInfo = 1;
    Put(expected.chPskKey, "quixen2024");
    expected.nPskKeyLen = 10;
    expected.nPskKeyType = KEYFMT_ASCII;
    Put(expected.strProfileName, "Home");
    expected.nProfileID = 7;
    EXPECT_EQ(-1, FirstDifference(expected, stored));

    // The owner hears of the close, then of the new list.
    ASSERT_EQ(2u, front.reports.size());
    EXPECT_EQ(static_cast<UINT>(MSG_PROFILE_EDITOR_DLG), front.reports[0].message);
    EXPECT_EQ(static_cast<UINT>(MSG_PROFILE_LIST_CHANGED), front.reports[1].message);
    EXPECT_EQ(0u, front.reports[1].wParam);
}

TEST_F(ProfileEditorTest, EachPersonalKindSurvivesAReloadAndASecondSaveByteForByte)
{
    struct Kind {
        const char* name;
        std::function<void(CPageAuthEncryDlg&)> choose;
        std::function<void(const WLANPROFILE&)> check;
    };
    const Kind kinds[] = {
        {"Open", [](CPageAuthEncryDlg& a) { a.OnAuthOpen(); a.OnEncryNone(); },
         [](const WLANPROFILE& r) { EXPECT_EQ(ULONG{AUTH_OPEN}, r.enumAuthenMode); EXPECT_EQ(ULONG{ENCRY_NONE}, r.enumEncryStatus); }},
        {"Wep64", [](CPageAuthEncryDlg& a) {
             a.OnAuthOpen();
             a.OnEncryWep();
             a.m_nDefaultKey = 0;
             a.m_strWepKey[0] = "0123456789";
             a.FillControls();
             a.SetKeyFormat(0, KEYFMT_HEX);
         },
         [](const WLANPROFILE& r) {
             EXPECT_EQ(ULONG{ENCRY_WEP}, r.enumEncryStatus);
             EXPECT_STREQ("0123456789", r.WEPKey1);  // the text as typed, not its bytes
             EXPECT_EQ(ULONG{KEYFMT_HEX}, r.WEPKey1Type);
             EXPECT_EQ(1u, r.wepDefaultKey);
         }},
        {"Shared128", [](CPageAuthEncryDlg& a) {
             a.OnAuthShared();
             a.m_nDefaultKey = 2;
             a.m_strWepKey[2] = "abcdefghijklm";
             a.FillControls();
             a.SetKeyFormat(2, KEYFMT_ASCII);
         },
         [](const WLANPROFILE& r) {
             EXPECT_EQ(ULONG{AUTH_SHARED}, r.enumAuthenMode);
             EXPECT_STREQ("abcdefghijklm", r.WEPKey3);
             EXPECT_EQ(ULONG{KEYFMT_ASCII}, r.WEPKey3Type);
             EXPECT_EQ(3u, r.wepDefaultKey);
         }},
        {"WpaTkip", [](CPageAuthEncryDlg& a) {
             a.OnAuthWpaPsk();
             a.OnEncryTkip();
             a.m_strPsk = "passphrase";
             a.FillControls();
         },
         [](const WLANPROFILE& r) {
             EXPECT_EQ(ULONG{AUTH_WPA_PSK}, r.enumAuthenMode);
             EXPECT_EQ(ULONG{ENCRY_TKIP}, r.enumEncryStatus);
             EXPECT_STREQ("passphrase", r.chPskKey);
         }},
        {"Wpa2Hex64", [](CPageAuthEncryDlg& a) {
             a.OnAuthWpa2Psk();
             a.OnEncryAes();
             a.SetPskFormat(KEYFMT_HEX);
             a.m_strPsk = "00112233445566778899AABBCCDDEEFF00112233445566778899AABBCCDDEEFF";
             a.FillControls();
         },
         [](const WLANPROFILE& r) {
             // 64 digits fill the field: no terminator, the length says where it ends.
             EXPECT_EQ(64u, r.nPskKeyLen);
             EXPECT_EQ(ULONG{KEYFMT_HEX}, r.nPskKeyType);
             EXPECT_EQ(0, memcmp(r.chPskKey, "00112233445566778899AABBCCDDEEFF00112233445566778899AABBCCDDEEFF", 64));
         }},
    };
    int id = 10;
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        StartNew(kind.name, std::to_string(++id).c_str(), "Quixen-Test");
        kind.choose(Auth());
        editor.OnOK();
        WLANPROFILE first = {}, second = {};
        ASSERT_TRUE(Stored(kind.name, &first));
        kind.check(first);
        StartEdit(kind.name);
        editor.OnOK();
        ASSERT_TRUE(Stored(kind.name, &second));
        EXPECT_EQ(-1, FirstDifference(first, second));
    }
}

TEST_F(ProfileEditorTest, EveryCheckRefusesWithItsOwnMessageAndWritesNothing)
{
    ASSERT_TRUE(sim.Set("OsCode", kXpOsCode));
    SaveNewWpa2("Taken", "5");
    ASSERT_EQ(1u, Writes());
    WLANPROFILE before = {};
    ASSERT_TRUE(Stored("Taken", &before));

    struct Case {
        const char* what;
        std::function<void()> spoil;
        const CString& message;
    };
    const Case cases[] = {
        {"rts 2348", [&] { System().m_nRtsEdit = 2348; }, G_LangTable.IDS_INVALIDRTSTHRE},
        {"rts -1", [&] { System().m_nRtsEdit = -1; }, G_LangTable.IDS_INVALIDRTSTHRE},
        {"frag 255", [&] { System().m_nFragEdit = 255; }, G_LangTable.IDS_INVALIDFRAGTHRE},
        {"frag 2347", [&] { System().m_nFragEdit = 2347; }, G_LangTable.IDS_INVALIDFRAGTHRE},
        {"no name", [&] { TypeSystem(IDC_SYS_PROFILE, ""); }, G_LangTable.IDS_INPUTPROFILENAME},
        {"33 characters", [&] {
             System().m_strProfileName = CString('n', 33);
             System().m_strInitialProfileName = System().m_strProfileName;
             ::SendDlgItemMessageA(System().GetSafeHwnd(), IDC_SYS_PROFILE, EM_LIMITTEXT, 64, 0);
             TypeSystem(IDC_SYS_PROFILE, System().m_strProfileName);
         }, G_LangTable.IDS_PROFILENAMELENGTH},
        {"ad hoc without SSID", [&] {
             System().OnAdhocMode();
             ::SetWindowTextA(::GetDlgItem(System().GetSafeHwnd(), IDC_SYS_SSID), "");
         }, G_LangTable.IDS_ADHOCINPUTSSID},
        {"taken name", [&] { TypeSystem(IDC_SYS_PROFILE, "TAKEN"); }, G_LangTable.IDS_DUPLIPROF},
        {"no id", [&] { TypeSystem(IDC_SYS_PROFILE_ID, ""); }, G_LangTable.IDS_PROF_IDREQUIRED},
        {"taken id", [&] { TypeSystem(IDC_SYS_PROFILE_ID, "5"); }, G_LangTable.IDS_DUPLIPROFID},
        {"id overflow", [&] { TypeSystem(IDC_SYS_PROFILE_ID, "99999"); }, G_LangTable.IDS_PROF_IDOVERFLOW},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testing_support::MessageBoxCapture boxes;
        StartNew("Fresh", "6", "Quixen-WPA2");
        Auth().OnAuthWpa2Psk();
        Auth().OnEncryAes();
        ::SetDlgItemTextA(Auth().GetSafeHwnd(), IDC_AUTH_PSK_EDIT, "quixen2024");
        ::SendDlgItemMessageA(System().GetSafeHwnd(), IDC_SYS_PROFILE_ID, EM_LIMITTEXT, 8, 0);
        c.spoil();
        front.reports.clear();
        editor.OnOK();
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_STREQ(c.message, boxes.Boxes()[0].text);
        EXPECT_TRUE(front.reports.empty());
    }
    EXPECT_EQ(1u, Writes());
    EXPECT_FALSE(Stored("Fresh"));
    WLANPROFILE after = {};
    ASSERT_TRUE(Stored("Taken", &after));
    EXPECT_EQ(-1, FirstDifference(before, after));

    // The edges that pass.
    testing_support::MessageBoxCapture boxes;
    StartNew("Edge", "8", "Quixen-WPA2");
    System().m_nRtsEdit = 2347;
    System().m_nFragEdit = 256;
    TypeSystem(IDC_SYS_PROFILE, CString('e', 32));
    editor.OnOK();
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_TRUE(Stored(CString('e', 32)));
}

namespace {
// A profile write the store refuses, for the rename whose write follows the reset of the mark.
testing_support::StationSim* s_store;
PFN_QXWL_WriteProfile s_write;

LONG WINAPI WriteProfileRefused(LPCSTR name, const WLANPROFILE* record)
{
    s_store->Set("ProfileStoreRefuses", 1);
    const LONG status = s_write(name, record);
    s_store->Set("ProfileStoreRefuses", 0);
    return status;
}
}  // namespace

TEST_F(ProfileEditorTest, ARenameWritesUnderTheNewNameAndDropsTheActiveMark)
{
    SaveNewWpa2("Office", "1");
    SaveNewWpa2("Other", "2");
    char name[kProfileNameBytes] = "Office";
    ASSERT_EQ(QXWL_ERROR_SUCCESS, QXWLAPI.QXWL_CopyProfileToCurrentSetting(name));
    sim.ClearJournal();

    // Only the letter case changes: no duplicate check, the active mark stays.
    StartEdit("Office");
    TypeSystem(IDC_SYS_PROFILE, "OFFICE");
    editor.OnOK();
    EXPECT_TRUE(Calls("QXWL_CheckDuplicatedProfileName").empty());
    EXPECT_TRUE(Stored("OFFICE"));

    char renamed[kProfileNameBytes] = "OFFICE";
    ASSERT_EQ(QXWL_ERROR_SUCCESS, QXWLAPI.QXWL_CopyProfileToCurrentSetting(renamed));
    sim.ClearJournal();
    StartEdit("OFFICE");
    TypeSystem(IDC_SYS_PROFILE, "Work");
    editor.OnOK();
    const std::vector<std::string> journal = sim.Journal();
    auto at = [&](const std::string& prefix) {
        for (size_t i = 0; i < journal.size(); ++i)
            if (journal[i].rfind(prefix, 0) == 0) return static_cast<int>(i);
        return -1;
    };
    ASSERT_GE(at("QXWL_ResetToDefaultConnecctionSetting"), 0);
    EXPECT_LT(at("QXWL_ResetToDefaultConnecctionSetting"), at("QXWL_WriteProfile(OFFICE, Work)"));
    EXPECT_TRUE(Stored("Work"));
    EXPECT_FALSE(Stored("OFFICE"));
    EXPECT_TRUE(Stored("Other"));

    // The store refuses the write that follows the reset of the active mark: the message says
    // nothing was changed, and so the renamed profile is active again.
    char work[kProfileNameBytes] = "Work";
    ASSERT_EQ(QXWL_ERROR_SUCCESS, QXWLAPI.QXWL_CopyProfileToCurrentSetting(work));
    s_store = &sim;
    s_write = QXWLAPI.QXWL_WriteProfile;
    QXWLAPI.QXWL_WriteProfile = WriteProfileRefused;
    testing_support::MessageBoxCapture boxes;
    StartEdit("Work");
    TypeSystem(IDC_SYS_PROFILE, "Home");
    editor.OnOK();
    QXWLAPI.QXWL_WriteProfile = s_write;
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(G_LangTable.IDS_PROFILE_WRITE_FAILED, boxes.Boxes()[0].text);
    char active[kProfileNameBytes] = {};
    QXWLAPI.QXWL_ReadActiveProfileName(active);
    EXPECT_STREQ("Work", active);
}

TEST_F(ProfileEditorTest, AnEmptyChannelWritesNothingAndAsksTheOwnerToRetry)
{
    StartNew("NoChannel", "3", "Quixen-WPA2");
    ::SendDlgItemMessageA(System().GetSafeHwnd(), IDC_SYS_CHANNEL, CB_RESETCONTENT, 0, 0);
    System().m_strChannel.Empty();
    editor.OnOK();
    EXPECT_EQ(0u, Writes());
    EXPECT_EQ(1, G_bProfileRetry);
    ASSERT_EQ(1u, front.reports.size());
    EXPECT_EQ(static_cast<UINT>(MSG_PROFILE_LIST_CHANGED), front.reports[0].message);
    EXPECT_EQ(1u, front.reports[0].wParam);
}

TEST_F(ProfileEditorTest, EnterpriseSettingsLoadFromTheRecordAndAreWrittenBackUnchanged)
{
    // A stored TTLS profile with every 802.1X field set, as another writer left it.
    WLANPROFILE stored = {};
    stored.SSID.SsidLength = 11;
    memcpy(stored.SSID.Ssid, "Quixen-Corp", 11);
    stored.enumNetworkType = NETWORK_INFRASTRUCTURE;
    stored.enumAuthenMode = AUTH_WPA2;
    stored.enumEncryStatus = 2;  // no index: the page keeps its own
    stored.b8021X = 1;
    stored.enumAuthenProtocol = EAPMETHOD_TTLS;
    stored.enumTunnel = TUNNEL_PAP;
    stored.enumProvisioningTunnel = TUNNEL_TLS;
    stored.nSessionResumption = 1;
    stored.bClientCert = 1;
    stored.bClientCertInSmartCard = 1;
    stored.user_cert.BlobLength = 4;
    memcpy(stored.user_cert.BlobData, "\x01\x02\x03\x04", 4);
    stored.bServerCert = 1;
    stored.CA_cert.BlobLength = 2;
    memcpy(stored.CA_cert.BlobData, "\xAA\xBB", 2);
    stored.nServerNameRule = 1;
    Put(stored.chServerName, "radius.quixen");
    Put(stored.chID, "user");
    Put(stored.chPassword, "password");
    Put(stored.chDomainName, "CORP");
    stored.nPasswordMode = 2;
    stored.nIDModeIndex = 1;
    stored.bCacheUserInfo = 0;
    stored.ssoInfo = 0x5;
    stored.wepDefaultKey = 1;
    stored.lFreq = QXWLAPI.QXWL_ChannelToFrequency(6);
    stored.nProfileID = 4;
    Put(stored.strProfileName, "Corp");
    char name[kProfileNameBytes] = "Corp";
    ASSERT_EQ(QXWL_ERROR_SUCCESS, QXWLAPI.QXWL_WriteProfile(name, &stored));
    Auth().m_nEncryIndex = ENCRIDX_TKIP;

    Reshow();
    System().m_strProfileName = "Corp";
    ASSERT_TRUE(editor.LoadProfile("Corp"));
    const EditorSecurityModel& m = editor.m_model;
    EXPECT_EQ(AUTHIDX_WPA2, Auth().m_nAuthIndex);
    EXPECT_EQ(ENCRIDX_TKIP, Auth().m_nEncryIndex);
    EXPECT_EQ(static_cast<int>(EAPMETHOD_TTLS), m.Eap.nEapMethod);
    EXPECT_EQ(ULONG{TUNNEL_PAP}, m.Eap.nTtlsInner);
    EXPECT_STREQ("password", m.Eap.strPassword);
    EXPECT_EQ(4u, m.UserCert.BlobLength);
    EXPECT_STREQ("6", System().m_strChannel);

    // Written back from the model with the pages as they were loaded: every 802.1X field returns.
    editor.m_model.nAuthIndex = Auth().m_nAuthIndex;
    editor.m_model.nEncryIndex = Auth().m_nEncryIndex;
    editor.m_model.nDefaultKey = 1;
    WLANPROFILE rebuilt = {};
    editor.BuildProfileRecord(rebuilt);
    stored.enumEncryStatus = ENCRY_TKIP;
    // Thresholds that are not in use read back as their maximum.
    stored.lRtsThre = 2347;
    stored.lFragThre = 2346;
    EXPECT_EQ(-1, FirstDifference(stored, rebuilt));
}

TEST_F(ProfileEditorTest, EnterpriseProfilesWaitForThe8021XChecks)
{
    testing_support::MessageBoxCapture boxes;
    StartNew("Corp", "9", "Quixen-Corp");
    Auth().OnAuthWpa2();
    Auth().OnEncryAes();
    editor.OnOK();
    EXPECT_EQ(0u, Writes());
    EXPECT_FALSE(Stored("Corp"));

    // A name without its password is refused with the page's own message; the PAC list is untouched.
    CPage8021XDlg& page = *editor.m_pPage8021X;
    page.m_pPageNamePassword->SetDlgItemText(IDC_NAMEPW_IDENTITY, "user");
    const size_t before = boxes.Count();
    editor.OnOK();
    ASSERT_EQ(before + 1, boxes.Count());
    EXPECT_STREQ(G_LangTable.IDS_PWDREQUIRED, boxes.Boxes().back().text);
    EXPECT_EQ(0u, Writes());
    EXPECT_TRUE(Calls("QXWL_WritePACList").empty());

    // Once the password is typed the same editor stores it.
    page.m_pPageNamePassword->SetDlgItemText(IDC_NAMEPW_PASSWORD, "password");
    editor.OnOK();
    WLANPROFILE stored = {};
    ASSERT_TRUE(Stored("Corp", &stored));
    EXPECT_STREQ("user", stored.chID);
    EXPECT_STREQ("password", stored.chPassword);
}

TEST_F(ProfileEditorTest, ACertificateLargerThanTheProfileHoldsIsRefusedByNameAndNothingIsStored)
{
    ASSERT_TRUE(sim.Set("OsCode", kXpOsCode));
    ASSERT_TRUE(sim.Set("CertOversized", 1));  // each store ends in a certificate of 200 bytes
    G_LangTable.IDS_CERT_TOO_LARGE = "Certificate %s is too large.";
    CPage8021XDlg& page = *editor.m_pPage8021X;
    CPageClientCertificationDlg& client = *page.m_pPageClientCert;
    CPageServerCertificationDlg& server = *page.m_pPageServerCert;
    auto chooseLast = [](CComboBoxSuper& combo, auto& certPage) {
        combo.SetCurSel(combo.GetCount() - 1);
        certPage.OnSelectionChange();
    };
    StartNewEnterprise("Big", "5", &CPage8021XDlg::OnEapTls);
    TypeCredentials("dave", "");
    chooseLast(client.Combo(), client);
    testing_support::MessageBoxCapture boxes;
    editor.OnOK();
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("Certificate dave is too large.", boxes.Boxes()[0].text);

    // A root authority stored as none would let any trusted one through.
    client.Combo().SetCurSel(0);
    client.OnSelectionChange();
    server.bUseServerCert = 1;
    server.strServerName = "radius.quixen.example";
    server.EnableControls();
    server.FillControls();
    chooseLast(server.Combo(), server);
    editor.OnOK();
    ASSERT_EQ(2u, boxes.Count());
    EXPECT_STREQ("Certificate Quixen Large Root CA is too large.", boxes.Boxes()[1].text);
    EXPECT_EQ(0u, Writes());
    EXPECT_TRUE(front.reports.empty());

    // Both left chosen by TLS are no part of LEAP, whose tabs hide them: no refusal.
    chooseLast(client.Combo(), client);
    page.OnEapLeap();
    TypeCredentials("dave", "leap-pass");
    editor.OnOK();
    EXPECT_EQ(1u, Writes());
}

TEST_F(ProfileEditorTest, ACertificateIsCheckedByWhatTheStoredMethodUsesNotByWhichTabIsEnabled)
{
    ASSERT_TRUE(sim.Set("OsCode", kXpOsCode));
    ASSERT_TRUE(sim.Set("CertOversized", 1));
    G_LangTable.IDS_CERT_TOO_LARGE = "Certificate %s is too large.";
    struct EnhancementOn {
        int saved = QXWLAPI.EAPFastEnhancement;
        EnhancementOn() { QXWLAPI.EAPFastEnhancement = 1; }
        ~EnhancementOn() { QXWLAPI.EAPFastEnhancement = saved; }
    } enhancement;
    CPage8021XDlg& page = *editor.m_pPage8021X;
    CPageClientCertificationDlg& client = *page.m_pPageClientCert;
    CPageServerCertificationDlg& server = *page.m_pPageServerCert;
    auto choose = [](CComboBoxSuper& combo, int row, auto& certPage) {
        combo.SetCurSel(row < 0 ? combo.GetCount() - 1 : row);
        certPage.OnSelectionChange();
    };
    // EAP-FAST with TLS inside and the 200-byte certificate; then the machine identity, which
    // greys both certificate tabs but leaves the record's switches on.
    StartNewEnterprise("Machine", "6", &CPage8021XDlg::OnEapFast);
    page.OnPeapTunnelTls();
    TypeCredentials("dave", "fast-pass");
    choose(client.Combo(), -1, client);
    CPageNamePasswordDlg& id = *page.m_pPageNamePassword;
    id.SetIdentityMode(CPageNamePasswordDlg::kMachineIdentity);
    id.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_NAMEPW_ID_MODE, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(::GetDlgItem(id.GetSafeHwnd(), IDC_NAMEPW_ID_MODE)));
    ASSERT_FALSE(page.GetTabButton(CPage8021XDlg::kTabClientCert)->IsWindowEnabled());
    testing_support::MessageBoxCapture boxes;
    editor.OnOK();
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("Certificate dave is too large.", boxes.Boxes()[0].text);

    // The root authority likewise: stored as none it would let any trusted one through.
    choose(client.Combo(), 0, client);
    server.bUseServerCert = 1;
    server.strServerName = "radius.quixen.example";
    server.EnableControls();
    server.FillControls();
    choose(server.Combo(), -1, server);
    editor.OnOK();
    ASSERT_EQ(2u, boxes.Count());
    EXPECT_STREQ("Certificate Quixen Large Root CA is too large.", boxes.Boxes()[1].text);
    EXPECT_EQ(0u, Writes());

    // From code 10 on the EAP host's TTLS takes no client certificate: the one TLS left chosen
    // is no reason to refuse.
    ASSERT_TRUE(sim.Set("OsCode", 12));
    StartNewEnterprise("Ttls", "7", &CPage8021XDlg::OnEapTls);
    TypeCredentials("dave", "");
    choose(client.Combo(), -1, client);
    page.OnEapTtls();
    TypeCredentials("dave", "ttls-pass");
    editor.OnOK();
    EXPECT_EQ(2u, boxes.Count()) << boxes.Boxes().back().text.GetString();
    WLANPROFILE stored = {};
    ASSERT_TRUE(Stored("Ttls", &stored));
    EXPECT_EQ(ULONG{EAPMETHOD_TTLS}, stored.enumAuthenProtocol);
}

TEST_F(ProfileEditorTest, EachEnterpriseKindSurvivesAReloadAndASecondSaveByteForByte)
{
    ASSERT_TRUE(sim.Set("OsCode", kXpOsCode));
    CPage8021XDlg& page = *editor.m_pPage8021X;
    auto chooseRow = [](CComboBoxSuper& combo, int row, auto& certPage) {
        combo.SetCurSel(row);
        certPage.OnSelectionChange();
    };
    struct Kind {
        const char* name;
        std::function<void()> choose;
        std::function<void(const WLANPROFILE&)> check;
    };
    const Kind kinds[] = {
        {"Peap", [&] {
             Auth().OnAuthWpa2();
             Auth().OnEncryAes();
             page.OnEapPeap();
             page.OnPeapTunnelGtc();
             TypeCredentials("user", "password");
             CPageServerCertificationDlg& server = *page.m_pPageServerCert;
             server.bUseServerCert = 1;
             server.nServerNameRule = CPageServerCertificationDlg::kNameDomainEnd;
             server.strServerName = "quixen.example";
             server.EnableControls();
             server.FillControls();
         },
         [](const WLANPROFILE& r) {
             EXPECT_EQ(ULONG{EAPMETHOD_PEAP}, r.enumAuthenProtocol);
             EXPECT_EQ(ULONG{RS_TunnelGTC}, r.enumTunnel);
             EXPECT_STREQ("user", r.chID);
             EXPECT_EQ(1u, r.bServerCert);
             EXPECT_EQ(1u, r.nServerNameRule);
             EXPECT_STREQ("quixen.example", r.chServerName);
             EXPECT_EQ(0u, r.CA_cert.BlobLength);  // any trusted authority
         }},
        {"TtlsPap", [&] {
             Auth().OnAuthWpa();
             Auth().OnEncryTkip();
             page.OnEapTtls();
             page.OnTtlsTunnelPap();
             TypeCredentials("ttls-user", "secret");
         },
         [](const WLANPROFILE& r) {
             EXPECT_EQ(ULONG{EAPMETHOD_TTLS}, r.enumAuthenProtocol);
             EXPECT_EQ(ULONG{TUNNEL_PAP}, r.enumTunnel);  // the TTLS number, not the PEAP one
             EXPECT_STREQ("secret", r.chPassword);
         }},
        {"Tls", [&] {
             Auth().OnAuthWpa2();
             Auth().OnEncryAes();
             page.OnEapTls();
             TypeCredentials("alice", "");
             chooseRow(page.m_pPageClientCert->Combo(), 0, *page.m_pPageClientCert);
             CPageServerCertificationDlg& server = *page.m_pPageServerCert;
             server.bUseServerCert = 1;
             server.strServerName = "radius.quixen.example";
             server.EnableControls();
             server.FillControls();
             chooseRow(server.Combo(), 2, server);
         },
         [](const WLANPROFILE& r) {
             EXPECT_EQ(ULONG{EAPMETHOD_TLS}, r.enumAuthenProtocol);
             EXPECT_EQ(1u, r.bClientCert);
             ASSERT_EQ(48u, r.user_cert.BlobLength);
             EXPECT_EQ(0, memcmp(r.user_cert.BlobData, "CERT-MY-00", 10));
             ASSERT_EQ(48u, r.CA_cert.BlobLength);
             EXPECT_EQ(0, memcmp(r.CA_cert.BlobData, "CERT-ROOT-01", 12));
         }},
        {"Leap", [&] {
             Auth().OnAuthWpa2();
             Auth().OnEncryAes();
             page.OnEapLeap();
             TypeCredentials("leap-user", "leap-pass");
         },
         [](const WLANPROFILE& r) {
             EXPECT_EQ(ULONG{EAPMETHOD_LEAP}, r.enumAuthenProtocol);
             EXPECT_STREQ("leap-pass", r.chPassword);
         }},
        {"Fast", [&] {
             Auth().OnAuthWpa2();
             Auth().OnEncryAes();
             page.OnEapFast();
             TypeCredentials("fast-user", "fast-pass");
             CPageEAPFastDlg& fast = *page.m_pPageEAPFast;
             fast.m_pacList = {{1, "office.pac", "C:\\pacs\\office.pac"}, {0, "lab.pac", "C:\\pacs\\lab.pac"}};
             fast.UpdatePacListCount();
         },
         [](const WLANPROFILE& r) {
             EXPECT_EQ(ULONG{EAPMETHOD_FAST}, r.enumAuthenProtocol);
             // Without the enhancement the provisioning button reads Generic Token Card.
             EXPECT_EQ(ULONG{RS_TunnelGTC}, r.enumProvisioningTunnel);
             EXPECT_EQ(1u, r.bPAC);
         }},
        {"Md5", [&] {
             Auth().OnAuthOpen();
             Auth().OnEncryNone();
             Auth().CheckDlgButton(IDC_AUTH_8021X, BST_CHECKED);
             Auth().OnCheck8021X();
             page.OnEapMd5();
             TypeCredentials("md5-user", "md5-pass");
         },
         [](const WLANPROFILE& r) {
             EXPECT_EQ(ULONG{AUTH_OPEN}, r.enumAuthenMode);
             EXPECT_EQ(1u, r.b8021X);
             EXPECT_EQ(ULONG{EAPMETHOD_MD5}, r.enumAuthenProtocol);
         }},
    };
    auto pacList = [](const char* name) {
        char buffer[kProfileNameBytes] = {};
        strncpy(buffer, name, sizeof buffer - 1);
        ULONG count = 0;
        QXWLAPI.QXWL_ReadPACList(&count, nullptr, buffer);
        std::vector<PAC_ENTRY> entries(count);
        if (count) QXWLAPI.QXWL_ReadPACList(&count, reinterpret_cast<BYTE*>(entries.data()), buffer);
        return entries;
    };
    int id = 30;
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        testing_support::MessageBoxCapture boxes;
        StartNew(kind.name, std::to_string(++id).c_str(), "Quixen-Corp");
        kind.choose();
        editor.OnOK();
        EXPECT_EQ(0u, boxes.Count()) << (boxes.Count() ? boxes.Boxes()[0].text.GetString() : "");
        WLANPROFILE first = {}, second = {};
        ASSERT_TRUE(Stored(kind.name, &first));
        kind.check(first);
        const std::vector<PAC_ENTRY> pacsFirst = pacList(kind.name);

        StartEdit(kind.name);
        editor.OnOK();
        ASSERT_TRUE(Stored(kind.name, &second));
        EXPECT_EQ(-1, FirstDifference(first, second));
        const std::vector<PAC_ENTRY> pacsSecond = pacList(kind.name);
        ASSERT_EQ(pacsFirst.size(), pacsSecond.size());
        for (size_t i = 0; i < pacsFirst.size(); ++i)
            EXPECT_EQ(0, memcmp(&pacsFirst[i], &pacsSecond[i], sizeof(PAC_ENTRY))) << "PAC entry " << i;
        if (std::string(kind.name) == "Fast") {
            ASSERT_EQ(2u, pacsSecond.size());
            EXPECT_EQ(1u, pacsSecond[0].dwValue);
            EXPECT_STREQ("lab.pac", pacsSecond[1].szText1);
            EXPECT_STREQ("C:\\pacs\\lab.pac", pacsSecond[1].szText2);
        }
    }
    // Edited right after the MD5-Challenge profile, a TTLS one is stored as TTLS.
    StartEdit("TtlsPap");
    editor.OnOK();
    WLANPROFILE afterMd5 = {};
    ASSERT_TRUE(Stored("TtlsPap", &afterMd5));
    EXPECT_EQ(ULONG{EAPMETHOD_TTLS}, afterMd5.enumAuthenProtocol);
    EXPECT_EQ(ULONG{TUNNEL_PAP}, afterMd5.enumTunnel);
}

TEST_F(ProfileEditorTest, SingleSignOnBoxesTravelAsTheirBitsAndComeBackOnReload)
{
    ASSERT_TRUE(sim.Set("OsCode", 12));
    CPage8021XDlg& page = *editor.m_pPage8021X;
    StartNewEnterprise("Sso", "40", &CPage8021XDlg::OnEapPeap);
    TypeCredentials("user", "password");
    // As clicked: single sign-on on, machine authentication off, after the user logs on.
    CPageProfileSSODlg& sso = *page.m_pPageSSO;
    sso.CheckDlgButton(IDC_SSO_ENABLE, BST_CHECKED);
    sso.OnEnableSso();
    sso.CheckRadioButton(IDC_SSO_PRE_LOGON, IDC_SSO_POST_LOGON, IDC_SSO_POST_LOGON);
    editor.OnOK();
    WLANPROFILE first = {}, second = {};
    ASSERT_TRUE(Stored("Sso", &first));
    EXPECT_EQ(0x5u, first.ssoInfo);

    // A new profile starts with the boxes cleared, not with the last profile's ticks.
    StartNewEnterprise("Other", "41", &CPage8021XDlg::OnEapPeap);
    TypeCredentials("user", "password");
    editor.OnOK();
    WLANPROFILE other = {};
    ASSERT_TRUE(Stored("Other", &other));
    EXPECT_EQ(0u, other.ssoInfo);

    // The reload brings this profile's boxes back.
    StartEdit("Sso");
    EXPECT_EQ(1, sso.bUseSso);
    EXPECT_EQ(0, sso.bAllowMachineAuth);
    EXPECT_EQ(CPageProfileSSODlg::kPostLogon, sso.nLogonType);
    editor.OnOK();
    ASSERT_TRUE(Stored("Sso", &second));
    EXPECT_EQ(-1, FirstDifference(first, second));
}

TEST_F(ProfileEditorTest, ARefusedWriteIsToldKeepsWhatWasTypedAndTellsTheOwnerNothing)
{
    ASSERT_TRUE(sim.Set("ProfileStoreRefuses", 1));
    testing_support::MessageBoxCapture boxes;
    SaveNewWpa2("Cafe", "12");
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(G_LangTable.IDS_PROFILE_WRITE_FAILED, boxes.Boxes()[0].text);
    EXPECT_TRUE(front.reports.empty());  // neither "closed" nor "list changed"
    EXPECT_FALSE(Stored("Cafe"));
    CString typed;
    System().GetDlgItemText(IDC_SYS_PROFILE, typed);
    EXPECT_STREQ("Cafe", typed);
    Auth().GetDlgItemText(IDC_AUTH_PSK_EDIT, typed);
    EXPECT_STREQ("quixen2024", typed);

    // Once the store takes it, the same OK stores what was typed and reports as always.
    ASSERT_TRUE(sim.Set("ProfileStoreRefuses", 0));
    editor.OnOK();
    EXPECT_EQ(1u, boxes.Count());
    EXPECT_TRUE(Stored("Cafe"));
    ASSERT_EQ(2u, front.reports.size());
    EXPECT_EQ(static_cast<UINT>(MSG_PROFILE_EDITOR_DLG), front.reports[0].message);
    EXPECT_EQ(static_cast<UINT>(MSG_PROFILE_LIST_CHANGED), front.reports[1].message);
}

TEST_F(ProfileEditorTest, ARefusedPacListIsToldAndASecondOkStoresItUnderTheSameProfile)
{
    ASSERT_TRUE(sim.Set("OsCode", kXpOsCode));
    CPage8021XDlg& page = *editor.m_pPage8021X;
    StartNewEnterprise("Fast", "21", &CPage8021XDlg::OnEapFast);
    TypeCredentials("fast-user", "fast-pass");
    // More entries than the library stores with a profile (as a list grown elsewhere).
    CPageEAPFastDlg& fast = *page.m_pPageEAPFast;
    fast.m_pacList.assign(kPacListMax + 1, CPageEAPFastDlg::PacEntry{0, "a.pac", "C:\\pacs\\a.pac"});
    G_LangTable.IDS_PAC_LIST_WRITE_FAILED = "The PAC list could not be stored.";
    testing_support::MessageBoxCapture boxes;
    editor.OnOK();
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(G_LangTable.IDS_PAC_LIST_WRITE_FAILED, boxes.Boxes()[0].text);
    EXPECT_TRUE(Stored("Fast"));  // the record went in before its list was refused
    // So the profile list takes it; the editor stays open for the list.
    ASSERT_EQ(1u, front.reports.size());
    EXPECT_EQ(static_cast<UINT>(MSG_PROFILE_LIST_CHANGED), front.reports[0].message);

    // The second OK edits the stored profile: its own ID is no duplicate.
    fast.m_pacList.resize(kPacListMax);
    editor.OnOK();
    EXPECT_EQ(1u, boxes.Count());
    EXPECT_EQ(3u, front.reports.size());
    EXPECT_EQ(kPacListMax, StoredPacCount("Fast"));
}

TEST_F(ProfileEditorTest, EntriesLongerThanTheRecordHoldsCannotBeTypedNorStoredCut)
{
    CPage8021XDlg& page = *editor.m_pPage8021X;
    CPageNamePasswordDlg& id = *page.m_pPageNamePassword;
    for (int control : {IDC_NAMEPW_IDENTITY, IDC_NAMEPW_PASSWORD, IDC_NAMEPW_DOMAIN})
        EXPECT_EQ(127, static_cast<int>(id.SendDlgItemMessage(control, EM_GETLIMITTEXT))) << control;
    EXPECT_EQ(127, static_cast<int>(page.m_pPageServerCert->SendDlgItemMessage(IDC_SRVCERT_NAME, EM_GETLIMITTEXT)));

    // A text set from elsewhere (the machine identity of a long DNS domain) is refused, not cut.
    StartNewEnterprise("Long", "22", &CPage8021XDlg::OnEapPeap);
    id.strIdentity = CString('u', 128);
    id.strPassword = "password";
    id.UpdatePage(FALSE);
    G_LangTable.IDS_ENTRY_TOO_LONG = "\"%s\" is longer than %d characters.";
    G_LangTable.IDS_AUTH_ID = "User Identity";
    testing_support::MessageBoxCapture boxes;
    editor.OnOK();
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("\"User Identity\" is longer than 127 characters.", boxes.Boxes()[0].text);  // which of the page's entries
    EXPECT_EQ(0u, Writes());

    // 127 characters fit and come back whole.
    id.strIdentity = CString('u', 127);
    id.UpdatePage(FALSE);
    editor.OnOK();
    WLANPROFILE stored = {};
    ASSERT_TRUE(Stored("Long", &stored));
    EXPECT_EQ(std::string(127, 'u'), std::string(stored.chID));
}

TEST_F(ProfileEditorTest, TheEapHostConfiguresAnEapFastProfileOnlyOnceItIsStored)
{
    ASSERT_TRUE(sim.Set("OsCode", 12));
    StartNewEnterprise("FastHost", "23", &CPage8021XDlg::OnEapFast);
    ASSERT_TRUE(sim.Set("ProfileStoreRefuses", 1));
    testing_support::MessageBoxCapture boxes;
    editor.OnOK();
    EXPECT_EQ(1u, boxes.Count());
    EXPECT_TRUE(Calls("QXWL_StartEapHostPeerInvokeConfigUI").empty());

    ASSERT_TRUE(sim.Set("ProfileStoreRefuses", 0));
    editor.OnOK();
    EXPECT_EQ(1u, boxes.Count());
    EXPECT_TRUE(Stored("FastHost"));
    EXPECT_EQ(1u, Calls("QXWL_StartEapHostPeerInvokeConfigUI").size());
}

TEST_F(ProfileEditorTest, AnEapFastProfileMadeInAFolderOfSixtyPacFilesStoresItsList)
{
    ASSERT_TRUE(sim.Set("OsCode", kXpOsCode));
    testing_support::ScopedFolder folder;
    for (int i = 0; i < 60; ++i) std::ofstream(folder.Path() + "\\" + std::to_string(i) + ".pac") << "pac";
    char saved[MAX_PATH] = {};
    ::GetCurrentDirectoryA(sizeof saved, saved);
    ::SetCurrentDirectoryA(folder.Path().c_str());
    StartNewEnterprise("Lab", "24", &CPage8021XDlg::OnEapFast);  // the reset lists the folder
    TypeCredentials("fast-user", "fast-pass");
    testing_support::MessageBoxCapture boxes;
    editor.OnOK();
    ::SetCurrentDirectoryA(saved);
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_EQ(kPacListMax, StoredPacCount("Lab"));
}
