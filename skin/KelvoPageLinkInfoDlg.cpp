#include "skin/KelvoPageLinkInfoDlg.h"
#include "base/DebugLog.h"
#include "base/LanguageTable.h"
#include "core/QXWLLIB.h"
#include "core/QxUI2008App.h"
#include "skin/KelvoPageDataRateDlg.h"
#include "skin/KelvoPageProfileDlg.h"
#include "skin/KelvoPageUIDlg.h"
#include "skin/SkinResourceScope.h"
#include "ui/LogFont.h"

#include <algorithm>
#include <cstring>
#include <iterator>

IMPLEMENT_DYNCREATE(CKelvoPageLinkInfoDlg, CDialog)

namespace {
constexpr COLORREF kLabelColor = 0x4F4F4F;
constexpr COLORREF kTitleColor = 0x4F4F4F;
constexpr ULONG kNdisWepEnabled = 0;
constexpr int kLastChannel24GHz = 14;
constexpr double kMaxSpeedB = 11.0, kMaxSpeedG = 54.0;

constexpr UINT kValueIds[] = {IDC_LINKINFO_PROFILE, IDC_LINKINFO_SSID,    IDC_LINKINFO_APMAC,   IDC_LINKINFO_NETTYPE,
                              IDC_LINKINFO_TXSPEED, IDC_LINKINFO_RXSPEED, IDC_LINKINFO_SECURITY, IDC_LINKINFO_CHANNEL,
                              IDC_LINKINFO_TXRATE,  IDC_LINKINFO_RXRATE,  IDC_LINKINFO_AUTH,    IDC_LINKINFO_NETMODE,
                              IDC_LINKINFO_TOTALTX, IDC_LINKINFO_TOTALRX, IDC_LINKINFO_QUALITY};
constexpr UINT kLabelIds[] = {IDC_LINKINFO_PROFILE_LABEL, IDC_LINKINFO_SSID_LABEL,     IDC_LINKINFO_APMAC_LABEL,
                              IDC_LINKINFO_NETTYPE_LABEL, IDC_LINKINFO_TXSPEED_LABEL,  IDC_LINKINFO_RXSPEED_LABEL,
                              IDC_LINKINFO_SECURITY_LABEL, IDC_LINKINFO_CHANNEL_LABEL, IDC_LINKINFO_TXRATE_LABEL,
                              IDC_LINKINFO_RXRATE_LABEL,  IDC_LINKINFO_AUTH_LABEL,     IDC_LINKINFO_NETMODE_LABEL,
                              IDC_LINKINFO_TOTALTX_LABEL, IDC_LINKINFO_TOTALRX_LABEL,  IDC_LINKINFO_QUALITY_LABEL};

// The unit texts, with their own names while the language file has none.
const CString& Mbps()
{
    static const CString fallback("Mbps");
    return G_LangTable.IDS_VAL_CONTRY_MBPS.IsEmpty() ? fallback : G_LangTable.IDS_VAL_CONTRY_MBPS;
}

const CString& Kbps()
{
    static const CString fallback("Kbps");
    return G_LangTable.IDS_VAL_CONTRY_KBPS.IsEmpty() ? fallback : G_LangTable.IDS_VAL_CONTRY_KBPS;
}

const CString& NotConnectedText()
{
    static const CString fallback("Not connected");
    return G_LangTable.IDS_VAL_NOT_CONNECTED.IsEmpty() ? fallback : G_LangTable.IDS_VAL_NOT_CONNECTED;
}

// The active profile as the profile list page reports it.
CKelvoPageProfileDlg* ProfilePage()
{
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    return main ? main->m_pPageProfileDlg : nullptr;
}
}  // namespace

BEGIN_MESSAGE_MAP(CKelvoPageLinkInfoDlg, CDialog)
    ON_WM_SHOWWINDOW()
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_BN_CLICKED(IDC_LINKINFO_TREND_CHART, OnTrendChart)
END_MESSAGE_MAP()

CKelvoPageLinkInfoDlg::CKelvoPageLinkInfoDlg() : CDialog(IDD) {}

CKelvoPageLinkInfoDlg::~CKelvoPageLinkInfoDlg()
{
    EndDataRateDialog();
}

void CKelvoPageLinkInfoDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    for (int i = 0; i < kValues; ++i) {
        DDX_Control(pDX, static_cast<int>(kValueIds[i]), m_value[i]);
        DDX_Control(pDX, static_cast<int>(kLabelIds[i]), m_label[i]);
    }
    DDX_Control(pDX, IDC_LINKINFO_NETSTATS_TITLE, m_titleNetStats);
    DDX_Control(pDX, IDC_LINKINFO_STATISTICS_TITLE, m_titleStatistics);
    DDX_Control(pDX, IDC_LINKINFO_SIGNAL_BAR_LABEL, m_labelSignalBar);
    DDX_Control(pDX, IDC_LINKINFO_QUALITY_BAR_LABEL, m_labelQualityBar);
    DDX_Control(pDX, IDC_LINKINFO_SIGNAL_BAR, m_barSignal);
    DDX_Control(pDX, IDC_LINKINFO_QUALITY_BAR, m_barQuality);
    DDX_Control(pDX, IDC_LINKINFO_TREND_CHART, m_btnTrendChart);
}

BOOL CKelvoPageLinkInfoDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const LOGFONTA valueFont = MakeLogFont("Tahoma", -11, 300);
    const LOGFONTA labelFont = MakeLogFont("Tahoma", -11, 800);
    const LOGFONTA titleFont = MakeLogFont("Arial", -12, 800);
    const LOGFONTA barFont = MakeLogFont("Arial", -11, 800);
    const CString* const labels[kValues] = {
        &G_LangTable.IDS_LAB_PROFILE_NAME,  &G_LangTable.IDS_LAB_NETWORK_NAME,   &G_LangTable.IDS_LAB_APMAC,
        &G_LangTable.IDS_LAB_NETWORK_TYPE,  &G_LangTable.IDS_LAB_TRANS_SPEED,    &G_LangTable.IDS_LAB_RECV_SPEED,
        &G_LangTable.IDS_LAB_SECURITY,      &G_LangTable.IDS_LAB_CHANNEL,        &G_LangTable.IDS_LAB_TRANS_RATE,
        &G_LangTable.IDS_LAB_RECV_RATE,     &G_LangTable.IDS_LAB_AUTHENTICATION, &G_LangTable.IDS_LAB_NETMODE,
        &G_LangTable.IDS_LAB_TOTAL_TRANS,   &G_LangTable.IDS_LAB_TOTAL_RECV,     &G_LangTable.IDS_LAB_LINK_QUALITY};
    for (int i = 0; i < kValues; ++i) {
        m_label[i].SetTextFont(kLabelColor, &labelFont);
        m_label[i].SetSkinText(*labels[i]);
        m_value[i].SetTextFont(kLabelColor, &valueFont);
        m_value[i].SetSkinText("");
    }
    m_titleNetStats.SetTextFont(kTitleColor, &titleFont);
    m_titleNetStats.SetSkinText(G_LangTable.IDS_LAB_NETSTATS_PAGE);
    m_titleStatistics.SetTextFont(kTitleColor, &titleFont);
    m_titleStatistics.SetSkinText(G_LangTable.IDS_LAB_STATISTICS_PAGE);
    m_labelSignalBar.SetTextFont(kLabelColor, &barFont);
    m_labelSignalBar.SetSkinText(G_LangTable.IDS_LAB_SIGNALSTREN_BAR);
    m_labelQualityBar.SetTextFont(kLabelColor, &barFont);
    m_labelQualityBar.SetSkinText(G_LangTable.IDS_LAB_LINK_QUALITY_BAR);
    m_barSignal.LoadBitmaps(kBarBitmapId, kBarBackgroundId, G_hKelvoImg);
    m_barQuality.LoadBitmaps(kBarBitmapId, kBarBackgroundId, G_hKelvoImg);
    m_barSignal.SetPercent(0, 1);
    m_barQuality.SetPercent(0, 1);
    return TRUE;
}

void CKelvoPageLinkInfoDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialog::OnShowWindow(bShow, nStatus);
    KillTimer(TIMER_LINKINFO_REFRESH);
    if (bShow) {
        SetTimer(TIMER_LINKINFO_REFRESH, kRefreshMs, nullptr);
        m_bRateFirstPass = 1;
        m_bTotalFirstPass = 1;
    }
}

void CKelvoPageLinkInfoDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == TIMER_LINKINFO_REFRESH) RefreshLinkInfo();
    else CDialog::OnTimer(nIDEvent);
}

void CKelvoPageLinkInfoDlg::OnDestroy()
{
    // Ended only: the object belongs to OnTrendChart, whose DoModal may still be on the stack.
    if (m_pDatarateDlg && m_pDatarateDlg->m_hWnd) m_pDatarateDlg->EndDialog(1);
    CDialog::OnDestroy();
}

