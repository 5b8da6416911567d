#include "wifidirect/BCBBasicForm.h"

void CBCBBasicForm::SwitchHostTimer(UINT_PTR id, UINT intervalMs, BOOL enable) const
{
    if (!m_hWnd) return;
    if (enable == 1) ::SetTimer(m_hWnd, id, intervalMs, nullptr);
    else ::KillTimer(m_hWnd, id);
}

void CBCBBasicForm::MoveHostTimer(HWND from, HWND to, UINT_PTR id, UINT intervalMs)
{
    if (from == to) return;
    if (from && ::IsWindow(from)) ::KillTimer(from, id);
    if (to && ::IsWindow(to)) ::SetTimer(to, id, intervalMs, nullptr);
}

int RouteFormTimer(CBCBBasicForm* const* forms, int count, UINT_PTR nIDEvent)
{
    for (int i = 0; i < count; ++i) {
        if (!forms[i]) continue;
        const int taken = forms[i]->OnTimer(nIDEvent);
        if (taken != -1) return taken;
    }
    return -1;
}
