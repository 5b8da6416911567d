#include <gtest/gtest.h>
#include "base/LanguageTable.h"
#include "support/ScopedFolder.h"
#include "support/TestSupport.h"

#include <fstream>
#include <string>

using testing_support::ScopedFile;
using testing_support::ScopedFolder;

namespace {
// A folder standing in for the program's folder, with the files a test writes into it.
class LanguageFiles : public ::testing::Test {
protected:
    void TearDown() override
    {
        // Leave the table as a process without language file would have it.
        ScopedFolder empty;
        LoadLanguageStringsFrom(empty.WithSlash().c_str());
    }
    std::string Write(const std::string& relativePath, const std::string& content)
    {
        std::string path = folder.WithSlash() + relativePath;
        std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
        return path;
    }
    void Load() { ASSERT_EQ(1, LoadLanguageStringsFrom(folder.WithSlash().c_str())); }

    ScopedFolder folder;
};
}  // namespace

TEST_F(LanguageFiles, LanguagesFolderWinsOverLangIniWithoutKeyByKeyFallback)
{
    folder.MakeSubFolder("Languages");
    Write("Languages\\Lang.ini", "[Strings]\r\nIDS_OK=Okay\r\n");
    Write("Lang.ini", "[Strings]\r\nIDS_OK=Fallback\r\nIDS_CANCEL=Abort\r\n[Font]\r\nFaceName=Arial\r\n");
    Load();
    EXPECT_STREQ("Okay", G_LangTable.IDS_OK);
    EXPECT_STREQ("", G_LangTable.IDS_CANCEL);
    EXPECT_STREQ("Trebuchet MS", G_LangTable.m_strFaceName);
}

TEST_F(LanguageFiles, LangIniBesideTheProgramServesWhenThereIsNoLanguagesFile)
{
    folder.MakeSubFolder("Languages");  // an empty folder is not a language file
    Write("Lang.ini", "[Font]\r\nCharSet=RUSSIAN_CHARSET\r\nFaceName=Arial\r\n[Strings]\r\nIDS_CANCEL=Abort\r\n"
                      "[Language]\r\nIDS_UI_LANGUAGE=RUSSIAN\r\n[StringForWifiDirect]\r\nIDS_WIFI_DIRECT_GO=Owner\r\n");
    Load();
    EXPECT_STREQ("Abort", G_LangTable.IDS_CANCEL);
    EXPECT_EQ(RUSSIAN_CHARSET, G_LangTable.m_nCharSet);
    EXPECT_STREQ("Arial", G_LangTable.m_strFaceName);
    EXPECT_STREQ("Owner", G_LangTable.IDS_WIFI_DIRECT_GO);
    EXPECT_TRUE(G_LangTable.IsRussian());
}

TEST_F(LanguageFiles, WithoutAnyFileTextsAreEmptyOrTheirDefaults)
{
    Load();
    EXPECT_EQ(DEFAULT_CHARSET, G_LangTable.m_nCharSet);
    EXPECT_STREQ("Trebuchet MS", G_LangTable.m_strFaceName);
    EXPECT_STREQ("", G_LangTable.IDS_OK);
    EXPECT_STREQ("KPL-880Q.chm", G_LangTable.IDS_HELP_FILE);
    EXPECT_STREQ("Mbps", G_LangTable.IDS_VAL_CONTRY_MBPS);
    EXPECT_STREQ("Kbps", G_LangTable.IDS_VAL_CONTRY_KBPS);
    EXPECT_STREQ("WPS(Wi-Fi Protected Setup)", G_LangTable.IDS_VAL_CONTRY_WPS_WIFIPROTECTEDSETUP);
    EXPECT_STREQ("Error can't find", G_LangTable.IDS_MSG_ERRCODE_CANTFIND);
    EXPECT_STREQ("Error channel conflict", G_LangTable.IDS_MSG_ERRCODE_CHANNELCONFLICT);
    EXPECT_STREQ("0", G_LangTable.IDS_DPI_BE_USED);
    EXPECT_STREQ("0", G_LangTable.IDS_DPI_READY);
    EXPECT_EQ(0, G_nSoftApMode);
    EXPECT_FALSE(G_LangTable.IsRussian());
}

