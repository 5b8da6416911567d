#include "ui/UiLanguage.h"

namespace {
UiLanguageQuery g_isRussian = nullptr;
}

BOOL IsUiLanguageRussian()
{
    return g_isRussian ? g_isRussian() : FALSE;
}

void SetUiLanguageIsRussian(UiLanguageQuery query)
{
    g_isRussian = query;
}