void CKelvoPageLinkInfoDlg::EndDataRateDialog()
{
    if (!m_pDatarateDlg) return;
    if (m_pDatarateDlg->m_hWnd) m_pDatarateDlg->EndDialog(1);
    delete m_pDatarateDlg;
    m_pDatarateDlg = nullptr;
}

void CKelvoPageLinkInfoDlg::OnTrendChart()
{
    if (m_pDatarateDlg) return;  // already running
    KillTimer(TIMER_LINKINFO_REFRESH);
    m_pDatarateDlg = new CKelvoPageDatarateDlg(nullptr);
    if (DoModalSkinned(*m_pDatarateDlg) == -1)
        DebugLog(1, "[QxUI] The data-rate dialog could not be created\n");
    delete m_pDatarateDlg;
    m_pDatarateDlg = nullptr;
    m_bRateFirstPass = 1;
    if (m_hWnd) SetTimer(TIMER_LINKINFO_REFRESH, kRefreshMs, nullptr);
}

void CKelvoPageLinkInfoDlg::SetValue(Value v, LPCSTR text)
{
    if (m_value[v].m_hWnd) m_value[v].SetSkinText(text);
}

void CKelvoPageLinkInfoDlg::ClearValues()
{
    // Said in words: empty fields read as a page that failed to fill.
    for (int i = 0; i < kValues; ++i) SetValue(static_cast<Value>(i), NotConnectedText());
    m_barSignal.SetPercent(0, 1);
    m_barQuality.SetPercent(0, 1);
}

CString CKelvoPageLinkInfoDlg::NetworkModeText(int channel, double txMbps, double rxMbps)
{
    if (channel > kLastChannel24GHz) return "A";
    if (txMbps <= kMaxSpeedB && rxMbps <= kMaxSpeedB) return "B";
    if (txMbps <= kMaxSpeedG && rxMbps <= kMaxSpeedG) return "G";
    return "N";
}

CString CKelvoPageLinkInfoDlg::ThroughputText(ULONG bytesInPeriod)
{
    const double mbps = bytesInPeriod / kBytesPerMbitPeriod;
    CString text;
    if (mbps >= 1.0) text.Format("%.0f %s", mbps, Mbps().GetString());
    else text.Format("%.0f %s", mbps * 1000.0, Kbps().GetString());
    return text;
}

namespace {
// The name of an authentication code that names its security by itself, else null.
const char* AuthModeName(ULONG authMode)
{
    switch (authMode) {
    case 1: return "WEP";
    case 3: return "WPA";
    case 4:
    case 5: return "WPA-PSK";
    case 6: return "WPA2";
    case 7: return "WPA2-PSK";
    case 10: return "WAPI-PSK";
    case 11: return "WAPI-CertAuth";
    case 13: return "CCKM";
    default: return nullptr;
    }
}
}  // namespace

CString CKelvoPageLinkInfoDlg::ProfileAuthText(const WLANPROFILE& profile)
{
    const bool dot1x = profile.b8021X != 0;
    const bool wep = profile.enumAuthenMode == 1 ||
                     (!AuthModeName(profile.enumAuthenMode) && profile.enumEncryStatus == kNdisWepEnabled);
    if (wep) return dot1x ? "WEP 802.1X" : "WEP";
    if (const char* name = AuthModeName(profile.enumAuthenMode)) return name;
    return dot1x ? CString("802.1X") : G_LangTable.IDS_VAL_DISABLE;
}

bool CKelvoPageLinkInfoDlg::NamesAuthMode(ULONG authMode)
{
    return AuthModeName(authMode) != nullptr;
}

CString CKelvoPageLinkInfoDlg::SecurityText(ULONG authMode, ULONG encryStatus, const WLANPROFILE* profile)
{
    if (const char* name = AuthModeName(authMode)) return name;
    if (encryStatus != kNdisWepEnabled) return G_LangTable.IDS_VAL_DISABLE;
    return profile ? ProfileAuthText(*profile) : CString("WEP");
}

void CKelvoPageLinkInfoDlg::ShowProfileName()
{
    CKelvoPageProfileDlg* page = ProfilePage();
    if (page && page->m_bActiveProfile == 1) {
        SetValue(kProfile, page->m_strProfile);
        if (!page->m_strProfile.IsEmpty()) {
            m_strProfile = page->m_strProfile;
            m_bHasProfile = 1;
        }
        return;
    }
    m_bHasProfile = 0;
    SetValue(kProfile, "");
}

