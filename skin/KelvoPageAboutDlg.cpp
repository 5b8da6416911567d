#include "skin/KelvoPageAboutDlg.h"

IMPLEMENT_DYNCREATE(CKelvoPageAboutDlg, CDialog)

BOOL CKelvoPageAboutDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // The template's close button is the only button it has so far.
    if (HIWORD(wParam) == BN_CLICKED && lParam) {
        EndDialog(IDOK);
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}
