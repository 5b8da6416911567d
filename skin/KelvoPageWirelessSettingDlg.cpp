#include "skin/KelvoPageWirelessSettingDlg.h"

IMPLEMENT_DYNCREATE(CKelvoPageWirelessSettingDlg, CDialog)
