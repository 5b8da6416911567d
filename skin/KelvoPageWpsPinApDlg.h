// The WPS dialog for the access point's PIN, run modally by the adapter page: 0 after Start,
// 1 after close. Start checks the PIN typed and keeps the dialog open when it is not valid.
#pragma once
#include "skin/WpsSkinDialog.h"

class CKelvoPageWpsPinApDlg : public CWpsSkinDialog {
public:
    enum { IDD = IDD_KELVO_WPS_PIN_AP };
    explicit CKelvoPageWpsPinApDlg(CWnd* pParent = nullptr) : CWpsSkinDialog(IDD, "_dpiFilePinAP", IDC_PINAP_TITLE, pParent) {}
    bool OnStart() override;

protected:
    BOOL OnInitDialog() override;
};
