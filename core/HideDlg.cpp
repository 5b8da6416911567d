#include "core/HideDlg.h"
#include "core/DebugLog.h"
#include "res/resource.h"

#include <sddl.h>

HANDLE G_hShowUIEvent = nullptr;
volatile LONG G_bExitProgram = 0;

namespace {
constexpr char kShowUIEvent[] = "ShowUIEvent";
constexpr char kHideDlgCaption[] = "Quixen Utility";
// Guests and anonymous logons may only wait on the event and set it; users and
// administrators have full access.
constexpr char kShowUIEventAccess[] =
    "D:(A;OICI;0x00100002;;;BG)(A;OICI;0x00100002;;;AN)(A;OICI;GA;;;AU)(A;OICI;GA;;;BA)";
}

BEGIN_MESSAGE_MAP(CHideDlg, CDialog)
    ON_WM_PAINT()
    ON_WM_DESTROY()
    ON_COMMAND(ID_TRAY_LAUNCH, OnTrayLaunch)
END_MESSAGE_MAP()

CHideDlg::CHideDlg(CWnd* pParent) : CDialog(IDD_HIDE_DIALOG, pParent)
{
}

CHideDlg::~CHideDlg()
{
    StopShowUIEventWaiter();
}

BOOL CHideDlg::OnInitDialog()
{
    DebugLog(3, "[QxUI] --> CHideDlg::OnInitDialog()\n");
    CDialog::OnInitDialog();

    SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, FALSE};
    if (!::ConvertStringSecurityDescriptorToSecurityDescriptorA(kShowUIEventAccess, SDDL_REVISION_1,
                                                                 &sa.lpSecurityDescriptor, nullptr)) {
        DebugLog(1, "[QxUI] ConvertStringSecurityDescriptorToSecurityDescriptor() return FALSE, error code = %d\n",
                 ::GetLastError());
    }
    G_hShowUIEvent = ::CreateEventA(sa.lpSecurityDescriptor ? &sa : nullptr, FALSE, FALSE, kShowUIEvent);
    if (sa.lpSecurityDescriptor) ::LocalFree(sa.lpSecurityDescriptor);
    if (!G_hShowUIEvent)
        DebugLog(1, "[QxUI] CreateEvent \"ShowUIEvent\" fail\n");
    else
        StartShowUIEventWaiter();

    SetWindowText(kHideDlgCaption);
    DebugLog(3, "[QxUI] <-- CHideDlg::OnInitDialog()\n");
    return TRUE;
}

void CHideDlg::OnPaint()
{
    // Never seen: hide instead of painting, every time.
    CPaintDC dc(this);
    ShowWindow(SW_HIDE);
}

void CHideDlg::OnTrayLaunch()
{
    DebugLog(3, "[QxUI] --> CHideDlg::OnTrayLaunch\n");
}

void CHideDlg::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CHideDlg::OnDestroy()
{
    StopShowUIEventWaiter();
    CDialog::OnDestroy();
}

void CHideDlg::StartShowUIEventWaiter()
{
    ::InterlockedExchange(&G_bExitProgram, 0);
    m_pShowUIWaiter = AfxBeginThread(WaitShowUIEventThread, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (!m_pShowUIWaiter) return;
    m_pShowUIWaiter->m_bAutoDelete = FALSE;
    m_pShowUIWaiter->ResumeThread();
}

void CHideDlg::StopShowUIEventWaiter()
{
    if (!m_pShowUIWaiter) return;
    ::InterlockedExchange(&G_bExitProgram, 1);
    ::SetEvent(G_hShowUIEvent);
    ::WaitForSingleObject(m_pShowUIWaiter->m_hThread, INFINITE);
    delete m_pShowUIWaiter;
    m_pShowUIWaiter = nullptr;
    ::CloseHandle(G_hShowUIEvent);
    G_hShowUIEvent = nullptr;
}

UINT CHideDlg::WaitShowUIEventThread(LPVOID)
{
    HANDLE showEvent = G_hShowUIEvent;
    while (!G_bExitProgram) {
        DWORD result = ::WaitForSingleObject(showEvent, INFINITE);
        if (G_bExitProgram) break;
        if (result == WAIT_OBJECT_0) {
            // Posted, never sent: this thread must not wait on the dialog's thread.
            HWND hWnd = ::FindWindowA(nullptr, kHideDlgCaption);
            if (!hWnd) {
                DebugLog(3, "[QxUI] FindWindow \"Quixen Utility\" failed!\n");
            } else if (!::PostMessageA(hWnd, WM_COMMAND, ID_TRAY_LAUNCH, 0)) {
                DebugLog(1, "[QxUI] PostMessage ID_TRAY_LAUNCH failed!, GetLastError() = %d\n", ::GetLastError());
            }
        } else {
            DebugLog(3, "[QxUI] WaitForSingleObject() return %d\n", result);
            if (result == WAIT_FAILED) break;  // the handle is gone: waiting again would spin
        }
        ::ResetEvent(showEvent);
    }
    return 0;
}
