// Security wizard: the WEP page.
// Until its own behaviour is built it shows its template and changes nothing.
#pragma once
#include "framework/Afx.h"
#include "res/StationPagesResource.h"

class CKelvoPageSecurityWepDlg : public CDialog {
    DECLARE_DYNCREATE(CKelvoPageSecurityWepDlg)
public:
    enum { IDD = IDD_KELVO_SECURITY_WEP };
    CKelvoPageSecurityWepDlg() : CDialog(IDD) {}

protected:
    // A page never ends on Enter or Esc.
    void OnOK() override {}
    void OnCancel() override {}
};
