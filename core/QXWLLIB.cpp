#include "core/QXWLLIB.h"
#include "base/DebugLog.h"
#include "base/IniFile.h"
#include "base/StartupTimeline.h"
#include "base/StationLibraryView.h"
#include "core/LibraryBinding.h"
#include "contract/StationContract.h"

#include <cstdlib>
#include <cstring>

QXWLLIB QXWLAPI;

namespace {
LONG QueryWinOs()
{
    return QXWLAPI.WinOS();
}
// The debug log and the DPI layout read this object through the view, bound before main runs.
[[maybe_unused]] const bool g_bStationViewBound = (BindStationLibraryView(&QXWLAPI.nDebugMode, QueryWinOs), true);
}  // namespace

namespace {
constexpr int kDefaultRetryConnectSeconds = 60;
constexpr char kCertMgrFileName[] = "QxCertMgr.dll";

// Stand in for an entry point that is not bound: the library was released, or it lacks a
// function the program calls without testing. The call is logged and answers failure
// (QXWL_ERROR_FAILURE, FALSE, 0).
void LogUnboundCall(LPCSTR name)
{
    DebugLog(1, "[QxUI] %s() is not bound to a loaded QxWLAPI.dll, return not QXWL_ERROR_SUCCESS\n", name);
}
#define QXWL_DEFINE_UNBOUND(ret, name, params) DEFINE_UNBOUND_ENTRY_POINT(LogUnboundCall, ret, name, params)
QXWL_ENTRY_POINTS(QXWL_DEFINE_UNBOUND)
QXCERTMGR_ENTRY_POINTS(QXWL_DEFINE_UNBOUND)
#undef QXWL_DEFINE_UNBOUND

constexpr const char* kOptionalEntryPoints[] = {
    "QXWL_GetWinOS",         "QXWL_IsSupportVistaSoftAP", "QXWL_DeInitial",     "QXWL_IsEnableICS",
    "QXWL_EnableDhcpServer", "QXWL_DisableDhcpServer",    "QXWL_IsWpaCapable",  "QXWL_SetWEPKey",
    "QXWL_QueryWPSVersion",  "QXWL_ReadAckPolicy",        "QXWL_SetAckPolicy",  "QXWL_WriteAckPolicy",
};

void ReadCustomText(const IniFileSections& settings, LPCSTR key, LPCSTR defaultValue,
                    char (&out)[QXWLLIB::kCustomTextBytes])
{
    lstrcpynA(out, settings.String("Custom", key, defaultValue), QXWLLIB::kCustomTextBytes);
}
}  // namespace

void QXWLLIB::ReadSettings()
{
    const IniFileSections settings = IniFileSections::OfSettingsFile();
    ReadIni(settings);
    ReadPersistentConnectIni(settings);
    ReadMediaServerIni();
}

