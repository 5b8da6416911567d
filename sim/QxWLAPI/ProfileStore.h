// The library's stored profiles, kept in memory by name (names compare without case), in the
// order they were first written, and the name of the active one.
#pragma once
#include "sim/QxWLAPI/WorldModel.h"

#include <string>
#include <vector>

namespace sim {

class ProfileStore {
public:
    void Clear();
    void Load(const std::vector<StoredProfile>& entries);

    const WLANPROFILE* Find(const std::string& name) const;
    // Stores the record under its own strProfileName; when that differs from storedName the
    // profile stored as storedName is renamed (it keeps its place).
    void Write(const std::string& storedName, const WLANPROFILE& profile);
    bool Delete(const std::string& name);
    const std::vector<WLANPROFILE>& All() const { return m_profiles; }

    const std::string& ActiveName() const { return m_active; }
    void SetActive(const std::string& name) { m_active = name; }
    ULONG NextId() const;

private:
    int IndexOf(const std::string& name) const;
    std::vector<WLANPROFILE> m_profiles;
    std::string m_active;
};

// A profile record for a network and its key, as the program's editors would fill it.
WLANPROFILE MakeProfile(const std::string& name, const std::string& ssid, ULONG authMode, ULONG encryption,
                        const std::string& key);

}  // namespace sim
