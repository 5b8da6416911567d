#include "station/CPageWPSProfile.h"
#include "base/LanguageTable.h"
#include "core/ProductMessageBox.h"
#include "core/QXWLLIB.h"

#include <algorithm>
#include <cstring>

ULONG G_bWpsPinFromAp = 0;

namespace {
// The combos' fixed entries, in the order of their positions.
constexpr const char* kAuthItems[] = {"OPEN", "WPA-PSK", "WPA2-PSK"};
constexpr const char* kOpenEncrItems[] = {"NONE", "WEP"};
constexpr const char* kPskEncrItems[] = {"TKIP", "AES"};
constexpr const char* kKeyLengthItems[] = {"5", "10", "13", "26"};
constexpr const char* kKeyIndexItems[] = {"1", "2", "3", "4"};
constexpr const char kOpenFamily[] = "OPEN";

constexpr int kSsidLimit = 32;
constexpr int kKeyLimit = 64;
constexpr int kWepKeyLimit5 = 5, kWepKeyLimit10 = 10, kWepKeyLimit13 = 13, kWepKeyLimit26 = 26;
constexpr int kPassPhraseMin = 8;
constexpr char kPasswordMask = '*';
constexpr WORD kHexOnly = CSmartEdit::kHex;
constexpr WORD kAnyCharacter = CSmartEdit::kEverything;

// The edit limit of a WEP key of that length: 10 and 26 hexadecimal digits, else any characters.
bool IsHexWepLength(int length)
{
    return length == kWepKeyLimit10 || length == kWepKeyLimit26;
}

bool IsHexText(const CString& text)
{
    for (int i = 0; i < text.GetLength(); ++i)
        if (!isxdigit(static_cast<unsigned char>(text[i]))) return false;
    return true;
}

void FillCombo(HWND combo, const char* const* items, size_t count)
{
    ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (size_t i = 0; i < count; ++i) ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items[i]));
}
}  // namespace

BEGIN_MESSAGE_MAP(CPageWPSProfile, CClassicDlg)
    ON_WM_SHOWWINDOW()
    ON_BN_CLICKED(IDC_CLASSIC_OK, OnBtnOK)
    ON_BN_CLICKED(IDC_CLASSIC_CANCEL, OnBtnCancel)
    ON_CBN_SELCHANGE(IDC_WPSP_AUTH, OnAuthChanged)
    ON_CBN_SELCHANGE(IDC_WPSP_ENCR, OnEncrChanged)
    ON_CBN_SELCHANGE(IDC_WPSP_KEYLEN, OnKeyLengthChanged)
    ON_BN_CLICKED(IDC_WPSP_ASCII, OnAsciiFormat)
    ON_BN_CLICKED(IDC_WPSP_SHOWPW, OnShowPassword)
END_MESSAGE_MAP()

CPageWPSProfile::CPageWPSProfile(CWnd* pParent) : CClassicDlg(IDD, pParent) {}

void CPageWPSProfile::DoDataExchange(CDataExchange* pDX)
{
    CClassicDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CLASSIC_OK, m_btnOK);
    DDX_Control(pDX, IDC_CLASSIC_CANCEL, m_btnCancel);
    DDX_Control(pDX, IDC_WPSP_KEY, m_editKey);
    DDX_Text(pDX, IDC_WPSP_SSID, m_strSsid);
    DDX_Text(pDX, IDC_WPSP_BSSID, m_strBssid);
    DDX_Text(pDX, IDC_WPSP_AUTH_TEXT, m_strAuth);
    DDX_Text(pDX, IDC_WPSP_ENCR_TEXT, m_strEncr);
    DDX_Text(pDX, IDC_WPSP_KEYLEN_TEXT, m_strKeyLength);
    DDX_Text(pDX, IDC_WPSP_KEYIDX_TEXT, m_strKeyIndex);
    DDX_Text(pDX, IDC_WPSP_KEY, m_strKeyMaterial);
    int showPassword = static_cast<int>(m_bShowPassword), ascii = static_cast<int>(m_bAsciiFormat);
    DDX_Check(pDX, IDC_WPSP_SHOWPW, showPassword);
    DDX_Check(pDX, IDC_WPSP_ASCII, ascii);
    m_bShowPassword = static_cast<ULONG>(showPassword);
    m_bAsciiFormat = static_cast<ULONG>(ascii);
}

