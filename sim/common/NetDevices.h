// The simulated machine's other network adapters, those the access point can be bridged to:
// the [NetAdapter*] sections of a world file, handed to the program with the library's own
// adapters in front, as the machine's device tree would list them.
#pragma once
#include "contract/NetDeviceRecords.h"

#include <string>
#include <vector>

namespace sim {

struct NetDevice {
    std::string Name;
    std::string Kind = "PCI";  // USB, PCI, Bluetooth (a PAN adapter on USB) or Virtual
    bool Problem = false;      // the device reports a problem
    bool Hidden = false;       // not shown in the device manager
};

// One key of a [NetAdapter*] section (Name, Kind, Problem, Hidden); false when not understood.
bool NetDeviceKey(NetDevice& device, const std::string& key, const std::string& value);

// The library's own adapter: its name is the instance id the program compares with.
NET_DEVICE_ENTRY OwnAdapterEntry(const std::string& name, const std::string& description, const std::string& deviceId);
NET_DEVICE_ENTRY NetDeviceEntry(const NetDevice& device, size_t index);

// QXSIM_GetNetDevices's answer from the whole list.
LONG HandOutNetDevices(const std::vector<NET_DEVICE_ENTRY>& all, NET_DEVICE_ENTRY* entries, ULONG* count);

}  // namespace sim
