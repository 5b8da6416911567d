#include "softap/AuthSecuDlg.h"
#include "softap/ConfigPage.h"
#include "base/DebugLog.h"
#include "base/LanguageTable.h"
#include "base/TextChecks.h"
#include "core/QXAPLIB.h"
#include "core/hidedlg/HideDlg.h"
#include "skin/KelvoPageUIDlg.h"
#include "ui/DialogTab.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

namespace {
CAuthSecuDlg* g_pLive = nullptr;

constexpr int kPskMaxChars = 64;
constexpr int kPskMinChars = 8;
// The RADIUS key field is 64 bytes and NUL-terminated.
constexpr int kRadiusKeyMaxChars = 63;
constexpr int kHexKeyMaxChars = 26, kAsciiKeyMaxChars = 13;
constexpr int kHexKeyShort = 10, kAsciiKeyShort = 5;
constexpr char kPasswordMask = '*';

bool AllHex(const CString& text)
{
    for (int i = 0; i < text.GetLength(); ++i)
        if (!isxdigit(static_cast<unsigned char>(text[i]))) return false;
    return true;
}

CString FieldText(const char* field, size_t size)
{
    return CString(field, static_cast<int>(strnlen(field, size)));
}

void CopyField(char* field, size_t size, const CString& text)
{
    memset(field, 0, size);
    memcpy(field, text.GetString(), std::min<size_t>(text.GetLength(), size - 1));
}

void AddWithData(CComboBox& combo, const CString& text, ULONG data)
{
    const int at = combo.AddString(text);
    if (at >= 0) combo.SetItemData(at, data);
}

ULONG SelectedData(const CComboBox& combo)
{
    if (combo.GetCount() <= 0) return 0;
    const int sel = combo.GetCurSel();
    return static_cast<ULONG>(combo.GetItemData(sel < 0 ? 0 : sel));
}

void SelectData(CComboBox& combo, ULONG data)
{
    for (int i = 0; i < combo.GetCount(); ++i)
        if (combo.GetItemData(i) == data) {
            combo.SetCurSel(i);
            return;
        }
    combo.SetCurSel(combo.GetCount() > 0 ? 0 : -1);
}
}  // namespace

IMPLEMENT_DYNCREATE(CAuthSecuDlg, CDialog)

BEGIN_MESSAGE_MAP(CAuthSecuDlg, CClassicDlg)
    ON_CBN_SELCHANGE(IDC_APSEC_AUTH, OnSelchangeAuthMode)
    ON_CBN_SELCHANGE(IDC_APSEC_ENCRY, OnSelchangeEncryption)
    ON_CONTROL_RANGE(CBN_SELCHANGE, IDC_APSEC_KEY1_FORMAT, IDC_APSEC_KEY1_FORMAT + 3, OnSelchangeKeyTypeRange)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_APSEC_KEY1_RADIO, IDC_APSEC_KEY1_RADIO + 3, OnDefaultKeyRange)
    ON_BN_CLICKED(IDC_APSEC_REKEY_UNIT, OnRekeyUnit)
    ON_BN_CLICKED(IDC_APSEC_SHOW_PASSWORD, OnShowPassword)
END_MESSAGE_MAP()

CAuthSecuDlg::CAuthSecuDlg() : CClassicDlg(IDD, nullptr)
{
    m_Block.enumEncryStatus = kEncryNone;
    g_pLive = this;
}

CAuthSecuDlg::~CAuthSecuDlg()
{
    if (g_pLive == this) g_pLive = nullptr;
}

CAuthSecuDlg* CAuthSecuDlg::Find()
{
    return g_pLive;
}

CConfigPage* CAuthSecuDlg::Page() const
{
    return m_pConfigPage ? m_pConfigPage : CConfigPage::Find();
}

void CAuthSecuDlg::TakeBlockFrom(const CConfigPage& page)
{
    page.GetSecurityBlock(m_Block);
    if (!m_hWnd) return;
    LoadFromBlock();
    UpdateData(FALSE);
    FillEncryptionCombo();
    UpdateData(FALSE);
    EnableForCodes();
}

void CAuthSecuDlg::ReloadFrom(const CConfigPage& page)
{
    if (CAuthSecuDlg* dlg = Find()) dlg->TakeBlockFrom(page);
}

BOOL CAuthSecuDlg::IsWepBarred()
{
    // The library object keeps the switch as "allowed" (1 for a value of "0").
    return !QXAPAPI.ProhibitWEPonHT && QXAPAPI.QXAP_Is80211NSupport();
}

BOOL CAuthSecuDlg::IsTkipBarred()
{
    return !QXAPAPI.ProhibitTKIPonHT && QXAPAPI.QXAP_Is80211NSupport();
}

