#include "softap/KelvoPageApConfigDlg.h"
#include "base/DebugLog.h"
#include "base/LanguageTable.h"
#include "core/ProductMessageBox.h"
#include "contract/StationContract.h"
#include "core/QXWLLIB.h"
#include "skin/KelvoPageUIDlg.h"
#include "softap/BridgeBinding.h"
#include "softap/NetAdapterDevice.h"
#include "softap/PageExtAPDlg.h"

#include <cctype>
#include <cstring>

IMPLEMENT_DYNCREATE(CKelvoPageApConfigDlg, CDialog)

namespace {
constexpr int kSsidLimit = 32, kPassPhraseLimit = 64, kKeyLimit = 26, kPskLimit = 64;
constexpr int kHostedChannels = 14;

void SetText(CWnd& page, int id, const CString& text)
{
    if (!text.IsEmpty()) page.SetDlgItemText(id, text);
}

void Show(CWnd& page, std::initializer_list<int> ids, bool show)
{
    for (int id : ids)
        if (CWnd* control = page.GetDlgItem(id)) control->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

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

// The hosted network's address as the bridge program takes it.
CString HostedMacText()
{
    HOSTEDNETWORK_STATUS status{};
    QXWLAPI.QXWL_HostedNetworkQueryStatus(&status);
    CString text;
    text.Format("%02X:%02X:%02X:%02X:%02X:%02X", status.Bssid[0], status.Bssid[1], status.Bssid[2], status.Bssid[3],
                status.Bssid[4], status.Bssid[5]);
    return text;
}

CString ItemText(CWnd& page, int id)
{
    CString text;
    if (CWnd* control = page.GetDlgItem(id)) control->GetWindowText(text);
    return text;
}
}  // namespace

int IsUpperHexString(LPCSTR text)
{
    for (const char* p = text ? text : ""; *p; ++p)
        if (!((*p >= '0' && *p <= '9') || (*p >= 'A' && *p <= 'F'))) return 0;
    return 1;
}

const CString* CheckApSecurity(int securityType, int wepSize, const CString& wepKey, const CString& psk)
{
    if (securityType == 1) {
        CString upper = wepKey;
        upper.MakeUpper();
        const int length = wepKey.GetLength();
        if (wepSize == 0) {
            if (length == 5) return nullptr;
            if (length == 10) return IsUpperHexString(upper) ? nullptr : &G_LangTable.IDS_MSG_WEPKEY_ERROR1;
            return &G_LangTable.IDS_MSG_WEPKEY_ERROR2;
        }
        if (length == 13) return nullptr;
        if (length == 26) return IsUpperHexString(upper) ? nullptr : &G_LangTable.IDS_MSG_WEPKEY_ERROR3;
        return &G_LangTable.IDS_MSG_WEPKEY_ERROR4;
    }
    if (securityType >= 2 && securityType <= 4) {
        const int length = psk.GetLength();
        if (length >= 8 && length <= 63) return nullptr;
        if (length == 64) {
            for (int i = 0; i < length; ++i)
                if (!std::isxdigit(static_cast<unsigned char>(psk[i]))) return &G_LangTable.IDS_MSG_PREKEY_ERROR;
            return nullptr;
        }
        return &G_LangTable.IDS_MSG_PREKEY_ERROR;
    }
    return nullptr;
}

int ValidateApPageSecurity(CWnd& page)
{
    const int type = Combo(page, IDC_KAPCFG_SECTYPE)->GetCurSel();
    const int wepSize = Combo(page, IDC_KAPCFG_WEPSIZE)->GetCurSel();
    if (const CString* refusal = CheckApSecurity(type, wepSize, ItemText(page, IDC_KAPCFG_KEY),
                                                 ItemText(page, IDC_KAPCFG_PSK))) {
        ShowProductMessageBox(*refusal);
        return 0;
    }
    return 1;
}

void ShowApSecurityControls(CWnd& page, int securityType)
{
    const std::initializer_list<int> wep = {
        IDC_KAPCFG_AUTH_ICON,    IDC_KAPCFG_AUTH_LABEL,       IDC_KAPCFG_AUTH,       IDC_KAPCFG_WEPSIZE_ICON,
        IDC_KAPCFG_WEPSIZE_LABEL, IDC_KAPCFG_WEPSIZE,         IDC_KAPCFG_TXKEY_ICON, IDC_KAPCFG_TXKEY_LABEL,
        IDC_KAPCFG_TXKEY,        IDC_KAPCFG_PASSPHRASE_RADIO, IDC_KAPCFG_PASSPHRASE, IDC_KAPCFG_KEY_RADIO,
        IDC_KAPCFG_KEY};
    const std::initializer_list<int> wpa = {IDC_KAPCFG_ENCTYPE_ICON, IDC_KAPCFG_ENCTYPE_LABEL, IDC_KAPCFG_ENCTYPE,
                                            IDC_KAPCFG_PSK_ICON,     IDC_KAPCFG_PSK_LABEL,     IDC_KAPCFG_PSK};
    if (securityType == 0) {
        Show(page, wep, false);
        Show(page, wpa, false);
    } else if (securityType == 1) {
        Show(page, wep, true);
        Show(page, wpa, false);
    } else if (securityType >= 2 && securityType <= 4) {
        Show(page, wep, false);
        Show(page, wpa, true);
    }
}

void InitApConfigPage(CWnd& page, bool hosted)
{
    const CLanguageTable& t = G_LangTable;
    SetText(page, IDC_KAPCFG_SSID_LABEL, t.IDS_LAB_SSID);
    SetText(page, IDC_KAPCFG_TXKEY_LABEL, t.IDS_LAB_TRANS_KEY);
    SetText(page, IDC_KAPCFG_WIRELESS_TITLE, t.IDS_AP_WIRELESS_SETTING);
    SetText(page, IDC_KAPCFG_SECURITY_TITLE, t.IDS_AP_SECURITY_SETTING);
    SetText(page, IDC_KAPCFG_POWER_LABEL, t.IDS_AP_OUTPUT_POWER);
    SetText(page, IDC_KAPCFG_AUTH_LABEL, t.IDS_AP_AUTHENTICATION_TYPE);
    SetText(page, IDC_KAPCFG_CHANNEL_LABEL, t.IDS_AP_CHANNEL);
    SetText(page, IDC_KAPCFG_SECTYPE_LABEL, hosted ? t.IDS_AP_LAB_SECURITY : t.IDS_LAB_SECURITY);
    SetText(page, IDC_KAPCFG_WEPSIZE_LABEL, t.IDS_AP_LAB_WEP);
    SetText(page, IDC_KAPCFG_PSK_LABEL, t.IDS_AP_PRE_KEY);
    SetText(page, IDC_KAPCFG_ENCTYPE_LABEL, t.IDS_LAB_ENC_TYPE);
    SetText(page, IDC_KAPCFG_MODE_LABEL, t.IDS_AP_WIRELESS_MODE);
    SetText(page, IDC_KAPCFG_HIDE_SSID, t.IDS_AP_HIDE_SSID);
    SetText(page, IDC_KAPCFG_BRIDGE, t.IDS_AP_BRIDGE);
    SetText(page, IDC_KAPCFG_PASSPHRASE_RADIO, t.IDS_AP_LAB_PASSPHRASE);
    page.SendDlgItemMessage(IDC_KAPCFG_SSID, EM_LIMITTEXT, kSsidLimit);
    page.SendDlgItemMessage(IDC_KAPCFG_PASSPHRASE, EM_LIMITTEXT, kPassPhraseLimit);
    page.SendDlgItemMessage(IDC_KAPCFG_KEY, EM_LIMITTEXT, kKeyLimit);
    page.SendDlgItemMessage(IDC_KAPCFG_PSK, EM_LIMITTEXT, kPskLimit);

    const bool admin = G_bIsAdmin != 0;
    Show(page, {IDC_KAPCFG_BRIDGE, IDC_KAPCFG_BRIDGE_ADAPTER, IDC_KAPCFG_BRIDGE_ICON}, admin);
    for (int id : {IDC_KAPCFG_SAVE, IDC_KAPCFG_CANCEL})
        if (CWnd* button = page.GetDlgItem(id)) button->EnableWindow(admin);

    CComboBox& txKey = *Combo(page, IDC_KAPCFG_TXKEY);
    txKey.ResetContent();
    for (LPCSTR n : {"1", "2", "3", "4"}) txKey.AddString(n);
    FillApWepSizes(page);
}

void FillApWepSizes(CWnd& page)
{
    CComboBox& wepSize = *Combo(page, IDC_KAPCFG_WEPSIZE);
    const int selected = wepSize.GetCurSel();
    wepSize.ResetContent();
    wepSize.AddString("64 bits");
    wepSize.AddString("128 bits");
    wepSize.SetCurSel(selected);
}

void FillApSecurityTypes(CWnd& page, bool withMixed)
{
    const CLanguageTable& t = G_LangTable;
    CComboBox& security = *Combo(page, IDC_KAPCFG_SECTYPE);
    security.ResetContent();
    security.AddString(t.IDS_VAL_DISABLE.IsEmpty() ? "Disable" : static_cast<LPCSTR>(t.IDS_VAL_DISABLE));
    for (LPCSTR name : {"WEP", "WPA-PSK", "WPA2-PSK"}) security.AddString(name);
    if (withMixed) security.AddString(kMixedSecurityName);
}

void FillApEncryptionTypes(CWnd& page, bool withBoth)
{
    CComboBox& encryption = *Combo(page, IDC_KAPCFG_ENCTYPE);
    const int selected = encryption.GetCurSel();
    encryption.ResetContent();
    encryption.AddString("TKIP");
    encryption.AddString("AES");
    if (withBoth) encryption.AddString(kBothCiphersName);
    encryption.SetCurSel(selected < encryption.GetCount() ? selected : CB_ERR);
}

void CKelvoPageApConfigDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    m_skin.Exchange(pDX);
}

