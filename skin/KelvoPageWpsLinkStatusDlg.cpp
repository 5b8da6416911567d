#include "skin/KelvoPageWpsLinkStatusDlg.h"
#include "base/DebugLog.h"
#include "base/LanguageTable.h"
#include "base/SystemHelpers.h"
#include "contract/IeParseResult.h"
#include "contract/StationContract.h"
#include "core/ProductMessageBox.h"
#include "core/QXWLLIB.h"
#include "core/hidedlg/HideDlg.h"
#include "skin/KelvoPageProfileDlg.h"
#include "skin/KelvoPageWpsListViewDlg.h"
#include "skin/KelvoPageUIDlg.h"
#include "skin/MainWindowMessages.h"
#include "station/CPage8021XDlg.h"
#include "station/CPageAuthEncryDlg.h"
#include "station/CPageSystemConfigDlg.h"
#include "station/CProfileEditorDlg.h"
#include "station/ProfileCodes.h"
#include "ui/DialogTab.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNCREATE(CKelvoPageWpsLinkStatusDlg, CDialog)

LONG G_nWpsMethod = 0;
ULONG G_nWpsPin = 0;
LONG G_nWpsConfigMode = 0;
LONG G_bWpsRunning = 0;
volatile LONG G_bWpsScanDone = 0;
UCHAR G_nWpsApChannel = 0;
LONG G_nWpsPhyPreference = 2;

namespace {
constexpr ULONG kWpsModePbc = 0x20000000, kWpsModePin = 0x10000000;
constexpr ULONG kStatusPbcBit = 0x10000000, kStatusCodeMask = 0x0FFFFFFF;
constexpr UCHAR kConfigEnrollee = 1, kConfigRegistrar = 2;
constexpr LONG kOsCodeSystemService = 10;
constexpr LONG kZeroConfigManaged = 2;
constexpr DWORD kFreeAdapterWaitMs = 600;
constexpr ULONG kHighestLowBandChannel = 14;
constexpr WPARAM kWpsNotify = 4;
constexpr LPARAM kWpsNotifyStopped = 1201;
constexpr WPARAM kEditorAddFromProfilePage = 4;
constexpr ULONG kLinkConnected = 3;
constexpr COLORREF kTabRecolour = RGB(80, 100, 121);
// Credential codes (Wi-Fi Simple Configuration).
constexpr ULONG kAuthOpen = 0x01, kAuthWpaPsk = 0x02, kAuthShared = 0x04, kAuthWpa = 0x08, kAuthWpa2 = 0x10,
                kAuthWpa2Psk = 0x20, kAuthWpaMixedPsk = 0x22;
constexpr ULONG kEncrNone = 0x01, kEncrWep = 0x02, kEncrTkip = 0x04, kEncrAes = 0x08, kEncrTkipAes = 0x0C;

CString CLanguageTable::*const kTips[] = {
    &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_00, &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_01,
    &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_02, &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_03,
    &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_04, &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_05,
    &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_06, &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_07,
    &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_08, &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_09,
    &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_10, &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_11,
    &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_12, &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_13,
    &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_14, &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_15,
    &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_16, &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_17,
    &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_18, &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_19,
    &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_20, &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_21,
    &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_22, &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_23,
    &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_24, &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_25,
    &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_26, &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_27,
    &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_28, &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_29,
    &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_30, &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_31,
    &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_32, &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_33,
    &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_34, &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_35,
    &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_36, &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_37,
    &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_38, &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_39,
    &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_40, &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_41,
    &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_42, &CLanguageTable::IDS_VAL_WPS_STATUS_TIPS_43,
};

// What a status code shows and does: its tip (-1 none), its progress (-1 unchanged) and its action.
enum StatusAction { kNothing, kNextAp, kKillPollNextAp, kSuccess, kStopNextAp, kTimedOut };
struct StatusRow {
    ULONG code;
    int tip;
    int progress;
    StatusAction action;
};
constexpr StatusRow kStatusRows[] = {
    {0, 0, -1, kKillPollNextAp}, {1, 1, -1, kNextAp},
    {2, 3, 10, kNothing}, {3, 4, 15, kNothing}, {4, 5, 20, kNothing}, {5, 6, 25, kNothing},
    {6, 8, 30, kNothing}, {7, 15, -1, kNothing}, {9, 2, -1, kNothing}, {15, 29, 100, kSuccess},
    {17, 7, 35, kNothing}, {18, 9, 40, kNothing}, {19, 11, 45, kNothing}, {20, 13, 50, kNothing},
    {21, 16, 60, kNothing}, {22, 18, 65, kNothing}, {23, 20, 70, kNothing}, {24, 21, 75, kNothing},
    {25, 23, 80, kNothing}, {26, 25, 85, kNothing}, {27, 27, 90, kNothing},
    {34, 10, 40, kNothing}, {35, 12, 45, kNothing}, {36, 14, 50, kNothing}, {37, 17, 60, kNothing},
    {38, 19, 65, kNothing}, {39, 43, 70, kNothing}, {40, 22, 75, kNothing}, {41, 24, 80, kNothing},
    {42, 26, 85, kNothing}, {43, 28, 90, kNothing},
    {0x101, 34, -1, kNothing}, {0x102, 35, -1, kNothing},
    {0x103, 36, -1, kNextAp}, {0x104, 37, -1, kNextAp}, {0x105, 38, -1, kNextAp}, {0x106, 39, -1, kNextAp},
    {0x201, 30, -1, kStopNextAp}, {0x202, 31, -1, kStopNextAp}, {0x203, 32, -1, kStopNextAp},
    {0x204, 33, -1, kTimedOut}, {0x205, -1, -1, kStopNextAp},
};

const StatusRow* FindStatusRow(ULONG code)
{
    for (const StatusRow& row : kStatusRows)
        if (row.code == code) return &row;
    return nullptr;
}

LONG OsCode() { return QXWLAPI.WinOS(); }

CKelvoPageUIDlg* Main() { return CKelvoPageUIDlg::GetLive(); }

void PostNotify(LPARAM l)
{
    if (CWnd* app = AfxGetMainWnd(); app && app->m_hWnd) app->SendMessage(MSG_WPS_STATUS_NOTIFY, kWpsNotify, l);
}

// A credential as the library may hand it: at most eight, keys no longer than their field.
void ClampProfile(WPS_PROFILE& profile)
{
    if (profile.ProfileCnt > kWpsMaxCredentials) {
        DebugLog(1, "[QxUI] WPS profile count %lu clamped to %lu\n", profile.ProfileCnt, kWpsMaxCredentials);
        profile.ProfileCnt = kWpsMaxCredentials;
    }
    for (WPS_CREDENTIAL& c : profile.Profile) {
        c.KeyLength = std::min<ULONG>(c.KeyLength, kWpsKeyMaxBytes);
        c.SSID.SsidLength = std::min<ULONG>(c.SSID.SsidLength, sizeof c.SSID.Ssid);
    }
}

CString CredentialSsid(const WPS_CREDENTIAL& c)
{
    return CString(SsidToText(c.SSID).c_str());
}

CString CredentialKey(const WPS_CREDENTIAL& c)
{
    const auto* key = reinterpret_cast<const char*>(c.Key);
    return CString(key, static_cast<int>(strnlen(key, std::min<ULONG>(c.KeyLength, kWpsKeyMaxBytes))));
}
}  // namespace

