#include "sim/QxAPAPI/SoftApWorld.h"
#include "sim/QxAPAPI/SimApi.h"
#include "sim/common/ModuleFiles.h"
#include "sim/common/TextValues.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace simap {
using sim::ParseLong;
using sim::ParseMac;
using sim::ReadWholeFile;
using sim::Trim;

namespace {
constexpr ULONGLONG kWorldFileCheckMs = 250;
constexpr char kDefaultSsid[] = "Kelvo_WLAN";
constexpr char kDefaultPsk[] = "12345678";
constexpr LONG kDefaultChannel = 6;
constexpr ULONG kDefaultPhyMode = 9;  // 802.11b/g/n
constexpr ULONG kDefaultBeaconMs = 100;
constexpr ULONG kDefaultRtsThreshold = 2347;
constexpr ULONG kDefaultFragThreshold = 2346;
constexpr ULONG kDefaultIdleSeconds = 300;
constexpr ULONG kDefaultRekeySeconds = 60;
constexpr ULONG kAuthWpa2Psk = 7;
constexpr ULONG kEncryAes = 6;
constexpr char kLeasePrefix[] = "192.168.123.";
constexpr int kFirstLeaseHost = 100;

struct Key {
    const char* name;
    LONG Settings::*member;
};
constexpr Key kKeys[] = {
    {"OsCode", &Settings::OsCode},
    {"DevicePresent", &Settings::DevicePresent},
    {"OpMode", &Settings::OpMode},
    {"SetOpModeFails", &Settings::SetOpModeFails},
    {"InitNotReadyPolls", &Settings::InitNotReadyPolls},
    {"ZeroConfig", &Settings::ZeroConfig},
    {"MoreThanOneProcess", &Settings::MoreThanOneProcess},
    {"UserAdmin", &Settings::UserAdmin},
    {"Supports11n", &Settings::Supports11n},
    {"Supports11a", &Settings::Supports11a},
    {"DeviceModel", &Settings::DeviceModel},
    {"Rssi", &Settings::Rssi},
    {"DriverAuthMode", &Settings::DriverAuthMode},
    {"MaxRegion24", &Settings::MaxRegion24},
    {"MaxRegion5", &Settings::MaxRegion5},
    {"Has24GHz", &Settings::Has24GHz},
    {"Custom24", &Settings::Custom24},
    {"Custom5", &Settings::Custom5},
    {"Ieee80211H", &Settings::Ieee80211H},
    {"Bw40Bands", &Settings::Bw40Bands},
    {"SideBand", &Settings::SideBand},
    {"StoredConfig", &Settings::StoredConfig},
    {"LinkSpeed", &Settings::LinkSpeed},
    {"LinkSpeedFails", &Settings::LinkSpeedFails},
};
constexpr char kPlaceholderSsid[] = "*Quixen*Any*Network*SSID";
const Key* FindKey(const std::string& name)
{
    for (const Key& key : kKeys)
        if (_stricmp(key.name, name.c_str()) == 0) return &key;
    return nullptr;
}

std::vector<Adapter> DefaultAdapters()
{
    return {{"Kelvo Wireless LAN Card", "USB\\VID_148F&PID_3572\\1.0", "Kelvo 802.11n USB Wireless LAN Card"}};
}
}  // namespace

