#include "framework/CDC.h"
#include "framework/CWnd.h"

#include <map>
#include <utility>
#include <memory>
#include <mutex>

namespace {
struct NonOwningPen : CPen {
    ~NonOwningPen() override { m_hObject = nullptr; }
};
struct NonOwningPalette : CPalette {
    ~NonOwningPalette() override { m_hObject = nullptr; }
};
struct NonOwningGdiObject : CGdiObject {
    ~NonOwningGdiObject() override { m_hObject = nullptr; }
};

template <class T, class H>
T* Wrapper(H h)
{
    static std::mutex lock;
    static std::map<H, std::unique_ptr<T>> wrappers;
    if (!h) return nullptr;
    std::lock_guard<std::mutex> guard(lock);
    auto& slot = wrappers[h];
    if (!slot) {
        slot = std::make_unique<T>();
        slot->m_hObject = h;
    }
    return slot.get();
}

struct NonOwningDC : CDC {};
}

CPen* CDC::CPen_FromHandle(HPEN h) { return Wrapper<NonOwningPen>(h); }

CDC* CDC::FromHandle(HDC h)
{
    // A DC wrapper per thread: DCs are not shared between threads.
    thread_local std::map<HDC, std::unique_ptr<NonOwningDC>> wrappers;
    if (!h) return nullptr;
    auto& slot = wrappers[h];
    if (!slot) {
        slot = std::make_unique<NonOwningDC>();
        slot->Attach(h);
    }
    return slot.get();
}

CGdiObject* CDC::SelectStockObject(int index)
{
    return Wrapper<NonOwningGdiObject>(::SelectObject(m_hDC, ::GetStockObject(index)));
}

CPalette* CDC::SelectPalette(CPalette* p, BOOL bForceBackground)
{
    return Wrapper<NonOwningPalette>(::SelectPalette(m_hDC, p ? static_cast<HPALETTE>(p->m_hObject) : nullptr, bForceBackground));
}

void CDC::FillSolidRect(const RECT* r, COLORREF c)
{
    COLORREF old = ::SetBkColor(m_hDC, c);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, r, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF c)
{
    RECT r{x, y, x + cx, y + cy};
    // Negative extents (as Draw3dRect passes) name the same band from the other side.
    if (r.left > r.right) std::swap(r.left, r.right);
    if (r.top > r.bottom) std::swap(r.top, r.bottom);
    FillSolidRect(&r, c);
}

void CDC::Draw3dRect(const RECT* r, COLORREF topLeft, COLORREF bottomRight)
{
    Draw3dRect(r->left, r->top, r->right - r->left, r->bottom - r->top, topLeft, bottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, topLeft);
    FillSolidRect(x, y, 1, cy - 1, topLeft);
    FillSolidRect(x + cx, y, -1, cy, bottomRight);
    FillSolidRect(x, y + cy, cx, -1, bottomRight);
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->GetSafeHwnd())
{
    Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
    Detach();
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->GetSafeHwnd() : nullptr)
{
    Attach(::GetDC(m_hWnd));
}

CClientDC::~CClientDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->GetSafeHwnd() : nullptr)
{
    Attach(::GetWindowDC(m_hWnd));
}

CWindowDC::~CWindowDC()
{
    ::ReleaseDC(m_hWnd, Detach());
}
