#include "softap/ConfigPage.h"
#include "base/StationLibraryView.h"
#include "softap/AccessApDefaultSetting.h"
#include "softap/AuthSecuDlg.h"
#include "base/DebugLog.h"
#include "base/LanguageTable.h"
#include "base/TextChecks.h"
#include "contract/StationContract.h"
#include "core/QXAPLIB.h"
#include "core/hidedlg/HideDlg.h"
#include "skin/KelvoPageUIDlg.h"
#include "ui/DialogTab.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

int G_b11nMode = 0;
int G_nApDefaultFallbackCount = 0;

namespace {
constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTimerMs = 1000;
constexpr int kBeaconMin = 20, kBeaconMax = 1000;
constexpr int kIdleMin = 60, kIdleMax = 3600;
// The page's own values, taken where no record gives usable ones.
constexpr ULONG kDefaultBeacon = 100, kDefaultRts = 2347, kDefaultFrag = 2346, kDefaultIdle = 300;
constexpr ULONG kDefaultRekey = 60, kDefaultEncryption = 1;
constexpr ULONG kDefaultFrequencyKHz = 2412000;  // channel 1, the first of the 2.4 GHz lists
constexpr int kSsidMax = 32;
constexpr ULONG kTransNo = 2;
constexpr int kExtensionOffset = 4;
constexpr int kMinSpanFor40MHz = 4;
constexpr int kChannel14 = 14;
constexpr int kFirst5GhzChannel = 36;
constexpr ULONG kExtAbove = 1, kExtBelow = 3;
constexpr ULONG kBridgeShift = 21, kBridgeMask = 0x1FF;
constexpr char kNone[] = "none";
constexpr char kForceShortGi[] = "Force Short GI";
constexpr char kDefaultSsid[] = "Kelvo_WLAN";
// The factory SSID gets a "-XX" suffix from the library; only that suffix is hidden.
constexpr char kFactorySuffixedPrefix[] = "Kelvo_WLAN-";
constexpr ULONG kMaxModel = 8;

const char* const k24Texts[] = {"0: CH1-11", "1: CH1-13", "2: CH10-11", "3: CH10-13",
                                "4: CH14",   "5: CH1-14", "6: CH3-9",   "7: CH5-13"};

struct Run {
    int first, last, step;
};
using Runs = std::vector<Run>;

// 5 GHz channels of a region as the region combo names them; empty for "No Channel Support".
Runs FiveGhzRuns(int region, ULONG model, BOOL reduced)
{
    const bool small = model <= 3;  // models 2-3 have their own regions 9 and 10
    const Runs low4{{36, 48, 4}}, upper{{149, 165, 4}}, upper4{{149, 161, 4}}, all64{{36, 64, 4}};
    const auto join = [](std::initializer_list<Runs> parts) {
        Runs r;
        for (const Runs& p : parts) r.insert(r.end(), p.begin(), p.end());
        return r;
    };
    switch (region) {
    case 0: return reduced ? join({low4, upper}) : join({all64, upper});
    case 1: return reduced ? low4 : join({all64, {{100, 140, 4}}});
    case 2: return reduced ? low4 : all64;
    case 3: return reduced ? upper4 : join({{{52, 64, 4}}, upper4});
    case 4: return upper;
    case 5: return upper4;
    case 6: return low4;
    case 7: return reduced ? join({low4, upper}) : join({all64, {{100, 140, 4}}, upper});
    case 8: return reduced ? Runs{} : Runs{{52, 64, 4}};
    case 9:
        if (small) return {{34, 46, 4}};
        return reduced ? join({low4, upper}) : join({all64, {{100, 116, 4}, {132, 140, 4}}, upper});
    case 10:
        if (small) return reduced ? Runs{{34, 48, 2}} : Runs{{34, 48, 2}, {52, 64, 4}};
        return join({low4, upper});
    case 11: return reduced ? join({low4, upper4}) : join({all64, {{100, 120, 4}}, upper4});
    case 12: return reduced ? low4 : join({all64, {{100, 140, 4}}});
    case 13: return reduced ? upper4 : join({{{52, 64, 4}, {100, 140, 4}}, upper4});
    case 14: return reduced ? join({low4, upper}) : join({all64, {{100, 116, 4}, {136, 140, 4}}, upper});
    case 15: return {{149, 173, 4}};
    case 16: return reduced ? join({low4, upper}) : join({all64, {{100, 140, 4}, {149, 173, 4}}});
    default: return {};
    }
}

CString ChannelListText(const std::vector<int>& channels)
{
    CString text = "CH";
    for (size_t i = 0; i < channels.size(); ++i) {
        CString one;
        one.Format(i + 1 < channels.size() ? "%d, " : "%d", channels[i]);
        text += one;
    }
    return text;
}

bool Contains(const UCHAR* list, ULONG count, int channel)
{
    for (ULONG i = 0; i < count; ++i)
        if (list[i] == channel) return true;
    return false;
}

CString Number(long value)
{
    CString text;
    text.Format("%ld", value);
    return text;
}

void SelectByData(CComboBox& combo, ULONG data)
{
    const int count = combo.GetCount();
    for (int i = 0; i < count; ++i)
        if (combo.GetItemData(i) == data) {
            combo.SetCurSel(i);
            return;
        }
    combo.SetCurSel(count > 0 ? 0 : -1);
}

ULONG SelectedData(const CComboBox& combo)
{
    if (combo.GetCount() <= 0) return 0;
    const int sel = combo.GetCurSel();
    return static_cast<ULONG>(combo.GetItemData(sel < 0 ? 0 : sel));
}

void SelectText(CComboBox& combo, const CString& text)
{
    const int at = combo.FindStringExact(-1, text);
    combo.SetCurSel(at >= 0 ? at : (combo.GetCount() > 0 ? 0 : -1));
}

void AddWithData(CComboBox& combo, LPCSTR text, ULONG data)
{
    const int at = combo.AddString(text);
    if (at >= 0) combo.SetItemData(at, data);
}

const int kHtControls[] = {IDC_APCFG_HT_GROUP,   IDC_APCFG_GI_LABEL,    IDC_APCFG_GI_LONG,     IDC_APCFG_GI_AUTO,
                           IDC_APCFG_STBC_LABEL, IDC_APCFG_STBC_NONE,   IDC_APCFG_STBC_AUTO,   IDC_APCFG_MCS_LABEL,
                           IDC_APCFG_MCS,        IDC_APCFG_HTMODE_LABEL, IDC_APCFG_HTMODE_MM,  IDC_APCFG_HTMODE_GF,
                           IDC_APCFG_EXTCHA_LABEL, IDC_APCFG_EXTCHA,    IDC_APCFG_HT_TXRATE};
}  // namespace

ULONG ApHtSetting::Pack() const
{
    return (PhyMode & 0xF) | (Mcs & 0x7F) << 4 | (Bw & 1) << 11 | (ShortGI & 1) << 12 | (Stbc & 1) << 13 |
           (TransNo & 3) << 14 | (HtMode & 1) << 16 | (ExtCha & 3) << 17 | (Bridge & kBridgeMask) << kBridgeShift;
}

ApHtSetting ApHtSetting::Unpack(ULONG w)
{
    ApHtSetting s;
    s.PhyMode = w & 0xF;
    s.Mcs = (w >> 4) & 0x7F;
    s.Bw = (w >> 11) & 1;
    s.ShortGI = (w >> 12) & 1;
    s.Stbc = (w >> 13) & 1;
    s.TransNo = (w >> 14) & 3;
    s.HtMode = (w >> 16) & 1;
    s.ExtCha = (w >> 17) & 3;
    s.Bridge = (w >> kBridgeShift) & kBridgeMask;
    return s;
}

