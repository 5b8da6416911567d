// Access point, hosted-network variant: the configuration page.
// Until its own behaviour is built it shows its template and changes nothing.
#pragma once
#include "framework/Afx.h"
#include "res/ApWdPagesResource.h"

class CKelvoPageApConfigDlg : public CDialog {
    DECLARE_DYNCREATE(CKelvoPageApConfigDlg)
public:
    enum { IDD = IDD_KELVO_AP_CONFIG };
    CKelvoPageApConfigDlg() : CDialog(IDD) {}

protected:
    // A page never ends on Enter or Esc.
    void OnOK() override {}
    void OnCancel() override {}
};
