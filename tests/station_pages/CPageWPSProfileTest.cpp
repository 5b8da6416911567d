// The WPS credential editor: read-only display, the credential's codes on the combos, the key
// rules and what OK writes back.
#include "station_dialogs/StationDialogsFixture.h"
#include "station/CPageWPSProfile.h"
#include "ui/CInfoWnd.h"

#include <cstring>

using station_dialogs_test::StationDialogsTest;

namespace {
class InspectableWpsProfile : public CPageWPSProfile {
public:
    using CPageWPSProfile::CPageWPSProfile;
    CString InfoText() const
    {
        const CInfoWnd* info = m_editKey.GetInfoWnd();
        return info->IsWindowVisible() ? info->GetText() : CString();
    }
    void HideInfo() { m_editKey.GetInfoWnd()->ShowWindow(SW_HIDE); }
};

class WpsProfileTest : public StationDialogsTest {
protected:
    void SetUp() override
    {
        StationDialogsTest::SetUp();
        Watch(MSG_WPS_PROFILE_DLG);
        front.ShowWindow(SW_SHOW);
        G_LangTable.IDS_WPS_WPA_ERROR = "at least 8";
        G_LangTable.IDS_WPS_10LENGTH_ERROR = "ten hex digits";
        G_LangTable.IDS_ADHOCINPUTSSID = "enter an SSID";
        G_LangTable.IDS_WPS_REGISTRAR_OPENNONE = "open and unencrypted?";
        ASSERT_TRUE(dlg.Create(CPageWPSProfile::IDD, &front));
        G_bWpsPinFromAp = 1;
    }
    void TearDown() override
    {
        G_bWpsPinFromAp = 0;
        dlg.DestroyWindow();
        StationDialogsTest::TearDown();
    }
    // Shows a profile of one credential with these codes and key.
    void Open(ULONG auth, ULONG encr, const char* key, ULONG keyIndex = 0)
    {
        WPS_CREDENTIAL& cred = dlg.m_WpsProfile.Profile[0];
        dlg.m_WpsProfile.ProfileCnt = 1;
        dlg.m_nCredentialIndex = 0;
        std::memcpy(cred.SSID.Ssid, "HomeNet", 7);
        cred.SSID.SsidLength = 7;
        cred.AuthType = auth;
        cred.EncrType = encr;
        cred.KeyIndex = keyIndex;
        cred.KeyLength = static_cast<ULONG>(std::strlen(key));
        std::memcpy(cred.Key, key, cred.KeyLength);
        dlg.m_strSsid = "HomeNet";
        dlg.m_strAuth = auth == WSC_AUTH_OPEN ? "OPEN" : "WPA-PSK";
        dlg.m_strKeyHex = key;
        dlg.m_nKeyLength = cred.KeyLength;
        dlg.ShowWindow(SW_HIDE);
        dlg.ShowWindow(SW_SHOW);
    }
    HWND Item(int id) { return ::GetDlgItem(dlg.GetSafeHwnd(), id); }
    bool Shown(int id) { return ::IsWindowVisible(Item(id)) != FALSE; }
    bool ReadOnly(int id) { return (::GetWindowLongA(Item(id), GWL_STYLE) & ES_READONLY) != 0; }
    int Limit(int id) { return static_cast<int>(::SendMessageA(Item(id), EM_GETLIMITTEXT, 0, 0)); }
    std::string Text(int id)
    {
        char text[128] = {};
        ::GetWindowTextA(Item(id), text, sizeof text);
        return text;
    }
    std::string ComboText(int id)
    {
        char text[64] = {};
        const LRESULT sel = ::SendMessageA(Item(id), CB_GETCURSEL, 0, 0);
        if (sel >= 0) ::SendMessageA(Item(id), CB_GETLBTEXT, sel, reinterpret_cast<LPARAM>(text));
        return text;
    }
    int ComboCount(int id) { return static_cast<int>(::SendMessageA(Item(id), CB_GETCOUNT, 0, 0)); }
    void Choose(int id, int position)
    {
        ::SendMessageA(Item(id), CB_SETCURSEL, position, 0);
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(Item(id)));
    }
    void Type(int id, const char* text) { ::SetDlgItemTextA(dlg.GetSafeHwnd(), id, text); }
    void Ok() { ClickButton(dlg, IDC_CLASSIC_OK); }
    const WPS_CREDENTIAL& Written() { return dlg.m_WpsProfile.Profile[0]; }

    InspectableWpsProfile dlg;
};
}  // namespace