std::string MacText(const UCHAR* mac)
{
    char text[13];
    snprintf(text, sizeof text, "%02X%02X%02X%02X%02X%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
    return text;
}

bool ParseWorldText(const std::string& text, WorldText& out, std::string& error)
{
    out = WorldText();
    enum class Kind { None, World, Adapter, Station, NetAdapter } kind = Kind::None;
    int number = 0;
    for (size_t start = 0; start <= text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = Trim(text.substr(start, end - start));
        start = end + 1;
        ++number;
        const auto fail = [&](const char* why) {
            error = "line " + std::to_string(number) + ": " + why + ": " + line;
            return false;
        };
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (line.front() == '[') {
            if (line.back() != ']') return fail("unclosed section");
            const std::string name = Trim(line.substr(1, line.size() - 2));
            if (_stricmp(name.c_str(), "World") == 0) {
                kind = Kind::World;
            } else if (_strnicmp(name.c_str(), "NetAdapter", 10) == 0) {
                kind = Kind::NetAdapter;
                out.HasNetDevices = true;
                out.NetDevices.emplace_back();
            } else if (_strnicmp(name.c_str(), "Adapter", 7) == 0) {
                kind = Kind::Adapter;
                out.HasAdapters = true;
                out.Adapters.emplace_back();
            } else if (_strnicmp(name.c_str(), "Station", 7) == 0) {
                kind = Kind::Station;
                out.HasStations = true;
                out.Stations.emplace_back();
            } else {
                return fail("unknown section");
            }
            continue;
        }
        const size_t eq = line.find('=');
        if (eq == std::string::npos) return fail("no '='");
        const std::string key = Trim(line.substr(0, eq));
        const std::string value = Trim(line.substr(eq + 1));
        const auto is = [&](const char* name) { return _stricmp(key.c_str(), name) == 0; };
        LONG n = 0;
        bool ok = true;
        switch (kind) {
        case Kind::None: return fail("key outside a section");
        case Kind::World:
            if (is("Journal")) {
                out.HasJournalFile = true;
                out.JournalFile = value;
            } else if (is("Store")) {
                out.HasStoreFile = true;
                out.StoreFile = value;
            } else {
                ok = FindKey(key) && ParseLong(value, n);
                if (ok) out.Settings.emplace_back(key, n);
            }
            break;
        case Kind::Adapter: {
            Adapter& a = out.Adapters.back();
            if (is("Name")) a.Name = value;
            else if (is("DeviceID")) a.DeviceID = value;
            else if (is("Description")) a.Description = value;
            else ok = false;
            break;
        }
        case Kind::Station: {
            Station& s = out.Stations.back();
            if (is("Mac")) ok = ParseMac(value, s.Mac);
            else if (is("PowerSave")) ok = ParseLong(value, n), s.PowerSave = n != 0;
            else if (is("TxRate")) ok = ParseLong(value, n) && n >= 0 && n <= 0xFFFF, s.TxRate = static_cast<USHORT>(n);
            else ok = false;
            break;
        }
        case Kind::NetAdapter: ok = sim::NetDeviceKey(out.NetDevices.back(), key, value); break;
        }
        if (!ok) return fail("key or value not understood");
    }
    return true;
}

ULONG ChannelToFrequencyKHz(LONG channel)
{
    if (channel >= 1 && channel <= 13) return 2412000 + 5000 * (channel - 1);
    if (channel == 14) return 2484000;
    if (channel >= 36 && channel <= 173) return 5000000 + 5000 * channel;
    return 0;
}

LONG FrequencyKHzToChannel(ULONG frequencyKHz)
{
    if (frequencyKHz == 2484000) return 14;
    if (frequencyKHz >= 2412000 && frequencyKHz <= 2472000 && (frequencyKHz - 2412000) % 5000 == 0)
        return 1 + static_cast<LONG>((frequencyKHz - 2412000) / 5000);
    if (frequencyKHz >= 5180000 && frequencyKHz <= 5865000 && frequencyKHz % 5000 == 0)
        return static_cast<LONG>((frequencyKHz - 5000000) / 5000);
    return -1;
}

AP_CONFIG_DATA DefaultConfig()
{
    AP_CONFIG_DATA c = {};
    c.Ssid.SsidLength = static_cast<ULONG>(strlen(kDefaultSsid));
    memcpy(c.Ssid.Ssid, kDefaultSsid, c.Ssid.SsidLength);
    c.PhyMode = kDefaultPhyMode;
    c.lFreq = ChannelToFrequencyKHz(kDefaultChannel);
    c.nBeaconPeriod = kDefaultBeaconMs;
    c.lRtsThre = kDefaultRtsThreshold;
    c.lFragThre = kDefaultFragThreshold;
    c.bShortSlot = 1;
    c.bTxBurst = 1;
    c.enumAuthenMode = kAuthWpa2Psk;
    c.enumEncryStatus = kEncryAes;
    c.nPskKeyLen = static_cast<ULONG>(strlen(kDefaultPsk));
    memcpy(c.chPskKey, kDefaultPsk, c.nPskKeyLen);
    c.nGroupRekeyInterval = kDefaultRekeySeconds;
    c.nIdleTime = kDefaultIdleSeconds;
    return c;
}

SoftApWorld& SoftApWorld::Get()
{
    static SoftApWorld world;
    return world;
}

SoftApWorld::SoftApWorld()
{
    auto guard = Lock();
    Adapters = DefaultAdapters();
    Stored = DefaultConfig();
    m_worldFile = sim::WorldFilePath(kSimApWorldFileVariable, kSimApWorldFileName);
    ReloadWorldFile();
}

void SoftApWorld::Enter(const std::string& journalLine)
{
    {
        auto guard = Lock();
        const ULONGLONG now = GetTickCount64();
        if (!m_worldFile.empty() && now >= m_nextFileCheck) {
            m_nextFileCheck = now + kWorldFileCheckMs;
            ReloadWorldFile();
        }
    }
    m_journal.Add(journalLine);
}

void SoftApWorld::Reset()
{
    auto guard = Lock();
    m_worldFile.clear();
    m_worldFileSeen = false;
    S = Settings();
    Adapters = DefaultAdapters();
    InRange.clear();
    NetDevices.clear();
    Associated.clear();
    LeaseOf.clear();
    Refused.clear();
    Stored = DefaultConfig();
    Applied = {};
    Advance = {};
    StoredPolicy = AP_ACL_POLICY_DISABLE;
    StoredList.clear();
    Acl = {};
    Started = false;
    DhcpRunning = false;
    NotReadyLeft = 0;
    ProfileSsid.clear();
    SelectedAdapter.clear();
    NotifyWindow = nullptr;
    m_journal.SetFile("");
    m_journal.Clear();
    m_storeFile.clear();
}

void SoftApWorld::LoadStore()
{
    std::string bytes;
    if (m_storeFile.empty() || !ReadWholeFile(m_storeFile, bytes)) return;
    // Only a whole record counts: anything else leaves the stored configuration as it is.
    if (bytes.size() != sizeof Stored) {
        m_journal.Add("SIM store " + m_storeFile + " not read: " + std::to_string(bytes.size()) + " bytes");
        return;
    }
    memcpy(&Stored, bytes.data(), sizeof Stored);
}

void SoftApWorld::SaveStore()
{
    if (m_storeFile.empty()) return;
    std::string error;
    if (!sim::SaveStoreFile(m_storeFile, std::string(reinterpret_cast<const char*>(&Stored), sizeof Stored),
                            std::string::npos, error))
        m_journal.Add("SIM store " + m_storeFile + " not written: " + error);
}

void SoftApWorld::Apply(const WorldText& text)
{
    for (const auto& [name, value] : text.Settings) {
        S.*(FindKey(name)->member) = value;
        if (FindKey(name)->member == &Settings::StoredConfig) ReplaceStored(value);
    }
    NotReadyLeft = S.InitNotReadyPolls;
    if (text.HasJournalFile) m_journal.SetFile(text.JournalFile);
    if (text.HasStoreFile) {
        m_storeFile = text.StoreFile;
        LoadStore();
    }
    if (text.HasAdapters) Adapters = text.Adapters;
    if (text.HasStations) InRange = text.Stations;
    if (text.HasNetDevices) NetDevices = text.NetDevices;
    if (!S.DevicePresent) DeviceGone();
    Refresh();
}

bool SoftApWorld::LoadText(const std::string& text, std::string& error)
{
    WorldText parsed;
    if (!ParseWorldText(text, parsed, error)) return false;
    auto guard = Lock();
    Apply(parsed);
    return true;
}

bool SoftApWorld::UseWorldFile(const std::string& path)
{
    auto guard = Lock();
    m_worldFile = path;
    m_worldFileSeen = false;
    if (path.empty()) return true;
    ReloadWorldFile();
    return m_worldFileSeen;
}

void SoftApWorld::ReloadWorldFile()
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (m_worldFile.empty() || !GetFileAttributesExA(m_worldFile.c_str(), GetFileExInfoStandard, &data)) return;
    if (m_worldFileSeen && CompareFileTime(&data.ftLastWriteTime, &m_worldFileStamp) == 0) return;
    std::string text;
    if (!ReadWholeFile(m_worldFile, text)) return;
    WorldText parsed;
    std::string error;
    if (!ParseWorldText(text, parsed, error)) {
        m_journal.Add("SIM world file " + m_worldFile + " not read: " + error);
        return;  // a file caught half-written is read again on its next change
    }
    m_worldFileSeen = true;
    m_worldFileStamp = data.ftLastWriteTime;
    Apply(parsed);
}