BOOL CPageWPSProfile::OnInitDialog()
{
    CClassicDlg::OnInitDialog();
    const struct { int id; const CString& text; } labels[] = {
        {IDC_WPSP_SSID_LABEL, G_LangTable.IDS_SSID},           {IDC_WPSP_BSSID_LABEL, G_LangTable.IDS_SITESUR_BSSID},
        {IDC_WPSP_AUTH_LABEL, G_LangTable.IDS_AUTH_TYPE},      {IDC_WPSP_ENCR_LABEL, G_LangTable.IDS_ENCRY_TYPE},
        {IDC_WPSP_KEYLEN_LABEL, G_LangTable.IDS_KEY_LENGTH},   {IDC_WPSP_KEYIDX_LABEL, G_LangTable.IDS_KEY_INDEX},
        {IDC_WPSP_KEY_LABEL, G_LangTable.IDS_KEY_MATERIAL},    {IDC_WPSP_SHOWPW_LABEL, G_LangTable.IDS_SHOW_PASSWORD},
        {IDC_WPSP_ASCII_LABEL, G_LangTable.IDS_ASCII_FORMAT},  {IDC_WPSP_AUTH_TEXT, G_LangTable.IDS_OPENSYSTEM},
    };
    for (const auto& label : labels) SetDlgItemText(label.id, label.text);
    SkinButton(m_btnOK, G_LangTable.IDS_OK);
    SkinButton(m_btnCancel, G_LangTable.IDS_CANCEL);
    FillCombo(::GetDlgItem(m_hWnd, IDC_WPSP_AUTH), kAuthItems, std::size(kAuthItems));
    FillCombo(::GetDlgItem(m_hWnd, IDC_WPSP_KEYLEN), kKeyLengthItems, std::size(kKeyLengthItems));
    FillCombo(::GetDlgItem(m_hWnd, IDC_WPSP_KEYIDX), kKeyIndexItems, std::size(kKeyIndexItems));
    FillEncryptionCombo(true);
    for (int id : {IDC_WPSP_AUTH, IDC_WPSP_KEYLEN, IDC_WPSP_KEYIDX})
        ::SendMessageA(::GetDlgItem(m_hWnd, id), CB_SETCURSEL, 0, 0);
    return TRUE;
}

bool CPageWPSProfile::Editable() const
{
    return G_bWpsPinFromAp == 1 && m_WpsProfile.ProfileCnt > 0;
}

int CPageWPSProfile::ComboSel(int id) const
{
    return static_cast<int>(::SendMessageA(::GetDlgItem(m_hWnd, id), CB_GETCURSEL, 0, 0));
}

int CPageWPSProfile::KeyLimit() const
{
    return static_cast<int>(::SendMessageA(m_editKey.m_hWnd, EM_GETLIMITTEXT, 0, 0));
}

bool CPageWPSProfile::KeyReadOnly() const
{
    return (::GetWindowLongA(m_editKey.m_hWnd, GWL_STYLE) & ES_READONLY) != 0;
}

void CPageWPSProfile::SetKeyFilter(WORD parseType, int limit)
{
    m_editKey.SetParseType(parseType);
    ::SendMessageA(m_editKey.m_hWnd, EM_LIMITTEXT, static_cast<WPARAM>(limit), 0);
}

void CPageWPSProfile::OnShowWindow(BOOL bShow, UINT)
{
    Default();
    if (!bShow) return;
    UpdateData(FALSE);
    ApplyEditingState();
    ::SendDlgItemMessageA(m_hWnd, IDC_WPSP_SSID, EM_LIMITTEXT, kSsidLimit, 0);
    SetKeyFilter(kAnyCharacter, kKeyLimit);
    const bool editing = G_bWpsPinFromAp != 0;
    const int asciiShow = !editing && m_bAsciiOffered ? SW_SHOW : SW_HIDE;
    ::ShowWindow(::GetDlgItem(m_hWnd, IDC_WPSP_ASCII), asciiShow);
    ::ShowWindow(::GetDlgItem(m_hWnd, IDC_WPSP_ASCII_LABEL), asciiShow);
    if (editing) FillFromCredential();
    if (m_strAuth.Find(kOpenFamily) < 0) ApplyAsciiFormatRule();
    ApplyShowPasswordRule();
}

