#include "sim/QxWLAPI/WorldText.h"
#include "sim/common/TextValues.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace sim {
namespace {

bool Is(const std::string& a, const char* b)
{
    return _stricmp(a.c_str(), b) == 0;
}

bool StartsWith(const std::string& s, const char* prefix)
{
    return _strnicmp(s.c_str(), prefix, strlen(prefix)) == 0;
}

bool ParseBool(const std::string& text, bool& out)
{
    if (Is(text, "1") || Is(text, "yes") || Is(text, "true") || Is(text, "on")) return out = true, true;
    if (Is(text, "0") || Is(text, "no") || Is(text, "false") || Is(text, "off")) return out = false, true;
    return false;
}

struct Name {
    const char* text;
    ULONG code;
};
bool ParseNamed(const std::string& text, const Name* names, size_t count, ULONG& out)
{
    for (size_t i = 0; i < count; ++i)
        if (Is(text, names[i].text)) return out = names[i].code, true;
    LONG number;
    if (!ParseLong(text, number)) return false;
    out = static_cast<ULONG>(number);
    return true;
}

constexpr Name kSecurities[] = {
    {"Open", AUTH_OPEN},       {"Shared", AUTH_SHARED}, {"WEP", AUTH_OPEN},          {"WPA", AUTH_WPA},
    {"WPA-PSK", AUTH_WPA_PSK}, {"WPA-None", AUTH_WPA_NONE}, {"WPA2", AUTH_WPA2},     {"WPA2-PSK", AUTH_WPA2_PSK},
    {"WAPI-PSK", AUTH_WAPI_PSK}, {"WAPI-Cert", AUTH_WAPI_CERT}, {"CCKM", AUTH_CCKM},
};
constexpr Name kCiphers[] = {{"None", ENCRY_NONE}, {"WEP", ENCRY_WEP}, {"TKIP", ENCRY_TKIP}, {"AES", ENCRY_AES},
                             {"SMS4", ENCRY_SMS4}};
constexpr Name kEapMethods[] = {{"PEAP", EAPMETHOD_PEAP}, {"TLS", EAPMETHOD_TLS}, {"TTLS", EAPMETHOD_TTLS},
                                {"FAST", EAPMETHOD_FAST}, {"EAP-FAST", EAPMETHOD_FAST}, {"MD5", EAPMETHOD_MD5},
                                {"LEAP", EAPMETHOD_LEAP}};
constexpr Name kTunnels[] = {{"GTC", RS_TunnelGTC}, {"MSCHAPV2", TUNNEL_MSCHAPV2}, {"TLS", TUNNEL_TLS},
                             {"MD5", TUNNEL_EAP_MD5}, {"MSCHAP", TUNNEL_MSCHAP}};
// The categories of the WPS primary device type.
constexpr Name kDeviceCategories[] = {{"Computer", 1}, {"PC", 1},       {"Input", 2},      {"Printer", 3},
                                      {"Camera", 4},   {"Storage", 5},  {"Network", 6},    {"Display", 7},
                                      {"Multimedia", 8}, {"Gaming", 9}, {"Telephone", 10}, {"Phone", 10}};

ULONG DefaultCipher(ULONG auth, bool wepNamed)
{
    if (wepNamed || auth == AUTH_SHARED) return ENCRY_WEP;
    switch (auth) {
    case AUTH_OPEN: return ENCRY_NONE;
    case AUTH_WPA: case AUTH_WPA_PSK: case AUTH_WPA_NONE: return ENCRY_TKIP;
    case AUTH_WAPI_PSK: case AUTH_WAPI_CERT: return ENCRY_SMS4;
    default: return ENCRY_AES;
    }
}

enum class Kind { None, World, Adapter, Network, Profile, Peer, NetAdapter };

class Parser {
public:
    explicit Parser(WorldPatch& patch) : m_patch(patch) {}

