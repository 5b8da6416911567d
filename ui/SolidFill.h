// Solid fills of one painting with a kept brush: the opaque text output that FillSolidRect uses
// costs the platform several times a brush fill. On devices of 256 colours or fewer a brush of
// a colour the palette lacks would be dithered, so there the fill stays FillSolidRect's.
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
    HDC m_hDevice = nullptr;  // the device whose depth was looked at
    bool m_bTrueColor = false;
};
