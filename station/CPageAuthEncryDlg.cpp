#include "station/CPageAuthEncryDlg.h"
#include "base/StationLibraryView.h"
#include "station/TextWithNumber.h"
#include "base/LanguageTable.h"
#include "core/QXWLLIB.h"
#include "core/StationHelpers.h"
#include "base/TextChecks.h"

namespace {
constexpr LONG kWpa2FromOsCode = 6;   // the XP line offers WPA2 from here on
constexpr char kCckmCapable[] = "(CCKM capable)";
constexpr char kMask = '*';
constexpr int kPskMinChars = 8, kPskMaxPassphrase = 63, kPskHexChars = 64;
constexpr int kWepHexShort = 10, kWepHexLong = 26, kWepAsciiShort = 5, kWepAsciiLong = 13;
constexpr int kImageSize = 16;
constexpr COLORREF kImageBackground = RGB(255, 0, 255);

const int kKeyRadio[] = {IDC_AUTH_KEY1_RADIO, IDC_AUTH_KEY2_RADIO, IDC_AUTH_KEY3_RADIO, IDC_AUTH_KEY4_RADIO};
const int kKeyLabel[] = {IDC_AUTH_KEY1_LABEL, IDC_AUTH_KEY2_LABEL, IDC_AUTH_KEY3_LABEL, IDC_AUTH_KEY4_LABEL};
const int kKeyFmt[] = {IDC_AUTH_KEY1_FMT, IDC_AUTH_KEY2_FMT, IDC_AUTH_KEY3_FMT, IDC_AUTH_KEY4_FMT};
const int kKeyEdit[] = {IDC_AUTH_KEY1_EDIT, IDC_AUTH_KEY2_EDIT, IDC_AUTH_KEY3_EDIT, IDC_AUTH_KEY4_EDIT};
const UINT kKeyFmtMenu[] = {IDR_MENU_KEY1_FORMAT, IDR_MENU_KEY2_FORMAT, IDR_MENU_KEY3_FORMAT, IDR_MENU_KEY4_FORMAT};
const UINT kKeyHexCmd[] = {ID_KEY1FMT_HEX, ID_KEY2FMT_HEX, ID_KEY3FMT_HEX, ID_KEY4FMT_HEX};
const UINT kKeyAsciiCmd[] = {ID_KEY1FMT_ASCII, ID_KEY2FMT_ASCII, ID_KEY3FMT_ASCII, ID_KEY4FMT_ASCII};

using LangText = CString CLanguageTable::*;
// Captions by authentication index; null for the reserved indexes.
const LangText kAuthCaption[kAuthIndexCount] = {
    &CLanguageTable::IDS_OPENSYSTEM, &CLanguageTable::IDS_SHARED, nullptr, &CLanguageTable::IDS_WPA,
    &CLanguageTable::IDS_WPAPSK, &CLanguageTable::IDS_WPA2, &CLanguageTable::IDS_WPA2PSK,
    &CLanguageTable::IDS_WPANONE, &CLanguageTable::IDS_WAPIPSK, &CLanguageTable::IDS_WAPICA,
    &CLanguageTable::IDS_CCKM, nullptr,
};
const LangText kEncryCaption[kEncryIndexCount] = {
    &CLanguageTable::IDS_NONE, &CLanguageTable::IDS_WEP, &CLanguageTable::IDS_TKIP, &CLanguageTable::IDS_AES,
    &CLanguageTable::IDS_SMS4, &CLanguageTable::IDS_TKIP_MFP, &CLanguageTable::IDS_AES_MFP,
};
const UINT kAuthCommand[kAuthIndexCount] = {
    ID_AUTH_OPEN, ID_AUTH_SHARED, 0, ID_AUTH_WPA, ID_AUTH_WPAPSK, ID_AUTH_WPA2, ID_AUTH_WPA2PSK,
    ID_AUTH_WPANONE, ID_AUTH_WAPIPSK, ID_AUTH_WAPICA, ID_AUTH_CCKM, 0,
};
const UINT kEncryCommand[kEncryIndexCount] = {
    ID_ENCRY_NONE, ID_ENCRY_WEP, ID_ENCRY_TKIP, ID_ENCRY_AES, ID_ENCRY_SMS4, ID_ENCRY_TKIP_MFP, ID_ENCRY_AES_MFP,
};

LONG OsCode() { return QXWLAPI.WinOS(); }
bool WapiSupported() { return QXWLAPI.SupportWAPI && IsOpModeOutsideBasic(); }
bool IsWpaFamily(int auth)
{
    return auth == AUTHIDX_WPA || auth == AUTHIDX_WPA_PSK || auth == AUTHIDX_WPA2 || auth == AUTHIDX_WPA2_PSK ||
           auth == AUTHIDX_WPA_NONE;
}
bool IsWapi(int auth) { return auth == AUTHIDX_WAPI_PSK || auth == AUTHIDX_WAPI_CA; }
bool IsPskMethod(int auth) { return auth == AUTHIDX_WPA_PSK || auth == AUTHIDX_WPA2_PSK || auth == AUTHIDX_WPA_NONE; }

void Grey(HMENU menu, UINT command) { ::EnableMenuItem(menu, command, MF_BYCOMMAND | MF_GRAYED); }
void Enable(HMENU menu, UINT command) { ::EnableMenuItem(menu, command, MF_BYCOMMAND | MF_ENABLED); }
void GreyOrEnable(HMENU menu, UINT command, bool grey) { grey ? Grey(menu, command) : Enable(menu, command); }

DmMenuTexts MenuTexts(std::initializer_list<std::pair<UINT, LangText>> items)
{
    DmMenuTexts texts;
    for (const auto& item : items) texts.SetAt(item.first, G_LangTable.*item.second);
    return texts;
}
}  // namespace

