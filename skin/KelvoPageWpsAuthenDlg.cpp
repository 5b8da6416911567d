#include "skin/KelvoPageWpsAuthenDlg.h"

IMPLEMENT_DYNCREATE(CKelvoPageWpsAuthenDlg, CDialog)
