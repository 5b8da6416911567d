// The profile page: the list of stored profiles with the one in use marked, and what Add,
// Edit, Delete and Apply ask of the main window and the station library.
#include "MainWindowFixture.h"
#include "contract/StationContract.h"
#include "skin/KelvoPageProfileDlg.h"
#include "station/CProfileEditorDlg.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <tuple>

using namespace std::string_literals;
using skin_test::MainWindowTest;
using testing_support::LogCapture;
using testing_support::MessageBoxCapture;

namespace {
constexpr char kThreeProfiles[] =
    "[Profile1]\nName=Home\nSsid=HomeNet\nSecurity=WPA2-PSK\nKey=homepass1\n"
    "[Profile2]\nName=Cafe\nSsid=Cafe\nSecurity=Open\nActive=1\n"
    "[Profile3]\nName=Anywhere\nSsid=*Quixen*Any*Network*SSID\nSecurity=Open\n";

class ProfilePageTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        G_bIsAdmin = 1;
        G_LangTable.IDS_PROF = "PROF";
        G_LangTable.IDS_VAL_ANY = "< Any >";
        G_LangTable.IDS_NOSELECTEDITEM = "Please select an item first.";
        G_LangTable.IDS_DELCURRENTPROF = "Delete the selected profile?";
        G_LangTable.IDS_RADIOOFF = "Radio is off";
        G_LangTable.IDS_VAL_DISABLE = "Disable";
    }
    void TearDown() override
    {
        G_bCreateDefaultProfile = 1;
        MainWindowTest::TearDown();
    }
    // The page with its window, listing the profiles of the world text.
    CKelvoPageProfileDlg& Page(const char* world)
    {
        EXPECT_TRUE(sim.Load(world));
        mainWindow.ShowProfileTab();
        CKelvoPageProfileDlg& page = *mainWindow.m_pPageProfileDlg;
        EXPECT_TRUE(HasWindow(&page));
        page.RebuildProfileList(FALSE);
        sim.ClearJournal();
        return page;
    }
    static std::vector<CString> Names(const CKelvoPageProfileDlg& page)
    {
        std::vector<CString> names;
        for (int row = 0; row < page.GetRowCount(); ++row) names.push_back(page.GetListText(row, 1));
        return names;
    }
    static void Select(CKelvoPageProfileDlg& page, int row)
    {
        Unselect(page);
        LVITEMA item{};
        item.stateMask = item.state = LVIS_SELECTED;
        ::SendDlgItemMessageA(page.m_hWnd, IDC_PROFILE_LIST, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    }
    static void Unselect(CKelvoPageProfileDlg& page)
    {
        LVITEMA item{};
        item.stateMask = LVIS_SELECTED;
        ::SendDlgItemMessageA(page.m_hWnd, IDC_PROFILE_LIST, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    }
    static bool Enabled(const CKelvoPageProfileDlg& page, int id) { return ::IsWindowEnabled(::GetDlgItem(page.m_hWnd, id)); }
    CQuickList::CListItemData Cell(CKelvoPageProfileDlg& page, int row, int column)
    {
        auto* list = static_cast<CQuickList*>(CWnd::FromHandle(::GetDlgItem(page.m_hWnd, IDC_PROFILE_LIST)));
        return list->GetCellData(row, column);
    }
    std::string ActiveName()
    {
        char name[kProfileNameBytes] = {};
        QXWLAPI.QXWL_ReadActiveProfileName(name);
        return name;
    }
    const WLANPROFILE& Pending(const CKelvoPageProfileDlg& page)
    {
        return *static_cast<const WLANPROFILE*>(page.m_pActionRecord);
    }
};
}  // namespace

TEST_F(ProfilePageTest, ListsEveryStoredProfileAndShowsThePlaceholderAsAny)
{
    CKelvoPageProfileDlg& page = Page(kThreeProfiles);
    ASSERT_EQ((std::vector<CString>{"Home", "Cafe", "Anywhere"}), Names(page));
    EXPECT_EQ(CString("HomeNet"), page.GetListText(0, 2));
    EXPECT_EQ(CString("< Any >"), page.GetListText(2, 2));
    EXPECT_EQ(CString(), page.GetListText(3, 1));
    EXPECT_EQ(CString("Cafe"), page.m_strProfile);
    // The icon tells secured from open, as on the site survey.
    EXPECT_EQ(1, Cell(page, 0, 0).m_nImage);
    EXPECT_EQ(0, Cell(page, 1, 0).m_nImage);
    EXPECT_EQ(CString("Cafe"), Cell(page, 1, 1).m_strText);
}

