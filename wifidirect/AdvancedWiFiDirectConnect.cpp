// The engine's operations that change the adapter's Wi-Fi Direct state: switching, scanning,
// connecting and answering requests, WPS, the connection check, the address and sharing.
#include "wifidirect/AdvancedWiFiDirect.h"
#include "base/DebugLog.h"
#include "contract/StationContract.h"
#include "base/LanguageTable.h"
#include "base/SystemHelpers.h"
#include "core/ActionQueue.h"
#include "core/ProductMessageBox.h"
#include "core/QXWLLIB.h"
#include "core/hidedlg/HideDlg.h"
#include "wifidirect/WiFiDirectNotices.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {
constexpr LONG kOpModeWiFiDirectGo = 3;
constexpr ULONG kConnected = 3;
constexpr ULONG kNotConnected = 2;
constexpr size_t kDeviceNameBytes = 64;
constexpr int kMediaServiceMissing[] = {-35, -36, -37};
constexpr char kMediaServiceName[] = "QxMediaServer";

CString MacText(const UCHAR* mac)
{
    CString text;
    text.Format("%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    return text;
}

CString ProgramFolderPath()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (char* slash = std::strrchr(path, '\\')) slash[1] = '\0';
    return path;
}
}  // namespace

void CAdvancedWiFiDirect::SendConfigMode(ULONG mode, bool withName)
{
    auto config = std::make_unique<WIFIDIRECT_WPSE_PROFILE>();
    std::memset(config.get(), 0, sizeof *config);
    config->ConfigMode = mode;
    if (withName) {
        std::memcpy(config->MyDeviceName.chString, MyDeviceData.chDeviceName, sizeof config->MyDeviceName.chString);
        config->ulDeviceNameLength = std::min<ULONG>(MyDeviceData.ulDeviceNameLength, sizeof MyDeviceData.chDeviceName);
    }
    const LONG result = QXWLAPI.QXWL_SetWifiDirectWpseConfig(config.get());
    if (result != QXWL_ERROR_SUCCESS) DebugLog(1, "[QxUI] QXWL_SetWifiDirectWpseConfig(ConfigMode %u) failed: %d\n", mode, result);
}

