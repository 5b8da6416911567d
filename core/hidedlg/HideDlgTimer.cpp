// The hidden dialog's polling timer: the tray follows the adapter and the link.
#include "base/DebugLog.h"
#include "core/hidedlg/HideDlg.h"
#include "base/IniFile.h"
#include "base/LanguageTable.h"
#include "base/MainWindowClosing.h"
#include "base/StartupTimeline.h"
#include "core/QXAPLIB.h"
#include "core/QXWLLIB.h"
#include "contract/StationContract.h"
#include "core/StationHelpers.h"
#include <cstring>
#include <string>
#include "res/resource.h"
#include "wifidirect/AdvancedWiFiDirect.h"

namespace {
constexpr UINT kCheckCardTimerMs = 2000;
constexpr UINT_PTR kLastKilledTimer = 16;  // KillAllTimer kills ids 0 to 16; 19 to 23 survive it
constexpr int kUnlinkedRescanTicks = 90;
constexpr int kInitStateRetriesAfterResume = 5;
constexpr size_t kIeParseResultBytes = 384;       // IE_PARSE_RESULT
constexpr size_t kIeParseHiddenWordOffset = 376;  // non-zero for a network that hides its SSID
constexpr size_t kDebugModeTextBytes = 64;

bool IsAllZero(const UCHAR (&bytes)[6])
{
    for (UCHAR b : bytes)
        if (b) return false;
    return true;
}
}  // namespace

void CHideDlg::OnTimer(UINT_PTR nIDEvent)
{
    // The ticks belong to the access-point side only while it runs. A stored or intended
    // access-point mode without its library (an older system, an adapter absent at start) polls
    // as a station, so that the link, the radio and a returning adapter are still noticed.
    if (IsApSideRunning()) {
        OnTimerAp(nIDEvent);
        return;
    }
    if (!QXWLAPI.IsLoaded()) return;  // neither library: nothing to poll
    const FinalStartupStep firstPoll(nIDEvent == TIMER_HIDE_DLG_RADIO, "first poll started", "first poll done");
    DebugLog(5, "[QxUI] --> CHideDlg::OnTimer\n");

    if (nIDEvent == TIMER_HIDE_DLG_CHECKINI_DEBUGMODE) {
        DebugLog(4, "[QxUI] TIMER_HIDE_DLG_CHECK_INI_AFTER_RESUME\n");
        char text[kDebugModeTextBytes];
        char value[256];
        lstrcpynA(text, GetIniString("Settings", "DebugMode", "0", value, "ini"), sizeof text);
        const int mode = ParseIniInteger(text);
        DebugLog(4, "[QxUI] Set QXWLAPI.nDebugMode as %d\n", mode);
        QXWLAPI.nDebugMode = mode;
    } else if (nIDEvent == TIMER_HIDE_DLG_CHECK_INI_AFTER_RESUME) {
        CheckDriverReadyAfterResume();
        return;
    } else if (nIDEvent == TIMER_HIDE_DLG_RESUME_CONNECT) {
        KillTimer(TIMER_HIDE_DLG_RESUME_CONNECT);
        ConnectAfterResume();
        return;
    } else if (nIDEvent == TIMER_HIDE_DLG_SESSION_ID) {
        ProcDetectSessionIDChangedEx();
        return;
    }
    if (m_bDialogRunning) {
        DebugLog(3, "[QxUI] m_bDialogRunning is TRUE, return!\n");
        DebugLog(5, "[QxUI] <-- CHideDlg::OnTimer\n");
        return;
    }

    WLAN_STATUS status{};
    QXWLAPI.QXWL_QueryWLANStatus(&status, WLAN_STATUS_QUERY{1, 1, 0, 0, 1});
    if (nIDEvent == TIMER_HIDE_DLG_RADIO) ProcDetectHardwareRadioOnOff(status);
    if (ProcDetectDeviceRemoval() == 2) return;

    if (nIDEvent == TIMER_HIDE_DLG_RECONNECT) ProcReConnect();
    else if (nIDEvent == TIMER_HIDE_DLG_RESCAN) ProcRescan();
    else if (nIDEvent == TIMER_HIDE_DLG_SCANTABLE) ProcGetScanTable();
    ProcDetectWPACapNWindowsUtil();

    if (nIDEvent == TIMER_HIDE_DLG_WPS_ROTATE) {
        ProcWPSRotate();
        return;
    }
    if (nIDEvent == TIMER_HIDE_DLG_WPS_HW_PBC) {
        DebugLog(5, "[QxUI] TIMER_HIDE_DLG_WPS_HW_PBC\n");
        ProcWPS_HWPBC();
    } else if (nIDEvent == TIMER_HIDE_DLG_WPS_STATUS) {
        ProcWPSStatus();
    } else if (nIDEvent == TIMER_HIDE_DLG_WPS_ROUTINE_RESCAN) {
        ProcWPSRoutineRescan();
    }

    const bool matched = LinkMatchesProfile(status);
    const bool linked = status.linkState != 2 && status.status == QxStatus_Connected && !IsAllZero(status.Bssid);
    if (linked) {
        if (matched) m_nUnlinkedTicks = 0;
        else ++m_nUnlinkedTicks;
        ProcDetectICVError(nIDEvent);
        UpdateConnectedTrayIcon();
    } else {
        ModifyTaskBar(IDI_TRAY_LOST);
        if (G_nOSVersion < kOsVista) {
            G_bWepError = FALSE;
            KillTimer(TIMER_HIDE_DLG_WEP_ERROR);
            if (m_bWepErrorDetect) {
                SetTimer(TIMER_HIDE_DLG_WEP_ERROR, kWepErrorTimerMs);
                m_lWepOutP = status.xmitOkLow;
                m_lWepInP = status.rcvOk;
            }
            if (QXWLAPI.QXWL_IsZeroConfig() != 2 && QXWLAPI.QXWL_ReadRadioStatus() && m_nUnlinkedTicks != 0 &&
                m_nUnlinkedTicks % kUnlinkedRescanTicks == 0) {
                DebugLog(3, "[QxUI] wLanStatus.status is not QxStatus_Connected and radio on, call RescanBssidList()\n");
                RescanBssidList();
            }
        }
        ++m_nUnlinkedTicks;
    }

    if (G_nOSVersion < kOsVista && nIDEvent == TIMER_HIDE_DLG_RETRY_CON && !QXWLAPI.QXWL_CheckIEEE80211H()) {
        if (m_pQxUI && m_pQxUI->WiFiDirectConnecting())
            return;
        RetryConnection(status);
    }
    DebugLog(5, "[QxUI] <-- CHideDlg::OnTimer\n");
}

