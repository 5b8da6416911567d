// The soft-AP library object: binding every entry point by name, the loader's edge cases and
// the stubs that stand in for entry points a library lacks.
#include <gtest/gtest.h>
#include "core/QXAPLIB.h"
#include "contract/StationContract.h"
#include "softap/SoftApSim.h"
#include "support/LogCapture.h"

#include <cstring>
#include <memory>

namespace {

using softap_test::SoftApSim;

std::string NoExportsPath()
{
    return testing_support::BinFolder() + "NoExportsLib.dll";
}

class SoftApLibraryObject : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sim.Loaded()) << SoftApSim::LibraryPath();
        ASSERT_TRUE(sim.Reset());
    }
    SoftApSim sim;
    std::unique_ptr<QXAPLIB> lib = std::make_unique<QXAPLIB>();
};

TEST_F(SoftApLibraryObject, EveryEntryPointBindsByNameFromTheStandIn)
{
    ASSERT_TRUE(lib->LoadApi(SoftApSim::LibraryPath().c_str()));
    EXPECT_EQ(sim.Module(), lib->m_hQxAPAPI);
    int bound = 0;
#define EXPECT_BOUND(ret, name, params)                                                                      \
    EXPECT_EQ(reinterpret_cast<void*>(::GetProcAddress(sim.Module(), #name)), reinterpret_cast<void*>(lib->name)) \
        << #name;                                                                                            \
    bound += lib->name != nullptr;
    QXAP_ENTRY_POINTS(EXPECT_BOUND)
#undef EXPECT_BOUND
    EXPECT_EQ(kSoftApEntryPointCount, bound);
}

TEST_F(SoftApLibraryObject, NullPathReadsTheSettingsAndLoadsNothing)
{
    lib->EnableCountryRegion = 42;
    lib->UTILITY_FILE_NAME = "stale";
    EXPECT_FALSE(lib->LoadApi(nullptr));
    EXPECT_NE(42, lib->EnableCountryRegion);
    EXPECT_NE(CString("stale"), lib->UTILITY_FILE_NAME);
    EXPECT_FALSE(lib->IsLoaded());
    // Nothing loaded: a call answers failure and logs instead of jumping through null.
    testing_support::LogCapture log(1);
    ASSERT_NE(nullptr, lib->QXAP_Initial);
    EXPECT_FALSE(lib->QXAP_DetectMoreThanOneProcess());
    EXPECT_TRUE(log.Contains("QXAP_DetectMoreThanOneProcess"));
}

TEST_F(SoftApLibraryObject, MissingLibraryLeavesTheObjectUnloaded)
{
    EXPECT_FALSE(lib->LoadApi((testing_support::BinFolder() + "NoSuchQxAPAPI.dll").c_str()));
    EXPECT_FALSE(lib->IsLoaded());
    EXPECT_EQ(0, lib->QXAP_GetWinOS());
}

TEST_F(SoftApLibraryObject, LoadEmptiesTheFourTextsOfTheAdapterEntry)
{
    ADAPTER_ENTRY& entry = lib->m_AdapterEntry;
    strcpy(entry.chName, "old adapter");
    strcpy(entry.chDeviceID, "old id");
    strcpy(entry.chText128, "old description");
    strcpy(entry.chText392, "old text");
    ASSERT_TRUE(lib->LoadApi(SoftApSim::LibraryPath().c_str()));
    EXPECT_STREQ("", entry.chName);
    EXPECT_STREQ("", entry.chDeviceID);
    EXPECT_STREQ("", entry.chText128);
    EXPECT_STREQ("", entry.chText392);
}

TEST_F(SoftApLibraryObject, SecondLoadRebindsAndAddsAReference)
{
    const std::string path = SoftApSim::LibraryPath();
    ASSERT_TRUE(lib->LoadApi(path.c_str()));
    lib->QXAP_GetWinOS = nullptr;
    lib->EnableCountryRegion = 42;
    ASSERT_TRUE(lib->LoadApi(path.c_str()));
    EXPECT_NE(nullptr, lib->QXAP_GetWinOS);
    EXPECT_NE(42, lib->EnableCountryRegion);
    // Two references of the object's own: giving one back leaves the library loaded.
    ASSERT_TRUE(::FreeLibrary(lib->m_hQxAPAPI));
    ASSERT_TRUE(::FreeLibrary(lib->m_hQxAPAPI));
    EXPECT_EQ(sim.Module(), ::GetModuleHandleA(path.c_str()));
    EXPECT_EQ(12, lib->QXAP_GetWinOS());
}

TEST_F(SoftApLibraryObject, EntryPointsALibraryLacksAnswerFailureAndLogInsteadOfCrashing)
{
    testing_support::LogCapture log(1);
    ASSERT_TRUE(lib->LoadApi(NoExportsPath().c_str()));
#define EXPECT_NOT_NULL(ret, name, params) EXPECT_NE(nullptr, lib->name) << #name;
    QXAP_ENTRY_POINTS(EXPECT_NOT_NULL)
#undef EXPECT_NOT_NULL
    EXPECT_TRUE(log.Contains("[ApUI] QxAPAPI.dll has no entry point QXAP_SetOPMode"));
    log.Clear();
    EXPECT_FALSE(lib->QXAP_SetOPMode(1));
    EXPECT_EQ(0, lib->QXAP_QueryOPMode());
    ULONG state = 7;
    EXPECT_NE(QXWL_ERROR_SUCCESS, lib->QXAP_QueryInitialState(&state));
    EXPECT_EQ(7u, state);
    EXPECT_TRUE(log.Contains("QXAP_SetOPMode() is not bound to a loaded QxAPAPI.dll"));
    EXPECT_TRUE(log.Contains("QXAP_QueryInitialState() is not bound"));
}

}  // namespace
