#include "base/SecureRandom.h"
#include "base/DebugLog.h"

#include <ntsecapi.h>
#include <cstring>

namespace {
constexpr int kPinRandomBytes = 3;  // 24 bits, more than the 7 digits need
}

int FillRandomBytes(BYTE* buffer, size_t count)
{
    // The system's generator (advapi32's RtlGenRandom, on every system from XP on) takes a
    // 32-bit length; large requests go in pieces.
    while (count > 0) {
        ULONG piece = count > MAXLONG ? MAXLONG : static_cast<ULONG>(count);
        if (!::RtlGenRandom(buffer, piece)) {
            DebugLog(1, "[QxUI] FillRandomBytes: RtlGenRandom fail\n");
            std::memset(buffer, 0, count);
            return 0;
        }
        buffer += piece;
        count -= piece;
    }
    return 1;
}

int MakeRandomString(char* buffer, size_t count, LPCSTR alphabet)
{
    const size_t letters = alphabet ? std::strlen(alphabet) : 0;
    if (letters == 0) return 0;
    for (size_t i = 0; i < count; ++i) {
        // A 32-bit draw keeps the bias of the modulo below one in 2^24 for any alphabet we use.
        ULONG r = 0;
        if (!FillRandomBytes(reinterpret_cast<BYTE*>(&r), sizeof r)) return 0;
        buffer[i] = alphabet[r % letters];
    }
    return 1;
}

ULONG WpsPinChecksum(ULONG sevenDigits)
{
    ULONG sum = 0;
    ULONG weight = 3;  // the least significant of the seven digits has weight 3, as the most significant
    for (ULONG v = sevenDigits % kWpsPinValues; v != 0; v /= 10) {
        sum += weight * (v % 10);
        weight = 4 - weight;
    }
    return (10 - sum % 10) % 10;
}

int GenerateWpsPin(ULONG* pin)
{
    // Draws above the largest multiple of 10^7 that 24 bits hold are thrown away, so every
    // seven-digit value is equally likely.
    constexpr ULONG kRange = 1UL << (8 * kPinRandomBytes);
    constexpr ULONG kLimit = kRange - kRange % kWpsPinValues;
    ULONG v = 0;
    do {
        BYTE b[kPinRandomBytes] = {};
        if (!FillRandomBytes(b, sizeof b)) return 0;
        v = (static_cast<ULONG>(b[0]) << 16) | (static_cast<ULONG>(b[1]) << 8) | b[2];
    } while (v >= kLimit);
    v %= kWpsPinValues;
    *pin = v * 10 + WpsPinChecksum(v);
    return 1;
}
