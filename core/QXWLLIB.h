// The station library object: the settings it carries.
// (The library binding, entry points and repository join this class with the station library.)
#pragma once
#include "framework/Afx.h"

class QXWLLIB {
public:
    QXWLLIB() = default;
    QXWLLIB(const QXWLLIB&) = delete;
    QXWLLIB& operator=(const QXWLLIB&) = delete;

    // The settings file's station keys, in the order they are read.
    void ReadIni();
    void ReadWiFiDirectIni();
    void ReadPersistentConnectIni();
    void ReadMediaServerIni();
    // All four, in the loader's order.
    void ReadSettings();

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
    int WiFiDirectTestFlag = 0;  // set together with the sigma-test flag
};

extern QXWLLIB QXWLAPI;

// The vendor's web-site address, the default of [Custom] CompanyWebSite.
inline constexpr char kDefaultCompanyWebSite[] = "http://www.quixen.example/";