BOOL CKelvoPageApConfigDlg::OnEraseBkgnd(CDC* pDC)
{
    const BOOL erased = static_cast<BOOL>(Default());
    m_skin.PaintTitleBand(*this, pDC);
    return erased;
}

BEGIN_MESSAGE_MAP(CKelvoPageApConfigDlg, CDialog)
    ON_WM_ERASEBKGND()
    ON_WM_SHOWWINDOW()
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_BN_CLICKED(IDC_KAPCFG_SAVE, OnBtnSave)
    ON_BN_CLICKED(IDC_KAPCFG_CANCEL, OnBtnCancel)
    ON_MESSAGE(MSG_BIND_RESULT, OnBindResult)
END_MESSAGE_MAP()

CKelvoPageApConfigDlg::CKelvoPageApConfigDlg() : CDialog(IDD) {}

CKelvoPageApConfigDlg::~CKelvoPageApConfigDlg()
{
    CBindResultWaiter::Get().Stop(m_hWnd);
}

CPageExtAPDlg* CKelvoPageApConfigDlg::SettingsPage() const
{
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    return main ? main->m_pPageExtAPDlg : nullptr;
}

BOOL CKelvoPageApConfigDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_skin.Apply();
    InitApConfigPage(*this, true);
    FillApSecurityTypes(*this, false);
    CComboBox& security = *Combo(*this, IDC_KAPCFG_SECTYPE);
    security.SetCurSel(kSecurityWpa2Psk);
    security.EnableWindow(FALSE);
    FillApEncryptionTypes(*this, false);
    CComboBox& encryption = *Combo(*this, IDC_KAPCFG_ENCTYPE);
    encryption.SetCurSel(1);
    encryption.EnableWindow(FALSE);
    SetCheck(*this, IDC_KAPCFG_HIDE_SSID, false);
    if (CWnd* hide = GetDlgItem(IDC_KAPCFG_HIDE_SSID)) hide->EnableWindow(FALSE);
    CComboBox& channel = *Combo(*this, IDC_KAPCFG_CHANNEL);
    channel.ResetContent();
    for (int n = 1; n <= kHostedChannels; ++n) {
        CString text;
        text.Format("%d", n);
        channel.AddString(text);
    }
    channel.SetCurSel(0);
    channel.EnableWindow(FALSE);
    Combo(*this, IDC_KAPCFG_MODE)->ResetContent();
    Combo(*this, IDC_KAPCFG_MODE)->AddString("2.4G");
    Combo(*this, IDC_KAPCFG_MODE)->SetCurSel(0);
    CComboBox& power = *Combo(*this, IDC_KAPCFG_POWER);
    power.ResetContent();
    power.AddString("100%");
    power.SetCurSel(0);
    power.EnableWindow(FALSE);
    ShowApSecurityControls(*this, kSecurityWpa2Psk);
    return TRUE;
}

