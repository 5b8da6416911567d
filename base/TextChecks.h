// Checks and conversions of texts and numbers shown or typed in the dialogs.
#pragma once
#include <windows.h>

constexpr BYTE kNotHexDigit = 255;

// 0-15 for a hexadecimal digit of either case, 255 for anything else.
BYTE HexDigitValue(char ch);
// Converts count pairs of hexadecimal digits, high digit first, into count bytes. A bad digit
// (or one past the end of the text, which is never read) counts as 255, the byte taken modulo
// 256. Answers 1 when every digit was a hexadecimal digit, else 0.
int HexTextToBytes(LPCSTR text, BYTE* out, int count);
// 1 when every character is a hexadecimal digit (resp. a decimal digit); 1 for the empty text.
int IsHexString(LPCSTR text);
int IsDigitString(LPCSTR text);

// The signal strength in percent (0-100) shown for a received signal level in dBm.
int RssiToSignalPercent(int dBm);
