// Finding and driving the real program's windows from the test process, as a user reaches them.
#pragma once
#include <windows.h>

#include <string>

namespace program_windows {

// A window of the process's own that carries a control of that id (a page, a classic dialog or a
// top-level box): searched among the children of `parent` (all levels), or among the top-level
// windows of process `pid` when parent is null. Only visible ones when `visible`.
HWND WindowWith(HWND parent, DWORD pid, int controlId, bool visible = true);
// Polls WindowWith for up to timeoutMs, pumping this thread's messages meanwhile.
HWND WaitForWindowWith(HWND parent, DWORD pid, int controlId, DWORD timeoutMs);

std::string Text(HWND window);
std::string ItemText(HWND dialog, int id);
// A user's click on a control: a press and release of the left button over it.
void Click(HWND control);
// A button's click as the dialog's keyboard interface sends it.
void PressButton(HWND dialog, int id);

}  // namespace program_windows
