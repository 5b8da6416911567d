#include "core/ProductMessageBox.h"
#include "base/DebugLog.h"
#include "framework/MessageBox.h"
#include "core/IMainWindow.h"

namespace {
// Shows the box; false when none can be shown because the main window object outlived its window.
bool ShowBox(LPCSTR text, UINT type, int* result)
{
    HWND owner = nullptr;
    if (IMainWindow* main = IMainWindow::GetLive()) {
        if (!main->Window().IsWindow()) {
            DebugLog(1, "[QxUI] Message box not shown, the main window is gone: %s\n", text ? text : "");
            return false;
        }
        owner = main->Window().GetSafeHwnd();
    }
    *result = AfxShowMessageBox(owner, text ? text : "", kProductName, type);
    return *result != 0;
}
}  // namespace

int ShowProductMessageBox(LPCSTR text)
{
    int result = 0;
    return ShowBox(text, MB_OK | MB_ICONEXCLAMATION, &result) ? result : 0;
}

int ShowProductMessageBoxEx(LPCSTR text, int ask)
{
    if (ask == 0) return ShowProductMessageBox(text);
    int result = 0;
    return ShowBox(text, MB_OKCANCEL | MB_ICONEXCLAMATION, &result) ? result : IDCANCEL;
}