void CAdvancedWiFiDirect::EnableOrDisableWiFiDirect(BOOL bOn, BOOL bReadControl, BOOL bForceNamePage, BOOL bWriteFlag)
{
    alignas(ULONG) BYTE control[kWdControlBytes] = {};
    if (bReadControl == 1 && QXWLAPI.QXWL_ReadWifiDirectControl(control) != QXWL_ERROR_SUCCESS) {
        bOn = 0;
        DebugLog(3, "[QxUI] EnableOrDisableWiFiDirect <--- QXWLAPI.QXWL_ReadWifiDirectControl failed\n");
    }
    ULONG word = 0;
    std::memcpy(&word, control, sizeof word);
    const bool on = bOn == 1 || (word & kWdControlEnable);

    if (on) {
        UCHAR mac[6] = {};
        QXWLAPI.QXWL_QueryMacAddrs(mac);
        // This device's Wi-Fi Direct address differs from the station address in one bit.
        if (QXWLAPI.QXWL_QueryOPMode() == kOpModeWiFiDirectGo) mac[5] ^= 0x01;
        m_strMyMacAddress = MacText(mac);
        std::memcpy(MyDeviceData.MacAddr, mac, sizeof mac);

        char name[kDeviceNameBytes + 1] = {};
        QXWLAPI.QXWL_ReadWiFiDirectDeviceName(name);
        name[kDeviceNameBytes] = '\0';
        const size_t length = std::min(std::strlen(name), sizeof MyDeviceData.chDeviceName);
        std::memset(MyDeviceData.chDeviceName, 0, sizeof MyDeviceData.chDeviceName);
        std::memcpy(MyDeviceData.chDeviceName, name, length);
        MyDeviceData.ulDeviceNameLength = static_cast<ULONG>(length);
        m_strMyDeviceName = CString(name, static_cast<int>(length));

        if (length == 0 || bForceNamePage == 1) {
            // The wizard collects the name and switches on afterwards.
            m_bEnableWiFiDirect = FALSE;
            m_bDeviceNameReady = FALSE;
            if (m_pSetting) {
                m_pSetting->FormShow(ACTION_ENABLE, "DeviceName");
                // Without a name to give (the start-up, before any page asked the user), Next
                // would only tell the user off for a name nobody could type: the page asks later.
                if (!m_pSetting->m_pDeviceName->m_strDeviceName.IsEmpty()) m_pSetting->BtnWiFiDirectNextClick();
                else DebugLog(3, "[QxUI] EnableOrDisableWiFiDirect: no device name yet; Wi-Fi Direct stays off\n");
            }
        } else {
            m_bDeviceNameReady = TRUE;
            m_bEnableWiFiDirect = TRUE;
            SendConfigMode(WIFIDIRECT_CONFIG_ENABLE, true);
            QXWLAPI.QXWL_WriteWifiDirectFlag(TRUE);
            std::memset(control, 0, sizeof control);
            if (QXWLAPI.QXWL_ReadWifiDirectControl(control) == QXWL_ERROR_SUCCESS) {
                std::memcpy(&word, control, sizeof word);
                m_nDefaultIntentIndex = static_cast<int>(WdControlIntent(word));
                MyDeviceData.ConfigMethod = static_cast<USHORT>(WdControlConfigMethods(word));
                ULONG ssidLength = 0;
                std::memcpy(&ssidLength, control + kWdControlSsidLengthOffset, sizeof ssidLength);
                ssidLength = std::min<ULONG>(ssidLength, kWdControlBytes - kWdControlSsidOffset);
                m_strVenderSSID = CString(reinterpret_cast<const char*>(control + kWdControlSsidOffset), static_cast<int>(ssidLength));
            }
        }
    } else {
        m_bEnableWiFiDirect = FALSE;
        if (m_bTimerRunning[TIMER_WIFIDIRECT_ICS - TIMER_WIFIDIRECT_ICS]) EnableDisableTimer(TIMER_WIFIDIRECT_ICS, 0);
        // The check would go on reading the station's own link into the Wi-Fi Direct page.
        EnableDisableTimer(TIMER_WIFIDIRECT_CONNECT_STATUS, 0);
        m_strLinkStatusText = G_LangTable.IDS_WIFI_DIRECT_NO_ASSOCIATED;
        m_bP2PPanelShown = FALSE;
        m_ConnectStatus = static_cast<int>(kNotConnected);
        StartWiFiDirectProgress(false, 0);
        ULONG flag = 0;
        if (ReadStoredFlag(flag) && flag && QXWLAPI.QXWL_DetectUserAdmin() && QXWLAPI.QXWL_QueryOPMode() != kOpModeWiFiDirectGo)
            DisableDhcpServer();
        QXWLAPI.QXWL_DisableWifiDirect();
        if (bWriteFlag == 1) QXWLAPI.QXWL_WriteWifiDirectFlag(FALSE);
    }

    if (!m_bEnableWiFiDirect) {
        StartWiFiDirectProgress(false, 0);
        InitializeVariablesAndStatus();
        QXWLAPI.QXWL_StopMediaServer();
        QXWLAPI.QXWL_SetMediaServerStartupType(0);
        if (m_pSetting && m_pSetting->m_hWnd) m_pSetting->Hide();
        if (!m_bProfileFormGone) {
            if (m_pProfile && m_pProfile->m_hWnd) m_pProfile->Hide();
            if (m_pMediaSharing && m_pMediaSharing->m_hWnd) m_pMediaSharing->Hide();
        }
    } else {
        QXWLAPI.bWiFiDirectSigmaTest = QXWLAPI.WiFiDirectSigmaTest;
        const CString program = ProgramFolderPath() + kMediaServerProgram;
        // The service named in the media server's settings, the usual one without them.
        QXWLAPI.ReadMediaServerIni();
        const CString serviceName = QXWLAPI.m_strMediaServerName.IsEmpty() ? CString(kMediaServiceName) : QXWLAPI.m_strMediaServerName;
        const int service = GetServiceStatus(serviceName);
        const bool serviceThere = std::find(std::begin(kMediaServiceMissing), std::end(kMediaServiceMissing), service) ==
                                  std::end(kMediaServiceMissing);
        m_bMediaServerPresent = ::GetFileAttributesA(program) != INVALID_FILE_ATTRIBUTES && serviceThere;
        ShowMyInfo();
    }
}

