// The machine's network adapters as an adapter library hands them out when it knows them
// itself: the simulated machine does, where the platform's device tree holds no adapters. A
// library without the entry point leaves the program to the device installation services.
#pragma once
#include <windows.h>

constexpr char kNetDevicesEntryPoint[] = "QXSIM_GetNetDevices";
constexpr size_t kNetDeviceEntryTextBytes = 256;

// One device of class "NET", as the walk of the device installation services reads it.
struct NET_DEVICE_ENTRY {
    ULONG StatusRead;     // 0: its status could not be read
    ULONG Status;         // DN_* bits
    ULONG Problem;
    ULONG KeyOpened;      // 0: its driver key could not be opened
    ULONG HasMatchingId;  // 0: "MatchingDeviceId" is missing
    char Name[kNetDeviceEntryTextBytes];        // friendly name, else description
    char InstanceId[kNetDeviceEntryTextBytes];  // "NetCfgInstanceId"
    char MatchingId[kNetDeviceEntryTextBytes];  // "MatchingDeviceId"
};
static_assert(sizeof(NET_DEVICE_ENTRY) == 20 + 3 * 256, "NET_DEVICE_ENTRY layout");

// entries: room for *count entries. Answers 1 with *count = the entries filled, or -10 with
// *count = the entries needed (nothing filled).
typedef LONG(WINAPI* PFN_QXSIM_GetNetDevices)(NET_DEVICE_ENTRY* entries, ULONG* count);
