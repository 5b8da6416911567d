#include "ui/CInfoWnd.h"
#include "base/DebugLog.h"

namespace {
constexpr int kTextMargin = 2;
constexpr int kFrameLeft = 3;  // the window starts this far left of the shown rectangle
constexpr int kFrameTop = 1;   // and this far above it
HBRUSH g_hbrInfo = nullptr;    // one brush for every tip window

bool RegisterInfoClass(COLORREF background)
{
    WNDCLASSA wc{};
    if (::GetClassInfoA(AfxGetInstanceHandle(), CInfoWnd::kClassName, &wc)) return true;
    if (!g_hbrInfo) g_hbrInfo = ::CreateSolidBrush(background);
    wc.style = CS_SAVEBITS;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = g_hbrInfo;
    wc.lpszClassName = CInfoWnd::kClassName;
    if (::RegisterClassA(&wc)) return true;
    DebugLog(1, "[QxUI] RegisterClassA(\"%s\") failed, GetLastError() = %lu, in CInfoWnd::CInfoWnd\n",
             CInfoWnd::kClassName, ::GetLastError());
    return false;
}
}  // namespace

CInfoWnd::CInfoWnd(COLORREF background)
{
    RegisterInfoClass(background);
}

CInfoWnd::~CInfoWnd()
{
    if (m_hWnd) DestroyWindow();
}

BEGIN_MESSAGE_MAP(CInfoWnd, CWnd)
    ON_WM_PAINT()
    ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
    ON_WM_TIMER()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

BOOL CInfoWnd::Create(CWnd* pOwner)
{
    m_pOwner = pOwner;
    return CreateEx(WS_EX_TOOLWINDOW, kClassName, "", WS_POPUP | WS_BORDER, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, pOwner ? pOwner->m_hWnd : nullptr, nullptr);
}

CSize CInfoWnd::GetTextSize(CDC* pDC, const CString& text)
{
    return pDC->GetTextExtent(text, text.GetLength());
}

HFONT CInfoWnd::OwnerFont() const
{
    HFONT font = m_pOwner && m_pOwner->m_hWnd ? reinterpret_cast<HFONT>(m_pOwner->SendMessage(WM_GETFONT)) : nullptr;
    return font ? font : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

void CInfoWnd::ShowInfo(CWnd* pAnchor, const CString& text)
{
    if (!m_hWnd || !pAnchor || IsWindowVisible() || !::GetFocus()) return;
    m_strText = " " + text + " ";

    CSize size;
    TEXTMETRICA tm{};
    {
        CClientDC dc(this);
        HGDIOBJ old = dc.SelectObject(OwnerFont());
        size = GetTextSize(&dc, m_strText);
        dc.GetTextMetrics(&tm);
        dc.SelectObject(old);
    }
    const int width = size.cx + tm.tmOverhang + kTextMargin;
    const int height = size.cy + tm.tmDescent + kTextMargin;

    CRect anchor;
    pAnchor->GetWindowRect(&anchor);
    CPoint at(anchor.left, anchor.top - m_nGapY - height);
    if (m_dwPlacement & kBelow) at = CPoint(anchor.left, anchor.bottom + m_nGapY);
    else if (m_dwPlacement & kRight) at = CPoint(anchor.right + m_nGapX, anchor.top);
    else if (m_dwPlacement & kLeft) at = CPoint(anchor.left - m_nGapX - width, anchor.top);

    m_rcShown = CRect(at.x, at.y, at.x + width + kExtraWidth, at.y + height);
    SetWindowPos(HWND_TOPMOST, at.x - kFrameLeft, at.y - kFrameTop, m_rcShown.Width() + kFrameLeft, m_rcShown.Height(),
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
    m_nTimer = SetTimer(kHideTimerId, kShowMs);
}

void CInfoWnd::DrawInfo(CDC* pDC)
{
    CRect rc = m_rcShown;
    ScreenToClient(&rc);
    HGDIOBJ old = pDC->SelectObject(OwnerFont());
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(m_strText, &rc, DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
    pDC->SetBkMode(oldMode);
    pDC->SelectObject(old);
}

void CInfoWnd::OnPaint()
{
    CPaintDC dc(this);
    DrawInfo(&dc);
}

LRESULT CInfoWnd::OnPrintClient(WPARAM wParam, LPARAM)
{
    DrawInfo(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
    return 0;
}

void CInfoWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kHideTimerId) {
        Default();
        return;
    }
    KillTimer(kHideTimerId);
    m_nTimer = 0;
    ShowWindow(SW_HIDE);
}

void CInfoWnd::OnLButtonUp(UINT, CPoint)
{
    ShowWindow(SW_HIDE);
}
