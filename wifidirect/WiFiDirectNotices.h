// Texts for the user that arise inside the driver's event path (an error, a PIN to show, a
// sharing change that never came). They are shown once the message being handled is done, so
// a box never holds back the page's update or the re-arming of the driver's event.
#pragma once
#include "framework/Afx.h"

// Queues the text; the product message box shows it from the thread's message loop.
void PostWiFiDirectNotice(const CString& text);
// Texts queued and not yet shown.
size_t PendingWiFiDirectNotices();