TEST_F(ProfilePageTest, ListTakesTheColumnSharesOfAShortLanguageTextAndKeepsItsOwnForTheRest)
{
    G_LangTable.IDS_LIST_DEPART_PROFILE = "0.1,0.5";  // two shares for three columns
    CKelvoPageProfileDlg& page = Page(kThreeProfiles);
    G_LangTable.IDS_LIST_DEPART_PROFILE.Empty();
    HWND view = ::GetDlgItem(page.m_hWnd, IDC_PROFILE_LIST);
    RECT client{};
    ::GetClientRect(view, &client);
    auto width = [view](int column) { return static_cast<int>(::SendMessageA(view, LVM_GETCOLUMNWIDTH, column, 0)); };
    EXPECT_EQ(static_cast<int>(client.right * 0.1), width(0));
    EXPECT_EQ(static_cast<int>(client.right * 0.5), width(1));
    EXPECT_EQ(static_cast<int>(client.right * 0.38), width(2));  // the page's own share
}

TEST_F(ProfilePageTest, TitlesStandWhiteOnTheSkinsBandAndLabelsInGrey)
{
    CKelvoPageProfileDlg& page = Page(kThreeProfiles);
    HDC dc = ::CreateCompatibleDC(nullptr);
    // What the page answers for a static's colours: the brush, the text colour and the mode it sets.
    auto colours = [&](UINT id) {
        ::SetTextColor(dc, RGB(1, 2, 3));
        ::SetBkMode(dc, OPAQUE);
        const auto brush = reinterpret_cast<HGDIOBJ>(page.SendMessage(
            WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(::GetDlgItem(page.m_hWnd, static_cast<int>(id)))));
        return std::make_tuple(brush, ::GetTextColor(dc), ::GetBkMode(dc));
    };
    // Transparent on no brush of its own: the strip painted behind the title shows through.
    for (UINT id : {IDC_PROFILE_LIST_TITLE, IDC_PROFILE_INFO_TITLE})
        EXPECT_EQ(std::make_tuple(::GetStockObject(NULL_BRUSH), RGB(255, 255, 255), TRANSPARENT), colours(id)) << id;
    for (UINT id : {IDC_PROFILE_NAME_LABEL, IDC_PROFILE_SECURITY_LABEL}) {
        const auto [brush, text, mode] = colours(id);
        EXPECT_NE(::GetStockObject(NULL_BRUSH), brush) << id;
        EXPECT_EQ(RGB(79, 79, 79), text) << id;
    }
    ::DeleteDC(dc);
}

TEST_F(ProfilePageTest, TheTimerMarksTheActiveRowWhereMarksAreShown)
{
    CKelvoPageProfileDlg& page = Page("[World]\nOsCode=8\n"s.append(kThreeProfiles).c_str());
    page.OnTimer(CKelvoPageProfileDlg::TIMER_PROFILE_REFRESH);
    EXPECT_EQ(1, page.GetMarkedRow());
    EXPECT_EQ(CKelvoPageProfileDlg::kMarkedRowBack, Cell(page, 1, 1).m_crBack);
    EXPECT_NE(CKelvoPageProfileDlg::kMarkedRowBack, Cell(page, 0, 1).m_crBack);
    // From code 10 on, only the settings switch shows the mark.
    sim.Set("OsCode", 12);
    QXWLAPI.ActiveProfileIcon = 0;
    page.OnTimer(CKelvoPageProfileDlg::TIMER_PROFILE_REFRESH);
    EXPECT_EQ(-1, page.GetMarkedRow());
    QXWLAPI.ActiveProfileIcon = 1;
    page.OnTimer(CKelvoPageProfileDlg::TIMER_PROFILE_REFRESH);
    EXPECT_EQ(1, page.GetMarkedRow());
    QXWLAPI.ActiveProfileIcon = 0;
}

