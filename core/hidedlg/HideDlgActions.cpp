// The hidden dialog's connect queue: every scan and connect request goes through it. Runs on
// the user-interface thread only; the 802.1X callback posts its requests here.
#include "base/DebugLog.h"
#include "core/hidedlg/HideDlg.h"
#include "core/IPeapPrompt.h"
#include "core/QXWLLIB.h"
#include "core/StationRecordDumps.h"

#include <cstring>
#include <memory>

volatile LONG G_bWpsRotate = 1;
ULONG G_nWpsCurrentIndex = 0;
ULONG G_nWpsNextIndex = 0;

namespace {
// Marks the action ActionExec carries out, and puts the mark back when that ActionExec ends: a
// connect started inside a prompt's loop runs a nested one.
class RunningActionMark {
public:
    explicit RunningActionMark(ULONG& mark) : m_mark(mark), m_outer(mark) {}
    RunningActionMark(const RunningActionMark&) = delete;
    RunningActionMark& operator=(const RunningActionMark&) = delete;
    ~RunningActionMark() { m_mark = m_outer; }
    void Set(ULONG type) const { m_mark = type; }

private:
    ULONG& m_mark;
    const ULONG m_outer;
};

constexpr WPARAM SEND_BY_ADVANCE_DLG = 7;
constexpr ULONG kRegTypeString = 1;
constexpr ULONG kRegTypeDword = 4;
constexpr ULONG kOidGenRcvOk = 0x00020102;  // OID_GEN_RCV_OK
constexpr int kOsMfpBelow = kOsVista;  // management-frame protection is mapped by hand before Vista
constexpr UCHAR WIFIDIRECTEVENT_SWITCH_OPMODE_CONCURRENT = 14;
constexpr UCHAR WIFIDIRECTEVENT_SWITCH_OPMODE_STA = 15;

bool Is8021XProfile(const WLANPROFILE& p)
{
    return p.enumAuthenMode == AUTH_WPA || p.enumAuthenMode == AUTH_WPA2 ||
           ((p.enumAuthenMode == AUTH_OPEN || p.enumAuthenMode == AUTH_SHARED) && p.b8021X);
}

bool NeedsTokenPrompt(const WLANPROFILE& p)
{
    const bool peapGtc = p.enumAuthenProtocol == EAPMETHOD_PEAP && p.enumTunnel == RS_TunnelGTC;
    const bool fastGtc = p.enumAuthenProtocol == EAPMETHOD_FAST &&
                         (p.enumTunnel == RS_TunnelGTC || p.enumProvisioningTunnel == RS_TunnelGTC);
    return (peapGtc || fastGtc) && p.nPasswordMode == 0;
}
}  // namespace

void CHideDlg::InsertAndExec(ULONG type, const void* data)
{
    if (InsertAction(type, data)) ActionExec();
}

BOOL CHideDlg::InsertAction(ULONG type, const void* data)
{
    DebugLog(3, "[QxUI] --> CHideDlg::InsertAction\n");
    if (type == actionTypeProfile) {
        m_bRetryBlock = 0;
        if (!m_pProfData) {
            DebugLog(3, "[QxUI] m_pProfData is NULL!\n");
            DebugLog(3, "[QxUI] <-- CHideDlg::InsertAction\n");
            return FALSE;
        }
        CopyProfileRecord(m_pProfData, static_cast<const WLANPROFILE*>(data));
    }
    if (!aryActionData.Merge(type, data)) DebugLog(1, "[QxUI] InsertAction: no memory for the action's record\n");

    // The action ActionExec carries out is out of the queue: the two holds that guard it look at
    // it, not at the head, which may be a leftover of a cancelled prompt. The running loop takes
    // on what they hold back.
    BOOL run = TRUE;
    if (aryActionData.GetSize() == 0) {
        DebugLog(3, "[QxUI] aryActionData.GetSize() is 0!\n");
        run = FALSE;
    } else if (m_nRunningAction == actionTypeBssidListScan) {
        run = FALSE;
    } else if (m_nRunningAction == actionTypeProfile && type == actionTypeBssidListScan && m_pProfData &&
               m_pProfData->nPasswordMode == 0 && m_pProfData->enumTunnel == RS_TunnelGTC) {
        DebugLog(3, "[QxUI] nPasswordMode is 0 and enumTunnel is RS_TunnelGTC\n");
        run = FALSE;
    } else if (IPeapPrompt* prompt = m_pQxUI ? m_pQxUI->PeapPrompt(FALSE) : nullptr;
               prompt && prompt->Window().IsWindow() && prompt->Window().IsWindowVisible()) {
        DebugLog(3, "[QxUI] Peap Setting Dialog is open!\n");
        run = FALSE;
    }
    DebugLog(3, "[QxUI] <-- CHideDlg::InsertAction\n");
    return run;
}

