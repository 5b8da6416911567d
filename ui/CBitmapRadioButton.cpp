#include "ui/CBitmapRadioButton.h"

IMPLEMENT_DYNAMIC(CBitmapRadioButton, CButton)

namespace {
constexpr char kFontFace[] = "Tahoma";
constexpr int kFontHeight = -11;
constexpr int kFontWeight = 800;
}

CBitmapRadioButton::CBitmapRadioButton() = default;

CBitmapRadioButton::~CBitmapRadioButton()
{
    if (m_label.m_hWnd) m_label.DestroyWindow();
}

void CBitmapRadioButton::PreSubclassWindow()
{
    SetTextFont(0, nullptr);
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
    CButton::PreSubclassWindow();
}

BOOL CBitmapRadioButton::LoadBitmaps(UINT normalId, UINT selectedId, UINT labelId, HMODULE module)
{
    HINSTANCE source = module ? module : AfxGetResourceHandle();
    m_bmpNormal.LoadBitmap(source, normalId);
    m_bmpSelected.LoadBitmap(source, selectedId);
    if (!m_bmpNormal.m_hObject) return FALSE;
    const CSize size = m_bmpNormal.GetSize();
    m_rcBitmap = CRect(0, 0, size.cx, size.cy);
    GetClientRect(&m_rcClient);
    m_rcText = CRect(size.cx + kTextGap, kTextTop, m_rcClient.right, m_rcClient.bottom);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    CWnd* pParent = GetParent();
    if (!pParent) return TRUE;
    CRect inParent = m_rcText;
    ::MapWindowPoints(m_hWnd, pParent->m_hWnd, reinterpret_cast<POINT*>(&inParent), 2);
    if (m_label.m_hWnd) {
        m_label.MoveWindow(&inParent);
    } else if (m_label.Create("", WS_CHILD | WS_VISIBLE, inParent, pParent, labelId)) {
        LOGFONTA lf{};
        m_font.GetLogFont(&lf);
        m_label.SetTextFont(m_crText, &lf);
        m_label.SetSkinText(m_strText);
    }
    return TRUE;
}

void CBitmapRadioButton::SetTextFont(COLORREF color, const LOGFONTA* lf)
{
    m_crText = color;
    LOGFONTA font{};
    if (lf) {
        font = *lf;
    } else {
        font.lfHeight = kFontHeight;
        font.lfWeight = kFontWeight;
        font.lfCharSet = ANSI_CHARSET;
        lstrcpynA(font.lfFaceName, kFontFace, LF_FACESIZE);
    }
    CFont created;
    if (created.CreateFontIndirect(&font)) m_font.Attach(created.Detach());
    if (m_label.m_hWnd) m_label.SetTextFont(color, &font);
    if (m_hWnd) Invalidate();
}

void CBitmapRadioButton::SetText(LPCSTR text)
{
    m_strText = text ? text : "";
    Invalidate();
    if (m_label.m_hWnd) m_label.SetSkinText(m_strText);
}

void CBitmapRadioButton::SetSelected(bool bSelected)
{
    m_nShown = bSelected ? 1 : 0;
    ShowWindow(bSelected ? SW_SHOW : SW_HIDE);
    CWnd* pParent = GetParent();
    if (!pParent) return;
    CRect rc;
    GetWindowRect(&rc);
    rc.bottom += kInvalidateBelow;
    pParent->ScreenToClient(&rc);
    pParent->InvalidateRect(&rc, TRUE);
}

void CBitmapRadioButton::SetHighlight(int state)
{
    m_nState = state;
    Invalidate();
}

void CBitmapRadioButton::DrawItem(LPDRAWITEMSTRUCT dis)
{
    if (!m_nShown || !m_bmpNormal.m_hObject || !m_bmpSelected.m_hObject) {
        CButton::DrawItem(dis);
        return;
    }
    CDC* pDC = CDC::FromHandle(dis->hDC);
    CBitmap* pShown = m_nState == 0 ? &m_bmpNormal : (m_nState == 1 ? &m_bmpSelected : nullptr);
    if (pShown) {
        CDC memDC;
        if (memDC.CreateCompatibleDC(pDC)) {
            HGDIOBJ old = memDC.SelectObject(pShown->m_hObject);
            pDC->BitBlt(0, 0, m_rcBitmap.Width(), m_rcBitmap.Height(), &memDC, 0, 0, SRCCOPY);
            memDC.SelectObject(old);
        }
    }
    HGDIOBJ oldFont = pDC->SelectObject(m_font.m_hObject);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldColor = pDC->SetTextColor(m_crText);
    CRect text = m_rcText;
    pDC->DrawText(m_strText, &text, DT_LEFT | DT_TOP);
    pDC->SetTextColor(oldColor);
    pDC->SetBkMode(oldMode);
    pDC->SelectObject(oldFont);
}
