// Message maps that read like MFC's and expand into plain, compiler-checked code.
//
// DECLARE_MESSAGE_MAP declares OnMessageMap; BEGIN_MESSAGE_MAP(Class, Base) defines it as a
// chain of tests, one per entry, and END_MESSAGE_MAP hands what is left to Base's map. A
// handler that wants the default processing calls Default().
#pragma once
#include <windows.h>

#define DECLARE_MESSAGE_MAP() \
protected: \
    BOOL OnMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass) \
    BOOL theClass::OnMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) \
    { \
        typedef baseClass TheBaseClass; \
        (void)wParam; (void)lParam; (void)pResult;

#define END_MESSAGE_MAP() \
        return TheBaseClass::OnMessageMap(message, wParam, lParam, pResult); \
    }

#define FW_HANDLED(expr) { expr; return TRUE; }

// Generic entries.
#define ON_MESSAGE(msg, fn) \
    if (message == (UINT)(msg)) FW_HANDLED(*pResult = this->fn(wParam, lParam))
#define ON_REGISTERED_MESSAGE(msgVar, fn) ON_MESSAGE(msgVar, fn)
#define ON_COMMAND(id, fn) \
    if (message == WM_COMMAND && LOWORD(wParam) == (WORD)(id) && (HIWORD(wParam) == 0 || lParam == 0)) FW_HANDLED(this->fn(); *pResult = 0)
#define ON_COMMAND_RANGE(idFirst, idLast, fn) \
    if (message == WM_COMMAND && (HIWORD(wParam) == 0 || lParam == 0) && LOWORD(wParam) >= (idFirst) && LOWORD(wParam) <= (idLast)) \
        FW_HANDLED(this->fn(LOWORD(wParam)); *pResult = 0)
#define ON_CONTROL(code, id, fn) \
    if (message == WM_COMMAND && lParam != 0 && LOWORD(wParam) == (WORD)(id) && HIWORD(wParam) == (WORD)(code)) FW_HANDLED(this->fn(); *pResult = 0)
#define ON_CONTROL_RANGE(code, idFirst, idLast, fn) \
    if (message == WM_COMMAND && lParam != 0 && HIWORD(wParam) == (WORD)(code) && LOWORD(wParam) >= (idFirst) && LOWORD(wParam) <= (idLast)) \
        FW_HANDLED(this->fn(LOWORD(wParam)); *pResult = 0)
#define ON_BN_CLICKED(id, fn) \
    if (message == WM_COMMAND && LOWORD(wParam) == (WORD)(id) && (HIWORD(wParam) == BN_CLICKED)) FW_HANDLED(this->fn(); *pResult = 0)
#define ON_BN_DOUBLECLICKED(id, fn) ON_CONTROL(BN_DOUBLECLICKED, id, fn)
#define ON_EN_CHANGE(id, fn) ON_CONTROL(EN_CHANGE, id, fn)
#define ON_EN_KILLFOCUS(id, fn) ON_CONTROL(EN_KILLFOCUS, id, fn)
#define ON_EN_SETFOCUS(id, fn) ON_CONTROL(EN_SETFOCUS, id, fn)
#define ON_CBN_SELCHANGE(id, fn) ON_CONTROL(CBN_SELCHANGE, id, fn)
#define ON_CBN_DROPDOWN(id, fn) ON_CONTROL(CBN_DROPDOWN, id, fn)
#define ON_CBN_EDITCHANGE(id, fn) ON_CONTROL(CBN_EDITCHANGE, id, fn)
#define ON_CBN_CLOSEUP(id, fn) ON_CONTROL(CBN_CLOSEUP, id, fn)
#define ON_LBN_SELCHANGE(id, fn) ON_CONTROL(LBN_SELCHANGE, id, fn)
#define ON_LBN_DBLCLK(id, fn) ON_CONTROL(LBN_DBLCLK, id, fn)
#define ON_STN_CLICKED(id, fn) ON_CONTROL(STN_CLICKED, id, fn)
#define ON_NOTIFY(nmCode, id, fn) \
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == (UINT)(nmCode) && reinterpret_cast<NMHDR*>(lParam)->idFrom == (UINT_PTR)(id)) \
        FW_HANDLED(*pResult = 0; this->fn(reinterpret_cast<NMHDR*>(lParam), pResult))