TEST_F(LanguageFiles, EmptyOrGarbageFileGivesTheDefaults)
{
    for (const std::string& content : {std::string(), std::string("\0\0\xff\xfe garbage [[[ =\r\n=x\r\n", 24)}) {
        Write("Lang.ini", content);
        Load();
        EXPECT_STREQ("", G_LangTable.IDS_OK);
        EXPECT_STREQ("KPL-880Q.chm", G_LangTable.IDS_HELP_FILE);
        EXPECT_EQ(DEFAULT_CHARSET, G_LangTable.m_nCharSet);
    }
}

TEST_F(LanguageFiles, MissingKeyOfAPresentSectionTakesItsDefault)
{
    Write("Lang.ini", "[Strings]\r\nIDS_OK=OK\r\n[WiFiDirect]\r\nIDS_MSG_ERRCODE_WPSNACK=No acknowledgement\r\n");
    Load();
    EXPECT_STREQ("KPL-880Q.chm", G_LangTable.IDS_HELP_FILE);
    EXPECT_STREQ("No acknowledgement", G_LangTable.IDS_MSG_ERRCODE_WPSNACK);
    EXPECT_STREQ("Error both intent15", G_LangTable.IDS_MSG_ERRCODE_BOTHINTENT15);
}

TEST_F(LanguageFiles, OverLongTextIsCutAt511Characters)
{
    const std::string longText(600, 'x');
    Write("Lang.ini", "[Strings]\r\nIDS_OK=" + longText + "\r\n[Font]\r\nFaceName=" + longText + "\r\n");
    Load();
    EXPECT_EQ(511, G_LangTable.IDS_OK.GetLength());
    CFont font;
    EXPECT_TRUE(G_LangTable.CreatePageFont(font));  // an over-long face name is cut, not overrun
}

TEST_F(LanguageFiles, TextsOfAnotherCodePageAreTakenAsTheirBytes)
{
    const std::string cyrillic = "\xCE\xCA";  // "OK" in code page 1251
    Write("Lang.ini", "[Font]\r\nCharSet=RUSSIAN_CHARSET\r\n[Strings]\r\nIDS_OK=" + cyrillic + "\r\n");
    Load();
    EXPECT_EQ(cyrillic, G_LangTable.IDS_OK.str());
}

TEST_F(LanguageFiles, UnicodeFileIsReadToo)
{
    // UTF-16 with its byte-order mark: the profile functions convert it to the ANSI code page.
    const std::string ascii = "[Strings]\r\nIDS_OK=Okay\r\n";
    std::string utf16 = "\xFF\xFE";
    for (char ch : ascii) utf16 += std::string{ch, '\0'};
    Write("Lang.ini", utf16);
    Load();
    EXPECT_STREQ("Okay", G_LangTable.IDS_OK);
}

TEST_F(LanguageFiles, CharSetNamesAreExactAndCaseSensitive)
{
    EXPECT_EQ(129, CharSetFromName("HANGUL_CHARSET"));
    EXPECT_EQ(129, CharSetFromName("HANGEUL_CHARSET"));
    EXPECT_EQ(0, CharSetFromName("ANSI_CHARSET"));
    EXPECT_EQ(222, CharSetFromName("THAI_CHARSET"));
    EXPECT_EQ(DEFAULT_CHARSET, CharSetFromName("ansi_charset"));
    EXPECT_EQ(DEFAULT_CHARSET, CharSetFromName(" ANSI_CHARSET"));
    EXPECT_EQ(DEFAULT_CHARSET, CharSetFromName(""));

    const std::string file = Write("Lang.ini", "[Font]\r\nCharSet=greek_charset\r\n");
    EXPECT_EQ(DEFAULT_CHARSET, ReadFontCharSet(file.c_str()));
    Write("Lang.ini", "[Font]\r\nCharSet=GREEK_CHARSET\r\nFaceName=Tahoma\r\n");
    EXPECT_EQ(GREEK_CHARSET, ReadFontCharSet(file.c_str()));
    EXPECT_STREQ("Tahoma", ReadFontFaceName(file.c_str()));
}