void QXWLLIB::ReadIni(const IniFileSections& settings)
{
    // Defaults before reading: every flag 0 but SupportWAPI and CompanyWebSiteLink.
    ShowCountryRegion = ShowPassword = EAPFastEnhancement = TxRate = BgProtection = HTSetting = 0;
    ActiveProfileIcon = ProhibitWEPonHT = ProhibitTKIPonHT = SupportCCX = SupportWMM = Select11nDialog = 0;
    AssociateIE = ProbeIE = ExternalRegistrar = WPS2_SecurityAll = TxBurst = TCPWindowSize = FastRoaming = 0;
    ProfAdvPage = WPA2PSKForAdhocXP = ShowTestDialog = ACKPolicy_CoexMode_11nPage = nDebugMode = 0;
    SupportWAPI = 1;
    CompanyWebSiteLink = 1;
    RetryConnectTimer = kDefaultRetryConnectSeconds;
    SoftAP_UIName[0] = ShortCut_FolderName[0] = ShortCut_IconName[0] = CompanyWebSite[0] = '\0';

    SupportWAPI = settings.FlagNot0("AuthEncry", "SupportWAPI", "1");
    ShowPassword = settings.FlagEquals1("AuthEncry", "ShowPassword", "0");
    WPA2PSKForAdhocXP = settings.FlagEquals1("AuthEncry", "WPA2PSKForAdhocXP", "0");
    ShowCountryRegion = settings.FlagEquals1("Advance", "ShowCountryRegion", "0");
    EAPFastEnhancement = settings.FlagEquals1("Advance", "EAPFastEnhancement", "0");
    TxRate = settings.FlagEquals1("Advance", "TxRate", "0");
    BgProtection = settings.FlagEquals1("Advance", "BgProtection", "0");
    HTSetting = settings.FlagEquals1("Advance", "HT Setting", "0");
    ActiveProfileIcon = settings.FlagEquals1("Advance", "ActiveProfileIcon", "1");
    RetryConnectTimer = settings.Int("Advance", "RetryConnectTimer", kDefaultRetryConnectSeconds);
    Select11nDialog = settings.FlagEquals1("Advance", "Select11nDialog", "0");
    if (Select11nDialog == 1) {
        TxRate = 1;
        HTSetting = 1;
    } else {
        // A second read can only switch the flags on.
        if (settings.FlagEquals1("Advance", "TxRate", "0")) TxRate = 1;
        if (settings.FlagEquals1("Advance", "HT Setting", "0")) HTSetting = 1;
    }
    SupportCCX = settings.FlagEquals1("Advance", "SupportCCX", "0");
    SupportWMM = settings.FlagEquals1("Advance", "SupportWMM", "0");
    TxBurst = settings.FlagEquals1("Advance", "TxBurst", "0");
    TCPWindowSize = settings.FlagEquals1("Advance", "TCPWindowSize", "0");
    FastRoaming = settings.FlagEquals1("Advance", "FastRoaming", "0");
    ShowTestDialog = settings.FlagEquals1("Advance", "ShowTestDialog", "0");
    ACKPolicy_CoexMode_11nPage = settings.FlagEquals1("Advance", "ACKPolicy_CoexMode_11nPage", "0");
    AssociateIE = settings.FlagEquals1("WPS", "AssociateIE", "0");
    ProbeIE = settings.FlagEquals1("WPS", "ProbeIE", "0");
    ExternalRegistrar = settings.FlagEquals1("WPS", "ExternalRegistrar", "0");
    WPS2_SecurityAll = settings.FlagEquals1("WPS", "WPS2_SecurityAll", "0");
    nDebugMode = settings.Int("Settings", "DebugMode", 0);
    ProhibitWEPonHT = settings.FlagEquals1("Settings", "ProhibitWEPonHT", "0");
    ProhibitTKIPonHT = settings.FlagEquals1("Settings", "ProhibitTKIPonHT", "0");
    ProfAdvPage = settings.FlagEquals1("Profile", "ProfAdvPage", "0");
    CompanyWebSiteLink = settings.FlagNot0("About", "CompanyWebSiteLink", "1");
    ReadWiFiDirectIni(settings);
    if (RetryConnectTimer <= 0) RetryConnectTimer = kDefaultRetryConnectSeconds;
    ReadCustomText(settings, "SoftAP_UIName", "ApUI", SoftAP_UIName);
    ReadCustomText(settings, "ShortCut_FolderName", "Quixen Wireless", ShortCut_FolderName);
    ReadCustomText(settings, "ShortCut_IconName", "Quixen Wireless Utility", ShortCut_IconName);
    ReadCustomText(settings, "CompanyWebSite", kDefaultCompanyWebSite, CompanyWebSite);
}

