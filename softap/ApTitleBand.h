// The band behind the white section titles of the skinned access-point pages. The pages cover the
// main window's strip where their titles stand, so each paints the band itself, across its width
// from its top to just below its titles.
#pragma once
#include "framework/Afx.h"

#include <initializer_list>

inline constexpr COLORREF kApTitleBandColor = RGB(30, 120, 110);  // the access-point strips' colour

// For a page's WM_ERASEBKGND, after its own erase.
void PaintApTitleBand(CWnd& page, CDC* pDC, std::initializer_list<int> titleIds);
