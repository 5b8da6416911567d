#include "ui/CProgressCtrlX.h"

#include <algorithm>

namespace {
constexpr LRESULT kDefaultColor = static_cast<LRESULT>(CLR_DEFAULT);  // what the colour messages answer
}

CProgressCtrlX::CProgressCtrlX() = default;

CProgressCtrlX::~CProgressCtrlX()
{
    if (m_tooltip.m_hWnd) m_tooltip.DestroyWindow();
}

BEGIN_MESSAGE_MAP(CProgressCtrlX, CProgressCtrl)
    ON_MESSAGE(PBM_SETRANGE, OnSetRange)
    ON_MESSAGE(PBM_SETPOS, OnSetPos)
    ON_MESSAGE(PBM_DELTAPOS, OnDeltaPos)
    ON_MESSAGE(PBM_SETSTEP, OnSetStep)
    ON_MESSAGE(PBM_STEPIT, OnStepIt)
    ON_MESSAGE(PBM_SETRANGE32, OnSetRange32)
    ON_MESSAGE(PBM_GETRANGE, OnGetRange)
    ON_MESSAGE(PBM_GETPOS, OnGetPos)
    ON_MESSAGE(PBM_SETBARCOLOR, OnSetBarColor)
    ON_MESSAGE(CCM_SETBKCOLOR, OnSetBkColor)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_GETTEXT, OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
    ON_MESSAGE(WM_SETFONT, OnSetFont)
    ON_MESSAGE(WM_GETFONT, OnGetFont)
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_TIMER()
END_MESSAGE_MAP()

BOOL CProgressCtrlX::ModifyStyle(DWORD remove, DWORD add)
{
    if (!m_hWnd) return CProgress::ModifyStyle(remove, add);
    BOOL changed = CWnd::ModifyStyle(remove, add);
    Invalidate();
    return changed;
}

void CProgressCtrlX::SetText(LPCSTR text, DWORD mode)
{
    CProgress::SetText(text, mode);
    if (m_hWnd) Invalidate();
}

void CProgressCtrlX::RestartControlTimer(UINT periodMs, int step)
{
    m_nAnimStep = step;
    KillTimer(kAnimationTimerId);
    SetTimer(kAnimationTimerId, periodMs);
}

void CProgressCtrlX::SetTooltipFormat(LPCSTR format)
{
    m_strTooltipFormat = format ? format : "";
    if (!m_tooltip.m_hWnd && m_tooltip.Create(this)) m_tooltip.AddTool(this, "");
    UpdateTooltip();
}

void CProgressCtrlX::UpdateTooltip()
{
    if (!m_tooltip.m_hWnd || m_strTooltipFormat.IsEmpty()) return;
    const CString value = FormatText(GetValue());
    if (value.IsEmpty()) return;
    CString tip = m_strTooltipFormat;
    tip.Replace("%s", value);  // the value text goes where the format names a text
    m_tooltip.UpdateTipText(tip, this);
}

void CProgressCtrlX::OnPosChanged()
{
    UpdateTooltip();
}

BOOL CProgressCtrlX::PreTranslateMessage(MSG* pMsg)
{
    if (m_tooltip.m_hWnd && pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST) m_tooltip.RelayEvent(pMsg);
    return CProgressCtrl::PreTranslateMessage(pMsg);
}

LRESULT CProgressCtrlX::OnSetRange(WPARAM, LPARAM lParam)
{
    return OnSetRange32(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
}

LRESULT CProgressCtrlX::OnSetRange32(WPARAM wParam, LPARAM lParam)
{
    const LRESULT previous = RangeResult(m_nLower, m_nUpper);
    CProgress::SetRange(static_cast<int>(wParam), static_cast<int>(lParam));
    Invalidate();
    return previous;
}

LRESULT CProgressCtrlX::OnSetPos(WPARAM wParam, LPARAM)
{
    const int previous = CProgress::SetPos(static_cast<int>(wParam));
    Invalidate();
    return previous;
}

LRESULT CProgressCtrlX::OnDeltaPos(WPARAM wParam, LPARAM)
{
    const int previous = CProgress::OffsetPos(static_cast<int>(wParam));
    Invalidate();
    return previous;
}

LRESULT CProgressCtrlX::OnSetStep(WPARAM wParam, LPARAM)
{
    const int previous = CProgress::SetStep(static_cast<int>(wParam));
    Invalidate();
    return previous;
}

LRESULT CProgressCtrlX::OnStepIt(WPARAM, LPARAM)
{
    const int previous = CProgress::OffsetPos(m_nStep);
    Invalidate();
    return previous;
}

LRESULT CProgressCtrlX::OnGetRange(WPARAM wParam, LPARAM lParam)
{
    if (auto* range = reinterpret_cast<PBRANGE*>(lParam)) {
        range->iLow = m_nLower;
        range->iHigh = m_nUpper;
    }
    return wParam ? m_nLower : m_nUpper;
}

LRESULT CProgressCtrlX::OnGetPos(WPARAM, LPARAM)
{
    return m_nPos;
}

LRESULT CProgressCtrlX::OnSetBarColor(WPARAM wParam, LPARAM lParam)
{
    const auto bar = static_cast<COLORREF>(lParam);
    SetColors(2, bar, wParam ? static_cast<COLORREF>(wParam) : bar);
    Invalidate();
    return kDefaultColor;
}

LRESULT CProgressCtrlX::OnSetBkColor(WPARAM, LPARAM lParam)
{
    m_crBk = static_cast<COLORREF>(lParam);
    Invalidate();
    return kDefaultColor;
}

LRESULT CProgressCtrlX::OnSetText(WPARAM, LPARAM lParam)
{
    m_strText = reinterpret_cast<LPCSTR>(lParam);
    Invalidate();
    return TRUE;
}

LRESULT CProgressCtrlX::OnGetText(WPARAM wParam, LPARAM lParam)
{
    auto* buffer = reinterpret_cast<LPSTR>(lParam);
    if (!buffer || wParam == 0) return 0;
    const int count = std::min(m_strText.GetLength(), static_cast<int>(wParam) - 1);
    lstrcpynA(buffer, m_strText, count + 1);
    return count;
}

LRESULT CProgressCtrlX::OnGetTextLength(WPARAM, LPARAM)
{
    return m_strText.GetLength();
}

LRESULT CProgressCtrlX::OnSetFont(WPARAM wParam, LPARAM lParam)
{
    m_hFont = reinterpret_cast<HFONT>(wParam);
    if (LOWORD(lParam)) RedrawWindow();
    return 0;
}

LRESULT CProgressCtrlX::OnGetFont(WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>(m_hFont);
}

LRESULT CProgressCtrlX::OnPrintClient(WPARAM wParam, LPARAM)
{
    CRect rc;
    GetClientRect(&rc);
    Paint(CDC::FromHandle(reinterpret_cast<HDC>(wParam)), rc);
    return 0;
}

void CProgressCtrlX::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    Paint(&dc, rc);
}

void CProgressCtrlX::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kStepTimerId) {
        CProgress::OffsetPos(m_nStep);
        Invalidate();
    } else if (nIDEvent == kAnimationTimerId) {
        m_nAnimPos += m_nAnimStep;
        Invalidate();
    } else {
        Default();
    }
}
