// What the controls read of the language table. The application core points the query at its
// language table once the table is loaded; until then the language is not Russian.
#pragma once
#include <windows.h>

using UiLanguageQuery = BOOL (*)();
// True when the language table names its language "Russian" (ignoring case).
BOOL IsUiLanguageRussian();
void SetUiLanguageIsRussian(UiLanguageQuery query);
