#include "framework/Gdi.h"
#include "framework/CWinApp.h"

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
}

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