    bool Line(const std::string& raw, std::string& error)
    {
        const std::string line = Trim(raw);
        if (line.empty() || line[0] == ';' || line[0] == '#') return true;
        if (line.front() == '[') {
            if (line.back() != ']') return Fail(error, "unclosed section");
            FinishSection();
            return OpenSection(Trim(line.substr(1, line.size() - 2)), error);
        }
        const size_t eq = line.find('=');
        if (eq == std::string::npos) return Fail(error, "no '='");
        const std::string key = Trim(line.substr(0, eq));
        const std::string value = Trim(line.substr(eq + 1));
        bool ok = false;
        switch (m_kind) {
        case Kind::None: return Fail(error, "key outside a section");
        case Kind::World: ok = WorldKey(key, value); break;
        case Kind::Adapter: ok = AdapterKey(key, value); break;
        case Kind::Network: ok = NetworkKey(key, value); break;
        case Kind::Profile: ok = ProfileKey(key, value); break;
        case Kind::Peer: ok = PeerKey(key, value); break;
        case Kind::NetAdapter: ok = NetDeviceKey(m_patch.NetDevices.back(), key, value); break;
        }
        return ok ? true : Fail(error, "key or value not understood");
    }

    void FinishSection()
    {
        if (m_kind == Kind::Network) {
            if (!m_cipherGiven) m_network.Encryption = DefaultCipher(m_network.AuthMode, m_wepNamed);
            m_patch.Networks.push_back(m_network);
        } else if (m_kind == Kind::Adapter) {
            m_patch.Adapters.push_back(m_adapter);
        } else if (m_kind == Kind::Profile) {
            if (!m_cipherGiven) m_profile.Encryption = DefaultCipher(m_profile.AuthMode, m_wepNamed);
            m_patch.Profiles.push_back(m_profile);
        } else if (m_kind == Kind::Peer) {
            m_patch.Peers.push_back(m_peer);
        }
        m_kind = Kind::None;
    }

private:
    static bool Fail(std::string& error, const char* why)
    {
        error = why;
        return false;
    }

    bool OpenSection(const std::string& name, std::string& error)
    {
        m_cipherGiven = m_wepNamed = false;
        if (Is(name, "World")) {
            m_kind = Kind::World;
        } else if (StartsWith(name, "NetAdapter")) {
            m_kind = Kind::NetAdapter;
            m_patch.NetDevices.emplace_back();
            m_patch.HasNetDevices = true;
        } else if (StartsWith(name, "Adapter")) {
            m_kind = Kind::Adapter;
            m_adapter = SimAdapter();
            m_patch.HasAdapters = true;
        } else if (StartsWith(name, "Network")) {
            m_kind = Kind::Network;
            m_network = SimNetwork();
            // A distinct address for every network the text leaves without one.
            const UCHAR bssid[6] = {0x02, 0x51, 0x4D, 0x00, static_cast<UCHAR>(m_patch.Networks.size() >> 8),
                                    static_cast<UCHAR>(m_patch.Networks.size())};
            memcpy(m_network.Bssid, bssid, sizeof bssid);
            m_patch.HasNetworks = true;
        } else if (StartsWith(name, "Peer")) {
            m_kind = Kind::Peer;
            m_peer = SimPeer();
            const UCHAR address[6] = {0x02, 0x50, 0x32, 0x50, 0x00, static_cast<UCHAR>(m_patch.Peers.size() + 1)};
            memcpy(m_peer.Address, address, sizeof address);
            m_peer.Name = "Peer" + std::to_string(m_patch.Peers.size() + 1);
            m_patch.HasPeers = true;
        } else if (StartsWith(name, "Profile")) {
            m_kind = Kind::Profile;
            m_profile = StoredProfile();
            m_patch.HasProfiles = true;
        } else {
            return Fail(error, "unknown section");
        }
        return true;
    }

    bool WorldKey(const std::string& key, const std::string& value)
    {
        if (Is(key, "Journal")) {
            m_patch.HasJournalFile = true;
            m_patch.JournalFile = value;
            return true;
        }
        if (Is(key, "SystemProfiles")) {
            m_patch.HasSystemProfiles = true;
            m_patch.SystemProfiles.clear();
            for (size_t start = 0; start <= value.size();) {
                size_t comma = value.find(',', start);
                if (comma == std::string::npos) comma = value.size();
                const std::string name = Trim(value.substr(start, comma - start));
                if (!name.empty()) m_patch.SystemProfiles.push_back(name);
                start = comma + 1;
            }
            return true;
        }
        const SettingKey* setting = FindSettingKey(key);
        LONG number;
        if (!setting || !ParseLong(value, number)) return false;
        m_patch.Settings.emplace_back(setting, number);
        return true;
    }

