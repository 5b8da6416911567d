// The hidden dialog's soft-AP side: the access point's Windows profile, its timer ticks and the
// device and power messages.
#include "ModesFixture.h"

namespace hidedlg_testing {
namespace {

class SoftApSide : public ModesFixture {
protected:
    // Start-up with the driver in access-point mode loads the soft-AP side.
    CHideDlg& StartAp(const std::string& apWorld = "")
    {
        if (!apWorld.empty()) {
            EXPECT_TRUE(ap.Load(apWorld));
        }
        CHideDlg& d = Start("[World]\nOpMode=1\n");
        EXPECT_EQ(OP_MODE_AP, d.m_nOpMode);
        ap.ClearJournal();
        sim.ClearJournal();
        return d;
    }
    void Tick(UINT_PTR id) { dlg->SendMessage(WM_TIMER, id); }
};

TEST_F(SoftApSide, WindowClosedOnTheRoadThatReleasedTheStationLibraryOpensAgain)
{
    // The driver found in access-point mode after a station session: the station library goes.
    WriteDataFile(OP_MODE_STATION, 0);
    CHideDlg& d = Start("[World]\nOpMode=1\nOsCode=10\n");
    ASSERT_EQ(OP_MODE_AP, d.m_nOpMode);
    ASSERT_FALSE(QXWLAPI.IsLoaded());
    auto windowShown = [&] { return d.m_pQxUI && d.m_pQxUI->Window().IsWindow() && d.m_pQxUI->Window().IsWindowVisible(); };
    auto closeWindow = [&] {
        if (d.m_pQxUI && CKelvoPageUIDlg::From(d.m_pQxUI)->IsWindow()) CKelvoPageUIDlg::From(d.m_pQxUI)->DestroyWindow();
    };

    closeWindow();
    d.SendMessage(MSG_TRAY_NOTIFY, kTrayIconId, WM_LBUTTONDBLCLK);
    EXPECT_TRUE(windowShown());

    closeWindow();
    d.SendMessage(WM_COMMAND, ID_TRAY_LAUNCH);  // a second start of the program
    EXPECT_TRUE(windowShown());
    closeWindow();
}

TEST_F(SoftApSide, FactorySsidWithTwoHexDigitsIsWrittenWithoutTheSuffix)
{
    CHideDlg& d = StartAp("[World]\nOsCode=10\n");
    const struct {
        const char* given;
        const char* written;
    } cases[] = {
        {"Kelvo_WLAN-3F", "Kelvo_WLAN"}, {"Kelvo_WLAN-a0", "Kelvo_WLAN"}, {"Kelvo_WLAN-3G", "Kelvo_WLAN-3G"},
        {"Kelvo_WLAN-3F0", "Kelvo_WLAN-3F0"}, {"Kelvo_WLAX-3F", "Kelvo_WLAX-3F"}, {"Office", "Office"},
    };
    for (const auto& c : cases) {
        d.SetApWindowsProfile(c.given);
        EXPECT_EQ(c.written, ap.WindowsProfile()) << c.given;
    }
    d.SetApWindowsProfile("getUpdatedSSID");
    EXPECT_EQ("Kelvo_WLAN", ap.WindowsProfile());  // the stored record's SSID
}

TEST_F(SoftApSide, NoWindowsProfileBeforeVistaOrForAnEmptySsid)
{
    CHideDlg& d = StartAp("[World]\nOsCode=8\n");
    d.m_bApWindowsProfileSet = FALSE;
    d.SetApWindowsProfile("Office");
    EXPECT_FALSE(ApCalled("QXAP_SetVistaWindowsProfile"));
    ap.Set("OsCode", 10);
    d.SetApWindowsProfile("");
    EXPECT_FALSE(ApCalled("QXAP_SetVistaWindowsProfile"));
    EXPECT_FALSE(d.m_bApWindowsProfileSet);
}

TEST_F(SoftApSide, SignalIconsChangeAboveSeventyAndAtForty)
{
    EXPECT_EQ(static_cast<UINT>(IDI_TRAY_LINKED), CHideDlg::ApSignalIcon(71));
    EXPECT_EQ(static_cast<UINT>(IDI_TRAY_NORMAL), CHideDlg::ApSignalIcon(70));
    EXPECT_EQ(static_cast<UINT>(IDI_TRAY_NORMAL), CHideDlg::ApSignalIcon(41));
    EXPECT_EQ(static_cast<UINT>(IDI_TRAY_WEAK), CHideDlg::ApSignalIcon(40));
}

TEST_F(SoftApSide, TickReappliesTheSettingsWhenTheDriverAuthenticationDrifts)
{
    StartAp();
    Tick(TIMER_HIDE_DLG_CHECK_CARD);
    EXPECT_FALSE(ApCalled("QXAP_SetConfigData"));
    EXPECT_TRUE(ApCalled("QXAP_QuerySignalStrength"));
    ap.Set("DriverAuthMode", 0);
    Tick(TIMER_HIDE_DLG_CHECK_CARD);
    EXPECT_TRUE(ApCalled("QXAP_SetConfigData"));
    EXPECT_FALSE(Called("QXWL_QueryWLANStatus"));  // the station side stays out of it
}

TEST_F(SoftApSide, DhcpStartsOnlyWithTheFirstReadyPoll)
{
    CHideDlg& d = StartAp("[World]\nInitNotReadyPolls=2\n");
    EXPECT_EQ(0, ap.Get("DhcpRunning"));
    Tick(4);
    EXPECT_FALSE(ApCalled("QXAP_EnableDhcpServer"));
    EXPECT_EQ(1u, d.m_nCountReconnect);
    Tick(4);
    EXPECT_TRUE(ApCalled("QXAP_EnableDhcpServer"));
    EXPECT_EQ(1, ap.Get("DhcpRunning"));
    EXPECT_EQ(0u, d.m_nCountReconnect);
}

TEST_F(SoftApSide, RemovedAdapterIsSetUpAgainOnceItIsBackAndOnlyOnce)
{
    CHideDlg& d = StartAp();
    ap.Set("DevicePresent", 0);
    d.DefWindowProcAp(WM_DEVICECHANGE, 0, 0);
    EXPECT_TRUE(G_bDeviceRemoved);

    tray.clear();
    Tick(TIMER_HIDE_DLG_CHECK_CARD);
    EXPECT_FALSE(d.m_bApDeviceExist);
    EXPECT_TRUE(ApCalled("QXAP_GetAvailableAdapters"));
    ASSERT_FALSE(tray.empty());
    EXPECT_EQ(static_cast<DWORD>(NIM_DELETE), tray.back().message);
    EXPECT_EQ(nullptr, d.m_pQxUI);

    ap.Set("DevicePresent", 1);
    ap.ClearJournal();
    // The first tick finds the adapter again, the next one sets it up.
    Tick(TIMER_HIDE_DLG_CHECK_CARD);
    Tick(TIMER_HIDE_DLG_CHECK_CARD);
    const std::vector<std::string> journal = ap.Journal();
    EXPECT_EQ(1, std::count_if(journal.begin(), journal.end(),
                               [](const std::string& line) { return line.rfind("QXAP_InitAPSettings", 0) == 0; }));
    EXPECT_FALSE(G_bDeviceRemoved);
    EXPECT_EQ(1, ap.Get("Running"));

    ap.ClearJournal();
    Tick(TIMER_HIDE_DLG_CHECK_CARD);
    EXPECT_FALSE(ApCalled("QXAP_InitAPSettings"));
    EXPECT_TRUE(ApCalled("QXAP_QuerySignalStrength"));
}

TEST_F(SoftApSide, SuspendStopsTheTimersAndResumeWaitsForTheDriver)
{
    CHideDlg& d = StartAp();
    d.DefWindowProcAp(WM_POWERBROADCAST, PBT_APMSUSPEND, 0);
    EXPECT_FALSE(::KillTimer(d.m_hWnd, TIMER_HIDE_DLG_CHECK_CARD));

    ap.Set("InitNotReadyPolls", 1);
    d.DefWindowProcAp(WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
    EXPECT_FALSE(ApCalled("QXAP_SetConfigData"));
    EXPECT_TRUE(::KillTimer(d.m_hWnd, 4));
    d.DefWindowProcAp(WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
    EXPECT_TRUE(ApCalled("QXAP_SetConfigData"));
    EXPECT_TRUE(ApCalled("QXAP_EnableDhcpServer"));
    EXPECT_TRUE(::KillTimer(d.m_hWnd, TIMER_HIDE_DLG_CHECK_CARD));
}

TEST_F(SoftApSide, AccessListOfInvalidEntriesTurnsAccessControlOff)
{
    CHideDlg& d = StartAp();
    const char list[] = "00112233445Z\0short\0";
    ASSERT_EQ(QXWL_ERROR_SUCCESS, QXAPAPI.QXAP_WriteAccessPolicy(AP_ACL_POLICY_ALLOW));
    ASSERT_EQ(QXWL_ERROR_SUCCESS, QXAPAPI.QXAP_WriteAccessList(list, sizeof list - 1));
    d.SetOidFromReg_AP();
    EXPECT_EQ(0, ap.Get("AclPolicy"));

    const char good[] = "001122334455\0";
    ASSERT_EQ(QXWL_ERROR_SUCCESS, QXAPAPI.QXAP_WriteAccessList(good, sizeof good));
    d.SetOidFromReg_AP();
    EXPECT_EQ(1, ap.Get("AclPolicy"));
}

}  // namespace
}  // namespace hidedlg_testing
