#include "ui/CTransparentStatic.h"
#include "ui/TransparentText.h"
#include "ui/LogFont.h"

IMPLEMENT_DYNAMIC(CTransparentStatic, CStatic)

namespace {
constexpr char kEllipsis[] = "...";
constexpr char kFontFace[] = "Arial";
constexpr int kInitialFontHeight = 12;
constexpr int kDefaultFontHeight = 14;
constexpr int kFontWeight = 600;

LOGFONTA ArialFont(int height)
{
    return MakeLogFont(kFontFace, height, kFontWeight);
}
}  // namespace

CTransparentStatic::CTransparentStatic() = default;

CTransparentStatic::~CTransparentStatic()
{
    if (m_toolTip.m_hWnd) m_toolTip.DestroyWindow();
}

BEGIN_MESSAGE_MAP(CTransparentStatic, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
    ON_NOTIFY_EX(TTN_NEEDTEXTA, 0, OnToolTipText)
    ON_NOTIFY_EX(TTN_NEEDTEXTW, 0, OnToolTipText)
END_MESSAGE_MAP()

void CTransparentStatic::EnableToolTip(int maxLength)
{
    m_bToolTipEnabled = TRUE;
    m_nMaxShownLength = maxLength;
}

void CTransparentStatic::PreSubclassWindow()
{
    CStatic::PreSubclassWindow();
    if (m_bToolTipEnabled) {
        ModifyStyle(0, SS_NOTIFY);  // so that the static receives mouse messages
        EnableToolTips(TRUE);
        if (m_toolTip.Create(this, kToolTipStyle)) {
            m_toolTip.Activate(TRUE);
            m_toolTip.AddTool(this, LPSTR_TEXTCALLBACKA);
            m_toolTip.SetDelayTime(TTDT_AUTOMATIC, kToolTipDelayMs);
        }
    }
    SetOwnFont(ArialFont(kInitialFontHeight), TRUE);
}

BOOL CTransparentStatic::PreTranslateMessage(MSG* pMsg)
{
    if (m_bToolTipEnabled && m_toolTip.m_hWnd && pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST)
        m_toolTip.RelayEvent(pMsg);
    return CStatic::PreTranslateMessage(pMsg);
}

int CTransparentStatic::CutLength(LPCSTR text, int maxLength, UINT codePage)
{
    const int length = lstrlenA(text);
    int pos = 0;
    while (pos < maxLength && pos < length)
        pos += (::IsDBCSLeadByteEx(codePage, static_cast<BYTE>(text[pos])) && pos + 1 < length) ? 2 : 1;
    return pos;
}

void CTransparentStatic::SetSkinText(LPCSTR text)
{
    const CString whole(text);
    m_strShownText = whole;
    if (m_bToolTipEnabled && m_toolTip.m_hWnd) {
        if (whole.GetLength() < m_nMaxShownLength) {
            m_strToolTipText.Empty();
        } else {
            m_strShownText = whole.Left(CutLength(whole, m_nMaxShownLength)) + kEllipsis;
            m_strToolTipText = whole;
        }
        m_toolTip.UpdateTipText(m_strToolTipText, this);
    }
    SetWindowText(m_strShownText);
    if (whole != m_strLastText) {
        m_strLastText = whole;
        // A control not on screen has nothing to wipe: showing it paints the skin and text afresh.
        if (!m_bHasBackground && IsWindowVisible()) InvalidateAncestors();
    }
}

void CTransparentStatic::InvalidateAncestors()
{
    CRect rc;
    GetWindowRect(&rc);
    // Every ancestor repaints the skin behind the transparent text.
    for (HWND ancestor = ::GetParent(m_hWnd); ancestor; ancestor = ::GetParent(ancestor)) {
        CRect inAncestor = rc;
        ::ScreenToClient(ancestor, reinterpret_cast<POINT*>(&inAncestor.left));
        ::ScreenToClient(ancestor, reinterpret_cast<POINT*>(&inAncestor.right));
        ::InvalidateRect(ancestor, &inAncestor, TRUE);
        if (!(::GetWindowLongPtrA(ancestor, GWL_STYLE) & WS_CHILD)) break;
    }
}

void CTransparentStatic::SetTextFont(COLORREF color, const LOGFONTA* lf)
{
    m_crText = color;
    SetOwnFont(lf ? *lf : ArialFont(kDefaultFontHeight), TRUE);
}

void CTransparentStatic::SetOwnFont(const LOGFONTA& lf, BOOL bRedraw)
{
    // Shared: a page's labels come in a few fonts, and creating one per label is what made
    // a page slow to create.
    if (HFONT font = SharedFont(lf))
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), bRedraw && IsWindowVisible());
}

void CTransparentStatic::SetBackColor(COLORREF color)
{
    m_brBackground.CreateSolidBrush(color);
    m_bHasBackground = TRUE;
}

HBRUSH CTransparentStatic::CtlColor(CDC* pDC, UINT)
{
    return AnswerTransparentColor(pDC, m_crText, m_bHasBackground ? &m_brBackground : nullptr);
}

BOOL CTransparentStatic::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    if (!m_toolTip.m_hWnd || pNMHDR->hwndFrom != m_toolTip.m_hWnd) return FALSE;
    if (pNMHDR->code == TTN_NEEDTEXTA) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
        info->lpszText = const_cast<LPSTR>(m_strToolTipText.GetString());
    } else {
        auto* info = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
        ::MultiByteToWideChar(CP_ACP, 0, m_strToolTipText, -1, info->szText, ARRAYSIZE(info->szText));
        info->szText[ARRAYSIZE(info->szText) - 1] = L'\0';
        info->lpszText = info->szText;
    }
    *pResult = 0;
    return TRUE;
}
