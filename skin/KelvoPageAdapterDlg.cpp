#include "skin/KelvoPageAdapterDlg.h"

IMPLEMENT_DYNCREATE(CKelvoPageAdapterDlg, CDialog)
