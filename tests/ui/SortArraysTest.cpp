#include <gtest/gtest.h>
#include "framework/Afx.h"
#include "ui/CSortIntArray.h"
#include "ui/CSortStringArray.h"

TEST(SortIntArray, SortsBySignedValueAndReverses)
{
    CSortIntArray a;
    for (int v : {5, -3, 0x7FFFFFFF, -2147483647 - 1, 0}) a.Add(v);
    a.Sort();
    EXPECT_EQ(-2147483647 - 1, a[0]);
    EXPECT_EQ(-3, a[1]);
    EXPECT_EQ(0, a[2]);
    EXPECT_EQ(5, a[3]);
    EXPECT_EQ(0x7FFFFFFF, a[4]);
    a.Reverse();
    EXPECT_EQ(0x7FFFFFFF, a[0]);
    EXPECT_EQ(0, a[2]);
    EXPECT_EQ(-2147483647 - 1, a[4]);
}

TEST(SortIntArray, ComparisonIsSignedAndThreeWay)
{
    int a = -1, b = 1;
    EXPECT_EQ(-1, CSortIntArray::Compare(&a, &b));
    EXPECT_EQ(1, CSortIntArray::Compare(&b, &a));
    EXPECT_EQ(0, CSortIntArray::Compare(&a, &a));
}

TEST(SortStringArray, IgnoresCaseAndKeepsTheOrderOfEqualStrings)
{
    CSortStringArray s;
    s.Add("b");
    s.Add("A");
    s.Add("a");
    s.Sort();
    EXPECT_STREQ("A", s[0]);
    EXPECT_STREQ("a", s[1]);
    EXPECT_STREQ("b", s[2]);
    s.SetAt(7, "out of range");
    EXPECT_EQ(3, s.GetSize());
}
