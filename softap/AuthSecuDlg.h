// Soft-AP library variant: the classic security page.
// Until its own behaviour is built it shows its template and changes nothing.
#pragma once
#include "framework/Afx.h"
#include "res/ApWdPagesResource.h"

class CAuthSecuDlg : public CDialog {
    DECLARE_DYNCREATE(CAuthSecuDlg)
public:
    enum { IDD = IDD_AP_SECURITY };
    CAuthSecuDlg() : CDialog(IDD) {}

protected:
    // A page never ends on Enter or Esc.
    void OnOK() override {}
    void OnCancel() override {}
};
