// The hidden dialog's soft-AP side: while the adapter runs as an access point the dialog drives
// it through the soft-AP library instead of the station library.
#include "base/DebugLog.h"
#include "core/hidedlg/HideDlg.h"
#include "base/IniFile.h"
#include "core/QXAPLIB.h"
#include "contract/StationContract.h"
#include "base/TextChecks.h"
#include "res/resource.h"

#include <cstring>
#include <string>
#include <vector>

BOOL G_bDeviceRemoved = FALSE;

namespace {
constexpr UINT_PTR kApDriverReadyTimer = 4;
constexpr UINT kApDriverReadyTimerMs = 1000;
constexpr UINT kApCheckCardTimerMs = 2000;
constexpr ULONG kApDriverReady = 1;  // QXAP_QueryInitialState
constexpr int kDhcpFromOsCode = 7;
constexpr LONG kStrongSignalAbove = 70;  // percent
constexpr LONG kWeakSignalAtMost = 40;
constexpr ULONG kPhyModeBits = 0x0F;     // TRANSMIT_SETTING bits 0-3
// "getUpdatedSSID" asks for the SSID of the stored record.
constexpr char kUpdatedSsidRequest[] = "getUpdatedSSID";
// The factory SSID carries a two-digit suffix; its Windows profile is written without it.
constexpr char kFactorySsidPrefix[] = "Kelvo_WLAN-";
constexpr char kFactorySsid[] = "Kelvo_WLAN";
constexpr int kFactorySsidWithSuffix = 13;

std::string SsidText(const NDIS_802_11_SSID& ssid)
{
    const size_t length = std::min<size_t>(ssid.SsidLength, sizeof ssid.Ssid);
    const char* text = reinterpret_cast<const char*>(ssid.Ssid);
    return std::string(text, strnlen(text, length));
}

// The first twelve characters as a MAC address; false when one of them is not a hex digit.
bool ParseAccessListAddress(const char* text, size_t length, UCHAR (&mac)[6])
{
    if (length < kApAccessListEntryChars) return false;
    for (size_t i = 0; i < sizeof mac; ++i) {
        const BYTE high = HexDigitValue(text[2 * i]);
        const BYTE low = HexDigitValue(text[2 * i + 1]);
        if (high > 15 || low > 15) return false;
        mac[i] = static_cast<UCHAR>(high << 4 | low);
    }
    return true;
}
}  // namespace

int CHideDlg::DetectAdapterAp()
{
    std::vector<ADAPTER_ENTRY> adapters;
    ReadAdapterList(QXAPAPI.QXAP_GetAvailableAdapters, adapters, "CHideDlg::DetectAdapterAp");
    const int count = static_cast<int>(adapters.size());
    ADAPTER_ENTRY& current = QXAPAPI.m_AdapterEntry;
    if (count <= 0) {
        current.chName[0] = current.chDeviceID[0] = current.chText128[0] = current.chText392[0] = '\0';
        return count;
    }
    if (count == 1) {
        DebugLogIfEnabled("[ApUI] DetectAdapter(): ICS is bound by the pAvailableDevList->adapter[0]\n");
        current = adapters[0];
    } else {
        const int index = ChooseAdapter(adapters);
        current = adapters[index];
        DebugLogIfEnabled("[ApUI] DetectAdapter(): selected Adapter from pAvailableDevList->adapter[%d]\n", index);
    }
    QXAPAPI.QXAP_AdapterSelect(&current, 0, m_hWnd);
    return count;
}

void CHideDlg::InitCardAp(BOOL bShowUI)
{
    DebugLogIfEnabled("[ApUI]--> InitCard\n");
    if (QXAPAPI.QXAP_QueryOPMode() == OP_MODE_STATION && !QXAPAPI.QXAP_SetOPMode(OP_MODE_AP))
        DebugLogIfEnabled("[ApUI] HideDlg::InitCard ERROR: Driver doesn't support VN_OID_802_11_SET_OP_MODE oid\n");
    m_ulApOpMode = OP_MODE_AP;
    if (QXAPAPI.QXAP_IsZeroConfig()) {
        DebugLogIfEnabled("[ApUI] HideDlg::InitCard() QXAP_IsZeroConfig--> QXAP_StopXpZeroConfig\n");
        QXAPAPI.QXAP_StopXpZeroConfig();
    }
    const LONG settings = QXAPAPI.QXAP_InitAPSettings();
    DebugLogIfEnabled("[ApUI] HideDlg::QXAPAPI.QXAP_InitAPSettings() return %d\n", settings);
    ULONG state = 0;
    QXAPAPI.QXAP_QueryInitialState(&state);
    DebugLogIfEnabled("[ApUI] HideDlg::InitCard(), QXAP_QueryInitialState return %d\n", state);
    if (state == kApDriverReady) {
        DebugLogIfEnabled("[ApUI] HideDlg::InitCard() --> SetOidFromReg\n");
        SetOidFromReg_AP();
        if (QXAPAPI.QXAP_GetWinOS() >= kDhcpFromOsCode) {
            DebugLogIfEnabled("[ApUI] HideDlg::InitCard() --> QXAP_EnableDhcpServer\n");
            QXAPAPI.QXAP_EnableDhcpServer();
        }
    } else {
        DebugLogIfEnabled("[ApUI] HideDlg::driver not ready --> SetTimer to wait and query\n");
        SetTimer(kApDriverReadyTimer, kApDriverReadyTimerMs);
    }
    if (bShowUI) ShowConfigUI();
}

