// The security wizard on the stand-in station library: its routing by security type on both
// roads, Back and Exit, each page's checks, the done page, and the profile control page that
// leads into the profile road.
#include "MainWindowFixture.h"
#include "skin/KelvoPageLinkInfoDlg.h"
#include "skin/KelvoPageProfileCtrlDlg.h"
#include "skin/KelvoPageProfileDlg.h"
#include "skin/KelvoPageSecurityConfirmDlg.h"
#include "skin/KelvoPageSecurityPeapDlg.h"
#include "skin/KelvoPageSecurityPskDlg.h"
#include "skin/KelvoPageSecuritySercaDlg.h"
#include "skin/KelvoPageSecuritySetOKDlg.h"
#include "skin/KelvoPageSecurityTlsDlg.h"
#include "skin/KelvoPageSecurityTtlsDlg.h"
#include "skin/KelvoPageSecurityTypeDlg.h"
#include "skin/KelvoPageSecurityWepDlg.h"
#include "skin/KelvoPageSiteSurveyDlg.h"
#include "skin/KelvoPageWirelessSettingDlg.h"
#include "skin/SecurityWizard.h"
#include "station/CPageAuthEncryDlg.h"
#include "station/CPageSystemConfigDlg.h"
#include "station/CProfileEditorDlg.h"
#include "station/WepKeyGeneration.h"
#include "ui/DialogTab.h"
#include "contract/StationContract.h"
#include "ui/DibCanvas.h"

#include <algorithm>
#include <cstdlib>
#include <string>

using testing_support::MessageBoxCapture;
using testing_support::PumpUntilSettled;

namespace {

constexpr char kWorld[] =
    "[Network1]\nSsid=Home-WPA2\nBssid=00:1A:2B:00:00:01\nSecurity=WPA2-PSK\nKey=homepass1\nChannel=6\n"
    "[Network2]\nSsid=Office-WEP\nBssid=00:1A:2B:00:00:02\nSecurity=WEP\nKey=12345\nChannel=1\n"
    "[Network3]\nSsid=Party\nMode=Adhoc\nBssid=02:1A:2B:00:00:03\nSecurity=WEP\nKey=12345\nChannel=11\n"
    "[Profile1]\nName=Home\nSsid=HomeNet\nSecurity=Open\n";

// How far a tab's caption stands out from the tab's face behind it, drawn as the window draws it
// (the strip behind, then the transparent text): the largest step in brightness the text makes.
int CaptionContrast(CKelvoPageUIDlg& main, CFingerStatic& tab)
{
    const HWND caption = tab.GetInner().m_hWnd;
    RECT r{};
    ::GetClientRect(caption, &r);
    DibCanvas face(r.right, r.bottom), drawn(r.right, r.bottom);
    if (!main.PaintStripBehind(caption, face.DC()->m_hDC, r) || !main.PaintStripBehind(caption, drawn.DC()->m_hDC, r))
        return 0;
    ::SendMessageA(caption, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(drawn.DC()->m_hDC), PRF_CLIENT);
    const auto brightness = [](COLORREF c) { return (299 * GetRValue(c) + 587 * GetGValue(c) + 114 * GetBValue(c)) / 1000; };
    int contrast = 0;
    for (int y = 0; y < r.bottom; ++y)
        for (int x = 0; x < r.right; ++x)
            contrast = std::max(contrast, std::abs(brightness(drawn.At(x, y)) - brightness(face.At(x, y))));
    return contrast;
}

class SecurityWizardTest : public skin_test::MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        G_bIsAdmin = 1;
        G_LangTable.IDS_VAL_DISABLE = "Disabled";
        G_LangTable.IDS_VAL_ANY = "Any";
        G_LangTable.IDS_VAL_OPEN = "Open";
        G_LangTable.IDS_VAL_SHARE = "Shared";
        G_LangTable.IDS_NOSELECTEDITEM = "Please select an item first.";
        G_LangTable.IDS_INPUTPROFILENAME = "Enter a name";
        G_LangTable.IDS_PROFILEEXISTED = "Name exists";
        G_LangTable.IDS_ADHOCINPUTSSID = "Enter an SSID";
        G_LangTable.IDS_MSG_PREKEY_ERROR = "Bad key";
        for (CString* m : {&G_LangTable.IDS_MSG_WEPKEY_ERROR1, &G_LangTable.IDS_MSG_WEPKEY_ERROR2,
                           &G_LangTable.IDS_MSG_WEPKEY_ERROR3, &G_LangTable.IDS_MSG_WEPKEY_ERROR4})
            m->Format("WEP error %d", static_cast<int>(m - &G_LangTable.IDS_MSG_WEPKEY_ERROR1) + 1);
        ASSERT_TRUE(sim.Load(kWorld));
    }
    CDialogTab& Tab() { return *mainWindow.m_pPageTab; }
    // The survey road up to the security-type page for the network of that name.
    void EnterFromSurvey(const char* ssid)
    {
        mainWindow.ShowSiteSurveyTab();
        CKelvoPageSiteSurveyDlg& survey = *mainWindow.m_pPageSiteSurveyDlg;
        // Both refills of the scan handled: a later one would clear the chosen row.
        ASSERT_TRUE(PumpUntilSettled([&] { return sim.WaitIdle(0) && survey.m_bScanDone == 1; }));
        int row = -1;
        for (size_t i = 0; i < survey.m_Entries.size(); ++i)
            if (survey.m_Entries[i].strSsid == ssid) row = static_cast<int>(i);
        ASSERT_GE(row, 0);
        survey.m_list.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        ClickButton(survey, IDC_SURVEY_CONNECT);
        ASSERT_TRUE(Visible(mainWindow.m_pPageSecurityTypeDlg));
    }
    // The profile road: the profile list's Add, then the control page's Next.
    void EnterFromProfile(const char* name, const char* ssid, bool adhoc)
    {
        mainWindow.ShowProfileTab();
        ClickButton(*mainWindow.m_pPageProfileDlg, IDC_PROFILE_ADD);
        CKelvoPageProfileCtrlDlg& ctrl = *mainWindow.m_pPageProfileCtrlDlg;
        ASSERT_TRUE(Visible(&ctrl));
        ctrl.SetDlgItemText(IDC_PROFCTRL_NAME, name);
        ctrl.SetDlgItemText(IDC_PROFCTRL_SSID, ssid);
        ClickButton(ctrl, adhoc ? IDC_PROFCTRL_ADHOC : IDC_PROFCTRL_INFRA);
        ClickButton(ctrl, IDC_PROFCTRL_NEXT);
    }
    void ChooseType(int index)
    {
        CKelvoPageSecurityTypeDlg& type = *mainWindow.m_pPageSecurityTypeDlg;
        type.m_comboSecurity.SetCurSel(index);
        ClickButton(type, IDC_WIZARD_NEXT);
    }
    std::vector<std::string> Entries(const CComboBox& combo)
    {
        std::vector<std::string> texts;
        for (int i = 0; i < combo.GetCount(); ++i) {
            CString text;
            combo.GetLBText(i, text);
            texts.emplace_back(text.GetString());
        }
        return texts;
    }
    CDialog* VisiblePage()
    {
        for (CDialog* page : Tab().Pages())
            if (Visible(page)) return page;
        return nullptr;
    }
};

}  // namespace