void CAdvancedWiFiDirect::InitializeVariablesAndStatus(BOOL)
{
    n1stOrderDeviceNum = 0;
    m_nIndexInVecForDevice0 = 0;
    m_nReserved2 = 0;
    m_vecTopology.clear();
    std::memset(&m_SeleteDeviceEntry, 0, sizeof m_SeleteDeviceEntry);
    m_nDefaultIntentIndex = 0;
    m_nIntentIndex = 0;
    m_strVenderSSID.Empty();
    m_strMyDeviceName.Empty();
    m_strMykey.Empty();
    m_strConnectMac.Empty();
    m_bEnableWiFiDirect = FALSE;
    m_ulMyRule = 2;
    m_bPopWiFiDirectSettingWindows = FALSE;
    m_nPopWiFiDirectSettingWindows = 0;
    m_nReserved3 = m_nReserved4 = 3;
    m_bDeviceNameReady = FALSE;
    m_nReserved5 = m_nReserved6 = 0;
    m_bEnableICSEvent = FALSE;
    std::memset(&MyDeviceData, 0, sizeof MyDeviceData);
    MyDeviceData.nRule = 2;
    std::memset(m_WiFiDirectStatus, 0, sizeof m_WiFiDirectStatus);
    m_bEnableAutonomousGO = FALSE;
    m_strMyWiFiDirectIPAddress = "0.0.0.0";
    m_nNumOfMyGroup = 0;
    m_strReserved2.Empty();
    m_strProgressText.Empty();
}

void CAdvancedWiFiDirect::OnScan()
{
    SendConfigMode(WIFIDIRECT_CONFIG_SCAN, true);
    m_bScanning = TRUE;
    EnableDisableTimer(TIMER_WIFIDIRECT_ONESHOT, 1);
}

P2P_CONNECT_RESULT CAdvancedWiFiDirect::ConnectRefusal() const
{
    const WIFIDIRECT_DEVICE_ENTRY& s = m_SeleteDeviceEntry;
    if (s.bConnectToMe != 0) return P2P_CONNECT_PEER_CONNECTED;
    if (s.nRule == 3) return P2P_CONNECT_PEER_IN_GROUP;
    if (s.EntryStatus & 1) return P2P_CONNECT_PEER_BUSY;
    const bool free = QXWLAPI.QXWL_QueryOPMode() != kOpModeWiFiDirectGo && m_ulMyRule != 1 && m_nNumOfMyGroup < 2;
    if (s.nRule == 1 && !free) return P2P_CONNECT_OWNER_BUSY;
    return P2P_CONNECT_STARTED;
}

CString CAdvancedWiFiDirect::ConnectRefusalText(P2P_CONNECT_RESULT result, const CString& peerName)
{
    const CLanguageTable& t = G_LangTable;
    switch (result) {
    case P2P_CONNECT_PEER_CONNECTED: {
        CString shown;
        shown.Format("%s [%s].",
                     t.IDS_WIFI_DIRECT_ALREADY_CONNECT.IsEmpty() ? "Already connected to" : t.IDS_WIFI_DIRECT_ALREADY_CONNECT.GetString(),
                     peerName.GetString());
        return shown;
    }
    case P2P_CONNECT_PEER_IN_GROUP:
        return t.IDS_WIFI_DIRECT_OTHER_GROUP_CLIENT.IsEmpty() ? CString("The device is a client of another group.")
                                                              : t.IDS_WIFI_DIRECT_OTHER_GROUP_CLIENT;
    case P2P_CONNECT_PEER_BUSY: return t.IDS_WIFI_DIRECT_PEER_BUSY;
    case P2P_CONNECT_OWNER_BUSY: return t.IDS_WIFI_DIRECT_ALREADY_GROUP_OWNER;
    default: return CString();
    }
}

