// The device-capability patch: the process's GetDeviceCaps of the graphics library answers 96
// dots per inch for both logical-pixel indexes, whatever the screen's setting, and the real
// value for every other index.
//
// The function's first instructions are replaced by a jump to DpiGetDeviceCaps (a relative
// jump on 32-bit x86, an absolute jump through rax on x86-64); the replaced instructions are
// copied into a trampoline that continues into the rest of the function, so the original is
// reached without ever removing the patch and calls from several threads need no lock.
#pragma once
#include <windows.h>

constexpr int kDpiLogicalPixels = 96;

// Installs the patch (while it is installed, later calls do nothing) and arranges its removal
// at exit.
// Failures (an unknown instruction at the function's start, memory that cannot be written)
// are logged and leave the function unpatched.
void InstallDpiHook();
// Restores the original instructions; the trampoline stays for calls still running in it.
void RemoveDpiHook();
BOOL IsDpiHookInstalled();

// The replacement: same signature and calling convention as GetDeviceCaps.
int WINAPI DpiGetDeviceCaps(HDC hdc, int index);
// Calls that reached DpiGetDeviceCaps since the program started.
LONG DpiHookCallCount();
