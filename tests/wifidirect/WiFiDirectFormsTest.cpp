// The Wi-Fi Direct forms and the settings wizard against the stand-in: the progress display and
// its early finish, the stored profiles with the active mark, the shared media folder, and the
// wizard's roads with their checks, as the library's journal and the user's boxes show them.
#include "hidedlg/HideDlgFixture.h"
#include "wifidirect/AdvancedWiFiDirect.h"
#include "wifidirect/GroupPassPhrase.h"
#include "contract/StationContract.h"
#include "base/SecureRandom.h"

#include <cstring>
#include <filesystem>
#include <fstream>

namespace {
using namespace hidedlg_testing;

const char kPeers[] =
    "[Peer1]\nName=Camera\nAddress=02:50:32:50:00:01\nIntent=15\nAccept=PBC\n"
    "[Peer2]\nName=Printer\nAddress=02:50:32:50:00:02\nIntent=0\nAccept=Any\n";
const UCHAR kPrinter[6] = {0x02, 0x50, 0x32, 0x50, 0x00, 0x02};

class RecordingView : public IWiFiDirectProgressView {
public:
    explicit RecordingView(HWND host) : m_host(host) {}
    HWND ProgressHostWindow() const override { return m_host; }
    void OnProgress(int percent) override { percents.push_back(percent); }
    std::vector<int> percents;
    HWND m_host;
};

class WiFiDirectFormsTest : public HideDlgFixture {
protected:
    void SetUp() override
    {
        HideDlgFixture::SetUp();
        Start(std::string("[World]\nOsCode=12\n") + kPeers);
        host = ::CreateWindowExA(0, "STATIC", "host", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        engine = std::make_unique<CAdvancedWiFiDirect>();
        engine->SetHwnd(host);
        engine->EnableOrDisableWiFiDirect(1, 1, 0, 1);
        wizard = engine->m_pSetting;
        QXWLAPI.SupportAdvanceSettings = 1;
        sim.ClearJournal();
    }
    void TearDown() override
    {
        engine.reset();
        ::DestroyWindow(host);
        HideDlgFixture::TearDown();
    }
    // The printer as the selected peer, as the main page's look-up leaves it.
    void SelectPrinter()
    {
        WIFIDIRECT_DEVICE_ENTRY& s = engine->m_SeleteDeviceEntry;
        s = {};
        std::memcpy(s.chDeviceName, "Printer", 7);
        s.ulDeviceNameLength = 7;
        std::memcpy(s.MacAddr, kPrinter, 6);
        s.nRule = 2;
        s.ConfigMethod = 0x0188;  // push button, display, keypad
    }
    WIFIDIRECT_WPSE_PROFILE LastAppliedIsInvite()
    {
        EXPECT_EQ(1u, sim.JournalLines("QXWL_SetWifiDirectWpseConfig(3)").size());
        return wizard->m_data_WIFIDIRECT_WPSE_Profile;
    }

    HWND host = nullptr;
    std::unique_ptr<CAdvancedWiFiDirect> engine;
    CWiFiDirectSetting* wizard = nullptr;
};

TEST_F(WiFiDirectFormsTest, ProgressRunsTenStepsAndFinishesFastOnceSuccessIsReported)
{
    CProgressMsg& progress = *engine->m_pProgressMsg;
    RecordingView view(host);
    engine->ShowProgressMsg(&view);
    engine->StartWiFiDirectProgress(true, CAdvancedWiFiDirect::kConnectProgressMs);
    EXPECT_TRUE(progress.m_bTimerRunning);
    ASSERT_EQ(std::vector<int>{0}, view.percents);  // shown at once

    int ticks = 0;
    while (progress.Visible && ticks < 20) {
        if (ticks == 2) progress.m_bSuccess = TRUE;  // the driver's success word after two ticks
        EXPECT_EQ(1, progress.OnTimer(TIMER_WIFIDIRECT_PROGRESS_MSG));
        ++ticks;
    }
    EXPECT_EQ(11, ticks);
    EXPECT_EQ((std::vector<int>{0, 0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100}), view.percents);
    EXPECT_FALSE(progress.m_bSuccess);  // cleared for the next connection
    EXPECT_FALSE(progress.m_bTimerRunning);
    EXPECT_EQ(-1, progress.OnTimer(TIMER_WIFIDIRECT_PROFILE));

    // Without a live window the display never ticks.
    HWND gone = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    RecordingView dead(gone);
    ::DestroyWindow(gone);
    engine->ShowProgressMsg(&dead);
    engine->StartWiFiDirectProgress(true, 1000);
    EXPECT_FALSE(progress.m_bTimerRunning);
    engine->ShowProgressMsg(nullptr);

    // A view that goes takes the display's window with it: nothing ticks on its handle after.
    HWND shown = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    RecordingView leaving(shown);
    engine->ShowProgressMsg(&leaving);
    engine->StartWiFiDirectProgress(true, 1000);
    ASSERT_TRUE(progress.m_bTimerRunning);
    engine->ShowProgressMsg(nullptr);
    EXPECT_EQ(nullptr, progress.m_hWnd);
    EXPECT_FALSE(progress.m_bTimerRunning);
    EXPECT_FALSE(::KillTimer(shown, TIMER_WIFIDIRECT_PROGRESS_MSG));
    ::DestroyWindow(shown);
    // The engine's next host takes it up again.
    engine->SetHwnd(host);
    EXPECT_EQ(host, progress.m_hWnd);
}

TEST_F(WiFiDirectFormsTest, ProfileListMarksOnlyTheExactActiveNameAndFollowsTheWizardsSave)
{
    CWiFiDirectProfile& profiles = *engine->m_pProfile;
    profiles.LoadProfileList();
    EXPECT_TRUE(profiles.m_vecProfiles.empty());
    EXPECT_EQ(-1, profiles.m_nSelected);

    // Two names differing only in case; the active name matches neither exactly.
    for (const char* name : {"Home", "home"}) {
        WIFIDIRECT_WPSE_PROFILE p = {};
        std::strcpy(p.ProfileName, name);
        p.SSID.SsidLength = 9;
        std::memcpy(p.SSID.Ssid, "DIRECT-ab-junk", 14);  // cut to its length
        ASSERT_EQ(QXWL_ERROR_SUCCESS, QXWLAPI.QXWL_WriteWifiDirectWpseProfile(name, &p));
    }
    QXWLAPI.QXWL_WriteActiveWifiDirectWpseProfileName("HOME");
    profiles.LoadProfileList();
    ASSERT_EQ(2u, profiles.m_vecProfiles.size());
    EXPECT_EQ(-1, profiles.m_nSelected);
    EXPECT_TRUE(profiles.m_strActiveProfile.IsEmpty());
    EXPECT_EQ("DIRECT-ab", std::string(profiles.m_vecProfiles[0].strSsid.GetString()));

    QXWLAPI.QXWL_WriteActiveWifiDirectWpseProfileName("home");
    profiles.LoadProfileList();
    EXPECT_EQ(1, profiles.m_nSelected);
    EXPECT_EQ(1, profiles.m_vecProfiles[1].nStatus);
    EXPECT_EQ(-1, profiles.m_vecProfiles[0].nStatus);
    // Not connected: the active one is only defined.
    EXPECT_EQ(1, profiles.OnTimer(TIMER_WIFIDIRECT_PROFILE));
    EXPECT_EQ(1, profiles.m_vecProfiles[1].nStatus);

    // A connection saved by the wizard becomes the active profile and the list follows.
    SelectPrinter();
    wizard->FormShow(ACTION_CONNECT);
    wizard->m_pWPS->rBtnPBCClick();
    wizard->BtnWiFiDirectNextClick();  // to the advanced page
    wizard->BtnWiFiDirectNextClick();  // to the save page
    wizard->m_pSaveProfile->m_bSaveChecked = TRUE;
    wizard->BtnWiFiDirectNextClick();
    EXPECT_EQ(1u, sim.JournalLines("QXWL_WriteWifiDirectWpseProfile(ContPrinter)").size());
    EXPECT_EQ(1u, sim.JournalLines("QXWL_WriteActiveWifiDirectWpseProfileName(ContPrinter)").size());
    ASSERT_EQ(3u, profiles.m_vecProfiles.size());
    EXPECT_EQ(2, profiles.m_nSelected);
}

TEST_F(WiFiDirectFormsTest, MediaFolderIsMadeWithItsParentsAndFailuresAreReported)
{
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string root = std::string(temp) + "wdmedia-test";
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
    const std::string deep = root + "\\one\\two\\Media Sharing";
    EXPECT_EQ(1, CWiFiDirectMediaSharing::CreateFolderWithParents(deep.c_str()));
    EXPECT_TRUE(std::filesystem::is_directory(deep));
    EXPECT_EQ(1, CWiFiDirectMediaSharing::CreateFolderWithParents(deep.c_str()));  // already there

    // Below a plain file nothing can be made: reported, not pretended.
    const std::string file = root + "\\plain";
    { std::ofstream(file) << "x"; }
    EXPECT_EQ(0, CWiFiDirectMediaSharing::CreateFolderWithParents((file + "\\sub\\dir").c_str()));
    EXPECT_EQ(0, CWiFiDirectMediaSharing::CreateFolderWithParents(""));
    std::filesystem::remove_all(root, ignored);

    // No SharedFolder setting: the user's profile decides, and the folder is there afterwards.
    CWiFiDirectMediaSharing& media = *engine->m_pMediaSharing;
    media.Show();
    char profile[MAX_PATH] = {};
    ::GetEnvironmentVariableA("USERPROFILE", profile, MAX_PATH);
    const std::string docs = std::string(profile) + "\\Documents";
    const std::string expected = (std::filesystem::is_directory(docs) ? docs : std::string(profile)) + "\\Media Sharing";
    EXPECT_EQ(expected, std::string(media.m_strSharedFolder.GetString()));
    EXPECT_TRUE(media.m_bFolderReady);
    EXPECT_TRUE(media.m_bTimerRunning);
    EXPECT_EQ(1, media.OnTimer(TIMER_WIFIDIRECT_MEDIA_SHARING));
    EXPECT_FALSE(media.m_bTimerRunning);  // one check per showing
}

TEST_F(WiFiDirectFormsTest, ConnectRoadWalksItsPagesWithAndWithoutAdvancedSettings)
{
    SelectPrinter();
    wizard->FormShow(ACTION_CONNECT);
    EXPECT_EQ(wizard->m_pWPS, wizard->m_pCurrentPage);
    EXPECT_EQ("ContPrinter", std::string(wizard->m_strProfileName.GetString()));
    EXPECT_EQ(0, std::string(wizard->m_strGroupSsid.GetString()).rfind("DIRECT-", 0));
    EXPECT_EQ(9, wizard->m_strGroupSsid.GetLength());
    EXPECT_FALSE(engine->m_bDeviceNameReady);
    // No method chosen: the WPS page stays.
    wizard->m_pWPS->m_bPBCChecked = wizard->m_pWPS->m_bPinRegChecked = wizard->m_pWPS->m_bPinUserChecked = FALSE;
    wizard->BtnWiFiDirectNextClick();
    EXPECT_EQ(wizard->m_pWPS, wizard->m_pCurrentPage);

    wizard->m_pWPS->rBtnPBCClick();
    wizard->BtnWiFiDirectNextClick();
    EXPECT_EQ(wizard->m_pAdvanced, wizard->m_pCurrentPage);
    wizard->m_pAdvanced->m_strIntentText = "7";
    wizard->m_pAdvanced->m_nChannelSel = 1;  // the social channels: 1, 6, 11
    wizard->BtnWiFiDirectNextClick();
    EXPECT_EQ(wizard->m_pSaveProfile, wizard->m_pCurrentPage);
    wizard->BtnWiFiDirectNextClick();
    EXPECT_FALSE(wizard->Visible);
    WIFIDIRECT_WPSE_PROFILE sent = LastAppliedIsInvite();
    EXPECT_EQ(0x20000000u, sent.WpsMethod);
    EXPECT_EQ(7u, sent.ulIntentIndex);
    EXPECT_EQ(6u, sent.ulListenChannel);
    EXPECT_EQ(0, std::memcmp(sent.DeviceAddrs[0], kPrinter, 6));
    EXPECT_EQ(0, std::memcmp(sent.DeviceNames[0], "Printer", 7));
    EXPECT_TRUE(sim.JournalLines("QXWL_WriteWifiDirectWpseProfile").empty());  // not saved
    EXPECT_EQ(1u, sim.JournalLines("QXWL_WriteActiveWifiDirectWpseProfileName()").size());
    EXPECT_EQ(1u, sim.JournalLines("QXWL_WlanDisconnect").size());  // the station link goes first
    EXPECT_TRUE(engine->m_bDeviceNameReady);
    EXPECT_EQ(7, engine->m_nIntentIndex);

    // Without advanced settings the WPS page leads straight to the save page; no listen channel.
    sim.ClearJournal();
    QXWLAPI.SupportAdvanceSettings = 0;
    wizard->FormShow(ACTION_CONNECT);
    EXPECT_EQ(7, wizard->m_pAdvanced->m_nIntentIndex);  // the intent last set
    wizard->m_pWPS->rBtnPBCClick();
    wizard->BtnWiFiDirectNextClick();
    EXPECT_EQ(wizard->m_pSaveProfile, wizard->m_pCurrentPage);
    wizard->BtnWiFiDirectNextClick();
    EXPECT_EQ(0u, LastAppliedIsInvite().ulListenChannel);

    // The user's PIN road applies from the WPS page; nothing is saved, no display is started.
    sim.ClearJournal();
    wizard->FormShow(ACTION_CONNECT);
    wizard->m_pWPS->rBtnPIN_UserSpecClick();
    EXPECT_FALSE(wizard->m_pWPS->m_bPinEnabled);
    wizard->BtnWiFiDirectNextClick();
    EXPECT_FALSE(wizard->Visible);
    EXPECT_EQ(0x40000000u, LastAppliedIsInvite().WpsMethod);
    EXPECT_TRUE(sim.JournalLines("QXWL_WriteActiveWifiDirectWpseProfileName").empty());
    EXPECT_FALSE(engine->m_bDeviceNameReady);

    // With the peer's PIN typed it is the connection itself: the PIN goes with it, and its
    // display runs like any other's.
    sim.ClearJournal();
    wizard->FormShow(ACTION_CONNECT);
    wizard->m_pWPS->rBtnPIN_UserSpecClick();
    wizard->m_pWPS->m_strTempPinCode = "1234";
    wizard->BtnWiFiDirectNextClick();
    const WIFIDIRECT_WPSE_PROFILE typed = LastAppliedIsInvite();
    EXPECT_EQ(0x40000000u, typed.WpsMethod);
    EXPECT_EQ(std::string("1234"), std::string(typed.PIN, strnlen(typed.PIN, sizeof typed.PIN)));
    EXPECT_TRUE(engine->m_bDeviceNameReady);

    // A run never takes the PIN text an earlier run left.
    sim.ClearJournal();
    wizard->FormShow(ACTION_CONNECT);
    EXPECT_TRUE(wizard->m_pWPS->m_strTempPinCode.IsEmpty());
    wizard->m_pWPS->rBtnPIN_UserSpecClick();
    wizard->BtnWiFiDirectNextClick();
    EXPECT_EQ('\0', LastAppliedIsInvite().PIN[0]);
}

TEST_F(WiFiDirectFormsTest, PinIntentKeyAndNameChecksKeepTheirPage)
{
    // PIN lengths follow the library's WPS version; the checksum only where asked.
    sim.Set("WpsVersion", 32);
    EXPECT_TRUE(CWiFiDirectSettingWPS::CheckPinCode("1234", true).IsEmpty());
    ULONG pin = 0;
    ASSERT_TRUE(GenerateWpsPin(&pin));
    CString good;
    good.Format("%08lu", pin);
    const CString bad = good.Left(7) + CString(static_cast<char>('0' + (good[7] - '0' + 1) % 10));
    EXPECT_TRUE(CWiFiDirectSettingWPS::CheckPinCode(good, true).IsEmpty());
    EXPECT_EQ("Pin Code error", std::string(CWiFiDirectSettingWPS::CheckPinCode(bad, true).GetString()));
    EXPECT_TRUE(CWiFiDirectSettingWPS::CheckPinCode(bad, false).IsEmpty());
    EXPECT_EQ("Invaild Pin Code", std::string(CWiFiDirectSettingWPS::CheckPinCode("12345", false).GetString()));
    EXPECT_EQ("Invaild Pin Code", std::string(CWiFiDirectSettingWPS::CheckPinCode("1234567a", false).GetString()));
    sim.Set("WpsVersion", 16);
    EXPECT_EQ("Invaild Pin Code", std::string(CWiFiDirectSettingWPS::CheckPinCode("1234", true).GetString()));

    // Intent 16 is the autonomous owner's, never typed; 15 is the highest.
    SelectPrinter();
    wizard->FormShow(ACTION_CONNECT);
    wizard->m_pWPS->rBtnPBCClick();
    wizard->BtnWiFiDirectNextClick();
    for (const char* refused : {"16", "", "-1", "99999999999"}) {
        wizard->m_pAdvanced->m_strIntentText = refused;
        wizard->BtnWiFiDirectNextClick();
        EXPECT_EQ(wizard->m_pAdvanced, wizard->m_pCurrentPage) << refused;
    }
    EXPECT_EQ(4u, boxes.Count());
    wizard->m_pAdvanced->m_strIntentText = "15";
    wizard->BtnWiFiDirectNextClick();
    EXPECT_EQ(wizard->m_pSaveProfile, wizard->m_pCurrentPage);
    // A saved profile needs a name of 1 to 32 characters.
    wizard->m_pSaveProfile->m_bSaveChecked = TRUE;
    wizard->m_strProfileName = CString('n', 33);
    wizard->BtnWiFiDirectNextClick();
    EXPECT_EQ(wizard->m_pSaveProfile, wizard->m_pCurrentPage);
    EXPECT_EQ(5u, boxes.Count());

    // The operating channels never offer 14 or the old 5 GHz channels.
    sim.Set("CountryRegion", 5);
    std::vector<CString> list;
    int selection = 0;
    EXPECT_EQ(-1, wizard->FillChannelList("99", list, selection, false));
    EXPECT_EQ(0, selection);
    for (const CString& c : list) EXPECT_TRUE(c != "14" && c != "34" && c != "38" && c != "42" && c != "46") << c.GetString();
    EXPECT_EQ(1, wizard->FillChannelList("11", list, selection, true));
    EXPECT_EQ(3u, list.size());

    // The group key: 8 to 63 characters, or 64 hexadecimal digits.
    wizard->FormShow(ACTION_SET_GO_KEY);
    for (const CString& key : {CString("1234567"), CString('g', 64)}) {
        wizard->m_pAutonomousGO->m_strKey = key;
        wizard->BtnWiFiDirectNextClick();
        EXPECT_TRUE(wizard->Visible);
    }
    wizard->m_pAutonomousGO->m_strKey = CString('a', 64);
    wizard->BtnWiFiDirectNextClick();
    EXPECT_FALSE(wizard->Visible);
    EXPECT_EQ(1u, sim.JournalLines("QXWL_SetWifiDirectWpseConfig(13)").size());

    // The device name: 1 to 32 characters; accepted, it reaches the library and the engine.
    wizard->FormShow(ACTION_ENABLE, "DeviceName");
    wizard->m_pDeviceName->m_strDeviceName.Empty();
    wizard->BtnWiFiDirectNextClick();
    EXPECT_TRUE(wizard->Visible);
    wizard->m_pDeviceName->m_strDeviceName = "Desk";
    wizard->BtnWiFiDirectNextClick();
    EXPECT_FALSE(wizard->Visible);
    EXPECT_EQ("Desk", std::string(engine->m_strMyDeviceName.GetString()));
    EXPECT_TRUE(engine->m_bDeviceNameReady);
}

TEST_F(WiFiDirectFormsTest, AnUnansweredRequestIsGivenUpAfterTwoMinutes)
{
    SelectPrinter();
    wizard->FormShow(ACTION_GET_CONNECT_REQUEST);
    EXPECT_TRUE(::KillTimer(host, TIMER_WIFIDIRECT_SETTING));  // armed on the host
    SetP2PRequestAnswer(P2P_REQUEST_WAITING);
    EXPECT_EQ(1, engine->RouteTimer(TIMER_WIFIDIRECT_SETTING));
    EXPECT_FALSE(wizard->Visible);
    EXPECT_TRUE(wizard->m_pWPS->m_strTempPinCode.IsEmpty());
    // A page still waiting for the user learns that the request is gone.
    EXPECT_EQ(P2P_REQUEST_CANCEL, GetP2PRequestAnswer());
    EXPECT_TRUE(sim.JournalLines("QXWL_SetWifiDirectWpseConfig(3)").empty());

    // Once answered and applied, the same timer gives nothing up.
    wizard->FormShow(ACTION_GET_CONNECT_REQUEST);
    wizard->m_pWPS->rBtnPBCClick();
    for (int i = 0; i < 3 && wizard->Visible; ++i) wizard->BtnWiFiDirectNextClick();
    ASSERT_TRUE(engine->m_bDeviceNameReady);
    SetP2PRequestAnswer(P2P_REQUEST_DONE);
    EXPECT_EQ(1, engine->RouteTimer(TIMER_WIFIDIRECT_SETTING));
    EXPECT_EQ(P2P_REQUEST_DONE, GetP2PRequestAnswer());
}

TEST_F(WiFiDirectFormsTest, DisplayPinAndOwnerWpsSendTheRegistrarPinAndKeepIt)
{
    wizard->FormShow(ACTION_DISPLAY_PIN);
    EXPECT_EQ(1u, sim.JournalLines("QXWL_SetWifiDirectWpseConfig(9)").size());
    const ULONG shown = wizard->m_ulWiFiDirectDefPin;
    EXPECT_EQ(shown, wizard->m_pWPS->m_ulPin);
    EXPECT_TRUE(wizard->m_pWPS->m_bPinRegOffered);
    wizard->BtnWiFiDirectNextClick();
    EXPECT_FALSE(wizard->Visible);

    // The owner's WPS run reuses that PIN.
    sim.ClearJournal();
    wizard->FormShow(ACTION_WPS);
    EXPECT_EQ(shown, wizard->m_pWPS->m_ulPin);
    wizard->m_pWPS->rBtnPIN_RegSpecClick();
    wizard->BtnWiFiDirectNextClick();
    EXPECT_FALSE(wizard->Visible);
    EXPECT_EQ(1u, sim.JournalLines("QXWL_SetWifiDirectWpseConfig(9)").size());
    EXPECT_EQ(shown, wizard->m_ulWiFiDirectDefPin);
}
TEST_F(WiFiDirectFormsTest, TheFallbackPassPhraseIsDrawnOnceForTheInstallationAndKept)
{
    app.SetRegistryKey("Quixen Pass Phrase Test");
    const auto forgetKept = [&] { app.WriteProfileString(CGroupPassPhrase::kSection, CGroupPassPhrase::kEntry, nullptr); };
    forgetKept();
    CGroupPassPhrase::Forget();
    const CString first = CGroupPassPhrase::Get();
    EXPECT_TRUE(CGroupPassPhrase::IsUsable(first)) << first.GetString();
    EXPECT_EQ(CGroupPassPhrase::kLength, first.GetLength());
    EXPECT_NE(CString("58203917"), first);
    // The next run of the program finds it kept.
    CGroupPassPhrase::Forget();
    EXPECT_EQ(first, CGroupPassPhrase::Get());
    EXPECT_EQ(first, app.GetProfileString(CGroupPassPhrase::kSection, CGroupPassPhrase::kEntry, ""));
    // Another installation draws its own; a kept phrase no group could use is drawn anew.
    forgetKept();
    CGroupPassPhrase::Forget();
    EXPECT_NE(first, CGroupPassPhrase::Get());
    app.WriteProfileString(CGroupPassPhrase::kSection, CGroupPassPhrase::kEntry, "short");
    CGroupPassPhrase::Forget();
    EXPECT_TRUE(CGroupPassPhrase::IsUsable(CGroupPassPhrase::Get()));
    // The library's own phrase, when it has one, comes first: the stand-in has none.
    EXPECT_EQ(CGroupPassPhrase::Get(), CGroupPassPhrase::Default());
    forgetKept();
    CGroupPassPhrase::Forget();
    app.SetRegistryKey("");
}
}  // namespace
