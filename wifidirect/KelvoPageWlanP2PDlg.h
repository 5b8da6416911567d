// The Wi-Fi Direct page of the main window. What the hidden main dialog and the main window use
// of it is here; its forms and buttons come with the page's own work.
#pragma once
#include "framework/Afx.h"
#include "res/ApWdPagesResource.h"

class CKelvoPageWlanP2PDlg : public CDialog {
    DECLARE_DYNCREATE(CKelvoPageWlanP2PDlg)
public:
    enum { IDD = IDD_KELVO_WLAN_P2P };
    static constexpr UINT kConfigControlId = IDC_WLANP2P_ENABLE;  // disabled while the system's service owns the adapter
    CKelvoPageWlanP2PDlg() : CDialog(IDD) {}

    int m_bConnecting = 0;  // 1 while a Wi-Fi Direct connection is being made
    // Both 1 once the page can take the engine's status events.
    int m_bPageReady = 0;
    int m_bEngineReady = 0;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}
};
