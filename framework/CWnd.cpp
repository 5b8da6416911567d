#include "framework/CWnd.h"
#include "framework/CDataExchange.h"
#include "framework/CMenu.h"
#include "framework/CModalLoopRegistry.h"
#include "framework/MessageBox.h"
#include "framework/CWinApp.h"

#include <exception>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <tuple>
#include <unordered_map>

IMPLEMENT_DYNAMIC(CWnd, CObject)

namespace {
const char kSuperProp[] = "FwWindowSuper";

// The object bound to each window. Looked up for every message a window of the framework
// receives: a window property would be a trip to the window server each time.
class BoundWindows {
public:
    CWnd* Find(HWND hWnd)
    {
        std::lock_guard<std::mutex> guard(m_lock);
        auto it = m_objects.find(hWnd);
        return it == m_objects.end() ? nullptr : it->second;
    }
    void Bind(HWND hWnd, CWnd* pWnd)
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_objects[hWnd] = pWnd;
    }
    // Forgets the binding only when it is that object's.
    void Unbind(HWND hWnd, const CWnd* pWnd)
    {
        std::lock_guard<std::mutex> guard(m_lock);
        auto it = m_objects.find(hWnd);
        if (it != m_objects.end() && it->second == pWnd) m_objects.erase(it);
    }

private:
    std::mutex m_lock;
    std::unordered_map<HWND, CWnd*> m_objects;
};

BoundWindows& Bound()
{
    // Never destroyed: objects of static storage may still unbind while the program ends.
    static BoundWindows* windows = new BoundWindows;
    return *windows;
}

OwnerDrawMenuHooks g_menuHooks;

thread_local CWnd* t_pWndInit = nullptr;
thread_local HHOOK t_hCbtHook = nullptr;
// The message being handled on this thread, for Default() and reflection (as MFC's last sent message).
thread_local MSG t_currentMsg{};

// Temporary wrappers for windows that no object owns, per thread as in MFC.
struct TemporaryWnd : CWnd {
    ~TemporaryWnd() override { m_hWnd = nullptr; }
};
thread_local std::map<HWND, std::unique_ptr<TemporaryWnd>> t_temporaryWnds;

void ReportException(const char* what)
{
    char line[300];
    wsprintfA(line, "[QxUI] window procedure stopped an exception: %.200s\n", what);
    ::OutputDebugStringA(line);
}

HWND ReflectionTarget(HWND hWndParent, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY:
        return reinterpret_cast<NMHDR*>(lParam)->hwndFrom;
    case WM_DRAWITEM: {
        auto* dis = reinterpret_cast<LPDRAWITEMSTRUCT>(lParam);
        return dis->CtlType == ODT_MENU ? nullptr : dis->hwndItem;
    }
    case WM_MEASUREITEM: {
        auto* mis = reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam);
        return mis->CtlType == ODT_MENU ? nullptr : ::GetDlgItem(hWndParent, mis->CtlID);
    }
    case WM_DELETEITEM:
        return reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)->hwndItem;
    case WM_COMPAREITEM:
        return reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam)->hwndItem;
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<HWND>(lParam);
    default:
        return nullptr;
    }
}
}  // namespace

void AfxSetOwnerDrawMenuHooks(const OwnerDrawMenuHooks& hooks)
{
    g_menuHooks = hooks;
}

LRESULT CALLBACK FwWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!pWnd) {
        auto super = reinterpret_cast<WNDPROC>(::GetPropA(hWnd, kSuperProp));
        return super ? ::CallWindowProcA(super, hWnd, message, wParam, lParam) : ::DefWindowProcA(hWnd, message, wParam, lParam);
    }
    CModalLoopRegistry::OnWindowMessage(hWnd, message, wParam, lParam);
    MSG saved = t_currentMsg;
    t_currentMsg = MSG{hWnd, message, wParam, lParam, 0, {0, 0}};
    LRESULT result = 0;
    try {
        result = pWnd->WindowProc(message, wParam, lParam);
    } catch (const std::exception& e) {
        ReportException(e.what());
    } catch (...) {
        ReportException("unknown");
    }
    t_currentMsg = saved;
    if (message == WM_NCDESTROY)
        pWnd->FinishNcDestroy();
    return result;
}

