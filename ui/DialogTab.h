// The pages of the skinned main window: each a child dialog created once in one rectangle of
// the host window and shown one at a time, with a back stack of the pages the user came from.
#pragma once
#include "framework/Afx.h"

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
    int RegisterPage(CDialog** ppPage, UINT nIDTemplate, const CRuntimeClass* pPageClass);
    // Shows that page and hides every other: 1, or 0 (all hidden) when it is not registered.
    int ShowPage(CDialog* pPage);

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
    CWnd* m_pHost = nullptr;
    CRect m_rcPage;
};
