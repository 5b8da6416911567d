// The Wi-Fi Direct pages inside the main window, against the stand-in's peers: switching on
// through the name page, the device list, a peer's request (answered, or ended by the
// program's exit), the link status after a failed attempt, and the setting pages' checks.
#include "skin/MainWindowFixture.h"
#include "contract/StationContract.h"
#include "skin/MainWindowMessages.h"
#include "ui/DialogTab.h"
#include "wifidirect/AdvancedWiFiDirect.h"
#include "wifidirect/KelvoPageP2PConnectMethod.h"
#include "wifidirect/KelvoPageP2PLinkStatus.h"
#include "wifidirect/KelvoPageWlanP2PDlg.h"
#include "wifidirect/KelvoPageWlanP2PSecurityPskDlg.h"
#include "wifidirect/KelvoPageWlanP2PSettingChannelDlg.h"
#include "wifidirect/KelvoPageWlanP2PSettingNameDlg.h"

#include <cstring>
#include <string>

namespace {
using namespace skin_test;
using testing_support::MessageBoxCapture;
using testing_support::PumpFor;

const char kWorld[] =
    "[World]\nOsCode=12\n"
    "[Peer1]\nName=Camera\nAddress=02:50:32:50:00:01\nRole=1\nAccept=Any\n"
    "[Peer2]\nName=Tablet\nAddress=02:50:32:50:00:04\nOwner=02:50:32:50:00:01\n"
    "[Peer3]\nName=Printer\nAddress=02:50:32:50:00:02\nIntent=0\nAccept=Any\n";

std::string Text(CWnd& page, int id)
{
    CString text;
    page.GetDlgItemText(id, text);
    return text.GetString();
}

class WiFiDirectPagesTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        ASSERT_TRUE(sim.Load(kWorld));
        hide.m_pWiFiDirect = new CAdvancedWiFiDirect;
        mainWindow.ShowWiFiDirectTab();
        ASSERT_TRUE(HasWindow(&Page()));
        sim.ClearJournal();
    }
    void TearDown() override
    {
        MainWindowTest::TearDown();
        delete hide.m_pWiFiDirect;
        hide.m_pWiFiDirect = nullptr;
    }
    CKelvoPageWlanP2PDlg& Page() { return *mainWindow.m_pPageWlanP2PDlg; }
    CAdvancedWiFiDirect& Engine() { return *hide.m_pWiFiDirect; }
    void Switch(bool on)
    {
        Page().CheckDlgButton(IDC_WLANP2P_ENABLE, on ? BST_CHECKED : BST_UNCHECKED);
        ClickButton(Page(), IDC_WLANP2P_ENABLE);
    }
    void SwitchOnAs(const char* name)
    {
        Switch(true);
        CKelvoPageWlanP2PSettingNameDlg& namePage = *mainWindow.m_pPageWlanP2PSettingNameDlg;
        ASSERT_TRUE(Visible(&namePage));
        namePage.SetDlgItemText(IDC_WIZPSK_KEY, name);
        ClickButton(namePage, IDC_WIZARD_NEXT);
    }
    // Hands every status block the stand-in holds to the main window, as its status event does.
    void Deliver()
    {
        for (int i = 0; i < 20; ++i) mainWindow.OnWiFiDirectEvent();
        PumpFor(20);
    }
    void SelectRow(int row)
    {
        const UINT state = LVIS_SELECTED | LVIS_FOCUSED;
        CListCtrl* list = static_cast<CListCtrl*>(Page().GetDlgItem(IDC_WLANP2P_DEVICE_LIST));
        list->SetItemState(row, state, state);
    }
    int RowOf(const char* name)
    {
        for (size_t i = 0; i < Page().m_vecShowRows.size(); ++i)
            if (Page().m_vecShowRows[i].strName == name) return static_cast<int>(i);
        return -1;
    }

    MessageBoxCapture boxes;
};