TEST_F(ProfilePageTest, AnActiveNameNoRowShowsIsForgotten)
{
    CKelvoPageProfileDlg& page = Page(kThreeProfiles);
    WLANPROFILE ghost = {};
    strcpy(ghost.strProfileName, "Ghost");
    QXWLAPI.QXWL_SetWLANProfile(&ghost);
    ASSERT_EQ("Ghost", ActiveName());
    page.RebuildProfileList(FALSE);
    EXPECT_TRUE(page.m_strProfile.IsEmpty());
    page.OnTimer(CKelvoPageProfileDlg::TIMER_PROFILE_REFRESH);
    EXPECT_EQ(-1, page.GetMarkedRow());
}

TEST_F(ProfilePageTest, AddAndEditOpenTheEditorOnTheChosenProfile)
{
    CKelvoPageProfileDlg& page = Page(kThreeProfiles);
    ClickButton(page, IDC_PROFILE_ADD);
    EXPECT_EQ(std::vector<int>{CKelvoPageUIDlg::kProfileEditor}, VisibleClassic());
    LogCapture log;
    Select(page, 1);
    ClickButton(page, IDC_PROFILE_EDIT);
    EXPECT_TRUE(log.Contains("LoadProfile(Cafe)"));
}

TEST_F(ProfilePageTest, NextProfileNameFollowsTheHighestNumberOfTheLanguagesPrefix)
{
    CKelvoPageProfileDlg& page = Page("[Profile1]\nName=PROF1\nSsid=A\n[Profile2]\nName=PROF3\nSsid=B\n"
                                      "[Profile3]\nName=Home\nSsid=C\n");
    EXPECT_EQ(CString("PROF4"), page.NextProfileName());
    EXPECT_EQ(CString("4"), page.NextProfileIdText());
    // A prefix longer than four characters is read whole.
    G_LangTable.IDS_PROF = "Profil";
    page.RebuildProfileList(FALSE);
    EXPECT_TRUE(sim.Load("[Profile1]\nName=Profil12\nSsid=A\n"));
    page.RebuildProfileList(FALSE);
    EXPECT_EQ(CString("Profil13"), page.NextProfileName());
    EXPECT_TRUE(sim.Load("[Profile1]\nName=Home\nSsid=A\n"));
    page.RebuildProfileList(FALSE);
    EXPECT_EQ(CString("Profil1"), page.NextProfileName());
}

TEST_F(ProfilePageTest, NoProfileGivesNumberZeroAndDisablesTheRowButtons)
{
    CKelvoPageProfileDlg& page = Page("[Profile1]\nName=Gone\nSsid=A\n");
    QXWLAPI.QXWL_DeleteProfile("Gone", FALSE);
    page.RebuildProfileList(TRUE);
    EXPECT_EQ(CString("0"), page.NextProfileIdText());
    EXPECT_TRUE(Enabled(page, IDC_PROFILE_ADD));
    for (int id : {IDC_PROFILE_EDIT, IDC_PROFILE_DELETE, IDC_PROFILE_APPLY}) EXPECT_FALSE(Enabled(page, id)) << id;
}

TEST_F(ProfilePageTest, TheFirstShowingWithNoProfileOffersOnlyAdd)
{
    ASSERT_TRUE(sim.Load("[Network1]\nSsid=Cafe\nBssid=00:1A:2B:00:00:01\n"));
    ASSERT_FALSE(HasWindow(mainWindow.m_pPageProfileDlg));
    mainWindow.ShowProfileTab();  // the page's window is made now
    CKelvoPageProfileDlg& page = *mainWindow.m_pPageProfileDlg;
    ASSERT_TRUE(HasWindow(&page));
    EXPECT_EQ(0, page.GetRowCount());
    EXPECT_TRUE(Enabled(page, IDC_PROFILE_ADD));
    for (int id : {IDC_PROFILE_EDIT, IDC_PROFILE_DELETE, IDC_PROFILE_APPLY}) EXPECT_FALSE(Enabled(page, id)) << id;
}

