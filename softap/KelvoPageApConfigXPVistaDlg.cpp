#include "softap/KelvoPageApConfigXPVistaDlg.h"
#include "station/WepKeyGeneration.h"
#include "base/DebugLog.h"
#include "base/LanguageTable.h"
#include "contract/StationContract.h"
#include "core/ProductMessageBox.h"
#include "core/QXAPLIB.h"
#include "core/hidedlg/HideDlg.h"
#include "skin/KelvoPageUIDlg.h"
#include "softap/AuthSecuDlg.h"
#include "softap/BridgeBinding.h"
#include "softap/ConfigPage.h"
#include "softap/KelvoPageApConfigDlg.h"
#include "softap/NetAdapterDevice.h"

#include <algorithm>
#include <cstring>
#include <utility>

IMPLEMENT_DYNCREATE(CKelvoPageApConfigXPVistaDlg, CDialog)

namespace {
constexpr int kWep64PassPhraseChars = 40, kWep128PassPhraseChars = 64;
constexpr int kOsVistaFirst = 10, kOsVistaLast = 11;
constexpr ULONG kAuthOpen = 0, kAuthShared = 1, kAuthWpaPsk = 4, kAuthWpa2Psk = 7, kAuthMixed = 9;
constexpr ULONG kEncWep = 0, kEncNone = 1, kEncTkip = 4, kEncAes = 6, kEncBoth = 8;
constexpr ULONG kHtBridgeShift = 21;

CComboBox* Combo(CWnd& page, int id)
{
    return static_cast<CComboBox*>(page.GetDlgItem(id));
}

bool IsChecked(CWnd& page, int id)
{
    return page.SendDlgItemMessage(id, BM_GETCHECK) == BST_CHECKED;
}

void SetCheck(CWnd& page, int id, bool checked)
{
    page.SendDlgItemMessage(id, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
}

CString ItemText(CWnd& page, int id)
{
    CString text;
    if (CWnd* control = page.GetDlgItem(id)) control->GetWindowText(text);
    return text;
}

void Enable(CWnd& page, int id, bool enable)
{
    if (CWnd* control = page.GetDlgItem(id)) control->EnableWindow(enable);
}

// Selects the entry of that text; false (selection unchanged) when the combo has none.
bool SelectText(CWnd& page, int id, const CString& text)
{
    CComboBox* combo = Combo(page, id);
    const int at = combo && !text.IsEmpty() ? combo->FindStringExact(-1, text) : CB_ERR;
    if (at == CB_ERR) return false;
    combo->SetCurSel(at);
    return true;
}

// The configuration page on that band, its channel and rate lists rebuilt for it; false when the
// page has no such band or refused to leave its own (a value it cannot save).
bool MoveToBand(CConfigPage& config, const CString& band)
{
    if (!SelectText(config, IDC_APCFG_MODE, band)) return false;
    config.OnSelchangeWirelessMode();
    return config.m_strWirelessMode == band;
}

// Copies the entries and the selection of a classic combo into a skinned one.
void CopyCombo(CWnd& from, int fromId, CWnd& to, int toId)
{
    CComboBox* source = Combo(from, fromId);
    CComboBox* target = Combo(to, toId);
    if (!target) return;
    target->ResetContent();
    if (!source || !source->m_hWnd) return;
    for (int i = 0; i < source->GetCount(); ++i) {
        CString text;
        source->GetLBText(i, text);
        target->AddString(text);
    }
    target->SetCurSel(source->GetCurSel());
}

ULONG WpaEncryptionCode(const ApSecurityChoice& choice)
{
    if (choice.EncryptionType == 0) return kEncTkip;
    if (choice.EncryptionType == 2 && OffersBothCiphers(choice.SecurityType)) return kEncBoth;
    return kEncAes;
}

}  // namespace

bool OffersBothCiphers(int securityType)
{
    return securityType == 3;
}

ApSecurityChoice SecurityChoiceFromCodes(const ApSecurityCodes& codes)
{
    ApSecurityChoice choice;
    switch (codes.Auth) {
    case kAuthOpen:
        choice.SecurityType = codes.Encryption == kEncWep ? 1 : 0;
        break;
    case kAuthShared:
        choice.SecurityType = 1;
        choice.AuthType = 1;
        break;
    case kAuthWpaPsk: choice.SecurityType = 2; break;
    case kAuthWpa2Psk: choice.SecurityType = 3; break;
    case kAuthMixed: choice.SecurityType = 4; break;
    default: break;
    }
    if (choice.SecurityType >= 2) {
        const bool both = codes.Encryption == kEncBoth && OffersBothCiphers(choice.SecurityType);
        choice.EncryptionType = codes.Encryption == kEncTkip ? 0 : both ? 2 : 1;
    }
    return choice;
}

ApSecurityCodes SecurityCodesFromChoice(const ApSecurityChoice& choice)
{
    ApSecurityCodes codes;
    switch (choice.SecurityType) {
    case 1:
        codes.Auth = choice.AuthType == 1 ? kAuthShared : kAuthOpen;
        codes.Encryption = kEncWep;
        break;
    case 2:
    case 3:
    case 4:
        codes.Auth = choice.SecurityType == 2 ? kAuthWpaPsk : choice.SecurityType == 3 ? kAuthWpa2Psk : kAuthMixed;
        codes.Encryption = WpaEncryptionCode(choice);
        break;
    default:
        codes.Auth = kAuthOpen;
        codes.Encryption = kEncNone;
        break;
    }
    return codes;
}

int FindComboCode(HWND combo, ULONG code)
{
    const int count = static_cast<int>(::SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        if (static_cast<ULONG>(::SendMessageA(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0)) == code) return i;
    return CB_ERR;
}

BEGIN_MESSAGE_MAP(CKelvoPageApConfigXPVistaDlg, CDialog)
    ON_WM_ERASEBKGND()
    ON_WM_SHOWWINDOW()
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_BN_CLICKED(IDC_KAPCFG_SAVE, OnBtnSave)
    ON_BN_CLICKED(IDC_KAPCFG_CANCEL, OnBtnCancel)
    ON_BN_CLICKED(IDC_KAPCFG_PASSPHRASE_RADIO, OnKeySourceRadio)
    ON_BN_CLICKED(IDC_KAPCFG_KEY_RADIO, OnKeySourceRadio)
    ON_CBN_SELCHANGE(IDC_KAPCFG_SECTYPE, OnSecurityTypeChange)
    ON_CBN_SELCHANGE(IDC_KAPCFG_MODE, OnWirelessModeChange)
    ON_CBN_SELCHANGE(IDC_KAPCFG_TXKEY, OnTransmitKeyChange)
    ON_CBN_SELCHANGE(IDC_KAPCFG_WEPSIZE, OnWepSizeChange)
    ON_EN_CHANGE(IDC_KAPCFG_PASSPHRASE, OnPassPhraseChange)
    ON_MESSAGE(MSG_BIND_RESULT, OnBindResult)
END_MESSAGE_MAP()

CKelvoPageApConfigXPVistaDlg::CKelvoPageApConfigXPVistaDlg() : CDialog(IDD) {}

void CKelvoPageApConfigXPVistaDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    m_skin.Exchange(pDX);
}

BOOL CKelvoPageApConfigXPVistaDlg::OnEraseBkgnd(CDC* pDC)
{
    const BOOL erased = static_cast<BOOL>(Default());
    m_skin.PaintTitleBand(*this, pDC);
    return erased;
}

CKelvoPageApConfigXPVistaDlg::~CKelvoPageApConfigXPVistaDlg()
{
    CBindResultWaiter::Get().Stop(m_hWnd);
}

CConfigPage* CKelvoPageApConfigXPVistaDlg::ConfigPage() const
{
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    if (!main || !main->m_pConfigPage) return nullptr;
    main->EnsurePage(main->m_pConfigPage);
    return main->m_pConfigPage->m_hWnd ? main->m_pConfigPage : nullptr;
}

CAuthSecuDlg* CKelvoPageApConfigXPVistaDlg::SecurityDialog() const
{
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    if (!main || !main->m_pAuthSecuDlg) return nullptr;
    main->EnsurePage(main->m_pAuthSecuDlg);
    return main->m_pAuthSecuDlg->m_hWnd ? main->m_pAuthSecuDlg : nullptr;
}

BOOL CKelvoPageApConfigXPVistaDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_skin.Apply();
    InitApConfigPage(*this, false);
    if (G_nOSVersion >= kOsVistaFirst && G_nOSVersion <= kOsVistaLast) {
        m_DataFile.CreateUserDataFolder(kDataFile2Name);
        m_bUseDataFile = 1;
    } else {
        m_bUseDataFile = 0;
    }
    FillApSecurityTypes(*this, true);
    Combo(*this, IDC_KAPCFG_SECTYPE)->SetCurSel(0);
    FillApEncryptionTypes(*this, false);
    Combo(*this, IDC_KAPCFG_ENCTYPE)->SetCurSel(0);
    CComboBox& auth = *Combo(*this, IDC_KAPCFG_AUTH);
    auth.ResetContent();
    auth.AddString(G_LangTable.IDS_AP_OPEN_SYSTEM.IsEmpty() ? "Open System" : static_cast<LPCSTR>(G_LangTable.IDS_AP_OPEN_SYSTEM));
    auth.AddString(G_LangTable.IDS_AP_SHARED_KEY.IsEmpty() ? "Shared Key" : static_cast<LPCSTR>(G_LangTable.IDS_AP_SHARED_KEY));
    auth.SetCurSel(0);
    ShowApSecurityControls(*this, 0);
    return TRUE;
}