bool SoftApWorld::SetValue(const std::string& key, LONG value)
{
    const Key* found = FindKey(key);
    if (!found) return false;
    auto guard = Lock();
    S.*(found->member) = value;
    if (found->member == &Settings::InitNotReadyPolls) NotReadyLeft = value;
    if (found->member == &Settings::StoredConfig) ReplaceStored(value);
    if (!S.DevicePresent) DeviceGone();
    Refresh();
    return true;
}

bool SoftApWorld::GetValue(const std::string& key, LONG& value)
{
    auto guard = Lock();
    if (_stricmp(key.c_str(), "Associated") == 0) return value = static_cast<LONG>(Associated.size()), true;
    if (_stricmp(key.c_str(), "DhcpRunning") == 0) return value = DhcpRunning ? 1 : 0, true;
    if (_stricmp(key.c_str(), "Running") == 0) return value = Running() ? 1 : 0, true;
    if (_stricmp(key.c_str(), "AclPolicy") == 0) return value = static_cast<LONG>(Acl.Policy), true;
    const Key* found = FindKey(key);
    if (!found) return false;
    value = S.*(found->member);
    return true;
}

void SoftApWorld::ReplaceStored(LONG kind)
{
    Stored = kind == 1 ? AP_CONFIG_DATA{} : DefaultConfig();
    if (kind == 2) {
        Stored.Ssid.SsidLength = sizeof kPlaceholderSsid - 1;
        memcpy(Stored.Ssid.Ssid, kPlaceholderSsid, Stored.Ssid.SsidLength);
    }
}

