#include "station/CAPDetailInfoDlg.h"
#include "base/StationLibraryView.h"
#include "station/CAPDetailTabPages.h"
#include "station/CPage80211nDlg.h"
#include "core/hidedlg/HideDlg.h"
#include "base/LanguageTable.h"
#include "core/QXWLLIB.h"
#include "skin/KelvoPageUIDlg.h"
#include "ui/TabDialog.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr LONG kTabFontHeightSmall = 16, kTabFontHeight = 20;
constexpr int kTabTopOffset = 2;
constexpr size_t kSsidShownWhole = 21, kSsidShortened = 20;
constexpr ULONG kInfrastructure = 1, kAdhoc = 0;
constexpr int kRedBelow = 35, kYellowBelow = 70, kPercentMax = 100;
constexpr COLORREF kRed = 0x0000FF, kYellow = 0x32E6FA, kGreen = kSignalBarGreen, kBarMiddle = kSignalBarMiddle;
constexpr UCHAR kBasicRateBit = 0x80;
constexpr double kRateUnitMbps = 0.5;
constexpr size_t kSupportedRates = 16;
constexpr int kMcsBitmapBytes = 16;
constexpr int kTabShade = CShadeButtonST::SHS_VBUMP;
constexpr BYTE kTabGranularity = 8, kTabHighlight = 40, kTabColoring = 5;
constexpr COLORREF kTabHotColor = 0xB4B4B4, kTabSelectedColor = 0x00FF00;
constexpr BYTE kCloseGranularity = 8, kCloseHighlight = 10;
constexpr int kCentredContent = 1;
constexpr char kCckmSuffix[] = "+CCKM";
constexpr int kCckmSuffixLength = sizeof kCckmSuffix - 1;

struct TabDef {
    CString CLanguageTable::*caption;
    int placeholder;
    int buttonId;
};
const TabDef kTabs[CAPDetailInfoDlg::kTabCount] = {
    {&CLanguageTable::IDS_GENERAL, IDC_AP_TAB_PLACE1, IDC_AP_TAB_GENERAL},
    {&CLanguageTable::IDS_TAB_WPS, IDC_AP_TAB_PLACE2, IDC_AP_TAB_WPS},
    {&CLanguageTable::IDS_TAB_CCX_CONFIG, IDC_AP_TAB_PLACE4, IDC_AP_TAB_CCX},
    {&CLanguageTable::IDS_TAB_80211N, IDC_AP_TAB_PLACE3, IDC_AP_TAB_80211N},
};

struct MaskText {
    ULONG mask;
    const char* text;
};
constexpr MaskText kAuthTexts[] = {
    {0, "Open"}, {1, "WPA"}, {2, "WPA-PSK"}, {4, "WPA-NONE"}, {8, "WPA2"}, {9, "WPA+WPA2"}, {16, "WPA2-PSK"},
    {18, "WPA-PSK+WPA2-PSK"}, {32, "WPA2-NONE"}, {64, "WAPI-PSK"}, {128, "WAPI-CERT"},
};
constexpr MaskText kCipherTexts[] = {
    {IE_CIPHER_WEP, "WEP+"}, {IE_CIPHER_TKIP, "TKIP+"}, {IE_CIPHER_AES, "AES+"}, {IE_CIPHER_SMS4, "SMS+"},
};

const char* TrueFalse(ULONG value) { return value ? "TRUE" : "FALSE"; }

// A record text read within its room, terminated or not.
template <size_t N>
CString RecordText(const char (&text)[N])
{
    return CString(text, static_cast<int>(strnlen(text, N)));
}
}  // namespace

BEGIN_MESSAGE_MAP(CAPDetailInfoDlg, CClassicDlg)
    ON_WM_SHOWWINDOW()
    ON_BN_CLICKED(IDC_CLASSIC_OK, OnBtnClose)
END_MESSAGE_MAP()

CAPDetailInfoDlg::~CAPDetailInfoDlg()
{
    for (CShadeButtonST*& button : m_pTabButtons) {
        delete button;
        button = nullptr;
    }
    delete m_pGeneral;
    delete m_pWps;
    delete m_pCcx;
    delete m_p80211n;
    m_pGeneral = nullptr;
    m_pWps = nullptr;
    m_pCcx = nullptr;
    m_p80211n = nullptr;
    delete m_pTabDialog;
    m_pTabDialog = nullptr;
}