void CAuthSecuDlg::LoadFromBlock()
{
    const AP_CONFIG_DATA& b = m_Block;
    m_nAuthMode = b.enumAuthenMode;
    m_nEncryption = b.enumEncryStatus;
    m_ulRadiusServer = b.ulRadiusServer;
    m_strGroupRekey.Format("%lu", b.nGroupRekeyInterval);
    m_nGroupRekeyMethod = b.nGroupRekeyMethod ? 1 : 0;
    m_strRadiusKey = FieldText(b.chRadiusKey, kRadiusKeyMaxChars);
    m_nRadiusPort = static_cast<int>(b.nRadiusPort);
    const int pskLength = static_cast<int>(std::min<ULONG>(b.nPskKeyLen, kPskMaxChars));
    m_strPsk = CString(reinterpret_cast<const char*>(b.chPskKey), pskLength);
    m_nDefaultKey = static_cast<int>(std::min<ULONG>(b.nWepDefaultKey, 3));
    for (int k = 0; k < 4; ++k) {
        m_nKeyType[k] = b.nWepKeyType[k] ? 1 : 0;
        m_strKey[k] = FieldText(b.chWepKey[k], m_nKeyType[k] ? kAsciiKeyMaxChars : kHexKeyMaxChars);
    }
    if (m_hWnd)
        SetDlgItemText(IDC_APSEC_REKEY_UNIT, m_nGroupRekeyMethod ? G_LangTable.IDS_KPackets : G_LangTable.IDS_10Seconds);
}

void CAuthSecuDlg::DoDataExchange(CDataExchange* pDX)
{
    CClassicDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_APSEC_AUTH, m_comboAuth);
    DDX_Control(pDX, IDC_APSEC_ENCRY, m_comboEncry);
    for (int k = 0; k < 4; ++k) {
        DDX_Control(pDX, IDC_APSEC_KEY1_FORMAT + k, m_comboKeyType[k]);
        DDX_Control(pDX, IDC_APSEC_KEY1 + k, m_editKey[k]);
        DDX_CBIndex(pDX, IDC_APSEC_KEY1_FORMAT + k, m_nKeyType[k]);
        DDX_Text(pDX, IDC_APSEC_KEY1 + k, m_strKey[k]);
    }
    DDX_Text(pDX, IDC_APSEC_PSK, m_strPsk);
    DDV_MaxChars(pDX, m_strPsk, kPskMaxChars);
    DDX_Text(pDX, IDC_APSEC_REKEY, m_strGroupRekey);
    DDX_Text(pDX, IDC_APSEC_RADIUS_PORT, m_nRadiusPort);
    DDX_Text(pDX, IDC_APSEC_RADIUS_KEY, m_strRadiusKey);
    DDV_MaxChars(pDX, m_strRadiusKey, kRadiusKeyMaxChars);
    DDX_Radio(pDX, IDC_APSEC_KEY1_RADIO, m_nDefaultKey);
}

BOOL CAuthSecuDlg::UpdateData(BOOL bSaveAndValidate)
{
    if (!m_hWnd) return FALSE;
    if (!CClassicDlg::UpdateData(bSaveAndValidate)) return FALSE;
    HWND ip = ::GetDlgItem(m_hWnd, IDC_APSEC_RADIUS_SERVER);
    if (bSaveAndValidate) {
        DWORD address = 0;
        if (ip) ::SendMessageA(ip, IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address));
        m_ulRadiusServer = address;
        m_nAuthMode = SelectedData(m_comboAuth);
        m_nEncryption = SelectedData(m_comboEncry);
        for (int k = 0; k < 4; ++k) m_nKeyType[k] = std::max(m_nKeyType[k], 0);
        m_nDefaultKey = std::max(m_nDefaultKey, 0);
    } else {
        if (ip) ::SendMessageA(ip, IPM_SETADDRESS, 0, static_cast<LPARAM>(m_ulRadiusServer));
        SelectData(m_comboAuth, m_nAuthMode);
        SelectData(m_comboEncry, m_nEncryption);
    }
    return TRUE;
}

