// The WPS list page: the access points that offer WPS. Until its own behaviour is built it
// shows its template and changes nothing.
#pragma once
#include "framework/Afx.h"
#include "res/StationPagesResource.h"

class CKelvoPageWpsListViewDlg : public CDialog {
    DECLARE_DYNCREATE(CKelvoPageWpsListViewDlg)
public:
    enum { IDD = IDD_KELVO_WPS_LIST_VIEW };
    CKelvoPageWpsListViewDlg() : CDialog(IDD) {}

    // Refills the list after a scan finished.
    void RefreshWpsList();

    int m_bScanDone = 0;  // the scan-finished flag

protected:
    void OnOK() override {}
    void OnCancel() override {}
};
