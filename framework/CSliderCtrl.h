// Track bars.
#pragma once
#include "framework/CWnd.h"

class CSliderCtrl : public CWnd {
    DECLARE_DYNAMIC(CSliderCtrl)
public:
    BOOL Create(DWORD style, const RECT& rect, CWnd* pParent, UINT nID)
    {
        return CreateEx(0, TRACKBAR_CLASSA, "", style | WS_CHILD, rect, pParent, nID);
    }
    int GetPos() const { return static_cast<int>(SendMessage(TBM_GETPOS)); }
    void SetPos(int pos) { SendMessage(TBM_SETPOS, TRUE, pos); }
    int GetRangeMin() const { return static_cast<int>(SendMessage(TBM_GETRANGEMIN)); }
    int GetRangeMax() const { return static_cast<int>(SendMessage(TBM_GETRANGEMAX)); }
    void GetRange(int& lo, int& hi) const { lo = GetRangeMin(); hi = GetRangeMax(); }
    void SetRange(int lo, int hi, BOOL bRedraw = FALSE) { SendMessage(TBM_SETRANGEMIN, FALSE, lo); SendMessage(TBM_SETRANGEMAX, bRedraw, hi); }
    int SetLineSize(int size) { return static_cast<int>(SendMessage(TBM_SETLINESIZE, 0, size)); }
    int SetPageSize(int size) { return static_cast<int>(SendMessage(TBM_SETPAGESIZE, 0, size)); }
    void SetTicFreq(int freq) { SendMessage(TBM_SETTICFREQ, freq); }
    void ClearTics(BOOL bRedraw = FALSE) { SendMessage(TBM_CLEARTICS, bRedraw); }
};
