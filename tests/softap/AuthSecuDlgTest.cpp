// The access point's security dialog: the combos per code and with 802.11n, the key and rekey
// checks, and the block it takes from and hands back to the configuration page.
#include "softap/ApPagesFixture.h"
#include "softap/AuthSecuDlg.h"

namespace {

using ap_pages_test::ApPagesTest;
using testing_support::MessageBoxCapture;

class AuthSecuDlgTest : public ApPagesTest {
protected:
    void Open()
    {
        page = Make<CConfigPage>();
        dlg = std::make_unique<CAuthSecuDlg>();
        dlg->m_pConfigPage = page.get();
        ASSERT_TRUE(dlg->Create(CAuthSecuDlg::IDD, &front));
    }
    std::vector<std::string> Encryptions() { return Entries(*dlg, IDC_APSEC_ENCRY); }
    AP_CONFIG_DATA PageBlock()
    {
        AP_CONFIG_DATA b{};
        page->GetSecurityBlock(b);
        return b;
    }
    std::unique_ptr<CConfigPage> page;
    std::unique_ptr<CAuthSecuDlg> dlg;
};

TEST_F(AuthSecuDlgTest, WepIsBarredOnlyWith11nAndTheSwitchSet)
{
    QXAPAPI.ProhibitWEPonHT = 0;  // the library object keeps it as "allowed"
    Open();
    EXPECT_EQ((std::vector<std::string>{"Open", "WPA-PSK", "WPA2-PSK", "WPA/WPA2-PSK"}), Entries(*dlg, IDC_APSEC_AUTH));
    Choose(*dlg, IDC_APSEC_AUTH, "Open");
    EXPECT_EQ(std::vector<std::string>{"None"}, Encryptions());
    // The same switch without 802.11n bars nothing.
    ASSERT_TRUE(sim.Set("Supports11n", 0));
    Open();
    EXPECT_EQ(5u, Entries(*dlg, IDC_APSEC_AUTH).size());
    Choose(*dlg, IDC_APSEC_AUTH, "Open");
    EXPECT_EQ((std::vector<std::string>{"None", "WEP"}), Encryptions());
    Choose(*dlg, IDC_APSEC_AUTH, "Shared");
    EXPECT_EQ(std::vector<std::string>{"WEP"}, Encryptions());
}

TEST_F(AuthSecuDlgTest, TkipIsOfferedPerCodeAndBarredWith11n)
{
    Open();
    Choose(*dlg, IDC_APSEC_AUTH, "WPA2-PSK");
    EXPECT_EQ((std::vector<std::string>{"TKIP", "AES", "TKIP+AES"}), Encryptions());
    Choose(*dlg, IDC_APSEC_AUTH, "WPA/WPA2-PSK");
    EXPECT_EQ((std::vector<std::string>{"TKIP", "AES"}), Encryptions());
    QXAPAPI.ProhibitTKIPonHT = 0;
    Choose(*dlg, IDC_APSEC_AUTH, "WPA2-PSK");
    EXPECT_EQ(std::vector<std::string>{"AES"}, Encryptions());
    Choose(*dlg, IDC_APSEC_AUTH, "WPA-PSK");
    EXPECT_EQ(std::vector<std::string>{"AES"}, Encryptions());
}

TEST_F(AuthSecuDlgTest, PreSharedKeysAreCheckedByLengthAndHexDigits)
{
    Open();
    Choose(*dlg, IDC_APSEC_AUTH, "WPA2-PSK");
    const std::string hex63(63, 'a');
    for (const std::string& bad : {std::string("short77"), hex63 + "G", hex63 + ":"}) {
        dlg->SetDlgItemText(IDC_APSEC_PSK, bad.c_str());
        MessageBoxCapture boxes;
        Click(*dlg, IDOK);
        ASSERT_EQ(1u, boxes.Count()) << bad;
        EXPECT_EQ(CString("psk"), boxes.Boxes()[0].text);
        EXPECT_EQ(8u, PageBlock().nPskKeyLen) << "nothing copied";
    }
    const std::string any63 = "!@# " + std::string(59, 'z');
    dlg->SetDlgItemText(IDC_APSEC_PSK, any63.c_str());
    MessageBoxCapture none;
    Click(*dlg, IDOK);
    EXPECT_EQ(0u, none.Count());
    const AP_CONFIG_DATA block = PageBlock();
    EXPECT_EQ(7u, block.enumAuthenMode);
    EXPECT_EQ(63u, block.nPskKeyLen);
    EXPECT_EQ(any63, std::string(reinterpret_cast<const char*>(block.chPskKey), 63));
    EXPECT_TRUE(Calls("QXAP_WriteandSetConfigData").empty()) << "the dialog never writes to the library";
}

TEST_F(AuthSecuDlgTest, WepKeysAreCheckedInOrderOnlyWhereUsed)
{
    Open();
    Choose(*dlg, IDC_APSEC_AUTH, "Open");
    Choose(*dlg, IDC_APSEC_ENCRY, "WEP");
    dlg->CheckRadioButton(IDC_APSEC_KEY1_RADIO, IDC_APSEC_KEY1_RADIO + 3, IDC_APSEC_KEY1_RADIO);
    Click(*dlg, IDC_APSEC_KEY1_RADIO);
    dlg->SetDlgItemText(IDC_APSEC_KEY1, "0123456789");
    {
        MessageBoxCapture none;  // key 3 empty while key 1 is the default
        Click(*dlg, IDOK);
        EXPECT_EQ(0u, none.Count());
        EXPECT_EQ(std::string("0123456789"), PageBlock().chWepKey[0]);
        EXPECT_EQ(0u, PageBlock().enumEncryStatus);
    }
    dlg->SetDlgItemText(IDC_APSEC_KEY1, "");
    dlg->SetDlgItemText(IDC_APSEC_KEY1 + 1, "abcdef");
    Choose(*dlg, IDC_APSEC_KEY1_FORMAT + 1, "ASCII");
    {
        MessageBoxCapture boxes;
        Click(*dlg, IDOK);
        ASSERT_EQ(1u, boxes.Count());
        EXPECT_EQ(CString("hex key 1"), boxes.Boxes()[0].text);
    }
    dlg->SetDlgItemText(IDC_APSEC_KEY1, "0123456789abcdef0123456789");
    MessageBoxCapture boxes;
    Click(*dlg, IDOK);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(CString("ascii key 2"), boxes.Boxes()[0].text);
}

TEST_F(AuthSecuDlgTest, ABadGroupRekeyStopsOkAndBothComboChanges)
{
    Open();
    Choose(*dlg, IDC_APSEC_AUTH, "WPA2-PSK");
    for (const char* rekey : {"2", "", "67108864"}) {
        dlg->SetDlgItemText(IDC_APSEC_REKEY, rekey);
        MessageBoxCapture boxes;
        Click(*dlg, IDOK);
        Choose(*dlg, IDC_APSEC_AUTH, "Open");
        Choose(*dlg, IDC_APSEC_ENCRY, "None");
        ASSERT_EQ(3u, boxes.Count()) << rekey;
        for (const MessageBoxRequest& box : boxes.Boxes()) EXPECT_EQ(G_LangTable.IDS_GROUPREKEY_ERR, box.text);
        EXPECT_EQ(std::vector<std::string>({"TKIP", "AES", "TKIP+AES"}), Encryptions()) << "combo rebuilt anyway";
    }
    dlg->SetDlgItemText(IDC_APSEC_REKEY, "3");
    MessageBoxCapture none;
    Click(*dlg, IDOK);
    EXPECT_EQ(0u, none.Count());
    EXPECT_EQ(3u, PageBlock().nGroupRekeyInterval);
}

TEST_F(AuthSecuDlgTest, CancelPutsBackTheBlockSoNothingCancelledIsShownOrSaved)
{
    Open();
    Choose(*dlg, IDC_APSEC_AUTH, "WPA-PSK");
    dlg->SetDlgItemText(IDC_APSEC_PSK, "cancelled-key");
    Click(*dlg, IDCANCEL);
    // The controls, which the skinned page reads, show the block again.
    EXPECT_EQ("WPA2-PSK", Text(*dlg, IDC_APSEC_AUTH));
    EXPECT_EQ("12345678", Text(*dlg, IDC_APSEC_PSK));
    const AP_CONFIG_DATA block = PageBlock();
    EXPECT_EQ(7u, block.enumAuthenMode);
    EXPECT_EQ("12345678", std::string(reinterpret_cast<const char*>(block.chPskKey), block.nPskKeyLen));
}

TEST_F(AuthSecuDlgTest, ABlockWithABadRekeyOpensWithoutABoxAndWithItsKeyFilters)
{
    page = Make<CConfigPage>();
    AP_CONFIG_DATA block{};
    block.enumAuthenMode = CAuthSecuDlg::kAuthShared;
    block.enumEncryStatus = CAuthSecuDlg::kEncryWep;
    page->SetSecurityBlock(block);  // rekey interval 0
    MessageBoxCapture boxes;
    dlg = std::make_unique<CAuthSecuDlg>();
    dlg->m_pConfigPage = page.get();
    ASSERT_TRUE(dlg->Create(CAuthSecuDlg::IDD, &front));
    EXPECT_EQ(0u, boxes.Count());
    // The enable rule ran: the WEP keys are open and take no more than a hexadecimal key.
    EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(dlg->m_hWnd, IDC_APSEC_KEY1)));
    EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(dlg->m_hWnd, IDC_APSEC_PSK)));
    EXPECT_EQ(26, static_cast<int>(::SendDlgItemMessageA(dlg->m_hWnd, IDC_APSEC_KEY1, EM_GETLIMITTEXT, 0, 0)));
}

TEST_F(AuthSecuDlgTest, ASecurityHandedBackIsAppliedWithTheConfigurationAndAPageReloadReachesTheDialog)
{
    Open();
    Choose(*dlg, IDC_APSEC_AUTH, "WPA-PSK");
    Choose(*dlg, IDC_APSEC_ENCRY, "TKIP");
    dlg->SetDlgItemText(IDC_APSEC_PSK, "newsecret");
    Click(*dlg, IDOK);
    Click(*page, IDC_APCFG_APPLY);
    const AP_CONFIG_DATA stored = Stored();
    EXPECT_EQ(4u, stored.enumAuthenMode);
    EXPECT_EQ(4u, stored.enumEncryStatus);
    EXPECT_EQ("newsecret", std::string(reinterpret_cast<const char*>(stored.chPskKey), stored.nPskKeyLen));
    // Edits left in the dialog give way to the page's CANCEL, which reloads the stored record.
    Choose(*dlg, IDC_APSEC_AUTH, "Open");
    Click(*page, IDC_APCFG_CANCEL);
    EXPECT_EQ("WPA-PSK", Text(*dlg, IDC_APSEC_AUTH));
    EXPECT_EQ("newsecret", Text(*dlg, IDC_APSEC_PSK));
}

}  // namespace