void QXWLLIB::ReadWiFiDirectIni(const IniFileSections& settings)
{
    SupportWiFiDirect = settings.FlagEquals1("WiFiDirect", "SupportWiFiDirect", "1");
    SupportAdvanceSettings = settings.FlagEquals1("WiFiDirect", "SupportAdvanceSettings", "1");
    SupportDesiredList = settings.FlagEquals1("WiFiDirect", "SupportDesiredList", "0");
    GetWPSstatus = settings.FlagNot0("WiFiDirect", "GetWPSstatus", "0");
    SupportPBC = settings.FlagNot0("WiFiDirect", "SupportPBC", "0");
    UseDefaultRegPIN = settings.Int("WiFiDirect", "UseDefaultRegPIN", 0);
    WiFiDirectSigmaTest = settings.FlagEquals1("WiFiDirect", "WiFiDirectSigmaTest", "0");
    bWiFiDirectSigmaTest = WiFiDirectSigmaTest;
}

void QXWLLIB::ReadPersistentConnectIni(const IniFileSections& settings)
{
    PersistentConnect = settings.FlagNot0("PersistentConnect", "PersistentConnect", "1");
    SupportPersistentForXPX64 = settings.FlagNot0("PersistentConnect", "SupportPersistentForXPX64", "0");
    SupportPersistentForWin7Starter = settings.FlagNot0("PersistentConnect", "SupportPersistentForWin7Starter", "0");
    PEAP = settings.FlagNot0("PersistentConnect", "PEAP", "0");
    TLS_SmartCard = settings.FlagNot0("PersistentConnect", "TLS_SmartCard", "0");
    TTLS = settings.FlagNot0("PersistentConnect", "TTLS", "0");
    EAP_FAST = settings.FlagNot0("PersistentConnect", "EAP-FAST", "1");
    LEAP = settings.FlagNot0("PersistentConnect", "LEAP", "1");
    MD5 = settings.FlagNot0("PersistentConnect", "MD5", "0");
    Open_None = settings.FlagNot0("PersistentConnect", "Open-None", "0");
    Open_WEP = settings.FlagNot0("PersistentConnect", "Open-WEP", "1");
    Shared_WEP = settings.FlagNot0("PersistentConnect", "Shared-WEP", "1");
    WPA_PSK = settings.FlagNot0("PersistentConnect", "WPA-PSK", "1");
    WPA2_PSK = settings.FlagNot0("PersistentConnect", "WPA2-PSK", "1");
}

void QXWLLIB::ReadMediaServerIni()
{
    m_strMediaServerName = ReadIniStringInExeDir("Service", "ServiceName", "QxMediaServer.ini");
    if (m_strMediaServerName.IsEmpty()) m_strMediaServerName = "QxMediaServer";
    m_strMediaServerFriendlyName = ReadIniStringInExeDir("Device", "FriendlyName", "QxMediaServer.ini");
}

QXWLLIB::QXWLLIB()
{
    // A start-up that fails to load the library still shuts down through the entry points.
    UnbindAll();
}

QXWLLIB::~QXWLLIB()
{
    FreeRepository();
}

bool QXWLLIB::IsOptionalEntryPoint(LPCSTR name)
{
    for (LPCSTR optional : kOptionalEntryPoints)
        if (lstrcmpA(optional, name) == 0) return true;
    return false;
}

bool QXWLLIB::LoadApi(LPCSTR path)
{
    ReadSettings();
    MarkStartupStep("settings file read");
    if (!path) return false;

    HMODULE station = ::LoadLibraryA(path);
    if (!station) {
        DebugLog(1, "[QxUI] LoadLibrary(%s) fail! GetLastError() return %d\n", path, static_cast<int>(::GetLastError()));
        return false;
    }
    MarkStartupStep("station library loaded");
    HMODULE certMgr = ::LoadLibraryA(kCertMgrFileName);
    MarkStartupStep("certificate library loaded");

    // A second load (leaving soft-AP mode) replaces the first: the old references are given back
    // once the new ones are bound, so the same library stays loaded throughout.
    HMODULE oldStation = m_hQxWLAPI;
    HMODULE oldCertMgr = m_hQxCertMgr;
    m_hQxWLAPI = station;
    m_hQxCertMgr = certMgr;
    BindStation(station);
    BindCertMgr(certMgr);
    if (oldCertMgr) ::FreeLibrary(oldCertMgr);
    if (oldStation) ::FreeLibrary(oldStation);

    MarkStartupStep("entry points bound");
    AllocateRepository();
    m_AdapterEntry.chName[0] = '\0';
    m_AdapterEntry.chDeviceID[0] = '\0';
    m_AdapterEntry.chText128[0] = '\0';
    m_AdapterEntry.chText392[0] = '\0';
    return true;
}

