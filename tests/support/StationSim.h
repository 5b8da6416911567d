// The stand-in station library seen from a test: loaded from the program's folder (a
// reference of the test's own, so the simulated world lives as long as the test wants), with
// its SIM_ test interface bound by name.
#pragma once
#include "sim/QxWLAPI/SimApi.h"
#include "support/TestSupport.h"

#include <string>
#include <vector>

namespace testing_support {

class StationSim {
public:
    StationSim();
    explicit StationSim(std::string path);  // another copy of the stand-in
    ~StationSim();
    StationSim(const StationSim&) = delete;
    StationSim& operator=(const StationSim&) = delete;

    bool Loaded() const { return m_module != nullptr; }
    // Gives up the test's reference, and takes a new one (a library loaded afresh when no
    // other reference kept it).
    void Unload();
    bool Reload();
    HMODULE Module() const { return m_module; }
    static std::string LibraryPath();  // "<program's folder>QxWLAPI.dll"
    const std::string& Path() const { return m_path; }

    // The built-in world with test timings, then the given world-file text.
    bool Reset(const std::string& worldText = "");
    bool Load(const std::string& worldText) { return m_SIM_LoadWorldText(worldText.c_str()) != FALSE; }
    bool UseWorldFile(const std::string& path)
    {
        return m_SIM_UseWorldFile(path.empty() ? nullptr : path.c_str()) != FALSE;
    }
    // Keeps the stand-in's profiles in that file (empty: in memory only); false when the file
    // held no whole store to take.
    bool UseStoreFile(const std::string& path)
    {
        return m_SIM_UseStoreFile(path.empty() ? nullptr : path.c_str()) != FALSE;
    }
    bool Set(const char* key, LONG value) { return m_SIM_Set(key, value) != FALSE; }
    LONG Get(const char* key) { return m_SIM_Get(key); }
    void Misbehave(ULONG flags) { m_SIM_Misbehave(flags); }
    bool PostNotification(UINT message) { return m_SIM_PostNotification(message) != FALSE; }
    bool FireAuthStatus(UCHAR status) { return m_SIM_FireAuthStatus(status) != FALSE; }
    // Waits for the world's pending events (connect steps, scans, callbacks).
    bool WaitIdle(DWORD timeoutMs = 5000) { return m_SIM_WaitIdle(timeoutMs) != FALSE; }
    // Waits until the world has no pending event and this thread has dispatched every message
    // the library posted to it.
    bool Settle(DWORD timeoutMs = kWaitBoundMs);
    bool SignalWifiDirectEvent() { return m_SIM_SignalWifiDirectEvent() != FALSE; }

    std::vector<std::string> Journal();
    void ClearJournal() { m_SIM_ClearJournal(); }
    // The journal lines that start with prefix, in order.
    std::vector<std::string> JournalLines(const std::string& prefix);

private:
    std::string m_path;
    HMODULE m_module = nullptr;
#define SIM_MEMBER(name) PFN_##name m_##name = nullptr;
    SIM_EXPORTS(SIM_MEMBER)
#undef SIM_MEMBER
};

}  // namespace testing_support