IMPLEMENT_DYNCREATE(CConfigPage, CDialog)

BEGIN_MESSAGE_MAP(CConfigPage, CClassicDlg)
    ON_WM_TIMER()
    ON_WM_SHOWWINDOW()
    ON_BN_CLICKED(IDC_APCFG_APPLY, OnApply)
    ON_BN_CLICKED(IDC_APCFG_DEFAULT, OnDefault)
    ON_BN_CLICKED(IDC_APCFG_CANCEL, OnCancelButton)
    ON_BN_CLICKED(IDC_APCFG_USE_MAC, OnUseMacAddress)
    ON_BN_CLICKED(IDC_APCFG_SECURITY, OnSecurity)
    ON_BN_CLICKED(IDC_APCFG_AUTO_CHANNEL, OnAutoChannel)
    ON_BN_CLICKED(IDC_APCFG_11N_MODE, On11nMode)
    ON_BN_CLICKED(IDC_APCFG_ALLOW_BW40, OnAllowBw40)
    ON_BN_CLICKED(IDC_APCFG_NO_FORWARDING, OnSaveOnly)
    ON_BN_CLICKED(IDC_APCFG_HIDE_SSID, OnSaveOnly)
    ON_BN_CLICKED(IDC_APCFG_GI_LONG, OnMcsOrGuardInterval)
    ON_BN_CLICKED(IDC_APCFG_GI_AUTO, OnMcsOrGuardInterval)
    ON_CBN_SELCHANGE(IDC_APCFG_MCS, OnMcsOrGuardInterval)
    ON_CBN_SELCHANGE(IDC_APCFG_REGION_BG, OnSelchangeCountryRegion)
    ON_CBN_SELCHANGE(IDC_APCFG_REGION_A, OnSelchangeCountryRegion)
    ON_CBN_SELCHANGE(IDC_APCFG_MODE, OnSelchangeWirelessMode)
    ON_CBN_SELCHANGE(IDC_APCFG_CHANNEL, OnSelchangeChannel)
END_MESSAGE_MAP()

namespace {
CConfigPage* g_pLivePage = nullptr;
}

CConfigPage* CConfigPage::Find()
{
    return g_pLivePage;
}

CConfigPage::~CConfigPage()
{
    if (g_pLivePage == this) g_pLivePage = nullptr;
}

CConfigPage::CConfigPage() : CClassicDlg(IDD, nullptr)
{
    g_pLivePage = this;
    AP_CONFIG_DATA defaults{};
    defaults.enumEncryStatus = kDefaultEncryption;
    defaults.nGroupRekeyInterval = kDefaultRekey;
    SetSecurityBlock(defaults);
}

AP_CONFIG_DATA CConfigPage::DefaultRecord()
{
    AP_CONFIG_DATA c{};
    c.Ssid.SsidLength = static_cast<ULONG>(strlen(kDefaultSsid));
    memcpy(c.Ssid.Ssid, kDefaultSsid, c.Ssid.SsidLength);
    c.PhyMode = Is11nApplied() ? kMode24GN : kMode24G;
    c.lFreq = kDefaultFrequencyKHz;
    c.bAllowBW40 = 1;
    ApHtSetting ht;
    ht.Mcs = kMcsAuto;
    ht.Bw = ht.ShortGI = ht.Stbc = 1;
    c.HT_PhyMode = ht.Pack();
    c.nBeaconPeriod = kDefaultBeacon;
    c.lRtsThre = kDefaultRts;
    c.lFragThre = kDefaultFrag;
    c.bTxBurst = 1;
    c.bShortSlot = 1;
    c.enumEncryStatus = kDefaultEncryption;
    c.nGroupRekeyInterval = kDefaultRekey;
    c.nIdleTime = kDefaultIdle;
    return c;
}

CConfigPage::RecordSource CConfigPage::StandInForEmptyRecord(AP_CONFIG_DATA& record)
{
    if (!IsApConfigEmpty(record)) return RecordSource::Library;
    if (LoadApDefaultSetting(record)) return RecordSource::DefaultFile;
    record = DefaultRecord();
    return RecordSource::PageDefaults;
}

void CConfigPage::GetSecurityBlock(AP_CONFIG_DATA& into) const
{
    memcpy(reinterpret_cast<BYTE*>(&into) + kApSecurityOffset, m_SecurityBlock, kApSecurityBytes);
}

void CConfigPage::SetSecurityBlock(const AP_CONFIG_DATA& from)
{
    memcpy(m_SecurityBlock, reinterpret_cast<const BYTE*>(&from) + kApSecurityOffset, kApSecurityBytes);
}

std::vector<CString> CConfigPage::FiveGhzRegionTexts(ULONG model, BOOL reduced)
{
    std::vector<CString> texts;
    if (model > kMaxModel) return texts;
    const int last = model <= 1 ? (reduced ? 7 : 8) : model <= 3 ? 10 : 16;
    for (int region = 0; region <= last; ++region) {
        std::vector<int> channels;
        for (const Run& run : FiveGhzRuns(region, model, reduced))
            for (int c = run.first; c <= run.last; c += run.step) channels.push_back(c);
        CString text;
        text.Format("%d: ", region);
        texts.push_back(text + (channels.empty() ? CString("No Channel Support") : ChannelListText(channels)));
    }
    return texts;
}

int CConfigPage::FiveGhzExtensionPartner(int channel)
{
    static const int kPairs[][2] = {{36, 40},   {44, 48},   {52, 56},   {60, 64},   {100, 104}, {108, 112},
                                    {116, 120}, {124, 128}, {132, 136}, {149, 153}, {157, 161}};
    for (const auto& pair : kPairs) {
        if (pair[0] == channel) return pair[1];
        if (pair[1] == channel) return pair[0];
    }
    return 0;
}

ULONG CConfigPage::ModeForBand(const CString& band, BOOL n)
{
    if (band == G_LangTable.IDS_PHY_24G) return n ? kMode24GN : kMode24G;
    if (band == G_LangTable.IDS_PHY_5G) return n ? kMode5GN : kMode5G;
    return kMode24G;
}

BOOL CConfigPage::Is11nApplied()
{
    return QXAPAPI.QXAP_Is80211NSupport() && (!QXAPAPI.Select11nDialog || G_b11nMode);
}

BOOL CConfigPage::Span24AtLeast4() const
{
    return m_nChannels24 > 0 && m_Channels24[m_nChannels24 - 1] - m_Channels24[0] >= kMinSpanFor40MHz;
}

