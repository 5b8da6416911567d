#include "station/CLinkStatusDlg.h"
#include "base/StationLibraryView.h"
#include "base/DebugLog.h"
#include "base/LanguageTable.h"
#include "core/QXWLLIB.h"
#include "contract/IeParseResult.h"
#include "contract/StationContract.h"

#include <algorithm>
#include <cstring>

namespace {
enum { kTx = 0, kRx = 1 };
// The throughput histories outlive the page (process-wide).
std::array<double, CLinkStatusDlg::kHistory> g_history[2] = {};

constexpr ULONG kHtModeWirelessMin = 5;
constexpr ULONG kLinkStateMax = 14;
constexpr ULONG kRssiNoAntenna = static_cast<ULONG>(-200);
constexpr ULONG kSnrNotAvailable = 44;
constexpr ULONG kPercentMax = 100, kTxPowerLowest = 6;
constexpr ULONG kRedBelow = 35, kYellowBelow = 70;
constexpr COLORREF kRed = 0x0000FF, kYellow = 0x32E6FA, kGreen = 0x00FF00, kBarMiddle = 0xF0CAA6;
constexpr COLORREF kRxGraph = 0x00FFFF;
constexpr DWORD kCaptionIsFormat = 0x100, kCaptionOnly = 0x300;
constexpr UINT kBarTimerMs = 55;
constexpr int kGraphLabelWidth = 50, kGraphRows = 2;
constexpr double kBytesPerTwoSecondsToMbps = 250.0 * 1000.0;  // 2 s, 8 bits, 10^6
constexpr ULONG kOidSnr2 = 0x0D7101C0;
constexpr ULONG kOidTxSettingVista = 0xFF0C0021, kOidTxSettingXp = 0x0D71011C;
constexpr ULONG kModelsRateWord = 3, kModelsTxSetting = 8;
constexpr double kRateUnitMbps = 0.5;
constexpr ULONG kMcsMask = 0x7F, kBw40Bit = 1u << 7, kShortGiBit = 1u << 8, kStbcBits = 3u << 9;
constexpr int kModeShift = 14;
constexpr ULONG kModeCck = 0, kModeOfdm = 1, kModeHtMixed = 2, kModeHtGreenfield = 3;
constexpr double kCckRates[] = {1.0, 2.0, 5.5, 11.0};
constexpr double kOfdmRates[] = {6, 9, 12, 18, 24, 36, 48, 54};
constexpr char kNotApplicable[] = "n/a";
constexpr int kTipNameChars = 50;

const CString CLanguageTable::*const kLinkMessageKeys[11] = {
    &CLanguageTable::IDS_GENERAL_LINK_UP, &CLanguageTable::IDS_GENERAL_LINK_DOWN, &CLanguageTable::IDS_HW_RADIO_OFF,
    &CLanguageTable::IDS_SW_RADIO_OFF, &CLanguageTable::IDS_AUTH_FAIL, &CLanguageTable::IDS_AUTH_FAIL_KEYS,
    &CLanguageTable::IDS_ASSOC_FAIL, &CLanguageTable::IDS_EAP_MIC_FAILURE, &CLanguageTable::IDS_EAP_4WAY_TIMEOUT,
    &CLanguageTable::IDS_EAP_GROUP_KEY_TIMEOUT, &CLanguageTable::IDS_EAP_SUCCESS,
};

const char* AuthText(ULONG code)
{
    switch (code) {
    case AUTH_SHARED: return "Shared";
    case AUTH_WPA: return "WPA";
    case AUTH_WPA_PSK: return "WPA-PSK";
    case AUTH_WPA_NONE: return "WPA-NONE";
    case AUTH_WPA2: return "WPA2";
    case AUTH_WPA2_PSK: return "WPA2-PSK";
    case AUTH_WAPI_PSK: return "WAPI-PSK";
    case AUTH_WAPI_CERT: return "WAPI-CertAuth";
    case AUTH_CCKM: return "CCKM";
    default: return "Open";
    }
}

const char* EncryText(ULONG code)
{
    switch (code) {
    case ENCRY_WEP: return "WEP";
    case ENCRY_WEP_NOT_SUPPORTED: return "WEP Not Supported";
    case ENCRY_TKIP:
    case ENCRY_TKIP_KEY_ABSENT: return "TKIP";
    case ENCRY_AES:
    case ENCRY_AES_KEY_ABSENT: return "AES";
    case ENCRY_SMS4: return "SMS4";
    case ENCRY_TKIP_MFP: return "TKIP(MFP)";
    case ENCRY_AES_MFP: return "AES(MFP)";
    default: return "NONE";
    }
}

COLORREF BarColor(ULONG percent)
{
    return percent < kRedBelow ? kRed : percent < kYellowBelow ? kYellow : kGreen;
}

CString Ip(const UCHAR (&a)[4])
{
    CString text;
    text.Format("%d.%d.%d.%d", a[0], a[1], a[2], a[3]);
    return text;
}

// The record's network name, limited to its length.
CString SsidText(const WLAN_STATUS& status)
{
    return CString(reinterpret_cast<const char*>(status.Ssid.Ssid),
                   static_cast<int>(std::min<ULONG>(status.Ssid.SsidLength, kSsidMaxLength)));
}
}  // namespace

