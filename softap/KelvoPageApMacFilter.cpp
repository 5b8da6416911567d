#include "softap/KelvoPageApMacFilter.h"

IMPLEMENT_DYNCREATE(CKelvoPageApMacFilter, CDialog)