P2P_CONNECT_RESULT CAdvancedWiFiDirect::OnConnectDevice(void (*callback)(void*), void* argument)
{
    // A copy: a peer's request handled while the box below waits replaces the selected device,
    // and the invitation still goes to the one the user picked.
    const WIFIDIRECT_DEVICE_ENTRY s = m_SeleteDeviceEntry;
    const P2P_CONNECT_RESULT refusal = ConnectRefusal();
    if (refusal != P2P_CONNECT_STARTED) {
        DebugLog(3, "[QxUI] OnConnectDevice: the selected device cannot be connected (connected=%u, rule=%u, status=%u)\n",
                 s.bConnectToMe, s.nRule, s.EntryStatus);
        return refusal;
    }
    if (s.nRule == 2 && m_nNumOfMyGroup > 1 && m_ulMyRule == 2) {
        if (ShowProductMessageBoxEx("Role's wrong, please refresh the device list and then connet!", 1) != IDOK)
            return P2P_CONNECT_DECLINED;
        auto config = std::make_unique<WIFIDIRECT_WPSE_PROFILE>();
        std::memset(config.get(), 0, sizeof *config);
        config->ConfigMode = WIFIDIRECT_CONFIG_INVITE;
        config->ulNumOfDeviceName = 1;
        std::memcpy(config->DeviceNames[0], s.chDeviceName, sizeof config->DeviceNames[0]);
        config->ulNumOfDeviceAddr = 1;
        std::memcpy(config->DeviceAddrs[0], s.MacAddr, sizeof config->DeviceAddrs[0]);
        const LONG result = QXWLAPI.QXWL_SetWifiDirectWpseConfig(config.get());
        if (result != QXWL_ERROR_SUCCESS) DebugLog(1, "[QxUI] OnConnectDevice: the invitation failed: %d\n", result);
        return P2P_CONNECT_INVITED;
    }
    if (m_pSetting) m_pSetting->FormShow(ACTION_CONNECT);
    if (callback) callback(argument);
    if (m_bDeviceNameReady == 1) {
        m_strProgressText = "UI_Str.STR_WIFIDIRECT_CONNECT_WAIT";
        StartWiFiDirectProgress(true, kConnectProgressMs);
    }
    return P2P_CONNECT_STARTED;
}

void CAdvancedWiFiDirect::OnDisconnect()
{
    SendConfigMode(WIFIDIRECT_CONFIG_DISCONNECT, false);
    StartWiFiDirectProgress(false, 0);
    m_bEnableAutonomousGO = FALSE;
}

void CAdvancedWiFiDirect::TriggerWPS()
{
    if (QXWLAPI.WinOS() < kOsVista) {
        QXWLAPI.QXWL_SetAuthMode(0);
        QXWLAPI.QXWL_StopAuth();
        QXWLAPI.QXWL_Disassociate();
    }
    WPS_MODE mode = {};
    std::memcpy(&mode.WpsMode, m_WiFiDirectStatus + kWdNegoWpsModeOffset, sizeof mode.WpsMode);
    if (WpsMethodCarriesPin(mode.WpsMode)) std::memcpy(mode.PIN, m_WiFiDirectStatus + kWdNegoPinOffset, sizeof mode.PIN);
    std::memcpy(&mode.WpsSSID, m_WiFiDirectStatus + kWdNegoSsidOffset, sizeof mode.WpsSSID);
    mode.WpsSSID.SsidLength = std::min<ULONG>(mode.WpsSSID.SsidLength, sizeof mode.WpsSSID.Ssid);
    std::memcpy(mode.Bssid, m_WiFiDirectStatus + kWdNegoBssidOffset, sizeof mode.Bssid);
    UCHAR channel = 0;
    QXWLAPI.QXWL_QueryWPSAPChannel(&channel);
    mode.Channel = channel;
    mode.ConfigMode = m_WiFiDirectStatus[kWdNegoConfigFlagOffset] == 1 ? 2 : 1;
    const LONG result = QXWLAPI.QXWL_SetWPSMode(mode);
    if (result != QXWL_ERROR_SUCCESS) DebugLog(1, "[QxUI] TriggerWPS: QXWL_SetWPSMode failed: %d\n", result);
}

