#include "softap/NetAdapterDevice.h"
#include "base/DebugLog.h"
#include "contract/NetDeviceRecords.h"
#include "contract/StationContract.h"
#include "core/QXAPLIB.h"
#include "core/QXWLLIB.h"

#include <cfgmgr32.h>
#include <setupapi.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {
constexpr char kNetClass[] = "NET";
constexpr ULONG kHasProblem = 0x400;          // DN_HAS_PROBLEM
constexpr ULONG kNotShown = 0x40000000;       // DN_NO_SHOW_IN_DM
constexpr DWORD kMaxClassGuids = 4;

NetDeviceSource& Source()
{
    static NetDeviceSource source;
    return source;
}

char g_szError[kNetDeviceTextBytes] = "";

void SetError(const char* reason)
{
    snprintf(g_szError, sizeof g_szError, "DevCtrl : %s", reason);
    DebugLog(3, "[QxUI] %s\n", g_szError);
}

bool GetClassDevs(const char* className, HDEVINFO& devices)
{
    GUID guids[kMaxClassGuids] = {};
    DWORD count = 0;
    BOOL ok = ::SetupDiClassGuidsFromNameA(className, guids, kMaxClassGuids, &count);
    if (!ok) ok = ::SetupDiClassGuidsFromNameA(className, guids, kMaxClassGuids, &count);
    // A success with no class gives no GUID to use.
    if (!ok || count == 0) {
        SetError("Get Class GUID from name fail.");
        return false;
    }
    devices = ::SetupDiGetClassDevsA(&guids[0], nullptr, nullptr, DIGCF_PRESENT);
    if (devices == INVALID_HANDLE_VALUE) {
        SetError("Get Class device handle fail.");
        return false;
    }
    return true;
}

void GetDeviceRegistryProperty(HDEVINFO devices, SP_DEVINFO_DATA& device, char* buffer, DWORD size)
{
    memset(buffer, 0, size);
    ::SetupDiGetDeviceRegistryPropertyA(devices, &device, SPDRP_FRIENDLYNAME, nullptr,
                                        reinterpret_cast<BYTE*>(buffer), size - 1, nullptr);
    if (buffer[0]) return;
    memset(buffer, 0, size);
    ::SetupDiGetDeviceRegistryPropertyA(devices, &device, SPDRP_DEVICEDESC, nullptr, reinterpret_cast<BYTE*>(buffer),
                                        size - 1, nullptr);
}

bool GetDevNodeStatus(DEVINST instance, ULONG& status, ULONG& problem)
{
    status = 0;
    problem = 0;
    if (::CM_Get_DevNode_Status(&status, &problem, instance, 0) == CR_SUCCESS) return true;
    SetError("Get Device Status fail.");
    return false;
}

bool ReadText(HKEY key, const char* name, CString& value)
{
    char buffer[kNetDeviceTextBytes] = {};
    DWORD type = 0, size = sizeof buffer - 1;
    if (::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    value = buffer;
    return true;
}
}  // namespace

void SetNetDeviceSource(NetDeviceSource source)
{
    Source() = std::move(source);
}

const char* NetDeviceLastError()
{
    return g_szError;
}

bool ReadPlatformNetDevices(std::vector<NetDeviceRecord>& records)
{
    HDEVINFO devices = INVALID_HANDLE_VALUE;
    if (!GetClassDevs(kNetClass, devices)) return false;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD index = 0; ::SetupDiEnumDeviceInfo(devices, index, &device); ++index) {
        NetDeviceRecord record;
        record.StatusRead = GetDevNodeStatus(device.DevInst, record.Status, record.Problem);
        char name[kNetDeviceTextBytes];
        GetDeviceRegistryProperty(devices, device, name, sizeof name);
        record.Name = name;
        HKEY key = ::SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DRV, KEY_READ);
        if (key != INVALID_HANDLE_VALUE && key) {
            record.KeyOpened = true;
            ReadText(key, "NetCfgInstanceId", record.InstanceId);
            record.HasMatchingId = ReadText(key, "MatchingDeviceId", record.MatchingId);
            ::RegCloseKey(key);
        }
        records.push_back(record);
    }
    ::SetupDiDestroyDeviceInfoList(devices);
    return true;
}

bool ReadLibraryNetDevices(HMODULE library, std::vector<NetDeviceRecord>& records)
{
    const auto query =
        library ? reinterpret_cast<PFN_QXSIM_GetNetDevices>(::GetProcAddress(library, kNetDevicesEntryPoint)) : nullptr;
    if (!query) return false;
    std::vector<NET_DEVICE_ENTRY> entries(8);
    ULONG count = static_cast<ULONG>(entries.size());
    LONG status = query(entries.data(), &count);
    if (status == QXWL_ERROR_BUFFER_TOO_SMALL) {
        // Asked once more with the room the library named; a list that grows again is refused.
        entries.resize(count);
        status = query(entries.data(), &count);
    }
    if (status != QXWL_ERROR_SUCCESS || count > entries.size()) {
        SetError("Get Class device handle fail.");
        return false;
    }
    const auto text = [](const char (&field)[kNetDeviceEntryTextBytes]) {
        return CString(std::string(field, strnlen(field, sizeof field)).c_str());
    };
    for (ULONG i = 0; i < count; ++i) {
        const NET_DEVICE_ENTRY& e = entries[i];
        NetDeviceRecord record;
        record.StatusRead = e.StatusRead != 0;
        record.Status = e.Status;
        record.Problem = e.Problem;
        record.Name = text(e.Name);
        record.KeyOpened = e.KeyOpened != 0;
        record.InstanceId = text(e.InstanceId);
        record.HasMatchingId = e.HasMatchingId != 0;
        record.MatchingId = text(e.MatchingId);
        records.push_back(record);
    }
    return true;
}

bool ReadNetDevices(std::vector<NetDeviceRecord>& devices)
{
    if (Source()) return Source()(devices);
    // An adapter library that knows the machine's adapters itself answers for the device tree
    // (the soft-AP library's first, in access-point mode both may be loaded).
    for (HMODULE library : {QXAPAPI.m_hQxAPAPI, QXWLAPI.m_hQxWLAPI}) {
        if (library && ::GetProcAddress(library, kNetDevicesEntryPoint)) return ReadLibraryNetDevices(library, devices);
    }
    return ReadPlatformNetDevices(devices);
}

bool IsBridgeableNetDevice(const NetDeviceRecord& device)
{
    CString id = device.MatchingId;
    // Upper-cased once, so "bluetooth" is caught as "BLUETOOTH" is.
    id.MakeUpper();
    if (id.Find("BLUETOOTH") >= 0) return false;
    return id.Find("USB") >= 0 || id.Find("PCI") >= 0;
}

void FindNetAdapterDevice(std::vector<CString>& list, LPCSTR ownInstanceId, char* ownName)
{
    list.clear();
    std::vector<NetDeviceRecord> devices;
    if (!ReadNetDevices(devices)) return;
    for (const NetDeviceRecord& device : devices) {
        // A device whose status cannot be read is passed over, not the end of the walk.
        if (!device.StatusRead) continue;
        if (device.Status & (kHasProblem | kNotShown)) continue;
        if (!device.KeyOpened || !device.HasMatchingId) continue;
        if (ownInstanceId && *ownInstanceId && device.InstanceId.CompareNoCase(ownInstanceId) == 0) {
            if (ownName) {
                strncpy(ownName, device.Name, kNetDeviceTextBytes - 1);
                ownName[kNetDeviceTextBytes - 1] = '\0';
            }
            continue;
        }
        if (IsBridgeableNetDevice(device)) list.push_back(device.Name);
    }
}
