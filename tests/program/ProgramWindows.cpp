#include "program/ProgramWindows.h"
#include "support/TestSupport.h"

namespace program_windows {
namespace {
struct Search {
    DWORD pid;
    int controlId;
    bool visible;
    HWND found;
};

BOOL CALLBACK Match(HWND window, LPARAM lParam)
{
    auto* search = reinterpret_cast<Search*>(lParam);
    if (search->pid) {
        DWORD pid = 0;
        ::GetWindowThreadProcessId(window, &pid);
        if (pid != search->pid) return TRUE;
    }
    if (search->visible && !::IsWindowVisible(window)) return TRUE;
    if (!::GetDlgItem(window, search->controlId)) return TRUE;
    search->found = window;
    return FALSE;
}
}  // namespace

HWND WindowWith(HWND parent, DWORD pid, int controlId, bool visible)
{
    Search search{parent ? 0 : pid, controlId, visible, nullptr};
    if (parent) ::EnumChildWindows(parent, Match, reinterpret_cast<LPARAM>(&search));
    else ::EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindowWith(HWND parent, DWORD pid, int controlId, DWORD timeoutMs)
{
    HWND found = nullptr;
    testing_support::PumpUntil([&] { return (found = WindowWith(parent, pid, controlId)) != nullptr; }, timeoutMs);
    return found;
}

std::string Text(HWND window)
{
    // Asked of the control itself: across processes the platform answers an edit control's
    // window text from its creation, not what the edit holds.
    char text[256] = "";
    DWORD_PTR copied = 0;
    if (window)
        ::SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                              &copied);
    text[sizeof text - 1] = '\0';
    return text;
}

std::string ItemText(HWND dialog, int id)
{
    return Text(::GetDlgItem(dialog, id));
}

void Click(HWND control)
{
    ::PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::PostMessageA(control, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
}

void PressButton(HWND dialog, int id)
{
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

}  // namespace program_windows
