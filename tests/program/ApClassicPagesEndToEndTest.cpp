// The real program in access-point mode driven through the classic pages that work behind the
// skinned ones (each tab shows its classic page in the area below the visible one): the
// configuration and its security dialog reach the simulated access point only with APPLY, the
// station table follows the stations in range, and an address the access list rejects is
// refused and never listed.
#include <gtest/gtest.h>
#include "program/ApModeFixture.h"
#include "program/ProgramWindows.h"
#include "support/FakeNotificationArea.h"
#include "support/TestSupport.h"

#include <memory>
#include <string>
#include <vector>

using namespace testing_support;
using namespace program_windows;

namespace {
constexpr DWORD kTimeoutMs = 20000;
constexpr int kStationSsid = 1112;
// The configuration page and its security dialog.
constexpr int kConfigSsid = 2831, kConfigChannel = 2837, kConfigSecurity = 2887, kConfigApply = 2888;
constexpr int kSecurityAuth = 2901, kSecurityEncryption = 2903, kSecurityPsk = 2905;
constexpr LPARAM kAuthWpa2Psk = 7, kEncryptionAes = 6;
constexpr int kApChannel = 2754;  // on the skinned status page
// The access-control page and the station table.
constexpr int kAclPolicy = 2951, kAclMac = 2953, kAclAdd = 2954, kAclList = 2956, kAclApply = 2962;
constexpr int kStationTable = 2970;
constexpr int kAddressColumn = 0, kAidColumn = 1, kPowerSaveColumn = 2, kRateColumn = 3;

class ApClassicPagesEndToEnd : public ApModeFixture {
protected:
    // The program started and switched to access-point mode, its main window in `main`.
    void StartInAccessPointMode()
    {
        program = std::make_unique<ChildProcess>(ProgramCommand(), BinFolder());
        main = WaitForMainWindow(program->Id());
        ASSERT_TRUE(main);
        // The station side has started up once its status page is there.
        ASSERT_TRUE(Control(main, kStationSsid));
        ASSERT_TRUE(SwitchToAccessPoint(main));
    }
    // A tab's click; the classic page it brings, found by one of its controls, or null.
    HWND OpenClassicPage(int tab, int controlId)
    {
        Click(::GetDlgItem(main, tab));
        HWND control = Control(main, controlId);
        return control ? ::GetParent(control) : nullptr;
    }
    FakeNotificationArea tray;
    std::unique_ptr<ChildProcess> program;
    HWND main = nullptr;
};
}  // namespace

