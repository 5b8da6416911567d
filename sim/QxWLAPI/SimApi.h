// The test interface of the stand-in station library "QxWLAPI.dll": extra exports with the
// prefix SIM_, never called by the program. Tests bind them by name like the program binds the
// QXWL_ entry points. The world is described in the world-file format (sim/README.md), so a
// test sets up its situation in a few lines of text:
//
//   SIM_LoadWorldText("[World]\nOsCode=10\n[Network1]\nSsid=Cafe\nSecurity=WPA2-PSK\nKey=secret123\n");
#pragma once
#include <windows.h>

// Ways to misbehave on request (SIM_Misbehave), for the program's handling of bad answers.
enum : ULONG {
    SIM_MISBEHAVE_NONE = 0,
    SIM_MISBEHAVE_ENTRY_LENGTH_ZERO = 1u << 0,  // the second scan entry has Length 0
    SIM_MISBEHAVE_ENTRY_PAST_END = 1u << 1,     // the last scan entry's Length runs past the list
    SIM_MISBEHAVE_COUNT_OVER = 1u << 2,         // counts claim more than the buffer holds
    SIM_MISBEHAVE_SSID_TOO_LONG = 1u << 3,      // SSID lengths of 40
    SIM_MISBEHAVE_UNTERMINATED = 1u << 4,       // texts fill their buffer without a terminator
    SIM_MISBEHAVE_LIST_GROWS = 1u << 5,         // the scan list grows after each too-small answer
    SIM_MISBEHAVE_STORE_DISK_FULL = 1u << 6,    // writing the profile store stops early, as on a full disk
};

extern "C" {
// Back to the built-in default world: no world file, profiles kept in memory only (no store
// file), empty journal, no misbehaviour, link down, no notification window, test timings
// (every delay 0).
typedef void(WINAPI* PFN_SIM_ResetWorld)(void);
// Reads the world file at path now and again whenever it changes; null stops watching.
typedef BOOL(WINAPI* PFN_SIM_UseWorldFile)(LPCSTR path);
// Applies world-file text: [World] keys override one by one; any [Adapter*] or [Network*]
// section replaces all adapters or all networks. FALSE when the text has a line it cannot read.
typedef BOOL(WINAPI* PFN_SIM_LoadWorldText)(LPCSTR text);
// One [World] key at run time, with its side effects (a radio switch posts its message).
typedef BOOL(WINAPI* PFN_SIM_Set)(LPCSTR key, LONG value);
typedef LONG(WINAPI* PFN_SIM_Get)(LPCSTR key);
// The journal of calls, one line each ("QXWL_SetSSID(Cafe)"), lines separated by '\n'.
// Answers the bytes needed including the terminator; fills buffer when it is large enough.
typedef ULONG(WINAPI* PFN_SIM_GetJournal)(LPSTR buffer, ULONG size);
typedef void(WINAPI* PFN_SIM_ClearJournal)(void);
typedef void(WINAPI* PFN_SIM_Misbehave)(ULONG flags);
// Posts a message to the notification window, as the library does on its own.
typedef BOOL(WINAPI* PFN_SIM_PostNotification)(UINT message);
// Calls the 802.1X callback with a status code on the library's thread.
typedef BOOL(WINAPI* PFN_SIM_FireAuthStatus)(UCHAR status);
// Waits until every scheduled event of the simulated world has run (at most timeoutMs).
typedef BOOL(WINAPI* PFN_SIM_WaitIdle)(DWORD timeoutMs);
// Sets the Wi-Fi Direct status event handed over by QXWL_InitWifiDirect; FALSE when there is none.
typedef BOOL(WINAPI* PFN_SIM_SignalWifiDirectEvent)(void);
// Keeps the stored profiles in the file at path (null: in memory only, as after a reset) and
// takes what the file holds; FALSE when it holds no whole store.
typedef BOOL(WINAPI* PFN_SIM_UseStoreFile)(LPCSTR path);
// Queues a Wi-Fi Direct status block of size bytes (at most 1808, the rest zero) for
// QXWL_QueryWifiDirectStatus and sets the status event.
typedef BOOL(WINAPI* PFN_SIM_QueueWifiDirectStatus)(const BYTE* block, ULONG size);
}

#define SIM_EXPORTS(X)                                                                                     \
    X(SIM_ResetWorld) X(SIM_UseWorldFile) X(SIM_LoadWorldText) X(SIM_Set) X(SIM_Get) X(SIM_GetJournal) \
    X(SIM_ClearJournal) X(SIM_Misbehave) X(SIM_PostNotification) X(SIM_FireAuthStatus) X(SIM_WaitIdle)     \
    X(SIM_SignalWifiDirectEvent) X(SIM_UseStoreFile) X(SIM_QueueWifiDirectStatus)

// The world file beside the program, unless the environment names another.
inline constexpr char kSimWorldFileName[] = "QxSimWorld.ini";
inline constexpr char kSimWorldFileVariable[] = "QXSIM_WORLD";