BEGIN_MESSAGE_MAP(CPageAuthEncryDlg, CClassicDlg)
    ON_WM_SHOWWINDOW()
    ON_WM_DESTROY()
    ON_MESSAGE(MSG_AUTH_MENU_POPUP, OnAuthMenuPopup)
    ON_MESSAGE(MSG_ENCRYPTION_MENU_POPUP, OnEncryptionMenuPopup)
    ON_COMMAND(ID_AUTH_OPEN, OnAuthOpen)
    ON_COMMAND(ID_AUTH_SHARED, OnAuthShared)
    ON_COMMAND(ID_AUTH_WPA, OnAuthWpa)
    ON_COMMAND(ID_AUTH_WPAPSK, OnAuthWpaPsk)
    ON_COMMAND(ID_AUTH_WPA2, OnAuthWpa2)
    ON_COMMAND(ID_AUTH_WPA2PSK, OnAuthWpa2Psk)
    ON_COMMAND(ID_AUTH_WPANONE, OnAuthWpaNone)
    ON_COMMAND(ID_AUTH_WAPIPSK, OnAuthWapiPsk)
    ON_COMMAND(ID_AUTH_WAPICA, OnAuthWapiCa)
    ON_COMMAND(ID_AUTH_CCKM, OnAuthCckm)
    ON_COMMAND(ID_ENCRY_NONE, OnEncryNone)
    ON_COMMAND(ID_ENCRY_WEP, OnEncryWep)
    ON_COMMAND(ID_ENCRY_TKIP, OnEncryTkip)
    ON_COMMAND(ID_ENCRY_AES, OnEncryAes)
    ON_COMMAND(ID_ENCRY_SMS4, OnEncrySms4)
    ON_COMMAND(ID_ENCRY_TKIP_MFP, OnEncryTkipMfp)
    ON_COMMAND(ID_ENCRY_AES_MFP, OnEncryAesMfp)
    ON_COMMAND(ID_PSKFMT_HEX, OnPskFormatHex)
    ON_COMMAND(ID_PSKFMT_ASCII, OnPskFormatAscii)
    ON_BN_CLICKED(IDC_AUTH_8021X, OnCheck8021X)
    ON_BN_CLICKED(IDC_AUTH_SHOWPW, OnShowPassword)
    ON_BN_CLICKED(IDC_AUTH_KEY1_RADIO, OnKeyIndex)
    ON_BN_CLICKED(IDC_AUTH_KEY2_RADIO, OnKeyIndex)
    ON_BN_CLICKED(IDC_AUTH_KEY3_RADIO, OnKeyIndex)
    ON_BN_CLICKED(IDC_AUTH_KEY4_RADIO, OnKeyIndex)
END_MESSAGE_MAP()

CPageAuthEncryDlg::~CPageAuthEncryDlg() = default;

void CPageAuthEncryDlg::DoDataExchange(CDataExchange* pDX)
{
    CClassicDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_AUTH_BTN_AUTH, m_btnAuth);
    DDX_Control(pDX, IDC_AUTH_BTN_ENCRY, m_btnEncry);
    DDX_Control(pDX, IDC_AUTH_BTN_PSKFMT, m_btnPskFormat);
    DDX_Control(pDX, IDC_AUTH_PSK_EDIT, m_editPsk);
    for (int key = 0; key < kWepKeyCount; ++key) {
        DDX_Control(pDX, kKeyFmt[key], m_btnKeyFormat[key]);
        DDX_Control(pDX, kKeyEdit[key], m_editKey[key]);
        DDX_Text(pDX, kKeyEdit[key], m_strWepKey[key]);
    }
    DDX_Text(pDX, IDC_AUTH_PSK_EDIT, m_strPsk);
    DDV_MaxChars(pDX, m_strPsk, kPskMaxChars);
    DDX_Check(pDX, IDC_AUTH_8021X, m_b8021X);
    DDX_Check(pDX, IDC_AUTH_SHOWPW, m_bShowPassword);
    DDX_Radio(pDX, IDC_AUTH_KEY1_RADIO, m_nDefaultKey);
}

BOOL CPageAuthEncryDlg::OnInitDialog()
{
    CClassicDlg::OnInitDialog();
    struct Label {
        int id;
        LangText text;
    };
    const Label labels[] = {
        {IDC_AUTH_LBL_AUTH, &CLanguageTable::IDS_AUTHTYPE},   {IDC_AUTH_LBL_ENCRY, &CLanguageTable::IDS_ENCRYP_TYPE},
        {IDC_AUTH_8021X_LABEL, &CLanguageTable::IDS_USE8021X}, {IDC_AUTH_LBL_PSK, &CLanguageTable::IDS_WPAWPAPSK},
        {IDC_AUTH_SEP_WEP, &CLanguageTable::IDS_AUTH_WEPKEY},  {IDC_AUTH_KEY1_LABEL, &CLanguageTable::IDS_AUTH_KEY1},
        {IDC_AUTH_KEY2_LABEL, &CLanguageTable::IDS_AUTH_KEY2}, {IDC_AUTH_KEY3_LABEL, &CLanguageTable::IDS_AUTH_KEY3},
        {IDC_AUTH_KEY4_LABEL, &CLanguageTable::IDS_AUTH_KEY4}, {IDC_AUTH_SHOWPW_LABEL, &CLanguageTable::IDS_SHOW_PASSWORD},
    };
    for (const Label& label : labels) {
        SetDlgItemText(label.id, G_LangTable.*label.text);
        GetDlgItem(label.id)->SetFont(&m_font);
    }
    InitMenus();
    m_editPsk.LimitText(kPskMaxChars);
    ApplyFormatCaptions();
    SetAuthCaption();
    SetEncryCaption();
    return TRUE;
}

void CPageAuthEncryDlg::InitMenus()
{
    const bool vista = OsCode() >= kVistaOsCode;
    const bool wapi = WapiSupported();
    const UINT authMenu = vista ? (wapi ? IDR_MENU_AUTH_VISTA_WAPI : IDR_MENU_AUTH_VISTA)
                                : (wapi ? IDR_MENU_AUTH_XP_WAPI : IDR_MENU_AUTH_XP);
    const UINT encryMenu = vista ? (wapi ? IDR_MENU_ENCRY_VISTA_WAPI : IDR_MENU_ENCRY_VISTA)
                                 : (wapi ? IDR_MENU_ENCRY_XP_WAPI : IDR_MENU_ENCRY_XP);
    DmMenuTexts authTexts;
    for (int index = 0; index < kAuthIndexCount; ++index)
        if (kAuthCaption[index]) authTexts.SetAt(kAuthCommand[index], G_LangTable.*kAuthCaption[index]);
    DmMenuTexts encryTexts;
    for (int index = 0; index < kEncryIndexCount; ++index)
        encryTexts.SetAt(kEncryCommand[index], G_LangTable.*kEncryCaption[index]);
    // The menus carry no images: 0 as the image strip.
    m_btnAuth.SetMenu(authMenu, m_hWnd, TRUE, 0, std::move(authTexts), kImageSize, kImageSize, kImageBackground);
    m_btnAuth.SetMenuCallback(m_hWnd, MSG_AUTH_MENU_POPUP);
    m_btnEncry.SetMenu(encryMenu, m_hWnd, TRUE, 0, std::move(encryTexts), kImageSize, kImageSize, kImageBackground);
    m_btnEncry.SetMenuCallback(m_hWnd, MSG_ENCRYPTION_MENU_POPUP);
    m_btnPskFormat.SetMenu(IDR_MENU_PSK_FORMAT, m_hWnd, TRUE, 0,
                           MenuTexts({{ID_PSKFMT_HEX, &CLanguageTable::IDS_HEXA}, {ID_PSKFMT_ASCII, &CLanguageTable::IDS_ASCII}}),
                           kImageSize, kImageSize, kImageBackground);
    for (int key = 0; key < kWepKeyCount; ++key)
        m_btnKeyFormat[key].SetMenu(kKeyFmtMenu[key], m_hWnd, TRUE, 0,
                                    MenuTexts({{kKeyHexCmd[key], &CLanguageTable::IDS_HEXA},
                                               {kKeyAsciiCmd[key], &CLanguageTable::IDS_ASCII}}),
                                    kImageSize, kImageSize, kImageBackground);
}

