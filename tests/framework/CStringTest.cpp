#include <gtest/gtest.h>
#include "framework/Afx.h"

TEST(CStringFormat, SixtyFourBitIntegersAndMixedArguments)
{
    CString s;
    s.Format("%I64d|%s|%d|%%", static_cast<__int64>(-9000000000LL), "ab", 7);
    EXPECT_STREQ("-9000000000|ab|7|%", s);
    s.Format("%I64u", static_cast<unsigned __int64>(18446744073709551615ULL));
    EXPECT_STREQ("18446744073709551615", s);
}

TEST(CStringFormat, LongOutputIsNotCut)
{
    CString s;
    s.Format("%s%s", std::string(3000, 'x').c_str(), "end");
    EXPECT_EQ(3003, s.GetLength());
    EXPECT_STREQ("end", s.Right(3));
}

TEST(CStringSlicing, OutOfRangeArgumentsAreClamped)
{
    CString s("abcdef");
    EXPECT_STREQ("", s.Left(-3));
    EXPECT_STREQ("abcdef", s.Left(100));
    EXPECT_STREQ("ef", s.Mid(4));
    EXPECT_STREQ("", s.Mid(10));
    EXPECT_STREQ("ab", s.Mid(-2, 2));
    EXPECT_STREQ("f", s.Mid(5, 50));
    EXPECT_EQ('\0', s.GetAt(6));
    EXPECT_EQ(-1, s.Find('z'));
    EXPECT_EQ(5, s.ReverseFind('f'));
}

TEST(CStringConstruction, BufferWithLengthStopsAtEmbeddedNul)
{
    const char ssid[32] = {'h', 'o', 'm', 'e', '\0', 'x'};
    EXPECT_STREQ("home", CString(ssid, 32));
    EXPECT_STREQ("ho", CString(ssid, 2));
    EXPECT_STREQ("", CString(nullptr, 5));
}

TEST(CStringEditing, ReplaceEscapesForMenusAndFormats)
{
    CString s("R&D 100%");
    EXPECT_EQ(1, s.Replace("&", "&&"));
    EXPECT_EQ(1, s.Replace("%", "%%"));
    EXPECT_STREQ("R&&D 100%%", s);
    CString mac("00-11-22");
    EXPECT_EQ(2, mac.Remove('-'));
    EXPECT_STREQ("001122", mac);
    CString t("abc");
    t.Delete(1, 10);
    EXPECT_STREQ("a", t);
}

TEST(CStringBuffer, ReleaseBufferTakesLengthToFirstNul)
{
    CString s;
    char* p = s.GetBuffer(16);
    strcpy(p, "wlan0");
    s.ReleaseBuffer();
    EXPECT_EQ(5, s.GetLength());
    p = s.GetBuffer(8);
    p[2] = '\0';
    s.ReleaseBuffer(-1);
    EXPECT_STREQ("wl", s);
}

TEST(CStringCompare, CaseInsensitiveAndOrdering)
{
    EXPECT_EQ(0, CString("Quixen").CompareNoCase("QUIXEN"));
    EXPECT_LT(CString("a").Compare("b"), 0);
    EXPECT_TRUE(CString("x") == "x");
    EXPECT_TRUE(CString("x") != "y");
}
