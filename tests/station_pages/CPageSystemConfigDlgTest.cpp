// The system configuration page: threshold clamping, the channel list, the SSID list from the
// repository of seen networks and the network-type rules.
#include "station_dialogs/StationDialogsFixture.h"
#include "station/CPageSystemConfigDlg.h"

#include <cstring>
#include <vector>

using station_dialogs_test::StationDialogsTest;

namespace {
constexpr ULONG kRecordBytes = sizeof(NDIS_WLAN_BSSID_EX);

LONG WINAPI ChannelsWithObsoleteOnes(ULONG, ULONG, ULONG, UCHAR* channels, ULONG* count, ULONG)
{
    const UCHAR list[] = {1, 6, 34, 36, 38, 42, 46, 149};
    std::memcpy(channels, list, sizeof list);
    *count = sizeof list;
    return 0;
}

class RecordingHost : public ISystemConfigHost {
public:
    int adhocChosen = 0;
    int powerSaveClicks = 0;
    void OnAdhocChosen() override { ++adhocChosen; }
    void OnPowerSaveClicked() override { ++powerSaveClicks; }
};

class SystemConfigTest : public StationDialogsTest {
protected:
    void SetUp() override
    {
        StationDialogsTest::SetUp();
        savedRepository = QXWLAPI.listRepositBssid.pBssidList;
        savedRepositoryBytes = QXWLAPI.listRepositBssid.nBufferSize;
        UseRepository({});
        front.ShowWindow(SW_SHOW);
        ASSERT_TRUE(page.Create(CPageSystemConfigDlg::IDD, &front));
        page.m_pHost = &host;
        page.ShowWindow(SW_SHOW);
    }
    void TearDown() override
    {
        page.DestroyWindow();
        QXWLAPI.listRepositBssid.pBssidList = savedRepository;
        QXWLAPI.listRepositBssid.nBufferSize = savedRepositoryBytes;
        StationDialogsTest::TearDown();
    }
    static NDIS_WLAN_BSSID_EX Network(const char* ssid, UCHAR macTail, ULONG frequencyKHz,
                                      NDIS_802_11_NETWORK_INFRASTRUCTURE mode = Ndis802_11Infrastructure)
    {
        NDIS_WLAN_BSSID_EX record = {};
        record.Length = kRecordBytes;
        record.MacAddress[0] = 0x00;
        record.MacAddress[5] = macTail;
        record.Ssid.SsidLength = static_cast<ULONG>(std::strlen(ssid));
        std::memcpy(record.Ssid.Ssid, ssid, record.Ssid.SsidLength);
        record.Configuration.DSConfig = frequencyKHz;
        record.InfrastructureMode = mode;
        return record;
    }
    // Makes the library object's repository hold these records.
    void UseRepository(const std::vector<NDIS_WLAN_BSSID_EX>& records)
    {
        repository.assign(offsetof(NDIS_802_11_BSSID_LIST_EX, Bssid) + records.size() * kRecordBytes + kRecordBytes, 0);
        const ULONG count = static_cast<ULONG>(records.size());
        std::memcpy(repository.data(), &count, sizeof count);
        for (size_t i = 0; i < records.size(); ++i)
            std::memcpy(repository.data() + offsetof(NDIS_802_11_BSSID_LIST_EX, Bssid) + i * kRecordBytes, &records[i],
                        kRecordBytes);
        QXWLAPI.listRepositBssid.pBssidList = reinterpret_cast<NDIS_802_11_BSSID_LIST_EX*>(repository.data());
        QXWLAPI.listRepositBssid.nBufferSize = static_cast<ULONG>(repository.size());
    }
    HWND Item(int id) { return ::GetDlgItem(page.GetSafeHwnd(), id); }
    std::string Text(int id)
    {
        char text[64] = {};
        ::GetWindowTextA(Item(id), text, sizeof text);
        return text;
    }
    std::vector<std::string> ComboItems(int id)
    {
        std::vector<std::string> items;
        const int count = static_cast<int>(::SendMessageA(Item(id), CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[64] = {};
            ::SendMessageA(Item(id), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            items.push_back(text);
        }
        return items;
    }
    int ComboSel(int id) { return static_cast<int>(::SendMessageA(Item(id), CB_GETCURSEL, 0, 0)); }
    int SliderPos(int id) { return static_cast<int>(::SendMessageA(Item(id), TBM_GETPOS, 0, 0)); }
    void Type(int id, const char* text) { ::SetDlgItemTextA(page.GetSafeHwnd(), id, text); }
    void Click(int id)
    {
        ::SendMessageA(Item(id), BM_CLICK, 0, 0);
    }
    bool Enabled(int id) { return ::IsWindowEnabled(Item(id)) != FALSE; }
    bool Shown(int id) { return ::IsWindowVisible(Item(id)) != FALSE; }

    CPageSystemConfigDlg page;
    RecordingHost host;
    std::vector<BYTE> repository;
    NDIS_802_11_BSSID_LIST_EX* savedRepository = nullptr;
    ULONG savedRepositoryBytes = 0;
};
}  // namespace

TEST_F(SystemConfigTest, ThresholdsAreClampedToTheirRanges)
{
    page.LoadFromScanEntry("Profile 1", "1");
    Click(IDC_SYS_USE_RTS);
    Click(IDC_SYS_USE_FRAG);
    Type(IDC_SYS_RTS_EDIT, "3000");
    EXPECT_EQ("2347", Text(IDC_SYS_RTS_EDIT));
    EXPECT_EQ(2347, SliderPos(IDC_SYS_RTS_SLIDER));
    EXPECT_EQ(2347, page.m_nRtsThreshold);
    Type(IDC_SYS_RTS_EDIT, "500");
    EXPECT_EQ(500, page.m_nRtsThreshold);
    EXPECT_EQ(500, SliderPos(IDC_SYS_RTS_SLIDER));

    Type(IDC_SYS_FRAG_EDIT, "100");
    EXPECT_EQ("100", Text(IDC_SYS_FRAG_EDIT));
    EXPECT_EQ(256, SliderPos(IDC_SYS_FRAG_SLIDER));
    EXPECT_EQ(256, page.m_nFragThreshold);
    Type(IDC_SYS_FRAG_EDIT, "2400");
    EXPECT_EQ("2346", Text(IDC_SYS_FRAG_EDIT));
    EXPECT_EQ(2346, page.m_nFragThreshold);
    EXPECT_EQ(2346, SliderPos(IDC_SYS_FRAG_SLIDER));
}

TEST_F(SystemConfigTest, ClearingUseRtsResetsTheValueAndDisablesItsControls)
{
    page.LoadFromScanEntry("Profile 1", "1");
    EXPECT_FALSE(Enabled(IDC_SYS_RTS_EDIT));
    Click(IDC_SYS_USE_RTS);
    EXPECT_TRUE(Enabled(IDC_SYS_RTS_EDIT));
    EXPECT_TRUE(Enabled(IDC_SYS_RTS_SLIDER));
    Type(IDC_SYS_RTS_EDIT, "1000");
    Click(IDC_SYS_USE_RTS);
    EXPECT_EQ("2347", Text(IDC_SYS_RTS_EDIT));
    EXPECT_EQ(2347, page.m_nRtsThreshold);
    EXPECT_EQ(2347, SliderPos(IDC_SYS_RTS_SLIDER));
    EXPECT_FALSE(Enabled(IDC_SYS_RTS_EDIT));
    EXPECT_FALSE(Enabled(IDC_SYS_RTS_SLIDER));
    EXPECT_FALSE(Enabled(IDC_SYS_RTS_MAX));
}

TEST_F(SystemConfigTest, ChannelListLeavesOutTheObsolete5GHzChannelsAndSelectsTheStoredOne)
{
    const PFN_QXWL_GetAvailableChannels real = QXWLAPI.QXWL_GetAvailableChannels;
    QXWLAPI.QXWL_GetAvailableChannels = ChannelsWithObsoleteOnes;
    page.LoadFromScanEntry("Profile 1", "1");
    page.m_strChannel = "36";
    page.OnAdhocMode();
    QXWLAPI.QXWL_GetAvailableChannels = real;
    EXPECT_EQ((std::vector<std::string>{"1", "6", "36", "149"}), ComboItems(IDC_SYS_CHANNEL));
    EXPECT_EQ(2, ComboSel(IDC_SYS_CHANNEL));
    EXPECT_TRUE(Shown(IDC_SYS_CHANNEL));
}

TEST_F(SystemConfigTest, NewProfileTakesNameAndIdWithIdZeroAsOne)
{
    page.LoadFromScanEntry("Profile 3", "0");
    EXPECT_EQ("1", std::string(page.m_strProfileId.GetString()));
    EXPECT_EQ("Profile 3", Text(IDC_SYS_PROFILE));
    EXPECT_EQ("Profile 3", std::string(page.m_strInitialProfileName.GetString()));
    EXPECT_FALSE(Shown(IDC_SYS_PROFILE_ID));
    EXPECT_EQ(CPageSystemConfigDlg::kInfrastructure, page.m_nNetworkType);
    EXPECT_FALSE(Shown(IDC_SYS_CHANNEL));
    EXPECT_EQ(-1, ComboSel(IDC_SYS_SSID));
}

TEST_F(SystemConfigTest, ScannedNetworkSelectsTheLaterRowOfADuplicatedSsid)
{
    const NDIS_WLAN_BSSID_EX chosen = Network("Office", 3, 2437000);
    UseRepository({Network("Office", 1, 2412000), Network("Lab", 2, 2462000), chosen});
    page.FillSsidFromScanTable(&chosen, "Office", "2");
    EXPECT_EQ(2, ComboSel(IDC_SYS_SSID));
    EXPECT_EQ("Office", Text(IDC_SYS_SSID));
    EXPECT_EQ("6", std::string(page.m_strChannel.GetString()));
    EXPECT_EQ(CPageSystemConfigDlg::kInfrastructure, page.m_nNetworkType);
    EXPECT_EQ(CPageSystemConfigDlg::kPreambleAuto, page.m_nPreamble);
    EXPECT_FALSE(Enabled(IDC_SYS_PREAMBLE));
    EXPECT_EQ(0, host.adhocChosen);
}

TEST_F(SystemConfigTest, ARepositoryRecordWithABrokenLengthEndsTheWalk)
{
    NDIS_WLAN_BSSID_EX broken = Network("Broken", 1, 2412000);
    broken.Length = 0;
    UseRepository({Network("First", 2, 2412000), broken, Network("Never", 3, 2412000)});
    page.LoadFromScanEntry("Profile 1", "1");
    EXPECT_EQ((std::vector<std::string>{"First", "Broken"}), ComboItems(IDC_SYS_SSID));
}

TEST_F(SystemConfigTest, AdhocIsGreyedWhileTheDriverIsNotAStationAndChoosingItTurns8021XOff)
{
    HMENU menu = ::CreatePopupMenu();
    ::AppendMenuA(menu, MF_STRING, 32777, "Ad Hoc");
    ::AppendMenuA(menu, MF_STRING | MF_GRAYED, 32778, "Infrastructure");
    sim.Set("OpMode", 1);
    page.SendMessage(MSG_SYSCONFIG_MENU_POPUP, reinterpret_cast<WPARAM>(menu));
    EXPECT_TRUE(::GetMenuState(menu, 32777, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(::GetMenuState(menu, 32778, MF_BYCOMMAND) & MF_GRAYED);
    sim.Set("OpMode", 0);
    page.SendMessage(MSG_SYSCONFIG_MENU_POPUP, reinterpret_cast<WPARAM>(menu));
    EXPECT_FALSE(::GetMenuState(menu, 32777, MF_BYCOMMAND) & MF_GRAYED);
    ::DestroyMenu(menu);

    page.LoadFromScanEntry("Profile 1", "1");
    page.SendMessage(WM_COMMAND, 32777);
    EXPECT_EQ(1, host.adhocChosen);
    EXPECT_EQ(CPageSystemConfigDlg::kAdhoc, page.m_nNetworkType);
    EXPECT_FALSE(Enabled(IDC_SYS_CAM));
    EXPECT_FALSE(Enabled(IDC_SYS_PSM_LABEL));
    EXPECT_TRUE(Enabled(IDC_SYS_PREAMBLE));
    page.SendMessage(WM_COMMAND, 32796);
    EXPECT_EQ(CPageSystemConfigDlg::kPreambleLong, page.m_nPreamble);
}

TEST_F(SystemConfigTest, StoredProfileMissingFromTheScanKeepsItsSsidAndSettings)
{
    UseRepository({Network("Lab", 2, 2462000)});
    page.LoadFromScanEntry("Profile 1", "1");
    page.m_strSsid = "Hidden";
    page.m_nNetworkType = CPageSystemConfigDlg::kInfrastructure;
    page.m_nTxPower = 6;
    page.m_nPreamble = CPageSystemConfigDlg::kPreambleLong;
    page.LoadFromScanEntryEx();
    EXPECT_EQ(-1, ComboSel(IDC_SYS_SSID));
    EXPECT_EQ("Hidden", Text(IDC_SYS_SSID));
    EXPECT_EQ(6u, page.m_nTxPower);
    EXPECT_EQ(CPageSystemConfigDlg::kPreambleLong, page.m_nPreamble);

    page.m_strSsid = "Lab";
    page.LoadFromScanEntryEx();
    EXPECT_EQ(0, ComboSel(IDC_SYS_SSID));
}

TEST_F(SystemConfigTest, PowerSaveRadioClicksThePagesTab)
{
    page.LoadFromScanEntry("Profile 1", "1");
    Click(IDC_SYS_PSM);
    EXPECT_EQ(1, host.powerSaveClicks);
    EXPECT_EQ(1u, page.m_nPowerSaveMode);
}

TEST_F(SystemConfigTest, TypingAThresholdKeepsOtherUnsavedChangesAndThePageUsesTheLanguageFont)
{
    page.LoadFromScanEntry("Profile 1", "1");
    Click(IDC_SYS_USE_RTS);
    Click(IDC_SYS_USE_FRAG);
    Type(IDC_SYS_PROFILE, "Office");
    Click(IDC_SYS_DIAGNOSTIC);
    Type(IDC_SYS_RTS_EDIT, "500");
    Type(IDC_SYS_FRAG_EDIT, "1000");
    EXPECT_EQ("Office", Text(IDC_SYS_PROFILE));
    EXPECT_EQ(BST_CHECKED, ::IsDlgButtonChecked(page.GetSafeHwnd(), IDC_SYS_DIAGNOSTIC));
    EXPECT_EQ(500, SliderPos(IDC_SYS_RTS_SLIDER));
    EXPECT_EQ(1000, SliderPos(IDC_SYS_FRAG_SLIDER));

    CFont expected;
    ASSERT_TRUE(G_LangTable.CreatePageFont(expected));
    LOGFONTA want{};
    ::GetObjectA(static_cast<HFONT>(expected.GetSafeHandle()), sizeof want, &want);
    for (int id : {IDC_SYS_PROFILE_LABEL, IDC_SYS_DIAGNOSTIC, IDC_SYS_PROFILE, IDC_SYS_RTS_EDIT}) {
        const auto font = reinterpret_cast<HFONT>(::SendMessageA(Item(id), WM_GETFONT, 0, 0));
        LOGFONTA got{};
        ASSERT_NE(0, ::GetObjectA(font, sizeof got, &got)) << id;
        EXPECT_EQ(want.lfHeight, got.lfHeight) << id;
        EXPECT_STREQ(want.lfFaceName, got.lfFaceName) << id;
    }
}