TEST_F(WiFiDirectPagesTest, SwitchingOnAsksTheNameFirstAndOffWaitsThreeSeconds)
{
    Switch(true);
    CKelvoPageWlanP2PSettingNameDlg& namePage = *mainWindow.m_pPageWlanP2PSettingNameDlg;
    ASSERT_TRUE(Visible(&namePage));
    EXPECT_FALSE(Engine().m_bEnableWiFiDirect);
    EXPECT_EQ(32, static_cast<int>(namePage.GetDlgItem(IDC_WIZPSK_KEY)->SendMessage(EM_GETLIMITTEXT, 0, 0)));
    EXPECT_FALSE(mainWindow.m_tabLinkInfo.IsWindowEnabled());  // the other tabs wait

    namePage.SetDlgItemText(IDC_WIZPSK_KEY, "");
    ClickButton(namePage, IDC_WIZARD_NEXT);
    EXPECT_EQ(1u, boxes.Count());
    EXPECT_TRUE(Visible(&namePage));

    namePage.SetDlgItemText(IDC_WIZPSK_KEY, "Desk-7");
    ClickButton(namePage, IDC_WIZARD_NEXT);
    EXPECT_TRUE(Engine().m_bEnableWiFiDirect);
    EXPECT_EQ("Desk-7", std::string(Engine().m_strMyDeviceName.GetString()));
    EXPECT_FALSE(Calls("QXWL_WriteWiFiDirectDeviceName").empty());
    EXPECT_EQ(1u, Calls("QXWL_SetWifiDirectWpseConfig(1)").size());
    EXPECT_TRUE(Visible(&Page()));
    EXPECT_TRUE(Page().GetDlgItem(IDC_WLANP2P_SCAN)->IsWindowEnabled());
    EXPECT_EQ(CString(CKelvoPageWlanP2PDlg::kDefaultKey), Page().m_strKey);  // the library has none

    // Off: the switch rests for three seconds, then Wi-Fi Direct goes off in the driver.
    Switch(false);
    EXPECT_FALSE(Page().GetDlgItem(IDC_WLANP2P_ENABLE)->IsWindowEnabled());
    EXPECT_TRUE(Calls("QXWL_DisableWifiDirect").empty());
    EXPECT_TRUE(mainWindow.m_tabLinkInfo.IsWindowEnabled());
    Page().SendMessage(WM_TIMER, TIMER_P2P_STATUS, 0);
    EXPECT_EQ(1u, Calls("QXWL_DisableWifiDirect").size());
    EXPECT_TRUE(Page().GetDlgItem(IDC_WLANP2P_ENABLE)->IsWindowEnabled());
    EXPECT_FALSE(Engine().m_bEnableWiFiDirect);
}

