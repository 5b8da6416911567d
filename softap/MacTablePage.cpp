#include "softap/MacTablePage.h"

IMPLEMENT_DYNCREATE(CMacTablePage, CDialog)
