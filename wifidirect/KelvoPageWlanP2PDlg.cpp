#include "wifidirect/KelvoPageWlanP2PDlg.h"
#include "base/DebugLog.h"
#include "base/LanguageTable.h"
#include "contract/StationContract.h"
#include "core/ProductMessageBox.h"
#include "core/QXWLLIB.h"
#include "core/QxUI2008App.h"
#include "core/hidedlg/HideDlg.h"
#include "skin/KelvoPageSiteSurveyDlg.h"
#include "skin/KelvoPageUIDlg.h"
#include "skin/MainWindowMessages.h"
#include "skin/ModalChildScope.h"
#include "skin/SkinResourceScope.h"
#include "ui/DialogTab.h"
#include "wifidirect/AdvancedWiFiDirect.h"
#include "wifidirect/GroupPassPhrase.h"
#include "wifidirect/KelvoPageP2PConnectMethod.h"
#include "wifidirect/KelvoPageP2PConnectMethodII.h"
#include "wifidirect/KelvoPageP2PLinkStatus.h"
#include "wifidirect/KelvoPageP2PMoreInfo.h"
#include "wifidirect/KelvoPageWlanP2PSettingChannelDlg.h"
#include "wifidirect/KelvoPageWlanP2PSettingNameDlg.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

IMPLEMENT_DYNCREATE(CKelvoPageWlanP2PDlg, CDialog)

namespace {
BOOL g_bP2PRequestPending = FALSE;
constexpr int kColumns = 5;
constexpr double kDefaultShares[kColumns] = {0.2, 0.16, 0.25, 0.14, 0.3};
constexpr COLORREF kConnectedRowColor = 0xF7F5EA;
constexpr COLORREF kStateBackColor = 0xFDFDFD;
constexpr UINT kButtons[] = {IDC_WLANP2P_GROUP_OWNER, IDC_WLANP2P_CLIENT, IDC_WLANP2P_MORE_INFO, IDC_WLANP2P_SCAN,
                             IDC_WLANP2P_CONNECT};
// Skin library bitmaps: the header's mark, the device-type images (45 pixels each, white is
// transparent), and the buttons' pairs (normal, hover).
constexpr UINT kHeaderBitmap = 320, kDeviceImagesBitmap = 314;
constexpr int kDeviceImageWidth = 45;
constexpr COLORREF kDeviceImageMask = RGB(255, 255, 255);
constexpr UINT kMoreInfoNormal = 0x427, kMoreInfoHover = 0x426, kScanNormal = 0x429, kScanHover = 0x428;
constexpr UINT kConnectNormal = 0x401, kConnectHover = 0x400, kWpsNormal = 0x44D, kWpsHover = 0x44C;

CString AddressText(const UCHAR* mac)
{
    CString text;
    text.Format("%02X:%02X:%02X:%02X:%02X:%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    return text;
}

P2P_DEVICE_ROW MakeRow(const WIFIDIRECT_DEVICE_ENTRY& d, const CString& group)
{
    P2P_DEVICE_ROW row;
    row.nPrimaryDeviceType = d.nPrimaryDeviceType;
    row.nRule = d.nRule;
    row.bConnectToMe = d.bConnectToMe;
    row.strGroupAddress = group;
    row.strGroup = group;
    row.strName = DeviceNameText(d);
    row.strAddress = AddressText(d.MacAddr);
    return row;
}

void SetText(CWnd* page, UINT id, const CString& text, LPCSTR fallback)
{
    if (page->GetDlgItem(static_cast<int>(id))) page->SetDlgItemText(static_cast<int>(id), text.IsEmpty() ? CString(fallback) : text);
}

CKelvoPageUIDlg* MainWindow()
{
    return CKelvoPageUIDlg::GetLive();
}

const CString& Text(const CString& text, LPCSTR fallback)
{
    static CString holder;
    if (!text.IsEmpty()) return text;
    holder = fallback;
    return holder;
}
}  // namespace

CString DeviceTypeText(const WIFIDIRECT_DEVICE_TYPE& type)
{
    static const char* const kCategories[] = {"PC",      "PC",      "Input",      "Printer", "Camera", "Storage",
                                              "Network", "Display", "Multimedia", "Gaming",  "Phone"};
    return type.CategoryID < std::size(kCategories) ? kCategories[type.CategoryID] : "PC";
}

bool P2P_DEVICE_ROW::operator==(const P2P_DEVICE_ROW& o) const
{
    return std::memcmp(&nPrimaryDeviceType, &o.nPrimaryDeviceType, sizeof nPrimaryDeviceType) == 0 && nRule == o.nRule &&
           bConnectToMe == o.bConnectToMe && strGroupAddress == o.strGroupAddress && strName == o.strName &&
           strAddress == o.strAddress;
}

std::vector<P2P_DEVICE_ROW> BuildDeviceRows(const CAdvancedWiFiDirect& engine)
{
    std::vector<P2P_DEVICE_ROW> rows;
    for (const auto& item : engine.m_vecTopology) {
        const CString own = AddressText(item.Device.MacAddr);
        rows.push_back(MakeRow(item.Device, own));
        for (const auto& member : item.vecSubDeviceList) rows.push_back(MakeRow(member, own));
    }
    return rows;
}

BEGIN_MESSAGE_MAP(CKelvoPageWlanP2PDlg, CWiFiDirectSkinnedPage)
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_BN_CLICKED(IDC_WLANP2P_ENABLE, OnEnableWiFiDirect)
    ON_BN_CLICKED(IDC_WLANP2P_GROUP_OWNER, OnRoleGroupOwner)
    ON_BN_CLICKED(IDC_WLANP2P_CLIENT, OnRoleClient)
    ON_BN_CLICKED(IDC_WLANP2P_SCAN, OnScan)
    ON_BN_CLICKED(IDC_WLANP2P_CONNECT, OnConnect)
    ON_BN_CLICKED(IDC_WLANP2P_WPS, OnWps)
    ON_BN_CLICKED(IDC_WLANP2P_MORE_INFO, OnMoreInfo)
    ON_NOTIFY(NM_RCLICK, IDC_WLANP2P_DEVICE_LIST, OnListRightClick)
    ON_COMMAND(ID_WLANP2P_DISCONNECT, OnDisconnectCommand)
    ON_MESSAGE(MSG_QUICKLIST_GET_ITEM_DATA, OnGetItemData)
    ON_MESSAGE(MSG_P2P_DEVICE_LIST, OnDeviceList)
    ON_MESSAGE(MSG_P2P_EVENT, OnP2PEvent)
    ON_MESSAGE(MSG_P2P_SETTING_DONE, OnSettingDone)
    ON_MESSAGE(MSG_P2P_REQUEST_ANSWER, OnRequestAnswer)
    ON_MESSAGE(MSG_P2P_CHECK_REQUEST, OnCheckRequest)
    ON_MESSAGE(MSG_P2P_CHECK_SWITCH, OnCheckSwitch)
END_MESSAGE_MAP()

CKelvoPageWlanP2PDlg::CKelvoPageWlanP2PDlg() : CWiFiDirectSkinnedPage(IDD)
{
    ::SetP2PRequestAnswer(P2P_REQUEST_DONE);
    g_bP2PRequestPending = FALSE;
}

CKelvoPageWlanP2PDlg::~CKelvoPageWlanP2PDlg()
{
    if (CAdvancedWiFiDirect* engine = Engine())
        if (engine->m_pRequestArgument == this) engine->SetCallback(nullptr, nullptr);
}

CAdvancedWiFiDirect* CKelvoPageWlanP2PDlg::Engine() const
{
    return G_pHideDlg ? G_pHideDlg->m_pWiFiDirect : nullptr;
}

BOOL CKelvoPageWlanP2PDlg::IsRequestPending()
{
    return g_bP2PRequestPending;
}

namespace {
// Posted: the page that takes the hidden one's place shows first.
void PostToMainPage(UINT message)
{
    if (CKelvoPageWlanP2PDlg* page = WiFiDirectMainPage(); page && page->m_hWnd) page->PostMessage(message, 0, 0);
}
}  // namespace

void CKelvoPageWlanP2PDlg::PromptPageHidden()
{
    if (g_bP2PRequestPending) PostToMainPage(MSG_P2P_CHECK_REQUEST);
}

void CKelvoPageWlanP2PDlg::NamePageHidden()
{
    // Next switches Wi-Fi Direct on before the name page goes.
    PostToMainPage(MSG_P2P_CHECK_SWITCH);
}

void CKelvoPageWlanP2PDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_WLANP2P_DEVICE_LIST, m_list);
}