void CKelvoPageApConfigXPVistaDlg::LoadFromClassicPages()
{
    if (!m_hWnd) return;
    CConfigPage* config = ConfigPage();
    CAuthSecuDlg* security = SecurityDialog();
    if (config) {
        config->UpdateData(TRUE);
        CopyCombo(*config, IDC_APCFG_CHANNEL, *this, IDC_KAPCFG_CHANNEL);
        CopyCombo(*config, IDC_APCFG_TXRATE, *this, IDC_KAPCFG_POWER);
        CopyCombo(*config, IDC_APCFG_MODE, *this, IDC_KAPCFG_MODE);
        SetDlgItemText(IDC_KAPCFG_SSID, ItemText(*config, IDC_APCFG_SSID));
        SetCheck(*this, IDC_KAPCFG_HIDE_SSID, IsChecked(*config, IDC_APCFG_HIDE_SSID));
    }
    // The dialog's choice by its codes: its list positions shift when WEP or TKIP is barred.
    ApSecurityCodes codes;
    int defaultKey = 0;
    if (security) {
        security->UpdateData(TRUE);
        for (auto [id, code] : {std::pair{IDC_APSEC_AUTH, &codes.Auth}, std::pair{IDC_APSEC_ENCRY, &codes.Encryption}}) {
            CComboBox* combo = Combo(*security, id);
            const int selected = combo ? combo->GetCurSel() : CB_ERR;
            if (selected != CB_ERR) *code = static_cast<ULONG>(combo->GetItemData(selected));
        }
        for (int k = 0; k < 4; ++k)
            if (IsChecked(*security, IDC_APSEC_KEY1_RADIO + k)) defaultKey = k;
    }
    const ApSecurityChoice choice = SecurityChoiceFromCodes(codes);
    Combo(*this, IDC_KAPCFG_SECTYPE)->SetCurSel(choice.SecurityType);
    Combo(*this, IDC_KAPCFG_AUTH)->SetCurSel(choice.AuthType);
    FillApEncryptionTypes(*this, OffersBothCiphers(choice.SecurityType));
    Combo(*this, IDC_KAPCFG_ENCTYPE)->SetCurSel(choice.EncryptionType);
    // Only the controls follow the type here: presets would override what was just loaded.
    ShowApSecurityControls(*this, choice.SecurityType);

    Combo(*this, IDC_KAPCFG_TXKEY)->SetCurSel(defaultKey);
    CString caption;
    caption.Format("%s %d", static_cast<LPCSTR>(G_LangTable.IDS_LAB_KEY), defaultKey + 1);
    SetDlgItemText(IDC_KAPCFG_KEY_RADIO, caption);
    FillApWepSizes(*this);
    SetDlgItemText(IDC_KAPCFG_PASSPHRASE, "");
    m_strPassPhrase.Empty();

    if (security) {
        const CString key = ItemText(*security, IDC_APSEC_KEY1 + defaultKey);
        CComboBox* format = Combo(*security, IDC_APSEC_KEY1_FORMAT + defaultKey);
        const int hex = format && format->GetCurSel() == 0;
        const int ascii = format && format->GetCurSel() == 1;
        if (hex || ascii) {
            const bool is64 = key.GetLength() == (hex ? 10 : 5);
            Combo(*this, IDC_KAPCFG_WEPSIZE)->SetCurSel(is64 ? 0 : 1);
            SetDlgItemText(IDC_KAPCFG_KEY, key);
        }
        SetDlgItemText(IDC_KAPCFG_PSK, ItemText(*security, IDC_APSEC_PSK));
    }
    const int size = Combo(*this, IDC_KAPCFG_WEPSIZE)->GetCurSel();
    SendDlgItemMessage(IDC_KAPCFG_PASSPHRASE, EM_LIMITTEXT, size == 0 ? kWep64PassPhraseChars : kWep128PassPhraseChars);
    SetCheck(*this, IDC_KAPCFG_PASSPHRASE_RADIO, false);
    SetCheck(*this, IDC_KAPCFG_KEY_RADIO, true);
    Enable(*this, IDC_KAPCFG_PASSPHRASE, false);
    Enable(*this, IDC_KAPCFG_KEY, true);
    if (G_bIsAdmin) FillBridgeList();
}

