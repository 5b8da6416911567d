#include "skin/KelvoPageSecuritySercaDlg.h"

IMPLEMENT_DYNCREATE(CKelvoPageSecuritySercaDlg, CDialog)
