#include "ui/CMemDC.h"

#include <vector>

namespace {
constexpr WORD kPaletteVersion = 0x300;
constexpr int kCubeLevels = 6;   // a 6 x 6 x 6 colour cube ...
constexpr int kGreyLevels = 20;  // ... and 20 greys make the 236 colours

void MakeCopyPalette(CPalette& palette)
{
    std::vector<BYTE> storage(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * CMemDC::kPaletteColors);
    auto* lp = reinterpret_cast<LOGPALETTE*>(storage.data());
    lp->palVersion = kPaletteVersion;
    lp->palNumEntries = CMemDC::kPaletteColors;
    int n = 0;
    for (int r = 0; r < kCubeLevels; ++r)
        for (int g = 0; g < kCubeLevels; ++g)
            for (int b = 0; b < kCubeLevels; ++b)
                lp->palPalEntry[n++] = PALETTEENTRY{static_cast<BYTE>(r * 51), static_cast<BYTE>(g * 51),
                                                    static_cast<BYTE>(b * 51), 0};
    for (int i = 0; i < kGreyLevels; ++i) {
        auto v = static_cast<BYTE>((i + 1) * 255 / (kGreyLevels + 1));
        lp->palPalEntry[n++] = PALETTEENTRY{v, v, v, 0};
    }
    palette.CreatePalette(lp);
}
}  // namespace

CMemDC::CMemDC(CDC* pTarget, const RECT* rect, bool copyBackground, bool usePalette)
    : m_pTarget(pTarget), m_bUsePalette(usePalette)
{
    if (rect) m_rect = *rect;
    else pTarget->GetClipBox(&m_rect);
    if (pTarget->GetDeviceCaps(TECHNOLOGY) == DT_RASPRINTER || m_rect.IsRectEmpty() ||
        !CreateCompatibleDC(pTarget) ||
        !m_bitmap.CreateCompatibleBitmap(pTarget->m_hDC, m_rect.Width(), m_rect.Height())) {
        // Straight into the target.
        DeleteDC();
        Attach(pTarget->m_hDC);
        return;
    }
    m_bOffScreen = true;
    m_hOldBitmap = SelectObject(m_bitmap.m_hObject);
    SetWindowOrg(m_rect.left, m_rect.top);
    // The target's font, colours and modes carry over, as in a direct drawing.
    SelectObject(::GetCurrentObject(pTarget->m_hDC, OBJ_FONT));
    SetTextColor(pTarget->GetTextColor());
    SetBkColor(pTarget->GetBkColor());
    SetBkMode(pTarget->GetBkMode());
    if (copyBackground)
        BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), pTarget, m_rect.left, m_rect.top, SRCCOPY);
}

CMemDC::~CMemDC()
{
    if (!m_bOffScreen) {
        Detach();
        return;
    }
    CPalette palette;
    CPalette* pOldPalette = nullptr;
    if (m_bUsePalette && (m_pTarget->GetDeviceCaps(RASTERCAPS) & RC_PALETTE)) {
        MakeCopyPalette(palette);
        pOldPalette = m_pTarget->SelectPalette(&palette, FALSE);
        m_pTarget->RealizePalette();
    }
    m_pTarget->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top, SRCCOPY);
    if (pOldPalette) m_pTarget->SelectPalette(pOldPalette, FALSE);
    SelectObject(m_hOldBitmap);
}
