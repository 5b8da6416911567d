// The skinned hosted-network configuration page in a live main window, against the stand-in
// station library and the stand-in bridge program: SAVE through the settings page, refusals
// that write nothing, and the bridge binding with its failure told to the user.
#include <gtest/gtest.h>
#include "contract/StationContract.h"
#include "skin/MainWindowFixture.h"
#include "softap/BridgeBinding.h"
#include "softap/BridgeStandIn.h"
#include "softap/KelvoPageApConfigDlg.h"
#include "softap/KelvoPageApConfigXPVistaDlg.h"
#include "softap/NetAdapterDevice.h"
#include "softap/PageExtAPDlg.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

using namespace testing_support;
using softap_test::BridgeProgramDone;

namespace {
class HostedConfigPage : public skin_test::MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        // Each refusal its own text, so that a check names the one shown.
        G_LangTable.IDS_MSG_PREKEY_ERROR = "The key is not valid.";
        G_LangTable.IDS_MSG_INVALID_MAXCLIENT = "The number of clients is out of range.";
        G_LangTable.IDS_ADHOCINPUTSSID = "Enter an SSID.";
        G_LangTable.IDS_AP_BIND_ERROR = "The bridge could not be bound.";
        G_LangTable.IDS_AP_FAIL_TO_RUN_BRIDGE = "The bridge program did not start.";
        G_LangTable.IDS_AP_HOSTED_SETUP_FAIL = "The hosted network could not be set up.";
        m_savedAdmin = G_bIsAdmin;
        G_bIsAdmin = 1;
        SetNetDeviceSource([](std::vector<NetDeviceRecord>& out) {
            NetDeviceRecord wired;
            wired.StatusRead = wired.KeyOpened = wired.HasMatchingId = true;
            wired.Name = "Wired LAN";
            wired.MatchingId = "PCI\\VEN_8086&DEV_100E";
            out.push_back(wired);
            return true;
        });
        EXTAP_CONFIG stored{};
        memcpy(stored.Ssid, "Kelvo_Hosted", 12);
        stored.SsidLength = 12;
        memcpy(stored.Key, "oldpassword", 11);
        stored.KeyLength = 11;
        stored.Channel = 11;
        stored.MaxPeers = 20;
        ASSERT_EQ(QXWL_ERROR_SUCCESS, QXWLAPI.QXWL_WriteExtAPConfig(stored));
        settings = new CPageExtAPDlg(&mainWindow);  // the main window deletes it
        mainWindow.m_pPageExtAPDlg = settings;
        ASSERT_TRUE(page.Create(CKelvoPageApConfigDlg::IDD, &mainWindow));
        page.ShowWindow(SW_SHOW);
        ::DeleteFileA(Log().c_str());
        sim.ClearJournal();
    }
    void TearDown() override
    {
        page.DestroyWindow();
        CBindResultWaiter::Get().Stop();
        SetBridgeLauncher({});
        SetNetDeviceSource({});
        G_bIsAdmin = m_savedAdmin;
        m_world.reset();
        // The bridge program's objects go before the next case starts one.
        EXPECT_TRUE(PumpUntil(BridgeProgramDone, kWaitBoundMs));
        MainWindowTest::TearDown();
    }
    static std::string Log() { return BinFolder() + "VarodiVevovi.log"; }
    void BridgeWorld(int succeeds)
    {
        m_world.reset();
        m_world = std::make_unique<ScopedFile>(BinFolder() + "VarodiVevoviWorld.ini",
                                               "[Bind]\r\nSucceeds=" + std::to_string(succeeds) +
                                                   "\r\nHoldMs=" + std::to_string(kHoldMs) + "\r\n");
    }
    void Type(int id, LPCSTR text) { page.SetDlgItemText(id, text); }
    std::string Text(int id)
    {
        CString text;
        page.GetDlgItemText(id, text);
        return text.GetString();
    }
    void Save() { ClickButton(page, IDC_KAPCFG_SAVE); }
    EXTAP_CONFIG Stored()
    {
        EXTAP_CONFIG config{};
        QXWLAPI.QXWL_ReadExtAPConfig(&config);
        return config;
    }
    // From here on the bridge program's starts are only recorded, so that a start that must not
    // happen is seen at once: starting it is the page's own synchronous step.
    void RecordStarts()
    {
        SetBridgeLauncher([this](LPCSTR parameters, HANDLE*) {
            starts.push_back(parameters);
            return true;
        });
    }
    size_t Binds() const
    {
        const std::string log = ReadWholeFile(Log());
        size_t n = 0;
        for (size_t at = log.find("BINDWIN7+"); at != std::string::npos; at = log.find("BINDWIN7+", at + 1)) ++n;
        return n;
    }

    static constexpr DWORD kHoldMs = 1500;
    CKelvoPageApConfigDlg page;
    CPageExtAPDlg* settings = nullptr;
    std::vector<std::string> starts;
    int m_savedAdmin = 0;
    std::unique_ptr<ScopedFile> m_world;
};
}  // namespace

