// Painting a skin bitmap stretched over a rectangle: the background of the skinned dialogs.
#pragma once
#include <windows.h>

// Stretches the whole bitmap over the target; nothing for a null bitmap.
void StretchBitmapOver(HDC dc, HBITMAP bitmap, const RECT& target);