#define ON_NOTIFY_RANGE(nmCode, idFirst, idLast, fn) \
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == (UINT)(nmCode) && reinterpret_cast<NMHDR*>(lParam)->idFrom >= (UINT_PTR)(idFirst) && reinterpret_cast<NMHDR*>(lParam)->idFrom <= (UINT_PTR)(idLast)) \
        FW_HANDLED(*pResult = 0; this->fn((UINT)reinterpret_cast<NMHDR*>(lParam)->idFrom, reinterpret_cast<NMHDR*>(lParam), pResult))
// The handler answers TRUE when it took the notification; otherwise the map goes on.
#define ON_NOTIFY_EX(nmCode, id, fn) \
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == (UINT)(nmCode) && (((UINT)(id)) == 0 || reinterpret_cast<NMHDR*>(lParam)->idFrom == (UINT_PTR)(id))) \
        { *pResult = 0; if (this->fn((UINT)reinterpret_cast<NMHDR*>(lParam)->idFrom, reinterpret_cast<NMHDR*>(lParam), pResult)) return TRUE; }
#define ON_NOTIFY_EX_RANGE(nmCode, idFirst, idLast, fn) \
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == (UINT)(nmCode) && reinterpret_cast<NMHDR*>(lParam)->idFrom >= (UINT_PTR)(idFirst) && reinterpret_cast<NMHDR*>(lParam)->idFrom <= (UINT_PTR)(idLast)) \
        { *pResult = 0; if (this->fn((UINT)reinterpret_cast<NMHDR*>(lParam)->idFrom, reinterpret_cast<NMHDR*>(lParam), pResult)) return TRUE; }

// Reflected notifications, handled by the control itself.
#define ON_CONTROL_REFLECT(code, fn) \
    if (message == WM_REFLECT_BASE + WM_COMMAND && HIWORD(wParam) == (WORD)(code)) FW_HANDLED(this->fn(); *pResult = 0)
// The handler answers TRUE when it took the notification; otherwise the parent sees it too.
#define ON_CONTROL_REFLECT_EX(code, fn) \
    if (message == WM_REFLECT_BASE + WM_COMMAND && HIWORD(wParam) == (WORD)(code)) { if (this->fn()) { *pResult = 0; return TRUE; } }
#define ON_NOTIFY_REFLECT(nmCode, fn) \
    if (message == WM_REFLECT_BASE + WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == (UINT)(nmCode)) \
        FW_HANDLED(*pResult = 0; this->fn(reinterpret_cast<NMHDR*>(lParam), pResult))
#define ON_NOTIFY_REFLECT_EX(nmCode, fn) \
    if (message == WM_REFLECT_BASE + WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == (UINT)(nmCode)) \
        { *pResult = 0; if (this->fn(reinterpret_cast<NMHDR*>(lParam), pResult)) return TRUE; }
// A null brush means "not handled": the parent's answer stands.
#define ON_WM_CTLCOLOR_REFLECT() \
    if (message >= WM_REFLECT_BASE + WM_CTLCOLORMSGBOX && message <= WM_REFLECT_BASE + WM_CTLCOLORSTATIC) \
        { HBRUSH hbr = this->CtlColor(CDC::FromHandle(reinterpret_cast<HDC>(wParam)), message - WM_REFLECT_BASE - WM_CTLCOLORMSGBOX); \
          if (hbr) { *pResult = reinterpret_cast<LRESULT>(hbr); return TRUE; } }
#define ON_WM_HSCROLL_REFLECT() \
    if (message == WM_REFLECT_BASE + WM_HSCROLL) FW_HANDLED(this->HScroll(LOWORD(wParam), (short)HIWORD(wParam)); *pResult = 0)
#define ON_WM_VSCROLL_REFLECT() \
    if (message == WM_REFLECT_BASE + WM_VSCROLL) FW_HANDLED(this->VScroll(LOWORD(wParam), (short)HIWORD(wParam)); *pResult = 0)
#define ON_WM_DRAWITEM_REFLECT() \
    if (message == WM_REFLECT_BASE + WM_DRAWITEM) FW_HANDLED(this->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); *pResult = TRUE)
#define ON_WM_MEASUREITEM_REFLECT() \
    if (message == WM_REFLECT_BASE + WM_MEASUREITEM) FW_HANDLED(this->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)); *pResult = TRUE)