namespace {
LOGFONTA FontOf(HWND control)
{
    LOGFONTA lf{};
    ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(control, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    return lf;
}

// Labels, titles, check boxes and buttons of a configuration page in the skin's looks.
void ExpectSkinned(CWnd& page)
{
    const LOGFONTA label = FontOf(::GetDlgItem(page.m_hWnd, IDC_KAPCFG_CHANNEL_LABEL));
    EXPECT_STREQ("Tahoma", label.lfFaceName);
    EXPECT_EQ(800, label.lfWeight);
    EXPECT_EQ(-11, label.lfHeight);
    const LOGFONTA title = FontOf(::GetDlgItem(page.m_hWnd, IDC_KAPCFG_SECURITY_TITLE));
    EXPECT_STREQ("Arial", title.lfFaceName);
    EXPECT_EQ(-12, title.lfHeight);
    EXPECT_STREQ("Tahoma", FontOf(::GetDlgItem(page.m_hWnd, IDC_KAPCFG_BRIDGE)).lfFaceName);
    for (int id : {IDC_KAPCFG_SAVE, IDC_KAPCFG_CANCEL}) {
        HWND button = ::GetDlgItem(page.m_hWnd, id);
        EXPECT_EQ(static_cast<LONG>(BS_OWNERDRAW), ::GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) << id;
        RECT rc{};
        ::GetWindowRect(button, &rc);
        EXPECT_EQ(75, rc.right - rc.left) << "sized to the skin's bitmap";
        EXPECT_EQ(23, rc.bottom - rc.top);
    }
}
}  // namespace

TEST_F(HostedConfigPage, BothVariantsWearTheSkin)
{
    ExpectSkinned(page);
    CKelvoPageApConfigXPVistaDlg softAp;
    ASSERT_TRUE(softAp.Create(CKelvoPageApConfigXPVistaDlg::IDD, &mainWindow));
    ExpectSkinned(softAp);
    // The soft-AP page offers the mixed mode the security dialog has.
    EXPECT_EQ(5, static_cast<int>(softAp.SendDlgItemMessage(IDC_KAPCFG_SECTYPE, CB_GETCOUNT)));
    softAp.DestroyWindow();
}

TEST_F(HostedConfigPage, SaveWritesTheSsidAndKeyThroughTheSettingsPageKeepingTheChannel)
{
    CString ssid;
    page.GetDlgItemText(IDC_KAPCFG_SSID, ssid);
    EXPECT_STREQ(ssid, "Kelvo_Hosted");
    Type(IDC_KAPCFG_SSID, "Lab AP");
    Type(IDC_KAPCFG_PSK, "correct horse");
    MessageBoxCapture boxes;
    Save();
    EXPECT_EQ(boxes.Count(), 0u);
    EXPECT_EQ(Calls("QXWL_HostedNetworkSetup"), std::vector<std::string>{"QXWL_HostedNetworkSetup(Lab AP)"});
    const EXTAP_CONFIG stored = Stored();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(stored.Ssid), stored.SsidLength), "Lab AP");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(stored.Key), stored.KeyLength), "correct horse");
    EXPECT_EQ(stored.Channel, 11u);
}

TEST_F(HostedConfigPage, AHostedNetworkNeverSetUpSavesWithTheDefaultPeerCount)
{
    ASSERT_EQ(QXWL_ERROR_SUCCESS, QXWLAPI.QXWL_WriteExtAPConfig(EXTAP_CONFIG{}));
    settings->LoadConfig();
    EXPECT_STREQ(settings->m_strMaxPeers, "20");
    Type(IDC_KAPCFG_SSID, "Fresh AP");
    Type(IDC_KAPCFG_PSK, "fresh password");
    MessageBoxCapture boxes;
    Save();
    EXPECT_EQ(boxes.Count(), 0u);
    EXPECT_EQ(Stored().MaxPeers, 20u);
}

