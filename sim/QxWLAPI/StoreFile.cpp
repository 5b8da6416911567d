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

std::string LastErrorText(const char* step)
{
    return std::string(step) + " failed, error " + std::to_string(::GetLastError());
}
}  // namespace

std::string StoreTempPath(const std::string& path)
{
    return path + ".new";
}

bool SaveStoreFile(const std::string& path, const std::string& bytes, size_t failAfter, std::string& error)
{
    const std::string temp = StoreTempPath(path);
    HANDLE file = ::CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = LastErrorText(("creating " + temp).c_str());
        return false;
    }
    const size_t toWrite = failAfter < bytes.size() ? failAfter : bytes.size();
    DWORD written = 0;
    bool ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(toWrite), &written, nullptr) && written == toWrite;
    if (ok && toWrite < bytes.size()) {
        ::SetLastError(ERROR_DISK_FULL);
        ok = false;
    }
    if (!ok) error = LastErrorText("writing the new store");
    if (ok && !::FlushFileBuffers(file)) {
        error = LastErrorText("flushing the new store");
        ok = false;
    }
    ::CloseHandle(file);
    if (ok && !::MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = LastErrorText("replacing the store");
        ok = false;
    }
    if (!ok) ::DeleteFileA(temp.c_str());
    return ok;
}

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
