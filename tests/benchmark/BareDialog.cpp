// The yardstick of the start-up measurement: a minimal Win32 program that shows one dialog
// from a template and runs its message loop, with nothing else.
#include <windows.h>

namespace {
INT_PTR CALLBACK Proc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return static_cast<int>(::DialogBoxParamA(instance, MAKEINTRESOURCEA(1), nullptr, Proc, 0));
}
