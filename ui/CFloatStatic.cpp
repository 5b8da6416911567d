#include "ui/CFloatStatic.h"

IMPLEMENT_DYNAMIC(CFloatStatic, CStatic)

namespace {
constexpr int kRaise = 1;  // the hover picture is drawn this far up and left
}

CFloatStatic::CFloatStatic() = default;
CFloatStatic::~CFloatStatic() = default;

BEGIN_MESSAGE_MAP(CFloatStatic, CPaintedStatic)
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_WM_TIMER()
END_MESSAGE_MAP()

void CFloatStatic::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    GetClientRect(&m_rcClient);
    ModifyStyle(0, WS_VISIBLE | SS_NOTIFY);
}

BOOL CFloatStatic::LoadBitmaps(UINT normalId, UINT hoverId, HMODULE module)
{
    m_bmpNormal.DeleteObject();
    m_bmpHover.DeleteObject();
    HINSTANCE source = module ? module : AfxGetInstanceHandle();
    m_bmpNormal.LoadBitmap(source, normalId);
    m_bmpHover.LoadBitmap(source, hoverId);
    m_nPicture = kNormal;
    if (!m_bmpNormal.m_hObject) return FALSE;
    const CSize size = m_bmpNormal.GetSize();
    m_rcSource = CRect(0, 0, size.cx, size.cy);
    return TRUE;
}

void CFloatStatic::SizeToBitmap()
{
    if (!m_bmpNormal.m_hObject) return;
    const CSize size = m_bmpNormal.GetSize();
    m_rcSource = CRect(0, 0, size.cx, size.cy);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    GetClientRect(&m_rcClient);
}

void CFloatStatic::SetPicture(Picture picture)
{
    if (picture == m_nPicture) return;
    m_nPicture = picture;
    Invalidate();
}

void CFloatStatic::OnMouseMove(UINT, CPoint)
{
    if (m_bHandCursor) ::SetCursor(::LoadCursorA(nullptr, IDC_HAND));
    if (m_nPicture == kHover) return;
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = m_hWnd;
    ::TrackMouseEvent(&track);
    SetPicture(kHover);
}

void CFloatStatic::OnMouseLeave()
{
    SetPicture(kNormal);
}

void CFloatStatic::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kLeaveTimerId) {
        Default();
        return;
    }
    POINT cursor{};
    ::GetCursorPos(&cursor);
    CRect window;
    GetWindowRect(&window);
    if (!window.PtInRect(cursor)) {
        KillTimer(kLeaveTimerId);
        SetPicture(kNormal);
    }
}

void CFloatStatic::PaintTo(CDC* pDC)
{
    CBitmap& shown = (m_nPicture == kHover && m_bmpHover.m_hObject) ? m_bmpHover : m_bmpNormal;
    if (!shown.m_hObject) return;
    CRect client;
    GetClientRect(&client);
    CRect target = client;
    if (m_nPicture == kHover) target.OffsetRect(-kRaise, -kRaise);
    CDC source;
    if (!source.CreateCompatibleDC(pDC)) return;
    HGDIOBJ old = source.SelectObject(shown.m_hObject);
    pDC->StretchBlt(target.left, target.top, target.Width(), target.Height(), &source, m_rcSource.left, m_rcSource.top,
                    m_rcSource.Width(), m_rcSource.Height(), SRCCOPY);
    source.SelectObject(old);
}
