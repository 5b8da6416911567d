#include "wifidirect/KelvoPageP2PLinkStatus.h"

IMPLEMENT_DYNCREATE(CKelvoPageP2PLinkStatus, CDialog)
