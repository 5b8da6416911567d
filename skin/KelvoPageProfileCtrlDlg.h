// The profile control page: a new profile's name, SSID and network type, with a small scan
// list. Until its own behaviour is built it shows its template and changes nothing.
#pragma once
#include "framework/Afx.h"
#include "res/StationPagesResource.h"

class CKelvoPageProfileCtrlDlg : public CDialog {
    DECLARE_DYNCREATE(CKelvoPageProfileCtrlDlg)
public:
    enum { IDD = IDD_KELVO_PROFILE_CTRL };
    CKelvoPageProfileCtrlDlg() : CDialog(IDD) {}

    // Refills the scan list after a scan finished.
    void RefreshScanList();

    int m_bScanDone = 0;  // the scan-finished flag
    // The network chosen in the scan list: its security as the profile editor is preset with.
    int m_nChosenAuth = 0;
    CString m_strChosenCipherText;

protected:
    void OnOK() override {}
    void OnCancel() override {}
};