void CHideDlg::SetOidFromReg_AP()
{
    AP_CONFIG_DATA config{};
    AP_ADVANCE_DATA advance{};
    const auto logConfig = [&config](const char* step) {
        DebugLogIfEnabled("[ApUI] SetOidFromReg(): %s ApConfigData.HT_PhyMode.field.PhyMode = %d\n", step,
                          config.HT_PhyMode & kPhyModeBits);
        DebugLogIfEnabled("[ApUI] SetOidFromReg(): %s WirelessMode = %d, CountryRegion_11BG = %d, CountryRegion_11A = %d\n",
                          step, config.PhyMode, config.nCountryRegion, config.nCountryRegionABand);
    };
    // An unread record is no configuration: zeros would take the access point's name and
    // security away.
    if (!IsSuccess(QXAPAPI.QXAP_ReadConfigData(&config), "QXAP_ReadConfigData", "CHideDlg::SetOidFromReg_AP")) return;
    logConfig("QXAP_ReadConfigData()");
    QXAPAPI.QXAP_SetConfigData(&config, &advance);
    logConfig("QXAP_SetConfigData()");
    DebugLogIfEnabled("[ApUI] SetOidFromReg(): QXAP_SetConfigData() ApConfigData.lFreq = %dk\n", config.lFreq);
    ApplyApAccessControl();
    SetApWindowsProfile(SsidText(config.Ssid).c_str());
}

// The stored policy and list, sent as one record. The list is read only inside its buffer and
// only whole twelve-digit addresses count; an empty list turns access control off.
void CHideDlg::ApplyApAccessControl()
{
    char policyText[kApAccessTextBytes] = {};
    QXAPAPI.QXAP_ReadAccessPolicy(policyText);
    policyText[sizeof policyText - 1] = '\0';
    AP_ACL_LIST acl{};
    acl.Policy = static_cast<ULONG>(ParseIniInteger(policyText));
    if (acl.Policy != AP_ACL_POLICY_DISABLE) {
        char list[kApAccessTextBytes] = {};
        QXAPAPI.QXAP_ReadAccessList(list);
        size_t pos = 0;
        while (pos < sizeof list && list[pos] != '\0' && acl.Num < kApAclMaxEntries) {
            const size_t length = strnlen(list + pos, sizeof list - pos);
            if (ParseAccessListAddress(list + pos, length, acl.Entry[acl.Num].Addr)) ++acl.Num;
            else DebugLogIfEnabled("[ApUI] SetOidFromReg(): access list entry %u is not an address, skipped\n", acl.Num);
            pos += length + 1;
        }
        if (acl.Num == 0) acl.Policy = AP_ACL_POLICY_DISABLE;
    }
    QXAPAPI.QXAP_Set80211ACL(&acl);
}

void CHideDlg::SetApWindowsProfile(const CString& strSsid)
{
    if (QXAPAPI.QXAP_GetWinOS() < kOsVista || strSsid.IsEmpty()) return;
    m_bApWindowsProfileSet = TRUE;
    CString ssid = strSsid;
    if (strSsid == kUpdatedSsidRequest) {
        AP_CONFIG_DATA stored{};
        QXAPAPI.QXAP_ReadConfigData(&stored);
        ssid = SsidText(stored.Ssid).c_str();
    }
    const bool factory = strSsid.GetLength() == kFactorySsidWithSuffix &&
                         strSsid.Left(static_cast<int>(strlen(kFactorySsidPrefix))) == kFactorySsidPrefix &&
                         IsHexString(strSsid.Mid(kFactorySsidWithSuffix - 2));
    if (factory) {
        ssid = kFactorySsid;
    } else {
        DebugLogIfEnabled("[ApUI] HideDlg::CHideDlg::QXAPAPI.QXAP_SetVistaWindowsProfile(SSID = %s, length = %d)\n",
                          ssid.GetString(), ssid.GetLength());
    }
    QXAPAPI.QXAP_SetVistaWindowsProfile(ssid, static_cast<ULONG>(ssid.GetLength()));
}

UINT CHideDlg::ApSignalIcon(LONG quality)
{
    if (quality > kStrongSignalAbove) return IDI_TRAY_LINKED;
    if (quality > kWeakSignalAtMost) return IDI_TRAY_NORMAL;
    return IDI_TRAY_WEAK;
}

