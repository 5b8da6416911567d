#include "ui/DialogTab.h"
#include "base/DebugLog.h"

CDialogTab::~CDialogTab()
{
    RemoveAllPages();
}

void CDialogTab::RemoveAllPages()
{
    for (INT_PTR i = 0; i < m_pages.GetSize(); ++i) {
        CDialog*& pPage = m_pages[i];
        if (!pPage) continue;
        if (pPage->m_hWnd) pPage->DestroyWindow();
        delete pPage;
        pPage = nullptr;
    }
    m_pages.RemoveAll();
    m_templates.RemoveAll();
    m_resourceModules.RemoveAll();
    m_history.RemoveAll();
}

int CDialogTab::CreatePageWindow(INT_PTR index)
{
    CDialog* pPage = m_pages[index];
    if (pPage->m_hWnd) return 1;
    // A page created at registration whose window was destroyed stays without one.
    if (!m_bLateCreation || !m_pHost || !m_pHost->m_hWnd) return 0;
    // The page is created as it would have been at registration, with that resource module.
    HINSTANCE previous = AfxGetResourceHandle();
    AfxSetResourceHandle(m_resourceModules[index]);
    const BOOL created = pPage->Create(m_templates[index], m_pHost);
    AfxSetResourceHandle(previous);
    if (!created) {
        DebugLog(1, "[QxUI] CDialogTab: Create fail for template %u, error code = %d\n", m_templates[index],
                 ::GetLastError());
        return 0;
    }
    pPage->SetWindowPos(HWND{}, m_rcPage.left, m_rcPage.top, m_rcPage.Width(), m_rcPage.Height(),
                        SWP_NOZORDER | SWP_HIDEWINDOW);
    if (m_onPageCreated) m_onPageCreated(*pPage);
    return 1;
}

int CDialogTab::EnsurePage(CDialog* pPage)
{
    for (INT_PTR i = 0; i < m_pages.GetSize(); ++i)
        if (pPage && m_pages[i] == pPage) return CreatePageWindow(i);
    return 0;
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
    if (m_bLateCreation) {
        m_pages.Add(pPage);
        m_templates.Add(nIDTemplate);
        m_resourceModules.Add(AfxGetResourceHandle());
        return 1;
    }
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
    m_templates.Add(nIDTemplate);
    m_resourceModules.Add(AfxGetResourceHandle());
    return 1;
}

int CDialogTab::ShowPage(CDialog* pPage)
{
    if (pPage && !EnsurePage(pPage)) pPage = nullptr;
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
