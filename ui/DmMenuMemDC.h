// An off-screen copy of one menu item's rectangle: drawing goes to a bitmap that is copied
// back onto the item when the object goes.
#pragma once
#include "framework/Afx.h"

class DmMenuMemDC : public CDC {
public:
    DmMenuMemDC(CDC* pDC, const RECT* pRect);
    ~DmMenuMemDC() override;
    DmMenuMemDC(const DmMenuMemDC&) = delete;
    DmMenuMemDC& operator=(const DmMenuMemDC&) = delete;

private:
    CDC* m_pDC;
    CRect m_rect;
    CBitmap m_bitmap;
    HGDIOBJ m_hOldBitmap = nullptr;
};
