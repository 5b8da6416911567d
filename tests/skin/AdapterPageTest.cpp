// The adapter settings page: the power-saving code in its bits of the transmit setting, WMM
// and the reconnect it needs, the per-AC flags at start, the WPS method radios and the
// administrator rules.
#include "MainWindowFixture.h"
#include "core/QXWLLIB.h"
#include "core/hidedlg/HideDlg.h"
#include "skin/KelvoPageAdapterDlg.h"
#include "station/CPageWPSProfile.h"
#include "ui/DialogTab.h"

#include <cstring>
#include <string>
#include <vector>

using skin_test::MainWindowTest;

namespace {
ULONG g_capability[8] = {};
std::vector<std::vector<ULONG>> g_wmmWrites;
ULONG g_linkEncryption = 0;

LONG WINAPI FakeReadWmm(ULONG* capability)
{
    memcpy(capability, g_capability, sizeof g_capability);
    return 1;
}

LONG WINAPI FakeUpdateWmm(const ULONG* capability)
{
    g_wmmWrites.emplace_back(capability, capability + 8);
    memcpy(g_capability, capability, sizeof g_capability);
    return 1;
}

LONG WINAPI FakeAssociation(WLAN_STATUS* status, WLAN_STATUS_QUERY query)
{
    memset(status, 0, sizeof *status);
    if (!query.bAssociation) return 1;
    status->status = QxStatus_Connected;
    status->Ssid.SsidLength = 4;
    memcpy(status->Ssid.Ssid, "Cafe", 4);
    status->authMode = 7;
    status->encryStatus = g_linkEncryption;
    status->networkType = 1;
    return 1;
}

class AdapterPageTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        m_savedOs = G_nOSVersion;
        m_savedAdmin = G_bIsAdmin;
        const ULONG wmm[8] = {7, 0, 1, 1, 1, 1, 1, 9};  // every AC in power save
        memcpy(g_capability, wmm, sizeof wmm);
        g_wmmWrites.clear();
        g_linkEncryption = 6;
        QXWLAPI.QXWL_QueryAndReadWMMCapability = FakeReadWmm;
        QXWLAPI.QXWL_UpdateWMMEnable = FakeUpdateWmm;
        QXWLAPI.QXWL_QueryWLANStatus = FakeAssociation;
    }
    void TearDown() override
    {
        AfxSetModalDialogHook(nullptr);
        G_nOSVersion = m_savedOs;
        G_bIsAdmin = m_savedAdmin;
        MainWindowTest::TearDown();
    }
    // Stores a transmit setting in the library, then opens the page (created on first show).
    void Open(ULONG transmitSetting, int os = 7, int admin = 1)
    {
        ADVANCE_CONFIG_DATA config{};
        config.WirelessMode = 9;
        config.TransmitSetting = transmitSetting;
        QXWLAPI.QXWL_WriteAdvanceCfgData(config);
        G_nOSVersion = os;
        G_bIsAdmin = admin;
        sim.ClearJournal();
        mainWindow.ShowAdapterTab();
        page = mainWindow.m_pPageAdapterDlg;
        ASSERT_TRUE(page && page->m_hWnd);
    }
    int ComboCount() const { return static_cast<int>(::SendDlgItemMessageA(page->m_hWnd, IDC_ADAPTER_PSM, CB_GETCOUNT, 0, 0)); }
    int ComboSel() const { return static_cast<int>(::SendDlgItemMessageA(page->m_hWnd, IDC_ADAPTER_PSM, CB_GETCURSEL, 0, 0)); }
    void Select(int index) { ::SendDlgItemMessageA(page->m_hWnd, IDC_ADAPTER_PSM, CB_SETCURSEL, index, 0); }
    void Press(UINT id) { ClickButton(*page, static_cast<int>(id)); }
    bool Enabled(UINT id) const { return ::IsWindowEnabled(::GetDlgItem(page->m_hWnd, static_cast<int>(id))) != FALSE; }
    bool Checked(UINT id) const { return ::IsDlgButtonChecked(page->m_hWnd, static_cast<int>(id)) == BST_CHECKED; }
    void Check(UINT id, bool on) { ::CheckDlgButton(page->m_hWnd, static_cast<int>(id), on ? BST_CHECKED : BST_UNCHECKED); }
    ADVANCE_CONFIG_DATA Stored()
    {
        ADVANCE_CONFIG_DATA config{};
        QXWLAPI.QXWL_ReadAdvanceCfgData(&config);
        return config;
    }
    size_t Writes() { return Calls("QXWL_WriteAdvanceCfgData").size(); }

    CKelvoPageAdapterDlg* page = nullptr;
    int m_savedOs = 0, m_savedAdmin = 0;
};