BEGIN_MESSAGE_MAP(CKelvoPageWpsLinkStatusDlg, CSkinnedPage)
    ON_WM_TIMER()
    ON_WM_SHOWWINDOW()
    ON_BN_CLICKED(IDC_WPSLINK_CANCEL, OnCancelRun)
    ON_BN_CLICKED(IDC_WPSLINK_EXIT, OnExit)
END_MESSAGE_MAP()

CKelvoPageWpsLinkStatusDlg::~CKelvoPageWpsLinkStatusDlg()
{
    delete[] m_pScanBuffer;
}

BOOL CKelvoPageWpsLinkStatusDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_look.Apply(*this, IDC_WPSLINK_TITLE, {IDC_WPSLINK_PIN, IDC_WPSLINK_SSID_LABEL, IDC_WPSLINK_SECURITY_LABEL});
    m_look.SkinButton(*this, IDC_WPSLINK_CANCEL, CSkinnedPageLook::kCancelButton);
    m_look.SkinButton(*this, IDC_WPSLINK_EXIT, CSkinnedPageLook::kExitButton);
    SetDlgItemText(IDC_WPSLINK_TITLE, G_LangTable.IDS_VAL_CONTRY_WPS_WIFIPROTECTEDSETUP);
    SetDlgItemText(IDC_WPSLINK_PIN, G_LangTable.IDS_LAB_WPS_STATUS_CURRENTPIN);
    SetDlgItemText(IDC_WPSLINK_SSID_LABEL, G_LangTable.IDS_LAB_NETWORK_NAME);
    SetDlgItemText(IDC_WPSLINK_SECURITY_LABEL, G_LangTable.IDS_LAB_SECURITY);
    if (CWnd* progress = GetDlgItem(IDC_WPSLINK_PROGRESS)) progress->SendMessage(PBM_SETRANGE32, 0, 100);

    WPS_MODE mode = {};
    QXWLAPI.QXWL_ReadWPSProfile(&mode, &wpsProfile);
    ClampProfile(wpsProfile);
    G_nWpsConfigMode = mode.ConfigMode;
    // The page is made at start-up for its timers; the access-point list waits for its first
    // showing (or a scan result), which keeps the start cheap.
    BOOL flag = FALSE;
    QXWLAPI.QXWL_ReadWPSFlag(&flag);
    if (flag && wpsProfile.ProfileCnt > 0) SetTimer(TIMER_WPS_RESULT, kResultCheckMs);
    SetTimer(TIMER_WPS_HW_BUTTON, kHwButtonMs);
    return TRUE;
}

void CKelvoPageWpsLinkStatusDlg::ReadScanResults()
{
    std::vector<BYTE> list(kScanQueryBytes);
    ULONG size = kScanQueryBytes;
    // The query's answer is not examined: the list comes from the repository in any case.
    QXWLAPI.QXWL_SiteSurveyQuery(reinterpret_cast<NDIS_802_11_BSSID_LIST_EX*>(list.data()), &size);
    if (size <= list.size() && size >= sizeof(ULONG)) QXWLAPI.UpdateRepositBssidList(list.data(), size);
    m_bScanRead = true;
    RefreshApList();
}

