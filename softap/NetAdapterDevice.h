// The machine's network adapters that the access point can be bridged to: present USB and PCI
// adapters other than the utility's own adapter and other than Bluetooth devices.
#pragma once
#include "framework/Afx.h"

#include <functional>
#include <vector>

constexpr size_t kNetDeviceTextBytes = 256;

// What the walk of the device installation services reads of one device of class "NET".
struct NetDeviceRecord {
    bool StatusRead = false;  // the device's status could be read
    ULONG Status = 0;
    ULONG Problem = 0;
    CString Name;             // friendly name, else device description
    bool KeyOpened = false;   // its driver key could be opened
    CString InstanceId;       // "NetCfgInstanceId"
    bool HasMatchingId = false;
    CString MatchingId;       // "MatchingDeviceId"
};

// Fills the records of the class "NET" in enumeration order; false when the class or its device
// list cannot be had. A source a test sets wins; else an adapter library that lists the
// machine's adapters itself (the simulated one does, as Wine's device tree holds none);
// else the platform's walk.
using NetDeviceSource = std::function<bool(std::vector<NetDeviceRecord>&)>;
void SetNetDeviceSource(NetDeviceSource source);  // empty: the default choice again
bool ReadPlatformNetDevices(std::vector<NetDeviceRecord>& devices);
// The list of a library with the entry point kNetDevicesEntryPoint; false without it or when it
// fails.
bool ReadLibraryNetDevices(HMODULE library, std::vector<NetDeviceRecord>& devices);
// What FindNetAdapterDevice walks, by the choice above.
bool ReadNetDevices(std::vector<NetDeviceRecord>& devices);

// list: emptied, then the names of the adapters that can be bridged. ownInstanceId: the
// utility's adapter (letter case ignored); its name goes to ownName (kNetDeviceTextBytes).
void FindNetAdapterDevice(std::vector<CString>& list, LPCSTR ownInstanceId, char* ownName);

// The filters of one record: true when it is listed.
bool IsBridgeableNetDevice(const NetDeviceRecord& device);

// The last failure of the walk ("DevCtrl : ..."), for the log.
const char* NetDeviceLastError();
