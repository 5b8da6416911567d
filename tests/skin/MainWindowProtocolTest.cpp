// The main window's requests: each private message and what it does to the classic dialogs,
// the pages and the station library; a request for something that does not exist is ignored.
#include "MainWindowFixture.h"
#include "skin/KelvoPageProfileCtrlDlg.h"
#include "skin/KelvoPageProfileDlg.h"
#include "skin/KelvoPageSiteSurveyDlg.h"
#include "skin/KelvoPageWpsAuthenDlg.h"
#include "skin/KelvoPageWpsListViewDlg.h"
#include "station/CDeleteBlockAckDlg.h"
#include "station/CHiddenSsidDlg.h"
#include "station/CAddBlockAckDlg.h"
#include "station/CPageAuthEncryDlg.h"
#include "station/CPageWPSProfile.h"
#include "station/CProfileEditorDlg.h"
#include "station/CSecurityEditorDlg.h"
#include "station/PeapSettingDlg.h"
#include "wifidirect/AdvancedWiFiDirect.h"
#include "wifidirect/KelvoPageWlanP2PDlg.h"

#include <cstring>

using skin_test::MainWindowTest;
using skin_test::MemoryTemplate;
using testing_support::LogCapture;

namespace {
class ProtocolTest : public MainWindowTest {
protected:
    LRESULT Send(UINT message, WPARAM w, LPARAM l = 0) { return mainWindow.SendMessage(message, w, l); }
    CKelvoPageSiteSurveyDlg& Survey() { return *mainWindow.m_pPageSiteSurveyDlg; }
    CSecurityEditorDlg& Editor() { return *mainWindow.m_pSecurityEditorDlg; }
};

// Records the page's private messages.
class RecordingP2PPage : public CKelvoPageWlanP2PDlg {
public:
    std::vector<WPARAM> events;
    LRESULT WindowProc(UINT message, WPARAM w, LPARAM l) override
    {
        if (message == MSG_P2P_EVENT) events.push_back(w);
        return CKelvoPageWlanP2PDlg::WindowProc(message, w, l);
    }
};
}  // namespace

TEST_F(ProtocolTest, ScanFinishedRefreshesTheLastVisibleListPageOrElseTheSiteSurvey)
{
    LogCapture log;
    // No list page visible: the site survey's list is refreshed all the same.
    Send(MSG_SITESURVEY_DONE, 0);
    EXPECT_EQ(0, Survey().m_bScanDone);  // only a visible page is marked
    EXPECT_TRUE(log.Contains("RefreshSurveyList"));
    EXPECT_FALSE(log.Contains("RefreshWpsList"));

    GiveWindow(&Survey(), MemoryTemplate{}, true);
    GiveWindow(mainWindow.m_pPageWpsListViewDlg, MemoryTemplate{}, true);
    GiveWindow(mainWindow.m_pPageProfileCtrlDlg, MemoryTemplate{}, false);
    log.Clear();
    Send(MSG_SITESURVEY_DONE, 0);
    EXPECT_EQ(1, Survey().m_bScanDone);
    EXPECT_EQ(1, mainWindow.m_pPageWpsListViewDlg->m_bScanDone);
    EXPECT_EQ(0, mainWindow.m_pPageProfileCtrlDlg->m_bScanDone);
    EXPECT_TRUE(log.Contains("RefreshWpsList"));
    EXPECT_FALSE(log.Contains("RefreshScanList"));
    EXPECT_FALSE(log.Contains("RefreshSurveyList"));

    mainWindow.m_pPageProfileCtrlDlg->ShowWindow(SW_SHOW);
    log.Clear();
    Send(MSG_SITESURVEY_DONE, 0);
    EXPECT_TRUE(log.Contains("RefreshScanList"));
    EXPECT_FALSE(log.Contains("RefreshWpsList"));
}

