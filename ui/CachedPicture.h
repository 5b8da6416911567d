// A small picture that a list draws alike in many cells (a check box, a bar's sunken frame): it is
// drawn once for a look (size, what the caller names, the system colours) and then copied, which
// costs a fraction of drawing it anew.
#pragma once
#include "framework/Afx.h"

#include <array>
#include <functional>

class CCachedPicture {
public:
    using Look = std::array<DWORD, 3>;
    using Painter = std::function<void(CDC& dc, const CRect& whole)>;

    CCachedPicture() = default;
    ~CCachedPicture();
    CCachedPicture(const CCachedPicture&) = delete;
    CCachedPicture& operator=(const CCachedPicture&) = delete;

    // Copies the picture of that look into box, painting it first when the look changed.
    void Draw(CDC* pDC, const CRect& box, const Look& look, const Painter& paint);
    // A new painting: the system colours are looked at again (once a painting, not once a copy).
    void NewPainting() { m_bColorsRead = false; }

private:
    using SystemColors = std::array<COLORREF, 7>;
    static SystemColors CurrentSystemColors();
    void Forget();

    CDC m_memory;  // holds the picture
    CBitmap m_picture;
    HGDIOBJ m_hOldBitmap = nullptr;
    CSize m_size;
    Look m_look{};
    SystemColors m_colors{};
    SystemColors m_currentColors{};
    bool m_bColorsRead = false;
};