LRESULT CALLBACK FwCbtHook(int code, WPARAM wParam, LPARAM lParam);

namespace {
// The hook is wanted only until the window it waits for is bound: left in place, it would run
// (with its trips to the window server) for every control of a dialog's template as well.
void InstallCreationHook()
{
    if (!t_hCbtHook) t_hCbtHook = ::SetWindowsHookExA(WH_CBT, FwCbtHook, nullptr, ::GetCurrentThreadId());
}

void RemoveCreationHook()
{
    if (!t_hCbtHook) return;
    ::UnhookWindowsHookEx(t_hCbtHook);
    t_hCbtHook = nullptr;
}
}  // namespace

LRESULT CALLBACK FwCbtHook(int code, WPARAM wParam, LPARAM lParam)
{
    const LRESULT next = ::CallNextHookEx(t_hCbtHook, code, wParam, lParam);
    if (code == HCBT_CREATEWND && t_pWndInit) {
        CWnd* pWnd = t_pWndInit;
        t_pWndInit = nullptr;
        RemoveCreationHook();
        pWnd->BindAndSubclass(reinterpret_cast<HWND>(wParam));
        pWnd->PreSubclassWindow();
    }
    return next;
}

CWndCreationScope::CWndCreationScope(CWnd* pWnd) : m_pPrevious(t_pWndInit)
{
    t_pWndInit = pWnd;
    InstallCreationHook();
}

CWndCreationScope::~CWndCreationScope()
{
    // An outer creation whose window is not made yet still waits for the hook.
    t_pWndInit = m_pPrevious;
    if (t_pWndInit) InstallCreationHook();
    else RemoveCreationHook();
}

CWnd::~CWnd()
{
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this) {
        // A window merely attached gets no WM_NCDESTROY through us: forget it here.
        const HWND h = m_hWnd;
        ::DestroyWindow(h);
        Bound().Unbind(h, this);
    }
    if (m_hModalWake) ::CloseHandle(m_hModalWake);
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    return hWnd ? Bound().Find(hWnd) : nullptr;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (!hWnd) return nullptr;
    if (CWnd* p = FromHandlePermanent(hWnd)) return p;
    auto& slot = t_temporaryWnds[hWnd];
    if (!slot) {
        if (t_temporaryWnds.size() > 512) {
            for (auto it = t_temporaryWnds.begin(); it != t_temporaryWnds.end();)
                it = (it->first != hWnd && !::IsWindow(it->first)) ? t_temporaryWnds.erase(it) : std::next(it);
        }
        slot = std::make_unique<TemporaryWnd>();
        slot->m_hWnd = hWnd;
    }
    return slot.get();
}

CWnd* CWnd::GetSafeOwner(CWnd* pParent, HWND* pWndTop)
{
    HWND hWnd = pParent ? pParent->m_hWnd : nullptr;
    if (!hWnd) {
        CWnd* pMain = AfxGetMainWnd();
        hWnd = pMain ? pMain->m_hWnd : nullptr;
    }
    if (hWnd) {
        HWND top = hWnd;
        while (::GetWindowLongPtrA(top, GWL_STYLE) & WS_CHILD) {
            HWND parent = ::GetParent(top);
            if (!parent) break;
            top = parent;
        }
        if (pWndTop) *pWndTop = top;
        hWnd = ::GetLastActivePopup(top);
    }
    return FromHandle(hWnd);
}

void CWnd::BindAndSubclass(HWND hWnd)
{
    m_hWnd = hWnd;
    Bound().Bind(hWnd, this);
    auto old = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FwWndProc)));
    if (old != FwWndProc) {
        m_pfnSuper = old;
        ::SetPropA(hWnd, kSuperProp, reinterpret_cast<HANDLE>(old));
    }
}