TEST(SecurityWizardRouting, EveryTypeOnBothNetworkKinds)
{
    // Infrastructure: none to the summary, WEP, both PSKs, and the three 802.1X types by method.
    EXPECT_EQ(WizardStep::Confirm, RouteAfterSecurityType(false, WIZSEC_NONE, WIZEAP_TLS));
    EXPECT_EQ(WizardStep::Wep, RouteAfterSecurityType(false, WIZSEC_WEP, 0));
    EXPECT_EQ(WizardStep::Psk, RouteAfterSecurityType(false, WIZSEC_WPA_PSK, 0));
    EXPECT_EQ(WizardStep::Psk, RouteAfterSecurityType(false, WIZSEC_WPA2_PSK, 0));
    for (int type : {WIZSEC_WPA, WIZSEC_WPA2, WIZSEC_8021X}) {
        EXPECT_EQ(WizardStep::Tls, RouteAfterSecurityType(false, type, WIZEAP_TLS));
        EXPECT_EQ(WizardStep::Ttls, RouteAfterSecurityType(false, type, WIZEAP_TTLS));
        EXPECT_EQ(WizardStep::Peap, RouteAfterSecurityType(false, type, WIZEAP_PEAP));
        EXPECT_EQ(WizardStep::Peap, RouteAfterSecurityType(false, type, 3));  // EAP-FAST and the rest: PEAP
    }
    // Ad hoc: entry 2 is its one PSK type; nothing leads to an 802.1X page.
    EXPECT_EQ(WizardStep::Wep, RouteAfterSecurityType(true, WIZSEC_WEP, 0));
    EXPECT_EQ(WizardStep::Psk, RouteAfterSecurityType(true, 2, 0));
    for (int other : {0, 3, 4, 5, 6}) EXPECT_EQ(WizardStep::Confirm, RouteAfterSecurityType(true, other, WIZEAP_TTLS));
    EXPECT_EQ(WizardStep::Serca, RouteAfterPeap(true));
    EXPECT_EQ(WizardStep::Confirm, RouteAfterPeap(false));
    // Preselection from the authentication page.
    EXPECT_EQ(WIZSEC_8021X, CKelvoPageSecurityTypeDlg::Preselection(AUTHIDX_OPEN, ENCRIDX_WEP, 1, false));
    EXPECT_EQ(WIZSEC_WEP, CKelvoPageSecurityTypeDlg::Preselection(AUTHIDX_OPEN, ENCRIDX_WEP, 0, false));
    EXPECT_EQ(WIZSEC_WEP, CKelvoPageSecurityTypeDlg::Preselection(AUTHIDX_SHARED, ENCRIDX_WEP, 0, false));
    EXPECT_EQ(WIZSEC_WPA2_PSK, CKelvoPageSecurityTypeDlg::Preselection(AUTHIDX_WPA2_PSK, ENCRIDX_AES, 0, false));
    EXPECT_EQ(WIZSEC_WPA_PSK, CKelvoPageSecurityTypeDlg::Preselection(AUTHIDX_WPA2_PSK, ENCRIDX_AES, 0, true));
    EXPECT_EQ(WIZSEC_8021X, CKelvoPageSecurityTypeDlg::Preselection(AUTHIDX_CCKM, ENCRIDX_TKIP, 0, false));
    EXPECT_EQ(WIZSEC_NONE, CKelvoPageSecurityTypeDlg::Preselection(AUTHIDX_WAPI_PSK, ENCRIDX_SMS4, 0, false));
}

TEST(SecurityWizardChecks, WepKeysByLengthAndPreSharedKeys)
{
    G_LangTable.IDS_MSG_WEPKEY_ERROR1 = "1";
    G_LangTable.IDS_MSG_WEPKEY_ERROR2 = "2";
    G_LangTable.IDS_MSG_WEPKEY_ERROR3 = "3";
    G_LangTable.IDS_MSG_WEPKEY_ERROR4 = "4";
    auto error = [](int length, const char* key) {
        const CString* e = CKelvoPageSecurityWepDlg::KeyError(length, key);
        return e ? std::string(e->GetString()) : std::string("ok");
    };
    const int k64 = CKelvoPageSecurityWepDlg::kLength64, k128 = CKelvoPageSecurityWepDlg::kLength128;
    EXPECT_EQ("ok", error(k64, "a1b2c3d4e5"));  // lower-case hexadecimal
    EXPECT_EQ("ok", error(k64, "hello"));
    EXPECT_EQ("1", error(k64, "a1b2c3d4eg"));
    EXPECT_EQ("2", error(k64, "123456789"));
    EXPECT_EQ("2", error(k64, ""));
    EXPECT_EQ("ok", error(k128, "0123456789abcdef0123456789"));
    EXPECT_EQ("ok", error(k128, "thirteen-char"));
    EXPECT_EQ("3", error(k128, "0123456789ABCDEF012345678G"));
    EXPECT_EQ("4", error(k128, "a1b2c3d4e5"));

    // The editor's own rule: 64 characters must be hexadecimal digits.
    EXPECT_FALSE(CKelvoPageSecurityPskDlg::IsValidKey("1234567"));
    EXPECT_TRUE(CKelvoPageSecurityPskDlg::IsValidKey("12345678"));
    EXPECT_TRUE(CKelvoPageSecurityPskDlg::IsValidKey(CString('x', 63)));
    EXPECT_TRUE(CKelvoPageSecurityPskDlg::IsValidKey(CString('a', 64)));
    EXPECT_FALSE(CKelvoPageSecurityPskDlg::IsValidKey(CString('x', 64)));
    EXPECT_FALSE(CKelvoPageSecurityPskDlg::IsValidKey(CString('a', 65)));
}

TEST(SecurityWizardChecks, BytesToHexTextPadsAndCutsByDirection)
{
    const BYTE bytes[] = {0x0A, 0xBC, 0x01};
    char out[16];
    BytesToHexText(bytes, 3, out, 6, 0);
    EXPECT_STREQ("0ABC01", out);
    BytesToHexText(bytes, 3, out, 10, 0);
    EXPECT_STREQ("00000ABC01", out);  // a longer buffer keeps leading zeros
    BytesToHexText(bytes, 3, out, 4, 0);
    EXPECT_STREQ("BC01", out);  // a shorter one loses the first bytes
    BytesToHexText(bytes, 3, out, 10, 1);
    EXPECT_STREQ("0ABC010000", out);
    BytesToHexText(bytes, 3, out, 3, 1);
    EXPECT_STREQ("0A0", out);  // no half byte is written past the end
}