void CConfigPage::Show(int id, BOOL show)
{
    if (CWnd* item = GetDlgItem(id)) item->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void CConfigPage::Enable(int id, BOOL enable)
{
    if (CWnd* item = GetDlgItem(id)) item->EnableWindow(enable);
}

void CConfigPage::ShowApMessage(const CString& text)
{
    AfxShowMessageBox(m_hWnd, text, G_LangTable.IDS_APCONFIGMSG, MB_OK | MB_ICONEXCLAMATION);
}

void CConfigPage::DoDataExchange(CDataExchange* pDX)
{
    CClassicDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_APCFG_MODE, m_comboMode);
    DDX_Control(pDX, IDC_APCFG_CHANNEL, m_comboChannel);
    DDX_Control(pDX, IDC_APCFG_REGION_BG, m_comboRegionBG);
    DDX_Control(pDX, IDC_APCFG_REGION_A, m_comboRegionA);
    DDX_Control(pDX, IDC_APCFG_TXRATE, m_comboTxRate);
    DDX_Control(pDX, IDC_APCFG_TXPOWER, m_comboTxPower);
    DDX_Control(pDX, IDC_APCFG_BGPROT, m_comboBGProt);
    DDX_Control(pDX, IDC_APCFG_PREAMBLE, m_comboPreamble);
    DDX_Control(pDX, IDC_APCFG_ANTENNA_TX, m_comboAntTx);
    DDX_Control(pDX, IDC_APCFG_ANTENNA_RX, m_comboAntRx);
    DDX_Control(pDX, IDC_APCFG_EXTCHA, m_comboExtCha);
    DDX_Control(pDX, IDC_APCFG_MCS, m_comboMcs);
    DDX_Text(pDX, IDC_APCFG_SSID, m_strSsid);
    DDV_MaxChars(pDX, m_strSsid, kSsidMax);
    DDX_CBIndex(pDX, IDC_APCFG_TXPOWER, m_nTxPower);
    DDX_CBIndex(pDX, IDC_APCFG_BGPROT, m_nBGProtection);
    DDX_CBIndex(pDX, IDC_APCFG_PREAMBLE, m_nPreamble);
    DDX_Text(pDX, IDC_APCFG_BEACON, m_nBeaconPeriod);
    DDV_MinMaxInt(pDX, m_nBeaconPeriod, kBeaconMin, kBeaconMax);
    DDX_Text(pDX, IDC_APCFG_RTS, m_lRtsThre);
    DDX_Text(pDX, IDC_APCFG_FRAG, m_lFragThre);
    DDX_Text(pDX, IDC_APCFG_IDLE, m_nIdleTime);
    DDX_Check(pDX, IDC_APCFG_TX_BURST, m_bTxBurst);
    DDX_Check(pDX, IDC_APCFG_TURBO_RATE, m_bTurboRate);
    DDX_Check(pDX, IDC_APCFG_NO_FORWARDING, m_bNoForwarding);
    DDX_Check(pDX, IDC_APCFG_HIDE_SSID, m_bHideSsid);
    DDX_Check(pDX, IDC_APCFG_SHORT_SLOT, m_bShortSlot);
    DDX_Check(pDX, IDC_APCFG_AUTO_CHANNEL, m_bAutoChannel);
    DDX_Check(pDX, IDC_APCFG_ALLOW_BW40, m_bAllowBW40);
    DDX_Radio(pDX, IDC_APCFG_GI_LONG, m_nGuardInterval);
    DDX_Radio(pDX, IDC_APCFG_STBC_NONE, m_nStbc);
    DDX_Radio(pDX, IDC_APCFG_HTMODE_MM, m_nHtMode);
}

BOOL CConfigPage::UpdateData(BOOL bSaveAndValidate)
{
    if (!m_hWnd) return FALSE;
    if (!CClassicDlg::UpdateData(bSaveAndValidate)) return FALSE;
    if (bSaveAndValidate) {
        // The band is part of the page's data: a band chosen by selection alone is taken too.
        const int band = m_comboMode.GetCurSel();
        if (m_comboMode.GetCount() > 0 && band >= 0) {
            m_comboMode.GetLBText(band, m_strWirelessMode);
            m_nWirelessMode = ModeForBand(m_strWirelessMode, Is11nApplied());
        }
        const int channel = m_comboChannel.GetCurSel();
        if (m_comboChannel.GetCount() > 0 && channel >= 0) m_comboChannel.GetLBText(channel, m_strChannel);
        const int mcs = m_comboMcs.GetCurSel();
        if (m_comboMcs.GetCount() > 0 && mcs >= 0) m_comboMcs.GetLBText(mcs, m_strMcs);
        const int ext = m_comboExtCha.GetCurSel();
        if (m_comboExtCha.GetCount() > 0 && ext >= 0) m_comboExtCha.GetLBText(ext, m_strExtChannel);
        m_nTXRate = SelectedData(m_comboTxRate);
        m_nCountryRegion = SelectedData(m_comboRegionBG);
        m_nCountryRegionABand = SelectedData(m_comboRegionA);
    } else {
        if (m_comboMode.GetCount() > 0) SelectText(m_comboMode, m_strWirelessMode);
        SelectText(m_comboChannel, m_strChannel);
        SelectText(m_comboMcs, m_strMcs);
        SelectText(m_comboExtCha, m_strExtChannel);
        SelectByData(m_comboTxRate, m_nTXRate);
        SelectByData(m_comboRegionBG, m_nCountryRegion);
        SelectByData(m_comboRegionA, m_nCountryRegionABand);
    }
    return TRUE;
}

void CConfigPage::SetControlTexts()
{
    const struct {
        int id;
        const CString& text;
    } texts[] = {
        {IDC_APCFG_DEFAULT, G_LangTable.IDS_DEFAULT},         {IDC_APCFG_APPLY, G_LangTable.IDS_APPLY},
        {IDC_APCFG_CANCEL, G_LangTable.IDS_CANCEL},           {IDC_APCFG_SECURITY, G_LangTable.IDS_TAB_AUTHSEC},
        {IDC_APCFG_USE_MAC, G_LangTable.IDS_USE_MAC_ADDRESS}, {IDC_APCFG_TX_BURST, G_LangTable.IDS_TX_BURST},
        {IDC_APCFG_TURBO_RATE, G_LangTable.IDS_TURBO_RATE},   {IDC_APCFG_SHORT_SLOT, G_LangTable.IDS_SHORT_SLOT},
        {IDC_APCFG_HIDE_SSID, G_LangTable.IDS_HIDE_SSID},     {IDC_APCFG_NO_FORWARDING, G_LangTable.IDS_NO_FORWARDING},
        {IDC_APCFG_AUTO_CHANNEL, G_LangTable.IDS_AUTOCHANNEL}, {IDC_APCFG_ALLOW_BW40, G_LangTable.IDS_ALLOW_BW40_CAPABILITY},
        {IDC_APCFG_RADIO_OFF, G_LangTable.IDS_OFFRADIO},      {IDC_APCFG_REGION_GROUP, G_LangTable.IDS_COUNTRY_REGION},
        {IDC_APCFG_MODE_LABEL, G_LangTable.IDS_WIRELESSMODE}, {IDC_APCFG_BGPROT_LABEL, G_LangTable.IDS_BGPROTECTION},
        {IDC_APCFG_TXPOWER_LABEL, G_LangTable.IDS_SYS_TXPOWER}, {IDC_APCFG_TXRATE_LABEL, G_LangTable.IDS_TXRATE},
        {IDC_APCFG_ANTENNA_TX_LABEL, G_LangTable.IDS_SYS_ANTENNA_TX}, {IDC_APCFG_ANTENNA_RX_LABEL, G_LangTable.IDS_SYS_ANTENNA_RX},
        {IDC_APCFG_CHANNEL_LABEL, G_LangTable.IDS_CHANNEL},   {IDC_APCFG_SSID_LABEL, G_LangTable.IDS_SSID},
        {IDC_APCFG_PREAMBLE_LABEL, G_LangTable.IDS_SYS_PREAMBLE}, {IDC_APCFG_FRAG_LABEL, G_LangTable.IDS_SYS_CHECK_FRAG},
        {IDC_APCFG_RTS_LABEL, G_LangTable.IDS_SYS_CHECK_RTS}, {IDC_APCFG_BEACON_LABEL, G_LangTable.IDS_BEACON},
    };
    // An empty language text leaves the template's caption.
    for (const auto& t : texts)
        if (!t.text.IsEmpty()) SetDlgItemText(t.id, t.text);
}

