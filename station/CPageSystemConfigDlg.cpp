#include "station/CPageSystemConfigDlg.h"
#include "base/LanguageTable.h"
#include "core/QXWLLIB.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {
constexpr UINT ID_NETTYPE_ADHOC = 32777, ID_NETTYPE_INFRA = 32778;
constexpr UINT ID_TXPOWER_FIRST = 32786;  // 32786 to 32792: transmit-power indexes 0 to 6
constexpr UINT ID_PREAMBLE_AUTO = 32795, ID_PREAMBLE_LONG = 32796;

constexpr int kSsidTextLimit = 32;
constexpr int kProfileNameLimit = 32;
constexpr int kProfileIdLimit = 3;
constexpr double kSsidColumnShare = 1.2, kBssidColumnShare = 0.8;
constexpr int kDropWidthFactor = 2;
constexpr int kThresholdStep = 32, kThresholdPage = 256;
constexpr size_t kChannelBytes = 64;
constexpr ULONG kChannelQueryFlag = 1;
// Channels the list never offers (the 5 GHz channels of the obsolete 20 MHz raster).
constexpr UCHAR kSkippedChannels[] = {34, 38, 42, 46};
constexpr char kUnsetProfileId[] = "0";
constexpr char kFirstProfileId[] = "1";

CString SsidText(const NDIS_802_11_SSID& ssid)
{
    const int length = static_cast<int>(std::min<ULONG>(ssid.SsidLength, sizeof ssid.Ssid));
    return CString(reinterpret_cast<const char*>(ssid.Ssid), length);
}

// The caption of transmit-power index 0 to 6.
const CString& TxPowerText(int index)
{
    const CString* const texts[CPageSystemConfigDlg::kTxPowerLevels] = {
        &G_LangTable.IDS_AUTO,      &G_LangTable.IDS_100PERCENT, &G_LangTable.IDS_75PERCENT, &G_LangTable.IDS_50PERCENT,
        &G_LangTable.IDS_25PERCENT, &G_LangTable.IDS_10PERCENT,  &G_LangTable.IDS_LOWEST};
    return *texts[index];
}

CString MacText(const UCHAR* mac)
{
    CString text;
    text.Format("%02X%02X%02X%02X%02X%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    return text;
}
}  // namespace

BEGIN_MESSAGE_MAP(CPageSystemConfigDlg, CClassicDlg)
    ON_WM_SHOWWINDOW()
    ON_WM_DESTROY()
    ON_BN_CLICKED(IDC_SYS_CAM, OnPowerSaveRadio)
    ON_BN_CLICKED(IDC_SYS_PSM, OnPowerSaveRadio)
    ON_BN_CLICKED(IDC_SYS_USE_RTS, OnUseRts)
    ON_BN_CLICKED(IDC_SYS_USE_FRAG, OnUseFrag)
    ON_EN_CHANGE(IDC_SYS_RTS_EDIT, OnRtsEditChanged)
    ON_EN_CHANGE(IDC_SYS_FRAG_EDIT, OnFragEditChanged)
    ON_COMMAND(ID_NETTYPE_ADHOC, OnAdhocMode)
    ON_COMMAND(ID_NETTYPE_INFRA, OnInfrastructureMode)
    ON_COMMAND_RANGE(ID_TXPOWER_FIRST, ID_TXPOWER_FIRST + CPageSystemConfigDlg::kTxPowerLevels - 1, OnTxPowerCommand)
    ON_COMMAND_RANGE(ID_PREAMBLE_AUTO, ID_PREAMBLE_LONG, OnPreambleCommand)
    ON_MESSAGE(MSG_SYSCONFIG_MENU_POPUP, OnNetworkMenuPopup)
END_MESSAGE_MAP()

CPageSystemConfigDlg::CPageSystemConfigDlg(CWnd* pParent) : CClassicDlg(IDD, pParent)
{
    ResetToDefaults();
    m_nNetworkType = kAdhoc;
    m_bCreated = 0;
}

