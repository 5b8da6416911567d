#include "station/CHTTable.h"

#include <cmath>
#include <cstdio>

namespace {
constexpr int kBandwidth20 = 20;
constexpr int kBandwidth40 = 40;
constexpr int kLongGiNs = 800;
constexpr int kShortGiNs = 400;
constexpr int kShortGiFlag = 1;
constexpr int kMcsPerStream = 8;
constexpr int kStreams = 4;
constexpr int kDuplicateMcs = 32;       // 40 MHz duplicate format
constexpr int kUnequalMcs = 33;         // first unequal-modulation rate
constexpr double kShortGiFactor = 10.0 / 9.0;  // 3.6 us symbols instead of 4.0 us

// One spatial stream, long guard interval, MCS 0 to 7 (Mbps).
constexpr double kRate20[kMcsPerStream] = {6.5, 13.0, 19.5, 26.0, 39.0, 52.0, 58.5, 65.0};
constexpr double kRate40[kMcsPerStream] = {13.5, 27.0, 40.5, 54.0, 81.0, 108.0, 121.5, 135.0};
constexpr double kDuplicateLong = 6.0, kDuplicateShort = 6.7;
constexpr double kUnequalLong = 81.0, kUnequalShort = 90.0;

// 20 MHz short guard interval rates held with three decimals: {MCS, Mbps}.
struct PinnedRate { int mcs; double rate; };
constexpr PinnedRate kPinned20Short[] = {
    {8, 14.444}, {9, 28.889}, {10, 43.333}, {11, 57.778}, {12, 86.667}, {13, 115.556}, {15, 144.444},
};

double OneDecimal(double value) { return std::round(value * 10.0) / 10.0; }

std::string MakeKey(int bandwidth, int guardNs, int mcs)
{
    char key[32];
    std::snprintf(key, sizeof key, "%d,%d,%d", bandwidth, guardNs, mcs);
    return key;
}
}  // namespace

void CHTTable::Insert(int bandwidth, int guardNs, int mcs, double rate)
{
    m_rates.emplace(MakeKey(bandwidth, guardNs, mcs), rate);
}

void CHTTable::Init()
{
    for (const PinnedRate& p : kPinned20Short)
        Insert(kBandwidth20, kShortGiNs, p.mcs, p.rate);
    for (int mcs = 0; mcs < kMcsPerStream * kStreams; ++mcs) {
        const int streams = mcs / kMcsPerStream + 1;
        const int base = mcs % kMcsPerStream;
        Insert(kBandwidth20, kLongGiNs, mcs, OneDecimal(streams * kRate20[base]));
        Insert(kBandwidth20, kShortGiNs, mcs, OneDecimal(streams * kRate20[base] * kShortGiFactor));
        Insert(kBandwidth40, kLongGiNs, mcs, OneDecimal(streams * kRate40[base]));
        Insert(kBandwidth40, kShortGiNs, mcs, OneDecimal(streams * kRate40[base] * kShortGiFactor));
    }
    Insert(kBandwidth40, kLongGiNs, kDuplicateMcs, kDuplicateLong);
    Insert(kBandwidth40, kShortGiNs, kDuplicateMcs, kDuplicateShort);
    Insert(kBandwidth40, kLongGiNs, kUnequalMcs, kUnequalLong);
    Insert(kBandwidth40, kShortGiNs, kUnequalMcs, kUnequalShort);
}

BOOL CHTTable::GetRate(BOOL bIs40MHz, int nGuardInterval, int nMcs, double* pRate) const
{
    if (!bIs40MHz && nMcs == kDuplicateMcs && (nGuardInterval == 0 || nGuardInterval == kShortGiFlag))
        return FALSE;
    const auto it = m_rates.find(MakeKey(bIs40MHz ? kBandwidth40 : kBandwidth20,
                                         nGuardInterval == kShortGiFlag ? kShortGiNs : kLongGiNs, nMcs));
    if (it == m_rates.end())
        return FALSE;
    *pRate = it->second;
    return TRUE;
}