void CConfigPage::LoadCountryRegion()
{
    m_Region24Texts.clear();
    m_Region24Data.clear();
    for (ULONG i = 0; i < std::size(k24Texts); ++i) {
        m_Region24Texts.push_back(k24Texts[i]);
        m_Region24Data.push_back(i);
    }
    memset(m_Channels24, 0, sizeof m_Channels24);
    memset(m_Channels5, 0, sizeof m_Channels5);
    ULONG n24 = 0, n5 = 0;
    QXAPAPI.QXAP_GetCountryChannel(m_Channels5, m_Channels24, &n24, &n5, kRegionCustom, kRegionCustom);
    n24 = std::min<ULONG>(n24, kMaxChannels);
    n5 = std::min<ULONG>(n5, kMaxChannels);
    m_bCustom24 = n24 > 0;
    if (m_bCustom24) {
        std::vector<int> channels(m_Channels24, m_Channels24 + n24);
        m_Region24Texts.push_back(CString("30: ") + ChannelListText(channels));
        m_Region24Data.push_back(kRegionCustom);
    }

    m_Region5Texts.clear();
    m_Region5Data.clear();
    m_bCustom5 = FALSE;
    ULONG model = 0;
    if (QXAPAPI.QXAP_GetCurrentDeviceModel(&model) && model <= kMaxModel) {
        m_Region5Texts = FiveGhzRegionTexts(model, QXAPAPI.QXAP_CheckIEEE80211H() != 0);
        for (ULONG i = 0; i < m_Region5Texts.size(); ++i) m_Region5Data.push_back(i);
        if (model >= 4 && n5 > 0) {
            std::vector<int> channels(m_Channels5, m_Channels5 + n5);
            m_Region5Texts.push_back(CString("30:") + ChannelListText(channels));
            m_Region5Data.push_back(kRegionCustom);
            m_bCustom5 = TRUE;
        }
    } else {
        DebugLogIfEnabled("[ApUI] CConfigPage::LoadCountryRegion(): no device model, no 5 GHz regions\n");
    }

    ULONG word = 0, has5 = 0, has24 = 0;
    QXAPAPI.QXAP_QueryCountryRegion(&word, &has5, &has24);
    FillRegionCombo(m_comboRegionBG, m_Region24Texts, m_Region24Data, m_bCustom24, (word >> 16) & 0xFF);
    FillRegionCombo(m_comboRegionA, m_Region5Texts, m_Region5Data, m_bCustom5, (word >> 24) & 0xFF);
}

void CConfigPage::FillRegionCombo(CComboBox& combo, const std::vector<CString>& texts, const std::vector<ULONG>& data,
                                  BOOL custom, ULONG highest)
{
    combo.ResetContent();
    size_t shown = highest + 1 + (custom ? 1 : 0);
    if (highest == 0 || highest + 1 > texts.size()) shown = texts.size();
    const size_t fixed = std::min(shown - (custom && shown > 0 ? 1 : 0), texts.size() - (custom ? 1 : 0));
    for (size_t i = 0; i < fixed; ++i) AddWithData(combo, texts[i], data[i]);
    if (custom && !texts.empty()) AddWithData(combo, texts.back(), kRegionCustom);
}

void CConfigPage::QueryCountryChannels()
{
    memset(m_Channels24, 0, sizeof m_Channels24);
    memset(m_Channels5, 0, sizeof m_Channels5);
    m_nChannels24 = m_nChannels5 = 0;
    QXAPAPI.QXAP_GetCountryChannel(m_Channels5, m_Channels24, &m_nChannels24, &m_nChannels5, m_nCountryRegion,
                                   m_nCountryRegionABand);
    m_nChannels24 = std::min<ULONG>(m_nChannels24, kMaxChannels);
    m_nChannels5 = std::min<ULONG>(m_nChannels5, kMaxChannels);
}

BOOL CConfigPage::OnInitDialog()
{
    CClassicDlg::OnInitDialog();
    m_HTTable.Init();
    m_strWirelessMode = G_LangTable.IDS_PHY_24G;
    m_bAllowBW40 = m_bAllowBW40Wish = 1;
    SetControlTexts();
    LoadCountryRegion();
    if (QXAPAPI.QXAP_GetWinOS() < kVistaOsCode) {
        for (int id : {IDC_APCFG_PREAMBLE_LABEL, IDC_APCFG_PREAMBLE, IDC_APCFG_SHORT_SLOT, IDC_APCFG_AUTO_CHANNEL}) Show(id, FALSE);
    }
    QXAPAPI.QXAP_QueryCountryRegion(&m_ulRegionWord, &m_ulHas5G, &m_ulHas24G);
    if (!m_ulHas24G || !QXAPAPI.EnableCountryRegion) {
        Enable(IDC_APCFG_REGION_GROUP, FALSE);
        Enable(IDC_APCFG_REGION_BG, FALSE);
    }
    if (!m_ulHas5G || !QXAPAPI.EnableCountryRegion) Enable(IDC_APCFG_REGION_A, FALSE);
    if (!QXAPAPI.QXAP_Is80211ASupport()) {
        Show(IDC_APCFG_REGION_A_LABEL, FALSE);
        Show(IDC_APCFG_REGION_A, FALSE);
    }
    m_comboBGProt.ResetContent();
    for (const CString* t : {&G_LangTable.IDS_AUTO, &G_LangTable.IDS_ON, &G_LangTable.IDS_OFF}) m_comboBGProt.AddString(*t);
    for (CComboBox* antenna : {&m_comboAntTx, &m_comboAntRx}) {
        antenna->ResetContent();
        for (const CString* t : {&G_LangTable.IDS_SYS_AUTO, &G_LangTable.IDS_SYS_ANTENNA_A_TX, &G_LangTable.IDS_SYS_ANTENNA_B_TX})
            antenna->AddString(*t);
    }
    m_comboPreamble.ResetContent();
    m_comboPreamble.AddString(G_LangTable.IDS_SYS_LONG);
    m_comboPreamble.AddString(G_LangTable.IDS_SYS_SHORT);
    m_comboTxRate.ResetContent();
    AddWithData(m_comboTxRate, G_LangTable.IDS_SYS_AUTO, 0);
    AddWithData(m_comboTxRate, G_LangTable.IDS_SYS_1M, 2);
    AddWithData(m_comboTxRate, G_LangTable.IDS_SYS_2M, 4);
    AddWithData(m_comboTxRate, G_LangTable.IDS_SYS_55M, 11);
    AddWithData(m_comboTxRate, G_LangTable.IDS_SYS_11M, 22);
    m_comboTxPower.ResetContent();
    for (const CString* t : {&G_LangTable.IDS_100PERCENT, &G_LangTable.IDS_75PERCENT, &G_LangTable.IDS_50PERCENT,
                             &G_LangTable.IDS_25PERCENT, &G_LangTable.IDS_LOWEST})
        m_comboTxPower.AddString(*t);
    m_comboMode.ResetContent();
    m_comboMode.AddString(G_LangTable.IDS_PHY_24G);
    if (QXAPAPI.QXAP_Is80211ASupport()) m_comboMode.AddString(G_LangTable.IDS_PHY_5G);
    QXAPAPI.QXAP_GetMacAddrs(m_MacAddr);
    m_strSsid = kDefaultSsid;
    LoadConfig();
    Show(IDC_APCFG_11N_MODE, QXAPAPI.QXAP_Is80211NSupport() && QXAPAPI.Select11nDialog);
    G_b11nMode = m_nWirelessMode == kMode5GN || m_nWirelessMode == kMode24GN;
    CheckDlgButton(IDC_APCFG_11N_MODE, G_b11nMode ? BST_CHECKED : BST_UNCHECKED);
    ApplyHtVisibility();
    SelectBandText();
    FillMcsCombo();
    QueryCountryChannels();
    AutoChannelRule();
    UpdateData(FALSE);
    ApplyWirelessMode();
    m_strApName.Format("AP%02X%02X%02X%02X%02X%02X", m_MacAddr[0], m_MacAddr[1], m_MacAddr[2], m_MacAddr[3],
                       m_MacAddr[4], m_MacAddr[5]);
    if (QXAPAPI.QXAP_GetWinOS() < kVistaOsCode) SetTimer(kTimerId, kTimerMs);
    // The first fallback to the default file is applied at once; a record without an SSID never is.
    if (G_nApDefaultFallbackCount == 1 && !m_strSsid.IsEmpty()) {
        WriteConfigToRegistryAndSetOid();
        if (G_pHideDlg) G_pHideDlg->SetApWindowsProfile(m_strSsid);
    }
    return TRUE;
}