BEGIN_MESSAGE_MAP(CLinkStatusDlg, CClassicDlg)
    ON_WM_SHOWWINDOW()
    ON_WM_TIMER()
    ON_NOTIFY_EX(TTN_NEEDTEXTA, 0, OnToolTipText)
    ON_NOTIFY_EX(TTN_NEEDTEXTW, 0, OnToolTipText)
END_MESSAGE_MAP()

CLinkStatusDlg::CLinkStatusDlg(CWnd* pParent) : CClassicDlg(IDD, pParent)
{
    for (ULONG code = 0; code < m_messages.size(); ++code) {
        m_messages[code].code = code;
        strncpy(m_messages[code].text, G_LangTable.*kLinkMessageKeys[code], sizeof m_messages[code].text - 1);
    }
}

void CLinkStatusDlg::DoDataExchange(CDataExchange* pDX)
{
    CClassicDlg::DoDataExchange(pDX);
    const int bars[4] = {IDC_LINK_QUALITY, IDC_LINK_SIGNAL0, IDC_LINK_SIGNAL1, IDC_LINK_SIGNAL2};
    for (int i = 0; i < 4; ++i) DDX_Control(pDX, bars[i], m_bars[i]);
    DDX_Control(pDX, IDC_LINK_TX_GRAPH, m_graphs[kTx]);
    DDX_Control(pDX, IDC_LINK_RX_GRAPH, m_graphs[kRx]);
    DDX_Control(pDX, IDC_LINK_SEP_TX, m_separators[kTx]);
    DDX_Control(pDX, IDC_LINK_SEP_RX, m_separators[kRx]);
    const struct { int id; CString CLinkStatusDlg::*text; } texts[] = {
        {IDC_LINK_STATUS_LINE, &CLinkStatusDlg::m_strStatus}, {IDC_LINK_AP_IP, &CLinkStatusDlg::m_strApIp},
        {IDC_LINK_EXTRA, &CLinkStatusDlg::m_strExtraInfo}, {IDC_LINK_CHANNEL, &CLinkStatusDlg::m_strChannel},
        {IDC_LINK_AUTH, &CLinkStatusDlg::m_strAuth}, {IDC_LINK_ENCRY, &CLinkStatusDlg::m_strEncry},
        {IDC_LINK_NETWORK_TYPE, &CLinkStatusDlg::m_strNetworkType}, {IDC_LINK_IP, &CLinkStatusDlg::m_strIp},
        {IDC_LINK_MASK, &CLinkStatusDlg::m_strMask}, {IDC_LINK_GATEWAY, &CLinkStatusDlg::m_strGateway},
        {IDC_LINK_TX_RATE, &CLinkStatusDlg::m_strTxRate}, {IDC_LINK_TX_THROUGHPUT, &CLinkStatusDlg::m_strTxThroughput},
        {IDC_LINK_RX_RATE, &CLinkStatusDlg::m_strRxRate}, {IDC_LINK_RX_THROUGHPUT, &CLinkStatusDlg::m_strRxThroughput},
        {IDC_LINK_HT_BW, &CLinkStatusDlg::m_strBandwidth}, {IDC_LINK_HT_GI, &CLinkStatusDlg::m_strGuardInterval},
        {IDC_LINK_HT_STBC, &CLinkStatusDlg::m_strStbc}, {IDC_LINK_HT_MCS, &CLinkStatusDlg::m_strMcs},
        {IDC_LINK_SNR0, &CLinkStatusDlg::m_strSnr0}, {IDC_LINK_SNR1, &CLinkStatusDlg::m_strSnr1},
        {IDC_LINK_SNR2, &CLinkStatusDlg::m_strSnr2},
    };
    for (const auto& t : texts) DDX_Text(pDX, t.id, this->*t.text);
}

