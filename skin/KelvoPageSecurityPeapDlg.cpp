#include "skin/KelvoPageSecurityPeapDlg.h"

IMPLEMENT_DYNCREATE(CKelvoPageSecurityPeapDlg, CDialog)
