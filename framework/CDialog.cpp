#include "framework/CDialog.h"
#include "framework/CModalLoopRegistry.h"
#include "framework/CWinApp.h"

#include <exception>

IMPLEMENT_DYNAMIC(CDialog, CWnd)

namespace {
ModalDialogHook g_modalHook;
}

void AfxSetModalDialogHook(ModalDialogHook hook)
{
    g_modalHook = std::move(hook);
}

INT_PTR CALLBACK FwDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG) return FALSE;
    auto* pDlg = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(hWnd));
    if (!pDlg) pDlg = reinterpret_cast<CDialog*>(lParam);
    if (!pDlg) return TRUE;
    try {
        return pDlg->OnInitDialog();
    } catch (const std::exception& e) {
        ::OutputDebugStringA("[QxUI] OnInitDialog stopped an exception\n");
    } catch (...) {
        ::OutputDebugStringA("[QxUI] OnInitDialog stopped an exception\n");
    }
    return TRUE;
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate)), m_nIDHelp(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

CDialog::CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd)
{
}

LPCDLGTEMPLATE CDialog::FindTemplate(LPCSTR lpszTemplateName, HINSTANCE* phInst)
{
    // Dialog templates live in the program itself, never in the skin library.
    HINSTANCE hInst = AfxGetInstanceHandle();
    HRSRC res = ::FindResourceA(hInst, lpszTemplateName, reinterpret_cast<LPCSTR>(RT_DIALOG));
    if (!res) return nullptr;
    HGLOBAL data = ::LoadResource(hInst, res);
    if (phInst) *phInst = hInst;
    return data ? static_cast<LPCDLGTEMPLATE>(::LockResource(data)) : nullptr;
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd)
{
    m_lpDialogTemplate = lpDialogTemplate;
    if (pParentWnd) m_pParentWnd = pParentWnd;
    return lpDialogTemplate != nullptr;
}

BOOL CDialog::CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, HWND hWndParent, HINSTANCE hInst)
{
    if (!lpDialogTemplate || m_hWnd) return FALSE;
    HWND hWnd;
    {
        CWndCreationScope scope(this);
        hWnd = ::CreateDialogIndirectParamA(hInst ? hInst : AfxGetInstanceHandle(), lpDialogTemplate, hWndParent,
                                            FwDlgProc, reinterpret_cast<LPARAM>(this));
    }
    if (!hWnd) {
        if (m_hWnd) UnsubclassWindow();
        return FALSE;
    }
    return TRUE;
}

INT_PTR CDialog::DoModal()
{
    if (CModalLoopRegistry::TeardownWaits()) return IDCANCEL;  // the program is leaving: not opened
    HINSTANCE hInst = AfxGetInstanceHandle();
    LPCDLGTEMPLATE tmpl = m_lpDialogTemplate ? m_lpDialogTemplate : FindTemplate(m_lpszTemplateName, &hInst);
    if (!tmpl) return -1;

    HWND hParent = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (!hParent) {
        CWnd* pOwner = GetSafeOwner(nullptr);
        hParent = pOwner ? pOwner->m_hWnd : nullptr;
    }
    bool reenableParent = false;
    if (hParent && hParent != ::GetDesktopWindow() && ::IsWindowEnabled(hParent)) {
        ::EnableWindow(hParent, FALSE);
        reenableParent = true;
    }

    m_nModalResult = -1;
    m_bModal = true;
    m_bContinueModal = true;  // cleared by an EndDialog inside OnInitDialog
    // Registered from before its creation: a teardown asked for inside OnInitDialog ends it too.
    CModalLoopRegistry::Entry loop(this, [this] { EndDialog(IDCANCEL); });
    if (CreateDlgIndirect(tmpl, hParent, hInst) && m_bContinueModal) {
        if (g_modalHook) g_modalHook(*this);
        if (m_bContinueModal) RunModalLoop(MLF_SHOWONIDLE);
    }

    if (m_hWnd)
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    if (reenableParent) ::EnableWindow(hParent, TRUE);
    if (hParent && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(hParent);
    DestroyWindow();
    m_bModal = false;
    m_bContinueModal = false;
    return m_nModalResult;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCEA(nIDTemplate), pParentWnd);
}

BOOL CDialog::Create(LPCSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName) && !m_nIDHelp)
        m_nIDHelp = static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszTemplateName));
    HINSTANCE hInst = AfxGetInstanceHandle();
    LPCDLGTEMPLATE tmpl = FindTemplate(lpszTemplateName, &hInst);
    return CreateIndirect(tmpl, pParentWnd, hInst);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst)
{
    if (pParentWnd) m_pParentWnd = pParentWnd;
    HWND hParent = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    if (!hParent) {
        CWnd* pMain = AfxGetMainWnd();
        if (pMain && pMain != this) hParent = pMain->m_hWnd;
    }
    m_bModal = false;
    return CreateDlgIndirect(lpDialogTemplate, hParent, hInst);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    if (m_bModal) EndModalLoop(nResult);
    if (m_hWnd) ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_MOUSELAST) return FALSE;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd)) return FALSE;
    return ::IsDialogMessageA(m_hWnd, pMsg);
}

BOOL CDialog::OnMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND && (HIWORD(wParam) == BN_CLICKED || lParam == 0)) {
        if (LOWORD(wParam) == IDOK) { OnOK(); *pResult = 0; return TRUE; }
        if (LOWORD(wParam) == IDCANCEL) { OnCancel(); *pResult = 0; return TRUE; }
    }
    return CWnd::OnMessageMap(message, wParam, lParam, pResult);
}