TEST_F(ProfilePageTest, ARebuildNeverGivesTheButtonsBackToAUserWithoutRights)
{
    G_bIsAdmin = 0;
    CKelvoPageProfileDlg& page = Page(kThreeProfiles);
    for (int id : {IDC_PROFILE_ADD, IDC_PROFILE_EDIT, IDC_PROFILE_DELETE, IDC_PROFILE_APPLY})
        EXPECT_FALSE(Enabled(page, id)) << id;
}

TEST_F(ProfilePageTest, ApplyActivatesTheSelectedProfileAndQueuesIt)
{
    CKelvoPageProfileDlg& page = Page(kThreeProfiles);
    Select(page, 0);
    LogCapture log;
    ClickButton(page, IDC_PROFILE_APPLY);
    EXPECT_TRUE(log.Contains("ACTION_INSERT_EXEC"));  // handed to the main window for the hidden dialog
    EXPECT_EQ(std::vector<std::string>{"QXWL_CopyProfileToCurrentSetting(Home)"}, Calls("QXWL_CopyProfileToCurrentSetting"));
    EXPECT_EQ(std::vector<std::string>{"QXWL_WriteWPSFlag(0)"}, Calls("QXWL_WriteWPSFlag"));
    EXPECT_EQ("Home", ActiveName());
    EXPECT_EQ(CString("Home"), page.m_strAppliedName);
    EXPECT_EQ(CString("HomeNet"), page.m_strAppliedSsid);
    EXPECT_EQ(1, page.m_bConnectPending);
    ASSERT_EQ(1u, page.m_nActionType);
    EXPECT_STREQ("Home", Pending(page).strProfileName);
    EXPECT_EQ(CKelvoPageUIDlg::kLinkStatus, VisibleClassic().at(0));
}

TEST_F(ProfilePageTest, ApplyWithoutASelectionTakesTheOnlyRowOrAsks)
{
    CKelvoPageProfileDlg& single = Page("[Profile1]\nName=Solo\nSsid=Solo\n");
    Unselect(single);
    ClickButton(single, IDC_PROFILE_APPLY);
    EXPECT_EQ("Solo", ActiveName());

    CKelvoPageProfileDlg& page = Page(kThreeProfiles);
    Unselect(page);
    MessageBoxCapture boxes;
    ClickButton(page, IDC_PROFILE_APPLY);
    ClickButton(page, IDC_PROFILE_DELETE);
    ASSERT_EQ(2u, boxes.Count());
    EXPECT_EQ("Please select an item first.", boxes.Boxes()[0].text);
    EXPECT_TRUE(Calls("QXWL_CopyProfileToCurrentSetting").empty());
    EXPECT_TRUE(Calls("QXWL_DeleteProfile").empty());
}

TEST_F(ProfilePageTest, ApplyIsRefusedWithTheRadioOffOrTheSystemServiceInCharge)
{
    CKelvoPageProfileDlg& page = Page(kThreeProfiles);
    Select(page, 0);
    MessageBoxCapture boxes;
    sim.Set("SwRadio", 0);
    ClickButton(page, IDC_PROFILE_APPLY);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ("Radio is off", boxes.Boxes()[0].text);
    sim.Set("SwRadio", 1);
    sim.Set("OsCode", 12);
    sim.Set("MSConfigService", 0);
    ClickButton(page, IDC_PROFILE_APPLY);
    ClickButton(page, IDC_PROFILE_DELETE);
    EXPECT_EQ(1u, boxes.Count());
    EXPECT_TRUE(Calls("QXWL_CopyProfileToCurrentSetting").empty());
    EXPECT_TRUE(Calls("QXWL_DeleteProfile").empty());
}

TEST_F(ProfilePageTest, DeletingAnotherProfileRemovesItWithoutAQuestion)
{
    CKelvoPageProfileDlg& page = Page(kThreeProfiles);
    Select(page, 0);
    MessageBoxCapture boxes;
    ClickButton(page, IDC_PROFILE_DELETE);
    EXPECT_EQ(0u, boxes.Count());
    EXPECT_EQ(std::vector<std::string>{"QXWL_DeleteProfile(Home, 0)"}, Calls("QXWL_DeleteProfile"));
    EXPECT_EQ((std::vector<CString>{"Cafe", "Anywhere"}), Names(page));
}

