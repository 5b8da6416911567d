#include "skin/KelvoPageWpsLinkStatusDlg.h"

IMPLEMENT_DYNCREATE(CKelvoPageWpsLinkStatusDlg, CDialog)
