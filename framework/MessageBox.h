// Every message box of the program goes through here, so that a test can see and answer it.
#pragma once
#include <windows.h>
#include <functional>
#include "framework/CString.h"

struct MessageBoxRequest {
    HWND hOwner;
    CString text;
    CString caption;
    UINT type;
};

// The hook answers the box (IDOK, IDYES, ...) instead of showing it. An empty hook restores real boxes.
using MessageBoxHook = std::function<int(const MessageBoxRequest&)>;
void AfxSetMessageBoxHook(MessageBoxHook hook);

// Registered as a modal loop while it shows. While a teardown waits it shows nothing and answers
// as its Cancel (or, on an OK box, its one button) would; a teardown ends it the same way.
int AfxShowMessageBox(HWND hOwner, LPCSTR text, LPCSTR caption, UINT type);
int AfxCancelAnswer(UINT type);
// Captioned with the application's name, owned by the front window of the application.
int AfxMessageBox(LPCSTR text, UINT type = MB_OK, UINT nIDHelp = 0);
int AfxMessageBox(UINT nIDPrompt, UINT type = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));