TEST_F(WiFiDirectPagesTest, DeviceListKeepsGroupsRepaintsOnlyOnChangeAndRefusesForeignClients)
{
    SwitchOnAs("Desk");
    ClickButton(Page(), IDC_WLANP2P_SCAN);
    EXPECT_FALSE(Page().GetDlgItem(IDC_WLANP2P_SCAN)->IsWindowEnabled());
    Deliver();
    ASSERT_EQ(3u, Page().m_vecShowRows.size());
    EXPECT_TRUE(Page().m_bListReady);
    const int tablet = RowOf("Tablet"), camera = RowOf("Camera");
    ASSERT_GE(tablet, 0);
    ASSERT_EQ(camera + 1, tablet);  // a member follows its owner
    EXPECT_EQ("02:50:32:50:00:01", std::string(Page().m_vecShowRows[tablet].strGroupAddress.GetString()));
    EXPECT_EQ("---", std::string(Page().m_vecShowRows[tablet].strGroup.GetString()));  // no such network in the survey

    // The same topology again, and an event that is no list update, leave the list alone.
    const int paints = Page().m_nRowPaints;
    Page().SendMessage(MSG_P2P_DEVICE_LIST, reinterpret_cast<WPARAM>(&Engine()), 0);
    EXPECT_EQ(paints, Page().m_nRowPaints);
    const BYTE saved = Engine().m_WiFiDirectStatus[0];
    Engine().m_WiFiDirectStatus[0] = WIFIDIRECTEVENT_STATUS_WPS_DONE;
    Engine().m_vecTopology.clear();
    Page().SendMessage(MSG_P2P_DEVICE_LIST, reinterpret_cast<WPARAM>(&Engine()), 0);
    EXPECT_EQ(3u, Page().m_vecShowRows.size());
    Engine().m_WiFiDirectStatus[0] = saved;

    // A client of another group cannot be connected; the printer can.
    Deliver();
    ClickButton(Page(), IDC_WLANP2P_SCAN);
    Deliver();
    SelectRow(RowOf("Tablet"));
    const size_t before = boxes.Count();
    ClickButton(Page(), IDC_WLANP2P_CONNECT);
    EXPECT_EQ(before + 1, boxes.Count());
    EXPECT_FALSE(Visible(mainWindow.m_pPageP2PConnectMethod));
    SelectRow(RowOf("Printer"));
    ClickButton(Page(), IDC_WLANP2P_CONNECT);
    ASSERT_TRUE(Visible(mainWindow.m_pPageP2PConnectMethod));
    EXPECT_EQ("[Printer]", Text(*mainWindow.m_pPageP2PConnectMethod, IDC_P2PCM_PEER));
}

TEST_F(WiFiDirectPagesTest, APeersRequestWaitsWithoutALoopAndEndsWithTheProgramsExit)
{
    SwitchOnAs("Desk");
    CAdvancedWiFiDirect& engine = Engine();
    auto request = [&] {
        engine.m_SeleteDeviceEntry = {};
        std::memcpy(engine.m_SeleteDeviceEntry.chDeviceName, "Printer", 7);
        engine.m_SeleteDeviceEntry.ulDeviceNameLength = 7;
        const UCHAR printer[6] = {0x02, 0x50, 0x32, 0x50, 0x00, 0x02};
        std::memcpy(engine.m_SeleteDeviceEntry.MacAddr, printer, 6);
        engine.m_SeleteDeviceEntry.ConfigMethod = 0x0080;  // push button only
        engine.OnPopupConnectSetting();
    };
    request();  // returns at once: the answer comes later
    CKelvoPageP2PConnectMethod& method = *mainWindow.m_pPageP2PConnectMethod;
    ASSERT_TRUE(Visible(&method));
    EXPECT_TRUE(CKelvoPageWlanP2PDlg::IsRequestPending());
    EXPECT_EQ(1, method.m_bIncoming);
    EXPECT_EQ(P2P_REQUEST_WAITING, GetP2PRequestAnswer());
    request();  // a second request while one waits is ignored
    EXPECT_TRUE(CKelvoPageWlanP2PDlg::IsRequestPending());

    // The program is asked to exit meanwhile: the hidden dialog cancels the request.
    SetP2PRequestAnswer(P2P_REQUEST_CANCEL);
    PumpFor(50);
    EXPECT_FALSE(CKelvoPageWlanP2PDlg::IsRequestPending());
    EXPECT_TRUE(Calls("QXWL_SetWifiDirectWpseConfig(3)").empty());

    // The next request is answered on its pages: push button, the channel, then the link status.
    request();
    ASSERT_TRUE(Visible(&method));
    EXPECT_EQ(0, method.m_nMethod);
    EXPECT_TRUE(method.IsDlgButtonChecked(IDC_P2PCM_PBC));
    EXPECT_FALSE(method.GetDlgItem(IDC_P2PCM_PIN_SHOWN)->IsWindowEnabled());
    ClickButton(method, IDC_P2PCM_NEXT);
    CKelvoPageWlanP2PSettingChannelDlg& channel = *mainWindow.m_pPageWlanP2PSettingChannelDlg;
    ASSERT_TRUE(Visible(&channel));
    static_cast<CComboBox*>(channel.GetDlgItem(IDC_WIZPSK_CIPHER))->SetCurSel(5);  // channel 6
    ClickButton(channel, IDC_WIZARD_NEXT);
    EXPECT_TRUE(Visible(mainWindow.m_pPageP2PLinkStatus));
    PumpFor(50);
    EXPECT_FALSE(CKelvoPageWlanP2PDlg::IsRequestPending());
    EXPECT_EQ(P2P_REQUEST_DONE, GetP2PRequestAnswer());
    ASSERT_EQ(1u, Calls("QXWL_SetWifiDirectWpseConfig(3)").size());
    EXPECT_EQ(6u, engine.m_pSetting->m_data_WIFIDIRECT_WPSE_Profile.ulOperatingChannel);  // the channel given is used
    EXPECT_EQ(CString(CKelvoPageWlanP2PDlg::kDefaultKey),
              CString(reinterpret_cast<const char*>(engine.m_pSetting->m_data_WIFIDIRECT_WPSE_Profile.Key)));
    EXPECT_TRUE(engine.m_pProgressMsg->Visible);

    // A request that waits while its page goes leaves nothing behind to answer into.
    engine.StartWiFiDirectProgress(false, 0);
    request();
    ASSERT_TRUE(CKelvoPageWlanP2PDlg::IsRequestPending());
    mainWindow.ClosePages();
    EXPECT_FALSE(CKelvoPageWlanP2PDlg::IsRequestPending());
    SetP2PRequestAnswer(P2P_REQUEST_GO_ON);
    PumpFor(20);
    EXPECT_EQ(1u, Calls("QXWL_SetWifiDirectWpseConfig(3)").size());
}