void CKelvoPageWpsLinkStatusDlg::RefreshApList()
{
    static constexpr char kCaller[] = "CKelvoPageWpsLinkStatusDlg::RefreshApList";
    const REPOSIT_BSSID_LIST& repository = QXWLAPI.listRepositBssid;
    if (!repository.pBssidList || !repository.nBufferSize) return;
    if (!m_pScanBuffer) m_pScanBuffer = new BYTE[kScanBufferBytes]();
    const size_t bytes = std::min<size_t>(repository.nBufferSize, kScanBufferBytes);
    memset(m_pScanBuffer, 0, kScanBufferBytes);
    memcpy(m_pScanBuffer, repository.pBssidList, bytes);
    if (reinterpret_cast<const NDIS_802_11_BSSID_LIST_EX*>(m_pScanBuffer)->NumberOfItems == 0) return;

    aryWpsAp.clear();
    const BssidListView view(m_pScanBuffer, kScanBufferBytes, kCaller);
    for (size_t i = 0; i < view.Count(); ++i) {
        const NDIS_WLAN_BSSID_EX& record = view[i];
        const LONG channel = QXWLAPI.QXWL_FrequencyToChannel(record.Configuration.DSConfig);
        IE_PARSE_RESULT parsed{};
        QXWLAPI.QXWL_ParseInfoElement(&record, &parsed);
        if (parsed.wpsVersion[0] == '\0') continue;  // no WPS element
        const ULONG ch = channel < 0 ? 0 : static_cast<ULONG>(channel);
        if (G_nWpsPhyPreference == 0 && ch > kHighestLowBandChannel) continue;
        if (G_nWpsPhyPreference == 1 && ch <= kHighestLowBandChannel) continue;
        const std::string passwordId = LibraryText(parsed.wpsDevicePasswordId, sizeof parsed.wpsDevicePasswordId, kCaller);
        const std::string state = LibraryText(parsed.wpsState, sizeof parsed.wpsState, kCaller);
        WPS_AP_ENTRY entry;
        entry.strSsid = SsidToText(record.Ssid).c_str();
        const UCHAR* m = record.MacAddress;
        entry.strBssid.Format("%02X-%02X-%02X-%02X-%02X-%02X", m[0], m[1], m[2], m[3], m[4], m[5]);
        entry.nChannel = ch;
        entry.bConfigured = state == "Configured" ? 1 : 0;
        entry.bPbcActive = passwordId == "0x0004" ? 1 : 0;
        entry.Ssid = record.Ssid;
        entry.Ssid.SsidLength = std::min<ULONG>(entry.Ssid.SsidLength, sizeof entry.Ssid.Ssid);
        memcpy(entry.Bssid, record.MacAddress, sizeof entry.Bssid);
        aryWpsAp.push_back(entry);
    }
    nApIndex = -1;
}

void CKelvoPageWpsLinkStatusDlg::OnShowWindow(BOOL bShow, UINT nStatus)
{
    Default();
    if (nStatus != 0) return;  // the main window shown or hidden: no run starts or ends
    if (!bShow) {
        m_bResultShown = false;
        EnableTabs(TRUE);
        return;
    }
    EnableTabs(FALSE);
    if (!m_bScanRead) ReadScanResults();
    ShowRunLines();
    if (nMethod == 1 || nMethod == 2) {
        // Eight digits always: a PIN with leading zeros is still the PIN the user typed.
        CString line;
        line.Format("%s %08lu", static_cast<LPCSTR>(G_LangTable.IDS_LAB_WPS_STATUS_CURRENTPIN), G_nWpsPin);
        SetDlgItemText(IDC_WPSLINK_PIN, line);
        ShowLine(IDC_WPSLINK_PIN_BULLET, TRUE);
        ShowLine(IDC_WPSLINK_PIN, TRUE);
        StartPinRun();
    } else {
        StartPbcRun();
    }
}

void CKelvoPageWpsLinkStatusDlg::ShowRunLines()
{
    m_bResultShown = false;
    SetStatusText("");
    ShowLine(IDC_WPSLINK_CANCEL, TRUE);
    ShowLine(IDC_WPSLINK_EXIT, FALSE);
    for (UINT id : {IDC_WPSLINK_PIN_BULLET, IDC_WPSLINK_PIN, IDC_WPSLINK_SSID_BULLET, IDC_WPSLINK_SSID_LABEL,
                    IDC_WPSLINK_SSID, IDC_WPSLINK_SECURITY_BULLET, IDC_WPSLINK_SECURITY_LABEL, IDC_WPSLINK_SECURITY})
        ShowLine(id, FALSE);
}

void CKelvoPageWpsLinkStatusDlg::EnableTabs(BOOL enable)
{
    CKelvoPageUIDlg* main = Main();
    if (!main) return;
    for (CWnd* tab : {static_cast<CWnd*>(&main->m_tabLinkInfo), static_cast<CWnd*>(&main->m_tabSiteSurvey),
                      static_cast<CWnd*>(&main->m_tabProfile), static_cast<CWnd*>(&main->m_tabAdapter)})
        if (tab->m_hWnd) tab->EnableWindow(enable);
}