void CPageWPSProfile::ApplyEditingState()
{
    const bool editable = Editable();
    for (int id : {IDC_WPSP_SSID, IDC_WPSP_KEY})
        ::SendDlgItemMessageA(m_hWnd, id, EM_SETREADONLY, editable ? FALSE : TRUE, 0);
    for (int id : {IDC_WPSP_AUTH, IDC_WPSP_ENCR, IDC_WPSP_KEYLEN, IDC_WPSP_KEYIDX})
        ::ShowWindow(::GetDlgItem(m_hWnd, id), editable ? SW_SHOW : SW_HIDE);
    for (int id : {IDC_WPSP_AUTH_TEXT, IDC_WPSP_ENCR_TEXT, IDC_WPSP_KEYLEN_TEXT, IDC_WPSP_KEYIDX_TEXT})
        ::ShowWindow(::GetDlgItem(m_hWnd, id), editable ? SW_HIDE : SW_SHOW);
}

void CPageWPSProfile::FillEncryptionCombo(bool open)
{
    if (open) FillCombo(::GetDlgItem(m_hWnd, IDC_WPSP_ENCR), kOpenEncrItems, std::size(kOpenEncrItems));
    else FillCombo(::GetDlgItem(m_hWnd, IDC_WPSP_ENCR), kPskEncrItems, std::size(kPskEncrItems));
    ::SendDlgItemMessageA(m_hWnd, IDC_WPSP_ENCR, CB_SETCURSEL, kEncrFirst, 0);
    m_bAuthIsOpen = open;
}

void CPageWPSProfile::FillFromCredential()
{
    const WPS_CREDENTIAL& cred = m_WpsProfile.Profile[0];
    HWND auth = ::GetDlgItem(m_hWnd, IDC_WPSP_AUTH);
    if (cred.AuthType == WSC_AUTH_OPEN) ::SendMessageA(auth, CB_SETCURSEL, kAuthOpen, 0);
    else if (cred.AuthType == WSC_AUTH_WPAPSK || cred.AuthType == WSC_AUTH_WPAPSK_WPA2PSK)
        ::SendMessageA(auth, CB_SETCURSEL, kAuthWpaPsk, 0);
    else if (cred.AuthType == WSC_AUTH_WPA2PSK) ::SendMessageA(auth, CB_SETCURSEL, kAuthWpa2Psk, 0);
    const bool open = ComboSel(IDC_WPSP_AUTH) == kAuthOpen;
    FillEncryptionCombo(open);
    const bool first = cred.EncrType == WSC_ENCR_NONE || cred.EncrType == WSC_ENCR_TKIP || cred.EncrType == WSC_ENCR_TKIP_AES;
    ::SendDlgItemMessageA(m_hWnd, IDC_WPSP_ENCR, CB_SETCURSEL, first ? kEncrFirst : kEncrSecond, 0);

    const BOOL wep = cred.EncrType == WSC_ENCR_WEP ? TRUE : FALSE;
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_WPSP_KEYLEN), wep);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_WPSP_KEYIDX), wep);
    if (wep) {
        const int length = static_cast<int>(cred.KeyLength);
        const int limit = IsHexWepLength(length) || length == kWepKeyLimit13 ? length : kWepKeyLimit5;
        SetKeyFilter(IsHexWepLength(limit) ? kHexOnly : kAnyCharacter, limit);
        const auto* entry = std::find_if(std::begin(kKeyLengthItems), std::end(kKeyLengthItems),
                                         [&](const char* item) { return atoi(item) == limit; });
        ::SendDlgItemMessageA(m_hWnd, IDC_WPSP_KEYLEN, CB_SETCURSEL, entry - std::begin(kKeyLengthItems), 0);
        ::SendDlgItemMessageA(m_hWnd, IDC_WPSP_KEYIDX, CB_SETCURSEL, cred.KeyIndex, 0);
    } else if (cred.EncrType == WSC_ENCR_TKIP || cred.EncrType == WSC_ENCR_AES || cred.EncrType == WSC_ENCR_TKIP_AES) {
        SetKeyFilter(kAnyCharacter, kKeyLimit);
    } else if (open && cred.EncrType == WSC_ENCR_NONE) {
        ::SendMessageA(m_editKey.m_hWnd, EM_SETREADONLY, TRUE, 0);
    }
    const size_t keyBytes = std::min<size_t>(cred.KeyLength, sizeof cred.Key);
    m_strKeyMaterial = CString(reinterpret_cast<const char*>(cred.Key),
                               static_cast<int>(strnlen(reinterpret_cast<const char*>(cred.Key), keyBytes)));
    SetDlgItemText(IDC_WPSP_KEY, m_strKeyMaterial);
}

