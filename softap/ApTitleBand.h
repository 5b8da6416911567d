// What the skinned access-point pages share of their look. The band behind their white section
// titles: the pages cover the main window's strip where their titles stand, so each paints the
// band itself, across its width from its top to just below its titles.
#pragma once
#include "framework/Afx.h"
#include "ui/FloatButton.h"

#include <initializer_list>

inline constexpr COLORREF kApTitleBandColor = RGB(30, 120, 110);  // the access-point strips' colour
inline constexpr COLORREF kApTitleColor = RGB(255, 255, 255), kApLabelColor = 0x4F4F4F;

// SAVE and Cancel drawn with the skin library's bitmaps, each sized to its bitmap.
void SkinApSaveCancel(CFloatButton& save, CFloatButton& cancel);

// For a page's WM_ERASEBKGND, after its own erase.
void PaintApTitleBand(CWnd& page, CDC* pDC, std::initializer_list<int> titleIds);
