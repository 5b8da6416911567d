#include "ui/StyledFont.h"

namespace {
constexpr LONG kBoldWeight = FW_BOLD;
}

HFONT CStyledFont::For(CDC* pDC, bool bold, bool italic)
{
    const HFONT base = static_cast<HFONT>(::GetCurrentObject(pDC->m_hDC, OBJ_FONT));
    if (m_font.m_hObject && base == m_hBase && bold == m_bBold && italic == m_bItalic)
        return static_cast<HFONT>(m_font.m_hObject);
    m_font.DeleteObject();
    m_hBase = nullptr;
    LOGFONTA lf{};
    if (!::GetObjectA(base, sizeof lf, &lf)) return nullptr;
    if (bold) lf.lfWeight = kBoldWeight;
    if (italic) lf.lfItalic = TRUE;
    if (!m_font.CreateFontIndirect(&lf)) return nullptr;
    m_hBase = base;
    m_bBold = bold;
    m_bItalic = italic;
    return static_cast<HFONT>(m_font.m_hObject);
}
