// Dialogs from templates, modal or modeless; they differ only in how they end.
#pragma once
#include "framework/CWnd.h"

#include <functional>

class CDialog;

// Called with every modal dialog once its window exists and before its loop runs, so that a
// test can see it and answer it (set controls, post a click). An empty hook removes it.
using ModalDialogHook = std::function<void(CDialog&)>;
void AfxSetModalDialogHook(ModalDialogHook hook);

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog() = default;
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);

    // Modal: runs its own loop (with PreTranslateMessage) until EndDialog; answers the result,
    // or -1 when the window could not be created. While a teardown waits (CModalLoopRegistry)
    // it opens nothing and answers IDCANCEL; a teardown ends it with EndDialog(IDCANCEL).
    virtual INT_PTR DoModal();
    // Modeless.
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr, HINSTANCE hInst = nullptr);
    // The next DoModal uses this template (for instance one rewritten with another font).
    BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr);

    virtual BOOL OnInitDialog();  // exchanges data into the controls; TRUE lets the system set the focus
    virtual void OnOK();          // UpdateData(TRUE), then EndDialog(IDOK)
    virtual void OnCancel();      // EndDialog(IDCANCEL)
    void EndDialog(int nResult);  // also from inside OnInitDialog
    BOOL IsModal() const { return m_bModal; }

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void NextDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
    void PrevDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
    void GotoDlgCtrl(CWnd* pCtl) { if (pCtl) ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pCtl->m_hWnd), 1); }
    void SetDefID(UINT nID) { ::SendMessageA(m_hWnd, DM_SETDEFID, nID, 0); }
    DWORD GetDefID() const { return static_cast<DWORD>(::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0)); }
    void MapDialogRect(LPRECT r) const { ::MapDialogRect(m_hWnd, r); }

    LPCSTR m_lpszTemplateName = nullptr;
    UINT m_nIDHelp = 0;
    CWnd* m_pParentWnd = nullptr;

    // The template resource of this module, or null when there is none.
    static LPCDLGTEMPLATE FindTemplate(LPCSTR lpszTemplateName, HINSTANCE* phInst = nullptr);

protected:
    BOOL OnMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, HWND hWndParent, HINSTANCE hInst);

    LPCDLGTEMPLATE m_lpDialogTemplate = nullptr;
    bool m_bModal = false;

private:
    friend INT_PTR CALLBACK FwDlgProc(HWND, UINT, WPARAM, LPARAM);
};
