#include "softap/KelvoPageApLinkInfoDlg.h"
#include "base/DebugLog.h"
#include "base/LanguageTable.h"
#include "base/TextChecks.h"
#include "contract/StationContract.h"
#include "core/QXAPLIB.h"
#include "core/QXWLLIB.h"
#include "core/QxUI2008App.h"
#include "core/hidedlg/HideDlg.h"
#include "skin/KelvoPageUIDlg.h"
#include "softap/ApTitleBand.h"
#include "softap/ConfigPage.h"
#include "softap/ExtAPMACTableDlg.h"
#include "softap/PageExtAPDlg.h"
#include "ui/LogFont.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNCREATE(CKelvoPageApLinkInfoDlg, CDialog)

namespace {
constexpr char kFactorySsidPrefix[] = "Kelvo_WLAN-";
constexpr int kFactorySuffixedChars = 13;
constexpr ULONG kAuthOpen = 0, kAuthShared = 1, kAuthWpaPsk = 4, kAuthWpa2Psk = 7, kAuthMixed = 9;
constexpr ULONG kEncNone = 1;
constexpr ULONG kFirstLegacyModel = 2, kFirst11nModel = 4, kLastModel = 8;
constexpr ULONG kLinkSpeedUnitsPerMbps = 10000;  // the driver counts in 100 bit/s
constexpr COLORREF kListTitleColor = 0x818181;
constexpr COLORREF kValueColor = 0, kValueBack = 0xFDFDFD;
constexpr UINT kRefreshHover = 1037, kRefreshNormal = 1036;
constexpr DWORD kListStyles = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES;  // 0x21
constexpr double kBlankColumnShare = 0.15, kMacColumnShare = 0.80;

constexpr int kLabelIds[] = {IDC_KAPLINK_SSID_LABEL, IDC_KAPLINK_CHANNEL_LABEL, IDC_KAPLINK_RATE_LABEL,
                             IDC_KAPLINK_SECURITY_LABEL, IDC_KAPLINK_MAC_LABEL, IDC_KAPLINK_POWER_LABEL};
constexpr int kValueIds[] = {IDC_KAPLINK_SSID, IDC_KAPLINK_CHANNEL, IDC_KAPLINK_RATE,
                             IDC_KAPLINK_SECURITY, IDC_KAPLINK_MAC, IDC_KAPLINK_POWER};
enum Row { kSsid, kChannel, kRate, kSecurity, kMac, kPower };

CString ColonMac(const BYTE* mac)
{
    CString text;
    text.Format("%02X:%02X:%02X:%02X:%02X:%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    return text;
}

bool IsHostedVariant()
{
    return G_nOSVersion >= kOsWin7 && G_nSoftApMode == 1;
}

CKelvoPageUIDlg* MainWindow()
{
    return G_pHideDlg ? CKelvoPageUIDlg::From(G_pHideDlg->m_pQxUI) : CKelvoPageUIDlg::GetLive();
}
}  // namespace

BEGIN_MESSAGE_MAP(CKelvoPageApLinkInfoDlg, CDialog)
    ON_WM_ERASEBKGND()
    ON_WM_SHOWWINDOW()
    ON_WM_TIMER()
    ON_BN_CLICKED(IDC_KAPLINK_REFRESH, OnBtnRefresh)
    ON_MESSAGE(MSG_QUICKLIST_GET_ITEM_DATA, OnGetItemData)
END_MESSAGE_MAP()

CString CKelvoPageApLinkInfoDlg::DisplaySsid(const CString& ssid)
{
    // The library names a fresh access point after its adapter ("Kelvo_WLAN-3F"); that suffix
    // is its own, so only there is it dropped. A user's "Office-AB" is the user's name.
    if (ssid.GetLength() == kFactorySuffixedChars && ssid.Left(static_cast<int>(strlen(kFactorySsidPrefix))) == kFactorySsidPrefix &&
        IsHexString(ssid.Right(2)))
        return ssid.Left(kFactorySuffixedChars - 3);
    return ssid;
}

CString CKelvoPageApLinkInfoDlg::SecurityText(ULONG authMode, ULONG encryption)
{
    switch (authMode) {
    case kAuthOpen: return encryption == kEncNone ? G_LangTable.IDS_VAL_DISABLE : CString("WEP");
    case kAuthShared: return "WEP";
    case kAuthWpaPsk: return "WPA-PSK";
    case kAuthWpa2Psk: return "WPA2-PSK";
    case kAuthMixed: return "WPA-PSK/WPA2-PSK";
    default: return "Unknown";
    }
}

CString CKelvoPageApLinkInfoDlg::RateText(bool queried, ULONG linkSpeed)
{
    if (!queried) return CString();
    CString text;
    text.Format("%ld %s", static_cast<long>(linkSpeed / kLinkSpeedUnitsPerMbps), G_LangTable.IDS_VAL_CONTRY_MBPS.GetString());
    return text;
}

void CKelvoPageApLinkInfoDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_KAPLINK_TITLE, m_title);
    DDX_Control(pDX, IDC_KAPLINK_LIST_TITLE, m_listTitle);
    for (int i = 0; i < kRows; ++i) {
        DDX_Control(pDX, kLabelIds[i], m_label[i]);
        DDX_Control(pDX, kValueIds[i], m_value[i]);
    }
    DDX_Control(pDX, IDC_KAPLINK_LIST, m_list);
    DDX_Control(pDX, IDC_KAPLINK_REFRESH, m_btnRefresh);
}

BOOL CKelvoPageApLinkInfoDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const LOGFONTA labelFont = MakeLogFont("Tahoma", -11, 800);
    const LOGFONTA valueFont = MakeLogFont("Tahoma", -11, 300);
    const LOGFONTA titleFont = MakeLogFont("Arial", -12, 800);
    const CString* const labels[kRows] = {&G_LangTable.IDS_LAB_SSID, &G_LangTable.IDS_AP_LAB_CURRENT_CHANNEL,
                                          &G_LangTable.IDS_AP_LAB_TRANSMISSION_RATE, &G_LangTable.IDS_AP_LAB_SECURITY,
                                          &G_LangTable.IDS_AP_LAB_MAC, &G_LangTable.IDS_AP_OUTPUT_POWER};
    for (int i = 0; i < kRows; ++i) {
        m_label[i].SetTextFont(kApLabelColor, &labelFont);
        if (!labels[i]->IsEmpty()) m_label[i].SetSkinText(*labels[i]);
        m_value[i].SetTextFont(kValueColor, &valueFont);
        m_value[i].SetBackColor(kValueBack);
        m_value[i].SetSkinText("");
    }
    m_title.SetTextFont(kApTitleColor, &titleFont);
    if (!G_LangTable.IDS_AP_LAB_STATUS.IsEmpty()) m_title.SetSkinText(G_LangTable.IDS_AP_LAB_STATUS);
    m_listTitle.SetTextFont(kListTitleColor, &titleFont);
    if (!G_LangTable.IDS_AP_ASSOCIATION_LIST.IsEmpty()) m_listTitle.SetSkinText(G_LangTable.IDS_AP_ASSOCIATION_LIST);
    if (m_btnRefresh.LoadBitmaps(kRefreshHover, kRefreshNormal, G_hKelvoImg)) m_btnRefresh.SizeToBitmap();

    m_list.SetExtendedStyle(kListStyles);
    CRect rc;
    m_list.GetClientRect(&rc);
    m_list.InsertColumn(0, "", LVCFMT_LEFT, static_cast<int>(rc.Width() * kBlankColumnShare));
    m_list.InsertColumn(1, G_LangTable.IDS_AP_LAB_MACADDR.IsEmpty() ? "MAC Address" : G_LangTable.IDS_AP_LAB_MACADDR.GetString(),
                        LVCFMT_LEFT, static_cast<int>(rc.Width() * kMacColumnShare));
    // No output power is known for the access point: its row and its bullet stay hidden.
    for (int id : {IDC_KAPLINK_POWER_LABEL, IDC_KAPLINK_POWER, IDC_KAPLINK_BULLET6})
        if (CWnd* item = GetDlgItem(id)) item->ShowWindow(SW_HIDE);
    return TRUE;
}

void CKelvoPageApLinkInfoDlg::SetValue(int index, const CString& text)
{
    if (m_value[index].m_hWnd) m_value[index].SetSkinText(text);
}

BOOL CKelvoPageApLinkInfoDlg::OnEraseBkgnd(CDC* pDC)
{
    const BOOL erased = static_cast<BOOL>(Default());
    PaintApTitleBand(*this, pDC, {IDC_KAPLINK_TITLE});
    return erased;
}

void CKelvoPageApLinkInfoDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialog::OnShowWindow(bShow, nStatus);
    if (m_nTimer) KillTimer(m_nTimer);
    m_nTimer = bShow ? SetTimer(TIMER_APLINKINFO_REFRESH, kRefreshMs, nullptr) : 0;
}

void CKelvoPageApLinkInfoDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != TIMER_APLINKINFO_REFRESH) return CDialog::OnTimer(nIDEvent);
    if (m_nSkipCount > 0) {
        --m_nSkipCount;
        return;
    }
    Refresh();
}

void CKelvoPageApLinkInfoDlg::OnBtnRefresh()
{
    // The tick that follows a pressed Refresh has nothing new to show.
    ++m_nSkipCount;
    Refresh();
}

void CKelvoPageApLinkInfoDlg::Refresh()
{
    if (IsHostedVariant()) RefreshHostedNetworkStatus();
    else RefreshSoftApStatus();
}