TEST_F(ProtocolTest, ScanFinishedChangesNothingWhileTheAccessPointPagesShow)
{
    LogCapture log;
    mainWindow.m_bSoftAPMode = 1;
    GiveWindow(&Survey(), MemoryTemplate{}, true);
    Send(MSG_SITESURVEY_DONE, 0);
    EXPECT_EQ(0, Survey().m_bScanDone);
    EXPECT_FALSE(log.Contains("RefreshSurveyList"));
    mainWindow.m_bSoftAPMode = 0;
}

TEST_F(ProtocolTest, BlockAckRequestsSetTheDirectionAndClosingBringsTheLinkStatusBack)
{
    Send(MSG_ADD_BA_DLG, 3, 1);
    EXPECT_EQ(std::vector<int>{CKelvoPageUIDlg::kAddBlockAck}, VisibleClassic());
    EXPECT_EQ(1u, mainWindow.m_pAddBlockAckDlg->m_bOriginator);
    Send(MSG_ADD_BA_DLG, 3, 7);
    EXPECT_EQ(0u, mainWindow.m_pAddBlockAckDlg->m_bOriginator);
    Send(MSG_ADD_BA_DLG, 0);
    EXPECT_EQ(std::vector<int>{CKelvoPageUIDlg::kLinkStatus}, VisibleClassic());

    CDeleteBlockAckDlg& del = *mainWindow.m_pDeleteBlockAckDlg;
    Send(MSG_DELETE_BA_DLG, 3, 2);
    EXPECT_EQ(std::vector<int>{CKelvoPageUIDlg::kDeleteBlockAck}, VisibleClassic());
    EXPECT_EQ(1u, del.m_bOriginator);
    EXPECT_EQ(1u, del.m_bAllTids);
    // L 0 keeps the flags of the previous use.
    Send(MSG_DELETE_BA_DLG, 0);
    Send(MSG_DELETE_BA_DLG, 3, 0);
    EXPECT_EQ(1u, del.m_bOriginator);
    EXPECT_EQ(1u, del.m_bAllTids);
    EXPECT_EQ(0u, del.m_bTidChoice);
    Send(MSG_APDETAIL_DLG, 0);
    EXPECT_EQ(std::vector<int>{CKelvoPageUIDlg::kLinkStatus}, VisibleClassic());
    Send(MSG_APDETAIL_DLG, 1);
    EXPECT_EQ(std::vector<int>{CKelvoPageUIDlg::kLinkStatus}, VisibleClassic());
}

TEST_F(ProtocolTest, WiFiDirectEventShowsTheLinkStatusNotifiesTheReadyPageAndReArmsTheDriver)
{
    LogCapture log;
    CAdvancedWiFiDirect engine;
    hide.m_pWiFiDirect = &engine;
    RecordingP2PPage page;
    ASSERT_TRUE(page.Create(CKelvoPageWlanP2PDlg::IDD, &mainWindow));
    CKelvoPageWlanP2PDlg* registered = mainWindow.m_pPageWlanP2PDlg;
    mainWindow.m_pPageWlanP2PDlg = &page;
    const int savedOs = G_nOSVersion;

    struct Case {
        int os;
        int pageReady;
        const char* oid;
        size_t events;
    } const cases[] = {{9, 1, "0x0DF101D6", 1}, {12, 1, "0xFFF101D6", 2}, {10, 0, "0xFFF101D6", 2}};
    for (const Case& c : cases) {
        G_nOSVersion = c.os;
        page.m_bStarted = c.pageReady;
        page.m_bActive = 1;
        // A status change leaves the dialog the user works in alone.
        mainWindow.ShowClassicDialog(CKelvoPageUIDlg::kDeleteBlockAck);
        sim.ClearJournal();
        Send(MSG_WIFIDIRECT_EVENET, 0, 0);
        EXPECT_EQ(std::vector<int>{CKelvoPageUIDlg::kDeleteBlockAck}, VisibleClassic());
        ASSERT_EQ(c.events, page.events.size()) << c.os;
        EXPECT_EQ(reinterpret_cast<WPARAM>(&engine), page.events.back());
        const auto calls = Calls("QXWL_OIDSetInfo");
        ASSERT_EQ(1u, calls.size()) << c.os;
        EXPECT_NE(std::string::npos, calls[0].find(std::string(c.oid) + ", 4, 01:00:00:00)")) << calls[0];
    }
    EXPECT_TRUE(log.Contains("[QxUI] >>MSG_WIFIDIRECT_EVENET<<"));
    EXPECT_TRUE(log.Contains("[QxUI] QXWLAPI.bWiFiDirectSigmaTest = 0"));
    EXPECT_TRUE(log.Contains("[QxUI] TFormAdvanced::Dispatch() <--- set SET_P2P_EVENT_READY (fff101d6 , 0) return"));

    G_nOSVersion = savedOs;
    mainWindow.m_pPageWlanP2PDlg = registered;
    hide.m_pWiFiDirect = nullptr;
    page.DestroyWindow();
}

