#include "wifidirect/WiFiDirectForms.h"
#include "base/StationLibraryView.h"
#include "base/DebugLog.h"
#include "base/IniFile.h"
#include "base/SystemHelpers.h"
#include "contract/StationContract.h"
#include "core/QXWLLIB.h"
#include "wifidirect/AdvancedWiFiDirect.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace {
constexpr LONG kOpModeWiFiDirectGo = 3;
constexpr ULONG kConnected = 3;
constexpr size_t kProfileNameBytes = 128;

CString SsidText(const NDIS_802_11_SSID& ssid)
{
    return CString(reinterpret_cast<const char*>(ssid.Ssid), static_cast<int>(std::min<ULONG>(ssid.SsidLength, sizeof ssid.Ssid)));
}

CString ReadActiveName()
{
    char name[kProfileNameBytes + 1] = {};
    QXWLAPI.QXWL_ReadActiveWifiDirectWpseProfileName(name);
    name[kProfileNameBytes] = '\0';
    return name;
}

bool FolderExists(const CString& path)
{
    const DWORD attributes = ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// Stored profiles.

CWiFiDirectProfile::~CWiFiDirectProfile()
{
    m_vecProfiles.clear();
    if (m_pOwner) m_pOwner->m_bProfileFormGone = TRUE;
}

void CWiFiDirectProfile::Reset()
{
    m_strText1.Empty();
    m_strText2.Empty();
    m_strActiveProfile.Empty();
    m_nSelected = -1;
    m_bActiveProfile = TRUE;
}

void CWiFiDirectProfile::Show()
{
    EnableDisableTimer(TRUE);
    LoadProfileList();
    Visible = TRUE;
}

void CWiFiDirectProfile::LoadProfileList()
{
    m_nSelected = -1;
    m_vecProfiles.clear();
    m_strActiveProfile = ReadActiveName();
    ULONG count = 0;
    if (QXWLAPI.QXWL_ReadWifiDirectWpseProfileList(nullptr, &count) != QXWL_ERROR_SUCCESS) count = 0;
    if (count > kMaxProfiles) {
        DebugLog(1, "[QxUI] LoadProfileList: the library claims %lu profiles; %lu are read\n", count, kMaxProfiles);
        count = kMaxProfiles;
    }
    if (count > 0) {
        std::vector<WIFIDIRECT_WPSE_PROFILE> profiles(count);
        std::memset(profiles.data(), 0, count * sizeof(WIFIDIRECT_WPSE_PROFILE));
        ULONG filled = count;  // the second call may answer fewer, never more than the buffer holds
        if (QXWLAPI.QXWL_ReadWifiDirectWpseProfileList(profiles.data(), &filled) != QXWL_ERROR_SUCCESS) filled = 0;
        filled = std::min(filled, count);
        for (ULONG i = 0; i < filled; ++i) {
            const WIFIDIRECT_WPSE_PROFILE& p = profiles[i];
            WIFIDIRECT_PROFILE_ITEM item;
            item.strName = CString(p.ProfileName, static_cast<int>(strnlen(p.ProfileName, sizeof p.ProfileName)));
            item.strSsid = SsidText(p.SSID);
            if (m_nSelected < 0 && item.strName == m_strActiveProfile) {
                item.nStatus = 1;
                m_nSelected = static_cast<int>(m_vecProfiles.size());
            }
            m_vecProfiles.push_back(item);
        }
        if (!m_vecProfiles.empty() && m_nSelected < 0) m_strActiveProfile.Empty();
    }
    if (!QXWLAPI.QXWL_DetectUserAdmin()) QXWLAPI.QXWL_IsAllowStandardUserSetProfile();
}

void CWiFiDirectProfile::SetProfileStatus(int index, int status)
{
    if (!(QXWLAPI.WinOS() < kVistaOsCode || QXWLAPI.ActiveProfileIcon == 1)) return;
    for (auto& item : m_vecProfiles) item.nStatus = -1;
    if (index >= 0 && index < static_cast<int>(m_vecProfiles.size())) m_vecProfiles[index].nStatus = status;
}

void CWiFiDirectProfile::CheckActiveProfile()
{
    const CString active = ReadActiveName();
    if (active.IsEmpty()) return;
    int index = -1;
    for (size_t i = 0; i < m_vecProfiles.size(); ++i)
        if (m_vecProfiles[i].strName == active) {
            index = static_cast<int>(i);
            break;
        }
    if (index < 0) return;
    if (QXWLAPI.QXWL_QueryOPMode() == kOpModeWiFiDirectGo) {
        BYTE hosted[kHostedStatusBytes] = {};
        QXWLAPI.QXWL_HostedNetworkQueryStatus(reinterpret_cast<HOSTEDNETWORK_STATUS*>(hosted));
        ULONG isActive = 0, peers = 0;
        std::memcpy(&isActive, hosted + kHostedStatusActiveOffset, sizeof isActive);
        std::memcpy(&peers, hosted + kHostedStatusPeersOffset, sizeof peers);
        SetProfileStatus(index, isActive == 1 && peers != 0 ? 0 : 1);
        return;
    }
    WLAN_STATUS status = {};
    QXWLAPI.QXWL_QueryWLANStatus(&status, WLAN_STATUS_QUERY{1, 1, 0, 0, 0});
    const CString ssid = SsidText(status.Ssid);
    BOOL wps = FALSE;
    if (QXWLAPI.QXWL_ReadWPSFlag(&wps) == QXWL_ERROR_SUCCESS && wps == 1) m_bActiveProfile = TRUE;
    ULONG flag = 0;
    QXWLAPI.QXWL_ReadWifiDirectFlag(&flag);
    static const UCHAR kNoBssid[6] = {};
    const bool role2 = m_pOwner && m_pOwner->MyDeviceData.nRule == 2;
    const bool connected = status.status == kConnected && std::memcmp(status.Bssid, kNoBssid, sizeof kNoBssid) != 0 &&
                           m_bActiveProfile == 1 && flag != 0 && (m_vecProfiles[index].strSsid == ssid || role2);
    if (connected) {
        auto stored = std::make_unique<WIFIDIRECT_WPSE_PROFILE>();
        std::memset(stored.get(), 0, sizeof *stored);
        QXWLAPI.QXWL_ReadWifiDirectWpseProfile(active, stored.get());
        DebugLog(3, "[QxUI] CheckActiveProfile: stored channel %lu, current channel %ld\n", stored->ulOperatingChannel,
                 QXWLAPI.QXWL_FrequencyToChannel(status.frequency));
    }
    SetProfileStatus(index, connected ? 0 : 1);
}

void CProgressMsg::EnableDisableTimer(BOOL enable, UINT intervalMs)
{
    m_bTimerRunning = enable == 1 && m_hWnd;
    m_nIntervalMs = intervalMs;
    SwitchHostTimer(TIMER_WIFIDIRECT_PROGRESS_MSG, intervalMs, enable);
}

void CProgressMsg::SetHwnd(HWND hWnd)
{
    if (m_bTimerRunning) MoveHostTimer(m_hWnd, hWnd, TIMER_WIFIDIRECT_PROGRESS_MSG, m_nIntervalMs);
    m_hWnd = hWnd;
}

void CProgressMsg::SetCallback(IWiFiDirectProgressView* view)
{
    m_pView = view;
    const HWND host = view ? view->ProgressHostWindow() : nullptr;
    SetHwnd(host);
    // A view that is gone takes its window with it: nothing may tick on a handle that another
    // window may get next (the move above stopped it there).
    if (!host) m_bTimerRunning = FALSE;
}

void CProgressMsg::Show()
{
    m_nTick = 0;
    if (m_pView) m_pView->OnProgress(0);
    const UINT step = m_dwDuration / kTicks;
    if (m_hWnd && ::IsWindow(m_hWnd)) EnableDisableTimer(TRUE, step ? step : 1);
    Visible = TRUE;
    Closed = FALSE;
}

void CProgressMsg::Hide()
{
    m_bSuccess = FALSE;
    if (m_hWnd && ::IsWindow(m_hWnd)) EnableDisableTimer(FALSE, 0);
    m_bTimerRunning = FALSE;
    CBCBBasicForm::Hide();
}

int CProgressMsg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != TIMER_WIFIDIRECT_PROGRESS_MSG) return -1;
    // A reported success runs the rest of the display quickly.
    if (m_bSuccess && m_hWnd && ::IsWindow(m_hWnd)) EnableDisableTimer(TRUE, kSuccessTickMs);
    if (m_pView) m_pView->OnProgress(m_nTick * 10);
    ++m_nTick;
    if (m_nTick > kTicks) {
        m_nTick = 0;
        Hide();
    }
    return 1;
}

