#include "ui/CSeparator.h"

IMPLEMENT_DYNAMIC(CSeparator, CStatic)

namespace {
constexpr char kPad[] = "  ";
}

CString CSeparator::PaddedCaption(const CString& caption, DWORD style)
{
    switch (style & SS_TYPEMASK) {
    case SS_CENTER: return kPad + caption + kPad;
    case SS_RIGHT: return kPad + caption;
    default: return caption + kPad;
    }
}

void CSeparator::PaintTo(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    // The background the parent gives its statics.
    if (HWND parent = ::GetParent(m_hWnd)) {
        auto brush = reinterpret_cast<HBRUSH>(
            ::SendMessageA(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(pDC->m_hDC), reinterpret_cast<LPARAM>(m_hWnd)));
        if (brush) pDC->FillRect(&rc, brush);
    }
    const COLORREF shadow = ::GetSysColor(COLOR_3DSHADOW);
    const COLORREF light = ::GetSysColor(COLOR_3DHILIGHT);
    if (rc.Height() > rc.Width()) {
        const int x = rc.left + rc.Width() / 2 - 1;
        pDC->FillSolidRect(x, rc.top, 1, rc.Height(), shadow);
        pDC->FillSolidRect(x + 1, rc.top, 1, rc.Height(), light);
        return;
    }
    const int y = rc.top + rc.Height() / 2 - 1;
    pDC->FillSolidRect(rc.left, y, rc.Width(), 1, shadow);
    pDC->FillSolidRect(rc.left, y + 1, rc.Width(), 1, light);

    const CString caption = GetWindowText();
    if (caption.IsEmpty()) return;
    const DWORD style = CWnd::GetStyle();
    UINT format = DT_SINGLELINE | DT_VCENTER;
    switch (style & SS_TYPEMASK) {
    case SS_CENTER: format |= DT_CENTER; break;
    case SS_RIGHT: format |= DT_RIGHT; break;
    default: format |= DT_LEFT; break;
    }
    if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
    HGDIOBJ oldFont = pDC->SelectObject(reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
    const int oldMode = pDC->SetBkMode(OPAQUE);
    const COLORREF oldBack = pDC->SetBkColor(::GetSysColor(COLOR_BTNFACE));
    const COLORREF oldText = pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    pDC->DrawText(PaddedCaption(caption, style), &rc, format);
    pDC->SetTextColor(oldText);
    pDC->SetBkColor(oldBack);
    pDC->SetBkMode(oldMode);
    if (oldFont) pDC->SelectObject(oldFont);
}