BOOL CKelvoPageWlanP2PDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // The page is created when first shown, after the engine: the engine learns its window here.
    if (CAdvancedWiFiDirect* engine = Engine()) engine->SetHwnd(m_hWnd);
    const CLanguageTable& t = G_LangTable;
    SetText(this, IDC_WLANP2P_STATUS_LABEL, t.IDS_AP_LAB_STATUS, "Status");
    SetText(this, IDC_WLANP2P_ROLE_LABEL, t.IDS_WIFI_DIRECT_ROLE, "Role");
    SetText(this, IDC_WLANP2P_ENABLE, t.IDS_WIFI_DIRECT_ENABLE_WLAN_P2P, "Enable Wi-Fi Direct");
    SetText(this, IDC_WLANP2P_GROUP_OWNER, t.IDS_WIFI_DIRECT_GROUP_OWNER, "Group Owner");
    SetText(this, IDC_WLANP2P_CLIENT, t.IDS_WIFI_DIRECT_CLIENT, "Client");
    SetText(this, IDC_WLANP2P_SETTING_TITLE, t.IDS_WIFI_DIRECT_WLAN_P2P_SETTING, "Wi-Fi Direct Settings");
    SetText(this, IDC_WLANP2P_STATUS_TITLE, t.IDS_WIFI_DIRECT_WLAN_PWP_STATUS, "Wi-Fi Direct Status");
    SetText(this, IDC_WLANP2P_DEVICE_LIST_TITLE, t.IDS_WIFI_DIRECT_WLAN_P2P_DEVICE_LIST, "Wi-Fi Direct Devices");
    SetText(this, IDC_WLANP2P_STATE_TEXT, t.IDS_WIFI_DIRECT_NO_ASSOCIATED, "Not connected");
    SetUpSkin();
    if (CWnd* wps = GetDlgItem(IDC_WLANP2P_WPS)) wps->ShowWindow(SW_HIDE);
    SetUpList();
    EnableControls(FALSE);
    m_nSelRole = m_nRole = 1;
    CheckRadioButton(IDC_WLANP2P_GROUP_OWNER, IDC_WLANP2P_CLIENT, IDC_WLANP2P_GROUP_OWNER);
    return TRUE;
}

