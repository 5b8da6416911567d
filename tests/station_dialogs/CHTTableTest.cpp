// The 802.11n rate table: pinned values, the guard-interval rule and the MCS 32 edge.
#include <gtest/gtest.h>
#include "station/CHTTable.h"

namespace {
double Rate(const CHTTable& t, BOOL b40, int gi, int mcs)
{
    double r = -1;
    EXPECT_TRUE(t.GetRate(b40, gi, mcs, &r)) << b40 << "," << gi << "," << mcs;
    return r;
}
CHTTable Filled()
{
    CHTTable t;
    t.Init();
    return t;
}
}  // namespace

TEST(HTTable, GivesTheStandardRatesOfEachBandwidthAndGuardInterval)
{
    const CHTTable t = Filled();
    EXPECT_DOUBLE_EQ(65.0, Rate(t, FALSE, 0, 7));
    EXPECT_DOUBLE_EQ(72.2, Rate(t, FALSE, 1, 7));
    EXPECT_DOUBLE_EQ(300.0, Rate(t, TRUE, 1, 15));
    EXPECT_DOUBLE_EQ(6.0, Rate(t, TRUE, 0, 32));
    EXPECT_DOUBLE_EQ(6.7, Rate(t, TRUE, 1, 32));
    EXPECT_DOUBLE_EQ(81.0, Rate(t, TRUE, 0, 33));
    EXPECT_DOUBLE_EQ(90.0, Rate(t, TRUE, 1, 33));
    EXPECT_DOUBLE_EQ(6.5, Rate(t, FALSE, 0, 0));
    EXPECT_DOUBLE_EQ(260.0, Rate(t, FALSE, 0, 31));
    EXPECT_DOUBLE_EQ(288.9, Rate(t, FALSE, 1, 31));
    EXPECT_DOUBLE_EQ(13.5, Rate(t, TRUE, 0, 0));
    EXPECT_DOUBLE_EQ(540.0, Rate(t, TRUE, 0, 31));
    EXPECT_DOUBLE_EQ(600.0, Rate(t, TRUE, 1, 31));
    EXPECT_DOUBLE_EQ(21.7, Rate(t, FALSE, 1, 2));
    EXPECT_DOUBLE_EQ(28.9, Rate(t, FALSE, 1, 3));
}

TEST(HTTable, HoldsSevenTwentyMegahertzShortGuardRatesWithThreeDecimals)
{
    const CHTTable t = Filled();
    EXPECT_DOUBLE_EQ(14.444, Rate(t, FALSE, 1, 8));
    EXPECT_DOUBLE_EQ(28.889, Rate(t, FALSE, 1, 9));
    EXPECT_DOUBLE_EQ(43.333, Rate(t, FALSE, 1, 10));
    EXPECT_DOUBLE_EQ(57.778, Rate(t, FALSE, 1, 11));
    EXPECT_DOUBLE_EQ(86.667, Rate(t, FALSE, 1, 12));
    EXPECT_DOUBLE_EQ(115.556, Rate(t, FALSE, 1, 13));
    EXPECT_DOUBLE_EQ(130.0, Rate(t, FALSE, 1, 14));
    EXPECT_DOUBLE_EQ(144.444, Rate(t, FALSE, 1, 15));
    EXPECT_DOUBLE_EQ(173.3, Rate(t, FALSE, 1, 21));
}

TEST(HTTable, HasExactly132Entries)
{
    const CHTTable t = Filled();
    int found = 0;
    double r;
    for (int b40 = 0; b40 <= 1; ++b40)
        for (int gi = 0; gi <= 1; ++gi)
            for (int mcs = -1; mcs <= 40; ++mcs)
                found += t.GetRate(b40, gi, mcs, &r) ? 1 : 0;
    EXPECT_EQ(CHTTable::kEntries, found);
}

TEST(HTTable, RefusesMcsOutsideTheBandwidthAndLeavesTheRateUntouched)
{
    const CHTTable t = Filled();
    double r = 123.0;
    EXPECT_FALSE(t.GetRate(FALSE, 1, 32, &r));
    EXPECT_FALSE(t.GetRate(FALSE, 0, 32, &r));
    EXPECT_FALSE(t.GetRate(FALSE, 0, 33, &r));
    EXPECT_FALSE(t.GetRate(TRUE, 0, 34, &r));
    EXPECT_FALSE(t.GetRate(TRUE, 0, -1, &r));
    EXPECT_DOUBLE_EQ(123.0, r);
}

TEST(HTTable, ReadsEveryGuardIntervalButOneAsTheLongOne)
{
    const CHTTable t = Filled();
    EXPECT_DOUBLE_EQ(6.5, Rate(t, FALSE, 2, 0));
    EXPECT_DOUBLE_EQ(6.5, Rate(t, FALSE, -1, 0));
    EXPECT_DOUBLE_EQ(13.5, Rate(t, 7, 400, 0));  // any nonzero bandwidth flag is 40 MHz
}

TEST(HTTable, AnswersNothingBeforeInitAndTheSameAfterASecondInit)
{
    CHTTable t;
    double r = 1.0;
    EXPECT_FALSE(t.GetRate(FALSE, 0, 0, &r));
    t.Init();
    t.Init();
    EXPECT_DOUBLE_EQ(14.444, Rate(t, FALSE, 1, 8));
}
