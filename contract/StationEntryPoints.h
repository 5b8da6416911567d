// The entry points of the station library "QxWLAPI.dll" and the certificate library
// "QxCertMgr.dll", one line each: result, name, parameters. The program binds them by name
// (QXWLLIB); the stand-in libraries declare their exports from the same list, so both sides
// agree on every prototype (records passed by value travel by hidden reference on x64, which
// is only sound when both sides see the same prototype).
//
// Conventions: standard calling convention; a LONG result is a status word (1 success, -10
// the buffer is too small) unless the line says it answers a question; records by address
// unless passed by value. Buffers without a size argument have the fixed capacity noted.
#pragma once
#include "contract/StationRecords.h"

// The 802.1X status callback: runs on the library's own thread. `reply` is a library buffer of
// kAuthReplyBytes (contract/StationContract.h) for a text answer.
typedef void(WINAPI* QXWL_AUTH_CALLBACK)(UCHAR status, void* data, char* reply);
// The scan-completion callback of QXWL_SiteSurveyScan: runs on the library's own thread.
typedef void(WINAPI* QXWL_SCAN_CALLBACK)(void);

// clang-format off
#define QXWL_ENTRY_POINTS(X) \
    /* Wi-Fi Direct */ \
    X(LONG, QXWL_CheckDuplicatedWifiDirectWpseProfileName, (LPCSTR profileName)) \
    X(LONG, QXWL_CheckDuplicatedWifiDirectWpseSsid, (LPCSTR ssid)) \
    X(LONG, QXWL_DeleteWifiDirectWpseProfile, (LPCSTR profileName)) \
    X(LONG, QXWL_ReadActiveWifiDirectWpseProfileName, (LPSTR profileName /* 128 */)) \
    X(LONG, QXWL_ReadWifiDirectWpseProfile, (LPCSTR profileName, WIFIDIRECT_WPSE_PROFILE* profile)) \
    X(LONG, QXWL_ReadWifiDirectWpseProfileList, (WIFIDIRECT_WPSE_PROFILE* profiles /* or null */, ULONG* count)) \
    X(LONG, QXWL_SetWifiDirectWpseConfig, (WIFIDIRECT_WPSE_PROFILE* config)) \
    X(LONG, QXWL_InitWifiDirect, (HANDLE statusEvent)) \
    X(LONG, QXWL_WriteActiveWifiDirectWpseProfileName, (LPCSTR profileName)) \
    X(LONG, QXWL_WriteWifiDirectWpseProfile, (LPCSTR profileName, const WIFIDIRECT_WPSE_PROFILE* profile)) \
    X(LONG, QXWL_ConnectWPSProfileWithWifiDirectWpse, (ULONG channel, const WPS_CREDENTIAL* credential)) \
    X(LONG, QXWL_QueryWifiDirectStatus, (BYTE* statusBlock /* 1808 */)) \
    X(LONG, QXWL_WriteWifiDirectFlag, (BOOL enable)) \
    X(LONG, QXWL_ReadWifiDirectFlag, (ULONG* enable)) \
    X(LONG, QXWL_ReadWifiDirectControl, (BYTE* control /* 40 */)) \
    X(LONG, QXWL_StartWifiDirectGO, (void)) \
    X(LONG, QXWL_StopWifiDirectGO, (void)) \
    X(LONG, QXWL_DisableWifiDirect, (void)) \
    X(LONG, QXWL_GetWifiDirectIP, (BYTE* ipRecord /* 32 */)) \
    X(LONG, QXWL_SetWifiDirectIP, (const UCHAR* ipAddress /* 4 */)) \
    X(LONG, QXWL_WriteWiFiDirectDeviceName, (LPCSTR deviceName /* 64 */)) \
    X(LONG, QXWL_ReadWiFiDirectDeviceName, (LPSTR deviceName /* 64 */)) \
    X(LONG, QXWL_DeleteWifiDirectWpsePerstEntry, (const BYTE* entry)) \
    X(LONG, QXWL_ReadWiFiDirectDefaultWPAPSK, (BYTE* keyRecord /* char[64], u32 length */)) \
    X(LONG, QXWL_ReadWiFiDirectGOssid, (NDIS_802_11_SSID* ssid)) \
    /* Media server */ \
    X(LONG, QXWL_SetMediaServerStartupType, (ULONG startType)) \
    X(LONG, QXWL_StopMediaServer, (void)) \
    X(LONG, QXWL_StartAndSetMediaFolder, (LPCSTR folder)) \
    X(LONG, QXWL_SetMediaServerFriendlyName, (LPCSTR friendlyName)) \
    X(LONG, QXWL_StartMediaServer, (void)) \
    /* Hosted network, soft-AP support, ICS and DHCP */ \
    X(LONG, QXWL_BackupStationSetting, (void)) \
    X(LONG, QXWL_DisableDhcpServer, (void)) \
    X(LONG, QXWL_EnableDhcpServer, (BOOL ics)) \
    X(LONG, QXWL_InitAPSetting, (void)) \
    X(BOOL, QXWL_IsEnableICS, (void)) \
    X(BOOL, QXWL_IsSupportAPMode, (void)) \
    X(BOOL, QXWL_QueryAPIPAddress, (BYTE* apAddress /* u8 ip[4], char name[16] */)) \
    X(LONG, QXWL_RestoreApSetting, (void)) \
    X(LONG, QXWL_ReadExtAPConfig, (EXTAP_CONFIG* config)) \
    X(LONG, QXWL_WriteExtAPConfig, (EXTAP_CONFIG config)) \
    X(LONG, QXWL_HostedNetworkSetup, (EXTAP_CONFIG config)) \
    X(LONG, QXWL_HostedNetworkStopUsing, (void)) \
    X(LONG, QXWL_HostedNetworkStopUsingAndSetup, (EXTAP_CONFIG config)) \
    X(LONG, QXWL_HostedNetworkQuerySettings, (EXTAP_CONFIG* config)) \
    X(LONG, QXWL_HostedNetworkQueryStatus, (HOSTEDNETWORK_STATUS* status)) \
    X(LONG, QXWL_HostedNetworkStartICS, (void)) \
    X(LONG, QXWL_HostedNetworkStopICS, (void)) \
    X(BOOL, QXWL_IsSupportVistaSoftAP, (void)) \
    /* Windows WLAN service */ \
    X(LONG, QXWL_WlanBuildIHVMessage, (BYTE* message, ULONG size)) \
    X(LONG, QXWL_WlanConnect, (ULONG authType, ULONG encryptType, ULONG networkType, const NDIS_802_11_SSID* ssid)) \
    X(ULONG, QXWL_WlanConvertDot112NdisAuthType, (ULONG dot11AuthType)) \
    X(ULONG, QXWL_WlanConvertDot112NdisEncryptType, (ULONG dot11EncryptType)) \
    X(ULONG, QXWL_WlanConvertDot112NdisNetworkType, (ULONG dot11NetworkType)) \
    X(ULONG, QXWL_WlanConvertNdis2Dot11AuthType, (ULONG authMode)) \
    X(ULONG, QXWL_WlanConvertNdis2Dot11EncryptType, (ULONG encryStatus)) \
    X(ULONG, QXWL_WlanConvertNdis2Dot11NetworkType, (ULONG networkType)) \
    X(LONG, QXWL_WlanDeleteAllWindowsProfiles, (void)) \
    X(LONG, QXWL_WlanDeleteWindowsProfile, (LPCSTR profileName)) \
    X(LONG, QXWL_WlanDisconnect, (void)) \
    X(BOOL, QXWL_WlanIsAdhocSupportWPA2AES, (void)) \
    X(BOOL, QXWL_WlanIsCCXDiagnosticProfile, (LPCSTR profileName)) \
    X(BOOL, QXWL_WlanIsWindowsProfileExist, (LPCSTR profileName)) \
    X(LONG, QXWL_WlanQueryRadioState, (ULONG* hwRadio, ULONG* swRadio)) \
    X(LONG, QXWL_WlanSendClientAbort, (void)) \
    X(LONG, QXWL_WlanSendS64Start, (void)) \
    X(LONG, QXWL_WlanDeleteAllQuixenWindowsProfiles, (void)) \
    /* Certificates, 802.1X and WAPI */ \
    X(LONG, QXWL_DeleteCertificate, (LPCSTR store, ULONG index)) \
    X(LONG, QXWL_EnumCert, (LPCSTR store, BYTE* certs /* count x 1040, or null */, ULONG* count)) \
    X(LONG, QXWL_EnumSystemCertificate, (LPCSTR store, BYTE* certs /* or null */, ULONG* count)) \
    X(LONG, QXWL_FastPacLoad, (LPSTR pacName, ULONG pacNameSize, LPCSTR identity, ULONG flag)) \
    X(LONG, QXWL_FastPacSave, (const BYTE* pacRecord /* 1040 */, LPCSTR pacName, LPCSTR authorityId)) \
    X(LONG, QXWL_FreeCertArray, (BYTE* certs, ULONG* count)) \
    X(LONG, QXWL_GetCertificateManagerParam, (BYTE* param, ULONG size)) \
    X(LONG, QXWL_GetWAPIProgress, (void) /* answers: percent */) \
    X(BOOL, QXWL_IsEapHostInstalled, (void)) \
    X(BOOL, QXWL_IsWAPIConnecting, (void)) \
    X(BOOL, QXWL_IsWAPISupported, (void)) \
    X(LONG, QXWL_LoadX509ASCertificate, (LPCSTR path, VN_BLOB_KEY* cert)) \
    X(LONG, QXWL_LoadX509UserCertificate, (LPCSTR path, VN_BLOB_KEY* cert)) \
    X(LONG, QXWL_PasswordHash, (LPCSTR password, BYTE* hash, ULONG size)) \
    X(LONG, QXWL_Read8021XCert, (VN_BLOB_KEY* caCert, VN_BLOB_KEY* userCert, LPCSTR profileName)) \
    X(LONG, QXWL_ReadPACList, (ULONG* count, BYTE* pacs /* count x 516, or null */, LPCSTR profileName)) \
    X(LONG, QXWL_SetupX509ASCertificate, (const VN_BLOB_KEY* cert)) \
    X(LONG, QXWL_SetupX509UserCertificate, (const VN_BLOB_KEY* cert)) \
    X(LONG, QXWL_SetWAPIMode, (ULONG mode)) \
    X(LONG, QXWL_StartEapHostPeerInvokeConfigUI, (LPCSTR profileName, ULONG blobLength, const BYTE* blob)) \
    X(LONG, QXWL_StopAuth, (void)) \
    X(LONG, QXWL_WriteDomainName, (LPCSTR domain /* 128 */)) \
    X(LONG, QXWL_WriteIDnPasswd, (LPCSTR identity /* 128 */, LPCSTR password /* 128 */)) \
    X(LONG, QXWL_WritePACList, (ULONG count, const BYTE* pacs /* count x 516 */, LPCSTR profileName)) \
    X(LONG, QXWL_GetWAPICertInfo, (BYTE* info, ULONG size)) \
    /* Single sign-on */ \
    X(LONG, QXWL_ReadSSOCurrProfileName, (LPSTR profileName /* 128 */)) \
    X(LONG, QXWL_ReadSSOInfo, (BYTE* info, ULONG size)) \
    X(LONG, QXWL_ReadSSOStatus, (BYTE* status /* 1040 */)) \
    X(LONG, QXWL_ResetSSOFeature, (void)) \
    X(LONG, QXWL_WriteSSOEnablePersConn, (BOOL enable)) \
    X(LONG, QXWL_WriteSSOProfile, (LPCSTR profileName)) \
    X(LONG, QXWL_WriteSSOReleaseSUP, (void)) \
    X(LONG, QXWL_WriteSSOSavePassword, (BOOL save)) \
    X(LONG, QXWL_WriteSSOSetting, (const BYTE* setting, ULONG size)) \
    X(LONG, QXWL_WriteSSOProfileAndFunc, (LPCSTR profileName, ULONG function)) \
    /* WPS */ \
    X(LONG, QXWL_ConnectWPSProfile, (const WPS_CREDENTIAL* credential)) \
    X(LONG, QXWL_QueryWPSAPChannel, (UCHAR* channel)) \
    X(BOOL, QXWL_QueryWPSHwPbc, (void) /* answers: the hardware button was pressed */) \
    X(LONG, QXWL_QueryWPSProfile, (WPS_PROFILE* profile)) \
    X(LONG, QXWL_QueryWPSStatus, (ULONG* statusCode)) \
    X(LONG, QXWL_ReadWPSFlag, (BOOL* flag)) \
    X(LONG, QXWL_ReadWPSProfile, (WPS_MODE* mode, WPS_PROFILE* profile)) \
    X(LONG, QXWL_SetPreferWPSAPPhyType, (ULONG phyType)) \
    X(LONG, QXWL_SetWPSAssociateIE, (BOOL enable)) \
    X(LONG, QXWL_SetWPSAutoSelect, (BOOL enable)) \
    X(LONG, QXWL_SetWPSMode, (WPS_MODE mode)) \
    X(LONG, QXWL_SetWPSProbeReqIE, (BOOL enable)) \
    X(LONG, QXWL_SetWPSProfile, (WPS_PROFILE profile)) \
    X(LONG, QXWL_StartExtregWPS, (void)) \
    X(LONG, QXWL_StopExtregWPS, (void)) \
    X(LONG, QXWL_WPSDisconnect, (void)) \
    X(LONG, QXWL_WriteWPSFlag, (BOOL flag)) \
    X(LONG, QXWL_WriteWPSProfile, (WPS_MODE mode, WPS_PROFILE profile)) \
    X(LONG, QXWL_QueryWPSVersion, (ULONG* version)) \
    /* Profiles */ \
    X(LONG, QXWL_CheckDuplicatedProfileName, (LPCSTR profileName /* 128 */) /* -16: taken */) \
    X(LONG, QXWL_CopyProfileToCurrentSetting, (LPCSTR profileName /* 128 */)) \
    X(LONG, QXWL_DeleteProfile, (LPCSTR profileName /* 128 */, BOOL disconnect)) \
    X(LONG, QXWL_ExportProfile, (LPCSTR profileName, LPCSTR path)) \
    X(LONG, QXWL_GetNextProfileID, (LPSTR profileId /* 128 */)) \
    X(LONG, QXWL_ImportProfile, (LPCSTR path)) \
    X(BOOL, QXWL_IsAllowStandardUserSetProfile, (void)) \
    X(LONG, QXWL_IsDuplicateProfileID, (ULONG profileId) /* 0 taken, 3 overflow */) \
    X(LONG, QXWL_ReadActiveProfileName, (LPSTR profileName /* 128 */)) \
    X(LONG, QXWL_ReadProfileData, (WLANPROFILE* profile, LPCSTR profileName)) \
    X(LONG, QXWL_ReadProfileList, (WLANPROFILE* profiles /* or null */, ULONG* count /* in: capacity, out: count */)) \
    X(LONG, QXWL_SetWLANProfile, (const WLANPROFILE* profile)) \
    X(LONG, QXWL_WriteProfile, (LPCSTR storedName /* 128 */, const WLANPROFILE* profile)) \
    X(LONG, QXWL_WriteProfileID, (LPCSTR profileName, ULONG profileId)) \
    /* Scanning and association */ \
    X(BOOL, QXWL_CheckBssidRepositTime, (void)) \
    X(LONG, QXWL_Disassociate, (void)) \
    X(LONG, QXWL_FlushBSSIDList, (void)) \
    X(LONG, QXWL_ParseInfoElement, (const NDIS_WLAN_BSSID_EX* entry, IE_PARSE_RESULT* result)) \
    X(LONG, QXWL_QueryWLANStatus, (WLAN_STATUS* status, WLAN_STATUS_QUERY query)) \
    X(LONG, QXWL_RssiToPercent, (LONG rssi) /* answers: percent */) \
    X(LONG, QXWL_SetBSSID, (const UCHAR* bssid /* 6 */)) \
    X(LONG, QXWL_SetSSID, (NDIS_802_11_SSID ssid)) \
    X(LONG, QXWL_SiteSurveyQuery, (NDIS_802_11_BSSID_LIST_EX* list, ULONG* size /* in: bytes, out: used or needed */)) \
    X(LONG, QXWL_SiteSurveyScan, (QXWL_SCAN_CALLBACK onScanDone)) \
    /* Conversions */ \
    X(LONG, QXWL_ChannelToFrequency, (LONG channel) /* answers: kHz, 0 for none */) \
    X(LONG, QXWL_ConvertPhyModeToAdHocMode, (ULONG phyMode, ULONG* adhocMode)) \
    X(LONG, QXWL_FrequencyToChannel, (ULONG frequencyKHz) /* answers: channel, -1 for none */) \
    X(LONG, QXWL_IPDataToStr, (const UCHAR* ip /* 4 */, LPSTR text, ULONG size)) \
    X(LONG, QXWL_StrToIPData, (LPCSTR text, UCHAR* ip /* 4 */)) \
    X(ULONG, QXWL_ConvertWpsConfigMethodToWpsCapabilityMap, (USHORT configMethods, ULONG own)) \
    /* Adapter, driver and system */ \
    X(LONG, QXWL_AdapterSelect, (const ADAPTER_ENTRY* adapter, QXWL_AUTH_CALLBACK onAuthStatus, HWND notifyWindow)) \
    X(BOOL, QXWL_CheckIfAllowBW40InABand, (void)) \
    X(BOOL, QXWL_CheckIfAllowBW40InBGBand, (void)) \
    X(BOOL, QXWL_CheckMSConfigService, (void)) \
    X(LONG, QXWL_DeInitial, (void)) \
    X(BOOL, QXWL_DetectMoreThanOneUser, (void)) \
    X(BOOL, QXWL_DetectUserAdmin, (void)) \
    X(LONG, QXWL_DevEnable, (BOOL enable)) \
    X(LONG, QXWL_GetAvailableAdapters, (BYTE* list /* u32 count, entries */, LONG capacity) /* answers: count, or -10 */) \
    X(BOOL, QXWL_GetCurrentDeviceModel, (ULONG* model)) \
    X(LONG, QXWL_GetUSBversion, (ULONG* version)) \
    X(LONG, QXWL_GetWinOS, (void) /* answers: the operating-system code */) \
    X(LONG, QXWL_Initial, (LPCSTR vendor, HWND notifyWindow)) \
    X(BOOL, QXWL_IsAllowStandardUserSetAdvance, (void)) \
    X(BOOL, QXWL_IsDeviceExist, (LPCSTR adapterName)) \
    X(BOOL, QXWL_IsWow64, (void)) \
    X(BOOL, QXWL_IsWpaCapable, (void)) \
    X(LONG, QXWL_IsZeroConfig, (void) /* answers: 2 when the system's service owns the adapter */) \
    X(LONG, QXWL_QueryCurrAddress, (UCHAR* mac /* 6 */)) \
    X(LONG, QXWL_QueryEEPROMVersion, (ULONG* version)) \
    X(LONG, QXWL_QueryFWVersion, (LPSTR version, ULONG size)) \
    X(LONG, QXWL_QueryHWReg, (ULONG address, ULONG* value)) \
    X(LONG, QXWL_QueryInitState, (BOOL* initialized)) \
    X(LONG, QXWL_QueryMacAddrs, (UCHAR* mac /* 6 */)) \
    X(LONG, QXWL_QueryOPMode, (void) /* answers: the driver's operation mode */) \
    X(LONG, QXWL_QueryPrivateMsg, (ULONG* message)) \
    X(BOOL, QXWL_ReadConfigData, (ADVANCE_CONFIG_DATA* config)) \
    X(LONG, QXWL_ReadDriverDesc, (LPSTR description, ULONG size)) \
    X(LONG, QXWL_ReadDriverName, (LPSTR name, ULONG size)) \
    X(LONG, QXWL_ReadDriverPath, (LPSTR path, ULONG size)) \
    X(LONG, QXWL_ReadNetCfgInstanceID, (LPSTR instanceId, ULONG size)) \
    X(LONG, QXWL_ReadNetConfig, (BYTE* config, ULONG size)) \
    X(LONG, QXWL_ReadOpMode, (void) /* answers: the stored operation mode */) \
    X(LONG, QXWL_Release, (void)) \
    X(LONG, QXWL_RenewIPAddr, (void)) \
    X(LONG, QXWL_ResetCounter, (void)) \
    X(LONG, QXWL_ResetToDefaultConnecctionSetting, (void)) \
    X(LONG, QXWL_RunOnceInitConfigTool, (ULONG* select)) \
    X(LONG, QXWL_RunOnceInitConfigTxBurst, (void)) \
    X(BOOL, QXWL_SetAndWriteOPMode, (ULONG opMode)) \
    X(LONG, QXWL_SetQxUIConfigMethod, (ULONG method)) \
    X(LONG, QXWL_SetReloadDefault, (void)) \
    X(LONG, QXWL_WriteNetConfig, (const BYTE* config, ULONG size)) \
    X(LONG, QXWL_WriteRegValue, (LPCSTR valueName, ULONG type, const BYTE* data, ULONG length)) \
    /* Radio, PHY and advanced settings */ \
    X(LONG, QXWL_AddIMMEBA, (BA_REQUEST request)) \
    X(BOOL, QXWL_CheckIEEE80211H, (void)) \
    X(BOOL, QXWL_CheckAdhoc5GDisable, (void)) \
    X(LONG, QXWL_EnableAPSD, (BOOL enable)) \
    X(LONG, QXWL_EnableDLSetup, (BOOL enable)) \
    X(LONG, QXWL_GetAvailableChannels, (ULONG networkType, ULONG wirelessMode, ULONG adhocMode, UCHAR* channels /* 64 */, ULONG* count, ULONG flag)) \
    X(LONG, QXWL_GetMaxCountryRegion, (ULONG* region11BG, ULONG* region11A)) \
    X(BOOL, QXWL_Is80211ASupport, (void)) \
    X(BOOL, QXWL_Is80211NSupport, (void)) \
    X(BOOL, QXWL_IsExportablePrivateKey, (const VN_BLOB_KEY* cert)) \
    X(BOOL, QXWL_OIDQueryInfo, (ULONG oid, BYTE* buffer, ULONG length, ULONG* written)) \
    X(LONG, QXWL_OIDSetInfo, (ULONG oid, const BYTE* buffer, ULONG length)) \
    X(LONG, QXWL_QueryACMCmd, (BYTE* command, ULONG size)) \
    X(LONG, QXWL_QueryAndReadWMMCapability, (ULONG* capability /* 8 words */)) \
    X(LONG, QXWL_QueryAntennaNumber, (ULONG* antennas)) \
    X(LONG, QXWL_QueryBACap, (ULONG* capability)) \
    X(BOOL, QXWL_QueryBATable, (BA_TABLE* table)) \
    X(LONG, QXWL_QueryCountryRegion, (ULONG* region11BG, ULONG* region11A, ULONG* regionExtra)) \
    X(LONG, QXWL_QueryDLSParameter, (BYTE* parameter, ULONG size)) \
    X(LONG, QXWL_QueryHTPhyMode, (ULONG* phyMode)) \
    X(LONG, QXWL_QueryMFPCtrl, (ULONG* control)) \
    X(LONG, QXWL_QueryNetworkTypeSupport, (ULONG* networkTypes)) \
    X(LONG, QXWL_QuerySTAConfig, (VN_802_11_STA_CONFIG* config)) \
    X(LONG, QXWL_QueryWirelessMode, (ULONG* wirelessMode)) \
    X(BOOL, QXWL_ReadAckPolicy, (ULONG* acBE, ULONG* acBK, ULONG* acVI, ULONG* acVO)) \
    X(LONG, QXWL_ReadAdvanceCfgData, (ADVANCE_CONFIG_DATA* config)) \
    X(BOOL, QXWL_ReadBACap, (ULONG* capability)) \
    X(LONG, QXWL_ReadCCX2Cont, (CCX2_CONTROL* control)) \
    X(LONG, QXWL_ReadPSMode, (ULONG* psMode)) \
    X(BOOL, QXWL_ReadRadioStatus, (void) /* answers: the software radio is on */) \
    X(LONG, QXWL_ReadWMMMacAddr, (UCHAR* macs, ULONG size)) \
    X(LONG, QXWL_SetAckPolicy, (ULONG acBE, ULONG acBK, ULONG acVI, ULONG acVO)) \
    X(LONG, QXWL_SetACMCmd, (const BYTE* command, ULONG size)) \
    X(LONG, QXWL_SetAdvanceSetting, (ADVANCE_OID setting)) \
    X(LONG, QXWL_SetAndWriteAPSDSetting, (ULONG setting)) \
    X(LONG, QXWL_SetAndWriteRadioState, (BOOL on)) \
    X(LONG, QXWL_SetAuthMode, (ULONG authMode)) \
    X(LONG, QXWL_SetBACap, (ULONG capabilityLow, ULONG capabilityHigh)) \
    X(LONG, QXWL_SetCCXDiagAction, (ULONG action)) \
    X(LONG, QXWL_SetCCXInfo, (ULONG enable, CCX2_CONTROL control)) \
    X(LONG, QXWL_SetCoexMode, (LPCSTR mode)) \
    X(LONG, QXWL_SetCountryRegion, (ULONG region11BG, ULONG region11A)) \
    X(LONG, QXWL_SetDesiredRate, (const VN_802_11_TX_RATES* rates)) \
    X(LONG, QXWL_SetDLSParameter, (const BYTE* parameter, ULONG size)) \
    X(LONG, QXWL_SetHTPhyMode, (ULONG phyMode)) \
    X(LONG, QXWL_SetMFPCtrl, (ULONG control)) \
    X(LONG, QXWL_SetWEPKey, (const WLANPROFILE* profile)) \
    X(LONG, QXWL_SetPhyMode, (ULONG phyMode)) \
    X(LONG, QXWL_SetSTAConfig, (const VN_802_11_STA_CONFIG* config)) \
    X(LONG, QXWL_SetTXRate, (ULONG rate)) \
    X(LONG, QXWL_StartDiagTest, (ULONG test)) \
    X(LONG, QXWL_StopDiagTest, (void)) \
    X(LONG, QXWL_UpdateWMMEnable, (const ULONG* capability /* 8 words */)) \
    X(LONG, QXWL_VerifyCountryRegion, (void)) \
    X(LONG, QXWL_WriteAckPolicy, (ULONG acBE, ULONG acBK, ULONG acVI, ULONG acVO)) \
    X(LONG, QXWL_WriteAdvanceCfgData, (ADVANCE_CONFIG_DATA config)) \
    X(LONG, QXWL_WriteBACap, (ULONG capability)) \
    X(LONG, QXWL_WriteWMMMacAddr, (const UCHAR* macs, ULONG size)) \
    X(BOOL, QXWL_QueryCCXInfo, (CCX2_CONTROL* control)) \
    X(LONG, QXWL_QueryHWAndSWRadioState, (ULONG* hwRadio, ULONG* swRadio)) \
    X(LONG, QXWL_ReadWMMTimeout, (ULONG* timeout)) \
    X(LONG, QXWL_WriteWMMTimeout, (ULONG timeout)) \
    X(BOOL, QXWL_IsSupportTDLS, (void))

