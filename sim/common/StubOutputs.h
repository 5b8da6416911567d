// For the stub entry points of the stand-ins: the 32-bit words they are given to fill are
// cleared, every other argument is left alone.
#pragma once
#include <windows.h>

namespace sim {

inline void ClearOut(ULONG* word)
{
    if (word) *word = 0;
}
template <typename T>
void ClearOut(T)
{
}
template <typename... Args>
void ClearOuts(Args... args)
{
    (ClearOut(args), ...);
}

}  // namespace sim
