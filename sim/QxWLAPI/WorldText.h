// The world-file format (an INI-like text; sim/README.md describes every key):
//
//   ; comment
//   [World]              machine, driver and timing settings (WorldSettings), Journal=<file>,
//                        SystemProfiles=<name>,<name>... (the system's wireless profiles)
//   [Adapter1]           Name, DeviceID, Description, Text392, SoftApName, DeviceName, Location,
//                        Manufacturer, Kind
//   [Network1]           Ssid, Bssid (00:1A:2B:44:71:01), Channel, Rssi, Mode (Infrastructure|Adhoc),
//                        Security (Open|Shared|WEP|WPA-PSK|WPA2-PSK|WPA|WPA2|CCKM or a code),
//                        Cipher (None|WEP|TKIP|AES or a code), Key, Hidden, HT, HT40, WPS,
//                        BeaconInterval, EapMethod (PEAP|TLS|TTLS|FAST|MD5|LEAP), Identity, Password
//   [Profile1]           Name, Ssid, Security, Cipher, Key, Active
//   [Peer1]              Wi-Fi Direct peer: Name, Address, Role (1|2), Intent (0-15),
//                        Accept (PBC|PIN|Any|None), Owner (its group owner's address), Invites,
//                        ConfigMethods, DeviceType (Computer|Input|Printer|Camera|Storage|Network|
//                        Display|Multimedia|Gaming|Telephone or a category number)
//
// Section names are matched by prefix ("Network", "Network2", "NetworkCafe" are all networks).
// Any [Adapter*], [Network*] or [Profile*] section replaces all of its kind; [World] keys
// override one by one.
#pragma once
#include "sim/QxWLAPI/WorldModel.h"

#include <string>
#include <utility>
#include <vector>

namespace sim {

struct WorldPatch {
    std::vector<std::pair<const SettingKey*, LONG>> Settings;
    bool HasJournalFile = false;
    std::string JournalFile;
    bool HasSystemProfiles = false;
    std::vector<std::string> SystemProfiles;
    bool HasAdapters = false;
    std::vector<SimAdapter> Adapters;
    bool HasNetworks = false;
    std::vector<SimNetwork> Networks;
    bool HasProfiles = false;
    bool HasPeers = false;
    std::vector<SimPeer> Peers;
    std::vector<StoredProfile> Profiles;
    bool HasNetDevices = false;
    std::vector<NetDevice> NetDevices;
};

// False (with the first faulty line in `error`) when a line, section, key or value is not understood.
bool ParseWorldText(const std::string& text, WorldPatch& patch, std::string& error);
void ApplyWorldPatch(const WorldPatch& patch, World& world);

}  // namespace sim