TEST_F(WiFiDirectPagesTest, LinkStatusJudgesEachAttemptOnItsOwn)
{
    SwitchOnAs("Desk");
    CKelvoPageP2PLinkStatus& link = *mainWindow.m_pPageP2PLinkStatus;
    CKelvoPageP2PConnectMethod& method = *mainWindow.m_pPageP2PConnectMethod;
    mainWindow.ShowWiFiDirectPage(&link);
    CAdvancedWiFiDirect& engine = Engine();
    engine.ShowProgressMsg(&link);
    const auto run = [&](bool success) {
        engine.StartWiFiDirectProgress(true, CAdvancedWiFiDirect::kConnectProgressMs);
        for (int tick = 0; tick < 11; ++tick) {
            if (success) engine.m_pProgressMsg->m_bSuccess = TRUE;
            link.SendMessage(WM_TIMER, TIMER_WIFIDIRECT_PROGRESS_MSG, 0);
        }
        return link.StatusText();
    };
    // An earlier link left the connection state "connected"; this attempt never succeeded.
    engine.m_ConnectStatus = 3;
    const std::string failed = run(false).GetString();
    EXPECT_EQ(100, link.m_nPercent);
    const std::string tryAgain = G_LangTable.IDS_WIFI_DIRECT_TRY_AGAIN.IsEmpty() ? "The connection failed; please try again"
                                                                                : G_LangTable.IDS_WIFI_DIRECT_TRY_AGAIN.GetString();
    EXPECT_EQ(tryAgain, failed);

    // The driver's error ends the display at once.
    link.OnProgress(30);
    engine.m_WiFiDirectStatus[0] = WIFIDIRECTEVENT_ERROR_CODE;
    Page().SendMessage(MSG_P2P_EVENT, reinterpret_cast<WPARAM>(&engine), 0);
    EXPECT_EQ(100, link.m_nPercent);
    EXPECT_EQ(tryAgain, std::string(link.StatusText().GetString()));

    // The connect-method page shows its own PIN with eight digits.
    method.m_bIncoming = 0;
    mainWindow.ShowWiFiDirectPage(&method);
    method.m_nShowPin = 1234567;
    method.CheckRadioButton(IDC_P2PCM_PBC, IDC_P2PCM_PIN_ENTERED, IDC_P2PCM_PIN_SHOWN);
    ClickButton(method, IDC_P2PCM_PIN_SHOWN);
    EXPECT_EQ("01234567", Text(method, IDC_P2PCM_PIN));
    mainWindow.ShowWiFiDirectPage(&link);

    // A PIN attempt shows its PIN with eight digits.
    method.m_nMethod = 1;
    method.m_bIncoming = 0;
    link.m_nShowPin = 1234567;
    link.OnProgress(40);
    EXPECT_NE(std::string::npos, std::string(link.StatusText().GetString()).find("40%,PIN: 01234567"));
    method.m_nMethod = 0;
    link.OnProgress(50);
    EXPECT_NE(std::string::npos, std::string(link.StatusText().GetString()).find("PBC: 50%"));
}