BOOL CPageAuthEncryDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT command = LOWORD(wParam);
    for (int key = 0; key < kWepKeyCount; ++key) {
        if (command == kKeyHexCmd[key] || command == kKeyAsciiCmd[key]) {
            SetKeyFormat(key, command == kKeyHexCmd[key] ? KEYFMT_HEX : KEYFMT_ASCII);
            return TRUE;
        }
    }
    return CClassicDlg::OnCommand(wParam, lParam);
}

void CPageAuthEncryDlg::OnDestroy()
{
    m_btnAuth.DestroyWindow();
    m_btnEncry.DestroyWindow();
    m_btnPskFormat.DestroyWindow();
    for (CButtonST& button : m_btnKeyFormat) button.DestroyWindow();
    Default();
}

// ---------------------------------------------------------------------------------------------
// Model entry points.

void CPageAuthEncryDlg::ResetModel()
{
    m_nAuthIndex = AUTHIDX_OPEN;
    m_nEncryIndex = ENCRIDX_NONE;
    m_nDefaultKey = 0;
    m_b8021X = 0;
    m_bShowPassword = 0;
    for (int& format : m_nKeyFormat) format = KEYFMT_HEX;
    m_nPskFormat = KEYFMT_ASCII;
    m_strPsk.Empty();
    for (CString& key : m_strWepKey) key.Empty();
}

void CPageAuthEncryDlg::ResetToOpen()
{
    ResetModel();
    for (int key = 0; key < kWepKeyCount; ++key) SetKeyFormat(key, KEYFMT_HEX);
    SetPskFormat(KEYFMT_ASCII);
    FillControls();
    OnAuthOpen();
    OnEncryNone();
    Refresh8021XTab();
    FillControls();
}

void CPageAuthEncryDlg::ApplyModel()
{
    // The callers set the model, not the controls; the handlers read the controls first.
    FillControls();
    const int b8021X = m_b8021X;
    RunAuthHandler();
    RunEncryHandler();
    for (int key = 0; key < kWepKeyCount; ++key) SetKeyFormat(key, m_nKeyFormat[key]);
    SetPskFormat(m_nPskFormat);
    Set8021XFlag(b8021X);
    Refresh8021XTab();
    m_bShowPassword = 0;
    FillControls();
}

void CPageAuthEncryDlg::RunAuthHandler()
{
    using Handler = void (CPageAuthEncryDlg::*)();
    static const Handler handlers[kAuthIndexCount] = {
        &CPageAuthEncryDlg::OnAuthOpen,    &CPageAuthEncryDlg::OnAuthShared,  nullptr,
        &CPageAuthEncryDlg::OnAuthWpa,     &CPageAuthEncryDlg::OnAuthWpaPsk,  &CPageAuthEncryDlg::OnAuthWpa2,
        &CPageAuthEncryDlg::OnAuthWpa2Psk, &CPageAuthEncryDlg::OnAuthWpaNone, &CPageAuthEncryDlg::OnAuthWapiPsk,
        &CPageAuthEncryDlg::OnAuthWapiCa,  &CPageAuthEncryDlg::OnAuthCckm,    nullptr,
    };
    if (m_nAuthIndex >= 0 && m_nAuthIndex < kAuthIndexCount && handlers[m_nAuthIndex])
        (this->*handlers[m_nAuthIndex])();
}

void CPageAuthEncryDlg::RunEncryHandler()
{
    using Handler = void (CPageAuthEncryDlg::*)();
    static const Handler handlers[kEncryIndexCount] = {
        &CPageAuthEncryDlg::OnEncryNone, &CPageAuthEncryDlg::OnEncryWep,     &CPageAuthEncryDlg::OnEncryTkip,
        &CPageAuthEncryDlg::OnEncryAes,  &CPageAuthEncryDlg::OnEncrySms4,    &CPageAuthEncryDlg::OnEncryTkipMfp,
        &CPageAuthEncryDlg::OnEncryAesMfp,
    };
    if (m_nEncryIndex >= 0 && m_nEncryIndex < kEncryIndexCount)
        (this->*handlers[m_nEncryIndex])();
}

void CPageAuthEncryDlg::StartPreset(const NDIS_WLAN_BSSID_EX* entry)
{
    ResetModel();
    for (int key = 0; key < kWepKeyCount; ++key) SetKeyFormat(key, KEYFMT_HEX);
    SetPskFormat(KEYFMT_ASCII);
    FillControls();
    if (entry) m_nNetworkType = entry->InfrastructureMode;
}

void CPageAuthEncryDlg::PresetFromBss(const NDIS_WLAN_BSSID_EX* entry, int authCode, int privacy,
                                      const CString& cipherText)
{
    constexpr int kPrivacyOn = 1;
    StartPreset(entry);
    if (privacy != kPrivacyOn) {
        OnAuthOpen();
        OnEncryNone();
    } else if (!PresetSecuredChoice(authCode, cipherText)) {
        OnAuthOpen();
        OnEncryWep();
    }
    Refresh8021XTab();
    FillControls();
}

void CPageAuthEncryDlg::PresetFromBssCipherText(const NDIS_WLAN_BSSID_EX* entry, int authCode, const CString& cipherText)
{
    StartPreset(entry);
    if (!PresetSecuredChoice(authCode, cipherText)) {
        OnAuthOpen();
        cipherText == G_LangTable.IDS_NONE ? OnEncryNone() : OnEncryWep();
    }
    Refresh8021XTab();
    FillControls();
}

