// The yardstick of the start-up and show measurements: a minimal Win32 program that shows one
// dialog from a template and runs its message loop, with nothing else. Started with "hidden" it
// creates the dialog hidden and shows it when it receives WM_APP, as a tray program shows its
// window on a double-click. "children N" adds N plain static texts to the dialog, so that the
// platform's own cost of that many child windows can be told from the program's.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
constexpr int kChildWidth = 90, kChildHeight = 14, kChildGap = 2, kChildColumns = 6;
int g_children = 0;

void AddChildren(HWND dialog)
{
    const HFONT font = reinterpret_cast<HFONT>(::SendMessageA(dialog, WM_GETFONT, 0, 0));
    for (int i = 0; i < g_children; ++i) {
        char text[32];
        std::snprintf(text, sizeof text, "Label %d", i);
        const int x = kChildGap + (i % kChildColumns) * (kChildWidth + kChildGap);
        const int y = kChildGap + (i / kChildColumns) * (kChildHeight + kChildGap);
        HWND child = ::CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE, x, y, kChildWidth, kChildHeight,
                                       dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(1000 + i)), nullptr, nullptr);
        ::SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    if (g_children > 0) {
        const int rows = (g_children + kChildColumns - 1) / kChildColumns;
        RECT area{0, 0, kChildColumns * (kChildWidth + kChildGap) + kChildGap, rows * (kChildHeight + kChildGap) + 40};
        ::AdjustWindowRectEx(&area, static_cast<DWORD>(::GetWindowLongPtrA(dialog, GWL_STYLE)), FALSE, 0);
        ::SetWindowPos(dialog, nullptr, 0, 0, area.right - area.left, area.bottom - area.top,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

INT_PTR CALLBACK Proc(HWND dialog, UINT message, WPARAM, LPARAM)
{
    if (message == WM_APP) {
        ::ShowWindow(dialog, SW_SHOWNORMAL);
        return TRUE;
    }
    if (message == WM_INITDIALOG) AddChildren(dialog);
    return message == WM_INITDIALOG;
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    const bool hidden = std::strstr(commandLine, "hidden") != nullptr;
    if (const char* children = std::strstr(commandLine, "children ")) g_children = std::atoi(children + 9);
    if (!hidden) return static_cast<int>(::DialogBoxParamA(instance, MAKEINTRESOURCEA(1), nullptr, Proc, 0));
    HWND dialog = ::CreateDialogParamA(instance, MAKEINTRESOURCEA(1), nullptr, Proc, 0);
    ::ShowWindow(dialog, SW_HIDE);
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0)
        if (!::IsDialogMessageA(dialog, &msg)) ::DispatchMessageA(&msg);
    return 0;
}
