// WEP keys from a pass phrase: fixed vectors and the phrase-length edges.
#include <gtest/gtest.h>
#include "station/WepKeyGeneration.h"

#include <string>

namespace {
CString Keys64(const char* phrase)
{
    BYTE out[kWep64OutputBytes] = {};
    EXPECT_TRUE(GenerateWep64Keys(phrase, out));
    return WepKeyHexText(out, kWep64OutputBytes);
}
CString Key128(const char* phrase)
{
    BYTE out[kWep128DigestBytes] = {};
    EXPECT_TRUE(GenerateWep128Key(phrase, out));
    return WepKeyHexText(out, kWep128KeyBytes);
}
}  // namespace

TEST(WepKeyGenerationTest, PublishedAndFixedVectors)
{
    // "test" is the phrase the common generators publish: 128-bit 9FDF3BFDFB10AFEB0925EF9605.
    EXPECT_STREQ("9FDF3BFDFB10AFEB0925EF9605", Key128("test"));
    EXPECT_STREQ("1B9DDA483D941E4148D091B3CDF063E38D0086C9", Keys64("test"));
    EXPECT_STREQ("0DEB22F4476578E8D0DD192BDB87F93019236A54", Keys64("quixen2024"));
    EXPECT_STREQ("A2AA2ADB369E8F54CD0225454D", Key128("quixen2024"));
    // One character: only the first seed byte is set.
    EXPECT_STREQ("63CACE42D9F201F42A09D275059AF9B4721C60FD", Keys64("a"));
    EXPECT_STREQ("014842D480B571495A4A036379", Key128("a"));
}

TEST(WepKeyGenerationTest, AnEmptyPhraseWritesNothing)
{
    BYTE keys[kWep64OutputBytes];
    BYTE digest[kWep128DigestBytes];
    memset(keys, 0xA5, sizeof keys);
    memset(digest, 0x5A, sizeof digest);
    EXPECT_FALSE(GenerateWep64Keys("", keys));
    EXPECT_FALSE(GenerateWep64Keys(nullptr, keys));
    EXPECT_FALSE(GenerateWep128Key("", digest));
    for (BYTE b : keys) EXPECT_EQ(0xA5, b);
    for (BYTE b : digest) EXPECT_EQ(0x5A, b);
}

TEST(WepKeyGenerationTest, OnlyTheFirst64CharactersMakeThe128BitKeyButAllSeedThe64BitKeys)
{
    const std::string phrase64(std::string("0123456789012345678901234567890123456789012345678901234567890123"));
    const std::string longer = phrase64 + "XYZ";
    EXPECT_STREQ(Key128(phrase64.c_str()), Key128(longer.c_str()));
    EXPECT_STREQ("7F7BFD348709DEEAACE19E3F53", Key128(longer.c_str()));
    EXPECT_STRNE(Keys64(phrase64.c_str()), Keys64(longer.c_str()));
    EXPECT_STREQ("BEC2F7077C1E696391A2CE9FDB0CFE04117FA266", Keys64(longer.c_str()));
}