int CHideDlg::ProcDetectDeviceRemoval()
{
    const char* name = QXWLAPI.m_AdapterEntry.chName;
    auto dropDeadMainWindow = [this] {
        if (m_pQxUI && !m_pQxUI->Window().IsWindow()) {
            delete m_pQxUI;
            m_pQxUI = nullptr;
        }
    };
    if (QXWLAPI.QXWL_IsDeviceExist(name)) {
        m_bDeviceExist = QXWLAPI.QXWL_IsDeviceExist(name);
        if (!m_bDeviceExist) {
            QXWLAPI.QXWL_StopAuth();
            QXWLAPI.QXWL_Release();
        }
        dropDeadMainWindow();
        return 0;
    }

    DebugLog(4, "[QxUI] QXWL_IsDeviceExist() return FALSE\n");
    // The main window and the engine go: never while a modal loop runs above this dialog's own.
    // Those loops end as cancelled, and the tick comes back once they have returned.
    if (!CModalLoopRegistry::RequestTeardown(m_hWnd, m_hWnd, WM_TIMER, TIMER_HIDE_DLG_CHECK_CARD, 0)) return 2;
    DebugLog(4, "[QxUI] Clear m_pProfData: the last profile content\n");
    if (m_pProfData) ZeroMemory(m_pProfData, sizeof *m_pProfData);
    KillTimer(TIMER_HIDE_DLG_CHECK_CARD);
    if (m_bWepErrorDetect) KillTimer(TIMER_HIDE_DLG_WEP_ERROR);
    DebugLog(4, "[QxUI] call QXWL_Release()\n");
    QXWLAPI.QXWL_Release();

    DestroyMainWindow();
    delete m_pWiFiDirect;
    m_pWiFiDirect = nullptr;

    for (const char* title : kHelpWindowTitles) {
        if (HWND help = ::FindWindowA(nullptr, title)) {
            DebugLog(3, "[QxUI] PostMessage to close \"%s\" help file\n", title);
            ::PostMessageA(help, WM_CLOSE, 0, 0);
        }
    }

    DetectAdapter();
    m_bDeviceExist = QXWLAPI.QXWL_IsDeviceExist(name);
    SetTimer(TIMER_HIDE_DLG_CHECK_CARD, kCheckCardTimerMs);
    if (m_bDeviceExist) {
        DebugLog(3, "[QxUI] QXWL_IsDeviceExist() return TRUE\n");
        DebugLog(3, "[QxUI] call ModifyTaskBar(IDI_LOST)\n");
        ModifyTaskBar(IDI_TRAY_LOST);
        if (m_Data.bZeroConfig == 1) OnTraySwitchZeroConfig();
        else OnTraySwitchQxconfig();
        ShowConfigUI();
        dropDeadMainWindow();
        return 0;
    }
    DebugLog(3, "[QxUI] QXWL_IsDeviceExist() return FALSE\n");
    DebugLog(3, "[QxUI] call ModifyTaskBar(IDI_NOTEXIST)\n");
    ModifyTaskBar(IDI_TRAY_NOT_EXIST);
    DebugLog(3, "[QxUI] call QXWL_Release()\n");
    QXWLAPI.QXWL_Release();
    return 2;
}

