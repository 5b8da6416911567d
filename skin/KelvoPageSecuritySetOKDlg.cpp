#include "skin/KelvoPageSecuritySetOKDlg.h"

IMPLEMENT_DYNCREATE(CKelvoPageSecuritySetOKDlg, CDialog)
