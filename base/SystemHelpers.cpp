#include "base/SystemHelpers.h"
#include "base/DebugLog.h"
#include "contract/StationContract.h"

#include <psapi.h>

#include <atomic>
#include <cstring>

namespace {
constexpr DWORD kMaxProcesses = 1024;

using Wow64EnableWow64FsRedirectionFn = BOOLEAN(WINAPI*)(BOOLEAN);

template <typename Fn>
Fn KernelFunction(LPCSTR name)
{
    HMODULE kernel = ::GetModuleHandleA("kernel32.dll");
    return kernel ? reinterpret_cast<Fn>(::GetProcAddress(kernel, name)) : nullptr;
}

// Looked up before the program starts; null on systems without it.
const Wow64EnableWow64FsRedirectionFn g_pfnWow64EnableWow64FsRedirection =
    KernelFunction<Wow64EnableWow64FsRedirectionFn>("Wow64EnableWow64FsRedirection");

struct Psapi {
    using EnumProcessesFn = BOOL(WINAPI*)(DWORD*, DWORD, DWORD*);
    using EnumProcessModulesFn = BOOL(WINAPI*)(HANDLE, HMODULE*, DWORD, DWORD*);
    using GetModuleBaseNameFn = DWORD(WINAPI*)(HANDLE, HMODULE, LPSTR, DWORD);

    Psapi() : module(::LoadLibraryA("psapi.dll"))
    {
        if (!module) return;
        enumProcesses = reinterpret_cast<EnumProcessesFn>(::GetProcAddress(module, "EnumProcesses"));
        enumProcessModules = reinterpret_cast<EnumProcessModulesFn>(::GetProcAddress(module, "EnumProcessModules"));
        getModuleBaseName = reinterpret_cast<GetModuleBaseNameFn>(::GetProcAddress(module, "GetModuleBaseNameA"));
    }
    ~Psapi() { if (module) ::FreeLibrary(module); }
    Psapi(const Psapi&) = delete;
    Psapi& operator=(const Psapi&) = delete;
    bool Usable() const { return enumProcesses && enumProcessModules && getModuleBaseName; }

    HMODULE module;
    EnumProcessesFn enumProcesses = nullptr;
    EnumProcessModulesFn enumProcessModules = nullptr;
    GetModuleBaseNameFn getModuleBaseName = nullptr;
};

struct ServiceHandle {
    explicit ServiceHandle(SC_HANDLE h) : handle(h) {}
    ~ServiceHandle() { if (handle) ::CloseServiceHandle(handle); }
    ServiceHandle(const ServiceHandle&) = delete;
    ServiceHandle& operator=(const ServiceHandle&) = delete;
    SC_HANDLE handle;
};
}  // namespace

int FileExists(LPCSTR path)
{
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA(path, &data);
    if (find == INVALID_HANDLE_VALUE) return 0;
    ::FindClose(find);
    return 1;
}

void BusyWaitMs(DWORD milliseconds)
{
    // A monotonic clock: the wait neither ends early at midnight nor stretches when the clock is
    // set. The unsigned difference of two 32-bit ticks is right across their wrap at 49.7 days.
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start <= milliseconds) ::Sleep(1);
}

ULONGLONG CarryTickCount(DWORD now, ULONGLONG last)
{
    constexpr ULONGLONG kWrap = 1ULL << 32;
    ULONGLONG wraps = last & ~(kWrap - 1);
    if (now < static_cast<DWORD>(last)) wraps += kWrap;
    return wraps | now;
}

ULONGLONG TickCount64()
{
    using TickCount64Fn = ULONGLONG(WINAPI*)();
    // Constant-initialised, without a guard: the C++ runtime's own waits ask through this too.
    static std::atomic<bool> looked{false};
    static std::atomic<TickCount64Fn> system{nullptr};
    if (!looked.load(std::memory_order_acquire)) {
        system.store(KernelFunction<TickCount64Fn>("GetTickCount64"));
        looked.store(true, std::memory_order_release);
    }
    if (const TickCount64Fn fn = system.load()) return fn();
    static std::atomic<ULONGLONG> last{0};
    ULONGLONG seen = last.load();
    for (;;) {
        const ULONGLONG now = CarryTickCount(::GetTickCount(), seen);
        if (now == seen || last.compare_exchange_weak(seen, now)) return now;
    }
}

