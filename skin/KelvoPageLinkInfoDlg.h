// The link information page, the first page the main window shows.
// Until its own behaviour is built it shows its template and changes nothing.
#pragma once
#include "framework/Afx.h"
#include "res/StationPagesResource.h"

class CKelvoPageLinkInfoDlg : public CDialog {
    DECLARE_DYNCREATE(CKelvoPageLinkInfoDlg)
public:
    enum { IDD = IDD_KELVO_LINK_INFO };
    CKelvoPageLinkInfoDlg() : CDialog(IDD) {}

protected:
    // A page never ends on Enter or Esc.
    void OnOK() override {}
    void OnCancel() override {}
};
