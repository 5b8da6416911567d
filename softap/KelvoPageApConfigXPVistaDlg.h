// Access point, soft-AP library variant: the configuration page.
// Until its own behaviour is built it shows its template and changes nothing.
#pragma once
#include "framework/Afx.h"
#include "res/ApWdPagesResource.h"

class CKelvoPageApConfigXPVistaDlg : public CDialog {
    DECLARE_DYNCREATE(CKelvoPageApConfigXPVistaDlg)
public:
    enum { IDD = IDD_KELVO_AP_CONFIG };
    CKelvoPageApConfigXPVistaDlg() : CDialog(IDD) {}

protected:
    // A page never ends on Enter or Esc.
    void OnOK() override {}
    void OnCancel() override {}
};