void CHideDlg::ActionExec()
{
    DebugLog(3, "[QxUI] --> ActionExec\n");
    const RunningActionMark running(m_nRunningAction);
    while (aryActionData.GetSize() > 0) {
        // Out of the queue before it runs: a prompt's message loop may merge a new action,
        // which would free a record still in the queue.
        ULONG type = 0;
        const std::unique_ptr<BYTE[]> owned = aryActionData.TakeHead(type);
        BYTE* record = owned.get();
        running.Set(type);
        switch (type) {
        case actionTypeProfile: {
            if (!record || !QXWLAPI.QXWL_ReadRadioStatus()) break;
            WLANPROFILE& p = *reinterpret_cast<WLANPROFILE*>(record);
            DebugLog(3, "[QxUI] ActionExec : ACTION TYPE is actionTypeProfile\n");
            if (ReuseOneTimeAnswer(p)) break;
            QXWLAPI.QXWL_StopAuth();
            bool tokenTyped = false;
            if (G_nOSVersion < kOsMfpBelow) {
                if (QXWLAPI.IsWpaCapable() && Is8021XProfile(p)) {
                    const unsigned sendsBefore = m_oneTimeAnswer.Sends();
                    // A prompt's answer goes into this record: the shared record may hold
                    // another profile by then, queued while the prompt waited. Without a prompt
                    // the record keeps its own account.
                    int result = 0;
                    if (NeedsTokenPrompt(p)) result = PromptPeapPassword(&p);
                    tokenTyped = result == IDOK;
                    // The sign-on prompt asks for the same account: not twice for one connect.
                    if (result != 2 && !tokenTyped &&
                        (p.enumAuthenProtocol == EAPMETHOD_LEAP || p.enumAuthenProtocol == EAPMETHOD_FAST))
                        result = PromptSsoBeforeConnect(&p);
                    if (result == 2) {
                        // A connect run inside the prompt's loop may have sent its own token
                        // meanwhile: that authentication goes on.
                        if (m_oneTimeAnswer.Sends() == sendsBefore) m_oneTimeAnswer.Forget();
                        // The same connect asked for again while the prompt waited is answered by
                        // this cancel too: no prompt comes back later unasked. Any other connect
                        // asked for meanwhile goes out now, not with some later action.
                        aryActionData.RemoveConnectOf(p);
                        DebugLog(3, "[QxUI] Peap Setting Dialog is open!\n");
                        continue;
                    }
                }
                if (p.enumAuthenMode == AUTH_WAPI_CERT && m_pProfData) {
                    std::memcpy(p.chUserCertPath, m_pProfData->chUserCertPath, sizeof p.chUserCertPath);
                    std::memcpy(p.chASCertPath, m_pProfData->chASCertPath, sizeof p.chASCertPath);
                }
            }
            DebugLog(3, "[QxUI] Action Execution enter ...\n");
            // The choice as asked for, before the protection bits are mapped for the library.
            const WLANPROFILE asked = p;
            bool mfp = false;
            if (G_nOSVersion < kOsMfpBelow) {
                if (p.enumEncryStatus == ENCRY_TKIP_MFP) {
                    p.enumEncryStatus = ENCRY_TKIP;
                    mfp = true;
                } else if (p.enumEncryStatus == ENCRY_AES_MFP) {
                    p.enumEncryStatus = ENCRY_AES;
                    mfp = true;
                }
            }
            DebugLog(3, "[QxUI] Before call QXWL_SetWLANProfile()...\n");
            DumpWlanProfile(p);
            DebugLog(3, "[QxUI] call QXWL_SetWLANProfile()\n");
            QXWLAPI.QXWL_SetWLANProfile(&p);
            if (tokenTyped) m_oneTimeAnswer.Sent(asked, StoredProfileOf(p));
            else m_oneTimeAnswer.Forget();

            CCX2_CONTROL ccx = 0;
            if (QXWLAPI.QXWL_ReadCCX2Cont(&ccx)) {
                if (G_nOSVersion < kOsMfpBelow) {
                    ccx = SetBits(ccx, ccx2::MFP, mfp ? 1 : 0);
                    QXWLAPI.QXWL_WriteRegValue("CCX2Control", kRegTypeDword, reinterpret_cast<const BYTE*>(&ccx),
                                               sizeof ccx);
                }
                QXWLAPI.QXWL_SetCCXInfo(1, ccx);
            }
            G_bWepError = FALSE;
            if ((p.enumAuthenMode == AUTH_OPEN || p.enumAuthenMode == AUTH_SHARED) && p.enumEncryStatus == ENCRY_WEP &&
                p.enumNetworkType == 1) {
                m_bWepErrorDetect = TRUE;
                TakeWepBaselines();
                SetTimer(TIMER_HIDE_DLG_WEP_ERROR, kWepErrorTimerMs);
                DebugLog(3, "[QxUI] WepError Check: OID_GEN_RCV_OK Oid = %08x\n", kOidGenRcvOk);
                DebugLog(3, "[QxUI] WepError Check: m_lRcvOk=%d\n", static_cast<int>(m_lWepInP));
            } else {
                m_bWepErrorDetect = FALSE;
            }
            if (G_nOSVersion < kOsMfpBelow && m_bScanAfterAdvanceChange) {
                DebugLog(3, "[QxUI] m_bScanAfterAdvanceChange is TRUE, reset it as FALSE\n");
                m_bScanAfterAdvanceChange = 0;
                DebugLog(3, "[QxUI] call SetTimer(), TIMER_HIDE_DLG_RESCAN, 1sec\n");
                m_nRescanTimer = SetTimer(TIMER_HIDE_DLG_RESCAN, kRescanAfterAdvanceChangeMs);
            }
            const UINT retryMs = static_cast<UINT>(QXWLAPI.RetryConnectTimer) * kMsPerSecond;
            DebugLog(3, "[QxUI] call SetTimer(), TIMER_HIDE_DLG_RETRY_CON, %dms\n", retryMs);
            SetTimer(TIMER_HIDE_DLG_RETRY_CON, retryMs);
            break;
        }
        case actionTypeWiFiDirectProfile:
            m_oneTimeAnswer.Forget();
            if (record && QXWLAPI.QXWL_ReadRadioStatus()) {
                const auto& r = *reinterpret_cast<const WIFIDIRECT_ACTION_RECORD*>(record);
                DebugLog(3, "[QxUI] ACTION TYPE is actionTypeWiFiDirectProfile and SW Radio ON\n");
                QXWLAPI.QXWL_ConnectWPSProfileWithWifiDirectWpse(r.Channel, &r.Credential);
            }
            break;
        case actionTypeSsid:
        case actionTypeBssid: {
            if (!record) break;
            m_oneTimeAnswer.Forget();
            G_bWepError = FALSE;
            if (type == actionTypeSsid) {
                NDIS_802_11_SSID ssid;
                std::memcpy(&ssid, record, sizeof ssid);
                QXWLAPI.QXWL_SetSSID(ssid);
            } else {
                UCHAR bssid[kBssidBytes];
                std::memcpy(bssid, record, sizeof bssid);
                QXWLAPI.QXWL_SetBSSID(bssid);
            }
            CCX2_CONTROL ccx = 0;
            const LONG read = QXWLAPI.QXWL_ReadCCX2Cont(&ccx);
            if (type == actionTypeSsid ? read != 0 : read == 1) QXWLAPI.QXWL_SetCCXInfo(1, ccx);
            if (m_bWepErrorDetect) {
                TakeWepBaselines();
                DebugLog(3, "WepError Check: OID_GEN_RCV_OK Oid = %08x\n", kOidGenRcvOk);
                DebugLog(3, "WepError Check: m_lRcvOk=%d\n", static_cast<int>(m_lWepInP));
            }
            break;
        }
        case actionTypeBssidListScan:
            DebugLog(3, "[QxUI] ACTION TYPE is actionTypeBssidListScan\n");
            if (m_pQxUI && !m_pQxUI->SoftApFlag()) m_pQxUI->ClickRescan();
            break;
        case actionTypeWPSProfile:
            // A stored WPS credential: connect with it as the WPS run would.
            m_oneTimeAnswer.Forget();
            if (record && QXWLAPI.QXWL_ReadRadioStatus()) {
                DebugLog(3, "[QxUI] ActionExec : ACTION TYPE is actionTypeWPSProfile\n");
                G_bWepError = FALSE;
                QXWLAPI.QXWL_ConnectWPSProfile(reinterpret_cast<const WPS_CREDENTIAL*>(record));
            }
            break;
        default:
            break;
        }
    }
    DebugLog(3, "[QxUI] <-- ActionExec\n");
}