void CPageSystemConfigDlg::ResetToDefaults()
{
    m_nAdhocMode = 1;
    m_nPreamble = kPreambleAuto;
    m_bACCam = 0;
    m_nPowerSaveMode = 0;
    if (QXWLAPI.QXWL_ReadPSMode) QXWLAPI.QXWL_ReadPSMode(&m_nPowerSaveMode);
    m_nTxPower = 0;
    m_nRtsThreshold = m_nRtsEdit = kRtsMax;
    m_nFragThreshold = m_nFragEdit = kFragMax;
    m_bUseRts = m_bUseFrag = 0;
    m_bDiagnostic = 0;
    m_strProfileName.Empty();
    m_strProfileId.Empty();
    m_strSsid.Empty();
    m_strChannel.Empty();
    m_strInitialProfileName.Empty();
}

void CPageSystemConfigDlg::DoDataExchange(CDataExchange* pDX)
{
    CClassicDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SYS_SSID, m_comboSsid);
    DDX_Control(pDX, IDC_SYS_CHANNEL, m_comboChannel);
    DDX_Control(pDX, IDC_SYS_NETTYPE, m_btnNetworkType);
    DDX_Control(pDX, IDC_SYS_TXPOWER, m_btnTxPower);
    DDX_Control(pDX, IDC_SYS_PREAMBLE, m_btnPreamble);
    DDX_Control(pDX, IDC_SYS_RTS_SLIDER, m_sliderRts);
    DDX_Control(pDX, IDC_SYS_FRAG_SLIDER, m_sliderFrag);
    DDX_Control(pDX, IDC_SYS_RTS_EDIT, m_editRts);
    DDX_Control(pDX, IDC_SYS_FRAG_EDIT, m_editFrag);
    DDX_Text(pDX, IDC_SYS_PROFILE, m_strProfileName);
    DDX_Text(pDX, IDC_SYS_PROFILE_ID, m_strProfileId);
    int powerSave = static_cast<int>(m_nPowerSaveMode);
    int useRts = static_cast<int>(m_bUseRts), useFrag = static_cast<int>(m_bUseFrag);
    int diagnostic = static_cast<int>(m_bDiagnostic);
    DDX_Radio(pDX, IDC_SYS_CAM, powerSave);
    DDX_Check(pDX, IDC_SYS_USE_RTS, useRts);
    DDX_Check(pDX, IDC_SYS_USE_FRAG, useFrag);
    DDX_Check(pDX, IDC_SYS_DIAGNOSTIC, diagnostic);
    if (pDX->m_bSaveAndValidate) {
        m_nPowerSaveMode = static_cast<ULONG>(std::max(powerSave, 0));
        m_bUseRts = static_cast<ULONG>(useRts);
        m_bUseFrag = static_cast<ULONG>(useFrag);
        m_bDiagnostic = static_cast<ULONG>(diagnostic);
        m_comboSsid.GetWindowText(m_strSsid);
        const int channel = m_comboChannel.GetCurSel();
        if (channel >= 0) m_comboChannel.GetLBText(channel, m_strChannel);
    } else {
        SetEditNumber(m_editRts, m_nRtsEdit);
        SetEditNumber(m_editFrag, m_nFragEdit);
        m_sliderRts.SetPos(m_nRtsThreshold);
        m_sliderFrag.SetPos(m_nFragThreshold);
    }
}

