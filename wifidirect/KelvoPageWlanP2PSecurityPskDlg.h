// Wi-Fi Direct settings: the group's pre-shared key.
#pragma once
#include "wifidirect/KelvoPageWlanP2PSettingPage.h"

class CKelvoPageWlanP2PSecurityPskDlg : public CKelvoPageWlanP2PSettingPage {
    DECLARE_DYNCREATE(CKelvoPageWlanP2PSecurityPskDlg)
public:
    static constexpr int kMinKey = 8, kMaxKey = 64;
    bool OnBtnNext() override;
    CString m_strKey;
    int m_nSelection = 0;

protected:
    bool SavesOnNext() const override { return true; }
    void SetUpPage() override;
    void OnShowPage() override;
};
