#include "skin/SkinTitleBands.h"
#include "skin/KelvoPageUIDlg.h"
#include "skin/SkinnedPageLook.h"

#include <algorithm>

CSkinTitleBands::CSkinTitleBands(std::initializer_list<UINT> titleIds)
{
    for (UINT id : titleIds)
        if (m_count < kMaxTitles) m_ids[m_count++] = id;
}

bool CSkinTitleBands::IsTitle(UINT id) const
{
    for (int i = 0; i < m_count; ++i)
        if (m_ids[i] == id) return true;
    return false;
}

void CSkinTitleBands::Paint(CWnd& page, HDC dc) const
{
    CKelvoPageUIDlg* main = CKelvoPageUIDlg::GetLive();
    CRect client;
    page.GetClientRect(&client);
    for (int i = 0; i < m_count; ++i) {
        CWnd* title = page.GetDlgItem(m_ids[i]);
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

HBRUSH CSkinTitleBands::TitleColors(CDC* pDC, COLORREF text)
{
    pDC->SetTextColor(text);
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}
