// Least bodies of the access-point side and the Wi-Fi Direct waiter, which the exit and power
// handling call; their full versions come with the operation modes.
#include "core/DebugLog.h"
#include "core/HideDlg.h"

LRESULT CHideDlg::DefWindowProcAp(UINT message, WPARAM wParam, LPARAM lParam)
{
    return CDialog::DefWindowProc(message, wParam, lParam);
}

void CHideDlg::LeaveApMode()
{
    DebugLog(3, "[QxUI] --> CHideDlg::LeaveApMode\n");
}

DWORD CHideDlg::CreateEventAndStartThread(int action)
{
    DebugLog(4, "[QxUI] ---> TFormMain::CreateEventAndStartThread(%d)\n", action);
    return 1;
}
