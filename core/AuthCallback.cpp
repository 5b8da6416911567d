// The 802.1X status callback, handed to the library with the chosen adapter.
#include "core/DebugLog.h"
#include "core/StationEntryPoints.h"

// Runs on the library's own thread: it touches no window, timer or queue here.
void WINAPI rsCallBackFunc(UCHAR status, void*, char*)
{
    DebugLog(4, "[QxUI] rsCallBackFunc(%d)\n", status);
}
