#include "ui/DmMenuMemDC.h"

DmMenuMemDC::DmMenuMemDC(CDC* pDC, const RECT* pRect) : m_pDC(pDC), m_rect(pRect)
{
    CreateCompatibleDC(pDC);
    m_bitmap.CreateCompatibleBitmap(pDC->m_hDC, m_rect.Width(), m_rect.Height());
    m_hOldBitmap = SelectObject(m_bitmap.m_hObject);
    SetWindowOrg(m_rect.left, m_rect.top);
}

DmMenuMemDC::~DmMenuMemDC()
{
    m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top, SRCCOPY);
    SelectObject(m_hOldBitmap);
}