TEST_F(SecurityWizardTest, SurveyRoadPskForwardThenBackThroughTheWholeStack)
{
    EnterFromSurvey("Home-WPA2");
    CKelvoPageSecurityTypeDlg& type = *mainWindow.m_pPageSecurityTypeDlg;
    EXPECT_EQ(0, type.bUseProfileEditor);
    EXPECT_EQ(0, type.bAdhoc);
    EXPECT_EQ((std::vector<std::string>{"Disabled", "WEP", "WPA-PSK", "WPA2-PSK", "WPA", "WPA2", "802.1X"}),
              Entries(type.m_comboSecurity));
    ChooseType(WIZSEC_WPA2_PSK);
    CKelvoPageSecurityPskDlg& psk = *mainWindow.m_pPageSecurityPskDlg;
    ASSERT_TRUE(Visible(&psk));
    {
        MessageBoxCapture boxes;
        psk.SetDlgItemText(IDC_WIZPSK_KEY, "short");
        ClickButton(psk, IDC_WIZARD_NEXT);
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_EQ("Bad key", boxes.Boxes()[0].text);
        EXPECT_TRUE(Visible(&psk));
        EXPECT_EQ(2, Tab().GetHistoryCount());  // survey, type: nothing pushed by the refusal
    }
    psk.SetDlgItemText(IDC_WIZPSK_KEY, "homepass1");
    ClickButton(psk, IDC_WIZARD_NEXT);
    CKelvoPageSecurityConfirmDlg& confirm = *mainWindow.m_pPageSecurityConfirmDlg;
    ASSERT_TRUE(Visible(&confirm));
    CString text;
    confirm.GetDlgItemText(IDC_WIZCONFIRM_NAME, text);
    EXPECT_STREQ("Home-WPA2", text);
    confirm.GetDlgItemText(IDC_WIZCONFIRM_SECURITY, text);
    EXPECT_STREQ("WPA2-PSK", text);

    ClickButton(confirm, IDC_WIZARD_BACK);
    EXPECT_TRUE(Visible(&psk));
    ClickButton(psk, IDC_WIZARD_BACK);
    EXPECT_TRUE(Visible(&type));
    ClickButton(type, IDC_WIZARD_BACK);
    EXPECT_TRUE(Visible(mainWindow.m_pPageSiteSurveyDlg));
    EXPECT_EQ(WizardStripBitmap(kStripBitmapSurvey), mainWindow.TabStripBitmap());
    EXPECT_EQ(0, Tab().GetHistoryCount());
}

TEST_F(SecurityWizardTest, ExitFromEveryPageReturnsToWhereTheRoadBegan)
{
    const std::vector<CDialog*> pages = {
        mainWindow.m_pPageSecurityTypeDlg, mainWindow.m_pPageSecurityWepDlg, mainWindow.m_pPageSecurityPskDlg,
        mainWindow.m_pPageSecurityTlsDlg,  mainWindow.m_pPageSecurityTtlsDlg, mainWindow.m_pPageSecurityPeapDlg,
        mainWindow.m_pPageSecuritySercaDlg, mainWindow.m_pPageSecurityConfirmDlg, mainWindow.m_pPageWirelessSettingDlg};
    for (bool survey : {true, false}) {
        for (CDialog* page : pages) {
            CDialog* start = survey ? static_cast<CDialog*>(mainWindow.m_pPageSiteSurveyDlg)
                                    : static_cast<CDialog*>(mainWindow.m_pPageProfileCtrlDlg);
            Tab().ResetPageHistory();
            Tab().PushPageHistory(start);
            Tab().PushPageHistory(mainWindow.m_pPageSecurityTypeDlg);
            Tab().ShowPage(page);
            ClickButton(*page, IDC_WIZARD_EXIT);
            EXPECT_EQ(start, VisiblePage()) << page->GetRuntimeClass()->m_lpszClassName << (survey ? " survey" : " profile");
            EXPECT_EQ(0, Tab().GetHistoryCount());
            EXPECT_EQ(WizardStripBitmap(survey ? kStripBitmapSurvey : kStripBitmapProfile), mainWindow.TabStripBitmap());
        }
    }
}

TEST_F(SecurityWizardTest, TheChosenTabsCaptionStaysReadableOnTheWizardsStrip)
{
    if (!::FindResourceA(G_hKelvoImg, MAKEINTRESOURCEA(kStripBitmapWizard), reinterpret_cast<LPCSTR>(RT_BITMAP)))
        GTEST_SKIP() << "the skin library has no wizard strip";
    constexpr int kReadable = 80;  // of 255 steps of brightness
    mainWindow.m_tabSiteSurvey.SetText("Site Survey");
    EnterFromSurvey("Home-WPA2");
    EXPECT_GE(CaptionContrast(mainWindow, mainWindow.m_tabSiteSurvey), kReadable);
    ClickButton(*mainWindow.m_pPageSecurityTypeDlg, IDC_WIZARD_BACK);  // the survey's own strip: white again
    EXPECT_GE(CaptionContrast(mainWindow, mainWindow.m_tabSiteSurvey), kReadable);
}

TEST_F(SecurityWizardTest, WepOnAnAdhocNetworkOffersOpenAndKeyOneAndChecksTheKey)
{
    EnterFromSurvey("Party");
    CKelvoPageSecurityTypeDlg& type = *mainWindow.m_pPageSecurityTypeDlg;
    EXPECT_EQ(1, type.bAdhoc);
    EXPECT_EQ((std::vector<std::string>{"Disabled", "WEP", "WPA2-PSK"}), Entries(type.m_comboSecurity));
    ChooseType(WIZSEC_WEP);
    CKelvoPageSecurityWepDlg& wep = *mainWindow.m_pPageSecurityWepDlg;
    ASSERT_TRUE(Visible(&wep));
    EXPECT_EQ(std::vector<std::string>{"Open"}, Entries(wep.m_comboAuth));
    EXPECT_EQ(std::vector<std::string>{"1"}, Entries(wep.m_comboTxKey));
    wep.m_comboLength.SetCurSel(CKelvoPageSecurityWepDlg::kLength128);
    wep.SetDlgItemText(IDC_WIZWEP_KEY, "0123456789ABCDEF012345678G");
    MessageBoxCapture boxes;
    ClickButton(wep, IDC_WIZARD_NEXT);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("WEP error 3", boxes.Boxes()[0].text);
    EXPECT_TRUE(Visible(&wep));
    wep.SetDlgItemText(IDC_WIZWEP_KEY, "0123456789abcdef0123456789");
    ClickButton(wep, IDC_WIZARD_NEXT);
    EXPECT_TRUE(Visible(mainWindow.m_pPageSecurityConfirmDlg));
    // The key went into the security editor's authentication page as key 1 of an open WEP network.
    const WizardEditor e = GetWizardEditor(false);
    ASSERT_TRUE(e.auth);
    EXPECT_EQ(ENCRIDX_WEP, e.auth->m_nEncryIndex);
    EXPECT_EQ(AUTHIDX_OPEN, e.auth->m_nAuthIndex);
    EXPECT_EQ(0, e.auth->m_nDefaultKey);
    EXPECT_STRCASEEQ("0123456789abcdef0123456789", e.auth->m_strWepKey[0].GetString());
}