void CAdvancedWiFiDirect::ConnectWiFiDirectCredential()
{
    ULONG ssidLength = 0, keyLength = 0;
    std::memcpy(&ssidLength, m_WiFiDirectStatus + kWdWpsSsidLengthOffset, sizeof ssidLength);
    std::memcpy(&keyLength, m_WiFiDirectStatus + kWdWpsKeyLengthOffset, sizeof keyLength);
    ssidLength = std::min<ULONG>(ssidLength, sizeof(NDIS_802_11_SSID::Ssid));
    keyLength = std::min<ULONG>(keyLength, sizeof(WPS_CREDENTIAL::Key));

    char active[kProfileNameBytes + 1] = {};
    if (QXWLAPI.QXWL_ReadActiveWifiDirectWpseProfileName(active) == QXWL_ERROR_SUCCESS && active[0]) {
        active[kProfileNameBytes] = '\0';
        auto profile = std::make_unique<WIFIDIRECT_WPSE_PROFILE>();
        std::memset(profile.get(), 0, sizeof *profile);
        if (QXWLAPI.QXWL_ReadWifiDirectWpseProfile(active, profile.get()) == QXWL_ERROR_SUCCESS) {
            UCHAR channel = 0;
            QXWLAPI.QXWL_QueryWPSAPChannel(&channel);
            profile->ulOperatingChannel = channel;
            profile->SSID.SsidLength = ssidLength;
            std::memset(profile->SSID.Ssid, 0, sizeof profile->SSID.Ssid);
            std::memcpy(profile->SSID.Ssid, m_WiFiDirectStatus + kWdWpsSsidOffset, ssidLength);
            profile->KeyLength = keyLength;
            std::memset(profile->Key, 0, sizeof profile->Key);
            std::memcpy(profile->Key, m_WiFiDirectStatus + kWdWpsKeyOffset, keyLength);
            QXWLAPI.QXWL_WriteWifiDirectWpseProfile(active, profile.get());
        }
    }

    // The queue keeps its own copy; the record carries only what the block holds.
    WIFIDIRECT_ACTION_RECORD record = {};
    record.Channel = m_WiFiDirectStatus[kWdWpsChannelOffset];
    std::memcpy(&record.Credential, m_WiFiDirectStatus + kWdWpsCredentialOffset, sizeof record.Credential);
    record.Credential.SSID.SsidLength = ssidLength;
    record.Credential.KeyLength = keyLength;
    if (G_pHideDlg && G_pHideDlg->InsertAction(actionTypeWiFiDirectProfile, &record)) {
        G_pHideDlg->ActionExec();
    } else {
        DebugLog(1, "[QxUI] ConnectWiFiDirectCredential --> Insert WiFiDirect profile type action Failed!!!\n");
    }
    // An action the queue holds back still joins the group later: its name counts all the same.
    if (G_pHideDlg)
        m_strGroupSSID = CString(reinterpret_cast<const char*>(record.Credential.SSID.Ssid), static_cast<int>(ssidLength));
    if (!m_bTimerRunning[TIMER_WIFIDIRECT_ICS - TIMER_WIFIDIRECT_CONNECT_STATUS])
        EnableDisableTimer(TIMER_WIFIDIRECT_CONNECT_STATUS, 1);
}

void CAdvancedWiFiDirect::GenerateSeudoWiFiDirectProfile()
{
    auto profile = std::make_unique<WLANPROFILE>();
    std::memset(profile.get(), 0, sizeof *profile);
    std::memcpy(&profile->SSID, m_WiFiDirectStatus + kWdPseudoSsidOffset, sizeof profile->SSID);
    profile->SSID.SsidLength = std::min<ULONG>(profile->SSID.SsidLength, sizeof profile->SSID.Ssid);
    std::memcpy(profile->strProfileName, profile->SSID.Ssid, profile->SSID.SsidLength);
    profile->enumNetworkType = 0;
    profile->enumAuthenMode = AUTH_OPEN;
    profile->enumEncryStatus = 1;
    profile->lFreq = QXWLAPI.QXWL_ChannelToFrequency(m_WiFiDirectStatus[kWdPseudoChannelOffset]);
    profile->lRtsThre = 2347;
    profile->lFragThre = 2346;
    profile->enumPreamType = 2;
    profile->enumTunnel = 26;
    profile->enumProvisioningTunnel = 26;
    if (G_pHideDlg) G_pHideDlg->InsertAndExec(actionTypeProfile, profile.get());
    else DebugLog(1, "[QxUI] GenerateSeudoWiFiDirectProfile: no hidden dialog to connect it\n");
}

