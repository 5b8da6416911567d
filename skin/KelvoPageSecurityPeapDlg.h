// Security wizard: the PEAP page.
// Until its own behaviour is built it shows its template and changes nothing.
#pragma once
#include "framework/Afx.h"
#include "res/StationPagesResource.h"

class CKelvoPageSecurityPeapDlg : public CDialog {
    DECLARE_DYNCREATE(CKelvoPageSecurityPeapDlg)
public:
    enum { IDD = IDD_KELVO_SECURITY_PEAP };
    CKelvoPageSecurityPeapDlg() : CDialog(IDD) {}

protected:
    // A page never ends on Enter or Esc.
    void OnOK() override {}
    void OnCancel() override {}
};
