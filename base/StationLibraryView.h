// What the services and controls below the core read of the station library object
// (core/QXWLLIB): its debug mode and the library's operating-system code. The core binds these
// when its object is built, so nothing below it includes the object; unbound, both read 0,
// as the object's own defaults do.
#pragma once
#include <windows.h>

// The debug log's level (the object's nDebugMode).
int StationDebugMode();
// QXWL_GetWinOS() of the bound library, or 0 while no library is bound.
LONG StationWinOsCode();
// The first operating-system code of the Vista line: from here on the system's own wireless
// service and EAP host take over what the library and the program do themselves below it.
constexpr LONG kVistaOsCode = 10;

using StationWinOsQuery = LONG (*)();
void BindStationLibraryView(const int* debugMode, StationWinOsQuery winOs);
