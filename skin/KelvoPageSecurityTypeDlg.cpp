#include "skin/KelvoPageSecurityTypeDlg.h"

IMPLEMENT_DYNCREATE(CKelvoPageSecurityTypeDlg, CDialog)
