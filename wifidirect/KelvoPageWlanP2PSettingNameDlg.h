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
    void SetUpPage() override;
    void OnShowPage() override;
    // Left without a name, by any road: Wi-Fi Direct stays off and its switch unticked.
    void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()
};
