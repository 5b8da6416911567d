// Time per merge of a fresh scan into the repository of recently seen networks.
// Each round's scan misses a tenth of the networks (a different tenth each round), so the
// merge both takes fresh entries and retains absent ones.
#include "core/BssidRepository.h"
#include "support/ScanListBuilder.h"

#include <cstdio>
#include <cstdlib>
#include <vector>

using testing_support::KHzToChannel;
using testing_support::Network;
using testing_support::ScanList;

namespace {
constexpr int kRounds = 1000;
constexpr ULONG kInformationElementBytes = 40;  // a typical RSN and rates set
constexpr ULONGLONG kRoundInterval = 5000000;   // half a second between scans, in FILETIME units
const UCHAR kChannels[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 36, 40, 44, 48};

std::vector<std::vector<BYTE>> MakeScans(int networks)
{
    std::vector<std::vector<BYTE>> scans;
    const int missing = networks / 10;
    for (int variant = 0; variant < 10; ++variant) {
        ScanList scan;
        for (int n = 0; n < networks; ++n) {
            if (n >= variant * missing && n < (variant + 1) * missing) continue;
            scan.Add({static_cast<BYTE>(n), "network-" + std::to_string(n), 1 + n % 13, kInformationElementBytes,
                      static_cast<ULONG>(n / 256 + 1)});
        }
        scans.push_back(scan.Build());
    }
    return scans;
}

double MicrosecondsPerMerge(int networks, ULONG repositoryBytes, size_t* keptAtEnd)
{
    std::vector<BYTE> storage(repositoryBytes, 0);
    REPOSIT_BSSID_LIST repository;
    repository.pBssidList = reinterpret_cast<NDIS_802_11_BSSID_LIST_EX*>(storage.data());
    repository.nBufferSize = repositoryBytes;
    const std::vector<std::vector<BYTE>> scans = MakeScans(networks);
    std::vector<BYTE> list;

    BssidMergeInput input;
    input.channels = kChannels;
    input.channelCount = sizeof kChannels;
    input.frequencyToChannel = KHzToChannel;
    input.now = 0x01DA000000000000ULL;

    LARGE_INTEGER frequency, start, end;
    ::QueryPerformanceFrequency(&frequency);
    LONGLONG total = 0;
    for (int round = 0; round < kRounds; ++round) {
        list = scans[round % scans.size()];  // the caller's fresh buffer, refilled as the library would
        input.now += kRoundInterval;
        ::QueryPerformanceCounter(&start);
        MergeRepositBssidList(repository, list.data(), static_cast<ULONG>(list.size()), input);
        ::QueryPerformanceCounter(&end);
        total += end.QuadPart - start.QuadPart;
    }
    *keptAtEnd = repository.pBssidList->NumberOfItems;
    return 1e6 * static_cast<double>(total) / static_cast<double>(frequency.QuadPart) / kRounds;
}
}  // namespace

int main()
{
    std::printf("BSSID repository merge, %d merges each, %lu bytes of information elements per network\n", kRounds,
                static_cast<unsigned long>(kInformationElementBytes));
    for (ULONG repositoryBytes : {kRepositBytesBeforeOs7, kRepositBytes}) {
        for (int networks : {50, 250, 1000}) {
            size_t kept = 0;
            const double us = MicrosecondsPerMerge(networks, repositoryBytes, &kept);
            std::printf("  %4d networks, %6lu-byte repository: %8.1f us per merge (%zu entries kept)\n", networks,
                        static_cast<unsigned long>(repositoryBytes), us, kept);
        }
    }
    return EXIT_SUCCESS;
}
