// Message boxes captioned with the product name, owned by the skinned main window when it exists.
#pragma once
#include <windows.h>

inline constexpr char kProductName[] = "KPL4471";

// An OK box with the exclamation icon: IDOK, or 0 when no box was shown (the main window object
// exists but its window is gone, or the box could not be shown).
int ShowProductMessageBox(LPCSTR text);
// With ask 0 the same as ShowProductMessageBox; otherwise an OK/Cancel box with the exclamation
// icon answering the button pressed, and IDCANCEL when no box was shown.
int ShowProductMessageBoxEx(LPCSTR text, int ask);