bool CPageAuthEncryDlg::PresetSecuredChoice(int authCode, const CString& cipherText)
{
    // Authentication codes of the site-survey entries.
    enum { kBssWpa = 1, kBssWpaPsk, kBssWpaNone, kBssWpa2, kBssWpa2Psk, kBssWapiPsk, kBssWapiCa, kBssCckm };
    if (authCode < kBssWpa || authCode > kBssCckm) return false;
    OnAuthWpaNone();
    const LONG os = OsCode();
    switch (authCode) {
    case kBssWpa: OnAuthWpa(); break;
    case kBssWpaPsk: OnAuthWpaPsk(); break;
    case kBssWpaNone: break;
    case kBssWpa2: os < kWpa2FromOsCode ? OnAuthWpa() : OnAuthWpa2(); break;
    case kBssWpa2Psk: os >= kWpa2FromOsCode ? OnAuthWpa2Psk() : OnAuthWpaPsk(); break;
    case kBssWapiPsk: OnAuthWapiPsk(); break;
    case kBssWapiCa: OnAuthWapiCa(); break;
    case kBssCckm: OnAuthCckm(); break;
    }
    if (cipherText == G_LangTable.IDS_TKIP)
        OnEncryTkip();
    else if (cipherText == G_LangTable.IDS_SMS4)
        OnEncrySms4();
    else
        OnEncryAes();
    return true;
}

// ---------------------------------------------------------------------------------------------
// Choice handlers.

void CPageAuthEncryDlg::OnAuthOpen()
{
    m_nAuthIndex = AUTHIDX_OPEN;
    SetAuthCaption();
    OnAuthSelected();
    RefreshWepKeys();
    ApplyFormatCaptions();
}

void CPageAuthEncryDlg::OnAuthShared()
{
    m_nAuthIndex = AUTHIDX_SHARED;
    SetAuthCaption();
    OnAuthSelected();
    RefreshWepKeys();
    ApplyFormatCaptions();
}

#define AUTH_HANDLER(name, index) \
    void CPageAuthEncryDlg::name() \
    {                              \
        m_nAuthIndex = index;      \
        SetAuthCaption();          \
        OnAuthSelected();          \
    }
AUTH_HANDLER(OnAuthWpa, AUTHIDX_WPA)
AUTH_HANDLER(OnAuthWpaPsk, AUTHIDX_WPA_PSK)
AUTH_HANDLER(OnAuthWpa2, AUTHIDX_WPA2)
AUTH_HANDLER(OnAuthWpa2Psk, AUTHIDX_WPA2_PSK)
AUTH_HANDLER(OnAuthWpaNone, AUTHIDX_WPA_NONE)
AUTH_HANDLER(OnAuthWapiPsk, AUTHIDX_WAPI_PSK)
AUTH_HANDLER(OnAuthWapiCa, AUTHIDX_WAPI_CA)
AUTH_HANDLER(OnAuthCckm, AUTHIDX_CCKM)
#undef AUTH_HANDLER

void CPageAuthEncryDlg::OnEncryNone()
{
    m_nEncryIndex = ENCRIDX_NONE;
    SetEncryCaption();
    OnEncryptionSelected();
    RefreshWepKeys();
}

void CPageAuthEncryDlg::OnEncryWep()
{
    m_nEncryIndex = ENCRIDX_WEP;
    SetEncryCaption();
    OnEncryptionSelected();
    RefreshWepKeys();
    ApplyFormatCaptions();
}

#define ENCRY_HANDLER(name, index) \
    void CPageAuthEncryDlg::name() \
    {                              \
        m_nEncryIndex = index;     \
        SetEncryCaption();         \
    }
ENCRY_HANDLER(OnEncryTkip, ENCRIDX_TKIP)
ENCRY_HANDLER(OnEncryAes, ENCRIDX_AES)
ENCRY_HANDLER(OnEncrySms4, ENCRIDX_SMS4)
ENCRY_HANDLER(OnEncryTkipMfp, ENCRIDX_TKIP_MFP)
ENCRY_HANDLER(OnEncryAesMfp, ENCRIDX_AES_MFP)
#undef ENCRY_HANDLER

void CPageAuthEncryDlg::SetPskFormat(int format)
{
    m_nPskFormat = format == KEYFMT_HEX ? KEYFMT_HEX : KEYFMT_ASCII;
    ApplyFormatCaptions();
}

void CPageAuthEncryDlg::SetKeyFormat(int key, int format)
{
    if (key < 0 || key >= kWepKeyCount) return;
    m_nKeyFormat[key] = format == KEYFMT_HEX ? KEYFMT_HEX : KEYFMT_ASCII;
    ApplyFormatCaptions();
}

void CPageAuthEncryDlg::OnCheck8021X()
{
    m_b8021X = IsDlgButtonChecked(IDC_AUTH_8021X) == BST_CHECKED;
    if (m_pHost) m_pHost->Enable8021XTab(m_b8021X);
    RefreshWepKeys();
}

void CPageAuthEncryDlg::OnShowPassword()
{
    CWnd* box = GetDlgItem(IDC_AUTH_SHOWPW);
    CWnd* label = GetDlgItem(IDC_AUTH_SHOWPW_LABEL);
    bool plain = false;
    if (!QXWLAPI.ShowPassword) {
        box->ShowWindow(SW_HIDE);
        label->ShowWindow(SW_HIDE);
    } else {
        m_bShowPassword = IsDlgButtonChecked(IDC_AUTH_SHOWPW) == BST_CHECKED;
        plain = m_bShowPassword != 0;
    }
    const char mask = plain ? '\0' : kMask;
    m_editPsk.SetPasswordChar(mask);
    for (CSmartEdit& edit : m_editKey) edit.SetPasswordChar(mask);
    Invalidate(TRUE);
}

void CPageAuthEncryDlg::OnKeyIndex()
{
    UpdateData(TRUE);
    if (OsCode() >= kVistaOsCode) RestrictToDefaultKey();
}

// ---------------------------------------------------------------------------------------------
// Rules.

