#include "wifidirect/KelvoPageP2PMoreInfo.h"
#include "base/DebugLog.h"
#include "base/IniFile.h"
#include "base/LanguageTable.h"
#include "contract/StationContract.h"
#include "core/QXWLLIB.h"
#include "core/QxUI2008App.h"
#include "core/hidedlg/HideDlg.h"
#include "skin/KelvoPageUIDlg.h"
#include "ui/DpiLayout.h"
#include "ui/StretchBitmap.h"
#include "wifidirect/AdvancedWiFiDirect.h"
#include "wifidirect/KelvoPageP2PConnectMethod.h"
#include "wifidirect/KelvoPageWlanP2PDlg.h"

#include <setupapi.h>

#include <algorithm>
#include <cstring>
#include <iterator>

namespace {
constexpr DWORD kNdisQueryGlobalStats = 0x170002;
constexpr int kMaxClassGuids = 3;
constexpr UINT kValueIds[] = {IDC_P2PMI_GROUP, IDC_P2PMI_SPEED, IDC_P2PMI_KEY, IDC_P2PMI_MAC,
                              IDC_P2PMI_IP,    IDC_P2PMI_MASK,  IDC_P2PMI_GATEWAY};
constexpr COLORREF kValueBackColor = RGB(255, 255, 255);

CString Dotted(const BYTE* b)
{
    CString text;
    text.Format("%d.%d.%d.%d", b[0], b[1], b[2], b[3]);
    return text;
}

void SetLabel(CWnd* dialog, UINT id, const CString& text)
{
    if (!text.IsEmpty()) dialog->SetDlgItemText(static_cast<int>(id), text);
}
}  // namespace

int NdisQueryOid(LPCSTR devicePath, ULONG oid, void* buffer, ULONG bufferSize, ULONG* returned)
{
    if (returned) *returned = 0;
    HANDLE device = ::CreateFileA(devicePath, 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (device == INVALID_HANDLE_VALUE) return 0;
    DWORD bytes = 0;
    const BOOL ok = ::DeviceIoControl(device, kNdisQueryGlobalStats, &oid, sizeof oid, buffer, bufferSize, &bytes, nullptr);
    ::CloseHandle(device);
    if (returned) *returned = bytes;
    return ok ? 1 : 0;
}

std::vector<CString> ReadHardwareIds()
{
    std::vector<CString> ids;
    for (int i = 1;; ++i) {
        CString key;
        key.Format("DeviceID_%d", i);
        CString value = ReadIniStringInExeDir("MZ4415", key, "HWID.ini");
        if (value.IsEmpty()) break;
        value.MakeUpper();
        ids.push_back(value);
    }
    return ids;
}

CString LinkSpeedText(ULONG speed100bps)
{
    const ULONGLONG mbps = static_cast<ULONGLONG>(speed100bps) * 100ULL / 1000000ULL;
    CString text;
    text.Format("%llu %s", mbps,
                G_LangTable.IDS_VAL_CONTRY_MBPS.IsEmpty() ? "Mbps" : G_LangTable.IDS_VAL_CONTRY_MBPS.GetString());
    return text;
}

BEGIN_MESSAGE_MAP(CKelvoPageP2PMoreInfo, CDialog)
    ON_WM_SHOWWINDOW()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_CTLCOLOR()
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_BN_CLICKED(IDC_P2PMI_CLOSE, OnClose)
END_MESSAGE_MAP()

CKelvoPageP2PMoreInfo::~CKelvoPageP2PMoreInfo()
{
    if (m_hBackground) ::DeleteObject(m_hBackground);
}

void CKelvoPageP2PMoreInfo::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_P2PMI_SIGNAL, m_signal);
    DDX_Control(pDX, IDC_P2PMI_QUALITY, m_quality);
}

