#include "wifidirect/KelvoPageWlanP2PSettingNameDlg.h"

IMPLEMENT_DYNCREATE(CKelvoPageWlanP2PSettingNameDlg, CDialog)
