#include "ui/DmMenuToolBar.h"
#include "base/DebugLog.h"

namespace {
#pragma pack(push, 1)
struct ToolbarHeader {
    WORD wVersion;
    WORD wWidth;
    WORD wHeight;
    WORD wItemCount;
};
#pragma pack(pop)
static_assert(sizeof(ToolbarHeader) == 8, "toolbar resource header");

constexpr WORD kSixteenColours = 4;  // bits per pixel of a toolbar bitmap in system colours

HBITMAP LoadToolbarBitmap(LPCSTR name)
{
    HINSTANCE hInst = AfxFindResourceHandle(name, reinterpret_cast<LPCSTR>(RT_BITMAP));
    HRSRC hRsrc = hInst ? ::FindResourceA(hInst, name, reinterpret_cast<LPCSTR>(RT_BITMAP)) : nullptr;
    if (!hRsrc) return nullptr;
    HGLOBAL hGlobal = ::LoadResource(hInst, hRsrc);
    auto* info = hGlobal ? static_cast<const BITMAPINFOHEADER*>(::LockResource(hGlobal)) : nullptr;
    if (info && ::SizeofResource(hInst, hRsrc) >= sizeof(BITMAPINFOHEADER) && info->biBitCount == kSixteenColours)
        return AfxLoadSysColorBitmap(hInst, hRsrc);
    return static_cast<HBITMAP>(::LoadImageA(hInst, name, IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}
}  // namespace

BOOL DmMenuToolBar::LoadToolbarResource(LPCSTR lpszResourceName)
{
    m_commands.clear();
    m_bitmap.DeleteObject();
    LPCSTR type = MAKEINTRESOURCEA(kToolbarResourceType);
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, type);
    HRSRC hRsrc = hInst ? ::FindResourceA(hInst, lpszResourceName, type) : nullptr;
    HGLOBAL hGlobal = hRsrc ? ::LoadResource(hInst, hRsrc) : nullptr;
    auto* data = hGlobal ? static_cast<const BYTE*>(::LockResource(hGlobal)) : nullptr;
    DWORD size = data ? ::SizeofResource(hInst, hRsrc) : 0;
    if (size < sizeof(ToolbarHeader)) {
        DebugLog(1, "[QxUI] DmMenuToolBar::LoadToolbarResource() no toolbar resource %u\n",
                 static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszResourceName)));
        return FALSE;
    }
    const auto* header = reinterpret_cast<const ToolbarHeader*>(data);
    if (sizeof(ToolbarHeader) + header->wItemCount * sizeof(WORD) > size || !header->wWidth || !header->wHeight) {
        DebugLog(1, "[QxUI] DmMenuToolBar::LoadToolbarResource() toolbar resource is short or malformed\n");
        return FALSE;
    }
    const auto* ids = reinterpret_cast<const WORD*>(data + sizeof(ToolbarHeader));
    m_commands.assign(ids, ids + header->wItemCount);
    m_iWidth = header->wWidth;
    m_iHeight = header->wHeight;
    if (!m_bitmap.Attach(LoadToolbarBitmap(lpszResourceName))) {
        DebugLog(1, "[QxUI] DmMenuToolBar::LoadToolbarResource() no bitmap for the toolbar, error code = %d\n",
                 ::GetLastError());
        m_commands.clear();
        return FALSE;
    }
    return TRUE;
}

int DmMenuToolBar::ImageIndexOf(UINT nCommand) const
{
    int image = 0;
    for (UINT id : m_commands) {
        if (id == 0) continue;
        if (id == nCommand) return image;
        ++image;
    }
    return -1;
}
