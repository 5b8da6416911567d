#include "ui/DesktopMetrics.h"

#include <windows.h>
#include <utility>

namespace {
std::function<int()> g_source;
}

int DesktopBottom()
{
    if (g_source) return g_source();
    RECT r{};
    ::GetWindowRect(::GetDesktopWindow(), &r);
    return r.bottom;
}

bool IsSmallDesktop()
{
    return DesktopBottom() < kSmallDesktopBottom;
}

void SetDesktopBottomSource(std::function<int()> source)
{
    g_source = std::move(source);
}