void CHideDlg::OnTimerAp(UINT_PTR nIDEvent)
{
    if (m_bDialogRunning) return;
    if (nIDEvent == kApDriverReadyTimer) {
        KillTimer(kApDriverReadyTimer);
        ++m_nCountReconnect;
        ULONG state = 0;
        QXAPAPI.QXAP_QueryInitialState(&state);
        if (state == kApDriverReady) {
            DebugLogIfEnabled("[ApUI] HideDlg::OnTimer(): QXAP_QueryInitialState return %d, m_nCountReconnect = %d --> "
                              "SetOidFromReg and reset m_nCountReconnect to zero\n",
                              state, m_nCountReconnect);
            m_nCountReconnect = 0;
            SetOidFromReg_AP();
            QXAPAPI.QXAP_EnableDhcpServer();
        } else {
            SetTimer(kApDriverReadyTimer, kApDriverReadyTimerMs);
        }
    }

    const char* name = QXAPAPI.m_AdapterEntry.chName;
    if (!G_bDeviceRemoved && m_bApDeviceExist && QXAPAPI.QXAP_IsDeviceExist(name)) {
        const LONG driverAuth = QXAPAPI.QXAP_QueryAuthMode();
        const LONG storedAuth = QXAPAPI.QXAP_ReadAuthMode();
        if (driverAuth != storedAuth) {
            DebugLogIfEnabled("[ApUI] HideDlg::On Timer : QueryAuthMode(%d) != ReadAuthMode (%d) --->SetOidFromReg_AP\n ",
                              driverAuth, storedAuth);
            SetOidFromReg_AP();
        }
        ModifyTaskBar(ApSignalIcon(QXAPAPI.QXAP_ConvertRssiToSignalQuality(QXAPAPI.QXAP_QuerySignalStrength())));
        if (QXAPAPI.QXAP_GetWinOS() < kOsVista && QXAPAPI.QXAP_IsZeroConfig()) QXAPAPI.QXAP_StopXpZeroConfig();
        return;
    }

    // As on the station side: the running modal loops end first, and the tick comes back.
    if (!CModalLoopRegistry::RequestTeardown(m_hWnd, m_hWnd, WM_TIMER, TIMER_HIDE_DLG_CHECK_CARD, 0)) return;
    DestroyMainWindow();
    KillTimer(TIMER_HIDE_DLG_CHECK_CARD);
    // An adapter that was absent (at start, or gone without a device-change message) and is
    // found now comes back as from a removal: the access point is set up for it.
    const BOOL wasAbsent = !m_bApDeviceExist;
    m_bApDeviceExist = QXAPAPI.QXAP_IsDeviceExist(name);
    m_nApCheckCardTimer = SetTimer(TIMER_HIDE_DLG_CHECK_CARD, kApCheckCardTimerMs);
    if (m_bApDeviceExist) {
        DebugLogIfEnabled("[ApUI] HideDlg::OnTimer : G_bDeviceRemoved = %d\n", G_bDeviceRemoved);
        if (G_bDeviceRemoved || wasAbsent) {
            ModifyTaskBar(IDI_TRAY_LOST);
            DebugLogIfEnabled("[ApUI] HideDlg::OnTimer : G_bDeviceRemoved = TRUE : InitCard()\n");
            InitCardAp(TRUE);
            // The adapter is set up again: later ticks poll it instead of tearing down again.
            G_bDeviceRemoved = FALSE;
        }
    } else {
        ModifyTaskBar(IDI_TRAY_NOT_EXIST);
        DebugLogIfEnabled("[ApUI] HideDlg::OnTimer : m_bDeviceExist = %d, DetectAdapter again\n ", m_bApDeviceExist);
        DetectAdapterAp();
    }
}

LRESULT CHideDlg::DefWindowProcAp(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DEVICECHANGE) {
        DebugLogIfEnabled("[ApUI]Detect WM_DEVICECHANGE\n");
        if (!QXAPAPI.QXAP_IsDeviceExist(QXAPAPI.m_AdapterEntry.chName)) {
            DebugLogIfEnabled("[ApUI]WM_DEVICECHANGE : Set G_bDeviceRemoved = TRUE\n");
            G_bDeviceRemoved = TRUE;
        }
    } else if (message == WM_POWERBROADCAST && wParam == PBT_APMSUSPEND) {
        KillAllTimer();
    } else if (message == WM_POWERBROADCAST && wParam == PBT_APMRESUMEAUTOMATIC) {
        SetTimer(TIMER_HIDE_DLG_CHECK_CARD, kApCheckCardTimerMs);
        ULONG state = 0;
        QXAPAPI.QXAP_QueryInitialState(&state);
        if (state == kApDriverReady) {
            SetOidFromReg_AP();
            DebugLogIfEnabled("[ApUI]Detect PBT_APMRESUMEAUTOMATIC: QXAP_QueryInitialState return %d --> SetOidFromReg\n",
                              state);
            if (QXAPAPI.QXAP_GetWinOS() >= kDhcpFromOsCode) QXAPAPI.QXAP_EnableDhcpServer();
        } else {
            SetTimer(kApDriverReadyTimer, kApDriverReadyTimerMs);
        }
    }
    return CDialog::DefWindowProc(message, wParam, lParam);
}
