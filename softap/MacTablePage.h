// Soft-AP library variant: the classic station table page.
// Until its own behaviour is built it shows its template and changes nothing.
#pragma once
#include "framework/Afx.h"
#include "res/ApWdPagesResource.h"

class CMacTablePage : public CDialog {
    DECLARE_DYNCREATE(CMacTablePage)
public:
    enum { IDD = IDD_AP_MAC_TABLE };
    CMacTablePage() : CDialog(IDD) {}

protected:
    // A page never ends on Enter or Esc.
    void OnOK() override {}
    void OnCancel() override {}
};
