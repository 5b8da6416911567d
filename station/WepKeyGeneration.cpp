#include "station/WepKeyGeneration.h"
#include "base/DebugLog.h"

#include <wincrypt.h>
#include <cstring>

namespace {
constexpr int kSeedBytes = 4;
constexpr ULONG kMultiplier = 214013, kIncrement = 2531011;
constexpr int kOutputShift = 16;
constexpr int kRepeatedPhraseBytes = 64;

// The MD5 of CryptoAPI's base provider, present on every system from XP on.
bool Md5(const BYTE* data, ULONG length, BYTE (&digest)[kWep128DigestBytes])
{
    HCRYPTPROV provider = 0;
    if (!::CryptAcquireContextA(&provider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT)) return false;
    HCRYPTHASH hash = 0;
    bool ok = ::CryptCreateHash(provider, CALG_MD5, 0, 0, &hash) != FALSE;
    if (ok) {
        DWORD size = sizeof digest;
        ok = ::CryptHashData(hash, data, length, 0) && ::CryptGetHashParam(hash, HP_HASHVAL, digest, &size, 0) &&
             size == sizeof digest;
        ::CryptDestroyHash(hash);
    }
    ::CryptReleaseContext(provider, 0);
    return ok;
}
}  // namespace

BOOL GenerateWep64Keys(LPCSTR passPhrase, BYTE (&out)[kWep64OutputBytes])
{
    if (!passPhrase || !*passPhrase) return FALSE;
    BYTE seed[kSeedBytes] = {};
    for (size_t i = 0; passPhrase[i]; ++i) seed[i % kSeedBytes] ^= static_cast<BYTE>(passPhrase[i]);
    ULONG x = static_cast<ULONG>(seed[0]) | static_cast<ULONG>(seed[1]) << 8 | static_cast<ULONG>(seed[2]) << 16 |
              static_cast<ULONG>(seed[3]) << 24;
    for (BYTE& byte : out) {
        x = x * kMultiplier + kIncrement;
        byte = static_cast<BYTE>(x >> kOutputShift);
    }
    return TRUE;
}

BOOL GenerateWep128Key(LPCSTR passPhrase, BYTE (&out)[kWep128DigestBytes])
{
    if (!passPhrase || !*passPhrase) return FALSE;
    const size_t length = std::strlen(passPhrase);
    BYTE repeated[kRepeatedPhraseBytes];
    for (size_t i = 0; i < sizeof repeated; ++i) repeated[i] = static_cast<BYTE>(passPhrase[i % length]);
    BYTE digest[kWep128DigestBytes];
    if (!Md5(repeated, sizeof repeated, digest)) {
        DebugLog(1, "[QxUI] GenerateWep128Key: the platform's MD5 is not available\n");
        return FALSE;
    }
    std::memcpy(out, digest, sizeof digest);
    return TRUE;
}

CString WepKeyHexText(const BYTE* bytes, int count)
{
    CString text;
    for (int i = 0; bytes && i < count; ++i) {
        CString pair;
        pair.Format("%02X", bytes[i]);
        text += pair;
    }
    return text;
}