TEST_F(HostedConfigPage, RefusedKeysAndSettingsWriteNothingAndBindNothing)
{
    RecordStarts();
    SendMessage(page.GetDlgItem(IDC_KAPCFG_BRIDGE)->m_hWnd, BM_SETCHECK, BST_CHECKED, 0);
    Type(IDC_KAPCFG_PSK, "short");
    {
        MessageBoxCapture boxes;
        Save();
        ASSERT_EQ(boxes.Count(), 1u);
        EXPECT_STREQ(boxes.Boxes()[0].text, G_LangTable.IDS_MSG_PREKEY_ERROR);
    }
    // The settings page refuses what the skinned page does not check: SAVE stops there too.
    Type(IDC_KAPCFG_PSK, "long enough");
    settings->m_strMaxPeers = "99";
    {
        MessageBoxCapture boxes;
        Save();
        ASSERT_EQ(boxes.Count(), 1u);
        EXPECT_STREQ(boxes.Boxes()[0].text, G_LangTable.IDS_MSG_INVALID_MAXCLIENT);
    }
    EXPECT_TRUE(Calls("QXWL_WriteExtAPConfig").empty());
    EXPECT_TRUE(Calls("QXWL_HostedNetworkSetup").empty());
    EXPECT_TRUE(starts.empty()) << starts.front();
    EXPECT_FALSE(CBindResultWaiter::Get().Running());
    EXPECT_EQ(Stored().KeyLength, 11u);
    // Cancel shows what is stored, not the refused entries.
    ClickButton(page, IDC_KAPCFG_CANCEL);
    CString key;
    page.GetDlgItemText(IDC_KAPCFG_PSK, key);
    EXPECT_STREQ(key, "oldpassword");
    EXPECT_STREQ(settings->m_strMaxPeers, "20");
}

TEST_F(HostedConfigPage, BindingRunsTheBridgeProgramAndItsFailureIsTold)
{
    BridgeWorld(0);
    CString adapter;
    page.GetDlgItemText(IDC_KAPCFG_BRIDGE_ADAPTER, adapter);
    ASSERT_STREQ(adapter, "Wired LAN");
    SendMessage(page.GetDlgItem(IDC_KAPCFG_BRIDGE)->m_hWnd, BM_SETCHECK, BST_CHECKED, 0);
    Type(IDC_KAPCFG_PSK, "long enough");
    MessageBoxCapture boxes;
    Save();
    ASSERT_TRUE(PumpUntil([&] { return boxes.Count() > 0; }, kWaitBoundMs));
    EXPECT_STREQ(boxes.Boxes()[0].text, G_LangTable.IDS_AP_BIND_ERROR);
    char expected[128];
    snprintf(expected, sizeof expected, " BINDWIN7+02:4B:45:4C:56:4F+Wired LAN+%u+\r\n",
             static_cast<unsigned>(reinterpret_cast<UINT_PTR>(page.m_hWnd)));
    EXPECT_NE(ReadWholeFile(Log()).find(expected), std::string::npos) << ReadWholeFile(Log());
    // The bridge word has its own field: the channel stays.
    const EXTAP_CONFIG stored = Stored();
    EXPECT_EQ(stored.Channel, 11u);
    EXPECT_EQ(stored.Reserved112, HostedBridgeWord("Wired LAN", true));
    EXPECT_EQ(Binds(), 1u);
    // The same state again starts nothing.
    RecordStarts();
    Save();
    EXPECT_TRUE(starts.empty()) << starts.front();
    EXPECT_EQ(boxes.Count(), 1u);
}

TEST_F(HostedConfigPage, AnSsidOverThirtyTwoCharactersIsRefusedNeverCut)
{
    for (const std::string& ssid : {std::string(33, 'L'), std::string(5000, 'L')}) {
        for (bool settingsWindow : {false, true}) {
            if (settingsWindow && !settings->m_hWnd) {
                ASSERT_TRUE(settings->Create(CPageExtAPDlg::IDD, &mainWindow));
                // The settings page's own fields take no more than their records hold.
                EXPECT_EQ(32, static_cast<int>(settings->SendDlgItemMessage(IDC_EXTAP_SSID, EM_GETLIMITTEXT)));
                EXPECT_EQ(64, static_cast<int>(settings->SendDlgItemMessage(IDC_EXTAP_KEY, EM_GETLIMITTEXT)));
            }
            Type(IDC_KAPCFG_SSID, ssid.c_str());
            Type(IDC_KAPCFG_PSK, "long enough");
            MessageBoxCapture boxes;
            Save();
            ASSERT_EQ(boxes.Count(), 1u) << ssid.size();
            EXPECT_STREQ(boxes.Boxes()[0].text, "Enter no more than 32 characters.");
            EXPECT_TRUE(Calls("QXWL_WriteExtAPConfig").empty());
            EXPECT_TRUE(Calls("QXWL_HostedNetworkSetup").empty());
        }
    }
    const EXTAP_CONFIG stored = Stored();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(stored.Ssid), stored.SsidLength), "Kelvo_Hosted");
}

