// List boxes. Getters answer LB_ERR when nothing is selected or the index is out of range.
#pragma once
#include "framework/CWnd.h"

class CListBox : public CWnd {
    DECLARE_DYNAMIC(CListBox)
public:
    int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
    int SetCurSel(int nSelect) { return static_cast<int>(SendMessage(LB_SETCURSEL, nSelect)); }
    int AddString(LPCSTR text) { return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text))); }
    int InsertString(int index, LPCSTR text) { return static_cast<int>(SendMessage(LB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text))); }
    int DeleteString(UINT index) { return static_cast<int>(SendMessage(LB_DELETESTRING, index)); }
    void ResetContent() { SendMessage(LB_RESETCONTENT); }
    int GetTextLen(int index) const { return static_cast<int>(SendMessage(LB_GETTEXTLEN, index)); }
    void GetText(int index, CString& text) const
    {
        int n = GetTextLen(index);
        if (n == LB_ERR) { text.Empty(); return; }
        SendMessage(LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.GetBufferSetLength(n + 1)));
        text.ReleaseBuffer();
    }
    DWORD_PTR GetItemData(int index) const { return static_cast<DWORD_PTR>(SendMessage(LB_GETITEMDATA, index)); }
    int SetItemData(int index, DWORD_PTR data) { return static_cast<int>(SendMessage(LB_SETITEMDATA, index, static_cast<LPARAM>(data))); }
    int GetTopIndex() const { return static_cast<int>(SendMessage(LB_GETTOPINDEX)); }
    int SetTopIndex(int index) { return static_cast<int>(SendMessage(LB_SETTOPINDEX, index)); }
};
