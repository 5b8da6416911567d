#include "framework/CImageList.h"
#include "framework/CDC.h"

#include <map>
#include <memory>

namespace {
struct TemporaryImageList : CImageList {
    ~TemporaryImageList() override { m_hImageList = nullptr; }
};
}

CImageList* CImageList::FromHandle(HIMAGELIST h)
{
    thread_local std::map<HIMAGELIST, std::unique_ptr<TemporaryImageList>> wrappers;
    if (!h) return nullptr;
    auto& slot = wrappers[h];
    if (!slot) {
        slot = std::make_unique<TemporaryImageList>();
        slot->m_hImageList = h;
    }
    return slot.get();
}

BOOL CImageList::Draw(CDC* pDC, int index, POINT pt, UINT style)
{
    return ::ImageList_Draw(m_hImageList, index, pDC->m_hDC, pt.x, pt.y, style);
}

BOOL CImageList::DrawIndirect(CDC* pDC, int index, POINT pt, SIZE size, POINT origin, UINT style, DWORD rop,
                              COLORREF bk, COLORREF fg)
{
    IMAGELISTDRAWPARAMS params{};
    params.cbSize = sizeof params;
    params.himl = m_hImageList;
    params.i = index;
    params.hdcDst = pDC->m_hDC;
    params.x = pt.x;
    params.y = pt.y;
    params.cx = size.cx;
    params.cy = size.cy;
    params.xBitmap = origin.x;
    params.yBitmap = origin.y;
    params.rgbBk = bk;
    params.rgbFg = fg;
    params.fStyle = style;
    params.dwRop = rop;
    return ::ImageList_DrawIndirect(&params);
}