void CKelvoPageApConfigXPVistaDlg::FillBridgeList()
{
    std::vector<CString> names;
    m_szOwnAdapterName[0] = '\0';
    FindNetAdapterDevice(names, QXAPAPI.m_AdapterEntry.chName, m_szOwnAdapterName);
    CComboBox& list = *Combo(*this, IDC_KAPCFG_BRIDGE_ADAPTER);
    list.ResetContent();
    for (const CString& name : names) list.AddString(name);
    const int index = FindStoredBridgeAdapter(names);
    list.SetCurSel(index >= 0 ? index : 0);
    SetCheck(*this, IDC_KAPCFG_BRIDGE, index >= 0);
}

void CKelvoPageApConfigXPVistaDlg::OnSecurityTypeChange()
{
    const int type = Combo(*this, IDC_KAPCFG_SECTYPE)->GetCurSel();
    ShowApSecurityControls(*this, type);
    FillApEncryptionTypes(*this, OffersBothCiphers(type));
    if (type == 1) {
        Combo(*this, IDC_KAPCFG_AUTH)->SetCurSel(0);
        Combo(*this, IDC_KAPCFG_ENCTYPE)->SetCurSel(0);
    } else if (type == 2) {
        // TKIP, unless the adapter does not allow it: the preset must be one SAVE takes.
        Combo(*this, IDC_KAPCFG_ENCTYPE)->SetCurSel(CAuthSecuDlg::IsTkipBarred() ? 1 : 0);
    } else if (type == 3 || type == 4) {
        Combo(*this, IDC_KAPCFG_ENCTYPE)->SetCurSel(1);
    }
    if (CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive(); main && main->m_hWnd) main->Invalidate(TRUE);
}

