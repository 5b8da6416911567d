// The notification-area icon, behind one function that tests can watch.
#pragma once
#include <windows.h>
#include <shellapi.h>
#include <cstddef>
#include <functional>

// The record size of the version with a 128-character tooltip (504 bytes in a 32-bit program):
// up to its guidItem, the last field XP knows.
constexpr DWORD kNotifyIconRecordBytes = offsetof(NOTIFYICONDATAA, guidItem) + sizeof(GUID);
static_assert(sizeof(void*) != 4 || kNotifyIconRecordBytes == 504, "the record of the 32-bit program");
constexpr size_t kTrayTipChars = 128;  // including the terminating zero

// Shell_NotifyIconA unless replaced; answers its result.
BOOL TrayNotifyIcon(DWORD message, NOTIFYICONDATAA* data);
// Replaces the platform call (an empty function restores it).
using TrayNotifySink = std::function<BOOL(DWORD message, const NOTIFYICONDATAA& data)>;
void SetTrayNotifySink(TrayNotifySink sink);

// The tray icon of that resource id (a shared handle: never destroyed).
HICON LoadTrayIcon(UINT id);