// Window messages with typed handlers.
#define FW_ON_VOID(msg, call) if (message == (msg)) FW_HANDLED(call; *pResult = 0)
#define ON_WM_CREATE() if (message == WM_CREATE) FW_HANDLED(*pResult = this->OnCreate(reinterpret_cast<LPCREATESTRUCTA>(lParam)))
#define ON_WM_DESTROY() FW_ON_VOID(WM_DESTROY, this->OnDestroy())
#define ON_WM_NCDESTROY() FW_ON_VOID(WM_NCDESTROY, this->OnNcDestroy())
#define ON_WM_CLOSE() FW_ON_VOID(WM_CLOSE, this->OnClose())
#define ON_WM_PAINT() FW_ON_VOID(WM_PAINT, this->OnPaint())
#define ON_WM_NCPAINT() FW_ON_VOID(WM_NCPAINT, this->OnNcPaint())
#define ON_WM_ERASEBKGND() if (message == WM_ERASEBKGND) FW_HANDLED(*pResult = this->OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(wParam))))
#define ON_WM_TIMER() FW_ON_VOID(WM_TIMER, this->OnTimer(static_cast<UINT_PTR>(wParam)))
#define ON_WM_SIZE() FW_ON_VOID(WM_SIZE, this->OnSize(static_cast<UINT>(wParam), (short)LOWORD(lParam), (short)HIWORD(lParam)))
#define ON_WM_MOVE() FW_ON_VOID(WM_MOVE, this->OnMove((short)LOWORD(lParam), (short)HIWORD(lParam)))
#define ON_WM_SHOWWINDOW() FW_ON_VOID(WM_SHOWWINDOW, this->OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam)))
#define ON_WM_ACTIVATE() FW_ON_VOID(WM_ACTIVATE, this->OnActivate(LOWORD(wParam), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), HIWORD(wParam)))
#define ON_WM_ENABLE() FW_ON_VOID(WM_ENABLE, this->OnEnable(static_cast<BOOL>(wParam)))
#define ON_WM_SETFOCUS() FW_ON_VOID(WM_SETFOCUS, this->OnSetFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam))))
#define ON_WM_KILLFOCUS() FW_ON_VOID(WM_KILLFOCUS, this->OnKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam))))
#define ON_WM_MOUSEMOVE() FW_ON_VOID(WM_MOUSEMOVE, this->OnMouseMove(static_cast<UINT>(wParam), CPoint(lParam)))
#define ON_WM_MOUSELEAVE() FW_ON_VOID(WM_MOUSELEAVE, this->OnMouseLeave())
#define ON_WM_LBUTTONDOWN() FW_ON_VOID(WM_LBUTTONDOWN, this->OnLButtonDown(static_cast<UINT>(wParam), CPoint(lParam)))
#define ON_WM_LBUTTONUP() FW_ON_VOID(WM_LBUTTONUP, this->OnLButtonUp(static_cast<UINT>(wParam), CPoint(lParam)))
#define ON_WM_LBUTTONDBLCLK() FW_ON_VOID(WM_LBUTTONDBLCLK, this->OnLButtonDblClk(static_cast<UINT>(wParam), CPoint(lParam)))
#define ON_WM_RBUTTONDOWN() FW_ON_VOID(WM_RBUTTONDOWN, this->OnRButtonDown(static_cast<UINT>(wParam), CPoint(lParam)))
#define ON_WM_RBUTTONUP() FW_ON_VOID(WM_RBUTTONUP, this->OnRButtonUp(static_cast<UINT>(wParam), CPoint(lParam)))
#define ON_WM_MOUSEWHEEL() if (message == WM_MOUSEWHEEL) FW_HANDLED(*pResult = this->OnMouseWheel(LOWORD(wParam), (short)HIWORD(wParam), CPoint(lParam)))
#define ON_WM_KEYDOWN() FW_ON_VOID(WM_KEYDOWN, this->OnKeyDown(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)))
#define ON_WM_KEYUP() FW_ON_VOID(WM_KEYUP, this->OnKeyUp(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)))
#define ON_WM_CHAR() FW_ON_VOID(WM_CHAR, this->OnChar(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)))
#define ON_WM_SYSCOMMAND() FW_ON_VOID(WM_SYSCOMMAND, this->OnSysCommand(static_cast<UINT>(wParam), lParam))
#define ON_WM_GETDLGCODE() if (message == WM_GETDLGCODE) FW_HANDLED(*pResult = this->OnGetDlgCode())
#define ON_WM_NCHITTEST() if (message == WM_NCHITTEST) FW_HANDLED(*pResult = this->OnNcHitTest(CPoint(lParam)))
#define ON_WM_SETCURSOR() if (message == WM_SETCURSOR) FW_HANDLED(*pResult = this->OnSetCursor(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam), HIWORD(lParam)))
#define ON_WM_CANCELMODE() FW_ON_VOID(WM_CANCELMODE, this->OnCancelMode())
#define ON_WM_CAPTURECHANGED() FW_ON_VOID(WM_CAPTURECHANGED, this->OnCaptureChanged(CWnd::FromHandle(reinterpret_cast<HWND>(lParam))))
#define ON_WM_SYSCOLORCHANGE() FW_ON_VOID(WM_SYSCOLORCHANGE, this->OnSysColorChange())
#define ON_WM_HSCROLL() FW_ON_VOID(WM_HSCROLL, this->OnHScroll(LOWORD(wParam), (short)HIWORD(wParam), reinterpret_cast<CScrollBar*>(CWnd::FromHandle(reinterpret_cast<HWND>(lParam)))))
#define ON_WM_VSCROLL() FW_ON_VOID(WM_VSCROLL, this->OnVScroll(LOWORD(wParam), (short)HIWORD(wParam), reinterpret_cast<CScrollBar*>(CWnd::FromHandle(reinterpret_cast<HWND>(lParam)))))
#define ON_WM_CTLCOLOR() \
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) \
        FW_HANDLED(*pResult = reinterpret_cast<LRESULT>(this->OnCtlColor(CDC::FromHandle(reinterpret_cast<HDC>(wParam)), CWnd::FromHandle(reinterpret_cast<HWND>(lParam)), message - WM_CTLCOLORMSGBOX)))