BOOL CLinkStatusDlg::OnInitDialog()
{
    CClassicDlg::OnInitDialog();
    const struct { int id; CString CLanguageTable::*key; } labels[] = {
        {IDC_LINK_LBL_STATUS, &CLanguageTable::IDS_LINK_STATUS}, {IDC_LINK_LBL_EXTRA, &CLanguageTable::IDS_LINK_EXTRA_INFO},
        {IDC_LINK_LBL_CHANNEL, &CLanguageTable::IDS_LINK_CHANNEL}, {IDC_LINK_LBL_AUTH, &CLanguageTable::IDS_LINK_AUTHEN},
        {IDC_LINK_LBL_ENCRY, &CLanguageTable::IDS_LINK_ENCRY}, {IDC_LINK_LBL_NETWORK, &CLanguageTable::IDS_NETWORK_TYPE},
        {IDC_LINK_LBL_IP, &CLanguageTable::IDS_LINK_IP_ADDR}, {IDC_LINK_LBL_MASK, &CLanguageTable::IDS_LINK_SUB_MASK},
        {IDC_LINK_LBL_GATEWAY, &CLanguageTable::IDS_LINK_DEF_GATEWAY}, {IDC_LINK_SEP_TX, &CLanguageTable::IDS_LINK_TRANSMIT},
        {IDC_LINK_LBL_TXRATE, &CLanguageTable::IDS_LINK_TXRATE}, {IDC_LINK_LBL_TXTHROUGHPUT, &CLanguageTable::IDS_LINK_THROUGHT},
        {IDC_LINK_LBL_RXRATE, &CLanguageTable::IDS_LINK_TXRATE}, {IDC_LINK_LBL_RXTHROUGHPUT, &CLanguageTable::IDS_LINK_THROUGHT},
        {IDC_LINK_SEP_RX, &CLanguageTable::IDS_LINK_RECEIVE},
    };
    for (const auto& l : labels) {
        SetDlgItemText(l.id, G_LangTable.*l.key);
        GetDlgItem(l.id)->SetFont(&m_font);
    }
    for (int id : {IDC_LINK_STATUS_LINE, IDC_LINK_AP_IP, IDC_LINK_EXTRA, IDC_LINK_CHANNEL, IDC_LINK_AUTH, IDC_LINK_ENCRY,
                   IDC_LINK_NETWORK_TYPE, IDC_LINK_IP, IDC_LINK_MASK, IDC_LINK_GATEWAY, IDC_LINK_TX_RATE,
                   IDC_LINK_TX_THROUGHPUT, IDC_LINK_RX_RATE, IDC_LINK_RX_THROUGHPUT}) {
        GetDlgItem(id)->SetFont(&m_font);
        GetDlgItem(id)->ShowWindow(SW_SHOW);
    }
    const CString CLanguageTable::*captions[4] = {&CLanguageTable::IDS_LINK_QUALITY, &CLanguageTable::IDS_LINK_STRENGTH,
                                                  &CLanguageTable::IDS_LINK_STRENGTH2, &CLanguageTable::IDS_LINK_STRENGTH3};
    for (int i = 0; i < 4; ++i) {
        m_bars[i].SetColors(3, kGreen, kBarMiddle, kGreen);
        m_bars[i].RestartControlTimer(kBarTimerMs, 1);
        m_bars[i].SetText(G_LangTable.*captions[i], kCaptionIsFormat);
        m_bars[i].SetFont(&m_font, TRUE);
        m_bars[i].SetPos(0);
    }
    for (int d = kTx; d <= kRx; ++d) {
        m_graphs[d].SetLabelWidth(kGraphLabelWidth);
        m_graphs[d].SetGridRows(kGraphRows);
        m_graphs[d].SetLabel(0, "Max");
        m_graphs[d].SetLabel(1, ThroughputText(0));
        m_graphs[d].SetBarColor(d == kTx ? kGreen : kRxGraph);
        m_graphs[d].SetFont(&m_font);
        g_history[d].fill(0);
    }
    for (int id : {IDC_LINK_LBL_HT, IDC_LINK_LBL_BW, IDC_LINK_LBL_GI, IDC_LINK_LBL_STBC, IDC_LINK_LBL_MCS,
                   IDC_LINK_LBL_SNR0, IDC_LINK_LBL_SNR1, IDC_LINK_LBL_SNR2, IDC_LINK_HT_BW, IDC_LINK_HT_GI,
                   IDC_LINK_HT_STBC, IDC_LINK_HT_MCS, IDC_LINK_SNR0, IDC_LINK_SNR1, IDC_LINK_SNR2}) {
        GetDlgItem(id)->SetFont(&m_font);
        GetDlgItem(id)->ShowWindow(SW_SHOW);
    }
    UpdateAntennaBars();
    EnableToolTips(TRUE);
    return TRUE;
}

void CLinkStatusDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    Default();
    if (!bShow) {
        KillTimer(kRefreshTimer);
        return;
    }
    m_htTable.Init();
    for (CString* s : {&m_strStatus, &m_strApIp, &m_strExtraInfo, &m_strChannel, &m_strAuth, &m_strEncry,
                       &m_strNetworkType, &m_strIp, &m_strMask, &m_strGateway, &m_strTxRate, &m_strTxThroughput,
                       &m_strRxRate, &m_strRxThroughput})
        s->Empty();
    m_maxThroughput[kTx] = m_maxThroughput[kRx] = 0;
    // Bytes counted while the page was hidden are no throughput of the next two seconds.
    m_bFirstRefresh = TRUE;
    m_strLinkMessage.Empty();
    for (CMorviStaticHistogram& graph : m_graphs) {
        graph.SetLabel(1, "0.000 Mbps");
        graph.ClearValues();
    }
    UpdateAntennaBars();
    UpdateHtLabels();
    SetTimer(kRefreshTimer, kRefreshMs, nullptr);
}

void CLinkStatusDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kRefreshTimer)
        Refresh();
}

BOOL CLinkStatusDlg::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    // The tool is the control itself (TTF_IDISHWND), or a plain control id.
    const bool wide = pNMHDR->code == TTN_NEEDTEXTW;
    auto* tipA = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
    auto* tipW = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
    UINT_PTR id = pNMHDR->idFrom;
    if ((wide ? tipW->uFlags : tipA->uFlags) & TTF_IDISHWND)
        id = static_cast<UINT_PTR>(::GetDlgCtrlID(reinterpret_cast<HWND>(pNMHDR->idFrom)));
    if (id == 0)
        return FALSE;
    *pResult = 0;
    if (id != IDC_LINK_STATUS_LINE)
        return TRUE;
    // A tip can be asked for while the station library is released (access-point mode).
    if (!QXWLAPI.IsLoaded())
        return TRUE;
    WLAN_STATUS status = {};
    QXWLAPI.QXWL_QueryWLANStatus(&status, WLAN_STATUS_QUERY{0, 1, 0, 0, 0});
    if (status.status != QxStatus_Connected)
        return TRUE;
    const UCHAR* b = status.Bssid;
    CString text;
    text.Format("%s <--> %02X-%02X-%02X-%02X-%02X-%02X", SsidText(status).Left(kTipNameChars).GetString(), b[0], b[1],
                b[2], b[3], b[4], b[5]);
    if (wide) {
        ::MultiByteToWideChar(CP_ACP, 0, text.GetString(), -1, tipW->szText, static_cast<int>(std::size(tipW->szText)));
        tipW->szText[std::size(tipW->szText) - 1] = L'\0';
    } else {
        lstrcpynA(tipA->szText, text.GetString(), static_cast<int>(sizeof tipA->szText));
    }
    return TRUE;
}

void CLinkStatusDlg::UpdateAntennaBars()
{
    // The page is set up with the main window, which may exist before the library is bound.
    if (!QXWLAPI.IsLoaded())
        return;
    WLAN_STATUS status = {};
    QXWLAPI.QXWL_QueryWLANStatus(&status, WLAN_STATUS_QUERY{0, 0, 1, 0, 0});
    m_bars[2].ShowWindow(status.antenna1Present ? SW_SHOW : SW_HIDE);
    m_bars[3].ShowWindow(status.antenna1Present && status.antenna2Present ? SW_SHOW : SW_HIDE);
}

