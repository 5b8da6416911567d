#include "ui/CFingerInnerStatic.h"
#include "ui/TransparentText.h"

IMPLEMENT_DYNAMIC(CFingerInnerStatic, CStatic)

BEGIN_MESSAGE_MAP(CFingerInnerStatic, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

BOOL CFingerInnerStatic::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.style = (cs.style & ~SS_NOTIFY) | WS_VISIBLE | SS_CENTER;
    m_crText = 0;
    return TRUE;
}

void CFingerInnerStatic::SetTextColor(COLORREF color)
{
    m_crText = color;
    InvalidateUnderFinger();
}

void CFingerInnerStatic::InvalidateUnderFinger()
{
    // Off screen there is nothing to wipe: showing the window paints the skin and text afresh.
    if (!::IsWindowVisible(m_hWnd)) return;
    HWND finger = ::GetParent(m_hWnd);
    HWND host = finger ? ::GetParent(finger) : nullptr;
    if (!host) return;
    CRect rc;
    ::GetWindowRect(finger, &rc);
    ::MapWindowPoints(nullptr, host, reinterpret_cast<POINT*>(&rc), 2);
    ::InvalidateRect(host, &rc, TRUE);
}

HBRUSH CFingerInnerStatic::CtlColor(CDC* pDC, UINT)
{
    return AnswerTransparentColor(pDC, m_crText, nullptr);
}