BOOL CHideDlg::KillAllTimer()
{
    for (UINT_PTR id = 0; id <= kLastKilledTimer; ++id) KillTimer(id);
    return TRUE;
}

void CHideDlg::CheckDriverReadyAfterResume()
{
    DebugLog(3, "[QxUI] TIMER_HIDE_DLG_CHECK_INI_AFTER_RESUME\n");
    DebugLog(3, "[QxUI] call KillTimer(), TIMER_HIDE_DLG_CHECK_INI_AFTER_RESUME\n");
    KillTimer(TIMER_HIDE_DLG_CHECK_INI_AFTER_RESUME);
    BOOL initialized = FALSE;
    QXWLAPI.QXWL_QueryInitState(&initialized);
    DebugLog(3, "[QxUI] After call QXWL_QueryInitState(), bInitialization = %d\n", initialized);
    if (!initialized && m_nInitStateRetries < kInitStateRetriesAfterResume) {
        ++m_nInitStateRetries;
        DebugLog(3, "[QxUI] call SetTimer(), TIMER_HIDE_DLG_CHECK_INI_AFTER_RESUME, 2sec\n");
        SetTimer(TIMER_HIDE_DLG_CHECK_INI_AFTER_RESUME, kCheckIniAfterResumeRetryMs);
        return;
    }
    m_nInitStateRetries = 0;
    StartScanTimerForWirelessMode();
}

void CHideDlg::StartScanTimerForWirelessMode()
{
    ADVANCE_CONFIG_DATA advance{};
    DebugLog(3, "[QxUI] call QXWL_ReadAdvanceCfgData()\n");
    QXWLAPI.QXWL_ReadAdvanceCfgData(&advance);
    DebugLog(3, "[QxUI] ADVANCE_CONFIG_DATA.WirelessMode = %d\n", advance.WirelessMode);
    DebugLog(3, "[QxUI] call SetTimerForScanByChnList()\n");
    const UINT interval = SetTimerForScanByChnList(static_cast<ULONG>(advance.WirelessMode));
    if (G_nOSVersion < kOsVista) {
        DebugLog(3, "[QxUI] call SetTimer(), TIMER_HIDE_DLG_SCANTABLE, %dsec\n", interval / kMsPerSecond);
        m_nScanTableTimer = SetTimer(TIMER_HIDE_DLG_SCANTABLE, interval);
    } else {
        DebugLog(3, "[QxUI] call SetTimer(), TIMER_HIDE_DLG_RESCAN, %dsec\n", interval / kMsPerSecond);
        m_nRescanTimer = SetTimer(TIMER_HIDE_DLG_RESCAN, interval);
        if (G_nOSVersion >= kOsWin7 && QXWLAPI.QXWL_QueryOPMode() == OP_MODE_STATION &&
            QXWLAPI.QXWL_ReadOpMode() == OP_MODE_APCLIENT)
            QXWLAPI.QXWL_DetectUserAdmin();
    }
}