BOOL CPageSystemConfigDlg::OnInitDialog()
{
    CClassicDlg::OnInitDialog();
    m_bCreated = 1;
    const struct { int id; const CString& text; } labels[] = {
        {IDC_SYS_PROFILE_LABEL, G_LangTable.IDS_PROF_PROFILE},     {IDC_SYS_SSID_LABEL, G_LangTable.IDS_PROF_SSID},
        {IDC_SYS_PROFILE_ID_LABEL, G_LangTable.IDS_PROF_PROFILE_ID}, {IDC_SYS_PSM_GROUP, G_LangTable.IDS_PROF_POWER_SAVE_MODE},
        {IDC_SYS_CAM_LABEL, G_LangTable.IDS_SYS_CAM},              {IDC_SYS_PSM_LABEL, G_LangTable.IDS_SYS_PSM},
        {IDC_SYS_USE_RTS, G_LangTable.IDS_SYS_CHECK_RTS},          {IDC_SYS_USE_FRAG, G_LangTable.IDS_SYS_CHECK_FRAG},
        {IDC_SYS_NETTYPE_LABEL, G_LangTable.IDS_PROF_NETTYPE},     {IDC_SYS_TXPOWER_LABEL, G_LangTable.IDS_PROF_TX_POWER},
        {IDC_SYS_PREAMBLE_LABEL, G_LangTable.IDS_SYS_PREAMBLE},    {IDC_SYS_CHANNEL_LABEL, G_LangTable.IDS_PROF_CHANNEL},
        {IDC_SYS_DIAGNOSTIC, G_LangTable.IDS_PROF_DIAGNOSTIC_CAP},
    };
    for (const auto& label : labels) {
        SetDlgItemText(label.id, label.text);
        ::SendDlgItemMessageA(m_hWnd, label.id, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.GetSafeHandle()), FALSE);
    }
    for (int id : {IDC_SYS_PROFILE, IDC_SYS_PROFILE_ID, IDC_SYS_RTS_EDIT, IDC_SYS_FRAG_EDIT})
        ::SendDlgItemMessageA(m_hWnd, id, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.GetSafeHandle()), FALSE);
    ::SendDlgItemMessageA(m_hWnd, IDC_SYS_PROFILE, EM_LIMITTEXT, kProfileNameLimit, 0);
    ::SendDlgItemMessageA(m_hWnd, IDC_SYS_PROFILE_ID, EM_LIMITTEXT, kProfileIdLimit, 0);

    CRect combo;
    m_comboSsid.GetWindowRect(&combo);
    m_comboSsid.SetColumnCount(2);
    m_comboSsid.SetColumnWidth(0, static_cast<int>(combo.Width() * kSsidColumnShare));
    m_comboSsid.SetColumnWidth(1, static_cast<int>(combo.Width() * kBssidColumnShare));
    m_comboSsid.SendMessage(CB_SETDROPPEDWIDTH, combo.Width() * kDropWidthFactor);
    m_comboSsid.SendMessage(CB_LIMITTEXT, kSsidTextLimit);

    DmMenuTexts network, power, preamble;
    network.SetAt(ID_NETTYPE_ADHOC, G_LangTable.IDS_ADHOC);
    network.SetAt(ID_NETTYPE_INFRA, G_LangTable.IDS_INFRA);
    for (int i = 0; i < kTxPowerLevels; ++i) power.SetAt(ID_TXPOWER_FIRST + i, TxPowerText(i));
    preamble.SetAt(ID_PREAMBLE_AUTO, G_LangTable.IDS_SYS_AUTO);
    preamble.SetAt(ID_PREAMBLE_LONG, G_LangTable.IDS_SYS_LONG);
    m_btnNetworkType.SetMenu(IDR_SYSCONFIG_NETTYPE, m_hWnd, TRUE, 0, std::move(network), 0, 0, 0);
    m_btnTxPower.SetMenu(IDR_SYSCONFIG_TXPOWER, m_hWnd, TRUE, 0, std::move(power), 0, 0, 0);
    m_btnPreamble.SetMenu(IDR_SYSCONFIG_PREAMBLE, m_hWnd, TRUE, 0, std::move(preamble), 0, 0, 0);
    m_btnNetworkType.SetMenuCallback(m_hWnd, MSG_SYSCONFIG_MENU_POPUP);

    m_editRts.AttachSlider(this, IDC_SYS_RTS_SLIDER);
    m_editRts.SetRange(kRtsMin, kRtsMax, kThresholdStep, kThresholdPage);
    m_editFrag.AttachSlider(this, IDC_SYS_FRAG_SLIDER);
    m_editFrag.SetRange(kFragMin, kFragMax, kThresholdStep, kThresholdPage);
    SetEditNumber(m_editRts, m_nRtsThreshold);
    SetEditNumber(m_editFrag, m_nFragThreshold);
    m_sliderRts.SetPos(m_nRtsThreshold);
    m_sliderFrag.SetPos(m_nFragThreshold);
    ::ShowWindow(::GetDlgItem(m_hWnd, IDC_SYS_PROFILE_ID), SW_HIDE);
    ::ShowWindow(::GetDlgItem(m_hWnd, IDC_SYS_PROFILE_ID_LABEL), SW_HIDE);
    return TRUE;
}

void CPageSystemConfigDlg::SetEditNumber(CSmartEdit& edit, int value)
{
    // Only a changed text is set: setting it notifies EN_CHANGE, whose handler sets it again.
    CString text, shown;
    text.Format("%d", value);
    edit.GetWindowText(shown);
    if (shown != text) edit.SetWindowText(text);
}

int CPageSystemConfigDlg::EditNumber(const CSmartEdit& edit)
{
    CString text;
    edit.GetWindowText(text);
    return atoi(text.GetString());
}