BOOL CKelvoPageP2PMoreInfo::OnInitDialog()
{
    CDialog::OnInitDialog();
    const CLanguageTable& t = G_LangTable;
    SetLabel(this, IDC_P2PMI_KEY_LABEL, t.IDS_LAB_PRE_KEY);
    m_skin.Titles({IDC_P2PMI_TITLE, IDC_P2PMI_ADDRESS_TITLE});
    m_skin.Labels({IDC_P2PMI_GROUP_LABEL, IDC_P2PMI_SPEED_LABEL, IDC_P2PMI_KEY_LABEL, IDC_P2PMI_SIGNAL_LABEL,
                   IDC_P2PMI_QUALITY_LABEL, IDC_P2PMI_MAC_LABEL, IDC_P2PMI_IP_LABEL, IDC_P2PMI_MASK_LABEL,
                   IDC_P2PMI_GATEWAY_LABEL});
    m_skin.Values({IDC_P2PMI_GROUP, IDC_P2PMI_SPEED, IDC_P2PMI_KEY, IDC_P2PMI_MAC, IDC_P2PMI_IP, IDC_P2PMI_MASK,
                   IDC_P2PMI_GATEWAY},
                  kValueBackColor);
    CWiFiDirectPageSkin::SkinButton(m_btnClose, *this, IDC_P2PMI_CLOSE, kCloseNormal, kCloseHover, true);
    if (!m_signal.LoadBitmaps(kBarLit, kBarUnlit, G_hKelvoImg) || !m_quality.LoadBitmaps(kBarLit, kBarUnlit, G_hKelvoImg))
        DebugLog(1, "[QxUI] CKelvoPageP2PMoreInfo: signal bitmaps %u/%u are missing\n", kBarLit, kBarUnlit);
    if (G_hKelvoImg)
        m_hBackground = static_cast<HBITMAP>(::LoadImageA(G_hKelvoImg, MAKEINTRESOURCEA(kBackgroundBitmap), IMAGE_BITMAP, 0, 0, 0));
    ApplyDpiLayout(this, kLayoutFile);
    SetLabel(this, IDC_P2PMI_TITLE, t.IDS_WIFI_DIRECT_WLAN_P2P_MORE_INFO);
    SetLabel(this, IDC_P2PMI_GROUP_LABEL, t.IDS_WIFI_DIRECT_GROUP_NAME);
    SetLabel(this, IDC_P2PMI_SPEED_LABEL, t.IDS_WIFI_DIRECT_SPEED);
    SetLabel(this, IDC_P2PMI_SIGNAL_LABEL, t.IDS_WIFI_DIRECT_SIGNAL_STRENGTH);
    SetLabel(this, IDC_P2PMI_QUALITY_LABEL, t.IDS_LAB_LINK_QUALITY);
    SetLabel(this, IDC_P2PMI_ADDRESS_TITLE, t.IDS_WIFI_DIRECT_NETWORK_ADDRESS);
    SetLabel(this, IDC_P2PMI_MAC_LABEL, t.IDS_WIFI_DIRECT_MAC_ADDRESS);
    SetLabel(this, IDC_P2PMI_IP_LABEL, t.IDS_WIFI_DIRECT_IP_ADDRESS);
    SetLabel(this, IDC_P2PMI_MASK_LABEL, t.IDS_WIFI_DIRECT_SUBNET_MASK);
    SetLabel(this, IDC_P2PMI_GATEWAY_LABEL, t.IDS_WIFI_DIRECT_GATEWAY);
    ClearValues();
    // A modal dialog is never "shown" by a later ShowWindow: its refresh starts here.
    KillTimer(TIMER_P2PMOREINFO_REFRESH);
    SetTimer(TIMER_P2PMOREINFO_REFRESH, kRefreshMs, nullptr);
    return TRUE;
}

void CKelvoPageP2PMoreInfo::ClearValues()
{
    for (UINT id : kValueIds) SetDlgItemText(static_cast<int>(id), "");
    if (m_signal.m_hWnd) m_signal.SetLevel(0);
    if (m_quality.m_hWnd) m_quality.SetLevel(0);
}

BOOL CKelvoPageP2PMoreInfo::OnEraseBkgnd(CDC* pDC)
{
    if (m_hBackground) return TRUE;  // OnPaint covers the whole client area
    const BOOL erased = static_cast<BOOL>(Default());
    m_skin.PaintBands(pDC);
    return erased;
}

void CKelvoPageP2PMoreInfo::OnPaint()
{
    if (!m_hBackground) {
        Default();
        return;
    }
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    CRect rc;
    GetClientRect(&rc);
    StretchBitmapOver(dc, m_hBackground, rc);
    m_skin.PaintBands(CDC::FromHandle(dc));
    ::EndPaint(m_hWnd, &ps);
}

HBRUSH CKelvoPageP2PMoreInfo::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    HBRUSH brush = m_skin.CtlColor(pDC, pWnd, reinterpret_cast<HBRUSH>(Default()));
    // Labels stand on the painted background; the values keep a field of their own, so a
    // changed value never writes over the old one.
    if (m_hBackground && nCtlColor == CTLCOLOR_STATIC && pWnd && pDC) {
        const UINT id = static_cast<UINT>(pWnd->GetDlgCtrlID());
        const bool value = std::find(std::begin(kValueIds), std::end(kValueIds), id) != std::end(kValueIds);
        if (!value && id != IDC_P2PMI_TITLE && id != IDC_P2PMI_ADDRESS_TITLE) {
            pDC->SetBkMode(TRANSPARENT);
            return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
        }
    }
    return brush;
}

void CKelvoPageP2PMoreInfo::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CDialog::OnShowWindow(bShow, nStatus);
    KillTimer(TIMER_P2PMOREINFO_REFRESH);
    if (!bShow) return;
    ClearValues();
    SetTimer(TIMER_P2PMOREINFO_REFRESH, kRefreshMs, nullptr);
}

void CKelvoPageP2PMoreInfo::OnDestroy()
{
    KillTimer(TIMER_P2PMOREINFO_REFRESH);
    CDialog::OnDestroy();
}

