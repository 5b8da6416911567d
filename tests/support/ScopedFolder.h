// A fresh folder under the temporary folder, removed with everything in it when the object goes.
#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace testing_support {

class ScopedFolder {
public:
    ScopedFolder()
    {
        char temp[MAX_PATH] = "";
        ::GetTempPathA(MAX_PATH, temp);
        static LONG counter = 0;
        m_path = std::string(temp) + "kpl_test_" + std::to_string(::GetCurrentProcessId()) + "_" +
                 std::to_string(::InterlockedIncrement(&counter));
        ::CreateDirectoryA(m_path.c_str(), nullptr);
    }
    ~ScopedFolder()
    {
        std::string from = m_path + '\0';  // the list ends with a second zero
        SHFILEOPSTRUCTA op{};
        op.wFunc = FO_DELETE;
        op.pFrom = from.c_str();
        op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
        ::SHFileOperationA(&op);
    }
    ScopedFolder(const ScopedFolder&) = delete;
    ScopedFolder& operator=(const ScopedFolder&) = delete;

    // The folder, without a trailing backslash.
    const std::string& Path() const { return m_path; }
    // The folder with a trailing backslash, as the program's folder is given.
    std::string WithSlash() const { return m_path + "\\"; }
    // Creates a sub-folder (one level).
    std::string MakeSubFolder(const std::string& name) const
    {
        std::string path = m_path + "\\" + name;
        ::CreateDirectoryA(path.c_str(), nullptr);
        return path;
    }

private:
    std::string m_path;
};

}  // namespace testing_support
