// Solid fills of one painting with a kept brush: the opaque text output that FillSolidRect uses
// costs the platform several times a brush fill. Where the device cannot show the colour as it
// is (a palette, or 256 colours or fewer) a brush may be dithered: there the fill stays
// FillSolidRect's, which takes the nearest colour.
#pragma once
#include "framework/Afx.h"

class CSolidFill {
public:
    CSolidFill() = default;
    ~CSolidFill() { Forget(); }
    CSolidFill(const CSolidFill&) = delete;
    CSolidFill& operator=(const CSolidFill&) = delete;

    void Fill(CDC* pDC, const CRect& rect, COLORREF color);
    // A new painting: the device may be another one.
    void NewPainting() { m_hDevice = nullptr; }

private:
    void Forget();

    HBRUSH m_hBrush = nullptr;
    COLORREF m_color = 0;
    HDC m_hDevice = nullptr;  // the device the brush's colour was checked on
    bool m_bPalette = false;
    bool m_bExact = false;    // the device shows the brush's colour as it is
};
