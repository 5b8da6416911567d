#include <gtest/gtest.h>
#include "core/BssidRepository.h"
#include "contract/StationContract.h"
#include "support/LogCapture.h"
#include "support/ScanListBuilder.h"

#include <cstring>
#include <memory>
#include <vector>

using testing_support::KHzToChannel;
using testing_support::MacTails;
using testing_support::Network;
using testing_support::ScanList;

namespace {
constexpr ULONGLONG kSecond = 10000000;  // FILETIME units
constexpr ULONGLONG kStart = 0x01DA000000000000ULL;
const UCHAR kChannels24[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
const UCHAR kChannelsDual[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 36, 40, 44, 48};

class Repository : public ::testing::Test {
protected:
    void SetUp() override { Resize(kRepositBytes); }
    void Resize(ULONG bytes)
    {
        storage.assign(bytes, 0);
        repository = std::make_unique<REPOSIT_BSSID_LIST>();
        repository->pBssidList = reinterpret_cast<NDIS_802_11_BSSID_LIST_EX*>(storage.data());
        repository->nBufferSize = bytes;
    }
    // One scan at `seconds` after the start; answers the caller's list afterwards.
    std::vector<int> Scan(double seconds, const ScanList& scan, bool replace = false)
    {
        list = scan.Build(kSiteSurveyBufferBytes);
        Merge(seconds, replace);
        return MacTails(list.data(), list.size());
    }
    void Merge(double seconds, bool replace = false) { MergeAt(kStart + static_cast<ULONGLONG>(seconds * kSecond), replace); }
    void MergeAt(ULONGLONG now, bool replace = false)
    {
        BssidMergeInput input;
        input.now = now;
        input.replace = replace;
        input.channels = channels;
        input.channelCount = channelCount;
        input.frequencyToChannel = KHzToChannel;
        MergeRepositBssidList(*repository, list.data(), static_cast<ULONG>(list.size()), input);
    }
    std::vector<int> Kept() const { return MacTails(storage.data(), storage.size()); }
    ULONGLONG Stamp(size_t i) const
    {
        const FILETIME& ft = repository->ftLastSeen[i];
        return (static_cast<ULONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    }

    std::vector<BYTE> storage;
    std::unique_ptr<REPOSIT_BSSID_LIST> repository;
    std::vector<BYTE> list;
    const UCHAR* channels = kChannelsDual;
    ULONG channelCount = sizeof kChannelsDual;
};

ScanList Networks(std::initializer_list<int> tails, int channel = 6)
{
    ScanList scan;
    for (int tail : tails) scan.Add({static_cast<BYTE>(tail), "net" + std::to_string(tail), channel, 24});
    return scan;
}
}  // namespace

TEST_F(Repository, AbsentAccessPointStaysListedAfterTheFreshOnesFor15Seconds)
{
    EXPECT_EQ((std::vector<int>{1, 2}), Scan(0, Networks({1, 2})));
    EXPECT_EQ((std::vector<int>{3, 1, 2}), Scan(10, Networks({3})));
    EXPECT_EQ((std::vector<int>{3, 1, 2}), Scan(14.9, Networks({3})));
    EXPECT_EQ((std::vector<int>{3}), Scan(16, Networks({3})));
    EXPECT_EQ((std::vector<int>{3}), Kept());
}

TEST_F(Repository, ReappearingAccessPointTakesItsFreshEntryAndANewStamp)
{
    Scan(0, Networks({1, 2}));
    Scan(10, Networks({3}));
    ScanList renamed;
    renamed.Add({1, "renamed", 6, 0});
    EXPECT_EQ((std::vector<int>{1, 3, 2}), Scan(14, renamed));
    const auto* first = reinterpret_cast<const NDIS_WLAN_BSSID_EX*>(storage.data() + sizeof(ULONG));
    EXPECT_EQ(0, std::memcmp("renamed", first->Ssid.Ssid, 7));
    EXPECT_EQ(kStart + 14 * kSecond, Stamp(0));
    EXPECT_EQ(kStart + 10 * kSecond, Stamp(1));
    EXPECT_EQ(kStart + 0 * kSecond, Stamp(2));
    // Seen at 14 it outlives 2 (seen at 0) and 3 (seen at 10).
    EXPECT_EQ((std::vector<int>{4, 1}), Scan(26, Networks({4})));
}

TEST_F(Repository, AbsentAccessPointOnAChannelNoLongerAllowedIsDroppedAtOnce)
{
    ScanList dual = Networks({1});
    dual.Add({2, "five", 36, 0});
    Scan(0, dual);
    channels = kChannels24;  // switched to a 2.4 GHz-only mode
    channelCount = sizeof kChannels24;
    EXPECT_EQ((std::vector<int>{3, 1}), Scan(1, Networks({3})));
}

TEST_F(Repository, EmptyScanLeavesTheCallerEmptyButTheRepositoryRemembers)
{
    Scan(0, Networks({1, 2}));
    EXPECT_EQ((std::vector<int>{}), Scan(5, ScanList()));
    EXPECT_EQ((std::vector<int>{1, 2}), Kept());
    EXPECT_EQ((std::vector<int>{3, 1, 2}), Scan(6, Networks({3})));
}

TEST_F(Repository, RepositoryTimeModeReplacesAndRetainsNothing)
{
    Scan(0, Networks({1, 2}));
    const std::vector<BYTE> fresh = Networks({3}).Build(kSiteSurveyBufferBytes);
    list = fresh;
    Merge(1, true);
    EXPECT_EQ(fresh, list);  // the caller's list is left as the library gave it
    EXPECT_EQ((std::vector<int>{3}), Kept());
    EXPECT_EQ((std::vector<int>{4}), Scan(2, Networks({4}), true));
    // Merging again: what the replacing scan saw was seen then.
    EXPECT_EQ((std::vector<int>{5, 4}), Scan(3, Networks({5})));
    EXPECT_EQ((std::vector<int>{5}), Scan(17.5, Networks({5})));
}

TEST_F(Repository, AgesAreTakenOnTheWholeTime)
{
    // 2^32 units (about seven minutes) later the low words of the two stamps are equal.
    Scan(0, Networks({1}));
    list = Networks({2}).Build(kSiteSurveyBufferBytes);
    MergeAt(kStart + (1ULL << 32));
    EXPECT_EQ((std::vector<int>{2}), MacTails(list.data(), list.size()));
}

TEST_F(Repository, StampFromAClockSetBackCountsAsExpired)
{
    Scan(100, Networks({1}));
    EXPECT_EQ((std::vector<int>{2}), Scan(50, Networks({2})));
}

TEST_F(Repository, BadEntryLengthEndsTheWalkOfTheFreshList)
{
    testing_support::LogCapture log(1);
    for (ULONG badLength : {0UL, 50UL, 100000UL}) {
        Resize(kRepositBytes);
        list = Networks({1, 2, 3}).Build();
        const size_t second = sizeof(ULONG) + kNdisWlanBssidFixedBytes + 24;
        std::memcpy(list.data() + second, &badLength, sizeof badLength);
        Merge(0);
        EXPECT_EQ((std::vector<int>{1}), Kept()) << "Length " << badLength;
        EXPECT_EQ((std::vector<int>{1}), MacTails(list.data(), list.size())) << "Length " << badLength;
    }
    EXPECT_FALSE(log.Lines().empty());
}

TEST_F(Repository, CountBeyondTheEntriesIsBoundByTheBuffer)
{
    list = Networks({1, 2}).Build(0, 0xFFFFFFFF);
    Merge(0);
    EXPECT_EQ((std::vector<int>{1, 2}), Kept());
    list = Networks({3}).Build(0, 40);
    list.resize(list.size() - 1);  // the one entry's last byte is missing
    Merge(1);
    EXPECT_EQ((std::vector<int>{1, 2}), Kept());
}

TEST_F(Repository, DamagedRepositoryEntryEndsTheWalkOfTheOldList)
{
    Scan(0, Networks({1, 2, 3}));
    const ULONG zero = 0;
    std::memcpy(storage.data() + sizeof(ULONG) + kNdisWlanBssidFixedBytes + 24, &zero, sizeof zero);
    EXPECT_EQ((std::vector<int>{4, 1}), Scan(1, Networks({4})));
}

TEST_F(Repository, SmallCallerBufferGetsTheWholeEntriesThatFitAndTheirCount)
{
    Scan(0, Networks({1, 2, 3, 4, 5}));
    const size_t entry = kNdisWlanBssidFixedBytes + 24;
    std::vector<BYTE> small = Networks({6}).Build(sizeof(ULONG) + 3 * entry + entry / 2 + 8);
    const size_t capacity = small.size() - 8;  // the last 8 bytes lie beyond what the caller gives
    std::memset(small.data() + capacity, 0xEE, 8);
    BssidMergeInput input;
    input.now = kStart + kSecond;
    input.channels = channels;
    input.channelCount = channelCount;
    input.frequencyToChannel = KHzToChannel;
    MergeRepositBssidList(*repository, small.data(), static_cast<ULONG>(capacity), input);
    EXPECT_EQ((std::vector<int>{6, 1, 2}), MacTails(small.data(), capacity));
    for (size_t i = capacity; i < small.size(); ++i) EXPECT_EQ(0xEE, small[i]);
    EXPECT_EQ((std::vector<int>{6, 1, 2, 3, 4, 5}), Kept());
}

TEST_F(Repository, FullRepositoryKeepsWhatFitsAndASmallerEntryStillFits)
{
    const ULONG big = kNdisWlanBssidFixedBytes + 200;
    const ULONG small = kNdisWlanBssidFixedBytes;
    Resize(sizeof(ULONG) + 2 * big + small);
    ScanList first;
    first.Add({1, "a", 6, 200}).Add({2, "b", 6, 200}).Add({3, "c", 6, 0});
    Scan(0, first);
    testing_support::LogCapture log(1);
    ScanList second;
    second.Add({4, "d", 6, 200});
    EXPECT_EQ((std::vector<int>{4, 1, 3}), Scan(1, second));
    EXPECT_TRUE(log.Contains("might reach buffer limit"));
}

TEST_F(Repository, MergedListHoldsAtMost1024Entries)
{
    Resize(256 * 1024);
    ScanList old;
    for (int i = 0; i < 100; ++i) old.Add({static_cast<BYTE>(i), "old", 6, 0, 1});
    Scan(0, old);
    ScanList many;
    for (ULONG i = 0; i < 1000; ++i) many.Add({static_cast<BYTE>(i), "new", 6, 0, 2 + i / 256});
    list = many.Build(200000);
    Merge(1);
    EXPECT_EQ(1024u, MacTails(list.data(), list.size()).size());
    EXPECT_EQ(1024u, Kept().size());
}

TEST_F(Repository, NoRepositoryNoMerge)
{
    REPOSIT_BSSID_LIST none;
    list = Networks({1}).Build();
    const std::vector<BYTE> before = list;
    MergeRepositBssidList(none, list.data(), static_cast<ULONG>(list.size()), BssidMergeInput{});
    EXPECT_EQ(before, list);
}

// UpdateRepositBssidList against stand-in entry points of a station library object.
namespace {
struct LibraryCalls {
    ULONG mode = 7;
    ULONG adhoc = 3;
    std::vector<UCHAR> channels{1, 6, 11};
    LONG channelsStatus = QXWL_ERROR_SUCCESS;
    ULONG reportedCount = 0;  // when not 0, the count the library claims
    BOOL repositTime = FALSE;
    std::vector<ULONG> availableArgs;
    bool channelBufferWasZeroed = false;
};
LibraryCalls g_calls;

LONG WINAPI QueryWirelessMode(ULONG* mode)
{
    *mode = g_calls.mode;
    return QXWL_ERROR_SUCCESS;
}
LONG WINAPI ConvertPhyModeToAdHocMode(ULONG mode, ULONG* adhoc)
{
    *adhoc = mode == g_calls.mode ? g_calls.adhoc : 0;
    return QXWL_ERROR_SUCCESS;
}
LONG WINAPI GetAvailableChannels(ULONG networkType, ULONG mode, ULONG adhoc, UCHAR* channels, ULONG* count, ULONG flag)
{
    g_calls.availableArgs = {networkType, mode, adhoc, *count, flag};
    g_calls.channelBufferWasZeroed = true;
    for (int i = 0; i < 64; ++i) g_calls.channelBufferWasZeroed = g_calls.channelBufferWasZeroed && channels[i] == 0;
    std::memcpy(channels, g_calls.channels.data(), g_calls.channels.size());
    *count = g_calls.reportedCount ? g_calls.reportedCount : static_cast<ULONG>(g_calls.channels.size());
    return g_calls.channelsStatus;
}
BOOL WINAPI CheckBssidRepositTime()
{
    return g_calls.repositTime;
}

class RepositoryOfTheLibrary : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_calls = LibraryCalls();
        lib = std::make_unique<QXWLLIB>();
        lib->listRepositBssid.pBssidList = static_cast<NDIS_802_11_BSSID_LIST_EX*>(calloc(1, kRepositBytes));
        lib->listRepositBssid.nBufferSize = kRepositBytes;
        lib->QXWL_QueryWirelessMode = QueryWirelessMode;
        lib->QXWL_ConvertPhyModeToAdHocMode = ConvertPhyModeToAdHocMode;
        lib->QXWL_GetAvailableChannels = GetAvailableChannels;
        lib->QXWL_CheckBssidRepositTime = CheckBssidRepositTime;
        lib->QXWL_FrequencyToChannel = KHzToChannel;
    }
    std::vector<int> Update(const ScanList& scan)
    {
        std::vector<BYTE> list = scan.Build(kSiteSurveyBufferBytes);
        lib->UpdateRepositBssidList(list.data(), static_cast<ULONG>(list.size()));
        return MacTails(list.data(), list.size());
    }
    std::unique_ptr<QXWLLIB> lib;
};
}  // namespace

