#include "ui/CSortStringArray.h"

#include <utility>

void CSortStringArray::Sort()
{
    // A bubble sort: neighbours are swapped only when the first is greater, so it is stable.
    const INT_PTR n = GetSize();
    for (INT_PTR pass = 0; pass + 1 < n; ++pass)
        for (INT_PTR j = 0; j + pass + 1 < n; ++j)
            if (m_items[j].CompareNoCase(m_items[j + 1]) > 0) std::swap(m_items[j], m_items[j + 1]);
}