    bool AdapterKey(const std::string& key, const std::string& value)
    {
        SimAdapter& a = m_adapter;
        if (Is(key, "Name")) a.Name = value;
        else if (Is(key, "DeviceID")) a.DeviceID = value;
        else if (Is(key, "Description")) a.Description = value;
        else if (Is(key, "Text392")) a.Text392 = value;
        else if (Is(key, "SoftApName")) a.SoftApName = value;
        else if (Is(key, "DeviceName")) a.DeviceName = value;
        else if (Is(key, "Location")) a.Location = value;
        else if (Is(key, "Manufacturer")) a.Manufacturer = value;
        else if (Is(key, "Kind")) {
            LONG kind;
            if (!ParseLong(value, kind)) return false;
            a.Kind = static_cast<ULONG>(kind);
        } else return false;
        return true;
    }

    bool Security(const std::string& value, ULONG& auth)
    {
        if (Is(value, "WEP")) m_wepNamed = true;
        return ParseNamed(value, kSecurities, std::size(kSecurities), auth);
    }

    bool NetworkKey(const std::string& key, const std::string& value)
    {
        SimNetwork& n = m_network;
        LONG number;
        if (Is(key, "Ssid")) n.Ssid = value.substr(0, kSsidMaxLength);
        else if (Is(key, "Bssid")) return ParseMac(value, n.Bssid);
        else if (Is(key, "Channel")) return ParseLong(value, n.Channel) && ChannelToFrequencyKHz(n.Channel) != 0;
        else if (Is(key, "Rssi")) return ParseLong(value, n.Rssi);
        else if (Is(key, "Mode")) {
            if (Is(value, "Adhoc")) n.Adhoc = true;
            else if (Is(value, "Infrastructure")) n.Adhoc = false;
            else return false;
        } else if (Is(key, "Security")) return Security(value, n.AuthMode);
        else if (Is(key, "Cipher")) return m_cipherGiven = true, ParseNamed(value, kCiphers, std::size(kCiphers), n.Encryption);
        else if (Is(key, "Key")) n.Key = value;
        else if (Is(key, "Hidden")) return ParseBool(value, n.Hidden);
        else if (Is(key, "HT")) return ParseBool(value, n.HT);
        else if (Is(key, "HT40")) {
            if (!ParseBool(value, n.HT40)) return false;
            if (n.HT40) n.HT = true;
        }
        else if (Is(key, "WPS")) return ParseBool(value, n.WPS);
        else if (Is(key, "WpsPbc")) return ParseBool(value, n.WpsPbc);
        else if (Is(key, "WpsConfigured")) return ParseBool(value, n.WpsConfigured);
        else if (Is(key, "WpsPin")) {
            if (value.size() != 8 || value.find_first_not_of("0123456789") != std::string::npos) return false;
            n.WpsPin = value;
        }
        else if (Is(key, "BeaconInterval")) {
            if (!ParseLong(value, number) || number <= 0) return false;
            n.BeaconInterval = static_cast<ULONG>(number);
        } else if (Is(key, "EapMethod")) return ParseNamed(value, kEapMethods, std::size(kEapMethods), n.EapMethod);
        else if (Is(key, "Tunnel")) return ParseNamed(value, kTunnels, std::size(kTunnels), n.Tunnel);
        else if (Is(key, "OneTimePassword")) return ParseBool(value, n.OneTimePassword);
        else if (Is(key, "AlsoPsk")) return ParseBool(value, n.AlsoPsk);
        else if (Is(key, "Identity")) n.Identity = value;
        else if (Is(key, "Password")) n.Password = value;
        else if (Is(key, "ClientCert")) return ParseLong(value, n.ClientCert) && n.ClientCert >= 0;
        else if (Is(key, "AppearAfterScans")) return ParseLong(value, n.AppearAfterScans) && n.AppearAfterScans >= 0;
        else if (Is(key, "LeaveAfterScans")) return ParseLong(value, n.LeaveAfterScans) && n.LeaveAfterScans >= 0;
        else return false;
        return true;
    }

