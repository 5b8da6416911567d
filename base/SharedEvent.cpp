#include "base/SharedEvent.h"
#include "base/DebugLog.h"

#include <sddl.h>

namespace {
constexpr char kSharedEventAccess[] =
    "D:(A;OICI;0x00100002;;;BG)(A;OICI;0x00100002;;;AN)(A;OICI;GA;;;AU)(A;OICI;GA;;;BA)";
}

HANDLE CreateSharedEvent(LPCSTR name)
{
    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, FALSE};
    if (!::ConvertStringSecurityDescriptorToSecurityDescriptorA(kSharedEventAccess, SDDL_REVISION_1,
                                                                 &sa.lpSecurityDescriptor, nullptr)) {
        DebugLog(1, "[QxUI] ConvertStringSecurityDescriptorToSecurityDescriptor() return FALSE, error code = %d\n",
                 ::GetLastError());
    }
    HANDLE event = ::CreateEventA(sa.lpSecurityDescriptor ? &sa : nullptr, FALSE, FALSE, name);
    const DWORD error = ::GetLastError();
    if (sa.lpSecurityDescriptor) ::LocalFree(sa.lpSecurityDescriptor);
    ::SetLastError(error);
    return event;
}
