// The stand-in soft-AP library seen from a test: loaded from the program's folder by a reference
// of the test's own, with its SIM_ test interface bound by name.
#pragma once
#include "sim/QxAPAPI/SimApi.h"
#include "support/TestSupport.h"

#include <sstream>
#include <string>
#include <vector>

namespace softap_test {

class SoftApSim {
public:
    SoftApSim() : m_module(::LoadLibraryA(LibraryPath().c_str()))
    {
        if (!m_module) return;
#define SIMAP_BIND(name) \
    m_##name = reinterpret_cast<PFN_SIMAP_##name>(reinterpret_cast<void*>(::GetProcAddress(m_module, "SIM_" #name)));
        SIMAP_EXPORTS(SIMAP_BIND)
#undef SIMAP_BIND
    }
    ~SoftApSim()
    {
        if (m_module) ::FreeLibrary(m_module);
    }
    SoftApSim(const SoftApSim&) = delete;
    SoftApSim& operator=(const SoftApSim&) = delete;

    static std::string LibraryPath() { return testing_support::BinFolder() + "QxAPAPI.dll"; }
    bool Loaded() const { return m_module && m_ResetWorld && m_ClearJournal; }
    HMODULE Module() const { return m_module; }

    bool Reset(const std::string& worldText = "")
    {
        m_ResetWorld();
        return worldText.empty() || Load(worldText);
    }
    bool Load(const std::string& text) { return m_LoadWorldText(text.c_str()) != FALSE; }
    bool UseWorldFile(const std::string& path) { return m_UseWorldFile(path.empty() ? nullptr : path.c_str()) != FALSE; }
    bool Set(const char* key, LONG value) { return m_Set(key, value) != FALSE; }
    LONG Get(const char* key) { return m_Get(key); }
    bool Join(const char* mac) { return m_StationJoin(mac) != FALSE; }
    bool Leave(const char* mac) { return m_StationLeave(mac) != FALSE; }
    std::string Lease(const char* mac) { return Text([&](LPSTR b, ULONG n) { return m_GetLease(mac, b, n); }); }
    std::string WindowsProfile() { return Text([&](LPSTR b, ULONG n) { return m_GetWindowsProfile(b, n); }); }
    void ClearJournal() { m_ClearJournal(); }
    std::vector<std::string> Journal()
    {
        std::istringstream text(Text([&](LPSTR b, ULONG n) { return m_GetJournal(b, n); }));
        std::vector<std::string> lines;
        for (std::string line; std::getline(text, line);) lines.push_back(line);
        return lines;
    }

private:
    template <typename Read>
    static std::string Text(Read read)
    {
        const ULONG needed = read(nullptr, 0);
        if (needed == 0) return std::string();
        std::string text(needed, '\0');
        read(text.data(), needed);
        text.resize(needed - 1);
        return text;
    }

    HMODULE m_module = nullptr;
#define SIMAP_MEMBER(name) PFN_SIMAP_##name m_##name = nullptr;
    SIMAP_EXPORTS(SIMAP_MEMBER)
#undef SIMAP_MEMBER
};

}  // namespace softap_test
