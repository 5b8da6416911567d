// Wi-Fi Direct: the settings wizard's choice of the WPS method, handed to its WPS page.
#pragma once
#include "framework/Afx.h"
#include "res/ApWdPagesResource.h"
#include "ui/FloatButton.h"
#include "wifidirect/WiFiDirectPageSkin.h"

class CKelvoPageP2PConnectMethodII : public CWiFiDirectSkinnedPage {
    DECLARE_DYNCREATE(CKelvoPageP2PConnectMethodII)
public:
    enum { IDD = IDD_KELVO_P2P_CONNECT_METHOD };
    CKelvoPageP2PConnectMethodII() : CWiFiDirectSkinnedPage(IDD) {}

    int m_nMethod = 0;
    ULONG m_nShowPin = 0;

    // Next: false while the page stays.
    bool OnNextPage();
    void OnCancelPage();

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnPushButton();
    void OnPinShown();
    void OnPinEntered();
    void OnNext() { OnNextPage(); }
    DECLARE_MESSAGE_MAP()

private:
    CFloatButton m_btnClose, m_btnNext, m_btnBack, m_btnCancel;
};
