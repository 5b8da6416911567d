#include "skin/KelvoPageSecurityConfirmDlg.h"

IMPLEMENT_DYNCREATE(CKelvoPageSecurityConfirmDlg, CDialog)
