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

protected:
    // A page never ends on Enter or Esc.
    void OnOK() override {}
    void OnCancel() override {}
};
