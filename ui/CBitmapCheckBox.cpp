#include "ui/CBitmapCheckBox.h"
#include "base/DebugLog.h"

IMPLEMENT_DYNAMIC(CBitmapCheckBox, CButton)

BEGIN_MESSAGE_MAP(CBitmapCheckBox, CButton)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClicked)
    ON_MESSAGE(BM_SETCHECK, OnSetCheck)
    ON_MESSAGE(BM_GETCHECK, OnGetCheck)
END_MESSAGE_MAP()

BOOL CBitmapCheckBox::LoadBitmaps(UINT clearId, UINT tickedId, HMODULE module)
{
    HINSTANCE from = module ? module : AfxGetInstanceHandle();
    m_bmpClear.DeleteObject();
    m_bmpTicked.DeleteObject();
    if (!m_bmpClear.LoadBitmap(from, clearId) || !m_bmpTicked.LoadBitmap(from, tickedId)) {
        DebugLog(1, "[QxUI] CBitmapCheckBox::LoadBitmaps() LoadBitmap fail for %u or %u, error code = %d\n", clearId,
                 tickedId, ::GetLastError());
        m_bmpClear.DeleteObject();
        m_bmpTicked.DeleteObject();
        return FALSE;
    }
    // The state moves from the system's check box into this control before it draws itself.
    m_nCheck = static_cast<int>(DefWindowProc(BM_GETCHECK, 0, 0)) == BST_CHECKED ? BST_CHECKED : BST_UNCHECKED;
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    Invalidate();
    return TRUE;
}

BOOL CBitmapCheckBox::OnClicked()
{
    if (HasBitmaps()) {
        m_nCheck = m_nCheck == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED;
        Invalidate();
    }
    return FALSE;  // the parent hears of the click too
}

LRESULT CBitmapCheckBox::OnSetCheck(WPARAM wParam, LPARAM lParam)
{
    if (!HasBitmaps()) return DefWindowProc(BM_SETCHECK, wParam, lParam);
    m_nCheck = wParam == BST_CHECKED ? BST_CHECKED : BST_UNCHECKED;
    Invalidate();
    return 0;
}

LRESULT CBitmapCheckBox::OnGetCheck(WPARAM wParam, LPARAM lParam)
{
    if (!HasBitmaps()) return DefWindowProc(BM_GETCHECK, wParam, lParam);
    return m_nCheck;
}

void CBitmapCheckBox::DrawItem(LPDRAWITEMSTRUCT dis)
{
    CDC* pDC = CDC::FromHandle(dis->hDC);
    const CRect item(dis->rcItem);
    // The parent's background first: the bitmap may be smaller than the control.
    auto brush = reinterpret_cast<HBRUSH>(::SendMessageA(::GetParent(m_hWnd), WM_CTLCOLORBTN,
                                                         reinterpret_cast<WPARAM>(dis->hDC), reinterpret_cast<LPARAM>(m_hWnd)));
    ::FillRect(dis->hDC, &item, brush ? brush : ::GetSysColorBrush(COLOR_BTNFACE));
    CBitmap& shown = m_nCheck == BST_CHECKED ? m_bmpTicked : m_bmpClear;
    if (!shown.m_hObject) return;
    const CSize size = shown.GetSize();
    CDC memDC;
    if (!memDC.CreateCompatibleDC(pDC)) return;
    HGDIOBJ old = memDC.SelectObject(shown.m_hObject);
    const int top = item.top + (item.Height() - size.cy) / 2;
    pDC->BitBlt(item.left, top, size.cx, size.cy, &memDC, 0, 0, SRCCOPY);
    memDC.SelectObject(old);
    if (dis->itemState & ODS_FOCUS) {
        CRect focus(item.left, top, item.left + size.cx, top + size.cy);
        focus.InflateRect(1, 1);
        ::DrawFocusRect(dis->hDC, &focus);
    }
}
