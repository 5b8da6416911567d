#include "skin/KelvoPageSiteSurveyDlg.h"
#include "base/StationLibraryView.h"
#include "skin/KelvoPageProfileDlg.h"
#include "base/DebugLog.h"
#include "base/LanguageTable.h"
#include "base/TextChecks.h"
#include "contract/StationContract.h"
#include "core/ProductMessageBox.h"
#include "core/QXWLLIB.h"
#include "core/QxUI2008App.h"
#include "skin/KelvoPageSecurityTypeDlg.h"
#include "skin/KelvoPageUIDlg.h"
#include "skin/MainWindowMessages.h"
#include "skin/SecurityWizard.h"
#include "station/PeapSettingDlg.h"
#include "ui/DialogTab.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>

volatile LONG G_bSurveyScanDone = 0;

IMPLEMENT_DYNCREATE(CKelvoPageSiteSurveyDlg, CDialog)

namespace {
constexpr LONG kZeroConfigOwnsAdapter = 2;
constexpr ULONG kStatusConnected = 3;
constexpr ULONG kActionTypeProfile = 1;
constexpr ULONG kInfrastructure = 1;
constexpr int kMaxSignal = 100;
constexpr UINT kSurveyImagesBitmap = 314;
constexpr int kImageWidth = 45;
constexpr COLORREF kImageMask = RGB(255, 255, 255);
constexpr LONG kTitleFontHeight = 12, kLabelFontHeight = 11;
constexpr LONG kBoldWeight = 800;
constexpr double kDefaultColumnShares[CKelvoPageSiteSurveyDlg::kColumns] = {0.165, 0.35, 0.23, 0.19};
// Authentication masks a library without its own supplicant cannot join.
constexpr ULONG kWpaOnlyMasks[] = {1, 2, 4, 8, 16};
constexpr ULONG kWpaAnyBits = 0x1B;
// Fixed fields of a survey connection.
constexpr LONG kRtsThreshold = 2347, kFragThreshold = 2346;
constexpr ULONG kPreambleAuto = 2;
constexpr WPARAM kShowFromSurvey = 2;
constexpr WPARAM kClosed = 0;

constexpr UINT kTitleIds[] = {IDC_SURVEY_NETLIST_TITLE, IDC_SURVEY_INFO_TITLE};
constexpr UINT kLabelIds[] = {IDC_SURVEY_NETTYPE_LABEL, IDC_SURVEY_CHANNEL_LABEL, IDC_SURVEY_SECURITY_LABEL,
                              IDC_SURVEY_MAC_LABEL,     IDC_SURVEY_TIME_LABEL,    IDC_SURVEY_NETTYPE,
                              IDC_SURVEY_CHANNEL,       IDC_SURVEY_SECURITY,      IDC_SURVEY_MAC,
                              IDC_SURVEY_TIME};

// The main window's handle for the scan callback, which must not touch window objects.
std::atomic<HWND> g_scanNotifyWindow{nullptr};

template <size_t N>
void CopyText(char (&field)[N], const CString& text)
{
    const size_t length = std::min<size_t>(static_cast<size_t>(text.GetLength()), N - 1);
    memcpy(field, text.GetString(), length);
    field[length] = '\0';
}

// A certificate is bytes, zero bytes among them: copied by its length, whole or not at all.
void CopyBlob(VN_BLOB_KEY& blob, const VN_BLOB_KEY& from)
{
    blob = {};
    if (from.BlobLength > sizeof blob.BlobData) return;
    blob.BlobLength = from.BlobLength;
    memcpy(blob.BlobData, from.BlobData, from.BlobLength);
}

LONG OsCode()
{
    return QXWLAPI.QXWL_GetWinOS ? QXWLAPI.WinOS() : 0;
}

bool SystemServiceOwnsAdapter()
{
    return OsCode() < kVistaOsCode && QXWLAPI.QXWL_IsZeroConfig() == kZeroConfigOwnsAdapter;
}

// The column shares of the language file when all four read as fractions of the width.
void ColumnShares(double (&shares)[CKelvoPageSiteSurveyDlg::kColumns])
{
    std::copy(std::begin(kDefaultColumnShares), std::end(kDefaultColumnShares), shares);
    TakeColumnShares("IDS_LIST_DEPART_SURVEY", G_LangTable.IDS_LIST_DEPART_SURVEY, shares, CKelvoPageSiteSurveyDlg::kColumns);
}

CString MacText(const BYTE (&mac)[6])
{
    CString text;
    text.Format("%02X:%02X:%02X:%02X:%02X:%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    return text;
}
}  // namespace

BEGIN_MESSAGE_MAP(CKelvoPageSiteSurveyDlg, CDialog)
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_WM_CTLCOLOR()
    ON_WM_ERASEBKGND()
    ON_BN_CLICKED(IDC_SURVEY_RESCAN, StartSurveyScan)
    ON_BN_CLICKED(IDC_SURVEY_CONNECT, OnConnect)
    // WM_USER+1 is also DM_SETDEFID: it must never reach the default dialog procedure.
    ON_MESSAGE(MSG_SCAN_LIST_CHANGED, OnScanListChanged)
    ON_MESSAGE(MSG_QUICKLIST_GET_ITEM_DATA, OnGetItemData)
    ON_MESSAGE(MSG_QUICKLIST_CLICK, OnListClick)
    ON_MESSAGE(WM_SITESURVEY_CONNECT, OnSiteSurveyConnect)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_SURVEY_LIST, OnItemChanged)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_SURVEY_LIST, OnColumnClick)
