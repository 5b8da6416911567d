#include <gtest/gtest.h>
#include "base/LanguageTable.h"
#include "base/SecurityNames.h"

TEST(SecurityNames, TakeTheLanguageTextsWhenFilledAfterTheLanguageFile)
{
    G_LangTable.IDS_VAL_OPEN = "Offen";
    G_LangTable.IDS_VAL_SHARE = "Gemeinsam";
    G_LangTable.IDS_VAL_DISABLE = "Aus";
    FillSecurityNames();
    EXPECT_STREQ("Offen", G_SecurityNames[0]);
    EXPECT_STREQ("Gemeinsam", G_SecurityNames[1]);
    EXPECT_STREQ("Aus", G_SecurityNames[12]);
    G_LangTable.IDS_VAL_OPEN.Empty();
    G_LangTable.IDS_VAL_SHARE.Empty();
    G_LangTable.IDS_VAL_DISABLE.Empty();
}

TEST(SecurityNames, IndexOutsideTheTableGivesAnEmptyName)
{
    FillSecurityNames();
    EXPECT_STREQ("PAP", G_SecurityNames[CSecurityNames::kCount - 1]);
    EXPECT_STREQ("", G_SecurityNames[CSecurityNames::kCount]);
    EXPECT_STREQ("", G_SecurityNames[-1]);
}
