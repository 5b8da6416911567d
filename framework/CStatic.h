// Static text and picture controls.
#pragma once
#include "framework/CWnd.h"

class CStatic : public CWnd {
    DECLARE_DYNAMIC(CStatic)
public:
    BOOL Create(LPCSTR text, DWORD style, const RECT& rect, CWnd* pParent, UINT nID = 0xFFFF)
    {
        return CreateEx(0, "STATIC", text, style | WS_CHILD, rect, pParent, nID);
    }
    HBITMAP SetBitmap(HBITMAP hBitmap) { return reinterpret_cast<HBITMAP>(SendMessage(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap))); }
    HBITMAP GetBitmap() const { return reinterpret_cast<HBITMAP>(SendMessage(STM_GETIMAGE, IMAGE_BITMAP)); }
    HICON SetIcon(HICON hIcon) { return reinterpret_cast<HICON>(SendMessage(STM_SETICON, reinterpret_cast<WPARAM>(hIcon))); }

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message == WM_DRAWITEM) { DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); if (pResult) *pResult = TRUE; return TRUE; }
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    }
};
