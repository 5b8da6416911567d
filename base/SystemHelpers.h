// Small look-ups and waits on the system: files, time, 64-bit file-system redirection,
// processes and services.
#pragma once
#include <windows.h>

// 1 when FindFirstFileA finds the path.
int FileExists(LPCSTR path);
// Waits the given number of milliseconds on this thread without returning to the message loop.
void BusyWaitMs(DWORD milliseconds);
// Milliseconds since the system started, as GetTickCount64 (from Vista on) counts them. Without it
// (XP), the 32-bit count carried past each wrap, right for callers that ask more than once in 49.7 days.
ULONGLONG TickCount64();
// The 64-bit count for the 32-bit count now, when the last answer was last.
ULONGLONG CarryTickCount(DWORD now, ULONGLONG last);

// Turn the file-system redirection of a 32-bit program on 64-bit Windows on or off; nothing
// happens where the system has no redirection. Answer the system's result (0 when absent).
BOOL EnableWow64FsRedirection();
BOOL DisableWow64FsRedirection();

// The id of the first running process of the caller's own session whose main module's base
// name equals fileName (ignoring case), or 0.
DWORD FindProcessId(LPCSTR fileName);

// The current state of the service (SERVICE_STOPPED to SERVICE_PAUSED), or
// QXWL_ERROR_WIFIDIRECT_SVC_OPEN_SCMGR, QXWL_ERROR_WIFIDIRECT_SVC_OPEN_SVC or
// QX_SVC_ERR_QUERY_SVC_STATUS when the service manager, the service or its state cannot be reached.
int GetServiceStatus(LPCSTR serviceName);
