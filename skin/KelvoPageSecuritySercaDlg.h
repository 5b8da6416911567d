// Security wizard: the server certificate page.
// Until its own behaviour is built it shows its template and changes nothing.
#pragma once
#include "framework/Afx.h"
#include "res/StationPagesResource.h"

class CKelvoPageSecuritySercaDlg : public CDialog {
    DECLARE_DYNCREATE(CKelvoPageSecuritySercaDlg)
public:
    enum { IDD = IDD_KELVO_SECURITY_SERCA };
    CKelvoPageSecuritySercaDlg() : CDialog(IDD) {}

protected:
    // A page never ends on Enter or Esc.
    void OnOK() override {}
    void OnCancel() override {}
};