void CPageAuthEncryDlg::EnableWepKeyControls(BOOL bEnable)
{
    if (m_nAuthIndex == AUTHIDX_CCKM) return;
    for (int key = 0; key < kWepKeyCount; ++key) {
        GetDlgItem(kKeyRadio[key])->EnableWindow(bEnable);
        GetDlgItem(kKeyLabel[key])->EnableWindow(bEnable);
        m_btnKeyFormat[key].EnableWindow(bEnable);
        m_editKey[key].EnableWindow(bEnable);
    }
    if (!bEnable || OsCode() < kVistaOsCode) return;
    if (NetworkIsAdhoc()) {
        m_nDefaultKey = 0;
        FillControls();
        for (int key = 1; key < kWepKeyCount; ++key) GetDlgItem(kKeyRadio[key])->EnableWindow(FALSE);
    }
    RestrictToDefaultKey();
}

void CPageAuthEncryDlg::RestrictToDefaultKey()
{
    for (int key = 0; key < kWepKeyCount; ++key) {
        const BOOL isDefault = key == m_nDefaultKey;
        GetDlgItem(kKeyLabel[key])->EnableWindow(isDefault);
        m_btnKeyFormat[key].EnableWindow(isDefault);
        m_editKey[key].EnableWindow(isDefault);
        if (!isDefault) {
            m_strWepKey[key].Empty();
            m_editKey[key].SetWindowText("");
        }
    }
}

void CPageAuthEncryDlg::RefreshWepKeys()
{
    const bool wepNeeded = m_nAuthIndex == AUTHIDX_SHARED || m_nEncryIndex == ENCRIDX_WEP;
    if (IsDlgButtonChecked(IDC_AUTH_8021X) == BST_CHECKED) {
        if (wepNeeded) EnableWepKeyControls(FALSE);
    } else {
        EnableWepKeyControls(wepNeeded);
    }
}

