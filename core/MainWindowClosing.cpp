#include "core/MainWindowClosing.h"

BOOL G_bMainWindowClosing = FALSE;
