// Wi-Fi Direct: the second connect-method page.
// Until its own behaviour is built it shows its template and changes nothing.
#pragma once
#include "framework/Afx.h"
#include "res/ApWdPagesResource.h"

class CKelvoPageP2PConnectMethodII : public CDialog {
    DECLARE_DYNCREATE(CKelvoPageP2PConnectMethodII)
public:
    enum { IDD = IDD_KELVO_P2P_CONNECT_METHOD };
    CKelvoPageP2PConnectMethodII() : CDialog(IDD) {}

protected:
    // A page never ends on Enter or Esc.
    void OnOK() override {}
    void OnCancel() override {}
};
