// Security wizard: the page that reports the settings done.
// Until its own behaviour is built it shows its template and changes nothing.
#pragma once
#include "framework/Afx.h"
#include "res/StationPagesResource.h"

class CKelvoPageSecuritySetOKDlg : public CDialog {
    DECLARE_DYNCREATE(CKelvoPageSecuritySetOKDlg)
public:
    enum { IDD = IDD_KELVO_SECURITY_SET_OK };
    CKelvoPageSecuritySetOKDlg() : CDialog(IDD) {}

protected:
    // A page never ends on Enter or Esc.
    void OnOK() override {}
    void OnCancel() override {}
};