    bool ProfileKey(const std::string& key, const std::string& value)
    {
        StoredProfile& p = m_profile;
        if (Is(key, "Name")) p.Name = value.substr(0, kProfileNameBytes - 1);
        else if (Is(key, "Ssid")) p.Ssid = value.substr(0, kSsidMaxLength);
        else if (Is(key, "Security")) return Security(value, p.AuthMode);
        else if (Is(key, "Cipher")) return m_cipherGiven = true, ParseNamed(value, kCiphers, std::size(kCiphers), p.Encryption);
        else if (Is(key, "Key")) p.Key = value;
        else if (Is(key, "Identity")) p.Identity = value;
        else if (Is(key, "Password")) p.Password = value;
        else if (Is(key, "EapMethod")) return ParseNamed(value, kEapMethods, std::size(kEapMethods), p.EapMethod);
        else if (Is(key, "Tunnel")) return ParseNamed(value, kTunnels, std::size(kTunnels), p.Tunnel);
        else if (Is(key, "Active")) return ParseBool(value, p.Active);
        else return false;
        return true;
    }

    bool PeerKey(const std::string& key, const std::string& value)
    {
        SimPeer& p = m_peer;
        LONG number;
        if (Is(key, "Name")) p.Name = value.substr(0, 32);
        else if (Is(key, "Address")) return ParseMac(value, p.Address);
        else if (Is(key, "Owner")) return ParseMac(value, p.Owner);
        else if (Is(key, "Role")) {
            if (!ParseLong(value, number) || (number != 1 && number != 2)) return false;
            p.Role = static_cast<ULONG>(number);
        } else if (Is(key, "Intent")) {
            if (!ParseLong(value, number) || number < 0 || number > 15) return false;
            p.Intent = number;
        } else if (Is(key, "Accept")) {
            if (!Is(value, "PBC") && !Is(value, "PIN") && !Is(value, "Any") && !Is(value, "None")) return false;
            p.Accept = value;
        } else if (Is(key, "Invites")) return ParseBool(value, p.Invites);
        else if (Is(key, "ShowsPin")) {
            if ((value.size() != 4 && value.size() != 8) || value.find_first_not_of("0123456789") != std::string::npos) return false;
            p.ShowsPin = value;
        }
        else if (Is(key, "ConfigMethods")) {
            if (!ParseLong(value, number)) return false;
            p.ConfigMethods = static_cast<ULONG>(number);
        } else if (Is(key, "DeviceType")) {
            ULONG category = 0;
            if (!ParseNamed(value, kDeviceCategories, std::size(kDeviceCategories), category) || category == 0 ||
                category > 0xFFFF)
                return false;
            p.DeviceCategory = static_cast<USHORT>(category);
        } else return false;
        return true;
    }

    WorldPatch& m_patch;
    Kind m_kind = Kind::None;
    SimPeer m_peer;
    SimAdapter m_adapter;
    SimNetwork m_network;
    StoredProfile m_profile;
    bool m_cipherGiven = false;
    bool m_wepNamed = false;
};

}  // namespace

bool ParseWorldText(const std::string& text, WorldPatch& patch, std::string& error)
{
    patch = WorldPatch();
    Parser parser(patch);
    int number = 0;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        ++number;
        std::string why;
        if (!parser.Line(line, why)) {
            error = "line " + std::to_string(number) + ": " + why + ": " + Trim(line);
            return false;
        }
    }
    parser.FinishSection();
    return true;
}

void ApplyWorldPatch(const WorldPatch& patch, World& world)
{
    for (const auto& [key, value] : patch.Settings) world.Settings.*(key->member) = value;
    if (patch.HasJournalFile) world.JournalFile = patch.JournalFile;
    if (patch.HasSystemProfiles) world.SystemProfiles = patch.SystemProfiles;
    if (patch.HasAdapters) world.Adapters = patch.Adapters;
    if (patch.HasNetworks) world.Networks = patch.Networks;
    if (patch.HasProfiles) world.Profiles = patch.Profiles;
    if (patch.HasPeers) world.Peers = patch.Peers;
    if (patch.HasNetDevices) world.NetDevices = patch.NetDevices;
}

}  // namespace sim
