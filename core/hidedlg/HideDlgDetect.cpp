// The detection procedures of the polling timer and the library's notifications.
#include "base/DebugLog.h"
#include "core/hidedlg/HideDlg.h"
#include "core/QXWLLIB.h"
#include "contract/StationContract.h"
#include "core/StationRecordDumps.h"

#include <cstring>
#include <vector>

BOOL G_bWepError = FALSE;

namespace {
constexpr ULONG kWpsStatusCodeMask = 0x0FFFFFFF;  // the low 28 bits carry the code
constexpr ULONG kWpsStatusIdle = 0;
constexpr ULONG kWpsStatusSuccess = 15;
constexpr ULONG kWpsStatusFinal[] = {260, 262, 513, 514, 515, 516};
constexpr int kResumeConnectRearms = 5;
constexpr char kSessionCaller[] = "CHideDlg::ProcDetectSessionIDChangedEx";

void KillWpsTimers(CHideDlg& dlg)
{
    dlg.KillTimer(TIMER_HIDE_DLG_WPS_ROTATE);
    dlg.KillTimer(TIMER_HIDE_DLG_WPS_STATUS);
    dlg.KillTimer(TIMER_HIDE_DLG_WPS_ROUTINE_RESCAN);
}
}  // namespace

void CHideDlg::ProcDetectHardwareRadioOnOff(const WLAN_STATUS&)
{
    ULONG hw = 1, sw = 1;
    QXWLAPI.QXWL_QueryHWAndSWRadioState(&hw, &sw);
    DebugLog(4, "[QxUI] ProcDetectHardwareRadioOnOff() - HW Radio State = %d, SW Radio State = %d\n", hw, sw);
    const BOOL off = hw == 0;
    if (off == m_bHwRadioOff) return;
    m_bHwRadioOff = off;
    if (m_pQxUI) {
        DebugLog(3, off ? "[QxUI] ProcDetectHardwareRadioOnOff() - Detect HW Radio change! HW Radio OFF, disable Radio button\n"
                        : "[QxUI] ProcDetectHardwareRadioOnOff() - Detect HW Radio change! HW Radio ON, enable Radio button\n");
    } else if (!off) {
        DebugLog(3, "[QxUI] call InitCard_SetOidFromReg, bSetAdvance = FALSE, bConnect = TRUE\n");
        InitCard_SetOidFromReg(FALSE, TRUE);
    }
}

void CHideDlg::ProcReConnect()
{
    KillTimer(TIMER_HIDE_DLG_RECONNECT);
    InitCard_SetOidFromReg(FALSE, TRUE);
}

void CHideDlg::ProcRescan()
{
    KillTimer(TIMER_HIDE_DLG_RESCAN);
    DebugLog(3, "[QxUI] call RescanBssidList()\n");
    RescanBssidList();
}

void CHideDlg::RescanBssidList()
{
    DebugLog(3, "[QxUI] Insert scan type action!\n");
    InsertAndExec(actionTypeBssidListScan, nullptr);
}

void CHideDlg::ProcGetScanTable()
{
    KillTimer(TIMER_HIDE_DLG_SCANTABLE);
    DebugLog(3, "[QxUI] call ForceUpdateBssidList()\n");
}

void CHideDlg::ProcDetectWPACapNWindowsUtil()
{
    if (QXWLAPI.QXWL_IsZeroConfig() == 2 || QXWLAPI.IsWpaCapable() != 0) return;
    DebugLog(3, "[QxUI] call QXWL_AdapterSelect()\n");
    const LONG result = QXWLAPI.QXWL_AdapterSelect(&QXWLAPI.m_AdapterEntry, rsCallBackFunc, m_hWnd);
    if (result != QXWL_ERROR_SUCCESS)
        DebugLog(1, "[QxUI] ProcDetectWPACapNWindowsUtil() - QXWL_AdapterSelect() return not QXWL_ERROR_SUCCESS\n");
}

void CHideDlg::ProcDetectICVError(UINT_PTR nIDEvent)
{
    if (G_nOSVersion >= kOsVista || nIDEvent != TIMER_HIDE_DLG_WEP_ERROR) return;
    if (!G_bWepError && !m_bWepErrorDetect)
        DebugLog(4, "[QxUI] m_bWepErrorDetect is FALSE, and G_bWepError is FALSE (Do Nothing)\n");
    if (!m_bWepErrorDetect) return;
    WLAN_STATUS status{};
    QXWLAPI.QXWL_QueryWLANStatus(&status, WLAN_STATUS_QUERY{0, 1, 0, 0, 0});
    DebugLog(4, "[QxUI] WepErrorDetect OutP=%d\n", static_cast<int>(m_lWepOutP));
    DebugLog(4, "[QxUI] WepErrorDetect PreOutP=%d\n", static_cast<int>(status.xmitOkLow));
    DebugLog(4, "[QxUI] WepErrorDetect InP=%d,\n", static_cast<int>(status.rcvOk));
    DebugLog(4, "[QxUI] WepErrorDetect PreInP=%d\n", static_cast<int>(m_lWepInP));
    m_lWepOutP = status.xmitOkLow;
    m_lWepInP = status.rcvOk;
}