void CKelvoPageApLinkInfoDlg::RefreshSoftApStatus()
{
    m_ApConfig = {};
    QXAPAPI.QXAP_ReadConfigData(&m_ApConfig);
    // As the configuration page shows it: on a first run, the defaults it offers.
    CConfigPage::StandInForEmptyRecord(m_ApConfig);

    const ULONG length = std::min<ULONG>(m_ApConfig.Ssid.SsidLength, sizeof m_ApConfig.Ssid.Ssid);
    SetValue(kSsid, DisplaySsid(CString(reinterpret_cast<const char*>(m_ApConfig.Ssid.Ssid), static_cast<int>(length))));
    CString channel;
    channel.Format("%d", static_cast<int>(QXAPAPI.QXAP_FrequencyToChannel(m_ApConfig.lFreq)));
    SetValue(kChannel, channel);

    BYTE speed[4] = {};
    ULONG written = 0;
    const bool queried = QXAPAPI.QXAP_OIDQueryInfo(kOidGenLinkSpeed, speed, sizeof speed, &written) == 1;
    ULONG linkSpeed = 0;
    memcpy(&linkSpeed, speed, sizeof linkSpeed);
    if (!queried) DebugLog(3, "[QxUI] CKelvoPageApLinkInfoDlg: the link speed query failed, no rate shown\n");
    SetValue(kRate, RateText(queried, linkSpeed));

    SetValue(kSecurity, SecurityText(m_ApConfig.enumAuthenMode, m_ApConfig.enumEncryStatus));
    BYTE mac[6] = {};
    QXAPAPI.QXAP_GetMacAddrs(mac);
    SetValue(kMac, ColonMac(mac));
    RefreshSoftApStations();
    UpdateStationCount();
}

void CKelvoPageApLinkInfoDlg::RefreshSoftApStations()
{
    m_vecStationMac.clear();
    ULONG model = 0;
    if (!QXAPAPI.QXAP_GetCurrentDeviceModel(&model) || model < kFirstLegacyModel || model > kLastModel) return;
    if (model < kFirst11nModel) {
        VN_802_11_MAC_TABLE_NOT_11N table{};
        if (!QXAPAPI.QXAP_QueryMacTableNOT_11N(&table)) return;
        const ULONG count = std::min<ULONG>(table.Num, kApMacTableMaxEntries);
        for (ULONG i = 0; i < count; ++i) m_vecStationMac.push_back(ColonMac(table.Entry[i].Addr));
        return;
    }
    VN_802_11_MAC_TABLE table{};
    if (!QXAPAPI.QXAP_QueryMacTable(&table)) return;
    // The library's count is never trusted beyond the table's entries.
    const ULONG count = std::min<ULONG>(table.Num, kApMacTableMaxEntries);
    for (ULONG i = 0; i < count; ++i) m_vecStationMac.push_back(ColonMac(table.Entry[i].Addr));
}

void CKelvoPageApLinkInfoDlg::RefreshHostedNetworkStatus()
{
    CKelvoPageUIDlg* main = MainWindow();
    CPageExtAPDlg* settings = main ? main->m_pPageExtAPDlg : nullptr;
    if (settings) {
        if (settings->m_hWnd) settings->UpdateData(TRUE);
        else if (!settings->m_bLoaded) settings->LoadConfig();
        SetValue(kSsid, settings->m_strSSID);
        SetValue(kSecurity, settings->m_strAuth);
    }
    WLAN_STATUS wlan{};
    QXWLAPI.QXWL_QueryWLANStatus(&wlan, WLAN_STATUS_QUERY{1, 1, 1, 1, 1});
    HOSTEDNETWORK_STATUS status{};
    QXWLAPI.QXWL_HostedNetworkQueryStatus(&status);
    CString channel;
    channel.Format("%d", static_cast<int>(status.Channel));
    SetValue(kChannel, channel);

    BYTE speed[4] = {};
    ULONG written = 0;
    const bool queried = QXWLAPI.QXWL_OIDQueryInfo(kOidGenLinkSpeed, speed, sizeof speed, &written) == 1;
    ULONG linkSpeed = 0;
    memcpy(&linkSpeed, speed, sizeof linkSpeed);
    SetValue(kRate, RateText(queried, linkSpeed));
    SetValue(kMac, ColonMac(status.Bssid));

    m_vecStationMac.clear();
    if (main && main->m_pExtAPMACTableDlg)
        for (const HOSTEDNETWORK_PEER& peer : main->m_pExtAPMACTableDlg->m_peers)
            m_vecStationMac.push_back(ColonMac(peer.MacAddress));
    UpdateStationCount();
}

void CKelvoPageApLinkInfoDlg::UpdateStationCount()
{
    if (!m_list.m_hWnd) return;
    m_list.SetItemCountEx(static_cast<int>(m_vecStationMac.size()), LVSICF_NOINVALIDATEALL);
    m_list.Invalidate(TRUE);
}

LRESULT CKelvoPageApLinkInfoDlg::OnGetItemData(WPARAM, LPARAM lParam)
{
    auto* cell = reinterpret_cast<CQuickList::CListItemData*>(lParam);
    if (!cell || cell->GetItem() < 0 || cell->GetItem() >= static_cast<int>(m_vecStationMac.size())) return 0;
    if (cell->GetSubItem() == 1) cell->m_strText = m_vecStationMac[static_cast<size_t>(cell->GetItem())];
    cell->m_crSelectedBack = ::GetSysColor(COLOR_HIGHLIGHT);
    return 1;
}