void CKelvoPageLinkInfoDlg::ShowThroughput()
{
    if (!m_bRateFirstPass) {
        const ULONG tx = CKelvoPageDatarateDlg::CounterDelta(m_nPrevTxBytes, m_status.txBytes, kMaxBytesPerPeriod);
        const ULONG rx = CKelvoPageDatarateDlg::CounterDelta(m_nPrevRxBytes, m_status.rxBytes, kMaxBytesPerPeriod);
        SetValue(kTxRate, ThroughputText(tx));
        SetValue(kRxRate, ThroughputText(rx));
    }
    m_nPrevTxBytes = m_status.txBytes;
    m_nPrevRxBytes = m_status.rxBytes;
    m_bRateFirstPass = 0;
}

void CKelvoPageLinkInfoDlg::ShowTotals()
{
    WLAN_STATUS totals{};
    WLAN_STATUS_QUERY query{};
    query.bTotals = 1;
    QXWLAPI.QXWL_QueryWLANStatus(&totals, query);
    const ULONGLONG tx = (static_cast<ULONGLONG>(totals.xmitOkHigh) << 32) | totals.xmitOkLow;
    const ULONGLONG rx = (static_cast<ULONGLONG>(totals.rcvTotalHigh) << 32) | totals.rcvTotalLow;
    // A counter below its baseline was reset under us (a driver restart): count again from it
    // rather than show a negative total.
    if (m_bTotalFirstPass || tx < m_nTxTotalBase) m_nTxTotalBase = tx;
    if (m_bTotalFirstPass || rx < m_nRxTotalBase) m_nRxTotalBase = rx;
    m_bTotalFirstPass = 0;
    CString text;
    text.Format("%llu", tx - m_nTxTotalBase);
    SetValue(kTotalTx, text);
    text.Format("%llu", rx - m_nRxTotalBase);
    SetValue(kTotalRx, text);
}

void CKelvoPageLinkInfoDlg::RefreshLinkInfo()
{
    if (!CKelvoPageDatarateDlg::QueryLinkStatus(m_status)) {
        ClearValues();
        return;
    }
    ShowProfileName();

    const ULONG ssidLength = std::min<ULONG>(m_status.Ssid.SsidLength, sizeof m_status.Ssid.Ssid);
    SetValue(kSsid, CString(reinterpret_cast<const char*>(m_status.Ssid.Ssid), static_cast<int>(ssidLength)));

    const UCHAR* b = m_status.Bssid;
    CString text;
    text.Format("%02X:%02X:%02X:%02X:%02X:%02X", b[0], b[1], b[2], b[3], b[4], b[5]);
    SetValue(kApMac, text);
    SetValue(kNetType, m_status.networkType ? G_LangTable.IDS_VAL_INFRA : G_LangTable.IDS_VAL_ADHOC);

    text.Format("%.1f %s", m_status.txRateMbps, Mbps().GetString());
    SetValue(kTxSpeed, text);
    text.Format("%.1f %s", m_status.rxRateMbps, Mbps().GetString());
    SetValue(kRxSpeed, text);

    m_nChannel = -1;
    if (m_status.frequency) m_nChannel = QXWLAPI.QXWL_FrequencyToChannel(m_status.frequency);
    text.Empty();
    if (m_nChannel != -1) text.Format("%u", static_cast<unsigned>(m_nChannel));
    SetValue(kChannel, text);

    WLANPROFILE profile{};
    const bool readProfile = !NamesAuthMode(m_status.authMode) && m_status.encryStatus == kNdisWepEnabled && m_bHasProfile;
    if (readProfile) {
        char name[128] = {};
        lstrcpynA(name, m_strProfile, sizeof name);
        QXWLAPI.QXWL_ReadProfileData(&profile, name);
    }
    SetValue(kSecurity, SecurityText(m_status.authMode, m_status.encryStatus, readProfile ? &profile : nullptr));

    ShowThroughput();
    SetValue(kAuth, m_status.authMode == 1 ? G_LangTable.IDS_VAL_SHARE : G_LangTable.IDS_VAL_OPEN);
    SetValue(kNetMode, NetworkModeText(m_nChannel, m_status.txRateMbps, m_status.rxRateMbps));
    ShowTotals();

    const ULONG quality = std::min<ULONG>(m_status.linkQuality, 100);
    text.Format("%d%%", static_cast<int>(quality));
    SetValue(kQuality, text);
    m_barQuality.SetPercent(static_cast<int>(quality / kBarSteps) * kBarSteps, 1);
    const ULONG signal = m_status.rssi0 == kNoSignalRssi ? 0 : std::min<ULONG>(m_status.signal0, 100);
    m_barSignal.SetPercent(static_cast<int>(signal / kBarSteps) * kBarSteps, 1);
}