TEST_F(ProtocolTest, HiddenNameGoesOnToTheSecurityEditorForASecuredNetworkAndCancelConnectsNothing)
{
    LogCapture log;
    GiveWindow(&Survey(), MemoryTemplate{}, true);
    Survey().m_bSecured = 1;
    Send(MSG_HIDDEN_SSID_DLG, 2);
    EXPECT_EQ(std::vector<int>{CKelvoPageUIDlg::kHiddenSsid}, VisibleClassic());
    mainWindow.m_pHiddenSsidDlg->m_strSSID = "Secret";
    Send(MSG_HIDDEN_SSID_DLG, 0, 1);
    EXPECT_EQ(6u, Survey().m_PendingSsid.SsidLength);
    EXPECT_EQ(0, memcmp("Secret", Survey().m_PendingSsid.Ssid, 6));
    // The page asked for the security editor: the prompt gave way to it (when its template is built).
    if (HasWindow(mainWindow.m_pSecurityEditorDlg))
        EXPECT_EQ(std::vector<int>{CKelvoPageUIDlg::kSecurityEditor}, VisibleClassic());
    else
        EXPECT_TRUE(VisibleClassic().empty());
    EXPECT_FALSE(log.Contains("ConnectSelected"));

    Survey().m_bSecured = 0;
    mainWindow.m_pHiddenSsidDlg->m_strSSID = "Other";
    Send(MSG_HIDDEN_SSID_DLG, 0, 0);  // Cancel
    EXPECT_EQ(6u, Survey().m_PendingSsid.SsidLength);
    EXPECT_FALSE(log.Contains("ConnectSelected"));
    EXPECT_EQ(std::vector<int>{CKelvoPageUIDlg::kLinkStatus}, VisibleClassic());
    Send(MSG_HIDDEN_SSID_DLG, 0, 1);  // an open network connects at once
    EXPECT_TRUE(log.Contains("ConnectSelected"));
}

