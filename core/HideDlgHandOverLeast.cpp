// The service look-ups the mode switches need from the hand-over to the system's wireless service.
#include "core/DebugLog.h"
#include "core/HideDlg.h"

BOOL CHideDlg::IsWlansvcRunning()
{
    SC_HANDLE manager = ::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ENUMERATE_SERVICE);
    if (!manager) return FALSE;
    BOOL running = FALSE;
    if (SC_HANDLE service = ::OpenServiceA(manager, "Wlansvc", SERVICE_QUERY_STATUS)) {
        SERVICE_STATUS status{};
        running = ::QueryServiceStatus(service, &status) && status.dwCurrentState == SERVICE_RUNNING;
        ::CloseServiceHandle(service);
    }
    ::CloseServiceHandle(manager);
    return running;
}

void CHideDlg::StopXpZeroConfig(BOOL bDemandStart)
{
    DebugLog(3, "[QxUI] --> CHideDlg::StopXpZeroConfig(%d)\n", bDemandStart);
}