BOOL CAuthSecuDlg::OnInitDialog()
{
    // Unlike the pages, this dialog has OK and Cancel buttons of its own: the commands are not
    // swallowed, and OK checks and hands back without closing anything.
    CResizeDlg::OnInitDialog();
    G_LangTable.CreatePageFont(m_font);
    if (CConfigPage* page = Page()) page->GetSecurityBlock(m_Block);
    LoadFromBlock();
    const struct {
        int id;
        const CString& text;
    } texts[] = {
        {IDC_APSEC_AUTH_LABEL, G_LangTable.IDS_AUTH_AUTH_TYPE}, {IDC_APSEC_ENCRY_LABEL, G_LangTable.IDS_ENCRYPTYPE},
        {IDC_APSEC_PSK_LABEL, G_LangTable.IDS_WPAPSKKEY},        {IDC_APSEC_REKEY_LABEL, G_LangTable.IDS_GROUPREKEY},
        {IDC_APSEC_WEP_GROUP, G_LangTable.IDS_AUTH_WEPKEY},      {IDC_APSEC_KEY1_RADIO + 0, G_LangTable.IDS_AUTH_KEY1},
        {IDC_APSEC_KEY1_RADIO + 1, G_LangTable.IDS_AUTH_KEY2},   {IDC_APSEC_KEY1_RADIO + 2, G_LangTable.IDS_AUTH_KEY3},
        {IDC_APSEC_KEY1_RADIO + 3, G_LangTable.IDS_AUTH_KEY4},   {IDOK, G_LangTable.IDS_OK},
        {IDCANCEL, G_LangTable.IDS_CANCEL},
    };
    for (const auto& t : texts)
        if (!t.text.IsEmpty()) SetDlgItemText(t.id, t.text);
    if (!G_LangTable.IDS_KEY_LENGTH_DESCRIPTION_HEX.IsEmpty()) {
        CString note;
        note.Format(G_LangTable.IDS_KEY_LENGTH_DESCRIPTION_HEX, "\n");
        SetDlgItemText(IDC_APSEC_KEY_NOTE, note);
    }
    if (!G_LangTable.IDS_TAB_AUTHSEC.IsEmpty()) SetWindowText(G_LangTable.IDS_TAB_AUTHSEC);
    m_comboAuth.ResetContent();
    AddWithData(m_comboAuth, G_LangTable.IDS_OPENSYSTEM, kAuthOpen);
    if (!IsWepBarred()) AddWithData(m_comboAuth, G_LangTable.IDS_SHARED, kAuthShared);
    AddWithData(m_comboAuth, G_LangTable.IDS_WPAPSK, kAuthWpaPsk);
    AddWithData(m_comboAuth, G_LangTable.IDS_WPA2PSK, kAuthWpa2Psk);
    AddWithData(m_comboAuth, G_LangTable.IDS_WPAPSK_WPA2PSK, kAuthWpaWpa2Psk);
    for (CComboBox& format : m_comboKeyType) {
        format.ResetContent();
        format.AddString(G_LangTable.IDS_HEXA);
        format.AddString(G_LangTable.IDS_ASCII);
    }
    if (QXAPAPI.ShowPasswordCheckBox) SetDlgItemText(IDC_APSEC_SHOW_PASSWORD, G_LangTable.IDS_SHOW_PASSWARD);
    else GetDlgItem(IDC_APSEC_SHOW_PASSWORD)->ShowWindow(SW_HIDE);
    SendDlgItemMessage(IDC_APSEC_PSK, EM_LIMITTEXT, kPskMaxChars, 0);
    SendDlgItemMessage(IDC_APSEC_RADIUS_KEY, EM_LIMITTEXT, kRadiusKeyMaxChars, 0);
    FillEncryptionCombo();
    UpdateData(FALSE);
    OnShowPassword();
    // What the block holds is shown as it is: the rekey check belongs to the user's changes, and
    // a box at creation would pop up wherever the page set is built.
    UpdateData(TRUE);
    EnableForCodes();
    return TRUE;
}

void CAuthSecuDlg::FillEncryptionCombo()
{
    m_comboEncry.ResetContent();
    switch (m_nAuthMode) {
    case 0: case 2:
        AddWithData(m_comboEncry, G_LangTable.IDS_NOTUSE, kEncryNone);
        if (!IsWepBarred()) AddWithData(m_comboEncry, G_LangTable.IDS_WEP, kEncryWep);
        break;
    case 1: AddWithData(m_comboEncry, G_LangTable.IDS_WEP, kEncryWep); break;
    case 3: case 4: case 9:
        if (!IsTkipBarred()) AddWithData(m_comboEncry, G_LangTable.IDS_TKIP, kEncryTkip);
        AddWithData(m_comboEncry, G_LangTable.IDS_AES, kEncryAes);
        break;
    case 6: case 7: case 8:
        if (!IsTkipBarred()) AddWithData(m_comboEncry, G_LangTable.IDS_TKIP, kEncryTkip);
        AddWithData(m_comboEncry, G_LangTable.IDS_AES, kEncryAes);
        if (!IsTkipBarred()) AddWithData(m_comboEncry, G_LangTable.IDS_BOTH, kEncryBoth);
        break;
    default: break;
    }
}

