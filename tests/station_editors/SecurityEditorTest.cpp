// The security editor: what it tells its owner when shown and on OK, the keys it converts, the
// 802.1X settings it collects, and a refused OK that reports nothing.
#include "../station_dialogs/StationDialogsFixture.h"
#include "station/CPage8021XDlg.h"
#include "station/CPageAuthEncryDlg.h"
#include "station/CPageClientCertificationDlg.h"
#include "station/CPageEAPFastDlg.h"
#include "station/CPageNamePasswordDlg.h"
#include "station/CSecurityEditorDlg.h"
#include "skin/MainWindowMessages.h"

using station_dialogs_test::StationDialogsTest;

namespace {
class SecurityEditorTest : public StationDialogsTest {
protected:
    void SetUp() override
    {
        StationDialogsTest::SetUp();
        front.ShowWindow(SW_SHOW);
        Watch(MSG_SECURITY_EDITOR_DLG);
        ASSERT_TRUE(editor.Create(CSecurityEditorDlg::IDD, &front));
        ASSERT_NE(nullptr, editor.m_pPageAuthEncry);
    }
    void TearDown() override
    {
        editor.DestroyWindow();
        StationDialogsTest::TearDown();
    }
    CPageAuthEncryDlg& Auth() { return *editor.m_pPageAuthEncry; }

    CSecurityEditorDlg editor{&front};
};
}  // namespace

TEST_F(SecurityEditorTest, ShowingTellsTheOwnerAndBringsTheFirstTabToTheFront)
{
    // Another tab was in front when the editor was last hidden.
    editor.GetTabButton(CSecurityEditorDlg::kTab8021X)->EnableWindow(TRUE);
    editor.GetTabButton(CSecurityEditorDlg::kTab8021X)->SendMessage(BM_CLICK);
    ASSERT_FALSE(Auth().IsWindowVisible());
    editor.ShowWindow(SW_SHOW);
    ASSERT_EQ(1u, front.reports.size());
    EXPECT_EQ(2u, front.reports[0].wParam);
    EXPECT_EQ(1, front.reports[0].lParam);
    EXPECT_TRUE(Auth().IsWindowVisible());
    EXPECT_FALSE(editor.m_pPage8021X->IsWindowVisible());
}

TEST_F(SecurityEditorTest, OkHandsThePersonalSettingsToTheOwner)
{
    editor.ShowWindow(SW_SHOW);
    front.reports.clear();
    Auth().OnAuthWpa2Psk();
    Auth().OnEncryAes();
    ::SetDlgItemTextA(Auth().GetSafeHwnd(), IDC_AUTH_PSK_EDIT, "quixen2024");
    editor.OnOK();
    ASSERT_EQ(1u, front.reports.size());
    EXPECT_EQ(0u, front.reports[0].wParam);
    EXPECT_EQ(2, front.reports[0].lParam);
    EXPECT_EQ(AUTHIDX_WPA2_PSK, editor.m_nAuthIndex);
    EXPECT_EQ(ENCRIDX_AES, editor.m_nEncryIndex);
    EXPECT_EQ(1, editor.m_nDefaultKey);
    EXPECT_STREQ("quixen2024", editor.m_model.strPsk);
    // No 802.1X settings were collected, so no PAC list was written.
    EXPECT_TRUE(Calls("QXWL_WritePACList").empty());

    // Shared WEP: the keys become bytes, hexadecimal pairs or characters (on the XP line, where
    // every key stays editable).
    ASSERT_TRUE(sim.Set("OsCode", 8));
    front.reports.clear();
    Auth().OnAuthShared();
    Auth().m_nDefaultKey = 1;
    Auth().m_strWepKey[0] = "A1B2C3D4E5";
    Auth().m_strWepKey[1] = "abcde";
    Auth().FillControls();
    Auth().SetKeyFormat(0, KEYFMT_HEX);
    Auth().SetKeyFormat(1, KEYFMT_ASCII);
    editor.OnOK();
    ASSERT_EQ(1u, front.reports.size());
    EXPECT_EQ(2, editor.m_nDefaultKey);
    EXPECT_EQ(5u, editor.m_model.nKeyLength[0]);
    EXPECT_EQ(0xA1, editor.m_model.WepKey[0][0]);
    EXPECT_EQ(0xE5, editor.m_model.WepKey[0][4]);
    EXPECT_EQ(0, editor.m_model.WepKey[0][5]);
    EXPECT_EQ(5u, editor.m_model.nKeyLength[1]);
    EXPECT_EQ(0, memcmp(editor.m_model.WepKey[1], "abcde", 6));
}