constexpr ULONG kOtherBits = 0x001FFFFFu;  // everything below the power-saving code
}  // namespace

TEST_F(AdapterPageTest, SavingAPowerSavingEntryWritesOnlyItsBitsAndSavingAgainWritesNothing)
{
    Open(0x0012'3456u);
    EXPECT_EQ(3, ComboCount());
    EXPECT_EQ(0, ComboSel());
    Select(2);
    Press(IDC_ADAPTER_SAVE);
    ASSERT_EQ(1u, Writes());
    const ADVANCE_CONFIG_DATA stored = Stored();
    EXPECT_EQ((2u << 21) | (0x0012'3456u & kOtherBits), stored.TransmitSetting);
    EXPECT_EQ(9, stored.WirelessMode);  // the rest of the record as read
    EXPECT_EQ(2, G_nPowerSaveMode);
    EXPECT_EQ(1, page->m_bPowerSaveChanged);

    Press(IDC_ADAPTER_SAVE);
    EXPECT_EQ(1u, Writes());
    EXPECT_EQ(0, page->m_bPowerSaveChanged);

    // Shown again: the stored entry is selected.
    mainWindow.ShowLinkInfoTab();
    mainWindow.ShowAdapterTab();
    EXPECT_EQ(2, ComboSel());
}

TEST_F(AdapterPageTest, AnUnknownStoredCodeShowsTheFirstEntryAndIsRewrittenOnlyForAnother)
{
    Open((5u << 21) | 0x77u);
    EXPECT_EQ(0, ComboSel());
    EXPECT_EQ(0, G_nPowerSaveMode);
    Press(IDC_ADAPTER_SAVE);
    EXPECT_EQ(0u, Writes());
    Select(1);
    Press(IDC_ADAPTER_SAVE);
    EXPECT_EQ(1u, Writes());
    EXPECT_EQ((1u << 21) | 0x77u, Stored().TransmitSetting);
}

TEST_F(AdapterPageTest, NewerSystemsOfferTwoEntriesAndMirrorOnlyTheFirstCode)
{
    Open(2u << 21, 10);
    EXPECT_EQ(2, ComboCount());
    EXPECT_EQ(0, ComboSel());
    EXPECT_EQ(0, G_nPowerSaveMode);  // code 2 has no entry here
}

TEST_F(AdapterPageTest, AnAdministratorsStartPutsThePerAcFlagsOnTheOneSupportedSet)
{
    Open(0);
    ASSERT_EQ(1u, g_wmmWrites.size());
    EXPECT_EQ((std::vector<ULONG>{7, 0, 1, 0, 1, 0, 0, 9}), g_wmmWrites[0]);
    // The hidden per-AC boxes follow the record when WMM power save is on.
    EXPECT_FALSE(Checked(IDC_ADAPTER_AC_BE));
    EXPECT_TRUE(Checked(IDC_ADAPTER_AC_BK));
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(page->m_hWnd, IDC_ADAPTER_AC_BK)));
}

TEST_F(AdapterPageTest, OtherUsersLeaveTheRecordAloneAndCannotStartWpsOrSave)
{
    const ULONG wmm[8] = {1, 1, 0, 1, 1, 1, 1, 0};
    memcpy(g_capability, wmm, sizeof wmm);
    Open(0, 7, 0);
    EXPECT_TRUE(g_wmmWrites.empty());
    for (UINT id : {IDC_ADAPTER_WPS, IDC_ADAPTER_WPS_PBC, IDC_ADAPTER_WPS_PIN_DEVICE, IDC_ADAPTER_WPS_PIN_AP,
                    IDC_ADAPTER_SAVE})
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_TRUE(Checked(IDC_ADAPTER_WMM));
    EXPECT_FALSE(Checked(IDC_ADAPTER_AC_BE));  // WMM power save off: the boxes stay clear
}

TEST_F(AdapterPageTest, TurningWmmOnReconnectsAnAesLinkOnNewerSystems)
{
    Open(0, 10);
    g_wmmWrites.clear();
    sim.ClearJournal();
    Check(IDC_ADAPTER_WMM, true);
    Press(IDC_ADAPTER_SAVE);
    ASSERT_EQ(1u, g_wmmWrites.size());
    EXPECT_EQ((std::vector<ULONG>{7, 1, 1, 0, 1, 0, 0, 9}), g_wmmWrites[0]);
    EXPECT_EQ(1u, Calls("QXWL_WlanDisconnect").size());
    EXPECT_EQ(1u, Calls("QXWL_WlanConnect").size());
    EXPECT_TRUE(Calls("QXWL_Disassociate").empty());

    // Unchanged: nothing at all.
    sim.ClearJournal();
    Press(IDC_ADAPTER_SAVE);
    EXPECT_EQ(1u, g_wmmWrites.size());
    EXPECT_TRUE(Calls("QXWL_WlanConnect").empty());
}

TEST_F(AdapterPageTest, OlderSystemsReassociateAndWepLinksKeepTheirLink)
{
    Open(0, 7);
    sim.ClearJournal();
    g_linkEncryption = 4;  // TKIP
    Check(IDC_ADAPTER_WMM, true);
    Press(IDC_ADAPTER_SAVE);
    EXPECT_EQ(1u, Calls("QXWL_Disassociate").size());
    EXPECT_EQ(1u, Calls("QXWL_SetSSID").size());
    EXPECT_EQ(1u, Calls("QXWL_SetCCXInfo").size());
    EXPECT_TRUE(Calls("QXWL_WlanConnect").empty());

    sim.ClearJournal();
    g_linkEncryption = 0;  // WEP
    Check(IDC_ADAPTER_WMM, false);
    Press(IDC_ADAPTER_SAVE);
    EXPECT_EQ(3u, g_wmmWrites.size());  // the start's per-AC write, on, off
    EXPECT_TRUE(Calls("QXWL_Disassociate").empty());
    EXPECT_TRUE(Calls("QXWL_WlanDisconnect").empty());
}

TEST_F(AdapterPageTest, TheWpsBoxEnablesTheMethodsAndAClosedMethodDialogStaysOnThePage)
{
    Open(0);
    EXPECT_TRUE(Enabled(IDC_ADAPTER_WPS));
    EXPECT_FALSE(Enabled(IDC_ADAPTER_WPS_PBC));
    Check(IDC_ADAPTER_WPS, true);
    Press(IDC_ADAPTER_WPS);
    for (UINT id : {IDC_ADAPTER_WPS_PBC, IDC_ADAPTER_WPS_PIN_DEVICE, IDC_ADAPTER_WPS_PIN_AP}) EXPECT_TRUE(Enabled(id));

    // Each method dialog is closed as soon as it runs.
    AfxSetModalDialogHook([](CDialog& dlg) { dlg.PostMessage(WM_CLOSE); });
    Check(IDC_ADAPTER_WPS_PIN_AP, true);
    Press(IDC_ADAPTER_WPS_PIN_AP);
    EXPECT_EQ(1u, G_bWpsPinFromAp);
    EXPECT_TRUE(Checked(IDC_ADAPTER_WPS_PIN_AP));
    EXPECT_TRUE(Visible(page));  // the dialog ended without Start
    Check(IDC_ADAPTER_WPS_PIN_AP, false);
    Check(IDC_ADAPTER_WPS_PBC, true);
    Press(IDC_ADAPTER_WPS_PBC);
    EXPECT_EQ(0u, G_bWpsPinFromAp);
    EXPECT_TRUE(Checked(IDC_ADAPTER_WPS_PBC));
    EXPECT_FALSE(Checked(IDC_ADAPTER_WPS_PIN_AP));

    Check(IDC_ADAPTER_WPS, false);
    Press(IDC_ADAPTER_WPS);
    EXPECT_FALSE(Enabled(IDC_ADAPTER_WPS_PIN_DEVICE));
}

TEST_F(AdapterPageTest, AfterAHandOverTheMethodsStillFollowTheWpsBox)
{
    Open(0);
    // The system's service gives the adapter back: the window enables its configuration controls.
    mainWindow.EnablePageControls(FALSE);
    mainWindow.EnablePageControls(TRUE);
    EXPECT_TRUE(Enabled(IDC_ADAPTER_WPS));
    for (UINT id : {IDC_ADAPTER_WPS_PBC, IDC_ADAPTER_WPS_PIN_DEVICE, IDC_ADAPTER_WPS_PIN_AP}) EXPECT_FALSE(Enabled(id)) << id;
    Check(IDC_ADAPTER_WPS, true);
    mainWindow.EnablePageControls(FALSE);
    EXPECT_FALSE(Enabled(IDC_ADAPTER_WPS_PBC));
    mainWindow.EnablePageControls(TRUE);
    for (UINT id : {IDC_ADAPTER_WPS_PBC, IDC_ADAPTER_WPS_PIN_DEVICE, IDC_ADAPTER_WPS_PIN_AP}) EXPECT_TRUE(Enabled(id)) << id;
}

TEST_F(AdapterPageTest, AMethodDialogIsARegisteredModalLoopThatATeardownEndsAsCancelled)
{
    Open(0);
    Check(IDC_ADAPTER_WPS, true);
    Press(IDC_ADAPTER_WPS);
    const int before = CModalLoopRegistry::Depth();
    int depthDuring = 0;
    bool hiddenAtStart = false, teardownWaited = false;
    AfxSetModalDialogHook([&](CDialog& dlg) {
        hiddenAtStart = !::IsWindowVisible(dlg.m_hWnd);
        depthDuring = CModalLoopRegistry::Depth();
        // The exit roads end it as cancelled and come back once it has returned.
        teardownWaited = !CModalLoopRegistry::RequestTeardown(nullptr, mainWindow.m_hWnd, WM_NULL, 0, 0);
    });
    Check(IDC_ADAPTER_WPS_PBC, true);
    Press(IDC_ADAPTER_WPS_PBC);
    AfxSetModalDialogHook(nullptr);
    ASSERT_TRUE(hiddenAtStart);  // not yet shown by its loop, and already counted
    EXPECT_EQ(before + 1, depthDuring);
    EXPECT_TRUE(teardownWaited);
    EXPECT_EQ(nullptr, page->m_pWpsPBCDlg);
    EXPECT_EQ(before, CModalLoopRegistry::Depth());
    EXPECT_TRUE(testing_support::PumpPending());
    EXPECT_FALSE(CModalLoopRegistry::TeardownWaits());
    EXPECT_TRUE(Visible(page));  // cancelled, not started: the page stays
}

namespace {
// The width a label needs to show whole: its text in its font (grown by fontScale), and the
// glyph of a check box or radio button before it.
int NeededWidth(HWND item, double fontScale)
{
    LOGFONTA lf{};
    ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(item, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    lf.lfHeight = static_cast<LONG>(lf.lfHeight * fontScale);
    HFONT font = ::CreateFontIndirectA(&lf);
    char text[128] = {};
    ::GetWindowTextA(item, text, sizeof text);
    HDC dc = ::GetDC(item);
    HGDIOBJ old = ::SelectObject(dc, font);
    SIZE size{};
    ::GetTextExtentPoint32A(dc, text, static_cast<int>(strlen(text)), &size);
    ::SelectObject(dc, old);
    ::ReleaseDC(item, dc);
    ::DeleteObject(font);
    char className[32] = {};
    ::GetClassNameA(item, className, sizeof className);
    const bool button = _stricmp(className, "Button") == 0;
    return size.cx + (button ? ::GetSystemMetrics(SM_CXMENUCHECK) + 4 : 0);
}
}  // namespace

TEST_F(AdapterPageTest, EveryLabelShowsWholeAlsoWithTheLargerTextOfAHighDpiScreen)
{
    Open(0);
    // A screen of 144 dots per inch draws the texts half again as large, while the page's layout
    // file may keep the rectangles measured at 96.
    for (double scale : {1.0, 1.5}) {
        for (UINT id : {IDC_ADAPTER_PSM_LABEL, IDC_ADAPTER_WMM, IDC_ADAPTER_WPS, IDC_ADAPTER_WPS_PBC,
                        IDC_ADAPTER_WPS_PIN_DEVICE, IDC_ADAPTER_WPS_PIN_AP}) {
            HWND item = ::GetDlgItem(page->m_hWnd, static_cast<int>(id));
            ASSERT_TRUE(item) << id;
            RECT client{};
            ::GetClientRect(item, &client);
            EXPECT_LE(NeededWidth(item, scale), client.right) << "control " << id << " at " << scale;
        }
    }
}