TEST_F(HostedConfigPage, AFailedSetUpIsToldAndNothingIsBoundOrStoredAsBound)
{
    ASSERT_TRUE(sim.Set("HostedNetworkSetupFails", 1));
    SendMessage(page.GetDlgItem(IDC_KAPCFG_BRIDGE)->m_hWnd, BM_SETCHECK, BST_CHECKED, 0);
    Type(IDC_KAPCFG_PSK, "long enough");
    MessageBoxCapture boxes;
    Save();
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_STREQ(boxes.Boxes()[0].text, G_LangTable.IDS_AP_HOSTED_SETUP_FAIL);
    // A binding would have started its waiter within SAVE.
    EXPECT_FALSE(CBindResultWaiter::Get().Running());
    EXPECT_EQ(page.m_bBridged, 0u) << "the state is remembered only for a binding made";
    EXPECT_EQ(Stored().Reserved112, 0u) << "no bridge stored that was never bound";
}

TEST_F(HostedConfigPage, TheSettingsPageShowsTheChannelAndASkinnedCheckBoxForTheHostedNetwork)
{
    ASSERT_TRUE(sim.Set("OpMode", 2));  // station and hosted network
    const int savedSwitch = QXWLAPI.ShowPassword;
    QXWLAPI.ShowPassword = 1;
    ASSERT_TRUE(settings->Create(CPageExtAPDlg::IDD, &mainWindow));
    settings->ShowWindow(SW_SHOW);
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(settings->m_hWnd, IDC_EXTAP_CHANNEL)));
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(settings->m_hWnd, IDC_EXTAP_CHANNEL_LABEL)));
    CString channel;
    settings->GetDlgItemText(IDC_EXTAP_CHANNEL, channel);
    EXPECT_STREQ(channel, "11");

    HWND box = ::GetDlgItem(settings->m_hWnd, IDC_EXTAP_SHOW_PASSWORD);
    EXPECT_EQ(static_cast<LONG>(BS_OWNERDRAW), ::GetWindowLongA(box, GWL_STYLE) & BS_TYPEMASK) << "drawn from the skin";
    EXPECT_EQ('*', static_cast<char>(::SendDlgItemMessageA(settings->m_hWnd, IDC_EXTAP_KEY, EM_GETPASSWORDCHAR, 0, 0)));
    ClickButton(*settings, IDC_EXTAP_SHOW_PASSWORD);
    EXPECT_EQ(BST_CHECKED, ::SendMessageA(box, BM_GETCHECK, 0, 0));
    EXPECT_EQ(0, ::SendDlgItemMessageA(settings->m_hWnd, IDC_EXTAP_KEY, EM_GETPASSWORDCHAR, 0, 0)) << "the key shows";
    QXWLAPI.ShowPassword = savedSwitch;
}

TEST_F(HostedConfigPage, ModeSwitchRebindsAfterEnteringAndUnbindsOnLeaving)
{
    BridgeWorld(1);
    EXTAP_CONFIG bridged = Stored();
    bridged.Reserved112 = HostedBridgeWord("Wired LAN", true);
    ASSERT_EQ(QXWL_ERROR_SUCCESS, QXWLAPI.QXWL_WriteExtAPConfig(bridged));
    page.RefreshStatus();
    EXPECT_EQ(page.SendDlgItemMessage(IDC_KAPCFG_BRIDGE, BM_GETCHECK), BST_CHECKED);

    // Entering: the page binds what it shows again once its apply timer has run, not at once (a
    // binding starts its waiter, which runs until the program it started has logged and answered).
    page.UnbindAndArmApply(1);
    EXPECT_FALSE(CBindResultWaiter::Get().Running());
    EXPECT_EQ(Binds(), 0u);
    EXPECT_TRUE(PumpUntil([&] { return Binds() == 1; }, kWaitBoundMs));
    EXPECT_TRUE(PumpUntil(BridgeProgramDone, kWaitBoundMs));
    // Leaving with a bridged word stored: everything is unbound.
    page.UnbindAndArmApply(0);
    EXPECT_TRUE(PumpUntil([&] { return ReadWholeFile(Log()).find("UNBINDALL+") != std::string::npos; }, kWaitBoundMs));

    // A user who is not an administrator only has the page reloaded: the reload puts back the
    // stored key over an entry, and starts nothing.
    RecordStarts();
    G_bIsAdmin = 0;
    Type(IDC_KAPCFG_PSK, "typed over");
    page.UnbindAndArmApply(0);
    EXPECT_TRUE(PumpUntil([&] { return Text(IDC_KAPCFG_PSK) == "oldpassword"; }, kWaitBoundMs));
    EXPECT_TRUE(starts.empty()) << starts.front();
    EXPECT_FALSE(CBindResultWaiter::Get().Running());
}
