#include "base/TextChecks.h"

namespace {
constexpr int kFullSignalDbm = -50;
constexpr int kStrongSignalFloorDbm = -80;  // -80..-51: (dBm + 80) x 2.6 + 24
constexpr int kStrongSignalBase = 24;
constexpr int kWeakSignalFloorDbm = -90;    // -90..-81: (dBm + 90) x 2.6
constexpr int kSlopeTenths = 26;            // 2.6 percent per dB, in tenths

bool IsDecimalDigit(char ch) { return ch >= '0' && ch <= '9'; }
}  // namespace

BYTE HexDigitValue(char ch)
{
    if (IsDecimalDigit(ch)) return static_cast<BYTE>(ch - '0');
    if (ch >= 'A' && ch <= 'F') return static_cast<BYTE>(ch - 'A' + 10);
    if (ch >= 'a' && ch <= 'f') return static_cast<BYTE>(ch - 'a' + 10);
    return kNotHexDigit;
}

int HexTextToBytes(LPCSTR text, BYTE* out, int count)
{
    int allHex = 1;
    bool ended = (text == nullptr);
    auto nextDigit = [&]() -> BYTE {
        if (!ended && *text == '\0') ended = true;
        BYTE value = ended ? kNotHexDigit : HexDigitValue(*text++);
        if (value == kNotHexDigit) allHex = 0;
        return value;
    };
    for (int i = 0; i < count; ++i) {
        unsigned high = nextDigit();
        unsigned low = nextDigit();
        out[i] = static_cast<BYTE>(high * 16 + low);
    }
    return allHex;
}

int IsHexString(LPCSTR text)
{
    for (const char* p = text ? text : ""; *p; ++p)
        if (HexDigitValue(*p) == kNotHexDigit) return 0;
    return 1;
}

int IsDigitString(LPCSTR text)
{
    for (const char* p = text ? text : ""; *p; ++p)
        if (!IsDecimalDigit(*p)) return 0;
    return 1;
}

int RssiToSignalPercent(int dBm)
{
    // Integer tenths keep the cut towards zero exact (-60 gives 76, -85 gives 13).
    if (dBm >= kFullSignalDbm) return 100;
    if (dBm >= kStrongSignalFloorDbm) return (dBm - kStrongSignalFloorDbm) * kSlopeTenths / 10 + kStrongSignalBase;
    if (dBm >= kWeakSignalFloorDbm) return (dBm - kWeakSignalFloorDbm) * kSlopeTenths / 10;
    return 0;
}
