// A radio button of the skinned pages whose text sits transparently on the skin.
#pragma once
#include "framework/Afx.h"

class CRadioButton : public CButton {
    DECLARE_DYNAMIC(CRadioButton)
public:
    void SetFontColor(const LOGFONTA* lf, COLORREF color);
    void SetTextBackColor(COLORREF color);

protected:
    void PreSubclassWindow() override;
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

    CFont m_font;
    COLORREF m_crText = 0;
    CBrush m_brBackground;
    BOOL m_bHasBackground = FALSE;
};