TEST_F(SecurityWizardTest, WepPassPhraseMakesTheChosenKeyOfEachLengthAndClearingItFreesTheKey)
{
    EnterFromSurvey("Office-WEP");
    ChooseType(WIZSEC_WEP);
    CKelvoPageSecurityWepDlg& wep = *mainWindow.m_pPageSecurityWepDlg;
    ASSERT_TRUE(Visible(&wep));
    auto choose = [&](CComboBox& combo, UINT id, int entry) {
        combo.SetCurSel(entry);
        wep.SendMessage(WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo.m_hWnd));
    };
    auto key = [&] { CString text; wep.GetDlgItemText(IDC_WIZWEP_KEY, text); return std::string(text.GetString()); };
    BYTE keys64[kWep64OutputBytes] = {};
    BYTE digest[kWep128DigestBytes] = {};
    ASSERT_TRUE(GenerateWep64Keys("quixen", keys64));
    ASSERT_TRUE(GenerateWep128Key("quixen", digest));

    choose(wep.m_comboLength, IDC_WIZWEP_LENGTH, CKelvoPageSecurityWepDlg::kLength64);
    choose(wep.m_comboTxKey, IDC_WIZWEP_TXKEY, 2);
    wep.SetDlgItemText(IDC_WIZWEP_PASSPHRASE, "quixen");
    // Key 3 is the generator's third five bytes; the user cannot type over a made key.
    EXPECT_EQ(WepKeyHexText(keys64 + 2 * kWep64KeyBytes, kWep64KeyBytes).GetString(), key());
    EXPECT_FALSE(wep.GetDlgItem(IDC_WIZWEP_KEY)->IsWindowEnabled());
    choose(wep.m_comboLength, IDC_WIZWEP_LENGTH, CKelvoPageSecurityWepDlg::kLength128);
    const std::string key128 = WepKeyHexText(digest, kWep128KeyBytes).GetString();
    EXPECT_EQ(key128, key());
    choose(wep.m_comboTxKey, IDC_WIZWEP_TXKEY, 0);
    EXPECT_EQ(key128, key());
    // No phrase: the made key goes and the user types one again.
    wep.SetDlgItemText(IDC_WIZWEP_PASSPHRASE, "");
    EXPECT_EQ("", key());
    EXPECT_TRUE(wep.GetDlgItem(IDC_WIZWEP_KEY)->IsWindowEnabled());

    wep.SetDlgItemText(IDC_WIZWEP_PASSPHRASE, "quixen");
    ClickButton(wep, IDC_WIZARD_NEXT);
    ASSERT_TRUE(Visible(mainWindow.m_pPageSecurityConfirmDlg));
    const WizardEditor e = GetWizardEditor(false);
    ASSERT_TRUE(e.auth);
    EXPECT_EQ(key128, e.auth->m_strWepKey[0].GetString());
}

TEST_F(SecurityWizardTest, ProfileControlPageChecksNameAndSsidAndStoresTheAnyText)
{
    mainWindow.ShowProfileTab();
    ClickButton(*mainWindow.m_pPageProfileDlg, IDC_PROFILE_ADD);
    CKelvoPageProfileCtrlDlg& ctrl = *mainWindow.m_pPageProfileCtrlDlg;
    ASSERT_TRUE(Visible(&ctrl));
    EXPECT_EQ(1, ctrl.m_bNewProfile);
    MessageBoxCapture boxes;
    ClickButton(ctrl, IDC_PROFCTRL_NEXT);
    ctrl.SetDlgItemText(IDC_PROFCTRL_NAME, "Home");  // already listed
    ClickButton(ctrl, IDC_PROFCTRL_NEXT);
    ctrl.SetDlgItemText(IDC_PROFCTRL_NAME, "Travel");
    for (UINT mode : {IDC_PROFCTRL_INFRA, IDC_PROFCTRL_ADHOC}) {
        ClickButton(ctrl, mode);
        ClickButton(ctrl, IDC_PROFCTRL_NEXT);
    }
    ASSERT_EQ(4u, boxes.Count());
    EXPECT_EQ("Enter a name", boxes.Boxes()[0].text);
    EXPECT_EQ("Name exists", boxes.Boxes()[1].text);
    EXPECT_EQ("Enter an SSID", boxes.Boxes()[2].text);
    EXPECT_EQ("Enter an SSID", boxes.Boxes()[3].text);
    EXPECT_TRUE(Visible(&ctrl));

    ClickButton(ctrl, IDC_PROFCTRL_INFRA);
    ctrl.SetDlgItemText(IDC_PROFCTRL_SSID, "Any");
    ClickButton(ctrl, IDC_PROFCTRL_NEXT);
    EXPECT_TRUE(Visible(mainWindow.m_pPageSecurityTypeDlg));
    EXPECT_EQ(1, mainWindow.m_pPageSecurityTypeDlg->bUseProfileEditor);
    // The shown "Any" is stored as the any-network marker, never as a network named "Any".
    const WizardEditor e = GetWizardEditor(true);
    ASSERT_TRUE(e.system);
    // As the editor's OK reads them: from the page's controls.
    e.system->UpdateData(TRUE);
    EXPECT_STREQ(kAnyNetworkSsid, e.system->m_strSsid.GetString());
    EXPECT_STREQ("Travel", e.system->m_strProfileName.GetString());
    EXPECT_EQ(WizardStripBitmap(kStripBitmapWizard), mainWindow.TabStripBitmap());
}

TEST_F(SecurityWizardTest, ProfileControlPageShowsBothTitlesWhiteOnTheBandAndItsHintsLighter)
{
    mainWindow.ShowProfileTab();
    ClickButton(*mainWindow.m_pPageProfileDlg, IDC_PROFILE_ADD);
    CKelvoPageProfileCtrlDlg& ctrl = *mainWindow.m_pPageProfileCtrlDlg;
    ASSERT_TRUE(Visible(&ctrl));
    HDC dc = ::CreateCompatibleDC(nullptr);
    // What the page answers for a static's colours: the brush, and the text colour it sets.
    auto colours = [&](UINT id) {
        ::SetTextColor(dc, RGB(1, 2, 3));
        const auto brush = reinterpret_cast<HBRUSH>(ctrl.SendMessage(
            WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(::GetDlgItem(ctrl.m_hWnd, static_cast<int>(id)))));
        return std::make_pair(brush, ::GetTextColor(dc));
    };
    auto face = [&](UINT id) {
        LOGFONTA lf{};
        ::GetObjectA(reinterpret_cast<HFONT>(ctrl.SendDlgItemMessage(static_cast<int>(id), WM_GETFONT, 0, 0)), sizeof lf, &lf);
        return std::string(lf.lfFaceName);
    };
    for (UINT id : {IDC_PROFCTRL_TITLE, IDC_PROFCTRL_SCAN_TITLE}) {
        EXPECT_EQ(std::make_pair(TitleBandBrush(), CSkinnedPageLook::kTitleColor), colours(id)) << id;
        EXPECT_EQ("Arial", face(id)) << id;
    }
    for (UINT id : {IDC_PROFCTRL_NAME_LABEL, IDC_PROFCTRL_SSID_LABEL}) {
        EXPECT_EQ(CSkinnedPageLook::kLabelColor, colours(id).second) << id;
        EXPECT_EQ("Tahoma", face(id)) << id;
    }
    for (UINT id : {IDC_PROFCTRL_INFRA_TEXT, IDC_PROFCTRL_ADHOC_TEXT}) {
        const auto [brush, text] = colours(id);
        EXPECT_NE(TitleBandBrush(), brush) << id;
        EXPECT_NE(CSkinnedPageLook::kLabelColor, text) << id;
        EXPECT_NE(RGB(1, 2, 3), text) << id;
    }
    ::DeleteDC(dc);
}

