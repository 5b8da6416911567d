#include "base/MainWindowClosing.h"

BOOL G_bMainWindowClosing = FALSE;