void CKelvoPageWlanP2PDlg::SetUpSkin()
{
    m_skin.Titles({IDC_WLANP2P_SETTING_TITLE, IDC_WLANP2P_STATUS_TITLE, IDC_WLANP2P_DEVICE_LIST_TITLE});
    m_skin.Labels({IDC_WLANP2P_STATUS_LABEL, IDC_WLANP2P_ROLE_LABEL, IDC_WLANP2P_ENABLE, IDC_WLANP2P_GROUP_OWNER,
                   IDC_WLANP2P_CLIENT});
    m_skin.Values({IDC_WLANP2P_STATE_TEXT}, kStateBackColor);
    CWiFiDirectPageSkin::SkinButton(m_btnMoreInfo, *this, IDC_WLANP2P_MORE_INFO, kMoreInfoNormal, kMoreInfoHover);
    CWiFiDirectPageSkin::SkinButton(m_btnScan, *this, IDC_WLANP2P_SCAN, kScanNormal, kScanHover);
    CWiFiDirectPageSkin::SkinButton(m_btnConnect, *this, IDC_WLANP2P_CONNECT, kConnectNormal, kConnectHover);
    CWiFiDirectPageSkin::SkinButton(m_btnWps, *this, IDC_WLANP2P_WPS, kWpsNormal, kWpsHover);
}

void CKelvoPageWlanP2PDlg::SetUpList()
{
    const CLanguageTable& t = G_LangTable;
    m_list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    CBitmap strip;
    if (G_hKelvoImg && strip.Attach(::LoadBitmapA(G_hKelvoImg, MAKEINTRESOURCEA(kDeviceImagesBitmap)))) {
        BITMAP info{};
        strip.GetObject(sizeof info, &info);
        if (m_images.Create(kDeviceImageWidth, info.bmHeight, ILC_COLOR24 | ILC_MASK, 0, 1)) m_images.Add(&strip, kDeviceImageMask);
    }
    if (m_images.GetSafeHandle()) m_list.SetImageList(&m_images, LVSIL_SMALL);
    else DebugLog(1, "[QxUI] CKelvoPageWlanP2PDlg: bitmap %u is missing\n", kDeviceImagesBitmap);

    double shares[kColumns];
    std::copy(std::begin(kDefaultShares), std::end(kDefaultShares), shares);
    TakeColumnShares("IDS_LIST_WLANP2P_DEVICE", t.IDS_LIST_WLANP2P_DEVICE, shares, kColumns);
    CRect rc;
    m_list.GetClientRect(&rc);
    const CString headers[kColumns] = {Text(t.IDS_WIFI_DIRECT_DEVICE_TYPE, "Device Type"), Text(t.IDS_WIFI_DIRECT_GROUP, "Group"),
                                       Text(t.IDS_WIFI_DIRECT_DEVICE_NAME_II, "Device Name"), Text(t.IDS_WIFI_DIRECT_ROLE, "Role"),
                                       Text(t.IDS_WIFI_DIRECT_DEVICE_ADDRESS, "Device Address")};
    // The shares of the language file may add up to more than the whole: the last column takes
    // what is left, so that the list never needs a horizontal scroll bar.
    int used = 0;
    for (int i = 0; i < kColumns; ++i) {
        int width = static_cast<int>(rc.Width() * shares[i]);
        if (i == kColumns - 1 || used + width > rc.Width()) width = std::max(0, rc.Width() - used);
        used += width;
        m_list.InsertColumn(i, headers[i], LVCFMT_LEFT, width);
    }
    SkinResourceScope skin;  // the list loads its header's bitmap from the resource module
    if (!m_list.SetHeaderBitmap(kHeaderBitmap)) DebugLog(1, "[QxUI] CKelvoPageWlanP2PDlg: header bitmap %u is missing\n", kHeaderBitmap);
}

void CKelvoPageWlanP2PDlg::OnDestroy()
{
    KillTimer(TIMER_P2P_STATUS);
    // A request still waiting ends with the page: nothing may answer into a page that is gone.
    if (g_bP2PRequestPending) {
        g_bP2PRequestPending = FALSE;
        ::SetP2PRequestWindow(nullptr, 0);
        ::SetP2PRequestAnswer(P2P_REQUEST_DONE);
    }
    CDialog::OnDestroy();
}

void CKelvoPageWlanP2PDlg::EnableControls(BOOL bOn)
{
    for (UINT id : kButtons)
        if (CWnd* w = GetDlgItem(static_cast<int>(id))) w->EnableWindow(bOn);
}

