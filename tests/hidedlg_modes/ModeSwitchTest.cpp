// The switches between station, soft-AP, station plus hosted network and station plus Wi-Fi
// Direct group owner, with their refusals and fall-backs.
#include "ModesFixture.h"
#include "wifidirect/AdvancedWiFiDirect.h"

namespace hidedlg_testing {
namespace {

constexpr char kVirtualMiniport[] = "{5D624F94-8850-40C3-A3FA-A4FD2080BAF3}\\VWIFIMP";

EXTAP_CONFIG HostedConfig()
{
    EXTAP_CONFIG config{};
    config.SsidLength = 6;
    std::memcpy(config.Ssid, "Hosted", 6);
    config.KeyLength = 10;
    std::memcpy(config.Key, "hostedpass", 10);
    config.MaxPeers = 8;
    return config;
}

class ModeSwitch : public ModesFixture {};

TEST_F(ModeSwitch, StationFromWiFiDirectStopsTheGroupOwnerBeforeDhcpAndMode)
{
    CHideDlg& d = StartStation("");
    sim.Set("OpMode", 3);  // the tray's refresh at start-up writes the stored mode back to the driver
    d.m_bHideAPButton = FALSE;
    d.OnTraySwitchSTAMode();
    const std::vector<std::string> journal = sim.Journal();
    const int stop = FirstLine(journal, "QXWL_StopWifiDirectGO");
    const int dhcp = FirstLine(journal, "QXWL_DisableDhcpServer");
    const int mode = FirstLine(journal, "QXWL_SetAndWriteOPMode(0)");
    ASSERT_GE(stop, 0);
    EXPECT_LT(stop, dhcp);
    EXPECT_LT(dhcp, mode);
    EXPECT_FALSE(Called("QXWL_HostedNetworkStopUsing"));
    EXPECT_EQ(0, sim.Get("OpMode"));
    EXPECT_TRUE(d.m_bHideAPButton);
}

TEST_F(ModeSwitch, StationFromHostedNetworkStopsIt)
{
    CHideDlg& d = StartStation("");
    sim.Set("OpMode", 2);
    sim.Set("StoredOpMode", 2);
    d.OnTraySwitchSTAMode();
    EXPECT_TRUE(Called("QXWL_HostedNetworkStopUsing"));
    EXPECT_FALSE(Called("QXWL_StopWifiDirectGO"));
    EXPECT_EQ(0, sim.Get("StoredOpMode"));
}

TEST_F(ModeSwitch, APClientFromAccessPointOrHostedModeWritesModeTwoOnly)
{
    for (LONG from : {1L, 2L}) {
        CHideDlg& d = StartStation("");
        sim.Set("OpMode", from);
        sim.ClearJournal();
        d.OnTraySwitchAPClientMode();
        EXPECT_FALSE(Called("QXWL_ReadExtAPConfig")) << from;
        EXPECT_FALSE(Called("QXWL_HostedNetworkSetup")) << from;
        EXPECT_FALSE(Called("QXWL_HostedNetworkStopUsing")) << from;
        EXPECT_EQ(std::vector<std::string>{"QXWL_SetAndWriteOPMode(2)"}, sim.JournalLines("QXWL_SetAndWriteOPMode"));
    }
    EXPECT_EQ(0u, QxSwapLines(0).size());
}

TEST_F(ModeSwitch, APClientOnWindowsSevenSetsUpTheHostedNetworkAndRunsTheSwapProgram)
{
    CHideDlg& d = StartStation("[World]\nOsCode=12\n");
    ASSERT_EQ(QXWL_ERROR_SUCCESS, QXWLAPI.QXWL_WriteExtAPConfig(HostedConfig()));
    d.OnTraySwitchAPClientMode();
    EXPECT_TRUE(Called("QXWL_HostedNetworkSetup(Hosted)"));
    EXPECT_EQ(2, sim.Get("OpMode"));
    EXPECT_FALSE(d.m_bHideAPButton);
    EXPECT_EQ(0u, boxes.Count());
    const std::string base = ProgramBaseName();
    const std::vector<std::string> lines = QxSwapLines(1);
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ("\"" + BinFolder() + "QxSwap.exe\" ON " + base + " " + base +
                  " \"Quixen Wireless\" \"Quixen Wireless Utility\" \"" + kVirtualMiniport + "\"",
              lines[0]);
}

TEST_F(ModeSwitch, FailedHostedSetupFallsBackToStationWithItsMessage)
{
    CHideDlg& d = StartStation("[World]\nHostedNetworkSetupFails=1\n");
    ASSERT_EQ(QXWL_ERROR_SUCCESS, QXWLAPI.QXWL_WriteExtAPConfig(HostedConfig()));
    d.OnTraySwitchAPClientMode();
    EXPECT_EQ(std::vector<std::string>{"QXWL_SetAndWriteOPMode(0)"}, sim.JournalLines("QXWL_SetAndWriteOPMode"));
    EXPECT_TRUE(d.m_bHideAPButton);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(G_LangTable.IDS_MSG_SWITCH_APCLIENT_MODE_FAIL, boxes.Boxes()[0].text);
    EXPECT_EQ(0u, QxSwapLines(0).size());
}

TEST_F(ModeSwitch, GroupOwnerStartsOrFallsBackToStation)
{
    CHideDlg& d = StartStation("");
    sim.Set("SetOpModeFails", 1);  // the driver refuses the mode: it is still a station
    d.OnTraySwitchWiFiDirectConcurrentMode();
    EXPECT_EQ(OP_MODE_STATION, d.m_nOpMode);
    sim.Set("SetOpModeFails", 0);
    d.OnTraySwitchWiFiDirectConcurrentMode();
    EXPECT_EQ(3, sim.Get("OpMode"));
    EXPECT_EQ(3, d.m_nOpMode);
    EXPECT_EQ(0u, boxes.Count());

    sim.Set("OpMode", 2);
    sim.Set("StartWifiDirectGOFails", 1);
    sim.ClearJournal();
    d.OnTraySwitchWiFiDirectConcurrentMode();
    EXPECT_TRUE(Called("QXWL_HostedNetworkStopUsing"));
    EXPECT_EQ(0, sim.Get("OpMode"));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(CString("Start Wi-Fi Direct concurrent GO Fail"), boxes.Boxes()[0].text);
    EXPECT_TRUE(d.m_bHideAPButton);
}

// A library bound without the DHCP server control (an optional entry point) still switches.
TEST_F(ModeSwitch, SharedModeSwitchesGoOnWithoutTheDhcpServerControl)
{
    CHideDlg& d = StartStation("[World]\nOsCode=12\n");
    ASSERT_EQ(QXWL_ERROR_SUCCESS, QXWLAPI.QXWL_WriteExtAPConfig(HostedConfig()));
    const auto disableDhcp = QXWLAPI.QXWL_DisableDhcpServer;
    QXWLAPI.QXWL_DisableDhcpServer = nullptr;
    d.OnTraySwitchAPClientMode();
    EXPECT_EQ(2, sim.Get("OpMode"));
    sim.Set("OpMode", 0);
    d.OnTraySwitchWiFiDirectConcurrentMode();
    EXPECT_EQ(3, sim.Get("OpMode"));
    d.OnTraySwitchSTAMode();
    EXPECT_EQ(0, sim.Get("OpMode"));
    QXWLAPI.QXWL_DisableDhcpServer = disableDhcp;
    EXPECT_FALSE(Called("QXWL_DisableDhcpServer"));
    QxSwapLines(1);  // let the started swap program finish
}

// With the Wi-Fi Direct flag set the station's Windows profiles go (a line written at any debug
// mode); without the engine that is logged at level 3 only.
TEST_F(ModeSwitch, SharedModeSwitchesWithoutTheEngineLogTheirLinesAtTheirLevels)
{
    CHideDlg& d = StartStation("");
    if (d.m_pQxUI) CKelvoPageUIDlg::From(d.m_pQxUI)->DestroyWindow();  // no page, so no engine is made on the way
    delete d.m_pWiFiDirect;
    d.m_pWiFiDirect = nullptr;
    ASSERT_EQ(QXWL_ERROR_SUCCESS, QXWLAPI.QXWL_WriteWifiDirectFlag(TRUE));
    const struct {
        void (CHideDlg::*run)();
        const char* deleteLine;
        const char* noEngineLine;
    } switches[] = {
        {&CHideDlg::OnTraySwitchAPClientMode, "TFormMain::OnTraySwitchAPClientMode call QXWL_WlanDeleteAllWindowsProfiles()",
         "TFormMain::OnTraySwitchAPClientMode FormAdvanced->FrameAdvanceWiFiDirect  = "},
        {&CHideDlg::OnTraySwitchWiFiDirectConcurrentMode, "CHideDlg::OnTraySwitchWiFiDirect call QXWL_WlanDeleteAllWindowsProfiles()",
         "CHideDlg::OnTraySwitchWiFiDirect FormAdvanced->FrameAdvanceWiFiDirect = "},
    };
    for (const auto& c : switches) {
        for (int debugMode : {2, 3}) {
            sim.Set("OpMode", 0);
            ASSERT_FALSE(d.m_pWiFiDirect);
            testing_support::LogCapture log(debugMode);
            (d.*c.run)();
            EXPECT_TRUE(log.Contains(c.deleteLine)) << debugMode;
            EXPECT_EQ(debugMode >= 3, log.Contains(c.noEngineLine)) << c.noEngineLine << " " << debugMode;
        }
    }
    QxSwapLines(1);
}

// The mode-swap program's command line, by operating system and mode.
TEST_F(ModeSwitch, SwapProgramCommandLinesFollowTheSystemAndTheMode)
{
    CHideDlg& d = StartStation("[World]\nOsCode=12\n");
    const std::string device = QXWLAPI.m_AdapterEntry.chDeviceID;
    ASSERT_FALSE(device.empty());
    d.RunQxSwap(OP_MODE_APCLIENT);
    d.RunQxSwap(OP_MODE_AP);
    d.RunQxSwap(OP_MODE_STATION);
    G_nOSVersion = 8;
    d.RunQxSwap(OP_MODE_AP);
    d.RunQxSwap(OP_MODE_STATION);

    const std::string exe = "\"" + BinFolder() + "QxSwap.exe\" ";
    const std::string base = ProgramBaseName();
    const std::string names = " \"Quixen Wireless\" \"Quixen Wireless Utility\" ";
    const std::vector<std::string> lines = QxSwapLines(5);
    ASSERT_EQ(5u, lines.size());
    // WinExec does not wait: the five starts may finish in any order.
    const std::vector<std::string> expected = {
        exe + "ON " + base + " " + base + names + "\"" + kVirtualMiniport + "\"",
        exe + "ON " + base + " QxUI" + names + "\"" + device + "\"",
        exe + "OFF " + base + " " + base + names + "\"" + kVirtualMiniport + "\"",
        exe + "ON " + base + " QxUI" + names + "\"" + device + "\"",
        exe + "OFF " + base + " QxUI" + names + "\"" + device + "\"",
    };
    std::vector<std::string> sortedLines = lines, sortedExpected = expected;
    std::sort(sortedLines.begin(), sortedLines.end());
    std::sort(sortedExpected.begin(), sortedExpected.end());
    EXPECT_EQ(sortedExpected, sortedLines);
}

TEST_F(ModeSwitch, ConfigToolCheckFollowsTheSelectValue)
{
    struct Case {
        LONG select, zeroConfig;
        const char* line;  // null: nothing is switched
    };
    const Case cases[] = {
        {0, 0, "ConfigToolSelect is 0, call OnTraySwitchZeroConfig()"},
        {0, 2, nullptr},
        {1, 2, "ConfigToolSelect is 1, call OnTraySwitchQxconfig()"},
        {1, 0, nullptr},
        {7, 2, "ConfigToolSelect is neither 0 nor 1, call OnTraySwitchQxconfig()"},
    };
    CHideDlg& d = StartStation("[World]\nOsCode=8\nConfigToolResult=0\n");
    for (const Case& c : cases) {
        sim.Set("ConfigToolSelect", c.select);
        sim.Set("ZeroConfig", c.zeroConfig);
        testing_support::LogCapture log(3);
        d.CheckConfigToolForXP();
        EXPECT_EQ(c.line != nullptr, log.Contains("ConfigToolSelect")) << c.select << "/" << c.zeroConfig;
        if (c.line) {
            // Once: the switch runs the card start, whose own check must not switch again (the
            // library keeps giving the same answers).
            const std::vector<std::string> lines = log.Lines();
            EXPECT_EQ(1, std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
                          return line.find(c.line) != std::string::npos;
                      }))
                << c.line;
        }
    }
    sim.Set("ConfigToolResult", 1);
    testing_support::LogCapture log(3);
    d.CheckConfigToolForXP();
    EXPECT_FALSE(log.Contains("return not QXWL_ERROR_SUCCESS"));
}

