// A program whose window callback reads through a null pointer: Windows ends it, Wine carries on.
// The exception-trace test starts it to prove that such a fault is seen.
#include <windows.h>

namespace {
volatile int* g_nowhere = nullptr;

LRESULT CALLBACK Proc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP) return *g_nowhere;
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}
}  // namespace

// Ends the program quietly where no debugger should be started for the fault.
LONG WINAPI EndQuietly(EXCEPTION_POINTERS*)
{
    ::ExitProcess(3);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    ::SetUnhandledExceptionFilter(EndQuietly);
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.lpszClassName = "WindowProcFault";
    ::RegisterClassA(&wc);
    HWND window = ::CreateWindowA("WindowProcFault", "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, instance, nullptr);
    ::PostMessageA(window, WM_APP, 0, 0);
    ::PostMessageA(window, WM_QUIT, 0, 0);
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) ::DispatchMessageA(&msg);
    return 0;
}
