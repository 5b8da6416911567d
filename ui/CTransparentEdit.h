// An edit of the skinned pages: transparent over the skin, or on a background colour of its own.
#pragma once
#include "framework/Afx.h"

class CTransparentEdit : public CEdit {
    DECLARE_DYNAMIC(CTransparentEdit)
public:
    void SetBackColor(COLORREF color);

protected:
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

    BOOL m_bHasBackground = FALSE;
    CBrush m_brBackground;
};
