#include "skin/SkinTitleBands.h"
#include "skin/KelvoPageUIDlg.h"
#include "skin/SkinnedPageLook.h"

#include <algorithm>

bool CSkinTitleBands::IsTitle(UINT id) const
{
    return std::find(m_ids.begin(), m_ids.end(), id) != m_ids.end();
}

void CSkinTitleBands::Paint(CWnd& page, HDC dc) const
{
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    CRect client;
    page.GetClientRect(&client);
    for (UINT id : m_ids) {
        CWnd* title = page.GetDlgItem(id);
        if (!title || !title->IsWindowVisible()) continue;
        CRect band;
        title->GetWindowRect(&band);
        page.ScreenToClient(&band);
        // The skin's band starts a little above the title's text and ends with its box.
        band.top = std::max(client.top, band.top - band.Height() / 3);
        band.left = client.left;
        band.right = client.right;
        // Without a skin the band is the program's own blue, so the title stays readable.
        if (!main || !main->PaintStripBehind(page.m_hWnd, dc, band)) ::FillRect(dc, &band, TitleBandBrush());
    }
}

HBRUSH CSkinTitleBands::CtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor, HBRUSH brush) const
{
    if (nCtlColor != CTLCOLOR_STATIC || !pWnd || !pDC) return brush;
    if (!IsTitle(static_cast<UINT>(pWnd->GetDlgCtrlID()))) {
        pDC->SetTextColor(CSkinnedPageLook::kLabelColor);
        return brush;
    }
    pDC->SetTextColor(CSkinnedPageLook::kTitleColor);
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}
