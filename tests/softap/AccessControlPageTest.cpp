// The access-control page: the address checks in their order, the 32-entry limit, in-place
// modify, the list read from the library, and APPLY's writes against the stand-in's journal.
#include "softap/ApPagesFixture.h"
#include "softap/AccessControlPage.h"

namespace {

using ap_pages_test::ApPagesTest;
using testing_support::MessageBoxCapture;

class AccessControlPageTest : public ApPagesTest {
protected:
    void SetUp() override
    {
        ApPagesTest::SetUp();
        G_LangTable.IDS_DISABLE = "Disable";
        G_LangTable.IDS_ALLOWALL = "Allow";
        G_LangTable.IDS_REJECTALL = "Reject";
    }
    // Adds through the address edit; the message shown, or "" when none was.
    std::string Add(CAccessControlPage& page, const char* mac)
    {
        page.SetDlgItemText(IDC_ACL_MAC, mac);
        MessageBoxCapture boxes;
        Click(page, IDC_ACL_ADD);
        return boxes.Count() ? std::string(boxes.Boxes()[0].text) : std::string();
    }
    static std::vector<std::string> Listed(CAccessControlPage& page)
    {
        HWND list = ::GetDlgItem(page.m_hWnd, IDC_ACL_LIST);
        std::vector<std::string> out;
        for (int i = 0; i < ::SendMessageA(list, LB_GETCOUNT, 0, 0); ++i) {
            char text[64] = {};
            ::SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            out.push_back(text);
        }
        return out;
    }
    static bool Shown(CAccessControlPage& page, int id)
    {
        return (::GetWindowLongA(::GetDlgItem(page.m_hWnd, id), GWL_STYLE) & WS_VISIBLE) != 0;
    }
    static bool Enabled(CAccessControlPage& page, int id) { return ::IsWindowEnabled(::GetDlgItem(page.m_hWnd, id)) != FALSE; }
};

TEST_F(AccessControlPageTest, AddressChecksRunInTheirOrderEachWithItsMessage)
{
    auto page = Make<CAccessControlPage>();
    Choose(*page, IDC_ACL_POLICY, "Allow");
    EXPECT_EQ("invalid", Add(*page, "00-11-22-33-"));   // not hexadecimal
    EXPECT_EQ("invalid", Add(*page, "01112233445"));     // eleven digits: length before group bit
    EXPECT_EQ("invalid", Add(*page, ""));
    EXPECT_EQ("group", Add(*page, "011122334455"));
    EXPECT_EQ("own", Add(*page, "001a2b4471a0"));        // the adapter's own, in lower case
    EXPECT_EQ("", Add(*page, "00aabbccddee"));
    EXPECT_EQ("duplicate", Add(*page, "00AABBCCDDEE"));  // letter case does not matter
    EXPECT_EQ(std::vector<std::string>{"00-aa-bb-cc-dd-ee"}, Listed(*page));
}

TEST_F(AccessControlPageTest, TheThirtySecondAddressDisablesAddUntilOneGoes)
{
    auto page = Make<CAccessControlPage>();
    Choose(*page, IDC_ACL_POLICY, "Reject");
    for (int i = 0; i < kApAclMaxEntries; ++i) {
        char mac[13];
        snprintf(mac, sizeof mac, "0200000000%02X", i);
        ASSERT_EQ("", Add(*page, mac)) << i;
        EXPECT_EQ(i + 1 < kApAclMaxEntries, Enabled(*page, IDC_ACL_ADD)) << i;
    }
    ::SendDlgItemMessageA(page->m_hWnd, IDC_ACL_LIST, LB_SETCURSEL, 3, 0);
    Click(*page, IDC_ACL_DELETE);
    EXPECT_TRUE(Enabled(*page, IDC_ACL_ADD));
    EXPECT_EQ(31u, Listed(*page).size());
    Click(*page, IDC_ACL_REMOVE_ALL);
    EXPECT_TRUE(Listed(*page).empty());
}

TEST_F(AccessControlPageTest, ModifyReplacesTheRowInPlaceAndMayChangeItsLetterCase)
{
    auto page = Make<CAccessControlPage>();
    Choose(*page, IDC_ACL_POLICY, "Allow");
    ASSERT_EQ("", Add(*page, "00aabbccddee"));
    ASSERT_EQ("", Add(*page, "001122334455"));
    ::SendDlgItemMessageA(page->m_hWnd, IDC_ACL_LIST, LB_SETCURSEL, 0, 0);
    page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_ACL_LIST, LBN_DBLCLK), reinterpret_cast<LPARAM>(::GetDlgItem(page->m_hWnd, IDC_ACL_LIST)));
    EXPECT_EQ("00aabbccddee", Text(*page, IDC_ACL_MODIFY_EDIT));
    EXPECT_FALSE(Enabled(*page, IDC_ACL_APPLY));
    EXPECT_TRUE(Shown(*page, IDC_ACL_MODIFY_EDIT));
    page->SetDlgItemText(IDC_ACL_MODIFY_EDIT, "001122334455");
    {
        MessageBoxCapture boxes;
        Click(*page, IDC_ACL_MODIFY);
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_EQ(CString("duplicate"), boxes.Boxes()[0].text);
    }
    page->SetDlgItemText(IDC_ACL_MODIFY_EDIT, "00AABBCCDDEE");
    MessageBoxCapture none;
    Click(*page, IDC_ACL_MODIFY);
    EXPECT_EQ(0u, none.Count());
    EXPECT_EQ((std::vector<std::string>{"00-AA-BB-CC-DD-EE", "00-11-22-33-44-55"}), Listed(*page));
    EXPECT_TRUE(Enabled(*page, IDC_ACL_APPLY));
    EXPECT_FALSE(Shown(*page, IDC_ACL_MODIFY_EDIT));
}