void CHideDlg::ProcWPS_HWPBC()
{
    DebugLog(5, "[QxUI] call QXWL_QueryWPSHwPbc()\n");
    if (!QXWLAPI.QXWL_QueryWPSHwPbc()) return;
    DebugLog(3, "[QxUI] Detect HW PBC in hide dialog!\n");
    m_bHwPbcPressed = TRUE;
    DebugLog(3, "[QxUI] call QXWLAPI.QXWL_WriteWPSFlag(TRUE)\n");
    QXWLAPI.QXWL_WriteWPSFlag(TRUE);
    if (G_nOSVersion >= kOsVista) {
        DebugLog(3, "[QxUI] call QXWL_WlanDeleteAllWindowsProfiles()\n");
        QXWLAPI.QXWL_WlanDeleteAllWindowsProfiles();
    } else {
        DebugLog(3, "[QxUI] call QXWL_StopAuth()\n");
        QXWLAPI.QXWL_StopAuth();
        DebugLog(3, "[QxUI] call QXWL_SetAuthMode(%d)\n", AUTH_OPEN);
        QXWLAPI.QXWL_SetAuthMode(AUTH_OPEN);
    }
    KillTimer(TIMER_HIDE_DLG_RETRY_CON);
    KillWpsTimers(*this);
    if (G_nOSVersion < kOsVista) {
        DebugLog(3, "[QxUI] call SetTimer(), TIMER_HIDE_DLG_WPS_ROUTINE_RESCAN, 20sec\n");
        SetTimer(TIMER_HIDE_DLG_WPS_ROUTINE_RESCAN, kWpsRoutineRescanTimerMs);
    }
    DebugLog(3, "[QxUI] call SetTimer(), TIMER_HIDE_DLG_WPS_STATUS, 0.2sec\n");
    SetTimer(TIMER_HIDE_DLG_WPS_STATUS, kWpsStatusTimerMs);
}

void CHideDlg::ProcWPSStatus()
{
    DebugLog(5, "[QxUI] call QXWL_QueryWPSStatus()\n");
    ULONG code = 0;
    if (QXWLAPI.QXWL_QueryWPSStatus(&code) != QXWL_ERROR_SUCCESS) return;
    code &= kWpsStatusCodeMask;
    if (code == kWpsStatusIdle) {
        KillTimer(TIMER_HIDE_DLG_WPS_STATUS);
        return;
    }
    if (code == kWpsStatusSuccess) {
        KillWpsTimers(*this);
        m_WpsResult = WPS_PROFILE{};
        // The stored credentials are replaced only by credentials the run gave.
        if (!IsSuccess(QXWLAPI.QXWL_QueryWPSProfile(&m_WpsResult), "QXWL_QueryWPSProfile", "CHideDlg::ProcWPSStatus"))
            return;
        if (m_WpsResult.ProfileCnt == 0) {
            DebugLog(1, "[QxUI] CHideDlg::ProcWPSStatus: QXWL_QueryWPSProfile() gave no credential\n");
            return;
        }
        QXWLAPI.QXWL_QueryWPSAPChannel(&m_WpsApChannel);
        WriteBackWpsProfiletoRegistry();
        return;
    }
    for (ULONG final : kWpsStatusFinal)
        if (code == final) KillWpsTimers(*this);
}