void CPageSystemConfigDlg::SetNameAndId(LPCSTR profileName, LPCSTR profileId)
{
    m_bCreated = 1;
    m_strProfileName = profileName ? profileName : "";
    m_strInitialProfileName = m_strProfileName;
    m_strProfileId = profileId ? profileId : "";
    if (m_strProfileId == kUnsetProfileId) m_strProfileId = kFirstProfileId;
}

int CPageSystemConfigDlg::FillSsidCombo(const CString& match)
{
    m_comboSsid.ResetContent();
    const REPOSIT_BSSID_LIST& repository = QXWLAPI.listRepositBssid;
    if (!repository.pBssidList || repository.nBufferSize < sizeof(ULONG)) return -1;
    // A private copy: the library's scan callback may rewrite the repository meanwhile.
    std::vector<BYTE> copy(repository.nBufferSize);
    std::memcpy(copy.data(), repository.pBssidList, copy.size());
    ULONG count = 0;
    std::memcpy(&count, copy.data(), sizeof count);
    size_t offset = offsetof(NDIS_802_11_BSSID_LIST_EX, Bssid);
    int found = -1;
    for (ULONG i = 0; i < count; ++i) {
        if (offset + kNdisWlanBssidFixedBytes > copy.size()) break;
        const auto* record = reinterpret_cast<const NDIS_WLAN_BSSID_EX*>(copy.data() + offset);
        const CString ssid = SsidText(record->Ssid);
        const int row = m_comboSsid.AddString(ssid);
        if (row >= 0) {
            m_comboSsid.SetItemText(row, 1, MacText(record->MacAddress));
            if (ssid == match) found = row;
        }
        // A length shorter than the fixed part would loop or overlap: the walk ends there.
        if (record->Length < kNdisWlanBssidFixedBytes) break;
        offset += record->Length;
    }
    return found;
}

void CPageSystemConfigDlg::QueryAdhocMode()
{
    VN_802_11_STA_CONFIG config = {};
    config.AdhocMode = m_nAdhocMode;
    QXWLAPI.QXWL_QuerySTAConfig(&config);
    m_nAdhocMode = config.AdhocMode;
}

void CPageSystemConfigDlg::RebuildChannelList()
{
    ULONG wirelessMode = 0;
    QXWLAPI.QXWL_QueryWirelessMode(&wirelessMode);
    UCHAR channels[kChannelBytes] = {};
    ULONG count = 0;
    QXWLAPI.QXWL_GetAvailableChannels(m_nNetworkType, wirelessMode, m_nAdhocMode, channels, &count, kChannelQueryFlag);
    count = std::min<ULONG>(count, kChannelBytes);
    m_comboChannel.ResetContent();
    const int wanted = atoi(m_strChannel.GetString());
    int select = 0;
    for (ULONG i = 0; i < count; ++i) {
        if (std::find(std::begin(kSkippedChannels), std::end(kSkippedChannels), channels[i]) != std::end(kSkippedChannels))
            continue;
        CString text;
        text.Format("%d", channels[i]);
        const int row = m_comboChannel.AddString(text);
        if (channels[i] == wanted) select = row;
    }
    if (m_comboChannel.GetCount() > 0) m_comboChannel.SetCurSel(select);
}

void CPageSystemConfigDlg::OnInfrastructureMode()
{
    m_nNetworkType = kInfrastructure;
    m_btnNetworkType.SetWindowText(G_LangTable.IDS_INFRA);
    RebuildChannelList();
    ::ShowWindow(::GetDlgItem(m_hWnd, IDC_SYS_CHANNEL), SW_HIDE);
    ::ShowWindow(::GetDlgItem(m_hWnd, IDC_SYS_CHANNEL_LABEL), SW_HIDE);
    for (int id : {IDC_SYS_CAM, IDC_SYS_PSM, IDC_SYS_PSM_GROUP, IDC_SYS_CAM_LABEL, IDC_SYS_PSM_LABEL})
        ::EnableWindow(::GetDlgItem(m_hWnd, id), TRUE);
    SelectPreamble(kPreambleAuto);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_SYS_PREAMBLE), FALSE);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_SYS_PREAMBLE_LABEL), FALSE);
}

