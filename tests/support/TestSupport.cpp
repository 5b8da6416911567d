#include "support/TestSupport.h"

#include <fstream>
#include <map>
#include <sstream>

namespace testing_support {

MessageBoxCapture::MessageBoxCapture(int answer) : m_answer(answer)
{
    AfxSetMessageBoxHook([this](const MessageBoxRequest& request) {
        m_boxes.push_back(request);
        if (!m_queued.empty()) {
            int next = m_queued.front();
            m_queued.erase(m_queued.begin());
            return next;
        }
        return m_answer;
    });
}

MessageBoxCapture::~MessageBoxCapture()
{
    AfxSetMessageBoxHook(nullptr);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    DWORD start = ::GetTickCount();
    for (;;) {
        if (done && done()) return true;
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (!AfxPreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
            if (done && done()) return true;
        }
        if (::GetTickCount() - start >= timeoutMs) return done ? done() : true;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void PumpFor(DWORD ms)
{
    PumpUntil(nullptr, ms);
}

bool QueueEmpty()
{
    return HIWORD(::GetQueueStatus(QS_ALLINPUT)) == 0;
}

bool PumpPending(DWORD timeoutMs)
{
    return PumpUntil(QueueEmpty, timeoutMs);
}

bool PumpUntilSettled(const std::function<bool()>& idle, DWORD timeoutMs)
{
    // The other side is asked first: what it posts before it goes idle is in the queue by then.
    return PumpUntil([&] { return idle() && QueueEmpty(); }, timeoutMs);
}

namespace {
thread_local std::map<UINT_PTR, std::function<void()>> t_timerActions;
void CALLBACK RunTimerAction(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    auto node = t_timerActions.extract(id);
    if (!node.empty() && node.mapped()) node.mapped()();
}
}  // namespace

RunFromTheLoop::RunFromTheLoop(std::function<void()> action, UINT delayMs)
    : m_timer(::SetTimer(nullptr, 0, delayMs, RunTimerAction))
{
    t_timerActions[m_timer] = std::move(action);
}

RunFromTheLoop::~RunFromTheLoop()
{
    ::KillTimer(nullptr, m_timer);
    t_timerActions.erase(m_timer);
}

bool RunFromTheLoop::Ran() const
{
    return t_timerActions.count(m_timer) == 0;
}

bool PostUntil(HWND window, UINT message, WPARAM wParam, LPARAM lParam, const std::function<bool()>& done,
               DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    do {
        ::PostMessageA(window, message, wParam, lParam);
        PumpPending(timeoutMs);
        if (done()) return true;
    } while (::GetTickCount() - start < timeoutMs);
    return false;
}

std::string BinFolder()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path);
    return s.substr(0, s.rfind('\\') + 1);
}

std::string OwnIniPath()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path);
    return s.substr(0, s.rfind('.')) + ".ini";
}

ScopedFile::ScopedFile(std::string path, const std::string& content) : m_path(std::move(path))
{
    std::ofstream out(m_path, std::ios::binary | std::ios::trunc);
    out << content;
}

ScopedFile::~ScopedFile()
{
    if (!m_keep) ::DeleteFileA(m_path.c_str());
}

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::string ProgramCommand(const std::string& arguments)
{
    return "\"" + BinFolder() + "KPL4471.exe\"" + arguments;
}

std::string EnglishText(const char* key)
{
    char text[256] = "";
    ::GetPrivateProfileStringA("Strings", key, "", text, sizeof text, (BinFolder() + "Languages\\Lang.ini").c_str());
    return text;
}

void ForgetProfileStore()
{
    const std::string store = BinFolder() + "QxWLProfiles.dat";
    ::DeleteFileA(store.c_str());
    ::DeleteFileA((store + ".new").c_str());
}

bool FileExists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

ChildProcess::ChildProcess(const std::string& commandLine, const std::string& workDir)
{
    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::string cmd = commandLine;
    // Wine reads its debug channels from the environment the new process starts with.
    char previous[256] = "";
    const bool hadPrevious = ::GetEnvironmentVariableA("WINEDEBUG", previous, sizeof previous) > 0;
    ::SetEnvironmentVariableA("WINEDEBUG", (::getenv("QX_CHILD_WINEDEBUG") ? ::getenv("QX_CHILD_WINEDEBUG") : "-all,+seh"));
    if (!::CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          workDir.empty() ? nullptr : workDir.c_str(), &si, &m_info)) {
        m_info = PROCESS_INFORMATION{};
    }
    ::SetEnvironmentVariableA("WINEDEBUG", hadPrevious ? previous : nullptr);
}

ChildProcess::~ChildProcess()
{
    Kill();
}

bool ChildProcess::WaitForExit(DWORD timeoutMs, DWORD* exitCode)
{
    if (!m_info.hProcess) return false;
    if (::WaitForSingleObject(m_info.hProcess, timeoutMs) != WAIT_OBJECT_0) return false;
    if (exitCode) ::GetExitCodeProcess(m_info.hProcess, exitCode);
    return true;
}

void ChildProcess::Kill()
{
    if (!m_info.hProcess) return;
    if (::WaitForSingleObject(m_info.hProcess, 0) != WAIT_OBJECT_0) {
        ::TerminateProcess(m_info.hProcess, 1);
        ::WaitForSingleObject(m_info.hProcess, 5000);
    }
    ::CloseHandle(m_info.hProcess);
    ::CloseHandle(m_info.hThread);
    m_info = PROCESS_INFORMATION{};
}

namespace {
struct WindowSearch {
    const char* className;
    const char* caption;
    DWORD pid;
    HWND found;
    int count;
};

BOOL CALLBACK MatchWindow(HWND hWnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    char text[256] = "", cls[256] = "";
    ::GetWindowTextA(hWnd, text, sizeof text);
    ::GetClassNameA(hWnd, cls, sizeof cls);
    if (search->caption && strcmp(text, search->caption) != 0) return TRUE;
    if (search->className && strcmp(cls, search->className) != 0) return TRUE;
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    if (search->pid && pid != search->pid) return TRUE;
    ++search->count;
    if (!search->found) search->found = hWnd;
    return TRUE;
}
}  // namespace

HWND WaitForWindow(const char* className, const char* caption, DWORD pid, DWORD timeoutMs)
{
    DWORD start = ::GetTickCount();
    for (;;) {
        WindowSearch search{className, caption, pid, nullptr, 0};
        ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        if (::GetTickCount() - start >= timeoutMs) return nullptr;
        ::Sleep(50);
    }
}

int CountTopLevelWindows(const char* caption)
{
    WindowSearch search{nullptr, caption, 0, nullptr, 0};
    ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.count;
}

}  // namespace testing_support