void CKelvoPageP2PMoreInfo::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != TIMER_P2PMOREINFO_REFRESH) {
        CDialog::OnTimer(nIDEvent);
        return;
    }
    CAdvancedWiFiDirect* engine = G_pHideDlg ? G_pHideDlg->m_pWiFiDirect : nullptr;
    if (engine && engine->m_ConnectStatus != 2) Refresh();
    else ClearValues();
}

CString CKelvoPageP2PMoreInfo::FindDevicePath()
{
    if (!m_bIdsLoaded) {
        m_hardwareIds = ReadHardwareIds();
        m_bIdsLoaded = true;
    }
    GUID classes[kMaxClassGuids] = {};
    DWORD count = 0;
    if (!::SetupDiClassGuidsFromNameA("Net", classes, kMaxClassGuids, &count) || count == 0) return "";
    HDEVINFO devices = ::SetupDiGetClassDevsA(&classes[0], nullptr, nullptr, DIGCF_PRESENT);
    if (devices == INVALID_HANDLE_VALUE) return "";
    CString path;
    SP_DEVINFO_DATA info = {};
    info.cbSize = sizeof info;
    for (DWORD i = 0; ::SetupDiEnumDeviceInfo(devices, i, &info); ++i) {
        BYTE id[512] = {};
        if (!::SetupDiGetDeviceRegistryPropertyA(devices, &info, SPDRP_HARDWAREID, nullptr, id, sizeof id - 2, nullptr)) continue;
        CString hardwareId(reinterpret_cast<const char*>(id));
        hardwareId.MakeUpper();
        const bool match = std::any_of(m_hardwareIds.begin(), m_hardwareIds.end(),
                                       [&](const CString& listed) { return hardwareId.Find(listed) >= 0; });
        if (!match) continue;
        HKEY key = ::SetupDiOpenDevRegKey(devices, &info, DICS_FLAG_GLOBAL, 0, DIREG_DRV, KEY_READ);
        if (key == INVALID_HANDLE_VALUE) continue;
        char instance[129] = {};
        DWORD size = sizeof instance - 1;
        if (::RegQueryValueExA(key, "NetCfgInstanceId", nullptr, nullptr, reinterpret_cast<BYTE*>(instance), &size) == ERROR_SUCCESS)
            path = CString("\\\\.\\") + instance;
        ::RegCloseKey(key);
    }
    ::SetupDiDestroyDeviceInfoList(devices);
    return path;
}

void CKelvoPageP2PMoreInfo::Refresh()
{
    CAdvancedWiFiDirect* engine = G_pHideDlg ? G_pHideDlg->m_pWiFiDirect : nullptr;
    SetDlgItemText(IDC_P2PMI_GROUP, engine ? engine->m_strGroupSSID : CString());

    CString speed;
    const CString path = FindDevicePath();
    ULONG value = 0, returned = 0;
    if (!path.IsEmpty() && NdisQueryOid(path, kOidLinkSpeed, &value, sizeof value, &returned)) speed = LinkSpeedText(value);
    SetDlgItemText(IDC_P2PMI_SPEED, speed);

    // The group's key as the WPS run gave it, else the phrase this device offers for its group.
    CString key = engine ? engine->m_strMykey : CString();
    if (key.IsEmpty())
        if (const CKelvoPageWlanP2PDlg* page = WiFiDirectMainPage()) key = page->m_strKey;
    SetDlgItemText(IDC_P2PMI_KEY, key);

    WLAN_STATUS status = {};
    QXWLAPI.QXWL_QueryWLANStatus(&status, WLAN_STATUS_QUERY{0, 0, 1, 0, 0});
    m_signal.SetLevel(static_cast<int>(std::clamp<LONG>(QXWLAPI.QXWL_RssiToPercent(status.rssi0), 0, 100) / 10));
    std::memset(&status, 0, sizeof status);
    QXWLAPI.QXWL_QueryWLANStatus(&status, WLAN_STATUS_QUERY{1, 1, 1, 1, 1});
    m_quality.SetLevel(static_cast<int>(std::min<ULONG>(status.linkQuality, 100) / 10));
    CString text;

    BYTE ip[kWdIpRecordBytes] = {};
    const bool haveIp = QXWLAPI.QXWL_GetWifiDirectIP(ip) == QXWL_ERROR_SUCCESS;
    SetDlgItemText(IDC_P2PMI_IP, haveIp ? Dotted(ip + kWdIpAddressOffset) : CString());
    SetDlgItemText(IDC_P2PMI_MASK, haveIp ? Dotted(ip + kWdIpMaskOffset) : CString());
    SetDlgItemText(IDC_P2PMI_GATEWAY, haveIp ? Dotted(ip + kWdIpGatewayOffset) : CString());

    UCHAR mac[6] = {};
    QXWLAPI.QXWL_QueryMacAddrs(mac);
    text.Format("%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    SetDlgItemText(IDC_P2PMI_MAC, text);
}
