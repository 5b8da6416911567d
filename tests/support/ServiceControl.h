// The registered stand-in services seen from a test: handles, states and waits.
#pragma once
#include <windows.h>

#include <memory>
#include <type_traits>

namespace testing_support {

struct ServiceHandleCloser {
    void operator()(SC_HANDLE handle) const { ::CloseServiceHandle(handle); }
};
using ServiceHandle = std::unique_ptr<std::remove_pointer_t<SC_HANDLE>, ServiceHandleCloser>;

constexpr DWORD kServiceStateWaitMs = 15000;
constexpr DWORD kServicePollMs = 50;

// The service's current state, or 0 when it cannot be read.
inline DWORD ServiceState(SC_HANDLE service)
{
    SERVICE_STATUS status = {};
    return ::QueryServiceStatus(service, &status) ? status.dwCurrentState : 0;
}

inline bool WaitForServiceState(SC_HANDLE service, DWORD wanted)
{
    for (DWORD waited = 0; waited < kServiceStateWaitMs; waited += kServicePollMs) {
        if (ServiceState(service) == wanted) return true;
        ::Sleep(kServicePollMs);
    }
    return ServiceState(service) == wanted;
}

// Stops the service unless it is stopped, and waits until it is.
inline void StopServiceAndWait(SC_HANDLE service)
{
    if (ServiceState(service) == SERVICE_STOPPED) return;
    SERVICE_STATUS status = {};
    ::ControlService(service, SERVICE_CONTROL_STOP, &status);
    WaitForServiceState(service, SERVICE_STOPPED);
}

inline bool StartServiceAndWait(SC_HANDLE service)
{
    return ::StartServiceA(service, 0, nullptr) && WaitForServiceState(service, SERVICE_RUNNING);
}

}  // namespace testing_support
