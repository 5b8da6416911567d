#include "core/IMainWindow.h"

namespace {
IMainWindow* g_pLive = nullptr;
}

IMainWindow* IMainWindow::GetLive()
{
    return g_pLive;
}

void IMainWindow::SetLive(IMainWindow* pWindow)
{
    g_pLive = pWindow;
}
