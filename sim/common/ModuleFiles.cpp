#include "sim/common/ModuleFiles.h"

namespace sim {
namespace {
std::string LastErrorText(const char* step)
{
    return std::string(step) + " failed, error " + std::to_string(::GetLastError());
}
}  // namespace

std::string ModuleFolder()
{
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&ModuleFolder), &self);
    char path[MAX_PATH] = "";
    GetModuleFileNameA(self, path, MAX_PATH);
    std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

std::string WorldFilePath(const char* environmentVariable, const char* fileName)
{
    char path[MAX_PATH] = "";
    const DWORD length = GetEnvironmentVariableA(environmentVariable, path, MAX_PATH);
    if (length > 0 && length < MAX_PATH) return path;
    return ModuleFolder() + fileName;
}

bool ReadWholeFile(const std::string& path, std::string& text)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    text.clear();
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0) text.append(chunk, read);
    CloseHandle(file);
    return true;
}

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

}  // namespace sim