END_MESSAGE_MAP()

CKelvoPageSiteSurveyDlg::CKelvoPageSiteSurveyDlg() : CDialog(IDD)
{
    m_hScanBuffer = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, kScanBufferBytes);
    if (m_hScanBuffer) m_pScanBuffer = static_cast<BYTE*>(::GlobalLock(m_hScanBuffer));
    if (!m_pScanBuffer) DebugLog(1, "[QxUI] CKelvoPageSiteSurveyDlg: no memory for the scan buffer\n");
}

CKelvoPageSiteSurveyDlg::~CKelvoPageSiteSurveyDlg()
{
    if (m_hScanBuffer) {
        ::GlobalUnlock(m_hScanBuffer);
        ::GlobalFree(m_hScanBuffer);
    }
}

void CKelvoPageSiteSurveyDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SURVEY_RESCAN, m_btnRescan);
    DDX_Control(pDX, IDC_SURVEY_LIST, m_list);
}

BOOL CKelvoPageSiteSurveyDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (CWnd* hidden = GetDlgItem(IDC_SURVEY_HIDDEN)) hidden->ShowWindow(SW_HIDE);
    if (CWnd* connect = GetDlgItem(IDC_SURVEY_CONNECT)) connect->EnableWindow(G_bIsAdmin ? TRUE : FALSE);
    SetUpTexts();
    SetUpList();
    StartSurveyScan();
    SetTimer(TIMER_SITESURVEY_RESCAN, kRescanTimerMs, nullptr);
    return TRUE;
}

void CKelvoPageSiteSurveyDlg::SetUpTexts()
{
    LOGFONTA title{};
    title.lfHeight = kTitleFontHeight;
    title.lfWeight = kBoldWeight;
    title.lfCharSet = static_cast<BYTE>(G_LangTable.m_nCharSet);
    strcpy(title.lfFaceName, "Tahoma");
    LOGFONTA label = title;
    label.lfHeight = kLabelFontHeight;
    strcpy(label.lfFaceName, "Arial");
    m_titleFont.CreateFontIndirect(&title);
    m_labelFont.CreateFontIndirect(&label);
    for (UINT id : kTitleIds)
        if (CWnd* item = GetDlgItem(id)) item->SetFont(&m_titleFont);
    for (UINT id : kLabelIds)
        if (CWnd* item = GetDlgItem(id)) item->SetFont(&m_labelFont);

    const struct {
        UINT id;
        const CString& text;
    } texts[] = {{IDC_SURVEY_NETLIST_TITLE, G_LangTable.IDS_LAB_NETLIST_PAGE},
                 {IDC_SURVEY_INFO_TITLE, G_LangTable.IDS_LAB_SITEINFO_PAGE},
                 {IDC_SURVEY_NETTYPE_LABEL, G_LangTable.IDS_LAB_NETWORK_TYPE},
                 {IDC_SURVEY_CHANNEL_LABEL, G_LangTable.IDS_LAB_CHANNEL},
                 {IDC_SURVEY_SECURITY_LABEL, G_LangTable.IDS_LAB_SECURITY},
                 {IDC_SURVEY_MAC_LABEL, G_LangTable.IDS_LAB_MACADDR},
                 {IDC_SURVEY_TIME_LABEL, G_LangTable.IDS_LAB_SURVEYTIME}};
    for (const auto& t : texts) SetDlgItemText(t.id, t.text);
}