TEST_F(SecurityEditorTest, OkHandsTheEnterpriseSettingsToTheOwnerAndWritesThePacListUnnamed)
{
    ASSERT_TRUE(sim.Set("OsCode", 8));
    editor.ShowWindow(SW_SHOW);
    front.reports.clear();
    CPage8021XDlg& page = *editor.m_pPage8021X;
    Auth().OnAuthWpa2();
    Auth().OnEncryAes();
    page.OnEapTtls();
    page.OnTtlsTunnelMsChapV2();
    page.m_pPageNamePassword->SetDlgItemText(IDC_NAMEPW_IDENTITY, "user");
    page.m_pPageNamePassword->SetDlgItemText(IDC_NAMEPW_PASSWORD, "password");
    CPageClientCertificationDlg& client = *page.m_pPageClientCert;
    client.bUseClientCert = 1;
    client.FillControls();
    client.FillCertificateList();
    client.EnableControls(TRUE);
    client.Combo().SetCurSel(0);
    client.OnSelectionChange();
    page.m_pPageEAPFast->m_pacList = {{1, "office.pac", "C:\\pacs\\office.pac"}};
    editor.OnOK();

    ASSERT_EQ(1u, front.reports.size());
    EXPECT_EQ(2, front.reports[0].lParam);
    StringRecord7 eap;
    VN_BLOB_KEY clientCert = {}, serverCert = {};
    editor.CopyEapSettings(eap, clientCert, serverCert);
    EXPECT_EQ(static_cast<int>(EAPMETHOD_TTLS), eap.nEapMethod);
    EXPECT_EQ(ULONG{TUNNEL_MSCHAPV2}, eap.nTtlsInner);  // menu index 2 as its EAP type number
    EXPECT_STREQ("user", eap.strIdentity);
    EXPECT_STREQ("password", eap.strPassword);
    EXPECT_EQ(1u, eap.bClientCert);
    // The whole blob, its zero bytes too.
    const qxwl::CERT_INFO& first = client.Certificates().At(0);
    ASSERT_EQ(first.BlobLength, clientCert.BlobLength);
    EXPECT_EQ(0, memcmp(first.pBlob, clientCert.BlobData, first.BlobLength));
    EXPECT_NE(nullptr, memchr(clientCert.BlobData, 0, clientCert.BlobLength));
    EXPECT_EQ(0u, serverCert.BlobLength);
    // Collected settings always write the PAC list, under no profile name; the editor keeps no copy.
    EXPECT_EQ(std::vector<std::string>{"QXWL_WritePACList(1, )"}, Calls("QXWL_WritePACList"));
    EXPECT_TRUE(editor.m_model.Pacs.empty());
}

TEST_F(SecurityEditorTest, ARefusedOkReportsNothingAndKeepsTheLastResult)
{
    editor.ShowWindow(SW_SHOW);
    editor.m_nAuthIndex = AUTHIDX_WPA_PSK;
    front.reports.clear();
    testing_support::MessageBoxCapture boxes;
    Auth().OnAuthWpa2Psk();
    Auth().OnEncryAes();
    ::SetDlgItemTextA(Auth().GetSafeHwnd(), IDC_AUTH_PSK_EDIT, "short");
    editor.OnOK();
    EXPECT_TRUE(front.reports.empty());
    EXPECT_EQ(AUTHIDX_WPA_PSK, editor.m_nAuthIndex);

    // WPA2 enterprise waits for the 802.1X page's checks.
    Auth().OnAuthWpa2();
    editor.OnOK();
    EXPECT_TRUE(front.reports.empty());
    EXPECT_TRUE(Calls("QXWL_WritePACList").empty());
}

