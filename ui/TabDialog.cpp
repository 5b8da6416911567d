#include "ui/TabDialog.h"

IMPLEMENT_DYNAMIC(CTabDialog, CResizeDlg)

CTabDialog::CTabDialog(UINT nIDTemplate, CWnd* pParentWnd) : CResizeDlg(nIDTemplate, pParentWnd)
{
    m_mapPages.InitHashTable(kMapHashSize);
    m_mapTabButtons.InitHashTable(kMapHashSize);
    m_mapForwardButtons.InitHashTable(kMapHashSize);
}

CTabDialog::~CTabDialog()
{
    // The pages and buttons belong to the derived dialog.
    m_mapPages.RemoveAll();
    m_mapTabButtons.RemoveAll();
    m_mapForwardButtons.RemoveAll();
}

int CTabDialog::AddPage(CDialog* pPage, CShadeButtonST* pButton)
{
    int key = m_nPageCount;
    m_mapPages.SetAt(key, pPage);
    m_mapTabButtons.SetAt(key, pButton);
    if (pButton) pButton->SetTabNumber(m_nForwardCount + m_nPageCount);
    ++m_nPageCount;
    return 1;
}

int CTabDialog::AddForwardedButton(CShadeButtonST* pButton)
{
    int key = m_nForwardCount;
    m_mapForwardButtons.SetAt(key, pButton);
    ++m_nForwardCount;
    return 1;
}

CDialog* CTabDialog::GetPage(int nIndex) const
{
    CDialog* pPage = nullptr;
    return m_mapPages.Lookup(nIndex, pPage) ? pPage : nullptr;
}

CShadeButtonST* CTabDialog::GetTabButton(int nIndex) const
{
    CShadeButtonST* pButton = nullptr;
    return m_mapTabButtons.Lookup(nIndex, pButton) ? pButton : nullptr;
}

void CTabDialog::PlacePages(int nLeft, int nTop, int nRight, int nBottom, int, int, int nSelected)
{
    for (int i = 0; i < m_nPageCount; ++i) {
        CDialog* pPage = GetPage(i);
        if (!pPage) break;
        pPage->MoveWindow(nLeft, nTop, nRight - nLeft, nBottom - nTop, TRUE);
        if (i == nSelected) {
            pPage->ShowWindow(SW_SHOW);
            if (CShadeButtonST* pButton = GetTabButton(i)) pButton->SetSelected(TRUE, FALSE);
        }
    }
}

BOOL CTabDialog::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) != 0) return CResizeDlg::OnCommand(wParam, lParam);
    const HWND hFrom = reinterpret_cast<HWND>(lParam);
    for (int i = 0; i < m_nPageCount; ++i) {
        CShadeButtonST* pClicked = GetTabButton(i);
        if (!pClicked || !hFrom || pClicked->m_hWnd != hFrom || !GetPage(i)) continue;
        for (int j = 0; j < m_nPageCount; ++j) {
            if (CShadeButtonST* pButton = GetTabButton(j)) {
                pButton->SetSelected(FALSE, FALSE);
                pButton->RedrawWindow();
            }
            Invalidate(TRUE);
        }
        pClicked->SetSelected(TRUE, TRUE);
        for (int j = 0; j < m_nPageCount; ++j)
            if (CDialog* pPage = GetPage(j)) pPage->ShowWindow(SW_HIDE);
        GetPage(i)->ShowWindow(SW_SHOW);
        UpdateWindow();
        return TRUE;
    }
    for (int i = 0; i < m_nForwardCount; ++i) {
        CShadeButtonST* pButton = nullptr;
        if (!m_mapForwardButtons.Lookup(i, pButton) || !pButton || !hFrom || pButton->m_hWnd != hFrom) continue;
        CWnd* pParent = GetParent();
        if (!pParent) return TRUE;
        // The parent then receives the click as the command of its own child.
        pButton->SetParent(pParent);
        pButton->SendMessage(BM_CLICK);
        pButton->SetParent(this);
        return TRUE;
    }
    return FALSE;
}
