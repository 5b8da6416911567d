// Shared helpers that ask the station library.
#pragma once
#include <windows.h>

// Milliseconds between two rescans for the wireless mode: 150 for each channel it allows.
UINT SetTimerForScanByChnList(ULONG wirelessMode);
// True when the chosen adapter's kind is none of the basic kinds 0 to 3.
BOOL IsOpModeOutsideBasic();
// Thread body (AfxBeginThread): starts the DHCP server of the access-point and Wi-Fi Direct modes
// with the Internet connection sharing state. pParam, when given, is the starter's
// "thread running" flag (a volatile LONG), cleared when the work is done; set to
// kDhcpThreadCancelled it asks the helper to call the library no further.
UINT EnableDHCPThread(LPVOID pParam);
constexpr LONG kDhcpThreadCancelled = 2;
