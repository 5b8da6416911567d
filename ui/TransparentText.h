// The control-colour answer of the controls that draw their text on the skin behind them.
#pragma once
#include "framework/Afx.h"

// Transparent text in that colour, on the background brush when there is one (else none at all).
inline HBRUSH AnswerTransparentColor(CDC* pDC, COLORREF text, const CBrush* pBackground)
{
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(text);
    if (pBackground && pBackground->m_hObject) return static_cast<HBRUSH>(pBackground->m_hObject);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}