TEST_F(WpsProfileTest, WithoutTheEditingSwitchTheCredentialIsShownReadOnlyAndOkWritesNothing)
{
    G_bWpsPinFromAp = 0;
    dlg.m_bAsciiOffered = 1;
    Open(WSC_AUTH_WPA2PSK, WSC_ENCR_AES, "passphrase");
    EXPECT_TRUE(ReadOnly(IDC_WPSP_SSID));
    EXPECT_TRUE(ReadOnly(IDC_WPSP_KEY));
    EXPECT_FALSE(Shown(IDC_WPSP_AUTH));
    EXPECT_TRUE(Shown(IDC_WPSP_AUTH_TEXT));
    EXPECT_TRUE(Shown(IDC_WPSP_ASCII));
    const WPS_CREDENTIAL before = Written();
    Ok();
    ClickButton(dlg, IDC_CLASSIC_CANCEL);
    ASSERT_EQ(2u, front.reports.size());
    for (const auto& report : front.reports) {
        EXPECT_EQ(0u, report.wParam);
        EXPECT_EQ(0, report.lParam);
    }
    EXPECT_EQ(0, std::memcmp(&before, &Written(), sizeof before));
}

TEST_F(WpsProfileTest, CredentialCodesSelectTheCombos)
{
    Open(WSC_AUTH_WPAPSK_WPA2PSK, WSC_ENCR_TKIP_AES, "passphrase");
    EXPECT_FALSE(ReadOnly(IDC_WPSP_SSID));
    EXPECT_TRUE(Shown(IDC_WPSP_AUTH));
    EXPECT_FALSE(Shown(IDC_WPSP_AUTH_TEXT));
    EXPECT_FALSE(Shown(IDC_WPSP_ASCII));
    EXPECT_EQ("WPA-PSK", ComboText(IDC_WPSP_AUTH));
    EXPECT_EQ("TKIP", ComboText(IDC_WPSP_ENCR));
    EXPECT_FALSE(::IsWindowEnabled(Item(IDC_WPSP_KEYLEN)));
    EXPECT_EQ(64, Limit(IDC_WPSP_KEY));

    Open(WSC_AUTH_OPEN, WSC_ENCR_WEP, "0123456789abcdef0123456789", 2);
    EXPECT_EQ("OPEN", ComboText(IDC_WPSP_AUTH));
    EXPECT_EQ("WEP", ComboText(IDC_WPSP_ENCR));
    EXPECT_EQ("26", ComboText(IDC_WPSP_KEYLEN));
    EXPECT_EQ("3", ComboText(IDC_WPSP_KEYIDX));
    EXPECT_EQ(26, Limit(IDC_WPSP_KEY));

    Open(WSC_AUTH_OPEN, WSC_ENCR_NONE, "");
    EXPECT_EQ("NONE", ComboText(IDC_WPSP_ENCR));
    EXPECT_TRUE(ReadOnly(IDC_WPSP_KEY));
}

TEST_F(WpsProfileTest, APassPhraseNeedsEightCharacters)
{
    Open(WSC_AUTH_WPAPSK, WSC_ENCR_TKIP, "passphrase");
    Type(IDC_WPSP_KEY, "1234567");
    Ok();
    EXPECT_STREQ("at least 8", dlg.InfoText().Trim().GetString());
    EXPECT_TRUE(front.reports.empty());
    dlg.HideInfo();

    Choose(IDC_WPSP_AUTH, CPageWPSProfile::kAuthWpa2Psk);
    Choose(IDC_WPSP_ENCR, CPageWPSProfile::kEncrSecond);
    Type(IDC_WPSP_KEY, "12345678");
    Ok();
    ASSERT_EQ(1u, front.reports.size());
    EXPECT_EQ(1, front.reports[0].lParam);
    EXPECT_EQ(WSC_AUTH_WPA2PSK, Written().AuthType);
    EXPECT_EQ(WSC_ENCR_AES, Written().EncrType);
    EXPECT_EQ(8u, Written().KeyLength);
    EXPECT_EQ(0, std::memcmp("12345678\0", Written().Key, 9));
}

