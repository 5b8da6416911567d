#include "skin/KelvoPageSecurityTtlsDlg.h"

IMPLEMENT_DYNCREATE(CKelvoPageSecurityTtlsDlg, CDialog)
