// The adapter settings page: power saving, WMM and the WPS methods.
// Until its own behaviour is built it shows its template and changes nothing.
#pragma once
#include "framework/Afx.h"
#include "res/StationPagesResource.h"

class CKelvoPageAdapterDlg : public CDialog {
    DECLARE_DYNCREATE(CKelvoPageAdapterDlg)
public:
    enum { IDD = IDD_KELVO_ADAPTER };
    CKelvoPageAdapterDlg() : CDialog(IDD) {}

protected:
    // A page never ends on Enter or Esc.
    void OnOK() override {}
    void OnCancel() override {}
};
