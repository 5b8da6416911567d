#include "ui/ResizeDlg.h"
#include "ui/DesktopMetrics.h"

BOOL CResizeDlg::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    if (!IsSmallDesktop()) return CDialog::Create(nIDTemplate, pParentWnd);
    CDialogTemplate tmpl;
    if (!tmpl.Load(nIDTemplate)) return FALSE;
    tmpl.SetFont(kSmallFontFace, kSmallFontPoints);
    m_lpszTemplateName = MAKEINTRESOURCEA(nIDTemplate);
    return CreateIndirect(tmpl.Get(), pParentWnd);
}

namespace {
const char kOldProcProp[] = "QxIgnoreOkCancelOldProc";
}

LRESULT CALLBACK IgnoreOkCancelWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto old = reinterpret_cast<WNDPROC>(::GetPropA(hWnd, kOldProcProp));
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) return 1;
    if (message == WM_NCDESTROY && old) {
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        ::RemovePropA(hWnd, kOldProcProp);
    }
    return old ? ::CallWindowProcA(old, hWnd, message, wParam, lParam) : ::DefWindowProcA(hWnd, message, wParam, lParam);
}

void InstallIgnoreOkCancel(CWnd* pDlg)
{
    if (!pDlg || !pDlg->m_hWnd || ::GetPropA(pDlg->m_hWnd, kOldProcProp)) return;
    auto old = ::SetWindowLongPtrA(pDlg->m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(IgnoreOkCancelWindowProc));
    ::SetPropA(pDlg->m_hWnd, kOldProcProp, reinterpret_cast<HANDLE>(old));
}
