#include "ui/CSortIntArray.h"

#include <cstdlib>
#include <utility>

int __cdecl CSortIntArray::Compare(const void* a, const void* b)
{
    const int x = *static_cast<const int*>(a);
    const int y = *static_cast<const int*>(b);
    return x < y ? -1 : (x > y ? 1 : 0);
}

void CSortIntArray::Sort()
{
    if (GetSize() > 1) std::qsort(GetData(), static_cast<size_t>(GetSize()), sizeof(int), Compare);
}

void CSortIntArray::Reverse()
{
    const INT_PTR n = GetSize();
    for (INT_PTR i = 0; i < n / 2; ++i) std::swap(m_items[i], m_items[n - 1 - i]);
}
