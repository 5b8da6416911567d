// A memory device context over a DIB section, for drawing tests that read pixels back.
#pragma once
#include "framework/Afx.h"

#include <vector>

class DibCanvas {
public:
    // 32 bits per pixel unless given; a 4-bit canvas gets the 16 standard colours.
    DibCanvas(int width, int height, int bitsPerPixel = 32) : m_width(width), m_height(height)
    {
        std::vector<BYTE> storage(sizeof(BITMAPINFOHEADER) + 16 * sizeof(RGBQUAD));
        auto* info = reinterpret_cast<BITMAPINFO*>(storage.data());
        info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info->bmiHeader.biWidth = width;
        info->bmiHeader.biHeight = -height;
        info->bmiHeader.biPlanes = 1;
        info->bmiHeader.biBitCount = static_cast<WORD>(bitsPerPixel);
        info->bmiHeader.biCompression = BI_RGB;
        if (bitsPerPixel == 4) {
            static const COLORREF kColors[16] = {
                RGB(0, 0, 0), RGB(128, 0, 0), RGB(0, 128, 0), RGB(128, 128, 0), RGB(0, 0, 128), RGB(128, 0, 128),
                RGB(0, 128, 128), RGB(192, 192, 192), RGB(128, 128, 128), RGB(255, 0, 0), RGB(0, 255, 0),
                RGB(255, 255, 0), RGB(0, 0, 255), RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255)};
            info->bmiHeader.biClrUsed = 16;
            for (int i = 0; i < 16; ++i)
                info->bmiColors[i] = RGBQUAD{GetBValue(kColors[i]), GetGValue(kColors[i]), GetRValue(kColors[i]), 0};
        }
        m_dc.CreateCompatibleDC(static_cast<HDC>(nullptr));
        void* bits = nullptr;
        m_bitmap = ::CreateDIBSection(m_dc.m_hDC, info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_old = ::SelectObject(m_dc.m_hDC, m_bitmap);
        Fill(RGB(255, 255, 255));
    }
    ~DibCanvas()
    {
        ::SelectObject(m_dc.m_hDC, m_old);
        ::DeleteObject(m_bitmap);
    }
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    CDC* DC() { return &m_dc; }
    CRect Rect() const { return CRect(0, 0, m_width, m_height); }
    void Fill(COLORREF color) { CRect r = Rect(); m_dc.FillSolidRect(&r, color); }
    COLORREF At(int x, int y) { return m_dc.GetPixel(x, y); }
    int Count(COLORREF color, const RECT& r)
    {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (At(x, y) == color) ++n;
        return n;
    }
    int Count(COLORREF color) { return Count(color, Rect()); }
    // How many pixels of `expected` differ from this canvas's, with expected's corner at `at`.
    int Differing(DibCanvas& expected, POINT at = {0, 0})
    {
        int n = 0;
        for (int y = 0; y < expected.m_height; ++y)
            for (int x = 0; x < expected.m_width; ++x)
                if (At(at.x + x, at.y + y) != expected.At(x, y)) ++n;
        return n;
    }

private:
    int m_width;
    int m_height;
    CDC m_dc;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
};
