#include "skin/KelvoPageWpsAuthenDlg.h"
#include "base/DebugLog.h"
#include "base/LanguageTable.h"
#include "core/ProductMessageBox.h"
#include "contract/StationContract.h"
#include "core/QXWLLIB.h"
#include "skin/KelvoPageUIDlg.h"
#include "skin/KelvoPageWpsLinkStatusDlg.h"
#include "skin/KelvoPageWpsListViewDlg.h"
#include "skin/MainWindowMessages.h"
#include "station/CPageWPSProfile.h"
#include "ui/DialogTab.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNCREATE(CKelvoPageWpsAuthenDlg, CDialog)

namespace {
constexpr WPARAM kWpsShow = 1;
constexpr ULONG kTopBit = 0x80000000;

void ShowPage(CDialog* page)
{
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    if (main && main->m_pPageTab && page) main->m_pPageTab->ShowPage(page);
}

bool IsHexDigits(const CString& text)
{
    for (int i = 0; i < text.GetLength(); ++i)
        if (!isxdigit(static_cast<unsigned char>(text[i]))) return false;
    return true;
}

CString AuthText(ULONG type)
{
    switch (type) {
    case 0x01: return "OPEN";
    case 0x02: return "WPA-PSK";
    case 0x04: return "SHARED";
    case 0x08: return "WPA";
    case 0x10: return "WPA2";
    case 0x20: return "WPA2-PSK";
    case 0x22: return "WPA-PSK;WPA2-PSK";
    default: return "";
    }
}

CString EncrText(ULONG type)
{
    switch (type) {
    case 0x01: return "NONE";
    case 0x02: return "WEP";
    case 0x04: return "TKIP";
    case 0x08: return "AES";
    case 0x0C: return "TKIP;AES";
    default: return "";
    }
}
}  // namespace

BEGIN_MESSAGE_MAP(CKelvoPageWpsAuthenDlg, CSkinnedPage)
    ON_WM_SHOWWINDOW()
    ON_CBN_SELCHANGE(IDC_WPSAUTH_SECTYPE, OnSecurityTypeChanged)
    ON_BN_CLICKED(IDC_WPSAUTH_NEXT, OnNext)
    ON_BN_CLICKED(IDC_WPSAUTH_BACK, OnBack)
    ON_BN_CLICKED(IDC_WPSAUTH_EXIT, OnExitPage)
END_MESSAGE_MAP()

BOOL CKelvoPageWpsAuthenDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_look.Apply(*this, IDC_WPSAUTH_TITLE, {IDC_WPSAUTH_SSID_LABEL, IDC_WPSAUTH_SECTYPE_LABEL, IDC_WPSAUTH_CIPHER_LABEL,
                                           IDC_WPSAUTH_TXKEY_LABEL, IDC_WPSAUTH_KEY_LABEL});
    m_look.SkinButton(*this, IDC_WPSAUTH_BACK, CSkinnedPageLook::kBackButton);
    m_look.SkinButton(*this, IDC_WPSAUTH_NEXT, CSkinnedPageLook::kNextButton);
    m_look.SkinButton(*this, IDC_WPSAUTH_EXIT, CSkinnedPageLook::kExitButton);
    SetDlgItemText(IDC_WPSAUTH_TITLE, G_LangTable.IDS_LAB_WPS_PROFILE_TITLE);
    SetDlgItemText(IDC_WPSAUTH_SECTYPE_LABEL, G_LangTable.IDS_LAB_SECTYPE);
    SetDlgItemText(IDC_WPSAUTH_CIPHER_LABEL, G_LangTable.IDS_LAB_ENC_TYPE);
    SetDlgItemText(IDC_WPSAUTH_TXKEY_LABEL, G_LangTable.IDS_LAB_TRANS_KEY);
    SetDlgItemText(IDC_WPSAUTH_KEY_LABEL, G_LangTable.IDS_LAB_PRE_KEY);
    SendDlgItemMessage(IDC_WPSAUTH_SSID, EM_SETLIMITTEXT, kSsidLimit, 0);
    SendDlgItemMessage(IDC_WPSAUTH_KEY, EM_SETLIMITTEXT, kKeyLimit, 0);
    const CString security[] = {G_LangTable.IDS_VAL_DISABLE, "WPA-PSK", "WPA2-PSK"};
    for (const CString& text : security) SendDlgItemMessage(IDC_WPSAUTH_SECTYPE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.GetString()));
    for (LPCSTR text : {"TKIP", "AES"}) SendDlgItemMessage(IDC_WPSAUTH_CIPHER, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    for (LPCSTR text : {"1", "2", "3", "4"}) SendDlgItemMessage(IDC_WPSAUTH_TXKEY, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    for (UINT id : {IDC_WPSAUTH_SECTYPE, IDC_WPSAUTH_CIPHER, IDC_WPSAUTH_TXKEY}) SetComboSel(id, 0);
    return TRUE;
}

int CKelvoPageWpsAuthenDlg::ComboSel(UINT id) const
{
    return static_cast<int>(const_cast<CKelvoPageWpsAuthenDlg*>(this)->SendDlgItemMessage(id, CB_GETCURSEL, 0, 0));
}

void CKelvoPageWpsAuthenDlg::SetComboSel(UINT id, int index)
{
    SendDlgItemMessage(id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void CKelvoPageWpsAuthenDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    Default();
    if (bShow && nStatus == 0) LoadCredential();
}

void CKelvoPageWpsAuthenDlg::PrepareDisplayValues()
{
    const WPS_CREDENTIAL& c = m_WpsProfile.Profile[0];
    m_strSsid = SsidToText(c.SSID).c_str();
    m_strAuth = AuthText(c.AuthType);
    m_strEncr = EncrText(c.EncrType);
    const UCHAR* m = c.MacAddr;
    m_strBssid.Format("%02X-%02X-%02X-%02X-%02X-%02X", m[0], m[1], m[2], m[3], m[4], m[5]);
    m_nKeyLength = 0;
    m_nKeyIndex = 0;
    m_strKeyText[0].Empty();
    m_strKeyText[1].Empty();
    if (c.AuthType == 0x01 && c.EncrType == 0x01) return;
    const ULONG length = std::min<ULONG>(c.KeyLength, kWpsKeyMaxBytes);
    m_nKeyLength = length;
    m_nKeyIndex = (c.KeyIndex & ~kTopBit) + 1;
    const auto* key = reinterpret_cast<const char*>(c.Key);
    m_strKeyText[0] = CString(key, static_cast<int>(strnlen(key, length)));
    if (c.EncrType != 0x02) return;
    const CString& text = m_strKeyText[0];
    if ((text.GetLength() == 10 || text.GetLength() == 26) && IsHexDigits(text)) {
        CString chars;
        for (int i = 0; i + 1 < text.GetLength(); i += 2) {
            char pair[3] = {text[i], text[i + 1], 0};
            chars += static_cast<char>(strtoul(pair, nullptr, 16));
        }
        m_strKeyText[1] = chars;
    } else if (text.GetLength() == 5 || text.GetLength() == 13) {
        // The characters' bytes in hexadecimal, two digits each so the text can be read back.
        CString hex;
        for (int i = 0; i < text.GetLength(); ++i) {
            CString pair;
            pair.Format("%02X", static_cast<unsigned char>(text[i]));
            hex += pair;
        }
        m_strKeyText[1] = hex;
        m_nKeyLength *= 2;
    }
}

void CKelvoPageWpsAuthenDlg::LoadCredential()
{
    WPS_MODE mode = {};
    QXWLAPI.QXWL_ReadWPSProfile(&mode, &m_WpsProfile);
    m_WpsProfile.ProfileCnt = std::min<ULONG>(m_WpsProfile.ProfileCnt, kWpsMaxCredentials);
    G_nWpsConfigMode = mode.ConfigMode;
    PrepareDisplayValues();
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    if (!main) return;
    main->SendMessage(MSG_WPS_PROFILE_DLG, kWpsShow, 0);
    CPageWPSProfile* dlg = main->m_pPageWPSProfile;
    if (dlg && dlg->m_hWnd && G_bWpsPinFromAp == 1) {
        CString text;
        dlg->GetDlgItemText(IDC_WPSP_SSID, text);
        SetDlgItemText(IDC_WPSAUTH_SSID, text);
        const int security = static_cast<int>(dlg->SendDlgItemMessage(IDC_WPSP_AUTH, CB_GETCURSEL, 0, 0));
        SetComboSel(IDC_WPSAUTH_SECTYPE, std::max(0, security));
        OnSecurityTypeChanged();
        const int cipher = static_cast<int>(dlg->SendDlgItemMessage(IDC_WPSP_ENCR, CB_GETCURSEL, 0, 0));
        if (security != kSecDisable && cipher >= 0) SetComboSel(IDC_WPSAUTH_CIPHER, cipher);
        dlg->GetDlgItemText(IDC_WPSP_KEY, text);
        SetDlgItemText(IDC_WPSAUTH_KEY, text);
        return;
    }
    // The dialog shows its lists only while the credential may be edited: the record speaks.
    const WPS_CREDENTIAL& c = m_WpsProfile.Profile[0];
    const int security = c.AuthType == 0x02 || c.AuthType == 0x22 ? kSecWpaPsk : c.AuthType == 0x20 ? kSecWpa2Psk : kSecDisable;
    SetDlgItemText(IDC_WPSAUTH_SSID, m_strSsid);
    SetComboSel(IDC_WPSAUTH_SECTYPE, security);
    OnSecurityTypeChanged();
    if (security != kSecDisable) SetComboSel(IDC_WPSAUTH_CIPHER, c.EncrType == 0x04 ? kCipherTkip : kCipherAes);
    SetDlgItemText(IDC_WPSAUTH_KEY, m_strKeyText[0]);
}

void CKelvoPageWpsAuthenDlg::OnSecurityTypeChanged()
{
    SendDlgItemMessage(IDC_WPSAUTH_KEY, EM_SETLIMITTEXT, 0, 0);
    for (UINT id : {IDC_WPSAUTH_TXKEY, IDC_WPSAUTH_TXKEY_LABEL})
        if (CWnd* w = GetDlgItem(id)) w->ShowWindow(SW_HIDE);
    for (UINT id : {IDC_WPSAUTH_CIPHER, IDC_WPSAUTH_CIPHER_LABEL})
        if (CWnd* w = GetDlgItem(id)) w->ShowWindow(SW_SHOW);
    SetDlgItemText(IDC_WPSAUTH_KEY_LABEL, G_LangTable.IDS_LAB_PRE_KEY);
    const int security = ComboSel(IDC_WPSAUTH_SECTYPE);
    const BOOL secured = security == kSecWpaPsk || security == kSecWpa2Psk;
    if (security == kSecWpaPsk) SetComboSel(IDC_WPSAUTH_CIPHER, kCipherTkip);
    if (security == kSecWpa2Psk) SetComboSel(IDC_WPSAUTH_CIPHER, kCipherAes);
    for (UINT id : {IDC_WPSAUTH_CIPHER, IDC_WPSAUTH_KEY})
        if (CWnd* w = GetDlgItem(id)) w->EnableWindow(secured);
}

bool CKelvoPageWpsAuthenDlg::OnNext()
{
    CString ssid, key;
    GetDlgItemText(IDC_WPSAUTH_SSID, ssid);
    GetDlgItemText(IDC_WPSAUTH_KEY, key);
    if (ssid.IsEmpty()) {
        ShowProductMessageBox(G_LangTable.IDS_ADHOCINPUTSSID);
        return false;
    }
    const int security = ComboSel(IDC_WPSAUTH_SECTYPE);
    const int cipher = ComboSel(IDC_WPSAUTH_CIPHER);
    const bool secured = security != kSecDisable;
    if (secured) {
        const int length = key.GetLength();
        if (length < kMinPskLength || length > kKeyLimit || (length == kKeyLimit && !IsHexDigits(key))) {
            ShowProductMessageBox(G_LangTable.IDS_MSG_PREKEY_ERROR);
            return false;
        }
    }
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    if (CPageWPSProfile* dlg = main ? main->m_pPageWPSProfile : nullptr; dlg && dlg->m_hWnd) {
        dlg->SetDlgItemText(IDC_WPSP_SSID, ssid);
        if (secured) {
            dlg->SendDlgItemMessage(IDC_WPSP_AUTH, CB_SETCURSEL, static_cast<WPARAM>(security), 0);
            dlg->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_WPSP_AUTH, CBN_SELCHANGE),
                             reinterpret_cast<LPARAM>(dlg->GetDlgItem(IDC_WPSP_AUTH)->m_hWnd));
            dlg->SendDlgItemMessage(IDC_WPSP_ENCR, CB_SETCURSEL, static_cast<WPARAM>(cipher), 0);
            dlg->SetDlgItemText(IDC_WPSP_KEY, key);
        }
    }
    // The run sends the link-status page's record: the edit goes there too, or it would never
    // reach the access point.
    CKelvoPageWpsLinkStatusDlg* link = main ? main->m_pPageWpsLinkStatusDlg : nullptr;
    if (link) {
        WPS_PROFILE& profile = link->wpsProfile;
        if (profile.ProfileCnt == 0) profile.ProfileCnt = 1;
        WPS_CREDENTIAL& c = profile.Profile[0];
        memset(c.SSID.Ssid, 0, sizeof c.SSID.Ssid);
        c.SSID.SsidLength = static_cast<ULONG>(std::min<int>(ssid.GetLength(), kSsidLimit));
        memcpy(c.SSID.Ssid, ssid.GetString(), c.SSID.SsidLength);
        memset(c.Key, 0, sizeof c.Key);
        if (secured) {
            c.AuthType = security == kSecWpaPsk ? 0x02 : 0x20;
            c.EncrType = cipher == kCipherTkip ? 0x04 : 0x08;
            c.KeyLength = static_cast<ULONG>(std::min<int>(key.GetLength(), kKeyLimit));
            memcpy(c.Key, key.GetString(), c.KeyLength);
        } else {
            c.AuthType = 0x01;
            c.EncrType = 0x01;
            c.KeyLength = 0;
        }
        link->WriteProfileToLibrary();
    }
    ShowPage(link);
    return true;
}

void CKelvoPageWpsAuthenDlg::OnBack()
{
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    ShowPage(main ? main->m_pPageWpsListViewDlg : nullptr);
}

void CKelvoPageWpsAuthenDlg::OnExitPage()
{
    if (CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive()) main->ShowAdapterTab();
}