TEST_F(WpsProfileTest, WepKeysOfTenAndTwentySixAreHexOnlyFiveAndThirteenAnyCharacters)
{
    Open(WSC_AUTH_OPEN, WSC_ENCR_WEP, "0123456789");
    EXPECT_EQ("10", ComboText(IDC_WPSP_KEYLEN));
    Type(IDC_WPSP_KEY, "ghijklmnop");
    Ok();
    EXPECT_STREQ("ten hex digits", dlg.InfoText().Trim().GetString());
    EXPECT_TRUE(front.reports.empty());
    dlg.HideInfo();

    Choose(IDC_WPSP_KEYLEN, 0);  // "5": a different limit empties the key
    EXPECT_EQ("", Text(IDC_WPSP_KEY));
    EXPECT_EQ(5, Limit(IDC_WPSP_KEY));
    Type(IDC_WPSP_KEY, "a b!c");
    Choose(IDC_WPSP_KEYIDX, 3);
    Ok();
    ASSERT_EQ(1u, front.reports.size());
    EXPECT_EQ(WSC_AUTH_OPEN, Written().AuthType);
    EXPECT_EQ(WSC_ENCR_WEP, Written().EncrType);
    EXPECT_EQ(5u, Written().KeyLength);
    EXPECT_EQ(3u, Written().KeyIndex);
    EXPECT_EQ(0, std::memcmp("a b!c", Written().Key, 5));
}

TEST_F(WpsProfileTest, SwitchingFromPskToOpenEmptiesTheKeyAndOffersNoneAndWep)
{
    Open(WSC_AUTH_WPAPSK, WSC_ENCR_AES, "passphrase");
    Choose(IDC_WPSP_AUTH, CPageWPSProfile::kAuthOpen);
    EXPECT_EQ("", Text(IDC_WPSP_KEY));
    ASSERT_EQ(2, ComboCount(IDC_WPSP_ENCR));
    EXPECT_EQ("NONE", ComboText(IDC_WPSP_ENCR));
    EXPECT_TRUE(ReadOnly(IDC_WPSP_KEY));
    Choose(IDC_WPSP_ENCR, CPageWPSProfile::kEncrSecond);
    EXPECT_FALSE(ReadOnly(IDC_WPSP_KEY));
    EXPECT_TRUE(::IsWindowEnabled(Item(IDC_WPSP_KEYLEN)));
}

TEST_F(WpsProfileTest, OpenWithoutEncryptionIsWrittenOnlyAfterTheQuestionIsConfirmed)
{
    testing_support::MessageBoxCapture boxes(IDCANCEL);
    Open(WSC_AUTH_WPAPSK, WSC_ENCR_AES, "passphrase");
    Choose(IDC_WPSP_AUTH, CPageWPSProfile::kAuthOpen);
    Ok();
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("open and unencrypted?", boxes.Boxes()[0].text.GetString());
    EXPECT_EQ(static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION), boxes.Boxes()[0].type & (MB_TYPEMASK | MB_ICONMASK));
    EXPECT_TRUE(front.reports.empty());
    EXPECT_EQ(WSC_AUTH_WPAPSK, Written().AuthType);

    boxes.QueueAnswer(IDOK);
    Ok();
    ASSERT_EQ(1u, front.reports.size());
    EXPECT_EQ(WSC_AUTH_OPEN, Written().AuthType);
    EXPECT_EQ(WSC_ENCR_NONE, Written().EncrType);
    EXPECT_EQ(0u, Written().KeyLength);
    const UCHAR zeros[sizeof Written().Key] = {};
    EXPECT_EQ(0, std::memcmp(zeros, Written().Key, sizeof zeros));
}

TEST_F(WpsProfileTest, AnEmptySsidOrNoCredentialSendsNothing)
{
    testing_support::MessageBoxCapture boxes;
    Open(WSC_AUTH_WPAPSK, WSC_ENCR_AES, "passphrase");
    Type(IDC_WPSP_SSID, "");
    Ok();
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_STREQ("enter an SSID", boxes.Boxes()[0].text.GetString());
    Type(IDC_WPSP_SSID, "Other");
    dlg.m_nCredentialIndex = CPageWPSProfile::kNoCredential;
    Ok();
    dlg.m_nCredentialIndex = 8;
    Ok();
    EXPECT_TRUE(front.reports.empty());
    EXPECT_EQ(0, std::memcmp("HomeNet", Written().SSID.Ssid, 7));
}

TEST_F(WpsProfileTest, AFullLengthSsidIsWrittenWithoutOverrunningTheRecord)
{
    Open(WSC_AUTH_WPAPSK, WSC_ENCR_AES, "passphrase");
    const std::string ssid(32, 'S');
    Type(IDC_WPSP_SSID, ssid.c_str());
    Ok();
    ASSERT_EQ(1u, front.reports.size());
    EXPECT_EQ(32u, Written().SSID.SsidLength);
    EXPECT_EQ(0, std::memcmp(ssid.data(), Written().SSID.Ssid, 32));
    EXPECT_EQ(WSC_AUTH_WPAPSK, Written().AuthType);
}