void CKelvoPageApConfigXPVistaDlg::OnKeySourceRadio()
{
    const bool passPhrase = IsChecked(*this, IDC_KAPCFG_PASSPHRASE_RADIO);
    Enable(*this, IDC_KAPCFG_PASSPHRASE, passPhrase);
    Enable(*this, IDC_KAPCFG_KEY, !passPhrase);
}

void CKelvoPageApConfigXPVistaDlg::OnWepSizeChange()
{
    if (Combo(*this, IDC_KAPCFG_WEPSIZE)->GetCurSel() == 0) {
        SendDlgItemMessage(IDC_KAPCFG_PASSPHRASE, EM_LIMITTEXT, kWep64PassPhraseChars);
        const CString text = ItemText(*this, IDC_KAPCFG_PASSPHRASE);
        if (text.GetLength() > kWep64PassPhraseChars) SetDlgItemText(IDC_KAPCFG_PASSPHRASE, text.Left(kWep64PassPhraseChars));
    } else {
        SendDlgItemMessage(IDC_KAPCFG_PASSPHRASE, EM_LIMITTEXT, kWep128PassPhraseChars);
    }
    OnPassPhraseChange();
}

void CKelvoPageApConfigXPVistaDlg::OnPassPhraseChange()
{
    m_strPassPhrase = ItemText(*this, IDC_KAPCFG_PASSPHRASE);
    if (m_strPassPhrase.IsEmpty()) {
        SetDlgItemText(IDC_KAPCFG_KEY, "");
        return;
    }
    for (CString& key : m_strKeyTable) key.Empty();
    if (Combo(*this, IDC_KAPCFG_WEPSIZE)->GetCurSel() == 0) {
        BYTE keys[kWep64OutputBytes] = {};
        // Nothing generated gives no keys, never a key of zeros.
        if (GenerateWep64Keys(m_strPassPhrase, keys))
            for (int k = 0; k < kWep64KeyCount; ++k)
                m_strKeyTable[k] = WepKeyHexText(keys + k * kWep64KeyBytes, kWep64KeyBytes);
    } else {
        BYTE digest[kWep128DigestBytes] = {};
        if (GenerateWep128Key(m_strPassPhrase, digest))
            for (CString& key : m_strKeyTable) key = WepKeyHexText(digest, kWep128KeyBytes);
    }
    ShowKeyForTransmitKey();
}

