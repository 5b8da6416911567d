#include <gtest/gtest.h>
#include "core/LanguageTable.h"
#include "core/SecurityNames.h"

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

TEST(SecurityNames, GroupsHoldTheirFixedNames)
{
    FillSecurityNames();
    EXPECT_STREQ("None", G_SecurityNames[CSecurityNames::kFirstCipher - 1]);
    EXPECT_STREQ("WEP", G_SecurityNames[CSecurityNames::kFirstCipher]);
    EXPECT_STREQ("AES", G_SecurityNames[11]);
    EXPECT_STREQ("WEP", G_SecurityNames[CSecurityNames::kFirstSurveySecurity]);
    EXPECT_STREQ("802.1X", G_SecurityNames[CSecurityNames::kFirstEapMethod - 1]);
    EXPECT_STREQ("TLS", G_SecurityNames[CSecurityNames::kFirstEapMethod]);
    EXPECT_STREQ("MS-CHAPII", G_SecurityNames[23]);
    EXPECT_STREQ("PAP", G_SecurityNames[CSecurityNames::kCount - 1]);
    EXPECT_STREQ("", G_SecurityNames[CSecurityNames::kCount]);
    EXPECT_STREQ("", G_SecurityNames[-1]);
}
