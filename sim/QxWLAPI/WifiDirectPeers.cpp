// Wi-Fi Direct behind the stand-in: the peers of the world file are discovered, accept or refuse
// a connection by push button or PIN, form a group whose owner the intents choose, invite us,
// and every change reaches the program as a status block with the status event set.
#include "sim/QxWLAPI/Exports.h"
#include "sim/common/ModuleFiles.h"
#include "contract/WiFiDirectRecords.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

using namespace sim;

namespace {
constexpr UCHAR kGroupChannel = 6;
constexpr char kGroupKey[] = "p2pQuixen88";
constexpr UCHAR kGroupSubnet[3] = {192, 168, 137};
constexpr ULONG kErrorBothIntent15 = 1;
constexpr ULONG kErrorWpsNack = 3;
constexpr ULONG kErrorNoConfigMethod = 5;
constexpr ULONG kErrorRejectByUser = 7;
constexpr ULONG kErrorCantFind = 4;
// The push-button and display/keypad bits of the WPS configuration methods.
constexpr USHORT kMethodPushButton = 0x0080;

void Put(std::vector<BYTE>& b, size_t at, const void* data, size_t size) { std::memcpy(b.data() + at, data, size); }
template <typename T> void PutValue(std::vector<BYTE>& b, size_t at, T value) { Put(b, at, &value, sizeof value); }

std::vector<BYTE> Block(UCHAR event)
{
    std::vector<BYTE> b(kWiFiDirectStatusBytes, 0);
    b[0] = event;
    return b;
}

std::vector<BYTE> ErrorBlock(ULONG code, USHORT methods = 0)
{
    std::vector<BYTE> b = Block(WIFIDIRECTEVENT_ERROR_CODE);
    PutValue(b, kWdErrorCodeOffset, code);
    PutValue(b, kWdErrorConfigMethodOffset, methods);
    return b;
}

WIFIDIRECT_DISCOVERY_ENTRY Discovery(const SimPeer& p, UCHAR members)
{
    WIFIDIRECT_DISCOVERY_ENTRY e = {};
    e.chNoOfThisGroup = members;
    e.nRule = static_cast<UCHAR>(p.Role);
    e.ConfigMethod = static_cast<USHORT>(p.ConfigMethods);
    std::memcpy(e.MacAddr, p.Address, sizeof e.MacAddr);
    e.nPrimaryDeviceType = {p.DeviceCategory, 0x0050F204, 1};
    const size_t length = std::min(p.Name.size(), sizeof e.chDeviceName);
    std::memcpy(e.chDeviceName, p.Name.data(), length);
    e.ulDeviceNameLength = static_cast<ULONG>(length);
    return e;
}

std::string AddressText(const UCHAR* a)
{
    return Format("%02X:%02X:%02X:%02X:%02X:%02X", a[0], a[1], a[2], a[3], a[4], a[5]);
}

bool SameAddress(const UCHAR* a, const UCHAR* b) { return std::memcmp(a, b, 6) == 0; }
bool NoAddress(const UCHAR* a) { return std::all_of(a, a + 6, [](UCHAR c) { return c == 0; }); }

// This device's Wi-Fi Direct address: the station address, bit 0 of the last byte flipped
// while the driver runs as a group owner.
void OwnAddress(SimWorld& w, UCHAR* mac)
{
    // The adapter's address as QXWL_QueryMacAddrs answers it (called here, it would take the lock again).
    const UCHAR station[6] = {0x00, 0x1A, 0x2B, 0x44, 0x71, 0xA0};
    std::memcpy(mac, station, sizeof station);
    if (w.Model.Settings.OpMode == 3) mac[5] ^= 0x01;
}

std::vector<BYTE> DiscoveryBlock(const World& world)
{
    std::vector<BYTE> b = Block(WIFIDIRECTEVENT_STATUS_UPDATE_DISCOVERY);
    size_t n = 0;
    auto add = [&](const WIFIDIRECT_DISCOVERY_ENTRY& e) {
        if (n >= kWdMaxDiscoveryEntries) return;
        Put(b, kWdEntriesOffset + n * sizeof e, &e, sizeof e);
        ++n;
    };
    for (const SimPeer& p : world.Peers) {
        if (!NoAddress(p.Owner)) continue;
        std::vector<const SimPeer*> members;
        for (const SimPeer& m : world.Peers)
            if (SameAddress(m.Owner, p.Address)) members.push_back(&m);
        add(Discovery(p, static_cast<UCHAR>(1 + members.size())));
        for (const SimPeer* m : members) add(Discovery(*m, 1));
    }
    b[kWdCountOffset] = static_cast<UCHAR>(n);
    return b;
}

WIFIDIRECT_GROUP_ENTRY GroupEntry(const UCHAR* mac, const std::string& name, UCHAR role, UCHAR host, USHORT category)
{
    WIFIDIRECT_GROUP_ENTRY e = {};
    e.nPrimaryDeviceType = {category, 0x0050F204, 1};
    e.nRule = role;
    e.chDbm = -45;
    std::memcpy(e.MacAddr, mac, sizeof e.MacAddr);
    e.IpAddrs[0] = kGroupSubnet[0];
    e.IpAddrs[1] = kGroupSubnet[1];
    e.IpAddrs[2] = kGroupSubnet[2];
    e.IpAddrs[3] = host;
    const size_t length = std::min(name.size(), sizeof e.chDeviceName);
    std::memcpy(e.chDeviceName, name.data(), length);
    e.ulDeviceNameLength = static_cast<ULONG>(length);
    return e;
}

std::string GroupSsid(const SimWorld& w, const SimPeer& peer)
{
    return "DIRECT-Qx" + (w.WifiDirectOwner ? w.WifiDirectDeviceName : peer.Name);
}

// The group as this device is in it: the owner first.
std::vector<BYTE> GroupBlock(SimWorld& w)
{
    std::vector<BYTE> b = Block(WIFIDIRECTEVENT_STATUS_GROUP_UPDATE);
    if (w.WifiDirectGroupPeer < 0) return b;
    const SimPeer& peer = w.Model.Peers[static_cast<size_t>(w.WifiDirectGroupPeer)];
    UCHAR own[6];
    OwnAddress(w, own);
    const WIFIDIRECT_GROUP_ENTRY me =
        GroupEntry(own, w.WifiDirectDeviceName, w.WifiDirectOwner ? 1 : 2, w.WifiDirectOwner ? 1 : 2, 1);
    const WIFIDIRECT_GROUP_ENTRY them =
        GroupEntry(peer.Address, peer.Name, w.WifiDirectOwner ? 2 : 1, w.WifiDirectOwner ? 2 : 1, peer.DeviceCategory);
    Put(b, kWdEntriesOffset, w.WifiDirectOwner ? &me : &them, sizeof me);
    Put(b, kWdEntriesOffset + sizeof me, w.WifiDirectOwner ? &them : &me, sizeof me);
    b[kWdCountOffset] = 2;
    return b;
}

// A connection to the peer at that address by the configuration's WPS method.
void Connect(SimWorld& w, const WIFIDIRECT_WPSE_PROFILE& config)
{
    const auto found = std::find_if(w.Model.Peers.begin(), w.Model.Peers.end(),
                                    [&](const SimPeer& p) { return SameAddress(p.Address, config.DeviceAddrs[0]); });
    if (config.ulNumOfDeviceAddr < 1 || found == w.Model.Peers.end()) {
        w.QueueWifiDirectStatus(ErrorBlock(kErrorCantFind));
        return;
    }
    const SimPeer& peer = *found;
    const LONG index = static_cast<LONG>(found - w.Model.Peers.begin());
    const bool pin = WpsMethodCarriesPin(config.WpsMethod);
    const std::string pinText(config.PIN, strnlen(config.PIN, sizeof config.PIN));
    const UCHAR* a = peer.Address;
    if (config.WpsMethod == kWdWpsMethodPinUser) {
        if (pinText.empty()) {
            // Asked for a PIN that our user types: the peer shows it on its own screen and waits.
            if (!peer.ShowsPin.empty()) w.WifiDirectPinShownBy = index;
            w.Note(Format("SIM Wi-Fi Direct peer %s shows PIN %s", AddressText(a).c_str(),
                          peer.ShowsPin.empty() ? "-" : peer.ShowsPin.c_str()));
            return;
        }
        const bool shown = w.WifiDirectPinShownBy == index && pinText == peer.ShowsPin;
        if (!peer.ShowsPin.empty()) w.WifiDirectPinShownBy = -1;
        if (!peer.ShowsPin.empty() && !shown) {
            w.Note(Format("SIM Wi-Fi Direct peer %s refuses PIN %s", AddressText(a).c_str(), pinText.c_str()));
            w.QueueWifiDirectStatus(ErrorBlock(kErrorWpsNack));
            return;
        }
    }
    w.Note(Format("SIM Wi-Fi Direct connection to %s by 0x%08X PIN %s", AddressText(a).c_str(), config.WpsMethod,
                  pin ? pinText.c_str() : "-"));
    if (peer.Accept == "None") {
        w.QueueWifiDirectStatus(ErrorBlock(kErrorRejectByUser));
        return;
    }
    if ((pin && peer.Accept == "PBC") || (!pin && peer.Accept == "PIN")) {
        w.QueueWifiDirectStatus(ErrorBlock(kErrorNoConfigMethod, static_cast<USHORT>(pin ? kMethodPushButton : 0x0108)));
        return;
    }
    const LONG ours = config.ulIntentIndex >= 16 ? 16 : static_cast<LONG>(config.ulIntentIndex);
    if (ours == 15 && peer.Intent == 15) {
        w.QueueWifiDirectStatus(ErrorBlock(kErrorBothIntent15));
        return;
    }
    // A group owner keeps its group; otherwise the higher intent owns it, a tie goes to the peer.
    w.WifiDirectOwner = peer.Role != 1 && ours > peer.Intent;
    // The owner's pass phrase is the group's: this device's when it owns the group and gave one.
    const ULONG keyLength = std::min<ULONG>(config.KeyLength, sizeof config.Key);
    w.WifiDirectGroupKey = w.WifiDirectOwner && keyLength ? std::string(reinterpret_cast<const char*>(config.Key), keyLength)
                                                          : std::string(kGroupKey);
    w.WifiDirectNegotiating = index;
    w.WpsWithGroup = true;
    std::vector<BYTE> b = Block(WIFIDIRECTEVENT_STATUS_GO_NEGO_DONE);
    b[kWdNegoConfigFlagOffset] = w.WifiDirectOwner ? 1 : 0;
    PutValue(b, kWdNegoWpsModeOffset, config.WpsMethod);
    if (pin) Put(b, kWdNegoPinOffset, config.PIN, sizeof config.PIN);
    NDIS_802_11_SSID ssid = {};
    const std::string name = GroupSsid(w, peer);
    ssid.SsidLength = static_cast<ULONG>(std::min<size_t>(name.size(), sizeof ssid.Ssid));
    std::memcpy(ssid.Ssid, name.data(), ssid.SsidLength);
    Put(b, kWdNegoSsidOffset, &ssid, sizeof ssid);
    UCHAR own[6];
    OwnAddress(w, own);
    Put(b, kWdNegoBssidOffset, w.WifiDirectOwner ? own : peer.Address, 6);
    w.QueueWifiDirectStatus(std::move(b));
}

// WPS with the negotiating peer ends with the credential, then the group.
void FinishWps(SimWorld& w)
{
    const SimPeer& peer = w.Model.Peers[static_cast<size_t>(w.WifiDirectNegotiating)];
    std::vector<BYTE> b = Block(WIFIDIRECTEVENT_STATUS_WPS_DONE);
    b[kWdWpsChannelOffset] = kGroupChannel;
    b[kWdWpsRoleOffset] = w.WifiDirectOwner ? 1 : 2;
    WPS_CREDENTIAL credential = {};
    const std::string name = GroupSsid(w, peer);
    credential.SSID.SsidLength = static_cast<ULONG>(std::min<size_t>(name.size(), sizeof credential.SSID.Ssid));
    std::memcpy(credential.SSID.Ssid, name.data(), credential.SSID.SsidLength);
    credential.AuthType = 0x20;  // WPA2-Personal
    credential.EncrType = 0x08;  // AES
    const std::string key = w.WifiDirectGroupKey.empty() ? std::string(kGroupKey) : w.WifiDirectGroupKey;
    credential.KeyLength = static_cast<ULONG>(std::min(key.size(), sizeof credential.Key));
    std::memcpy(credential.Key, key.data(), credential.KeyLength);
    std::memcpy(credential.MacAddr, peer.Address, sizeof credential.MacAddr);
    Put(b, kWdWpsCredentialOffset, &credential, sizeof credential);
    w.QueueWifiDirectStatus(std::move(b));
    w.WifiDirectGroupPeer = w.WifiDirectNegotiating;
    w.WifiDirectNegotiating = -1;
    w.WpsWithGroup = true;
    w.QueueWifiDirectStatus(GroupBlock(w));
    // The driver's word that the connection made it: the progress display may finish early.
    w.QueueWifiDirectStatus(Block(WIFIDIRECTEVENT_PROGRESS_SUCCESS));
}

std::vector<BYTE> RequestBlock(const SimPeer& p)
{
    std::vector<BYTE> b = Block(WIFIDIRECTEVENT_POPUP_SETTING_WINDOWS);
    const size_t length = std::min<size_t>(p.Name.size(), 32);
    Put(b, kWdRequestNameOffset, p.Name.data(), length);
    PutValue(b, kWdRequestNameLengthOffset, static_cast<ULONG>(length));
    Put(b, kWdRequestAddressOffset, p.Address, 6);
    PutValue(b, kWdRequestConfigMethodOffset, static_cast<USHORT>(p.ConfigMethods));
    return b;
}

// The sharing state: the last command "QxSwap.exe" recorded in its log, unless it never flips.
BOOL SharingOn(const SimWorld& w)
{
    if (w.Model.Settings.IcsNeverFlips) return FALSE;
    std::ifstream log(ModuleFolder() + "QxSwap.log", std::ios::binary);
    std::string line, last;
    while (std::getline(log, line))
        if (!line.empty() && line != "\r") last = line;
    // "<program>" ON|OFF ...
    const size_t quote = last.find('"', 1);
    const std::string rest = quote == std::string::npos ? last : last.substr(quote + 1);
    return rest.rfind(" ON ", 0) == 0 ? TRUE : FALSE;
}
}  // namespace

