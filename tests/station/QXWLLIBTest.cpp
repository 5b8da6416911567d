#include "tests/station/StationFixture.h"

#include <cstring>

using namespace station_test;
using testing_support::BinFolder;
using testing_support::OwnIniPath;
using testing_support::ScopedFile;
using testing_support::StationSim;

namespace {
std::string NoExportsPath()
{
    return BinFolder() + "NoExportsLib.dll";
}

bool IsModuleLoaded(const std::string& path)
{
    return ::GetModuleHandleA(path.c_str()) != nullptr;
}
}  // namespace

// --- Binding ---------------------------------------------------------------------------------

TEST(StationBinding, EveryEntryPointOfTheTableResolvesByNameFromTheStandIns)
{
    HMODULE station = ::LoadLibraryA(StandInPath().c_str());
    HMODULE certMgr = ::LoadLibraryA((BinFolder() + "QxCertMgr.dll").c_str());
    ASSERT_NE(nullptr, station);
    ASSERT_NE(nullptr, certMgr);
    std::vector<std::string> missing;
#define CHECK_STATION(ret, name, params) \
    if (!::GetProcAddress(station, #name)) missing.push_back(#name);
#define CHECK_CERTMGR(ret, name, params) \
    if (!::GetProcAddress(certMgr, #name)) missing.push_back(#name);
    QXWL_ENTRY_POINTS(CHECK_STATION)
    QXCERTMGR_ENTRY_POINTS(CHECK_CERTMGR)
#undef CHECK_STATION
#undef CHECK_CERTMGR
    EXPECT_TRUE(missing.empty()) << missing.size() << " missing, first " << missing.front();
    ::FreeLibrary(certMgr);
    ::FreeLibrary(station);
}

TEST(StationBinding, LoadApiBindsEveryPointerFromBothLibraries)
{
    StationSim sim;
    ASSERT_TRUE(sim.Reset("[World]\nOsCode=10\n"));
    auto lib = std::make_unique<QXWLLIB>();
    ASSERT_TRUE(lib->LoadApi(StandInPath().c_str()));
    EXPECT_EQ(sim.Module(), lib->m_hQxWLAPI);
    EXPECT_EQ(::GetModuleHandleA((BinFolder() + "QxCertMgr.dll").c_str()), lib->m_hQxCertMgr);
#define CHECK_BOUND(ret, name, params)                                                                   \
    EXPECT_EQ(reinterpret_cast<void*>(::GetProcAddress(lib->m_hQxWLAPI, #name)),                       \
              reinterpret_cast<void*>(lib->name)) << #name;
    QXWL_ENTRY_POINTS(CHECK_BOUND)
#undef CHECK_BOUND
#define CHECK_BOUND(ret, name, params)                                                                   \
    EXPECT_EQ(reinterpret_cast<void*>(::GetProcAddress(lib->m_hQxCertMgr, #name)),                     \
              reinterpret_cast<void*>(lib->name)) << #name;
    QXCERTMGR_ENTRY_POINTS(CHECK_BOUND)
#undef CHECK_BOUND
    EXPECT_EQ(10, lib->QXWL_GetWinOS());
    lib->Release();
}

TEST(StationBinding, NullPathReadsTheSettingsAndFails)
{
    ScopedFile ini(OwnIniPath(), "[Settings]\nDebugMode=4\n");
    auto lib = std::make_unique<QXWLLIB>();
    EXPECT_FALSE(lib->LoadApi(nullptr));
    EXPECT_EQ(4, lib->nDebugMode);
    EXPECT_EQ(nullptr, lib->m_hQxWLAPI);
    // Nothing loaded: an entry point answers failure (the shutdown of a failed start calls some).
    EXPECT_EQ(QXWL_ERROR_FAILURE, lib->QXWL_OIDSetInfo(0x0DF101D6, nullptr, 0));
    EXPECT_EQ(nullptr, lib->listRepositBssid.pBssidList);
}

TEST(StationBinding, LibraryThatCannotBeLoadedChangesNothing)
{
    ScopedFile ini(OwnIniPath(), "[Settings]\nDebugMode=2\n");
    auto lib = std::make_unique<QXWLLIB>();
    strcpy(lib->m_AdapterEntry.chName, "kept");
    EXPECT_FALSE(lib->LoadApi((BinFolder() + "NoSuchLibrary.dll").c_str()));
    EXPECT_EQ(2, lib->nDebugMode);
    EXPECT_EQ(nullptr, lib->m_hQxWLAPI);
    EXPECT_EQ(nullptr, lib->m_hQxCertMgr);
    EXPECT_EQ(0, lib->QXWL_GetWinOS());
    EXPECT_EQ(nullptr, lib->listRepositBssid.pBssidList);
    EXPECT_STREQ("kept", lib->m_AdapterEntry.chName);
}

TEST(StationBinding, RepositorySizeFollowsTheOperatingSystemCode)
{
    StationSim sim;
    for (LONG os : {6, 7, 12}) {
        ASSERT_TRUE(sim.Reset("[World]\nOsCode=" + std::to_string(os) + "\n"));
        auto lib = std::make_unique<QXWLLIB>();
        ASSERT_TRUE(lib->LoadApi(StandInPath().c_str()));
        const ULONG expected = os < 7 ? 32768 : 65536;
        EXPECT_EQ(expected, lib->listRepositBssid.nBufferSize) << "OS code " << os;
        ASSERT_NE(nullptr, lib->listRepositBssid.pBssidList);
        const BYTE* bytes = reinterpret_cast<const BYTE*>(lib->listRepositBssid.pBssidList);
        EXPECT_TRUE(std::all_of(bytes, bytes + expected, [](BYTE b) { return b == 0; }));
        lib->Release();
    }
}

TEST(StationBinding, LibraryWithoutExportsLoadsAndKeepsOnlyTheTestedEntryPointsEmpty)
{
    LogCapture log;
    auto lib = std::make_unique<QXWLLIB>();
    ASSERT_TRUE(lib->LoadApi(NoExportsPath().c_str()));
    EXPECT_EQ(65536u, lib->listRepositBssid.nBufferSize);
    // The entry points the program tests before calling stay null, so the tests still work.
    EXPECT_EQ(nullptr, lib->QXWL_GetWinOS);
    EXPECT_EQ(nullptr, lib->QXWL_IsSupportVistaSoftAP);
    EXPECT_EQ(nullptr, lib->QXWL_DeInitial);
    EXPECT_EQ(nullptr, lib->QXWL_WriteAckPolicy);
    // and their wrappers answer an unknown system and no connection sharing.
    EXPECT_EQ(0, lib->WinOS());
    EXPECT_FALSE(lib->IsEnableICS());
    // Those called without a test answer failure instead of jumping to address 0.
    ASSERT_NE(nullptr, lib->QXWL_Initial);
    EXPECT_TRUE(log.Contains("[QxUI] QxWLAPI.dll has no entry point QXWL_Initial\n"));
    log.Clear();
    EXPECT_EQ(QXWL_ERROR_FAILURE, lib->QXWL_Initial(kStationVendorText, nullptr));
    EXPECT_FALSE(lib->QXWL_IsDeviceExist("any"));
    EXPECT_TRUE(log.Contains("QXWL_Initial() is not bound"));
    lib->Release();
}

TEST(StationBinding, SecondLoadRereadsSettingsRebindsAndReplacesTheRepository)
{
    StationSim sim;
    ASSERT_TRUE(sim.Reset("[World]\nOsCode=12\n"));
    auto lib = std::make_unique<QXWLLIB>();
    {
        ScopedFile ini(OwnIniPath(), "[Settings]\nDebugMode=2\n");
        ASSERT_TRUE(lib->LoadApi(StandInPath().c_str()));
    }
    EXPECT_EQ(65536u, lib->listRepositBssid.nBufferSize);
    ASSERT_TRUE(sim.Load("[World]\nOsCode=6\n"));
    {
        ScopedFile ini(OwnIniPath(), "[Settings]\nDebugMode=5\n");
        ASSERT_TRUE(lib->LoadApi(StandInPath().c_str()));
    }
    EXPECT_EQ(5, lib->nDebugMode);
    EXPECT_EQ(32768u, lib->listRepositBssid.nBufferSize);
    EXPECT_EQ(6, lib->QXWL_GetWinOS());
    lib->Release();
}

TEST(StationBinding, SecondLoadHoldsTheLibraryOnceSoOneReleaseUnloadsIt)
{
    auto lib = std::make_unique<QXWLLIB>();
    ASSERT_TRUE(lib->LoadApi(NoExportsPath().c_str()));
    ASSERT_TRUE(lib->LoadApi(NoExportsPath().c_str()));
    lib->Release();
    EXPECT_FALSE(IsModuleLoaded(NoExportsPath()));
}

TEST(StationBinding, LoadEmptiesTheFourAdapterTexts)
{
    StationSim sim;
    ASSERT_TRUE(sim.Reset());
    auto lib = std::make_unique<QXWLLIB>();
    ADAPTER_ENTRY& entry = lib->m_AdapterEntry;
    strcpy(entry.chName, "a");
    strcpy(entry.chDeviceID, "b");
    strcpy(entry.chText128, "c");
    strcpy(entry.chText392, "d");
    strcpy(entry.chSoftApName, "e");
    ASSERT_TRUE(lib->LoadApi(StandInPath().c_str()));
    EXPECT_STREQ("", entry.chName);
    EXPECT_STREQ("", entry.chDeviceID);
    EXPECT_STREQ("", entry.chText128);
    EXPECT_STREQ("", entry.chText392);
    EXPECT_STREQ("e", entry.chSoftApName);
    lib->Release();
}

// --- Release ---------------------------------------------------------------------------------

TEST(StationRelease, FreesBothLibrariesAndTheRepositoryBetweenItsBracketLines)
{
    auto lib = std::make_unique<QXWLLIB>();
    ASSERT_TRUE(lib->LoadApi(StandInPath().c_str()));
    LogCapture log;
    lib->Release();
    EXPECT_EQ((std::vector<std::string>{"[QxUI] --> QXWLLIB::Release\n", "[QxUI] FreeLibrary(QxCertMgr.dll) success!\n",
                                        "[QxUI] FreeLibrary(QXWLAPI.dll) success!\n", "[QxUI] <-- QXWLLIB::Release\n"}),
              log.Lines());
    EXPECT_EQ(nullptr, lib->listRepositBssid.pBssidList);
    EXPECT_FALSE(lib->IsLoaded());
    EXPECT_FALSE(IsModuleLoaded(StandInPath()));
}

TEST(StationRelease, WithNothingLoadedLogsOnlyTheBracketLines)
{
    auto lib = std::make_unique<QXWLLIB>();
    LogCapture log;
    lib->Release();
    EXPECT_EQ((std::vector<std::string>{"[QxUI] --> QXWLLIB::Release\n", "[QxUI] <-- QXWLLIB::Release\n"}), log.Lines());
    EXPECT_FALSE(lib->IsLoaded());
}

TEST(StationRelease, CallsAfterReleaseFailCleanlyAndAreLogged)
{
    auto lib = std::make_unique<QXWLLIB>();
    ASSERT_TRUE(lib->LoadApi(StandInPath().c_str()));
    lib->Release();
    ASSERT_FALSE(IsModuleLoaded(StandInPath()));  // the code the pointers pointed into is gone

    LogCapture log;
    WLAN_STATUS status = {};
    status.status = 99;
    EXPECT_EQ(QXWL_ERROR_FAILURE, lib->QXWL_QueryWLANStatus(&status, {1, 1, 1, 1, 1}));
    EXPECT_EQ(99u, status.status);
    EXPECT_EQ(QXWL_ERROR_FAILURE, lib->QXWL_StopAuth());
    EXPECT_EQ(0, lib->QXWL_GetWinOS());
    EXPECT_FALSE(lib->QxCertMgr_IsLegal("x"));
    EXPECT_TRUE(log.Contains("[QxUI] QXWL_QueryWLANStatus() is not bound to a loaded QxWLAPI.dll"));
    EXPECT_TRUE(log.Contains("[QxUI] QXWL_StopAuth() is not bound"));

    // A new load binds the library again.
    ASSERT_TRUE(lib->LoadApi(StandInPath().c_str()));
    EXPECT_EQ(QXWL_ERROR_SUCCESS, lib->QXWL_StopAuth());
    lib->Release();
}
