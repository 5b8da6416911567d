// Worker threads. A thread started with m_bAutoDelete FALSE keeps its object and handle
// until the owner joins it (WaitForSingleObject on m_hThread) and deletes the object.
#pragma once
#include <windows.h>
#include "framework/CObject.h"

typedef UINT (*AFX_THREADPROC)(LPVOID);

class CWinThread : public CObject {
public:
    CWinThread() = default;
    CWinThread(AFX_THREADPROC pfn, LPVOID pParam) : m_pfnThreadProc(pfn), m_pThreadParams(pParam) {}
    ~CWinThread() override;

    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
    DWORD ResumeThread() { return ::ResumeThread(m_hThread); }
    DWORD SuspendThread() { return ::SuspendThread(m_hThread); }
    BOOL SetThreadPriority(int nPriority) { return ::SetThreadPriority(m_hThread, nPriority); }
    operator HANDLE() const { return m_hThread; }

    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    BOOL m_bAutoDelete = TRUE;

private:
    static DWORD WINAPI Start(LPVOID self);
    AFX_THREADPROC m_pfnThreadProc = nullptr;
    LPVOID m_pThreadParams = nullptr;
};

// Starts pfn(pParam) on a new thread. With CREATE_SUSPENDED the caller may set
// m_bAutoDelete before ResumeThread.
CWinThread* AfxBeginThread(AFX_THREADPROC pfn, LPVOID pParam, int nPriority = THREAD_PRIORITY_NORMAL,
                           UINT nStackSize = 0, DWORD dwCreateFlags = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
