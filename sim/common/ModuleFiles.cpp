#include "sim/common/ModuleFiles.h"

namespace sim {

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

}  // namespace sim
