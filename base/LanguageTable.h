// The process-wide table of user-visible texts, filled once at start-up from the language
// file beside the program, with the DPI switches and the soft-AP mode switch read beside it.
#pragma once
#include "framework/Afx.h"

#include <cstddef>

class CLanguageTable {
public:
    CLanguageTable() = default;
    CLanguageTable(const CLanguageTable&) = delete;
    CLanguageTable& operator=(const CLanguageTable&) = delete;

    int m_nCharSet = 0;       // GDI character set of the pages' font
    CString m_strFaceName;    // face name of the pages' font

    // One text per key of the language file, named after its key (pages read them directly).
#define LANG_KEY(section, key, defaultText) CString key;
#include "base/LanguageKeys.h"
#undef LANG_KEY

    // From "DpiConfig\Config.ini"; "0" when missing.
    CString IDS_DPI_BE_USED;
    CString IDS_DPI_READY;

    // True when the file names its language "Russian" (ignoring case).
    BOOL IsRussian() const;
    // The page font: every field zero but the height, the table's character set and face name.
    BOOL CreatePageFont(CFont& font, LONG height = kPageFontHeight) const;

    static constexpr LONG kPageFontHeight = 16;

    // The keys of the language file, for loaders and checks that walk them all.
    struct KeyInfo {
        LPCSTR section;
        LPCSTR key;
        LPCSTR defaultText;
        CString CLanguageTable::*text;
    };
    static const KeyInfo* Keys(size_t* count);
    // The text of that key, or null when the file has no such key.
    const CString* Find(LPCSTR key) const;
};

extern CLanguageTable G_LangTable;
// 1 when "SoftApConfig.ini" asks for the hosted-network variant of access-point mode, else 0.
// The start-up may force it to 1 afterwards.
extern int G_nSoftApMode;

// Fills G_LangTable and G_nSoftApMode from the files in the program's folder; always 1.
int LoadLanguageStrings();
// The same, from the files of another folder (with its trailing backslash).
int LoadLanguageStringsFrom(LPCSTR folder);

// [Font] CharSet of the language file as a GDI character-set value (1 for an unknown name).
int ReadFontCharSet(LPCSTR langFile);
// [Font] FaceName of the language file ("Trebuchet MS" when missing).
CString ReadFontFaceName(LPCSTR langFile);
// The character-set value of a GDI character-set name; 1 (DEFAULT_CHARSET) for an unknown name.
int CharSetFromName(LPCSTR name);

// A "Columns" value: up to count comma-separated shares (0..1) of the list's width, read in order into
// shares. Answers how many were read; the remaining entries of shares keep their values.
int ReadColumnShares(LPCSTR text, double* shares, int count);
// The shares of a list that holds its own in shares: those the language text of the key gives
// replace the first ones, the rest stay. A text that gives fewer than count is logged.
void TakeColumnShares(LPCSTR key, LPCSTR text, double* shares, int count);
