// Named events that other processes and users of the machine may wait on and set.
#pragma once
#include <windows.h>

// An auto-reset, initially non-signalled event: users and administrators have full access,
// guests and anonymous logons may only wait on it and set it. When the descriptor cannot be
// built the event gets the default security. Null on failure (see GetLastError).
HANDLE CreateSharedEvent(LPCSTR name);
