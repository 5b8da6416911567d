#include "softap/KelvoPageApLinkInfoDlg.h"

IMPLEMENT_DYNCREATE(CKelvoPageApLinkInfoDlg, CDialog)