TEST_F(ProtocolTest, SecurityEditorOkCopiesWhatTheChoiceUses)
{
    CPageAuthEncryDlg authPage;
    Editor().m_pPageAuthEncry = &authPage;
    authPage.m_strPsk = "passphrase1";
    authPage.m_nPskFormat = KEYFMT_ASCII;
    authPage.m_nDefaultKey = 1;
    authPage.m_strWepKey[1] = "1234567890";
    authPage.m_nKeyFormat[1] = KEYFMT_HEX;
    Editor().m_Eap.strIdentity = "alice";
    Editor().m_strCertificate[0] = "user.cer";
    ASSERT_TRUE(sim.Set("WpaCapable", 1));
    LogCapture log;

    // WPA2-PSK: the words, the certificate texts and the pass phrase; no keys, no 802.1X.
    Editor().m_nAuthIndex = AUTHIDX_WPA2_PSK;
    Editor().m_nEncryIndex = ENCRIDX_AES;
    Send(MSG_SECURITY_EDITOR_DLG, 0, 2);
    SURVEY_EDITOR_COPY copy = Survey().m_EditorCopy;
    EXPECT_EQ(AUTHIDX_WPA2_PSK, copy.nAuthIndex);
    EXPECT_STREQ("passphrase1", copy.strPassPhrase);
    EXPECT_STREQ("user.cer", copy.strCertificate[0]);
    EXPECT_TRUE(copy.strWepKey[1].IsEmpty());
    EXPECT_TRUE(copy.Eap.strIdentity.IsEmpty());
    EXPECT_TRUE(log.Contains("ConnectSelected"));
    EXPECT_EQ(std::vector<int>{CKelvoPageUIDlg::kLinkStatus}, VisibleClassic());

    // Shared WEP without 802.1X: the WEP words and keys.
    Survey().ResetEditorCopy();
    Editor().m_nAuthIndex = AUTHIDX_SHARED;
    Editor().m_nEncryIndex = ENCRIDX_WEP;
    Editor().m_nDefaultKey = 2;
    Send(MSG_SECURITY_EDITOR_DLG, 0, 2);
    copy = Survey().m_EditorCopy;
    EXPECT_EQ(1, copy.nWepKeyIndex);
    EXPECT_EQ(10, copy.nWepKeyLength);
    EXPECT_EQ(KEYFMT_HEX, copy.nWepKeyFormat);
    EXPECT_EQ(2, copy.nWepDefaultKey);
    EXPECT_STREQ("1234567890", copy.strWepKey[1]);
    EXPECT_TRUE(copy.strPassPhrase.IsEmpty());

    // WPA with 802.1X on a WPA-capable library: the 802.1X record; not without the capability.
    Survey().ResetEditorCopy();
    Editor().m_nAuthIndex = AUTHIDX_WPA;
    Editor().m_b8021X = 1;
    Send(MSG_SECURITY_EDITOR_DLG, 0, 2);
    EXPECT_STREQ("alice", Survey().m_EditorCopy.Eap.strIdentity);
    Survey().ResetEditorCopy();
    ASSERT_TRUE(sim.Set("WpaCapable", 0));
    Send(MSG_SECURITY_EDITOR_DLG, 0, 2);
    EXPECT_TRUE(Survey().m_EditorCopy.Eap.strIdentity.IsEmpty());

    // Cancel copies and connects nothing.
    Survey().ResetEditorCopy();
    log.Clear();
    Send(MSG_SECURITY_EDITOR_DLG, 0, 0);
    EXPECT_EQ(0, Survey().m_EditorCopy.nAuthIndex);
    EXPECT_FALSE(log.Contains("ConnectSelected"));
    Editor().m_pPageAuthEncry = nullptr;
}

TEST_F(ProtocolTest, SecurityEditorRequestFromTheSurveyShowsItOrRunsThePreparation)
{
    Survey().m_EditorCopy.strPassPhrase = "left over";
    Send(MSG_SECURITY_EDITOR_DLG, 2, 1);
    EXPECT_TRUE(Survey().m_EditorCopy.strPassPhrase.IsEmpty());
    EXPECT_TRUE(VisibleClassic().empty());
    Send(MSG_SECURITY_EDITOR_DLG, 2, 0);
    EXPECT_EQ(0, Editor().m_bAuthPageLoaded);
}

