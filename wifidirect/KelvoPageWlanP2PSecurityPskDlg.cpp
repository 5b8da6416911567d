#include "wifidirect/KelvoPageWlanP2PSecurityPskDlg.h"

IMPLEMENT_DYNCREATE(CKelvoPageWlanP2PSecurityPskDlg, CDialog)
