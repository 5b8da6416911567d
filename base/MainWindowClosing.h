// The program-wide main-window-closing flag: set by the hidden main dialog while it tears
// down the skinned main window or exits, cleared when it creates the window again. Code that
// comes back from a nested message loop (a button's popup menu) returns at once when it is
// set, since its window may be gone. User-interface thread only.
#pragma once
#include <windows.h>

extern BOOL G_bMainWindowClosing;
