// The text of a tab finger: a transparent, centred static inside the finger's lower part.
#pragma once
#include "framework/Afx.h"

class CFingerInnerStatic : public CStatic {
    DECLARE_DYNAMIC(CFingerInnerStatic)
public:
    // Repaints the skin under the finger so that the transparent text is drawn anew.
    void SetTextColor(COLORREF color);
    COLORREF GetTextColor() const { return m_crText; }
    // The area of the finger (this static's parent) in the coordinates of the finger's parent.
    void InvalidateUnderFinger();

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

    COLORREF m_crText = 0;
};