void CHideDlg::WriteBackWpsProfiletoRegistry()
{
    WPS_MODE mode{};
    WPS_PROFILE profile{};
    const ULONG count = m_WpsResult.ProfileCnt > kWpsMaxCredentials ? kWpsMaxCredentials : m_WpsResult.ProfileCnt;
    profile.ProfileCnt = count;
    std::memcpy(mode.Bssid, m_MacAddress, sizeof mode.Bssid);
    mode.Channel = m_WpsApChannel;
    for (ULONG i = 0; i < count; ++i) {
        const WPS_CREDENTIAL& from = m_WpsResult.Profile[i];
        WPS_CREDENTIAL& to = profile.Profile[i];
        to.SSID.SsidLength = from.SSID.SsidLength > kSsidMaxLength ? kSsidMaxLength : from.SSID.SsidLength;
        std::memcpy(to.SSID.Ssid, from.SSID.Ssid, to.SSID.SsidLength);
        to.AuthType = from.AuthType;
        to.EncrType = from.EncrType;
        to.KeyIndex = from.KeyIndex;
        to.KeyLength = from.KeyLength > kWpsKeyMaxBytes ? kWpsKeyMaxBytes : from.KeyLength;
        std::memcpy(to.Key, from.Key, to.KeyLength);
        std::memcpy(to.MacAddr, from.MacAddr, sizeof to.MacAddr);
    }
    DumpWPSMode(mode);
    DumpWPSProfile(profile);
    DebugLog(3, "[QxUI] Before call QXWL_WriteWPSProfile()...\n");
    DebugLog(3, "[QxUI] call QXWL_WriteWPSProfile()\n");
    QXWLAPI.QXWL_WriteWPSProfile(mode, profile);
}

void CHideDlg::ProcWPSRotate()
{
    WPS_MODE mode{};
    WPS_PROFILE profile{};
    QXWLAPI.QXWL_ReadWPSProfile(&mode, &profile);
    WLAN_STATUS status{};
    QXWLAPI.QXWL_QueryWLANStatus(&status, WLAN_STATUS_QUERY{1, 1, 0, 0, 0});
    BOOL flag = FALSE;
    QXWLAPI.QXWL_ReadWPSFlag(&flag);
    if (flag && profile.ProfileCnt > 0 && QXWLAPI.QXWL_IsZeroConfig() != 2) {
        if (status.status == QxStatus_Connected) {
            DebugLog(3, "[QxUI] wLanStatus.status is QxStatus_Connected, call KillTimer(), TIMER_HIDE_DLG_WPS_ROTATE\n");
            KillTimer(TIMER_HIDE_DLG_WPS_ROTATE);
        } else {
            ConnectWpsProfile();
        }
        return;
    }
    KillTimer(TIMER_HIDE_DLG_WPS_ROTATE);
}

void CHideDlg::ProcWPSRoutineRescan()
{
    DebugLog(3, "[QxUI] --> CHideDlg::ProcWPSRoutineRescan\n");
    DebugLog(3, "[QxUI] <-- CHideDlg::ProcWPSRoutineRescan\n");
}

void CHideDlg::ConnectAfterResume()
{
    if (G_nOSVersion >= kOsVista) return;
    bool started = false;
    // With no profile in force its empty record would only drop a link made meanwhile, and
    // another try a second later would find none either.
    const bool nothingToConnect = m_pProfData && HoldsNoProfile(*m_pProfData);
    if (nothingToConnect) {
        DebugLog(3, "[QxUI] No profile is in force: nothing to connect\n");
    } else if (m_pProfData && QXWLAPI.QXWL_ReadRadioStatus()) {
        WLANPROFILE& p = *m_pProfData;
        p.bSetAdvance = 0;
        const ULONG mode = p.enumAuthenMode;
        const bool needsWpa = p.enumAuthenProtocol == EAPMETHOD_LEAP || mode == AUTH_WPA || mode == AUTH_WPA_PSK ||
                              mode == AUTH_WPA2 || mode == AUTH_WPA2_PSK || mode == AUTH_WAPI_CERT || p.b8021X == 1;
        if (!needsWpa || QXWLAPI.IsWpaCapable()) {
            DebugLog(3, "[QxUI] Insert profile type action!\n");
            // Only a connect dialog the user sees holds the connect back.
            const CWnd* connect = m_pQxUI ? m_pQxUI->ConnectDialog() : nullptr;
            const bool connectDialogBusy = connect && connect->IsWindow() && connect->IsWindowVisible();
            if (InsertAction(actionTypeProfile, m_pProfData) && !connectDialogBusy) {
                ActionExec();
                started = true;
            }
        }
    }
    DebugLog(3, "[QxUI] m_nCountAfterResume is %d\n", m_nCountAfterResume);
    if (m_nCountAfterResume <= kResumeConnectRearms && !started && !nothingToConnect) {
        ++m_nCountAfterResume;
        SetTimer(TIMER_HIDE_DLG_RESUME_CONNECT, kResumeConnectTimerMs);
    } else {
        m_nCountAfterResume = 0;
    }
}

