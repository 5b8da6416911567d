// The SIM_ exports: the test interface of the stand-in (sim/QxAPAPI/SimApi.h).
#include "sim/QxAPAPI/SimApi.h"
#include "sim/QxAPAPI/SoftApWorld.h"
#include "sim/common/TextValues.h"

#include <cstring>

using simap::SoftApWorld;

#define SIM_EXPORT extern "C" __attribute__((dllexport))

using sim::PutText;

SIM_EXPORT void WINAPI SIM_ResetWorld(void)
{
    SoftApWorld::Get().Reset();
}

SIM_EXPORT BOOL WINAPI SIM_UseWorldFile(LPCSTR path)
{
    return SoftApWorld::Get().UseWorldFile(path ? path : "") ? TRUE : FALSE;
}

SIM_EXPORT BOOL WINAPI SIM_LoadWorldText(LPCSTR text)
{
    std::string error;
    if (SoftApWorld::Get().LoadText(text ? text : "", error)) return TRUE;
    SoftApWorld::Get().Enter("SIM_LoadWorldText: " + error);
    return FALSE;
}

SIM_EXPORT BOOL WINAPI SIM_Set(LPCSTR key, LONG value)
{
    return key && SoftApWorld::Get().SetValue(key, value) ? TRUE : FALSE;
}

SIM_EXPORT LONG WINAPI SIM_Get(LPCSTR key)
{
    LONG value = 0;
    if (key) SoftApWorld::Get().GetValue(key, value);
    return value;
}

SIM_EXPORT BOOL WINAPI SIM_StationJoin(LPCSTR mac)
{
    UCHAR address[6];
    return mac && sim::ParseMac(mac, address) && SoftApWorld::Get().StationJoin(address) ? TRUE : FALSE;
}

SIM_EXPORT BOOL WINAPI SIM_StationLeave(LPCSTR mac)
{
    UCHAR address[6];
    return mac && sim::ParseMac(mac, address) && SoftApWorld::Get().StationLeave(address) ? TRUE : FALSE;
}

SIM_EXPORT ULONG WINAPI SIM_GetLease(LPCSTR mac, LPSTR buffer, ULONG size)
{
    UCHAR address[6];
    if (!mac || !sim::ParseMac(mac, address)) return 0;
    const std::string lease = SoftApWorld::Get().Lease(address);
    return lease.empty() ? 0 : PutText(lease, buffer, size);
}

SIM_EXPORT ULONG WINAPI SIM_GetWindowsProfile(LPSTR buffer, ULONG size)
{
    return PutText(SoftApWorld::Get().WindowsProfile(), buffer, size);
}

SIM_EXPORT ULONG WINAPI SIM_GetJournal(LPSTR buffer, ULONG size)
{
    return PutText(SoftApWorld::Get().JournalText(), buffer, size);
}

SIM_EXPORT void WINAPI SIM_ClearJournal(void)
{
    SoftApWorld::Get().ClearJournal();
}
