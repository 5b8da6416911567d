// Stands in for the shell's notification area in tests and measurements of the real program.
#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace testing_support {

// Stands in for the shell's notification area: the platform hands every tray request to the
// top-level window of class "Shell_TrayWnd" as WM_COPYDATA (the request in dwData).
class FakeNotificationArea {
public:
    FakeNotificationArea();
    ~FakeNotificationArea();
    bool Exists() const { return m_hWnd != nullptr; }

    // Pumps until a request of that kind carries the text (as the platform's wide text).
    bool WaitForTip(DWORD request, const std::string& tip, DWORD timeoutMs);
    // Pumps until a request of that kind arrives.
    bool WaitForRequest(DWORD request, DWORD timeoutMs);
    size_t Requests() const { return m_requests.size(); }
    // Requests of that kind so far (the program waits while this thread has not taken one).
    size_t Count(DWORD request) const;

private:
    static LRESULT CALLBACK Proc(HWND h, UINT m, WPARAM w, LPARAM l);
    static FakeNotificationArea* s_self;
    HWND m_hWnd = nullptr;
    std::vector<std::pair<DWORD, std::vector<BYTE>>> m_requests;
};


}  // namespace testing_support
