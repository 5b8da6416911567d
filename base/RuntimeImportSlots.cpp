// The C++ runtime's thread library (winpthreads, linked in statically) calls GetTickCount64 through
// its import slot, and Windows XP's kernel32 has no such function: the loader would refuse the whole
// program. This object defines that slot itself and is linked into the program ahead of the
// libraries, so the slot is never imported; its function binds the system's one where there is one.
#include "base/SystemHelpers.h"

namespace {
ULONGLONG WINAPI GetTickCount64OrCarried() { return TickCount64(); }
}  // namespace

// The linker's name of a kernel32 import slot: decorated by the argument bytes on the 32-bit target.
#if defined(_WIN64)
#define KERNEL32_IMPORT_SLOT(name, argumentBytes) "__imp_" #name
#else
#define KERNEL32_IMPORT_SLOT(name, argumentBytes) "__imp__" #name "@" #argumentBytes
#endif

extern "C" {
ULONGLONG(WINAPI* g_importSlotGetTickCount64)() __asm__(KERNEL32_IMPORT_SLOT(GetTickCount64, 0)) = GetTickCount64OrCarried;
}