void CKelvoPageWpsLinkStatusDlg::ShowLine(UINT id, BOOL show)
{
    if (!m_hWnd) return;
    if (CWnd* item = GetDlgItem(id)) item->ShowWindow(show ? SW_SHOW : SW_HIDE);
}

void CKelvoPageWpsLinkStatusDlg::SetStatusText(const CString& text)
{
    if (m_hWnd) SetDlgItemText(IDC_WPSLINK_STATUS, text);
}

void CKelvoPageWpsLinkStatusDlg::SetProgress(int pos)
{
    if (!m_hWnd) return;
    if (CWnd* progress = GetDlgItem(IDC_WPSLINK_PROGRESS)) progress->SendMessage(PBM_SETPOS, static_cast<WPARAM>(pos), 0);
}

void CKelvoPageWpsLinkStatusDlg::StopPage()
{
    SetProgress(0);
    if (m_hWnd) {
        KillTimer(TIMER_WPS_REFRESH);
        KillTimer(TIMER_WPS_STATUS);
        KillTimer(TIMER_WPS_RESULT);
    }
    if (G_nWpsMethod != 1) RefreshApList();
}

void CKelvoPageWpsLinkStatusDlg::FreeAdapter()
{
    if (G_pHideDlg && G_pHideDlg->m_hWnd) G_pHideDlg->KillTimer(TIMER_HIDE_DLG_RETRY_CON);
    QXWLAPI.QXWL_WriteWPSFlag(TRUE);
    StopPage();
    if (OsCode() >= kOsCodeSystemService) {
        // Only the link is dropped: the user's other profiles of the system's service stay.
        QXWLAPI.QXWL_WlanDisconnect();
    } else {
        QXWLAPI.QXWL_SetAuthMode(0);
        QXWLAPI.QXWL_Disassociate();
    }
    BusyWaitMs(kFreeAdapterWaitMs);
    QXWLAPI.QXWL_SetPreferWPSAPPhyType(static_cast<ULONG>(G_nWpsPhyPreference));
}

WPS_MODE CKelvoPageWpsLinkStatusDlg::BaseMode(ULONG wpsMode) const
{
    WPS_MODE mode = {};
    mode.WpsMode = wpsMode;
    mode.ConfigMode = G_nWpsConfigMode ? kConfigRegistrar : kConfigEnrollee;
    return mode;
}

void CKelvoPageWpsLinkStatusDlg::BeginRun()
{
    G_bWpsRunning = 1;
    nCheckCount = 1;
    SetProgress(5);
    if (!m_hWnd) return;
    SetTimer(TIMER_WPS_STATUS, kStatusPollMs);
    // Every run ends at the time limit, a push-button run nobody answers included.
    if (!bTimeoutArmed) {
        SetTimer(TIMER_WPS_LIMIT, kRunLimitMs);
        bTimeoutArmed = 1;
    }
}

void CKelvoPageWpsLinkStatusDlg::StartPbcRun()
{
    G_nWpsMethod = 2;
    FreeAdapter();
    const WPS_MODE mode = BaseMode(kWpsModePbc);
    QXWLAPI.QXWL_SetWPSMode(mode);
    QXWLAPI.QXWL_SetWPSProfile(wpsProfile);
    QXWLAPI.QXWL_SetWPSAssociateIE(bAssociateIE);
    QXWLAPI.QXWL_SetWPSProbeReqIE(bProbeReqIE);
    BeginRun();
}

void CKelvoPageWpsLinkStatusDlg::StartPinRun()
{
    G_nWpsMethod = 1;
    const int count = static_cast<int>(aryWpsAp.size());
    if (bAutoSelect) {
        ++nApIndex;
        if (m_hWnd) {
            if (!bTimeoutArmed) {
                SetTimer(TIMER_WPS_LIMIT, kRunLimitMs);
                bTimeoutArmed = 1;
            }
            SetTimer(TIMER_WPS_AP_TIME, kApTimeMs);
        }
        while (nApIndex >= 0 && nApIndex < count && aryWpsAp[nApIndex].bPbcActive) ++nApIndex;
        if (nApIndex < 0 || nApIndex >= count) {
            nApIndex = -1;
            if (m_hWnd) KillTimer(TIMER_WPS_AP_TIME);
            SetStatusText(G_LangTable.IDS_RESCANNING);
            Rescan();
            return;
        }
    }
    FreeAdapter();
    if (nApIndex < 0 || nApIndex >= count) {
        if (nApIndex != -1) DebugLog(1, "[QxUI] WPS PIN run: access point %d of %d does not exist\n", nApIndex, count);
        nApIndex = -1;
        return;
    }
    const WPS_AP_ENTRY& ap = aryWpsAp[nApIndex];
    // The stored profile names the access point of this run, not the one tried before it.
    memcpy(m_Bssid, ap.Bssid, sizeof m_Bssid);
    if (G_nWpsConfigMode == 0) {
        wpsProfile = {};
        WriteProfileToLibrary();
    }
    WPS_MODE mode = BaseMode(kWpsModePin);
    mode.WpsSSID = ap.Ssid;
    memcpy(mode.Bssid, ap.Bssid, sizeof mode.Bssid);
    mode.Channel = static_cast<UCHAR>(ap.nChannel);
    CString status;
    status.Format("Start PIN connection - %s", static_cast<LPCSTR>(ap.strSsid));
    SetStatusText(status);
    char pin[16];
    snprintf(pin, sizeof pin, "%08lu", G_nWpsPin % 100000000UL);
    memcpy(mode.PIN, pin, sizeof mode.PIN);
    if (G_nWpsConfigMode && wpsProfile.ProfileCnt > 0) {
        WPS_CREDENTIAL& first = wpsProfile.Profile[0];
        if (first.AuthType == kAuthOpen && first.EncrType == kEncrNone) first.KeyLength = 0;
    }
    QXWLAPI.QXWL_SetWPSAutoSelect(bAutoSelect);
    QXWLAPI.QXWL_SetWPSMode(mode);
    QXWLAPI.QXWL_SetWPSProfile(wpsProfile);
    QXWLAPI.QXWL_SetWPSAssociateIE(bAssociateIE);
    QXWLAPI.QXWL_SetWPSProbeReqIE(bProbeReqIE);
    BeginRun();
}

