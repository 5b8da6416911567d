#include "softap/ExtAPMACTableDlg.h"

IMPLEMENT_DYNCREATE(CExtAPMACTableDlg, CDialog)