void CKelvoPageSiteSurveyDlg::SetUpList()
{
    if (!m_list.m_hWnd) return;
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP | LVS_EX_GRIDLINES);
    CBitmap strip;
    if (G_hKelvoImg && strip.Attach(::LoadBitmapA(G_hKelvoImg, MAKEINTRESOURCEA(kSurveyImagesBitmap)))) {
        BITMAP info{};
        strip.GetObject(sizeof info, &info);
        if (m_images.Create(kImageWidth, info.bmHeight, ILC_COLOR24 | ILC_MASK, 0, 1)) m_images.Add(&strip, kImageMask);
    }
    if (!m_images.GetSafeHandle()) DebugLog(1, "[QxUI] CKelvoPageSiteSurveyDlg: bitmap %u is missing\n", kSurveyImagesBitmap);
    else m_list.SetImageList(&m_images, LVSIL_SMALL);

    double shares[kColumns];
    ColumnShares(shares);
    CRect rc;
    m_list.GetClientRect(&rc);
    const CString* headings[kColumns] = {nullptr, &G_LangTable.IDS_VAL_SSID, &G_LangTable.IDS_VAL_CHANNEL,
                                         &G_LangTable.IDS_VAL_SIGNAL};
    for (int i = 0; i < kColumns; ++i)
        m_list.InsertColumn(i, headings[i] ? headings[i]->GetString() : "", LVCFMT_CENTER,
                            static_cast<int>(rc.Width() * shares[i]));
}

void CKelvoPageSiteSurveyDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == TIMER_SITESURVEY_RESCAN) MarkConnectedEntry();
}

void CKelvoPageSiteSurveyDlg::OnDestroy()
{
    KillTimer(TIMER_SITESURVEY_RESCAN);
    Default();
}

HBRUSH CKelvoPageSiteSurveyDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    return m_titleBands.CtlColor(pDC, pWnd, nCtlColor, reinterpret_cast<HBRUSH>(Default()));
}

BOOL CKelvoPageSiteSurveyDlg::OnEraseBkgnd(CDC* pDC)
{
    Default();
    if (pDC) m_titleBands.Paint(*this, pDC->m_hDC);
    return TRUE;
}

CWnd* CKelvoPageSiteSurveyDlg::Owner() const
{
    if (m_hWnd) {
        if (CWnd* parent = GetParent()) return parent;
    }
    return CKelvoPageUIDlg::GetLive();
}

void CKelvoPageSiteSurveyDlg::SetDetails(const CString& type, const CString& channel, const CString& security,
                                         const CString& mac, const CString& time)
{
    if (!m_hWnd) return;
    SetDlgItemText(IDC_SURVEY_NETTYPE, type);
    SetDlgItemText(IDC_SURVEY_CHANNEL, channel);
    SetDlgItemText(IDC_SURVEY_SECURITY, security);
    SetDlgItemText(IDC_SURVEY_MAC, mac);
    SetDlgItemText(IDC_SURVEY_TIME, time);
}

void CKelvoPageSiteSurveyDlg::ShowRowCount()
{
    if (!m_list.m_hWnd) return;
    // While a scan runs, one row says so.
    const int rows = m_bScanDone ? static_cast<int>(m_Entries.size()) : 1;
    m_list.SetItemCountEx(rows, LVSICF_NOSCROLL);
    m_list.Invalidate(FALSE);
}

