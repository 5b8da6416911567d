// What a user would see of a window, rendered headless: the window and its visible children,
// each painted through WM_ERASEBKGND and WM_PRINTCLIENT over what lies behind it, into one
// 32-bit bitmap (the null graphics driver has no screen to read back).
#pragma once
#include <windows.h>
#include <string>
#include <vector>

class WindowCapture {
public:
    explicit WindowCapture(HWND hWnd);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // The colour at (x, y) of the window's client area; CLR_INVALID outside it.
    COLORREF At(int x, int y) const;
    COLORREF At(POINT p) const { return At(p.x, p.y); }
    // Pixels of exactly that colour in r (client coordinates of the window).
    int Count(COLORREF color, const RECT& r) const;
    int Count(COLORREF color) const;
    // Pixels in r that are not of that colour.
    int CountOther(COLORREF color, const RECT& r) const;
    // The client rectangle of a descendant in the window's client coordinates.
    RECT RectOf(HWND descendant) const;
    // Writes the picture as a BMP file (for looking at a failure).
    bool Save(const std::string& path) const;

private:
    void Render(HWND hWnd, HDC dc, POINT origin, const RECT& clip);

    HWND m_root;
    int m_width = 0;
    int m_height = 0;
    std::vector<DWORD> m_pixels;
};
