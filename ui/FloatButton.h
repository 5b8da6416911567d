// The skinned push button of the bitmap-drawn pages: one bitmap while the mouse is over it,
// another otherwise, sized to its bitmap, pressed look by shrinking or shifting the picture.
#pragma once
#include "framework/Afx.h"

class CFloatButton : public CButton {
    DECLARE_DYNAMIC(CFloatButton)
public:
    static constexpr int kModeFocusPressed = 100;  // pressed look by a focus rectangle instead of a shift
    static constexpr COLORREF kDefaultCaptionColor = RGB(0, 255, 0);

    CFloatButton() = default;
    ~CFloatButton() override = default;

    // Both bitmaps from hModule (null: the program itself). FALSE, and no bitmaps kept, unless both load.
    BOOL LoadBitmaps(UINT nHoverID, UINT nNormalID, HMODULE hModule, int nMode = 0);
    // Sizes the window to the hover bitmap (nothing without one).
    void SizeToBitmap();
    // In caption mode the button shows its window text instead of its bitmaps.
    void SetCaptionMode(BOOL bCaption, COLORREF color = kDefaultCaptionColor);
    BOOL IsHot() const { return m_bHot; }
    BOOL HasBitmaps() const { return m_bmpHover.m_hObject != nullptr; }

protected:
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    void PreSubclassWindow() override;
    void OnMouseMove(UINT nFlags, CPoint point);
    LRESULT OnMouseLeave(WPARAM, LPARAM);
    void OnLButtonUp(UINT nFlags, CPoint point);
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

    CBitmap m_bmpHover;
    CBitmap m_bmpNormal;
    BOOL m_bHot = FALSE;
    int m_nPressedInset = 1;  // 0 selects the focus-rectangle pressed look
    BOOL m_bCaptionMode = FALSE;
    COLORREF m_crCaption = kDefaultCaptionColor;
    CFont m_fontCaption;
    int m_nCharWidth = 0;   // average character width of the caption font
    int m_nCharHeight = 0;
    CRect m_rcClient;
    CRect m_rcBitmap;
};
