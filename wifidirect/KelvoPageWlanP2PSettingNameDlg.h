// Wi-Fi Direct settings: the device name; Next switches Wi-Fi Direct on with it.
#pragma once
#include "wifidirect/KelvoPageWlanP2PSettingPage.h"

class CKelvoPageWlanP2PSettingNameDlg : public CKelvoPageWlanP2PSettingPage {
    DECLARE_DYNCREATE(CKelvoPageWlanP2PSettingNameDlg)
public:
    static constexpr int kMaxName = 32;
    bool OnBtnNext() override;
    // Leaving without a name: Wi-Fi Direct stays off and its switch unticked.
    void OnBtnBack() override;
    void OnBtnExit() override;
    CString m_strName;

protected:
    void SetUpPage() override;
    void OnShowPage() override;
};