BOOL CAPDetailInfoDlg::SetBssEntry(const NDIS_WLAN_BSSID_EX* entry)
{
    if (!entry || entry->Length < kNdisWlanBssidFixedBytes ||
        entry->IELength > entry->Length - kNdisWlanBssidFixedBytes) {
        m_entry.clear();
        return FALSE;
    }
    const BYTE* bytes = reinterpret_cast<const BYTE*>(entry);
    m_entry.assign(bytes, bytes + entry->Length);
    return TRUE;
}

const NDIS_WLAN_BSSID_EX* CAPDetailInfoDlg::GetBssEntry() const
{
    return m_entry.empty() ? nullptr : reinterpret_cast<const NDIS_WLAN_BSSID_EX*>(m_entry.data());
}

void CAPDetailInfoDlg::DoDataExchange(CDataExchange* pDX)
{
    CClassicDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CLASSIC_OK, m_btnClose);
}

BOOL CAPDetailInfoDlg::OnInitDialog()
{
    CClassicDlg::OnInitDialog();
    m_htTable.Init();
    m_pTabDialog = new CTabDialog(IDD_AP_TAB, this);
    if (!m_pTabDialog->Create(IDD_AP_TAB, this))
        return FALSE;
    if (!CreateTabs())
        return FALSE;
    CRect dlg, area;
    GetWindowRect(&dlg);
    ScreenToClient(&dlg);
    GetDlgItem(IDC_AP_PAGE_AREA)->GetWindowRect(&area);
    ScreenToClient(&area);
    m_pTabDialog->SetWindowPos(static_cast<const CWnd*>(nullptr), dlg.left, dlg.top + kTabTopOffset, dlg.Width(), area.bottom - dlg.top,
                               SWP_NOZORDER | SWP_SHOWWINDOW);
    m_pTabDialog->PlacePages(area.left, area.top, area.right, area.bottom, 0, 0, kTabGeneral);
    m_btnClose.SetWindowText(G_LangTable.IDS_BTN_CLOSE);
    m_btnClose.ShowWindow(SW_SHOW);
    m_btnClose.SetFlat(FALSE);
    m_btnClose.SetShade(CShadeButtonST::SHS_VGRADIENT, kCloseGranularity, kCloseHighlight, 0, 0, 0, 0);
    m_btnClose.SetFont(&m_tabFont, TRUE);
    return TRUE;
}

BOOL CAPDetailInfoDlg::CreateTabs()
{
    G_LangTable.CreatePageFont(m_tabFont, G_bHideTabIcon == 1 ? kTabFontHeightSmall : kTabFontHeight);
    m_pGeneral = new CPageGeneralDlg(m_pTabDialog);
    m_pWps = new CPageWPSStatusDlg();
    m_pCcx = new CPageCCXDlg();
    m_p80211n = new CPage80211nDlg();
    CDialog* pages[kTabCount] = {m_pGeneral, m_pWps, m_pCcx, m_p80211n};
    const UINT templates[kTabCount] = {CPageGeneralDlg::IDD, CPageWPSStatusDlg::IDD, CPageCCXDlg::IDD,
                                       CPage80211nDlg::IDD};
    for (int tab = 0; tab < kTabCount; ++tab) {
        CRect rc;
        GetDlgItem(kTabs[tab].placeholder)->GetWindowRect(&rc);
        ScreenToClient(&rc);
        auto* button = new CShadeButtonST();
        m_pTabButtons[tab] = button;
        button->Create(G_LangTable.*(kTabs[tab].caption), WS_CHILD | WS_VISIBLE | WS_TABSTOP, rc, m_pTabDialog,
                       kTabs[tab].buttonId);
        button->SetFont(&m_tabFont, TRUE);
        button->SetShade(kTabShade, kTabGranularity, kTabHighlight, kTabColoring, 0, kTabHotColor, kTabSelectedColor);
        button->SetFlat(FALSE);
        button->SetContentAlign(kCentredContent, TRUE);
        if (!pages[tab]->Create(templates[tab], m_pTabDialog))
            return FALSE;
        m_pTabDialog->AddPage(pages[tab], button);
    }
    return TRUE;
}

void CAPDetailInfoDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    Default();
    if (bShow == 1 && m_pTabDialog)
        FillTabs();
}

void CAPDetailInfoDlg::OnBtnClose()
{
    SendToFrontWindow(MSG_APDETAIL_DLG, 0, 0);
}

