// List-view controls. Getters answer -1 (or FALSE) when the index is out of range.
#pragma once
#include "framework/CHeaderCtrl.h"
#include "framework/CImageList.h"
#include "framework/CWnd.h"

class CListCtrl : public CWnd {
    DECLARE_DYNAMIC(CListCtrl)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* pParent, UINT nID)
    {
        return CreateEx(0, WC_LISTVIEWA, "", style | WS_CHILD, rect, pParent, nID);
    }
    DWORD GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
    DWORD SetExtendedStyle(DWORD ex) { return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, ex)); }
    int InsertColumn(int nCol, LPCSTR heading, int nFormat = LVCFMT_LEFT, int nWidth = -1, int nSubItem = -1)
    {
        LVCOLUMNA col{};
        col.mask = LVCF_TEXT | LVCF_FMT;
        col.fmt = nFormat;
        col.pszText = const_cast<LPSTR>(heading);
        if (nWidth != -1) { col.mask |= LVCF_WIDTH; col.cx = nWidth; }
        if (nSubItem != -1) { col.mask |= LVCF_SUBITEM; col.iSubItem = nSubItem; }
        return static_cast<int>(SendMessage(LVM_INSERTCOLUMNA, nCol, reinterpret_cast<LPARAM>(&col)));
    }
    BOOL DeleteColumn(int nCol) { return static_cast<BOOL>(SendMessage(LVM_DELETECOLUMN, nCol)); }
    BOOL GetColumn(int nCol, LVCOLUMNA* col) const { return static_cast<BOOL>(SendMessage(LVM_GETCOLUMNA, nCol, reinterpret_cast<LPARAM>(col))); }
    BOOL SetColumn(int nCol, const LVCOLUMNA* col) { return static_cast<BOOL>(SendMessage(LVM_SETCOLUMNA, nCol, reinterpret_cast<LPARAM>(col))); }
    int GetColumnWidth(int nCol) const { return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, nCol)); }
    BOOL SetColumnWidth(int nCol, int cx) { return static_cast<BOOL>(SendMessage(LVM_SETCOLUMNWIDTH, nCol, MAKELPARAM(cx, 0))); }
    CHeaderCtrl* GetHeaderCtrl() const { return static_cast<CHeaderCtrl*>(CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER)))); }

    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
    void SetItemCount(int n) { SendMessage(LVM_SETITEMCOUNT, n); }
    BOOL SetItemCountEx(int n, DWORD flags = LVSICF_NOINVALIDATEALL) { return static_cast<BOOL>(SendMessage(LVM_SETITEMCOUNT, n, flags)); }
    int InsertItem(int nItem, LPCSTR text, int nImage = -1)
    {
        LVITEMA item{};
        item.mask = LVIF_TEXT | (nImage >= 0 ? LVIF_IMAGE : 0);
        item.iItem = nItem;
        item.pszText = const_cast<LPSTR>(text);
        item.iImage = nImage;
        return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    }
    int InsertItem(const LVITEMA* item) { return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(item))); }
    BOOL DeleteItem(int nItem) { return static_cast<BOOL>(SendMessage(LVM_DELETEITEM, nItem)); }
    BOOL DeleteAllItems() { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }
    BOOL SetItemText(int nItem, int nSubItem, LPCSTR text)
    {
        LVITEMA item{};
        item.iSubItem = nSubItem;
        item.pszText = const_cast<LPSTR>(text);
        return static_cast<BOOL>(SendMessage(LVM_SETITEMTEXTA, nItem, reinterpret_cast<LPARAM>(&item)));
    }
    CString GetItemText(int nItem, int nSubItem) const
    {
        char buf[1024] = "";
        LVITEMA item{};
        item.iSubItem = nSubItem;
        item.pszText = buf;
        item.cchTextMax = sizeof buf;
        SendMessage(LVM_GETITEMTEXTA, nItem, reinterpret_cast<LPARAM>(&item));
        return buf;
    }
    BOOL GetItem(LVITEMA* item) const { return static_cast<BOOL>(SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(item))); }
    BOOL SetItem(const LVITEMA* item) { return static_cast<BOOL>(SendMessage(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(item))); }
    DWORD_PTR GetItemData(int nItem) const
    {
        LVITEMA item{};
        item.mask = LVIF_PARAM;
        item.iItem = nItem;
        return GetItem(&item) ? static_cast<DWORD_PTR>(item.lParam) : 0;
    }
    BOOL SetItemData(int nItem, DWORD_PTR data)
    {
        LVITEMA item{};
        item.mask = LVIF_PARAM;
        item.iItem = nItem;
        item.lParam = static_cast<LPARAM>(data);
        return SetItem(&item);
    }
    UINT GetItemState(int nItem, UINT mask) const { return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, nItem, mask)); }
    BOOL SetItemState(int nItem, UINT state, UINT mask)
    {
        LVITEMA item{};
        item.state = state;
        item.stateMask = mask;
        return static_cast<BOOL>(SendMessage(LVM_SETITEMSTATE, nItem, reinterpret_cast<LPARAM>(&item)));
    }
    int GetSelectedCount() const { return static_cast<int>(SendMessage(LVM_GETSELECTEDCOUNT)); }
    int GetNextItem(int nItem, int flags) const { return static_cast<int>(SendMessage(LVM_GETNEXTITEM, nItem, flags)); }
    // Selection walk: a position is the item index plus one; 0 ends the walk.
    POSITION GetFirstSelectedItemPosition() const
    {
        return reinterpret_cast<POSITION>(static_cast<INT_PTR>(GetNextItem(-1, LVNI_SELECTED) + 1));
    }
    int GetNextSelectedItem(POSITION& pos) const
    {
        int index = static_cast<int>(reinterpret_cast<INT_PTR>(pos)) - 1;
        pos = reinterpret_cast<POSITION>(static_cast<INT_PTR>(GetNextItem(index, LVNI_SELECTED) + 1));
        return index;
    }
    BOOL GetItemRect(int nItem, LPRECT r, UINT code) const
    {
        r->left = static_cast<LONG>(code);
        return static_cast<BOOL>(SendMessage(LVM_GETITEMRECT, nItem, reinterpret_cast<LPARAM>(r)));
    }
    BOOL GetSubItemRect(int nItem, int nSubItem, int area, CRect& r) const
    {
        r.top = nSubItem;
        r.left = area;
        return static_cast<BOOL>(SendMessage(LVM_GETSUBITEMRECT, nItem, reinterpret_cast<LPARAM>(static_cast<RECT*>(&r))));
    }
    int SubItemHitTest(LVHITTESTINFO* info) const { return static_cast<int>(SendMessage(LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(info))); }
    int HitTest(LVHITTESTINFO* info) const { return static_cast<int>(SendMessage(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(info))); }
    int GetHotItem() const { return static_cast<int>(SendMessage(LVM_GETHOTITEM)); }
    int SetHotItem(int index) { return static_cast<int>(SendMessage(LVM_SETHOTITEM, index)); }
    int GetTopIndex() const { return static_cast<int>(SendMessage(LVM_GETTOPINDEX)); }
    int GetCountPerPage() const { return static_cast<int>(SendMessage(LVM_GETCOUNTPERPAGE)); }
    BOOL RedrawItems(int first, int last) { return static_cast<BOOL>(SendMessage(LVM_REDRAWITEMS, first, last)); }
    BOOL EnsureVisible(int nItem, BOOL bPartialOK) { return static_cast<BOOL>(SendMessage(LVM_ENSUREVISIBLE, nItem, bPartialOK)); }
    BOOL Scroll(CSize size) { return static_cast<BOOL>(SendMessage(LVM_SCROLL, size.cx, size.cy)); }
    CImageList* GetImageList(int type) const { return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(SendMessage(LVM_GETIMAGELIST, type))); }
    CImageList* SetImageList(CImageList* list, int type)
    {
        return CImageList::FromHandle(reinterpret_cast<HIMAGELIST>(SendMessage(LVM_SETIMAGELIST, type, reinterpret_cast<LPARAM>(list ? list->m_hImageList : nullptr))));
    }
    COLORREF GetBkColor() const { return static_cast<COLORREF>(SendMessage(LVM_GETBKCOLOR)); }
    BOOL SetBkColor(COLORREF c) { return static_cast<BOOL>(SendMessage(LVM_SETBKCOLOR, 0, c)); }
    BOOL SetTextColor(COLORREF c) { return static_cast<BOOL>(SendMessage(LVM_SETTEXTCOLOR, 0, c)); }
    BOOL SetTextBkColor(COLORREF c) { return static_cast<BOOL>(SendMessage(LVM_SETTEXTBKCOLOR, 0, c)); }

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message == WM_DRAWITEM) { DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); if (pResult) *pResult = TRUE; return TRUE; }
        if (message == WM_MEASUREITEM) { MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)); if (pResult) *pResult = TRUE; return TRUE; }
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    }
};
