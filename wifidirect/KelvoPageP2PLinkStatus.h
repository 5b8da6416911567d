// Wi-Fi Direct: the link-status page.
// Until its own behaviour is built it shows its template and changes nothing.
#pragma once
#include "framework/Afx.h"
#include "res/ApWdPagesResource.h"

class CKelvoPageP2PLinkStatus : public CDialog {
    DECLARE_DYNCREATE(CKelvoPageP2PLinkStatus)
public:
    enum { IDD = IDD_KELVO_P2P_LINK_STATUS };
    CKelvoPageP2PLinkStatus() : CDialog(IDD) {}

protected:
    // A page never ends on Enter or Esc.
    void OnOK() override {}
    void OnCancel() override {}
};
