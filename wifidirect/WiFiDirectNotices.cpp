#include "wifidirect/WiFiDirectNotices.h"
#include "base/DebugLog.h"
#include "core/ProductMessageBox.h"

#include <deque>

namespace {
std::deque<CString> g_notices;
UINT_PTR g_timer = 0;
bool g_showing = false;

// A thread timer of 0 ms: it fires from whichever message loop runs next, the program's or a
// box's, never inside the handler that queued the text.
void CALLBACK ShowNotices(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_timer) ::KillTimer(nullptr, g_timer);
    g_timer = 0;
    // One box at a time: texts queued while it is up follow it.
    if (g_showing) return;
    g_showing = true;
    while (!g_notices.empty()) {
        const CString text = g_notices.front();
        g_notices.pop_front();
        ShowProductMessageBox(text);
    }
    g_showing = false;
}
}  // namespace

void PostWiFiDirectNotice(const CString& text)
{
    if (text.IsEmpty()) return;
    g_notices.push_back(text);
    if (!g_timer && !g_showing) g_timer = ::SetTimer(nullptr, 0, 0, ShowNotices);
    if (!g_timer && !g_showing) DebugLog(1, "[QxUI] PostWiFiDirectNotice: no timer; \"%s\" waits\n", text.GetString());
}

size_t PendingWiFiDirectNotices()
{
    return g_notices.size();
}