void CKelvoPageWlanP2PDlg::OnEnableWiFiDirect()
{
    const BOOL on = IsDlgButtonChecked(IDC_WLANP2P_ENABLE) == BST_CHECKED;
    if (on == static_cast<BOOL>(m_bStarted)) return;
    m_bStarted = m_bActive = on;
    EnableControls(on);
    CAdvancedWiFiDirect* engine = Engine();
    CKelvoPageUIDlg* main = MainWindow();
    if (on) {
        CheckRadioButton(IDC_WLANP2P_GROUP_OWNER, IDC_WLANP2P_CLIENT, IDC_WLANP2P_GROUP_OWNER);
        m_nSelRole = 1;
        if (engine) {
            engine->SetCallback(&CKelvoPageWlanP2PDlg::OnIncomingRequest, this);
            if (engine->m_pSetting) m_strDeviceName = engine->m_pSetting->m_pDeviceName->m_strDeviceName;
        }
        if (m_strDeviceName.IsEmpty() && engine) m_strDeviceName = engine->m_strMyDeviceName;
        // Without the library's phrase this installation's own one: never a phrase every
        // installation shares.
        m_strKey = CGroupPassPhrase::Default();
        m_bSaveProfile = FALSE;
        if (main && main->m_pPageTab && main->m_pPageWlanP2PSettingNameDlg) {
            main->m_pPageTab->PushPageHistory(this);
            main->ShowWiFiDirectPage(main->m_pPageWlanP2PSettingNameDlg);
        } else {
            SetWiFiDirectState(TRUE);
        }
    } else {
        // Nobody may answer a request for a Wi-Fi Direct that goes off.
        CancelWaitingRequest();
        if (engine) {
            engine->SetCallback(nullptr, nullptr);
            engine->OnDisconnect();
        }
        SetTimer(TIMER_P2P_STATUS, kOffDelayMs, nullptr);
        if (CWnd* sw = GetDlgItem(IDC_WLANP2P_ENABLE)) {
            m_bSwitchUsable = sw->IsWindowEnabled();
            sw->EnableWindow(FALSE);
        }
        if (CWnd* wps = GetDlgItem(IDC_WLANP2P_WPS)) wps->ShowWindow(SW_HIDE);
    }
    if (main) main->EnableStationTabs(!m_bStarted);
}

void CKelvoPageWlanP2PDlg::CancelSwitchOn()
{
    CAdvancedWiFiDirect* engine = Engine();
    if (!m_bStarted || (engine && engine->m_bEnableWiFiDirect)) return;
    CheckDlgButton(IDC_WLANP2P_ENABLE, BST_UNCHECKED);
    m_bStarted = m_bActive = 0;
    EnableControls(FALSE);
    if (engine && engine->m_pRequestArgument == this) engine->SetCallback(nullptr, nullptr);
    if (CKelvoPageUIDlg* main = MainWindow()) main->EnableStationTabs(TRUE);
}

LRESULT CKelvoPageWlanP2PDlg::OnCheckSwitch(WPARAM, LPARAM)
{
    CKelvoPageUIDlg* main = MainWindow();
    const CWnd* namePage = main ? main->m_pPageWlanP2PSettingNameDlg : nullptr;
    if (namePage && namePage->m_hWnd && (namePage->GetStyle() & WS_VISIBLE)) return 0;  // shown again meanwhile
    CancelSwitchOn();
    return 0;
}

void CKelvoPageWlanP2PDlg::OnRoleGroupOwner()
{
    if (m_bStarted == 1) m_nSelRole = 1;
}

void CKelvoPageWlanP2PDlg::OnRoleClient()
{
    if (m_bStarted == 1) m_nSelRole = 2;
}

void CKelvoPageWlanP2PDlg::OnScan()
{
    if (CWnd* scan = GetDlgItem(IDC_WLANP2P_SCAN)) scan->EnableWindow(FALSE);
    m_bListReady = 0;
    if (CAdvancedWiFiDirect* engine = Engine()) engine->OnScan();
    RefreshList();
}

void CKelvoPageWlanP2PDlg::OnWps()
{
    CAdvancedWiFiDirect* engine = Engine();
    if (!engine) return;
    engine->BtnWPSConnectClick();
    if (CKelvoPageUIDlg* main = MainWindow(); main && main->m_pPageTab) {
        main->m_pPageTab->PushPageHistory(this);
        main->ShowWiFiDirectPage(main->m_pPageP2PConnectMethodII);
    }
}

void CKelvoPageWlanP2PDlg::OnMoreInfo()
{
    // Owned by the main window, which it keeps from the user while it runs, and registered with
    // it: the exit roads close it before they take the pages (this one among them) away.
    CKelvoPageP2PMoreInfo dialog(MainWindow());
    CModalChildScope registered(dialog, CKelvoPageUIDlg::kChildWiFiDirectInfo);
    if (dialog.DoModal() == -1) DebugLog(1, "[QxUI] The more-information dialog could not be created\n");
}

void CKelvoPageWlanP2PDlg::OnListRightClick(NMHDR* pNMHDR, LRESULT* pResult)
{
    if (pResult) *pResult = 0;
    const auto* item = reinterpret_cast<const NMITEMACTIVATE*>(pNMHDR);
    const int row = item ? item->iItem : -1;
    if (!m_bListReady || row < 0 || row >= static_cast<int>(m_vecShowRows.size()) || m_vecShowRows[row].bConnectToMe != 1) return;
    HMENU menu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_WLANP2P_DEVICE_MENU));
    if (!menu) menu = ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_WLANP2P_DEVICE_MENU));
    if (!menu) {
        DebugLog(1, "[QxUI] CKelvoPageWlanP2PDlg: the device menu cannot be loaded\n");
        return;
    }
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    ::TrackPopupMenu(::GetSubMenu(menu, 0), TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, m_hWnd, nullptr);
    ::DestroyMenu(menu);
}

void CKelvoPageWlanP2PDlg::OnDisconnectCommand()
{
    if (CAdvancedWiFiDirect* engine = Engine()) engine->OnDisconnect();
}

