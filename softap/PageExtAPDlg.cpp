#include "softap/PageExtAPDlg.h"
#include "base/DebugLog.h"
#include "base/LanguageTable.h"
#include "core/ProductMessageBox.h"
#include "contract/StationContract.h"
#include "core/QXWLLIB.h"
#include "core/QxUI2008App.h"

#include <algorithm>
#include <cctype>
#include <cstring>

IMPLEMENT_DYNCREATE(CPageExtAPDlg, CResizeDlg)

namespace {
constexpr int kChannelBufferBytes = 64;
constexpr ULONG kChannelQueryFlag = 1;
// The access point runs: through the soft-AP driver (1) or as the hosted network beside the
// station (2), this page's own variant.
constexpr LONG kSoftApOpMode = 1, kHostedOpMode = 2;
constexpr UINT kShowPasswordClear = 147, kShowPasswordTicked = 148;
constexpr ULONG kObsoleteChannels[] = {34, 38, 42, 46};

bool AllDigits(const CString& text)
{
    if (text.IsEmpty()) return false;
    for (int i = 0; i < text.GetLength(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    return true;
}

bool AllHex(const CString& text)
{
    for (int i = 0; i < text.GetLength(); ++i)
        if (!std::isxdigit(static_cast<unsigned char>(text[i]))) return false;
    return true;
}

CString BytesText(const UCHAR* bytes, ULONG length, size_t field)
{
    const size_t n = std::min<size_t>(length, field);
    return CString(std::string(reinterpret_cast<const char*>(bytes), n).c_str());
}
}  // namespace

CString ExtApIpText(const EXTAP_CONFIG& config)
{
    CString text;
    text.Format("%d.%d.%d.%d", config.IpAddress[0], config.IpAddress[1], config.IpAddress[2], config.IpAddress[3]);
    return text;
}

BEGIN_MESSAGE_MAP(CPageExtAPDlg, CClassicDlg)
    ON_WM_SHOWWINDOW()
    ON_WM_TIMER()
    ON_BN_CLICKED(IDC_EXTAP_SHOW_PASSWORD, OnShowPassword)
    ON_BN_CLICKED(IDC_EXTAP_APPLY, OnBtnApply)
END_MESSAGE_MAP()

CPageExtAPDlg::CPageExtAPDlg(CWnd* pParent) : CClassicDlg(IDD, pParent) {}

void CPageExtAPDlg::DoDataExchange(CDataExchange* pDX)
{
    CClassicDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_EXTAP_APPLY, m_btnApply);
    DDX_Control(pDX, IDC_EXTAP_SHOW_PASSWORD, m_chkShowPassword);
    DDX_Text(pDX, IDC_EXTAP_SSID, m_strSSID);
    DDV_MaxChars(pDX, m_strSSID, kSsidMaxChars);
    DDX_Text(pDX, IDC_EXTAP_KEY, m_strKey);
    DDV_MaxChars(pDX, m_strKey, kKeyMaxChars);
    DDX_CBString(pDX, IDC_EXTAP_CHANNEL, m_strChannel);
    DDX_Text(pDX, IDC_EXTAP_MAX_CLIENT, m_strMaxPeers);
    DDX_Text(pDX, IDC_EXTAP_AUTH, m_strAuth);
    DDX_Text(pDX, IDC_EXTAP_ENCRY, m_strEncry);
    DDX_Text(pDX, IDC_EXTAP_IP, m_strIpAddr);
    DDX_Check(pDX, IDC_EXTAP_SHOW_PASSWORD, m_bShowPassword);
}

BOOL CPageExtAPDlg::OnInitDialog()
{
    CClassicDlg::OnInitDialog();
    struct Label { UINT id; const CString& text; };
    const Label labels[] = {
        {IDC_EXTAP_SSID_LABEL, G_LangTable.IDS_PROF_SSID},         {IDC_EXTAP_CHANNEL_LABEL, G_LangTable.IDS_PROF_CHANNEL},
        {IDC_EXTAP_MAX_CLIENT_LABEL, G_LangTable.IDS_EXTAP_MAX_CLIENT}, {IDC_EXTAP_AUTH_LABEL, G_LangTable.IDS_AUTHTYPE},
        {IDC_EXTAP_ENCRY_LABEL, G_LangTable.IDS_ENCRYP_TYPE},      {IDC_EXTAP_KEY_LABEL, G_LangTable.IDS_KEY_MATERIAL},
        {IDC_EXTAP_IP_LABEL, G_LangTable.IDS_LINK_IP_ADDR},        {IDC_EXTAP_SHOW_PASSWORD_LABEL, G_LangTable.IDS_SHOW_PASSWORD}};
    for (const Label& label : labels) {
        if (CWnd* control = GetDlgItem(static_cast<int>(label.id))) {
            if (!label.text.IsEmpty()) control->SetWindowText(label.text);
            control->SetFont(&m_font);
        }
    }
    SkinButton(m_btnApply, G_LangTable.IDS_APPLY.IsEmpty() ? "Apply" : static_cast<LPCSTR>(G_LangTable.IDS_APPLY));
    m_chkShowPassword.LoadBitmaps(kShowPasswordClear, kShowPasswordTicked, G_hKelvoImg);
    ApplyPasswordRule();
    LoadConfig();
    UpdateData(FALSE);
    return TRUE;
}

void CPageExtAPDlg::LoadConfig()
{
    EXTAP_CONFIG config{};
    if (QXWLAPI.QXWL_ReadExtAPConfig(&config) != QXWL_ERROR_SUCCESS) return;
    m_strSSID = BytesText(config.Ssid, config.SsidLength, sizeof config.Ssid);
    m_strKey = BytesText(config.Key, config.KeyLength, sizeof config.Key);
    m_strChannel.Format("%u", config.Channel);
    // A hosted network never set up holds no peer count: the page's default stays, or SAVE on
    // the skinned page, which has no such field, would be refused for good.
    if (config.MaxPeers != 0) m_strMaxPeers.Format("%lu", config.MaxPeers);
    m_strIpAddr = ExtApIpText(config);
    m_nBridgeWord = m_nStoredBridgeWord = config.Reserved112;
    m_bLoaded = 1;
}

EXTAP_CONFIG CPageExtAPDlg::BuildRecord(ULONG bridgeWord) const
{
    EXTAP_CONFIG config{};
    const int ssidLength = std::min(m_strSSID.GetLength(), static_cast<int>(sizeof config.Ssid));
    memcpy(config.Ssid, static_cast<LPCSTR>(m_strSSID), static_cast<size_t>(ssidLength));
    config.SsidLength = static_cast<ULONG>(ssidLength);
    const int keyLength = std::min(m_strKey.GetLength(), static_cast<int>(sizeof config.Key));
    memcpy(config.Key, static_cast<LPCSTR>(m_strKey), static_cast<size_t>(keyLength));
    config.KeyLength = static_cast<ULONG>(keyLength);
    config.Channel = static_cast<ULONG>(strtoul(m_strChannel, nullptr, 10));
    config.MaxPeers = static_cast<ULONG>(strtoul(m_strMaxPeers, nullptr, 10));
    // The bridge word has a field of its own: the stored channel is never lost to it.
    config.Reserved112 = bridgeWord;
    return config;
}

void CPageExtAPDlg::SaveConfig()
{
    SaveConfig(m_nBridgeWord);
}

void CPageExtAPDlg::SaveConfig(ULONG bridgeWord)
{
    if (QXWLAPI.QXWL_WriteExtAPConfig(BuildRecord(bridgeWord)) == QXWL_ERROR_SUCCESS) m_nStoredBridgeWord = bridgeWord;
}

const CString& CPageExtAPDlg::SsidTooLongText()
{
    // The data exchange's own refusal, which the skinned page's SAVE shows for its SSID too.
    static const CString text = MaxCharsRefusal(kSsidMaxChars);
    return text;
}

const CString* CPageExtAPDlg::CheckSettings(const CString& maxPeers, const CString& ssid, const CString& key)
{
    // Digits only: "5x" is not five peers.
    const int peers = AllDigits(maxPeers) && maxPeers.GetLength() <= 2 ? atoi(maxPeers) : 0;
    if (peers < kMaxPeersLow || peers > kMaxPeersHigh) return &G_LangTable.IDS_MSG_INVALID_MAXCLIENT;
    if (ssid.IsEmpty()) return &G_LangTable.IDS_ADHOCINPUTSSID;
    // Never cut to its first 32 bytes behind the user's back.
    if (ssid.GetLength() > kSsidMaxChars) return &SsidTooLongText();
    const int length = key.GetLength();
    if (length < kKeyMinChars || length > kKeyMaxChars || (length == kKeyMaxChars && !AllHex(key)))
        return &G_LangTable.IDS_MSGPSKKEYINVALID;
    return nullptr;
}

BOOL CPageExtAPDlg::OnApply()
{
    // The data exchange tells its own refusals (a text too long for its field).
    if (m_hWnd && !UpdateData(TRUE)) return FALSE;
    if (const CString* refusal = CheckSettings(m_strMaxPeers, m_strSSID, m_strKey)) {
        DebugLog(3, "[QxUI] CPageExtAPDlg::OnApply: settings refused\n");
        ShowProductMessageBox(*refusal);
        return FALSE;
    }
    // A new bridge word is stored only with a hosted network that was set up: after a failed
    // set-up it would show a bridge that was never bound.
    SaveConfig(m_nStoredBridgeWord);
    const LONG status = QXWLAPI.QXWL_HostedNetworkSetup(BuildRecord());
    if (status != QXWL_ERROR_SUCCESS) {
        DebugLog(1, "[QxUI] CPageExtAPDlg::OnApply: QXWL_HostedNetworkSetup returned %ld\n", status);
        ShowProductMessageBox(G_LangTable.IDS_AP_HOSTED_SETUP_FAIL);
        return FALSE;
    }
    if (m_nBridgeWord != m_nStoredBridgeWord) SaveConfig();
    return TRUE;
}

bool CPageExtAPDlg::IsOfferedChannel(ULONG channel)
{
    return std::find(std::begin(kObsoleteChannels), std::end(kObsoleteChannels), channel) == std::end(kObsoleteChannels);
}

void CPageExtAPDlg::FillChannels()
{
    CComboBox* combo = static_cast<CComboBox*>(GetDlgItem(IDC_EXTAP_CHANNEL));
    if (!combo) return;
    ULONG phyMode = 0, adhocMode = 0, count = 0;
    UCHAR channels[kChannelBufferBytes] = {};
    QXWLAPI.QXWL_QueryWirelessMode(&phyMode);
    QXWLAPI.QXWL_ConvertPhyModeToAdHocMode(phyMode, &adhocMode);
    QXWLAPI.QXWL_GetAvailableChannels(0, phyMode, adhocMode, channels, &count, kChannelQueryFlag);
    count = std::min<ULONG>(count, kChannelBufferBytes);
    combo->ResetContent();
    int selected = 0;
    for (ULONG i = 0; i < count; ++i) {
        if (!IsOfferedChannel(channels[i])) continue;
        CString text;
        text.Format("%u", channels[i]);
        const int index = combo->AddString(text);
        if (text == m_strChannel) selected = index;
    }
    if (combo->GetCount() > 0) combo->SetCurSel(selected);
}

void CPageExtAPDlg::ApplyPasswordRule()
{
    CWnd* box = GetDlgItem(IDC_EXTAP_SHOW_PASSWORD);
    CWnd* label = GetDlgItem(IDC_EXTAP_SHOW_PASSWORD_LABEL);
    const bool allowed = QXWLAPI.ShowPassword != 0;
    if (box) box->ShowWindow(allowed ? SW_SHOW : SW_HIDE);
    if (label) label->ShowWindow(allowed ? SW_SHOW : SW_HIDE);
    const bool plain = allowed && m_bShowPassword;
    SendDlgItemMessage(IDC_EXTAP_KEY, EM_SETPASSWORDCHAR, plain ? 0 : '*', 0);
    Invalidate(TRUE);
}

void CPageExtAPDlg::OnShowPassword()
{
    UpdateData(TRUE);
    ApplyPasswordRule();
}

void CPageExtAPDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CClassicDlg::OnShowWindow(bShow, nStatus);
    if (m_nTimer) KillTimer(m_nTimer);
    m_nTimer = 0;
    if (!bShow) return;
    LoadConfig();
    UpdateData(FALSE);
    FillChannels();
    const LONG mode = QXWLAPI.QXWL_QueryOPMode();
    const int show = mode == kSoftApOpMode || mode == kHostedOpMode ? SW_SHOW : SW_HIDE;
    for (int id : {IDC_EXTAP_CHANNEL_LABEL, IDC_EXTAP_CHANNEL})
        if (CWnd* control = GetDlgItem(id)) control->ShowWindow(show);
    m_nTimer = SetTimer(kRefreshTimer, kRefreshMs, nullptr);
}

void CPageExtAPDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kRefreshTimer) return;
    EXTAP_CONFIG config{};
    if (QXWLAPI.QXWL_ReadExtAPConfig(&config) != QXWL_ERROR_SUCCESS) return;
    m_strIpAddr = ExtApIpText(config);
    SetDlgItemText(IDC_EXTAP_IP, m_strIpAddr);
}
