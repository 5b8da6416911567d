// Shared set-up of the station tests: the stand-in's world reset to the built-in one with test
// timings, the program's station object bound to it, and the debug log captured.
#pragma once
#include <gtest/gtest.h>
#include "core/QXWLLIB.h"
#include "contract/StationContract.h"
#include "support/LogCapture.h"
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

using testing_support::LogCapture;

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
