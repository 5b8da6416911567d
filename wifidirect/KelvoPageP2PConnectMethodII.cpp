#include "wifidirect/KelvoPageP2PConnectMethodII.h"

IMPLEMENT_DYNCREATE(CKelvoPageP2PConnectMethodII, CDialog)