void CAPDetailInfoDlg::FillTabs()
{
    m_pTabButtons[kTabGeneral]->SendMessage(BM_CLICK);
    IE_PARSE_RESULT record = {};
    const NDIS_WLAN_BSSID_EX* entry = GetBssEntry();
    if (entry)
        QXWLAPI.QXWL_ParseInfoElement(entry, &record);
    FillGeneral(record);

    m_pCcx->m_strCckm = TrueFalse(record.bCckm);
    m_pCcx->m_strCmic = TrueFalse(record.bCmic);
    m_pCcx->m_strCkip = TrueFalse(record.bCkip);
    m_pCcx->UpdateData(FALSE);
    m_pTabButtons[kTabCcx]->ShowWindow(SW_HIDE);

    m_pWps->m_strAuth = m_pGeneral->m_strAuth;
    m_pWps->m_strEncry = m_pGeneral->m_strEncry;
    m_pWps->m_strConfigMethods = RecordText(record.wpsConfigMethods);
    m_pWps->m_strDevicePasswordId = RecordText(record.wpsDevicePasswordId);
    if (m_pWps->m_strDevicePasswordId == "Unknown")
        m_pWps->m_strDevicePasswordId.Empty();
    m_pWps->m_strSelectedRegistrar = RecordText(record.wpsSelectedRegistrar);
    m_pWps->m_strState = RecordText(record.wpsState);
    m_pWps->m_strVersion = RecordText(record.wpsVersion);
    m_pWps->m_strApSetupLocked = RecordText(record.wpsApSetupLocked);
    m_pWps->m_strUuidE = RecordText(record.wpsUuidE);
    m_pWps->m_strRfBands = RecordText(record.wpsRfBands);
    m_pWps->UpdateData(FALSE);

    m_p80211n->SetValuesFromRecord(record);
    m_p80211n->FillHtInfoList();
    m_pTabButtons[kTab80211n]->ShowWindow(m_p80211n->m_strHtFlag == "TRUE" ? SW_SHOW : SW_HIDE);
}

void CAPDetailInfoDlg::FillGeneral(const IE_PARSE_RESULT& record)
{
    CPageGeneralDlg& page = *m_pGeneral;
    const NDIS_WLAN_BSSID_EX* entry = GetBssEntry();
    NDIS_WLAN_BSSID_EX empty = {};
    const NDIS_WLAN_BSSID_EX& e = entry ? *entry : empty;

    const int ssidLength = static_cast<int>(strnlen(reinterpret_cast<const char*>(e.Ssid.Ssid),
                                                    std::min<ULONG>(e.Ssid.SsidLength, kSsidMaxLength)));
    page.m_strSSID = ShortenSsid(CString(reinterpret_cast<const char*>(e.Ssid.Ssid), ssidLength));
    const UCHAR* m = e.MacAddress;
    page.m_strMAC.Format("%02X-%02X-%02X-%02X-%02X-%02X", m[0], m[1], m[2], m[3], m[4], m[5]);
    FormatAuthentication(page.m_strAuth, record.authMask, record.bCckm);
    page.m_strEncry = FormatEncryption(record.cipherMask, e.Privacy);

    const ULONG frequency = e.Configuration.DSConfig;
    page.m_strChannel.Format("%u <--> %d MHz", static_cast<unsigned>(QXWLAPI.QXWL_FrequencyToChannel(frequency)),
                             static_cast<int>(frequency / 1000));
    page.m_strNetworkType = e.InfrastructureMode == kInfrastructure ? G_LangTable.IDS_INFRA
                            : e.InfrastructureMode == kAdhoc        ? G_LangTable.IDS_IBSS
                                                                    : G_LangTable.IDS_UNKNOWN;
    if (QXWLAPI.WinOS() >= kVistaOsCode) {
        page.m_strBeacon.Format("%d", static_cast<int>(e.Configuration.BeaconPeriod));
    } else {
        IE_PARSE_RESULT second = {};
        if (entry)
            QXWLAPI.QXWL_ParseInfoElement(entry, &second);
        page.m_strBeacon.Format("%d", second.beaconInterval);
    }
    const char mdid[3] = {static_cast<char>(record.mdid[0]), static_cast<char>(record.mdid[1]), '\0'};
    page.m_strMDID.Format("%s", mdid);
    const int mdShow = record.bMobilityDomainElement ? SW_SHOW : SW_HIDE;
    page.GetDlgItem(IDC_GEN_MDID_LABEL)->ShowWindow(mdShow);
    page.GetDlgItem(IDC_GEN_MDID)->ShowWindow(mdShow);

    FillSignalBar(QXWLAPI.QXWL_RssiToPercent(e.Rssi));
    page.m_strSupportRates = SupportedRatesText(record);
    page.UpdateData(FALSE);
}

