#include "ui/FloatButton.h"
#include "base/DebugLog.h"

IMPLEMENT_DYNAMIC(CFloatButton, CButton)

namespace {
constexpr char kCaptionFace[] = "MS Sans Serif";
constexpr LONG kCaptionPointTenths = 200;  // 20.0 points
constexpr LONG kCaptionWidth = 10;
constexpr LONG kCaptionWeight = 100;
}

BEGIN_MESSAGE_MAP(CFloatButton, CButton)
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_WM_LBUTTONUP()
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

void CFloatButton::PreSubclassWindow()
{
    GetClientRect(&m_rcClient);
    LOGFONTA lf{};
    lf.lfHeight = kCaptionPointTenths;
    lf.lfWidth = kCaptionWidth;
    lf.lfWeight = kCaptionWeight;
    lstrcpynA(lf.lfFaceName, kCaptionFace, LF_FACESIZE);
    if (m_fontCaption.CreatePointFontIndirect(&lf)) {
        HDC hdc = ::GetDC(m_hWnd);
        HGDIOBJ old = ::SelectObject(hdc, m_fontCaption.m_hObject);
        TEXTMETRICA tm{};
        ::GetTextMetricsA(hdc, &tm);
        m_nCharWidth = tm.tmAveCharWidth;
        m_nCharHeight = tm.tmHeight;
        ::SelectObject(hdc, old);
        ::ReleaseDC(m_hWnd, hdc);
    }
    CButton::PreSubclassWindow();
}

BOOL CFloatButton::LoadBitmaps(UINT nHoverID, UINT nNormalID, HMODULE hModule, int nMode)
{
    HINSTANCE module = hModule ? hModule : AfxGetInstanceHandle();
    m_bmpHover.DeleteObject();
    m_bmpNormal.DeleteObject();
    if (!m_bmpHover.LoadBitmap(module, nHoverID) || !m_bmpNormal.LoadBitmap(module, nNormalID)) {
        DebugLog(1, "[QxUI] CFloatButton::LoadBitmaps() LoadBitmap fail for %u or %u, error code = %d\n", nHoverID,
                 nNormalID, ::GetLastError());
        m_bmpHover.DeleteObject();
        m_bmpNormal.DeleteObject();
        return FALSE;
    }
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    const CSize size = m_bmpHover.GetSize();
    m_rcBitmap = CRect(0, 0, size.cx, size.cy);
    m_rcClient = m_rcBitmap;
    SetWindowPos(HWND{}, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    if (nMode == kModeFocusPressed) m_nPressedInset = 0;
    return TRUE;
}

void CFloatButton::SizeToBitmap()
{
    if (!m_bmpHover.m_hObject) return;
    const CSize size = m_bmpHover.GetSize();
    SetWindowPos(HWND{}, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    m_rcClient = CRect(0, 0, size.cx, size.cy);
}

void CFloatButton::SetCaptionMode(BOOL bCaption, COLORREF color)
{
    m_bCaptionMode = bCaption;
    m_crCaption = color;
    if (m_hWnd) Invalidate();
}

void CFloatButton::OnMouseMove(UINT, CPoint)
{
    if (!m_bHot) {
        TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, m_hWnd, 0};
        ::_TrackMouseEvent(&tme);
        m_bHot = TRUE;
        Invalidate(TRUE);
    }
    Default();
}

LRESULT CFloatButton::OnMouseLeave(WPARAM, LPARAM)
{
    m_bHot = FALSE;
    Invalidate(FALSE);
    return 0;
}

void CFloatButton::OnLButtonUp(UINT, CPoint)
{
    Invalidate(TRUE);
    Default();
}

HBRUSH CFloatButton::CtlColor(CDC* pDC, UINT)
{
    if (!m_bCaptionMode) return nullptr;
    CString text = GetWindowText();
    CRect client;
    GetClientRect(&client);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(m_crCaption);
    HGDIOBJ old = m_fontCaption.m_hObject ? pDC->SelectObject(m_fontCaption.m_hObject) : nullptr;
    const int x = (client.Width() - m_nCharWidth * text.GetLength()) / 2;
    const int y = client.Height() * 4 / 5 - m_nCharHeight;
    pDC->TextOut(x, y, text);
    if (old) pDC->SelectObject(old);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

void CFloatButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (!m_bmpHover.m_hObject || m_bCaptionMode) return;
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CDC mem;
    mem.CreateCompatibleDC(pDC);
    HGDIOBJ old = mem.SelectObject((m_bHot ? m_bmpHover : m_bmpNormal).m_hObject);
    const int k = m_nPressedInset;
    const int cw = m_rcClient.Width(), ch = m_rcClient.Height();
    const int bw = m_rcBitmap.Width(), bh = m_rcBitmap.Height();
    // A release comes as a selection change too (Space, or a mouse that left the button).
    const bool pressed = (lpDIS->itemAction & ODA_SELECT) && (lpDIS->itemState & ODS_SELECTED);
    if (pressed) {
        if (k == 0) {
            pDC->StretchBlt(1, 1, cw - 2, ch - 2, &mem, 1, 1, bw - 2, bh - 2, SRCCOPY);
            CRect focus(m_rcClient);
            focus.DeflateRect(1, 1);
            pDC->DrawFocusRect(&focus);
        } else {
            pDC->StretchBlt(k, k, cw - k, ch - k, &mem, 0, 0, bw - k, bh - k, SRCCOPY);
        }
    } else if (lpDIS->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) {
        if (m_bHot)
            pDC->StretchBlt(0, 0, cw - k, ch - k, &mem, k, k, bw - k, bh - k, SRCCOPY);
        else
            pDC->StretchBlt(0, 0, cw, ch, &mem, 0, 0, bw, bh, SRCCOPY);
    }
    mem.SelectObject(old);
}
