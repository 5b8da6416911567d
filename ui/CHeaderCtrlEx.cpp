#include "ui/CHeaderCtrlEx.h"

namespace {
constexpr int kFontHeight = -11;
constexpr int kFontWeight = 500;
constexpr char kFontFace[] = "Tahoma";
constexpr int kTallBitmapMargin = 2;  // a bitmap as tall as the item sits this far from its right
}

CHeaderCtrlEx::CHeaderCtrlEx()
{
    m_font.CreateFont(kFontHeight, 0, 0, 0, kFontWeight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, kFontFace);
}

CHeaderCtrlEx::~CHeaderCtrlEx() = default;

void CHeaderCtrlEx::SetBitmap(HBITMAP hBitmap)
{
    m_bitmap.Attach(hBitmap);
    if (m_hWnd) Invalidate();
}

void CHeaderCtrlEx::DrawItem(LPDRAWITEMSTRUCT dis)
{
    if (!m_bitmap.m_hObject) {
        CHeaderCtrl::DrawItem(dis);
        return;
    }
    CDC* pDC = CDC::FromHandle(dis->hDC);
    CRect rc = dis->rcItem;
    CRect frame = rc;
    pDC->DrawFrameControl(&frame, DFC_BUTTON, DFCS_BUTTONPUSH);

    char text[kTextChars + 1] = "";
    HDITEMA item{};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    GetItem(static_cast<int>(dis->itemID), &item);
    HGDIOBJ oldFont = pDC->SelectObject(m_font.m_hObject);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldColor = pDC->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
    CRect textRect = rc;
    pDC->DrawText(text, &textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
    pDC->SetTextColor(oldColor);
    pDC->SetBkMode(oldMode);
    pDC->SelectObject(oldFont);

    if (dis->itemID == 0) return;
    const CSize size = m_bitmap.GetSize();
    const int itemHeight = rc.Height();
    CPoint at(rc.right - size.cx - kTallBitmapMargin, rc.top + 1);
    if (size.cy < itemHeight) at = CPoint(rc.right - (itemHeight - size.cy) / 4 - size.cx, rc.top + (itemHeight - size.cy) / 2);
    CDC memDC;
    if (!memDC.CreateCompatibleDC(pDC)) return;
    HGDIOBJ old = memDC.SelectObject(m_bitmap.m_hObject);
    pDC->BitBlt(at.x, at.y, size.cx, size.cy, &memDC, 0, 0, SRCCOPY);
    memDC.SelectObject(old);
}