void CConfigPage::SelectBandText()
{
    SelectText(m_comboMode, m_strWirelessMode);
}

void CConfigPage::FillMcsCombo()
{
    m_comboMcs.ResetContent();
    m_comboMcs.AddString(G_LangTable.IDS_AUTO);
    for (int i = 0; i <= 15; ++i) m_comboMcs.AddString(Number(i));
    m_comboMcs.AddString("32");
    m_comboMcs.AddString(kForceShortGi);
    SelectText(m_comboMcs, m_strMcs);
}

void CConfigPage::AutoChannelRule()
{
    Enable(IDC_APCFG_CHANNEL, !m_bAutoChannel);
}

void CConfigPage::LoadSsidFromRecord(const AP_CONFIG_DATA& c)
{
    const int length = static_cast<int>(std::min<ULONG>(c.Ssid.SsidLength, kSsidMax));
    const char* bytes = reinterpret_cast<const char*>(c.Ssid.Ssid);
    m_strSsid = CString(bytes, static_cast<int>(strnlen(bytes, length)));
    const int prefix = static_cast<int>(strlen(kFactorySuffixedPrefix));
    if (m_strSsid.GetLength() == prefix + 2 && m_strSsid.Left(prefix) == kFactorySuffixedPrefix &&
        IsHexString(m_strSsid.Mid(prefix)))
        m_strSsid = m_strSsid.Left(prefix - 1);
}

int CConfigPage::LoadConfig()
{
    AP_CONFIG_DATA c{};
    QXAPAPI.QXAP_ReadConfigData(&c);
    const RecordSource source = StandInForEmptyRecord(c);
    if (source == RecordSource::DefaultFile) ++G_nApDefaultFallbackCount;
    if (source == RecordSource::PageDefaults)
        DebugLog(1, "[ApUI] CConfigPage::LoadConfig(): the library's record is empty and no default file stands in: page defaults\n");
    LoadSsidFromRecord(c);
    const BOOL n = QXAPAPI.QXAP_Is80211NSupport() || G_b11nMode;
    if (n && c.PhyMode == kMode24GN) m_strWirelessMode = G_LangTable.IDS_PHY_24G;
    else if ((n && c.PhyMode == kMode5GN) || c.PhyMode == kMode5G) m_strWirelessMode = G_LangTable.IDS_PHY_5G;
    else m_strWirelessMode = G_LangTable.IDS_PHY_24G;
    m_nWirelessMode = c.PhyMode;
    const LONG channel = QXAPAPI.QXAP_FrequencyToChannel(c.lFreq);
    m_strChannel = Number(channel);
    const ApHtSetting ht = ApHtSetting::Unpack(c.HT_PhyMode);
    m_bAllowBW40 = c.bAllowBW40 ? 1 : 0;
    m_bAllowBW40Wish = (!c.bAllowBW40 && (c.PhyMode == kMode5GN || c.PhyMode == kMode24GN)) ? 0 : static_cast<int>(ht.Bw);
    m_nGuardInterval = static_cast<int>(ht.ShortGI);
    m_nStbc = static_cast<int>(ht.Stbc);
    m_nHtMode = static_cast<int>(ht.HtMode);
    m_ulBridgeWord = ht.Bridge;
    m_strMcs = ht.Mcs == kMcsAuto ? G_LangTable.IDS_AUTO : Number(static_cast<long>(ht.Mcs));
    if (c.bAllowBW40 && ht.ExtCha == kExtAbove) m_strExtChannel = Number(channel + kExtensionOffset);
    else if (c.bAllowBW40 && ht.ExtCha == kExtBelow) m_strExtChannel = Number(channel - kExtensionOffset);
    else if (c.bAllowBW40 && ht.ExtCha == 2) m_strExtChannel.Empty();
    else m_strExtChannel = kNone;
    m_nCountryRegion = c.nCountryRegion;
    m_nCountryRegionABand = c.nCountryRegionABand;
    LoadRadioSettings(c);
    UpdateData(FALSE);
    return 1;
}

void CConfigPage::FillTxRateList()
{
    m_comboTxRate.ResetContent();
    AddWithData(m_comboTxRate, G_LangTable.IDS_AUTO, 0);
    if (m_nWirelessMode == kMode24G || m_nWirelessMode == kMode24GN) {
        AddWithData(m_comboTxRate, G_LangTable.IDS_1MBPS, 2);
        AddWithData(m_comboTxRate, G_LangTable.IDS_2MBPS, 4);
        AddWithData(m_comboTxRate, G_LangTable.IDS_55MBPS, 11);
        AddWithData(m_comboTxRate, G_LangTable.IDS_11MBPS, 22);
    } else {
        m_nBGProtection = 0;
    }
    const struct {
        const CString& text;
        ULONG data;
    } ofdm[] = {{G_LangTable.IDS_6MBPS, 12},  {G_LangTable.IDS_9MBPS, 18},  {G_LangTable.IDS_12MBPS, 24},
                {G_LangTable.IDS_18MBPS, 36}, {G_LangTable.IDS_24MBPS, 48}, {G_LangTable.IDS_36MBPS, 72},
                {G_LangTable.IDS_48MBPS, 96}, {G_LangTable.IDS_54MBPS, 108}};
    for (const auto& rate : ofdm) AddWithData(m_comboTxRate, rate.text, rate.data);
}

void CConfigPage::OnSelchangeWirelessMode()
{
    // The lists are rebuilt and the page loaded again: what the user typed elsewhere is saved
    // first. A value the page refuses keeps the band as it was.
    if (!UpdateData(TRUE)) {
        SelectBandText();
        return;
    }
    ApplyWirelessMode();
}