LONG WINAPI QXWL_QueryWifiDirectStatus(BYTE* statusBlock)
{
    SimWorld& w = Enter("QXWL_QueryWifiDirectStatus()");
    auto guard = w.Lock();
    if (!statusBlock || w.WifiDirectStatus.empty()) return QXWL_ERROR_FAILURE;
    std::memcpy(statusBlock, w.WifiDirectStatus.front().data(), kWiFiDirectStatusBytes);
    w.WifiDirectStatus.pop_front();
    // As the driver does, the event stays set while blocks wait: a burst is never cut short.
    if (!w.WifiDirectStatus.empty() && w.WifiDirectEvent) ::SetEvent(w.WifiDirectEvent);
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_SetWifiDirectWpseConfig(WIFIDIRECT_WPSE_PROFILE* config)
{
    if (!config) {
        Enter("QXWL_SetWifiDirectWpseConfig(null)");
        return QXWL_ERROR_FAILURE;
    }
    SimWorld& w = Enter(Format("QXWL_SetWifiDirectWpseConfig(%u)", config->ConfigMode));
    auto guard = w.Lock();
    switch (config->ConfigMode) {
    case WIFIDIRECT_CONFIG_ENABLE:
        for (const SimPeer& p : w.Model.Peers)
            if (p.Invites) w.QueueWifiDirectStatus(RequestBlock(p));
        break;
    case WIFIDIRECT_CONFIG_SCAN:
        w.QueueWifiDirectStatus(Block(WIFIDIRECTEVENT_DISCOVERY_START));
        w.QueueWifiDirectStatus(DiscoveryBlock(w.Model));
        break;
    case WIFIDIRECT_CONFIG_INVITE: Connect(w, *config); break;
    case WIFIDIRECT_CONFIG_DISCONNECT:
        w.WifiDirectGroupPeer = -1;
        w.WifiDirectNegotiating = -1;
        w.QueueWifiDirectStatus(Block(WIFIDIRECTEVENT_DISCONNECT));
        w.QueueWifiDirectStatus(GroupBlock(w));
        break;
    default: break;
    }
    return QXWL_ERROR_SUCCESS;
}

bool WifiDirectTakesWpsMode(SimWorld& w, const WPS_MODE& mode)
{
    // The stored WPS mode (QXWL_WriteWPSProfile) stays as the program wrote it.
    if (w.WifiDirectNegotiating < 0 || static_cast<size_t>(w.WifiDirectNegotiating) >= w.Model.Peers.size()) return false;
    // Only a mode naming the negotiated group belongs to it: a station run started meanwhile
    // (empty SSID for push button, an access point's SSID for PIN) goes to the access points.
    const SimPeer& peer = w.Model.Peers[static_cast<size_t>(w.WifiDirectNegotiating)];
    if (SsidText(mode.WpsSSID) != GroupSsid(w, peer)) return false;
    FinishWps(w);
    return true;
}

UCHAR WifiDirectWpsChannel(const SimWorld& w)
{
    return w.WpsWithGroup ? kGroupChannel : 0;
}

LONG WINAPI QXWL_ReadWifiDirectControl(BYTE* control)
{
    SimWorld& w = Enter("QXWL_ReadWifiDirectControl()");
    if (!control) return QXWL_ERROR_FAILURE;
    auto guard = w.Lock();
    std::memset(control, 0, kWdControlBytes);
    const ULONG word = (w.WifiDirectFlag ? kWdControlEnable : 0) |
                       ((static_cast<ULONG>(w.Model.Settings.WifiDirectIntent) & 0xF) << 4) | (0x3u << 12);
    std::memcpy(control, &word, sizeof word);
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_ReadWiFiDirectDeviceName(LPSTR deviceName /* 64 */)
{
    SimWorld& w = Enter("QXWL_ReadWiFiDirectDeviceName()");
    constexpr size_t kDeviceNameBytes = 64;
    std::string name;
    {
        auto guard = w.Lock();
        name = w.WifiDirectDeviceName;
    }
    if (deviceName) PutText(deviceName, kDeviceNameBytes, name);
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_WriteWiFiDirectDeviceName(LPCSTR deviceName)
{
    SimWorld& w = Enter(Format("QXWL_WriteWiFiDirectDeviceName(%s)", deviceName ? deviceName : "null"));
    if (!deviceName) return QXWL_ERROR_FAILURE;
    auto guard = w.Lock();
    w.WifiDirectDeviceName.assign(deviceName, strnlen(deviceName, 32));
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_GetWifiDirectIP(BYTE* ipRecord)
{
    SimWorld& w = Enter("QXWL_GetWifiDirectIP()");
    if (!ipRecord) return QXWL_ERROR_FAILURE;
    auto guard = w.Lock();
    std::memset(ipRecord, 0, kWdIpRecordBytes);
    if (w.WifiDirectGroupPeer < 0) return QXWL_ERROR_WIFIDIRECT_NO_IP;
    const UCHAR ip[4] = {kGroupSubnet[0], kGroupSubnet[1], kGroupSubnet[2], static_cast<UCHAR>(w.WifiDirectOwner ? 1 : 2)};
    const UCHAR server[4] = {kGroupSubnet[0], kGroupSubnet[1], kGroupSubnet[2], 1};
    // The group's network: a /24 whose owner is its gateway and its DHCP server.
    const UCHAR mask[4] = {255, 255, 255, 0};
    std::memcpy(ipRecord + kWdIpAddressOffset, ip, sizeof ip);
    std::memcpy(ipRecord + kWdIpMaskOffset, mask, sizeof mask);
    std::memcpy(ipRecord + kWdIpGatewayOffset, server, sizeof server);
    std::memcpy(ipRecord + kWdIpDhcpServerOffset, server, sizeof server);
    return QXWL_ERROR_SUCCESS;
}

BOOL WINAPI QXWL_IsEnableICS(void)
{
    SimWorld& w = Enter("QXWL_IsEnableICS()");
    auto guard = w.Lock();
    return SharingOn(w);
}

extern "C" __attribute__((dllexport)) BOOL WINAPI SIM_QueueWifiDirectStatus(const BYTE* block, ULONG size)
{
    if (!block || size > kWiFiDirectStatusBytes) return FALSE;
    SimWorld& w = SimWorld::Get();
    auto guard = w.Lock();
    w.QueueWifiDirectStatus(std::vector<BYTE>(block, block + size));
    return TRUE;
}

// ---------------------------------------------------------------------------------------------
// Stored Wi-Fi Direct profiles: whole records, keyed by the name they are written under.

namespace {
std::string ProfileKey(LPCSTR name)
{
    return name ? std::string(name, strnlen(name, kProfileNameBytes)) : std::string();
}
}  // namespace

LONG WINAPI QXWL_ReadActiveWifiDirectWpseProfileName(LPSTR profileName /* 128 */)
{
    SimWorld& w = Enter("QXWL_ReadActiveWifiDirectWpseProfileName()");
    std::string active;
    {
        auto guard = w.Lock();
        active = w.WifiDirectActiveProfile;
    }
    if (profileName) PutText(profileName, kProfileNameBytes, active);  // takes the lock itself
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_WriteActiveWifiDirectWpseProfileName(LPCSTR profileName)
{
    SimWorld& w = Enter(Format("QXWL_WriteActiveWifiDirectWpseProfileName(%s)", ProfileKey(profileName).c_str()));
    auto guard = w.Lock();
    w.WifiDirectActiveProfile = ProfileKey(profileName);
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_WriteWifiDirectWpseProfile(LPCSTR profileName, const WIFIDIRECT_WPSE_PROFILE* profile)
{
    SimWorld& w = Enter(Format("QXWL_WriteWifiDirectWpseProfile(%s)", ProfileKey(profileName).c_str()));
    if (!profile || ProfileKey(profileName).empty()) return QXWL_ERROR_FAILURE;
    auto guard = w.Lock();
    const BYTE* bytes = reinterpret_cast<const BYTE*>(profile);
    std::vector<BYTE> record(bytes, bytes + sizeof *profile);
    for (auto& stored : w.WifiDirectProfiles)
        if (ProfileKey(reinterpret_cast<const char*>(stored.data())) == ProfileKey(profileName)) {
            stored = std::move(record);
            return QXWL_ERROR_SUCCESS;
        }
    w.WifiDirectProfiles.push_back(std::move(record));
    return QXWL_ERROR_SUCCESS;
}

LONG WINAPI QXWL_ReadWifiDirectWpseProfile(LPCSTR profileName, WIFIDIRECT_WPSE_PROFILE* profile)
{
    SimWorld& w = Enter(Format("QXWL_ReadWifiDirectWpseProfile(%s)", ProfileKey(profileName).c_str()));
    if (!profile) return QXWL_ERROR_FAILURE;
    auto guard = w.Lock();
    for (const auto& stored : w.WifiDirectProfiles)
        if (ProfileKey(reinterpret_cast<const char*>(stored.data())) == ProfileKey(profileName)) {
            std::memcpy(profile, stored.data(), sizeof *profile);
            return QXWL_ERROR_SUCCESS;
        }
    std::memset(profile, 0, sizeof *profile);
    return QXWL_ERROR_FAILURE;
}

// With no buffer the count; with one, at most *count records.
LONG WINAPI QXWL_ReadWifiDirectWpseProfileList(WIFIDIRECT_WPSE_PROFILE* profiles, ULONG* count)
{
    SimWorld& w = Enter(profiles ? "QXWL_ReadWifiDirectWpseProfileList(buffer)" : "QXWL_ReadWifiDirectWpseProfileList(null)");
    if (!count) return QXWL_ERROR_FAILURE;
    auto guard = w.Lock();
    const ULONG stored = static_cast<ULONG>(w.WifiDirectProfiles.size());
    if (!profiles) {
        *count = stored;
        return QXWL_ERROR_SUCCESS;
    }
    const ULONG n = std::min(*count, stored);
    for (ULONG i = 0; i < n; ++i) std::memcpy(profiles + i, w.WifiDirectProfiles[i].data(), sizeof *profiles);
    *count = n;
    return QXWL_ERROR_SUCCESS;
}

// The group's credential: the station link comes up on the group, whose owner is the peer of
// the last WPS run (or this device), on the group's channel.
LONG WINAPI QXWL_ConnectWPSProfileWithWifiDirectWpse(ULONG channel, const WPS_CREDENTIAL* credential)
{
    if (!credential) {
        Enter("QXWL_ConnectWPSProfileWithWifiDirectWpse(null)");
        return QXWL_ERROR_FAILURE;
    }
    SimNetwork group;
    group.Ssid.assign(reinterpret_cast<const char*>(credential->SSID.Ssid),
                      std::min<ULONG>(credential->SSID.SsidLength, sizeof credential->SSID.Ssid));
    std::memcpy(group.Bssid, credential->MacAddr, sizeof group.Bssid);
    group.Channel = channel ? static_cast<LONG>(channel) : kGroupChannel;
    group.AuthMode = AUTH_WPA2_PSK;
    group.Encryption = ENCRY_AES;
    group.Key.assign(reinterpret_cast<const char*>(credential->Key), std::min<ULONG>(credential->KeyLength, sizeof credential->Key));
    ConnectRequest request;
    request.Ssid = group.Ssid;
    request.AuthMode = group.AuthMode;
    request.Encryption = group.Encryption;
    request.PassPhrase = group.Key;
    SimWorld& w = Enter(Format("QXWL_ConnectWPSProfileWithWifiDirectWpse(%u, %s)", channel, group.Ssid.c_str()));
    Effects effects;
    {
        const SimWorld::Change change(w, effects);
        if (w.WifiDirectGroupPeer < 0) return QXWL_ERROR_FAILURE;  // no group to join
        // The group is in range for as long as it lasts.
        w.Visible.push_back(group);
        w.CurrentSetting = request;
        AddSystemProfile(w, group.Ssid);
        if (w.AdapterUsable() && w.RadioOn()) w.LinkState.Connect(request, w.Visible, w.Model.Settings, effects);
    }
    w.Fire(effects);
    return QXWL_ERROR_SUCCESS;
}
