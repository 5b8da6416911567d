#include "base/LanguageTable.h"
#include "base/DebugLog.h"
#include "base/IniFile.h"
#include "base/SystemHelpers.h"

#include <cstdlib>
#include <cstring>
#include <string_view>
#include <unordered_map>

CLanguageTable G_LangTable;
int G_nSoftApMode = 0;

namespace {
constexpr int kTextBytes = 512;  // a text is cut at 511 characters
constexpr char kDefaultFaceName[] = "Trebuchet MS";
constexpr char kDefaultCharSetName[] = "DEFAULT_CHARSET";
constexpr char kFontSection[] = "Font";
constexpr char kLanguageFile[] = "Languages\\Lang.ini";
constexpr char kFallbackLanguageFile[] = "Lang.ini";
constexpr char kDpiConfigFile[] = "DpiConfig\\Config.ini";
constexpr char kSoftApConfigFile[] = "SoftApConfig.ini";
constexpr char kSwitchSection[] = "Config";
constexpr char kSwitchOff[] = "0";
constexpr char kRussian[] = "Russian";

const CLanguageTable::KeyInfo kKeys[] = {
#define LANG_KEY(section, key, defaultText) {#section, #key, defaultText, &CLanguageTable::key},
#include "base/LanguageKeys.h"
#undef LANG_KEY
};

struct CharSetName {
    LPCSTR name;
    int value;
};
// Exact, case-sensitive names, tried in this order.
constexpr CharSetName kCharSets[] = {
    {"ANSI_CHARSET", 0},         {"BALTIC_CHARSET", 186},   {"CHINESEBIG5_CHARSET", 136},
    {"DEFAULT_CHARSET", 1},      {"EASTEUROPE_CHARSET", 238}, {"GB2312_CHARSET", 134},
    {"GREEK_CHARSET", 161},      {"HANGUL_CHARSET", 129},   {"HANGEUL_CHARSET", 129},
    {"MAC_CHARSET", 77},         {"OEM_CHARSET", 255},      {"RUSSIAN_CHARSET", 204},
    {"SHIFTJIS_CHARSET", 128},   {"SYMBOL_CHARSET", 2},     {"TURKISH_CHARSET", 162},
    {"VIETNAMESE_CHARSET", 163}, {"JOHAB_CHARSET", 130},    {"ARABIC_CHARSET", 178},
    {"HEBREW_CHARSET", 177},     {"THAI_CHARSET", 222},
};
constexpr int kUnknownCharSet = DEFAULT_CHARSET;

CString ReadText(LPCSTR section, LPCSTR key, LPCSTR defaultText, LPCSTR file)
{
    char buf[kTextBytes] = "";
    ::GetPrivateProfileStringA(section, key, defaultText, buf, sizeof buf, file);
    return buf;
}
}  // namespace

const CLanguageTable::KeyInfo* CLanguageTable::Keys(size_t* count)
{
    if (count) *count = std::size(kKeys);
    return kKeys;
}

const CString* CLanguageTable::Find(LPCSTR key) const
{
    static const std::unordered_map<std::string_view, CString CLanguageTable::*> index = [] {
        std::unordered_map<std::string_view, CString CLanguageTable::*> map;
        for (const KeyInfo& info : kKeys) map.emplace(info.key, info.text);
        return map;
    }();
    auto it = index.find(key ? key : "");
    return it == index.end() ? nullptr : &(this->*(it->second));
}

BOOL CLanguageTable::IsRussian() const
{
    return IDS_UI_LANGUAGE.CompareNoCase(kRussian) == 0;
}

BOOL CLanguageTable::CreatePageFont(CFont& font, LONG height) const
{
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfCharSet = static_cast<BYTE>(m_nCharSet);
    lstrcpynA(lf.lfFaceName, m_strFaceName, LF_FACESIZE);
    return font.CreateFontIndirect(&lf);
}

int CharSetFromName(LPCSTR name)
{
    for (const CharSetName& cs : kCharSets)
        if (std::strcmp(cs.name, name) == 0) return cs.value;
    return kUnknownCharSet;
}

int ReadFontCharSet(LPCSTR langFile)
{
    return CharSetFromName(ReadText(kFontSection, "CharSet", kDefaultCharSetName, langFile));
}

CString ReadFontFaceName(LPCSTR langFile)
{
    return ReadText(kFontSection, "FaceName", kDefaultFaceName, langFile);
}

int LoadLanguageStringsFrom(LPCSTR folder)
{
    const CString base = folder;
    // The file in "Languages" wins as a whole; there is no key-by-key fallback to the other.
    CString langFile = base + kLanguageFile;
    if (!FileExists(langFile)) langFile = base + kFallbackLanguageFile;

    CLanguageTable& table = G_LangTable;
    table.m_nCharSet = ReadFontCharSet(langFile);
    table.m_strFaceName = ReadFontFaceName(langFile);
    // Each section is read once: a read per key would open the file some thousand times.
    std::unordered_map<std::string_view, IniSection> sections;
    for (const CLanguageTable::KeyInfo& info : kKeys) {
        auto [it, added] = sections.try_emplace(info.section);
        if (added) it->second.Load(langFile, info.section);
        const CString* text = it->second.Find(info.key);
        table.*(info.text) = text ? text->Left(kTextBytes - 1) : CString(info.defaultText);
    }

    const CString dpiFile = base + kDpiConfigFile;
    table.IDS_DPI_BE_USED = ReadText(kSwitchSection, "IDS_DPI_BE_USED", kSwitchOff, dpiFile);
    table.IDS_DPI_READY = ReadText(kSwitchSection, "IDS_DPI_READY", kSwitchOff, dpiFile);

    const CString softApFile = base + kSoftApConfigFile;
    G_nSoftApMode = ParseIniInteger(ReadText(kSwitchSection, "IDS_SOFTAP_MODE", kSwitchOff, softApFile)) == 1 ? 1 : 0;
    return 1;
}

int LoadLanguageStrings()
{
    return LoadLanguageStringsFrom(ProgramFolder());
}

int ReadColumnShares(LPCSTR text, double* shares, int count)
{
    // As sscanf with "%f,%f,...": a number, a comma right behind it, the next number. A share
    // outside 0..1 (or not a number) ends the reading like a number that cannot be read.
    int read = 0;
    const char* p = text ? text : "";
    while (read < count) {
        char* end = nullptr;
        double value = std::strtod(p, &end);
        if (end == p || !(value >= 0.0 && value <= 1.0)) break;
        shares[read++] = value;
        if (*end != ',') break;
        p = end + 1;
    }
    return read;
}

void TakeColumnShares(LPCSTR key, LPCSTR text, double* shares, int count)
{
    if (!text || !*text) return;  // the list's own shares
    const int read = ReadColumnShares(text, shares, count);
    if (read < count)
        DebugLog(1, "[QxUI] %s \"%s\" gives %d of the %d column shares; the others stay the list's own\n", key, text,
                 read, count);
}