void CKelvoPageWpsLinkStatusDlg::Rescan()
{
    // The WPS scan's callback raises G_bWpsScanDone; the page's next timer event then reads the
    // table and walks its access points from the first. A survey's scan leaves the walk alone.
    const LONG status = QXWLAPI.QXWL_SiteSurveyScan(&CKelvoPageWpsListViewDlg::OnScanDone);
    if (status != QXWL_ERROR_SUCCESS) LogNotSuccess("QXWL_SiteSurveyScan", status, "CKelvoPageWpsLinkStatusDlg::Rescan");
}

void CKelvoPageWpsLinkStatusDlg::WriteProfileToLibrary()
{
    WPS_MODE mode = {};
    // Eight digits, leading zeros kept, no terminator.
    char pin[16];
    snprintf(pin, sizeof pin, "%08lu", G_nWpsPin % 100000000UL);
    memcpy(mode.PIN, pin, sizeof mode.PIN);
    memcpy(mode.Bssid, m_Bssid, sizeof mode.Bssid);
    mode.Channel = G_nWpsApChannel;
    mode.ConfigMode = static_cast<UCHAR>(G_nWpsConfigMode);
    WPS_PROFILE profile = {};
    profile.ProfileCnt = std::min<ULONG>(wpsProfile.ProfileCnt, kWpsMaxCredentials);
    for (ULONG i = 0; i < kWpsMaxCredentials; ++i) {
        const WPS_CREDENTIAL& from = wpsProfile.Profile[i];
        WPS_CREDENTIAL& to = profile.Profile[i];
        to.SSID = from.SSID;
        to.SSID.SsidLength = std::min<ULONG>(from.SSID.SsidLength, sizeof to.SSID.Ssid);
        to.AuthType = from.AuthType;
        to.EncrType = from.EncrType;
        to.KeyIndex = from.KeyIndex;
        to.KeyLength = std::min<ULONG>(from.KeyLength, kWpsKeyMaxBytes);
        memcpy(to.Key, from.Key, to.KeyLength);
        memcpy(to.MacAddr, from.MacAddr, sizeof to.MacAddr);
    }
    QXWLAPI.QXWL_WriteWPSProfile(mode, profile);
}

void CKelvoPageWpsLinkStatusDlg::NextAccessPoint()
{
    if (G_nWpsMethod != 1) return;
    if (bAutoSelect && nApIndex >= 0 && nApIndex < static_cast<int>(aryWpsAp.size())) {
        if (m_hWnd) KillTimer(TIMER_WPS_AP_TIME);
        StartPinRun();
    } else {
        nApIndex = -1;
    }
}

void CKelvoPageWpsLinkStatusDlg::HandleStatus(ULONG word)
{
    const CString& prefix = (word & kStatusPbcBit) ? G_LangTable.IDS_VAL_WPS_STATUS_PBC : G_LangTable.IDS_VAL_WPS_STATUS_PIN;
    const ULONG code = word & kStatusCodeMask;
    const StatusRow* row = FindStatusRow(code);
    CString text = prefix;
    if (row && row->tip >= 0) text += G_LangTable.*kTips[row->tip];
    SetStatusText(text);
    if (!row) return;
    if (row->progress >= 0 && row->action != kSuccess) SetProgress(row->progress);
    switch (row->action) {
    case kNothing:
        break;
    case kNextAp:
        NextAccessPoint();
        break;
    case kKillPollNextAp:
        if (m_hWnd) KillTimer(TIMER_WPS_STATUS);
        if (OsCode() >= kOsCodeSystemService) StopPage();
        NextAccessPoint();
        break;
    case kSuccess:
        OnSuccess();
        break;
    case kStopNextAp:
        StopPage();
        NextAccessPoint();
        break;
    case kTimedOut:
        StopPage();
        if (!bAutoSelect) {
            if (OsCode() >= kOsCodeSystemService) {
                QXWLAPI.QXWL_WPSDisconnect();
                G_bWpsRunning = 0;
            } else {
                StopWps();
            }
        }
        NextAccessPoint();
        break;
    }
}