void CConfigPage::ApplyWirelessMode()
{
    const int mcs = m_comboMcs.GetCurSel();
    if (mcs >= 0) m_comboMcs.GetLBText(mcs, m_strMcs);
    const int channel = m_comboChannel.GetCurSel();
    if (channel >= 0) m_comboChannel.GetLBText(channel, m_strChannel);
    const int band = m_comboMode.GetCurSel();
    if (band >= 0) m_comboMode.GetLBText(band, m_strWirelessMode);
    m_nWirelessMode = ModeForBand(m_strWirelessMode, Is11nApplied());
    EnableDlgItemForWirelessMode80211n(FALSE);
    EnableOrDisableAllowBW40(m_bAllowBW40Wish);
    const BOOL is24 = m_nWirelessMode == kMode24G || m_nWirelessMode == kMode24GN;
    Show(IDC_APCFG_REGION_BG_LABEL, is24);
    Show(IDC_APCFG_REGION_BG, is24);
    Show(IDC_APCFG_REGION_A_LABEL, !is24 && QXAPAPI.QXAP_Is80211ASupport());
    Show(IDC_APCFG_REGION_A, !is24 && QXAPAPI.QXAP_Is80211ASupport());
    FillTxRateList();
    if (m_nWirelessMode == kMode5GN || m_nWirelessMode == kMode24GN) {
        RefreshTxRateText();
        EnableDlgItemForWirelessMode80211n(TRUE);
        Enable(IDC_APCFG_EXTCHA_LABEL, m_bAllowBW40);
        Enable(IDC_APCFG_EXTCHA, m_bAllowBW40);
    }
    FillChannelList();
    UpdateData(FALSE);
}

void CConfigPage::FillChannelList()
{
    m_comboChannel.ResetContent();
    const auto add = [this](int c) { m_comboChannel.AddString(Number(c)); };
    if (m_nWirelessMode == kMode5G || m_nWirelessMode == kMode5GN) {
        for (ULONG i = 0; i < m_nChannels5; ++i) add(m_Channels5[i]);
    } else if (m_nWirelessMode == kMode24GN) {
        const BOOL keep = m_bAllowBW40 && Span24AtLeast4() && ExtensionExists(atoi(m_strChannel));
        Enable(IDC_APCFG_EXTCHA_LABEL, keep);
        Enable(IDC_APCFG_EXTCHA, keep);
        if (!keep) m_strExtChannel = kNone;
        ULONG sideBand = 0;
        QXAPAPI.QXAP_GetSideBandParaFromE2PROM_BG(&sideBand);
        if (sideBand == 0 && IsDlgButtonChecked(IDC_APCFG_ALLOW_BW40)) {
            // Without the side-band calibration a 40 MHz pair may not touch the band's edges.
            if (m_nChannels24 >= 3)
                for (ULONG i = 1; i + 1 < m_nChannels24; ++i) add(m_Channels24[i]);
        } else {
            for (ULONG i = 0; i < m_nChannels24; ++i) add(m_Channels24[i]);
        }
    } else {
        for (ULONG i = 0; i < m_nChannels24; ++i) add(m_Channels24[i]);
    }
    SelectText(m_comboChannel, m_strChannel);
    OnSelchangeChannel();
    UpdateData(FALSE);
}

void CConfigPage::OnSelchangeChannel()
{
    const int sel = m_comboChannel.GetCurSel();
    if (m_comboChannel.GetCount() > 0 && sel >= 0) m_comboChannel.GetLBText(sel, m_strChannel);
    const int c = atoi(m_strChannel);
    m_comboExtCha.ResetContent();
    if (c > 0 && c < kFirst5GhzChannel) {
        if (c != kChannel14) {
            if (Contains(m_Channels24, m_nChannels24, c - kExtensionOffset)) m_comboExtCha.AddString(Number(c - kExtensionOffset));
            if (Contains(m_Channels24, m_nChannels24, c + kExtensionOffset)) m_comboExtCha.AddString(Number(c + kExtensionOffset));
        }
    } else if (const int partner = FiveGhzExtensionPartner(c)) {
        m_comboExtCha.AddString(Number(partner));
    }
    m_bExtChannelExists = m_comboExtCha.GetCount() > 0;
    if (!m_bExtChannelExists) {
        m_comboExtCha.AddString(kNone);
        m_bAllowBW40 = 0;
    }
    // A rebuild keeps the extension channel already chosen when it is still offered, so that
    // loading and applying a record does not turn "above" into "below".
    const int kept = m_comboExtCha.FindStringExact(-1, m_strExtChannel);
    m_comboExtCha.SetCurSel(kept >= 0 ? kept : 0);
    m_comboExtCha.GetLBText(kept >= 0 ? kept : 0, m_strExtChannel);
    EnableOrDisableAllowBW40(m_bAllowBW40);
}

BOOL CConfigPage::ExtensionExists(int c) const
{
    if (c > 0 && c < kFirst5GhzChannel)
        return c != kChannel14 && (Contains(m_Channels24, m_nChannels24, c - kExtensionOffset) ||
                                   Contains(m_Channels24, m_nChannels24, c + kExtensionOffset));
    return FiveGhzExtensionPartner(c) != 0;
}

void CConfigPage::EnableOrDisableAllowBW40(int wish)
{
    const BOOL is5 = m_nWirelessMode == kMode5G || m_nWirelessMode == kMode5GN;
    if (Is11nApplied()) {
        m_ulBW40Capability = 3;
        if (!QXAPAPI.QXAP_CheckAllowBW40ForBand(&m_ulBW40Capability))
            DebugLog(1, "[ApUI] CConfigPage: QXAP_CheckAllowBW40ForBand() failed, capability %lu kept\n", m_ulBW40Capability);
    }
    BOOL shown = FALSE;
    if (m_nWirelessMode == kMode24GN) shown = (m_ulBW40Capability & 1) != 0;
    else if (m_nWirelessMode == kMode5GN) shown = (m_ulBW40Capability & 2) != 0;
    Show(IDC_APCFG_ALLOW_BW40, shown);
    const int c = atoi(m_strChannel);
    // Judged on the current channel: the flag of the last rebuild may belong to another band.
    m_bExtChannelExists = ExtensionExists(c);
    const BOOL barred = is5 ? (c == 140 || c == 165 || c == 169 || c == 173 || !m_bExtChannelExists)
                            : (!Span24AtLeast4() || c == kChannel14 || !m_bExtChannelExists);
    m_bAllowBW40 = barred ? 0 : wish;
    CheckDlgButton(IDC_APCFG_ALLOW_BW40, m_bAllowBW40 ? BST_CHECKED : BST_UNCHECKED);
    Enable(IDC_APCFG_ALLOW_BW40, !barred);
}

void CConfigPage::ApplyHtVisibility()
{
    if (QXAPAPI.QXAP_Is80211NSupport() && G_b11nMode) return;
    for (int id : kHtControls) Show(id, FALSE);
    Show(IDC_APCFG_ALLOW_BW40, FALSE);
}

void CConfigPage::EnableDlgItemForWirelessMode80211n(BOOL enable)
{
    const BOOL nSupport = QXAPAPI.QXAP_Is80211NSupport();
    if (QXAPAPI.TxRate) {
        Show(IDC_APCFG_TXRATE_LABEL, TRUE);
        Show(IDC_APCFG_TXRATE, TRUE);
        Enable(IDC_APCFG_TXRATE, !enable);
    } else {
        Show(IDC_APCFG_TXRATE_LABEL, !nSupport);
        Show(IDC_APCFG_TXRATE, !nSupport);
    }
    const BOOL is24 = m_nWirelessMode == kMode24G || m_nWirelessMode == kMode24GN;
    const BOOL bgShown = QXAPAPI.BgProtection || !Is11nApplied();
    Show(IDC_APCFG_BGPROT_LABEL, bgShown);
    Show(IDC_APCFG_BGPROT, bgShown);
    if (bgShown) {
        if (is24 && m_nBGProtection != m_nBGProtectionSaved) m_nBGProtection = m_nBGProtectionSaved;
        Enable(IDC_APCFG_BGPROT, is24);
    }
    const BOOL htShown = QXAPAPI.HTSetting && enable;
    for (int id : kHtControls) Show(id, htShown);
}