void CLinkStatusDlg::UpdateHtLabels()
{
    const int show = QXWLAPI.QXWL_Is80211NSupport() ? SW_SHOW : SW_HIDE;
    for (int id : {IDC_LINK_LBL_HT, IDC_LINK_LBL_BW, IDC_LINK_LBL_GI, IDC_LINK_LBL_MCS, IDC_LINK_LBL_SNR0,
                   IDC_LINK_LBL_SNR1, IDC_LINK_HT_BW, IDC_LINK_HT_GI, IDC_LINK_HT_MCS, IDC_LINK_SNR0, IDC_LINK_SNR1})
        GetDlgItem(id)->ShowWindow(show);
    if (show == SW_HIDE)
        for (int id : {IDC_LINK_LBL_SNR2, IDC_LINK_SNR2}) GetDlgItem(id)->ShowWindow(SW_HIDE);
    for (int id : {IDC_LINK_LBL_STBC, IDC_LINK_HT_STBC}) GetDlgItem(id)->ShowWindow(SW_HIDE);
}

double CLinkStatusDlg::ThroughputMbps(ULONG previous, ULONG current)
{
    if (previous > current)
        return 0;
    return (current - previous) / kBytesPerTwoSecondsToMbps;
}

CString CLinkStatusDlg::ThroughputText(double mbps)
{
    CString text;
    if (mbps < 1.0)
        text.Format("%.3f Kbps", mbps * 1000);
    else
        text.Format("%.3f Mbps", mbps);
    return text;
}

double CLinkStatusDlg::RateOfTransmitSetting(ULONG word) const
{
    const ULONG mcs = word & kMcsMask;
    switch ((word & 0xFFFF) >> kModeShift) {
    case kModeCck:
        // MCS 0-3 and 8-11 name the four CCK rates.
        return (mcs & ~8u) < std::size(kCckRates) ? kCckRates[mcs & 3] : 0;
    case kModeOfdm:
        return mcs < std::size(kOfdmRates) ? kOfdmRates[mcs] : 0;
    case kModeHtMixed:
    case kModeHtGreenfield: {
        double rate = 0;
        return m_htTable.GetRate((word & kBw40Bit) != 0, (word & kShortGiBit) ? 1 : 0, static_cast<int>(mcs), &rate) ? rate : 0;
    }
    default: return 0;
    }
}

void CLinkStatusDlg::SetBar(CProgressCtrlX& bar, ULONG percent)
{
    if (percent <= kPercentMax) {
        const COLORREF c = BarColor(percent);
        bar.SetColors(3, c, kBarMiddle, c);
    }
    bar.SetPos(static_cast<int>(percent));
}

void CLinkStatusDlg::SetNotApplicable(bool withSnr2)
{
    for (CString* s : {&m_strBandwidth, &m_strGuardInterval, &m_strStbc, &m_strMcs, &m_strSnr0, &m_strSnr1})
        *s = kNotApplicable;
    if (withSnr2)
        m_strSnr2 = kNotApplicable;
}

void CLinkStatusDlg::Refresh()
{
    UpdateData(TRUE);
    WLAN_STATUS status = {};
    QXWLAPI.QXWL_QueryWLANStatus(&status, WLAN_STATUS_QUERY{1, 1, 1, 1, 0});
    const LONG os = QXWLAPI.WinOS();

    BOOL bRadioOff = FALSE;
    // States without a message of their own keep the last message; the extra text is built
    // afresh from it, never from the control, so the transmit power is appended once.
    if (status.linkState > kLinkStateMax) {
        m_strLinkMessage.Empty();
    } else if (status.linkState < m_messages.size()) {
        m_strLinkMessage = m_messages[status.linkState].text;
        bRadioOff = status.linkState == LINK_STATE_HW_RADIO_OFF;
    }
    m_strExtraInfo = m_strLinkMessage;
    const ULONG mode = (status.htTransmitSetting & 0xFFFF) >> kModeShift;
    BOOL bNotApplicable = !(mode == kModeHtMixed || mode == kModeHtGreenfield);
    if (!bNotApplicable && os >= kVistaOsCode) {
        ULONG wireless = 0;
        QXWLAPI.QXWL_QueryWirelessMode(&wireless);
        if (wireless < kHtModeWirelessMin) bNotApplicable = TRUE;
    }
    const bool bssidZero = std::all_of(std::begin(status.Bssid), std::end(status.Bssid), [](UCHAR b) { return b == 0; });
    if (status.status == kStatusNotConnected)
        ShowDisconnected(bNotApplicable, FALSE, bRadioOff);
    else if (bRadioOff)
        ShowDisconnected(bNotApplicable, TRUE, TRUE);
    else if (status.status != QxStatus_Connected || bssidZero)
        ShowDisconnected(bNotApplicable, TRUE, FALSE);
    else
        ShowConnected(status, bNotApplicable);
}

