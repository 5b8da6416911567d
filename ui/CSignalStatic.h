// Ten signal-strength bars drawn from a lit and an unlit bitmap of the skin.
#pragma once
#include "ui/CPaintedStatic.h"

class CSignalStatic : public CPaintedStatic {
    DECLARE_DYNAMIC(CSignalStatic)
public:
    static constexpr int kBars = 10;
    static constexpr int kLevels = kBars + 1;            // levels 0 to 10
    static constexpr int kDrawHeightNum = 2, kDrawHeightDen = 5;  // the drawing rectangle's share of the height
    static constexpr double kSpacingShrink = 0.98;       // after bars 2 and 4 the spacing narrows
    static constexpr double kBaseDpi = 96.0;

    CSignalStatic();
    ~CSignalStatic() override;

    // module 0 = the program's own resources. Both must load, or the control draws as a static.
    BOOL LoadBitmaps(UINT litId, UINT unlitId, HMODULE module);
    // level = value modulo 11 (a negative value shows no bar); repaints on a change.
    void SetLevel(int value);
    void SetBarOffset(int bar, short pixels);
    // After a resize: the geometry again, the bars at the bitmap's own size.
    void Relayout();
    // The left edge of bar i (0 to 9).
    int BarLeft(int bar) const;
    CSize GetBarSize() const { return m_rcBar.Size(); }

protected:
    void PreSubclassWindow() override;
    bool HasOwnPainting() const override { return m_bmpLit.m_hObject != nullptr; }
    void PaintTo(CDC* pDC) override;

    CRect m_rcDraw;
    int m_nLevel = 0;
    short m_barOffsets[kBars] = {};
    CRect m_rcBar;
    double m_dSpacing = 0.0;
    CBitmap m_bmpUnlit;
    CBitmap m_bmpLit;

private:
    void UpdateDrawRect();
    void UpdateSpacing();
};