TEST_F(ApClassicPagesEndToEnd, ConfigurationAndItsSecurityReachTheAccessPointWithApply)
{
    ASSERT_NO_FATAL_FAILURE(StartInAccessPointMode());

    // The configuration tab brings the classic page with it, filled from the stored access point.
    HWND config = OpenClassicPage(kTabConfiguration, kConfigSsid);
    ASSERT_TRUE(config);
    HWND ssid = ::GetDlgItem(config, kConfigSsid);
    HWND channel = ::GetDlgItem(config, kConfigChannel);
    EXPECT_EQ("Kelvo_WLAN", Text(ssid));
    EXPECT_EQ("6", Text(channel));

    ::SendMessageA(ssid, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Classic-AP"));
    ASSERT_TRUE(ChooseComboText(channel, "11"));
    PressButton(config, kConfigSecurity);
    HWND auth = Control(main, kSecurityAuth);
    ASSERT_TRUE(auth);
    HWND security = ::GetParent(auth);
    EXPECT_FALSE(::IsWindowVisible(config)) << "the security dialog takes the configuration page's place";
    // It opens on the stored security.
    const LRESULT storedAuth = ::SendMessageA(auth, CB_GETCURSEL, 0, 0);
    EXPECT_EQ(kAuthWpa2Psk, ::SendMessageA(auth, CB_GETITEMDATA, static_cast<WPARAM>(storedAuth), 0));
    EXPECT_EQ("12345678", ItemText(security, kSecurityPsk));
    ASSERT_TRUE(ChooseComboData(auth, kAuthWpa2Psk));
    ASSERT_TRUE(ChooseComboData(::GetDlgItem(security, kSecurityEncryption), kEncryptionAes));
    ::SendMessageA(::GetDlgItem(security, kSecurityPsk), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("classic-secret"));
    const size_t beforeOk = ApJournal().size();
    PressButton(security, IDOK);
    ASSERT_TRUE(PumpUntil([&] { return ::IsWindowVisible(config) != FALSE; }, kTimeoutMs));
    EXPECT_EQ("Classic-AP", Text(ssid));
    EXPECT_EQ("11", Text(channel));
    EXPECT_TRUE(WaitForTicks(apJournal, kApPollLine, ApJournal().size()));
    EXPECT_EQ(std::string::npos, ApJournal().find("QXAP_WriteandSetConfigData", beforeOk))
        << "the security dialog's OK writes nothing by itself, by the program's next poll either";

    PressButton(config, kConfigApply);
    const std::string runs = "SIM access point runs Classic-AP on channel 11, auth 7, encry 6, key classic-secret";
    EXPECT_TRUE(PumpUntil([&] { return ApJournal().find(runs, beforeOk) != std::string::npos; }, kTimeoutMs))
        << ApJournal().substr(beforeOk);
    // The skinned status page reads the access point back.
    Click(::GetDlgItem(main, kTabLink));
    HWND apSsid = Control(main, kApSsid);
    EXPECT_TRUE(PumpUntil([&] { return Text(apSsid) == "Classic-AP"; }, kTimeoutMs)) << Text(apSsid);
    EXPECT_EQ("11", ItemText(::GetParent(apSsid), kApChannel));
    EXPECT_TRUE(ExitFromTray(*program));
}

TEST_F(ApClassicPagesEndToEnd, JoinedStationsAreListedAndARejectedAddressNever)
{
    ASSERT_NO_FATAL_FAILURE(StartInAccessPointMode());

    // The MAC filter tab brings the access-control page: reject one address.
    HWND acl = OpenClassicPage(kTabFilter, kAclPolicy);
    ASSERT_TRUE(acl);
    HWND policy = ::GetDlgItem(acl, kAclPolicy);
    ASSERT_TRUE(ChooseComboText(policy, "Reject all"));
    HWND list = ::GetDlgItem(acl, kAclList);
    ASSERT_TRUE(::IsWindowEnabled(list));
    ::SendMessageA(::GetDlgItem(acl, kAclMac), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("001122334466"));
    PressButton(acl, kAclAdd);
    ASSERT_TRUE(PumpUntil([&] { return ::SendMessageA(list, LB_GETCOUNT, 0, 0) == 1; }, kTimeoutMs));
    PressButton(acl, kAclApply);
    ASSERT_TRUE(PumpUntil([&] { return ApJournal().find("QXAP_Set80211ACL(2, 1)") != std::string::npos; }, kTimeoutMs));
    const std::string calls = ApJournal();
    const size_t policyAt = calls.find("QXAP_WriteAccessPolicy(2)");
    const size_t listAt = calls.find("QXAP_WriteAccessList(14)");
    ASSERT_NE(std::string::npos, policyAt);
    ASSERT_NE(std::string::npos, listAt);
    EXPECT_LT(policyAt, listAt);
    EXPECT_LT(listAt, calls.find("QXAP_Set80211ACL(2, 1)"));

    // Three stations come into range; the station table on the status tab lists the two admitted
    // ones, in the order they associated.
    HWND tablePage = OpenClassicPage(kTabLink, kStationTable);
    ASSERT_TRUE(tablePage);
    HWND table = ::GetDlgItem(tablePage, kStationTable);
    RemoteList rows(table);
    ASSERT_TRUE(rows.Usable());
    WriteApWorld("[Station1]\nMac=00:11:22:33:44:55\nTxRate=0x8087\n"
                 "[Station2]\nMac=00:11:22:33:44:66\n"
                 "[Station3]\nMac=00:11:22:33:44:77\nPowerSave=1\nTxRate=0x4007\n");
    ASSERT_TRUE(PumpUntil([&] { return rows.Count() == 2; }, kTimeoutMs)) << ApJournal();
    EXPECT_EQ((std::vector<std::string>{"00:11:22:33:44:55", "00:11:22:33:44:77"}), rows.Column(kAddressColumn));
    EXPECT_EQ((std::vector<std::string>{"1", "2"}), rows.Column(kAidColumn));
    EXPECT_EQ((std::vector<std::string>{"No", "Yes"}), rows.Column(kPowerSaveColumn));
    EXPECT_EQ((std::vector<std::string>{"N: MCS = 7, BW = 40, GI = 800, Rate = 135.00", "Rate = 54.00"}),
              rows.Column(kRateColumn));
    EXPECT_NE(std::string::npos, ApJournal().find("SIM station refused 001122334466"));

    // It stays out through two further refreshes of the table: each rebuilds its rows, and so
    // clears a row a user chose.
    for (int refresh = 1; refresh <= 2; ++refresh) {
        rows.Select(0);
        ASSERT_TRUE(PumpUntil([&] { return rows.Selected() == -1; }, kTimeoutMs)) << "refresh " << refresh;
        EXPECT_EQ(2, rows.Count());
        EXPECT_EQ(-1, rows.Find("00:11:22:33:44:66", 1));
    }
    EXPECT_EQ(std::string::npos, ApJournal().find("SIM station joined 001122334466"));
    EXPECT_TRUE(ExitFromTray(*program));
}