TEST_F(SecurityWizardTest, ProfileControlScanListCopiesTheSurveyAndSelectPresetsTheEditor)
{
    mainWindow.ShowProfileTab();
    ClickButton(*mainWindow.m_pPageProfileDlg, IDC_PROFILE_ADD);
    CKelvoPageProfileCtrlDlg& ctrl = *mainWindow.m_pPageProfileCtrlDlg;
    ASSERT_TRUE(PumpUntilSettled([&] { return sim.WaitIdle(0) && ctrl.m_bScanDone == 1 && !ctrl.m_Entries.empty(); }));
    EXPECT_EQ(mainWindow.m_pPageSiteSurveyDlg->m_Entries.size(), ctrl.m_Entries.size());
    {
        MessageBoxCapture boxes;
        ClickButton(ctrl, IDC_PROFCTRL_SELECT);  // several rows, none selected
        ASSERT_EQ(1u, boxes.Count());
    }
    int row = -1;
    for (size_t i = 0; i < ctrl.m_Entries.size(); ++i)
        if (ctrl.m_Entries[i].strSsid == "Home-WPA2") row = static_cast<int>(i);
    ASSERT_GE(row, 0);
    ctrl.m_list.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
    ClickButton(ctrl, IDC_PROFCTRL_SELECT);
    CString ssid;
    ctrl.GetDlgItemText(IDC_PROFCTRL_SSID, ssid);
    EXPECT_STREQ("Home-WPA2", ssid);
    EXPECT_STREQ("001A2B000001", ctrl.m_strChosenBssid);
    EXPECT_EQ(SURVEY_AUTH_WPA2_PSK, ctrl.m_nChosenAuth);
    EXPECT_STREQ("AES", ctrl.m_strChosenCipherText);
    // The header sorts by SSID, descending first.
    ctrl.SortBySsid();
    EXPECT_STREQ("Party", ctrl.m_Entries.front().strSsid);
    ctrl.SortBySsid();
    EXPECT_STREQ("Party", ctrl.m_Entries.back().strSsid);
}

TEST_F(SecurityWizardTest, ProfileControlPageRefusesWhatTheProfileCannotHold)
{
    G_LangTable.IDS_PROFILENAMELENGTH = "Name too long";
    G_LangTable.IDS_PROFILENAMECHARS = "Name with control characters";
    G_LangTable.IDS_SSIDLENGTH = "SSID too long";
    mainWindow.ShowProfileTab();
    ClickButton(*mainWindow.m_pPageProfileDlg, IDC_PROFILE_ADD);
    CKelvoPageProfileCtrlDlg& ctrl = *mainWindow.m_pPageProfileCtrlDlg;
    ASSERT_TRUE(Visible(&ctrl));
    // Typing stops at what the profile holds; a pasted text does not, and is refused at Next.
    for (int id : {IDC_PROFCTRL_NAME, IDC_PROFCTRL_SSID})
        EXPECT_EQ(32, ::SendDlgItemMessageA(ctrl.m_hWnd, id, EM_GETLIMITTEXT, 0, 0)) << id;
    MessageBoxCapture boxes;
    const struct {
        std::string name, ssid;
        const char* refusal;
    } cases[] = {
        {"Travel", std::string(33, 's'), "SSID too long"},
        {"Travel", std::string(200, 's'), "SSID too long"},
        {"Travel", std::string(5000, 's'), "SSID too long"},
        {std::string(33, 'n'), "Home-WPA2", "Name too long"},
        {"Tra\r\nvel", "Home-WPA2", "Name with control characters"},
        {"Travel\t", "Home-WPA2", "Name with control characters"},
    };
    for (const auto& c : cases) {
        ctrl.SetDlgItemText(IDC_PROFCTRL_NAME, c.name.c_str());
        ctrl.SetDlgItemText(IDC_PROFCTRL_SSID, c.ssid.c_str());
        ClickButton(ctrl, IDC_PROFCTRL_NEXT);
        ASSERT_FALSE(boxes.Boxes().empty());
        EXPECT_STREQ(c.refusal, boxes.Boxes().back().text) << c.name.size() << " " << c.ssid.size();
        EXPECT_TRUE(Visible(&ctrl));
    }
    EXPECT_EQ(std::size(cases), boxes.Count());
    // Nothing went into the editor, so nothing can be stored.
    const WizardEditor e = GetWizardEditor(true);
    ASSERT_TRUE(e.system);
    EXPECT_TRUE(e.system->m_strSsid.IsEmpty());
    EXPECT_TRUE(Calls("QXWL_WriteProfile").empty());

    // What fits goes on.
    ctrl.SetDlgItemText(IDC_PROFCTRL_NAME, std::string(32, 'n').c_str());
    ctrl.SetDlgItemText(IDC_PROFCTRL_SSID, std::string(32, 's').c_str());
    ClickButton(ctrl, IDC_PROFCTRL_NEXT);
    EXPECT_EQ(std::size(cases), boxes.Count());
    EXPECT_TRUE(Visible(mainWindow.m_pPageSecurityTypeDlg));
    EXPECT_EQ(std::string(32, 's'), e.system->m_strSsid.GetString());
}

