// The station library object: the station library "QxWLAPI.dll" and the certificate library
// "QxCertMgr.dll" bound by name, the chosen adapter, the BSSID repository and the station
// settings of the settings file.
#pragma once
#include "base/IniFile.h"
#include "framework/Afx.h"
#include "contract/StationEntryPoints.h"

// The repository of recently seen networks: one NDIS_802_11_BSSID_LIST_EX in a heap buffer and
// the last-seen stamp of each entry (stamp i belongs to entry i).
constexpr int kRepositStampCount = 1024;
constexpr ULONG kRepositBytesBeforeOs7 = 32768;
constexpr ULONG kRepositBytes = 65536;
constexpr LONG kRepositLargeFromOsCode = 7;
struct REPOSIT_BSSID_LIST {
    NDIS_802_11_BSSID_LIST_EX* pBssidList = nullptr;  // nBufferSize bytes, zeroed when allocated
    ULONG nBufferSize = 0;
    FILETIME ftLastSeen[kRepositStampCount] = {};  // UTC, 100-ns units
};

class QXWLLIB {
public:
    QXWLLIB();  // every entry point answers failure until a library is loaded
    ~QXWLLIB();
    QXWLLIB(const QXWLLIB&) = delete;
    QXWLLIB& operator=(const QXWLLIB&) = delete;

    // Reads the settings, loads the station library from path (and the certificate library by
    // its plain name), binds every entry point and prepares the repository and the adapter entry.
    // False when path is null or the station library cannot be loaded; the settings stand anyway.
    bool LoadApi(LPCSTR path);
    // Frees both libraries and the repository. Every entry point then answers failure and logs
    // the call until the next LoadApi: nothing points into an unloaded library.
    void Release();
    bool IsLoaded() const { return m_hQxWLAPI != nullptr; }

    HMODULE m_hQxWLAPI = nullptr;
    HMODULE m_hQxCertMgr = nullptr;  // null when the certificate library is absent
    ADAPTER_ENTRY m_AdapterEntry = {};  // the chosen adapter, handed to QXWL_AdapterSelect
    REPOSIT_BSSID_LIST listRepositBssid;

    // The settings file's station keys, in the order they are read.
    void ReadIni(const IniFileSections& settings);
    void ReadWiFiDirectIni(const IniFileSections& settings);
    void ReadPersistentConnectIni(const IniFileSections& settings);
    void ReadMediaServerIni();
    // All four, in the loader's order, the settings file read once.
    void ReadSettings();

    // Merges a fresh scan list (a buffer of listBytes) into the repository; when the fresh list
    // announced entries, the buffer receives the merged list (see MergeRepositBssidList).
    void UpdateRepositBssidList(void* list, ULONG listBytes);

    // Station feature flags and values of the settings file.
    int ShowCountryRegion = 0;
    int SupportWAPI = 0;
    int ShowPassword = 0;
    int EAPFastEnhancement = 0;
    int TxRate = 0;
    int BgProtection = 0;
    int HTSetting = 0;  // key "HT Setting"
    int ActiveProfileIcon = 0;
    int ProhibitWEPonHT = 0;
    int ProhibitTKIPonHT = 0;
    int SupportCCX = 0;
    int SupportWMM = 0;
    int Select11nDialog = 0;
    int AssociateIE = 0;
    int ProbeIE = 0;
    int ExternalRegistrar = 0;
    int WPS2_SecurityAll = 0;
    int TxBurst = 0;
    int TCPWindowSize = 0;
    int FastRoaming = 0;
    int ProfAdvPage = 0;
    int WPA2PSKForAdhocXP = 0;
    int ShowTestDialog = 0;
    int ACKPolicy_CoexMode_11nPage = 0;
    int CompanyWebSiteLink = 0;
    int RetryConnectTimer = 0;  // seconds
    int nDebugMode = 0;         // the debug log's level

    static constexpr int kCustomTextBytes = 128;
    char SoftAP_UIName[kCustomTextBytes] = {};
    char ShortCut_FolderName[kCustomTextBytes] = {};
    char ShortCut_IconName[kCustomTextBytes] = {};
    char CompanyWebSite[kCustomTextBytes] = {};

    // [PersistentConnect]
    int PersistentConnect = 0;
    int PEAP = 0;
    int TLS_SmartCard = 0;
    int TTLS = 0;
    int EAP_FAST = 0;   // key "EAP-FAST"
    int LEAP = 0;
    int MD5 = 0;
    int Open_None = 0;  // key "Open-None"
    int Open_WEP = 0;   // key "Open-WEP"
    int Shared_WEP = 0; // key "Shared-WEP"
    int WPA_PSK = 0;    // key "WPA-PSK"
    int WPA2_PSK = 0;   // key "WPA2-PSK"
    int SupportPersistentForXPX64 = 0;
    int SupportPersistentForWin7Starter = 0;

    // "QxMediaServer.ini"
    CString m_strMediaServerName;
    CString m_strMediaServerFriendlyName;

    // [WiFiDirect]
    int SupportWiFiDirect = 0;
    int SupportAdvanceSettings = 0;
    int SupportDesiredList = 0;
    int GetWPSstatus = 0;
    int SupportPBC = 0;
    int UseDefaultRegPIN = 0;
    int WiFiDirectSigmaTest = 0;
    // The certification-test mode in force: the settings switch at each read, turned on later by
    // the Wi-Fi Direct engine when the driver reports that test mode.
    int bWiFiDirectSigmaTest = 0;

    // 1 once the scan the survey page started has finished (set on the library's thread by the
    // page's scan callback; the pages clear it when they read the result).
    volatile LONG bScanDone = 0;

    // The entry points, one pointer each, named after the library's functions. Null before the
    // first load; a library that lacks an entry point leaves it null when the program tests it
    // before calling (IsOptionalEntryPoint), else binds a stub that logs and answers failure.
#define QXWL_DECLARE_MEMBER(ret, name, params) PFN_##name name = nullptr;
    QXWL_ENTRY_POINTS(QXWL_DECLARE_MEMBER)
    QXCERTMGR_ENTRY_POINTS(QXWL_DECLARE_MEMBER)
#undef QXWL_DECLARE_MEMBER

    // The entry points the program tests for null before it calls them.
    static bool IsOptionalEntryPoint(LPCSTR name);
    // QXWL_IsWpaCapable's answer; 0 (no supplicant of the library's own) when the library lacks it.
    BOOL IsWpaCapable() const { return QXWL_IsWpaCapable ? QXWL_IsWpaCapable() : FALSE; }
    // QXWL_GetWinOS's code; 0 (an unknown, old system) when the library lacks it.
    LONG WinOS() const { return QXWL_GetWinOS ? QXWL_GetWinOS() : 0; }
    // QXWL_IsEnableICS's answer; FALSE when the library lacks it.
    BOOL IsEnableICS() const { return QXWL_IsEnableICS ? QXWL_IsEnableICS() : FALSE; }

private:
    void BindStation(HMODULE module);
    void BindCertMgr(HMODULE module);
    void UnbindAll();
    void AllocateRepository();
    void FreeRepository();
};

extern QXWLLIB QXWLAPI;

// The vendor's web-site address, the default of [Custom] CompanyWebSite.
inline constexpr char kDefaultCompanyWebSite[] = "http://www.quixen.example/";