void CKelvoPageApConfigDlg::SelectChannel(const HOSTEDNETWORK_STATUS& status)
{
    // An all-zero status selects nothing.
    Combo(*this, IDC_KAPCFG_CHANNEL)->SetCurSel(static_cast<int>(status.Channel) - 1);
}

void CKelvoPageApConfigDlg::RefreshStatus()
{
    if (!m_hWnd) return;
    if (CPageExtAPDlg* settings = SettingsPage()) {
        if (!settings->m_hWnd && !settings->m_bLoaded) settings->LoadConfig();
        SetDlgItemText(IDC_KAPCFG_SSID, settings->m_strSSID);
        SetDlgItemText(IDC_KAPCFG_PSK, settings->m_strKey);
    }
    HOSTEDNETWORK_STATUS status{};
    QXWLAPI.QXWL_HostedNetworkQueryStatus(&status);
    SelectChannel(status);
    m_strMacAddr.Format("%02X:%02X:%02X:%02X:%02X:%02X", status.Bssid[0], status.Bssid[1], status.Bssid[2],
                        status.Bssid[3], status.Bssid[4], status.Bssid[5]);
    if (G_bIsAdmin) FillBridgeList();
}

void CKelvoPageApConfigDlg::FillBridgeList()
{
    std::vector<CString> names;
    m_szOwnAdapterName[0] = '\0';
    FindNetAdapterDevice(names, QXWLAPI.m_AdapterEntry.chName, m_szOwnAdapterName);
    CComboBox& list = *Combo(*this, IDC_KAPCFG_BRIDGE_ADAPTER);
    list.ResetContent();
    for (const CString& name : names) list.AddString(name);
    const int index = FindStoredBridgeAdapter(names);
    list.SetCurSel(index >= 0 ? index : 0);
    SetCheck(*this, IDC_KAPCFG_BRIDGE, index >= 0);
}

void CKelvoPageApConfigDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialog::OnShowWindow(bShow, nStatus);
    if (m_nRefreshTimer) KillTimer(m_nRefreshTimer);
    m_nRefreshTimer = 0;
    if (!bShow) return;
    m_nRefreshTimer = SetTimer(TIMER_APCONFIG_REFRESH, kRefreshMs, nullptr);
    RefreshStatus();
}

void CKelvoPageApConfigDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == TIMER_APCONFIG_REFRESH) {
        HOSTEDNETWORK_STATUS status{};
        QXWLAPI.QXWL_HostedNetworkQueryStatus(&status);
        SelectChannel(status);
    } else if (nIDEvent == TIMER_APCONFIG_APPLY) {
        KillTimer(TIMER_APCONFIG_APPLY);
        RefreshStatus();
        if (G_bIsAdmin && IsChecked(*this, IDC_KAPCFG_BRIDGE) &&
            Combo(*this, IDC_KAPCFG_BRIDGE_ADAPTER)->GetCurSel() >= 0)
            BindBridge(ItemText(*this, IDC_KAPCFG_BRIDGE_ADAPTER), m_strMacAddr);
    }
}

void CKelvoPageApConfigDlg::OnDestroy()
{
    // The waiter must not post to this window once it is gone.
    CBindResultWaiter::Get().Stop(m_hWnd);
    CDialog::OnDestroy();
}

int CKelvoPageApConfigDlg::ValidateSecurity()
{
    return ValidateApPageSecurity(*this);
}

void CKelvoPageApConfigDlg::OnBtnSave()
{
    if (!ValidateSecurity()) return;
    ApplySettings();
}

void CKelvoPageApConfigDlg::OnBtnCancel()
{
    RefreshStatus();
}

