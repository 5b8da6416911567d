// Wi-Fi Direct settings: the device name; Next switches Wi-Fi Direct on with it.
#pragma once
#include "wifidirect/KelvoPageWlanP2PSettingPage.h"

class CKelvoPageWlanP2PSettingNameDlg : public CKelvoPageWlanP2PSettingPage {
    DECLARE_DYNCREATE(CKelvoPageWlanP2PSettingNameDlg)
public:
    static constexpr int kMaxName = 32;
    bool OnBtnNext() override;
    CString m_strName;

protected:
    BOOL OnInitDialog() override;
    void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()
};
