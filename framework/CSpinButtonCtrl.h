// Up-down controls.
#pragma once
#include "framework/CWnd.h"

class CSpinButtonCtrl : public CWnd {
    DECLARE_DYNAMIC(CSpinButtonCtrl)
public:
    int GetPos() const { return static_cast<int>(static_cast<short>(LOWORD(SendMessage(UDM_GETPOS)))); }
    int SetPos(int pos) { return static_cast<int>(SendMessage(UDM_SETPOS, 0, MAKELPARAM(pos, 0))); }
    void SetRange(int lo, int hi) { SendMessage(UDM_SETRANGE32, lo, hi); }
    CWnd* SetBuddy(CWnd* pWnd) { return CWnd::FromHandle(reinterpret_cast<HWND>(SendMessage(UDM_SETBUDDY, reinterpret_cast<WPARAM>(pWnd ? pWnd->m_hWnd : nullptr)))); }
};
