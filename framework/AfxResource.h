// Resources looked up along the module chain: the resource module first (the skin library
// when loaded), then the program itself.
#pragma once
#include <windows.h>

// The module that holds resource name of that type, or null when neither has it.
HINSTANCE AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType);

// Loads a 16-colour bitmap resource with its standard greys, black and white mapped to the
// current 3D system colours (black: button text, dark grey: shadow, light grey: face,
// white: highlight). Other depths load unchanged. Null when it cannot be loaded.
HBITMAP AfxLoadSysColorBitmap(HINSTANCE hInst, HRSRC hRsrc);
