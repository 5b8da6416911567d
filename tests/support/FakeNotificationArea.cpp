#include "support/FakeNotificationArea.h"
#include "support/TestSupport.h"

#include <cstring>

namespace testing_support {

FakeNotificationArea* FakeNotificationArea::s_self = nullptr;

FakeNotificationArea::FakeNotificationArea()
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "Shell_TrayWnd";
    ::RegisterClassA(&wc);
    s_self = this;
    m_hWnd = ::CreateWindowExA(WS_EX_TOPMOST, "Shell_TrayWnd", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               wc.hInstance, nullptr);
}

FakeNotificationArea::~FakeNotificationArea()
{
    ::DestroyWindow(m_hWnd);
    s_self = nullptr;
}

namespace {
bool FindWide(const std::vector<BYTE>& data, const std::wstring& text)
{
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    for (size_t at = 0; at + bytes <= data.size(); at += 2)
        if (memcmp(&data[at], text.c_str(), bytes) == 0) return true;
    return false;
}
}  // namespace

bool FakeNotificationArea::WaitForTip(DWORD request, const std::string& tip, DWORD timeoutMs)
{
    std::wstring wide(tip.begin(), tip.end());
    return PumpUntil([&] {
        for (const auto& r : m_requests)
            if (r.first == request && FindWide(r.second, wide)) return true;
        return false;
    }, timeoutMs);
}

bool FakeNotificationArea::WaitForRequest(DWORD request, DWORD timeoutMs)
{
    return PumpUntil([&] {
        for (const auto& r : m_requests)
            if (r.first == request) return true;
        return false;
    }, timeoutMs);
}

size_t FakeNotificationArea::Count(DWORD request) const
{
    size_t n = 0;
    for (const auto& r : m_requests) n += r.first == request ? 1 : 0;
    return n;
}

LRESULT CALLBACK FakeNotificationArea::Proc(HWND h, UINT m, WPARAM w, LPARAM l)
{
    if (m == WM_COPYDATA && s_self) {
        auto* cds = reinterpret_cast<COPYDATASTRUCT*>(l);
        const BYTE* p = static_cast<const BYTE*>(cds->lpData);
        s_self->m_requests.emplace_back(static_cast<DWORD>(cds->dwData), std::vector<BYTE>(p, p + cds->cbData));
        return TRUE;
    }
    return ::DefWindowProcA(h, m, w, l);
}

}  // namespace testing_support
