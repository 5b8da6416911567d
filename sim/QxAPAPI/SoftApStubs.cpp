// The entry points the program does not rely on for the access point's behaviour: each is
// journalled, clears the words it is given to fill, and answers success (a 32-bit host, both
// bands allowed 40 MHz).
#include "contract/SoftApEntryPoints.h"
#include "contract/StationContract.h"
#include "sim/QxAPAPI/SoftApWorld.h"
#include "sim/common/StubOutputs.h"

#define SIM_DECLARE_EXPORT(ret, name, params) extern "C" __attribute__((dllexport)) ret WINAPI name params;
QXAP_ENTRY_POINTS(SIM_DECLARE_EXPORT)
#undef SIM_DECLARE_EXPORT

#define SIM_STUB(ret, name, params, args, answer)        \
    ret WINAPI name params                               \
    {                                                    \
        simap::SoftApWorld::Get().Enter(#name "()");     \
        sim::ClearOuts args;                                \
        return answer;                                   \
    }

// clang-format off
SIM_STUB(LONG, QXAP_GetDriverPath, (const ADAPTER_ENTRY* adapter, LPSTR path), (adapter, path), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXAP_OIDSetInfo, (ULONG oid, const BYTE* buffer, ULONG length), (oid, buffer, length), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXAP_ReadRegValue, (LPCSTR valueName, BYTE* data, ULONG* length), (valueName, data, length), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXAP_WriteRegValue, (LPCSTR valueName, ULONG type, const BYTE* data, ULONG length), (valueName, type, data, length), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXAP_GetNetConfig, (BYTE* config, ULONG size), (config, size), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXAP_GetEEPROMVer, (ULONG* version), (version), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXAP_GetFirmwareVer, (LPSTR version, ULONG size), (version, size), QXWL_ERROR_SUCCESS)
SIM_STUB(BOOL, QXAP_IsWow64, (void), (), FALSE)
SIM_STUB(LONG, QXAP_ResetStatisticsCounter, (void), (), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXAP_QueryHTStatus, (ULONG* htStatus), (htStatus), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXAP_QueryApWLANStatus, (ULONG* status), (status), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXAP_QuerySTAConfig, (VN_802_11_STA_CONFIG* config), (config), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXAP_Query80211CONFIGURATION, (BYTE* configuration, ULONG size), (configuration, size), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXAP_QueryEventTable, (BYTE* table, ULONG size), (table, size), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXAP_QueryAIRONETIP, (BYTE* info, ULONG size), (info, size), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXAP_SetAuthSecuKey, (const AP_CONFIG_DATA* config), (config), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXAP_QueryHWReg, (ULONG address, ULONG* value), (address, value), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXAP_SetHWReg, (ULONG address, ULONG value), (address, value), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXAP_QueryRxAgcVgcTuning, (ULONG* tuning), (tuning), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXAP_SetRxAgcVgcTuning, (ULONG tuning), (tuning), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXAP_SetGENMICERROR, (ULONG error), (error), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXAP_SetIMMEBA, (BA_REQUEST request), (request), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXAP_WriteBACap, (ULONG capability), (capability), QXWL_ERROR_SUCCESS)
SIM_STUB(BOOL, QXAP_ReadBACap, (ULONG* capability), (capability), TRUE)
SIM_STUB(LONG, QXAP_QueryBACap, (ULONG* capability), (capability), QXWL_ERROR_SUCCESS)
SIM_STUB(LONG, QXAP_SetBACap, (ULONG capabilityLow, ULONG capabilityHigh), (capabilityLow, capabilityHigh), QXWL_ERROR_SUCCESS)
SIM_STUB(BOOL, QXAP_QueryBATable, (BA_TABLE* table), (table), TRUE)
SIM_STUB(LONG, QXAP_QuerySWRadioState, (ULONG* swRadio), (swRadio), QXWL_ERROR_SUCCESS)
// clang-format on
