#include <gtest/gtest.h>
#include "framework/Afx.h"
#include "support/TestSupport.h"

TEST(StdioFile, TextLinesRoundTripWithCarriageReturns)
{
    const std::string path = testing_support::BinFolder() + "stdio_test.txt";
    {
        CStdioFile out;
        ASSERT_TRUE(out.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText));
        EXPECT_TRUE(out.WriteString("first\nsecond\n"));
        EXPECT_TRUE(out.WriteString("third"));
    }
    EXPECT_EQ("first\r\nsecond\r\nthird", testing_support::ReadWholeFile(path));
    CStdioFile in;
    ASSERT_TRUE(in.Open(path.c_str(), CFile::modeRead | CFile::typeText));
    CString line;
    std::vector<std::string> lines;
    while (in.ReadString(line)) lines.emplace_back(line.GetString());
    EXPECT_EQ((std::vector<std::string>{"first", "second", "third"}), lines);
    in.Close();
    ::DeleteFileA(path.c_str());
}

TEST(StdioFile, MissingFileFailsWithTheSystemError)
{
    CFileException error;
    CStdioFile in;
    EXPECT_FALSE(in.Open("C:\\no\\such\\folder\\file.txt", CFile::modeRead, &error));
    EXPECT_NE(0u, error.m_lOsError);
    CString line;
    EXPECT_FALSE(in.ReadString(line));
}

TEST(Collections, MapWalkVisitsEveryEntryOnce)
{
    CMap<int, int, CString, LPCSTR> map;
    map.InitHashTable(17);
    map.SetAt(3, "c");
    map[1] = "a";
    map.SetAt(2, "b");
    CString value;
    EXPECT_TRUE(map.Lookup(2, value));
    EXPECT_STREQ("b", value);
    EXPECT_FALSE(map.Lookup(9, value));
    std::string seen;
    int key;
    for (POSITION pos = map.GetStartPosition(); pos;) {
        map.GetNextAssoc(pos, key, value);
        seen += value.GetString();
    }
    EXPECT_EQ("abc", seen);
    EXPECT_TRUE(map.RemoveKey(1));
    EXPECT_EQ(2, map.GetCount());
}

TEST(Collections, ArrayIgnoresOutOfRangeIndexes)
{
    CArray<int, int> a;
    a.Add(1);
    a.Add(2);
    a.SetAt(5, 9);
    a.RemoveAt(7);
    a.InsertAt(1, 5);
    EXPECT_EQ(3, a.GetSize());
    EXPECT_EQ(5, a.GetAt(1));
    EXPECT_EQ(0, a.GetAt(-1));
    a.RemoveAt(0, 10);
    EXPECT_TRUE(a.IsEmpty());
}