void CConfigPage::RefreshTxRateText()
{
    double rate = 0;
    // An automatic MCS has no one rate: none is shown rather than the table's entry for MCS 33.
    const BOOL fixed = !m_strMcs.IsEmpty() && m_strMcs != kForceShortGi && m_strMcs != G_LangTable.IDS_AUTO;
    const BOOL found = fixed && m_HTTable.GetRate(m_bAllowBW40, m_nGuardInterval, atoi(m_strMcs), &rate);
    if (found) m_strTxRateText.Format("Tx Rate : %.2f Mbps", rate);
    else m_strTxRateText = "Tx Rate: Not Available";
    SetDlgItemText(IDC_APCFG_HT_TXRATE, m_strTxRateText);
}

void CConfigPage::OnSaveOnly()
{
    UpdateData(TRUE);
}

void CConfigPage::OnMcsOrGuardInterval()
{
    if (!UpdateData(TRUE)) return;
    RefreshTxRateText();
}

void CConfigPage::On11nMode()
{
    if (!UpdateData(TRUE)) {
        CheckDlgButton(IDC_APCFG_11N_MODE, G_b11nMode ? BST_CHECKED : BST_UNCHECKED);
        return;
    }
    G_b11nMode = IsDlgButtonChecked(IDC_APCFG_11N_MODE) == BST_CHECKED;
    QXAPAPI.TxRate = 1;
    QXAPAPI.HTSetting = G_b11nMode;
    ApplyHtVisibility();
    ApplyWirelessMode();
}

void CConfigPage::OnAllowBw40()
{
    if (!UpdateData(TRUE)) {
        CheckDlgButton(IDC_APCFG_ALLOW_BW40, m_bAllowBW40 ? BST_CHECKED : BST_UNCHECKED);
        return;
    }
    m_bAllowBW40Wish = IsDlgButtonChecked(IDC_APCFG_ALLOW_BW40) == BST_CHECKED;
    FillChannelList();
    UpdateData(FALSE);
    RefreshTxRateText();
    Enable(IDC_APCFG_EXTCHA_LABEL, m_bAllowBW40Wish);
    Enable(IDC_APCFG_EXTCHA, m_bAllowBW40Wish);
}

void CConfigPage::OnSelchangeCountryRegion()
{
    // A refused save would build the channels of the old regions: the combos go back to them.
    if (!UpdateData(TRUE)) {
        SelectByData(m_comboRegionBG, m_nCountryRegion);
        SelectByData(m_comboRegionA, m_nCountryRegionABand);
        return;
    }
    RebuildRegionChannels();
}

void CConfigPage::RebuildRegionChannels()
{
    QueryCountryChannels();
    FillChannelList();
    EnableOrDisableAllowBW40(m_bAllowBW40Wish);
}

void CConfigPage::OnAutoChannel()
{
    const int mcs = m_comboMcs.GetCurSel();
    if (mcs >= 0) m_comboMcs.GetLBText(mcs, m_strMcs);
    m_bAutoChannel = IsDlgButtonChecked(IDC_APCFG_AUTO_CHANNEL) == BST_CHECKED;
    AutoChannelRule();
}

BOOL CConfigPage::OnApply()
{
    CString beacon, idle;
    GetDlgItemText(IDC_APCFG_BEACON, beacon);
    GetDlgItemText(IDC_APCFG_IDLE, idle);
    const auto inRange = [](const CString& text, int low, int high) {
        if (text.IsEmpty() || text.GetLength() > 5 || !IsDigitString(text)) return false;
        const int value = atoi(text);
        return value >= low && value <= high;
    };
    if (!inRange(beacon, kBeaconMin, kBeaconMax)) {
        ShowApMessage(G_LangTable.IDS_BEACON_PERIOD_ERR);
        return FALSE;
    }
    if (!inRange(idle, kIdleMin, kIdleMax)) {
        ShowApMessage(G_LangTable.IDS_IDLE_TIME_ERR);
        return FALSE;
    }
    if (!UpdateData(TRUE)) return FALSE;
    const int mcs = m_comboMcs.GetCurSel();
    if (mcs >= 0) m_comboMcs.GetLBText(mcs, m_strMcs);
    if (m_strSsid.IsEmpty()) {
        ShowApMessage(G_LangTable.IDS_ADHOCINPUTSSID);
        return FALSE;
    }
    if (!WriteConfigToRegistryAndSetOid()) return FALSE;
    if (G_pHideDlg) G_pHideDlg->SetApWindowsProfile(m_strSsid);
    return TRUE;
}

int CConfigPage::WriteConfigToRegistryAndSetOid()
{
    AP_CONFIG_DATA c{};
    AP_ADVANCE_DATA a{};
    if (m_nWirelessMode == kMode5G && QXAPAPI.QXAP_Is80211ASupport()) m_nBGProtection = 0;
    m_nBGProtectionSaved = m_nBGProtection;
    const LONG channel = atoi(m_strChannel);
    c.lFreq = static_cast<ULONG>(QXAPAPI.QXAP_ChannelToFrequency(channel));
    QXAPAPI.QXAP_QueryCountryRegion(&m_ulRegionWord, &m_ulHas5G, &m_ulHas24G);
    if ((m_ulHas5G || m_ulHas24G) && m_hWnd) {
        FillChannelList();
        UpdateData(TRUE);
    }
    c.PhyMode = m_nWirelessMode;
    ApHtSetting ht;
    if (Is11nApplied()) {
        c.bAllowBW40 = m_bAllowBW40 ? 1 : 0;
        ht.PhyMode = m_nWirelessMode;
        ht.Bw = m_bAllowBW40 ? 1 : 0;
        ht.ShortGI = m_nGuardInterval == 1;
        ht.Stbc = m_nStbc == 1;
        ht.TransNo = kTransNo;
        ht.HtMode = m_nHtMode == 1;
        const int ext = atoi(m_strExtChannel);
        if (m_bAllowBW40 && ext > 0) ht.ExtCha = ext > channel ? kExtAbove : kExtBelow;
        if (m_strMcs == kForceShortGi) {
            // A forced short guard interval keeps the rate automatic rather than pinning MCS 0.
            ht.Mcs = kMcsAuto;
            ht.ShortGI = 1;
        } else {
            ht.Mcs = m_strMcs == G_LangTable.IDS_AUTO || m_strMcs.IsEmpty() ? kMcsAuto : static_cast<ULONG>(atoi(m_strMcs));
        }
    }
    ht.Bridge = m_ulBridgeWord;
    c.HT_PhyMode = ht.Pack();
    const int length = std::min(m_strSsid.GetLength(), kSsidMax);
    c.Ssid.SsidLength = static_cast<ULONG>(length);
    memcpy(c.Ssid.Ssid, m_strSsid.GetString(), length);
    c.nTXRate = m_nTXRate;
    c.nTxPower = static_cast<ULONG>(std::max(m_nTxPower, 0));
    c.nBGProtection = static_cast<ULONG>(std::max(m_nBGProtection, 0));
    c.nCountryRegion = m_nCountryRegion;
    c.nCountryRegionABand = m_nCountryRegionABand;
    c.nPreamble = static_cast<ULONG>(std::max(m_nPreamble, 0));
    c.nBeaconPeriod = static_cast<ULONG>(m_nBeaconPeriod);
    c.lRtsThre = static_cast<ULONG>(m_lRtsThre);
    c.lFragThre = static_cast<ULONG>(m_lFragThre);
    c.bTxBurst = m_bTxBurst;
    c.bTurboRate = m_bTurboRate;
    c.bNoForwarding = m_bNoForwarding;
    c.bHideSsid = m_bHideSsid;
    c.bShortSlot = m_bShortSlot;
    c.bAutoChannel = m_bAutoChannel;
    GetSecurityBlock(c);
    c.nIdleTime = static_cast<ULONG>(m_nIdleTime);
    a.bTxBurst = c.bTxBurst;
    a.bTurboRate = c.bTurboRate;
    a.bNoForwarding = c.bNoForwarding;
    a.bHideSsid = c.bHideSsid;
    a.nBGProtection = c.nBGProtection;
    a.bShortSlot = c.bShortSlot;
    a.nIdleTime = static_cast<USHORT>(c.nIdleTime);
    a.ulRadiusServer = c.ulRadiusServer;
    a.nRadiusPort = c.nRadiusPort;
    memcpy(a.chRadiusKey, c.chRadiusKey, sizeof a.chRadiusKey);
    a.nGroupRekeyMethod = c.nGroupRekeyMethod;
    a.nGroupRekeyInterval = c.nGroupRekeyInterval;
    const LONG status = QXAPAPI.QXAP_WriteandSetConfigData(c, a);
    if (status != QXWL_ERROR_SUCCESS) {
        DebugLog(1, "[ApUI] CConfigPage: QXAP_WriteandSetConfigData() return not QXWL_ERROR_SUCCESS (%ld)\n", status);
        return 0;
    }
    return 1;
}

