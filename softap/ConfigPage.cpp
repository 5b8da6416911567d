#include "softap/ConfigPage.h"

IMPLEMENT_DYNCREATE(CConfigPage, CDialog)