TEST_F(ProtocolTest, WpsCredentialDialogShowsTheKeyOnlyForASecuredCredential)
{
    CKelvoPageWpsAuthenDlg& wps = *mainWindow.m_pPageWpsAuthenDlg;
    CPageWPSProfile& dlg = *mainWindow.m_pPageWPSProfile;
    wps.m_strSsid = "HomeAP";
    wps.m_nKeyLength = 5;
    wps.m_nKeyIndex = 1;
    wps.m_strKeyText[0] = "3132333435";
    wps.m_strKeyText[1] = "12345";
    WPS_CREDENTIAL& cred = wps.m_WpsProfile.Profile[0];
    wps.m_WpsProfile.ProfileCnt = 1;

    cred.AuthType = 1;
    cred.EncrType = 1;
    Send(MSG_WPS_PROFILE_DLG, 1);
    EXPECT_STREQ("HomeAP", dlg.m_strSsid);
    EXPECT_EQ(0u, dlg.m_nKeyLength);
    EXPECT_TRUE(dlg.m_strKeyIndex.IsEmpty());
    EXPECT_TRUE(dlg.m_strKeyHex.IsEmpty());
    EXPECT_TRUE(dlg.m_strKeyMaterial.IsEmpty());
    EXPECT_EQ(std::vector<int>{CKelvoPageUIDlg::kWpsProfile}, VisibleClassic());

    cred.EncrType = 2;  // WEP: shown in hexadecimal digits
    memcpy(cred.Key, "12345", 5);
    cred.KeyLength = 5;
    Send(MSG_WPS_PROFILE_DLG, 1);
    EXPECT_EQ(10u, dlg.m_nKeyLength);
    EXPECT_STREQ("10", dlg.m_strKeyLength);
    EXPECT_STREQ("Key#1", dlg.m_strKeyIndex);
    EXPECT_STREQ("3132333435", dlg.m_strKeyHex);
    EXPECT_STREQ("12345", dlg.m_strKeyAscii);
    EXPECT_EQ(1u, dlg.m_bAsciiOffered);
    CString shown;  // asked for again while it shows, the dialog shows the new credential
    dlg.GetDlgItemText(IDC_WPSP_KEY, shown);
    EXPECT_STREQ("3132333435", shown);

    cred.AuthType = 0x20;
    cred.EncrType = 8;
    wps.m_nKeyLength = 9;
    memcpy(cred.Key, "secretkey", 9);
    cred.KeyLength = 9;
    Send(MSG_WPS_PROFILE_DLG, 1);
    EXPECT_STREQ("9", dlg.m_strKeyLength);
    EXPECT_STREQ("secretkey", dlg.m_strKeyMaterial);
    EXPECT_EQ(0u, dlg.m_bAsciiOffered);
    EXPECT_TRUE(dlg.m_strKeyAscii.IsEmpty());  // nothing of the WEP credential before
    // An open credential after a secured one shows no key either.
    cred.AuthType = 1;
    cred.EncrType = 1;
    Send(MSG_WPS_PROFILE_DLG, 1);
    EXPECT_TRUE(dlg.m_strKeyIndex.IsEmpty());
    EXPECT_TRUE(dlg.m_strKeyMaterial.IsEmpty());
    Send(MSG_WPS_PROFILE_DLG, 0);
    EXPECT_EQ(std::vector<int>{CKelvoPageUIDlg::kLinkStatus}, VisibleClassic());
}

TEST_F(ProtocolTest, ProfileEditorRequestsMarkNewOrEditingAndLoadTheChosenProfile)
{
    LogCapture log;
    CProfileEditorDlg& editor = *mainWindow.m_pProfileEditorDlg;
    Send(MSG_PROFILE_EDITOR_DLG, 4);
    EXPECT_EQ(1, editor.m_bNewProfile);
    EXPECT_EQ(0, editor.m_bEditing);
    Send(MSG_PROFILE_EDITOR_DLG, 5, 0);
    EXPECT_EQ(0, editor.m_bNewProfile);
    EXPECT_EQ(1, editor.m_bEditing);
    EXPECT_EQ(1, editor.m_bAuthPageLoading);
    EXPECT_TRUE(log.Contains("CProfileEditorDlg::LoadProfile"));
    Send(MSG_PROFILE_EDITOR_DLG, 7);  // other values do nothing
    EXPECT_EQ(1, editor.m_bEditing);
    Send(MSG_PROFILE_EDITOR_DLG, 0);
    EXPECT_EQ(std::vector<int>{CKelvoPageUIDlg::kLinkStatus}, VisibleClassic());
}

