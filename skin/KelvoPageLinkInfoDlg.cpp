#include "skin/KelvoPageLinkInfoDlg.h"

IMPLEMENT_DYNCREATE(CKelvoPageLinkInfoDlg, CDialog)
