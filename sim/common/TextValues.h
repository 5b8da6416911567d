// Values of the world files' "key=value" lines.
#pragma once
#include <windows.h>

#include <string>

namespace sim {

std::string Trim(const std::string& s);
// A whole number in C notation (decimal, 0x hexadecimal); false for anything else.
bool ParseLong(const std::string& text, LONG& out);
// "00:1A:2B:44:71:31" (any one-character separators).
bool ParseMac(const std::string& text, UCHAR (&mac)[6]);
// Copies text and its terminator into buffer when size holds them; answers the bytes needed
// (the SIM_ exports' way of handing texts out).
ULONG PutText(const std::string& text, LPSTR buffer, ULONG size);

}  // namespace sim
