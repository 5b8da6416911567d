#include "wifidirect/KelvoPageP2PConnectMethod.h"

IMPLEMENT_DYNCREATE(CKelvoPageP2PConnectMethod, CDialog)
