// Scroll bar controls.
#pragma once
#include "framework/CWnd.h"

class CScrollBar : public CWnd {
    DECLARE_DYNAMIC(CScrollBar)
public:
    int GetScrollPos() const { return ::GetScrollPos(m_hWnd, SB_CTL); }
    int SetScrollPos(int pos, BOOL bRedraw = TRUE) { return ::SetScrollPos(m_hWnd, SB_CTL, pos, bRedraw); }
    void SetScrollRange(int lo, int hi, BOOL bRedraw = TRUE) { ::SetScrollRange(m_hWnd, SB_CTL, lo, hi, bRedraw); }
};