void CHideDlg::ProcDetectSessionIDChangedEx()
{
    if (!m_pfnWTSGetActiveConsoleSessionId) return;
    const DWORD current = m_pfnWTSGetActiveConsoleSessionId();
    if (current == m_dwLastConsoleSessionId) return;
    if (m_dwLastConsoleSessionId != m_dwSessionId && current == m_dwSessionId) {
        DebugLog(3, "[QxUI] Session change back to me!\n");
        DebugLog(3, "[QxUI] Set m_bSessionLock as FALSE\n");
        m_bSessionLock = FALSE;
        ULONG hw = 1, sw = 1;
        QXWLAPI.QXWL_QueryHWAndSWRadioState(&hw, &sw);
        bool cleared = false;
        if (hw && sw && G_nOSVersion >= kOsVista) {
            if (!QXWLAPI.QXWL_DetectUserAdmin() && m_pProfData && m_pProfData->strProfileName[0]) {
                std::vector<WLANPROFILE> profiles;
                const std::string name = LibraryText(m_pProfData->strProfileName, kProfileNameBytes, "m_pProfData");
                // An unread list tells nothing about the profile: it stays in force as it is.
                if (ReadProfileList(QXWLAPI.QXWL_ReadProfileList, profiles, kSessionCaller)) {
                    bool found = false;
                    for (const WLANPROFILE& p : profiles)
                        found = found || LibraryText(p.strProfileName, kProfileNameBytes, "QXWL_ReadProfileList") == name;
                    if (!found) {
                        DebugLog(3, "[QxUI] Profile has been deleted! Clear m_pProfData\n");
                        std::memset(m_pProfData, 0, sizeof *m_pProfData);
                        cleared = true;
                    } else {
                        DebugLog(3, "[QxUI] call QXWL_ReadProfileData()\n");
                        WLANPROFILE stored{};
                        if (IsSuccess(QXWLAPI.QXWL_ReadProfileData(&stored, name.c_str()), "QXWL_ReadProfileData",
                                      kSessionCaller))
                            *m_pProfData = stored;
                    }
                }
            }
            // With no profile in force its empty record would only drop a link made meanwhile.
            const bool inForce = m_pProfData && !HoldsNoProfile(*m_pProfData);
            if (!cleared && !inForce) DebugLog(3, "[QxUI] No profile is in force: nothing to connect\n");
            if (!cleared && inForce) {
                DebugLog(3, "[QxUI] call ConnectPreviousProfileSetting()\n");
                ConnectPreviousProfileSetting();
            }
        }
    } else if (m_dwLastConsoleSessionId == m_dwSessionId && current != m_dwSessionId) {
        DebugLog(3, "[QxUI] Session change to another user!\n");
        DebugLog(3, "[QxUI] Set m_bSessionLock as TRUE\n");
        m_bSessionLock = TRUE;
        if (G_nOSVersion < kOsVista) {
            if (QXWLAPI.IsWpaCapable()) {
                DebugLog(3, "[QxUI] call QXWL_Release()\n");
                QXWLAPI.QXWL_Release();
            }
        } else {
            DebugLog(3, "[QxUI] call QXWL_WlanDeleteAllQuixenWindowsProfiles()\n");
            QXWLAPI.QXWL_WlanDeleteAllQuixenWindowsProfiles();
        }
    }
    m_dwLastConsoleSessionId = current;
}

LRESULT CHideDlg::OnTurnOnRadio(WPARAM, LPARAM)
{
    if (!m_bSessionLock) {
        DebugLog(3, "[QxUI] call SetTimer(), TIMER_HIDE_DLG_RECONNECT, 4sec\n");
        m_nReconnectTimer = SetTimer(TIMER_HIDE_DLG_RECONNECT, kReconnectTimerMs);
        DebugLog(3, "[QxUI] call SetTimer(), TIMER_HIDE_DLG_RESCAN, 12sec\n");
        m_nRescanTimer = SetTimer(TIMER_HIDE_DLG_RESCAN, kRadioOnRescanTimerMs);
    }
    return 0;
}

LRESULT CHideDlg::OnTurnOffRadio(WPARAM, LPARAM)
{
    DebugLog(3, "[QxUI] --> CHideDlg::OnTurnOffRadio\n");
    DebugLog(3, "[QxUI] <-- CHideDlg::OnTurnOffRadio\n");
    return 0;
}

LRESULT CHideDlg::OnReconnectMessage(WPARAM, LPARAM)
{
    m_nReconnectTimer = SetTimer(TIMER_HIDE_DLG_RECONNECT, kReconnectTimerMs);
    return 0;
}

LRESULT CHideDlg::OnScanListChanged(WPARAM wParam, LPARAM lParam)
{
    // The station side runs in every mode but soft-AP (a hosted network or a group owner beside it).
    if (m_nOpMode == OP_MODE_AP || !m_pQxUI || m_pQxUI->SoftApFlag() || !m_pQxUI->Window().IsWindow()) return 0;
    m_pQxUI->ForwardScanListChanged(wParam, lParam);
    return 0;
}
