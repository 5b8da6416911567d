#include "skin/KelvoPageSecurityPskDlg.h"

IMPLEMENT_DYNCREATE(CKelvoPageSecurityPskDlg, CDialog)