void CKelvoPageWpsLinkStatusDlg::EndRunTimers()
{
    // The time limit and the walk's step belong to one run: the next run arms its own.
    if (m_hWnd) {
        KillTimer(TIMER_WPS_LIMIT);
        KillTimer(TIMER_WPS_AP_TIME);
    }
    nApIndex = -1;
    bTimeoutArmed = 0;
}

void CKelvoPageWpsLinkStatusDlg::OnSuccess()
{
    EndRunTimers();
    G_nWpsMethod = 0;
    RefreshApList();
    StopPage();
    SetProgress(100);
    QXWLAPI.QXWL_QueryWPSProfile(&wpsProfile);
    ClampProfile(wpsProfile);
    QXWLAPI.QXWL_QueryWPSAPChannel(&G_nWpsApChannel);
    WriteProfileToLibrary();
    if (wpsProfile.ProfileCnt > 0) {
        nCheckCount = 1;
        // The result check watches the new link from now on.
        if (m_hWnd) SetTimer(TIMER_WPS_RESULT, kResultCheckMs);
    }
    ShowResult();
    SaveAsProfile();
}

CString CKelvoPageWpsLinkStatusDlg::SecurityText(ULONG authType, ULONG encrType)
{
    switch (authType) {
    case kAuthOpen:
        if (encrType == kEncrNone) return G_LangTable.IDS_VAL_DISABLE;
        if (encrType == kEncrWep) return " WEP";
        return "";
    case kAuthWpaPsk: return "WPA-PSK";
    case kAuthShared: return "WEP";
    case kAuthWpa: return "WPA";
    case kAuthWpa2: return "WPA2";
    case kAuthWpa2Psk: return "WPA2-PSK";
    default: return "NO KNOWN";
    }
}

void CKelvoPageWpsLinkStatusDlg::ShowResult()
{
    m_bResultShown = true;
    ShowLine(IDC_WPSLINK_CANCEL, FALSE);
    ShowLine(IDC_WPSLINK_EXIT, TRUE);
    for (UINT id : {IDC_WPSLINK_SSID_BULLET, IDC_WPSLINK_SSID_LABEL, IDC_WPSLINK_SSID, IDC_WPSLINK_SECURITY_BULLET,
                    IDC_WPSLINK_SECURITY_LABEL, IDC_WPSLINK_SECURITY})
        ShowLine(id, TRUE);
    const WPS_CREDENTIAL& first = wpsProfile.Profile[0];
    if (m_hWnd) {
        SetDlgItemText(IDC_WPSLINK_SSID, CredentialSsid(first));
        SetDlgItemText(IDC_WPSLINK_SECURITY, SecurityText(first.AuthType, first.EncrType));
    }
    if (CKelvoPageUIDlg* main = Main(); main && main->m_hWnd) main->Invalidate();
}

CString CKelvoPageWpsLinkStatusDlg::NextWpsProfileName(const std::vector<CString>& storedNames, const CString& prefix)
{
    for (int n = 0; n <= kMaxWpsProfileNumber; ++n) {
        CString name;
        name.Format("WPS_%s_%d", static_cast<LPCSTR>(prefix), n);
        if (std::find(storedNames.begin(), storedNames.end(), name) == storedNames.end()) return name;
    }
    return CString();
}

WPS_EDITOR_SETTINGS CKelvoPageWpsLinkStatusDlg::EditorSettingsOf(const WPS_CREDENTIAL& c)
{
    WPS_EDITOR_SETTINGS s;
    switch (c.AuthType) {
    case kAuthWpaPsk: case kAuthWpaMixedPsk: s.nAuthIndex = AUTHIDX_WPA_PSK; break;
    case kAuthShared: s.nAuthIndex = AUTHIDX_SHARED; break;
    case kAuthWpa: s.nAuthIndex = AUTHIDX_WPA; break;
    case kAuthWpa2: s.nAuthIndex = AUTHIDX_WPA2; break;
    case kAuthWpa2Psk: s.nAuthIndex = AUTHIDX_WPA2_PSK; break;
    default: s.nAuthIndex = AUTHIDX_OPEN; break;
    }
    switch (c.EncrType) {
    case kEncrWep: s.nEncryIndex = ENCRIDX_WEP; break;
    case kEncrTkip: case kEncrTkipAes: s.nEncryIndex = ENCRIDX_TKIP; break;
    case kEncrAes: s.nEncryIndex = ENCRIDX_AES; break;
    default: s.nEncryIndex = ENCRIDX_NONE; break;
    }
    const CString key = CredentialKey(c);
    if (c.AuthType == kAuthWpaPsk || c.AuthType == kAuthWpa2Psk || c.AuthType == kAuthWpaMixedPsk) s.strPsk = key;
    if ((c.AuthType == 0 || c.AuthType == kAuthOpen) && c.EncrType == kEncrWep) {
        s.nWepKey = static_cast<int>((c.KeyIndex & 0x7FFFFFFF) % CPageAuthEncryDlg::kWepKeyCount);
        s.strWepKey = key;
        s.nWepKeyFormat = (key.GetLength() == 10 || key.GetLength() == 26) ? KEYFMT_HEX : KEYFMT_ASCII;
    }
    return s;
}

