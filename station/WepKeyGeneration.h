// WEP keys from a pass phrase: four 40-bit keys from a seeded generator, or one 104-bit key
// from the MD5 digest of the phrase repeated to 64 bytes. The keys go to the caller's buffers,
// so two callers on different threads never share a result.
#pragma once
#include "framework/Afx.h"

constexpr int kWep64KeyCount = 4;
constexpr int kWep64KeyBytes = 5;
constexpr int kWep64OutputBytes = kWep64KeyCount * kWep64KeyBytes;  // key k is bytes 5k to 5k+4
constexpr int kWep128DigestBytes = 16;
constexpr int kWep128KeyBytes = 13;  // the first 13 bytes of the digest

// Fills out with the four 5-byte keys. An empty or null phrase writes nothing and answers FALSE.
BOOL GenerateWep64Keys(LPCSTR passPhrase, BYTE (&out)[kWep64OutputBytes]);
// Fills out with the 16-byte digest. An empty or null phrase, or a digest the platform could
// not compute, writes nothing and answers FALSE.
BOOL GenerateWep128Key(LPCSTR passPhrase, BYTE (&out)[kWep128DigestBytes]);
// The bytes as upper-case hexadecimal digits, two per byte.
CString WepKeyHexText(const BYTE* bytes, int count);
