// The column header of CImageQuickList: push-button items with centred text and, for every
// item but the first, a bitmap at the item's right edge.
#pragma once
#include "framework/Afx.h"

class CHeaderCtrlEx : public CHeaderCtrl {
public:
    static constexpr int kTextChars = 255;  // an item's text is read up to this many characters

    CHeaderCtrlEx();
    ~CHeaderCtrlEx() override;

    // Takes ownership of the bitmap (null: the base drawing).
    void SetBitmap(HBITMAP hBitmap);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

private:
    CBitmap m_bitmap;
    CFont m_font;
};