TEST_F(ProfilePageTest, DeletingTheProfileInUseAsksAndNoKeepsIt)
{
    CKelvoPageProfileDlg& page = Page("[World]\nOsCode=8\n"s.append(kThreeProfiles).c_str());
    Select(page, 1);
    ClickButton(page, IDC_PROFILE_APPLY);
    Select(page, 1);
    sim.ClearJournal();
    {
        MessageBoxCapture boxes(IDCANCEL);
        ClickButton(page, IDC_PROFILE_DELETE);
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_EQ("Delete the selected profile?", boxes.Boxes()[0].text);
    }
    EXPECT_TRUE(Calls("QXWL_DeleteProfile").empty());
    EXPECT_EQ("Cafe", ActiveName());

    MessageBoxCapture yes(IDOK);
    ClickButton(page, IDC_PROFILE_DELETE);
    EXPECT_EQ(std::vector<std::string>{"QXWL_DeleteProfile(Cafe, 0)"}, Calls("QXWL_DeleteProfile"));
    EXPECT_EQ((std::vector<CString>{"Home", "Anywhere"}), Names(page));
    EXPECT_EQ("", ActiveName());
    // The resynchronisation after the delete queues nothing: the deleted profile is not connected again.
    const std::vector<std::string> journal = sim.Journal();
    const auto reset = std::find(journal.begin(), journal.end(), "QXWL_ResetToDefaultConnecctionSetting()");
    const auto del = std::find(journal.begin(), journal.end(), "QXWL_DeleteProfile(Cafe, 0)");
    EXPECT_LT(reset, del);
    EXPECT_EQ(0, page.m_bConnectPending);
    EXPECT_STREQ("", Pending(page).strProfileName);
}

TEST_F(ProfilePageTest, DeletingTheProfileInUseLetsTheHiddenDialogReconnectAgain)
{
    CKelvoPageProfileDlg& page = Page("[World]\nOsCode=8\n"s.append(kThreeProfiles).c_str());
    Select(page, 1);
    ClickButton(page, IDC_PROFILE_APPLY);
    ::InterlockedExchange(&G_bReConnect, FALSE);  // a prompt had held it back
    Select(page, 1);
    MessageBoxCapture yes(IDOK);
    ClickButton(page, IDC_PROFILE_DELETE);
    EXPECT_EQ(TRUE, G_bReConnect);

    // Another profile, or the one in use during a WPS run, leaves the flag as it is.
    ::InterlockedExchange(&G_bReConnect, FALSE);
    Select(page, 0);
    ClickButton(page, IDC_PROFILE_DELETE);
    EXPECT_EQ(FALSE, G_bReConnect);
    ::InterlockedExchange(&G_bReConnect, TRUE);
}

TEST_F(ProfilePageTest, StartUpReconnectsTheActiveProfile)
{
    CKelvoPageProfileDlg& page = Page(kThreeProfiles);
    page.ReloadActiveProfile();
    EXPECT_EQ(std::vector<std::string>{"QXWL_CopyProfileToCurrentSetting(Cafe)"}, Calls("QXWL_CopyProfileToCurrentSetting"));
    EXPECT_STREQ("Cafe", Pending(page).strProfileName);
}

TEST_F(ProfilePageTest, FirstStartWithNoProfileAsksTheEditorForTheDefaultOnce)
{
    CKelvoPageProfileDlg& page = Page("[Profile1]\nName=Gone\nSsid=A\n");
    QXWLAPI.QXWL_DeleteProfile("Gone", FALSE);
    G_bCreateDefaultProfile = 1;
    G_LangTable.IDS_VAL_DEFAULT = "Default";
    page.ReloadActiveProfile();
    EXPECT_EQ(0, G_bCreateDefaultProfile);
    // The editor stored the default profile for any network, and it is connected.
    EXPECT_EQ(std::vector<std::string>{"QXWL_WriteProfile(Default, Default)"}, Calls("QXWL_WriteProfile"));
    EXPECT_EQ(std::vector<std::string>{"QXWL_CopyProfileToCurrentSetting(Default)"}, Calls("QXWL_CopyProfileToCurrentSetting"));
    sim.ClearJournal();
    mainWindow.ShowClassicDialog(CKelvoPageUIDlg::kLinkStatus);
    page.ReloadActiveProfile();
    EXPECT_EQ(std::vector<int>{CKelvoPageUIDlg::kLinkStatus}, VisibleClassic());
    EXPECT_TRUE(Calls("QXWL_WriteProfile").empty());
}

