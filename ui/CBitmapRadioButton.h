// The mode buttons of the main window: an owner-drawn button showing a normal or a selected
// bitmap, with its text in a transparent label beside it.
#pragma once
#include "ui/CTransparentStatic.h"

class CBitmapRadioButton : public CButton {
    DECLARE_DYNAMIC(CBitmapRadioButton)
public:
    static constexpr int kTextGap = 2;            // the text starts this far right of the bitmap
    static constexpr int kTextTop = 3;
    static constexpr int kInvalidateBelow = 20;   // a hidden button's skin is repainted this far below it

    CBitmapRadioButton();
    ~CBitmapRadioButton() override;

    // module 0 = the resource module (the skin library when loaded). The button takes the normal
    // bitmap's size; the label (control id labelId) is created in the parent beside it.
    BOOL LoadBitmaps(UINT normalId, UINT selectedId, UINT labelId, HMODULE module);
    // The font from lf (left unchanged) or, when null, "Tahoma" -11/800; the label gets the same.
    void SetTextFont(COLORREF color, const LOGFONTA* lf);
    void SetText(LPCSTR text);
    // Shows (true) or hides (false) the button and repaints the skin under it.
    void SetSelected(bool bSelected);
    // 0 shows the normal bitmap, 1 the selected one, other values none.
    void SetHighlight(int state);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    void PreSubclassWindow() override;

    CString m_strText;
    CRect m_rcClient;
    CRect m_rcBitmap;
    CRect m_rcText;
    CBitmap m_bmpNormal;
    CBitmap m_bmpSelected;
    COLORREF m_crText = 0;
    CFont m_font;
    int m_nState = 0;
    CTransparentStatic m_label;
    int m_nShown = 1;
};
