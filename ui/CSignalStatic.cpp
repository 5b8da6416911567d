#include "ui/CSignalStatic.h"
#include "ui/CMemDC.h"

IMPLEMENT_DYNAMIC(CSignalStatic, CStatic)

CSignalStatic::CSignalStatic() = default;
CSignalStatic::~CSignalStatic() = default;

void CSignalStatic::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    UpdateDrawRect();
}

void CSignalStatic::UpdateDrawRect()
{
    GetClientRect(&m_rcDraw);
    m_rcDraw.bottom = m_rcDraw.Height() * kDrawHeightNum / kDrawHeightDen;
}

void CSignalStatic::UpdateSpacing()
{
    m_dSpacing = (m_rcDraw.Width() - kBars * m_rcBar.Width()) / static_cast<double>(kBars - 1);
}

BOOL CSignalStatic::LoadBitmaps(UINT litId, UINT unlitId, HMODULE module)
{
    HINSTANCE source = module ? module : AfxGetInstanceHandle();
    m_bmpLit.LoadBitmap(source, litId);
    m_bmpUnlit.LoadBitmap(source, unlitId);
    if (!m_bmpLit.m_hObject || !m_bmpUnlit.m_hObject) {
        m_bmpLit.DeleteObject();
        m_bmpUnlit.DeleteObject();
        return FALSE;
    }
    const CSize bar = m_bmpLit.GetSize();
    CClientDC screen(nullptr);
    const double scale = screen.GetDeviceCaps(LOGPIXELSX) / kBaseDpi;
    m_rcBar = CRect(0, 0, static_cast<int>(bar.cx * scale), static_cast<int>(bar.cy * scale));
    if (m_hWnd) UpdateDrawRect();
    UpdateSpacing();
    return TRUE;
}

void CSignalStatic::Relayout()
{
    UpdateDrawRect();
    if (m_bmpLit.m_hObject) {
        const CSize bar = m_bmpLit.GetSize();
        m_rcBar = CRect(0, 0, bar.cx, bar.cy);
    }
    UpdateSpacing();
    Invalidate();
}

void CSignalStatic::SetLevel(int value)
{
    const int level = value < 0 ? 0 : value % kLevels;
    if (level == m_nLevel) return;
    m_nLevel = level;
    if (m_hWnd) Invalidate();
}

void CSignalStatic::SetBarOffset(int bar, short pixels)
{
    if (bar >= 0 && bar < kBars) m_barOffsets[bar] = pixels;
}

int CSignalStatic::BarLeft(int bar) const
{
    double spacing = m_dSpacing;
    if (bar > 2) spacing *= kSpacingShrink;
    if (bar > 4) spacing *= kSpacingShrink;
    return static_cast<int>((m_rcBar.Width() + spacing) * bar) + m_barOffsets[bar];
}

void CSignalStatic::PaintTo(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CMemDC dc(pDC, &client, true);
    CDC source;
    if (!source.CreateCompatibleDC(&dc)) return;
    HGDIOBJ old = source.SelectObject(m_bmpLit.m_hObject);
    const CSize bitmap = m_bmpLit.GetSize();
    for (int i = 0; i < kBars; ++i) {
        source.SelectObject(i < m_nLevel ? m_bmpLit.m_hObject : m_bmpUnlit.m_hObject);
        dc.StretchBlt(BarLeft(i), 0, m_rcBar.Width(), m_rcBar.Height(), &source, 0, 0, bitmap.cx, bitmap.cy, SRCCOPY);
    }
    source.SelectObject(old);
}
