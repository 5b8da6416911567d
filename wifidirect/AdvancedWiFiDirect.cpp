#include "wifidirect/AdvancedWiFiDirect.h"
#include "base/DebugLog.h"
#include "base/StationLibraryView.h"
#include "contract/StationContract.h"
#include "base/LanguageTable.h"
#include "core/ProductMessageBox.h"
#include "core/QXWLLIB.h"
#include "core/hidedlg/HideDlg.h"
#include "wifidirect/WiFiDirectNotices.h"

#include <algorithm>
#include <cstring>

namespace {
volatile LONG g_p2pRequestAnswer = P2P_REQUEST_DONE;

// Capability-map bits that mean the error's configuration methods were understood.
constexpr ULONG kWpsCapabilityKnownBits = (1u << 29) | (1u << 30) | (1u << 31);
constexpr int kErrorNoConfigMethod = 5;

CString MacText(const UCHAR* mac)
{
    CString text;
    text.Format("%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    return text;
}

// A name and its length, the length cut to the 32-byte field.
void CopyName(WIFIDIRECT_DEVICE_ENTRY& d, const UCHAR* name, ULONG length)
{
    std::memcpy(d.chDeviceName, name, sizeof d.chDeviceName);
    d.ulDeviceNameLength = std::min<ULONG>(length, sizeof d.chDeviceName);
}

WIFIDIRECT_DEVICE_ENTRY FromGroupEntry(const WIFIDIRECT_GROUP_ENTRY& e)
{
    WIFIDIRECT_DEVICE_ENTRY d = {};
    d.nRule = e.nRule;
    d.chDbm = e.chDbm;
    d.EntryStatus = e.EntryStatus;
    std::memcpy(d.MacAddr, e.MacAddr, sizeof d.MacAddr);
    std::memcpy(d.IpAddrs, e.IpAddrs, sizeof d.IpAddrs);
    d.nPrimaryDeviceType = e.nPrimaryDeviceType;
    CopyName(d, e.chDeviceName, e.ulDeviceNameLength);
    return d;
}

WIFIDIRECT_DEVICE_ENTRY FromDiscoveryEntry(const WIFIDIRECT_DISCOVERY_ENTRY& e)
{
    WIFIDIRECT_DEVICE_ENTRY d = {};
    CopyName(d, e.chDeviceName, e.ulDeviceNameLength);
    d.nPrimaryDeviceType = e.nPrimaryDeviceType;
    std::memcpy(d.MacAddr, e.MacAddr, sizeof d.MacAddr);
    d.nRule = e.nRule;
    d.ConfigMethod = e.ConfigMethod;
    d.WiFiDirectFlags = e.WiFiDirectFlags;
    return d;
}

void TraceDevice(const char* what, const WIFIDIRECT_DEVICE_ENTRY& d)
{
    DebugLog(3, "[QxUI] %s: %.*s (%s) rule=%u connected=%u members=%u method=0x%X\n", what,
             static_cast<int>(d.ulDeviceNameLength), reinterpret_cast<const char*>(d.chDeviceName),
             MacText(d.MacAddr).GetString(), d.nRule, d.bConnectToMe, d.nNumOfSubMember, d.ConfigMethod);
}
}  // namespace

CAdvancedWiFiDirect::CAdvancedWiFiDirect()
{
    MyDeviceData.nRule = 2;
    m_pSetting = new CWiFiDirectSetting(this);
    m_pProfile = new CWiFiDirectProfile(m_pSetting, this);
    m_pProgressMsg = new CProgressMsg;
    m_pMediaSharing = new CWiFiDirectMediaSharing;
}

CAdvancedWiFiDirect::~CAdvancedWiFiDirect()
{
    // Timers of a live host would otherwise tick into a deleted engine.
    if (m_hWnd && ::IsWindow(m_hWnd))
        for (UINT_PTR id = TIMER_WIFIDIRECT_CONNECT_STATUS; id <= TIMER_WIFIDIRECT_ICS; ++id) ::KillTimer(m_hWnd, id);
    delete m_pSetting;
    m_pSetting = nullptr;
    delete m_pProfile;
    m_pProfile = nullptr;
    delete m_pProgressMsg;
    m_pProgressMsg = nullptr;
    delete m_pMediaSharing;
    m_pMediaSharing = nullptr;
}

void CAdvancedWiFiDirect::SetHwnd(HWND hWnd)
{
    if (!hWnd || !::IsWindow(hWnd)) {
        DebugLog(3, "do not special the hwnd\n");
        return;
    }
    const HWND previous = m_hWnd;
    m_hWnd = hWnd;
    // A page made anew (a mode switch, the main window rebuilt) takes over the timers that run:
    // they leave the old window, if it still lives, and go on here.
    for (UINT_PTR id = TIMER_WIFIDIRECT_CONNECT_STATUS; id <= TIMER_WIFIDIRECT_ICS; ++id) {
        const int slot = TimerSlot(id);
        if (m_bTimerRunning[slot]) MoveHostTimer(previous, hWnd, id, m_nTimerInterval[slot]);
    }
    m_pProgressMsg->SetHwnd(hWnd);
    m_pMediaSharing->SetHwnd(hWnd);
    m_pSetting->SetHwnd(hWnd);
    m_pProfile->SetHwnd(hWnd);
}

int CAdvancedWiFiDirect::TimerSlot(UINT_PTR nIDEvent) const
{
    if (nIDEvent < TIMER_WIFIDIRECT_CONNECT_STATUS || nIDEvent > TIMER_WIFIDIRECT_ICS) return -1;
    return static_cast<int>(TIMER_WIFIDIRECT_ICS - nIDEvent);
}

void CAdvancedWiFiDirect::EnableDisableTimer(UINT_PTR nIDEvent, BOOL enable)
{
    DebugLog(3, "Enter EnableDisableTimer\n");
    const int slot = TimerSlot(nIDEvent);
    if (slot >= 0) {
        if (nIDEvent == TIMER_WIFIDIRECT_CONNECT_STATUS)
            DebugLog(3, "enum_timer_check_connect_status enable=%d\n", enable);
        m_bTimerRunning[slot] = enable;
        SwitchHostTimer(nIDEvent, m_nTimerInterval[slot], enable);
    }
    DebugLog(3, "leave EnableDisableTimer\n");
}

int CAdvancedWiFiDirect::OnTimer(UINT_PTR nIDEvent)
{
    switch (nIDEvent) {
    case TIMER_WIFIDIRECT_CONNECT_STATUS: TimerCheckConnectStatusTimer(); return 1;
    case TIMER_WIFIDIRECT_PROGRESS_BAR:
        if (m_pProgressMsg) m_pProgressMsg->Show();
        EnableDisableTimer(TIMER_WIFIDIRECT_PROGRESS_BAR, 0);
        return 1;
    case TIMER_POP_SETTING: TimerPopMsgTimer(); return 1;
    case TIMER_WIFIDIRECT_ONESHOT: EnableDisableTimer(TIMER_WIFIDIRECT_ONESHOT, 0); return 1;
    case TIMER_WIFIDIRECT_ICS: TimerCheckICSTimer(); return 1;
    default: return -1;
    }
}

int CAdvancedWiFiDirect::RouteTimer(UINT_PTR nIDEvent)
{
    CBCBBasicForm* const chain[] = {this,
                                    m_pProfile,
                                    m_pSetting,
                                    m_pProgressMsg,
                                    m_pMediaSharing,
                                    m_pSetting ? m_pSetting->m_pDeviceName : nullptr,
                                    m_pSetting ? m_pSetting->m_pWPS : nullptr,
                                    m_pSetting ? m_pSetting->m_pAdvanced : nullptr,
                                    m_pSetting ? m_pSetting->m_pSaveProfile : nullptr,
                                    m_pSetting ? m_pSetting->m_pAutonomousGO : nullptr};
    return RouteFormTimer(chain, static_cast<int>(std::size(chain)), nIDEvent);
}

void CAdvancedWiFiDirect::GetWiFiDirectWpseStatus()
{
    alignas(ULONG) BYTE block[kWiFiDirectStatusBytes] = {};
    if (!QXWLAPI.QXWL_QueryWifiDirectStatus || QXWLAPI.QXWL_QueryWifiDirectStatus(block) != QXWL_ERROR_SUCCESS) {
        DebugLog(3, "[QxUI] >>NO status <<\n");
        DebugLog(3, "[QxUI] QXWLAPI.QXWL_QueryWifiDirectStatus return FALSE !!\n");
        return;
    }
    std::memcpy(m_WiFiDirectStatus, block, sizeof block);
    const UCHAR event = m_WiFiDirectStatus[0];
    DebugLog(3, "[QxUI] >>WiFiDirectStatus = %d<<\n", event);
    switch (event) {
    case WIFIDIRECTEVENT_DISCOVERY_START:
    case WIFIDIRECTEVENT_STATUS_WPS_FAIL: break;
    case WIFIDIRECTEVENT_STATUS_UPDATE_DISCOVERY:
    case WIFIDIRECTEVENT_STATUS_GROUP_UPDATE: UpdateTopologyData(); break;
    case WIFIDIRECTEVENT_STATUS_GO_NEGO_DONE: TriggerWPS(); break;
    case WIFIDIRECTEVENT_STATUS_WPS_DONE: {
        ConnectWiFiDirectCredential();
        m_ulMyRule = m_WiFiDirectStatus[kWdWpsRoleOffset];
        MyDeviceData.nRule = m_ulMyRule;
        ULONG keyLength = 0;
        std::memcpy(&keyLength, m_WiFiDirectStatus + kWdWpsKeyLengthOffset, sizeof keyLength);
        keyLength = std::min<ULONG>(keyLength, sizeof(WPS_CREDENTIAL::Key));
        m_strMykey = CString(reinterpret_cast<const char*>(m_WiFiDirectStatus + kWdWpsKeyOffset), static_cast<int>(keyLength));
        ShowMyInfo();
        break;
    }
    case WIFIDIRECTEVENT_GEN_SEUDO_ADHOC_PROFILE: GenerateSeudoWiFiDirectProfile(); break;
    case WIFIDIRECTEVENT_ENABLE_DHCP_SERVER: RestartDhcpWorker(); break;
    case WIFIDIRECTEVENT_DISABLE_DHCP_SERVER:
        if (QXWLAPI.QXWL_DetectUserAdmin()) DisableDhcpServer();
        break;
    case WIFIDIRECTEVENT_DISCONNECT: HandleDisconnectEvent(); break;
    case WIFIDIRECTEVENT_POPUP_SETTING_WINDOWS: PopMsgAndInitSetting(); break;
    case WIFIDIRECTEVENT_PERSISTENT_CONNT_FAIL:
        QXWLAPI.QXWL_DeleteWifiDirectWpsePerstEntry(m_WiFiDirectStatus + kWdPersistentEntryOffset);
        break;
    case WIFIDIRECTEVENT_DISPLAY_PIN: DisplayPin(); break;
    case WIFIDIRECTEVENT_SWITCH_OPMODE_CONCURRENT:
    case WIFIDIRECTEVENT_SWITCH_OPMODE_STA:
        if (G_pHideDlg) G_pHideDlg->ActionForSigma(event);
        break;
    case WIFIDIRECTEVENT_NO_CROSSCONNECTION: RunQxSwapToControlICS(false); break;
    case WIFIDIRECTEVENT_SUPPORT_CROSSCONNECTION: RunQxSwapToControlICS(true); break;
    case WIFIDIRECTEVENT_SIGMA_IS_ON: QXWLAPI.bWiFiDirectSigmaTest = 1; break;
    case WIFIDIRECTEVENT_ERROR_CODE: HandleErrorEvent(); break;
    case WIFIDIRECTEVENT_PROGRESS_SUCCESS:
        if (m_pProgressMsg) m_pProgressMsg->m_bSuccess = TRUE;
        break;
    default: DebugLog(3, "[QxUI] >>Unknown status <<\n"); break;
    }
}

bool CAdvancedWiFiDirect::ReadStoredFlag(ULONG& flag)
{
    flag = 0;
    return QXWLAPI.QXWL_ReadWifiDirectFlag(&flag) == QXWL_ERROR_SUCCESS;
}

void CAdvancedWiFiDirect::HandleDisconnectEvent()
{
    ULONG flag = 0;
    const bool read = ReadStoredFlag(flag);
    if (!((read && flag) || QXWLAPI.bWiFiDirectSigmaTest)) return;
    StartWiFiDirectProgress(false, 0);
    if (QXWLAPI.WinOS() < kOsVista) {
        QXWLAPI.QXWL_SetAuthMode(0);
        QXWLAPI.QXWL_Disassociate();
        return;
    }
    const LONG opMode = QXWLAPI.QXWL_QueryOPMode();
    if (opMode == 0 || QXWLAPI.bWiFiDirectSigmaTest) {
        // Only the link to the group goes: the user's other system profiles stay.
        QXWLAPI.QXWL_WlanDisconnect();
        if (!m_strGroupSSID.IsEmpty() && QXWLAPI.QXWL_WlanDeleteWindowsProfile)
            QXWLAPI.QXWL_WlanDeleteWindowsProfile(m_strGroupSSID);
    } else {
        DebugLog(3, "[QxUI] ulOPmode : %d !! Don't do WIFIDIRECT_DISCONNECT\n", opMode);
    }
}

CString DeviceNameText(const WIFIDIRECT_DEVICE_ENTRY& device)
{
    const auto* name = reinterpret_cast<const char*>(device.chDeviceName);
    return CString(name, static_cast<int>(strnlen(name, std::min<size_t>(device.ulDeviceNameLength, sizeof device.chDeviceName))));
}

CString CAdvancedWiFiDirect::ErrorCodeText(ULONG code, ULONG value, USHORT configMethods)
{
    const CLanguageTable& t = G_LangTable;
    CString text;
    switch (code) {
    case 1: text = t.IDS_MSG_ERRCODE_BOTHINTENT15; break;
    case 2: {
        // The driver's number alone tells the user nothing: the reason goes first.
        text.Format("%s (%d)",
                    t.IDS_WIFI_DIRECT_ERR_DISMATCH_CHANNEL.IsEmpty() ? "The devices have no channel in common."
                                                                     : t.IDS_WIFI_DIRECT_ERR_DISMATCH_CHANNEL.GetString(),
                    static_cast<int>(value));
        break;
    }
    case 3: text = t.IDS_MSG_ERRCODE_WPSNACK; break;
    case 4: text = t.IDS_MSG_ERRCODE_CANTFIND; break;
    case kErrorNoConfigMethod: {
        text = t.IDS_MSG_ERRCODE_NOCONFIGMETHOD;
        const ULONG map = QXWLAPI.QXWL_ConvertWpsConfigMethodToWpsCapabilityMap
                              ? QXWLAPI.QXWL_ConvertWpsConfigMethodToWpsCapabilityMap(configMethods, 0)
                              : 0;
        if (!(map & kWpsCapabilityKnownBits)) {
            CString methods;
            methods.Format("0x%x", configMethods);
            text += methods;
        }
        break;
    }
    case 6: text = t.IDS_MSG_ERRCODE_ERRCODE_REACHLIMIT; break;
    case 7: text = t.IDS_MSG_ERRCODE_ERRCODE_REJECTBYUSER; break;
    case 8: text = t.IDS_MSG_ERRCODE_CHANNELCONFLICT; break;
    default: text.Format("Wi-Fi Direct Error Code : 0x%x", code); break;
    }
    return text;
}

void CAdvancedWiFiDirect::HandleErrorEvent()
{
    ULONG flag = 0;
    const bool read = ReadStoredFlag(flag);
    if (!read || !flag || QXWLAPI.bWiFiDirectSigmaTest) {
        DebugLog(3,
                 "[QxUI] Don't ShowWiFiDirectWarning <--- QXWL_ReadWifiDirectFlag = %d; bWiFiDirect = %d; "
                 "QXWLAPI.bWiFiDirectSigmaTest = %d\n",
                 read ? 1 : 0, flag, QXWLAPI.bWiFiDirectSigmaTest);
        return;
    }
    StartWiFiDirectProgress(false, 0);
    ULONG code = 0, value = 0;
    USHORT methods = 0;
    std::memcpy(&code, m_WiFiDirectStatus + kWdErrorCodeOffset, sizeof code);
    std::memcpy(&value, m_WiFiDirectStatus + kWdErrorValueOffset, sizeof value);
    std::memcpy(&methods, m_WiFiDirectStatus + kWdErrorConfigMethodOffset, sizeof methods);
    m_strErrorText = ErrorCodeText(code, value, methods);
    DebugLog(1, "[QxUI] Wi-Fi Direct connection failed: %s\n", m_strErrorText.GetString());
    // The failure is the user's to know, once the page shows it and the driver's event is armed again.
    PostWiFiDirectNotice(m_strErrorText);
}

void CAdvancedWiFiDirect::UpdateTopologyData()
{
    if (!m_bEnableWiFiDirect) {
        DebugLog(3, "m_bEnableWiFiDirect = FALSE\n");
        return;
    }
    const BYTE* entries = m_WiFiDirectStatus + kWdEntriesOffset;
    const UCHAR event = m_WiFiDirectStatus[0];
    if (event == WIFIDIRECTEVENT_STATUS_GROUP_UPDATE) {
        m_vecTopology.clear();
        m_nNumOfMyGroup = std::min<int>(m_WiFiDirectStatus[kWdCountOffset], kWdMaxGroupEntries);
        for (int i = 0; i < m_nNumOfMyGroup; ++i) {
            WIFIDIRECT_GROUP_ENTRY e;
            std::memcpy(&e, entries + i * sizeof e, sizeof e);
            WIFIDIRECT_DEVICE_ENTRY d = FromGroupEntry(e);
            const bool isMe = MacText(d.MacAddr) == m_strMyMacAddress;
            if (isMe) {
                const USHORT keep = MyDeviceData.ConfigMethod;
                MyDeviceData = d;
                MyDeviceData.ConfigMethod = keep;
                m_ulMyRule = d.nRule;
            } else if (d.nRule == 1) {
                // This device is a client of that owner: the rest of the entries are its group.
                WIFIDIRECT_TOPOLOGY_ITEM item;
                item.Device = d;
                item.Device.bConnectToMe = 1;
                for (++i; i < m_nNumOfMyGroup; ++i) {
                    std::memcpy(&e, entries + i * sizeof e, sizeof e);
                    WIFIDIRECT_DEVICE_ENTRY member = FromGroupEntry(e);
                    if (MacText(member.MacAddr) == m_strMyMacAddress) {
                        const USHORT keep = MyDeviceData.ConfigMethod;
                        MyDeviceData = member;
                        MyDeviceData.ConfigMethod = keep;
                        m_ulMyRule = member.nRule;
                    } else {
                        item.vecSubDeviceList.push_back(member);
                    }
                }
                item.Device.nNumOfSubMember = static_cast<ULONG>(item.vecSubDeviceList.size());
                m_vecTopology.push_back(std::move(item));
            } else {
                WIFIDIRECT_TOPOLOGY_ITEM item;
                item.Device = d;
                item.Device.bConnectToMe = 1;
                m_vecTopology.push_back(std::move(item));
            }
        }
    } else if (event == WIFIDIRECTEVENT_STATUS_UPDATE_DISCOVERY) {
        const int total = std::min<int>(m_WiFiDirectStatus[kWdCountOffset], kWdMaxDiscoveryEntries);
        for (int i = 0; i < total; ++i) {
            WIFIDIRECT_DISCOVERY_ENTRY e;
            std::memcpy(&e, entries + i * sizeof e, sizeof e);
            WIFIDIRECT_TOPOLOGY_ITEM item;
            item.Device = FromDiscoveryEntry(e);
            // Members beyond the entries that remain are not there to read.
            const int members = std::min<int>(e.chNoOfThisGroup > 1 ? e.chNoOfThisGroup - 1 : 0, total - 1 - i);
            for (int m = 0; m < members; ++m) {
                WIFIDIRECT_DISCOVERY_ENTRY me;
                std::memcpy(&me, entries + (i + 1 + m) * sizeof me, sizeof me);
                WIFIDIRECT_DEVICE_ENTRY member = FromDiscoveryEntry(me);
                member.nRule = 3;
                item.vecSubDeviceList.push_back(member);
            }
            i += members;
            item.Device.nNumOfSubMember = static_cast<ULONG>(item.vecSubDeviceList.size());
            // A device named again by a later report replaces its earlier listing.
            auto same = std::find_if(m_vecTopology.begin(), m_vecTopology.end(), [&](const WIFIDIRECT_TOPOLOGY_ITEM& t) {
                return std::memcmp(t.Device.MacAddr, item.Device.MacAddr, sizeof item.Device.MacAddr) == 0;
            });
            if (same != m_vecTopology.end()) *same = std::move(item);
            else m_vecTopology.push_back(std::move(item));
        }
    }
    n1stOrderDeviceNum = static_cast<int>(m_vecTopology.size());
    m_nIndexInVecForDevice0 = n1stOrderDeviceNum == 1 ? -2 : (n1stOrderDeviceNum == 2 || n1stOrderDeviceNum == 3) ? -1 : 0;
    m_nReserved2 = 0;
    ShowMyInfo();
    if (StationDebugMode() >= 3) {
        for (const auto& item : m_vecTopology) {
            TraceDevice("device", item.Device);
            for (const auto& member : item.vecSubDeviceList) TraceDevice("  member", member);
        }
    }
}

void CAdvancedWiFiDirect::ShowMyInfo()
{
    const ULONG length = std::min<ULONG>(MyDeviceData.ulDeviceNameLength, sizeof MyDeviceData.chDeviceName);
    m_strMyDeviceName = CString(reinterpret_cast<const char*>(MyDeviceData.chDeviceName), static_cast<int>(length));
}

namespace {
HWND g_hP2PRequestWindow = nullptr;
UINT g_nP2PRequestMessage = 0;
}  // namespace

void SetP2PRequestWindow(HWND window, UINT message)
{
    g_hP2PRequestWindow = window;
    g_nP2PRequestMessage = message;
}

void SetP2PRequestAnswer(LONG answer)
{
    ::InterlockedExchange(&g_p2pRequestAnswer, answer);
    // Posted, not sent: the answer is taken up once the caller's own handling is done, and a
    // window that is gone by then simply never sees it.
    if (g_hP2PRequestWindow && ::IsWindow(g_hP2PRequestWindow))
        ::PostMessageA(g_hP2PRequestWindow, g_nP2PRequestMessage, static_cast<WPARAM>(answer), 0);
}

void CAdvancedWiFiDirect::ShowProgressMsg(IWiFiDirectProgressView* view)
{
    if (!m_pProgressMsg) m_pProgressMsg = new CProgressMsg;
    m_pProgressMsg->SetCallback(view);
}

LONG GetP2PRequestAnswer()
{
    return ::InterlockedCompareExchange(&g_p2pRequestAnswer, 0, 0);
}
