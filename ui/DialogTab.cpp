#include "ui/DialogTab.h"
#include "base/DebugLog.h"

CDialogTab::~CDialogTab()
{
    for (INT_PTR i = 0; i < m_pages.GetSize(); ++i) {
        CDialog*& pPage = m_pages[i];
        if (!pPage) continue;
        pPage->DestroyWindow();
        delete pPage;
        pPage = nullptr;
    }
    m_pages.RemoveAll();
    m_history.RemoveAll();
}

int CDialogTab::RegisterPage(CDialog** ppPage, UINT nIDTemplate, const CRuntimeClass* pPageClass)
{
    if (!m_pHost || !pPageClass) return 0;
    CObject* pObject = pPageClass->CreateObject();
    auto* pPage = pObject && pObject->IsKindOf(RUNTIME_CLASS(CDialog)) ? static_cast<CDialog*>(pObject) : nullptr;
    if (!pPage) {
        DebugLog(1, "[QxUI] CDialogTab::RegisterPage() %s is not a dialog class with dynamic creation\n",
                 pPageClass->m_lpszClassName);
        delete pObject;
        return 0;
    }
    if (ppPage) *ppPage = pPage;
    if (!pPage->Create(nIDTemplate, m_pHost)) {
        DebugLog(1, "[QxUI] CDialogTab::RegisterPage() Create fail for template %u, error code = %d\n", nIDTemplate,
                 ::GetLastError());
        delete pPage;
        if (ppPage) *ppPage = nullptr;
        return 0;
    }
    pPage->SetWindowPos(HWND{}, m_rcPage.left, m_rcPage.top, m_rcPage.Width(), m_rcPage.Height(),
                        SWP_NOZORDER | SWP_HIDEWINDOW);
    m_pages.Add(pPage);
    return 1;
}

int CDialogTab::ShowPage(CDialog* pPage)
{
    int found = 0;
    for (CDialog* pCandidate : m_pages) {
        if (!pCandidate || !pCandidate->m_hWnd) continue;
        if (pPage && pCandidate == pPage) {
            pCandidate->ShowWindow(SW_SHOW);
            if (m_pHost && m_pHost->m_hWnd) m_pHost->Invalidate(TRUE);
            found = 1;
        } else {
            pCandidate->ShowWindow(SW_HIDE);
        }
    }
    return found;
}

CDialog* CDialogTab::PopPageHistory()
{
    if (m_history.IsEmpty()) return nullptr;
    CDialog* pTop = m_history.GetAt(m_history.GetUpperBound());
    m_history.RemoveAt(m_history.GetUpperBound());
    return pTop;
}

CDialog* CDialogTab::ResetPageHistory()
{
    CDialog* pFirst = m_history.IsEmpty() ? nullptr : m_history.GetAt(0);
    m_history.RemoveAll();
    return pFirst;
}

void CDialogTab::DestroyAllPages()
{
    for (CDialog* pPage : m_pages)
        if (pPage && pPage->m_hWnd) pPage->DestroyWindow();
}