// ---------------------------------------------------------------------------------------------
// Media sharing.

int CWiFiDirectMediaSharing::CreateFolderWithParents(const CString& folder)
{
    if (folder.IsEmpty()) return 0;
    if (FolderExists(folder)) return 1;
    const int cut = std::max(folder.ReverseFind('\\'), folder.ReverseFind('/'));
    // A root ("C:") or a bare name has no parent to make first.
    if (cut > 0 && folder[cut - 1] != ':') {
        const CString parent = folder.Left(cut);
        if (!FolderExists(parent) && !CreateFolderWithParents(parent)) return 0;
    }
    if (::CreateDirectoryA(folder, nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS) return FolderExists(folder) ? 1 : 0;
    DebugLog(1, "[QxUI] CWiFiDirectMediaSharing: the folder %s cannot be created (error %lu)\n", folder.GetString(),
             ::GetLastError());
    return 0;
}

void CWiFiDirectMediaSharing::Show()
{
    Visible = TRUE;
    m_strSharedFolder = ReadIniStringInExeDir("Device", "SharedFolder", "QxMediaServer.ini");
    if (m_strSharedFolder.IsEmpty() || !FolderExists(m_strSharedFolder)) {
        char profile[256] = {};
        const DWORD length = ::GetEnvironmentVariableA("USERPROFILE", profile, 255);
        const CString base = length > 0 && length < 255 ? CString(profile) : CString();
        if (base.IsEmpty()) {
            DebugLog(1, "[QxUI] CWiFiDirectMediaSharing: no user profile folder; no shared folder\n");
            m_strSharedFolder.Empty();
        } else {
            m_strSharedFolder = FolderExists(base + "\\Documents") ? base + "\\Documents\\Media Sharing" : base + "\\Media Sharing";
        }
    }
    m_bFolderReady = CreateFolderWithParents(m_strSharedFolder);
    QXWLAPI.ReadMediaServerIni();
    m_strServiceName = QXWLAPI.m_strMediaServerName;
    if (!m_bTimerRunning) EnableDisableTimer(TRUE);
}

int CWiFiDirectMediaSharing::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != TIMER_WIFIDIRECT_MEDIA_SHARING) return -1;
    const int state = GetServiceStatus(m_strServiceName);
    if (state == SERVICE_START_PENDING || state == SERVICE_RUNNING) m_bServiceRunning = TRUE;
    else if (state == SERVICE_STOPPED || state == SERVICE_STOP_PENDING) m_bServiceRunning = FALSE;
    else DebugLog(3, "[QxUI][QxMSSrv] <-- ulSvcStatus = 0x%X\n", state);
    EnableDisableTimer(FALSE);
    return 1;
}

void CWiFiDirectMediaSharing::Hide()
{
    EnableDisableTimer(FALSE);
    CBCBBasicForm::Hide();
}

int CWiFiDirectProfile::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != TIMER_WIFIDIRECT_PROFILE) return -1;
    CheckActiveProfile();
    return 1;
}

void CWiFiDirectProfile::Hide()
{
    EnableDisableTimer(FALSE);
    CBCBBasicForm::Hide();
}