void CAPDetailInfoDlg::FillSignalBar(int percent)
{
    CProgressCtrlX& bar = m_pGeneral->m_progressSignal;
    COLORREF c;
    if (SignalBarColor(percent, &c))
        bar.SetColors(3, c, kBarMiddle, c);
    bar.SetPos(percent);
    bar.Invalidate(TRUE);
}

CString CAPDetailInfoDlg::SupportedRatesText(const IE_PARSE_RESULT& record) const
{
    const NDIS_WLAN_BSSID_EX* entry = GetBssEntry();
    CString text = FormatSupportedRates(G_LangTable.IDS_SUPPORT_RATE, entry ? entry->SupportedRates : nullptr,
                                        entry ? kSupportedRates : 0);
    if (record.bHT == 1) {
        CString ht;
        FormatHtMaxRate(ht, record.bHighThroughput, record.bShortGi20, record.bShortGi40, record.mcsBitmap);
        text += ht;
    }
    return text;
}

void CAPDetailInfoDlg::FormatAuthentication(CString& text, ULONG authMask, ULONG bCckm)
{
    for (const MaskText& t : kAuthTexts)
        if (t.mask == authMask)
            text = t.text;
    // A kept text may carry the suffix already: showing the dialog again must not repeat it.
    if (bCckm && text.Right(kCckmSuffixLength) != kCckmSuffix)
        text += kCckmSuffix;
}

CString CAPDetailInfoDlg::FormatEncryption(ULONG cipherMask, ULONG privacy)
{
    if (cipherMask == 0)
        return privacy ? "WEP" : "NONE";
    CString text;
    for (const MaskText& t : kCipherTexts)
        if (cipherMask & t.mask)
            text += t.text;
    if (!text.IsEmpty())
        text = text.Left(text.GetLength() - 1);
    return text;
}

CString CAPDetailInfoDlg::ShortenSsid(const CString& ssid)
{
    if (static_cast<size_t>(ssid.GetLength()) <= kSsidShownWhole)
        return ssid;
    CString text;
    text.Format("%s..", ssid.Left(static_cast<int>(kSsidShortened)).GetString());
    return text;
}

BOOL CAPDetailInfoDlg::SignalBarColor(int percent, COLORREF* color)
{
    if (percent > kPercentMax)
        return FALSE;
    *color = percent < kRedBelow ? kRed : percent < kYellowBelow ? kYellow : kGreen;
    return TRUE;
}

CString CAPDetailInfoDlg::FormatSupportedRates(const CString& label, const UCHAR* rates, size_t count)
{
    std::vector<double> shown;
    for (size_t i = 0; rates && i < count; ++i) {
        const double rate = (rates[i] & ~kBasicRateBit) * kRateUnitMbps;
        if (rate == 0)
            break;
        shown.push_back(rate);
    }
    std::sort(shown.begin(), shown.end());
    CString text = label + ": ";
    for (double rate : shown) {
        if (static_cast<int>(rate * 10) % 10 == 0)
            text.AppendFormat("%d, ", static_cast<int>(rate));
        else
            text.AppendFormat("%.1f, ", rate);
    }
    return text.Left(text.GetLength() - 2);
}

void CAPDetailInfoDlg::FormatHtMaxRate(CString& out, ULONG b40MHz, ULONG bShortGi20, ULONG bShortGi40,
                                       const UCHAR* mcsBitmap) const
{
    out = "\n\n" + G_LangTable.IDS_11N_MAX_SUPPORT_RATE + ": ";
    const BOOL is40 = b40MHz == 1;
    const int shortGi = (is40 ? bShortGi40 : bShortGi20) == 1 ? 1 : 0;
    bool found = false;
    double best = 0;
    for (int k = 0; k < kMcsBitmapBytes; ++k)
        for (int j = 0; j < 8; ++j) {
            double rate;
            if ((mcsBitmap[k] >> j & 1) && m_htTable.GetRate(is40, shortGi, 8 * k + j, &rate)) {
                best = found ? std::max(best, rate) : rate;
                found = true;
            }
        }
    if (found)
        out.AppendFormat("%.1f", best);
}