void CKelvoPageApConfigXPVistaDlg::ShowKeyForTransmitKey()
{
    const int k = Combo(*this, IDC_KAPCFG_TXKEY)->GetCurSel();
    const int first = m_strKeyTable[0].GetLength();
    const bool generated = first == 10 || first == 26;
    SetDlgItemText(IDC_KAPCFG_KEY, generated && k >= 0 && k < 4 ? static_cast<LPCSTR>(m_strKeyTable[k]) : "");
}

void CKelvoPageApConfigXPVistaDlg::OnTransmitKeyChange()
{
    CString caption;
    caption.Format("%s %d", static_cast<LPCSTR>(G_LangTable.IDS_LAB_KEY), Combo(*this, IDC_KAPCFG_TXKEY)->GetCurSel() + 1);
    SetDlgItemText(IDC_KAPCFG_KEY_RADIO, caption);
    ShowKeyForTransmitKey();
}

void CKelvoPageApConfigXPVistaDlg::OnWirelessModeChange()
{
    CConfigPage* config = ConfigPage();
    if (!config) return;
    const CString band = ItemText(*this, IDC_KAPCFG_MODE);
    if (band != config->m_strWirelessMode) {
        // The configuration page builds the band's channel and rate lists; it goes back to what
        // is stored unless SAVE takes the band.
        if (!MoveToBand(*config, band)) {
            SelectText(*this, IDC_KAPCFG_MODE, config->m_strWirelessMode);
            return;
        }
        m_bBandPending = TRUE;
    }
    CopyCombo(*config, IDC_APCFG_CHANNEL, *this, IDC_KAPCFG_CHANNEL);
    CopyCombo(*config, IDC_APCFG_TXRATE, *this, IDC_KAPCFG_POWER);
}

void CKelvoPageApConfigXPVistaDlg::DropPendingBand()
{
    if (!m_bBandPending) return;
    m_bBandPending = FALSE;
    if (CConfigPage* config = ConfigPage()) config->OnCancelButton();
}

void CKelvoPageApConfigXPVistaDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialog::OnShowWindow(bShow, nStatus);
    if (!bShow) return;
    // A band chosen here and never saved is not shown again as the access point's.
    DropPendingBand();
    LoadFromClassicPages();
}

void CKelvoPageApConfigXPVistaDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != TIMER_APCONFIG_APPLY) return;
    KillTimer(TIMER_APCONFIG_APPLY);
    LoadFromClassicPages();
    if (G_bIsAdmin && IsChecked(*this, IDC_KAPCFG_BRIDGE) && Combo(*this, IDC_KAPCFG_BRIDGE_ADAPTER)->GetCurSel() >= 0)
        BindBridge(ItemText(*this, IDC_KAPCFG_BRIDGE_ADAPTER));
}

void CKelvoPageApConfigXPVistaDlg::OnDestroy()
{
    CBindResultWaiter::Get().Stop(m_hWnd);
    CDialog::OnDestroy();
}

int CKelvoPageApConfigXPVistaDlg::ValidateSecurity()
{
    return ValidateApPageSecurity(*this);
}

int CKelvoPageApConfigXPVistaDlg::CheckSecurityAllowed()
{
    const ApSecurityCodes codes = SecurityCodesFromChoice(CurrentChoice());
    const bool wep = codes.Encryption == kEncWep || codes.Auth == kAuthShared;
    const bool tkip = codes.Encryption == kEncTkip || codes.Encryption == kEncBoth;
    if ((wep && CAuthSecuDlg::IsWepBarred()) || (tkip && CAuthSecuDlg::IsTkipBarred())) {
        ShowProductMessageBox(G_LangTable.IDS_AP_SECURITY_NOT_WITH_11N);
        return 0;
    }
    return 1;
}

