// Placing controls, setting their texts, and the item data of combo boxes.
#pragma once
#include "framework/Afx.h"

// A control's window rectangle in its parent's client coordinates (empty when there is no
// such control): TRUE when found.
BOOL GetDlgItemRectInParent(RECT* rect, CWnd* parent, int id);
struct DlgItemPosSize {
    int left, top, width, height;
};
BOOL GetDlgItemPosSize(DlgItemPosSize* pos, CWnd* parent, int id);

// The item data of entry index (also stored in *data when given); CB_ERR for a bad index.
DWORD_PTR GetComboItemData(CComboBox* combo, int index, DWORD_PTR* data = nullptr);
// The first entry whose item data equals data; -1 when none or when the box is empty.
int FindComboItemByData(CComboBox* combo, DWORD_PTR data);
// Adds the text and gives the new entry its item data; the entry's index, or CB_ERR.
int AddComboItemWithData(CComboBox* combo, LPCSTR text, DWORD_PTR data);

// Moves the control to the rectangle (repainting), shows it and sets its text.
void MoveDlgItemWithText(CWnd* control, int x, int y, int width, int height, LPCSTR text);
// The same, setting the text only when one is given.
void PlaceDlgItem(CWnd* control, int x, int y, int width, int height, LPCSTR text = nullptr);
// Re-places the control on its own rectangle, shows it and sets its text (if any).
void ShowDlgItemText(CWnd* parent, CWnd* control, LPCSTR text);
void ShowDlgItemTextIfAny(CWnd* parent, CWnd* control, LPCSTR text);
// Sets the text of the window's child control id.
void SetDlgItemTextCString(CWnd* window, const CString& text, int id);
