// Random bytes, random texts and the WPS PIN, drawn from the system's cryptographic source.
#pragma once
#include <windows.h>

// Fills the buffer with random bytes: 1, or 0 when the system's source failed (logged; the
// buffer is then zeroed).
int FillRandomBytes(BYTE* buffer, size_t count);
// Fills count characters of buffer (no terminating zero) with characters of the alphabet drawn
// at random. Writes nothing for an empty alphabet or when the source failed; 1 when written.
int MakeRandomString(char* buffer, size_t count, LPCSTR alphabet);

constexpr ULONG kWpsPinValues = 10000000;  // the seven digits before the checksum digit
// The checksum digit of the Wi-Fi Simple Configuration PIN rule for a seven-digit value.
ULONG WpsPinChecksum(ULONG sevenDigits);
// A random eight-digit PIN (seven random digits and their checksum digit; shown with eight
// digits it may begin with zeros): 1, or 0 when the system's source failed.
int GenerateWpsPin(ULONG* pin);