#define ON_WM_DRAWITEM() FW_ON_VOID(WM_DRAWITEM, this->OnDrawItem(static_cast<int>(wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); *pResult = TRUE)
#define ON_WM_MEASUREITEM() FW_ON_VOID(WM_MEASUREITEM, this->OnMeasureItem(static_cast<int>(wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)); *pResult = TRUE)
#define ON_WM_MENUCHAR() if (message == WM_MENUCHAR) FW_HANDLED(*pResult = this->OnMenuChar(LOWORD(wParam), HIWORD(wParam), CMenu::FromHandle(reinterpret_cast<HMENU>(lParam))))
#define ON_WM_INITMENUPOPUP() FW_ON_VOID(WM_INITMENUPOPUP, this->OnInitMenuPopup(CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)), LOWORD(lParam), HIWORD(lParam)))
#define ON_WM_CONTEXTMENU() FW_ON_VOID(WM_CONTEXTMENU, this->OnContextMenu(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), CPoint(lParam)))
#define ON_WM_WINDOWPOSCHANGED() FW_ON_VOID(WM_WINDOWPOSCHANGED, this->OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(lParam)))
#define ON_WM_WINDOWPOSCHANGING() FW_ON_VOID(WM_WINDOWPOSCHANGING, this->OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam)))
#define ON_WM_GETMINMAXINFO() FW_ON_VOID(WM_GETMINMAXINFO, this->OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam)))
#define ON_WM_POWERBROADCAST() if (message == WM_POWERBROADCAST) FW_HANDLED(*pResult = this->OnPowerBroadcast(static_cast<UINT>(wParam), lParam))
#define ON_WM_DEVICECHANGE() if (message == WM_DEVICECHANGE) FW_HANDLED(*pResult = this->OnDeviceChange(static_cast<UINT>(wParam), static_cast<DWORD_PTR>(lParam)))
#define ON_WM_QUERYENDSESSION() if (message == WM_QUERYENDSESSION) FW_HANDLED(*pResult = this->OnQueryEndSession())
#define ON_WM_ENDSESSION() FW_ON_VOID(WM_ENDSESSION, this->OnEndSession(static_cast<BOOL>(wParam)))
#define ON_WM_COPYDATA() if (message == WM_COPYDATA) FW_HANDLED(*pResult = this->OnCopyData(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)), reinterpret_cast<COPYDATASTRUCT*>(lParam)))