void CPageAuthEncryDlg::Show8021XBox(BOOL bShow)
{
    GetDlgItem(IDC_AUTH_8021X)->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
    GetDlgItem(IDC_AUTH_8021X_LABEL)->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

void CPageAuthEncryDlg::Refresh8021XTab()
{
    if (m_pHost) m_pHost->Enable8021XTab(m_b8021X != 0);
}

int CPageAuthEncryDlg::HostEapMethod() const
{
    return m_pHost ? m_pHost->GetEapMethod() : static_cast<int>(EAPMETHOD_PEAP);
}

bool CPageAuthEncryDlg::HostNetworkIsAdhoc()
{
    ULONG type = m_nNetworkType;
    if (m_nHostFlag == kHostProfileEditor && m_pHost) m_pHost->GetSystemNetworkType(&type);
    return type == NETWORK_ADHOC;
}

void CPageAuthEncryDlg::ForceDot1XForEnterprise()
{
    m_editPsk.EnableWindow(FALSE);
    Show8021XBox(FALSE);
    Set8021XFlag(1);
    if (m_pHost && m_pHost->GetEapMethod() == EAPMETHOD_MD5) m_pHost->SetEapMethod(EAPMETHOD_PEAP);
}

void CPageAuthEncryDlg::Set8021XFlag(int b8021X)
{
    m_b8021X = b8021X;
    CheckDlgButton(IDC_AUTH_8021X, b8021X ? BST_CHECKED : BST_UNCHECKED);
}

void CPageAuthEncryDlg::LeaveDot1X(bool bPskEditable)
{
    m_editPsk.EnableWindow(bPskEditable);
    Show8021XBox(FALSE);
    if (bPskEditable) GetDlgItem(IDC_AUTH_8021X)->EnableWindow(FALSE);
    Set8021XFlag(0);
}

void CPageAuthEncryDlg::OnAuthSelected()
{
    UpdateData(TRUE);
    const bool adhoc = NetworkIsAdhoc();
    if (OsCode() < kVistaOsCode)
        OnAuthSelectedXp(adhoc);
    else
        OnAuthSelectedVista(adhoc);
    UpdateHostTabs();
    if (adhoc) Show8021XBox(FALSE);
    OnShowPassword();
    FillControls();
}

void CPageAuthEncryDlg::OnAuthSelectedXp(bool adhoc)
{
    int& auth = m_nAuthIndex;
    int& encry = m_nEncryIndex;
    if (auth == AUTHIDX_OPEN || auth == AUTHIDX_SHARED) {
        if (encry == ENCRIDX_TKIP || encry == ENCRIDX_AES || encry == ENCRIDX_SMS4) encry = ENCRIDX_NONE;
        if (auth == AUTHIDX_SHARED && encry == ENCRIDX_NONE) encry = ENCRIDX_WEP;
        m_editPsk.EnableWindow(FALSE);
        OnEncryptionSelected();
    }
    const bool tkipOrAes = encry == ENCRIDX_TKIP || encry == ENCRIDX_AES;
    switch (auth) {
    case AUTHIDX_WPA:
    case AUTHIDX_WPA_PSK:
        if (!tkipOrAes) encry = ENCRIDX_TKIP;
        break;
    case AUTHIDX_WPA2_PSK:
        if (adhoc)
            encry = ENCRIDX_AES;
        else if (!tkipOrAes)
            encry = ENCRIDX_TKIP;
        break;
    case AUTHIDX_WPA_NONE:
        if (adhoc && QXWLAPI.ProhibitTKIPonHT)
            encry = ENCRIDX_AES;
        else if (!tkipOrAes)
            encry = ENCRIDX_TKIP;
        break;
    case AUTHIDX_WAPI_PSK:
    case AUTHIDX_WAPI_CA:
        encry = ENCRIDX_SMS4;
        break;
    default:
        break;
    }
    SetEncryCaption();
    if (auth < AUTHIDX_WPA || auth > AUTHIDX_WAPI_CA) return;
    EnableWepKeyControls(FALSE);
    if (auth == AUTHIDX_WPA || auth == AUTHIDX_WPA2) {
        ForceDot1XForEnterprise();
    } else {
        LeaveDot1X(auth != AUTHIDX_WAPI_CA);
    }
}

void CPageAuthEncryDlg::OnAuthSelectedVista(bool adhoc)
{
    int& auth = m_nAuthIndex;
    int& encry = m_nEncryIndex;
    if (adhoc && auth != AUTHIDX_OPEN && auth != AUTHIDX_WPA2_PSK) {
        auth = AUTHIDX_OPEN;
        SetAuthCaption();
    }
    const bool mfp = encry == ENCRIDX_TKIP_MFP || encry == ENCRIDX_AES_MFP;
    if (auth == AUTHIDX_OPEN || auth == AUTHIDX_SHARED) {
        if (encry == ENCRIDX_TKIP || encry == ENCRIDX_AES || encry == ENCRIDX_SMS4 || mfp) encry = ENCRIDX_NONE;
        if (auth == AUTHIDX_SHARED && encry == ENCRIDX_NONE) encry = ENCRIDX_WEP;
        m_editPsk.EnableWindow(FALSE);
        OnEncryptionSelected();
    }
    if (auth < AUTHIDX_WPA) {
        SetEncryCaption();
        return;
    }
    if (adhoc) {
        if (encry == ENCRIDX_NONE || encry == ENCRIDX_WEP || encry == ENCRIDX_TKIP) encry = ENCRIDX_AES;
    } else {
        switch (auth) {
        case AUTHIDX_WPA2:
            if (encry == ENCRIDX_NONE || encry == ENCRIDX_WEP) encry = ENCRIDX_TKIP;
            break;
        case AUTHIDX_WAPI_PSK:
        case AUTHIDX_WAPI_CA:
            encry = ENCRIDX_SMS4;
            break;
        case AUTHIDX_CCKM:
            if (encry == ENCRIDX_NONE || mfp) encry = ENCRIDX_WEP;
            break;
        case AUTHIDX_RESERVED11:
            encry = ENCRIDX_NONE;
            break;
        default:  // WPA, WPA-PSK, WPA2-PSK, WPA-None
            if (encry == ENCRIDX_NONE || encry == ENCRIDX_WEP || encry == ENCRIDX_SMS4 || mfp) encry = ENCRIDX_TKIP;
            break;
        }
    }
    SetEncryCaption();
    EnableWepKeyControls(FALSE);
    if (auth == AUTHIDX_WPA || auth == AUTHIDX_WPA2 || auth == AUTHIDX_CCKM || auth == AUTHIDX_RESERVED11) {
        ForceDot1XForEnterprise();
        if (m_pHost) m_pHost->Enable8021XTab(TRUE);
    } else {
        LeaveDot1X(auth != AUTHIDX_WAPI_CA);
        if (auth != AUTHIDX_WAPI_CA && m_pHost) m_pHost->Enable8021XTab(FALSE);
    }
}

void CPageAuthEncryDlg::UpdateHostTabs()
{
    if (m_pHost) {
        switch (m_nAuthIndex) {
        case AUTHIDX_SHARED:
        case AUTHIDX_WPA_PSK:
        case AUTHIDX_WPA2_PSK:
        case AUTHIDX_WPA_NONE:
        case AUTHIDX_WAPI_PSK:
        case AUTHIDX_WAPI_CA:
            m_pHost->Enable8021XTab(FALSE);
            break;
        case AUTHIDX_WPA:
        case AUTHIDX_WPA2:
            m_pHost->Enable8021XTab(TRUE);
            break;
        default:  // Open, the reserved indexes, CCKM
            m_pHost->Enable8021XTab(IsDlgButtonChecked(IDC_AUTH_8021X) == BST_CHECKED);
            break;
        }
        m_pHost->EnableWapiTab(m_nAuthIndex == AUTHIDX_WAPI_CA);
    }
    ShowPskFormatButton();
}

void CPageAuthEncryDlg::ShowPskFormatButton()
{
    m_btnPskFormat.ShowWindow(m_nAuthIndex == AUTHIDX_WAPI_PSK ? SW_SHOW : SW_HIDE);
}

void CPageAuthEncryDlg::OnEncryptionSelected()
{
    if (m_nEncryIndex != ENCRIDX_NONE) {
        if (OsCode() < kVistaOsCode) {
            EnableWepKeyControls(TRUE);
            Show8021XBox(m_nAuthIndex != AUTHIDX_SHARED);
            if (m_nAuthIndex != AUTHIDX_SHARED) GetDlgItem(IDC_AUTH_8021X)->EnableWindow(TRUE);
        } else if (m_nAuthIndex == AUTHIDX_OPEN) {
            Show8021XBox(TRUE);
            GetDlgItem(IDC_AUTH_8021X)->EnableWindow(TRUE);
        } else if (m_nAuthIndex == AUTHIDX_SHARED) {
            Set8021XFlag(0);
            EnableWepKeyControls(TRUE);
            Show8021XBox(FALSE);
        } else if (m_nAuthIndex == AUTHIDX_CCKM) {
            Set8021XFlag(1);
            EnableWepKeyControls(FALSE);
            Show8021XBox(FALSE);
        } else {
            Show8021XBox(FALSE);
        }
    } else {
        EnableWepKeyControls(FALSE);
        Set8021XFlag(0);
        Refresh8021XTab();
        Show8021XBox(FALSE);
    }
    if (HostNetworkIsAdhoc()) {
        m_nNetworkType = NETWORK_ADHOC;
        Set8021XFlag(0);
        Refresh8021XTab();
        Show8021XBox(FALSE);
    }
}

LRESULT CPageAuthEncryDlg::OnAuthMenuPopup(WPARAM wParam, LPARAM)
{
    const HMENU menu = reinterpret_cast<HMENU>(wParam);
    if (!menu) return 0;
    const LONG os = OsCode();
    const bool adhoc = NetworkIsAdhoc();
    const bool wapi = WapiSupported();
    const bool wpaCapable = QXWLAPI.IsWpaCapable() != FALSE;
    auto greyWpaMethods = [menu] {
        for (UINT command : {ID_AUTH_WPA, ID_AUTH_WPAPSK, ID_AUTH_WPA2, ID_AUTH_WPA2PSK, ID_AUTH_WPANONE})
            Grey(menu, command);
    };
    if (!wpaCapable) greyWpaMethods();
    if (os >= kVistaOsCode) {
        if (adhoc) {
            for (UINT command : {ID_AUTH_SHARED, ID_AUTH_WPA, ID_AUTH_WPAPSK, ID_AUTH_WPA2, ID_AUTH_CCKM,
                                 ID_AUTH_WAPIPSK, ID_AUTH_WAPICA})
                Grey(menu, command);
            if (!QXWLAPI.QXWL_WlanIsAdhocSupportWPA2AES || QXWLAPI.QXWL_WlanIsAdhocSupportWPA2AES() != 1)
                Grey(menu, ID_AUTH_WPA2PSK);
            Enable(menu, ID_AUTH_WPANONE);
        } else {
            for (UINT command : {ID_AUTH_SHARED, ID_AUTH_WPA, ID_AUTH_WPAPSK, ID_AUTH_WPA2, ID_AUTH_WPA2PSK,
                                 ID_AUTH_CCKM, ID_AUTH_WAPIPSK, ID_AUTH_WAPICA})
                Enable(menu, command);
        }
        if (!wapi) {
            Grey(menu, ID_AUTH_WAPICA);
            Grey(menu, ID_AUTH_WAPIPSK);
        }
    } else {
        if (adhoc) {
            for (UINT command : {ID_AUTH_SHARED, ID_AUTH_WPA, ID_AUTH_WPAPSK, ID_AUTH_WPA2}) Grey(menu, command);
            if (!QXWLAPI.WPA2PSKForAdhocXP) Grey(menu, ID_AUTH_WPA2PSK);
            Enable(menu, ID_AUTH_WPANONE);
        } else {
            Grey(menu, ID_AUTH_WPANONE);
            for (UINT command : {ID_AUTH_SHARED, ID_AUTH_WPA, ID_AUTH_WPAPSK}) Enable(menu, command);
            GreyOrEnable(menu, ID_AUTH_WPA2, os < kWpa2FromOsCode);
            GreyOrEnable(menu, ID_AUTH_WPA2PSK, os < kWpa2FromOsCode);
        }
        GreyOrEnable(menu, ID_AUTH_WAPICA, !(wapi && !adhoc));
        // The XP line has no supplicant but the library's: the network rows above must not
        // offer again what it cannot run.
        if (!wpaCapable) greyWpaMethods();
    }
    return 0;
}

LRESULT CPageAuthEncryDlg::OnEncryptionMenuPopup(WPARAM wParam, LPARAM)
{
    const HMENU menu = reinterpret_cast<HMENU>(wParam);
    if (!menu) return 0;
    const int auth = m_nAuthIndex;
    const bool adhoc = NetworkIsAdhoc();
    const bool wpa2 = auth == AUTHIDX_WPA2;
    GreyOrEnable(menu, ID_ENCRY_TKIP_MFP, !wpa2);
    GreyOrEnable(menu, ID_ENCRY_AES_MFP, !wpa2);
    if (OsCode() < kVistaOsCode) {
        if (IsWpaFamily(auth)) {
            for (UINT command : {ID_ENCRY_NONE, ID_ENCRY_WEP, ID_ENCRY_SMS4}) Grey(menu, command);
            GreyOrEnable(menu, ID_ENCRY_TKIP, adhoc && (QXWLAPI.ProhibitTKIPonHT || auth == AUTHIDX_WPA2_PSK));
            Enable(menu, ID_ENCRY_AES);
        } else if (IsWapi(auth)) {
            for (UINT command : {ID_ENCRY_NONE, ID_ENCRY_WEP, ID_ENCRY_TKIP, ID_ENCRY_AES, ID_ENCRY_TKIP_MFP,
                                 ID_ENCRY_AES_MFP})
                Grey(menu, command);
            Enable(menu, ID_ENCRY_SMS4);
        } else {
            for (UINT command : {ID_ENCRY_TKIP, ID_ENCRY_AES, ID_ENCRY_SMS4, ID_ENCRY_TKIP_MFP, ID_ENCRY_AES_MFP})
                Grey(menu, command);
            if (auth == AUTHIDX_SHARED) Grey(menu, ID_ENCRY_NONE);
            if (auth == AUTHIDX_OPEN) Enable(menu, ID_ENCRY_NONE);
            GreyOrEnable(menu, ID_ENCRY_WEP, adhoc && QXWLAPI.ProhibitWEPonHT);
        }
        return 0;
    }
    if (IsWpaFamily(auth)) {
        for (UINT command : {ID_ENCRY_NONE, ID_ENCRY_WEP, ID_ENCRY_SMS4}) Grey(menu, command);
        GreyOrEnable(menu, ID_ENCRY_TKIP, adhoc);
        Enable(menu, ID_ENCRY_AES);
    } else if (IsWapi(auth)) {
        for (UINT command : {ID_ENCRY_NONE, ID_ENCRY_WEP, ID_ENCRY_TKIP, ID_ENCRY_AES}) Grey(menu, command);
        Enable(menu, ID_ENCRY_SMS4);
    } else if (auth == AUTHIDX_CCKM) {
        Grey(menu, ID_ENCRY_NONE);
        Grey(menu, ID_ENCRY_SMS4);
        for (UINT command : {ID_ENCRY_WEP, ID_ENCRY_TKIP, ID_ENCRY_AES}) Enable(menu, command);
    } else if (auth == AUTHIDX_RESERVED11) {
        for (UINT command : {ID_ENCRY_WEP, ID_ENCRY_TKIP, ID_ENCRY_AES, ID_ENCRY_SMS4}) Grey(menu, command);
        Enable(menu, ID_ENCRY_NONE);
    } else {
        for (UINT command : {ID_ENCRY_TKIP, ID_ENCRY_AES, ID_ENCRY_SMS4}) Grey(menu, command);
        if (auth == AUTHIDX_SHARED) Grey(menu, ID_ENCRY_NONE);
        if (auth == AUTHIDX_OPEN) Enable(menu, ID_ENCRY_NONE);
        Enable(menu, ID_ENCRY_WEP);
    }
    return 0;
}

void CPageAuthEncryDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    Default();
    if (!bShow) return;
    if (m_nHostFlag == kHostProfileEditor && m_pHost) {
        m_pHost->GetSystemNetworkType(&m_nNetworkType);
        if (NetworkIsAdhoc()) {
            Set8021XFlag(0);
            Show8021XBox(FALSE);
        }
    }
    if (m_b8021X) EnableWepKeyControls(HostEapMethod() == EAPMETHOD_MD5);
    const bool adhoc = NetworkIsAdhoc();
    const int auth = m_nAuthIndex;
    if (OsCode() < kVistaOsCode) {
        if (!adhoc) {
            if (auth >= AUTHIDX_RESERVED2 && auth <= AUTHIDX_WAPI_CA) {
                Show8021XBox(FALSE);
                if (auth == AUTHIDX_WPA_NONE) OnAuthOpen();
            } else if (m_nEncryIndex == ENCRIDX_NONE) {
                Show8021XBox(FALSE);
            }
        } else {
            Show8021XBox(FALSE);
            switch (auth) {
            case AUTHIDX_OPEN:
                if (QXWLAPI.ProhibitWEPonHT) OnEncryNone();
                break;
            case AUTHIDX_SHARED:
                OnAuthOpen();
                OnEncryNone();
                break;
            case AUTHIDX_WPA2_PSK:
                QXWLAPI.WPA2PSKForAdhocXP ? OnEncryAes() : OnAuthOpen();
                break;
            case AUTHIDX_WPA_NONE:
                break;
            case AUTHIDX_WAPI_PSK:
                OnEncrySms4();
                break;
            default:
                OnAuthOpen();
                break;
            }
        }
        UpdateHostTabs();
    } else if (!adhoc) {
        Show8021XBox(auth == AUTHIDX_OPEN && m_nEncryIndex == ENCRIDX_WEP);
    } else {
        Show8021XBox(FALSE);
        switch (auth) {
        case AUTHIDX_OPEN:
            if (QXWLAPI.ProhibitWEPonHT) OnEncryNone();
            break;
        case AUTHIDX_SHARED:
            OnAuthOpen();
            OnEncryNone();
            break;
        case AUTHIDX_WPA2_PSK:
            OnEncryAes();
            break;
        default:
            OnAuthOpen();
            break;
        }
    }
    OnShowPassword();
}