TEST_F(RepositoryOfTheLibrary, AsksForTheChannelsOfTheCurrentWirelessMode)
{
    Update(Networks({1}, 6));
    EXPECT_EQ((std::vector<ULONG>{1, 7, 3, 0, 0}), g_calls.availableArgs);
    EXPECT_TRUE(g_calls.channelBufferWasZeroed);
    // Channel 6 is allowed, channel 3 is not.
    ScanList mixed = Networks({2}, 6);
    mixed.Add({3, "ch3", 3, 0});
    Update(mixed);
    EXPECT_EQ((std::vector<int>{4, 2, 1}), Update(Networks({4}, 11)));
}

TEST_F(RepositoryOfTheLibrary, WithoutTheChannelListNothingAbsentIsRetained)
{
    Update(Networks({1}));
    g_calls.channelsStatus = QXWL_ERROR_FAILURE;
    testing_support::LogCapture log(1);
    EXPECT_EQ((std::vector<int>{2}), Update(Networks({2})));
    EXPECT_TRUE(log.Contains("QXWL_GetAvailableChannels() return not QXWL_ERROR_SUCCESS"));
}

TEST_F(RepositoryOfTheLibrary, ChannelCountBeyondTheArrayIsClamped)
{
    Update(Networks({1}));
    g_calls.reportedCount = 100000;
    testing_support::LogCapture log(1);
    EXPECT_EQ((std::vector<int>{2, 1}), Update(Networks({2})));
    EXPECT_TRUE(log.Contains("gave 100000 channels"));
}

TEST_F(RepositoryOfTheLibrary, RepositoryTimeModeOfTheLibraryReplaces)
{
    Update(Networks({1}));
    g_calls.repositTime = TRUE;
    EXPECT_EQ((std::vector<int>{2}), Update(Networks({2})));
    const std::vector<int> kept = MacTails(lib->listRepositBssid.pBssidList, kRepositBytes);
    EXPECT_EQ((std::vector<int>{2}), kept);
}

TEST_F(RepositoryOfTheLibrary, NotLoadedIsLoggedAndLeavesTheListAlone)
{
    QXWLLIB unloaded;
    std::vector<BYTE> list = Networks({1}).Build();
    const std::vector<BYTE> before = list;
    testing_support::LogCapture log(1);
    unloaded.UpdateRepositBssidList(list.data(), static_cast<ULONG>(list.size()));
    EXPECT_EQ(before, list);
    EXPECT_TRUE(log.Contains("not loaded"));
}
