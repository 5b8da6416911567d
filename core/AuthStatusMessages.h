// The 802.1X status callback hands each status text to the authentication-status window.
#pragma once
#include "framework/Afx.h"

// lParam: an AUTH_STATUS_TEXT* allocated with new by the sender and deleted by the receiving
// window after use; when the post fails, the sender deletes it. wParam: 0.
constexpr UINT MSG_AUTH_STATUS_TEXT = WM_APP + 2;

struct AUTH_STATUS_TEXT {
    CString strText;
};