TEST_F(SecurityWizardTest, ProfileControlListShowsHiddenNetworksAndLeavesTheirNameToTheUser)
{
    G_LangTable.IDS_HIDDENSSID = "Hidden SSID";
    ASSERT_TRUE(sim.Load("[Network1]\nSsid=Home-WPA2\nBssid=00:1A:2B:00:00:01\nSecurity=WPA2-PSK\nKey=homepass1\n"
                         "[Network2]\nSsid=Secret\nHidden=1\nBssid=00:1A:2B:00:00:09\nSecurity=WPA2-PSK\nKey=secret123\n"));
    mainWindow.ShowProfileTab();
    ClickButton(*mainWindow.m_pPageProfileDlg, IDC_PROFILE_ADD);
    CKelvoPageProfileCtrlDlg& ctrl = *mainWindow.m_pPageProfileCtrlDlg;
    ASSERT_TRUE(PumpUntilSettled([&] { return sim.WaitIdle(0) && ctrl.m_bScanDone == 1; }));
    ASSERT_EQ(2u, ctrl.m_Entries.size());
    int hidden = -1;
    for (size_t i = 0; i < ctrl.m_Entries.size(); ++i)
        if (ctrl.m_Entries[i].strSsid.IsEmpty()) hidden = static_cast<int>(i);
    ASSERT_GE(hidden, 0);
    EXPECT_STREQ("Hidden SSID", ctrl.m_list.GetCellData(hidden, CKelvoPageProfileCtrlDlg::kColumnSsid).m_strText);

    ctrl.SetDlgItemText(IDC_PROFCTRL_SSID, "Home-WPA2");  // the row picked before
    ctrl.m_list.SetItemState(hidden, LVIS_SELECTED, LVIS_SELECTED);
    ClickButton(ctrl, IDC_PROFCTRL_SELECT);
    CString ssid;
    ctrl.GetDlgItemText(IDC_PROFCTRL_SSID, ssid);
    EXPECT_STREQ("", ssid);  // left for the user to type
    // The network's security is still what the editor is preset with.
    EXPECT_STREQ("001A2B000009", ctrl.m_strChosenBssid);
    EXPECT_EQ(SURVEY_AUTH_WPA2_PSK, ctrl.m_nChosenAuth);
}

TEST_F(SecurityWizardTest, DonePageActivatesNowOrLater)
{
    CKelvoPageProfileDlg& list = *mainWindow.m_pPageProfileDlg;
    mainWindow.ShowProfileTab();
    ClickButton(list, IDC_PROFILE_ADD);
    mainWindow.m_pPageProfileCtrlDlg->SetDlgItemText(IDC_PROFCTRL_NAME, "Home");
    CKelvoPageSecuritySetOKDlg& done = *mainWindow.m_pPageSecuritySetOKDlg;
    Tab().ShowPage(&done);
    ClickButton(done, IDC_WIZDONE_LATER);
    EXPECT_TRUE(Visible(&list));
    EXPECT_TRUE(Calls("QXWL_CopyProfileToCurrentSetting").empty());

    Tab().ShowPage(&done);
    ClickButton(done, IDC_WIZDONE_NOW);
    EXPECT_TRUE(Visible(mainWindow.m_pPageLinkInfoDlg));
    EXPECT_FALSE(Calls("QXWL_CopyProfileToCurrentSetting").empty());
}

TEST_F(SecurityWizardTest, EapPagesSwitchByTypeCheckTheirEntriesAndPeapLeadsToTheServerCertificate)
{
    G_LangTable.IDS_MSG_LOGINNAME_EMPTY = "No login";
    G_LangTable.IDS_MSG_PASSWORD_EMPTY = "No password";
    G_LangTable.IDS_MSG_USERCA_EMPTY = "No certificate";
    G_LangTable.IDS_MSG_SERVNAME_EMPTY = "No server";
    EnterFromSurvey("Home-WPA2");
    ChooseType(WIZSEC_WPA2);
    CKelvoPageSecurityPeapDlg& peap = *mainWindow.m_pPageSecurityPeapDlg;
    ASSERT_TRUE(Visible(&peap));
    const INT_PTR depth = Tab().GetHistoryCount();
    // Another EAP type shows its page at once, unchecked and without a step on the back stack.
    peap.m_comboType.SetCurSel(0);
    peap.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_WIZEAP_TYPE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(peap.m_comboType.m_hWnd));
    CKelvoPageSecurityTlsDlg& tls = *mainWindow.m_pPageSecurityTlsDlg;
    ASSERT_TRUE(Visible(&tls));
    EXPECT_EQ(depth, Tab().GetHistoryCount());
    tls.m_comboType.SetCurSel(1);
    tls.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_WIZEAP_TYPE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(tls.m_comboType.m_hWnd));
    ASSERT_TRUE(Visible(&peap));

    MessageBoxCapture boxes;
    peap.SetDlgItemText(IDC_WIZEAP_LOGIN, "user");
    peap.m_comboInner.SetCurSel(CKelvoPageSecurityPeapDlg::kInnerTls);
    peap.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_WIZPEAP_INNER, CBN_SELCHANGE), reinterpret_cast<LPARAM>(peap.m_comboInner.m_hWnd));
    EXPECT_TRUE(::IsWindowVisible(peap.m_comboCert.m_hWnd));
    EXPECT_FALSE(::IsWindowVisible(peap.GetDlgItem(IDC_WIZPEAP_PASSWORD)->m_hWnd));
    // The user's certificates as the client-certificate sub-page lists them, the first chosen.
    ASSERT_GE(peap.m_comboCert.GetCount(), 3);
    EXPECT_EQ("alice [Expired on: 2037-06-30]", Entries(peap.m_comboCert)[0]);
    EXPECT_EQ("bob [Expired on: 2019-03-01]", Entries(peap.m_comboCert)[2]);
    EXPECT_EQ(0, peap.m_comboCert.GetCurSel());
    peap.m_comboCert.SetCurSel(-1);
    peap.SetDlgItemText(IDC_WIZEAP_LOGIN, "user");
    ClickButton(peap, IDC_WIZARD_NEXT);  // a login, but no certificate chosen
    peap.m_comboInner.SetCurSel(CKelvoPageSecurityPeapDlg::kInnerMsChapV2);
    peap.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_WIZPEAP_INNER, CBN_SELCHANGE), reinterpret_cast<LPARAM>(peap.m_comboInner.m_hWnd));
    EXPECT_TRUE(::IsWindowVisible(peap.GetDlgItem(IDC_WIZPEAP_PASSWORD)->m_hWnd));
    peap.SetDlgItemText(IDC_WIZEAP_LOGIN, "user");
    peap.SetDlgItemText(IDC_WIZPEAP_PASSWORD, "");
    ClickButton(peap, IDC_WIZARD_NEXT);
    peap.SetDlgItemText(IDC_WIZEAP_LOGIN, "");
    ClickButton(peap, IDC_WIZARD_NEXT);
    ASSERT_EQ(3u, boxes.Count());
    EXPECT_EQ("No certificate", boxes.Boxes()[0].text);
    EXPECT_EQ("No password", boxes.Boxes()[1].text);
    EXPECT_EQ("No login", boxes.Boxes()[2].text);
    EXPECT_EQ(depth, Tab().GetHistoryCount());

    // With the server's certificate checked, its page comes next; without, the summary.
    peap.SetDlgItemText(IDC_WIZEAP_LOGIN, "user");
    peap.SetDlgItemText(IDC_WIZPEAP_PASSWORD, "password");
    peap.CheckDlgButton(IDC_WIZEAP_VALIDATE, BST_CHECKED);
    ClickButton(peap, IDC_WIZARD_NEXT);
    CKelvoPageSecuritySercaDlg& serca = *mainWindow.m_pPageSecuritySercaDlg;
    ASSERT_TRUE(Visible(&serca));
    serca.SetDlgItemText(IDC_WIZSERCA_SERVER, "");
    ClickButton(serca, IDC_WIZARD_NEXT);
    ASSERT_EQ(4u, boxes.Count());
    EXPECT_EQ("No server", boxes.Boxes()[3].text);
    ClickButton(serca, IDC_WIZARD_BACK);
    ASSERT_TRUE(Visible(&peap));
    peap.SetDlgItemText(IDC_WIZEAP_LOGIN, "user");
    peap.SetDlgItemText(IDC_WIZPEAP_PASSWORD, "password");
    peap.CheckDlgButton(IDC_WIZEAP_VALIDATE, BST_UNCHECKED);
    ClickButton(peap, IDC_WIZARD_NEXT);
    EXPECT_TRUE(Visible(mainWindow.m_pPageSecurityConfirmDlg));
    // The entries reached the security editor's 802.1X page and its identity page.
    const WizardEditor e = GetWizardEditor(false);
    ASSERT_TRUE(e.dot1x);
    EXPECT_EQ(WIZEAP_PEAP, WizardEapMethodOf(e));
    EXPECT_EQ(0, WizardPeapInnerOf(e));
    EXPECT_EQ("user", std::string(WizardIdentity(e).GetString()));
    EXPECT_EQ("password", std::string(WizardPassword(e).GetString()));
    EXPECT_FALSE(WizardUsesServerCertificate(e));
    ClickButton(*mainWindow.m_pPageSecurityConfirmDlg, IDC_WIZARD_BACK);
    EXPECT_TRUE(Visible(&peap));
}

