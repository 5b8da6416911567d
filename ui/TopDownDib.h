// The header of a 32-bit top-down device-independent bitmap, whose pixels read as
// 0x00RRGGBB words row by row from the top.
#pragma once
#include <windows.h>

inline BITMAPINFO TopDown32BitInfo(int cx, int cy)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = cx;
    info.bmiHeader.biHeight = -cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}
