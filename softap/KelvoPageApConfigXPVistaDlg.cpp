#include "softap/KelvoPageApConfigXPVistaDlg.h"

IMPLEMENT_DYNCREATE(CKelvoPageApConfigXPVistaDlg, CDialog)
