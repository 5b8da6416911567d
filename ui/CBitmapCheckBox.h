// A check box drawn with two bitmaps of the skin library, clear and ticked. It keeps the
// check-box behaviour of the control it replaces: a click toggles it and tells the parent,
// BM_GETCHECK and BM_SETCHECK answer and set its state, so data exchange works on it unchanged.
#pragma once
#include "framework/Afx.h"

class CBitmapCheckBox : public CButton {
    DECLARE_DYNAMIC(CBitmapCheckBox)
public:
    // module 0 = the resource module. FALSE, and the system's look kept, unless both load.
    BOOL LoadBitmaps(UINT clearId, UINT tickedId, HMODULE module);
    BOOL HasBitmaps() const { return m_bmpTicked.m_hObject != nullptr; }

protected:
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    BOOL OnClicked();
    LRESULT OnSetCheck(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetCheck(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CBitmap m_bmpClear;
    CBitmap m_bmpTicked;
    int m_nCheck = BST_UNCHECKED;
};
