// The entry points whose behaviour later parts of the world bring: each is journalled and
// answers success (or "no", "none") and clears the words it is given to fill.
#include "sim/QxWLAPI/Exports.h"

#include <cstring>

using namespace sim;

// clang-format off
LONG WINAPI QXWL_CheckDuplicatedWifiDirectWpseProfileName(LPCSTR profileName)
{
    Enter("QXWL_CheckDuplicatedWifiDirectWpseProfileName()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_CheckDuplicatedWifiDirectWpseSsid(LPCSTR ssid)
{
    Enter("QXWL_CheckDuplicatedWifiDirectWpseSsid()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_DeleteWifiDirectWpseProfile(LPCSTR profileName)
{
    Enter("QXWL_DeleteWifiDirectWpseProfile()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_ReadActiveWifiDirectWpseProfileName(LPSTR profileName /* 128 */)
{
    Enter("QXWL_ReadActiveWifiDirectWpseProfileName()");
    if (profileName) PutText(profileName, kProfileNameBytes, "");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_ReadWifiDirectWpseProfile(LPCSTR profileName, WIFIDIRECT_WPSE_PROFILE* profile)
{
    Enter("QXWL_ReadWifiDirectWpseProfile()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_ReadWifiDirectWpseProfileList(WIFIDIRECT_WPSE_PROFILE* profiles /* or null */, ULONG* count)
{
    Enter("QXWL_ReadWifiDirectWpseProfileList()");
    if (count) *count = 0;
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_SetWifiDirectWpseConfig(WIFIDIRECT_WPSE_PROFILE* config)
{
    Enter("QXWL_SetWifiDirectWpseConfig()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_InitWifiDirect(HANDLE statusEvent)
{
    Enter("QXWL_InitWifiDirect()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_WriteActiveWifiDirectWpseProfileName(LPCSTR profileName)
{
    Enter("QXWL_WriteActiveWifiDirectWpseProfileName()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_WriteWifiDirectWpseProfile(LPCSTR profileName, const WIFIDIRECT_WPSE_PROFILE* profile)
{
    Enter("QXWL_WriteWifiDirectWpseProfile()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_ConnectWPSProfileWithWifiDirectWpse(ULONG channel, const WPS_CREDENTIAL* credential)
{
    Enter("QXWL_ConnectWPSProfileWithWifiDirectWpse()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_QueryWifiDirectStatus(BYTE* statusBlock /* 1808 */)
{
    Enter("QXWL_QueryWifiDirectStatus()");
    return QXWL_ERROR_FAILURE;  // no status waiting
}

LONG WINAPI QXWL_ReadWifiDirectControl(BYTE* control /* 40 */)
{
    Enter("QXWL_ReadWifiDirectControl()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_StartWifiDirectGO(void)
{
    Enter("QXWL_StartWifiDirectGO()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_StopWifiDirectGO(void)
{
    Enter("QXWL_StopWifiDirectGO()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_DisableWifiDirect(void)
{
    Enter("QXWL_DisableWifiDirect()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_GetWifiDirectIP(BYTE* ipRecord /* 32 */)
{
    Enter("QXWL_GetWifiDirectIP()");
    return QXWL_ERROR_WIFIDIRECT_NO_IP;
}

LONG WINAPI QXWL_SetWifiDirectIP(const UCHAR* ipAddress /* 4 */)
{
    Enter("QXWL_SetWifiDirectIP()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_WriteWiFiDirectDeviceName(LPCSTR deviceName /* 64 */)
{
    Enter("QXWL_WriteWiFiDirectDeviceName()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_ReadWiFiDirectDeviceName(LPSTR deviceName /* 64 */)
{
    Enter("QXWL_ReadWiFiDirectDeviceName()");
    constexpr size_t kDeviceNameBytes = 64;
    if (deviceName) PutText(deviceName, kDeviceNameBytes, "");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_DeleteWifiDirectWpsePerstEntry(const BYTE* entry)
{
    Enter("QXWL_DeleteWifiDirectWpsePerstEntry()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_ReadWiFiDirectDefaultWPAPSK(BYTE* keyRecord /* char[64], u32 length */)
{
    Enter("QXWL_ReadWiFiDirectDefaultWPAPSK()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_ReadWiFiDirectGOssid(NDIS_802_11_SSID* ssid)
{
    Enter("QXWL_ReadWiFiDirectGOssid()");
    if (ssid) memset(ssid, 0, sizeof *ssid);
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_SetMediaServerStartupType(ULONG startType)
{
    Enter("QXWL_SetMediaServerStartupType()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_StopMediaServer(void)
{
    Enter("QXWL_StopMediaServer()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_StartAndSetMediaFolder(LPCSTR folder)
{
    Enter("QXWL_StartAndSetMediaFolder()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_SetMediaServerFriendlyName(LPCSTR friendlyName)
{
    Enter("QXWL_SetMediaServerFriendlyName()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_StartMediaServer(void)
{
    Enter("QXWL_StartMediaServer()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_BackupStationSetting(void)
{
    Enter("QXWL_BackupStationSetting()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_DisableDhcpServer(void)
{
    Enter("QXWL_DisableDhcpServer()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_EnableDhcpServer(BOOL ics)
{
    Enter("QXWL_EnableDhcpServer()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_InitAPSetting(void)
{
    Enter("QXWL_InitAPSetting()");
    return QXWL_ERROR_SUCCESS;
}

BOOL WINAPI QXWL_IsEnableICS(void)
{
    Enter("QXWL_IsEnableICS()");
    return FALSE;
}

BOOL WINAPI QXWL_IsSupportAPMode(void)
{
    Enter("QXWL_IsSupportAPMode()");
    return TRUE;
}

BOOL WINAPI QXWL_QueryAPIPAddress(BYTE* apAddress /* u8 ip[4], char name[16] */)
{
    Enter("QXWL_QueryAPIPAddress()");
    return FALSE;
}

LONG WINAPI QXWL_RestoreApSetting(void)
{
    Enter("QXWL_RestoreApSetting()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_HostedNetworkSetup(EXTAP_CONFIG config)
{
    Enter("QXWL_HostedNetworkSetup()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_HostedNetworkStopUsing(void)
{
    Enter("QXWL_HostedNetworkStopUsing()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_HostedNetworkStopUsingAndSetup(EXTAP_CONFIG config)
{
    Enter("QXWL_HostedNetworkStopUsingAndSetup()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_HostedNetworkQuerySettings(EXTAP_CONFIG* config)
{
    Enter("QXWL_HostedNetworkQuerySettings()");
    if (config) memset(config, 0, sizeof *config);
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_HostedNetworkQueryStatus(HOSTEDNETWORK_STATUS* status)
{
    Enter("QXWL_HostedNetworkQueryStatus()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_HostedNetworkStartICS(void)
{
    Enter("QXWL_HostedNetworkStartICS()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_HostedNetworkStopICS(void)
{
    Enter("QXWL_HostedNetworkStopICS()");
    return QXWL_ERROR_SUCCESS;
}

BOOL WINAPI QXWL_IsSupportVistaSoftAP(void)
{
    Enter("QXWL_IsSupportVistaSoftAP()");
    return TRUE;
}

LONG WINAPI QXWL_WlanBuildIHVMessage(BYTE* message, ULONG size)
{
    Enter("QXWL_WlanBuildIHVMessage()");
    if (message && size) memset(message, 0, size);
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_WlanConnect(ULONG authType, ULONG encryptType, ULONG networkType, const NDIS_802_11_SSID* ssid)
{
    Enter("QXWL_WlanConnect()");
    return QXWL_ERROR_SUCCESS;
}

ULONG WINAPI QXWL_WlanConvertDot112NdisAuthType(ULONG dot11AuthType)
{
    Enter("QXWL_WlanConvertDot112NdisAuthType()");
    return dot11AuthType;
}

ULONG WINAPI QXWL_WlanConvertDot112NdisEncryptType(ULONG dot11EncryptType)
{
    Enter("QXWL_WlanConvertDot112NdisEncryptType()");
    return dot11EncryptType;
}

ULONG WINAPI QXWL_WlanConvertDot112NdisNetworkType(ULONG dot11NetworkType)
{
    Enter("QXWL_WlanConvertDot112NdisNetworkType()");
    return dot11NetworkType;
}

ULONG WINAPI QXWL_WlanConvertNdis2Dot11AuthType(ULONG authMode)
{
    Enter("QXWL_WlanConvertNdis2Dot11AuthType()");
    return authMode;
}

ULONG WINAPI QXWL_WlanConvertNdis2Dot11EncryptType(ULONG encryStatus)
{
    Enter("QXWL_WlanConvertNdis2Dot11EncryptType()");
    return encryStatus;
}

ULONG WINAPI QXWL_WlanConvertNdis2Dot11NetworkType(ULONG networkType)
{
    Enter("QXWL_WlanConvertNdis2Dot11NetworkType()");
    return networkType;
}

LONG WINAPI QXWL_WlanDeleteAllWindowsProfiles(void)
{
    Enter("QXWL_WlanDeleteAllWindowsProfiles()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_WlanDeleteWindowsProfile(LPCSTR profileName)
{
    Enter("QXWL_WlanDeleteWindowsProfile()");
    return QXWL_ERROR_SUCCESS;
}

BOOL WINAPI QXWL_WlanIsAdhocSupportWPA2AES(void)
{
    Enter("QXWL_WlanIsAdhocSupportWPA2AES()");
    return TRUE;
}

BOOL WINAPI QXWL_WlanIsCCXDiagnosticProfile(LPCSTR profileName)
{
    Enter("QXWL_WlanIsCCXDiagnosticProfile()");
    return FALSE;
}

BOOL WINAPI QXWL_WlanIsWindowsProfileExist(LPCSTR profileName)
{
    Enter("QXWL_WlanIsWindowsProfileExist()");
    return FALSE;
}

LONG WINAPI QXWL_WlanSendClientAbort(void)
{
    Enter("QXWL_WlanSendClientAbort()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_WlanSendS64Start(void)
{
    Enter("QXWL_WlanSendS64Start()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_WlanDeleteAllQuixenWindowsProfiles(void)
{
    Enter("QXWL_WlanDeleteAllQuixenWindowsProfiles()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_DeleteCertificate(LPCSTR store, ULONG index)
{
    Enter("QXWL_DeleteCertificate()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_EnumCert(LPCSTR store, BYTE* certs /* count x 1040, or null */, ULONG* count)
{
    Enter("QXWL_EnumCert()");
    if (count) *count = 0;
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_EnumSystemCertificate(LPCSTR store, BYTE* certs /* or null */, ULONG* count)
{
    Enter("QXWL_EnumSystemCertificate()");
    if (count) *count = 0;
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_FastPacLoad(LPSTR pacName, ULONG pacNameSize, LPCSTR identity, ULONG flag)
{
    Enter("QXWL_FastPacLoad()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_FastPacSave(const BYTE* pacRecord /* 1040 */, LPCSTR pacName, LPCSTR authorityId)
{
    Enter("QXWL_FastPacSave()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_FreeCertArray(BYTE* certs, ULONG* count)
{
    Enter("QXWL_FreeCertArray()");
    if (count) *count = 0;
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_GetCertificateManagerParam(BYTE* param, ULONG size)
{
    Enter("QXWL_GetCertificateManagerParam()");
    if (param && size) memset(param, 0, size);
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_GetWAPIProgress(void)
{
    Enter("QXWL_GetWAPIProgress()");
    return 0;
}

BOOL WINAPI QXWL_IsEapHostInstalled(void)
{
    Enter("QXWL_IsEapHostInstalled()");
    return TRUE;
}

BOOL WINAPI QXWL_IsWAPIConnecting(void)
{
    Enter("QXWL_IsWAPIConnecting()");
    return FALSE;
}

BOOL WINAPI QXWL_IsWAPISupported(void)
{
    Enter("QXWL_IsWAPISupported()");
    return TRUE;
}

LONG WINAPI QXWL_LoadX509ASCertificate(LPCSTR path, VN_BLOB_KEY* cert)
{
    Enter("QXWL_LoadX509ASCertificate()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_LoadX509UserCertificate(LPCSTR path, VN_BLOB_KEY* cert)
{
    Enter("QXWL_LoadX509UserCertificate()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_PasswordHash(LPCSTR password, BYTE* hash, ULONG size)
{
    Enter("QXWL_PasswordHash()");
    if (hash && size) memset(hash, 0, size);
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_Read8021XCert(VN_BLOB_KEY* caCert, VN_BLOB_KEY* userCert, LPCSTR profileName)
{
    Enter("QXWL_Read8021XCert()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_ReadPACList(ULONG* count, BYTE* pacs /* count x 516, or null */, LPCSTR profileName)
{
    Enter("QXWL_ReadPACList()");
    if (count) *count = 0;
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_SetupX509ASCertificate(const VN_BLOB_KEY* cert)
{
    Enter("QXWL_SetupX509ASCertificate()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_SetupX509UserCertificate(const VN_BLOB_KEY* cert)
{
    Enter("QXWL_SetupX509UserCertificate()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_SetWAPIMode(ULONG mode)
{
    Enter("QXWL_SetWAPIMode()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_StartEapHostPeerInvokeConfigUI(LPCSTR profileName, ULONG blobLength, const BYTE* blob)
{
    Enter("QXWL_StartEapHostPeerInvokeConfigUI()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_WriteDomainName(LPCSTR domain /* 128 */)
{
    Enter("QXWL_WriteDomainName()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_WriteIDnPasswd(LPCSTR identity /* 128 */, LPCSTR password /* 128 */)
{
    Enter("QXWL_WriteIDnPasswd()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_WritePACList(ULONG count, const BYTE* pacs /* count x 516 */, LPCSTR profileName)
{
    Enter("QXWL_WritePACList()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_GetWAPICertInfo(BYTE* info, ULONG size)
{
    Enter("QXWL_GetWAPICertInfo()");
    if (info && size) memset(info, 0, size);
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_ReadSSOCurrProfileName(LPSTR profileName /* 128 */)
{
    Enter("QXWL_ReadSSOCurrProfileName()");
    if (profileName) PutText(profileName, kProfileNameBytes, "");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_ReadSSOInfo(BYTE* info, ULONG size)
{
    Enter("QXWL_ReadSSOInfo()");
    if (info && size) memset(info, 0, size);
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_ReadSSOStatus(BYTE* status /* 1040 */)
{
    Enter("QXWL_ReadSSOStatus()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_ResetSSOFeature(void)
{
    Enter("QXWL_ResetSSOFeature()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_WriteSSOEnablePersConn(BOOL enable)
{
    Enter("QXWL_WriteSSOEnablePersConn()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_WriteSSOProfile(LPCSTR profileName)
{
    Enter("QXWL_WriteSSOProfile()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_WriteSSOReleaseSUP(void)
{
    Enter("QXWL_WriteSSOReleaseSUP()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_WriteSSOSavePassword(BOOL save)
{
    Enter("QXWL_WriteSSOSavePassword()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_WriteSSOSetting(const BYTE* setting, ULONG size)
{
    Enter("QXWL_WriteSSOSetting()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_WriteSSOProfileAndFunc(LPCSTR profileName, ULONG function)
{
    Enter("QXWL_WriteSSOProfileAndFunc()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_ConnectWPSProfile(const WPS_CREDENTIAL* credential)
{
    Enter("QXWL_ConnectWPSProfile()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_QueryWPSAPChannel(UCHAR* channel)
{
    Enter("QXWL_QueryWPSAPChannel()");
    if (channel) *channel = 0;
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_QueryWPSProfile(WPS_PROFILE* profile)
{
    Enter("QXWL_QueryWPSProfile()");
    if (profile) memset(profile, 0, sizeof *profile);
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_QueryWPSStatus(ULONG* statusCode)
{
    Enter("QXWL_QueryWPSStatus()");
    if (statusCode) *statusCode = 0;
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_SetPreferWPSAPPhyType(ULONG phyType)
{
    Enter("QXWL_SetPreferWPSAPPhyType()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_SetWPSAssociateIE(BOOL enable)
{
    Enter("QXWL_SetWPSAssociateIE()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_SetWPSAutoSelect(BOOL enable)
{
    Enter("QXWL_SetWPSAutoSelect()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_SetWPSMode(WPS_MODE mode)
{
    Enter("QXWL_SetWPSMode()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_SetWPSProbeReqIE(BOOL enable)
{
    Enter("QXWL_SetWPSProbeReqIE()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_SetWPSProfile(WPS_PROFILE profile)
{
    Enter("QXWL_SetWPSProfile()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_StartExtregWPS(void)
{
    Enter("QXWL_StartExtregWPS()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_StopExtregWPS(void)
{
    Enter("QXWL_StopExtregWPS()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_WPSDisconnect(void)
{
    Enter("QXWL_WPSDisconnect()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_ExportProfile(LPCSTR profileName, LPCSTR path)
{
    Enter("QXWL_ExportProfile()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_ImportProfile(LPCSTR path)
{
    Enter("QXWL_ImportProfile()");
    return QXWL_ERROR_SUCCESS;
}

BOOL WINAPI QXWL_IsAllowStandardUserSetProfile(void)
{
    Enter("QXWL_IsAllowStandardUserSetProfile()");
    return TRUE;
}

LONG WINAPI QXWL_WriteProfileID(LPCSTR profileName, ULONG profileId)
{
    Enter("QXWL_WriteProfileID()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_DevEnable(BOOL enable)
{
    Enter("QXWL_DevEnable()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_GetUSBversion(ULONG* version)
{
    Enter("QXWL_GetUSBversion()");
    if (version) *version = 0;
    return QXWL_ERROR_SUCCESS;
}

BOOL WINAPI QXWL_IsAllowStandardUserSetAdvance(void)
{
    Enter("QXWL_IsAllowStandardUserSetAdvance()");
    return TRUE;
}

BOOL WINAPI QXWL_IsWow64(void)
{
    Enter("QXWL_IsWow64()");
    return FALSE;
}

LONG WINAPI QXWL_QueryEEPROMVersion(ULONG* version)
{
    Enter("QXWL_QueryEEPROMVersion()");
    if (version) *version = 0;
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_QueryFWVersion(LPSTR version, ULONG size)
{
    Enter("QXWL_QueryFWVersion()");
    if (version && size) memset(version, 0, size);
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_QueryHWReg(ULONG address, ULONG* value)
{
    Enter("QXWL_QueryHWReg()");
    if (value) *value = 0;
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_ReadDriverPath(LPSTR path, ULONG size)
{
    Enter("QXWL_ReadDriverPath()");
    if (path && size) memset(path, 0, size);
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_ReadNetConfig(BYTE* config, ULONG size)
{
    Enter("QXWL_ReadNetConfig()");
    if (config && size) memset(config, 0, size);
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_RenewIPAddr(void)
{
    Enter("QXWL_RenewIPAddr()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_ResetCounter(void)
{
    Enter("QXWL_ResetCounter()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_RunOnceInitConfigTool(ULONG* select)
{
    Enter("QXWL_RunOnceInitConfigTool()");
    if (select) *select = 0;
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_RunOnceInitConfigTxBurst(void)
{
    Enter("QXWL_RunOnceInitConfigTxBurst()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_SetQxUIConfigMethod(ULONG method)
{
    Enter("QXWL_SetQxUIConfigMethod()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_SetReloadDefault(void)
{
    Enter("QXWL_SetReloadDefault()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_WriteNetConfig(const BYTE* config, ULONG size)
{
    Enter("QXWL_WriteNetConfig()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_AddIMMEBA(BA_REQUEST request)
{
    Enter("QXWL_AddIMMEBA()");
    return QXWL_ERROR_SUCCESS;
}

BOOL WINAPI QXWL_CheckIEEE80211H(void)
{
    Enter("QXWL_CheckIEEE80211H()");
    return FALSE;
}

BOOL WINAPI QXWL_CheckAdhoc5GDisable(void)
{
    Enter("QXWL_CheckAdhoc5GDisable()");
    return FALSE;
}

LONG WINAPI QXWL_EnableAPSD(BOOL enable)
{
    Enter("QXWL_EnableAPSD()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_EnableDLSetup(BOOL enable)
{
    Enter("QXWL_EnableDLSetup()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_GetMaxCountryRegion(ULONG* region11BG, ULONG* region11A)
{
    Enter("QXWL_GetMaxCountryRegion()");
    if (region11BG) *region11BG = 0;
    if (region11A) *region11A = 0;
    return QXWL_ERROR_SUCCESS;
}

BOOL WINAPI QXWL_IsExportablePrivateKey(const VN_BLOB_KEY* cert)
{
    Enter("QXWL_IsExportablePrivateKey()");
    return FALSE;
}

LONG WINAPI QXWL_QueryACMCmd(BYTE* command, ULONG size)
{
    Enter("QXWL_QueryACMCmd()");
    if (command && size) memset(command, 0, size);
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_QueryAndReadWMMCapability(ULONG* capability /* 8 words */)
{
    Enter("QXWL_QueryAndReadWMMCapability()");
    constexpr size_t kWmmWords = 8;
    if (capability) memset(capability, 0, kWmmWords * sizeof(ULONG));
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_QueryAntennaNumber(ULONG* antennas)
{
    Enter("QXWL_QueryAntennaNumber()");
    if (antennas) *antennas = 0;
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_QueryBACap(ULONG* capability)
{
    Enter("QXWL_QueryBACap()");
    if (capability) *capability = 0;
    return QXWL_ERROR_SUCCESS;
}

BOOL WINAPI QXWL_QueryBATable(BA_TABLE* table)
{
    Enter("QXWL_QueryBATable()");
    return FALSE;
}

LONG WINAPI QXWL_QueryDLSParameter(BYTE* parameter, ULONG size)
{
    Enter("QXWL_QueryDLSParameter()");
    if (parameter && size) memset(parameter, 0, size);
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_QueryHTPhyMode(ULONG* phyMode)
{
    Enter("QXWL_QueryHTPhyMode()");
    if (phyMode) *phyMode = 0;
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_QueryMFPCtrl(ULONG* control)
{
    Enter("QXWL_QueryMFPCtrl()");
    if (control) *control = 0;
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_QueryNetworkTypeSupport(ULONG* networkTypes)
{
    Enter("QXWL_QueryNetworkTypeSupport()");
    if (networkTypes) *networkTypes = 0;
    return QXWL_ERROR_SUCCESS;
}

BOOL WINAPI QXWL_ReadAckPolicy(ULONG* acBE, ULONG* acBK, ULONG* acVI, ULONG* acVO)
{
    Enter("QXWL_ReadAckPolicy()");
    if (acBE) *acBE = 0;
    if (acBK) *acBK = 0;
    if (acVI) *acVI = 0;
    if (acVO) *acVO = 0;
    return FALSE;
}

BOOL WINAPI QXWL_ReadBACap(ULONG* capability)
{
    Enter("QXWL_ReadBACap()");
    if (capability) *capability = 0;
    return FALSE;
}

LONG WINAPI QXWL_ReadWMMMacAddr(UCHAR* macs, ULONG size)
{
    Enter("QXWL_ReadWMMMacAddr()");
    if (macs && size) memset(macs, 0, size);
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_SetAckPolicy(ULONG acBE, ULONG acBK, ULONG acVI, ULONG acVO)
{
    Enter("QXWL_SetAckPolicy()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_SetACMCmd(const BYTE* command, ULONG size)
{
    Enter("QXWL_SetACMCmd()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_SetAndWriteAPSDSetting(ULONG setting)
{
    Enter("QXWL_SetAndWriteAPSDSetting()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_SetBACap(ULONG capabilityLow, ULONG capabilityHigh)
{
    Enter("QXWL_SetBACap()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_SetCCXDiagAction(ULONG action)
{
    Enter("QXWL_SetCCXDiagAction()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_SetCoexMode(LPCSTR mode)
{
    Enter("QXWL_SetCoexMode()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_SetCountryRegion(ULONG region11BG, ULONG region11A)
{
    Enter("QXWL_SetCountryRegion()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_SetDesiredRate(const VN_802_11_TX_RATES* rates)
{
    Enter("QXWL_SetDesiredRate()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_SetDLSParameter(const BYTE* parameter, ULONG size)
{
    Enter("QXWL_SetDLSParameter()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_SetHTPhyMode(ULONG phyMode)
{
    Enter("QXWL_SetHTPhyMode()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_SetMFPCtrl(ULONG control)
{
    Enter("QXWL_SetMFPCtrl()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_SetPhyMode(ULONG phyMode)
{
    Enter("QXWL_SetPhyMode()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_SetSTAConfig(const VN_802_11_STA_CONFIG* config)
{
    Enter("QXWL_SetSTAConfig()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_SetTXRate(ULONG rate)
{
    Enter("QXWL_SetTXRate()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_StartDiagTest(ULONG test)
{
    Enter("QXWL_StartDiagTest()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_StopDiagTest(void)
{
    Enter("QXWL_StopDiagTest()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_UpdateWMMEnable(const ULONG* capability /* 8 words */)
{
    Enter("QXWL_UpdateWMMEnable()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_VerifyCountryRegion(void)
{
    Enter("QXWL_VerifyCountryRegion()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_WriteAckPolicy(ULONG acBE, ULONG acBK, ULONG acVI, ULONG acVO)
{
    Enter("QXWL_WriteAckPolicy()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_WriteBACap(ULONG capability)
{
    Enter("QXWL_WriteBACap()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_WriteWMMMacAddr(const UCHAR* macs, ULONG size)
{
    Enter("QXWL_WriteWMMMacAddr()");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_ReadWMMTimeout(ULONG* timeout)
{
    Enter("QXWL_ReadWMMTimeout()");
    if (timeout) *timeout = 0;
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_WriteWMMTimeout(ULONG timeout)
{
    Enter("QXWL_WriteWMMTimeout()");
    return QXWL_ERROR_SUCCESS;
}

BOOL WINAPI QXWL_IsSupportTDLS(void)
{
    Enter("QXWL_IsSupportTDLS()");
    return FALSE;
}

// clang-format on