void CKelvoPageApConfigDlg::ApplySettings()
{
    CPageExtAPDlg* settings = SettingsPage();
    if (!settings) {
        DebugLog(1, "[QxUI] CKelvoPageApConfigDlg::ApplySettings: no hosted-network settings page\n");
        return;
    }
    if (!settings->m_hWnd && !settings->m_bLoaded) settings->LoadConfig();
    settings->m_strSSID = ItemText(*this, IDC_KAPCFG_SSID);
    settings->m_strKey = ItemText(*this, IDC_KAPCFG_PSK);
    if (settings->m_hWnd) {
        settings->SetDlgItemText(IDC_EXTAP_SSID, settings->m_strSSID);
        settings->SetDlgItemText(IDC_EXTAP_KEY, settings->m_strKey);
    }
    // A refused apply puts the settings page back to what is stored, so that a reload of this
    // page shows no refused entry as the hosted network's settings.
    const auto apply = [settings] {
        if (settings->OnApply()) return true;
        settings->LoadConfig();
        if (settings->m_hWnd) settings->UpdateData(FALSE);
        return false;
    };
    if (!G_bIsAdmin) {
        apply();
        return;
    }
    const bool bridged = IsChecked(*this, IDC_KAPCFG_BRIDGE);
    CComboBox& list = *Combo(*this, IDC_KAPCFG_BRIDGE_ADAPTER);
    const int index = list.GetCurSel();
    // Bridged without an adapter to choose: the word says so, with the sum of an empty name.
    const CString adapter = index >= 0 ? ItemText(*this, IDC_KAPCFG_BRIDGE_ADAPTER) : CString();
    StoreBridgeWord(adapter, bridged);
    settings->m_nBridgeWord = m_nBridgeWord;
    // A refused apply changes nothing else: no binding, no remembered state.
    if (!apply()) return;
    if (static_cast<ULONG>(bridged) != m_bBridged || index != m_nBridgeIndex) {
        // The apply may just have brought the hosted network up: its address is asked afresh,
        // not taken from before, when it may have had none.
        if (bridged) {
            m_strMacAddr = HostedMacText();
            BindBridge(adapter, m_strMacAddr);
        } else {
            UnbindAllBridges();
        }
        m_bBridged = bridged ? 1 : 0;
        m_nBridgeIndex = index;
    }
}

void CKelvoPageApConfigDlg::StoreBridgeWord(LPCSTR adapterName, bool bridged)
{
    m_nBridgeWord = HostedBridgeWord(adapterName, bridged);
}

int CKelvoPageApConfigDlg::FindStoredBridgeAdapter(const std::vector<CString>& names)
{
    EXTAP_CONFIG config{};
    if (QXWLAPI.QXWL_ReadExtAPConfig(&config) != QXWL_ERROR_SUCCESS) return -1;
    m_bBridged = 0;
    m_nBridgeIndex = -1;
    // The bridge word is kept in its own field, beside the channel.
    if (!(config.Reserved112 & kHostedBridgedBit)) return -1;
    const int index = FindBridgeAdapterIndex(names, config.Reserved112, kHostedBridgedBit, kHostedSumMask);
    m_bBridged = 1;
    m_nBridgeIndex = index;
    return index;
}

void CKelvoPageApConfigDlg::BindBridge(LPCSTR adapterName, LPCSTR macText)
{
    CString parameters;
    if (!BuildBindWin7Command(parameters, macText, adapterName, m_hWnd)) {
        ShowProductMessageBox(G_LangTable.IDS_AP_BIND_ERROR);
        return;
    }
    if (!BindThroughCompanion(m_hWnd, parameters)) RefreshStatus();
}

void CKelvoPageApConfigDlg::UnbindAllBridges()
{
    UnbindThroughCompanion();
}

void CKelvoPageApConfigDlg::UnbindAndArmApply(int entering)
{
    if (G_bIsAdmin && !entering) {
        const bool read = QXWLAPI.QXWL_ReadExtAPConfig(&m_ExtApConfig) == QXWL_ERROR_SUCCESS;
        if (!read || (m_ExtApConfig.Reserved112 & kHostedBridgedBit)) UnbindAllBridges();
        return;
    }
    if (m_hWnd) SetTimer(TIMER_APCONFIG_APPLY, kApConfigApplyMs, nullptr);
}

LRESULT CKelvoPageApConfigDlg::OnBindResult(WPARAM, LPARAM)
{
    return HandleBindResult();
}