TEST_F(WiFiDirectPagesTest, SettingPagesCheckTheirInputAndMoveThroughTheBackStack)
{
    CDialogTab& tab = *mainWindow.m_pPageTab;
    CKelvoPageWlanP2PSecurityPskDlg& key = *mainWindow.m_pPageWlanP2PSecurityPskDlg;
    tab.PushPageHistory(&Page());
    mainWindow.ShowWiFiDirectPage(&key);
    ASSERT_TRUE(Visible(&key));
    EXPECT_EQ(CString(), Page().m_strKey);
    key.SetDlgItemText(IDC_WIZPSK_KEY, "1234567");
    ClickButton(key, IDC_WIZARD_NEXT);
    EXPECT_EQ(1u, boxes.Count());
    EXPECT_TRUE(Visible(&key));
    const CString longKey('z', 64);  // no hexadecimal test here
    key.SetDlgItemText(IDC_WIZPSK_KEY, longKey);
    ClickButton(key, IDC_WIZARD_NEXT);
    EXPECT_EQ(longKey, Page().m_strKey);
    EXPECT_TRUE(Visible(&Page()));
    EXPECT_EQ(0, tab.GetHistoryCount());

    // The channel page: nothing to choose is refused; Back keeps a waiting request, Exit cancels it.
    CKelvoPageWlanP2PSettingChannelDlg& channel = *mainWindow.m_pPageWlanP2PSettingChannelDlg;
    tab.PushPageHistory(&Page());
    mainWindow.ShowWiFiDirectPage(&channel);
    static_cast<CComboBox*>(channel.GetDlgItem(IDC_WIZPSK_CIPHER))->ResetContent();
    channel.m_channels.clear();
    ClickButton(channel, IDC_WIZARD_NEXT);
    ASSERT_EQ(2u, boxes.Count());
    EXPECT_EQ("Channel error", std::string(boxes.Boxes()[1].text.GetString()));
    EXPECT_TRUE(Visible(&channel));

    SwitchOnAs("Desk");
    Engine().m_SeleteDeviceEntry = {};
    Engine().OnPopupConnectSetting();
    ASSERT_TRUE(CKelvoPageWlanP2PDlg::IsRequestPending());
    tab.PushPageHistory(&Page());
    mainWindow.ShowWiFiDirectPage(&channel);
    ClickButton(channel, IDC_WIZARD_BACK);
    PumpFor(20);
    EXPECT_TRUE(CKelvoPageWlanP2PDlg::IsRequestPending());
    EXPECT_TRUE(Visible(&Page()));
    tab.PushPageHistory(&Page());
    mainWindow.ShowWiFiDirectPage(&channel);
    ClickButton(channel, IDC_WIZARD_EXIT);
    PumpFor(20);
    EXPECT_FALSE(CKelvoPageWlanP2PDlg::IsRequestPending());
    EXPECT_TRUE(Visible(&Page()));
}
}  // namespace
