// The library's stored profiles, kept by name (names compare without case), in the order they
// were first written, the name of the active one, and the PAC list of each profile name.
#pragma once
#include "sim/QxWLAPI/WorldModel.h"

#include <array>
#include <map>
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

    // One PAC entry of the library's PAC lists (516 bytes each).
    static constexpr size_t kPacEntryBytes = 516;
    using PacEntry = std::array<BYTE, kPacEntryBytes>;
    // The PAC list stored for a profile name (the empty name: the current setting's).
    const std::vector<PacEntry>& PacList(const std::string& name) const;
    void SetPacList(const std::string& name, std::vector<PacEntry> entries);

    // Everything the store holds, as bytes, and back; Restore leaves the store unchanged and
    // answers false (with why) when the bytes are not a whole store.
    std::string Serialize() const;
    bool Restore(const std::string& bytes, std::string& error);

private:
    int IndexOf(const std::string& name) const;
    std::vector<WLANPROFILE> m_profiles;
    std::string m_active;
    std::map<std::string, std::vector<PacEntry>> m_pacLists;  // by lower-case name
};

// A profile record for a network and its key, as the program's editors would fill it.
WLANPROFILE MakeProfile(const std::string& name, const std::string& ssid, ULONG authMode, ULONG encryption,
                        const std::string& key);

}  // namespace sim
