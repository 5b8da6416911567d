// A device context's current font in bold and/or italic, made once for a font and style and
// kept while they stay the same: a list draws many such cells in one painting.
#pragma once
#include "framework/Afx.h"

class CStyledFont {
public:
    // The styled copy of the font selected in pDC, or null when it cannot be made.
    HFONT For(CDC* pDC, bool bold, bool italic);

private:
    CFont m_font;
    HFONT m_hBase = nullptr;
    bool m_bBold = false;
    bool m_bItalic = false;
};