void QXWLLIB::BindStation(HMODULE module)
{
#define QXWL_BIND(ret, name, params)                                                 \
    name = ResolveEntryPoint<PFN_##name>(module, #name);                                      \
    if (!name && !IsOptionalEntryPoint(#name)) {                                    \
        DebugLog(1, "[QxUI] QxWLAPI.dll has no entry point %s\n", #name);          \
        name = &Unbound_##name;                                                     \
    }
    QXWL_ENTRY_POINTS(QXWL_BIND)
#undef QXWL_BIND
}

void QXWLLIB::BindCertMgr(HMODULE module)
{
    // Without the certificate library its entry points stay null; nothing calls them.
#define QXWL_BIND(ret, name, params) name = module ? ResolveEntryPoint<PFN_##name>(module, #name) : nullptr;
    QXCERTMGR_ENTRY_POINTS(QXWL_BIND)
#undef QXWL_BIND
}

void QXWLLIB::UnbindAll()
{
#define QXWL_UNBIND(ret, name, params) name = &Unbound_##name;
    QXWL_ENTRY_POINTS(QXWL_UNBIND)
    QXCERTMGR_ENTRY_POINTS(QXWL_UNBIND)
#undef QXWL_UNBIND
}

void QXWLLIB::AllocateRepository()
{
    ULONG size = kRepositBytes;
    if (QXWL_GetWinOS && WinOS() < kRepositLargeFromOsCode) size = kRepositBytesBeforeOs7;
    FreeRepository();
    listRepositBssid.pBssidList = static_cast<NDIS_802_11_BSSID_LIST_EX*>(calloc(1, size));
    if (listRepositBssid.pBssidList) {
        listRepositBssid.nBufferSize = size;
    } else {
        DebugLog(1, "[QxUI] QXWLLIB::LoadApi: no memory for the BSSID repository (%u bytes)\n", size);
    }
}

void QXWLLIB::FreeRepository()
{
    free(listRepositBssid.pBssidList);
    listRepositBssid.pBssidList = nullptr;
    listRepositBssid.nBufferSize = 0;
}

void QXWLLIB::Release()
{
    DebugLog(3, "[QxUI] --> QXWLLIB::Release\n");
    // The stubs go in before the code goes away: no call can land in an unloaded library.
    if (m_hQxCertMgr || m_hQxWLAPI) UnbindAll();
    if (m_hQxCertMgr) {
        if (::FreeLibrary(m_hQxCertMgr))
            DebugLog(3, "[QxUI] FreeLibrary(QxCertMgr.dll) success!\n");
        else
            DebugLog(1, "[QxUI] FreeLibrary(QxCertMgr.dll) fail! GetLastError() return %d\n",
                     static_cast<int>(::GetLastError()));
        m_hQxCertMgr = nullptr;
    }
    if (m_hQxWLAPI) {
        if (::FreeLibrary(m_hQxWLAPI))
            DebugLog(3, "[QxUI] FreeLibrary(QXWLAPI.dll) success!\n");
        else
            DebugLog(1, "[QxUI] FreeLibrary(QXWLAPI.dll) fail! GetLastError() return %d\n",
                     static_cast<int>(::GetLastError()));
        m_hQxWLAPI = nullptr;
    }
    if (listRepositBssid.pBssidList) FreeRepository();
    DebugLog(3, "[QxUI] <-- QXWLLIB::Release\n");
}