// A profile bound to a BSSID matches only that access point; otherwise a differing SSID does
// not match.
bool CHideDlg::LinkMatchesProfile(const WLAN_STATUS& status) const
{
    if (!m_pProfData) return true;
    const WLANPROFILE& p = *m_pProfData;
    if (p.bBssid && !IsAllZero(p.BSSID)) return std::memcmp(p.BSSID, status.Bssid, sizeof p.BSSID) == 0;
    if (!p.bBssid && status.Ssid.SsidLength != 0 && p.SSID.SsidLength != 0)
        return std::memcmp(&p.SSID, &status.Ssid, sizeof p.SSID) == 0;
    return true;
}

bool CHideDlg::RetryNeeded(const WLAN_STATUS& status) const
{
    const WLANPROFILE& p = *m_pProfData;
    if (QXWLAPI.IsWpaCapable() == 0) return false;
    if (status.status == kStatusDisconnected) {
        DebugLog(3, "[QxUI] wLanStatus.status is QxStatus_Disconnected, set bRetry as TRUE\n");
        return true;
    }
    if (IsAllZero(status.Bssid)) return true;

    const std::string linkedSsid = SsidToText(status.Ssid);
    const std::string profileSsid = SsidToText(p.SSID);
    // The linked access point's entry in the repository, parsed for its hidden-network word.
    alignas(8) BYTE parsed[kIeParseResultBytes] = {};
    const REPOSIT_BSSID_LIST& reposit = QXWLAPI.listRepositBssid;
    if (reposit.pBssidList) {
        BssidListView list(reposit.pBssidList, reposit.nBufferSize, "RetryConnection");
        for (size_t i = 0; i < list.Count(); ++i) {
            if (std::memcmp(list[i].MacAddress, status.Bssid, sizeof status.Bssid) != 0) continue;
            QXWLAPI.QXWL_ParseInfoElement(&list[i], reinterpret_cast<IE_PARSE_RESULT*>(parsed));
            break;
        }
    }
    ULONG hiddenWord = 0;
    std::memcpy(&hiddenWord, parsed + kIeParseHiddenWordOffset, sizeof hiddenWord);
    if (!profileSsid.empty() && linkedSsid != profileSsid && hiddenWord == 0) return true;
    if (status.authMode != p.enumAuthenMode) return true;
    const ULONG linked = status.encryStatus;
    switch (p.enumEncryStatus) {
    case ENCRY_NONE: return !(linked == ENCRY_NONE || linked == ENCRY_WEP_KEY_ABSENT);
    case ENCRY_TKIP: return !(linked == ENCRY_TKIP || linked == ENCRY_TKIP_KEY_ABSENT);
    case ENCRY_AES: return !(linked == ENCRY_AES || linked == ENCRY_AES_KEY_ABSENT);
    default: return false;
    }
}

void CHideDlg::RetryConnection(const WLAN_STATUS& status)
{
    DebugLog(3, "[QxUI] TIMER_HIDE_DLG_RETRY_CON\n");
    if (m_nUnlinkedTicks == 0 || QXWLAPI.QXWL_IsZeroConfig() == 2 || !m_pProfData || !QXWLAPI.QXWL_ReadRadioStatus())
        return;
    const bool retry = RetryNeeded(status);
    if (!m_pQxUI || !m_pQxUI->HasProfilePage() || !retry || !G_bReConnect || m_bRetryBlock) return;
    DebugLog(3, "[QxUI] ------ Retry connection ------\n");
    // A whole retry period without the link: a one-time password that went out is spent or lost.
    m_oneTimeAnswer.Forget();
    if (m_pProfData->bBssid == 1) {
        m_pProfData->bSetAdvance = 0;
        DebugLog(3, "[QxUI] Insert profile type action!\n");
        InsertAndExec(actionTypeProfile, m_pProfData);
    } else {
        DebugLog(3, "[QxUI] call InitCard_SetOidFromReg(), bSetAdvance = TRUE\n");
        InitCard_SetOidFromReg(TRUE, TRUE);
    }
}