void CLinkStatusDlg::ShowConnected(const WLAN_STATUS& status, BOOL bNotApplicable)
{
    const LONG os = QXWLAPI.WinOS();
    const CString name = SsidText(status);
    const UCHAR* b = status.Bssid;
    BYTE ap[20] = {};
    const bool apKnown = QXWLAPI.QXWL_QueryAPIPAddress(ap) && (ap[0] | ap[1] | ap[2] | ap[3]);
    const int cut = apKnown ? 3 : 10;
    const CString shown = name.GetLength() > cut ? name.Left(cut) + ".." : name;
    m_strStatus.Format(apKnown ? "%s <--> %02X-%02X-%02X-%02X-%02X-%02X " : "%s <--> %02X-%02X-%02X-%02X-%02X-%02X",
                       shown.GetString(), b[0], b[1], b[2], b[3], b[4], b[5]);
    m_strApIp.Empty();
    if (apKnown) {
        const CString apName(reinterpret_cast<const char*>(ap + 4), 16);
        if (apName.IsEmpty()) m_strApIp.Format("[%d.%d.%d.%d]", ap[0], ap[1], ap[2], ap[3]);
        else m_strApIp.Format("[%d.%d.%d.%d] - (%s)", ap[0], ap[1], ap[2], ap[3], apName.GetString());
    }
    m_strIp = Ip(status.ipAddress);
    m_strMask = Ip(status.ipMask);
    m_strGateway = Ip(status.ipGateway);
    m_strNetworkType = status.networkType == 0 ? G_LangTable.IDS_IBSS : G_LangTable.IDS_INFRA;
    m_strAuth = AuthText(status.authMode);
    m_strEncry = EncryText(status.encryStatus);
    CCX2_CONTROL ccx = {};
    QXWLAPI.QXWL_ReadCCX2Cont(&ccx);
    if (os < kVistaOsCode) {
        const BOOL queried = QXWLAPI.QXWL_QueryCCXInfo(&ccx);
        ULONG word;
        memcpy(&word, &ccx, sizeof word);
        if (!queried) DebugLog(1, "[QxUI]  Link Status: QXWL_QueryCCXInfo() return FALSE\n");
        else if (word & (1u << 1)) m_strAuth += "+CCKM";
        if ((word & (1u << 26)) && (m_strEncry == "TKIP" || m_strEncry == "AES")) m_strEncry += "(MFP)";
    }
    const LONG channel = status.frequency ? QXWLAPI.QXWL_FrequencyToChannel(status.frequency) : -1;
    m_strChannel.Empty();
    if (channel != -1)
        m_strChannel.Format("%u <--> %d MHz", static_cast<unsigned>(channel), static_cast<int>(status.frequency / 1000));

    const BOOL has11n = QXWLAPI.QXWL_Is80211NSupport();
    if (has11n) {
        if (bNotApplicable && !m_bHtNotApplicable) {
            m_bHtNotApplicable = TRUE;
            SetNotApplicable(false);
        } else if (!bNotApplicable) {
            m_bHtNotApplicable = FALSE;
        }
    }
    m_strRxRate.Format("%.1f Mbps", status.rxRateMbps);
    m_strTxRate.Format("%.1f Mbps", status.txRateMbps);
    ULONG model = 0;
    if (QXWLAPI.QXWL_GetCurrentDeviceModel(&model)) {
        if (model <= kModelsRateWord) {
            m_strTxRate.Format("%.1f Mbps", status.txRate * kRateUnitMbps);
        } else if (model <= kModelsTxSetting) {
            ULONG word = 0, written = 0;
            QXWLAPI.QXWL_OIDQueryInfo(os >= kVistaOsCode ? kOidTxSettingVista : kOidTxSettingXp,
                                      reinterpret_cast<BYTE*>(&word), sizeof word, &written);
            word &= 0xFFFF;
            m_strTxRate.Format("%.1f Mbps", RateOfTransmitSetting(word));
            if (!m_bHtNotApplicable && has11n) SetHtValues(word);
        }
    }
    AppendCentralChannel(status, has11n);
    UpdateThroughput(status);
    SetBar(m_bars[0], status.linkQuality);
    const LONG rssi[3] = {status.rssi0, status.rssi1, status.rssi2};
    const ULONG strength[3] = {status.signal0, status.signal1, status.signal2};
    const CString CLanguageTable::*first[3] = {&CLanguageTable::IDS_LINK_STRENGTH, &CLanguageTable::IDS_LINK_STRENGTH2,
                                               &CLanguageTable::IDS_LINK_STRENGTH3};
    const CString CLanguageTable::*absent[3] = {&CLanguageTable::IDS_STRENGTH1, &CLanguageTable::IDS_STRENGTH2,
                                                &CLanguageTable::IDS_STRENGTH3};
    for (int i = 0; i < 3; ++i) {
        if (static_cast<ULONG>(rssi[i]) == kRssiNoAntenna) {
            m_bars[i + 1].SetText(G_LangTable.*absent[i], kCaptionOnly);
            m_bars[i + 1].SetPos(0);
        } else {
            m_bars[i + 1].SetText(G_LangTable.*first[i], kCaptionIsFormat);
            SetBar(m_bars[i + 1], std::min(strength[i], kPercentMax));
        }
    }
    UpdateAntennaBars();
    UpdateSnr(bNotApplicable, status.snr0, status.snr1);
    CString power;
    if (status.txPower == kPercentMax) power = "100%";
    else if (status.txPower <= kTxPowerLowest) power = "Lowest";
    else power.Format("%d%%", static_cast<int>(status.txPower));
    m_strExtraInfo.AppendFormat(" [%s:%s]", G_LangTable.IDS_PROF_TX_POWER.GetString(), power.GetString());
    UpdateData(FALSE);
}

