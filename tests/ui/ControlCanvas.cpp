#include "ui/ControlCanvas.h"
#include "ui/TopDownDib.h"

#include <cstdlib>
#include <set>

namespace testing_support {

ControlCanvas::ControlCanvas(int cx, int cy, COLORREF fill) : m_cx(cx > 0 ? cx : 1), m_cy(cy > 0 ? cy : 1)
{
    const BITMAPINFO info = TopDown32BitInfo(m_cx, m_cy);
    void* bits = nullptr;
    m_hBitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_pBits = static_cast<DWORD*>(bits);
    m_hdc = ::CreateCompatibleDC(nullptr);
    m_hOld = ::SelectObject(m_hdc, m_hBitmap);
    RECT all{0, 0, m_cx, m_cy};
    HBRUSH brush = ::CreateSolidBrush(fill);
    ::FillRect(m_hdc, &all, brush);
    ::DeleteObject(brush);
}

ControlCanvas::~ControlCanvas()
{
    ::SelectObject(m_hdc, m_hOld);
    ::DeleteDC(m_hdc);
    ::DeleteObject(m_hBitmap);
}

COLORREF ControlCanvas::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_cx || y >= m_cy) return CLR_INVALID;
    ::GdiFlush();
    DWORD p = m_pBits[static_cast<size_t>(y) * m_cx + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

int ControlCanvas::Count(COLORREF color, const RECT* area) const
{
    return CountIf([color](COLORREF c) { return c == color; }, area);
}

bool ControlCanvas::SameAs(const ControlCanvas& other) const
{
    if (m_cx != other.m_cx || m_cy != other.m_cy) return false;
    for (int y = 0; y < m_cy; ++y)
        for (int x = 0; x < m_cx; ++x)
            if (Pixel(x, y) != other.Pixel(x, y)) return false;
    return true;
}

int ControlCanvas::DistinctColors(const RECT* area) const
{
    RECT r = area ? *area : RECT{0, 0, m_cx, m_cy};
    std::set<COLORREF> colors;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) colors.insert(Pixel(x, y));
    return static_cast<int>(colors.size());
}

std::unique_ptr<ControlCanvas> PrintClient(const CWnd& wnd, COLORREF fill)
{
    RECT r{};
    ::GetClientRect(wnd.m_hWnd, &r);
    auto canvas = std::make_unique<ControlCanvas>(r.right, r.bottom, fill);
    ::SendMessageA(wnd.m_hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas->Dc()), PRF_CLIENT | PRF_ERASEBKGND);
    return canvas;
}

std::unique_ptr<ControlCanvas> PrintWholeWindow(HWND hWnd, COLORREF fill)
{
    RECT r{};
    ::GetWindowRect(hWnd, &r);
    auto canvas = std::make_unique<ControlCanvas>(r.right - r.left, r.bottom - r.top, fill);
    ::PrintWindow(hWnd, canvas->Dc(), 0);
    return canvas;
}

bool Near(COLORREF a, COLORREF b, int tolerance)
{
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

}  // namespace testing_support