// ---------------------------------------------------------------------------------------------
// Validation.

bool CPageAuthEncryDlg::Complain(CSmartEdit& edit, const CString& text)
{
    edit.SetFocus();
    if (CInfoWnd* info = edit.GetInfoWnd()) info->ShowInfo(&edit, text);
    return false;
}

BOOL CPageAuthEncryDlg::ValidateSettings()
{
    UpdateData(TRUE);
    const int auth = m_nAuthIndex;
    bool enable = false, click = false;
    if (!m_b8021X) {
        if (IsPskMethod(auth) || auth == AUTHIDX_WAPI_PSK) {
            click = true;
        } else if (auth == AUTHIDX_WAPI_CA) {
        } else if (m_nHostFlag == kHostSecurityEditor || m_nEncryIndex == ENCRIDX_WEP) {
            enable = click = true;
        }
    } else if (HostEapMethod() == EAPMETHOD_MD5) {
        enable = click = true;
    }
    EnableWepKeyControls(enable);
    if (click && m_pHost) m_pHost->ClickAuthTab();
    if (!ValidatePsk()) return FALSE;
    return ValidateWepKeys();
}

BOOL CPageAuthEncryDlg::ValidatePsk()
{
    const int length = m_strPsk.GetLength();
    if (IsPskMethod(m_nAuthIndex)) {
        const bool passphrase = length >= kPskMinChars && length <= kPskMaxPassphrase;
        const bool hexKey = length == kPskHexChars && IsHexString(m_strPsk);
        if (passphrase || hexKey) return TRUE;
        const CString& text = m_nAuthIndex == AUTHIDX_WPA_PSK    ? G_LangTable.IDS_MSGPSKKEYINVALID
                              : m_nAuthIndex == AUTHIDX_WPA2_PSK ? G_LangTable.IDS_MSGWPA2PSKKEYINVALID
                                                                 : G_LangTable.IDS_MSGWPANONEKEYINVALID;
        return Complain(m_editPsk, text);
    }
    if (m_nAuthIndex == AUTHIDX_WAPI_PSK) {
        if (length < kPskMinChars) return Complain(m_editPsk, G_LangTable.IDS_MSGWAPIPSKKEYINVALID);
        if (m_nPskFormat == KEYFMT_HEX && (length % 2 != 0 || !IsHexString(m_strPsk)))
            return Complain(m_editPsk, G_LangTable.IDS_MSGHEXWAPIPSKKEYINVALID);
    }
    return TRUE;
}

