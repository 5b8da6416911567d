#include "softap/AccessControlPage.h"

IMPLEMENT_DYNCREATE(CAccessControlPage, CDialog)
