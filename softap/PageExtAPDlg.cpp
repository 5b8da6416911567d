#include "softap/PageExtAPDlg.h"

IMPLEMENT_DYNCREATE(CPageExtAPDlg, CDialog)