bool CKelvoPageWpsLinkStatusDlg::SaveAsProfile()
{
    WPS_MODE mode = {};
    QXWLAPI.QXWL_ReadWPSProfile(&mode, &wpsProfile);
    ClampProfile(wpsProfile);
    if (wpsProfile.ProfileCnt == 0) {
        DebugLog(1, "[QxUI] WPS: no credential came, no profile saved\n");
        return false;
    }
    CKelvoPageUIDlg* main = Main();
    CKelvoPageProfileDlg* profilePage = main ? main->m_pPageProfileDlg : nullptr;
    CProfileEditorDlg* editor = main ? main->m_pProfileEditorDlg : nullptr;
    if (!profilePage || !editor) {
        DebugLog(1, "[QxUI] WPS: no profile page or profile editor, no profile saved\n");
        return false;
    }
    profilePage->RebuildProfileList(FALSE);
    std::vector<CString> names;
    for (int row = 0; row < profilePage->GetRowCount(); ++row) names.push_back(profilePage->GetListText(row, 1));
    const CString name = NextWpsProfileName(names, G_LangTable.IDS_LAB_PROFILE_BTN);
    if (name.IsEmpty()) {
        ShowProductMessageBox("Do not create the profile");
        return false;
    }
    const WPS_CREDENTIAL& c = wpsProfile.Profile[0];
    main->SendMessage(MSG_PROFILE_EDITOR_DLG, kEditorAddFromProfilePage, 0);
    CPageSystemConfigDlg* system = editor->m_pPageSystemConfig;
    CPageAuthEncryDlg* auth = editor->m_pPageAuthEncry;
    if (CPage8021XDlg* eap = editor->m_pPage8021X) eap->ResetToDefaults();
    if (system) {
        system->m_strSsid = CredentialSsid(c);
        system->m_strProfileName = name;
        system->m_nNetworkType = CPageSystemConfigDlg::kInfrastructure;
        // The editor's OK reads its controls: they must show the credential's name and SSID.
        if (system->m_hWnd) system->LoadFromScanEntryEx();
    }
    if (auth) {
        auth->ResetToOpen();
        const WPS_EDITOR_SETTINGS settings = EditorSettingsOf(c);
        auth->m_nAuthIndex = settings.nAuthIndex;
        auth->m_nEncryIndex = settings.nEncryIndex;
        if (!settings.strPsk.IsEmpty()) auth->m_strPsk = settings.strPsk;
        if (settings.nWepKey >= 0) {
            auth->m_nDefaultKey = settings.nWepKey;
            auth->m_strWepKey[settings.nWepKey] = settings.strWepKey;
            auth->m_nKeyFormat[settings.nWepKey] = settings.nWepKeyFormat;
        }
        if (auth->m_hWnd) auth->FillControls();
    } else {
        DebugLog(3, "[QxUI] WPS: the profile editor's authentication page is not built yet\n");
    }
    editor->OnOK();
    // The editor's OK can rebuild the window's pages: take the profile page afresh.
    main = Main();
    profilePage = main ? main->m_pPageProfileDlg : nullptr;
    if (!profilePage) {
        DebugLog(1, "[QxUI] WPS: the profile page went away while saving, %s not connected\n", name.GetString());
        return false;
    }
    profilePage->RebuildProfileList(FALSE);
    profilePage->ConnectProfileByName(name);
    return true;
}

bool CKelvoPageWpsLinkStatusDlg::LinkMatchesCredential()
{
    WLAN_STATUS status{};
    QXWLAPI.QXWL_QueryWLANStatus(&status, WLAN_STATUS_QUERY{1, 1, 0, 0, 0});
    if (status.status != kLinkConnected) return false;
    const int index = std::clamp(nCredentialIndex, 0, static_cast<int>(kWpsMaxCredentials) - 1);
    const WPS_CREDENTIAL& c = wpsProfile.Profile[index];
    const std::string linked = SsidToText(status.Ssid);
    if (!linked.empty() && linked != SsidToText(c.SSID)) return false;
    ULONG auth;
    switch (c.AuthType) {
    case kAuthWpaPsk: case kAuthWpaMixedPsk: auth = AUTH_WPA_PSK; break;
    case kAuthShared: auth = AUTH_SHARED; break;
    case kAuthWpa: auth = AUTH_WPA; break;
    case kAuthWpa2: auth = AUTH_WPA2; break;
    case kAuthWpa2Psk: auth = AUTH_WPA2_PSK; break;
    default: auth = AUTH_OPEN; break;
    }
    // A mixed credential connects with either generation.
    const bool authFits = status.authMode == auth || (c.AuthType == kAuthWpaMixedPsk && status.authMode == AUTH_WPA2_PSK);
    const ULONG e = status.encryStatus;
    bool encrFits;
    switch (c.EncrType) {
    case kEncrWep: encrFits = e == ENCRY_WEP || e == ENCRY_WEP_KEY_ABSENT; break;
    case kEncrTkip: case kEncrTkipAes: encrFits = e == ENCRY_TKIP || e == ENCRY_TKIP_KEY_ABSENT; break;
    case kEncrAes: encrFits = e == ENCRY_AES || e == ENCRY_AES_KEY_ABSENT; break;
    default: encrFits = e == ENCRY_NONE || e == ENCRY_WEP_KEY_ABSENT; break;
    }
    return authFits && encrFits;
}

