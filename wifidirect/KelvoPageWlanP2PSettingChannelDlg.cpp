#include "wifidirect/KelvoPageWlanP2PSettingChannelDlg.h"

IMPLEMENT_DYNCREATE(CKelvoPageWlanP2PSettingChannelDlg, CDialog)