void CPageWPSProfile::OnAuthChanged()
{
    const bool open = ComboSel(IDC_WPSP_AUTH) == kAuthOpen;
    if (open != m_bAuthIsOpen) FillEncryptionCombo(open);
    ApplyEncryptionRule();
}

void CPageWPSProfile::OnEncrChanged()
{
    ApplyEncryptionRule();
}

void CPageWPSProfile::ApplyEncryptionRule()
{
    const bool open = ComboSel(IDC_WPSP_AUTH) == kAuthOpen;
    const bool first = ComboSel(IDC_WPSP_ENCR) == kEncrFirst;
    HWND keyLength = ::GetDlgItem(m_hWnd, IDC_WPSP_KEYLEN), keyIndex = ::GetDlgItem(m_hWnd, IDC_WPSP_KEYIDX);
    if (open && first) {
        SetDlgItemText(IDC_WPSP_KEY, "");
        ::SendMessageA(m_editKey.m_hWnd, EM_SETREADONLY, TRUE, 0);
        ::EnableWindow(keyIndex, FALSE);
        ::EnableWindow(keyLength, FALSE);
    } else if (open) {
        ::SendMessageA(m_editKey.m_hWnd, EM_SETREADONLY, FALSE, 0);
        ::EnableWindow(keyIndex, TRUE);
        ::EnableWindow(keyLength, TRUE);
        ApplyKeyLengthRule();
    } else {
        ::SendMessageA(m_editKey.m_hWnd, EM_SETREADONLY, FALSE, 0);
        if (KeyLimit() != kKeyLimit) SetDlgItemText(IDC_WPSP_KEY, "");
        ::EnableWindow(keyIndex, FALSE);
        ::EnableWindow(keyLength, FALSE);
        SetKeyFilter(kAnyCharacter, kKeyLimit);
    }
}

void CPageWPSProfile::OnKeyLengthChanged()
{
    ApplyKeyLengthRule();
}

void CPageWPSProfile::ApplyKeyLengthRule()
{
    const int sel = ComboSel(IDC_WPSP_KEYLEN);
    if (sel < 0 || sel >= static_cast<int>(std::size(kKeyLengthItems))) return;
    const int length = atoi(kKeyLengthItems[sel]);
    if (KeyLimit() != length) SetDlgItemText(IDC_WPSP_KEY, "");
    SetKeyFilter(IsHexWepLength(length) ? kHexOnly : kAnyCharacter, length);
}

void CPageWPSProfile::OnAsciiFormat()
{
    m_bAsciiFormat = IsDlgButtonChecked(IDC_WPSP_ASCII) == BST_CHECKED;
    ApplyAsciiFormatRule();
}

void CPageWPSProfile::ApplyAsciiFormatRule()
{
    CString length;
    if (m_bAsciiFormat) {
        m_strKeyMaterial = m_strKeyAscii;
        length.Format("%d", static_cast<int>(m_nKeyLength / 2));
    } else {
        m_strKeyMaterial = m_strKeyHex;
        length.Format("%d", static_cast<int>(m_nKeyLength));
    }
    m_strKeyLength = length;
    SetDlgItemText(IDC_WPSP_KEY, m_strKeyMaterial);
    SetDlgItemText(IDC_WPSP_KEYLEN_TEXT, m_strKeyLength);
}

void CPageWPSProfile::OnShowPassword()
{
    m_bShowPassword = IsDlgButtonChecked(IDC_WPSP_SHOWPW) == BST_CHECKED;
    ApplyShowPasswordRule();
}

void CPageWPSProfile::ApplyShowPasswordRule()
{
    const bool allowed = QXWLAPI.ShowPassword != 0;
    ::ShowWindow(::GetDlgItem(m_hWnd, IDC_WPSP_SHOWPW), allowed ? SW_SHOW : SW_HIDE);
    ::ShowWindow(::GetDlgItem(m_hWnd, IDC_WPSP_SHOWPW_LABEL), allowed ? SW_SHOW : SW_HIDE);
    const bool plain = allowed && IsDlgButtonChecked(IDC_WPSP_SHOWPW) == BST_CHECKED;
    ::SendMessageA(m_editKey.m_hWnd, EM_SETPASSWORDCHAR, plain ? 0 : kPasswordMask, 0);
    ::InvalidateRect(m_editKey.m_hWnd, nullptr, TRUE);
}