void CConfigPage::SetBridgeWord(ULONG word)
{
    m_ulBridgeWord = word;
}

// The record's rate, power, protection, frame and flag fields, its idle time and security block.
void CConfigPage::LoadRadioSettings(const AP_CONFIG_DATA& record)
{
    AP_CONFIG_DATA c = record;
    // A value the page's own checks refuse would block every later save, also from the skinned
    // page, which does not show it: it takes the page's default instead.
    const auto sane = [](ULONG& value, ULONG low, ULONG high, ULONG fallback, const char* name) {
        if (value >= low && value <= high) return;
        DebugLog(1, "[ApUI] CConfigPage: the record's %s %lu is out of range, %lu taken\n", name, value, fallback);
        value = fallback;
    };
    sane(c.nBeaconPeriod, kBeaconMin, kBeaconMax, kDefaultBeacon, "beacon period");
    sane(c.nIdleTime, kIdleMin, kIdleMax, kDefaultIdle, "idle time");
    sane(c.nGroupRekeyInterval, CAuthSecuDlg::kRekeyMin, CAuthSecuDlg::kRekeyMax, kDefaultRekey, "group rekey interval");
    m_nTXRate = c.nTXRate;
    m_nTxPower = static_cast<int>(c.nTxPower);
    m_nBGProtection = m_nBGProtectionSaved = static_cast<int>(c.nBGProtection);
    m_nPreamble = static_cast<int>(c.nPreamble);
    m_nBeaconPeriod = static_cast<int>(c.nBeaconPeriod);
    m_lRtsThre = static_cast<int>(c.lRtsThre);
    m_lFragThre = static_cast<int>(c.lFragThre);
    m_bTxBurst = c.bTxBurst ? 1 : 0;
    m_bTurboRate = c.bTurboRate ? 1 : 0;
    m_bNoForwarding = c.bNoForwarding ? 1 : 0;
    m_bHideSsid = c.bHideSsid ? 1 : 0;
    m_bShortSlot = c.bShortSlot ? 1 : 0;
    m_bAutoChannel = c.bAutoChannel ? 1 : 0;
    m_nIdleTime = static_cast<int>(c.nIdleTime);
    SetSecurityBlock(c);
}

void CConfigPage::OnDefault()
{
    if (m_ulHas24G && QXAPAPI.EnableCountryRegion) {
        m_nCountryRegion = 0;
        m_comboRegionBG.SetCurSel(0);
    }
    if (m_ulHas5G && QXAPAPI.EnableCountryRegion) {
        m_nCountryRegionABand = 0;
        m_comboRegionA.SetCurSel(0);
    }
    RebuildRegionChannels();
    m_strWirelessMode = G_LangTable.IDS_PHY_24G;
    AP_CONFIG_DATA c{};
    if (QXAPAPI.QXAP_GetAPDefault(&c) != 1) DebugLog(1, "[ApUI] CConfigPage::OnDefault(): QXAP_GetAPDefault() failed\n");
    LoadSsidFromRecord(c);
    LoadRadioSettings(c);
    Enable(IDC_APCFG_CHANNEL, TRUE);
    if (m_comboChannel.GetCount() > 0) m_comboChannel.GetLBText(0, m_strChannel);
    m_bAllowBW40 = m_bAllowBW40Wish = 1;
    m_nGuardInterval = m_nStbc = 1;
    m_nHtMode = 0;
    m_strMcs = G_LangTable.IDS_AUTO;
    m_strExtChannel = kNone;
    UpdateData(FALSE);
    SelectBandText();
    ApplyWirelessMode();
    CAuthSecuDlg::ReloadFrom(*this);
}

void CConfigPage::OnCancelButton()
{
    LoadConfig();
    QueryCountryChannels();
    AutoChannelRule();
    UpdateData(FALSE);
    SelectBandText();
    ApplyWirelessMode();
    CAuthSecuDlg::ReloadFrom(*this);
}

void CConfigPage::OnUseMacAddress()
{
    // A refused save would write older members back over the user's later entries.
    if (!UpdateData(TRUE)) return;
    m_strSsid.Format("AP%02X%02X%02X%02X%02X%02X", m_MacAddr[0], m_MacAddr[1], m_MacAddr[2], m_MacAddr[3], m_MacAddr[4],
                     m_MacAddr[5]);
    UpdateData(FALSE);
}

void CConfigPage::OnSecurity()
{
    CAuthSecuDlg* dlg = CAuthSecuDlg::Find();
    if (!dlg) {
        DebugLog(1, "[ApUI] CConfigPage::OnSecurity(): no security dialog\n");
        return;
    }
    dlg->TakeBlockFrom(*this);
    CKelvoPageUIDlg* main = G_pHideDlg ? CKelvoPageUIDlg::From(G_pHideDlg->m_pQxUI) : nullptr;
    if (main && main->m_pApClassicTab) main->m_pApClassicTab->ShowPage(dlg);
}

void CConfigPage::OnSetActive()
{
    SetTimer(kTimerId, kTimerMs);
}

void CConfigPage::OnKillActive()
{
    KillTimer(kTimerId);
}

void CConfigPage::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CClassicDlg::OnShowWindow(bShow, nStatus);
    if (bShow) OnSetActive();
    else OnKillActive();
}

void CConfigPage::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kTimerId) return;
    KillTimer(kTimerId);
    m_ulBW40Capability = 3;
    if (!QXAPAPI.QXAP_CheckAllowBW40ForBand(&m_ulBW40Capability))
        DebugLog(1, "[ApUI] CConfigPage::OnTimer(): QXAP_CheckAllowBW40ForBand() failed\n");
    if (m_nWirelessMode == kMode5GN || m_nWirelessMode == kMode24GN) {
        EnableDlgItemForWirelessMode80211n(QXAPAPI.HTSetting == 1);
        const BOOL shown = m_nWirelessMode == kMode24GN ? (m_ulBW40Capability & 1) : (m_ulBW40Capability & 2);
        Show(IDC_APCFG_ALLOW_BW40, shown);
    } else {
        if (QXAPAPI.Select11nDialog && !G_b11nMode) EnableDlgItemForWirelessMode80211n(FALSE);
        Show(IDC_APCFG_ALLOW_BW40, FALSE);
    }
    SetTimer(kTimerId, kTimerMs);
}
