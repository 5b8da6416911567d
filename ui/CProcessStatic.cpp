#include "ui/CProcessStatic.h"

IMPLEMENT_DYNAMIC(CProcessStatic, CStatic)

BOOL CProcessStatic::LoadBitmaps(UINT barId, UINT backgroundId, HMODULE module)
{
    if (!module || !barId || !backgroundId) return FALSE;
    m_bmpBar.LoadBitmap(module, barId);
    m_bmpBackground.LoadBitmap(module, backgroundId);
    if (!m_bmpBar.m_hObject || !m_bmpBackground.m_hObject) return FALSE;
    m_sizeBackground = m_bmpBackground.GetSize();
    if (m_hWnd)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, m_sizeBackground.cx, m_sizeBackground.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_nInset = (m_sizeBackground.cy - m_bmpBar.GetSize().cy) / 2;
    m_bLoaded = TRUE;
    return TRUE;
}

void CProcessStatic::SetPercent(int value, int redraw)
{
    m_nPercent = value < 0 ? 0 : value % kPercentLevels;
    if (redraw == 1 && m_hWnd) Invalidate();
}

int CProcessStatic::BarWidth() const
{
    return (m_sizeBackground.cx - m_nRightMargin - m_nLeftMargin) * m_nPercent / 100;
}

void CProcessStatic::PaintTo(CDC* pDC)
{
    CDC source;
    if (!source.CreateCompatibleDC(pDC)) return;
    HGDIOBJ old = source.SelectObject(m_bmpBackground.m_hObject);
    pDC->BitBlt(0, 0, m_sizeBackground.cx, m_sizeBackground.cy, &source, 0, 0, SRCCOPY);
    source.SelectObject(m_bmpBar.m_hObject);
    pDC->BitBlt(m_nLeftMargin, m_nInset, BarWidth(), m_sizeBackground.cy - 2 * m_nInset, &source, 0, 0, SRCCOPY);
    source.SelectObject(old);
    if (m_nPercent == 0) return;
    CString text;
    text.Format("%d%%", m_nPercent);
    HGDIOBJ oldFont = pDC->SelectObject(reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->TextOut(m_sizeBackground.cx * m_nPercent / 200, m_nInset / 2, text);
    pDC->SetBkMode(oldMode);
    if (oldFont) pDC->SelectObject(oldFont);
}