void CAuthSecuDlg::ShowApMessage(const CString& text)
{
    AfxShowMessageBox(m_hWnd, text, G_LangTable.IDS_APCONFIGMSG, MB_OK | MB_ICONEXCLAMATION);
}

void CAuthSecuDlg::Enable(int id, BOOL enable)
{
    if (CWnd* item = GetDlgItem(id)) item->EnableWindow(enable);
}

BOOL CAuthSecuDlg::CheckGroupRekey()
{
    CString text;
    GetDlgItemText(IDC_APSEC_REKEY, text);
    text.Trim();
    const bool ok = !text.IsEmpty() && text.GetLength() <= 9 && IsDigitString(text) &&
                    strtoul(text, nullptr, 10) >= kRekeyMin && strtoul(text, nullptr, 10) <= kRekeyMax;
    if (!ok) ShowApMessage(G_LangTable.IDS_GROUPREKEY_ERR);
    return ok;
}

void CAuthSecuDlg::OnSelchangeAuthMode()
{
    if (!CheckGroupRekey()) return;
    UpdateData(TRUE);
    FillEncryptionCombo();
    UpdateData(FALSE);
    OnSelchangeEncryption();
}

void CAuthSecuDlg::OnSelchangeEncryption()
{
    if (!CheckGroupRekey()) return;
    UpdateData(TRUE);
    EnableForCodes();
}

void CAuthSecuDlg::EnableForCodes()
{
    BOOL psk, rekey, radius, radiusKey, wep;
    const ULONG a = m_nAuthMode;
    if ((a == 0 || a == 2) && m_nEncryption == kEncryNone) psk = rekey = radius = radiusKey = wep = FALSE;
    else if (a <= 2) psk = rekey = radius = radiusKey = FALSE, wep = TRUE;
    else if (a == kAuthWpa) psk = wep = FALSE, rekey = radius = radiusKey = TRUE;
    else if (a == kAuthWpaPsk || a == kAuthWpa2Psk || a == kAuthWpaWpa2Psk) psk = rekey = TRUE, radius = radiusKey = wep = FALSE;
    else return;
    Enable(IDC_APSEC_PSK, psk);
    Enable(IDC_APSEC_REKEY, rekey);
    Enable(IDC_APSEC_REKEY_UNIT, rekey);
    Enable(IDC_APSEC_RADIUS_SERVER, radius);
    Enable(IDC_APSEC_RADIUS_PORT, radius);
    Enable(IDC_APSEC_RADIUS_KEY, radiusKey);
    for (int k = 0; k < 4; ++k) {
        Enable(IDC_APSEC_KEY1 + k, wep);
        Enable(IDC_APSEC_KEY1_FORMAT + k, wep);
        Enable(IDC_APSEC_KEY1_RADIO + k, wep);
    }
    Enable(IDC_APSEC_WEP_GROUP, wep);
    Enable(IDC_APSEC_KEY_NOTE, wep);
    for (int k = 0; k < 4; ++k) ApplyKeyFormat(k);
}

void CAuthSecuDlg::ApplyKeyFormat(int key)
{
    const bool ascii = m_nKeyType[key] == 1;
    m_editKey[key].SetParseType(ascii ? CSmartEdit::kEverything : CSmartEdit::kHex);
    m_editKey[key].SendMessage(EM_LIMITTEXT, ascii ? kAsciiKeyMaxChars : kHexKeyMaxChars);
}

void CAuthSecuDlg::OnSelchangeKeyTypeRange(UINT)
{
    UpdateData(TRUE);
    for (int k = 0; k < 4; ++k) ApplyKeyFormat(k);
}

void CAuthSecuDlg::OnDefaultKeyRange(UINT)
{
    UpdateData(TRUE);
}

void CAuthSecuDlg::OnRekeyUnit()
{
    m_nGroupRekeyMethod = m_nGroupRekeyMethod ? 0 : 1;
    SetDlgItemText(IDC_APSEC_REKEY_UNIT, m_nGroupRekeyMethod ? G_LangTable.IDS_KPackets : G_LangTable.IDS_10Seconds);
}

