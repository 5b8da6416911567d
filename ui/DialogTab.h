// The pages of the skinned main window: each a child dialog created once in one rectangle of
// the host window and shown one at a time, with a back stack of the pages the user came from.
#pragma once
#include "framework/Afx.h"

#include <functional>

class CDialogTab {
public:
    CDialogTab() = default;
    virtual ~CDialogTab();
    CDialogTab(const CDialogTab&) = delete;
    CDialogTab& operator=(const CDialogTab&) = delete;

    void SetHostWindow(CWnd* pHost) { m_pHost = pHost; }
    void SetPageRect(int nLeft, int nTop, int nRight, int nBottom) { m_rcPage = CRect(nLeft, nTop, nRight, nBottom); }
    // Creates a page of the class (which must be a dialog class with dynamic creation) from
    // template nIDTemplate, hidden in the page rectangle. 1, or 0 when nothing was registered
    // (no host, not a dialog class, no window); *ppPage is then untouched or null.
    // With late creation the object is built and registered at once (1) and its window is
    // created on the first ShowPage or EnsurePage, with the resource module of registration.
    int RegisterPage(CDialog** ppPage, UINT nIDTemplate, const CRuntimeClass* pPageClass);
    // Shows that page and hides every other: 1, or 0 (all hidden) when it is not registered
    // or its window cannot be created.
    int ShowPage(CDialog* pPage);

    void SetLateCreation(bool bLate) { m_bLateCreation = bLate; }
    // Creates the window of a registered page now if it has none: 1 when it has one afterwards.
    int EnsurePage(CDialog* pPage);
    // Runs after a page's window is created late, before it is shown.
    void SetPageCreatedHandler(std::function<void(CDialog&)> handler) { m_onPageCreated = std::move(handler); }
    // Destroys every page's window, deletes the pages and empties the list and the back stack.
    void RemoveAllPages();

    void PushPageHistory(CDialog* pPage) { m_history.Add(pPage); }
    // The top of the back stack, removed; null when empty.
    CDialog* PopPageHistory();
    // The oldest page of the back stack, or null; the stack is emptied.
    CDialog* ResetPageHistory();
    // Destroys every page's window; the objects stay registered.
    void DestroyAllPages();

    const CArray<CDialog*, CDialog*>& Pages() const { return m_pages; }
    INT_PTR GetHistoryCount() const { return m_history.GetSize(); }

protected:
    CArray<CDialog*, CDialog*> m_pages;    // owned, in order of registration
    CArray<CDialog*, CDialog*> m_history;  // the back stack, top last; not owned
    CArray<UINT, UINT> m_templates;        // by page, for late creation
    CArray<HINSTANCE, HINSTANCE> m_resourceModules;
    bool m_bLateCreation = false;
    std::function<void(CDialog&)> m_onPageCreated;

    int CreatePageWindow(INT_PTR index);
    CWnd* m_pHost = nullptr;
    CRect m_rcPage;
};
