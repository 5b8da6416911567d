// Tab controls. Getters answer -1 when nothing is selected.
#pragma once
#include "framework/CWnd.h"

class CTabCtrl : public CWnd {
    DECLARE_DYNAMIC(CTabCtrl)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* pParent, UINT nID)
    {
        return CreateEx(0, WC_TABCONTROLA, "", style | WS_CHILD, rect, pParent, nID);
    }
    int GetItemCount() const { return static_cast<int>(SendMessage(TCM_GETITEMCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(TCM_GETCURSEL)); }
    int SetCurSel(int n) { return static_cast<int>(SendMessage(TCM_SETCURSEL, n)); }
    LONG InsertItem(int n, LPCSTR text)
    {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<LPSTR>(text);
        return static_cast<LONG>(SendMessage(TCM_INSERTITEMA, n, reinterpret_cast<LPARAM>(&item)));
    }
    BOOL DeleteAllItems() { return static_cast<BOOL>(SendMessage(TCM_DELETEALLITEMS)); }
    BOOL GetItemRect(int n, LPRECT r) const { return static_cast<BOOL>(SendMessage(TCM_GETITEMRECT, n, reinterpret_cast<LPARAM>(r))); }
    void AdjustRect(BOOL bLarger, LPRECT r) { SendMessage(TCM_ADJUSTRECT, bLarger, reinterpret_cast<LPARAM>(r)); }
};