ULONG RegionChannels(bool fiveGHz, ULONG region, const Settings& s, UCHAR (&channels)[32])
{
    ULONG n = 0;
    const auto add = [&](int first, int last, int step) {
        for (int c = first; c <= last && n < 32; c += step) channels[n++] = static_cast<UCHAR>(c);
    };
    if (!fiveGHz) {
        static const int kRanges[8][2] = {{1, 11}, {1, 13}, {10, 11}, {10, 13}, {14, 14}, {1, 14}, {3, 9}, {5, 13}};
        if (region < 8) add(kRanges[region][0], kRanges[region][1], 1);
        else if (region == 30) add(1, static_cast<int>(s.Custom24), 1);
        return n;
    }
    switch (region) {
    case 0: add(36, 64, 4), add(149, 165, 4); break;
    case 1: case 12: add(36, 64, 4), add(100, 140, 4); break;
    case 2: add(36, 64, 4); break;
    case 3: add(52, 64, 4), add(149, 161, 4); break;
    case 4: add(149, 165, 4); break;
    case 5: add(149, 161, 4); break;
    case 6: add(36, 48, 4); break;
    case 7: add(36, 64, 4), add(100, 140, 4), add(149, 165, 4); break;
    case 8: add(52, 64, 4); break;
    case 9: add(36, 64, 4), add(100, 116, 4), add(132, 140, 4), add(149, 165, 4); break;
    case 10: add(36, 48, 4), add(149, 165, 4); break;
    case 11: add(36, 64, 4), add(100, 120, 4), add(149, 161, 4); break;
    case 13: add(52, 64, 4), add(100, 140, 4), add(149, 161, 4); break;
    case 14: add(36, 64, 4), add(100, 116, 4), add(136, 140, 4), add(149, 165, 4); break;
    case 15: add(149, 173, 4); break;
    case 16: add(36, 64, 4), add(100, 140, 4), add(149, 173, 4); break;
    case 30: if (s.Custom5) add(36, 48, 4); break;
    default: break;
    }
    return n;
}

