#include "base/StationLibraryView.h"

namespace {
const int g_nUnboundDebugMode = 0;
// Constant-initialised, so they hold before any constructor runs.
const int* g_pDebugMode = &g_nUnboundDebugMode;
StationWinOsQuery g_pfnWinOs = nullptr;
}  // namespace

int StationDebugMode()
{
    return *g_pDebugMode;
}

LONG StationWinOsCode()
{
    return g_pfnWinOs ? g_pfnWinOs() : 0;
}

void BindStationLibraryView(const int* debugMode, StationWinOsQuery winOs)
{
    g_pDebugMode = debugMode ? debugMode : &g_nUnboundDebugMode;
    g_pfnWinOs = winOs;
}
