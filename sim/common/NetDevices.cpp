#include "sim/common/NetDevices.h"
#include "sim/common/TextValues.h"

#include <cctype>
#include <cstdio>
#include <cstring>

namespace sim {
namespace {
constexpr ULONG kStarted = 0x0100000A;  // a started device with its driver loaded
constexpr ULONG kHasProblem = 0x400;
constexpr ULONG kNoShow = 0x40000000;
constexpr LONG kTooSmall = -10;

struct KindId {
    const char* kind;
    const char* matchingId;
};
constexpr KindId kKinds[] = {
    {"USB", "usb\\vid_0b95&pid_7720"},
    {"PCI", "pci\\ven_8086&dev_100e"},
    {"Bluetooth", "usb\\bluetooth_pan"},
    {"Virtual", "{5d624f94-8850-40c3-a3fa-a4fd2080baf3}\\vwifimp"},
};

void Copy(char (&field)[kNetDeviceEntryTextBytes], const std::string& text)
{
    snprintf(field, sizeof field, "%s", text.c_str());
}

NET_DEVICE_ENTRY Entry(const std::string& name, const std::string& instanceId, const std::string& matchingId)
{
    NET_DEVICE_ENTRY e = {};
    e.StatusRead = 1;
    e.Status = kStarted;
    e.KeyOpened = 1;
    e.HasMatchingId = 1;
    Copy(e.Name, name);
    Copy(e.InstanceId, instanceId);
    Copy(e.MatchingId, matchingId);
    return e;
}
}  // namespace

bool NetDeviceKey(NetDevice& device, const std::string& key, const std::string& value)
{
    LONG n = 0;
    if (_stricmp(key.c_str(), "Name") == 0) {
        device.Name = value.substr(0, kNetDeviceEntryTextBytes - 1);
        return true;
    }
    if (_stricmp(key.c_str(), "Kind") == 0) {
        for (const KindId& kind : kKinds)
            if (_stricmp(value.c_str(), kind.kind) == 0) return device.Kind = kind.kind, true;
        return false;
    }
    if (_stricmp(key.c_str(), "Problem") == 0) return ParseLong(value, n) && ((device.Problem = n != 0), true);
    if (_stricmp(key.c_str(), "Hidden") == 0) return ParseLong(value, n) && ((device.Hidden = n != 0), true);
    return false;
}

NET_DEVICE_ENTRY OwnAdapterEntry(const std::string& name, const std::string& description, const std::string& deviceId)
{
    std::string matchingId = deviceId;
    for (char& c : matchingId) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return Entry(description.empty() ? name : description, name, matchingId);
}

NET_DEVICE_ENTRY NetDeviceEntry(const NetDevice& device, size_t index)
{
    const char* matchingId = kKinds[1].matchingId;
    for (const KindId& kind : kKinds)
        if (device.Kind == kind.kind) matchingId = kind.matchingId;
    char instanceId[64];
    snprintf(instanceId, sizeof instanceId, "{4E455444-0000-0000-0000-%012u}", static_cast<unsigned>(index + 1));
    NET_DEVICE_ENTRY e = Entry(device.Name, instanceId, matchingId);
    if (device.Problem) e.Status |= kHasProblem, e.Problem = 10;
    if (device.Hidden) e.Status |= kNoShow;
    return e;
}

LONG HandOutNetDevices(const std::vector<NET_DEVICE_ENTRY>& all, NET_DEVICE_ENTRY* entries, ULONG* count)
{
    if (!count) return 0;
    const ULONG needed = static_cast<ULONG>(all.size());
    if (!entries || *count < needed) {
        *count = needed;
        return kTooSmall;
    }
    if (needed) memcpy(entries, all.data(), needed * sizeof(NET_DEVICE_ENTRY));
    *count = needed;
    return 1;
}

}  // namespace sim
