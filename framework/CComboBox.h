// Combo boxes. Getters answer CB_ERR when nothing is selected or the index is out of range.
#pragma once
#include "framework/CWnd.h"

class CComboBox : public CWnd {
    DECLARE_DYNAMIC(CComboBox)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* pParent, UINT nID)
    {
        return CreateEx(0, "COMBOBOX", "", style | WS_CHILD, rect, pParent, nID);
    }
    int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
    int SetCurSel(int nSelect) { return static_cast<int>(SendMessage(CB_SETCURSEL, nSelect)); }
    int AddString(LPCSTR text) { return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text))); }
    int InsertString(int index, LPCSTR text) { return static_cast<int>(SendMessage(CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text))); }
    int DeleteString(UINT index) { return static_cast<int>(SendMessage(CB_DELETESTRING, index)); }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    int FindString(int start, LPCSTR text) const { return static_cast<int>(SendMessage(CB_FINDSTRING, start, reinterpret_cast<LPARAM>(text))); }
    int FindStringExact(int start, LPCSTR text) const { return static_cast<int>(SendMessage(CB_FINDSTRINGEXACT, start, reinterpret_cast<LPARAM>(text))); }
    int SelectString(int start, LPCSTR text) { return static_cast<int>(SendMessage(CB_SELECTSTRING, start, reinterpret_cast<LPARAM>(text))); }
    int GetLBTextLen(int index) const { return static_cast<int>(SendMessage(CB_GETLBTEXTLEN, index)); }
    int GetLBText(int index, LPSTR buf) const { return static_cast<int>(SendMessage(CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(buf))); }
    void GetLBText(int index, CString& text) const
    {
        int n = GetLBTextLen(index);
        if (n == CB_ERR) { text.Empty(); return; }
        SendMessage(CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.GetBufferSetLength(n + 1)));
        text.ReleaseBuffer();
    }
    DWORD_PTR GetItemData(int index) const { return static_cast<DWORD_PTR>(SendMessage(CB_GETITEMDATA, index)); }
    int SetItemData(int index, DWORD_PTR data) { return static_cast<int>(SendMessage(CB_SETITEMDATA, index, static_cast<LPARAM>(data))); }
    void* GetItemDataPtr(int index) const { LRESULT r = SendMessage(CB_GETITEMDATA, index); return r == CB_ERR ? nullptr : reinterpret_cast<void*>(r); }
    int SetItemDataPtr(int index, void* p) { return SetItemData(index, reinterpret_cast<DWORD_PTR>(p)); }
    int GetItemHeight(int index) const { return static_cast<int>(SendMessage(CB_GETITEMHEIGHT, index)); }
    int SetItemHeight(int index, UINT cy) { return static_cast<int>(SendMessage(CB_SETITEMHEIGHT, index, cy)); }
    int SetDroppedWidth(UINT width) { return static_cast<int>(SendMessage(CB_SETDROPPEDWIDTH, width)); }
    int GetDroppedWidth() const { return static_cast<int>(SendMessage(CB_GETDROPPEDWIDTH)); }
    void ShowDropDown(BOOL bShow = TRUE) { SendMessage(CB_SHOWDROPDOWN, bShow); }
    BOOL GetDroppedState() const { return static_cast<BOOL>(SendMessage(CB_GETDROPPEDSTATE)); }
    BOOL LimitText(int nMax) { return static_cast<BOOL>(SendMessage(CB_LIMITTEXT, nMax)); }

    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        switch (message) {
        case WM_DRAWITEM: DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); break;
        case WM_MEASUREITEM: MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)); break;
        case WM_DELETEITEM: DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)); break;
        case WM_COMPAREITEM: if (pResult) *pResult = CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam)); return TRUE;
        default: return CWnd::OnChildNotify(message, wParam, lParam, pResult);
        }
        if (pResult) *pResult = TRUE;
        return TRUE;
    }
};
