#include "support/StationSim.h"
#include "support/TestSupport.h"

#include <sstream>
#include <utility>

namespace testing_support {

std::string StationSim::LibraryPath()
{
    return BinFolder() + "QxWLAPI.dll";
}

StationSim::StationSim() : StationSim(LibraryPath()) {}

StationSim::StationSim(std::string path) : m_path(std::move(path))
{
    Reload();
}

void StationSim::Unload()
{
    if (m_module) ::FreeLibrary(m_module);
    m_module = nullptr;
}

bool StationSim::Reload()
{
    Unload();
    m_module = ::LoadLibraryA(m_path.c_str());
    if (!m_module) return false;
#define SIM_BIND(name)                                                                               \
    m_##name = reinterpret_cast<PFN_##name>(reinterpret_cast<void*>(::GetProcAddress(m_module, #name))); \
    if (!m_##name) {                                                                                 \
        Unload();                                                                                    \
        return false;                                                                                \
    }
    SIM_EXPORTS(SIM_BIND)
#undef SIM_BIND
    return true;
}

StationSim::~StationSim()
{
    if (!m_module) return;
    m_SIM_ResetWorld();
    ::FreeLibrary(m_module);
}

bool StationSim::Reset(const std::string& worldText)
{
    m_SIM_ResetWorld();
    return worldText.empty() || Load(worldText);
}

bool StationSim::Settle(DWORD timeoutMs)
{
    return PumpUntilSettled([this] { return WaitIdle(0); }, timeoutMs);
}

std::vector<std::string> StationSim::Journal()
{
    std::string text(m_SIM_GetJournal(nullptr, 0), '\0');
    m_SIM_GetJournal(text.data(), static_cast<ULONG>(text.size()));
    text.resize(text.empty() ? 0 : text.size() - 1);
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> StationSim::JournalLines(const std::string& prefix)
{
    std::vector<std::string> matching;
    for (const std::string& line : Journal())
        if (line.compare(0, prefix.size(), prefix) == 0) matching.push_back(line);
    return matching;
}

}  // namespace testing_support