void CPageSystemConfigDlg::OnAdhocMode()
{
    m_nNetworkType = kAdhoc;
    m_btnNetworkType.SetWindowText(G_LangTable.IDS_ADHOC);
    RebuildChannelList();
    ::ShowWindow(::GetDlgItem(m_hWnd, IDC_SYS_CHANNEL), SW_SHOW);
    ::ShowWindow(::GetDlgItem(m_hWnd, IDC_SYS_CHANNEL_LABEL), SW_SHOW);
    for (int id : {IDC_SYS_CAM, IDC_SYS_PSM, IDC_SYS_PSM_GROUP, IDC_SYS_CAM_LABEL, IDC_SYS_PSM_LABEL})
        ::EnableWindow(::GetDlgItem(m_hWnd, id), FALSE);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_SYS_PREAMBLE), TRUE);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_SYS_PREAMBLE_LABEL), TRUE);
    if (m_pHost) m_pHost->OnAdhocChosen();
}

LRESULT CPageSystemConfigDlg::OnNetworkMenuPopup(WPARAM wParam, LPARAM)
{
    HMENU menu = reinterpret_cast<HMENU>(wParam);
    if (!menu) return 0;
    const bool station = QXWLAPI.QXWL_QueryOPMode() == 0;
    ::EnableMenuItem(menu, ID_NETTYPE_ADHOC, MF_BYCOMMAND | (station ? MF_ENABLED : MF_GRAYED));
    ::EnableMenuItem(menu, ID_NETTYPE_INFRA, MF_BYCOMMAND | MF_ENABLED);
    return 0;
}

void CPageSystemConfigDlg::SelectTxPower(ULONG index)
{
    if (index >= static_cast<ULONG>(kTxPowerLevels)) return;
    m_nTxPower = index;
    m_btnTxPower.SetWindowText(TxPowerText(static_cast<int>(index)));
}

void CPageSystemConfigDlg::OnTxPowerCommand(UINT nID)
{
    SelectTxPower(nID - ID_TXPOWER_FIRST);
}

void CPageSystemConfigDlg::SelectPreamble(ULONG index)
{
    m_nPreamble = index == kPreambleAuto ? kPreambleAuto : kPreambleLong;
    m_btnPreamble.SetWindowText(m_nPreamble == kPreambleAuto ? G_LangTable.IDS_SYS_AUTO : G_LangTable.IDS_SYS_LONG);
}

void CPageSystemConfigDlg::OnPreambleCommand(UINT nID)
{
    SelectPreamble(nID == ID_PREAMBLE_AUTO ? kPreambleAuto : kPreambleLong);
}

void CPageSystemConfigDlg::FillSsidFromScanTable(const NDIS_WLAN_BSSID_EX* entry, LPCSTR profileName, LPCSTR profileId)
{
    ResetToDefaults();
    SetNameAndId(profileName, profileId);
    if (entry) m_strSsid = SsidText(entry->Ssid);
    const int row = FillSsidCombo(m_strSsid);
    if (entry && entry->InfrastructureMode == Ndis802_11Infrastructure) OnInfrastructureMode();
    else OnAdhocMode();
    SelectTxPower(0);
    SelectPreamble(kPreambleAuto);
    QueryAdhocMode();
    if (entry) {
        const LONG channel = QXWLAPI.QXWL_FrequencyToChannel(entry->Configuration.DSConfig);
        if (channel != -1) m_strChannel.Format("%u", static_cast<unsigned>(channel));
    }
    RebuildChannelList();
    UpdateData(FALSE);
    m_comboSsid.SetCurSel(row);
    if (row < 0) m_comboSsid.SetWindowText(m_strSsid);
    CheckDlgButton(IDC_SYS_DIAGNOSTIC, m_bDiagnostic ? BST_CHECKED : BST_UNCHECKED);
    ApplyThresholdStates();
}

void CPageSystemConfigDlg::LoadFromScanEntry(LPCSTR profileName, LPCSTR profileId)
{
    ResetToDefaults();
    SetNameAndId(profileName, profileId);
    FillSsidCombo(CString());
    OnInfrastructureMode();
    SelectTxPower(0);
    SelectPreamble(kPreambleAuto);
    QueryAdhocMode();
    RebuildChannelList();
    UpdateData(FALSE);
    m_comboSsid.SetCurSel(-1);
    CheckDlgButton(IDC_SYS_DIAGNOSTIC, m_bDiagnostic ? BST_CHECKED : BST_UNCHECKED);
    ApplyThresholdStates();
}