TEST_F(AccessControlPageTest, TheStoredListIsReadWithinItsBufferAndOnlyWholeAddressesCount)
{
    const char stored[] = "001122334455\0nothexnothex\000112233445\0001122334455\0" "0011223344AA\0";
    QXAPAPI.QXAP_WriteAccessList(stored, sizeof stored);
    QXAPAPI.QXAP_WriteAccessPolicy(2);
    auto page = Make<CAccessControlPage>();
    EXPECT_EQ((std::vector<std::string>{"00-11-22-33-44-55", "00-11-22-33-44-AA"}), Listed(*page));
    EXPECT_EQ("Reject", Text(*page, IDC_ACL_POLICY));
}

TEST_F(AccessControlPageTest, AllowWithAnEmptyListIsTurnedOffWithAMessage)
{
    auto page = Make<CAccessControlPage>();
    Choose(*page, IDC_ACL_POLICY, "Allow");
    sim.ClearJournal();
    MessageBoxCapture boxes;
    Click(*page, IDC_ACL_APPLY);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(CString("no list"), boxes.Boxes()[0].text);
    EXPECT_EQ((std::vector<std::string>{"QXAP_WriteAccessPolicy(0)", "QXAP_WriteAccessList(1)", "QXAP_Set80211ACL(0, 0)"}),
              Calls("QXAP_"));
    EXPECT_EQ("Disable", Text(*page, IDC_ACL_POLICY));
}

TEST_F(AccessControlPageTest, ARejectedAddressIsWrittenInOrderAndTheStationIsRefused)
{
    ASSERT_TRUE(sim.Load("[World]\nOpMode=1\n[Station1]\nMac=00:11:22:33:44:55\n[Station2]\nMac=00:11:22:33:44:66\n"));
    ASSERT_EQ(1, QXAPAPI.QXAP_InitAPSettings());
    ASSERT_EQ(2, sim.Get("Associated"));
    auto page = Make<CAccessControlPage>();
    Choose(*page, IDC_ACL_POLICY, "Reject");
    ASSERT_EQ("", Add(*page, "001122334455"));
    sim.ClearJournal();
    Click(*page, IDC_ACL_APPLY);
    EXPECT_EQ((std::vector<std::string>{"QXAP_WriteAccessPolicy(2)", "QXAP_WriteAccessList(14)", "QXAP_Set80211ACL(2, 1)"}),
              Calls("QXAP_"));
    EXPECT_EQ(std::vector<std::string>{"SIM station refused 001122334455"}, Calls("SIM station refused"));
    EXPECT_EQ(1, sim.Get("Associated"));
    // With the policy off the list text keeps the address while the record carries none.
    Choose(*page, IDC_ACL_POLICY, "Disable");
    sim.ClearJournal();
    Click(*page, IDC_ACL_APPLY);
    EXPECT_EQ((std::vector<std::string>{"QXAP_WriteAccessPolicy(0)", "QXAP_WriteAccessList(14)", "QXAP_Set80211ACL(0, 0)"}),
              Calls("QXAP_"));
    char list[kApAccessTextBytes] = {};
    QXAPAPI.QXAP_ReadAccessList(list);
    EXPECT_STREQ("001122334455", list);
    EXPECT_EQ(2, sim.Get("Associated"));
}

}  // namespace
