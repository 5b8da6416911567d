#include "framework/Gdi.h"
#include "framework/CWinApp.h"

#include <atomic>
#include <map>
#include <memory>
#include <mutex>

namespace {
// FromHandle wrappers do not own their handle; they live until the process ends.
template <class T, class H>
T* TemporaryWrapper(H h)
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

template <class T>
struct NonOwning : T {
    ~NonOwning() override { this->m_hObject = nullptr; }
};

std::atomic<long> g_ownedObjects{0};

bool IsSelectedInto(HDC hdc, HGDIOBJ object)
{
    DWORD type = ::GetObjectType(object);
    if (type == OBJ_EXTPEN) type = OBJ_PEN;
    switch (type) {
    case OBJ_PEN: case OBJ_BRUSH: case OBJ_FONT: case OBJ_BITMAP: case OBJ_PAL:
        return ::GetCurrentObject(hdc, type) == object;
    default:
        return false;
    }
}
}  // namespace

BOOL CGdiObject::Attach(HGDIOBJ h)
{
    DeleteObject();
    m_hObject = h;
    m_bCounted = h != nullptr;
    if (m_bCounted) ++g_ownedObjects;
    return h != nullptr;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ h = m_hObject;
    if (m_bCounted) --g_ownedObjects;
    m_hObject = nullptr;
    m_hSelectedInto = nullptr;
    m_bCounted = false;
    return h;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject) return FALSE;
    const bool stillSelected = m_hSelectedInto && IsSelectedInto(m_hSelectedInto, m_hObject);
    BOOL ok = ::DeleteObject(m_hObject);
    if (m_bCounted && ok && !stillSelected) --g_ownedObjects;
    m_hObject = nullptr;
    m_hSelectedInto = nullptr;
    m_bCounted = false;
    return ok;
}

long CGdiObject::OwnedCount() { return g_ownedObjects.load(); }

CBrush* CBrush::FromHandle(HBRUSH h) { return TemporaryWrapper<NonOwning<CBrush>>(h); }
CFont* CFont::FromHandle(HFONT h) { return TemporaryWrapper<NonOwning<CFont>>(h); }
CBitmap* CBitmap::FromHandle(HBITMAP h) { return TemporaryWrapper<NonOwning<CBitmap>>(h); }

BOOL CFont::CreatePointFont(int nPointSize, LPCSTR face, HDC hdc)
{
    LOGFONTA lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = nPointSize;
    if (face) lstrcpynA(lf.lfFaceName, face, LF_FACESIZE);
    return CreatePointFontIndirect(&lf, hdc);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONTA* lf, HDC hdc)
{
    HDC dc = hdc ? hdc : ::GetDC(nullptr);
    LOGFONTA copy = *lf;
    POINT pt{0, MulDiv(::GetDeviceCaps(dc, LOGPIXELSY), copy.lfHeight, 720)};
    ::DPtoLP(dc, &pt, 1);
    POINT origin{0, 0};
    ::DPtoLP(dc, &origin, 1);
    copy.lfHeight = -abs(pt.y - origin.y);
    if (!hdc) ::ReleaseDC(nullptr, dc);
    return CreateFontIndirect(&copy);
}

BOOL CBitmap::LoadBitmap(UINT id)
{
    HBITMAP h = ::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id));
    if (!h) h = ::LoadBitmapA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(id));
    return Attach(h);
}
