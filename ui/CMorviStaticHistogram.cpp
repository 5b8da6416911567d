#include "ui/CMorviStaticHistogram.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CMorviStaticHistogram, CStatic)

CMorviStaticHistogram::CMorviStaticHistogram()
{
    const int capacity = ::GetSystemMetrics(SM_CXSCREEN);
    if (capacity > 0) {
        m_values.assign(static_cast<size_t>(capacity), 0.0);
        m_bValid = TRUE;
    }
}

CMorviStaticHistogram::~CMorviStaticHistogram() = default;

void CMorviStaticHistogram::Redraw()
{
    if (m_hWnd) RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

int CMorviStaticHistogram::AddValue(double value)
{
    if (!m_bValid) return 0;
    m_nCurrent = (m_nCurrent + 1) % GetCapacity();
    m_values[m_nCurrent] = value;
    Redraw();
    return 1;
}

int CMorviStaticHistogram::ClearValues()
{
    if (!m_bValid) return 0;
    std::fill(m_values.begin(), m_values.end(), 0.0);
    m_nCurrent = 0;
    Redraw();
    return 1;
}

int CMorviStaticHistogram::SetLabelWidth(int width)
{
    if (!m_bValid) return 0;
    m_nLabelWidth = width;
    m_bRepaintBackground = TRUE;
    Redraw();
    return 1;
}

int CMorviStaticHistogram::SetGridRows(int count)
{
    if (!m_bValid) return 0;
    m_nRows = count;
    m_bRepaintBackground = TRUE;
    Redraw();
    return 1;
}

int CMorviStaticHistogram::SetRangeMax(double value)
{
    if (!m_bValid) return 0;
    m_dRangeMax = value;
    m_bRepaintBackground = TRUE;
    Redraw();
    return 1;
}

int CMorviStaticHistogram::SetLabel(int index, LPCSTR text)
{
    if (!m_bValid || index < 0 || index >= kLabels) return 0;
    m_labels[index] = text;
    return 1;
}

int CMorviStaticHistogram::SetBarColor(COLORREF color)
{
    if (!m_bValid) return 0;
    m_crBar = color;
    return 1;
}

int CMorviStaticHistogram::SetLabelSide(int side)
{
    if (!m_bValid) return 0;
    m_nLabelSide = side;
    return 1;
}

int CMorviStaticHistogram::SetDirection(int direction)
{
    if (!m_bValid) return 0;
    m_nDirection = direction;
    return 1;
}

void CMorviStaticHistogram::PaintTo(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    if (m_bRepaintBackground) {
        m_bRepaintBackground = FALSE;
        pDC->FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
    }

    CRect labels = client;
    CRect graph = client;
    if (m_nLabelSide == 1) {
        labels.right = labels.left + m_nLabelWidth;
        graph.left = labels.right;
    } else {
        labels.left = labels.right - m_nLabelWidth;
        graph.right = labels.left;
    }
    pDC->FillSolidRect(&labels, kGraphBack);
    const int rows = std::clamp(m_nRows, 0, kLabels);
    const int rowHeight = rows > 0 ? labels.Height() / rows : 0;
    HGDIOBJ oldFont = pDC->SelectObject(reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldColor = pDC->SetTextColor(kLabelText);
    for (int i = 0; i < rows; ++i) {
        CRect row(labels.left, labels.top + i * rowHeight, labels.right, labels.top + (i + 1) * rowHeight);
        pDC->DrawText(m_labels[i], &row, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    pDC->SetTextColor(oldColor);
    pDC->SetBkMode(oldMode);
    if (oldFont) pDC->SelectObject(oldFont);

    if (graph.IsRectEmpty()) return;
    if (m_dRangeMax == 0.0) {
        pDC->FillSolidRect(&graph, kGraphBack);
        return;
    }
    const int usable = graph.Height() - 2;
    const int step = m_nDirection == 1 ? kBarWidth : -kBarWidth;
    CRect bar(graph.left, graph.top, graph.left + kBarWidth, graph.bottom - 1);
    if (m_nDirection != 1) bar = CRect(graph.right - kBarWidth, graph.top, graph.right, graph.bottom - 1);
    const int capacity = GetCapacity();
    // One pass over the buffer at most: the graph is never wider than the values it holds.
    for (int n = 0, index = m_nCurrent; n < capacity; ++n, index = (index == 0 ? capacity - 1 : index - 1)) {
        if (bar.left < graph.left || bar.right > graph.right) break;
        double scaled = m_values[index] * usable / m_dRangeMax;
        int height = scaled <= 0.0 ? 0 : static_cast<int>(std::min(scaled, static_cast<double>(usable)));
        height = std::max(height, 0);
        pDC->FillSolidRect(CRect(bar.left, bar.top, bar.right, bar.bottom - height), kGraphBack);
        if (height > 0) pDC->FillSolidRect(CRect(bar.left, bar.bottom - height, bar.right, bar.bottom), m_crBar);
        bar.OffsetRect(step, 0);
    }
}