void CKelvoPageWlanP2PDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == TIMER_P2P_STATUS) {
        SetWiFiDirectState(FALSE);
        KillTimer(TIMER_P2P_STATUS);
        // The switch comes back as it was: a user the main window keeps from it stays kept.
        if (CWnd* sw = GetDlgItem(IDC_WLANP2P_ENABLE)) sw->EnableWindow(m_bSwitchUsable);
        // Off, the connection check has stopped: its last word no longer holds.
        SetText(this, IDC_WLANP2P_STATE_TEXT, G_LangTable.IDS_WIFI_DIRECT_NO_ASSOCIATED, "Not connected");
        return;
    }
    CAdvancedWiFiDirect* engine = Engine();
    // The forms' timers are offered only by the page that hosts them.
    const int taken = engine && engine->m_hWnd == m_hWnd ? engine->RouteTimer(nIDEvent) : -1;
    if (taken == -1) {
        CDialog::OnTimer(nIDEvent);
        return;
    }
    if (nIDEvent == TIMER_WIFIDIRECT_ONESHOT) {
        if (CWnd* scan = GetDlgItem(IDC_WLANP2P_SCAN)) scan->EnableWindow(TRUE);
        if (m_bListReady == 0) {
            m_bListReady = 1;
            m_vecShowRows.clear();
            RefreshList();
        }
    } else if (nIDEvent == TIMER_WIFIDIRECT_CONNECT_STATUS) {
        SetDlgItemText(IDC_WLANP2P_STATE_TEXT, engine->m_strLinkStatusText);
        ShowP2PPanel(engine->m_bP2PPanelShown);
    }
}

void CKelvoPageWlanP2PDlg::RefreshList()
{
    ++m_nRowPaints;
    if (!m_list.m_hWnd) return;
    m_list.SetItemCountEx(static_cast<int>(m_vecShowRows.size()), LVSICF_NOSCROLL);
    m_list.Invalidate(FALSE);
}

LRESULT CKelvoPageWlanP2PDlg::OnGetItemData(WPARAM, LPARAM lParam)
{
    auto* cell = reinterpret_cast<CQuickList::CListItemData*>(lParam);
    if (!cell) return 0;
    const int row = cell->GetItem(), column = cell->GetSubItem();
    cell->m_crSelectedBack = ::GetSysColor(COLOR_HIGHLIGHT);
    if (!m_bListReady) {
        if (column == 2) cell->m_strText = Text(G_LangTable.IDS_VAL_SEARCHING, "Searching...");
        return 0;
    }
    if (row < 0 || row >= static_cast<int>(m_vecShowRows.size())) return 0;
    const P2P_DEVICE_ROW& r = m_vecShowRows[row];
    if (r.bConnectToMe == 1) cell->m_crBack = kConnectedRowColor;
    switch (column) {
    case 0:
        cell->m_nImage = m_images.GetSafeHandle() ? 0 : -1;
        cell->m_strText = DeviceTypeText(r.nPrimaryDeviceType);
        cell->m_strToolTip = G_LangTable.IDS_WIFI_DIRECT_DEVICE_TYPE;
        break;
    case 1: cell->m_strText = r.strGroup; break;
    case 2: cell->m_strText = r.strName; break;
    case 3:
        cell->m_strText = r.nRule == 1   ? Text(G_LangTable.IDS_WIFI_DIRECT_GO, "Group Owner")
                          : r.nRule == 2 ? Text(G_LangTable.IDS_WIFI_DIRECT_CLIENT, "Client")
                          : r.nRule == 3 ? Text(G_LangTable.IDS_WIFI_DIRECT_CLIENT_IN_GROUP, "Client in group")
                                         : Text(G_LangTable.IDS_UNKNOWN, "Unknown");
        break;
    case 4: cell->m_strText = r.strAddress; break;
    default: break;
    }
    return 0;
}

LRESULT CKelvoPageWlanP2PDlg::OnDeviceList(WPARAM wParam, LPARAM)
{
    auto* engine = reinterpret_cast<CAdvancedWiFiDirect*>(wParam);
    if (!engine) engine = Engine();
    if (!engine) return 0;
    const BYTE event = engine->m_WiFiDirectStatus[0];
    if (event != WIFIDIRECTEVENT_STATUS_UPDATE_DISCOVERY && event != WIFIDIRECTEVENT_STATUS_GROUP_UPDATE) return 0;
    m_vecNewRows = BuildDeviceRows(*engine);
    if (m_bListReady && m_vecNewRows == m_vecShowRows) return 0;
    m_vecShowRows = m_vecNewRows;
    m_bListReady = 1;
    ResolveGroups();
    RefreshList();
    if (m_vecShowRows.empty()) {
        m_bListReady = 0;
        m_vecShowRows.emplace_back();
        RefreshList();
    }
    return 0;
}

void CKelvoPageWlanP2PDlg::ResolveGroups()
{
    CKelvoPageUIDlg* main = MainWindow();
    CKelvoPageSiteSurveyDlg* survey = main ? main->m_pPageSiteSurveyDlg : nullptr;
    if (survey) survey->RefreshSurveyList();
    CString ownSsid;
    bool ownRead = false;
    for (P2P_DEVICE_ROW& row : m_vecShowRows) {
        CString group = "---";
        bool found = false;
        if (survey)
            for (const SURVEY_LIST_ENTRY& entry : survey->m_Entries)
                if (AddressText(entry.Bssid) == row.strGroupAddress) {
                    group = entry.strSsid;
                    found = true;
                    break;
                }
        if (!found && m_nRole == 1 && row.bConnectToMe == 1) {
            if (!ownRead) {
                WLAN_STATUS status = {};
                QXWLAPI.QXWL_QueryWLANStatus(&status, WLAN_STATUS_QUERY{0, 1, 0, 0, 0});
                ownSsid = CString(reinterpret_cast<const char*>(status.Ssid.Ssid),
                                  static_cast<int>(std::min<ULONG>(status.Ssid.SsidLength, sizeof status.Ssid.Ssid)));
                ownRead = true;
            }
            group = ownSsid;
        }
        row.strGroup = group;
    }
}

