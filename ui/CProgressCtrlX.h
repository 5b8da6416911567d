// The gradient progress bar: a progress control of a dialog template that answers the
// platform's progress-bar messages itself and paints with CProgress. The style bits of
// CProgress are the window's own style bits.
#pragma once
#include "ui/CProgress.h"

class CProgressCtrlX : public CProgressCtrl, public CProgress {
public:
    static constexpr UINT_PTR kStepTimerId = 11;
    static constexpr UINT_PTR kAnimationTimerId = 12;

    CProgressCtrlX();
    ~CProgressCtrlX() override;

    DWORD GetStyle() const override { return CWnd::GetStyle(); }
    // Changes the window's style and repaints the whole control.
    BOOL ModifyStyle(DWORD remove, DWORD add) override;

    // The operations go through the control's messages, as a caller of CProgressCtrl expects.
    void SetRange(int lower, int upper) { SendMessage(PBM_SETRANGE32, lower, upper); }
    void GetRange(int& lower, int& upper) const { CProgress::GetRange(lower, upper); }
    int SetPos(int pos) override { return static_cast<int>(SendMessage(PBM_SETPOS, pos)); }
    int OffsetPos(int delta) override { return static_cast<int>(SendMessage(PBM_DELTAPOS, delta)); }
    int SetStep(int step) { return static_cast<int>(SendMessage(PBM_SETSTEP, step)); }
    int StepIt() { return static_cast<int>(SendMessage(PBM_STEPIT)); }
    int GetPos() const { return CProgress::GetPos(); }
    void SetText(LPCSTR text, DWORD mode);

    // Restarts the animation timer: every periodMs the gradient moves on by step.
    void RestartControlTimer(UINT periodMs, int step);
    // Creates the tooltip (once) and sets its format, filled with the value text.
    void SetTooltipFormat(LPCSTR format);
    CToolTipCtrl& GetTooltip() { return m_tooltip; }

protected:
    void OnPosChanged() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    LRESULT OnSetRange(WPARAM, LPARAM lParam);
    LRESULT OnSetPos(WPARAM wParam, LPARAM);
    LRESULT OnDeltaPos(WPARAM wParam, LPARAM);
    LRESULT OnSetStep(WPARAM wParam, LPARAM);
    LRESULT OnStepIt(WPARAM, LPARAM);
    LRESULT OnSetRange32(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetRange(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetPos(WPARAM, LPARAM);
    LRESULT OnSetBarColor(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetBkColor(WPARAM, LPARAM lParam);
    LRESULT OnSetText(WPARAM, LPARAM lParam);
    LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetTextLength(WPARAM, LPARAM);
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetFont(WPARAM, LPARAM);
    LRESULT OnPrintClient(WPARAM wParam, LPARAM);
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    void OnPaint();
    void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

private:
    LRESULT RangeResult(int lower, int upper) const { return MAKELRESULT(static_cast<WORD>(lower), static_cast<WORD>(upper)); }
    void UpdateTooltip();

    CToolTipCtrl m_tooltip;
    CString m_strTooltipFormat;
    int m_nAnimStep = 0;
};