BOOL CWnd::Attach(HWND hWnd)
{
    if (!hWnd || m_hWnd) return FALSE;
    m_hWnd = hWnd;
    Bound().Bind(hWnd, this);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND h = m_hWnd;
    if (h) Bound().Unbind(h, this);
    m_hWnd = nullptr;
    return h;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!hWnd || m_hWnd || FromHandlePermanent(hWnd)) return FALSE;
    BindAndSubclass(hWnd);
    PreSubclassWindow();
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    return pParent && SubclassWindow(::GetDlgItem(pParent->m_hWnd, nID));
}

HWND CWnd::UnsubclassWindow()
{
    if (!m_hWnd) return nullptr;
    if (m_pfnSuper) {
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        ::RemovePropA(m_hWnd, kSuperProp);
        m_pfnSuper = nullptr;
    }
    return Detach();
}

void CWnd::FinishNcDestroy()
{
    if (m_hWnd) {
        if (m_pfnSuper && reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC)) == FwWndProc)
            ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        ::RemovePropA(m_hWnd, kSuperProp);
        Bound().Unbind(m_hWnd, this);
    }
    m_pfnSuper = nullptr;
    m_hWnd = nullptr;
    PostNcDestroy();  // may delete this
}

BOOL CWnd::Create(LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, void*)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, pParentWnd ? pParentWnd->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y, int cx,
                    int cy, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd) return FALSE;
    CREATESTRUCTA cs{};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName ? lpszClassName : AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW));
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x; cs.y = y; cs.cx = cx; cs.cy = cy;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) return FALSE;
    HWND hWnd;
    {
        CWndCreationScope scope(this);
        hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                 cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    }
    if (!hWnd) {
        m_hWnd = nullptr;
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd) return FALSE;
    HWND h = m_hWnd;
    if (FromHandlePermanent(h) != this) {
        m_hWnd = nullptr;
        return ::DestroyWindow(h);
    }
    return ::DestroyWindow(h);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam)) return FALSE;
        *pResult = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        if (!lParam) return FALSE;
        LRESULT result = 0;
        if (!OnNotify(wParam, lParam, &result)) return FALSE;
        *pResult = result;
        return TRUE;
    }
    return OnMessageMap(message, wParam, lParam, pResult);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper) return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    return DefWindowProc(t_currentMsg.message, t_currentMsg.wParam, t_currentMsg.lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CWnd::ReflectToChild(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    CWnd* pChild = FromHandlePermanent(hWndChild);
    if (!pChild || pChild == this) return FALSE;
    LRESULT result = 0;
    if (!pChild->OnChildNotify(message, wParam, lParam, &result)) return FALSE;
    if (pResult) *pResult = result;
    return TRUE;
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pChild = FromHandlePermanent(hWndChild);
    if (!pChild) return FALSE;
    const MSG m = t_currentMsg;
    LRESULT result = 0;
    if (!pChild->OnChildNotify(m.message, m.wParam, m.lParam, &result)) return FALSE;
    if (pResult) *pResult = result;
    return TRUE;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return OnMessageMap(WM_REFLECT_BASE + message, wParam, lParam, pResult);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (lParam && ReflectToChild(reinterpret_cast<HWND>(lParam), WM_COMMAND, wParam, lParam, nullptr))
        return TRUE;
    LRESULT result = 0;
    return OnMessageMap(WM_COMMAND, wParam, lParam, &result);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    if (hdr->hwndFrom && ReflectToChild(hdr->hwndFrom, WM_NOTIFY, wParam, lParam, pResult))
        return TRUE;
    return OnMessageMap(WM_NOTIFY, wParam, lParam, pResult);
}

// The root of every message map: owner-draw and colour messages are offered to the
// child control they concern before the default processing.
BOOL CWnd::OnMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        *pResult = reinterpret_cast<LRESULT>(OnCtlColor(CDC::FromHandle(reinterpret_cast<HDC>(wParam)),
                                                        FromHandle(reinterpret_cast<HWND>(lParam)),
                                                        message - WM_CTLCOLORMSGBOX));
        return TRUE;
    case WM_DRAWITEM:
        OnDrawItem(static_cast<int>(wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        *pResult = TRUE;
        return TRUE;
    case WM_MEASUREITEM:
        OnMeasureItem(static_cast<int>(wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        *pResult = TRUE;
        return TRUE;
    case WM_MENUCHAR:
        *pResult = OnMenuChar(LOWORD(wParam), HIWORD(wParam), CMenu::FromHandle(reinterpret_cast<HMENU>(lParam)));
        return TRUE;
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_HSCROLL:
    case WM_VSCROLL: {
        HWND child = ReflectionTarget(m_hWnd, message, wParam, lParam);
        return child && ReflectToChild(child, message, wParam, lParam, pResult);
    }
    default:
        return FALSE;
    }
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    LRESULT result = 0;
    if (pWnd && ReflectToChild(pWnd->m_hWnd, t_currentMsg.message, t_currentMsg.wParam, t_currentMsg.lParam, &result) && result)
        return reinterpret_cast<HBRUSH>(result);
    return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT dis)
{
    if (dis->CtlType == ODT_MENU) {
        if (g_menuHooks.DrawItem && g_menuHooks.DrawItem(dis)) return;
    } else if (ReflectToChild(dis->hwndItem, WM_DRAWITEM, t_currentMsg.wParam, reinterpret_cast<LPARAM>(dis), nullptr)) {
        return;
    }
    Default();
}

void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT mis)
{
    if (mis->CtlType == ODT_MENU) {
        if (g_menuHooks.MeasureItem && g_menuHooks.MeasureItem(mis)) return;
    } else if (ReflectToChild(::GetDlgItem(m_hWnd, mis->CtlID), WM_MEASUREITEM, t_currentMsg.wParam,
                              reinterpret_cast<LPARAM>(mis), nullptr)) {
        return;
    }
    Default();
}

LRESULT CWnd::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
{
    LRESULT result = 0;
    if (g_menuHooks.MenuChar && g_menuHooks.MenuChar(nChar, nFlags, pMenu ? pMenu->m_hMenu : nullptr, &result))
        return result;
    return Default();
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate, UINT nOnlyID)
{
    CDataExchange dx(this, bSaveAndValidate, nOnlyID);
    DoDataExchange(&dx);
    return !dx.m_bFail;
}

int CWnd::RunModalLoop(DWORD dwFlags)
{
    if (!m_hModalWake) m_hModalWake = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    bool showOnIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
    m_bContinueModal = true;
    while (ContinueModal()) {
        MSG msg;
        if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (showOnIdle && m_hWnd) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                showOnIdle = false;
                continue;
            }
            // The event ends a loop entered on a thread that receives no messages for the window.
            ::MsgWaitForMultipleObjects(1, &m_hModalWake, FALSE, INFINITE, QS_ALLINPUT);
            continue;
        }
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!AfxPreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    ::ResetEvent(m_hModalWake);
    return m_nModalResult;
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_bContinueModal) {
        m_bContinueModal = false;
        if (m_hModalWake) ::SetEvent(m_hModalWake);
        if (m_hWnd) ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
    }
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep)
{
    for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetNextWindow(child, GW_HWNDNEXT)) {
        ::SendMessageA(child, message, wParam, lParam);
        if (bDeep && ::GetTopWindow(child)) FromHandle(child)->SendMessageToDescendants(message, wParam, lParam, TRUE);
    }
}

