// An array of 32-bit integers that sorts ascending by signed value and reverses in place.
#pragma once
#include "framework/Afx.h"

class CSortIntArray : public CArray<int, int> {
public:
    // -1, 0 or 1 by signed order of the two ints (a qsort comparison).
    static int __cdecl Compare(const void* a, const void* b);
    void Sort();
    void Reverse();
};