ApSecurityChoice CKelvoPageApConfigXPVistaDlg::CurrentChoice()
{
    ApSecurityChoice choice;
    choice.SecurityType = Combo(*this, IDC_KAPCFG_SECTYPE)->GetCurSel();
    choice.AuthType = Combo(*this, IDC_KAPCFG_AUTH)->GetCurSel();
    choice.EncryptionType = Combo(*this, IDC_KAPCFG_ENCTYPE)->GetCurSel();
    return choice;
}

void CKelvoPageApConfigXPVistaDlg::OnBtnSave()
{
    if (!CheckSecurityAllowed()) return;
    if (!ValidateSecurity()) return;
    if (!ApplySettings()) return;
    if (CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive()) main->ShowLinkInfoTab();
}

void CKelvoPageApConfigXPVistaDlg::OnBtnCancel()
{
    DropPendingBand();
    LoadFromClassicPages();
}

BOOL CKelvoPageApConfigXPVistaDlg::ApplySettings()
{
    CConfigPage* config = ConfigPage();
    CAuthSecuDlg* security = SecurityDialog();
    if (!config || !security) {
        DebugLog(1, "[QxUI] CKelvoPageApConfigXPVistaDlg::ApplySettings: the classic pages are missing\n");
        return FALSE;
    }
    // A refusal from here on puts the classic pages back to what is stored: a later reload must
    // not show the refused entries as the access point's settings.
    const auto refuse = [this, config] {
        m_bBandPending = FALSE;
        config->OnCancelButton();
        return FALSE;
    };
    // The configuration page: the band first, which rebuilds its channel and rate lists, then
    // the channel and rate of those lists by their texts, the SSID and the hidden flag.
    const CString band = ItemText(*this, IDC_KAPCFG_MODE);
    if (!band.IsEmpty() && band != config->m_strWirelessMode && !MoveToBand(*config, band)) return refuse();
    for (auto [from, to] : {std::pair{IDC_KAPCFG_CHANNEL, IDC_APCFG_CHANNEL}, std::pair{IDC_KAPCFG_POWER, IDC_APCFG_TXRATE}})
        if (!SelectText(*config, to, ItemText(*this, from)))
            if (CComboBox* target = Combo(*config, to)) target->SetCurSel(Combo(*this, from)->GetCurSel());
    config->SetDlgItemText(IDC_APCFG_SSID, ItemText(*this, IDC_KAPCFG_SSID));
    SetCheck(*config, IDC_APCFG_HIDE_SSID, IsChecked(*this, IDC_KAPCFG_HIDE_SSID));
    if (!config->UpdateData(TRUE)) return refuse();

    // The security dialog, by its codes.
    const ApSecurityCodes codes = SecurityCodesFromChoice(CurrentChoice());
    CComboBox* auth = Combo(*security, IDC_APSEC_AUTH);
    const int authIndex = auth ? FindComboCode(auth->m_hWnd, codes.Auth) : CB_ERR;
    if (authIndex == CB_ERR) {
        DebugLog(1, "[QxUI] SAVE: the security dialog does not offer authentication %lu\n", codes.Auth);
        ShowProductMessageBox(G_LangTable.IDS_AP_SECURITY_NOT_WITH_11N);
        return refuse();
    }
    auth->SetCurSel(authIndex);
    security->OnSelchangeAuthMode();
    CComboBox* encryption = Combo(*security, IDC_APSEC_ENCRY);
    const int encIndex = encryption ? FindComboCode(encryption->m_hWnd, codes.Encryption) : CB_ERR;
    if (encIndex == CB_ERR) {
        DebugLog(1, "[QxUI] SAVE: the security dialog does not offer encryption %lu\n", codes.Encryption);
        ShowProductMessageBox(G_LangTable.IDS_AP_SECURITY_NOT_WITH_11N);
        return refuse();
    }
    encryption->SetCurSel(encIndex);
    const int k = std::max(0, Combo(*this, IDC_KAPCFG_TXKEY)->GetCurSel());
    for (int n = 0; n < 4; ++n) SetCheck(*security, IDC_APSEC_KEY1_RADIO + n, n == k);
    const CString key = ItemText(*this, IDC_KAPCFG_KEY);
    security->SetDlgItemText(IDC_APSEC_KEY1 + k, key);
    if (CComboBox* format = Combo(*security, IDC_APSEC_KEY1_FORMAT + k))
        format->SetCurSel(key.GetLength() == 5 || key.GetLength() == 13 ? 1 : 0);
    security->SetDlgItemText(IDC_APSEC_PSK, ItemText(*this, IDC_KAPCFG_PSK));
    security->UpdateData(TRUE);
    if (!security->ValidateAndCopyBack()) return refuse();

    const bool bridged = IsChecked(*this, IDC_KAPCFG_BRIDGE);
    const int index = Combo(*this, IDC_KAPCFG_BRIDGE_ADAPTER)->GetCurSel();
    // Every SAVE stores the word, so that an unbridged page leaves no old "bridged" word behind.
    const CString adapter = index >= 0 ? ItemText(*this, IDC_KAPCFG_BRIDGE_ADAPTER) : CString();
    // The data file takes the word only once the configuration is written: a refused SAVE must
    // not leave the page showing a bridge that was never bound.
    if (!m_bUseDataFile) StoreBridgeWord(adapter, bridged);
    config->SetBridgeWord(m_bUseDataFile ? 0 : m_nBridgeWord);
    // APPLY, not the bare write: its checks and the Windows profile come with it.
    if (!config->OnApply()) return refuse();
    m_bBandPending = FALSE;
    if (m_bUseDataFile) StoreBridgeWord(adapter, bridged);
    if (static_cast<ULONG>(bridged) != m_bBridged || index != m_nBridgeIndex) {
        if (bridged) BindBridge(adapter);
        else if (!UnbindAllBridges()) LoadFromClassicPages();
        m_bBridged = bridged ? 1 : 0;
        m_nBridgeIndex = index;
    }
    return TRUE;
}