WIFIDIRECT_DEVICE_ENTRY CAdvancedWiFiDirect::RequestingPeer() const
{
    WIFIDIRECT_DEVICE_ENTRY peer = {};
    ULONG nameLength = 0;
    std::memcpy(peer.chDeviceName, m_WiFiDirectStatus + kWdRequestNameOffset, sizeof peer.chDeviceName);
    std::memcpy(&nameLength, m_WiFiDirectStatus + kWdRequestNameLengthOffset, sizeof nameLength);
    peer.ulDeviceNameLength = std::min<ULONG>(nameLength, sizeof peer.chDeviceName);
    std::memcpy(peer.MacAddr, m_WiFiDirectStatus + kWdRequestAddressOffset, sizeof peer.MacAddr);
    std::memcpy(&peer.ConfigMethod, m_WiFiDirectStatus + kWdRequestConfigMethodOffset, sizeof peer.ConfigMethod);
    return peer;
}

void CAdvancedWiFiDirect::PopMsgAndInitSetting()
{
    const WIFIDIRECT_DEVICE_ENTRY requester = RequestingPeer();
    const CString peer = MacText(requester.MacAddr);
    // One request waits at a time, for the peer its prompt names: another peer's request (or a
    // repeat) changes neither the prompt's peer nor the peer the user picked.
    if (GetP2PRequestAnswer() == P2P_REQUEST_WAITING) {
        DebugLog(3, "[QxUI] PopMsgAndInitSetting: a request waits; %s is not taken\n", peer.GetString());
        return;
    }
    if (m_nPopWiFiDirectSettingWindows != 0 && peer == m_strConnectMac) {
        DebugLog(3, "[QxUI] PopMsgAndInitSetting: m_strConnectMac(%s) == SelectMacAddr\n", m_strConnectMac.GetString());
        // The repeated request opens nothing; it must not open the page later either.
        m_bPopWiFiDirectSettingWindows = FALSE;
        return;
    }
    m_SeleteDeviceEntry = requester;
    m_bPopWiFiDirectSettingWindows = TRUE;
    EnableDisableTimer(TIMER_POP_SETTING, 0);
    m_strConnectMac = peer;
    m_nPopWiFiDirectSettingWindows = kRequestWindowSeconds;
    EnableDisableTimer(TIMER_POP_SETTING, 1);
    if (m_bPopWiFiDirectSettingWindows) {
        m_bPopWiFiDirectSettingWindows = FALSE;
        OnPopupConnectSetting();
    }
}

void CAdvancedWiFiDirect::TimerPopMsgTimer()
{
    --m_nPopWiFiDirectSettingWindows;
    if (m_nPopWiFiDirectSettingWindows < 0) {
        m_nPopWiFiDirectSettingWindows = 0;
        EnableDisableTimer(TIMER_POP_SETTING, 0);
    }
    if (m_bPopWiFiDirectSettingWindows) {
        m_bPopWiFiDirectSettingWindows = FALSE;
        OnPopupConnectSetting();
    }
}

void CAdvancedWiFiDirect::OnPopupConnectSetting()
{
    if (m_pSetting) m_pSetting->FormShow(ACTION_GET_CONNECT_REQUEST);
    if (m_pfnRequestCallback) m_pfnRequestCallback(m_pRequestArgument);
    if (m_bDeviceNameReady == 1) {
        m_strProgressText.Empty();
        StartWiFiDirectProgress(true, kConnectProgressMs);
    }
}

void CAdvancedWiFiDirect::BtnWPSConnectClick()
{
    if (!m_pSetting) return;
    m_pSetting->FormShow(ACTION_WPS);
    m_pSetting->Show();
}

