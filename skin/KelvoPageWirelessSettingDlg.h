// Security wizard: the wireless settings page.
// Until its own behaviour is built it shows its template and changes nothing.
#pragma once
#include "framework/Afx.h"
#include "res/StationPagesResource.h"

class CKelvoPageWirelessSettingDlg : public CDialog {
    DECLARE_DYNCREATE(CKelvoPageWirelessSettingDlg)
public:
    enum { IDD = IDD_KELVO_WIRELESS_SETTING };
    CKelvoPageWirelessSettingDlg() : CDialog(IDD) {}

protected:
    // A page never ends on Enter or Esc.
    void OnOK() override {}
    void OnCancel() override {}
};
