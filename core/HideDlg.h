// The hidden main dialog: runs modally for the whole life of the program and never shows.
#pragma once
#include "framework/Afx.h"

extern HANDLE G_hShowUIEvent;      // "ShowUIEvent": a second start of the program sets it
extern volatile LONG G_bExitProgram;  // set when the program leaves; stops the waiter threads

class CHideDlg : public CDialog {
public:
    explicit CHideDlg(CWnd* pParent = nullptr);
    ~CHideDlg() override;

    BOOL OnInitDialog() override;

protected:
    void OnPaint();
    void OnDestroy();
    void OnTrayLaunch();
    void OnOK() override {}
    void OnCancel() override;
    DECLARE_MESSAGE_MAP()

private:
    static UINT WaitShowUIEventThread(LPVOID pParam);
    void StartShowUIEventWaiter();
    void StopShowUIEventWaiter();

    CWinThread* m_pShowUIWaiter = nullptr;
};
