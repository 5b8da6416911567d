#include "sim/QxWLAPI/ProfileStore.h"

#include <algorithm>
#include <cstring>

namespace sim {
namespace {
std::string NameOf(const WLANPROFILE& p)
{
    return std::string(p.strProfileName, strnlen(p.strProfileName, sizeof p.strProfileName));
}
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
}

void ProfileStore::Load(const std::vector<StoredProfile>& entries)
{
    Clear();
    for (const StoredProfile& entry : entries) {
        WLANPROFILE p = MakeProfile(entry.Name, entry.Ssid, entry.AuthMode, entry.Encryption, entry.Key);
        strncpy(p.chID, entry.Identity.c_str(), sizeof p.chID - 1);
        strncpy(p.chPassword, entry.Password.c_str(), sizeof p.chPassword - 1);
        p.b8021X = (entry.AuthMode == AUTH_WPA || entry.AuthMode == AUTH_WPA2) ? 1 : 0;
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

ULONG ProfileStore::NextId() const
{
    ULONG next = 1;
    for (const WLANPROFILE& p : m_profiles) next = std::max(next, p.nProfileID + 1);
    return next;
}

}  // namespace sim