void CKelvoPageWlanP2PDlg::ShowRole(ULONG role)
{
    if (role == 1) {
        CheckRadioButton(IDC_WLANP2P_GROUP_OWNER, IDC_WLANP2P_CLIENT, IDC_WLANP2P_GROUP_OWNER);
        ShowP2PPanel(TRUE);
    } else if (role == 2) {
        CheckRadioButton(IDC_WLANP2P_GROUP_OWNER, IDC_WLANP2P_CLIENT, IDC_WLANP2P_CLIENT);
        ShowP2PPanel(FALSE);
    }
}

LRESULT CKelvoPageWlanP2PDlg::OnP2PEvent(WPARAM wParam, LPARAM)
{
    auto* engine = reinterpret_cast<CAdvancedWiFiDirect*>(wParam);
    if (!engine) return 0;
    switch (engine->m_WiFiDirectStatus[0]) {
    case WIFIDIRECTEVENT_STATUS_UPDATE_DISCOVERY:
    case WIFIDIRECTEVENT_STATUS_GROUP_UPDATE: SendMessage(MSG_P2P_DEVICE_LIST, wParam, 0); break;
    case WIFIDIRECTEVENT_STATUS_WPS_DONE:
        m_nRole = static_cast<int>(engine->m_ulMyRule);
        if (engine->m_ulMyRule != m_nShownRole) {
            m_nShownRole = engine->m_ulMyRule;
            ShowRole(m_nShownRole);
        }
        break;
    case WIFIDIRECTEVENT_ERROR_CODE:
        if (CKelvoPageUIDlg* main = MainWindow(); main && main->m_pPageP2PLinkStatus)
            main->m_pPageP2PLinkStatus->ShowFailure();
        break;
    default: break;
    }
    return 0;
}

void CKelvoPageWlanP2PDlg::ShowP2PPanel(BOOL bShow)
{
    CWnd* wps = GetDlgItem(IDC_WLANP2P_WPS);
    if (!wps) return;
    const BOOL wasVisible = wps->IsWindowVisible();
    const BOOL show = m_nRole == 1 && bShow == 1;
    wps->ShowWindow(show ? SW_SHOW : SW_HIDE);
    if (wasVisible && !show)
        if (CKelvoPageUIDlg* main = MainWindow(); main && main->m_hWnd) main->Invalidate(TRUE);
}

bool CKelvoPageWlanP2PDlg::FindDeviceByAddress(const CString& address)
{
    CAdvancedWiFiDirect* engine = Engine();
    if (!engine) return false;
    std::memset(&engine->m_SeleteDeviceEntry, 0, sizeof engine->m_SeleteDeviceEntry);
    for (const auto& item : engine->m_vecTopology) {
        if (AddressText(item.Device.MacAddr) == address) {
            engine->m_SeleteDeviceEntry = item.Device;
            return true;
        }
        for (const auto& member : item.vecSubDeviceList)
            if (AddressText(member.MacAddr) == address) {
                ShowProductMessageBox(CAdvancedWiFiDirect::ConnectRefusalText(P2P_CONNECT_PEER_IN_GROUP));
                return false;
            }
    }
    return false;
}

void CKelvoPageWlanP2PDlg::OnConnect()
{
    const int row = m_list.m_hWnd ? m_list.GetNextItem(-1, LVNI_SELECTED) : -1;
    if (!m_bListReady || row < 0 || row >= static_cast<int>(m_vecShowRows.size())) {
        ShowProductMessageBox(Text(G_LangTable.IDS_NOSELECTEDITEM, "Please select a device."));
        return;
    }
    const P2P_DEVICE_ROW& r = m_vecShowRows[row];
    if (r.bConnectToMe == 1) {
        ShowProductMessageBox(CAdvancedWiFiDirect::ConnectRefusalText(P2P_CONNECT_PEER_CONNECTED, r.strName));
        return;
    }
    if (!FindDeviceByAddress(r.strAddress)) return;
    m_SelectedPeer = Engine()->m_SeleteDeviceEntry;
    CKelvoPageUIDlg* main = MainWindow();
    CKelvoPageP2PConnectMethod* method = main ? main->m_pPageP2PConnectMethod : nullptr;
    m_bIncoming = 0;
    if (!method || !main->m_pPageTab) return;
    method->m_bIncoming = 0;
    method->m_strPeerName = DeviceNameText(m_SelectedPeer);
    main->m_pPageTab->PushPageHistory(this);
    main->ShowWiFiDirectPage(method);
}

