// The WPS dialog for the access point's PIN, run modally by the adapter page: 0 after Start, 1 after close.
// Until its own behaviour is built, running it does nothing and answers 1 (closed).
#pragma once
#include "framework/Afx.h"
#include "res/StationPagesResource.h"

class CKelvoPageWpsPinApDlg : public CDialog {
public:
    enum { IDD = IDD_KELVO_WPS_PIN_AP };
    explicit CKelvoPageWpsPinApDlg(CWnd* pParent = nullptr) : CDialog(IDD, pParent) {}
    INT_PTR DoModal() override;
};
