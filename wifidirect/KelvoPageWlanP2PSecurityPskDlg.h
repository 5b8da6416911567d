// Wi-Fi Direct settings: the pre-shared key page.
// Until its own behaviour is built it shows its template and changes nothing.
#pragma once
#include "framework/Afx.h"
#include "res/StationPagesResource.h"

class CKelvoPageWlanP2PSecurityPskDlg : public CDialog {
    DECLARE_DYNCREATE(CKelvoPageWlanP2PSecurityPskDlg)
public:
    enum { IDD = IDD_KELVO_SECURITY_PSK };
    CKelvoPageWlanP2PSecurityPskDlg() : CDialog(IDD) {}

protected:
    // A page never ends on Enter or Esc.
    void OnOK() override {}
    void OnCancel() override {}
};