void CWnd::GetWindowText(CString& text) const
{
    int n = ::GetWindowTextLengthA(m_hWnd);
    ::GetWindowTextA(m_hWnd, text.GetBufferSetLength(n + 1), n + 1);
    text.ReleaseBuffer();
}

int CWnd::GetDlgItemText(int nID, CString& text) const
{
    HWND h = ::GetDlgItem(m_hWnd, nID);
    text.Empty();
    if (!h) return 0;
    FromHandle(h)->GetWindowText(text);
    return text.GetLength();
}

int CWnd::GetCheckedRadioButton(int nFirst, int nLast) const
{
    for (int id = nFirst; id <= nLast; ++id)
        if (::IsDlgButtonChecked(m_hWnd, id)) return id;
    return 0;
}

void CWnd::ClientToScreen(LPRECT r) const
{
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(r));
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(r) + 1);
}

void CWnd::ScreenToClient(LPRECT r) const
{
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(r));
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(r) + 1);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    RECT self, area;
    ::GetWindowRect(m_hWnd, &self);
    HWND center = pAlternateOwner ? pAlternateOwner->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
    if (GetStyle() & WS_CHILD) center = ::GetParent(m_hWnd);
    if (center && ::IsWindowVisible(center) && !::IsIconic(center)) {
        ::GetWindowRect(center, &area);
    } else {
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    }
    int w = self.right - self.left, h = self.bottom - self.top;
    POINT pt{(area.left + area.right - w) / 2, (area.top + area.bottom - h) / 2};
    if (GetStyle() & WS_CHILD) ::ScreenToClient(::GetParent(m_hWnd), &pt);
    ::SetWindowPos(m_hWnd, nullptr, pt.x, pt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT nFlags)
{
    DWORD style = GetStyle();
    DWORD changed = (style & ~remove) | add;
    if (style == changed) return FALSE;
    ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, changed);
    if (nFlags) ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT nFlags)
{
    DWORD style = GetExStyle();
    DWORD changed = (style & ~remove) | add;
    if (style == changed) return FALSE;
    ::SetWindowLongPtrA(m_hWnd, GWL_EXSTYLE, changed);
    if (nFlags) ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

CWnd* CWnd::GetTopLevelParent() const
{
    HWND h = m_hWnd;
    while (h && (::GetWindowLongPtrA(h, GWL_STYLE) & WS_CHILD)) h = ::GetParent(h);
    return FromHandle(h);
}

CMenu* CWnd::GetMenu() const
{
    return CMenu::FromHandle(::GetMenu(m_hWnd));
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert));
}

