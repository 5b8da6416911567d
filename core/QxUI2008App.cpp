#include "core/QxUI2008App.h"
#include "base/DebugLog.h"
#include "base/StartupTimeline.h"
#include "core/hidedlg/HideDlg.h"

HMODULE G_hKelvoImg = nullptr;

namespace {
constexpr char kSingleInstanceMutex[] = "VN38";
constexpr char kShowUIEvent[] = "ShowUIEvent";
constexpr char kRegistryKey[] = "Local AppWizard-Generated Applications";
constexpr char kSkinLibrary[] = "KelvoIMG.dll";
constexpr DWORD kAllCommonControlClasses = 0xFF;
}

BOOL CQxUI2008App::InitInstance()
{
    MarkStartupStep("program and its system libraries loaded");
    INITCOMMONCONTROLSEX icc{sizeof icc, kAllCommonControlClasses};
    ::InitCommonControlsEx(&icc);
    MarkStartupStep("common controls registered");
    CWinApp::InitInstance();
    AfxEnableControlContainer();

    m_hSingleInstanceMutex = ::CreateMutexA(nullptr, FALSE, kSingleInstanceMutex);
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        // Another copy runs: wake it and leave without a word. The handle stays open until exit.
        m_hSingleInstanceMutex = nullptr;
        // The right to set the event is all it asks for: a guest's logon gets no more.
        if (HANDLE showEvent = ::OpenEventA(EVENT_MODIFY_STATE, FALSE, kShowUIEvent)) {
            ::SetEvent(showEvent);
            ::CloseHandle(showEvent);
        }
        return FALSE;
    }

    SetRegistryKey(kRegistryKey);
    CHideDlg dlg(nullptr);
    G_hKelvoImg = ::LoadLibraryA(kSkinLibrary);
    MarkStartupStep("skin image library loaded");
    if (!G_hKelvoImg) {
        AfxMessageBox("Error,Img Dll do not be found", MB_OK, 0);
        return FALSE;
    }
    AfxSetResourceHandle(G_hKelvoImg);

    if (strcmp(m_lpCmdLine, "-D") == 0 || strcmp(m_lpCmdLine, "-d") == 0)
        OpenDebugLogFile();

    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}

int CQxUI2008App::ExitInstance()
{
    // The mutex was created unowned: releasing it frees nothing, and "VN38" stays taken
    // until this process ends.
    if (m_hSingleInstanceMutex) ::ReleaseMutex(m_hSingleInstanceMutex);
    return CWinApp::ExitInstance();
}
