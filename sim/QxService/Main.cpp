// The stand-in service program "QxService.exe": one Win32 service that runs under whichever
// name it is registered with ("WZCSVC", "Wlansvc", "QxMediaServer"), given as its first
// argument. It answers start, stop and status through the service control manager and does
// nothing else: the program only asks whether these services run and starts or stops them.
#include <windows.h>

#include <cstring>

namespace {
constexpr DWORD kServiceNameChars = 256;
constexpr DWORD kStopWaitHintMs = 2000;

char g_name[kServiceNameChars] = "";
SERVICE_STATUS_HANDLE g_status = nullptr;
HANDLE g_stop = nullptr;

void Report(DWORD state, DWORD waitHintMs = 0)
{
    SERVICE_STATUS status = {};
    status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    status.dwCurrentState = state;
    status.dwControlsAccepted = state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_SHUTDOWN : 0;
    status.dwWin32ExitCode = NO_ERROR;
    status.dwWaitHint = waitHintMs;
    SetServiceStatus(g_status, &status);
}

DWORD WINAPI Handler(DWORD control, DWORD, LPVOID, LPVOID)
{
    switch (control) {
    case SERVICE_CONTROL_STOP:
    case SERVICE_CONTROL_SHUTDOWN:
        Report(SERVICE_STOP_PENDING, kStopWaitHintMs);
        SetEvent(g_stop);
        return NO_ERROR;
    case SERVICE_CONTROL_INTERROGATE:
        return NO_ERROR;
    default:
        return ERROR_CALL_NOT_IMPLEMENTED;
    }
}

void WINAPI ServiceMain(DWORD, LPSTR*)
{
    g_status = RegisterServiceCtrlHandlerExA(g_name, Handler, nullptr);
    if (!g_status) return;
    g_stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!g_stop) {
        Report(SERVICE_STOPPED);
        return;
    }
    Report(SERVICE_RUNNING);
    WaitForSingleObject(g_stop, INFINITE);
    CloseHandle(g_stop);
    Report(SERVICE_STOPPED);
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || !argv[1][0]) return ERROR_INVALID_PARAMETER;
    lstrcpynA(g_name, argv[1], kServiceNameChars);
    SERVICE_TABLE_ENTRYA table[] = {{g_name, ServiceMain}, {nullptr, nullptr}};
    // Fails when started by hand rather than by the service control manager.
    return StartServiceCtrlDispatcherA(table) ? 0 : static_cast<int>(GetLastError());
}