TEST_F(SecurityWizardTest, SaveThatTheEditorRefusesKeepsTheSummary)
{
    EnterFromSurvey("Home-WPA2");
    ChooseType(WIZSEC_WPA2_PSK);
    CKelvoPageSecurityPskDlg& psk = *mainWindow.m_pPageSecurityPskDlg;
    ASSERT_TRUE(Visible(&psk));
    psk.SetDlgItemText(IDC_WIZPSK_KEY, "quixen2024");
    ClickButton(psk, IDC_WIZARD_NEXT);
    CKelvoPageSecurityConfirmDlg& confirm = *mainWindow.m_pPageSecurityConfirmDlg;
    ASSERT_TRUE(Visible(&confirm));
    // The editor's own check refuses a key its page holds that is too short.
    const WizardEditor e = GetWizardEditor(false);
    ASSERT_TRUE(e.auth);
    e.auth->m_strPsk = "short";
    e.auth->FillControls();
    const int reports = mainWindow.m_nEditorOkReports;
    // An editor that reports no finished OK has stored nothing: the user stays to correct it.
    ClickButton(confirm, IDC_WIZARD_NEXT);
    EXPECT_EQ(reports, mainWindow.m_nEditorOkReports);
    EXPECT_TRUE(Visible(&confirm));
    EXPECT_FALSE(Visible(mainWindow.m_pPageLinkInfoDlg));
}

TEST_F(SecurityWizardTest, SaveOfAnAdhocProfileWithoutAChannelSaysWhyAndKeepsTheSummary)
{
    G_LangTable.IDS_SYSCONFIG_NO_CHANN_4_ADHOC = "No ad hoc channel";
    // An adapter on 5 GHz alone that cannot use it: no channel to offer.
    ASSERT_TRUE(sim.Load("[World]\nWirelessMode=2\nSupports11a=0\n"));
    EnterFromProfile("Party", "PartyNet", true);
    CKelvoPageWirelessSettingDlg& wireless = *mainWindow.m_pPageWirelessSettingDlg;
    ASSERT_TRUE(Visible(&wireless));
    ClickButton(wireless, IDC_WIZARD_NEXT);
    ChooseType(WIZSEC_NONE);
    CKelvoPageSecurityConfirmDlg& confirm = *mainWindow.m_pPageSecurityConfirmDlg;
    ASSERT_TRUE(Visible(&confirm));
    MessageBoxCapture boxes;
    sim.ClearJournal();
    ClickButton(confirm, IDC_WIZARD_NEXT);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("No ad hoc channel", boxes.Boxes()[0].text);
    EXPECT_TRUE(Visible(&confirm));
    EXPECT_TRUE(Calls("QXWL_WriteProfile").empty());
}

TEST_F(SecurityWizardTest, TtlsKeepsTheServerValidationTheEditorHolds)
{
    G_LangTable.IDS_MSG_LOGINNAME_EMPTY = "No login";
    for (bool validate : {true, false}) {
        EnterFromProfile(validate ? "Corp" : "Corp2", "CorpNet", false);
        CKelvoPageSecurityTypeDlg& type = *mainWindow.m_pPageSecurityTypeDlg;
        ASSERT_TRUE(Visible(&type));
        const WizardEditor e = GetWizardEditor(true);
        WizardSelectEapMethod(e, WIZEAP_TTLS);
        WizardSetUseServerCertificate(e, validate);
        ChooseType(WIZSEC_WPA2);
        CKelvoPageSecurityTtlsDlg& ttls = *mainWindow.m_pPageSecurityTtlsDlg;
        ASSERT_TRUE(Visible(&ttls)) << validate;
        // TTLS is not offered for a choice on this system, yet the page names its own method.
        EXPECT_EQ("TTLS", std::string(SelectedText(ttls.m_comboType).GetString()));
        ttls.SetDlgItemText(IDC_WIZEAP_LOGIN, "user");
        ttls.SetDlgItemText(IDC_WIZTTLS_PASSWORD, "password");
        ClickButton(ttls, IDC_WIZARD_NEXT);
        ASSERT_TRUE(Visible(mainWindow.m_pPageSecurityConfirmDlg)) << validate;
        EXPECT_EQ(validate, WizardUsesServerCertificate(e));
        ClickButton(*mainWindow.m_pPageSecurityConfirmDlg, IDC_WIZARD_EXIT);
    }
}

