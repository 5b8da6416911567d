// Wi-Fi Direct settings: the device name page.
// Until its own behaviour is built it shows its template and changes nothing.
#pragma once
#include "framework/Afx.h"
#include "res/StationPagesResource.h"

class CKelvoPageWlanP2PSettingNameDlg : public CDialog {
    DECLARE_DYNCREATE(CKelvoPageWlanP2PSettingNameDlg)
public:
    enum { IDD = IDD_KELVO_SECURITY_PSK };
    CKelvoPageWlanP2PSettingNameDlg() : CDialog(IDD) {}

protected:
    // A page never ends on Enter or Esc.
    void OnOK() override {}
    void OnCancel() override {}
};
