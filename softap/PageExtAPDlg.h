// Hosted-network variant: the settings dialog.
// Until its own behaviour is built it shows its template and changes nothing.
#pragma once
#include "framework/Afx.h"
#include "res/ApWdPagesResource.h"

class CPageExtAPDlg : public CDialog {
    DECLARE_DYNCREATE(CPageExtAPDlg)
public:
    enum { IDD = IDD_EXTAP_CONFIG };
    explicit CPageExtAPDlg(CWnd* pParent = nullptr) : CDialog(IDD, pParent) {}

protected:
    // A page never ends on Enter or Esc.
    void OnOK() override {}
    void OnCancel() override {}
};
