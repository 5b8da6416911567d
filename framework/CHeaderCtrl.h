// Header controls (the column header of a list view).
#pragma once
#include "framework/CWnd.h"

class CHeaderCtrl : public CWnd {
    DECLARE_DYNAMIC(CHeaderCtrl)
public:
    int GetItemCount() const { return static_cast<int>(SendMessage(HDM_GETITEMCOUNT)); }
    BOOL GetItemRect(int nIndex, LPRECT r) const { return static_cast<BOOL>(SendMessage(HDM_GETITEMRECT, nIndex, reinterpret_cast<LPARAM>(r))); }
    BOOL GetItem(int nIndex, HDITEMA* item) const { return static_cast<BOOL>(SendMessage(HDM_GETITEMA, nIndex, reinterpret_cast<LPARAM>(item))); }
    BOOL SetItem(int nIndex, const HDITEMA* item) { return static_cast<BOOL>(SendMessage(HDM_SETITEMA, nIndex, reinterpret_cast<LPARAM>(item))); }
    int InsertItem(int nIndex, const HDITEMA* item) { return static_cast<int>(SendMessage(HDM_INSERTITEMA, nIndex, reinterpret_cast<LPARAM>(item))); }

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message == WM_DRAWITEM) { DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); if (pResult) *pResult = TRUE; return TRUE; }
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    }
};