void CAuthSecuDlg::OnShowPassword()
{
    const bool plain = QXAPAPI.ShowPasswordCheckBox == 1 && IsDlgButtonChecked(IDC_APSEC_SHOW_PASSWORD) == BST_CHECKED;
    const WPARAM mask = plain ? 0 : kPasswordMask;
    SendDlgItemMessage(IDC_APSEC_PSK, EM_SETPASSWORDCHAR, mask, 0);
    for (int k = 0; k < 4; ++k) SendDlgItemMessage(IDC_APSEC_KEY1 + k, EM_SETPASSWORDCHAR, mask, 0);
    for (int id : {IDC_APSEC_PSK, IDC_APSEC_KEY1, IDC_APSEC_KEY1 + 1, IDC_APSEC_KEY1 + 2, IDC_APSEC_KEY1 + 3})
        if (CWnd* edit = GetDlgItem(id)) edit->Invalidate();
}

BOOL CAuthSecuDlg::CheckKeys()
{
    const ULONG a = m_nAuthMode;
    if (a == kAuthWpaPsk || a == kAuthWpa2Psk || a == kAuthWpaWpa2Psk) {
        const int n = m_strPsk.GetLength();
        if (n < kPskMinChars || (n == kPskMaxChars && !AllHex(m_strPsk)) || n > kPskMaxChars) {
            ShowApMessage(G_LangTable.IDS_MSGPSKKEYINVALID);
            return FALSE;
        }
        return TRUE;
    }
    if (a == kAuthShared || (a == kAuthOpen && m_nEncryption == kEncryWep)) {
        for (int k = 0; k < 4; ++k) {
            const CString& key = m_strKey[k];
            if (key.IsEmpty() && k != m_nDefaultKey) continue;
            const int n = key.GetLength();
            CString message;
            if (m_nKeyType[k] == 0 && !((n == kHexKeyShort || n == kHexKeyMaxChars) && AllHex(key)))
                message.Format(G_LangTable.IDS_MSGHEXWEPKEYINVALID, k + 1);
            else if (m_nKeyType[k] == 1 && n != kAsciiKeyShort && n != kAsciiKeyMaxChars)
                message.Format(G_LangTable.IDS_MSGASCIIWEPKEYINVALID, k + 1);
            else
                continue;
            ShowApMessage(message);
            return FALSE;
        }
    }
    return TRUE;
}

void CAuthSecuDlg::OnOK()
{
    if (ValidateAndCopyBack()) ShowConfigPage();
}

BOOL CAuthSecuDlg::ValidateAndCopyBack()
{
    AP_CONFIG_DATA block{};
    if (!CheckGroupRekey()) return FALSE;
    if (!UpdateData(TRUE)) return FALSE;
    if (!CheckKeys()) return FALSE;
    block.enumAuthenMode = m_nAuthMode;
    block.enumEncryStatus = m_nEncryption;
    block.nWepDefaultKey = static_cast<ULONG>(m_nDefaultKey);
    for (int k = 0; k < 4; ++k) block.nWepKeyType[k] = static_cast<ULONG>(m_nKeyType[k]);
    CString rekey;
    GetDlgItemText(IDC_APSEC_REKEY, rekey);
    rekey.Trim();
    block.nGroupRekeyInterval = strtoul(rekey, nullptr, 10);
    block.nGroupRekeyMethod = m_nGroupRekeyMethod;
    block.nRadiusPort = static_cast<ULONG>(m_nRadiusPort);
    block.ulRadiusServer = m_ulRadiusServer;
    CopyField(block.chRadiusKey, sizeof block.chRadiusKey, m_strRadiusKey);
    block.nPskKeyLen = static_cast<ULONG>(std::min(m_strPsk.GetLength(), kPskMaxChars));
    memcpy(block.chPskKey, m_strPsk.GetString(), block.nPskKeyLen);
    if (m_nAuthMode == kAuthShared || (m_nAuthMode == kAuthOpen && m_nEncryption == kEncryWep))
        for (int k = 0; k < 4; ++k) CopyField(block.chWepKey[k], sizeof block.chWepKey[k], m_strKey[k]);
    m_Block = block;
    CConfigPage* page = Page();
    if (!page) {
        DebugLog(1, "[ApUI] CAuthSecuDlg::OnOK(): no configuration page to take the security block\n");
        return FALSE;
    }
    page->SetSecurityBlock(m_Block);
    return TRUE;
}

void CAuthSecuDlg::OnCancel()
{
    // The controls go back to the block of the configuration page: the skinned page reads them,
    // and must never show or save what was cancelled.
    if (CConfigPage* page = Page()) TakeBlockFrom(*page);
    ShowConfigPage();
}

void CAuthSecuDlg::ShowConfigPage()
{
    CKelvoPageUIDlg* main = G_pHideDlg ? CKelvoPageUIDlg::From(G_pHideDlg->m_pQxUI) : nullptr;
    CConfigPage* page = Page();
    if (main && main->m_pApClassicTab && page) main->m_pApClassicTab->ShowPage(page);
}
