// Security wizard: the TLS page.
// Until its own behaviour is built it shows its template and changes nothing.
#pragma once
#include "framework/Afx.h"
#include "res/StationPagesResource.h"

class CKelvoPageSecurityTlsDlg : public CDialog {
    DECLARE_DYNCREATE(CKelvoPageSecurityTlsDlg)
public:
    enum { IDD = IDD_KELVO_SECURITY_TLS };
    CKelvoPageSecurityTlsDlg() : CDialog(IDD) {}

protected:
    // A page never ends on Enter or Esc.
    void OnOK() override {}
    void OnCancel() override {}
};
