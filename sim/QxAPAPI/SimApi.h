// The test interface of the stand-in soft-AP library "QxAPAPI.dll": extra exports with the prefix
// SIM_, never called by the program. The access point's world is described in a world-file
// text (sim/README.md), e.g.
//
//   SIM_LoadWorldText("[World]\nOsCode=10\n[Station1]\nMac=00:11:22:33:44:55\n");
#pragma once
#include <windows.h>

extern "C" {
// Exports SIM_ResetWorld ... SIM_ClearJournal (the SIMAP_ typedef names keep them apart from
// the station library's test interface in one test).
// Back to the built-in access point: no world file, empty journal, station mode, stored
// configuration "Kelvo_WLAN", no station in range.
typedef void(WINAPI* PFN_SIMAP_ResetWorld)(void);
// Reads the world file at path now and again whenever it changes; null stops watching.
typedef BOOL(WINAPI* PFN_SIMAP_UseWorldFile)(LPCSTR path);
// Applies world-file text: [World] keys one by one; any [Adapter*] or [Station*] section
// replaces all adapters or all stations in range. FALSE when a line cannot be read.
typedef BOOL(WINAPI* PFN_SIMAP_LoadWorldText)(LPCSTR text);
// One [World] key at run time, with its side effects (a removed device drops every station).
typedef BOOL(WINAPI* PFN_SIMAP_Set)(LPCSTR key, LONG value);
typedef LONG(WINAPI* PFN_SIMAP_Get)(LPCSTR key);
// A station comes into range (it associates when the access point runs and its access-control
// list admits it) or leaves. Addresses as "00:11:22:33:44:55".
typedef BOOL(WINAPI* PFN_SIMAP_StationJoin)(LPCSTR mac);
typedef BOOL(WINAPI* PFN_SIMAP_StationLeave)(LPCSTR mac);
// The address the DHCP server leased to a station ("192.168.123.100"); the bytes needed
// including the terminator, 0 when the station holds no lease.
typedef ULONG(WINAPI* PFN_SIMAP_GetLease)(LPCSTR mac, LPSTR buffer, ULONG size);
// The SSID of the Windows wireless profile the library keeps for the access point ("" for none).
typedef ULONG(WINAPI* PFN_SIMAP_GetWindowsProfile)(LPSTR buffer, ULONG size);
// The journal of calls, one line each ("QXAP_SetOPMode(1)"), lines separated by '\n'.
typedef ULONG(WINAPI* PFN_SIMAP_GetJournal)(LPSTR buffer, ULONG size);
typedef void(WINAPI* PFN_SIMAP_ClearJournal)(void);
}

// Exported as "SIM_<name>" (SIM_ResetWorld, ...), typed PFN_SIMAP_<name>.
#define SIMAP_EXPORTS(X)                                                                          \
    X(ResetWorld) X(UseWorldFile) X(LoadWorldText) X(Set) X(Get) X(StationJoin) X(StationLeave) \
    X(GetLease) X(GetWindowsProfile) X(GetJournal) X(ClearJournal)

// The world file beside the program, unless the environment names another.
inline constexpr char kSimApWorldFileName[] = "QxSimAp.ini";
inline constexpr char kSimApWorldFileVariable[] = "QXSIM_AP_WORLD";
