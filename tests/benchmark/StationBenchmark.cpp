// Speed of the station library's binding and of the largest list query: binding every entry
// point by name, and one site-survey query of 1,000 networks through the too-small protocol.
// Reports times; asserts none. Run as the README says (CTest label `benchmark`).
#include "core/QXWLLIB.h"
#include "contract/StationContract.h"
#include "support/StationSim.h"
#include "support/TestSupport.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {
constexpr int kRuns = 25;
constexpr int kNetworks = 1000;

double Now()
{
    LARGE_INTEGER counter, frequency;
    ::QueryPerformanceCounter(&counter);
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Runs `work` kRuns times (after `prepare`, which is not timed) and prints min and median in ms.
void Measure(const char* what, const std::function<void()>& prepare, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        if (prepare) prepare();
        const double start = Now();
        work();
        times.push_back(Now() - start);
    }
    std::sort(times.begin(), times.end());
    printf("%-62s min %8.3f ms   median %8.3f ms   max %8.3f ms\n", what, times.front(), times[times.size() / 2],
           times.back());
}

std::string Networks(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "[Network" + std::to_string(i) + "]\nSsid=Network number " + std::to_string(i) + "\nChannel=" +
                std::to_string(1 + i % 11) + "\nRssi=-" + std::to_string(40 + i % 50) +
                "\nSecurity=WPA2-PSK\nHT=1\nWPS=" + std::to_string(i % 2) + "\n";
    return text;
}
}  // namespace

int main()
{
    const std::string path = testing_support::BinFolder() + "QxWLAPI.dll";
    auto lib = std::make_unique<QXWLLIB>();

    Measure("LoadApi: load both libraries, bind 267 entry points", [&] { lib->Release(); },
            [&] { lib->LoadApi(path.c_str()); });

    Measure("  of which: read the station settings", nullptr, [&] { lib->ReadSettings(); });
    Measure("  of which: load and free QxWLAPI.dll afresh", nullptr, [&] {
        lib->Release();
        ::FreeLibrary(::LoadLibraryA(path.c_str()));
    });
    lib->LoadApi(path.c_str());
    HMODULE station = lib->m_hQxWLAPI;
    int bound = 0;
    Measure("bind the 257 station entry points by name (GetProcAddress)", nullptr, [&] {
        bound = 0;
#define BIND_ONE(ret, name, params) bound += ::GetProcAddress(station, #name) != nullptr;
        QXWL_ENTRY_POINTS(BIND_ONE)
#undef BIND_ONE
    });
    printf("  (%d of %d bound)\n", bound, kStationEntryPointCount);

    testing_support::StationSim sim;
    if (!sim.Loaded() || !sim.Reset(Networks(kNetworks))) {
        printf("the stand-in could not be prepared\n");
        return 1;
    }
    std::vector<BYTE> list;
    size_t count = 0;
    Measure("site survey of 1,000 networks: -10, then the list (2 calls)", nullptr, [&] {
        ReadSiteSurveyList(lib->QXWL_SiteSurveyQuery, list, "benchmark");
    });
    Measure("site survey of 1,000 networks, list checked (BssidListView)", nullptr, [&] {
        ReadSiteSurveyList(lib->QXWL_SiteSurveyQuery, list, "benchmark");
        count = BssidListView(list.data(), list.size(), "benchmark").Count();
    });
    printf("  (%zu networks, %zu bytes)\n", count, list.size());
    lib->Release();
    return count == kNetworks ? 0 : 1;
}