BOOL EnableWow64FsRedirection()
{
    return g_pfnWow64EnableWow64FsRedirection ? g_pfnWow64EnableWow64FsRedirection(TRUE) : FALSE;
}

BOOL DisableWow64FsRedirection()
{
    return g_pfnWow64EnableWow64FsRedirection ? g_pfnWow64EnableWow64FsRedirection(FALSE) : FALSE;
}

DWORD FindProcessId(LPCSTR fileName)
{
    // The program looks for its own name: one copy runs per session (its mutex is per
    // session), so it is its own answer, without opening every process of the machine.
    char ownPath[MAX_PATH] = "";
    const DWORD ownLength = ::GetModuleFileNameA(nullptr, ownPath, MAX_PATH);
    if (ownLength > 0 && ownLength < MAX_PATH && fileName && fileName[0]) {
        const char* ownName = std::strrchr(ownPath, '\\');
        if (lstrcmpiA(ownName ? ownName + 1 : ownPath, fileName) == 0) return ::GetCurrentProcessId();
    }

    Psapi psapi;
    if (!psapi.Usable()) {
        DebugLog(1, "[QxUI] FindProcessId: psapi.dll not usable, GetLastError() return %lu\n", ::GetLastError());
        return 0;
    }
    DWORD ids[kMaxProcesses];
    DWORD bytes = 0;
    if (!psapi.enumProcesses(ids, sizeof ids, &bytes)) return 0;

    DWORD ownSession = 0;
    if (!::ProcessIdToSessionId(::GetCurrentProcessId(), &ownSession)) return 0;
    const DWORD count = bytes / sizeof ids[0];
    for (DWORD i = 0; i < count; ++i) {
        DWORD session = 0;
        if (!::ProcessIdToSessionId(ids[i], &session) || session != ownSession) continue;
        HANDLE process = ::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, ids[i]);
        if (!process) continue;
        HMODULE mainModule = nullptr;
        DWORD needed = 0;
        char name[MAX_PATH] = "";
        if (psapi.enumProcessModules(process, &mainModule, sizeof mainModule, &needed))
            psapi.getModuleBaseName(process, mainModule, name, sizeof name);
        ::CloseHandle(process);
        if (name[0] && lstrcmpiA(name, fileName) == 0) return ids[i];
    }
    return 0;
}

int GetServiceStatus(LPCSTR serviceName)
{
    ServiceHandle manager(::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT));
    if (!manager.handle) {
        DebugLog(1, "[QxUI][QxMSSrv] QXWL_ERROR_WIFIDIRECT_SVC_OPEN_SCMGR; GetLastError() return %d\n",
                 static_cast<int>(::GetLastError()));
        return QXWL_ERROR_WIFIDIRECT_SVC_OPEN_SCMGR;
    }
    ServiceHandle service(::OpenServiceA(manager.handle, serviceName, SERVICE_QUERY_STATUS));
    if (!service.handle) {
        DebugLog(1, "[QxUI][QxMSSrv] GetServiceStatus: QXWL_ERROR_WIFIDIRECT_SVC_OPEN_SVC");
        return QXWL_ERROR_WIFIDIRECT_SVC_OPEN_SVC;
    }
    SERVICE_STATUS status{};
    if (!::QueryServiceStatus(service.handle, &status)) {
        DebugLog(1, "[QxUI][QxMSSrv] GetServiceStatus: QX_SVC_ERR_QUERY_SVC_STATUS");
        return QX_SVC_ERR_QUERY_SVC_STATUS;
    }
    return static_cast<int>(status.dwCurrentState);
}
