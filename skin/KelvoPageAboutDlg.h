// The about dialog, run modally from the main window's about button. Until its own behaviour
// is built it shows its template; its close button ends it.
#pragma once
#include "framework/Afx.h"
#include "res/StationPagesResource.h"

class CKelvoPageAboutDlg : public CDialog {
    DECLARE_DYNCREATE(CKelvoPageAboutDlg)
public:
    enum { IDD = IDD_KELVO_ABOUT };
    explicit CKelvoPageAboutDlg(CWnd* pParent = nullptr) : CDialog(IDD, pParent) {}

protected:
    void OnClose() { EndDialog(IDOK); }
    DECLARE_MESSAGE_MAP()
};
