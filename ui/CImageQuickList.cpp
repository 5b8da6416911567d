#include "ui/CImageQuickList.h"
#include "base/LanguageTable.h"

IMPLEMENT_DYNAMIC(CImageQuickList, CQuickList)

CImageQuickList::CImageQuickList() = default;

CImageQuickList::~CImageQuickList()
{
    if (m_header.m_hWnd) m_header.UnsubclassWindow();
}

void CImageQuickList::PreSubclassWindow()
{
    if (G_LangTable.IsRussian()) {
        LOGFONTA lf{};
        if (CFont* pFont = GetFont(); pFont && pFont->GetLogFont(&lf)) {
            lf.lfCharSet = kRussianCharSet;
            if (m_font.CreateFontIndirect(&lf)) SetFont(&m_font);
        }
    }
    CQuickList::PreSubclassWindow();
}

int CImageQuickList::SetHeaderBitmap(UINT nID)
{
    CBitmap bitmap;
    if (!bitmap.LoadBitmap(nID)) return 0;
    CHeaderCtrl* pHeader = GetHeaderCtrl();
    if (!pHeader) return 0;
    if (!m_header.m_hWnd) m_header.SubclassWindow(pHeader->m_hWnd);
    m_header.SetBitmap(static_cast<HBITMAP>(bitmap.Detach()));
    const int count = m_header.GetItemCount();
    for (int i = 0; i < count; ++i) {
        HDITEMA item{};
        item.mask = HDI_FORMAT;
        m_header.GetItem(i, &item);
        item.fmt |= HDF_OWNERDRAW;
        m_header.SetItem(i, &item);
    }
    return 1;
}

BOOL CImageQuickList::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    // The columns keep their widths: no dragging, no double-click sizing.
    switch (reinterpret_cast<NMHDR*>(lParam)->code) {
    case HDN_BEGINTRACKA:
    case HDN_BEGINTRACKW:
    case HDN_DIVIDERDBLCLICKA:
    case HDN_DIVIDERDBLCLICKW:
        *pResult = 1;
        return TRUE;
    default:
        return CQuickList::OnNotify(wParam, lParam, pResult);
    }
}
