// One item of an owner-drawn menu: its text, its image and the flags it was added with.
#pragma once
#include <windows.h>
#include <string>

class DmMenuData {
public:
    void SetWideString(LPCWSTR text) { m_text = text ? text : L""; }
    // ANSI text, converted with the ANSI code page.
    void SetAnsiString(LPCSTR text);
    LPCWSTR GetWideString() const { return m_text.c_str(); }
    const std::wstring& Text() const { return m_text; }

    int m_nGlobalImage = -1;  // index into the menus' shared image list, -1 = none
    UINT m_nFlags = 0;        // MF_ flags as added (MF_OWNERDRAW, MF_POPUP, MF_SEPARATOR, MF_BYPOSITION)
    UINT_PTR m_nID = 0;       // command id; for a popup item its submenu handle (pointer-sized)
    UINT m_nSyncFlag = 0;     // set while the records are matched against the real menu

private:
    std::wstring m_text;
};

// ANSI text to UTF-16 with the ANSI code page, whatever its length.
std::wstring DmMenuWideFromAnsi(LPCSTR text);
