#include "sim/common/CommandLineRecord.h"

namespace sim {

std::string FileBesideProgram(const char* fileName)
{
    char path[MAX_PATH] = "";
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length < MAX_PATH ? length : 0);
    return folder.substr(0, folder.find_last_of('\\') + 1) + fileName;
}

bool AppendCommandLine(const char* fileName, const char* commandLine)
{
    const std::string line = std::string(commandLine ? commandLine : "") + "\r\n";
    // Opened for appending only, so two programs started at once each write their whole line.
    HANDLE file = CreateFileA(FileBesideProgram(fileName).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == line.size();
}

}  // namespace sim
