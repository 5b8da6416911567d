// The language and switch files installed beside the program.
#include <gtest/gtest.h>
#include "base/LanguageTable.h"

#include <map>
#include <regex>
#include <string>
#include <vector>

namespace {
class ShippedFiles : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(1, LoadLanguageStrings()); }
};

// printf conversions in a text ("%%" is a plain percent sign).
std::vector<std::string> Conversions(const std::string& text)
{
    static const std::regex conversion("%[-+ #0]*[0-9]*(\\.[0-9]+)?[hlL]*[a-zA-Z%]");
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), conversion); it != std::sregex_iterator(); ++it)
        if (it->str() != "%%") found.push_back(it->str());
    return found;
}
}  // namespace

TEST_F(ShippedFiles, EveryKeyTheTableLoadsHasAnEnglishText)
{
    size_t count = 0;
    const CLanguageTable::KeyInfo* keys = CLanguageTable::Keys(&count);
    for (size_t i = 0; i < count; ++i) {
        CString text = G_LangTable.*(keys[i].text);
        EXPECT_FALSE(text.Trim().IsEmpty()) << "[" << keys[i].section << "] " << keys[i].key;
    }
    EXPECT_EQ(ANSI_CHARSET, G_LangTable.m_nCharSet);
    EXPECT_STREQ("Trebuchet MS", G_LangTable.m_strFaceName);
    EXPECT_STREQ("English", G_LangTable.IDS_UI_LANGUAGE);
}

TEST_F(ShippedFiles, TextsUsedAsFormatsTakeExactlyTheirArguments)
{
    const std::map<std::string, std::vector<std::string>> formats = {
        {"IDS_QUIXEN_GOOD", {"%s"}},        {"IDS_QUIXEN_NORMAL", {"%s"}},       {"IDS_QUIXEN_WEAK", {"%s"}},
        {"IDS_WHITE_QUIXEN_GOOD", {"%s"}},  {"IDS_WHITE_QUIXEN_NORMAL", {"%s"}}, {"IDS_WHITE_QUIXEN_WEAK", {"%s"}},
        {"IDS_QUIXEN_WEP_ERROR", {"%s"}},   {"IDS_WHITE_QUIXEN_WEP_ERROR", {"%s"}},
        {"IDS_KEY_LENGTH_DESCRIPTION_HEX", {"%s"}}, {"IDS_PAC_LIST_MAX_ITEM", {"%d"}},
        {"IDS_MSGHEXWEPKEYINVALID", {"%d"}}, {"IDS_MSGASCIIWEPKEYINVALID", {"%d"}},
        {"IDS_LINK_QUALITY", {"%d"}},       {"IDS_LINK_STRENGTH", {"%d"}},       {"IDS_LINK_STRENGTH2", {"%d"}},
        {"IDS_LINK_STRENGTH3", {"%d"}},     {"IDS_PAC_FOLDER_OVER_LIMIT", {"%d"}}, {"IDS_ENTRY_TOO_LONG", {"%s", "%d"}},
        {"IDS_MSG_TEXT_TOO_LONG", {"%d"}}, {"IDS_CERT_TOO_LARGE", {"%s"}},
    };
    size_t count = 0;
    const CLanguageTable::KeyInfo* keys = CLanguageTable::Keys(&count);
    for (size_t i = 0; i < count; ++i) {
        auto it = formats.find(keys[i].key);
        const std::vector<std::string> expected = it == formats.end() ? std::vector<std::string>{} : it->second;
        EXPECT_EQ(expected, Conversions((G_LangTable.*(keys[i].text)).str())) << keys[i].key;
    }
}

TEST_F(ShippedFiles, ColumnListsGiveOneShareForEachColumn)
{
    double shares[5] = {};
    EXPECT_EQ(4, ReadColumnShares(G_LangTable.IDS_LIST_DEPART_SURVEY, shares, 5));
    EXPECT_EQ(3, ReadColumnShares(G_LangTable.IDS_LIST_DEPART_PROFILE, shares, 5));
    EXPECT_EQ(3, ReadColumnShares(G_LangTable.IDS_LIST_DEPART_WPSVIEW, shares, 5));
    EXPECT_EQ(5, ReadColumnShares(G_LangTable.IDS_LIST_WLANP2P_DEVICE, shares, 5));
}

TEST_F(ShippedFiles, TextsWithAFormOfTheirOwnKeepIt)
{
    // The profile page numbers new profiles after the first four characters of this prefix.
    EXPECT_EQ(4, G_LangTable.IDS_PROF.GetLength());
    // Status prefixes are followed directly by a tip: their closing blank must survive.
    EXPECT_STREQ("PBC - ", G_LangTable.IDS_VAL_WPS_STATUS_PBC);
    EXPECT_STREQ("PIN - ", G_LangTable.IDS_VAL_WPS_STATUS_PIN);
    EXPECT_STREQ("KPL-880Q.chm", G_LangTable.IDS_HELP_FILE);
    EXPECT_STREQ("Please turn on AutoConfig service", G_LangTable.IDS_TURNON_AUTOCONFIG);
}

TEST_F(ShippedFiles, SwitchFilesShipSwitchedOff)
{
    EXPECT_STREQ("0", G_LangTable.IDS_DPI_BE_USED);
    EXPECT_STREQ("0", G_LangTable.IDS_DPI_READY);
    EXPECT_EQ(0, G_nSoftApMode);
}
