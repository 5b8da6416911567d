#include "framework/MessageBox.h"
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

int AfxShowMessageBox(HWND hOwner, LPCSTR text, LPCSTR caption, UINT type)
{
    MessageBoxHook hook;
    {
        std::lock_guard<std::mutex> guard(g_hookLock);
        hook = g_hook;
    }
    if (hook) return hook(MessageBoxRequest{hOwner, text, caption, type});
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