void CKelvoPageSiteSurveyDlg::StartSurveyScan()
{
    DebugLog(3, "[QxUI] --> CKelvoPageSiteSurveyDlg::StartSurveyScan\n");
    SetDetails("", "", "", "", "");
    m_bScanDone = 0;
    m_Entries.clear();
    if (m_list.m_hWnd) {
        m_list.SetItemState(-1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        m_list.SetItemCountEx(0, 0);
    }
    ::GetLocalTime(&m_SurveyTime);
    ShowRowCount();

    if (SystemServiceOwnsAdapter()) {
        m_bScanDone = 1;
        RefreshSurveyList();
        return;
    }
    CWnd* owner = Owner();
    g_scanNotifyWindow = owner ? owner->m_hWnd : nullptr;
    const LONG status = QXWLAPI.QXWL_SiteSurveyScan(&CKelvoPageSiteSurveyDlg::OnSurveyScanDone);
    if (status != QXWL_ERROR_SUCCESS) {
        // No callback will come: show what the repository holds rather than searching for ever.
        LogNotSuccess("QXWL_SiteSurveyScan", status, "CKelvoPageSiteSurveyDlg::StartSurveyScan");
        m_bScanDone = 1;
        FillSurveyList();
    }
}

void WINAPI CKelvoPageSiteSurveyDlg::OnSurveyScanDone()
{
    if (!QXWLAPI.QXWL_IsWAPIConnecting()) {
        const HWND window = g_scanNotifyWindow.load();
        if (window && ::IsWindow(window)) ::PostMessageA(window, MSG_SITESURVEY_DONE, 0, 0);
    }
    ::InterlockedExchange(&G_bSurveyScanDone, 1);
    ::InterlockedExchange(&QXWLAPI.bScanDone, 1);
}

LRESULT CKelvoPageSiteSurveyDlg::OnScanListChanged(WPARAM, LPARAM)
{
    FillSurveyList();
    m_bScanDone = 1;
    ShowRowCount();
    return 0;
}

void CKelvoPageSiteSurveyDlg::RefreshSurveyList()
{
    DebugLog(3, "[QxUI] --> CKelvoPageSiteSurveyDlg::RefreshSurveyList\n");
    std::vector<BYTE> list;
    if (ReadSiteSurveyList(QXWLAPI.QXWL_SiteSurveyQuery, list, "CKelvoPageSiteSurveyDlg::RefreshSurveyList"))
        QXWLAPI.UpdateRepositBssidList(list.data(), static_cast<ULONG>(list.size()));
    // A failed query merges nothing: the repository still holds the networks seen lately.
    FillSurveyList();
}

void CKelvoPageSiteSurveyDlg::FillSurveyList()
{
    static constexpr char kCaller[] = "CKelvoPageSiteSurveyDlg::FillSurveyList";
    m_Entries.clear();
    if (m_list.m_hWnd) m_list.SetItemCountEx(0, 0);
    ::InterlockedExchange(&G_bSurveyScanDone, 0);
    if (!m_pScanBuffer) return;

    const REPOSIT_BSSID_LIST& repository = QXWLAPI.listRepositBssid;
    if (repository.pBssidList && repository.nBufferSize) {
        const size_t bytes = std::min<size_t>(repository.nBufferSize, kScanBufferBytes);
        memcpy(m_pScanBuffer, repository.pBssidList, bytes);
        if (bytes < kScanBufferBytes) memset(m_pScanBuffer + bytes, 0, kScanBufferBytes - bytes);
    } else {
        memset(m_pScanBuffer, 0, kScanBufferBytes);
    }

    const BssidListView view(m_pScanBuffer, kScanBufferBytes, kCaller);
    std::vector<CString> ssids;
    ssids.reserve(view.Count());
    for (size_t i = 0; i < view.Count(); ++i) ssids.emplace_back(SsidToText(view[i].Ssid).c_str());

    const LONG os = OsCode();
    m_Entries.reserve(view.Count());
    for (size_t i : OrderBySsid(ssids)) {
        const NDIS_WLAN_BSSID_EX& record = view[i];
        SURVEY_LIST_ENTRY entry;
        // A network that hides its name stays listed: Connect asks for the name.
        entry.strSsid = ssids[i];
        const LONG channel = QXWLAPI.QXWL_FrequencyToChannel(record.Configuration.DSConfig);
        if (channel != -1) entry.strChannel.Format("%u", static_cast<unsigned>(channel));
        IE_PARSE_RESULT parsed{};
        QXWLAPI.QXWL_ParseInfoElement(&record, &parsed);
        entry.bSecured = IsSecuredRecord(record, parsed) ? 1 : 0;
        entry.strSecurity = SurveySecurityText(SurveyAuthCode(parsed, os), entry.bSecured != 0);
        entry.nSignal = static_cast<ULONG>(RssiToSignalPercent(record.Rssi) % (kMaxSignal + 1));
        entry.nNetworkMode = record.InfrastructureMode;
        entry.nNetworkType = record.NetworkTypeInUse;
        memcpy(&entry.nIeWord20, reinterpret_cast<const BYTE*>(&parsed) + offsetof(IE_PARSE_RESULT, wpsRfBands),
               sizeof entry.nIeWord20);
        entry.nIeWord148 = parsed.bHT;
        entry.bOfdmBasicRate = HasOfdmBasicRate(record);
        entry.nWapiKind = WapiKind(parsed.authMask);
        memcpy(entry.Bssid, record.MacAddress, sizeof entry.Bssid);
        entry.nRecordOffset = static_cast<size_t>(reinterpret_cast<const BYTE*>(&record) - m_pScanBuffer);
        m_Entries.push_back(std::move(entry));
    }
    ShowRowCount();
    MarkConnectedEntry();
}

void CKelvoPageSiteSurveyDlg::MarkConnectedEntry()
{
    WLAN_STATUS status{};
    const WLAN_STATUS_QUERY query{0, 1, 0, 0, 0};
    QXWLAPI.QXWL_QueryWLANStatus(&status, query);
    const bool connected = status.status == kStatusConnected && QXWLAPI.QXWL_ReadRadioStatus();
    bool found = false;
    for (SURVEY_LIST_ENTRY& entry : m_Entries) {
        const bool match = connected && !found && memcmp(entry.Bssid, status.Bssid, sizeof entry.Bssid) == 0 &&
                           entry.nNetworkMode == status.networkType;
        entry.bConnected = match ? 1 : 0;
        found = found || match;
    }
    if (m_list.m_hWnd) m_list.Invalidate(FALSE);
}

LRESULT CKelvoPageSiteSurveyDlg::OnGetItemData(WPARAM, LPARAM lParam)
{
    auto* cell = reinterpret_cast<CQuickList::CListItemData*>(lParam);
    if (!cell) return 0;
    const int row = cell->GetItem(), column = cell->GetSubItem();
    cell->m_crSelectedBack = ::GetSysColor(COLOR_HIGHLIGHT);
    if (!m_bScanDone) {
        if (row == 0 && column == kColumnSsid) cell->m_strText = G_LangTable.IDS_VAL_SEARCHING;
        return 0;
    }
    if (row < 0 || row >= static_cast<int>(m_Entries.size())) return 0;
    const SURVEY_LIST_ENTRY& entry = m_Entries[row];
    switch (column) {
    case kColumnIcon:
        cell->m_nImage = ImageOf(entry);
        break;
    case kColumnSsid:
        cell->m_strText = entry.strSsid.IsEmpty() ? G_LangTable.IDS_HIDDENSSID : entry.strSsid;
        break;
    case kColumnChannel:
        cell->m_strText = entry.strChannel;
        break;
    case kColumnSignal:
        cell->m_strText.Format("%d%%", static_cast<int>(entry.nSignal));
        break;
    default:
        break;
    }
    if (entry.bConnected) cell->m_crBack = kConnectedRowBack;
    return 0;
}

int CKelvoPageSiteSurveyDlg::ImageOf(const SURVEY_LIST_ENTRY& entry)
{
    if (entry.nNetworkMode != kInfrastructure) return entry.bSecured ? kImageAdhocSecured : kImageAdhocOpen;
    return entry.bSecured ? kImageInfraSecured : kImageInfraOpen;
}

int CKelvoPageSiteSurveyDlg::SelectedRow() const
{
    if (!m_list.m_hWnd || !m_bScanDone) return -1;
    const int row = m_list.GetNextItem(-1, LVNI_SELECTED);
    return row >= 0 && row < static_cast<int>(m_Entries.size()) ? row : -1;
}

void CKelvoPageSiteSurveyDlg::ShowSelectedDetails()
{
    const int row = SelectedRow();
    if (row < 0) return SetDetails("", "", "", "", "");
    const SURVEY_LIST_ENTRY& entry = m_Entries[row];
    CString time;
    time.Format("%d:%d:%d", m_SurveyTime.wHour, m_SurveyTime.wMinute, m_SurveyTime.wSecond);
    SetDetails(entry.nNetworkMode == kInfrastructure ? G_LangTable.IDS_VAL_INFRA : G_LangTable.IDS_VAL_ADHOC,
               entry.strChannel, entry.strSecurity, MacText(entry.Bssid), time);
}

LRESULT CKelvoPageSiteSurveyDlg::OnListClick(WPARAM, LPARAM)
{
    ShowSelectedDetails();
    return 0;
}

void CKelvoPageSiteSurveyDlg::OnItemChanged(NMHDR* pNMHDR, LRESULT*)
{
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(pNMHDR);
    if (change->uChanged & LVIF_STATE) ShowSelectedDetails();
}

void CKelvoPageSiteSurveyDlg::OnColumnClick(NMHDR* pNMHDR, LRESULT*)
{
    SortByColumn(reinterpret_cast<const NMLISTVIEW*>(pNMHDR)->iSubItem);
}

void CKelvoPageSiteSurveyDlg::SortByColumn(int column)
{
    if (!m_bScanDone || m_Entries.empty()) return;
    if (column != kColumnSsid && column != kColumnChannel && column != kColumnSignal) return;
    const bool ascending = m_bSortAscending != 0;
    auto key = [column](const SURVEY_LIST_ENTRY& a, const SURVEY_LIST_ENTRY& b) {
        if (column == kColumnSsid) return strcmp(a.strSsid.GetString(), b.strSsid.GetString());
        const long x = column == kColumnChannel ? atol(a.strChannel.GetString()) : static_cast<long>(a.nSignal);
        const long y = column == kColumnChannel ? atol(b.strChannel.GetString()) : static_cast<long>(b.nSignal);
        return x < y ? -1 : x > y ? 1 : 0;
    };
    std::stable_sort(m_Entries.begin(), m_Entries.end(), [&](const SURVEY_LIST_ENTRY& a, const SURVEY_LIST_ENTRY& b) {
        const int order = key(a, b);
        return ascending ? order < 0 : order > 0;
    });
    m_bSortAscending = ascending ? 0 : 1;
    if (m_list.m_hWnd) m_list.Invalidate(FALSE);
}

void CKelvoPageSiteSurveyDlg::OnConnect()
{
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    CWnd* owner = Owner();
    if (main && main->m_pPeapSettingDlg && ::IsWindowVisible(main->m_pPeapSettingDlg->GetSafeHwnd()) && owner)
        owner->SendMessage(MSG_PEAP_SETTING_DLG, kClosed, 0);
    m_nPendingAuth = 0;
    m_nNetworkMode = 1;
    m_bHidden = 0;
    if (SystemServiceOwnsAdapter()) return;

    const int row = SelectedRow();
    if (row < 0) {
        ShowProductMessageBox(G_LangTable.IDS_NOSELECTEDITEM);
        return;
    }
    // The row's own record: the first record of the same name could be another network.
    const SURVEY_LIST_ENTRY& entry = m_Entries[row];
    const auto* record = reinterpret_cast<const NDIS_WLAN_BSSID_EX*>(m_pScanBuffer + entry.nRecordOffset);
    if (entry.nRecordOffset + kNdisWlanBssidFixedBytes > kScanBufferBytes ||
        record->Length > kScanBufferBytes - entry.nRecordOffset ||
        memcmp(record->MacAddress, entry.Bssid, sizeof entry.Bssid) != 0) {
        DebugLog(1, "[QxUI] CKelvoPageSiteSurveyDlg::OnConnect: the row's record is gone\n");
        return;
    }
    m_ChosenRecord.assign(reinterpret_cast<const BYTE*>(record), reinterpret_cast<const BYTE*>(record) + record->Length);
    m_ChosenRecord.resize(std::max(m_ChosenRecord.size(), sizeof(NDIS_WLAN_BSSID_EX)), 0);
    const NDIS_WLAN_BSSID_EX& chosen = *ChosenEntry();
    m_Profile = {};
    m_nPendingAuth = 0;
    m_nPendingEncry = ENCRY_NONE;
    m_bSecured = 0;
    m_strCipherText.Empty();
    m_PendingSsid = {};
    m_PendingSsid.SsidLength = std::min<ULONG>(chosen.Ssid.SsidLength, kSsidMaxLength);
    memcpy(m_PendingSsid.Ssid, chosen.Ssid.Ssid, m_PendingSsid.SsidLength);
    memcpy(m_PendingBssid, chosen.MacAddress, sizeof m_PendingBssid);

    IE_PARSE_RESULT parsed{};
    QXWLAPI.QXWL_ParseInfoElement(&chosen, &parsed);
    if (IsSecuredRecord(chosen, parsed)) {
        m_strCipherText = CipherBitsText(parsed.cipherMask);
        m_bSecured = 1;
    }
    m_nPendingAuth = SurveyAuthCode(parsed, OsCode());
    m_nNetworkMode = static_cast<int>(chosen.InfrastructureMode);

    const ULONG bits = parsed.authMask;
    if (!QXWLAPI.IsWpaCapable() &&
        (std::find(std::begin(kWpaOnlyMasks), std::end(kWpaOnlyMasks), bits) != std::end(kWpaOnlyMasks) ||
         (bits & kWpaAnyBits))) {
        DebugLog(1, "[QxUI] CKelvoPageSiteSurveyDlg::OnConnect: the library cannot join a WPA network (%u)\n", bits);
        return;
    }
    if (chosen.InfrastructureMode == kInfrastructure && SsidToText(chosen.Ssid).empty()) {
        AskHiddenSsid();
        m_bHidden = 1;
        return;
    }
    if (m_bSecured) {
        FillSecurityEditor();
        if (main) WizardEnterFromSurvey(*main);
        return;
    }
    if (owner) owner->SendMessage(MSG_AUTHEN_STATUS_DLG, 0, 0);
    if (main && main->m_pPageProfileDlg) {
        // A profile applied earlier from the profile page is no longer what the user connects.
        main->m_pPageProfileDlg->m_strAppliedName.Empty();
        main->m_pPageProfileDlg->m_strAppliedSsid.Empty();
    }
    if (main) main->ShowLinkInfoTab();
    ConnectSelected();
}

void CKelvoPageSiteSurveyDlg::FillSecurityEditor()
{
    CWnd* owner = Owner();
    if (owner) owner->SendMessage(MSG_SECURITY_EDITOR_DLG, kShowFromSurvey, 0);
    else DebugLog(3, "[QxUI] CKelvoPageSiteSurveyDlg::FillSecurityEditor: no owner window\n");
}

void CKelvoPageSiteSurveyDlg::AskHiddenSsid()
{
    CWnd* owner = Owner();
    if (owner) owner->SendMessage(MSG_HIDDEN_SSID_DLG, kShowFromSurvey, 0);
    else DebugLog(3, "[QxUI] CKelvoPageSiteSurveyDlg::AskHiddenSsid: no owner window\n");
}

void CKelvoPageSiteSurveyDlg::ApplyEditorCopy()
{
    const SURVEY_EDITOR_COPY& copy = m_EditorCopy;
    WLANPROFILE& p = m_Profile;
    const bool infra = m_nNetworkMode == static_cast<int>(kInfrastructure);
    const int menu = copy.nAuthIndex, encry = copy.nEncryIndex;
    auto cipherCode = [encry](ULONG fallback) {
        return encry == ENCRIDX_TKIP ? ENCRY_TKIP : encry == ENCRIDX_AES ? ENCRY_AES : encry == ENCRIDX_SMS4 ? ENCRY_SMS4 : fallback;
    };
    ULONG auth = static_cast<ULONG>(m_nPendingAuth), encryption = static_cast<ULONG>(m_nPendingEncry);
    bool decided = true;

    const bool eapMenu = menu == AUTHIDX_WPA || menu == AUTHIDX_WPA2 || menu == AUTHIDX_CCKM;
    const bool openOrShared = menu == AUTHIDX_OPEN || menu == AUTHIDX_SHARED;
    if (QXWLAPI.IsWpaCapable() && ((infra && eapMenu) || (openOrShared && copy.b8021X))) {
        const StringRecord7& eap = copy.Eap;
        p.b8021X = 1;
        p.enumAuthenProtocol = static_cast<ULONG>(eap.nEapMethod);
        p.enumTunnel = eap.TunnelCode();
        p.nSessionResumption = eap.nSessionResumption;
        p.enumProvisioningTunnel = eap.nProvisioningInner;
        p.nIDModeIndex = static_cast<ULONG>(copy.nIdentityMode);
        CopyText(p.chID, eap.strIdentity);
        CopyText(p.chPassword, eap.strPassword);
        p.nPasswordMode = eap.nPasswordMode;
        p.bClientCert = eap.bClientCert;
        p.bClientCertInSmartCard = static_cast<ULONG>(copy.bClientCertInSmartCard);
        CopyBlob(p.user_cert, copy.ClientCert);
        p.bServerCert = eap.bServerCert;
        p.bIntermediateCert = eap.bIntermediateCert;
        p.nServerNameRule = static_cast<ULONG>(copy.nServerNameRule);
        CopyText(p.chServerName, eap.strServerName);
        CopyBlob(p.CA_cert, copy.ServerCert);
        p.bCacheUserInfo = static_cast<ULONG>(copy.bCacheUserInfo);
        p.bPAC = eap.bPAC;
        p.bProvision = eap.bProvision;
        CopyText(p.chPACfilepath, eap.strPacFilePath);
        auth = AuthIndexToCode(menu);
        encryption = EncryIndexToCode(encry);
    } else if (infra && menu == AUTHIDX_WAPI_CA) {
        auth = AUTH_WAPI_CERT;
        if (encry == ENCRIDX_SMS4) encryption = ENCRY_SMS4;
        CopyText(p.chUserCertPath, copy.strCertificate[0]);
        CopyText(p.chASCertPath, copy.strCertificate[1]);
    } else if ((infra && (menu == AUTHIDX_WPA_PSK || menu == AUTHIDX_WPA2_PSK || menu == AUTHIDX_WAPI_PSK)) ||
               (!infra && (menu == AUTHIDX_WPA2_PSK || menu == AUTHIDX_WPA_NONE))) {
        CopyText(p.chPskKey, copy.strPassPhrase);
        p.nPskKeyLen = static_cast<ULONG>(strnlen(p.chPskKey, sizeof p.chPskKey));
        if (!infra) auth = menu == AUTHIDX_WPA2_PSK ? AUTH_WPA2_PSK : AUTH_WPA_NONE;
        else if (menu == AUTHIDX_WPA_PSK) auth = AUTH_WPA_PSK;
        else if (menu == AUTHIDX_WPA2_PSK) auth = AUTH_WPA2_PSK;
        else {
            auth = AUTH_WAPI_PSK;
            p.nPskKeyType = static_cast<ULONG>(copy.nPassPhraseFormat);
        }
        encryption = cipherCode(encryption);
    } else if (menu == AUTHIDX_SHARED || (menu == AUTHIDX_OPEN && encry == ENCRIDX_WEP)) {
        auth = static_cast<ULONG>(menu);
        encryption = encry == ENCRIDX_NONE ? ENCRY_NONE : ENCRY_WEP;
        char* keys[] = {p.WEPKey1, p.WEPKey2, p.WEPKey3, p.WEPKey4};
        ULONG* types[] = {&p.WEPKey1Type, &p.WEPKey2Type, &p.WEPKey3Type, &p.WEPKey4Type};
        for (int i = 0; i < SURVEY_EDITOR_COPY::kWepKeys; ++i) {
            const CString& key = copy.strWepKey[i];
            const size_t length = std::min<size_t>(static_cast<size_t>(key.GetLength()), sizeof p.WEPKey1 - 1);
            memcpy(keys[i], key.GetString(), length);
            *types[i] = static_cast<ULONG>(copy.nWepKeyFormat);
        }
        p.wepDefaultKey = static_cast<ULONG>(std::clamp(copy.nWepKeyIndex, 0, SURVEY_EDITOR_COPY::kWepKeys - 1));
    } else {
        decided = false;
    }
    if (!decided) {
        // The survey's codes are not the record's: take the record's codes from the editor's menus.
        auth = AuthIndexToCode(menu);
        encryption = EncryIndexToCode(encry);
        DebugLog(3, "[QxUI] CKelvoPageSiteSurveyDlg::ConnectSelected: menus %d/%d give codes %u/%u\n", menu, encry, auth,
                 encryption);
    }
    m_nPendingAuth = static_cast<int>(auth);
    m_nPendingEncry = static_cast<int>(encryption);
}

void CKelvoPageSiteSurveyDlg::ConnectSelected()
{
    const NDIS_WLAN_BSSID_EX* record = ChosenEntry();
    if (!record) {
        DebugLog(1, "[QxUI] CKelvoPageSiteSurveyDlg::ConnectSelected: no network chosen\n");
        return;
    }
    WLANPROFILE& p = m_Profile;
    p = {};
    if (m_bSecured || (m_nPendingAuth >= SURVEY_AUTH_WPA && m_nPendingAuth <= SURVEY_AUTH_CCKM)) ApplyEditorCopy();
    p.enumAuthenMode = static_cast<ULONG>(m_nPendingAuth);
    p.enumEncryStatus = static_cast<ULONG>(m_nPendingEncry);
    p.bDisassociate = 1;
    QXWLAPI.QXWL_WriteWPSFlag(FALSE);

    if (m_nNetworkMode == static_cast<int>(kInfrastructure) && !m_bHidden) {
        p.SSID.SsidLength = std::min<ULONG>(record->Ssid.SsidLength, kSsidMaxLength);
        memcpy(p.SSID.Ssid, record->Ssid.Ssid, p.SSID.SsidLength);
        memcpy(p.BSSID, record->MacAddress, sizeof p.BSSID);
        p.bBssid = 1;
    } else {
        const NDIS_802_11_SSID& ssid = m_bHidden ? m_PendingSsid : record->Ssid;
        p.SSID.SsidLength = std::min<ULONG>(ssid.SsidLength, kSsidMaxLength);
        memcpy(p.SSID.Ssid, ssid.Ssid, p.SSID.SsidLength);
        p.bBssid = 0;
    }

    p.bSetAdvance = 0;
    p.bACCam = 0;
    ULONG psMode = 0;
    QXWLAPI.QXWL_ReadPSMode(&psMode);
    p.enumPSMode = psMode;
    p.lRtsThre = kRtsThreshold;
    p.lFragThre = kFragThreshold;
    p.enumPreamType = kPreambleAuto;
    p.enumNetworkType = record->InfrastructureMode;
    p.lTxPower = 0;
    p.lFreq = static_cast<LONG>(record->Configuration.DSConfig);
    m_nActionType = kActionTypeProfile;
    m_pActionRecord = &m_Profile;

    const bool enterprise = p.enumAuthenMode == AUTH_WPA || p.enumAuthenMode == AUTH_WPA2 ||
                            p.enumAuthenMode == AUTH_CCKM || (p.enumAuthenMode == AUTH_OPEN && p.b8021X);
    if (OsCode() >= kVistaOsCode && enterprise && p.enumAuthenProtocol == EAPMETHOD_FAST) {
        // The configuration UI returns when the user is done; the connection goes ahead after it.
        const ULONG blobLength = std::min<ULONG>(p.dwLenEapFastConfigBlob, kEapFastBlobBytes);
        QXWLAPI.QXWL_StartEapHostPeerInvokeConfigUI("", blobLength, p.pEapFastConfigBlob);
    }
    if (CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive(); main && main->m_pPageProfileDlg)
        main->m_pPageProfileDlg->m_bConnectPending = 0;
    CWnd* owner = Owner();
    if (owner) owner->SendMessage(MSG_PROFILE_EDITOR_DLG, kClosed, 0);
    QXWLAPI.QXWL_ResetToDefaultConnecctionSetting();
    if (owner) owner->SendMessage(ACTION_INSERT_EXEC, SEND_BY_SITESURVEY_DLG, 0);
    else DebugLog(1, "[QxUI] CKelvoPageSiteSurveyDlg::ConnectSelected: no owner to take the connection\n");
}

LRESULT CKelvoPageSiteSurveyDlg::OnSiteSurveyConnect(WPARAM, LPARAM)
{
    if (CWnd* owner = Owner()) owner->SendMessage(ACTION_INSERT_EXEC, SEND_BY_SITESURVEY_DLG, 0);
    return 0;
}

void CKelvoPageSiteSurveyDlg::ResetEditorCopy()
{
    m_EditorCopy = SURVEY_EDITOR_COPY{};
}

const NDIS_WLAN_BSSID_EX* CKelvoPageSiteSurveyDlg::ChosenEntry() const
{
    if (m_ChosenRecord.size() < sizeof(NDIS_WLAN_BSSID_EX)) return nullptr;
    return reinterpret_cast<const NDIS_WLAN_BSSID_EX*>(m_ChosenRecord.data());
}