TEST_F(ProfilePageTest, FirstStartWithProfilesButNoneActiveConnectsTheFirst)
{
    CKelvoPageProfileDlg& page = Page("[Profile1]\nName=Home\nSsid=HomeNet\n[Profile2]\nName=Cafe\nSsid=Cafe\n");
    G_bCreateDefaultProfile = 1;
    page.ReloadActiveProfile();
    EXPECT_EQ(std::vector<std::string>{"QXWL_CopyProfileToCurrentSetting(Home)"}, Calls("QXWL_CopyProfileToCurrentSetting"));
    EXPECT_EQ(0, G_bCreateDefaultProfile);
}

TEST_F(ProfilePageTest, ConnectByNameTakesTheListedProfileOnly)
{
    CKelvoPageProfileDlg& page = Page(kThreeProfiles);
    page.ConnectProfileByName("Nowhere");
    EXPECT_TRUE(Calls("QXWL_CopyProfileToCurrentSetting").empty());
    page.ConnectProfileByName("Home");
    EXPECT_EQ("Home", ActiveName());
}

TEST_F(ProfilePageTest, TheAnyNetworkProfileTakesTheFirstNetworkOfItsSecurity)
{
    // The built-in world: "Quixen-Open" is the one open network; "Quixen-WPA2" uses AES.
    CKelvoPageProfileDlg& page = Page("[Profile1]\nName=Any\nSsid=*Quixen*Any*Network*SSID\nSecurity=Open\n"
                                      "[Profile2]\nName=AnyPsk\nSsid=*Quixen*Any*Network*SSID\nSecurity=WPA2-PSK\n"
                                      "Cipher=TKIP\nKey=whatever1\n");
    std::vector<BYTE> scan;
    ASSERT_TRUE(ReadSiteSurveyList(QXWLAPI.QXWL_SiteSurveyQuery, scan, "test"));
    WLANPROFILE open = {};
    ASSERT_EQ(QXWL_ERROR_SUCCESS, QXWLAPI.QXWL_ReadProfileData(&open, "Any"));
    ASSERT_TRUE(CKelvoPageProfileDlg::ResolveAnyProfile(open, scan.data(), scan.size()));
    EXPECT_EQ("Quixen-Open", SsidToText(open.SSID));
    // No TKIP network is around: no network fits, and nothing is written into the record.
    WLANPROFILE tkip = {};
    ASSERT_EQ(QXWL_ERROR_SUCCESS, QXWLAPI.QXWL_ReadProfileData(&tkip, "AnyPsk"));
    EXPECT_FALSE(CKelvoPageProfileDlg::ResolveAnyProfile(tkip, scan.data(), scan.size()));
    EXPECT_TRUE(IsAnyNetworkSsid(tkip.SSID));
    // With AES the first WPA2-PSK network in the list's order is taken.
    WLANPROFILE aes = tkip;
    aes.enumEncryStatus = ENCRY_AES;
    ASSERT_TRUE(CKelvoPageProfileDlg::ResolveAnyProfile(aes, scan.data(), scan.size()));
    EXPECT_EQ("Quixen-WPA2", SsidToText(aes.SSID));
    // With no scan at all there is nothing to resolve to.
    ASSERT_EQ(QXWL_ERROR_SUCCESS, QXWLAPI.QXWL_ReadProfileData(&open, "Any"));
    EXPECT_FALSE(CKelvoPageProfileDlg::ResolveAnyProfile(open, nullptr, 0));
    // Applying it with no network seen queues nothing.
    Select(page, 1);
    LogCapture log;
    ClickButton(page, IDC_PROFILE_APPLY);
    EXPECT_EQ("AnyPsk", ActiveName());
    EXPECT_FALSE(log.Contains("ACTION_INSERT_EXEC"));
    EXPECT_TRUE(IsAnyNetworkSsid(Pending(page).SSID));
}