void CLinkStatusDlg::AppendCentralChannel(const WLAN_STATUS& status, BOOL has11n)
{
    if (!has11n || m_strChannel.IsEmpty()) return;
    ULONG wireless = 0;
    QXWLAPI.QXWL_QueryWirelessMode(&wireless);
    const REPOSIT_BSSID_LIST& repository = QXWLAPI.listRepositBssid;
    if (wireless < kHtModeWirelessMin || !repository.pBssidList || repository.pBssidList->NumberOfItems == 0) return;
    BssidListView entries(repository.pBssidList, repository.nBufferSize, "CLinkStatusDlg::Refresh");
    for (size_t i = 0; i < entries.Count(); ++i) {
        const NDIS_WLAN_BSSID_EX& entry = entries[i];
        if (memcmp(entry.MacAddress, status.Bssid, sizeof status.Bssid) != 0) continue;
        IE_PARSE_RESULT parsed{};
        QXWLAPI.QXWL_ParseInfoElement(&entry, &parsed);
        const ULONG mode = (status.htTransmitSetting & 0xFFFF) >> kModeShift;
        const bool htMode = mode == kModeHtMixed || mode == kModeHtGreenfield;
        const bool htInfrastructure = parsed.bHT && entry.InfrastructureMode == Ndis802_11Infrastructure;
        if (htMode && (htInfrastructure || entry.InfrastructureMode == Ndis802_11IBSS))
            m_strChannel.AppendFormat("; %s : %d", G_LangTable.IDS_LINKSTATUS_CENTRAL_CHANNEL.GetString(),
                                      static_cast<int>(status.centralChannel));
        return;
    }
}

void CLinkStatusDlg::SetHtValues(ULONG word)
{
    m_strBandwidth = (word & kBw40Bit) ? "40" : "20";
    m_strGuardInterval = (word & kShortGiBit) ? "short" : "long";
    m_strStbc = (word & kStbcBits) ? "used" : "none";
    m_strMcs.Format("%d", static_cast<int>(word & kMcsMask));
}

void CLinkStatusDlg::UpdateSnr(BOOL bNotApplicable, ULONG snr0, ULONG snr1)
{
    DebugLog(4, "[QxUI] GetSNR(): bNA = %d\n\n", bNotApplicable);
    auto text = [&](ULONG snr) {
        CString s;
        if (snr == 0 || snr == kSnrNotAvailable || bNotApplicable) s = kNotApplicable;
        else s.Format("%d", static_cast<int>(snr));
        return s;
    };
    m_strSnr0 = text(snr0);
    m_strSnr1 = text(snr1);
    ULONG snr2 = 0, written = 0;
    const BOOL ok = QXWLAPI.QXWL_OIDQueryInfo(kOidSnr2, reinterpret_cast<BYTE*>(&snr2), sizeof snr2, &written);
    DebugLog(4, ok ? "[QxUI] GetSNR(): QXWL_OIDQueryInfo() return TRUE, show SNR2\n"
                   : "[QxUI] GetSNR(): QXWL_OIDQueryInfo() return FALSE, hide SNR2\n");
    for (int id : {IDC_LINK_LBL_SNR2, IDC_LINK_SNR2}) GetDlgItem(id)->ShowWindow(ok ? SW_SHOW : SW_HIDE);
    if (ok) m_strSnr2 = text(snr2);
}

