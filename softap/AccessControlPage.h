// Soft-AP library variant: the classic access-control page.
// Until its own behaviour is built it shows its template and changes nothing.
#pragma once
#include "framework/Afx.h"
#include "res/ApWdPagesResource.h"

class CAccessControlPage : public CDialog {
    DECLARE_DYNCREATE(CAccessControlPage)
public:
    enum { IDD = IDD_AP_ACCESS_CONTROL };
    CAccessControlPage() : CDialog(IDD) {}

protected:
    // A page never ends on Enter or Esc.
    void OnOK() override {}
    void OnCancel() override {}
};
