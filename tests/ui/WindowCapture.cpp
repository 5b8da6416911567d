#include "WindowCapture.h"

#include <algorithm>
#include <fstream>

WindowCapture::WindowCapture(HWND hWnd) : m_root(hWnd)
{
    RECT client{};
    ::GetClientRect(hWnd, &client);
    m_width = client.right;
    m_height = client.bottom;
    if (m_width <= 0 || m_height <= 0) return;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = m_width;
    info.bmiHeader.biHeight = -m_height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    const RECT all{0, 0, m_width, m_height};
    Render(hWnd, dc, POINT{0, 0}, all);
    ::GdiFlush();
    const auto* pixels = static_cast<const DWORD*>(bits);
    m_pixels.assign(pixels, pixels + static_cast<size_t>(m_width) * m_height);
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
}

void WindowCapture::Render(HWND hWnd, HDC dc, POINT origin, const RECT& clip)
{
    // Each window paints into a picture of its own, at its own origin (controls clip themselves
    // to their client rectangle in device coordinates), which starts as what lies behind it.
    RECT client{};
    ::GetClientRect(hWnd, &client);
    RECT visible{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
    if (!::IntersectRect(&visible, &visible, &clip)) return;
    HDC own = ::CreateCompatibleDC(dc);
    HBITMAP picture = ::CreateCompatibleBitmap(dc, std::max(1L, client.right), std::max(1L, client.bottom));
    HGDIOBJ old = ::SelectObject(own, picture);
    ::BitBlt(own, 0, 0, client.right, client.bottom, dc, origin.x, origin.y, SRCCOPY);
    ::SendMessageA(hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(own), 0);
    ::SendMessageA(hWnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(own), PRF_CLIENT);
    ::BitBlt(dc, visible.left, visible.top, visible.right - visible.left, visible.bottom - visible.top, own,
             visible.left - origin.x, visible.top - origin.y, SRCCOPY);
    ::SelectObject(own, old);
    ::DeleteObject(picture);
    ::DeleteDC(own);

    // Children from the bottom of the z-order up, so that the topmost is painted last.
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) children.push_back(child);
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        if (!(::GetWindowLongPtrA(*it, GWL_STYLE) & WS_VISIBLE)) continue;
        POINT at{0, 0};
        ::ClientToScreen(*it, &at);
        ::ScreenToClient(m_root, &at);
        Render(*it, dc, at, visible);
    }
}

COLORREF WindowCapture::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return CLR_INVALID;
    const DWORD p = m_pixels[static_cast<size_t>(y) * m_width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

int WindowCapture::Count(COLORREF color, const RECT& r) const
{
    int n = 0;
    for (int y = std::max(0L, r.top); y < std::min<LONG>(m_height, r.bottom); ++y)
        for (int x = std::max(0L, r.left); x < std::min<LONG>(m_width, r.right); ++x)
            if (At(x, y) == color) ++n;
    return n;
}

int WindowCapture::Count(COLORREF color) const
{
    return Count(color, RECT{0, 0, m_width, m_height});
}

int WindowCapture::CountOther(COLORREF color, const RECT& r) const
{
    const int area = std::max(0L, std::min<LONG>(m_width, r.right) - std::max(0L, r.left)) *
                     std::max(0L, std::min<LONG>(m_height, r.bottom) - std::max(0L, r.top));
    return area - Count(color, r);
}

RECT WindowCapture::RectOf(HWND descendant) const
{
    RECT r{};
    ::GetClientRect(descendant, &r);
    ::MapWindowPoints(descendant, m_root, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool WindowCapture::Save(const std::string& path) const
{
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = m_width;
    info.biHeight = -m_height;
    info.biPlanes = 1;
    info.biBitCount = 32;
    const DWORD bytes = static_cast<DWORD>(m_pixels.size() * sizeof(DWORD));
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + bytes;
    std::vector<DWORD> opaque(m_pixels);
    for (DWORD& p : opaque) p |= 0xFF000000;  // viewers take the fourth byte for alpha
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info), sizeof info);
    out.write(reinterpret_cast<const char*>(opaque.data()), bytes);
    return static_cast<bool>(out);
}
