// Security wizard: the TTLS page.
// Until its own behaviour is built it shows its template and changes nothing.
#pragma once
#include "framework/Afx.h"
#include "res/StationPagesResource.h"

class CKelvoPageSecurityTtlsDlg : public CDialog {
    DECLARE_DYNCREATE(CKelvoPageSecurityTtlsDlg)
public:
    enum { IDD = IDD_KELVO_SECURITY_TTLS };
    CKelvoPageSecurityTtlsDlg() : CDialog(IDD) {}

protected:
    // A page never ends on Enter or Esc.
    void OnOK() override {}
    void OnCancel() override {}
};