void CPageSystemConfigDlg::LoadFromScanEntryEx()
{
    // The network-type command resets the preamble: the stored choices are kept aside first.
    const ULONG txPower = m_nTxPower, preamble = m_nPreamble;
    const int row = FillSsidCombo(m_strSsid);
    if (row >= 0) m_strSsid = m_comboSsid.GetItemText(row, 0);
    if (m_nNetworkType == kInfrastructure) OnInfrastructureMode();
    else OnAdhocMode();
    SelectTxPower(txPower);
    SelectPreamble(preamble);
    QueryAdhocMode();
    RebuildChannelList();
    UpdateData(FALSE);
    m_comboSsid.SetCurSel(row);
    if (row < 0) m_comboSsid.SetWindowText(m_strSsid);
    CheckDlgButton(IDC_SYS_DIAGNOSTIC, m_bDiagnostic ? BST_CHECKED : BST_UNCHECKED);
    ApplyThresholdStates();
}

void CPageSystemConfigDlg::ApplyThresholdStates()
{
    const BOOL rts = m_bUseRts ? TRUE : FALSE, frag = m_bUseFrag ? TRUE : FALSE;
    for (int id : {IDC_SYS_RTS_EDIT, IDC_SYS_RTS_SLIDER, IDC_SYS_RTS_MIN, IDC_SYS_RTS_MAX})
        ::EnableWindow(::GetDlgItem(m_hWnd, id), rts);
    for (int id : {IDC_SYS_FRAG_EDIT, IDC_SYS_FRAG_SLIDER, IDC_SYS_FRAG_MIN, IDC_SYS_FRAG_MAX})
        ::EnableWindow(::GetDlgItem(m_hWnd, id), frag);
}

void CPageSystemConfigDlg::OnShowWindow(BOOL bShow, UINT)
{
    Default();
    if (bShow) ApplyThresholdStates();
}

void CPageSystemConfigDlg::OnUseRts()
{
    UpdateData(TRUE);
    if (!m_bUseRts) ResetThreshold(m_nRtsThreshold, m_nRtsEdit, m_editRts, m_sliderRts, kRtsMax);
    ApplyThresholdStates();
}

void CPageSystemConfigDlg::OnUseFrag()
{
    UpdateData(TRUE);
    if (!m_bUseFrag) ResetThreshold(m_nFragThreshold, m_nFragEdit, m_editFrag, m_sliderFrag, kFragMax);
    ApplyThresholdStates();
}

void CPageSystemConfigDlg::ResetThreshold(int& threshold, int& editValue, CSmartEdit& edit, CLinkSlider& slider, int value)
{
    threshold = editValue = value;
    SetEditNumber(edit, value);
    slider.SetPos(value);
}

void CPageSystemConfigDlg::OnRtsEditChanged()
{
    if (!m_editRts.m_hWnd) return;
    m_nRtsEdit = EditNumber(m_editRts);
    if (m_nRtsEdit > kRtsMax) m_nRtsThreshold = m_nRtsEdit = kRtsMax;
    else m_nRtsThreshold = std::max(m_nRtsEdit, kRtsMin);
    m_sliderRts.SetPos(m_nRtsThreshold);
    // Only the pair being edited: the other fields may hold changes not read back yet.
    SetEditNumber(m_editRts, m_nRtsEdit);
}

void CPageSystemConfigDlg::OnFragEditChanged()
{
    if (!m_editFrag.m_hWnd) return;
    m_nFragEdit = EditNumber(m_editFrag);
    if (m_nFragEdit > kFragMax) m_nFragThreshold = m_nFragEdit = kFragMax;
    else m_nFragThreshold = std::max(m_nFragEdit, kFragMin);
    m_sliderFrag.SetPos(m_nFragThreshold);
    if (m_bCreated) SetEditNumber(m_editFrag, m_nFragEdit);
}

void CPageSystemConfigDlg::OnPowerSaveRadio()
{
    UpdateData(TRUE);
    if (m_pHost) m_pHost->OnPowerSaveClicked();
}

void CPageSystemConfigDlg::OnDestroy()
{
    for (CButtonST* button : {&m_btnNetworkType, &m_btnTxPower, &m_btnPreamble})
        if (button->m_hWnd) button->DestroyWindow();
    Default();
}
