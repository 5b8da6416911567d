// The Wi-Fi Direct pages inside the main window, against the stand-in's peers: switching on
// through the name page, the device list, a peer's request (answered, or ended by the
// program's exit), the link status after a failed attempt, and the setting pages' checks.
#include "skin/MainWindowFixture.h"
#include "contract/StationContract.h"
#include "skin/MainWindowMessages.h"
#include "ui/DialogTab.h"
#include "wifidirect/AdvancedWiFiDirect.h"
#include "wifidirect/GroupPassPhrase.h"
#include "wifidirect/KelvoPageP2PConnectMethod.h"
#include "wifidirect/KelvoPageP2PConnectMethodII.h"
#include "wifidirect/KelvoPageP2PLinkStatus.h"
#include "wifidirect/KelvoPageP2PMoreInfo.h"
#include "wifidirect/WiFiDirectNotices.h"
#include "wifidirect/KelvoPageWlanP2PDlg.h"
#include "wifidirect/KelvoPageWlanP2PSecurityPskDlg.h"
#include "wifidirect/KelvoPageWlanP2PSettingChannelDlg.h"
#include "wifidirect/KelvoPageWlanP2PSettingNameDlg.h"

#include <cstring>
#include <string>

namespace {
using namespace skin_test;
using testing_support::MessageBoxCapture;
using testing_support::PumpPending;
using testing_support::PumpUntil;

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
        // As the program's start-up does: texts the language file lacks take their defaults.
        ASSERT_EQ(1, LoadLanguageStrings());
        ASSERT_FALSE(G_LangTable.IDS_OK.IsEmpty()) << "no language file beside the tests: its texts would compare as empty";
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
        PumpPending();
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
    CKelvoPageP2PConnectMethod& Method() { return *mainWindow.m_pPageP2PConnectMethod; }
    CKelvoPageWlanP2PSettingChannelDlg& Channel() { return *mainWindow.m_pPageWlanP2PSettingChannelDlg; }
    CKelvoPageP2PLinkStatus& Link() { return *mainWindow.m_pPageP2PLinkStatus; }
    // The user's own road to a listed peer up to the connect-method page.
    void ScanAndConnectTo(const char* name)
    {
        ClickButton(Page(), IDC_WLANP2P_SCAN);
        Deliver();
        ASSERT_GE(RowOf(name), 0) << name;
        SelectRow(RowOf(name));
        ClickButton(Page(), IDC_WLANP2P_CONNECT);
        ASSERT_TRUE(Visible(&Method()));
    }
    void ChooseMethod(int radio)
    {
        Method().CheckRadioButton(IDC_P2PCM_PBC, IDC_P2PCM_PIN_ENTERED, radio);
        ClickButton(Method(), radio);
    }
    // The channel page's Next, with the first channel.
    void ChannelNext()
    {
        ASSERT_TRUE(Visible(&Channel()));
        static_cast<CComboBox*>(Channel().GetDlgItem(IDC_WIZPSK_CIPHER))->SetCurSel(0);
        ClickButton(Channel(), IDC_WIZARD_NEXT);
        PumpPending();
    }
    // The printer asks to connect by push button, as the engine opens a peer's request: it waits.
    void PrinterRequests()
    {
        WIFIDIRECT_DEVICE_ENTRY& peer = Engine().m_SeleteDeviceEntry;
        peer = {};
        std::memcpy(peer.chDeviceName, "Printer", 7);
        peer.ulDeviceNameLength = 7;
        const UCHAR printer[6] = {0x02, 0x50, 0x32, 0x50, 0x00, 0x02};
        std::memcpy(peer.MacAddr, printer, 6);
        peer.ConfigMethod = 0x0080;  // push button only
        Engine().OnPopupConnectSetting();
        EXPECT_TRUE(CKelvoPageWlanP2PDlg::IsRequestPending());
    }
    const WIFIDIRECT_WPSE_PROFILE& Applied() { return Engine().m_pSetting->m_data_WIFIDIRECT_WPSE_Profile; }
    static std::string Pin(const WIFIDIRECT_WPSE_PROFILE& r) { return std::string(r.PIN, strnlen(r.PIN, sizeof r.PIN)); }
    static std::string PeerName(const WIFIDIRECT_WPSE_PROFILE& r)
    {
        const char* name = reinterpret_cast<const char*>(r.DeviceNames[0]);
        return std::string(name, strnlen(name, sizeof r.DeviceNames[0]));
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
    // The library has no pass phrase: this installation's own, never one every installation shares.
    EXPECT_EQ(CGroupPassPhrase::Get(), Page().m_strKey);
    EXPECT_EQ(CGroupPassPhrase::kLength, Page().m_strKey.GetLength());
    EXPECT_NE(CString("58203917"), Page().m_strKey);

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
    PrinterRequests();  // returns at once: the answer comes later
    CKelvoPageP2PConnectMethod& method = *mainWindow.m_pPageP2PConnectMethod;
    ASSERT_TRUE(Visible(&method));
    EXPECT_TRUE(CKelvoPageWlanP2PDlg::IsRequestPending());
    EXPECT_EQ(1, method.m_bIncoming);
    EXPECT_EQ(P2P_REQUEST_WAITING, GetP2PRequestAnswer());
    PrinterRequests();  // a second request while one waits is ignored
    EXPECT_TRUE(CKelvoPageWlanP2PDlg::IsRequestPending());

    // The program is asked to exit meanwhile: the hidden dialog cancels the request.
    SetP2PRequestAnswer(P2P_REQUEST_CANCEL);
    PumpPending();
    EXPECT_FALSE(CKelvoPageWlanP2PDlg::IsRequestPending());
    EXPECT_TRUE(Calls("QXWL_SetWifiDirectWpseConfig(3)").empty());

    // The next request is answered on its pages: push button, the channel, then the link status.
    PrinterRequests();
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
    PumpPending();
    EXPECT_FALSE(CKelvoPageWlanP2PDlg::IsRequestPending());
    EXPECT_EQ(P2P_REQUEST_DONE, GetP2PRequestAnswer());
    ASSERT_EQ(1u, Calls("QXWL_SetWifiDirectWpseConfig(3)").size());
    EXPECT_EQ(6u, engine.m_pSetting->m_data_WIFIDIRECT_WPSE_Profile.ulOperatingChannel);  // the channel given is used
    EXPECT_EQ(CGroupPassPhrase::Get(), CString(reinterpret_cast<const char*>(engine.m_pSetting->m_data_WIFIDIRECT_WPSE_Profile.Key)));
    EXPECT_TRUE(engine.m_pProgressMsg->Visible);

    // A request that waits while its page goes leaves nothing behind to answer into.
    engine.StartWiFiDirectProgress(false, 0);
    PrinterRequests();
    ASSERT_TRUE(CKelvoPageWlanP2PDlg::IsRequestPending());
    mainWindow.ClosePages();
    EXPECT_FALSE(CKelvoPageWlanP2PDlg::IsRequestPending());
    SetP2PRequestAnswer(P2P_REQUEST_GO_ON);
    PumpPending();
    EXPECT_EQ(1u, Calls("QXWL_SetWifiDirectWpseConfig(3)").size());
}

TEST_F(WiFiDirectPagesTest, APinShownWhileARequestWaitsLeavesTheRequestItsGiveUp)
{
    SwitchOnAs("Desk");
    Engine().m_pSetting->m_dwRequestTimeoutMs = 200;
    PrinterRequests();
    Engine().DisplayPin();  // the driver asks this device to show its PIN while the prompt waits
    EXPECT_TRUE(PumpUntil([] { return !CKelvoPageWlanP2PDlg::IsRequestPending(); }, testing_support::kWaitBoundMs));
    EXPECT_EQ(P2P_REQUEST_CANCEL, GetP2PRequestAnswer());
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
    ASSERT_TRUE(Visible(&Method()));  // the prompt, then its channel page
    tab.PushPageHistory(&Method());
    mainWindow.ShowWiFiDirectPage(&channel);
    ClickButton(channel, IDC_WIZARD_BACK);
    PumpPending();
    EXPECT_TRUE(CKelvoPageWlanP2PDlg::IsRequestPending());
    EXPECT_TRUE(Visible(&Method()));
    tab.PushPageHistory(&Method());
    mainWindow.ShowWiFiDirectPage(&channel);
    ClickButton(channel, IDC_WIZARD_EXIT);
    PumpPending();
    EXPECT_FALSE(CKelvoPageWlanP2PDlg::IsRequestPending());
    EXPECT_TRUE(Visible(&Page()));
}
TEST_F(WiFiDirectPagesTest, LeavingTheNamePageLeavesWiFiDirectOff)
{
    constexpr int kByTheTab = 0;
    for (const int button : {IDC_WIZARD_BACK, IDC_WIZARD_EXIT, kByTheTab}) {
        Switch(true);
        CKelvoPageWlanP2PSettingNameDlg& namePage = *mainWindow.m_pPageWlanP2PSettingNameDlg;
        ASSERT_TRUE(Visible(&namePage));
        if (button == kByTheTab) mainWindow.ShowWiFiDirectTab();
        else ClickButton(namePage, button);
        PumpPending();
        EXPECT_TRUE(Visible(&Page())) << button;
        EXPECT_EQ(BST_UNCHECKED, Page().IsDlgButtonChecked(IDC_WLANP2P_ENABLE)) << button;
        EXPECT_FALSE(Page().GetDlgItem(IDC_WLANP2P_SCAN)->IsWindowEnabled()) << button;
        EXPECT_TRUE(mainWindow.m_tabLinkInfo.IsWindowEnabled()) << button;
        EXPECT_FALSE(Engine().m_bEnableWiFiDirect);
    }
    // And the switch still works afterwards.
    SwitchOnAs("Desk");
    EXPECT_TRUE(Engine().m_bEnableWiFiDirect);
    EXPECT_EQ(BST_CHECKED, Page().IsDlgButtonChecked(IDC_WLANP2P_ENABLE));
}

TEST_F(WiFiDirectPagesTest, OneRequestWaitsAtATimeAndItsAnswerGoesToThePeerShown)
{
    ASSERT_TRUE(sim.Load("[Peer1]\nName=Laptop\nAddress=02:50:32:50:00:09\nIntent=0\nInvites=1\n"
                         "[Peer2]\nName=Phone\nAddress=02:50:32:50:00:0A\nIntent=0\nInvites=1\n"));
    SwitchOnAs("Desk");
    Deliver();  // both ask, one after the other
    ASSERT_TRUE(Visible(&Method()));
    EXPECT_EQ("[Laptop]", Text(Method(), IDC_P2PCM_PEER));
    ClickButton(Method(), IDC_P2PCM_NEXT);
    ChannelNext();
    ASSERT_EQ(1u, Calls("QXWL_SetWifiDirectWpseConfig(3)").size());
    EXPECT_EQ("Laptop", PeerName(Applied()));
    const UCHAR laptop[6] = {0x02, 0x50, 0x32, 0x50, 0x00, 0x09};
    EXPECT_EQ(0, std::memcmp(Applied().DeviceAddrs[0], laptop, 6));
    EXPECT_TRUE(Visible(&Link()));
}

TEST_F(WiFiDirectPagesTest, LeavingThePromptCancelsTheRequestAndTheUsersConnectionGoesToTheirPeer)
{
    ASSERT_TRUE(sim.Load("[Peer1]\nName=Laptop\nAddress=02:50:32:50:00:09\nIntent=0\nInvites=1\n"
                         "[Peer2]\nName=Printer\nAddress=02:50:32:50:00:02\nIntent=0\n"));
    SwitchOnAs("Desk");
    Deliver();
    ASSERT_TRUE(CKelvoPageWlanP2PDlg::IsRequestPending());
    // The user leaves the prompt by the tab: the request ends.
    mainWindow.ShowWiFiDirectTab();
    PumpPending();
    EXPECT_FALSE(CKelvoPageWlanP2PDlg::IsRequestPending());
    EXPECT_EQ(P2P_REQUEST_CANCEL, GetP2PRequestAnswer());
    EXPECT_FALSE(Engine().m_pSetting->Visible);

    // The user's own connection goes to the peer the user picked.
    ScanAndConnectTo("Printer");
    EXPECT_EQ("[Printer]", Text(Method(), IDC_P2PCM_PEER));
    ClickButton(Method(), IDC_P2PCM_NEXT);
    ChannelNext();
    ASSERT_EQ(1u, Calls("QXWL_SetWifiDirectWpseConfig(3)").size());
    EXPECT_EQ("Printer", PeerName(Applied()));
    EXPECT_TRUE(Engine().m_pProgressMsg->Visible);

    // A request that waits when Wi-Fi Direct is switched off ends as well.
    Engine().StartWiFiDirectProgress(false, 0);
    Engine().m_SeleteDeviceEntry = {};
    Engine().OnPopupConnectSetting();
    ASSERT_TRUE(CKelvoPageWlanP2PDlg::IsRequestPending());
    mainWindow.ShowWiFiDirectPage(&Page());  // the switch is on the main page
    PumpPending();
    Engine().OnPopupConnectSetting();
    ASSERT_TRUE(CKelvoPageWlanP2PDlg::IsRequestPending());
    Switch(false);
    PumpPending();
    EXPECT_FALSE(CKelvoPageWlanP2PDlg::IsRequestPending());
}

TEST_F(WiFiDirectPagesTest, ARequestWhileTheUserChoosesAMethodTakesThePageWithItsOwnPeer)
{
    ASSERT_TRUE(sim.Load("[Peer1]\nName=Laptop\nAddress=02:50:32:50:00:09\nIntent=0\n"
                         "[Peer2]\nName=Printer\nAddress=02:50:32:50:00:02\nIntent=0\n"));
    SwitchOnAs("Desk");
    ScanAndConnectTo("Printer");
    EXPECT_TRUE(Method().GetDlgItem(IDC_P2PCM_BACK)->IsWindowVisible());  // the user's own form
    // The laptop asks meanwhile: the page shown is its prompt, for the laptop.
    Engine().m_SeleteDeviceEntry = {};
    std::memcpy(Engine().m_SeleteDeviceEntry.chDeviceName, "Laptop", 6);
    Engine().m_SeleteDeviceEntry.ulDeviceNameLength = 6;
    const UCHAR laptop[6] = {0x02, 0x50, 0x32, 0x50, 0x00, 0x09};
    std::memcpy(Engine().m_SeleteDeviceEntry.MacAddr, laptop, 6);
    Engine().m_SeleteDeviceEntry.ConfigMethod = 0x0080;
    Engine().OnPopupConnectSetting();
    PumpPending();
    ASSERT_TRUE(Visible(&Method()));
    EXPECT_TRUE(CKelvoPageWlanP2PDlg::IsRequestPending());
    EXPECT_EQ("[Laptop]", Text(Method(), IDC_P2PCM_PEER));
    EXPECT_FALSE(Method().GetDlgItem(IDC_P2PCM_BACK)->IsWindowVisible());
    ClickButton(Method(), IDC_P2PCM_NEXT);
    // The channel chosen by its number is the one offered next time.
    ASSERT_TRUE(Visible(&Channel()));
    auto* combo = static_cast<CComboBox*>(Channel().GetDlgItem(IDC_WIZPSK_CIPHER));
    const int eleven = combo->FindStringExact(-1, "11");
    ASSERT_GE(eleven, 0);
    combo->SetCurSel(eleven);
    ClickButton(Channel(), IDC_WIZARD_NEXT);
    PumpPending();
    ASSERT_EQ(1u, Calls("QXWL_SetWifiDirectWpseConfig(3)").size());
    EXPECT_EQ("Laptop", PeerName(Applied()));
    EXPECT_EQ(11u, Applied().ulOperatingChannel);
    mainWindow.m_pPageTab->PushPageHistory(&Page());
    mainWindow.ShowWiFiDirectPage(&Channel());
    CString shown;
    combo->GetLBText(combo->GetCurSel(), shown);
    EXPECT_EQ(CString("11"), shown);
}

TEST_F(WiFiDirectPagesTest, TheUsersPinRoadAsksThePeerForItsPinThenSendsItAsTyped)
{
    SwitchOnAs("Desk");
    ScanAndConnectTo("Printer");
    ChooseMethod(IDC_P2PCM_PIN_ENTERED);
    ClickButton(Method(), IDC_P2PCM_NEXT);  // asks the printer for its PIN and opens the field for it
    EXPECT_TRUE(Visible(&Method()));
    EXPECT_TRUE(Method().GetDlgItem(IDC_P2PCM_PIN)->IsWindowEnabled());
    Method().SetDlgItemText(IDC_P2PCM_PIN, "1234");  // a four-digit PIN, as WPS 2 allows
    ClickButton(Method(), IDC_P2PCM_NEXT);
    ChannelNext();
    ASSERT_EQ(2u, Calls("QXWL_SetWifiDirectWpseConfig(3)").size());
    EXPECT_EQ(0x40000000u, Applied().WpsMethod);
    EXPECT_EQ("1234", Pin(Applied()));
    ASSERT_TRUE(Visible(&Link()));
    EXPECT_TRUE(Engine().m_pProgressMsg->Visible);
    EXPECT_NE(std::string::npos, std::string(Link().StatusText().GetString()).find("PIN: 1234")) << Link().StatusText().GetString();
}

TEST_F(WiFiDirectPagesTest, ARequestAnsweredWithThisDevicesPinShowsAndSendsThatPin)
{
    // The laptop takes a PIN only by its keypad: this device shows one.
    ASSERT_TRUE(sim.Load("[Peer1]\nName=Laptop\nAddress=02:50:32:50:00:09\nIntent=0\nInvites=1\nConfigMethods=0x0100\n"));
    SwitchOnAs("Desk");
    Deliver();
    ASSERT_TRUE(Visible(&Method()));
    EXPECT_EQ(1, Method().m_nMethod);
    const std::string shown = Text(Method(), IDC_P2PCM_PIN);
    ASSERT_EQ(8u, shown.size());
    EXPECT_EQ(std::string(PinText(Method().m_nShowPin).GetString()), shown);
    ClickButton(Method(), IDC_P2PCM_NEXT);
    ChannelNext();
    ASSERT_EQ(1u, Calls("QXWL_SetWifiDirectWpseConfig(3)").size());
    EXPECT_EQ(0x80000000u, Applied().WpsMethod);
    EXPECT_EQ(shown, Pin(Applied()));
    EXPECT_NE(std::string::npos, std::string(Link().StatusText().GetString()).find("PIN: " + shown)) << Link().StatusText().GetString();
}

TEST_F(WiFiDirectPagesTest, TheOwnersWpsPageOffersTheDevicesMethodsWithARealPin)
{
    SwitchOnAs("Desk");
    ASSERT_FALSE(HasWindow(&Method()));  // the first connect-method page is not made yet
    ClickButton(Page(), IDC_WLANP2P_WPS);
    CKelvoPageP2PConnectMethodII& wps = *mainWindow.m_pPageP2PConnectMethodII;
    ASSERT_TRUE(Visible(&wps));
    EXPECT_EQ(0u, boxes.Count()) << "the device offers push button and its own PIN";
    EXPECT_TRUE(wps.GetDlgItem(IDC_P2PCM_PBC)->IsWindowEnabled());
    EXPECT_TRUE(wps.GetDlgItem(IDC_P2PCM_PIN_SHOWN)->IsWindowEnabled());
    EXPECT_TRUE(wps.GetDlgItem(IDC_P2PCM_NEXT)->IsWindowEnabled());
    wps.CheckRadioButton(IDC_P2PCM_PBC, IDC_P2PCM_PIN_ENTERED, IDC_P2PCM_PIN_SHOWN);
    ClickButton(wps, IDC_P2PCM_PIN_SHOWN);
    const std::string pin = Text(wps, IDC_P2PCM_PIN);
    ASSERT_EQ(8u, pin.size());
    EXPECT_NE("00000000", pin);
    ClickButton(wps, IDC_P2PCM_NEXT);
    EXPECT_EQ(0u, boxes.Count());
    ASSERT_EQ(1u, Calls("QXWL_SetWifiDirectWpseConfig(9)").size());
    EXPECT_EQ(std::strtoul(pin.c_str(), nullptr, 10), Engine().m_pSetting->m_ulWiFiDirectDefPin);

    // A device that offers no method: Next cannot send anything.
    Engine().MyDeviceData.ConfigMethod = 0;
    ClickButton(Page(), IDC_WLANP2P_WPS);
    EXPECT_FALSE(wps.GetDlgItem(IDC_P2PCM_NEXT)->IsWindowEnabled());
    ClickButton(wps, IDC_P2PCM_NEXT);
    EXPECT_EQ(1u, Calls("QXWL_SetWifiDirectWpseConfig(9)").size());
}

TEST_F(WiFiDirectPagesTest, ARefusedConnectionSaysWhyAndEnds)
{
    SwitchOnAs("Desk");
    // This device owns a group: another owner's group cannot be joined.
    Engine().m_ulMyRule = 1;
    ScanAndConnectTo("Camera");
    ClickButton(Method(), IDC_P2PCM_NEXT);
    ChannelNext();
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(G_LangTable.IDS_WIFI_DIRECT_ALREADY_GROUP_OWNER, boxes.Boxes()[0].text);
    EXPECT_TRUE(Visible(&Page()));
    EXPECT_FALSE(Visible(&Link()));
    EXPECT_TRUE(Calls("QXWL_SetWifiDirectWpseConfig(3)").empty());
    Engine().m_ulMyRule = 2;
}

TEST_F(WiFiDirectPagesTest, ANoMethodInCommonEndsTheAttemptBeforeItsBox)
{
    ASSERT_TRUE(sim.Load("[Peer1]\nName=Printer\nAddress=02:50:32:50:00:02\nIntent=0\nAccept=PIN\nConfigMethods=0x0108\n"));
    SwitchOnAs("Desk");
    ScanAndConnectTo("Printer");
    ClickButton(Method(), IDC_P2PCM_NEXT);  // push button, which the printer does not take
    ChannelNext();
    ASSERT_TRUE(Visible(&Link()));
    // The driver's error: the page ends the attempt and the event is armed again at once; the box follows.
    sim.ClearJournal();
    const size_t before = boxes.Count();
    mainWindow.OnWiFiDirectEvent();
    EXPECT_EQ(100, Link().m_nPercent);
    EXPECT_EQ(100, Link().BarPercent());
    EXPECT_EQ(std::string::npos, std::string(Link().StatusText().GetString()).find('%')) << Link().StatusText().GetString();
    EXPECT_FALSE(Engine().m_pProgressMsg->Visible);
    EXPECT_FALSE(Calls("QXWL_OIDSetInfo").empty());
    EXPECT_EQ(before, boxes.Count());
    EXPECT_EQ(1u, PendingWiFiDirectNotices());
    PumpUntil([] { return PendingWiFiDirectNotices() == 0; }, testing_support::kWaitBoundMs);
    ASSERT_EQ(before + 1, boxes.Count());
    EXPECT_EQ(CAdvancedWiFiDirect::ErrorCodeText(5, 0, 0x0108), boxes.Boxes().back().text);
}

TEST_F(WiFiDirectPagesTest, ThePageMadeAnewKeepsTheConnectionCheckUntilSwitchedOff)
{
    SwitchOnAs("Desk");
    Engine().EnableDisableTimer(TIMER_WIFIDIRECT_CONNECT_STATUS, 1);  // a connection was made
    // A mode switch there and back makes the page anew.
    mainWindow.SwitchPageSet(1);
    mainWindow.SwitchPageSet(0);
    mainWindow.ShowWiFiDirectTab();
    ASSERT_TRUE(HasWindow(&Page()));
    EXPECT_EQ(Page().m_hWnd, Engine().m_hWnd);
    EXPECT_TRUE(::KillTimer(Page().m_hWnd, TIMER_WIFIDIRECT_CONNECT_STATUS)) << "the check runs on the new page";
    // Its tick still reaches the engine's check.
    sim.ClearJournal();
    Page().SendMessage(WM_TIMER, TIMER_WIFIDIRECT_CONNECT_STATUS, 0);
    EXPECT_FALSE(Calls("QXWL_ReadRadioStatus").empty());

    // Off: the check stops and the page says not connected.
    Page().CheckDlgButton(IDC_WLANP2P_ENABLE, BST_CHECKED);
    Page().m_bStarted = 1;
    Switch(false);
    Page().SendMessage(WM_TIMER, TIMER_P2P_STATUS, 0);
    EXPECT_FALSE(Engine().m_bTimerRunning[4]);
    EXPECT_FALSE(::KillTimer(Page().m_hWnd, TIMER_WIFIDIRECT_CONNECT_STATUS));
    const std::string off = G_LangTable.IDS_WIFI_DIRECT_NO_ASSOCIATED.IsEmpty() ? "Not connected"
                                                                                : G_LangTable.IDS_WIFI_DIRECT_NO_ASSOCIATED.GetString();
    EXPECT_EQ(off, Text(Page(), IDC_WLANP2P_STATE_TEXT));
}

TEST_F(WiFiDirectPagesTest, PagesWearTheSkinsOfTheirParts)
{
    ASSERT_TRUE(sim.Load("[Peer1]\nName=Printer\nAddress=02:50:32:50:00:02\nIntent=0\nDeviceType=Printer\n"));
    SwitchOnAs("Desk");
    // Main page: bitmap buttons the size of their bitmaps, the header's and the rows' images.
    const auto ownerDrawn = [](CWnd& page, int id) { return (page.GetDlgItem(id)->GetStyle() & BS_TYPEMASK) == BS_OWNERDRAW; };
    for (int id : {IDC_WLANP2P_MORE_INFO, IDC_WLANP2P_SCAN, IDC_WLANP2P_CONNECT, IDC_WLANP2P_WPS})
        EXPECT_TRUE(ownerDrawn(Page(), id)) << id;
    CRect more;
    Page().GetDlgItem(IDC_WLANP2P_MORE_INFO)->GetWindowRect(&more);
    EXPECT_EQ(CSize(110, 23), more.Size());
    auto* list = static_cast<CListCtrl*>(Page().GetDlgItem(IDC_WLANP2P_DEVICE_LIST));
    EXPECT_NE(nullptr, ListView_GetImageList(list->m_hWnd, LVSIL_SMALL));
    HDITEMA item{};
    item.mask = HDI_FORMAT;
    ASSERT_TRUE(Header_GetItem(ListView_GetHeader(list->m_hWnd), 0, &item));
    EXPECT_TRUE(item.fmt & HDF_OWNERDRAW);
    ClickButton(Page(), IDC_WLANP2P_SCAN);
    Deliver();
    ASSERT_EQ(0, RowOf("Printer"));
    CQuickList::CListItemData cell;
    cell = static_cast<CQuickList*>(list)->GetCellData(0, 0);
    EXPECT_EQ("Printer", std::string(cell.m_strText.GetString()));
    EXPECT_EQ(0, cell.m_nImage);

    // Connect-method page: the close button cut to its bitmap's disc, skinned Next, Back, Cancel.
    SelectRow(0);
    ClickButton(Page(), IDC_WLANP2P_CONNECT);
    for (int id : {IDC_P2PCM_CLOSE, IDC_P2PCM_NEXT, IDC_P2PCM_BACK, IDC_P2PCM_CANCEL}) EXPECT_TRUE(ownerDrawn(Method(), id)) << id;
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(ERROR, ::GetWindowRgn(Method().GetDlgItem(IDC_P2PCM_CLOSE)->m_hWnd, region));
    EXPECT_FALSE(::PtInRegion(region, 0, 0));  // a corner lies outside the disc
    EXPECT_TRUE(::PtInRegion(region, 10, 10));
    ::DeleteObject(region);

    // Link status: a bitmap bar that follows the percentage.
    mainWindow.ShowWiFiDirectPage(&Link());
    Link().OnProgress(40);
    EXPECT_EQ(40, Link().BarPercent());
    EXPECT_TRUE(ownerDrawn(Link(), IDC_P2PLS_EXIT));

    // Setting pages: the wizard's skinned buttons.
    EXPECT_TRUE(ownerDrawn(*mainWindow.m_pPageWlanP2PSettingNameDlg, IDC_WIZARD_NEXT));

    // More information: signal bars, not digits, and a skinned Close.
    CKelvoPageP2PMoreInfo info(&mainWindow);
    ASSERT_TRUE(info.Create(CKelvoPageP2PMoreInfo::IDD, &mainWindow));
    EXPECT_TRUE(ownerDrawn(info, IDC_P2PMI_CLOSE));
    Engine().m_ConnectStatus = 3;
    info.Refresh();
    EXPECT_EQ("", Text(info, IDC_P2PMI_SIGNAL));
    EXPECT_NE(CSize(0, 0), info.m_signal.GetBarSize());
    EXPECT_EQ(Page().m_strKey, CString(Text(info, IDC_P2PMI_KEY).c_str()));
    info.DestroyWindow();
    Engine().m_ConnectStatus = 2;
}
}  // namespace