void CLinkStatusDlg::AddToGraph(int d, double mbps)
{
    std::rotate(g_history[d].begin(), g_history[d].begin() + 1, g_history[d].end());
    g_history[d].back() = mbps;
    m_maxThroughput[d] = *std::max_element(g_history[d].begin(), g_history[d].end());
    m_graphs[d].SetRangeMax(m_maxThroughput[d]);
    m_graphs[d].SetLabel(1, ThroughputText(m_maxThroughput[d]));
    m_graphs[d].AddValue(mbps);
}

void CLinkStatusDlg::UpdateThroughput(const WLAN_STATUS& status)
{
    DebugLog(4, "[QxUI] LinkStatus.TxByteCount is %d\n", static_cast<int>(status.txBytes));
    DebugLog(4, "[QxUI] m_lTxCount is %d\n", static_cast<int>(m_lastBytes[kTx]));
    const ULONG current[2] = {status.txBytes, status.rxBytes};
    if (m_bFirstRefresh) {
        m_lastBytes[kTx] = current[kTx];
        m_lastBytes[kRx] = current[kRx];
        m_bFirstRefresh = FALSE;
        return;
    }
    for (int d = kTx; d <= kRx; ++d) {
        const double mbps = ThroughputMbps(m_lastBytes[d], current[d]);
        m_lastBytes[d] = current[d];
        (d == kTx ? m_strTxThroughput : m_strRxThroughput) = ThroughputText(mbps);
        AddToGraph(d, mbps);
        DebugLog(4, d == kTx ? "[QxUI] Tx throughput is %.3f" : "[QxUI] Rx throughput is %.3f", mbps);
    }
}

void CLinkStatusDlg::ShowDisconnected(BOOL bNotApplicable, BOOL bConnected, BOOL bRadioOff)
{
    CString line;
    if (QXWLAPI.WinOS() >= kVistaOsCode) {
        if (bRadioOff) line = G_LangTable.IDS_RADIOOFF;
        else if (!bConnected)
            line = QXWLAPI.QXWL_CheckMSConfigService() ? G_LangTable.IDS_DRIVER_NOTOK : CString("AutoConfig service is disable");
        else if (!QXWLAPI.QXWL_ReadRadioStatus()) line = G_LangTable.IDS_RADIOOFF;
        else if (QXWLAPI.QXWL_IsWAPIConnecting() == 1)
            line.Format("%s <--> %d %%", G_LangTable.IDS_PROCESSING_WAPI_CONN.GetString(),
                        static_cast<int>(QXWLAPI.QXWL_GetWAPIProgress()));
        else line = G_LangTable.IDS_DISCONNECTED;
    } else {
        if (!bConnected) line = G_LangTable.IDS_DRIVER_NOTOK;
        else if (!QXWLAPI.QXWL_ReadRadioStatus()) line = G_LangTable.IDS_RADIOOFF;
        else {
            VN_802_11_STA_CONFIG config = {};
            QXWLAPI.QXWL_QuerySTAConfig(&config);
            line = config.HwRadioStatus ? G_LangTable.IDS_DISCONNECTED : G_LangTable.IDS_RADIOOFF;
        }
    }
    for (CString* s : {&m_strApIp, &m_strExtraInfo, &m_strChannel, &m_strAuth, &m_strEncry, &m_strNetworkType,
                       &m_strIp, &m_strMask, &m_strGateway, &m_strTxRate, &m_strTxThroughput, &m_strRxRate,
                       &m_strRxThroughput})
        s->Empty();
    m_strStatus = line;
    m_bFirstRefresh = TRUE;  // the next link's counters start a new baseline
    for (CProgressCtrlX& bar : m_bars) bar.SetPos(0);
    if (!(bNotApplicable && m_bHtNotApplicable) && QXWLAPI.QXWL_Is80211NSupport())
        SetNotApplicable(true);
    AddToGraph(kTx, 0);
    AddToGraph(kRx, 0);
    UpdateData(FALSE);
}
