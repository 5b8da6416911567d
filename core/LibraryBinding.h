// Binding the closed libraries' entry points by name.
#pragma once
#include <windows.h>

// The exported function of that name, as its pointer type, or null.
template <typename Pfn>
Pfn ResolveEntryPoint(HMODULE module, LPCSTR name)
{
    return reinterpret_cast<Pfn>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

// One stub per entry point for the calls that reach no loaded library: each logs through
// logUnbound(name) and answers failure (0, FALSE or QXWL_ERROR_FAILURE).
#define DEFINE_UNBOUND_ENTRY_POINT(logUnbound, ret, name, params) \
    ret WINAPI Unbound_##name params                              \
    {                                                             \
        logUnbound(#name);                                        \
        return static_cast<ret>(0);                               \
    }
