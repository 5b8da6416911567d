// A borderless tip window that shows a one-line message beside a control for four seconds
// without taking the activation (used by the filtered edits and the profile pages).
#pragma once
#include "framework/Afx.h"

class CInfoWnd : public CWnd {
public:
    static constexpr char kClassName[] = "ST_InfoWnd";
    static constexpr UINT_PTR kHideTimerId = 1;
    static constexpr UINT kShowMs = 4000;
    static constexpr int kGap = 2;            // between the control and the tip, both ways
    static constexpr int kExtraWidth = 100;   // the tip is this much wider than its text
    // Placement flags: where the tip goes relative to its control (none: above it).
    static constexpr DWORD kBelow = 0x01;
    static constexpr DWORD kLeft = 0x02;
    static constexpr DWORD kRight = 0x08;

    // The first tip registers the window class with a brush of its colour; later colours are ignored.
    explicit CInfoWnd(COLORREF background);
    ~CInfoWnd() override;

    BOOL Create(CWnd* pOwner);
    // Nothing happens while the tip is shown, or when no window has the keyboard focus.
    void ShowInfo(CWnd* pAnchor, const CString& text);
    void SetPlacement(DWORD flags) { m_dwPlacement = flags; }
    const CRect& GetShownRect() const { return m_rcShown; }
    const CString& GetText() const { return m_strText; }
    static CSize GetTextSize(CDC* pDC, const CString& text);

protected:
    void OnPaint();
    LRESULT OnPrintClient(WPARAM wParam, LPARAM);
    void OnTimer(UINT_PTR nIDEvent);
    void OnLButtonUp(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    CWnd* m_pOwner = nullptr;
    CRect m_rcShown;
    CString m_strText;
    int m_nGapX = kGap;
    int m_nGapY = kGap;
    DWORD m_dwPlacement = 0;
    UINT_PTR m_nTimer = 0;

private:
    void DrawInfo(CDC* pDC);
    HFONT OwnerFont() const;
};
