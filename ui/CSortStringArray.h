// An array of strings that sorts ascending ignoring case; equal strings keep their order.
#pragma once
#include "framework/Afx.h"

class CSortStringArray : public CStringArray {
public:
    void Sort();
};
