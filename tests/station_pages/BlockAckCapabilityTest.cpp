// The Block-Ack capability word and record, and the agreement table as list rows.
#include <gtest/gtest.h>
#include "station/BlockAckCapability.h"

#include <cstring>

namespace {
BA_ENTRY Entry(UCHAR macTail, UCHAR bitmap)
{
    BA_ENTRY entry = {};
    entry.PeerMac[0] = 0x00;
    entry.PeerMac[1] = 0x1A;
    entry.PeerMac[5] = macTail;
    entry.TidBitmap = bitmap;
    for (int tid = 0; tid < kBaTids; ++tid) {
        entry.TidValue8[tid] = static_cast<UCHAR>(10 + tid);
        entry.TidValue16[tid] = static_cast<USHORT>(1000 + tid);
    }
    return entry;
}
}  // namespace

TEST(BlockAckCapability, PacksTheWorkedExample)
{
    BA_CAPABILITY cap = {};
    cap.ValueA = cap.ValueB = 32;
    cap.MpduAggregation = kBaAggregationOn;
    cap.MpduDensity = 5;
    cap.AmsduEnabled = 1;
    cap.AmsduSize = 1;
    cap.MimoPowerSave = kMimoStatic;
    cap.AutoMpduAggregation = 1;
    EXPECT_EQ(15409184u, PackBaCapability(cap));
    EXPECT_EQ(0xEB2020u, PackBaCapability(cap));

    cap.MpduAggregation = kBaAggregationOff;
    cap.MimoPowerSave = kMimoSmEnable;
    const ULONG word = PackBaCapability(cap);
    EXPECT_EQ(2u, (word >> 17) & 3);
    EXPECT_EQ(3u, (word >> 24) & 3);
    EXPECT_EQ(0u, word >> 26);
}

TEST(BlockAckCapability, UnpackingInvertsPacking)
{
    BA_CAPABILITY cap = {7, 9, kBaAggregationOff, 3, 1, 0, kMimoDynamic, 0};
    const BA_CAPABILITY back = UnpackBaCapability(PackBaCapability(cap));
    EXPECT_EQ(0, std::memcmp(&cap, &back, sizeof cap));
    // Bits above 25 never reach a field.
    const BA_CAPABILITY high = UnpackBaCapability(0xFC000000u);
    const BA_CAPABILITY zero = {};
    EXPECT_EQ(0, std::memcmp(&zero, &high, sizeof zero));
}

TEST(BlockAckTable, EntriesWithoutAgreementsAreSkippedAndTheCountEndsTheWalk)
{
    BA_ENTRY entries[kBaEntriesPerSide] = {};
    entries[0] = Entry(1, 0);           // no agreement: never listed
    entries[1] = Entry(2, 0x81);        // TIDs 0 and 7
    entries[2] = Entry(3, 0x02);
    entries[3] = Entry(4, 0x04);        // beyond the count
    std::vector<BaListRow> rows;
    std::vector<BA_TID_ROW> records;
    EXPECT_TRUE(BuildBaSide(entries, 2, kBaRecipient, rows, records));
    ASSERT_EQ(2u, rows.size());
    EXPECT_STREQ("00-1A-00-00-00-02", rows[0][0].GetString());
    EXPECT_STREQ("10", rows[0][1].GetString());
    EXPECT_STREQ("-", rows[0][2].GetString());
    EXPECT_STREQ("17", rows[0][8].GetString());
    ASSERT_EQ(16u, records.size());
    EXPECT_EQ(kBaRecipient, records[0].Direction);
    EXPECT_EQ(1u, records[0].bTidSet);
    EXPECT_EQ(0u, records[1].bTidSet);
    EXPECT_EQ(7, records[7].TID);
    EXPECT_EQ(17, records[7].Value1);
    EXPECT_EQ(1007, records[7].Value2);
    EXPECT_EQ(0, records[7].Word);
}

TEST(BlockAckTable, ACountOfZeroOrBeyondTheAgreementsListsNothing)
{
    BA_ENTRY entries[kBaEntriesPerSide] = {};
    entries[5] = Entry(6, 0x01);
    std::vector<BaListRow> rows(3);
    std::vector<BA_TID_ROW> records;
    EXPECT_FALSE(BuildBaSide(entries, 0, kBaOriginator, rows, records));
    EXPECT_TRUE(rows.empty());
    EXPECT_FALSE(BuildBaSide(entries, 2, kBaOriginator, rows, records));
}