WLANPROFILE CHideDlg::StoredProfileOf(const WLANPROFILE& p)
{
    WLANPROFILE stored{};
    char name[kProfileNameBytes] = {};
    std::memcpy(name, p.strProfileName, sizeof name - 1);
    QXWLAPI.QXWL_ReadProfileData(&stored, name);
    return stored;
}

bool CHideDlg::ReuseOneTimeAnswer(const WLANPROFILE& p)
{
    const WLANPROFILE* sent = m_oneTimeAnswer.For(p);
    if (!sent || !NeedsTokenPrompt(p)) return false;
    if (!m_oneTimeAnswer.StillStored(StoredProfileOf(p))) {
        DebugLog(3, "[QxUI] ActionExec : the profile was changed since its one-time password went out\n");
        m_oneTimeAnswer.Forget();
        return false;
    }
    if (m_oneTimeAnswer.Authenticated()) {
        WLAN_STATUS link{};
        QXWLAPI.QXWL_QueryWLANStatus(&link, WLAN_STATUS_QUERY{0, 1, 0, 0, 0});
        if (link.status != QxStatus_Connected || std::memcmp(&link.Ssid, &sent->SSID, sizeof link.Ssid) != 0) {
            m_oneTimeAnswer.Forget();  // the link it made is gone: a new token is needed
            return false;
        }
    }
    DebugLog(3, "[QxUI] ActionExec : the one-time password of this profile is in use, nothing is sent again\n");
    // The record in force stays the one the answer went out in.
    CopyProfileRecord(m_pProfData, sent);
    return true;
}

