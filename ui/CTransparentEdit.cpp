#include "ui/CTransparentEdit.h"

IMPLEMENT_DYNAMIC(CTransparentEdit, CEdit)

BEGIN_MESSAGE_MAP(CTransparentEdit, CEdit)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

void CTransparentEdit::SetBackColor(COLORREF color)
{
    m_brBackground.CreateSolidBrush(color);
    m_bHasBackground = TRUE;
}

HBRUSH CTransparentEdit::CtlColor(CDC* pDC, UINT)
{
    // With a brush the edit keeps its own background mode.
    if (m_bHasBackground && m_brBackground.m_hObject) return static_cast<HBRUSH>(m_brBackground.m_hObject);
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}
