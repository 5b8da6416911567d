#include "base/TrayIcon.h"

#include <mutex>
#include <utility>

namespace {
std::mutex g_lock;
TrayNotifySink g_sink;
}

BOOL TrayNotifyIcon(DWORD message, NOTIFYICONDATAA* data)
{
    TrayNotifySink sink;
    {
        std::lock_guard<std::mutex> guard(g_lock);
        sink = g_sink;
    }
    return sink ? sink(message, *data) : ::Shell_NotifyIconA(message, data);
}

void SetTrayNotifySink(TrayNotifySink sink)
{
    std::lock_guard<std::mutex> guard(g_lock);
    g_sink = std::move(sink);
}
