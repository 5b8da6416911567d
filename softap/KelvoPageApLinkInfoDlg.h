// Access point: the link page.
// Until its own behaviour is built it shows its template and changes nothing.
#pragma once
#include "framework/Afx.h"
#include "res/ApWdPagesResource.h"

class CKelvoPageApLinkInfoDlg : public CDialog {
    DECLARE_DYNCREATE(CKelvoPageApLinkInfoDlg)
public:
    enum { IDD = IDD_KELVO_AP_LINK_INFO };
    CKelvoPageApLinkInfoDlg() : CDialog(IDD) {}

protected:
    // A page never ends on Enter or Esc.
    void OnOK() override {}
    void OnCancel() override {}
};
