// The WPS run and link-status page.
// Until its own behaviour is built it shows its template and changes nothing.
#pragma once
#include "framework/Afx.h"
#include "res/StationPagesResource.h"

class CKelvoPageWpsLinkStatusDlg : public CDialog {
    DECLARE_DYNCREATE(CKelvoPageWpsLinkStatusDlg)
public:
    enum { IDD = IDD_KELVO_WPS_LINK_STATUS };
    CKelvoPageWpsLinkStatusDlg() : CDialog(IDD) {}

    int nMethod = 0;      // 0 push button, 1 the access point's PIN, 2 this device's PIN
    int bAutoSelect = 0;  // 1: the PIN run tries the listed access points one after another

protected:
    // A page never ends on Enter or Esc.
    void OnOK() override {}
    void OnCancel() override {}
};
