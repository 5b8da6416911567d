#include "station/WepKeyGeneration.h"
#include "base/DebugLog.h"

#include <bcrypt.h>
#include <cstring>

namespace {
constexpr int kSeedBytes = 4;
constexpr ULONG kMultiplier = 214013, kIncrement = 2531011;
constexpr int kOutputShift = 16;
constexpr int kRepeatedPhraseBytes = 64;

bool Md5(const BYTE* data, ULONG length, BYTE (&digest)[kWep128DigestBytes])
{
    BCRYPT_ALG_HANDLE alg = nullptr;
    if (!BCRYPT_SUCCESS(BCryptOpenAlgorithmProvider(&alg, BCRYPT_MD5_ALGORITHM, nullptr, 0))) return false;
    BCRYPT_HASH_HANDLE hash = nullptr;
    bool ok = BCRYPT_SUCCESS(BCryptCreateHash(alg, &hash, nullptr, 0, nullptr, 0, 0));
    if (ok) {
        ok = BCRYPT_SUCCESS(BCryptHashData(hash, const_cast<PUCHAR>(data), length, 0)) &&
             BCRYPT_SUCCESS(BCryptFinishHash(hash, digest, sizeof digest, 0));
        BCryptDestroyHash(hash);
    }
    BCryptCloseAlgorithmProvider(alg, 0);
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
