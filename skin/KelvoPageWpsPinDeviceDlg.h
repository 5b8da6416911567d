// The WPS dialog that shows this device's PIN, run modally by the adapter page: 0 after Start,
// 1 after close. The PIN is drawn when the dialog opens.
#pragma once
#include "skin/WpsSkinDialog.h"

class CKelvoPageWpsPinDeviceDlg : public CWpsSkinDialog {
public:
    enum { IDD = IDD_KELVO_WPS_PIN_DEVICE };
    explicit CKelvoPageWpsPinDeviceDlg(CWnd* pParent = nullptr) : CWpsSkinDialog(IDD, "_dpiFilePinDevice", IDC_PINDEV_TITLE, pParent) {}
    bool OnStart() override;

    ULONG m_nPin = 0;
    CString m_strPin;  // "%08lu": leading zeros shown

protected:
    BOOL OnInitDialog() override;
};
