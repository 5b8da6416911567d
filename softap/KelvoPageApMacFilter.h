// Access point: the MAC filter page.
// Until its own behaviour is built it shows its template and changes nothing.
#pragma once
#include "framework/Afx.h"
#include "res/ApWdPagesResource.h"

class CKelvoPageApMacFilter : public CDialog {
    DECLARE_DYNCREATE(CKelvoPageApMacFilter)
public:
    enum { IDD = IDD_KELVO_AP_MAC_FILTER };
    CKelvoPageApMacFilter() : CDialog(IDD) {}

protected:
    // A page never ends on Enter or Esc.
    void OnOK() override {}
    void OnCancel() override {}
};
