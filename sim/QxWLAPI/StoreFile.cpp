#include "sim/QxWLAPI/StoreFile.h"

#include <cstring>

namespace sim {
namespace {
constexpr char kMagic[4] = {'Q', 'X', 'P', 'S'};
constexpr ULONG kVersion = 1;
constexpr size_t kHeaderBytes = sizeof kMagic + 3 * sizeof(ULONG);  // magic, version, length, checksum

ULONG Checksum(const std::string& bytes)
{
    ULONG hash = 2166136261u;  // FNV-1a
    for (unsigned char c : bytes) hash = (hash ^ c) * 16777619u;
    return hash;
}

void PutWord(std::string& out, ULONG value) { out.append(reinterpret_cast<const char*>(&value), sizeof value); }
}  // namespace

std::string FrameStore(const std::string& payload)
{
    std::string out(kMagic, sizeof kMagic);
    PutWord(out, kVersion);
    PutWord(out, static_cast<ULONG>(payload.size()));
    PutWord(out, Checksum(payload));
    return out + payload;
}

bool UnframeStore(const std::string& bytes, std::string& payload, std::string& error)
{
    if (bytes.size() < kHeaderBytes || memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) {
        error = "not a profile store";
        return false;
    }
    ULONG words[3];
    memcpy(words, bytes.data() + sizeof kMagic, sizeof words);
    if (words[0] != kVersion) {
        error = "store version " + std::to_string(words[0]);
        return false;
    }
    if (bytes.size() - kHeaderBytes != words[1]) {
        error = "store of " + std::to_string(bytes.size()) + " bytes announces " + std::to_string(words[1] + kHeaderBytes);
        return false;
    }
    payload = bytes.substr(kHeaderBytes);
    if (Checksum(payload) != words[2]) {
        error = "store checksum differs";
        return false;
    }
    return true;
}

}  // namespace sim