class ApModeEntry : public ModesFixture {
protected:
    void TearDown() override
    {
        AfxSetModalDialogHook(nullptr);
        SetServiceRunning("Wlansvc", false);
        ModesFixture::TearDown();
    }
    // Nothing of the switch happened: no backup, no mode written, driver still in station mode.
    void ExpectNothingChanged()
    {
        EXPECT_FALSE(Called("QXWL_BackupStationSetting"));
        EXPECT_FALSE(Called("QXWL_SetAndWriteOPMode"));
        EXPECT_FALSE(Called("QXWL_WlanDeleteAllWindowsProfiles"));
        EXPECT_FALSE(Called("QXWL_Release"));
        EXPECT_EQ(0, sim.Get("OpMode"));
        EXPECT_EQ(OP_MODE_STATION, dlg->m_nOpMode);
    }
};

TEST_F(ApModeEntry, AnotherUserLocksTheAdapter)
{
    CHideDlg& d = StartStation("[World]\nMoreThanOneUser=1\n");
    EXPECT_FALSE(d.OnTraySwitchApMode());
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(G_LangTable.IDS_UI_LOCKED, boxes.Boxes()[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes.Boxes()[0].type & MB_ICONMASK);
    ExpectNothingChanged();
}

TEST_F(ApModeEntry, RadioOffShowsTheMessageDialogAndKeepsTheMainWindowUsable)
{
    CHideDlg& d = StartStation("[World]\nSwRadio=0\n");
    d.ShowConfigUI();
    ASSERT_TRUE(d.m_pQxUI && CKelvoPageUIDlg::From(d.m_pQxUI)->IsWindow());
    CString shownText;
    bool mainDisabled = false;
    AfxSetModalDialogHook([&](CDialog& shown) {
        shown.GetDlgItemText(IDC_MESSAGE_TEXT, shownText);
        mainDisabled = !::IsWindowEnabled(CKelvoPageUIDlg::From(d.m_pQxUI)->m_hWnd);
        shown.EndDialog(IDOK);
    });
    sim.ClearJournal();
    EXPECT_FALSE(d.OnTraySwitchApMode());
    EXPECT_EQ(G_LangTable.IDS_INVAILDRADIOOFF, shownText);
    EXPECT_TRUE(mainDisabled);
    EXPECT_TRUE(::IsWindowEnabled(CKelvoPageUIDlg::From(d.m_pQxUI)->m_hWnd));
    ExpectNothingChanged();
}

TEST_F(ApModeEntry, FromVistaOnTheWirelessServiceMustRun)
{
    ASSERT_TRUE(SetServiceRunning("Wlansvc", false));
    CHideDlg& d = StartStation("[World]\nOsCode=10\n");
    EXPECT_FALSE(d.OnTraySwitchApMode());
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(CString("Please turn on AutoConfig service"), boxes.Boxes()[0].text);
    EXPECT_EQ(CString(kProductName), boxes.Boxes()[0].caption);
    ExpectNothingChanged();

    ASSERT_TRUE(SetServiceRunning("Wlansvc", true));
    EXPECT_TRUE(d.OnTraySwitchApMode());
    const std::vector<std::string> journal = sim.Journal();
    const int profiles = FirstLine(journal, "QXWL_WlanDeleteAllWindowsProfiles");
    const int backup = FirstLine(journal, "QXWL_BackupStationSetting");
    ASSERT_GE(profiles, 0);
    EXPECT_LT(profiles, backup);
    EXPECT_LT(backup, FirstLine(journal, "QXWL_SetAndWriteOPMode(1)"));
    EXPECT_EQ(1, sim.Get("OpMode"));
}

TEST_F(ApModeEntry, OnXpTheSupplicantStopsAndTheLibraryLetsGoBeforeTheBackup)
{
    CHideDlg& d = StartStation("[World]\nOsCode=8\n");
    EXPECT_TRUE(d.OnTraySwitchApMode());
    const std::vector<std::string> journal = sim.Journal();
    const int stop = FirstLine(journal, "QXWL_StopAuth");
    const int release = FirstLine(journal, "QXWL_Release");
    ASSERT_GE(stop, 0);
    EXPECT_LT(stop, release);
    EXPECT_LT(release, FirstLine(journal, "QXWL_BackupStationSetting"));
    EXPECT_FALSE(Called("QXWL_WlanDeleteAllWindowsProfiles"));
}

TEST_F(ApModeEntry, SwitchThenLoadRunsTheAccessPointAndBackAgain)
{
    CHideDlg& d = StartStation("[World]\nOsCode=8\n");
    ASSERT_TRUE(d.OnTraySwitchApMode());
    ASSERT_EQ(1, d.LoadApApi());
    EXPECT_EQ(OP_MODE_AP, d.m_nOpMode);
    EXPECT_TRUE(ApCalled("QXAP_Initial"));
    EXPECT_TRUE(ApCalled("QXAP_AdapterSelect"));
    EXPECT_EQ(1, ap.Get("Running"));
    EXPECT_EQ(1, ap.Get("DhcpRunning"));
    EXPECT_TRUE(d.m_bApDeviceExist);

    EXPECT_TRUE(d.LeaveApMode());
    EXPECT_EQ(0, ap.Get("Running"));
    EXPECT_EQ(0, ap.Get("OpMode"));
    ASSERT_EQ(1, d.ReloadStationApi());
    EXPECT_EQ(OP_MODE_STATION, d.m_nOpMode);
    EXPECT_TRUE(Called("QXWL_Initial"));
}

TEST_F(ApModeEntry, LeavingIsRefusedWhileAnotherUtilityOwnsTheAdapter)
{
    CHideDlg& d = StartStation("");
    ASSERT_EQ(1, d.LoadApApi());
    ap.Set("MoreThanOneProcess", 1);
    ap.ClearJournal();
    EXPECT_FALSE(d.LeaveApMode());
    EXPECT_FALSE(ApCalled("QXAP_SetOPMode"));
    EXPECT_FALSE(ApCalled("QXAP_RestoreStationSetting"));
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(G_LangTable.IDS_UI_LOCKED, boxes.Boxes()[0].text);
    EXPECT_EQ(G_LangTable.IDS_APCONFIGMSG, boxes.Boxes()[0].caption);
}

// A hidden dialog whose soft-AP library is missing from the program's folder.
class CHideDlgWithoutSoftAp : public CHideDlg {
public:
    int Result() const { return m_nModalResult; }

protected:
    CString SoftApLibraryPath() const override { return CString(BinFolder().c_str()) + "NoSuchQxAPAPI.dll"; }
};

TEST_F(ApModeEntry, MissingSoftApLibraryEndsTheDialogAndPutsTheDriverBackInStationMode)
{
    ASSERT_TRUE(sim.Reset("[World]\nOsCode=8\n"));
    CHideDlgWithoutSoftAp d;
    ASSERT_TRUE(d.Create(IDD_HIDE_DIALOG));
    ASSERT_TRUE(d.OnTraySwitchApMode());
    WriteDataFile(OP_MODE_AP, 0);  // as a start in access-point mode finds it
    sim.ClearJournal();
    EXPECT_EQ(0, d.LoadApApi());
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(CString("Load QxAPAPI.dll fail"), boxes.Boxes()[0].caption);
    EXPECT_NE(-1, boxes.Boxes()[0].text.Find("NoSuchQxAPAPI.dll"));
    EXPECT_EQ(1, d.Result());  // ended
    EXPECT_EQ(OP_MODE_STATION, d.m_nOpMode);
    EXPECT_TRUE(Called("QXWL_SetAndWriteOPMode(0)"));
    EXPECT_EQ(0, sim.Get("OpMode"));
    const auto stored = ReadDataFile();  // the next start comes up as a station, not with this box again
    ASSERT_TRUE(stored);
    EXPECT_EQ(static_cast<ULONG>(OP_MODE_STATION), stored->nOpMode);
    d.DestroyWindow();
}

TEST_F(ApModeEntry, ReloadWithTheAdapterAbsentStillBringsBackTheTrayAndTimers)
{
    CHideDlg& d = StartStation("");
    sim.Set("DevicePresent", 0);
    sim.ClearJournal();
    tray.clear();
    ASSERT_EQ(1, d.ReloadStationApi());
    EXPECT_FALSE(Called("QXWL_QueryInitState"));
    EXPECT_FALSE(Called("QXWL_RunOnceInitConfigTxBurst"));  // no InitCard
    ASSERT_FALSE(tray.empty());
    EXPECT_EQ(static_cast<DWORD>(NIM_ADD), tray.front().message);
    // Timers 11 and 20 are armed: killing them succeeds.
    EXPECT_TRUE(::KillTimer(d.m_hWnd, TIMER_HIDE_DLG_RADIO));
    EXPECT_TRUE(::KillTimer(d.m_hWnd, TIMER_HIDE_DLG_SESSION_ID));
}

TEST_F(ApModeEntry, HostedVariantOnWindowsSevenTakesTheStationLibraryInsteadOfTheSoftApLibrary)
{
    const std::string path = BinFolder() + "SoftApConfig.ini";
    {
        ScopedFile hosted(path, "[Config]\nIDS_SOFTAP_MODE=1\n");
        CHideDlg& d = Start("[World]\nOsCode=12\nOpMode=2\nStoredOpMode=2\n");
        EXPECT_EQ(OP_MODE_APCLIENT, d.m_nOpMode);
        EXPECT_FALSE(ApCalled("QXAP_Initial"));
        dlg.reset();
    }
    {
        ScopedFile softAp(path, "[Config]\nIDS_SOFTAP_MODE=0\n");
        CHideDlg& d = Start("[World]\nOsCode=12\nOpMode=1\nStoredOpMode=1\n");
        EXPECT_EQ(OP_MODE_AP, d.m_nOpMode);
        EXPECT_TRUE(ApCalled("QXAP_Initial"));
    }
}

}  // namespace
}  // namespace hidedlg_testing
