// The SIM_ exports: the test interface of the stand-in (sim/QxWLAPI/SimApi.h).
#include "sim/QxWLAPI/SimApi.h"
#include "sim/QxWLAPI/SimWorld.h"

#include "sim/common/TextValues.h"

#include <cstring>

using sim::SimWorld;

#define SIM_EXPORT extern "C" __attribute__((dllexport))

SIM_EXPORT void WINAPI SIM_ResetWorld(void)
{
    SimWorld::Get().Reset();
}

SIM_EXPORT BOOL WINAPI SIM_UseWorldFile(LPCSTR path)
{
    return SimWorld::Get().UseWorldFile(path ? path : "") ? TRUE : FALSE;
}

SIM_EXPORT BOOL WINAPI SIM_LoadWorldText(LPCSTR text)
{
    std::string error;
    if (SimWorld::Get().LoadText(text ? text : "", error)) return TRUE;
    SimWorld::Get().Note("SIM_LoadWorldText: " + error);
    return FALSE;
}

SIM_EXPORT BOOL WINAPI SIM_Set(LPCSTR key, LONG value)
{
    return key && SimWorld::Get().SetValue(key, value) ? TRUE : FALSE;
}

SIM_EXPORT LONG WINAPI SIM_Get(LPCSTR key)
{
    LONG value = 0;
    if (key) SimWorld::Get().GetValue(key, value);
    return value;
}

SIM_EXPORT ULONG WINAPI SIM_GetJournal(LPSTR buffer, ULONG size)
{
    return sim::PutText(SimWorld::Get().JournalText(), buffer, size);
}

SIM_EXPORT void WINAPI SIM_ClearJournal(void)
{
    SimWorld::Get().ClearJournal();
}

SIM_EXPORT void WINAPI SIM_Misbehave(ULONG flags)
{
    SimWorld::Get().SetMisbehave(flags);
}

SIM_EXPORT BOOL WINAPI SIM_PostNotification(UINT message)
{
    return SimWorld::Get().PostNotification(message) ? TRUE : FALSE;
}

SIM_EXPORT BOOL WINAPI SIM_FireAuthStatus(UCHAR status)
{
    return SimWorld::Get().FireAuthStatus(status) ? TRUE : FALSE;
}

SIM_EXPORT BOOL WINAPI SIM_WaitIdle(DWORD timeoutMs)
{
    return SimWorld::Get().WaitIdle(timeoutMs) ? TRUE : FALSE;
}

SIM_EXPORT BOOL WINAPI SIM_SignalWifiDirectEvent(void)
{
    return SimWorld::Get().SignalWifiDirectEvent() ? TRUE : FALSE;
}

SIM_EXPORT BOOL WINAPI SIM_UseStoreFile(LPCSTR path)
{
    return SimWorld::Get().UseStoreFile(path ? path : "") ? TRUE : FALSE;
}
