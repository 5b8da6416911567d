#include "sim/QxWLAPI/ProfileStore.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace sim {
namespace {
std::string NameOf(const WLANPROFILE& p)
{
    return std::string(p.strProfileName, strnlen(p.strProfileName, sizeof p.strProfileName));
}

std::string Lower(std::string text)
{
    for (char& c : text) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return text;
}

void PutWord(std::string& out, ULONG value) { out.append(reinterpret_cast<const char*>(&value), sizeof value); }
void PutText(std::string& out, const std::string& text)
{
    PutWord(out, static_cast<ULONG>(text.size()));
    out += text;
}

// Reads the serialized store in order; any read past the end fails the whole reading.
class Reader {
public:
    explicit Reader(const std::string& bytes) : m_bytes(bytes) {}
    bool Word(ULONG& value) { return Bytes(&value, sizeof value); }
    bool Bytes(void* out, size_t n)
    {
        if (m_bytes.size() - m_at < n) return false;
        memcpy(out, m_bytes.data() + m_at, n);
        m_at += n;
        return true;
    }
    bool Text(std::string& text)
    {
        ULONG n;
        if (!Word(n) || m_bytes.size() - m_at < n) return false;
        text.assign(m_bytes, m_at, n);
        m_at += n;
        return true;
    }
    bool AtEnd() const { return m_at == m_bytes.size(); }
    size_t Left() const { return m_bytes.size() - m_at; }

private:
    const std::string& m_bytes;
    size_t m_at = 0;
};
}  // namespace

WLANPROFILE MakeProfile(const std::string& name, const std::string& ssid, ULONG authMode, ULONG encryption,
                        const std::string& key)
{
    WLANPROFILE p = {};
    strncpy(p.strProfileName, name.c_str(), sizeof p.strProfileName - 1);
    p.SSID.SsidLength = static_cast<ULONG>(std::min<size_t>(ssid.size(), kSsidMaxLength));
    memcpy(p.SSID.Ssid, ssid.data(), p.SSID.SsidLength);
    p.enumNetworkType = NETWORK_INFRASTRUCTURE;
    p.enumPreamType = 2;
    p.lRtsThre = 2347;
    p.lFragThre = 2346;
    p.enumAuthenMode = authMode;
    p.enumEncryStatus = encryption;
    if (encryption == ENCRY_WEP) {
        strncpy(p.WEPKey1, key.c_str(), sizeof p.WEPKey1 - 1);
    } else {
        strncpy(p.chPskKey, key.c_str(), sizeof p.chPskKey - 1);
        p.nPskKeyLen = static_cast<ULONG>(strnlen(p.chPskKey, sizeof p.chPskKey));
    }
    return p;
}

void ProfileStore::Clear()
{
    m_profiles.clear();
    m_active.clear();
    m_pacLists.clear();
}

void ProfileStore::Load(const std::vector<StoredProfile>& entries)
{
    Clear();
    for (const StoredProfile& entry : entries) {
        WLANPROFILE p = MakeProfile(entry.Name, entry.Ssid, entry.AuthMode, entry.Encryption, entry.Key);
        strncpy(p.chID, entry.Identity.c_str(), sizeof p.chID - 1);
        strncpy(p.chPassword, entry.Password.c_str(), sizeof p.chPassword - 1);
        p.b8021X = (entry.AuthMode == AUTH_WPA || entry.AuthMode == AUTH_WPA2) ? 1 : 0;
        p.enumAuthenProtocol = entry.EapMethod;
        p.enumTunnel = entry.Tunnel;
        p.nProfileID = NextId();
        Write(entry.Name, p);
        if (entry.Active) m_active = entry.Name;
    }
}

int ProfileStore::IndexOf(const std::string& name) const
{
    for (size_t i = 0; i < m_profiles.size(); ++i)
        if (_stricmp(NameOf(m_profiles[i]).c_str(), name.c_str()) == 0) return static_cast<int>(i);
    return -1;
}

const WLANPROFILE* ProfileStore::Find(const std::string& name) const
{
    const int i = IndexOf(name);
    return i < 0 ? nullptr : &m_profiles[i];
}

void ProfileStore::Write(const std::string& storedName, const WLANPROFILE& profile)
{
    const std::string newName = NameOf(profile);
    int at = IndexOf(storedName);
    if (at < 0) at = IndexOf(newName);
    if (at < 0) {
        m_profiles.push_back(profile);
    } else {
        m_profiles[at] = profile;
        // A rename must not leave a second profile of the new name behind.
        const int other = IndexOf(newName);
        if (other >= 0 && other != at) m_profiles.erase(m_profiles.begin() + other);
    }
    if (_stricmp(m_active.c_str(), storedName.c_str()) == 0) m_active = newName;
}

bool ProfileStore::Delete(const std::string& name)
{
    const int i = IndexOf(name);
    if (i < 0) return false;
    m_profiles.erase(m_profiles.begin() + i);
    if (_stricmp(m_active.c_str(), name.c_str()) == 0) m_active.clear();
    return true;
}

const std::vector<ProfileStore::PacEntry>& ProfileStore::PacList(const std::string& name) const
{
    static const std::vector<PacEntry> none;
    const auto found = m_pacLists.find(Lower(name));
    return found == m_pacLists.end() ? none : found->second;
}

void ProfileStore::SetPacList(const std::string& name, std::vector<PacEntry> entries)
{
    if (entries.empty()) m_pacLists.erase(Lower(name));
    else m_pacLists[Lower(name)] = std::move(entries);
}

std::string ProfileStore::Serialize() const
{
    std::string out;
    PutText(out, m_active);
    PutWord(out, static_cast<ULONG>(m_profiles.size()));
    for (const WLANPROFILE& p : m_profiles) out.append(reinterpret_cast<const char*>(&p), sizeof p);
    PutWord(out, static_cast<ULONG>(m_pacLists.size()));
    for (const auto& [name, entries] : m_pacLists) {
        PutText(out, name);
        PutWord(out, static_cast<ULONG>(entries.size()));
        for (const PacEntry& e : entries) out.append(reinterpret_cast<const char*>(e.data()), e.size());
    }
    return out;
}

bool ProfileStore::Restore(const std::string& bytes, std::string& error)
{
    Reader in(bytes);
    std::string active;
    ULONG count = 0;
    if (!in.Text(active) || !in.Word(count) || count > in.Left() / sizeof(WLANPROFILE)) {
        error = "profile list cut short";
        return false;
    }
    std::vector<WLANPROFILE> profiles(count);
    for (WLANPROFILE& p : profiles) in.Bytes(&p, sizeof p);
    ULONG lists = 0;
    if (!in.Word(lists)) {
        error = "PAC lists missing";
        return false;
    }
    std::map<std::string, std::vector<PacEntry>> pacLists;
    for (ULONG i = 0; i < lists; ++i) {
        std::string name;
        ULONG entries = 0;
        if (!in.Text(name) || !in.Word(entries) || entries > in.Left() / kPacEntryBytes) {
            error = "PAC list cut short";
            return false;
        }
        std::vector<PacEntry>& list = pacLists[Lower(name)];
        list.resize(entries);
        for (PacEntry& e : list) in.Bytes(e.data(), e.size());
    }
    if (!in.AtEnd()) {
        error = "bytes after the store";
        return false;
    }
    m_profiles = std::move(profiles);
    m_active = std::move(active);
    m_pacLists = std::move(pacLists);
    return true;
}

ULONG ProfileStore::NextId() const
{
    ULONG next = 1;
    for (const WLANPROFILE& p : m_profiles) next = std::max(next, p.nProfileID + 1);
    return next;
}

}  // namespace sim
