// Image lists. A CImageList owns its list unless it came from FromHandle or was detached.
#pragma once
#include "framework/CObject.h"
#include "framework/Gdi.h"
#include <commctrl.h>

class CDC;

class CImageList : public CObject {
public:
    HIMAGELIST m_hImageList = nullptr;

    CImageList() = default;
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;
    ~CImageList() override { DeleteImageList(); }

    operator HIMAGELIST() const { return m_hImageList; }
    HIMAGELIST GetSafeHandle() const { return m_hImageList; }
    static CImageList* FromHandle(HIMAGELIST h);
    BOOL Attach(HIMAGELIST h) { DeleteImageList(); m_hImageList = h; return h != nullptr; }
    HIMAGELIST Detach() { HIMAGELIST h = m_hImageList; m_hImageList = nullptr; return h; }

    BOOL Create(int cx, int cy, UINT flags, int initial, int grow) { return Attach(::ImageList_Create(cx, cy, flags, initial, grow)); }
    BOOL DeleteImageList() { if (!m_hImageList) return FALSE; BOOL ok = ::ImageList_Destroy(m_hImageList); m_hImageList = nullptr; return ok; }
    int Add(CBitmap* bitmap, COLORREF mask) { return ::ImageList_AddMasked(m_hImageList, static_cast<HBITMAP>(bitmap->m_hObject), mask); }
    int Add(CBitmap* bitmap, CBitmap* maskBitmap) { return ::ImageList_Add(m_hImageList, static_cast<HBITMAP>(bitmap->m_hObject), maskBitmap ? static_cast<HBITMAP>(maskBitmap->m_hObject) : nullptr); }
    int Add(HICON icon) { return ::ImageList_ReplaceIcon(m_hImageList, -1, icon); }
    BOOL Replace(int index, CBitmap* bitmap, CBitmap* maskBitmap)
    {
        return ::ImageList_Replace(m_hImageList, index, static_cast<HBITMAP>(bitmap->m_hObject), maskBitmap ? static_cast<HBITMAP>(maskBitmap->m_hObject) : nullptr);
    }
    int Replace(int index, HICON icon) { return ::ImageList_ReplaceIcon(m_hImageList, index, icon); }
    BOOL Remove(int index) { return ::ImageList_Remove(m_hImageList, index); }
    int GetImageCount() const { return ::ImageList_GetImageCount(m_hImageList); }
    BOOL GetImageInfo(int index, IMAGEINFO* info) const { return ::ImageList_GetImageInfo(m_hImageList, index, info); }
    BOOL GetIconSize(int* cx, int* cy) const { return ::ImageList_GetIconSize(m_hImageList, cx, cy); }
    COLORREF SetBkColor(COLORREF c) { return ::ImageList_SetBkColor(m_hImageList, c); }
    COLORREF GetBkColor() const { return ::ImageList_GetBkColor(m_hImageList); }
    HICON ExtractIcon(int index) { return ::ImageList_GetIcon(m_hImageList, index, ILD_NORMAL); }
    BOOL Draw(CDC* pDC, int index, POINT pt, UINT style);
    BOOL DrawIndirect(CDC* pDC, int index, POINT pt, SIZE size, POINT origin, UINT style = ILD_NORMAL, DWORD rop = SRCCOPY,
                      COLORREF bk = CLR_DEFAULT, COLORREF fg = CLR_DEFAULT);
};
