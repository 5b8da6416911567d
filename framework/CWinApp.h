// The application object and the program's entry.
#pragma once
#include <windows.h>
#include "framework/CObject.h"
#include "framework/CString.h"

class CWnd;

class CWinApp : public CObject {
public:
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance() { return m_msgCur.wParam ? static_cast<int>(m_msgCur.wParam) : 0; }
    virtual int Run();  // the message loop, when InitInstance answers TRUE

    // Profile settings live under HKCU\Software\<key>\<application name> once a key is set.
    void SetRegistryKey(LPCSTR lpszRegistryKey);
    UINT GetProfileInt(LPCSTR section, LPCSTR entry, int nDefault);
    CString GetProfileString(LPCSTR section, LPCSTR entry, LPCSTR lpszDefault = nullptr);
    BOOL WriteProfileInt(LPCSTR section, LPCSTR entry, int nValue);
    BOOL WriteProfileString(LPCSTR section, LPCSTR entry, LPCSTR value);

    HICON LoadIcon(UINT nIDResource) const;
    HCURSOR LoadStandardCursor(LPCSTR name) const { return ::LoadCursorA(nullptr, name); }
    void OnHelp() {}  // the framework's default help command: nothing to open without a help file

    // Fills m_lpCmdLine from the process command line (done by the program's entry).
    void SetCommandLine(LPCSTR lpszWholeCommandLine);

    HINSTANCE m_hInstance = nullptr;
    LPSTR m_lpCmdLine = nullptr;  // what follows the program's name and one separating blank
    int m_nCmdShow = SW_SHOWNORMAL;
    LPCSTR m_pszAppName = nullptr;
    LPCSTR m_pszRegistryKey = nullptr;
    LPCSTR m_pszProfileName = nullptr;
    CWnd* m_pMainWnd = nullptr;

protected:
    MSG m_msgCur{};

private:
    HKEY OpenSectionKey(LPCSTR section, bool create);
    CString m_appName;
    CString m_registryKey;
    CString m_cmdLine;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
// The module bitmaps and other skin resources come from (the skin library when loaded).
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hInst);
LPCSTR AfxGetAppName();
void AfxEnableControlContainer();

// The program's entry calls this: InitInstance, Run when it answers TRUE, then ExitInstance.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
