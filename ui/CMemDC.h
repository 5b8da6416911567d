// An off-screen device context over a rectangle of a target: drawing goes into a bitmap
// that the destructor copies to the target, so the target sees one finished picture.
#pragma once
#include "framework/Afx.h"

class CMemDC : public CDC {
public:
    // rect null = the target's clip box. copyBackground starts from the target's content;
    // usePalette copies back through a palette of kPaletteColors on a palette screen.
    CMemDC(CDC* pTarget, const RECT* rect = nullptr, bool copyBackground = false, bool usePalette = false);
    ~CMemDC() override;
    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;

    // False when it draws straight into the target (a printer, or no bitmap could be made).
    bool IsOffScreen() const { return m_bOffScreen; }

    static constexpr int kPaletteColors = 236;

private:
    CDC* m_pTarget;
    CRect m_rect;
    CBitmap m_bitmap;
    HGDIOBJ m_hOldBitmap = nullptr;
    bool m_bOffScreen = false;
    bool m_bUsePalette;
};