void CKelvoPageApConfigXPVistaDlg::StoreBridgeWord(LPCSTR adapterName, bool bridged)
{
    m_nBridgeWord = SoftApBridgeWord(adapterName, bridged);
    if (m_bUseDataFile) {
        if (!m_DataFile.WriteDataFile(&m_nBridgeWord, sizeof m_nBridgeWord))
            DebugLog(1, "[QxUI] the bridge word could not be written to %s\n", static_cast<LPCSTR>(m_DataFile.Path()));
        m_nBridgeWord = 0;
        return;
    }
    m_ApConfig = {};
    QXAPAPI.QXAP_ReadConfigData(&m_ApConfig);
}

ULONG CKelvoPageApConfigXPVistaDlg::ReadStoredBridgeWord()
{
    if (m_bUseDataFile) {
        ULONG stored = 0;
        return m_DataFile.ReadDataFile(&stored, sizeof stored) == sizeof stored ? stored : 0;
    }
    m_ApConfig = {};
    QXAPAPI.QXAP_ReadConfigData(&m_ApConfig);
    return (m_ApConfig.HT_PhyMode >> kHtBridgeShift) & (kSoftApBridgedBit | kSoftApSumMask);
}

int CKelvoPageApConfigXPVistaDlg::FindStoredBridgeAdapter(const std::vector<CString>& names)
{
    const ULONG word = ReadStoredBridgeWord();
    m_bBridged = 0;
    m_nBridgeIndex = -1;
    if (!(word & kSoftApBridgedBit)) return -1;
    const int index = FindBridgeAdapterIndex(names, word, kSoftApBridgedBit, kSoftApSumMask);
    m_bBridged = 1;
    m_nBridgeIndex = index;
    return index;
}

void CKelvoPageApConfigXPVistaDlg::BindBridge(LPCSTR adapterName)
{
    CString parameters;
    if (!BuildBindCommand(parameters, QXAPAPI.m_AdapterEntry.chSoftApName, adapterName, m_hWnd)) {
        ShowProductMessageBox(G_LangTable.IDS_AP_BIND_ERROR);
        return;
    }
    if (!BindThroughCompanion(m_hWnd, parameters)) LoadFromClassicPages();
}

bool CKelvoPageApConfigXPVistaDlg::UnbindAllBridges()
{
    return UnbindThroughCompanion();
}

void CKelvoPageApConfigXPVistaDlg::UnbindAndArmApply(int entering)
{
    if (G_bIsAdmin && !entering) {
        // The stored word too: a page never shown has not looked at it, and a binding made
        // before must not outlive the access point.
        if (m_bBridged == 1 || (ReadStoredBridgeWord() & kSoftApBridgedBit)) UnbindAllBridges();
        return;
    }
    if (m_hWnd) SetTimer(TIMER_APCONFIG_APPLY, kApConfigApplyMs, nullptr);
}

LRESULT CKelvoPageApConfigXPVistaDlg::OnBindResult(WPARAM, LPARAM)
{
    return HandleBindResult();
}