TEST_F(SecurityWizardTest, PastedEntriesLongerThanTheirFieldsAreCutOnlyWithAMessage)
{
    G_LangTable.IDS_MSG_TEXT_TOO_LONG = "At most %d characters";
    EnterFromSurvey("Home-WPA2");
    ChooseType(WIZSEC_WPA2);
    CKelvoPageSecurityPeapDlg& peap = *mainWindow.m_pPageSecurityPeapDlg;
    ASSERT_TRUE(Visible(&peap));
    const std::string pasted(5000, 'p');
    MessageBoxCapture boxes;
    // A paste replaces the selection, as the edit's own clipboard command does.
    for (UINT id : {IDC_WIZEAP_LOGIN, IDC_WIZPEAP_PASSWORD})
        peap.SendDlgItemMessage(static_cast<int>(id), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pasted.c_str()));
    ASSERT_EQ(2u, boxes.Count());
    EXPECT_EQ("At most 127 characters", boxes.Boxes()[0].text);
    EXPECT_EQ("At most 127 characters", boxes.Boxes()[1].text);
    peap.SendDlgItemMessage(IDC_WIZEAP_LOGIN, WM_CHAR, 'x', 1);  // a key more: a beep, no second box
    EXPECT_EQ(2u, boxes.Count());
    ClickButton(peap, IDC_WIZARD_NEXT);
    const WizardEditor e = GetWizardEditor(false);
    // What the user was told the fields hold is what the editor got.
    EXPECT_EQ(std::string(127, 'p'), std::string(WizardIdentity(e).GetString()));
    EXPECT_EQ(std::string(127, 'p'), std::string(WizardPassword(e).GetString()));

    // The other pages' edits, each limited to what the record keeps of it.
    struct Edit {
        CDialog* page;
        UINT id;
        size_t limit;
    };
    const Edit edits[] = {{mainWindow.m_pPageSecurityTtlsDlg, IDC_WIZEAP_LOGIN, 127},
                          {mainWindow.m_pPageSecurityTtlsDlg, IDC_WIZTTLS_PASSWORD, 127},
                          {mainWindow.m_pPageSecurityTlsDlg, IDC_WIZEAP_LOGIN, 127},
                          {mainWindow.m_pPageSecuritySercaDlg, IDC_WIZSERCA_SERVER, 127},
                          {mainWindow.m_pPageSecurityPskDlg, IDC_WIZPSK_KEY, 64}};
    for (const Edit& edit : edits) {
        ASSERT_TRUE(mainWindow.EnsurePage(edit.page));
        edit.page->SetDlgItemText(static_cast<int>(edit.id), "");
        const size_t before = boxes.Count();
        edit.page->SendDlgItemMessage(static_cast<int>(edit.id), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pasted.c_str()));
        CString text;
        edit.page->GetDlgItemText(static_cast<int>(edit.id), text);
        EXPECT_EQ(edit.limit, static_cast<size_t>(text.GetLength())) << edit.id;
        EXPECT_EQ(before + 1, boxes.Count()) << edit.id;
    }
}

TEST_F(SecurityWizardTest, AProfileTheStoreRefusesIsToldAndTheSummaryStays)
{
    G_LangTable.IDS_PROFILE_WRITE_FAILED = "The profile could not be stored.";
    ASSERT_TRUE(sim.Set("ProfileStoreRefuses", 1));
    EnterFromProfile("Travel", "Home-WPA2", false);
    ChooseType(WIZSEC_WPA2_PSK);
    CKelvoPageSecurityPskDlg& psk = *mainWindow.m_pPageSecurityPskDlg;
    ASSERT_TRUE(Visible(&psk));
    psk.SetDlgItemText(IDC_WIZPSK_KEY, "homepass1");
    ClickButton(psk, IDC_WIZARD_NEXT);
    CKelvoPageSecurityConfirmDlg& confirm = *mainWindow.m_pPageSecurityConfirmDlg;
    ASSERT_TRUE(Visible(&confirm));
    MessageBoxCapture boxes;
    ClickButton(confirm, IDC_WIZARD_NEXT);  // Save
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("The profile could not be stored.", std::string(boxes.Boxes()[0].text.GetString()));
    EXPECT_TRUE(Visible(&confirm));
    EXPECT_FALSE(Visible(mainWindow.m_pPageSecuritySetOKDlg));
    char name[kProfileNameBytes] = "Travel";
    WLANPROFILE stored = {};
    EXPECT_NE(QXWL_ERROR_SUCCESS, QXWLAPI.QXWL_ReadProfileData(&stored, name));

    // Once the store takes it, Save stores it and the done page follows.
    ASSERT_TRUE(sim.Set("ProfileStoreRefuses", 0));
    ClickButton(confirm, IDC_WIZARD_NEXT);
    EXPECT_EQ(1u, boxes.Count());
    EXPECT_TRUE(Visible(mainWindow.m_pPageSecuritySetOKDlg));
    EXPECT_EQ(QXWL_ERROR_SUCCESS, QXWLAPI.QXWL_ReadProfileData(&stored, name));
}

TEST_F(SecurityWizardTest, ACertificateWithZeroBytesReachesTheConnectionByteForByte)
{
    // The server takes the store's first certificate and nothing else; its blob is binary.
    ASSERT_TRUE(sim.Load("[Network1]\nSsid=Corp-TLS\nBssid=00:1A:2B:00:00:07\nSecurity=WPA2\nEapMethod=TLS\n"
                         "Identity=alice\nClientCert=0\nChannel=6\n"));
    EnterFromSurvey("Corp-TLS");
    ChooseType(WIZSEC_WPA2);
    CKelvoPageSecurityPeapDlg& peap = *mainWindow.m_pPageSecurityPeapDlg;
    ASSERT_TRUE(Visible(&peap));
    peap.m_comboType.SetCurSel(0);
    peap.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_WIZEAP_TYPE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(peap.m_comboType.m_hWnd));
    CKelvoPageSecurityTlsDlg& tls = *mainWindow.m_pPageSecurityTlsDlg;
    ASSERT_TRUE(Visible(&tls));
    tls.SetDlgItemText(IDC_WIZEAP_LOGIN, "alice");
    ASSERT_GT(tls.m_comboCert.GetCount(), 0);
    tls.m_comboCert.SetCurSel(0);
    ClickButton(tls, IDC_WIZARD_NEXT);
    CKelvoPageSecurityConfirmDlg& confirm = *mainWindow.m_pPageSecurityConfirmDlg;
    ASSERT_TRUE(Visible(&confirm));
    ClickButton(confirm, IDC_WIZARD_NEXT);  // Save: the connection is handed on

    ULONG count = 0;
    ASSERT_EQ(QXWL_ERROR_SUCCESS, QXWLAPI.QXWL_EnumCert(kCertStoreUser, nullptr, &count));
    std::vector<qxwl::CERT_INFO> certs(count);
    ASSERT_EQ(QXWL_ERROR_SUCCESS, QXWLAPI.QXWL_EnumCert(kCertStoreUser, reinterpret_cast<BYTE*>(certs.data()), &count));
    const qxwl::CERT_INFO& first = certs[0];
    ASSERT_NE(nullptr, memchr(first.pBlob, 0, first.BlobLength));
    ASSERT_NE(nullptr, mainWindow.m_pPageSiteSurveyDlg->m_pActionRecord);
    const WLANPROFILE record = *static_cast<const WLANPROFILE*>(mainWindow.m_pPageSiteSurveyDlg->m_pActionRecord);
    ASSERT_EQ(first.BlobLength, record.user_cert.BlobLength);
    EXPECT_EQ(0, memcmp(first.pBlob, record.user_cert.BlobData, first.BlobLength));
    EXPECT_EQ(1u, record.bClientCert);
    QXWLAPI.QXWL_FreeCertArray(reinterpret_cast<BYTE*>(certs.data()), &count);

    // The library takes it and the server accepts it.
    sim.ClearJournal();
    ASSERT_EQ(QXWL_ERROR_SUCCESS, QXWLAPI.QXWL_SetWLANProfile(&record));
    ASSERT_TRUE(sim.WaitIdle(testing_support::kWaitBoundMs));
    EXPECT_EQ(1u, Calls("SIM link up Corp-TLS").size());
}