TEST_F(SecurityEditorTest, ARefusedPacListStopsAnEapFastOkButNoOtherMethod)
{
    ASSERT_TRUE(sim.Set("OsCode", 8));
    editor.ShowWindow(SW_SHOW);
    CPage8021XDlg& page = *editor.m_pPage8021X;
    Auth().OnAuthWpa2();
    Auth().OnEncryAes();
    page.m_pPageNamePassword->SetDlgItemText(IDC_NAMEPW_IDENTITY, "user");
    page.m_pPageNamePassword->SetDlgItemText(IDC_NAMEPW_PASSWORD, "password");
    ASSERT_TRUE(sim.Set("ProfileStoreRefuses", 1));
    G_LangTable.IDS_PAC_LIST_WRITE_FAILED = "The PAC list could not be stored.";

    // PEAP has no use for the list: the connection goes ahead, the refusal is only logged.
    page.OnEapPeap();
    page.m_pPageNamePassword->SetDlgItemText(IDC_NAMEPW_PASSWORD, "password");
    front.reports.clear();
    testing_support::MessageBoxCapture boxes;
    editor.OnOK();
    EXPECT_EQ(0u, boxes.Count());
    ASSERT_EQ(1u, front.reports.size());
    EXPECT_EQ(2, front.reports[0].lParam);
    EXPECT_EQ(AUTHIDX_WPA2, editor.m_nAuthIndex);

    // EAP-FAST needs it: the user is told, the owner hears nothing and keeps the last result.
    page.OnEapFast();
    page.m_pPageNamePassword->SetDlgItemText(IDC_NAMEPW_PASSWORD, "password");
    Auth().OnAuthWpa();
    Auth().OnEncryTkip();
    front.reports.clear();
    editor.OnOK();
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(G_LangTable.IDS_PAC_LIST_WRITE_FAILED, boxes.Boxes()[0].text);
    EXPECT_TRUE(front.reports.empty());
    EXPECT_EQ(AUTHIDX_WPA2, editor.m_nAuthIndex);
    EXPECT_EQ(static_cast<int>(EAPMETHOD_PEAP), editor.m_Eap.nEapMethod);
}

TEST_F(SecurityEditorTest, SharedKeyWith8021XWaitsForThe8021XChecksHere)
{
    ASSERT_TRUE(sim.Set("OsCode", 8));
    editor.ShowWindow(SW_SHOW);
    G_LangTable.IDS_IDREQUIRED = "Enter a user name.";
    Auth().OnAuthShared();
    Auth().CheckDlgButton(IDC_AUTH_8021X, BST_CHECKED);
    Auth().OnCheck8021X();
    editor.m_pPage8021X->OnEapMd5();  // keys stay in use beside 802.1X
    front.reports.clear();
    testing_support::MessageBoxCapture boxes;
    editor.OnOK();
    ASSERT_GE(boxes.Count(), 1u);
    EXPECT_EQ("Enter a user name.", std::string(boxes.Boxes()[0].text.GetString()));
    EXPECT_TRUE(front.reports.empty());
}

TEST_F(SecurityEditorTest, WpaAfterMd5ShowsPeapWithItsInnerMethodAndCertificateTabs)
{
    ASSERT_TRUE(sim.Set("OsCode", 8));
    editor.ShowWindow(SW_SHOW);
    CPage8021XDlg& page = *editor.m_pPage8021X;
    Auth().OnAuthOpen();
    Auth().OnEncryWep();
    Auth().CheckDlgButton(IDC_AUTH_8021X, BST_CHECKED);
    Auth().OnCheck8021X();
    page.OnEapMd5();
    Auth().OnAuthWpa2();  // MD5-Challenge is no method of WPA2: PEAP takes its place
    Auth().OnEncryAes();
    editor.GetTabButton(CSecurityEditorDlg::kTab8021X)->SendMessage(BM_CLICK);
    ASSERT_TRUE(page.IsWindowVisible());
    EXPECT_TRUE(page.GetDlgItem(IDC_8021X_TUNNEL)->IsWindowEnabled());
    for (int tab : {CPage8021XDlg::kTabClientCert, CPage8021XDlg::kTabServerCert})
        EXPECT_TRUE(page.GetTabButton(tab)->IsWindowVisible()) << tab;
}
