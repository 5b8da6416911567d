// Requests that pages, classic dialogs and worker threads send or post to the main window
// (W = wParam, L = lParam). The main window fills, shows or applies the classic dialog
// concerned; a dialog that reports itself closed brings the link-status dialog back.
#pragma once
#include <windows.h>
// The messages the core sends, posts or takes (ACTION_INSERT_EXEC, the prompts' requests, the
// Wi-Fi Direct event) are named with its view of this window.
#include "core/IMainWindow.h"

constexpr UINT MSG_APDETAIL_DLG = WM_USER + 13;      // W 0: the access-point detail dialog closed
constexpr UINT MSG_ADD_BA_DLG = WM_USER + 14;        // W 3: show the add dialog (L 1 originator); W 0: closed
constexpr UINT MSG_DELETE_BA_DLG = WM_USER + 15;     // W 3: show the delete dialog (flags from L 1-4); W 0: closed
constexpr UINT MSG_PROFILE_EDITOR_DLG = WM_USER + 16;  // W 2 from the survey, 4 add, 5 edit row L; W 0: closed
constexpr UINT MSG_HIDDEN_SSID_DLG = WM_USER + 17;     // W 2: show the prompt; W 0: closed (L 1 OK, 0 Cancel)
constexpr UINT MSG_SECURITY_EDITOR_DLG = WM_USER + 18; // W 2: fill and show (L 1: the survey's own reset); W 0: closed (L 2 OK)
// From the authentication-status window (W 0 OK, 2 Cancel, 3 a status line added) and from
// the re-login dialog (W 0 or 10 once it has done its part).
constexpr UINT MSG_AUTHEN_STATUS_DLG = WM_USER + 21;
constexpr UINT MSG_WPS_PROFILE_DLG = WM_USER + 22;     // W 1: fill from the WPS result and show; W 0: closed
constexpr UINT MSG_PROFILE_CONNECT = WM_USER + 32;     // W 15: preset the profile editor from the chosen network
// Posted by the scan-completion callbacks, from the station library's thread.
constexpr UINT MSG_SITESURVEY_DONE = WM_USER + 128;
constexpr UINT MSG_P2P_EVENT = WM_USER + 130;          // to the Wi-Fi Direct page; W: the engine object
constexpr UINT MSG_PROFILE_LIST_CHANGED = WM_USER + 161;  // W 0: the profile editor saved a profile
constexpr UINT MSG_WPS_STATUS_NOTIFY = WM_USER + 162;     // no effect on the main window
// A page-set switch asked for under a running modal loop, posted back once the loop has ended
// (W: the mode, 0 station, 1 access point).
constexpr UINT MSG_SWITCH_PAGE_SET = WM_USER + 164;