TEST_F(ProtocolTest, PasswordPromptTakesTheCurrentIdentityAndItsCloseReadsTheSingleSignOnStatus)
{
    WLANPROFILE profile{};
    lstrcpynA(profile.chID, "bob@corp", sizeof profile.chID);
    hide.m_pProfData = &profile;
    mainWindow.m_pPeapSettingDlg->m_strPassword = "old";
    Send(MSG_PEAP_SETTING_DLG, 8);
    EXPECT_STREQ("bob@corp", mainWindow.m_pPeapSettingDlg->m_strIdentity);
    EXPECT_TRUE(mainWindow.m_pPeapSettingDlg->m_strPassword.IsEmpty());
    EXPECT_EQ(std::vector<int>{CKelvoPageUIDlg::kPeapSetting}, VisibleClassic());
    sim.ClearJournal();
    Send(MSG_PEAP_SETTING_DLG, 0);
    EXPECT_EQ(1u, Calls("QXWL_ReadSSOStatus").size());
    EXPECT_EQ(std::vector<int>{CKelvoPageUIDlg::kLinkStatus}, VisibleClassic());
    hide.m_pProfData = nullptr;
}

TEST_F(ProtocolTest, StatusAndReloginReportsBringTheLinkStatusBackOnlyWhenTheyEnd)
{
    Send(MSG_INVALID_IDPW_DLG, 8);
    EXPECT_EQ(std::vector<int>{CKelvoPageUIDlg::kInvalidIdPw}, VisibleClassic());
    Send(MSG_AUTHEN_STATUS_DLG, 3);  // a status line: the area stays
    Send(MSG_AUTHEN_STATUS_DLG, 0, 2);
    EXPECT_EQ(std::vector<int>{CKelvoPageUIDlg::kInvalidIdPw}, VisibleClassic());
    Send(MSG_AUTHEN_STATUS_DLG, 10);  // the re-login has done its part
    EXPECT_EQ(std::vector<int>{CKelvoPageUIDlg::kLinkStatus}, VisibleClassic());
    Send(MSG_INVALID_IDPW_DLG, 8);
    Send(MSG_INVALID_IDPW_DLG, 0);
    EXPECT_EQ(std::vector<int>{CKelvoPageUIDlg::kLinkStatus}, VisibleClassic());
}

TEST_F(ProtocolTest, RequestsForPagesAndDialogsThatDoNotExistAreIgnored)
{
    LogCapture log;
    mainWindow.ClosePages();
    const struct {
        UINT message;
        WPARAM w;
        LPARAM l;
    } requests[] = {{MSG_SITESURVEY_DONE, 0, 0},    {MSG_PROFILE_LIST_CHANGED, 0, 0}, {MSG_PROFILE_EDITOR_DLG, 2, 0},
                    {MSG_PROFILE_EDITOR_DLG, 4, 0}, {MSG_PROFILE_EDITOR_DLG, 5, 3},   {MSG_HIDDEN_SSID_DLG, 0, 1},
                    {MSG_SECURITY_EDITOR_DLG, 2, 0}, {MSG_SECURITY_EDITOR_DLG, 2, 1}, {MSG_SECURITY_EDITOR_DLG, 0, 2},
                    {MSG_WPS_PROFILE_DLG, 1, 0},    {MSG_PROFILE_CONNECT, 15, 0},     {MSG_WIFIDIRECT_EVENET, 0, 0},
                    {MSG_WPS_STATUS_NOTIFY, 1, 1}};
    for (const auto& r : requests) Send(r.message, r.w, r.l);
    EXPECT_TRUE(log.Contains("does not exist, request ignored"));
    EXPECT_FALSE(log.Contains("ConnectSelected"));
    EXPECT_TRUE(mainWindow.IsWindow());
}