void CHideDlg::TakeWepBaselines()
{
    // The same counters the WEP check compares against on its next tick.
    WLAN_STATUS status{};
    QXWLAPI.QXWL_QueryWLANStatus(&status, WLAN_STATUS_QUERY{0, 0, 0, 0, 1});
    m_lWepOutP = status.xmitOkLow;
    m_lWepInP = status.rcvOk;
}

void CHideDlg::ConnectWpsProfile()
{
    DebugLog(3, "[QxUI] --> CHideDlg::ConnectWpsProfile\n");
    WPS_MODE mode{};
    WPS_PROFILE profile{};
    DebugLog(3, "[QxUI] call QXWL_ReadWPSProfile()\n");
    QXWLAPI.QXWL_ReadWPSProfile(&mode, &profile);
    const ULONG count = profile.ProfileCnt > kWpsMaxCredentials ? kWpsMaxCredentials : profile.ProfileCnt;
    if (count == 0) {
        DebugLog(3, "[QxUI] Profile count is 0\n");
        DebugLog(3, "[QxUI] <-- CHideDlg::ConnectWpsProfile\n");
        return;
    }
    DebugLog(3, "[QxUI] call QXWL_StopAuth()\n");
    QXWLAPI.QXWL_StopAuth();
    QueueWpsCredential(profile);
    DebugLog(3, "[QxUI] <-- CHideDlg::ConnectWpsProfile\n");
}

