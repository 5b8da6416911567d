#include "softap/KelvoPageApConfigDlg.h"

IMPLEMENT_DYNCREATE(CKelvoPageApConfigDlg, CDialog)
