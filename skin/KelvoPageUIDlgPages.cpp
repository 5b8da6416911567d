// The main window's page switch.
#include "base/LanguageTable.h"
#include "skin/KelvoPageUIDlg.h"

void CKelvoPageUIDlg::ShowPageByIndex(UINT n)
{
    CWnd* mainPage = m_pPageSlot[0];
    if (n == 0 && mainPage && mainPage->IsWindowVisible()) return;
    HideAllPages();
    m_nCurrentPage = static_cast<int>(n);
    if (n >= 1 && n < kPageSlots) {
        if (m_pPageSlot[n]) m_pPageSlot[n]->ShowWindow(SW_SHOW);
    } else if (mainPage) {
        mainPage->ShowWindow(SW_SHOW);
        mainPage->UpdateWindow();
    }
}

void CKelvoPageUIDlg::HideAllPages()
{
    m_bExpanded = 1;
    RECT window{}, marker{};
    GetWindowRect(&window);
    ScreenToClient(&window);
    if (CWnd* pMarker = GetDlgItem(kExpandedMarkerId)) {
        pMarker->GetWindowRect(&marker);
        ScreenToClient(&marker);
        SetWindowPos(static_cast<HWND>(nullptr), 0, 0, window.right - window.left, marker.bottom - window.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_SHOWWINDOW);
    }
    if (m_btnMoreLess.m_hWnd) {
        m_btnMoreLess.SetIconPair(IDI_LESS);
        m_strMoreLessTip = G_LangTable.IDS_BTN_LESS;
        m_btnMoreLess.SetTooltipText(m_strMoreLessTip);
    }
    for (CWnd* page : m_pPageSlot)
        if (page && page->m_hWnd) page->ShowWindow(SW_HIDE);
}