void CKelvoPageWlanP2PDlg::SetWiFiDirectState(BOOL bOn)
{
    CAdvancedWiFiDirect* engine = Engine();
    if (!engine) return;
    const LONG mode = QXWLAPI.QXWL_QueryOPMode();
    if (bOn == 1) {
        if (mode != 0 && G_pHideDlg) G_pHideDlg->OnTraySwitchSTAMode();
        engine->EnableWiFiDirect();
        // The switch-on always asks the wizard for the name first; once the wizard took it (and
        // closed), Wi-Fi Direct goes on with that name, without asking again.
        const CWiFiDirectSetting* wizard = engine->m_pSetting;
        if (!engine->m_bEnableWiFiDirect && wizard && wizard->m_nAction == ACTION_ENABLE && !wizard->Visible)
            engine->EnableOrDisableWiFiDirect(1, 1, 0, 1);
    } else {
        engine->DisableWiFiDirect();
        if (G_pHideDlg && QXWLAPI.QXWL_QueryOPMode() != 0) G_pHideDlg->OnTraySwitchSTAMode();
    }
}

void CKelvoPageWlanP2PDlg::SetP2PRequestAnswer(LONG answer)
{
    ::SetP2PRequestAnswer(answer);
}

void CKelvoPageWlanP2PDlg::OnIncomingRequest(void* argument)
{
    auto* page = static_cast<CKelvoPageWlanP2PDlg*>(argument);
    if (!page || !page->m_hWnd) return;
    CAdvancedWiFiDirect* engine = page->Engine();
    CKelvoPageUIDlg* main = MainWindow();
    CKelvoPageP2PConnectMethod* method = main ? main->m_pPageP2PConnectMethod : nullptr;
    if (!engine || !engine->m_pSetting || !method) return;
    // One request waits at a time; its prompt keeps its peer and its method.
    if (g_bP2PRequestPending) return;
    // The engine opens the wizard for a peer's request before it calls back.
    page->m_bIncoming = engine->m_pSetting->m_nAction == ACTION_GET_CONNECT_REQUEST;
    method->m_bIncoming = page->m_bIncoming;
    if (!page->m_bIncoming) {
        page->ContinueRequest(false);
        return;
    }
    page->m_RequestPeer = engine->m_SeleteDeviceEntry;
    const ULONG capability = engine->m_pSetting->m_pWPS->m_WpsCapability;
    if (capability & 0x40000000) method->m_nMethod = 2;
    if (capability & 0x80000000) method->m_nMethod = 1;
    if (capability & 0x20000000) method->m_nMethod = 0;
    method->m_strPeerName = DeviceNameText(page->m_RequestPeer);
    // The answer comes back as a message: no loop of our own may hold the program's exit.
    g_bP2PRequestPending = TRUE;
    ::SetP2PRequestWindow(page->m_hWnd, MSG_P2P_REQUEST_ANSWER);
    ::SetP2PRequestAnswer(P2P_REQUEST_WAITING);
    if (main->m_pPageTab) {
        main->m_pPageTab->ResetPageHistory();
        main->m_pPageTab->PushPageHistory(page);
    }
    // Shown already for the user's own connection: it takes the request's form and peer anew.
    if (method->m_hWnd && (method->GetStyle() & WS_VISIBLE)) method->ShowWindow(SW_HIDE);
    main->ShowWiFiDirectPage(method);
}

LRESULT CKelvoPageWlanP2PDlg::OnRequestAnswer(WPARAM wParam, LPARAM)
{
    if (!g_bP2PRequestPending) return 0;
    const LONG answer = static_cast<LONG>(wParam);
    if (answer == P2P_REQUEST_WAITING || answer != ::GetP2PRequestAnswer()) return 0;  // an older answer
    g_bP2PRequestPending = FALSE;
    ::SetP2PRequestWindow(nullptr, 0);
    CAdvancedWiFiDirect* engine = Engine();
    if (answer == P2P_REQUEST_CANCEL) {
        // Nothing of the request is left to run later: the wizard it opened closes, its display stops.
        if (engine && engine->m_pSetting && engine->m_pSetting->m_nAction == ACTION_GET_CONNECT_REQUEST &&
            engine->m_pSetting->Visible)
            engine->m_pSetting->CancelAndHide();
        if (engine) engine->StartWiFiDirectProgress(false, 0);
        return 0;
    }
    ::SetP2PRequestAnswer(P2P_REQUEST_DONE);
    ContinueRequest(true);
    // The engine started no display for a request answered later: it starts here.
    if (engine && engine->m_bDeviceNameReady == 1) engine->StartWiFiDirectProgress(true, CAdvancedWiFiDirect::kConnectProgressMs);
    return 0;
}

void CKelvoPageWlanP2PDlg::CancelWaitingRequest()
{
    if (!g_bP2PRequestPending || ::GetP2PRequestAnswer() != P2P_REQUEST_WAITING) return;
    ::SetP2PRequestAnswer(P2P_REQUEST_CANCEL);
}

LRESULT CKelvoPageWlanP2PDlg::OnCheckRequest(WPARAM, LPARAM)
{
    if (!g_bP2PRequestPending || ::GetP2PRequestAnswer() != P2P_REQUEST_WAITING) return 0;
    CKelvoPageUIDlg* main = MainWindow();
    auto shown = [](const CWnd* page) { return page && page->m_hWnd && (page->GetStyle() & WS_VISIBLE); };
    if (main && (shown(main->m_pPageP2PConnectMethod) || shown(main->m_pPageWlanP2PSettingChannelDlg))) return 0;
    // The user left the prompt (another tab, the main page): the request is declined, so that
    // nothing of it goes out with the user's next connection.
    DebugLog(3, "[QxUI] CKelvoPageWlanP2PDlg: the prompt was left; the request is cancelled\n");
    CancelWaitingRequest();
    return 0;
}