int CWnd::MessageBox(LPCSTR text, LPCSTR caption, UINT type)
{
    return AfxShowMessageBox(m_hWnd, text, caption ? caption : AfxGetAppName(), type);
}

LPCSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    static std::mutex lock;
    static std::map<std::tuple<UINT, HCURSOR, HBRUSH, HICON>, std::string> names;
    std::lock_guard<std::mutex> guard(lock);
    auto key = std::make_tuple(nClassStyle, hCursor, hbrBackground, hIcon);
    auto it = names.find(key);
    if (it != names.end()) return it->second.c_str();
    char name[96];
    wsprintfA(name, "Fw:%p:%x:%p:%p:%p", static_cast<void*>(AfxGetInstanceHandle()), nClassStyle,
              static_cast<void*>(hCursor), static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));
    WNDCLASSA wc{};
    if (!::GetClassInfoA(AfxGetInstanceHandle(), name, &wc)) {
        wc.style = nClassStyle;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hCursor = hCursor;
        wc.hbrBackground = hbrBackground;
        wc.hIcon = hIcon;
        wc.lpszClassName = name;
        ::RegisterClassA(&wc);
    }
    return names.emplace(key, name).first->second.c_str();
}

BOOL AfxPreTranslateMessage(MSG* pMsg)
{
    HWND desktop = ::GetDesktopWindow();
    for (HWND h = pMsg->hwnd; h && h != desktop; h = ::GetAncestor(h, GA_PARENT)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(h);
        if (pWnd && pWnd->m_bEnableToolTips) pWnd->FilterToolTipMessage(pMsg);
        if (pWnd && pWnd->PreTranslateMessage(pMsg)) return TRUE;
    }
    return FALSE;
}
