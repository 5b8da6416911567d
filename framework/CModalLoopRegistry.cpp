#include "framework/CModalLoopRegistry.h"
#include "framework/CWnd.h"

#include <algorithm>
#include <vector>

namespace {
struct Request {
    HWND home, target;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool posted;
    bool Is(HWND hWnd, UINT msg, WPARAM w, LPARAM l) const
    {
        return target == hWnd && message == msg && wParam == w && lParam == l;
    }
};

struct ThreadLoops {
    std::vector<CModalLoopRegistry::Entry*> loops;
    std::vector<Request> requests;
};

thread_local ThreadLoops t_state;
thread_local HHOOK t_hDialogHook = nullptr;
thread_local HWND* t_pAwaitedDialog = nullptr;  // where the innermost system dialog's window goes

constexpr WORD kDialogClassAtom = 0x8002;  // "#32770"

// The index of the first loop above the home window's own; 0 when it runs none.
size_t FirstAbove(HWND home)
{
    const auto& loops = t_state.loops;
    for (size_t i = loops.size(); i-- > 0;)
        if (home && loops[i]->Window() == home) return i + 1;
    return 0;
}

bool IsDialogClass(LPCSTR cls)
{
    if (IS_INTRESOURCE(cls)) return LOWORD(reinterpret_cast<ULONG_PTR>(cls)) == kDialogClassAtom;
    return cls && lstrcmpiA(cls, "#32770") == 0;
}

// Posts every waiting teardown whose home loop is the innermost again.
void PostDue()
{
    auto& requests = t_state.requests;
    for (auto it = requests.begin(); it != requests.end();) {
        if (it->posted || FirstAbove(it->home) < t_state.loops.size()) {
            ++it;
        } else if (::PostMessageA(it->target, it->message, it->wParam, it->lParam)) {
            it->posted = true;
            ++it;
        } else {
            ::OutputDebugStringA("[QxUI] a teardown could not be posted back to its window\n");
            it = requests.erase(it);
        }
    }
}
}  // namespace

CModalLoopRegistry::Entry::Entry(CWnd* pWnd, std::function<void()> end) : m_pWnd(pWnd), m_end(std::move(end))
{
    t_state.loops.push_back(this);
}

CModalLoopRegistry::Entry::~Entry()
{
    auto& loops = t_state.loops;
    loops.erase(std::remove(loops.begin(), loops.end(), this), loops.end());
    PostDue();
}

HWND CModalLoopRegistry::Entry::Window() const
{
    return m_pWnd ? m_pWnd->m_hWnd : nullptr;
}

CModalLoopRegistry::SystemDialog::SystemDialog(std::function<void(HWND)> end)
    : m_end(std::move(end)), m_entry(nullptr, [this] {
          if (m_hDialog && ::IsWindow(m_hDialog)) m_end(m_hDialog);
      })
{
    // Only the innermost call waits for its dialog: an outer one has its own already.
    t_pAwaitedDialog = &m_hDialog;
    if (!t_hDialogHook) t_hDialogHook = ::SetWindowsHookExA(WH_CBT, CbtProc, nullptr, ::GetCurrentThreadId());
}

CModalLoopRegistry::SystemDialog::~SystemDialog()
{
    if (t_pAwaitedDialog == &m_hDialog) t_pAwaitedDialog = nullptr;
    if (!t_pAwaitedDialog && t_hDialogHook) {
        ::UnhookWindowsHookEx(t_hDialogHook);
        t_hDialogHook = nullptr;
    }
}

LRESULT CALLBACK CModalLoopRegistry::SystemDialog::CbtProc(int code, WPARAM wParam, LPARAM lParam)
{
    const LRESULT next = ::CallNextHookEx(t_hDialogHook, code, wParam, lParam);
    if (code == HCBT_CREATEWND && t_pAwaitedDialog) {
        const CREATESTRUCTA* cs = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        if (!(cs->style & WS_CHILD) && IsDialogClass(cs->lpszClass)) {
            *t_pAwaitedDialog = reinterpret_cast<HWND>(wParam);
            t_pAwaitedDialog = nullptr;
        }
    }
    return next;
}

bool CModalLoopRegistry::TeardownWaits()
{
    return !t_state.requests.empty();
}

bool CModalLoopRegistry::RequestTeardown(HWND hWndHome, HWND hWndTarget, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto& requests = t_state.requests;
    const size_t first = FirstAbove(hWndHome);
    auto same = std::find_if(requests.begin(), requests.end(),
                             [&](const Request& r) { return r.Is(hWndTarget, message, wParam, lParam); });
    if (first >= t_state.loops.size()) {
        if (same != requests.end()) requests.erase(same);
        return true;
    }
    if (same == requests.end()) requests.push_back(Request{hWndHome, hWndTarget, message, wParam, lParam, false});
    // Innermost first. An end only flags its loop, which returns once control comes back to it.
    const std::vector<Entry*> above(t_state.loops.begin() + static_cast<std::ptrdiff_t>(first), t_state.loops.end());
    for (auto it = above.rbegin(); it != above.rend(); ++it) {
        Entry* entry = *it;
        if (entry->m_bEnded || !entry->m_end) continue;
        entry->m_bEnded = true;
        entry->m_end();
    }
    return false;
}

int CModalLoopRegistry::Depth()
{
    return static_cast<int>(t_state.loops.size());
}

void CModalLoopRegistry::OnWindowMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto& requests = t_state.requests;
    if (requests.empty()) return;
    auto gone = [&](const Request& r) {
        if (message == WM_NCDESTROY) return r.target == hWnd || r.home == hWnd;
        return r.posted && r.Is(hWnd, message, wParam, lParam);
    };
    requests.erase(std::remove_if(requests.begin(), requests.end(), gone), requests.end());
}
