// The tab button of the tab dialogs and the push button of the classic dialogs: a CButtonST
// whose face is a generated shade pattern in the 3D colours, roughened by noise and tinted,
// with tinted variants for the hot state and for the selected tab.
#pragma once
#include "ui/ButtonST.h"
#include "ui/CeXDib.h"

class CShadeButtonST : public CButtonST {
    DECLARE_DYNAMIC(CShadeButtonST)
public:
    // Shade patterns.
    enum {
        SHS_DIAGONAL = 1,
        SHS_VGRADIENT = 2,   // dark at the bottom, light at the top
        SHS_HGRADIENT = 3,   // light at the left, dark at the right
        SHS_VBUMP = 4,
        SHS_HBUMP = 5,
        SHS_BOTHBUMPS = 6,
        SHS_SOFTBUMP = 7,    // vertical bump with bands at the side edges
        SHS_METAL = 8        // scratched metal
    };

    // Builds the three faces for the current window size. The noise comes from rand(), so the
    // same seed gives the same faces.
    void SetShade(UINT shadeID, BYTE granularity, BYTE highlight, BYTE coloring, COLORREF color,
                  COLORREF hotColor, COLORREF selectedColor);

    void SetTabNumber(int nTab) { m_nTabNumber = nTab; }
    int GetTabNumber() const { return m_nTabNumber; }

protected:
    DWORD DrawButtonBackground(CDC* pDC, CRect* pRect) override;

    CCeXDib m_dNormal;
    CCeXDib m_dHot;
    CCeXDib m_dSelected;
    int m_nTabNumber = 0;
};
