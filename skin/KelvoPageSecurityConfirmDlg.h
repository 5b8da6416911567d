// Security wizard: the confirmation page.
// Until its own behaviour is built it shows its template and changes nothing.
#pragma once
#include "framework/Afx.h"
#include "res/StationPagesResource.h"

class CKelvoPageSecurityConfirmDlg : public CDialog {
    DECLARE_DYNCREATE(CKelvoPageSecurityConfirmDlg)
public:
    enum { IDD = IDD_KELVO_SECURITY_CONFIRM };
    CKelvoPageSecurityConfirmDlg() : CDialog(IDD) {}

protected:
    // A page never ends on Enter or Esc.
    void OnOK() override {}
    void OnCancel() override {}
};
