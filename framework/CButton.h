// Push buttons, check boxes and radio buttons.
#pragma once
#include "framework/CWnd.h"

class CButton : public CWnd {
    DECLARE_DYNAMIC(CButton)
public:
    BOOL Create(LPCSTR caption, DWORD style, const RECT& rect, CWnd* pParent, UINT nID)
    {
        return CreateEx(0, "BUTTON", caption, style | WS_CHILD, rect, pParent, nID);
    }
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int nCheck) { SendMessage(BM_SETCHECK, nCheck); }
    UINT GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }
    void SetState(BOOL bHighlight) { SendMessage(BM_SETSTATE, bHighlight); }
    UINT GetButtonStyle() const { return static_cast<UINT>(GetStyle() & 0xFF); }
    void SetButtonStyle(UINT nStyle, BOOL bRedraw = TRUE) { SendMessage(BM_SETSTYLE, nStyle, bRedraw); }
    HICON SetIcon(HICON hIcon) { return reinterpret_cast<HICON>(SendMessage(BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(hIcon))); }
    HBITMAP SetBitmap(HBITMAP hBitmap) { return reinterpret_cast<HBITMAP>(SendMessage(BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap))); }

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message == WM_DRAWITEM) { DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); if (pResult) *pResult = TRUE; return TRUE; }
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    }
};