void SoftApWorld::DeviceGone()
{
    // A removed adapter forgets what was pushed to it; it must be set up again when it is back.
    Started = false;
    DhcpRunning = false;
    Applied = {};
    Acl = {};
}

bool SoftApWorld::Admits(const Station& station) const
{
    if (Acl.Policy == AP_ACL_POLICY_DISABLE) return true;
    bool listed = false;
    const ULONG count = std::min<ULONG>(Acl.Num, kApAclMaxEntries);
    for (ULONG i = 0; i < count; ++i) listed = listed || memcmp(Acl.Entry[i].Addr, station.Mac, 6) == 0;
    return Acl.Policy == AP_ACL_POLICY_ALLOW ? listed : !listed;
}

void SoftApWorld::Refresh()
{
    std::vector<Station> now;
    std::vector<std::string> leases;
    std::vector<std::string> refused;
    if (Running()) {
        for (const Station& station : InRange) {
            if (!Admits(station)) {
                refused.push_back(MacText(station.Mac));
                if (std::find(Refused.begin(), Refused.end(), refused.back()) == Refused.end())
                    m_journal.Add("SIM station refused " + refused.back());
                continue;
            }
            if (now.size() >= static_cast<size_t>(kApMacTableMaxEntries)) continue;
            std::string lease;
            for (size_t i = 0; i < Associated.size(); ++i)
                if (memcmp(Associated[i].Mac, station.Mac, 6) == 0) lease = LeaseOf[i];
            now.push_back(station);
            leases.push_back(lease);
        }
    }
    if (DhcpRunning) {
        // A station keeps its address; a new one gets the lowest free host number.
        for (std::string& lease : leases) {
            for (int host = kFirstLeaseHost; lease.empty(); ++host) {
                const std::string candidate = kLeasePrefix + std::to_string(host);
                if (std::find(leases.begin(), leases.end(), candidate) == leases.end()) lease = candidate;
            }
        }
    } else {
        for (std::string& lease : leases) lease.clear();
    }
    for (const Station& was : Associated) {
        const bool stays = std::any_of(now.begin(), now.end(), [&](const Station& s) { return !memcmp(s.Mac, was.Mac, 6); });
        if (!stays) m_journal.Add("SIM station left " + MacText(was.Mac));
    }
    for (const Station& is : now) {
        const bool was = std::any_of(Associated.begin(), Associated.end(), [&](const Station& s) { return !memcmp(s.Mac, is.Mac, 6); });
        if (!was) m_journal.Add("SIM station joined " + MacText(is.Mac));
    }
    Associated = std::move(now);
    LeaseOf = std::move(leases);
    Refused = std::move(refused);
}

bool SoftApWorld::StationJoin(const UCHAR (&mac)[6])
{
    auto guard = Lock();
    const bool known = std::any_of(InRange.begin(), InRange.end(), [&](const Station& s) { return !memcmp(s.Mac, mac, 6); });
    if (!known) {
        Station station;
        memcpy(station.Mac, mac, 6);
        InRange.push_back(station);
    }
    Refresh();
    return std::any_of(Associated.begin(), Associated.end(), [&](const Station& s) { return !memcmp(s.Mac, mac, 6); });
}

bool SoftApWorld::StationLeave(const UCHAR (&mac)[6])
{
    auto guard = Lock();
    const auto gone = std::remove_if(InRange.begin(), InRange.end(), [&](const Station& s) { return !memcmp(s.Mac, mac, 6); });
    const bool found = gone != InRange.end();
    InRange.erase(gone, InRange.end());
    Refresh();
    return found;
}

std::string SoftApWorld::Lease(const UCHAR (&mac)[6])
{
    auto guard = Lock();
    for (size_t i = 0; i < Associated.size(); ++i)
        if (memcmp(Associated[i].Mac, mac, 6) == 0) return LeaseOf[i];
    return std::string();
}

std::string SoftApWorld::WindowsProfile()
{
    auto guard = Lock();
    return ProfileSsid;
}

}  // namespace simap
