// The entry points whose behaviour later parts of the world bring: each is journalled,
// clears the words it is given to fill, and answers success (or "no", "none").
#include "sim/QxWLAPI/Exports.h"
#include "sim/common/StubOutputs.h"

#include <cstring>

using namespace sim;

// One entry point: its prototype (checked against the program's table), the arguments passed on
// for clearing, and its answer.
#define SIM_STUB(ret, name, params, args, answer) \
    ret WINAPI name params                        \
    {                                             \
        Enter(#name "()");                        \
        ClearOuts args;                           \
        return answer;                            \
    }

// clang-format off
SIM_STUB(LONG, QXWL_CheckDuplicatedWifiDirectWpseProfileName, (LPCSTR profileName), (profileName), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_CheckDuplicatedWifiDirectWpseSsid, (LPCSTR ssid), (ssid), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_DeleteWifiDirectWpseProfile, (LPCSTR profileName), (profileName), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_StopWifiDirectGO, (void), (), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_DisableWifiDirect, (void), (), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_SetWifiDirectIP, (const UCHAR* ipAddress), (ipAddress), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_DeleteWifiDirectWpsePerstEntry, (const BYTE* entry), (entry), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_ReadWiFiDirectDefaultWPAPSK, (BYTE* keyRecord), (keyRecord), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_SetMediaServerStartupType, (ULONG startType), (startType), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_StopMediaServer, (void), (), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_StartAndSetMediaFolder, (LPCSTR folder), (folder), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_SetMediaServerFriendlyName, (LPCSTR friendlyName), (friendlyName), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_StartMediaServer, (void), (), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_BackupStationSetting, (void), (), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_DisableDhcpServer, (void), (), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_EnableDhcpServer, (BOOL ics), (ics), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_InitAPSetting, (void), (), QXWL_ERROR_SUCCESS)
SIM_STUB(BOOL, QXWL_IsSupportAPMode, (void), (), TRUE)
SIM_STUB(BOOL, QXWL_QueryAPIPAddress, (BYTE* apAddress), (apAddress), FALSE)
SIM_STUB(LONG, QXWL_RestoreApSetting, (void), (), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_HostedNetworkStopUsing, (void), (), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_HostedNetworkStopUsingAndSetup, (EXTAP_CONFIG config), (config), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_HostedNetworkStartICS, (void), (), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_HostedNetworkStopICS, (void), (), QXWL_ERROR_SUCCESS)
SIM_STUB(BOOL, QXWL_IsSupportVistaSoftAP, (void), (), TRUE)
SIM_STUB(LONG, QXWL_WlanConnect, (ULONG authType, ULONG encryptType, ULONG networkType, const NDIS_802_11_SSID* ssid), (authType, encryptType, networkType, ssid), QXWL_ERROR_SUCCESS)
SIM_STUB(ULONG, QXWL_WlanConvertDot112NdisAuthType, (ULONG dot11AuthType), (dot11AuthType), dot11AuthType)
SIM_STUB(ULONG, QXWL_WlanConvertDot112NdisEncryptType, (ULONG dot11EncryptType), (dot11EncryptType), dot11EncryptType)
SIM_STUB(ULONG, QXWL_WlanConvertDot112NdisNetworkType, (ULONG dot11NetworkType), (dot11NetworkType), dot11NetworkType)
SIM_STUB(ULONG, QXWL_WlanConvertNdis2Dot11AuthType, (ULONG authMode), (authMode), authMode)
SIM_STUB(ULONG, QXWL_WlanConvertNdis2Dot11EncryptType, (ULONG encryStatus), (encryStatus), encryStatus)
SIM_STUB(ULONG, QXWL_WlanConvertNdis2Dot11NetworkType, (ULONG networkType), (networkType), networkType)
SIM_STUB(BOOL, QXWL_WlanIsAdhocSupportWPA2AES, (void), (), TRUE)
SIM_STUB(BOOL, QXWL_WlanIsCCXDiagnosticProfile, (LPCSTR profileName), (profileName), FALSE)
SIM_STUB(LONG, QXWL_WlanSendClientAbort, (void), (), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_WlanSendS64Start, (void), (), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_WlanDeleteAllQuixenWindowsProfiles, (void), (), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_DeleteCertificate, (LPCSTR store, ULONG index), (store, index), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_EnumSystemCertificate, (LPCSTR store, BYTE* certs, ULONG* count), (store, certs, count), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_FastPacLoad, (LPSTR pacName, ULONG pacNameSize, LPCSTR identity, ULONG flag), (pacName, pacNameSize, identity, flag), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_FastPacSave, (const BYTE* pacRecord, LPCSTR pacName, LPCSTR authorityId), (pacRecord, pacName, authorityId), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_GetWAPIProgress, (void), (), 0)
SIM_STUB(BOOL, QXWL_IsWAPIConnecting, (void), (), FALSE)
SIM_STUB(BOOL, QXWL_IsWAPISupported, (void), (), TRUE)
SIM_STUB(LONG, QXWL_LoadX509ASCertificate, (LPCSTR path, VN_BLOB_KEY* cert), (path, cert), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_LoadX509UserCertificate, (LPCSTR path, VN_BLOB_KEY* cert), (path, cert), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_SetupX509ASCertificate, (const VN_BLOB_KEY* cert), (cert), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_SetupX509UserCertificate, (const VN_BLOB_KEY* cert), (cert), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_SetWAPIMode, (ULONG mode), (mode), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_StartEapHostPeerInvokeConfigUI, (LPCSTR profileName, ULONG blobLength, const BYTE* blob), (profileName, blobLength, blob), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_ResetSSOFeature, (void), (), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_WriteSSOEnablePersConn, (BOOL enable), (enable), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_WriteSSOProfile, (LPCSTR profileName), (profileName), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_WriteSSOReleaseSUP, (void), (), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_WriteSSOSavePassword, (BOOL save), (save), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_WriteSSOSetting, (const BYTE* setting, ULONG size), (setting, size), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_WriteSSOProfileAndFunc, (LPCSTR profileName, ULONG function), (profileName, function), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_SetPreferWPSAPPhyType, (ULONG phyType), (phyType), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_SetWPSAssociateIE, (BOOL enable), (enable), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_SetWPSAutoSelect, (BOOL enable), (enable), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_SetWPSProbeReqIE, (BOOL enable), (enable), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_StartExtregWPS, (void), (), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_StopExtregWPS, (void), (), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_ExportProfile, (LPCSTR profileName, LPCSTR path), (profileName, path), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_ImportProfile, (LPCSTR path), (path), QXWL_ERROR_SUCCESS)
SIM_STUB(BOOL, QXWL_IsAllowStandardUserSetProfile, (void), (), TRUE)
SIM_STUB(LONG, QXWL_WriteProfileID, (LPCSTR profileName, ULONG profileId), (profileName, profileId), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_DevEnable, (BOOL enable), (enable), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_GetUSBversion, (ULONG* version), (version), QXWL_ERROR_SUCCESS)
SIM_STUB(BOOL, QXWL_IsAllowStandardUserSetAdvance, (void), (), TRUE)
SIM_STUB(LONG, QXWL_QueryEEPROMVersion, (ULONG* version), (version), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_QueryHWReg, (ULONG address, ULONG* value), (address, value), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_RenewIPAddr, (void), (), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_ResetCounter, (void), (), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_RunOnceInitConfigTxBurst, (void), (), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_SetQxUIConfigMethod, (ULONG method), (method), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_SetReloadDefault, (void), (), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_WriteNetConfig, (const BYTE* config, ULONG size), (config, size), QXWL_ERROR_SUCCESS)
SIM_STUB(BOOL, QXWL_CheckIEEE80211H, (void), (), FALSE)
SIM_STUB(BOOL, QXWL_CheckAdhoc5GDisable, (void), (), FALSE)
SIM_STUB(LONG, QXWL_EnableAPSD, (BOOL enable), (enable), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_EnableDLSetup, (BOOL enable), (enable), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_GetMaxCountryRegion, (ULONG* region11BG, ULONG* region11A), (region11BG, region11A), QXWL_ERROR_SUCCESS)
SIM_STUB(BOOL, QXWL_IsExportablePrivateKey, (const VN_BLOB_KEY* cert), (cert), FALSE)
SIM_STUB(LONG, QXWL_QueryAntennaNumber, (ULONG* antennas), (antennas), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_QueryBACap, (ULONG* capability), (capability), QXWL_ERROR_SUCCESS)
SIM_STUB(BOOL, QXWL_QueryBATable, (BA_TABLE* table), (table), FALSE)
SIM_STUB(LONG, QXWL_QueryHTPhyMode, (ULONG* phyMode), (phyMode), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_QueryMFPCtrl, (ULONG* control), (control), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_QueryNetworkTypeSupport, (ULONG* networkTypes), (networkTypes), QXWL_ERROR_SUCCESS)
SIM_STUB(BOOL, QXWL_ReadAckPolicy, (ULONG* acBE, ULONG* acBK, ULONG* acVI, ULONG* acVO), (acBE, acBK, acVI, acVO), FALSE)
SIM_STUB(BOOL, QXWL_ReadBACap, (ULONG* capability), (capability), FALSE)
SIM_STUB(LONG, QXWL_SetACMCmd, (const BYTE* command, ULONG size), (command, size), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_SetAndWriteAPSDSetting, (ULONG setting), (setting), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_SetBACap, (ULONG capabilityLow, ULONG capabilityHigh), (capabilityLow, capabilityHigh), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_SetCCXDiagAction, (ULONG action), (action), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_SetCoexMode, (LPCSTR mode), (mode), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_SetCountryRegion, (ULONG region11BG, ULONG region11A), (region11BG, region11A), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_SetDesiredRate, (const VN_802_11_TX_RATES* rates), (rates), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_SetDLSParameter, (const BYTE* parameter, ULONG size), (parameter, size), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_SetHTPhyMode, (ULONG phyMode), (phyMode), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_SetMFPCtrl, (ULONG control), (control), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_SetPhyMode, (ULONG phyMode), (phyMode), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_SetSTAConfig, (const VN_802_11_STA_CONFIG* config), (config), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_SetTXRate, (ULONG rate), (rate), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_StartDiagTest, (ULONG test), (test), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_StopDiagTest, (void), (), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_UpdateWMMEnable, (const ULONG* capability), (capability), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_VerifyCountryRegion, (void), (), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_WriteBACap, (ULONG capability), (capability), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_WriteWMMMacAddr, (const UCHAR* macs, ULONG size), (macs, size), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_ReadWMMTimeout, (ULONG* timeout), (timeout), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXWL_WriteWMMTimeout, (ULONG timeout), (timeout), QXWL_ERROR_SUCCESS)
SIM_STUB(BOOL, QXWL_IsSupportTDLS, (void), (), FALSE)

// One entry point that fills a buffer of `size` bytes: it leaves the buffer zeroed.
#define SIM_BUFFER_STUB(name, params, buffer)         \
    LONG WINAPI name params                           \
    {                                                 \
        Enter(#name "()");                            \
        if (buffer && size) memset(buffer, 0, size); \
        return QXWL_ERROR_SUCCESS;                    \
    }
SIM_BUFFER_STUB(QXWL_WlanBuildIHVMessage, (BYTE* message, ULONG size), message)
SIM_BUFFER_STUB(QXWL_GetCertificateManagerParam, (BYTE* param, ULONG size), param)
SIM_BUFFER_STUB(QXWL_PasswordHash, (LPCSTR password, BYTE* hash, ULONG size), hash)
SIM_BUFFER_STUB(QXWL_GetWAPICertInfo, (BYTE* info, ULONG size), info)
SIM_BUFFER_STUB(QXWL_ReadSSOInfo, (BYTE* info, ULONG size), info)
SIM_BUFFER_STUB(QXWL_QueryFWVersion, (LPSTR version, ULONG size), version)
SIM_BUFFER_STUB(QXWL_ReadDriverPath, (LPSTR path, ULONG size), path)
SIM_BUFFER_STUB(QXWL_ReadNetConfig, (BYTE* config, ULONG size), config)
SIM_BUFFER_STUB(QXWL_QueryACMCmd, (BYTE* command, ULONG size), command)
SIM_BUFFER_STUB(QXWL_QueryDLSParameter, (BYTE* parameter, ULONG size), parameter)
SIM_BUFFER_STUB(QXWL_ReadWMMMacAddr, (UCHAR* macs, ULONG size), macs)
// clang-format on
#undef SIM_STUB
#undef SIM_BUFFER_STUB



LONG WINAPI QXWL_ReadWiFiDirectGOssid(NDIS_802_11_SSID* ssid)
{
    Enter("QXWL_ReadWiFiDirectGOssid()");
    if (ssid) memset(ssid, 0, sizeof *ssid);
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_HostedNetworkQuerySettings(EXTAP_CONFIG* config)
{
    Enter("QXWL_HostedNetworkQuerySettings()");
    if (config) memset(config, 0, sizeof *config);
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_ReadSSOCurrProfileName(LPSTR profileName /* 128 */)
{
    Enter("QXWL_ReadSSOCurrProfileName()");
    if (profileName) PutText(profileName, kProfileNameBytes, "");
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_QueryAndReadWMMCapability(ULONG* capability /* 8 words */)
{
    Enter("QXWL_QueryAndReadWMMCapability()");
    constexpr size_t kWmmWords = 8;
    if (capability) memset(capability, 0, kWmmWords * sizeof(ULONG));
    return QXWL_ERROR_SUCCESS;
}

