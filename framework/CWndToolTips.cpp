// The tooltip machinery of CWnd: one tooltip window per thread shows the tool that the
// hit-test of a window with tooltips enabled answers for the mouse position.
#include "framework/CWnd.h"

#ifndef WM_MOUSEHWHEEL
#define WM_MOUSEHWHEEL 0x020E  // the horizontal wheel of Vista on; XP's headers do not name it
#endif

namespace {
struct ThreadToolTip {
    HWND hTip = nullptr;
    bool hasTool = false;
    HWND hToolWnd = nullptr;  // the TOOLINFO hwnd of the tool shown
    UINT_PTR toolId = 0;
};
thread_local ThreadToolTip t_tip;

bool IsClientMouseMessage(UINT message)
{
    return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST;
}

bool IsNonClientMouseMessage(UINT message)
{
    return message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK;
}

void RemoveTool()
{
    if (t_tip.hasTool && t_tip.hTip && ::IsWindow(t_tip.hTip)) {
        TOOLINFOA ti{};
        ti.cbSize = TTTOOLINFOA_V2_SIZE;  // what XP's common controls 5.8 accept
        ti.hwnd = t_tip.hToolWnd;
        ti.uId = t_tip.toolId;
        ::SendMessageA(t_tip.hTip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
    }
    t_tip.hasTool = false;
    t_tip.hToolWnd = nullptr;
    t_tip.toolId = 0;
}

HWND EnsureToolTip(HWND hOwner)
{
    if (t_tip.hTip && ::IsWindow(t_tip.hTip)) return t_tip.hTip;
    // The old window went with its owner, and its tools with it.
    t_tip = ThreadToolTip{};
    t_tip.hTip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hOwner, nullptr,
                                   ::GetModuleHandleA(nullptr), nullptr);
    return t_tip.hTip;
}
}  // namespace

BOOL CWnd::EnableToolTips(BOOL bEnable)
{
    m_bEnableToolTips = bEnable != FALSE;
    if (!m_bEnableToolTips && t_tip.hasTool && t_tip.hToolWnd == m_hWnd) RemoveTool();
    return TRUE;
}

HWND CWnd::GetThreadToolTip()
{
    return (t_tip.hTip && ::IsWindow(t_tip.hTip)) ? t_tip.hTip : nullptr;
}

INT_PTR CWnd::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    HWND child = ::ChildWindowFromPointEx(m_hWnd, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (!child || child == m_hWnd) return -1;
    int id = ::GetDlgCtrlID(child);
    if (id == 0 || id == -1) return -1;
    if (pTI) {
        pTI->hwnd = m_hWnd;
        pTI->uId = reinterpret_cast<UINT_PTR>(child);
        pTI->uFlags |= TTF_IDISHWND;
        pTI->lpszText = LPSTR_TEXTCALLBACKA;
    }
    return id;
}

void CWnd::FilterToolTipMessage(MSG* pMsg)
{
    if (!m_hWnd || !pMsg->hwnd) return;
    POINT pt{static_cast<short>(LOWORD(pMsg->lParam)), static_cast<short>(HIWORD(pMsg->lParam))};
    if (IsClientMouseMessage(pMsg->message) && pMsg->message != WM_MOUSEWHEEL && pMsg->message != WM_MOUSEHWHEEL) {
        ::MapWindowPoints(pMsg->hwnd, m_hWnd, &pt, 1);
    } else if (IsNonClientMouseMessage(pMsg->message)) {
        ::ScreenToClient(m_hWnd, &pt);
    } else {
        return;
    }

    TOOLINFOA ti{};
    ti.cbSize = TTTOOLINFOA_V2_SIZE;  // what XP's common controls 5.8 accept
    if (OnToolHitTest(CPoint(pt), &ti) == -1) {
        RemoveTool();
        return;
    }
    HWND top = m_hWnd;
    while (::GetWindowLongPtrA(top, GWL_STYLE) & WS_CHILD) {
        HWND parent = ::GetParent(top);
        if (!parent) break;
        top = parent;
    }
    HWND hTip = EnsureToolTip(top);
    if (!hTip) return;
    if (!t_tip.hasTool || t_tip.hToolWnd != ti.hwnd || t_tip.toolId != ti.uId) {
        RemoveTool();
        if (!ti.lpszText) ti.lpszText = LPSTR_TEXTCALLBACKA;
        if (::SendMessageA(hTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti))) {
            t_tip.hasTool = true;
            t_tip.hToolWnd = ti.hwnd;
            t_tip.toolId = ti.uId;
        }
        ::SendMessageA(hTip, TTM_ACTIVATE, TRUE, 0);
    }
    ::SendMessageA(hTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(pMsg));
}
