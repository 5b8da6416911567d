// Security wizard: the security type page.
// Until its own behaviour is built it shows its template and changes nothing.
#pragma once
#include "framework/Afx.h"
#include "res/StationPagesResource.h"

class CKelvoPageSecurityTypeDlg : public CDialog {
    DECLARE_DYNCREATE(CKelvoPageSecurityTypeDlg)
public:
    enum { IDD = IDD_KELVO_SECURITY_TYPE };
    CKelvoPageSecurityTypeDlg() : CDialog(IDD) {}

protected:
    // A page never ends on Enter or Esc.
    void OnOK() override {}
    void OnCancel() override {}
};
