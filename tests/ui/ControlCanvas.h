// A 32-bit bitmap that controls are rendered into, and what the tests read from it.
#pragma once
#include "framework/Afx.h"

#include <memory>
#include <vector>

namespace testing_support {

// A colour no control paints, so that untouched pixels stand out.
constexpr COLORREF kCanvasFill = RGB(1, 2, 3);

class ControlCanvas {
public:
    ControlCanvas(int cx, int cy, COLORREF fill = kCanvasFill);
    ~ControlCanvas();
    ControlCanvas(const ControlCanvas&) = delete;
    ControlCanvas& operator=(const ControlCanvas&) = delete;

    HDC Dc() const { return m_hdc; }
    int Width() const { return m_cx; }
    int Height() const { return m_cy; }
    COLORREF Pixel(int x, int y) const;
    // Pixels of exactly that colour, in the area (the whole canvas when null).
    int Count(COLORREF color, const RECT* area = nullptr) const;
    // Pixels whose colour satisfies the test, in the area.
    template <class Test>
    int CountIf(Test test, const RECT* area = nullptr) const
    {
        RECT r = area ? *area : RECT{0, 0, m_cx, m_cy};
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                if (test(Pixel(x, y))) ++n;
        return n;
    }
    bool SameAs(const ControlCanvas& other) const;
    int DistinctColors(const RECT* area = nullptr) const;

private:
    int m_cx;
    int m_cy;
    HDC m_hdc = nullptr;
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOld = nullptr;
    DWORD* m_pBits = nullptr;
};

// The client area as the window paints it (WM_PRINTCLIENT).
std::unique_ptr<ControlCanvas> PrintClient(const CWnd& wnd, COLORREF fill = kCanvasFill);
// The whole window, frame included (PrintWindow).
std::unique_ptr<ControlCanvas> PrintWholeWindow(HWND hWnd, COLORREF fill = kCanvasFill);

// True when the colours are within tolerance of each other in every channel.
bool Near(COLORREF a, COLORREF b, int tolerance = 2);

}  // namespace testing_support
