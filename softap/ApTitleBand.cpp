#include "softap/ApTitleBand.h"
#include "core/QxUI2008App.h"

#include <algorithm>

namespace {
constexpr int kBandMargin = 3;  // pixels below the titles
constexpr int kSideInset = 4;   // dialog units, as the strip's own band is inset
constexpr UINT kSaveHover = 1038, kSaveNormal = 1039, kCancelHover = 1020, kCancelNormal = 1021;

HBRUSH BandBrush()
{
    static HBRUSH band = ::CreateSolidBrush(kApTitleBandColor);  // kept for the process
    return band;
}
}  // namespace

void PaintApTitleBand(CWnd& page, CDC* pDC, std::initializer_list<int> titleIds)
{
    if (!pDC || !page.m_hWnd) return;
    CRect client;
    page.GetClientRect(&client);
    LONG bottom = client.top;
    for (int id : titleIds) {
        CWnd* title = page.GetDlgItem(id);
        if (!title || !title->IsWindowVisible()) continue;
        CRect rc;
        title->GetWindowRect(&rc);
        page.ScreenToClient(&rc);
        bottom = std::max(bottom, rc.bottom + kBandMargin);
    }
    if (bottom <= client.top) return;
    CRect inset(kSideInset, 0, 0, 0);
    ::MapDialogRect(page.m_hWnd, &inset);
    const CRect band(client.left + inset.left, client.top, client.right - inset.left, std::min(bottom, client.bottom));
    ::FillRect(pDC->m_hDC, &band, BandBrush());
}

void SkinApSaveCancel(CFloatButton& save, CFloatButton& cancel)
{
    if (save.LoadBitmaps(kSaveHover, kSaveNormal, G_hKelvoImg)) save.SizeToBitmap();
    if (cancel.LoadBitmaps(kCancelHover, kCancelNormal, G_hKelvoImg)) cancel.SizeToBitmap();
}