void CKelvoPageWpsLinkStatusDlg::CheckResult()
{
    if (wpsProfile.ProfileCnt == 0) {
        if (m_hWnd) KillTimer(TIMER_WPS_RESULT);
        nCheckCount = 1;
        return;
    }
    BOOL flag = FALSE;
    QXWLAPI.QXWL_ReadWPSFlag(&flag);
    const bool matches = LinkMatchesCredential();
    // A link carrying the received settings ends the run, also once they are saved as a profile
    // (whose connect clears the WPS flag).
    if (matches) G_bWpsRunning = 0;
    if (!flag) {
        // The library has left WPS: no exchange runs, whether or not the link came up (else
        // the mode buttons would wait for it for ever).
        G_bWpsRunning = 0;
        // Saving the received profile clears the flag: a success on screen stays until the
        // user leaves the page.
        if (!m_bResultShown) {
            SetStatusText("");
            SetProgress(0);
        }
        return;
    }
    if (!matches) {
        if (QXWLAPI.QXWL_IsZeroConfig() != kZeroConfigManaged) G_bWpsRunning = 1;
        if (nCheckCount % 5 == 0 && G_bWpsRunning == 1) PostNotify(0);
    }
    ++nCheckCount;
}

void CKelvoPageWpsLinkStatusDlg::StopWps()
{
    G_nWpsMethod = 0;
    QXWLAPI.QXWL_WriteWPSFlag(FALSE);
    EndRunTimers();
    StopPage();
    if (OsCode() >= kOsCodeSystemService) {
        QXWLAPI.QXWL_WPSDisconnect();
        G_bWpsRunning = 0;
        SetStatusText("");
        SetProgress(0);
    } else {
        G_bWpsRunning = 0;
        QXWLAPI.QXWL_Disassociate();
        QXWLAPI.QXWL_WriteWPSFlag(FALSE);
        SetStatusText("");
        PostNotify(kWpsNotifyStopped);
    }
}

void CKelvoPageWpsLinkStatusDlg::OnCancelRun()
{
    StopWps();
    if (CKelvoPageUIDlg* main = Main()) {
        ShowWindow(SW_HIDE);
        main->ShowAdapterTab();
    }
}

void CKelvoPageWpsLinkStatusDlg::OnExit()
{
    EnableTabs(TRUE);
    ShowWindow(SW_HIDE);
    if (CKelvoPageUIDlg* main = Main()) main->ShowLinkInfoTab();
}

void CKelvoPageWpsLinkStatusDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (::InterlockedExchange(&G_bWpsScanDone, 0)) {
        ReadScanResults();
        if (bAutoSelect && G_nWpsMethod == 1 && nApIndex == -1) StartPinRun();
    }
    switch (nIDEvent) {
    case TIMER_WPS_REFRESH:
        KillTimer(TIMER_WPS_REFRESH);
        RefreshApList();
        break;
    case TIMER_WPS_STATUS: {
        ULONG word = 0;
        if (QXWLAPI.QXWL_QueryWPSStatus(&word) == QXWL_ERROR_SUCCESS) HandleStatus(word);
        break;
    }
    case TIMER_WPS_RESULT:
        CheckResult();
        break;
    case TIMER_WPS_HW_BUTTON:
        if (QXWLAPI.QXWL_IsZeroConfig() != kZeroConfigManaged && G_pHideDlg && G_pHideDlg->m_bHwPbcPressed) {
            G_pHideDlg->m_bHwPbcPressed = FALSE;
            G_nWpsConfigMode = 0;
            nMethod = 0;
            // The press takes over from a run on the page, without leaving WPS: an automatic
            // walk's next step would otherwise take the adapter back, and a PIN run's limit
            // would end the push-button run early.
            EndRunTimers();
            bAutoSelect = 0;
            CKelvoPageUIDlg* main = Main();
            if (IsWindowVisible() || !main || !main->m_pPageTab) {
                // Over a result or a PIN run on screen: the push-button run's own lines and Cancel.
                ShowRunLines();
                StartPbcRun();
                break;
            }
            main->ShowAdapterTab();
            for (CFingerStatic* tab : {&main->m_tabLinkInfo, &main->m_tabSiteSurvey, &main->m_tabProfile})
                if (tab->m_hWnd) tab->SetTextColor(kTabRecolour);
            main->m_pPageTab->ShowPage(this);
        }
        break;
    case TIMER_WPS_LIMIT:
        G_nWpsMethod = 0;
        StopPage();
        StopWps();  // ends the run's timers too
        break;
    case TIMER_WPS_AP_TIME: {
        KillTimer(TIMER_WPS_AP_TIME);
        WLAN_STATUS status{};
        QXWLAPI.QXWL_QueryWLANStatus(&status, WLAN_STATUS_QUERY{0, 1, 0, 0, 0});
        if (status.status != kLinkConnected) {
            StopPage();
            StartPinRun();
        }
        break;
    }
    default:
        break;
    }
}
