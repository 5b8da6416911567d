#include "softap/AuthSecuDlg.h"

IMPLEMENT_DYNCREATE(CAuthSecuDlg, CDialog)
