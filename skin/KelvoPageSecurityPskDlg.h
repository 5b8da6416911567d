// Security wizard: the pre-shared key page.
// Until its own behaviour is built it shows its template and changes nothing.
#pragma once
#include "framework/Afx.h"
#include "res/StationPagesResource.h"

class CKelvoPageSecurityPskDlg : public CDialog {
    DECLARE_DYNCREATE(CKelvoPageSecurityPskDlg)
public:
    enum { IDD = IDD_KELVO_SECURITY_PSK };
    CKelvoPageSecurityPskDlg() : CDialog(IDD) {}

protected:
    // A page never ends on Enter or Esc.
    void OnOK() override {}
    void OnCancel() override {}
};
