#include <gtest/gtest.h>
#include "base/TextChecks.h"

TEST(HexText, DigitsOfEitherCaseAndNothingElse)
{
    EXPECT_EQ(0, HexDigitValue('0'));
    EXPECT_EQ(9, HexDigitValue('9'));
    EXPECT_EQ(10, HexDigitValue('a'));
    EXPECT_EQ(15, HexDigitValue('F'));
    for (char ch : {'g', 'G', ' ', '-', ':', '\0', '/', '@'}) EXPECT_EQ(kNotHexDigit, HexDigitValue(ch)) << ch;

    EXPECT_EQ(1, IsHexString("0123456789abcdefABCDEF"));
    EXPECT_EQ(1, IsHexString(""));
    EXPECT_EQ(0, IsHexString("12 34"));
    EXPECT_EQ(0, IsHexString("0x12"));
    EXPECT_EQ(1, IsDigitString("0123456789"));
    EXPECT_EQ(1, IsDigitString(""));
    EXPECT_EQ(0, IsDigitString("12a"));
    EXPECT_EQ(0, IsDigitString("-1"));
}

TEST(HexText, PairsBecomeBytesHighDigitFirst)
{
    BYTE out[3] = {};
    EXPECT_EQ(1, HexTextToBytes("0aFf7C", out, 3));
    EXPECT_EQ(0x0A, out[0]);
    EXPECT_EQ(0xFF, out[1]);
    EXPECT_EQ(0x7C, out[2]);
}

TEST(HexText, BadDigitCountsAs255AndIsReported)
{
    BYTE out[2] = {};
    EXPECT_EQ(0, HexTextToBytes("g1", out, 1));
    EXPECT_EQ(static_cast<BYTE>(255 * 16 + 1), out[0]);
    EXPECT_EQ(0, HexTextToBytes("1-", out, 1));
    EXPECT_EQ(static_cast<BYTE>(16 + 255), out[0]);
}

TEST(HexText, ShortTextIsNeverReadPastItsEnd)
{
    // The text sits at the end of a buffer of its own length: a read past its zero would be seen
    // as the marker bytes behind it.
    const char text[] = {'1', '2', '3', '\0', '4', '5', '6', '7'};
    BYTE out[4] = {};
    EXPECT_EQ(0, HexTextToBytes(text, out, 4));
    EXPECT_EQ(0x12, out[0]);
    EXPECT_EQ(static_cast<BYTE>(3 * 16 + 255), out[1]);
    EXPECT_EQ(static_cast<BYTE>(255 * 16 + 255), out[2]);
    EXPECT_EQ(static_cast<BYTE>(255 * 16 + 255), out[3]);
    EXPECT_EQ(0, HexTextToBytes(nullptr, out, 1));
}

TEST(SignalPercent, FollowsTheTwoSlopesAndCutsTowardsZero)
{
    EXPECT_EQ(100, RssiToSignalPercent(0));
    EXPECT_EQ(100, RssiToSignalPercent(-50));
    EXPECT_EQ(99, RssiToSignalPercent(-51));
    EXPECT_EQ(76, RssiToSignalPercent(-60));
    EXPECT_EQ(24, RssiToSignalPercent(-80));
    EXPECT_EQ(23, RssiToSignalPercent(-81));
    EXPECT_EQ(13, RssiToSignalPercent(-85));
    EXPECT_EQ(2, RssiToSignalPercent(-89));
    EXPECT_EQ(0, RssiToSignalPercent(-90));
    EXPECT_EQ(0, RssiToSignalPercent(-91));
    EXPECT_EQ(0, RssiToSignalPercent(-200));
}
