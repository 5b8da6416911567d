// Wi-Fi Direct settings: the preferred channel of a connection; Next starts it or answers the
// waiting request.
#pragma once
#include "wifidirect/KelvoPageWlanP2PSettingPage.h"

#include <vector>

class CKelvoPageWlanP2PSettingChannelDlg : public CKelvoPageWlanP2PSettingPage {
    DECLARE_DYNCREATE(CKelvoPageWlanP2PSettingChannelDlg)
public:
    static constexpr char kChannelError[] = "Channel error";
    bool OnBtnNext() override;
    void OnBtnExit() override;
    std::vector<CString> m_channels;
    int m_nSelection = -1;

protected:
    void SetUpPage() override;
    void OnShowPage() override;
    void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()
};
