// The yardstick of the start-up and show measurements: a minimal Win32 program that shows one
// dialog from a template and runs its message loop, with nothing else. Started with "hidden" it
// creates the dialog hidden and shows it when it receives WM_APP, as a tray program shows its
// window on a double-click.
#include <windows.h>

#include <cstring>

namespace {
INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM, LPARAM)
{
    if (message == WM_APP) {
        ::ShowWindow(dialog, SW_SHOWNORMAL);
        return TRUE;
    }
    return message == WM_INITDIALOG;
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    if (std::strcmp(commandLine, "hidden") != 0)
        return static_cast<int>(::DialogBoxParamA(instance, MAKEINTRESOURCEA(1), nullptr, Proc, 0));
    HWND dialog = ::CreateDialogParamA(instance, MAKEINTRESOURCEA(1), nullptr, Proc, 0);
    ::ShowWindow(dialog, SW_HIDE);
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0)
        if (!::IsDialogMessageA(dialog, &msg)) ::DispatchMessageA(&msg);
    return 0;
}
