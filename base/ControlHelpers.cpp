#include "base/ControlHelpers.h"

namespace {
bool IsControl(const CWnd* control) { return control && control->GetSafeHwnd(); }
}

BOOL GetDlgItemRectInParent(RECT* rect, CWnd* parent, int id)
{
    ::SetRectEmpty(rect);
    HWND item = parent ? ::GetDlgItem(parent->GetSafeHwnd(), id) : nullptr;
    if (!item) return FALSE;
    ::GetWindowRect(item, rect);
    ::MapWindowPoints(nullptr, parent->GetSafeHwnd(), reinterpret_cast<POINT*>(rect), 2);
    return TRUE;
}

BOOL GetDlgItemPosSize(DlgItemPosSize* pos, CWnd* parent, int id)
{
    RECT r;
    BOOL found = GetDlgItemRectInParent(&r, parent, id);
    *pos = {r.left, r.top, r.right - r.left, r.bottom - r.top};
    return found;
}

DWORD_PTR GetComboItemData(CComboBox* combo, int index, DWORD_PTR* data)
{
    DWORD_PTR value = IsControl(combo) ? combo->GetItemData(index) : static_cast<DWORD_PTR>(CB_ERR);
    if (data) *data = value;
    return value;
}

int FindComboItemByData(CComboBox* combo, DWORD_PTR data)
{
    const int count = IsControl(combo) ? combo->GetCount() : 0;
    for (int i = 0; i < count; ++i)
        if (combo->GetItemData(i) == data) return i;
    return -1;
}

int AddComboItemWithData(CComboBox* combo, LPCSTR text, DWORD_PTR data)
{
    if (!IsControl(combo)) return CB_ERR;
    int index = combo->AddString(text);
    if (index >= 0) combo->SetItemData(index, data);
    return index;
}

void MoveDlgItemWithText(CWnd* control, int x, int y, int width, int height, LPCSTR text)
{
    PlaceDlgItem(control, x, y, width, height, text ? text : "");
}

void PlaceDlgItem(CWnd* control, int x, int y, int width, int height, LPCSTR text)
{
    if (!IsControl(control)) return;
    control->MoveWindow(x, y, width, height, TRUE);
    control->ShowWindow(SW_SHOW);
    if (text) control->SetWindowText(text);
}

void ShowDlgItemText(CWnd* parent, CWnd* control, LPCSTR text)
{
    ShowDlgItemTextIfAny(parent, control, text ? text : "");
}

void ShowDlgItemTextIfAny(CWnd* parent, CWnd* control, LPCSTR text)
{
    if (!IsControl(control) || !parent) return;
    RECT r;
    control->GetWindowRect(&r);
    ::MapWindowPoints(nullptr, parent->GetSafeHwnd(), reinterpret_cast<POINT*>(&r), 2);
    PlaceDlgItem(control, r.left, r.top, r.right - r.left, r.bottom - r.top, text);
}

void SetDlgItemTextCString(CWnd* window, const CString& text, int id)
{
    if (window) ::SetDlgItemTextA(window->GetSafeHwnd(), id, text);
}
