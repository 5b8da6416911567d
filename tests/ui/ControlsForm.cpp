#include "ui/ControlsForm.h"

namespace testing_support {

BOOL ControlsForm::Open(bool bShown)
{
    if (!Create(IDD_TEST_CONTROLS)) return FALSE;
    if (bShown) {
        // On the screen (the window under a point is looked for there only), topmost and at a
        // place of this process, so that the windows of other test programs rarely cover it.
        const int offset = static_cast<int>(::GetCurrentProcessId() % 97);
        SetWindowPos(HWND_TOPMOST, 380 + offset, 300 + offset, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    return TRUE;
}

BOOL ControlsForm::OnCommand(WPARAM wParam, LPARAM lParam)
{
    BOOL handled = CDialog::OnCommand(wParam, lParam);
    if (lParam == 0)
        m_commands.push_back(wParam);
    else if (HIWORD(wParam) == BN_CLICKED)
        m_clicks.push_back(LOWORD(wParam));
    return handled;
}

LRESULT ControlsForm::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TEST_MENU_CALLBACK) m_callbackParams.push_back(wParam);
    return CDialog::WindowProc(message, wParam, lParam);
}

}  // namespace testing_support
