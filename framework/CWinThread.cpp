#include "framework/CWinThread.h"

CWinThread::~CWinThread()
{
    if (m_hThread) ::CloseHandle(m_hThread);
}

DWORD WINAPI CWinThread::Start(LPVOID self)
{
    auto* pThread = static_cast<CWinThread*>(self);
    UINT result = pThread->m_pfnThreadProc ? pThread->m_pfnThreadProc(pThread->m_pThreadParams) : 0;
    if (pThread->m_bAutoDelete) delete pThread;
    return result;
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    // Always start suspended so that the handle is stored before the thread can delete us.
    m_hThread = ::CreateThread(lpSecurityAttrs, nStackSize, Start, this, dwCreateFlags | CREATE_SUSPENDED, &m_nThreadID);
    if (!m_hThread) return FALSE;
    if (!(dwCreateFlags & CREATE_SUSPENDED)) ::ResumeThread(m_hThread);
    return TRUE;
}

CWinThread* AfxBeginThread(AFX_THREADPROC pfn, LPVOID pParam, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                           LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    auto* pThread = new CWinThread(pfn, pParam);
    if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs)) {
        delete pThread;
        return nullptr;
    }
    pThread->SetThreadPriority(nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED)) pThread->ResumeThread();
    return pThread;
}