bool CPageWPSProfile::ValidateKey(const CString& key)
{
    const int limit = KeyLimit();
    const CString* message = nullptr;
    switch (limit) {
    case kWepKeyLimit5: if (key.GetLength() != limit) message = &G_LangTable.IDS_WPS_5LENGTH_ERROR; break;
    case kWepKeyLimit13: if (key.GetLength() != limit) message = &G_LangTable.IDS_WPS_13LENGTH_ERROR; break;
    // Text set or pasted into the edit passes its character filter: the digits are checked here.
    case kWepKeyLimit10:
        if (key.GetLength() != limit || !IsHexText(key)) message = &G_LangTable.IDS_WPS_10LENGTH_ERROR;
        break;
    case kWepKeyLimit26:
        if (key.GetLength() != limit || !IsHexText(key)) message = &G_LangTable.IDS_WPS_26LENGTH_ERROR;
        break;
    case kKeyLimit: if (key.GetLength() < kPassPhraseMin) message = &G_LangTable.IDS_WPS_WPA_ERROR; break;
    default: break;
    }
    if (!message) return true;
    m_editKey.SetFocus();
    m_editKey.GetInfoWnd()->ShowInfo(&m_editKey, *message);
    return false;
}

void CPageWPSProfile::WriteCredential(WPS_CREDENTIAL& cred, const CString& key) const
{
    std::memset(cred.SSID.Ssid, 0, sizeof cred.SSID.Ssid);
    const size_t ssidBytes = std::min<size_t>(m_strSsid.GetLength(), sizeof cred.SSID.Ssid);
    std::memcpy(cred.SSID.Ssid, m_strSsid.GetString(), ssidBytes);
    cred.SSID.SsidLength = static_cast<ULONG>(ssidBytes);
    std::memset(cred.Key, 0, sizeof cred.Key);
    const size_t keyBytes = std::min<size_t>(key.GetLength(), sizeof cred.Key);
    const int auth = ComboSel(IDC_WPSP_AUTH);
    const bool first = ComboSel(IDC_WPSP_ENCR) == kEncrFirst;
    if (auth == kAuthOpen) {
        cred.AuthType = WSC_AUTH_OPEN;
        if (!first) {
            cred.EncrType = WSC_ENCR_WEP;
            cred.KeyIndex = static_cast<ULONG>(std::max(0, ComboSel(IDC_WPSP_KEYIDX)));
            const int sel = ComboSel(IDC_WPSP_KEYLEN);
            cred.KeyLength = sel >= 0 && sel < static_cast<int>(std::size(kKeyLengthItems))
                                 ? static_cast<ULONG>(atoi(kKeyLengthItems[sel]))
                                 : static_cast<ULONG>(keyBytes);
            std::memcpy(cred.Key, key.GetString(), std::min<size_t>(keyBytes, cred.KeyLength));
        } else {
            cred.EncrType = WSC_ENCR_NONE;
            cred.KeyLength = 0;
        }
        return;
    }
    cred.AuthType = auth == kAuthWpaPsk ? WSC_AUTH_WPAPSK : WSC_AUTH_WPA2PSK;
    cred.EncrType = first ? WSC_ENCR_TKIP : WSC_ENCR_AES;
    cred.KeyIndex = 0;
    cred.KeyLength = static_cast<ULONG>(keyBytes);
    std::memcpy(cred.Key, key.GetString(), keyBytes);
}

void CPageWPSProfile::OnBtnOK()
{
    UpdateData(TRUE);
    if (m_strSsid.IsEmpty()) {
        ShowProductMessageBox(G_LangTable.IDS_ADHOCINPUTSSID);
        return;
    }
    if (m_nCredentialIndex < 0 || m_nCredentialIndex >= static_cast<int>(kWpsMaxCredentials)) return;
    if (G_bWpsPinFromAp == 0) {
        SendToFrontWindow(MSG_WPS_PROFILE_DLG, 0, 0);
        return;
    }
    CString key;
    m_editKey.GetWindowText(key);
    if (!KeyReadOnly() && !ValidateKey(key)) return;
    if (ComboSel(IDC_WPSP_AUTH) == kAuthOpen && ComboSel(IDC_WPSP_ENCR) == kEncrFirst &&
        AfxMessageBox(G_LangTable.IDS_WPS_REGISTRAR_OPENNONE, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    WriteCredential(m_WpsProfile.Profile[m_nCredentialIndex], key);
    SendToFrontWindow(MSG_WPS_PROFILE_DLG, 0, 1);
}

void CPageWPSProfile::OnBtnCancel()
{
    SendToFrontWindow(MSG_WPS_PROFILE_DLG, 0, 0);
}