void CAdvancedWiFiDirect::DisplayPin()
{
    if (!m_pSetting) return;
    // A request's prompt may wait meanwhile: once the PIN went out, the wizard is the request's
    // again, and its give-up keeps its time.
    const bool requestWaits = m_pSetting->RequestWaits();
    m_pSetting->FormShow(ACTION_DISPLAY_PIN);
    m_pSetting->Show();
    if (requestWaits) m_pSetting->ResumeRequest();
    // The peer waits for the user to type this PIN there: the user must see it.
    const ULONG pin = m_pSetting->m_pWPS->m_ulPin % 100000000UL;
    m_strShowPin.Format("PIN >> %08lu", pin);
    CString text;
    text.Format("%s %08lu", G_LangTable.IDS_WIFI_DIRECT_SHOW_PIN.GetString(), pin);
    PostWiFiDirectNotice(text);
}

void CAdvancedWiFiDirect::StartWiFiDirectProgress(bool start, DWORD durationMs)
{
    if (start) {
        if (!m_pProgressMsg) return;
        if (m_pProgressMsg->m_bTimerRunning) m_pProgressMsg->Hide();
        m_pProgressMsg->m_bSuccess = FALSE;
        m_pProgressMsg->m_dwDuration = durationMs;
        m_pProgressMsg->Show();
        return;
    }
    if (m_bTimerRunning[TIMER_WIFIDIRECT_ICS - TIMER_WIFIDIRECT_PROGRESS_BAR]) EnableDisableTimer(TIMER_WIFIDIRECT_PROGRESS_BAR, 0);
    if (m_pProgressMsg) m_pProgressMsg->Hide();
    const int popSlot = static_cast<int>(TIMER_WIFIDIRECT_ICS - TIMER_POP_SETTING);
    if (m_bTimerRunning[popSlot]) {
        m_bTimerRunning[popSlot] = FALSE;
        m_nPopWiFiDirectSettingWindows = 0;
    }
    m_strProgressText.Empty();
}

void CAdvancedWiFiDirect::TimerCheckConnectStatusTimer()
{
    ULONG state = kNotConnected;
    if (QXWLAPI.QXWL_QueryOPMode() == kOpModeWiFiDirectGo) {
        alignas(ULONG) BYTE hosted[kHostedStatusBytes] = {};
        QXWLAPI.QXWL_HostedNetworkQueryStatus(reinterpret_cast<HOSTEDNETWORK_STATUS*>(hosted));
        ULONG active = 0, peers = 0;
        std::memcpy(&active, hosted + kHostedStatusActiveOffset, sizeof active);
        std::memcpy(&peers, hosted + kHostedStatusPeersOffset, sizeof peers);
        state = active == 1 && peers != 0 ? kConnected : kNotConnected;
    } else {
        WLAN_STATUS status = {};
        WLAN_STATUS_QUERY query = {};
        query.bLink = 1;
        QXWLAPI.QXWL_QueryWLANStatus(&status, query);
        state = status.status;
    }
    const BOOL radio = QXWLAPI.QXWL_ReadRadioStatus();
    if (state == kConnected && radio) {
        GetAndSetMyIP();
        m_strLinkStatusText = G_LangTable.IDS_WIFI_DIRECT_ASSOCIATED;
        m_bP2PPanelShown = TRUE;
    } else {
        if (!radio) StartWiFiDirectProgress(false, 0);
        m_strLinkStatusText = G_LangTable.IDS_WIFI_DIRECT_NO_ASSOCIATED;
        m_bP2PPanelShown = FALSE;
    }
    m_ConnectStatus = static_cast<int>(state);
}

