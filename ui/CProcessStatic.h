// A horizontal meter drawn from a background and a bar bitmap of the skin, with its
// percentage written over it.
#pragma once
#include "ui/CPaintedStatic.h"

class CProcessStatic : public CPaintedStatic {
    DECLARE_DYNAMIC(CProcessStatic)
public:
    static constexpr int kPercentLevels = 101;  // 0 to 100
    static constexpr int kRightMargin = 2;
    static constexpr int kLeftMargin = 4;

    // Only with a module and both ids: the control takes the background's size.
    BOOL LoadBitmaps(UINT barId, UINT backgroundId, HMODULE module);
    // percent = value modulo 101; repaints when redraw is 1.
    void SetPercent(int value, int redraw);
    int GetPercent() const { return m_nPercent; }
    // The width of the bar at the current percentage.
    int BarWidth() const;

protected:
    bool HasOwnPainting() const override { return m_bLoaded != FALSE; }
    void PaintTo(CDC* pDC) override;

    int m_nInset = 0;
    int m_nPercent = 0;
    int m_nRightMargin = kRightMargin;
    int m_nLeftMargin = kLeftMargin;
    BOOL m_bLoaded = FALSE;
    CBitmap m_bmpBar;
    CBitmap m_bmpBackground;
    CRect m_rcClient;
    CSize m_sizeBackground;
};
