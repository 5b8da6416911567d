// The entry points of the soft-AP library "QxAPAPI.dll", one line each in the library's binding
// order: result, name, parameters. The program binds them by name (QXAPLIB); the stand-in
// library declares its exports from the same list, so both sides agree on every prototype
// (records passed by value travel by hidden reference on x64).
//
// Conventions as the station library's (contract/StationEntryPoints.h): standard calling
// convention, a LONG result is a status word (1 success, -10 too small) unless the line says it
// answers a question.
#pragma once
#include "contract/SoftApRecords.h"

// clang-format off
#define QXAP_ENTRY_POINTS(X) \
    X(LONG, QXAP_Initial, (LPCSTR vendor, HWND notifyWindow)) \
    X(LONG, QXAP_DeInitial, (void)) \
    X(LONG, QXAP_GetWinOS, (void) /* answers: the operating-system code */) \
    X(BOOL, QXAP_IsFileExist, (LPCSTR path)) \
    X(LONG, QXAP_FrequencyToChannel, (ULONG frequencyKHz) /* answers: channel, -1 for none */) \
    X(LONG, QXAP_ChannelToFrequency, (LONG channel) /* answers: kHz, 0 for none */) \
    X(LONG, QXAP_StrToIPData, (LPCSTR text, UCHAR* ip /* 4 */)) \
    X(LONG, QXAP_IPDataToStr, (const UCHAR* ip /* 4 */, LPSTR text, ULONG size)) \
    X(LONG, QXAP_GetAvailableAdapters, (BYTE* list /* u32 count, entries */, LONG capacity) /* answers: count, or -10 */) \
    X(LONG, QXAP_AdapterSelect, (const ADAPTER_ENTRY* adapter, ULONG flags, HWND notifyWindow)) \
    X(BOOL, QXAP_IsDeviceExist, (LPCSTR adapterName)) \
    X(LONG, QXAP_GetDriverPath, (const ADAPTER_ENTRY* adapter, LPSTR path /* MAX_PATH */)) \
    X(BOOL, QXAP_OIDQueryInfo, (ULONG oid, BYTE* buffer, ULONG length, ULONG* written)) \
    X(LONG, QXAP_OIDSetInfo, (ULONG oid, const BYTE* buffer, ULONG length)) \
    X(LONG, QXAP_ReadRegValue, (LPCSTR valueName, BYTE* data, ULONG* length)) \
    X(LONG, QXAP_WriteRegValue, (LPCSTR valueName, ULONG type, const BYTE* data, ULONG length)) \
    X(LONG, QXAP_GetNetConfig, (BYTE* config, ULONG size)) \
    X(LONG, QXAP_GetMacAddrs, (UCHAR* mac /* 6 */)) \
    X(LONG, QXAP_GetEEPROMVer, (ULONG* version)) \
    X(LONG, QXAP_GetFirmwareVer, (LPSTR version, ULONG size)) \
    X(BOOL, QXAP_IsWow64, (void)) \
    X(BOOL, QXAP_DetectUserAdmin, (void)) \
    X(BOOL, QXAP_DetectMoreThanOneProcess, (void)) \
    X(BOOL, QXAP_Is80211ASupport, (void)) \
    X(BOOL, QXAP_Is80211NSupport, (void)) \
    X(LONG, QXAP_QueryOPMode, (void) /* answers: the driver's operation mode */) \
    X(BOOL, QXAP_SetOPMode, (ULONG opMode)) \
    X(BOOL, QXAP_CheckIEEE80211H, (void)) \
    X(LONG, QXAP_IsZeroConfig, (void) /* answers: non-zero while the XP zero configuration runs */) \
    X(LONG, QXAP_StopXpZeroConfig, (void)) \
    X(BOOL, QXAP_GetCurrentDeviceModel, (ULONG* model)) \
    X(LONG, QXAP_ResetStatisticsCounter, (void)) \
    X(LONG, QXAP_QueryHTStatus, (ULONG* htStatus)) \
    X(LONG, QXAP_QueryMacTableNOT_11N, (VN_802_11_MAC_TABLE_NOT_11N* table) /* low byte non-zero: valid */) \
    X(LONG, QXAP_QueryMacTable, (VN_802_11_MAC_TABLE* table) /* low byte non-zero: valid */) \
    X(LONG, QXAP_ReadAccessPolicy, (LPSTR policy /* kApAccessTextBytes, decimal */)) \
    X(LONG, QXAP_ReadAccessList, (LPSTR list /* kApAccessTextBytes: NUL-separated, ends at an empty text */)) \
    X(LONG, QXAP_WriteAccessPolicy, (ULONG policy)) \
    X(LONG, QXAP_WriteAccessList, (LPCSTR list, ULONG length /* 13 x count + 1 */)) \
    X(LONG, QXAP_Set80211ACL, (const AP_ACL_LIST* acl)) \
    X(LONG, QXAP_QueryApWLANStatus, (ULONG* status)) \
    X(LONG, QXAP_QuerySTAConfig, (VN_802_11_STA_CONFIG* config)) \
    X(LONG, QXAP_QueryCountryRegion, (ULONG* region, ULONG* has5GHz, ULONG* has24GHz)) \
    X(LONG, QXAP_GetCountryChannel, (UCHAR* channels5GHz /* 32 */, UCHAR* channels24GHz /* 32 */, ULONG* count24GHz, ULONG* count5GHz, ULONG region24GHz, ULONG region5GHz)) \
    X(LONG, QXAP_ReadConfigData, (AP_CONFIG_DATA* config)) \
    X(LONG, QXAP_WriteandSetConfigData, (AP_CONFIG_DATA config, AP_ADVANCE_DATA advance)) \
    X(LONG, QXAP_GetSideBandParaFromE2PROM_BG, (ULONG* flag)) \
    X(LONG, QXAP_Query80211CONFIGURATION, (BYTE* configuration, ULONG size)) \
    X(LONG, QXAP_QueryInitialState, (ULONG* state) /* *state 1: the driver is ready */) \
    X(LONG, QXAP_SetConfigData, (const AP_CONFIG_DATA* config, const AP_ADVANCE_DATA* advance)) \
    X(LONG, QXAP_QueryAuthMode, (void) /* answers: the driver's authentication mode */) \
    X(LONG, QXAP_ReadAuthMode, (void) /* answers: the stored authentication mode */) \
    X(LONG, QXAP_QuerySignalStrength, (void) /* answers: RSSI in dBm */) \
    X(LONG, QXAP_ConvertRssiToSignalQuality, (LONG rssi) /* answers: percent */) \
    X(LONG, QXAP_QueryEventTable, (BYTE* table, ULONG size)) \
    X(LONG, QXAP_RestoreStationSetting, (void)) \
    X(LONG, QXAP_QueryAIRONETIP, (BYTE* info, ULONG size)) \
    X(LONG, QXAP_SetAuthSecuKey, (const AP_CONFIG_DATA* config)) \
    X(LONG, QXAP_QueryHWReg, (ULONG address, ULONG* value)) \
    X(LONG, QXAP_SetHWReg, (ULONG address, ULONG value)) \
    X(LONG, QXAP_QueryRxAgcVgcTuning, (ULONG* tuning)) \
    X(LONG, QXAP_SetRxAgcVgcTuning, (ULONG tuning)) \
    X(LONG, QXAP_SetGENMICERROR, (ULONG error)) \
    X(LONG, QXAP_ConvertMACStrToByte, (LPCSTR text, UCHAR* mac /* 6 */)) \
    X(LONG, QXAP_SetIMMEBA, (BA_REQUEST request)) \
    X(LONG, QXAP_WriteBACap, (ULONG capability)) \
    X(BOOL, QXAP_ReadBACap, (ULONG* capability)) \
    X(LONG, QXAP_QueryBACap, (ULONG* capability)) \
    X(LONG, QXAP_SetBACap, (ULONG capabilityLow, ULONG capabilityHigh)) \
    X(BOOL, QXAP_QueryBATable, (BA_TABLE* table)) \
    X(LONG, QXAP_GetAPDefault, (AP_CONFIG_DATA* config)) \
    X(LONG, QXAP_InitAPSettings, (void)) \
    X(LONG, QXAP_QuerySWRadioState, (ULONG* swRadio)) \
    X(BOOL, QXAP_CheckAllowBW40ForBand, (ULONG* bands /* in: bits 0 and 1 set; out: the bands that may use 40 MHz */)) \
    X(LONG, QXAP_WlanDeleteAllQuixenWindowsProfiles, (void)) \
    X(LONG, QXAP_SetVistaWindowsProfile, (LPCSTR ssid, ULONG length)) \
    X(LONG, QXAP_DeleteVistaWindowsProfile, (void)) \
    X(LONG, QXAP_EnableDhcpServer, (void)) \
    X(LONG, QXAP_DisableDhcpServer, (void))
// clang-format on

// One pointer type per entry point: PFN_QXAP_Initial, ...
#define QXAP_DECLARE_PFN(ret, name, params) typedef ret(WINAPI* PFN_##name) params;
QXAP_ENTRY_POINTS(QXAP_DECLARE_PFN)
#undef QXAP_DECLARE_PFN

#define QXAP_COUNT_ONE(ret, name, params) +1
constexpr int kSoftApEntryPointCount = 0 QXAP_ENTRY_POINTS(QXAP_COUNT_ONE);
#undef QXAP_COUNT_ONE
static_assert(kSoftApEntryPointCount == 79);
