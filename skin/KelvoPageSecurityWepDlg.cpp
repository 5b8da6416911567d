#include "skin/KelvoPageSecurityWepDlg.h"

IMPLEMENT_DYNCREATE(CKelvoPageSecurityWepDlg, CDialog)