bool CKelvoPageWlanP2PDlg::SelectUsersPeer()
{
    CAdvancedWiFiDirect* engine = Engine();
    if (!engine) return false;
    // The peer the user picked, whatever a request in between named.
    engine->m_SeleteDeviceEntry = m_SelectedPeer;
    const P2P_CONNECT_RESULT refusal = engine->ConnectRefusal();
    if (refusal == P2P_CONNECT_STARTED) return true;
    ShowProductMessageBox(CAdvancedWiFiDirect::ConnectRefusalText(refusal, DeviceNameText(m_SelectedPeer)));
    ReturnToFirstWiFiDirectPage();
    return false;
}

void CKelvoPageWlanP2PDlg::ApplyUsersPinMethod(void* argument)
{
    auto* page = static_cast<CKelvoPageWlanP2PDlg*>(argument);
    CAdvancedWiFiDirect* engine = page ? page->Engine() : nullptr;
    if (!engine || !engine->m_pSetting) return;
    engine->m_pSetting->m_pWPS->rBtnPIN_UserSpecClick();
    engine->m_pSetting->BtnWiFiDirectNextClick();
}

bool CKelvoPageWlanP2PDlg::AskPeerForItsPin()
{
    if (!SelectUsersPeer()) return false;
    if (Engine()->OnConnectDevice(&CKelvoPageWlanP2PDlg::ApplyUsersPinMethod, this) == P2P_CONNECT_STARTED) return true;
    // Invited after the role box instead, or declined there: nothing is left to type a PIN for.
    ReturnToFirstWiFiDirectPage();
    return false;
}

void CKelvoPageWlanP2PDlg::ConnectSelectedPeer(CDialog* from)
{
    CAdvancedWiFiDirect* engine = Engine();
    CKelvoPageUIDlg* main = MainWindow();
    if (!engine || !main || !SelectUsersPeer()) return;
    if (main->m_pPageTab && from) main->m_pPageTab->PushPageHistory(from);
    if (main->m_pPageP2PLinkStatus) main->ShowWiFiDirectPage(main->m_pPageP2PLinkStatus);
    const P2P_CONNECT_RESULT result = engine->OnConnectDevice(&CKelvoPageWlanP2PDlg::OnIncomingRequest, this);
    // An invitation (or its refusal) shows no progress: back to the list.
    if (result != P2P_CONNECT_STARTED) ReturnToFirstWiFiDirectPage();
}

void CKelvoPageWlanP2PDlg::ContinueRequest(bool incoming)
{
    CAdvancedWiFiDirect* engine = Engine();
    CKelvoPageUIDlg* main = MainWindow();
    if (!engine || !engine->m_pSetting || !main) return;
    CWiFiDirectSetting& wizard = *engine->m_pSetting;
    if (incoming) {
        // The wizard may have served another road while the prompt waited: it starts again
        // for the peer the prompt named.
        engine->m_SeleteDeviceEntry = m_RequestPeer;
        wizard.FormShow(ACTION_GET_CONNECT_REQUEST);
    }
    CKelvoPageP2PConnectMethod* method = main->m_pPageP2PConnectMethod;
    if (main->m_pPageP2PLinkStatus) engine->ShowProgressMsg(main->m_pPageP2PLinkStatus);
    CWiFiDirectSettingWPS& wps = *wizard.m_pWPS;
    const int chosen = method ? method->m_nMethod : 0;
    // The PIN the user saw or typed, as the page shows it: a four-digit PIN stays four digits.
    if (chosen == 1) {
        wps.rBtnPIN_RegSpecClick();
        wps.m_strTempPinCode = PinText(method->m_nShowPin);
    } else if (chosen == 2) {
        wps.rBtnPIN_UserSpecClick();
        wps.m_strTempPinCode = method->m_strEnterPin;
    } else {
        wps.rBtnPBCClick();
    }
    // The channel and the group key the user gave go with the connection.
    if (!m_strChannel.IsEmpty()) wizard.m_pSaveProfile->m_strOperatingChannel = m_strChannel;
    WIFIDIRECT_WPSE_PROFILE& record = wizard.m_data_WIFIDIRECT_WPSE_Profile;
    std::memset(record.Key, 0, sizeof record.Key);
    record.KeyLength = static_cast<ULONG>(std::min<int>(m_strKey.GetLength(), sizeof record.Key));
    std::memcpy(record.Key, m_strKey.GetString(), record.KeyLength);
    wizard.BtnWiFiDirectNextClick();
    if (!wizard.Visible) return;  // applied straight from the WPS page
    if (wizard.m_pCurrentPage != wizard.m_pAdvanced) {
        wizard.m_pSaveProfile->m_bSaveChecked = m_bSaveProfile;
        wizard.BtnWiFiDirectNextClick();
        return;
    }
    if (m_nSelRole == 1) wizard.m_pAdvanced->m_strIntentText = "14";
    else if (m_nSelRole == 2) wizard.m_pAdvanced->m_strIntentText = "1";
    wizard.BtnWiFiDirectNextClick();
    wizard.m_pSaveProfile->m_bSaveChecked = m_bSaveProfile;
    wizard.BtnWiFiDirectNextClick();
}