void CAdvancedWiFiDirect::GetAndSetMyIP()
{
    alignas(ULONG) BYTE record[kWdIpRecordBytes] = {};
    const LONG result = QXWLAPI.QXWL_GetWifiDirectIP(record);
    const UCHAR* ip = record + kWdIpAddressOffset;
    CString text;
    text.Format("%d.%d.%d.%d", ip[0], ip[1], ip[2], ip[3]);
    if (result == QXWL_ERROR_SUCCESS) {
        if (text != m_strMyWiFiDirectIPAddress && QXWLAPI.QXWL_SetWifiDirectIP(ip) == QXWL_ERROR_SUCCESS)
            m_strMyWiFiDirectIPAddress = text;
        return;
    }
    if (result == QXWL_ERROR_WIFIDIRECT_NO_IP) DebugLog(3, "[QxUI] GetAndSetMyIP: no address yet\n");
    else if (result == QXWL_ERROR_WIFIDIRECT_SUBNETMASK_NOT_MATCH) DebugLog(3, "[QxUI] GetAndSetMyIP: QXWL_ERROR_WIFIDIRECT_SUBNETMASK_NOT_MATCH\n");
    else DebugLog(3, "[QxUI] GetAndSetMyIP: QXWL_GetWifiDirectIP returned %d\n", result);
}

void CAdvancedWiFiDirect::RunQxSwapToControlICS(bool on)
{
    DisableDhcpServer();
    m_bEnableICSEvent = on;
    m_bIcsAwaitedOn = on;
    m_nIcsTicksLeft = kIcsWaitTicks;
    CString command;
    command.Format("\"%s\" %s X X \"%s\" \"%s\" \"%s\"", kQxSwapProgram, on ? "ON" : "OFF", QXWLAPI.ShortCut_FolderName,
                   QXWLAPI.ShortCut_IconName, kVirtualMiniport);
    const UINT started = ::WinExec(command, SW_MINIMIZE);
    if (started <= 31) DebugLog(1, "[QxUI] RunQxSwapToControlICS: %s did not start (%u)\n", kQxSwapProgram, started);
    EnableDisableTimer(TIMER_WIFIDIRECT_ICS, 1);
}

void CAdvancedWiFiDirect::TimerCheckICSTimer()
{
    const BOOL state = QXWLAPI.IsEnableICS() ? TRUE : FALSE;
    if (state != m_bEnableICSEvent) {
        DebugLog(3, "[QxUI] TimerCheckICSTimer: sharing is %d, awaiting %d\n", state, m_bEnableICSEvent);
        // A state that never comes is given up rather than awaited for ever.
        if (--m_nIcsTicksLeft > 0) return;
        EnableDisableTimer(TIMER_WIFIDIRECT_ICS, 0);
        m_bEnableICSEvent = FALSE;
        DebugLog(1, "[QxUI] Connection sharing did not turn %s in time\n", m_bIcsAwaitedOn ? "on" : "off");
        PostWiFiDirectNotice(m_bIcsAwaitedOn ? G_LangTable.IDS_WIFI_DIRECT_SHARING_ON_FAILED
                                             : G_LangTable.IDS_WIFI_DIRECT_SHARING_OFF_FAILED);
        return;
    }
    const BOOL awaitedOn = m_bEnableICSEvent;
    m_bEnableICSEvent = FALSE;
    EnableDisableTimer(TIMER_WIFIDIRECT_ICS, 0);
    const LONG opMode = QXWLAPI.QXWL_QueryOPMode();
    if (awaitedOn) {
        RestartDhcpWorker();
        SendConfigMode(WIFIDIRECT_CONFIG_ICS_ON, false);
    } else {
        if (MyDeviceData.nRule == 1 && opMode == kOpModeWiFiDirectGo) RestartDhcpWorker();
        SendConfigMode(WIFIDIRECT_CONFIG_ICS_OFF, false);
    }
}

void CAdvancedWiFiDirect::DisableDhcpServer()
{
    // An optional entry point: a library without it has no server of its own to stop.
    if (QXWLAPI.QXWL_DisableDhcpServer) QXWLAPI.QXWL_DisableDhcpServer();
    else DebugLog(1, "[QxUI] QXWL_DisableDhcpServer is not in QxWLAPI.dll; no DHCP server to stop\n");
}

void CAdvancedWiFiDirect::RestartDhcpWorker()
{
    // The hidden dialog's worker ends cooperatively; a running one is never killed.
    if (G_pHideDlg) G_pHideDlg->RestartDhcpThread();
    else DebugLog(1, "[QxUI] RestartDhcpWorker: no hidden dialog\n");
}
