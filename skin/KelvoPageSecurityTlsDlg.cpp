#include "skin/KelvoPageSecurityTlsDlg.h"

IMPLEMENT_DYNCREATE(CKelvoPageSecurityTlsDlg, CDialog)