// The certificate library: bound when it loads, called nowhere in the program.
#define QXCERTMGR_ENTRY_POINTS(X) \
    X(BOOL, QxCertMgr_IsLegal, (LPCSTR path)) \
    X(LONG, QxCertMgr_GetCert, (ULONG index, VN_BLOB_KEY* cert)) \
    X(LONG, QxCertMgr_ClearCert, (void)) \
    X(LONG, QxCertMgr_WriteUserASCert, (const VN_BLOB_KEY* userCert, const VN_BLOB_KEY* asCert)) \
    X(LONG, QxCertMgr_WriteExtraASCertByIndex, (ULONG index, const VN_BLOB_KEY* cert)) \
    X(LONG, QxCertMgr_DeleteUserASCertByIndex, (ULONG index)) \
    X(LONG, QxCertMgr_DeleteExtraASCertByIndex, (ULONG index)) \
    X(LONG, QxCertMgr_MoveCert, (ULONG fromIndex, ULONG toIndex)) \
    X(LONG, QxCertMgr_GetIdentity, (ULONG index, LPSTR identity, ULONG size)) \
    X(LONG, QxCertMgr_GetCertIndex, (LPCSTR name, ULONG* index))
// clang-format on

// One pointer type per entry point: PFN_QXWL_Initial, PFN_QxCertMgr_IsLegal, ...
#define QXWL_DECLARE_PFN(ret, name, params) typedef ret(WINAPI* PFN_##name) params;
QXWL_ENTRY_POINTS(QXWL_DECLARE_PFN)
QXCERTMGR_ENTRY_POINTS(QXWL_DECLARE_PFN)
#undef QXWL_DECLARE_PFN

#define QXWL_COUNT_ONE(ret, name, params) +1
constexpr int kStationEntryPointCount = 0 QXWL_ENTRY_POINTS(QXWL_COUNT_ONE);
constexpr int kCertMgrEntryPointCount = 0 QXCERTMGR_ENTRY_POINTS(QXWL_COUNT_ONE);
#undef QXWL_COUNT_ONE
static_assert(kStationEntryPointCount == 257 && kCertMgrEntryPointCount == 10);
