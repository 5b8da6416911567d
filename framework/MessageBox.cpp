#include "framework/MessageBox.h"
#include "framework/CModalLoopRegistry.h"
#include "framework/CWinApp.h"
#include "framework/CWnd.h"

#include <mutex>

namespace {
std::mutex g_hookLock;
MessageBoxHook g_hook;
}

void AfxSetMessageBoxHook(MessageBoxHook hook)
{
    std::lock_guard<std::mutex> guard(g_hookLock);
    g_hook = std::move(hook);
}

int AfxCancelAnswer(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OK: return IDOK;  // Esc closes an OK box with its one button
    case MB_YESNO: return IDNO;
    case MB_ABORTRETRYIGNORE: return IDABORT;
    default: return IDCANCEL;
    }
}

int AfxShowMessageBox(HWND hOwner, LPCSTR text, LPCSTR caption, UINT type)
{
    // The program is leaving: the code that asked takes the road of a cancelled box.
    if (CModalLoopRegistry::TeardownWaits()) return AfxCancelAnswer(type);
    MessageBoxHook hook;
    {
        std::lock_guard<std::mutex> guard(g_hookLock);
        hook = g_hook;
    }
    if (hook) {
        const CModalLoopRegistry::Entry loop(nullptr, nullptr);  // a hooked box ends with its hook
        return hook(MessageBoxRequest{hOwner, text, caption, type});
    }
    const CModalLoopRegistry::SystemDialog box([type](HWND dialog) { ::EndDialog(dialog, AfxCancelAnswer(type)); });
    return ::MessageBoxA(hOwner, text, caption, type);
}

int AfxMessageBox(LPCSTR text, UINT type, UINT)
{
    CWnd* pOwner = CWnd::GetSafeOwner(nullptr);
    return AfxShowMessageBox(pOwner ? pOwner->m_hWnd : nullptr, text, AfxGetAppName(), type);
}

int AfxMessageBox(UINT nIDPrompt, UINT type, UINT nIDHelp)
{
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text, type, nIDHelp);
}