BOOL CPageAuthEncryDlg::ValidateWepKeys()
{
    const bool wepKeysUsed = m_nAuthIndex == AUTHIDX_SHARED ||
                             (m_nAuthIndex == AUTHIDX_OPEN && m_nEncryIndex == ENCRIDX_WEP &&
                              (!m_b8021X || HostEapMethod() == EAPMETHOD_MD5));
    if (!wepKeysUsed) return TRUE;
    for (int key = 0; key < kWepKeyCount; ++key) {
        const CString& text = m_strWepKey[key];
        if (text.IsEmpty() && key != m_nDefaultKey) continue;
        const int length = text.GetLength();
        if (m_nKeyFormat[key] == KEYFMT_HEX) {
            if ((length == kWepHexShort || length == kWepHexLong) && IsHexString(text)) continue;
            m_editKey[key].LimitText(kWepHexLong);
            return Complain(m_editKey[key], TextWithNumber(G_LangTable.IDS_MSGHEXWEPKEYINVALID, key + 1));
        }
        if (length == kWepAsciiShort || length == kWepAsciiLong) continue;
        m_editKey[key].LimitText(kWepAsciiLong);
        return Complain(m_editKey[key], TextWithNumber(G_LangTable.IDS_MSGASCIIWEPKEYINVALID, key + 1));
    }
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Captions.

void CPageAuthEncryDlg::SetAuthCaption()
{
    if (m_nAuthIndex < 0 || m_nAuthIndex >= kAuthIndexCount || !kAuthCaption[m_nAuthIndex]) return;
    CString caption = G_LangTable.*kAuthCaption[m_nAuthIndex];
    if ((m_nAuthIndex == AUTHIDX_WPA || m_nAuthIndex == AUTHIDX_WPA2) && OsCode() < kVistaOsCode)
        caption += kCckmCapable;
    m_btnAuth.SetWindowText(caption);
}

void CPageAuthEncryDlg::SetEncryCaption()
{
    if (m_nEncryIndex < 0 || m_nEncryIndex >= kEncryIndexCount) return;
    m_btnEncry.SetWindowText(G_LangTable.*kEncryCaption[m_nEncryIndex]);
}

void CPageAuthEncryDlg::ApplyFormatCaptions()
{
    auto caption = [](int format) -> const CString& {
        return format == KEYFMT_HEX ? G_LangTable.IDS_HEXA : G_LangTable.IDS_ASCII;
    };
    m_btnPskFormat.SetWindowText(caption(m_nPskFormat));
    m_editPsk.SetParseType(m_nPskFormat == KEYFMT_HEX ? CSmartEdit::kHex : CSmartEdit::kEverything);
    for (int key = 0; key < kWepKeyCount; ++key) {
        const bool hex = m_nKeyFormat[key] == KEYFMT_HEX;
        m_btnKeyFormat[key].SetWindowText(caption(m_nKeyFormat[key]));
        m_editKey[key].SetParseType(hex ? CSmartEdit::kHex : CSmartEdit::kEverything);
        m_editKey[key].LimitText(hex ? kWepHexLong : kWepAsciiLong);
    }
}
