// Wi-Fi Direct: the connect-method page.
// Until its own behaviour is built it shows its template and changes nothing.
#pragma once
#include "framework/Afx.h"
#include "res/ApWdPagesResource.h"

class CKelvoPageP2PConnectMethod : public CDialog {
    DECLARE_DYNCREATE(CKelvoPageP2PConnectMethod)
public:
    enum { IDD = IDD_KELVO_P2P_CONNECT_METHOD };
    CKelvoPageP2PConnectMethod() : CDialog(IDD) {}

protected:
    // A page never ends on Enter or Esc.
    void OnOK() override {}
    void OnCancel() override {}
};
