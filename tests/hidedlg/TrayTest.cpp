// The tray icon and tooltip by state, and the mouse on the icon.
#include "HideDlgFixture.h"

using namespace hidedlg_testing;

namespace {
class Tray : public HideDlgFixture {
protected:
    // Links the adapter to an open network of that name, as a connect would.
    void LinkTo(const std::string& ssid)
    {
        ASSERT_TRUE(sim.Load("[Network1]\nSsid=" + ssid + "\nSecurity=Open\n"));
        NDIS_802_11_SSID target{};
        target.SsidLength = static_cast<ULONG>(ssid.size());
        memcpy(target.Ssid, ssid.data(), ssid.size());
        QXWLAPI.QXWL_SetSSID(target);
        ASSERT_TRUE(sim.WaitIdle());
    }
    const TrayCall& Last() { return tray.back(); }
};
}  // namespace

TEST_F(Tray, LinkedTooltipShowsTheNetworkNameLiterally)
{
    CHideDlg& d = Start("[World]\nOsCode=10\n");
    LinkTo("R&D 100%s %d");
    d.UpdateConnectedTrayIcon();
    EXPECT_EQ(static_cast<UINT>(IDI_TRAY_LINKED), Last().icon);
    // The name goes in as text; the notification area shows "&&&" as one "&".
    std::string expected = G_LangTable.IDS_QUIXEN_GOOD.GetString();
    expected.replace(expected.find("%s"), 2, "R&&&D 100%s %d");
    EXPECT_EQ(expected.substr(0, 127), Last().tip);
}

TEST_F(Tray, LongTooltipIsCutWithoutSplittingAnEscapedAmpersand)
{
    CHideDlg& d = Start("[World]\nOsCode=10\n");
    LinkTo(std::string(31, '&'));
    d.UpdateConnectedTrayIcon();
    const std::string& tip = Last().tip;
    EXPECT_LE(tip.size(), 127u);
    size_t run = 0;
    while (run < tip.size() && tip[tip.size() - 1 - run] == '&') ++run;
    EXPECT_EQ(0u, run % 3);
}

TEST_F(Tray, SoftApModeShowsItsIconWithAnEmptyTooltipForEveryStateButAbsent)
{
    CHideDlg& d = Start("[World]\nOsCode=10\n");
    d.m_nOpMode = OP_MODE_AP;
    for (UINT state : {IDI_TRAY_LINKED, IDI_TRAY_LOST, IDI_TRAY_WEP_ERROR}) {
        d.ModifyTaskBar(state);
        EXPECT_EQ(static_cast<UINT>(IDI_TRAY_SOFTAP), Last().icon);
        EXPECT_EQ("", Last().tip);
    }
    d.ModifyTaskBar(IDI_TRAY_NOT_EXIST);
    EXPECT_EQ(static_cast<DWORD>(NIM_DELETE), Last().message);
}

TEST_F(Tray, WindowsSevenWithAStoredHostedModePutsTheDriverIntoIt)
{
    CHideDlg& d = Start("[World]\nOsCode=12\n");
    sim.Set("StoredOpMode", OP_MODE_AP);
    sim.ClearJournal();
    d.ModifyTaskBar(IDI_TRAY_LOST);
    EXPECT_EQ(1u, sim.JournalLines("QXWL_SetAndWriteOPMode(2)").size());
    EXPECT_EQ(static_cast<UINT>(IDI_TRAY_SOFTAP), Last().icon);

    // A group owner the driver runs for a stored group-owner mode stays.
    sim.Set("OpMode", OP_MODE_STA_WIFI_DIRECT);
    sim.Set("StoredOpMode", OP_MODE_STA_WIFI_DIRECT);
    sim.ClearJournal();
    d.ModifyTaskBar(IDI_TRAY_LOST);
    EXPECT_TRUE(sim.JournalLines("QXWL_SetAndWriteOPMode").empty());
}

TEST_F(Tray, AFailingChangeFallsBackToDeleteAndAdd)
{
    CHideDlg& d = Start("[World]\nOsCode=10\n");
    SetTrayNotifySink([this](DWORD message, const NOTIFYICONDATAA& data) {
        tray.push_back({message, IconId(data.hIcon), data.szTip});
        return message != static_cast<DWORD>(NIM_MODIFY);
    });
    tray.clear();
    EXPECT_TRUE(d.ModifyTaskBar(IDI_TRAY_LOST));
    ASSERT_EQ(3u, tray.size());
    EXPECT_EQ(static_cast<DWORD>(NIM_DELETE), tray[1].message);
    EXPECT_EQ(static_cast<DWORD>(NIM_ADD), tray[2].message);
}

TEST_F(Tray, DoubleClickWhileTheAdapterIsAbsentDoesNothing)
{
    CHideDlg& d = Start("[World]\nDevicePresent=0\n");
    d.SendMessage(MSG_TRAY_NOTIFY, kTrayIconId, WM_LBUTTONDBLCLK);
    EXPECT_EQ(nullptr, d.m_pQxUI);
}

TEST_F(Tray, DoubleClickBringsTheHiddenMainWindowBack)
{
    CHideDlg& d = Start("[World]\nOsCode=10\n");
    ASSERT_NE(nullptr, d.m_pQxUI);
    CKelvoPageUIDlg::From(d.m_pQxUI)->ShowWindow(SW_HIDE);
    d.SendMessage(MSG_TRAY_NOTIFY, kTrayIconId, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(CKelvoPageUIDlg::From(d.m_pQxUI)->IsWindowVisible());
}

TEST_F(Tray, NothingAnswersTheMouseWhileAModalDialogRuns)
{
    CHideDlg& d = Start("[World]\nOsCode=10\n");
    CKelvoPageUIDlg::From(d.m_pQxUI)->ShowWindow(SW_HIDE);
    d.m_bDialogRunning = TRUE;
    d.SendMessage(MSG_TRAY_NOTIFY, kTrayIconId, WM_LBUTTONDBLCLK);
    d.SendMessage(WM_COMMAND, ID_TRAY_LAUNCH);
    EXPECT_FALSE(CKelvoPageUIDlg::From(d.m_pQxUI)->IsWindowVisible());
    d.m_bDialogRunning = FALSE;
}

TEST_F(Tray, PollingTickTracksTheAdapterAndTheLink)
{
    CHideDlg& d = Start("[World]\nOsCode=10\n");
    tray.clear();
    d.SendMessage(WM_TIMER, TIMER_HIDE_DLG_RADIO);
    EXPECT_TRUE(d.m_bDeviceExist);
    ASSERT_FALSE(tray.empty());
    EXPECT_EQ(static_cast<UINT>(IDI_TRAY_LOST), Last().icon);

    LinkTo("Cafe");
    d.SendMessage(WM_TIMER, TIMER_HIDE_DLG_RADIO);
    EXPECT_EQ(static_cast<UINT>(IDI_TRAY_LINKED), Last().icon);

    // The adapter pulled: the icon goes and the main window with it.
    sim.Set("DevicePresent", 0);
    d.SendMessage(WM_TIMER, TIMER_HIDE_DLG_RADIO);
    EXPECT_EQ(static_cast<DWORD>(NIM_DELETE), Last().message);
    EXPECT_EQ(nullptr, d.m_pQxUI);
    EXPECT_FALSE(d.m_bDeviceExist);

    // Put back: found again, the main window returns.
    sim.Set("DevicePresent", 1);
    d.SendMessage(WM_TIMER, TIMER_HIDE_DLG_RADIO);
    EXPECT_TRUE(d.m_bDeviceExist);
    EXPECT_NE(nullptr, d.m_pQxUI);
}
