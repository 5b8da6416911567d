#include <gtest/gtest.h>
#include "base/SecureRandom.h"

#include <cstring>
#include <set>
#include <string>

TEST(WpsPin, ChecksumDigitFollowsTheWeightsThreeAndOne)
{
    EXPECT_EQ(0u, WpsPinChecksum(1234567));  // the well-known valid PIN 12345670
    EXPECT_EQ(0u, WpsPinChecksum(0));
    EXPECT_EQ(7u, WpsPinChecksum(1));        // the last of the seven digits weighs 3
    EXPECT_EQ(3u, WpsPinChecksum(2001000));  // 3 x 2 + 1 x 1
}

TEST(WpsPin, GeneratedPinsCarryTheirChecksumAndVary)
{
    std::set<ULONG> pins;
    for (int i = 0; i < 200; ++i) {
        ULONG pin = 0;
        ASSERT_EQ(1, GenerateWpsPin(&pin));
        ASSERT_LT(pin, 100000000u);
        EXPECT_EQ(pin % 10, WpsPinChecksum(pin / 10)) << pin;
        pins.insert(pin);
    }
    // Two hundred draws within the same second: a time-seeded generator repeats itself here.
    EXPECT_GT(pins.size(), 190u);
}

TEST(RandomBytes, FillTheWholeBufferAndDifferBetweenCalls)
{
    BYTE a[64] = {}, b[64] = {};
    ASSERT_EQ(1, FillRandomBytes(a, sizeof a));
    ASSERT_EQ(1, FillRandomBytes(b, sizeof b));
    EXPECT_NE(0, std::memcmp(a, b, sizeof a));
    EXPECT_EQ(1, FillRandomBytes(a, 0));
}

TEST(RandomString, DrawsOnlyFromTheAlphabetAndNeedsOne)
{
    char text[65] = {};
    const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    ASSERT_EQ(1, MakeRandomString(text, 64, alphabet));
    EXPECT_EQ(64u, std::strlen(text));
    EXPECT_EQ(std::string::npos, std::string(text).find_first_not_of(alphabet));

    char untouched[4] = {'x', 'x', 'x', '\0'};
    EXPECT_EQ(0, MakeRandomString(untouched, 3, ""));
    EXPECT_EQ(0, MakeRandomString(untouched, 3, nullptr));
    EXPECT_STREQ("xxx", untouched);

    char one[3] = {};
    ASSERT_EQ(1, MakeRandomString(one, 2, "Q"));
    EXPECT_STREQ("QQ", one);
}
