// Progress bars.
#pragma once
#include "framework/CWnd.h"

class CProgressCtrl : public CWnd {
    DECLARE_DYNAMIC(CProgressCtrl)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* pParent, UINT nID)
    {
        return CreateEx(0, PROGRESS_CLASSA, "", style | WS_CHILD, rect, pParent, nID);
    }
    void SetRange(short lo, short hi) { SendMessage(PBM_SETRANGE, 0, MAKELPARAM(lo, hi)); }
    void SetRange32(int lo, int hi) { SendMessage(PBM_SETRANGE32, lo, hi); }
    void GetRange(int& lo, int& hi) const
    {
        PBRANGE r{};
        SendMessage(PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&r));
        lo = r.iLow;
        hi = r.iHigh;
    }
    int GetPos() const { return static_cast<int>(SendMessage(PBM_GETPOS)); }
    int SetPos(int pos) { return static_cast<int>(SendMessage(PBM_SETPOS, pos)); }
    int OffsetPos(int delta) { return static_cast<int>(SendMessage(PBM_DELTAPOS, delta)); }
    int SetStep(int step) { return static_cast<int>(SendMessage(PBM_SETSTEP, step)); }
    int StepIt() { return static_cast<int>(SendMessage(PBM_STEPIT)); }
};
