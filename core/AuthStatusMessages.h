// What the hidden dialog posts to the authentication-status window.
#pragma once
#include <windows.h>

// A status line for the authentication-status window: W = the ring slot (0..199), L = an
// AUTH_STATUS_TEXT allocated with new by the sender. The window takes ownership and deletes it;
// when the post fails the sender deletes it.
constexpr UINT MSG_AUTH_STATUS_TEXT = WM_APP + 2;
constexpr UINT kAuthStatusSlots = 200;
constexpr size_t kAuthStatusTextBytes = 256;

struct AUTH_STATUS_TEXT {
    UINT nSlot;
    char szText[kAuthStatusTextBytes];  // zero-terminated
};
