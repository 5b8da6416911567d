// The station library keeps its profiles, the active profile's name and the PAC lists in a file
// of its own, so that they outlive the program: a store is taken back whole, and a save that
// breaks off (a crash, a full disk) never costs the store that was there before.
#include <gtest/gtest.h>
#include "contract/StationContract.h"
#include "support/ScopedFolder.h"
#include "support/StationSim.h"
#include "support/TestSupport.h"

#include <string>
#include <vector>

using namespace testing_support;

namespace {
constexpr size_t kPacBytes = 516;

class ProfileStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sim.Loaded());
        ASSERT_TRUE(sim.Reset());
#define BIND(name) name = reinterpret_cast<PFN_##name>(::GetProcAddress(sim.Module(), #name)); ASSERT_NE(nullptr, name);
        BIND(QXWL_WriteProfile) BIND(QXWL_DeleteProfile) BIND(QXWL_ReadProfileList) BIND(QXWL_ReadActiveProfileName)
        BIND(QXWL_CopyProfileToCurrentSetting) BIND(QXWL_WritePACList) BIND(QXWL_ReadPACList)
#undef BIND
    }
    void TearDown() override { sim.Reset(); }

    LONG Write(const char* name, const char* ssid)
    {
        WLANPROFILE p = {};
        strcpy(p.strProfileName, name);
        p.SSID.SsidLength = static_cast<ULONG>(strlen(ssid));
        memcpy(p.SSID.Ssid, ssid, p.SSID.SsidLength);
        p.enumNetworkType = 1;
        p.enumEncryStatus = 1;
        return QXWL_WriteProfile(name, &p);
    }
    std::vector<std::string> Names()
    {
        ULONG count = 0;
        QXWL_ReadProfileList(nullptr, &count);
        std::vector<WLANPROFILE> all(count);
        if (count) QXWL_ReadProfileList(all.data(), &count);
        std::vector<std::string> names;
        for (ULONG i = 0; i < count; ++i) names.push_back(all[i].strProfileName);
        return names;
    }
    std::string Active()
    {
        char name[kProfileNameBytes] = {};
        QXWL_ReadActiveProfileName(name);
        return name;
    }
    std::vector<BYTE> Pacs(const char* name)
    {
        ULONG count = 0;
        QXWL_ReadPACList(&count, nullptr, name);
        std::vector<BYTE> pacs(count * kPacBytes);
        if (count) {
            EXPECT_EQ(QXWL_ERROR_SUCCESS, QXWL_ReadPACList(&count, pacs.data(), name));
        }
        return pacs;
    }
    // A library started afresh on the store: the memory forgets, the file is read again.
    bool Restart()
    {
        sim.Reset();
        return sim.UseStoreFile(store);
    }
    bool JournalMentions(const std::string& text)
    {
        for (const std::string& line : sim.Journal())
            if (line.find(text) != std::string::npos) return true;
        return false;
    }

    StationSim sim;
    ScopedFolder folder;
    std::string store = folder.Path() + "\\QxWLProfiles.dat";
    PFN_QXWL_WriteProfile QXWL_WriteProfile = nullptr;
    PFN_QXWL_DeleteProfile QXWL_DeleteProfile = nullptr;
    PFN_QXWL_ReadProfileList QXWL_ReadProfileList = nullptr;
    PFN_QXWL_ReadActiveProfileName QXWL_ReadActiveProfileName = nullptr;
    PFN_QXWL_CopyProfileToCurrentSetting QXWL_CopyProfileToCurrentSetting = nullptr;
    PFN_QXWL_WritePACList QXWL_WritePACList = nullptr;
    PFN_QXWL_ReadPACList QXWL_ReadPACList = nullptr;
};
}  // namespace

