#include "ui/CFingerStatic.h"

IMPLEMENT_DYNAMIC(CFingerStatic, CStatic)

BEGIN_MESSAGE_MAP(CFingerStatic, CStatic)
    ON_WM_SETCURSOR()
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

CRect CFingerStatic::InnerRect() const
{
    CRect rc;
    GetClientRect(&rc);
    rc.top = rc.Height() * kInnerTopNum / kInnerTopDen;
    return rc;
}

void CFingerStatic::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    GetWindowText(m_strText);
    SetWindowText("");
    ModifyStyle(0, SS_NOTIFY);
    if (m_inner.Create(m_strText, WS_CHILD | WS_VISIBLE | SS_CENTER, InnerRect(), this, kInnerId))
        m_inner.SetFont(GetFont(), FALSE);
}

void CFingerStatic::SetText(LPCSTR text)
{
    m_strText = text ? text : "";
    if (!m_inner.m_hWnd) return;
    const CRect inner = InnerRect();
    ::SetWindowPos(m_inner.m_hWnd, nullptr, inner.left, inner.top, inner.Width(), inner.Height(), SWP_NOZORDER | SWP_NOACTIVATE);

    CRect measured(0, 0, inner.Width(), inner.Height());
    {
        CClientDC dc(&m_inner);
        HGDIOBJ old = dc.SelectObject(reinterpret_cast<HGDIOBJ>(m_inner.SendMessage(WM_GETFONT)));
        dc.DrawText(m_strText, &measured, DT_CENTER | DT_CALCRECT);
        if (old) dc.SelectObject(old);
    }
    if (measured.Width() < inner.Width() && measured.Height() < inner.Height() * kOneLineNum / kOneLineDen)
        m_inner.ModifyStyle(0, SS_CENTERIMAGE);
    else
        m_inner.ModifyStyle(SS_CENTERIMAGE, WS_VISIBLE | SS_CENTER);
    m_inner.SetWindowText(m_strText);
    m_inner.InvalidateUnderFinger();
}

void CFingerStatic::SetTextFont(const LOGFONTA* lf)
{
    if (!lf) return;
    LOGFONTA copy = *lf;
    copy.lfPitchAndFamily = kPitchAndFamily;
    CFont font;
    if (!font.CreateFontIndirect(&copy)) return;
    if (m_inner.m_hWnd) m_inner.SetFont(&font, m_inner.IsWindowVisible());
    m_font.Attach(font.Detach());
}

BOOL CFingerStatic::OnSetCursor(CWnd*, UINT, UINT)
{
    ::SetCursor(::LoadCursorA(nullptr, IDC_HAND));
    return TRUE;
}

HBRUSH CFingerStatic::CtlColor(CDC* pDC, UINT)
{
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}