TEST_F(LanguageFiles, SoftApModeIsOnOnlyForALeadingOne)
{
    struct Case {
        const char* value;
        int flag;
    };
    for (const Case& c : {Case{"1", 1}, Case{"01", 1}, Case{"1x", 1}, Case{"   1", 1}, Case{"+1", 1}, Case{"2", 0},
                          Case{"11", 0}, Case{"-1", 0}, Case{"yes", 0}, Case{"", 0}, Case{"0", 0}}) {
        ScopedFolder program;
        std::ofstream(program.WithSlash() + "SoftApConfig.ini", std::ios::binary)
            << "[Config]\r\nIDS_SOFTAP_MODE=" << c.value << "\r\n";
        G_nSoftApMode = 7;
        LoadLanguageStringsFrom(program.WithSlash().c_str());
        EXPECT_EQ(c.flag, G_nSoftApMode) << "value \"" << c.value << "\"";
    }
}

TEST_F(LanguageFiles, DpiSwitchesAreKeptAsTexts)
{
    folder.MakeSubFolder("DpiConfig");
    Write("DpiConfig\\Config.ini", "[Config]\r\nIDS_DPI_BE_USED=1\r\nIDS_DPI_READY=yes\r\n");
    Load();
    EXPECT_STREQ("1", G_LangTable.IDS_DPI_BE_USED);
    EXPECT_STREQ("yes", G_LangTable.IDS_DPI_READY);
}

TEST(LanguageTable, FindsEveryKeyByItsNameAndNothingElse)
{
    size_t count = 0;
    const CLanguageTable::KeyInfo* keys = CLanguageTable::Keys(&count);
    ASSERT_EQ(1000u, count);
    for (size_t i = 0; i < count; ++i)
        EXPECT_EQ(&(G_LangTable.*(keys[i].text)), G_LangTable.Find(keys[i].key)) << keys[i].key;
    EXPECT_EQ(nullptr, G_LangTable.Find("IDS_NO_SUCH_KEY"));
    EXPECT_EQ(nullptr, G_LangTable.Find(nullptr));
}

TEST(LanguageTable, PageFontTakesHeightCharSetAndFaceOnly)
{
    G_LangTable.m_nCharSet = GREEK_CHARSET;
    G_LangTable.m_strFaceName = "Tahoma";
    CFont font;
    ASSERT_TRUE(G_LangTable.CreatePageFont(font));
    LOGFONTA lf{};
    ASSERT_NE(0, font.GetLogFont(&lf));
    EXPECT_EQ(CLanguageTable::kPageFontHeight, lf.lfHeight);
    EXPECT_EQ(GREEK_CHARSET, lf.lfCharSet);
    EXPECT_STREQ("Tahoma", lf.lfFaceName);
    EXPECT_EQ(0, lf.lfWeight);
    EXPECT_EQ(0, lf.lfWidth);
}

TEST(ColumnShares, ReadsUpToTheColumnsAndKeepsTheRest)
{
    double shares[4] = {9, 9, 9, 9};
    EXPECT_EQ(4, ReadColumnShares("0.165,0.35,0.23,0.19", shares, 4));
    EXPECT_DOUBLE_EQ(0.19, shares[3]);

    double three[3] = {9, 9, 9};
    EXPECT_EQ(2, ReadColumnShares("0.2, 0.3", three, 3));
    EXPECT_DOUBLE_EQ(0.3, three[1]);
    EXPECT_DOUBLE_EQ(9, three[2]);

    double five[5] = {9, 9, 9, 9, 9};
    EXPECT_EQ(0, ReadColumnShares("", five, 5));
    EXPECT_EQ(0, ReadColumnShares("wide", five, 5));
    EXPECT_EQ(1, ReadColumnShares("0.5;0.5", five, 5));  // only a comma separates
    EXPECT_EQ(1, ReadColumnShares("0.5 ,0.5", five, 5));
    EXPECT_EQ(0, ReadColumnShares("1e300,0.2", five, 5));  // not a share of the width
    EXPECT_EQ(1, ReadColumnShares("0.2,-0.2", five, 5));
    EXPECT_DOUBLE_EQ(0.2, five[0]);
    EXPECT_DOUBLE_EQ(9, five[1]);
    EXPECT_EQ(0, ReadColumnShares(nullptr, five, 5));
}