TEST_F(ProfileStoreTest, ProfilesTheActiveNameAndPacListsOutliveTheLibrary)
{
    EXPECT_FALSE(sim.UseStoreFile(store));  // nothing stored yet
    ASSERT_EQ(QXWL_ERROR_SUCCESS, Write("Home", "HomeNet"));
    ASSERT_EQ(QXWL_ERROR_SUCCESS, Write("Cafe", "Cafe"));
    ASSERT_EQ(QXWL_ERROR_SUCCESS, QXWL_CopyProfileToCurrentSetting("Cafe"));
    std::vector<BYTE> pacs(2 * kPacBytes);
    for (size_t i = 0; i < pacs.size(); ++i) pacs[i] = static_cast<BYTE>(i * 7);
    ASSERT_EQ(QXWL_ERROR_SUCCESS, QXWL_WritePACList(2, pacs.data(), "Cafe"));

    ASSERT_TRUE(Restart());
    EXPECT_EQ((std::vector<std::string>{"Home", "Cafe"}), Names());
    EXPECT_EQ("Cafe", Active());
    EXPECT_EQ(pacs, Pacs("cafe"));  // names compare without case

    // A deleted profile takes its PAC list with it, in the file too.
    ASSERT_EQ(QXWL_ERROR_SUCCESS, QXWL_DeleteProfile("Cafe", FALSE));
    ASSERT_TRUE(Restart());
    EXPECT_EQ(std::vector<std::string>{"Home"}, Names());
    EXPECT_EQ("", Active());
    EXPECT_TRUE(Pacs("Cafe").empty());
}

TEST_F(ProfileStoreTest, ALeftoverOfAnInterruptedSaveNeverReplacesTheStore)
{
    sim.UseStoreFile(store);
    ASSERT_EQ(QXWL_ERROR_SUCCESS, Write("Home", "HomeNet"));
    const std::string good = ReadWholeFile(store);
    // A save that crashed before its last step left a partial new file beside the store.
    ScopedFile(store + ".new", good.substr(0, good.size() / 2)).Keep();
    ASSERT_TRUE(Restart());
    EXPECT_EQ(std::vector<std::string>{"Home"}, Names());
    // The next save writes its new file afresh and replaces the store with it.
    ASSERT_EQ(QXWL_ERROR_SUCCESS, Write("Cafe", "Cafe"));
    EXPECT_FALSE(FileExists(store + ".new"));
    ASSERT_TRUE(Restart());
    EXPECT_EQ((std::vector<std::string>{"Home", "Cafe"}), Names());
}

TEST_F(ProfileStoreTest, AFullDiskFailsTheWriteAndKeepsTheStoreAsItWas)
{
    sim.UseStoreFile(store);
    ASSERT_EQ(QXWL_ERROR_SUCCESS, Write("Home", "HomeNet"));
    const std::string before = ReadWholeFile(store);
    sim.Misbehave(SIM_MISBEHAVE_STORE_DISK_FULL);
    // The program is told: what it is told stored is what the file holds.
    EXPECT_NE(QXWL_ERROR_SUCCESS, Write("Cafe", "Cafe"));
    EXPECT_NE(QXWL_ERROR_SUCCESS, QXWL_DeleteProfile("Home", FALSE));
    EXPECT_EQ(std::vector<std::string>{"Home"}, Names());
    EXPECT_TRUE(JournalMentions("not written"));
    EXPECT_EQ(before, ReadWholeFile(store));
    EXPECT_FALSE(FileExists(store + ".new"));
    sim.Misbehave(SIM_MISBEHAVE_NONE);
    ASSERT_TRUE(Restart());
    EXPECT_EQ(std::vector<std::string>{"Home"}, Names());
}

TEST_F(ProfileStoreTest, ATornOrForeignStoreIsRefusedWhole)
{
    sim.UseStoreFile(store);
    ASSERT_EQ(QXWL_ERROR_SUCCESS, Write("Home", "HomeNet"));
    ASSERT_EQ(QXWL_ERROR_SUCCESS, Write("Cafe", "Cafe"));
    const std::string good = ReadWholeFile(store);
    std::string flipped = good;
    flipped[flipped.size() - 10] ^= 0x40;
    for (const std::string& bad : {good.substr(0, good.size() - 100), flipped, std::string("[World]\nOsCode=8\n")}) {
        ScopedFile(store, bad).Keep();
        sim.Reset();
        ASSERT_EQ(QXWL_ERROR_SUCCESS, Write("Mine", "Mine"));  // in memory: no store in use
        EXPECT_FALSE(sim.UseStoreFile(store));
        EXPECT_EQ(std::vector<std::string>{"Mine"}, Names());  // nothing half-taken
        EXPECT_TRUE(JournalMentions("not read"));
    }
}
