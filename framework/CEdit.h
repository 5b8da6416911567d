// Edit controls.
#pragma once
#include "framework/CWnd.h"

class CEdit : public CWnd {
    DECLARE_DYNAMIC(CEdit)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* pParent, UINT nID)
    {
        return CreateEx(WS_EX_CLIENTEDGE, "EDIT", "", style | WS_CHILD, rect, pParent, nID);
    }
    void LimitText(int nChars = 0) { SendMessage(EM_LIMITTEXT, nChars); }
    UINT GetLimitText() const { return static_cast<UINT>(SendMessage(EM_GETLIMITTEXT)); }
    void SetSel(int start, int end, BOOL bNoScroll = FALSE)
    {
        SendMessage(EM_SETSEL, start, end);
        if (!bNoScroll) SendMessage(EM_SCROLLCARET);
    }
    void GetSel(int& start, int& end) const
    {
        DWORD s = 0, e = 0;
        SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
        start = static_cast<int>(s);
        end = static_cast<int>(e);
    }
    void ReplaceSel(LPCSTR text, BOOL bCanUndo = FALSE) { SendMessage(EM_REPLACESEL, bCanUndo, reinterpret_cast<LPARAM>(text)); }
    void SetReadOnly(BOOL bReadOnly = TRUE) { SendMessage(EM_SETREADONLY, bReadOnly); }
    void SetPasswordChar(char ch) { SendMessage(EM_SETPASSWORDCHAR, static_cast<BYTE>(ch)); }
    char GetPasswordChar() const { return static_cast<char>(SendMessage(EM_GETPASSWORDCHAR)); }
    BOOL GetModify() const { return static_cast<BOOL>(SendMessage(EM_GETMODIFY)); }
    void SetModify(BOOL bModified = TRUE) { SendMessage(EM_SETMODIFY, bModified); }
    int GetLineCount() const { return static_cast<int>(SendMessage(EM_GETLINECOUNT)); }
};
