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

    // ---- Called by the skinned configuration page; declared here, not built yet ----
public:
    // The authentication change: rebuilds the encryption list for the selected code.
    void OnSelchangeAuthMode();
    // OK's checks and the copy back into the configuration page; FALSE when refused.
    BOOL ValidateAndCopyBack();
};
