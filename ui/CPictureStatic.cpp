#include "ui/CPictureStatic.h"
#include "ui/CMemDC.h"

#include <algorithm>
#include <cmath>

IMPLEMENT_DYNAMIC(CPictureStatic, CStatic)

namespace {
constexpr COLORREF kChartColor = 0xFFFFFF;
}

CPictureStatic::CPictureStatic()
{
    m_pen.CreatePen(PS_SOLID, 0, kChartColor);
}

CPictureStatic::~CPictureStatic() = default;

BEGIN_MESSAGE_MAP(CPictureStatic, CPaintedStatic)
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

void CPictureStatic::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    LayoutPoints();
    SetTimer(kTimerId, kTimerMs);
}

BOOL CPictureStatic::LoadBitmap(UINT nID, HMODULE module)
{
    m_bmpPicture.LoadBitmap(module ? module : AfxGetInstanceHandle(), nID);
    if (!m_bmpPicture.m_hObject) return FALSE;
    const CSize size = m_bmpPicture.GetSize();
    m_rcPicture = CRect(0, 0, size.cx, size.cy);
    return TRUE;
}

void CPictureStatic::LayoutPoints()
{
    GetClientRect(&m_rcClient);
    const int w = m_rcClient.Width();
    const int h = m_rcClient.Height();
    int x = std::max(w - 1, 0);
    for (int i = 0; i <= m_nCount; ++i) {
        if (i > 0) x -= x / (m_nCount + 1 - i);
        m_points[i] = POINT{x, h - 1};
    }
    m_nMarker = m_nPreviousMarker = h - 1;
    m_pNewest = &m_points[0];
}

void CPictureStatic::SetRateLevel(double value)
{
    const int height = m_rcClient.Height();
    const double decades = value > 1.0 ? std::log10(value) : 0.0;
    const int marker = height - static_cast<int>(decades * height / kDecades) - 1;
    // Rates above the top decade stay on the chart's top line.
    m_nMarker = std::clamp(marker, 0, std::max(height - 1, 0));
}

void CPictureStatic::Tick()
{
    if (m_nMarker != m_nPreviousMarker) {
        m_pNewest->y = m_nMarker;
        m_nPreviousMarker = m_nMarker;
    }
    for (int i = m_nCount; i > 0; --i) m_points[i].y = m_points[i - 1].y;
    if (m_hWnd) Invalidate();
}

void CPictureStatic::Relayout()
{
    KillTimer(kTimerId);
    LayoutPoints();
    SetTimer(kTimerId, kTimerMs);
    Invalidate();
}

void CPictureStatic::PaintTo(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CMemDC dc(pDC, &client);
    if (m_bmpPicture.m_hObject) {
        CDC source;
        if (source.CreateCompatibleDC(&dc)) {
            HGDIOBJ old = source.SelectObject(m_bmpPicture.m_hObject);
            dc.StretchBlt(0, 0, client.Width(), client.Height(), &source, 0, 0, m_rcPicture.Width(), m_rcPicture.Height(), SRCCOPY);
            source.SelectObject(old);
        }
    }
    CPen* pOld = dc.SelectObject(&m_pen);
    dc.Polyline(m_points, m_nCount + 1);
    dc.SelectObject(pOld);
}

void CPictureStatic::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kTimerId) Tick();
    else Default();
}

void CPictureStatic::OnDestroy()
{
    KillTimer(kTimerId);
    Default();
}
