// Hosted-network variant: the station table dialog.
// Until its own behaviour is built it shows its template and changes nothing.
#pragma once
#include "framework/Afx.h"
#include "res/ApWdPagesResource.h"

class CExtAPMACTableDlg : public CDialog {
    DECLARE_DYNCREATE(CExtAPMACTableDlg)
public:
    enum { IDD = IDD_EXTAP_MAC_TABLE };
    explicit CExtAPMACTableDlg(CWnd* pParent = nullptr) : CDialog(IDD, pParent) {}

protected:
    // A page never ends on Enter or Esc.
    void OnOK() override {}
    void OnCancel() override {}
};
