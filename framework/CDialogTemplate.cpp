#include "framework/CDialogTemplate.h"
#include "framework/CWinApp.h"

#include <cstring>
#include <string>

namespace {
constexpr WORD kExtendedSignature = 0xFFFF;

size_t AlignTo(size_t n, size_t a) { return (n + a - 1) & ~(a - 1); }

// Skips a "sz_Or_Ord" field; answers false when it runs past the end.
bool SkipStringOrOrdinal(const std::vector<BYTE>& d, size_t& at)
{
    if (at + 2 > d.size()) return false;
    WORD first;
    memcpy(&first, &d[at], 2);
    if (first == 0xFFFF) { at += 4; return at <= d.size(); }
    for (;;) {
        if (at + 2 > d.size()) return false;
        WORD ch;
        memcpy(&ch, &d[at], 2);
        at += 2;
        if (ch == 0) return true;
    }
}
}  // namespace

BOOL CDialogTemplate::Load(UINT nID)
{
    return Load(MAKEINTRESOURCEA(nID));
}

BOOL CDialogTemplate::Load(LPCSTR name)
{
    m_data.clear();
    HINSTANCE hInst = AfxGetInstanceHandle();
    HRSRC res = ::FindResourceA(hInst, name, reinterpret_cast<LPCSTR>(RT_DIALOG));
    if (!res) return FALSE;
    HGLOBAL h = ::LoadResource(hInst, res);
    DWORD size = ::SizeofResource(hInst, res);
    const void* p = h ? ::LockResource(h) : nullptr;
    if (!p || size < sizeof(DLGTEMPLATE)) return FALSE;
    m_data.assign(static_cast<const BYTE*>(p), static_cast<const BYTE*>(p) + size);
    size_t fontAt, itemsAt;
    bool hasFont;
    if (!Parse(fontAt, itemsAt, hasFont)) {
        m_data.clear();
        return FALSE;
    }
    return TRUE;
}

bool CDialogTemplate::IsExtended() const
{
    if (m_data.size() < 4) return false;
    WORD version, signature;
    memcpy(&version, &m_data[0], 2);
    memcpy(&signature, &m_data[2], 2);
    return version == 1 && signature == kExtendedSignature;
}

bool CDialogTemplate::Parse(size_t& fontAt, size_t& itemsAt, bool& hasFont) const
{
    DWORD style;
    size_t at;
    if (IsExtended()) {
        if (m_data.size() < 26) return false;
        memcpy(&style, &m_data[12], 4);
        at = 26;  // dlgVer, signature, helpID, exStyle, style, cDlgItems, x, y, cx, cy
    } else {
        memcpy(&style, &m_data[0], 4);
        at = 18;  // style, exStyle, cdit, x, y, cx, cy
    }
    if (!SkipStringOrOrdinal(m_data, at) || !SkipStringOrOrdinal(m_data, at) || !SkipStringOrOrdinal(m_data, at))
        return false;  // menu, class, title
    fontAt = at;
    hasFont = (style & DS_SETFONT) != 0;
    if (hasFont) {
        at += IsExtended() ? 6 : 2;  // point size [, weight, italic, charset]
        if (at > m_data.size() || !SkipStringOrOrdinal(m_data, at)) return false;
    }
    itemsAt = AlignTo(at, 4);
    return itemsAt <= AlignTo(m_data.size(), 4);
}

BOOL CDialogTemplate::GetFont(std::wstring& face, WORD& pointSize) const
{
    size_t fontAt, itemsAt;
    bool hasFont;
    if (m_data.empty() || !Parse(fontAt, itemsAt, hasFont) || !hasFont) return FALSE;
    memcpy(&pointSize, &m_data[fontAt], 2);
    size_t at = fontAt + (IsExtended() ? 6 : 2);
    face.clear();
    for (;; at += 2) {
        WCHAR ch;
        memcpy(&ch, &m_data[at], 2);
        if (!ch) break;
        face += ch;
    }
    return TRUE;
}

BOOL CDialogTemplate::SetFont(LPCSTR face, WORD pointSize)
{
    size_t fontAt, itemsAt;
    bool hasFont;
    if (m_data.empty() || !Parse(fontAt, itemsAt, hasFont)) return FALSE;
    const bool extended = IsExtended();

    std::vector<BYTE> font;
    auto put = [&font](const void* p, size_t n) { font.insert(font.end(), static_cast<const BYTE*>(p), static_cast<const BYTE*>(p) + n); };
    put(&pointSize, 2);
    if (extended) {
        // Keep the weight, italic flag and character set of an existing font.
        BYTE rest[4] = {0x90, 0x01, 0, DEFAULT_CHARSET};  // FW_NORMAL
        if (hasFont) memcpy(rest, &m_data[fontAt + 2], 4);
        put(rest, 4);
    }
    WCHAR wide[LF_FACESIZE] = {};
    int n = ::MultiByteToWideChar(CP_ACP, 0, face, -1, wide, LF_FACESIZE);
    put(wide, (n > 0 ? n : 1) * sizeof(WCHAR));

    std::vector<BYTE> rebuilt(m_data.begin(), m_data.begin() + fontAt);
    rebuilt.insert(rebuilt.end(), font.begin(), font.end());
    rebuilt.resize(AlignTo(rebuilt.size(), 4), 0);
    if (itemsAt < m_data.size()) rebuilt.insert(rebuilt.end(), m_data.begin() + itemsAt, m_data.end());
    if (!hasFont) {
        DWORD style;
        size_t styleAt = extended ? 12 : 0;
        memcpy(&style, &rebuilt[styleAt], 4);
        style |= DS_SETFONT;
        memcpy(&rebuilt[styleAt], &style, 4);
    }
    m_data.swap(rebuilt);
    return TRUE;
}
