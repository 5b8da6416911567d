// The WPS push-button dialog, run modally by the adapter page: 0 after Start, 1 after close.
#pragma once
#include "skin/WpsSkinDialog.h"

class CKelvoPageWpsPBCDlg : public CWpsSkinDialog {
public:
    enum { IDD = IDD_KELVO_WPS_PBC };
    explicit CKelvoPageWpsPBCDlg(CWnd* pParent = nullptr) : CWpsSkinDialog(IDD, "_dpiFileWpsPBC", IDC_WPSPBC_TITLE, pParent) {}
    bool OnStart() override;

protected:
    BOOL OnInitDialog() override;
};