void CHideDlg::QueueWpsCredential(const WPS_PROFILE& profile)
{
    const ULONG count = profile.ProfileCnt > kWpsMaxCredentials ? kWpsMaxCredentials : profile.ProfileCnt;
    if (count == 0) return;
    if (G_bWpsRotate) G_nWpsCurrentIndex = G_nWpsNextIndex;
    else G_nWpsNextIndex = G_nWpsCurrentIndex;
    if (G_nWpsCurrentIndex >= count) G_nWpsCurrentIndex = 0;
    m_WpsCredential = profile.Profile[G_nWpsCurrentIndex];
    DebugLog(3, "[QxUI] Insert WPS profile type action!\n");
    InsertAndExec(actionTypeWPSProfile, &m_WpsCredential);
    if (G_bWpsRotate) G_nWpsNextIndex = (G_nWpsCurrentIndex + 1) % count;
}

void CHideDlg::ConnectPreviousProfileSetting()
{
    DebugLog(3, "[QxUI] --> CHideDlg::ConnectPreviousProfileSetting\n");
    BOOL wps = FALSE;
    QXWLAPI.QXWL_ReadWPSFlag(&wps);
    if (!wps && m_pProfData) {
        m_pProfData->bSetAdvance = 0;
        DebugLog(3, "[QxUI] Insert profile type action!\n");
        InsertAndExec(actionTypeProfile, m_pProfData);
    }
    DebugLog(3, "[QxUI] <-- CHideDlg::ConnectPreviousProfileSetting\n");
}

void CHideDlg::ActionForSigma(UCHAR code)
{
    if (code == WIFIDIRECTEVENT_SWITCH_OPMODE_CONCURRENT) {
        DebugLog(3, "[QxUI] >>ActionForSigma(WIFIDIRECTEVENT_SWITCH_OPMODE_CONCURRENT)\n");
        OnTraySwitchWiFiDirectConcurrentMode();
    } else if (code == WIFIDIRECTEVENT_SWITCH_OPMODE_STA) {
        DebugLog(3, "[QxUI] >>ActionForSigma(WIFIDIRECTEVENT_SWITCH_OPMODE_STA)<<\n");
        OnTraySwitchSTAMode();
    } else {
        DebugLog(1, "[QxUI] >>Unknown status <<\n");
    }
}

LRESULT CHideDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    DebugLog(5, "[QxUI] --> CHideDlg::WindowProc\n");
    if (message == ACTION_INSERT_EXEC) {
        DebugLog(3, "[QxUI] Receive ACTION_INSERT_EXEC message\n");
        ULONG type = 0;
        const void* record = nullptr;
        if (wParam == SEND_BY_SITESURVEY_DLG) {
            DebugLog(3, "[QxUI] wParam: SEND_BY_SITESURVEY_DLG\n");
            if (m_pQxUI && m_pQxUI->PendingAction(wParam, type, record)) {
                ::InterlockedExchange(&G_bReConnect, TRUE);
                const IMainWindow::ProfileMarks marks = m_pQxUI->ActiveProfileMarks();
                if (marks.pActiveProfile) *marks.pActiveProfile = 0;
                QXWLAPI.QXWL_WriteRegValue("CurProfile", kRegTypeString, reinterpret_cast<const BYTE*>(""), 0);
                if (marks.pSiteSurveyConnect) *marks.pSiteSurveyConnect = 1;
                DebugLog(3, "[QxUI] call InsertAction()\n");
                InsertAndExec(type, record);
            }
        } else if (wParam == SEND_BY_PROFILE_DLG) {
            DebugLog(3, "[QxUI] wParam: SEND_BY_PROFILE_DLG\n");
            if (m_pQxUI && m_pQxUI->PendingAction(wParam, type, record)) InsertAndExec(type, record);
        } else if (wParam == SEND_BY_ADVANCE_DLG) {
            // No advanced-settings page exists: nothing to queue.
        }
    }
    DebugLog(5, "[QxUI] <-- CHideDlg::WindowProc\n");
    return CDialog::WindowProc(message, wParam, lParam);
}
