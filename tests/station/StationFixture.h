// Shared set-up of the station tests: the stand-in's world reset to the built-in one with test
// timings, the program's station object bound to it, and the debug log captured.
#pragma once
#include <gtest/gtest.h>
#include "core/DebugLog.h"
#include "core/QXWLLIB.h"
#include "core/StationContract.h"
#include "support/StationSim.h"
#include "support/TestSupport.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace station_test {

inline std::string StandInPath()
{
    return testing_support::BinFolder() + "QxWLAPI.dll";
}

// Debug-log lines of the test, at every level.
class LogCapture {
public:
    LogCapture()
    {
        m_savedMode = QXWLAPI.nDebugMode;
        QXWLAPI.nDebugMode = 5;
        SetDebugOutputSink([this](LPCSTR line) { m_lines.emplace_back(line); });
    }
    ~LogCapture()
    {
        SetDebugOutputSink(nullptr);
        QXWLAPI.nDebugMode = m_savedMode;
    }
    const std::vector<std::string>& Lines() const { return m_lines; }
    bool Contains(const std::string& fragment) const
    {
        return std::any_of(m_lines.begin(), m_lines.end(),
                           [&](const std::string& line) { return line.find(fragment) != std::string::npos; });
    }
    void Clear() { m_lines.clear(); }

private:
    int m_savedMode = 0;
    std::vector<std::string> m_lines;
};

class StationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sim.Loaded()) << testing_support::StationSim::LibraryPath();
        ASSERT_TRUE(sim.Reset());
        lib = std::make_unique<QXWLLIB>();
        ASSERT_TRUE(lib->LoadApi(StandInPath().c_str()));
    }
    void TearDown() override
    {
        sim.WaitIdle();
        if (lib) lib->Release();
    }

    WLAN_STATUS Status(WLAN_STATUS_QUERY query = {1, 1, 1, 1, 1})
    {
        sim.WaitIdle();
        WLAN_STATUS status = {};
        lib->QXWL_QueryWLANStatus(&status, query);
        return status;
    }

    testing_support::StationSim sim;
    std::unique_ptr<QXWLLIB> lib;
};

}  // namespace station_test
